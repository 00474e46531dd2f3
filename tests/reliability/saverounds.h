#pragma once

// The saves the kill test makes, round by round, through the program's own save functions: the
// settings record, an alarm saved or deleted, a split set, the separate display's and the serial
// port's settings. Both the writer that is killed and the test that checks its files use this, so the
// test knows what each round wrote.
#include "alarms/alarmfile.h"
#include "display/displaysettings.h"
#include "display/seriovyport.h"
#include "stopwatch/splitsfile.h"
#include "storage/inifile.h"
#include "storage/nastaveni.h"

#include <QString>
#include <map>
#include <optional>

namespace tavrok::reliability {

enum class Kind { Settings, Alarm, Splits, Display, Serial };
inline Kind kindOf(int round) {
    return static_cast<Kind>(round % 5);
}

inline TNastaveni settingsFor(int round) {
    TNastaveni n;
    n.spustitMinimalizovane = round & 1;
    n.zobrazovatBudiky = round & 2;
    n.ukonceni = static_cast<TNastaveni::Ukonceni>(round / 5 % 4);
    n.pozice = static_cast<TNastaveni::Pozice>(round / 5 % 3);
    n.poziceX = round;
    n.poziceY = -round;
    n.vyska = 200 + round % 300;
    n.stahovani = static_cast<TNastaveni::Stahovani>(round / 5 % 3);
    n.jazyk = round / 5 % 2 ? QStringLiteral("English") : QStringLiteral("Cesky");
    return n;
}

inline QString alarmName(int round) {
    return QStringLiteral("Budík č. %1").arg(round / 5 % 7);
}
inline bool deletesAlarm(int round) {
    return round / 5 % 4 == 3;
}
inline TNactenyBudik alarmFor(int round) {
    TNactenyBudik b;
    b.cas = (round % 1440) / 1440.0;
    b.zprava = QStringLiteral("Zpráva kola %1 ").arg(round) + QString(round % 300, u'ž');
    b.stav = round & 1;
    b.vzdy = round & 2;
    b.OD = static_cast<std::uint8_t>(1 + round % 28);
    b.OM = static_cast<std::uint8_t>(1 + round % 12);
    b.OR = static_cast<std::uint16_t>(2020 + round % 30);
    b.Po = round & 4;
    return b;
}

// A split set is saved under a new name (the manager refuses an existing one), or the oldest is deleted.
inline QString splitName(int round) {
    return QStringLiteral("Sada %1").arg(round);
}
inline bool deletesOldestSplits(int round) {
    return round / 5 % 3 == 2;
}
inline SplitSet splitsFor(int round) {
    SplitSet s;
    for (int i = 0; i < 1 + round % 40; ++i) {
        s.lines << QStringLiteral("%1.  0;00:%2:%3,000").arg(i + 1).arg(i % 60, 2, 10, QChar(u'0')).arg(round % 60, 2, 10, QChar(u'0'));
    }
    s.counter = static_cast<int>(s.lines.size());
    return s;
}

inline TNastaveniDispleje displayFor(int round) {
    TNastaveniDispleje d;
    d.barvaTextu = static_cast<quint32>(round * 7919) & 0xFFFFFF;
    d.vzdyNahore = round & 1;
    d.skrytOvladani = round;
    return d;
}

inline TNastaveniSerioveho serialFor(int round) {
    TNastaveniSerioveho s;
    s.port = QStringLiteral("/dev/ttyUSB%1").arg(round % 3);
    s.delka = round;
    s.negace[round % 4] = true;
    return s;
}

struct Files {
    QString folder;
    QString settings() const { return folder + QStringLiteral("/Nastaveni.ini"); }
    QString alarms() const { return folder + QStringLiteral("/Budiky.ini"); }
    QString splits() const { return folder + QStringLiteral("/Mezicasy.ini"); }
};

// Makes round `round`'s save; false when the save reports failure.
inline bool save(const Files& files, int round) {
    switch (kindOf(round)) {
    case Kind::Settings: {
        IniFile f(files.settings());
        return ulozNastaveni(f, settingsFor(round));
    }
    case Kind::Alarm: {
        IniFile f(files.alarms());
        return deletesAlarm(round) ? vymazBudik(f, alarmName(round))
                                   : ulozBudik(f, alarmName(round), alarmFor(round), 46000 + round / 1440.0);
    }
    case Kind::Splits: {
        IniFile f(files.splits());
        if (deletesOldestSplits(round)) {
            const QList<SplitEntry> sets = seznamMezicasu(f.snapshot()); // newest first
            return sets.isEmpty() || vymazMezicasy(f, sets.last().position, sets.last().name);
        }
        return ulozMezicasy(f, splitName(round), splitsFor(round));
    }
    case Kind::Display: {
        IniFile f(files.settings());
        return ulozNastaveniDispleje(f, displayFor(round));
    }
    case Kind::Serial: {
        IniFile f(files.settings());
        return ulozNastaveniSerioveho(f, serialFor(round));
    }
    }
    return false;
}

} // namespace tavrok::reliability
