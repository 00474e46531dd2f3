// The next-occurrence scheduler and the missed-alarm search with any field values: days and months out
// of range, year 0 and 65535, and any time of day and "now", NaN and infinities included. No answer may
// be NaN or infinite, and an occurrence lies on the alarm's time of day.
#include "alarms/alarmfile.h"
#include "alarms/missedalarms.h"
#include "alarms/scheduler.h"
#include "fuzz/fuzzinput.h"

#include <cmath>

using namespace tavrok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    TNactenyBudik a;
    a.OD = in.byte(), a.OM = in.byte(), a.OR = in.word();
    a.DD = in.byte(), a.DM = in.byte(), a.DR = in.word();
    a.KD = in.byte(), a.KM = in.byte(), a.KR = in.word();
    a.vzdy = in.weekdays(a) & 128;
    a.doNekonecna = in.flag();
    a.stav = in.byte() % 4;
    const bool wild = in.flag();
    // Mostly sane moments, so the search runs deep; sometimes any bit pattern at all.
    a.cas = wild ? in.anyDouble() : (in.word() % 86400) / 86400.0;
    const TDateTime now = wild ? in.anyDouble() : 2 + in.word() * 4.0 + in.word() / 65536.0;
    const TDateTime base = wild ? in.anyDouble() : now - in.word() / 16.0;

    const auto next = vypoctiNejblizsiDatumBudiku(a.OD, a.OM, a.OR, a.DD, a.DM, a.DR, a.KD, a.KM, a.KR, a.Po, a.Ut, a.St,
                                                  a.Ct, a.Pa, a.So, a.Ne, a.vzdy, a.doNekonecna, a.cas, now);
    if (next) {
        FUZZ_CHECK(std::isfinite(*next), "an occurrence is a finite moment");
        if (!wild && *next != 0) {
            FUZZ_CHECK(*next >= *tryEncodeDate(1, 1, 1) && *next <= *tryEncodeDate(9999, 12, 31) + 1,
                       "an occurrence is a date the program can show");
        }
        if (!wild && *next > 0) {
            const double timeOfDay = *next - std::floor(*next);
            FUZZ_CHECK(std::abs(timeOfDay - a.cas) < 1e-6 || std::abs(timeOfDay - a.cas) > 1 - 1e-6,
                       "an occurrence lies on the alarm's time");
        }
    }
    (void)nejblizsiDatum(a, now);
    const TDateTime missed = vypoctiNejblizsiDatumZmeskanehoBudiku(a, base, now);
    FUZZ_CHECK(!std::isnan(missed), "a missed occurrence is a number");
    if (!wild && missed != 0) {
        FUZZ_CHECK(missed > base - 1e-9 && missed <= now + 1e-9, "a missed occurrence lies between base and now");
    }
    return 0;
}
