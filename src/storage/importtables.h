#pragma once

#include <QString>
#include <span>

namespace tavrok {

// What import and export carry, key by key: where a value comes from, how it is read and what is
// written when the source lacks it.

enum class PortType { Text, Bool, Integer, Float, DateTime, Time, Colour };

// Defaults that depend on the screen the program runs on.
enum class PortPlace { None, MainLeft, MainTop, MainHeight, DisplayLeft, DisplayTop };

struct PortKey {
    const char16_t* section;     // in the target file
    const char16_t* key;
    const char16_t* fromSection; // in the source file; the same as the target's when null
    const char16_t* fromKey;
    PortType type;
    const char16_t* def; // in the stored form of its type
    PortPlace place = PortPlace::None;
};

// The keys of one alarm's section. In the conversion of the old alarm file the keys from
// `NewAlarmKeysFrom` on did not exist yet; `doNekonecna` was called `nekonecno`.
std::span<const PortKey> alarmKeys();
inline constexpr size_t NewAlarmKeysFrom = 22;
inline constexpr char16_t OldDoNekonecna[] = u"nekonecno";

// The settings of the old Tavrok.dat, mapped to Nastaveni.ini.
std::span<const PortKey> oldSettingsKeys();
// The settings of Nastaveni.ini carried from one file to another, in the order they are copied.
std::span<const PortKey> settingsKeys();

// The advance notices: their count, and the list it numbers.
inline constexpr char16_t AdvanceSection[] = u"dalsiNastaveniOdpocit";
inline constexpr char16_t AdvanceCount[] = u"pocetUpozorneni";
inline constexpr char16_t AdvanceList[] = u"dalsiNastaveniOdpocit-Upozorneni";

} // namespace tavrok
