#pragma once

#include "stopwatch/stopwatchoptions.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tavrok {

class IniFile;
class MessageTable;
class Questions;

// "Další nastavení tavrek": whether a split holds the separate display on the split time, and how long.
class TfrmDalsiTavrok : public QDialog {
    Q_OBJECT
public:
    TfrmDalsiTavrok(Questions& questions, const MessageTable& messages, QWidget* parent = nullptr);

    // Shows the dialog; on OK writes the file. The options as they stand afterwards (stored or kept).
    TDalsiTavrok otevriDalsiTvr(IniFile& settings);

    void nactiDalsiTvr(const TDalsiTavrok& options);
    TDalsiTavrok hodnoty() const;

private:
    void chbZastavitClick();

    Questions& questions_;
    const MessageTable& messages_;
    bool shownOnce_ = false;

    QLabel* lblPoStopnuti;
    QCheckBox* chbZastavit;
    QLabel* lblPoDobu;
    QSpinBox* speZastavitDisplej;
    QLabel* lblMs;
    QPushButton* btnOK;
    QPushButton* btnStorno;
};

} // namespace tavrok
