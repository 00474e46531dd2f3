#include "display/displayselection.h"

#include <algorithm>
#include <iterator>

namespace tavrok {

namespace {

constexpr const char16_t* PositionNames[] = {
    u"(nic)",           u"Dny",              u"Oddělovač dnů",    u"Desítky hodin",    u"Jednotky hodin",
    u"Oddělovač hodin", u"Desítky minut",    u"Jednotky minut",   u"Oddělovač minut",  u"Desítky sekund",
    u"Jednotky sekund", u"Oddělovač sekund", u"Desetiny sekundy", u"Setiny sekundy",   u"Tisíciny sekundy"};

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

QString positionName(int position) {
    if (position < 0 || position >= static_cast<int>(std::size(PositionNames))) {
        return QString::fromUtf16(PositionNames[0]);
    }
    return QString::fromUtf16(PositionNames[position]);
}

RangeCaptions rangeCaptions(int start, int length) {
    if (length <= 0) {
        return {QStringLiteral("od: ") + positionName(0), QStringLiteral("do: ") + positionName(0)};
    }
    return {QStringLiteral("od: ") + positionName(start + 1), QStringLiteral("do: ") + positionName(start + length)};
}

} // namespace tavrok
