#pragma once

#include "alarms/alarmfile.h"
#include "common/daynames.h"

namespace tavrok {

class IniFile;
class MessageTable;
class Questions;

// The alarm being edited in the main window: loading, saving, switching and deleting it, with the
// questions and refusals of each. The window shows the result; the time of day comes from its digits.
class AlarmEditor {
public:
    TNactenyBudik budik;
    bool nazevBudikuZmenen = false;
    bool tichyNacteni = false;
    bool nacteny = false; // loaded and unchanged since: the name box is lime green
    bool upraven = false; // changed by the user since the last load or save: closing asks first

    // Loads the alarm of that name from the file (its date label then comes from the list, obnov).
    bool btnBudNacistClick(const QString& name, const IniFile& alarmsIni, Questions& questions,
                           const MessageTable& messages);
    // Saves the alarm with the time on the digits and the message; false when refused or failed.
    bool btnBudUlozitClick(const QString& name, TDateTime cas, const QString& zprava, IniFile& alarmsIni,
                           TDateTime now, Questions& questions, const MessageTable& messages);
    bool btnBudVymazatClick(const QString& name, IniFile& alarmsIni, Questions& questions,
                            const MessageTable& messages);
    // True when the list was deleted (or had nothing to delete).
    bool btnBudVymazatVseClick(const IniFile& alarmsIni, Questions& questions, const MessageTable& messages);
    void zapniVypniBudik();
    // The user changed the name or a field: the name box loses its green.
    void zmenen() {
        nacteny = false;
        upraven = true;
    }
    // May the program close? Asks message 15 for an alarm changed and not saved.
    bool muzeZavrit(bool listHasAlarms, bool kontrolovat, Questions& questions, const MessageTable& messages);

    enum class LabelColour { Face, Lime, Yellow };
    struct DateLabel {
        QString text;
        LabelColour colour = LabelColour::Face;
    };
    // The date label for a date; the state follows whether the date lies after now.
    DateLabel obnov(std::optional<TDateTime> date, TDateTime now, const DayNames& days);

    // The edited alarm's date with the time on the digits.
    std::optional<TDateTime> datum(TDateTime cas, TDateTime now) const;
};

} // namespace tavrok
