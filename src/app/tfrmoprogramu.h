#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavrok {

// "O programu Tavrok": the version, the authors and the licence, with the program's icon.
class TfrmOProgramu : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOProgramu(QWidget* parent = nullptr);

private:
    QLabel* imgIkona;
    QLabel* lblNazev;
    QLabel* lblVerze;
    QLabel* lblAutori;
    QLabel* lblLicence;
    QPushButton* btnOK;
};

} // namespace tavrok
