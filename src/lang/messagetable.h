#pragma once

#include <QString>
#include <array>
#include <utility>

namespace tavrok {

class IniSnapshot;

// The program-wide messages, numbered as the language files number them ("message1" ... "message86" in
// section "Messages"). 66 to 79 are this version's own: a settings file moved aside, a folder the
// settings cannot move to, a serial port that went away, a split hotkey another program holds, a
// desktop without global keys, a name split times cannot be saved under, an updater that is not
// installed, an update prepared for this start that no downloader can install, an alarm year no date
// can have, a split hotkey this desktop has no key for, a settings folder that cannot be written (its
// set copied to the configuration folder, and moved back or not), a move of the settings that failed
// half way and was taken back. 80 to 85 answer the command line and the session bus: a command refused
// while a box is open, a split without a running stopwatch, a pause without a running countdown, a
// length while one counts, a switch that cannot be read, a running program that did not answer, a reset of
// a running stopwatch. A
// language file loads over the built-in Czech texts; "%13" in a loaded text becomes a line break.
class MessageTable {
public:
    static constexpr int Count = 86;
    static constexpr int MovedAside = 66;
    static constexpr int UnusableFolder = 67;
    static constexpr int PortLost = 68;
    static constexpr int HotkeyTaken = 69;
    static constexpr int NoGlobalKeys = 70;
    static constexpr int SplitNameUnusable = 71;
    static constexpr int UpdaterMissing = 72;
    static constexpr int UpdateNotInstallable = 73;
    static constexpr int YearOutOfRange = 74;
    static constexpr int HotkeyNotHere = 75;
    static constexpr int SetTakenOver = 76;
    static constexpr int SetGivenBack = 77;
    static constexpr int SetNotGivenBack = 78;
    static constexpr int MoveFailed = 79;
    static constexpr int CommandWhileBox = 80;
    static constexpr int StopwatchNotRunning = 81;
    static constexpr int CountdownNotRunning = 82;
    static constexpr int LengthWhileCounting = 83;
    static constexpr int UsageError = 84;
    static constexpr int NoAnswer = 85;
    static constexpr int ResetWhileRunning = 86;

    MessageTable();

    // Message n (1..Count); an empty text for any other number.
    const QString& text(int n) const;

    // Takes every message from the file, the built-in text where a key is missing.
    void nacti(const IniSnapshot& languageIni);

    static QString builtIn(int n);

private:
    std::array<QString, Count> texts_;
};

// Replaces every occurrence of each placeholder by plain text replacement, in one pass from left to
// right, so a replacement text is never searched again; the longer placeholder wins ("%d1" before "%d").
QString fillPlaceholders(QStringView text, std::initializer_list<std::pair<QStringView, QString>> values);

// The common case: every "%d" replaced by one text (a path, a name, a value).
inline QString fillPlaceholders(QStringView text, const QString& d) {
    return fillPlaceholders(text, {{u"%d", d}});
}

} // namespace tavrok
