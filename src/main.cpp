#include "app/tfrmhlavniokno.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/desktopbeeper.h"
#include "platform/messageboxquestions.h"
#include "platform/sdlaudiodevice.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tavrok::setUpApplication(app);

    tavrok::SystemClock clock;
    tavrok::MessageBoxQuestions questions;
    tavrok::SdlAudioDevice audio;
    tavrok::DesktopBeeper beeper;
    tavrok::TfrmHlavniOkno window(QCoreApplication::applicationDirPath(), {clock, questions, audio, beeper});
    window.show();
    return QApplication::exec();
}
