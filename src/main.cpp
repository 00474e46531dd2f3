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
#include "platform/qtserialport.h"
#include "platform/x11globalhotkey.h"
#include "platform/x11windowlist.h"
#include "platform/qttrayhost.h"
#include "platform/sdlaudiodevice.h"
#include "platform/sessionend.h"
#include "platform/singleinstance.h"
#include "platform/timedateclocksetter.h"
#include "storage/storagelocations.h"
#include "lang/messagetable.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

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
    // A logout while the files are still loading must not end the program unsaved: the signal waits
    // until the window can take it.
    tavrok::SessionEnd::catchSignals();
    // Qt waits for the X server to finish each shared-memory image before it paints the next one: a
    // round trip per frame. The program repaints small regions (the digits, one label) up to 30 times
    // a second, which cost less sent over the connection. A user's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    QApplication app(argc, argv);
    tavrok::setUpApplication(app);
    // A second start brings the running window forward instead of writing the same files beside it.
    tavrok::SingleInstance instance(QCoreApplication::applicationDirPath());
    if (const auto h = instance.handOver(tavrok::commandWords(commandLine.commands)); h.handedOver) {
        if (!h.answered || !h.done) {
            const QString why = h.answered ? h.why : tavrok::MessageTable::builtIn(tavrok::MessageTable::NoAnswer);
            std::fprintf(stderr, "%s\n", qPrintable(why));
            return 1;
        }
        return 0;
    }
    instance.listen();
    QApplication::setWindowIcon(tavrok::programIcon());

    tavrok::SystemClock clock;
    tavrok::MessageBoxQuestions questions;
    tavrok::SdlAudioDevice audio;
    tavrok::DesktopBeeper beeper;
    tavrok::TimedateClockSetter clockSetter;
    tavrok::QtFileDialogs files;
    tavrok::XdgAutostart autostart;
    tavrok::QtTrayHost tray;
    tavrok::QtPickers pickers;
    tavrok::QtSerialPort serial;
    tavrok::X11GlobalHotkey hotkey;
    tavrok::X11GlobalHotkey pickerKey;
    tavrok::QtLauncher launcher;
    tavrok::X11WindowList windows;
    tavrok::DbusNotifications notifications(QStringLiteral("Tavrok"), QStringLiteral("cz.tavrok.Tavrok"));
    tavrok::TfrmHlavniOkno window(QCoreApplication::applicationDirPath(),
                                  {clock, questions, audio, beeper, clockSetter, files, autostart, tray, pickers, serial, hotkey,
                                   launcher, windows, &pickerKey, &notifications});
    // The window hides in the notification area: the program ends when its window closes, not when
    // the last visible window does.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &tavrok::TfrmHlavniOkno::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    questions.setParent(&window);
    questions.setLanguage(&window.programState().language);
    tavrok::SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &tavrok::SessionEnd::ending, &window, &tavrok::TfrmHlavniOkno::endSession);
    QObject::connect(&instance, &tavrok::SingleInstance::activated, &window, &tavrok::TfrmHlavniOkno::mnuObnovitClick);
    tavrok::ProgramActions& actions = window.actions();
    tavrok::BusService busService(actions, window.programState());
    (void)busService.registerOn(QDBusConnection::sessionBus());
    instance.onCommand = [&actions](const QStringList& words) {
        const tavrok::ActionResult r = actions.run(tavrok::parseCommandLine(words).commands);
        return std::pair{r.done, r.why};
    };
    window.show();
    // This start's own switches, once the window stands.
    if (!commandLine.commands.empty()) {
        QTimer::singleShot(0, &window, [&actions, &commandLine] {
            if (const tavrok::ActionResult r = actions.run(commandLine.commands); !r.done) {
                std::fprintf(stderr, "%s\n", qPrintable(r.why));
            }
        });
    }
    return QApplication::exec();
}
