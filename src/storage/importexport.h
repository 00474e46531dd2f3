#pragma once

#include <QString>
#include <functional>

namespace tavrok {

class MessageTable;
class Questions;

// One side of an import or export: the three files of the current versions, and the folder where the
// files of versions older than 2.5 (Tavrok.bud, Tavrok.cas, Tavrok.dat) are looked for.
struct PortSide {
    QString oldFolder;
    QString budiky;
    QString mezicasy;
    QString nastaveni;

    // The files of both kinds in one folder, as the user keeps them.
    static PortSide folder(const QString& folder);
};

// Where the windows stand when nothing says otherwise, written on export for a missing position.
struct PlacementDefaults {
    int mainLeft = 0;
    int mainTop = 0;
    int mainHeight = 0;
    int displayLeft = 0;
    int displayTop = 0;
};

// Whether a folder holds anything to import: one of the six files, looked for in their order.
bool najdiNastaveniKPortovani(const QString& folder);

struct PortOutcome {
    enum class Result { Done, Cancelled, Failed };
    Result result = Result::Done;
    QString failedPath; // the target that could not be written
    bool alarmsWritten = false;
    bool splitsWritten = false;
    bool settingsWritten = false;
};

// Carries alarms, split-time sets and settings from `source` to `target` and converts the files of
// old versions on the way. An import writes only what the source has; an export writes every key,
// with its default where the source lacks it. A name the target already has is overwritten only
// after message 60 or 61; Cancel ends the whole routine.
//
// Each target is written as one whole file at the end. When one cannot be written, message 51 names
// it and every target written before it is put back as it was, so a failure never leaves half an
// import. Cancel keeps what was carried before it. `written` runs once the files are written (the
// program reads its lists again there), before message 62 reports success.
PortOutcome portujNastaveni(const PortSide& source, const PortSide& target, bool exportuje, Questions& questions,
                            const MessageTable& messages, const PlacementDefaults& places,
                            const std::function<void(const PortOutcome&)>& written = {});

} // namespace tavrok
