#include "stopwatch/continuation.h"


#include "common/programlog.h"
#include "common/timeformat.h"
#include "countdown/countdown.h"
#include "stopwatch/stopwatch.h"
#include "storage/inifile.h"

#include <cmath>

namespace tavrok::pokracovani {

namespace {
constexpr char16_t TavrokSection[] = u"pokracovaniTavrek";
constexpr char16_t SplitsSection[] = u"pokracovaniTavrek-mezicasy";
constexpr char16_t OdpocetSection[] = u"pokracovaniOdpocitavani";

int stateFor(RunningChoice choice) {
    return choice == RunningChoice::Pause ? Paused : choice == RunningChoice::KeepRunning ? KeptRunning : 0;
}
} // namespace

Setting volba(const IniFile& settings) {
    const IniSnapshot s = settings.snapshot();
    if (s.readBool(u"nastaveni", u"zeptat", false)) {
        return Setting::Ask;
    }
    if (s.readBool(u"nastaveni", u"pozastavit", false)) {
        return Setting::Pause;
    }
    if (s.readBool(u"nastaveni", u"nechat", false)) {
        return Setting::KeepRunning;
    }
    return Setting::Stop;
}

bool ulozPokracovaniTavrek(IniFile& settings, const Stopwatch& stopwatch, RunningChoice choice, bool zastaveno) {
    const int stav = stateFor(choice);
    if (stav == 0) {
        return true;
    }
    IniBatch batch(settings); // one replacement: the state, the time and the splits belong together
    batch.writeInteger(TavrokSection, u"stav", stav);
    batch.writeFloat(TavrokSection, u"cas", stav == Paused ? stopwatch.elapsed() : localFromUtc(stopwatch.start()).days());
    const QStringList& lines = stopwatch.splits().items();
    batch.writeInteger(TavrokSection, u"pocetMezicasu", static_cast<int>(lines.size()));
    batch.writeInteger(TavrokSection, u"posledniMezicas", stopwatch.splits().counter());
    batch.writeBool(TavrokSection, u"ulozeno", stopwatch.splitsSaved());
    if (zastaveno) {
        batch.writeBool(TavrokSection, u"zastaveno", true);
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        batch.writeString(SplitsSection, QStringLiteral("cas%1").arg(i + 1), lines[i]);
    }
    return batch.commit();
}

bool ulozPokracovaniOdpocitavani(IniFile& settings, const Countdown& countdown, RunningChoice choice,
                                 bool opakovat, const QString& zprava, bool zastaveno) {
    const int stav = stateFor(choice);
    if (stav == 0) {
        return true;
    }
    IniBatch batch(settings);
    batch.writeInteger(OdpocetSection, u"stav", stav);
    batch.writeFloat(OdpocetSection, u"cas", stav == Paused ? countdown.left() : localFromUtc(countdown.start()).days());
    batch.writeFloat(OdpocetSection, u"delkaOdpocitavani", countdown.span());
    batch.writeBool(OdpocetSection, u"opakovat", opakovat);
    batch.writeString(OdpocetSection, u"zprava", zprava);
    if (zastaveno) {
        batch.writeBool(OdpocetSection, u"zastaveno", true);
    }
    return batch.commit();
}

std::optional<Tavrok> nactiTavrok(const IniSnapshot& s) {
    Tavrok t;
    t.stav = s.readInteger(TavrokSection, u"stav", 0);
    if (t.stav != Paused && t.stav != KeptRunning) {
        return std::nullopt;
    }
    t.cas = s.readFloat(TavrokSection, u"cas", 0);
    const int n = std::clamp(s.readInteger(TavrokSection, u"pocetMezicasu", 0), 0,
                             static_cast<int>(s.keyNames(SplitsSection).size()));
    for (int i = 1; i <= n; ++i) {
        t.mezicasy << s.readString(SplitsSection, QStringLiteral("cas%1").arg(i));
    }
    t.posledniMezicas = s.readInteger(TavrokSection, u"posledniMezicas", 0);
    t.ulozeno = s.readBool(TavrokSection, u"ulozeno", false);
    t.zastaveno = t.stav == Paused && s.readBool(TavrokSection, u"zastaveno", false);
    return t;
}

std::optional<Odpocet> nactiOdpocet(const IniSnapshot& s) {
    Odpocet o;
    o.stav = s.readInteger(OdpocetSection, u"stav", 0);
    if (o.stav != Paused && o.stav != KeptRunning) {
        return std::nullopt;
    }
    o.cas = s.readFloat(OdpocetSection, u"cas", 0);
    o.delka = s.readFloat(OdpocetSection, u"delkaOdpocitavani", 0);
    // Hand-edited beyond what a countdown can be: a length the digits cannot show, a moment no date has,
    // a span under a second (repeated, it would end again at every tick).
    if (!isShowableLength(o.delka) || !(std::abs(o.cas) <= LastDay)) {
        return std::nullopt;
    }
    if (toMilliseconds(o.delka) < 1000) {
        zapisDoLogu(QStringLiteral("the countdown to continue was not resumed: its length %1 ms is under a second")
                        .arg(toMilliseconds(o.delka)));
        return std::nullopt;
    }
    o.opakovat = s.readBool(OdpocetSection, u"opakovat", false);
    o.zprava = s.readString(OdpocetSection, u"zprava");
    o.zastaveno = o.stav == Paused && s.readBool(OdpocetSection, u"zastaveno", false);
    return o;
}

bool smaz(IniFile& settings) {
    IniBatch batch(settings);
    batch.eraseSection(TavrokSection);
    batch.eraseSection(SplitsSection);
    batch.eraseSection(OdpocetSection);
    return batch.commit();
}

} // namespace tavrok::pokracovani
