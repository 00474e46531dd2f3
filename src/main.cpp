#include "app/tfrmhlavniokno.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/messageboxquestions.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tavrok::setUpApplication(app);

    tavrok::SystemClock clock;
    tavrok::MessageBoxQuestions questions;
    tavrok::TfrmHlavniOkno window(QCoreApplication::applicationDirPath(), clock, questions);
    window.show();
    return QApplication::exec();
}
