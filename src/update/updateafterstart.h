#pragma once

#include <QString>

namespace tavrok {

class IniFile;
class Launcher;
class MessageTable;
class Questions;

namespace aktualizace {

// How the downloader must be started: as the user, or with an administrator's rights where the user
// cannot write the program's files.
enum class Opravneni { Open, Runas };

// Creates the download folder and tries to write in it and in the program folder. The probes are files
// of their own, so a file of the user's is never overwritten.
Opravneni zkusitZapis(const QString& programFolder);

enum class PoSpusteni { Pokracovat, Ukoncit };

// An update the updater prepared for this start ("aktualizovatPoSpusteni"): handed to the downloader,
// after which the program ends at once. Without a downloader, with no way to get the rights it needs, or
// when the flag cannot be cleared, the user is told and the start goes on. An update nothing can install
// is dropped (the flag cleared), so it is told once, not at every start. Message 63 left without its
// button (the session ended) starts nothing.
PoSpusteni aktualizujPoSpusteni(IniFile& settings, const QString& programFolder, Questions& questions,
                                const MessageTable& messages, Launcher& launcher);

} // namespace aktualizace

} // namespace tavrok
