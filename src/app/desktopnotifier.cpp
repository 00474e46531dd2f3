#include "app/desktopnotifier.h"

#include "alarms/snooze.h"
#include "platform/clock.h"
#include "sound/soundmanager.h"
#include "storage/nastaveni.h"

namespace tavrok {

namespace {
const QString StopKey = QStringLiteral("vypnout-zvuk");
const QString SnoozeKey = QStringLiteral("odlozit");
const QString DefaultKey = QStringLiteral("default"); // a click on the notice itself
} // namespace

DesktopNotifier::DesktopNotifier(DesktopNotifications& desktop, SoundManager& sounds, const Clock& clock,
                                 const IniFile& settings, OdlozeneBudiky& snoozed, std::function<bool()> outOfSight)
    : desktop_(desktop), sounds_(sounds), clock_(clock), settings_(settings), snoozed_(snoozed),
      outOfSight_(std::move(outOfSight)) {
    desktop_.onButton = [this](quint64 notice, const QString& key) { button(notice, key); };
}

QString DesktopNotifier::lateText(TDateTime lateness) const {
    const qint64 minutes = toMilliseconds(lateness) / 60'000;
    return minutes > 0 ? texts_.zpozdeni.arg(minutes) : QString();
}

quint64 DesktopNotifier::zazvonilo(const Zazvoneni& ring) {
    const TNastaveni options = nactiNastaveni(settings_);
    if (!options.oznameniNaPlose || !outOfSight_()) {
        return 0;
    }
    DesktopNotifications::Notice notice;
    notice.summary = ring.druh == Zazvoneni::Druh::Budik ? ring.nazev : texts_.odpocitavani;
    notice.body = ring.zprava;
    if (const QString late = lateText(ring.zpozdeni); !late.isEmpty()) {
        notice.body += (notice.body.isEmpty() ? QString() : QStringLiteral("\n")) + late;
    }
    notice.buttons.append({DefaultKey, QString()});
    if (ring.soundId >= 0) {
        notice.buttons.append({StopKey, texts_.vypnoutZvuk});
    }
    if (ring.druh == Zazvoneni::Druh::Budik && options.odkladani && !ring.nazev.isEmpty()) {
        notice.buttons.append({SnoozeKey, texts_.odlozit});
    }
    const quint64 id = desktop_.send(notice);
    if (id != 0) {
        shown_[id] = ring;
    }
    return id;
}

void DesktopNotifier::answered(quint64 notice) {
    if (shown_.erase(notice) > 0) {
        desktop_.withdraw(notice);
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
        sounds_.vypnoutUpozorneni();
    } else if (key == SnoozeKey) {
        const TNastaveni options = nactiNastaveni(settings_);
        if (ring.soundId >= 0) {
            sounds_.ukoncitZvuk(ring.soundId);
        }
        (void)snoozed_.odloz(ring.nazev, clock_.utcNow(), options.delkaOdlozeni);
        if (onSnoozed) {
            onSnoozed();
        }
    } else {
        return;
    }
    shown_.erase(notice);
    desktop_.withdraw(notice);
}

} // namespace tavrok
