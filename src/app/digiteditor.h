#pragma once

#include "common/datetime.h"

namespace tavrok {

// The digits of the main window as the editor sees them: the days and six time digits
// H1 H2 : M1 M2 : S1 S2, with the hours limited to 00..23.
struct TDigits {
    qint64 days = 0;
    int d[7] = {0, 0, 0, 0, 0, 0, 0}; // d[1]..d[6]: H1 H2 M1 M2 S1 S2 (d[0] unused: the days)

    friend bool operator==(const TDigits&, const TDigits&) = default;
};

// Digit positions: 0 days (reached only by carry and borrow), 1..6 the time digits.
namespace digits {

// Position after a move of the marker: 7 wraps to 1 and 0 to 6.
int wrap(int position);

// Types d at the position; false (and no change) when the digit is not allowed there.
bool typeDigit(TDigits& digits, int position, int d);

// The odometer: changes one digit by +1 or -1 with carry and borrow. A failed change leaves every digit
// as it was. With noDays (the alarm function) the days never change, so the time stops at the ends.
bool upravDisplej(TDigits& digits, int position, int delta, bool carry, bool noDays);

// The arrow keys: one digit up or down within its limit, never carrying.
bool raise(TDigits& digits, int position);
bool lower(TDigits& digits, int position);

} // namespace digits
} // namespace tavrok
