#include "app/messageboxquestions.h"
#include "app/tfrmhlavniokno.h"
#include "platform/application.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/desktopbeeper.h"
#include "platform/qtfiledialogs.h"
#include "platform/sdlaudiodevice.h"
#include "platform/sessionend.h"
#include "platform/timedateclocksetter.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tavrok::setUpApplication(app);

    tavrok::SystemClock clock;
    tavrok::MessageBoxQuestions questions;
    tavrok::SdlAudioDevice audio;
    tavrok::DesktopBeeper beeper;
    tavrok::TimedateClockSetter clockSetter;
    tavrok::QtFileDialogs files;
    tavrok::XdgAutostart autostart;
    tavrok::TfrmHlavniOkno window(QCoreApplication::applicationDirPath(),
                                  {clock, questions, audio, beeper, clockSetter, files, autostart});
    questions.setParent(&window);
    tavrok::SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &tavrok::SessionEnd::ending, &window, &tavrok::TfrmHlavniOkno::endSession);
    window.show();
    return QApplication::exec();
}
