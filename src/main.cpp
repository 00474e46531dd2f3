#include "app/busservice.h"
#include "app/commandline.h"
#include "app/messageboxquestions.h"
#include "app/programactions.h"
#include "app/programicon.h"
#include "app/tfrmhlavniokno.h"
#include "platform/application.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/dbusnotifications.h"
#include "platform/desktopbeeper.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtlauncher.h"
#include "platform/qtpickers.h"
#include "platform/printmodule.h"
#include "platform/serialmodule.h"
#include "platform/x11globalhotkey.h"
#include "platform/x11windowlist.h"
#include "platform/qttrayhost.h"
#include "platform/soundmodule.h"
#include "platform/sessionend.h"
#include "platform/singleinstance.h"
#include "platform/timedateclocksetter.h"
#include "storage/storagelocations.h"
#include "lang/messagetable.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// How long a start with switches waits for the program it started to take them.
constexpr int StartWaitMs = 30'000;

// The exit status of a start that handed its switches over: 0 done, 1 refused, 2 a usage error; the
// reason on the standard error.
int reportHandOver(const tavrok::SingleInstance::HandOver& h) {
    if (!h.answered) {
        std::fprintf(stderr, "%s\n", qPrintable(tavrok::MessageTable::builtIn(tavrok::MessageTable::NoAnswer)));
        return 1;
    }
    if (!h.answer.why.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(h.answer.why));
    }
    return static_cast<int>(h.answer.status);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 3 && qstrcmp(argv[1], tavrok::WaitForOption) == 0) {
        QCoreApplication helper(argc, argv);
        return tavrok::runAndWait(QCoreApplication::arguments().mid(2));
    }
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const tavrok::CommandLine commandLine = tavrok::parseCommandLine(arguments);
    if (commandLine.help) {
        std::fputs(qPrintable(tavrok::commandLineHelp()), stdout);
        return 0;
    }
    if (commandLine.version) {
        std::printf("Tavrok %s\n", qPrintable(tavrok::StorageLocations::ProgramVersion));
        return 0;
    }
    if (!commandLine.usageError.isEmpty()) {
        const QString text = tavrok::MessageTable::builtIn(tavrok::MessageTable::UsageError);
        std::fprintf(stderr, "%s\n", qPrintable(tavrok::fillPlaceholders(text, commandLine.usageError)));
        return 2;
    }
    // A start while the program runs hands its switches over and ends: it needs no display of its own,
    // and Ctrl+C or a logout simply end it.
    std::unique_ptr<tavrok::SingleInstance> instance;
    {
        QCoreApplication probe(argc, argv);
        const QString programFolder = QCoreApplication::applicationDirPath();
        const QStringList words = tavrok::commandWords(commandLine.commands);
        instance = std::make_unique<tavrok::SingleInstance>(programFolder);
        tavrok::SingleInstance::HandOver h = instance->handOver(words);
        if (!h.handedOver && !commandLine.commands.empty()) {
            // None runs: the program starts in the background and the switches go to it, so a script
            // or a desktop shortcut gets its answer and goes on.
            instance.reset();
            h = tavrok::startAndHandOver(programFolder, QCoreApplication::applicationFilePath(),
                                         commandLine.qtArguments, words, StartWaitMs);
            if (!h.handedOver) {
                h.answered = false;
            }
        }
        if (!instance || h.handedOver) {
            return reportHandOver(h);
        }
    }
    // A logout while the files are still loading must not end the program unsaved: the signal waits
    // until the window can take it.
    tavrok::SessionEnd::catchSignals();
    // Qt waits for the X server to finish each shared-memory image before it paints the next one: a
    // round trip per frame. The program repaints small regions (the digits, one label) up to 25 times
    // a second, which cost less sent over the connection. A user's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    // On a Wayland desktop the program runs through XWayland: there its windows keep their places, snap
    // to edges, take the display's see-through shape and grab keys inside its own windows, none of which
    // a Wayland client may do. The variable is the user's to override, and the programs it starts do
    // not inherit it.
    const bool throughXWayland = !qEnvironmentVariableIsSet("QT_QPA_PLATFORM") &&
                                 qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY");
    if (throughXWayland) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication app(argc, argv);
    if (throughXWayland) {
        qunsetenv("QT_QPA_PLATFORM");
    }
    tavrok::setUpApplication(app);
    instance->listen();
    QApplication::setWindowIcon(tavrok::programIcon());

    tavrok::SystemClock clock;
    tavrok::MessageBoxQuestions questions;
    tavrok::SoundModule audio(QCoreApplication::applicationDirPath());
    tavrok::DesktopBeeper beeper;
    tavrok::TimedateClockSetter clockSetter;
    tavrok::QtFileDialogs files;
    tavrok::XdgAutostart autostart;
    tavrok::QtTrayHost tray;
    tavrok::PrintModule printing(QCoreApplication::applicationDirPath());
    tavrok::QtPickers pickers(printing);
    tavrok::SerialModule serial(QCoreApplication::applicationDirPath());
    tavrok::X11GlobalHotkey hotkey;
    tavrok::X11GlobalHotkey pickerKey;
    tavrok::QtLauncher launcher;
    tavrok::X11WindowList windows;
    tavrok::DbusNotifications notifications(QStringLiteral("Tavrok"), QStringLiteral("cz.tavrok.Tavrok"));
    tavrok::TfrmHlavniOkno window(QCoreApplication::applicationDirPath(),
                                  {clock, questions, audio, beeper, clockSetter, files, autostart, tray, pickers, printing, serial, hotkey,
                                   launcher, windows, &pickerKey, &notifications});
    // The window hides in the notification area: the program ends when its window closes, not when
    // the last visible window does.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &tavrok::TfrmHlavniOkno::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    questions.setParent(&window);
    questions.setLanguage(&window.programState().language);
    tavrok::SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &tavrok::SessionEnd::ending, &window, &tavrok::TfrmHlavniOkno::endSession);
    tavrok::ProgramActions& actions = window.actions();
    QObject::connect(instance.get(), &tavrok::SingleInstance::activated, &actions, &tavrok::ProgramActions::show);
    tavrok::BusService busService(actions, window.programState());
    // Once the window has loaded what the last run left (the boxes shown at start may still be open):
    // the session bus and later starts reach the actions, also with the switches that came meanwhile.
    QObject::connect(&actions, &tavrok::ProgramActions::ready, &window, [&] {
        (void)busService.registerOn(QDBusConnection::sessionBus());
        instance->setCommandHandler([&actions, &window](const QStringList& words) {
            using Status = tavrok::SingleInstance::Status;
            const tavrok::CommandLine line = tavrok::parseCommandLine(words);
            if (!line.usageError.isEmpty()) {
                const QString text = window.programState().messages.text(tavrok::MessageTable::UsageError);
                return tavrok::SingleInstance::Answer{Status::Usage, tavrok::fillPlaceholders(text, line.usageError)};
            }
            const tavrok::ActionResult r = actions.run(line.commands);
            return tavrok::SingleInstance::Answer{r.done ? Status::Done : Status::Refused, r.why};
        });
    });
    window.show();
    return QApplication::exec();
}
