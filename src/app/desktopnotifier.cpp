#include "app/desktopnotifier.h"

#include "alarms/snooze.h"
#include "platform/clock.h"
#include "sound/soundmanager.h"
#include "storage/nastaveni.h"

#include <utility>

namespace tavrok {

namespace {
const QString StopKey = QStringLiteral("vypnout-zvuk");
const QString SnoozeKey = QStringLiteral("odlozit");
const QString DefaultKey = QStringLiteral("default"); // a click on the notice itself
} // namespace

DesktopNotifier::DesktopNotifier(Services services, std::function<bool()> outOfSight)
    : s_(services), outOfSight_(std::move(outOfSight)) {
    s_.desktop.onButton = [this](quint64 notice, const QString& key) { button(notice, key); };
    s_.desktop.onClosed = [this](quint64 notice) { shown_.erase(notice); };
}

DesktopNotifier::~DesktopNotifier() {
    withdrawAll();
    s_.desktop.onButton = nullptr;
    s_.desktop.onClosed = nullptr;
}

void DesktopNotifier::withdrawAll() {
    for (const auto& [notice, ring] : std::exchange(shown_, {})) {
        s_.desktop.withdraw(notice);
    }
}

QString zpravaSeZpozdenim(const QString& message, TDateTime lateness, const TextyZvoneni& texts) {
    const qint64 minutes = toMilliseconds(lateness) / 60'000;
    if (minutes <= 0) {
        return message;
    }
    return message + (message.isEmpty() ? QString() : QStringLiteral("\n")) + texts.zpozdeni.arg(minutes);
}

quint64 DesktopNotifier::zazvonilo(const Zazvoneni& ring) {
    const TNastaveni options = nactiNastaveni(s_.settings);
    if (!options.oznameniNaPlose || !outOfSight_()) {
        return 0;
    }
    DesktopNotifications::Notice notice;
    notice.summary = ring.druh == Zazvoneni::Druh::Budik ? ring.nazev : s_.texts.odpocitavani;
    notice.body = zpravaSeZpozdenim(ring.zprava, ring.zpozdeni, s_.texts);
    notice.buttons.append({DefaultKey, QString()});
    if (ring.soundId >= 0) {
        notice.buttons.append({StopKey, s_.texts.vypnoutZvuk});
    }
    if (ring.druh == Zazvoneni::Druh::Budik && options.odkladani && !ring.nazev.isEmpty()) {
        notice.buttons.append({SnoozeKey, s_.texts.odlozit});
    }
    notice.lasting = ring.druh != Zazvoneni::Druh::UpozorneniPredem;
    // The next advance notice, or the end, replaces the last advance notice.
    if (ring.druh != Zazvoneni::Druh::Budik && shown_.erase(advance_) > 0) {
        s_.desktop.withdraw(advance_);
    }
    const quint64 id = s_.desktop.send(notice);
    if (id != 0) {
        shown_[id] = ring;
        if (!notice.lasting) {
            advance_ = id;
        }
    }
    return id;
}

void DesktopNotifier::answered(quint64 notice) {
    if (shown_.erase(notice) > 0) {
        s_.desktop.withdraw(notice);
    }
}

void DesktopNotifier::button(quint64 notice, const QString& key) {
    const auto it = shown_.find(notice);
    if (it == shown_.end()) {
        return; // answered in the program meanwhile
    }
    const Zazvoneni ring = it->second;
    if (key == DefaultKey) {
        if (onShowWindow) {
            onShowWindow();
        }
        return;
    }
    if (key == StopKey) {
        s_.sounds.vypnoutUpozorneni();
    } else if (key == SnoozeKey) {
        const TNastaveni options = nactiNastaveni(s_.settings);
        if (ring.soundId >= 0) {
            s_.sounds.ukoncitZvuk(ring.soundId);
        }
        (void)s_.snoozed.odloz(ring.nazev, s_.clock.utcNow(), options.delkaOdlozeni);
        if (onSnoozed) {
            onSnoozed();
        }
    } else {
        return;
    }
    shown_.erase(notice);
    s_.desktop.withdraw(notice);
}

} // namespace tavrok
