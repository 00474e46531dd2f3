#include "alarms/alarmeditor.h"

#include "lang/messagetable.h"
#include "platform/questions.h"
#include "storage/inifile.h"

#include <algorithm>

namespace tavrok {

std::optional<TDateTime> AlarmEditor::datum(TDateTime cas, TDateTime now) const {
    TNactenyBudik b = budik;
    b.cas = cas;
    return nejblizsiDatum(b, now);
}

AlarmEditor::DateLabel AlarmEditor::obnov(std::optional<TDateTime> date, TDateTime now, const DayNames& days) {
    DateLabel label;
    const bool on = budik.zapnuty();
    if (date && *date > now) {
        budik.stav = on ? 3 : 2;
        const DateParts d = decodeDate(*date);
        label.text = QStringLiteral("%1.%2.%3 ").arg(d.day).arg(d.month).arg(d.year) + days.forWeekday(dayOfWeek(*date));
        const TDateTime day = dateOf(*date);
        label.colour = day == dateOf(now) ? LabelColour::Lime : day == dateOf(now) + 1 ? LabelColour::Yellow
                                                                                      : LabelColour::Face;
    } else {
        budik.stav = on ? 1 : 0;
    }
    return label;
}

bool AlarmEditor::btnBudNacistClick(const QString& typedName, const IniFile& alarmsIni, Questions& questions,
                                    const MessageTable& messages) {
    const QString name = typedName.trimmed();
    if (name.isEmpty()) {
        if (!tichyNacteni) {
            questions.tell(messages.text(30), MessageIcon::Warning);
        }
        tichyNacteni = false;
        return false;
    }
    if (name == AlarmSeparator) {
        questions.tell(messages.text(31), MessageIcon::Error);
        return false;
    }
    if (isListSection(name)) {
        questions.tell(messages.text(32), MessageIcon::Error);
        tichyNacteni = false;
        return false;
    }
    tichyNacteni = false;
    budik = nactiBudik(alarmsIni.snapshot(), name);
    nazevBudikuZmenen = false;
    nacteny = true;
    upraven = false;
    return true;
}

void AlarmEditor::zapniVypniBudik() {
    zmenen();
    static constexpr std::uint8_t Switched[] = {1, 0, 3, 2};
    budik.stav = Switched[budik.stav & 3];
}

bool AlarmEditor::btnBudUlozitClick(const QString& typedName, TDateTime cas, const QString& zprava, IniFile& alarmsIni,
                                    TDateTime now, Questions& questions, const MessageTable& messages) {
    const QString name = typedName.trimmed();
    if (name.isEmpty()) {
        questions.tell(messages.text(22), MessageIcon::Warning);
        return false;
    }
    if (name == AlarmSeparator || isListSection(name) || !fitsSectionHeader(name)) {
        questions.tell(messages.text(23), MessageIcon::Error);
        return false;
    }
    const auto date = datum(cas, now);
    if (!date || *date == 0) {
        questions.tell(messages.text(24), MessageIcon::Error);
        return false;
    }
    if (!budik.zapnuty()) {
        switch (questions.ask(messages.text(25), MessageIcon::Warning, MessageButtons::YesNoCancel)) {
        case Answer::Yes:
            break;
        case Answer::No:
            zapniVypniBudik();
            break;
        default:
            return false;
        }
    }
    bool listed = false;
    for (const QString& n : nazvyBudiku(alarmsIni.snapshot())) {
        listed |= n.compare(name, Qt::CaseInsensitive) == 0;
    }
    if (listed && nazevBudikuZmenen &&
        questions.ask(messages.text(26), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
        return false;
    }
    TNactenyBudik b = budik;
    b.cas = cas;
    b.zprava = zprava;
    if (!ulozBudik(alarmsIni, name, b, now)) {
        questions.tell(fillPlaceholders(messages.text(27), alarmsIni.path()), MessageIcon::Error);
        return false;
    }
    upraven = false;
    return true;
}

bool AlarmEditor::btnBudVymazatClick(const QString& typedName, IniFile& alarmsIni, Questions& questions,
                                     const MessageTable& messages) {
    const QString name = typedName.trimmed();
    if (name.isEmpty()) {
        questions.tell(messages.text(33), MessageIcon::Error);
        return false;
    }
    if (isListSection(name) || !alarmsIni.sectionExists(name)) {
        questions.tell(messages.text(32), MessageIcon::Error);
        return false;
    }
    if (!vymazBudik(alarmsIni, name)) {
        questions.tell(fillPlaceholders(messages.text(34), alarmsIni.path()), MessageIcon::Warning);
    }
    tichyNacteni = true;
    return true;
}

bool AlarmEditor::btnBudVymazatVseClick(const IniFile& alarmsIni, Questions& questions,
                                        const MessageTable& messages) {
    if (questions.ask(messages.text(28), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
        return false;
    }
    if (!vymazVsechnyBudiky(alarmsIni)) {
        questions.tell(fillPlaceholders(messages.text(29), alarmsIni.path()), MessageIcon::Error);
    }
    return true;
}

bool AlarmEditor::muzeZavrit(bool listHasAlarms, bool kontrolovat, Questions& questions,
                             const MessageTable& messages) {
    if (nacteny || !upraven || !listHasAlarms || !kontrolovat) {
        return true;
    }
    return questions.ask(messages.text(15), MessageIcon::Warning, MessageButtons::YesNo) == Answer::Yes;
}

} // namespace tavrok
