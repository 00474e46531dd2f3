#pragma once

namespace tavrok {

class IniFile;

// The stopwatch's options, section "dalsiNastaveniTavrok": a split holds the separate display on the
// split time for `doba` milliseconds.
struct TDalsiTavrok {
    bool zastavitDisplej = false;
    int doba = 5000;
    bool operator==(const TDalsiTavrok&) const = default;
};

// The shortest freeze: a freeze of nothing (or less) would never end.
inline constexpr int MinFreezeMs = 1;

TDalsiTavrok nactiDalsiTvr(const IniFile& settings);
// One replacement of the file: false when it could not be written.
bool ulozDalsiTvr(IniFile& settings, const TDalsiTavrok& options);

} // namespace tavrok
