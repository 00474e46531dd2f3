#pragma once

#include "display/displaysettings.h"

#include <QString>

namespace tavrok {

// The field that chooses what the display shows: its text, "0;00:00:00,000", selected in part.
inline constexpr char16_t SelectionText[] = u"0;00:00:00,000";

// The range a selection of `length` characters from `start` shows.
VisibleRange rangeFromSelection(int start, int length);

struct Selection {
    int start = 0;
    int length = 0;
};
// The selection that shows a range (the field is selected so when the dialog opens).
Selection selectionFromRange(const VisibleRange& range);

class Language;

// The name of a position of the field, counted from 1 (0 is "nothing"), in the language.
QString positionName(int position, const Language& language);
// The two range captions: "od: ..." and "do: ...".
struct RangeCaptions {
    QString od;
    QString do_;
};
RangeCaptions rangeCaptions(int start, int length, const Language& language);

} // namespace tavrok
