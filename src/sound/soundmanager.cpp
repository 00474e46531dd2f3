#include "sound/soundmanager.h"

#include "platform/audiodevice.h"
#include "platform/clock.h"

#include <QDir>
#include <QFileInfo>

namespace tavrok {

namespace {

constexpr const char16_t* MediaExtensions[] = {u"wav", u"mp3", u"mid", u"wma", u"wmv", u"avi", u"mpg", u"mpeg"};

TDateTime msToDays(qint64 ms) {
    return static_cast<double>(ms) / MsPerDay;
}

} // namespace

SoundManager::SoundManager(AudioDevice& device, Clock& clock, Beeper& beeper, PathExpander expand,
                           RandomIndex random)
    : device_(device), clock_(clock), beeper_(beeper), expand_(std::move(expand)), random_(std::move(random)) {}

bool SoundManager::jeSouborMultimedialni(QStringView extension) {
    for (const char16_t* e : MediaExtensions) {
        if (extension.compare(QString(u'.' + QString::fromUtf16(e)), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

QString SoundManager::nahodnySoubor(const QString& folder) const {
    const QDir dir(folder);
    // Files only, without hidden ones, in one fixed order for both walks.
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    QFileInfoList media;
    for (const QFileInfo& f : entries) {
        if (jeSouborMultimedialni(QString(u'.' + f.suffix()))) {
            media << f;
        }
    }
    if (media.isEmpty()) {
        return {};
    }
    const int r = random_(static_cast<int>(media.size()));
    return media[std::clamp(r, 0, static_cast<int>(media.size()) - 1)].filePath();
}

int SoundManager::obhospodarZvuk(bool upozornovat, bool zazvonit, bool vlastniZvuk, bool nahodnyZvuk,
                                 bool opakovat, const QString& standardniCesta, const QString& vlastniCesta,
                                 const QString& nahodnaSlozka, QString& vybranySoubor, int delka, UtcTime start) {
    if (!upozornovat) {
        return -1;
    }
    QString file;
    if (vlastniZvuk) {
        file = expand_(vlastniCesta);
    } else if (nahodnyZvuk) {
        if (!zazvonit) {
            vybranySoubor = nahodnySoubor(expand_(nahodnaSlozka));
            if (!vybranySoubor.isEmpty()) {
                device_.prepare(vybranySoubor); // decoded now, so that it starts at once when due
            }
            return -1;
        }
        file = vybranySoubor;
    } else {
        file = standardniCesta;
    }
    if (!zazvonit) {
        return -1;
    }
    if (file.isEmpty() || !device_.play(file)) {
        file = standardniCesta;
        if (!device_.play(file)) {
            beeper_.informationBeep();
            return -1;
        }
    }
    return prehrajZvuk(file, vybranySoubor, start, delka, opakovat);
}

UtcTime SoundManager::utcNow() const {
    return clock_.utcNow();
}

int SoundManager::prehrajZvuk(const QString& soubor, QString& vybranySoubor, UtcTime start, int delka,
                              bool opakovat) {
    TPrehravanyZvuk z;
    z.id = citacZvuku_++;
    z.soubor = soubor;
    z.start = start;
    vybranySoubor.clear();
    if (opakovat) {
        z.delka = msToDays(delka);
    } else {
        const qint64 own = device_.lengthMs(soubor);
        if (delka == 0 || (own >= 0 && own <= delka)) {
            // It ends by itself: nothing is restarted and no stop is needed. An unknown length ends
            // when the device says it no longer plays.
            z.delka = msToDays(std::max<qint64>(own, 0));
            z.jednou = true;
        } else {
            z.delka = msToDays(delka);
        }
    }
    prehravaneZvuky_.push_back(z);
    if (onRegistered_) {
        onRegistered_();
    }
    return z.id;
}

void SoundManager::tmrPrehravaniZvukuTimer() {
    if (zvukyZamceny_) {
        return;
    }
    const UtcTime now = clock_.utcNow();
    const auto othersPlay = [&](size_t self, const QString& file) {
        for (size_t i = 0; i < prehravaneZvuky_.size(); ++i) {
            if (i != self && prehravaneZvuky_[i].soubor.compare(file, Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
        return false;
    };
    std::vector<size_t> finished;
    for (size_t i = 0; i < prehravaneZvuky_.size(); ++i) {
        const TPrehravanyZvuk& z = prehravaneZvuky_[i];
        // Compared to the millisecond the clock has, not to the last bit of the day fraction.
        const bool ended = toMilliseconds(now - (z.start + z.delka)) >= 0;
        if (z.jednou) {
            const bool unknownLength = z.delka == 0;
            if (unknownLength ? !device_.isPlaying(z.soubor) : ended) {
                finished.push_back(i);
            }
        } else if (ended && z.delka != 0) {
            finished.push_back(i);
        } else if (!device_.isPlaying(z.soubor)) {
            device_.play(z.soubor);
        }
    }
    if (finished.empty()) {
        return;
    }
    zvukyZamceny_ = true;
    for (auto it = finished.rbegin(); it != finished.rend(); ++it) {
        const TPrehravanyZvuk z = prehravaneZvuky_[*it];
        // The same file may still be playing for another entry: then it goes on.
        if (!z.jednou && !othersPlay(*it, z.soubor)) {
            device_.stop(z.soubor);
        }
        prehravaneZvuky_.erase(prehravaneZvuky_.begin() + static_cast<std::ptrdiff_t>(*it));
    }
    zvukyZamceny_ = false;
}

void SoundManager::vypnoutUpozorneni() {
    zvukyZamceny_ = true;
    for (const TPrehravanyZvuk& z : prehravaneZvuky_) {
        device_.stop(z.soubor);
    }
    prehravaneZvuky_.clear();
    zvukyZamceny_ = false;
}

void SoundManager::ukoncitZvuk(int id) {
    for (TPrehravanyZvuk& z : prehravaneZvuky_) {
        if (z.id == id) {
            z.delka = 1.0 / MsPerDay;
            z.jednou = false;
        }
    }
}

} // namespace tavrok
