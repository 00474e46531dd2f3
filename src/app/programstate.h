#pragma once

#include "app/clockwatch.h"

#include "alarms/alarmclock.h"
#include "alarms/alarmeditor.h"
#include "alarms/missedalarms.h"
#include "alarms/snooze.h"
#include "app/applicationtitle.h"
#include "app/desktopnotifier.h"
#include "app/buttoncaptions.h"
#include "app/digiteditor.h"
#include "app/mainstate.h"
#include "app/windowstate.h"
#include "common/daynames.h"
#include "countdown/countdown.h"
#include "display/displaysettings.h"
#include "lang/language.h"
#include "lang/messagetable.h"
#include "sound/soundmanager.h"
#include "stopwatch/stopwatch.h"
#include "stopwatch/stopwatchoptions.h"
#include "storage/storagelocations.h"

#include <functional>
#include <optional>

namespace tavrok {

class AudioDevice;
class Beeper;
class Clock;

// The captions of the three function labels: the title takes its letter from them.
struct FunctionCaptions {
    QString budik = QStringLiteral("Bud\u00EDk");
    QString tavrok = QStringLiteral("Tavrok");
    QString odpocit = QStringLiteral("Odpo\u010D\u00EDt\u00E1v\u00E1n\u00ED");
};

struct NextRing {
    QString name;
    LocalTime at;
};

// The one state of the running program. The main window shows it and forwards the user's actions to
// it; every output (the title, the digits, the tray icon, the separate display, the serial lines)
// reads it, never another output's controls.
class ProgramState {
public:
    struct Services {
        Clock& clock;
        AudioDevice& audio;
        Beeper& beeper;
        SoundManager::RandomIndex random;
    };
    explicit ProgramState(Services services);
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    Clock& clock;
    StorageLocations storage;
    Language language; // the texts applied last
    MessageTable messages;
    ButtonCaptions buttonCaptions;
    FunctionCaptions functionCaptions;
    DayNames dayNames;

    TMainState main;
    MenuChecks menu; // the check marks of the File menu; menu.zvuk is the sound switch

    SoundManager sounds;
    Stopwatch stopwatch;
    TDalsiTavrok tavrokOptions;
    bool mezicasySloucit = true; // the split-times export merges the time into one column

    Countdown countdown; // its left() is the set length while it is idle
    bool odpocitOpakovat = false;
    QString odpocitZprava;
    TDalsiOdpocit odpocitOptions;

    AlarmClock alarmClock;
    ZmeskaneBudiky zmeskaneBudiky; // found once at start-up
    OdlozeneBudiky odlozeneBudiky; // alarms put off from their ring, kept across a restart
    TextyZvoneni textyZvoneni;     // the words of the rings' notices, from the language
    AlarmEditor editor; // the alarm on the digits: editor.budik.cas and editor.budik.zprava

    TNastaveniDispleje displej;   // the separate display's look and source, as last applied
    bool displejZmrazen = false;  // a split holds the separate display on the split time

    // The next alarm to ring: the next one due, or a snoozed one that rings again before it.
    std::optional<NextRing> nextRing() const;

    Funkce function() const { return main.currentFunction; }
    bool soundOn() const { return menu.zvuk; }
    // The standard sound files: Zvonek.wav for alarms, Signalk.wav and Signald.wav for the countdown.
    QString standardSound(QStringView name) const;

    // ---- the digits
    // What the digits show for a function: the edited alarm's time, the stopwatch's time or the
    // countdown's time left (its set length while idle).
    TDateTime shownValue(Funkce f) const;
    DisplayParts shownParts(Funkce f) const { return dekodujCasProDisplej(shownValue(f)); }
    // The digits the editor works on, and the edited result: in the alarm function the days are none
    // and the milliseconds nought, in the countdown the milliseconds of the set length are kept.
    TDigits editableDigits() const;
    void setEditedDigits(const TDigits& digits);
    // The day field of the countdown was typed into.
    void setCountdownDays(qint64 days);

    // ---- what the outputs read
    TitleSource titleSource() const;
    // The application title: an engine's letter and time, or the clock line.
    QString title(const QString& clockLine) const;
    // The share of the countdown still to run, 0..1; 0 when it is not running.
    double countdownShare(UtcTime now) const;

    // Takes the texts of a language: the messages, the button roles, the day names and the function
    // names the title uses. The windows take their captions from `language` afterwards.
    void nactiJazyk(Language newLanguage);

    // Reads the countdown options as the file has them now.
    void reloadCountdownOptions();
    // The end of a countdown started the stopwatch: the separate display may switch to it. True when it
    // did.
    bool stopwatchStartedByCountdown();

    // ---- the wall clock set while the program runs
    // The running stopwatch, the countdown (running or paused) and the playing sounds keep their true
    // length across a change of the clock by `jump`: their moments move with it.
    void shiftEngines(TDateTime jump);
    // Looks at the clock (at every tick): a change of it found since the last look moves the engines.
    // The clock editor, which knows it set the clock, looks with no tolerance.
    ClockWatch::Change followClockChanges(qint64 toleranceMs = ClockWatch::ToleranceMs);

private:
    ClockWatch clockWatch_;
};

// What the end of a countdown asks of the windows after the tick: the question, the message, the
// sound a click ends.
struct CountdownEnd {
    bool ended = false;
    bool stopped = false;          // it did not repeat: back to idle
    bool askStopwatch = false;     // message 3: restart the running stopwatch at the end moment?
    bool stopwatchStarted = false; // the stopwatch was (re)started at the end moment
    bool displaySwitched = false;  // and the separate display switched from the countdown to it
    UtcTime endMoment;
    QString message;               // the end message, empty for none
    int endSoundId = -1;
    bool clickEndsSound = false;
    TDateTime lateness = 0;
    int notice = -1; // an advance notice given: seconds before the end
};
// The countdown's part of the function tick.
CountdownEnd odpocitTick(ProgramState& state, UtcTime now);

} // namespace tavrok
