#pragma once

#include "common/datetime.h"
#include "platform/desktopnotifications.h"

#include <QString>

#include <functional>
#include <map>

namespace tavrok {

class Clock;
class IniFile;
class OdlozeneBudiky;
class SoundManager;

// Something that rang: an alarm, the end of the countdown or one of its advance notices.
struct Zazvoneni {
    enum class Druh { Budik, KonecOdpocitavani, UpozorneniPredem };
    Druh druh = Druh::Budik;
    QString nazev;          // the alarm's name; the countdown's is the function's
    QString zprava;         // the message its box shows, empty for none
    int soundId = -1;       // the sound it started, -1 for none
    TDateTime zpozdeni = 0; // how late an alarm rang (the computer slept), 0 on time
};

// The words of the rings' notices and boxes, from the language file (section "oznameni").
struct TextyZvoneni {
    QString vypnoutZvuk = QStringLiteral("Vypnout zvuk");
    QString odlozit = QString::fromUtf16(u"Odložit");
    QString odpocitavani = QString::fromUtf16(u"Odpočítávání");
    QString zpozdeni = QString::fromUtf16(u"Zpožděno o %1 min."); // %1: whole minutes
    QString zbyva = QString::fromUtf16(u"Zbývá %1");              // %1: the time left, as the title shows it
    QString odlozenoDo = QString::fromUtf16(u"Odloženo do %1");   // %1: the time it rings again, "7:10"
    QString odlozenoKratce = QString::fromUtf16(u"Odlož. %1");     // the same under the name box
};
// A ring's message with how late it rang, when it is a minute or more.
QString zpravaSeZpozdenim(const QString& message, TDateTime lateness, const TextyZvoneni& texts);

// Sends a ring to the desktop's notifications while the main window is out of sight (minimised, in the
// notification area, on another workspace) and the setting allows it. Its buttons stop the sound as the
// menu does, and put an alarm off when snoozing is on. The message boxes appear as ever; closing one
// takes its notice back.
class DesktopNotifier {
public:
    struct Services {
        DesktopNotifications& desktop;
        SoundManager& sounds;
        const Clock& clock;
        const IniFile& settings;
        OdlozeneBudiky& snoozed;
        const TextyZvoneni& texts; // as the language gives them now
    };
    DesktopNotifier(Services services, std::function<bool()> outOfSight);
    // The program ends: its notices go with it.
    ~DesktopNotifier();
    DesktopNotifier(const DesktopNotifier&) = delete;
    DesktopNotifier& operator=(const DesktopNotifier&) = delete;
    // The window is brought forward by the notice's own click.
    std::function<void()> onShowWindow;
    // An alarm was put off from its notice: the alarm list shows it.
    std::function<void()> onSnoozed;

    // A ring; the number names its notice for answered() (0: none was sent).
    quint64 zazvonilo(const Zazvoneni& ring);
    // The ring's box was closed in the program: its notice is no longer news.
    void answered(quint64 notice);
    // Every sound was stopped from the menu: no notice offers to stop one any more.
    void withdrawAll();

private:
    void button(quint64 notice, const QString& key);

    Services s_;
    std::function<bool()> outOfSight_;
    std::map<quint64, Zazvoneni> shown_;
    quint64 advance_ = 0; // the countdown's last advance notice: the next one replaces it
};

} // namespace tavrok
