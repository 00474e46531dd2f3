#include "stopwatch/stopwatchoptions.h"

#include "storage/inifile.h"

#include <algorithm>

namespace tavrok {

namespace {
constexpr char16_t Section[] = u"dalsiNastaveniTavrok";
}

TDalsiTavrok nactiDalsiTvr(const IniFile& settings) {
    const IniSnapshot s = settings.snapshot();
    return {s.readBool(Section, u"zastavitDisplej", false), std::max(s.readInteger(Section, u"doba", 5000), MinFreezeMs)};
}

bool ulozDalsiTvr(IniFile& settings, const TDalsiTavrok& o) {
    IniBatch b(settings);
    b.writeBool(Section, u"zastavitDisplej", o.zastavitDisplej);
    b.writeInteger(Section, u"doba", std::max(o.doba, MinFreezeMs));
    return b.commit();
}

} // namespace tavrok
