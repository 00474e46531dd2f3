#include "display/displayfeed.h"

#include "app/programstate.h"
#include "common/timeformat.h"
#include "display/displaylayout.h"

namespace tavrok {

namespace {

// The unit of each label that shows a digit, in milliseconds; separators have none.
constexpr qint64 LabelUnitMs[] = {86'400'000, 0, 36'000'000, 3'600'000, 0, 600'000, 60'000, 0,
                                  10'000,     1'000, 0,       100,       10,        1};
static_assert(std::size(LabelUnitMs) == DisplayLabelCount);

qint64 smallestVisibleUnitMs(const VisibleRange& range) {
    qint64 unit = 0;
    for (int label = 0; label < DisplayLabelCount; ++label) {
        if (isLabelVisible(range, label) && LabelUnitMs[label] > 0) {
            unit = LabelUnitMs[label];
        }
    }
    return unit;
}

DisplayText fromParts(const DisplayParts& p, const QString& dayString) {
    return {dayString, p.hours, p.minutes, p.seconds, p.millis};
}

DisplayText ofDuration(TDateTime value) {
    const DisplayParts p = dekodujCasProDisplej(value);
    return fromParts(p, p.days + u';');
}

} // namespace

DisplayText resetDisplayText() {
    return {QStringLiteral("0;"), QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("00"),
            QStringLiteral("000")};
}

DisplayText zobrazNaSamostatnemDispleji(bool roundUp, TDateTime value, const VisibleRange& range) {
    if (roundUp) {
        if (const qint64 unit = smallestVisibleUnitMs(range); unit > 0) {
            value += (unit - 1) / MsPerDay;
        }
    }
    return ofDuration(value);
}

std::optional<DisplayText> displayFeed(const ProgramState& state, LocalTime now) {
    const TDateTime localNow = now.days();
    const TNastaveniDispleje& d = state.displej;
    const auto countdown = [&] {
        return zobrazNaSamostatnemDispleji(d.zaokrouhlovatNahoru, state.countdown.left(), d.rozsah);
    };
    switch (d.zdroj) {
    case DisplaySource::Tavrok:
        if (state.displejZmrazen) {
            return std::nullopt;
        }
        return ofDuration(state.stopwatch.elapsed());
    case DisplaySource::Odpocitavani:
        return countdown();
    case DisplaySource::Hodiny: {
        const DateParts date = decodeDate(localNow);
        // Two-digit day and month: the measuring template takes a date for "dd.mm.yyyy ".
        const QString day = QStringLiteral("%1.%2.%3 ")
                                .arg(date.day, 2, 10, QChar(u'0'))
                                .arg(date.month, 2, 10, QChar(u'0'))
                                .arg(date.year);
        return fromParts(dekodujCasProDisplej(timeOf(localNow)), day);
    }
    case DisplaySource::Okno:
        switch (state.function()) {
        case Funkce::Budik:
            return fromParts(dekodujCasProDisplej(timeOf(state.editor.budik.cas)), QStringLiteral("0;"));
        case Funkce::Tavrok:
            if (state.displejZmrazen) {
                return std::nullopt;
            }
            return ofDuration(state.stopwatch.elapsed());
        case Funkce::Odpocit:
            return state.countdown.running() ? countdown() : ofDuration(state.countdown.left());
        }
    }
    return std::nullopt;
}

bool displayRuns(const ProgramState& state) {
    switch (state.displej.zdroj) {
    case DisplaySource::Tavrok:
        return state.stopwatch.running();
    case DisplaySource::Odpocitavani:
        return state.countdown.running();
    case DisplaySource::Hodiny:
        // The clock tick comes at every whole second; finer positions need frames.
        return smallestVisibleUnitMs(state.displej.rozsah) < 1000;
    case DisplaySource::Okno:
        return state.function() == Funkce::Tavrok   ? state.stopwatch.running()
               : state.function() == Funkce::Odpocit ? state.countdown.running()
                                                     : false;
    }
    return false;
}

bool freezesOnSplit(const ProgramState& state) {
    return (state.tavrokOptions.zastavitDisplej && state.displej.zdroj == DisplaySource::Tavrok) ||
           (state.displej.zdroj == DisplaySource::Okno && state.function() == Funkce::Tavrok);
}

} // namespace tavrok
