#include "display/displayselection.h"

#include "lang/language.h"

#include <algorithm>
#include <iterator>

namespace tavrok {

namespace {

// The language keys of the field's positions, in their order; 0 is "nothing".
constexpr const char16_t* PositionKeys[] = {
    u"SCNic",        u"SCDny",       u"SCDnyOdd",     u"SCHodiny10",    u"SCHodiny1",
    u"SCHodinyOdd",  u"SCMinuty10",  u"SCMinuty1",    u"SCMinutyOdd",   u"SCSekundy10",
    u"SCSekundy1",   u"SCSekundyOdd", u"SCMilisek100", u"SCMilisek10",  u"SCMilisek1"};

QString word(const Language& language, QStringView key) {
    return language.word(u"frmNastaveniDispleje", key);
}

} // namespace

VisibleRange rangeFromSelection(int start, int length) {
    const int textLength = static_cast<int>(std::size(SelectionText)) - 1;
    start = std::clamp(start, 0, textLength);
    length = std::clamp(length, 0, textLength - start);
    VisibleRange r;
    r.dny = start < 1 && start + length >= 1;
    r.oddelovac = start < 2 && start + length >= 2;
    r.od = start >= 2 ? start - 2 : 0;
    r.do_ = std::clamp(start + length - 2, 0, 12);
    return r;
}

Selection selectionFromRange(const VisibleRange& r) {
    const bool time = r.od < r.do_;
    const int start = r.dny ? 0 : r.oddelovac ? 1 : time ? r.od + 2 : 0;
    const int end = time ? r.do_ + 2 : r.oddelovac ? 2 : r.dny ? 1 : start;
    return {start, std::max(end - start, 0)};
}

QString positionName(int position, const Language& language) {
    if (position < 0 || position >= static_cast<int>(std::size(PositionKeys))) {
        position = 0;
    }
    return word(language, PositionKeys[position]);
}

RangeCaptions rangeCaptions(int start, int length, const Language& language) {
    const QString od = word(language, u"od") + u' ';
    const QString do_ = word(language, u"do") + u' ';
    if (length <= 0) {
        return {od + positionName(0, language), do_ + positionName(0, language)};
    }
    return {od + positionName(start + 1, language), do_ + positionName(start + length, language)};
}

} // namespace tavrok
