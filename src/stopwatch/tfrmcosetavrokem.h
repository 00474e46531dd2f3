#pragma once

#include "platform/questions.h"

#include <QDialog>

class QLabel;

namespace tavrok {

// The running-stopwatch question: stop, pause, keep running, or do not close the program.
class TfrmCoSeTavrokem : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCoSeTavrokem(QWidget* parent = nullptr);
    RunningChoice zeptejSe(const QString& line1, const QString& line2);

private:
    QLabel* lblText1;
    QLabel* lblText2;
    RunningChoice choice_ = RunningChoice::Cancel;
    bool shownBefore_ = false;
};

} // namespace tavrok
