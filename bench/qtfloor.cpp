// The floor under the idle figure: the least a Qt Widgets window costs when it changes one clock line
// and its title at every second, as the alarm function does. bench/cpu.sh measures it next to the
// program on the same display, so the program's own share of the idle figure can be read off.
// NO_TITLE=1 or NO_LABEL=1 leave out one of the two, to price each. RUNNING=1 adds three digits of
// milliseconds redrawn 25 times a second, as the stopwatch shows them: what a plain QLabel costs as Qt
// draws it by default.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QMainWindow>
#include <QTime>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    auto* line = new QLabel(central);
    line->setGeometry(10, 0, 157, 13);
    QFont font = line->font();
    font.setPixelSize(12);
    font.setBold(true);
    line->setFont(font);
    line->setAlignment(Qt::AlignCenter);
    line->setAutoFillBackground(true);
    window.resize(177, 260);
    const bool title = !qEnvironmentVariableIsSet("NO_TITLE");
    const bool label = !qEnvironmentVariableIsSet("NO_LABEL");
    QTimer tick;
    tick.setSingleShot(true);
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const QDateTime now = QDateTime::currentDateTime();
        const QString text = now.toString(QStringLiteral("ddd d.M.yyyy h:mm:ss"));
        if (label) {
            line->setText(text);
        }
        if (title) {
            window.setWindowTitle(text);
        }
        tick.start(1000 - now.time().msec());
    });
    tick.start(0);
    // The stopwatch's milliseconds: three digits of Arial at 20 pixels in a label of 33 x 35.
    QLabel* millis = nullptr;
    QTimer frame;
    if (qEnvironmentVariableIsSet("RUNNING")) {
        millis = new QLabel(central);
        millis->setGeometry(134, 32, 33, 35);
        QFont digits(QStringLiteral("Arial"));
        digits.setPixelSize(20);
        millis->setFont(digits);
        millis->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        millis->setContentsMargins(0, 0, 0, 5);
        millis->setAutoFillBackground(true);
        frame.setTimerType(Qt::PreciseTimer);
        QObject::connect(&frame, &QTimer::timeout, [&] {
            millis->setText(QStringLiteral("%1").arg(QTime::currentTime().msec(), 3, 10, QLatin1Char('0')));
        });
        frame.start(40);
    }
    window.show();
    return app.exec();
}
