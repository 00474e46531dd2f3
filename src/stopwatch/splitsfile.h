#pragma once

#include <QString>
#include <QStringList>

namespace tavrok {

class IniFile;
class IniSnapshot;

// A file of saved split-time sets (Mezicasy.ini or one the user chose): "info" lists the set names in
// the order they were saved, each set is a section of its name with its lines and split counter.
struct SplitSet {
    QStringList lines;
    int counter = 0;
};

// The saved names, newest first, as the name list shows them, each with its place in "info" (1 = the
// oldest). An entry the file lacks is left out.
struct SplitEntry {
    QString name;
    int position = 0;
};
QList<SplitEntry> seznamMezicasu(const IniSnapshot& file);
QStringList nazvyMezicasu(const IniSnapshot& file);

enum class SplitNameCheck {
    Ok,
    Empty,      // message 41
    Exists,     // message 43
    Unstorable, // a name that cannot head a section, or the list's own section
};
// The name is compared with the saved ones as the file compares section names (without regard to
// case), so a new set never writes into another's section.
SplitNameCheck checkSplitName(const IniSnapshot& file, const QString& name);

// Adds a set under a new name, as one atomic change of the file.
bool ulozMezicasy(IniFile& file, const QString& name, const SplitSet& set);

// The lines of a set; a missing line reads as an empty one. A count larger than the lines the section
// holds is cut to them: a hand-edited count never floods the list.
SplitSet nactiMezicasy(const IniSnapshot& file, const QString& name);

// Deletes the set listed at `position` (1 = oldest) named `name`: the later names move up one place and
// its section goes, as one atomic change.
bool vymazMezicasy(IniFile& file, int position, const QString& name);

// Marks a splits file as the program's: "info"/"program" and "verzeProgramu".
bool oznacSouborMezicasu(IniFile& file);

} // namespace tavrok
