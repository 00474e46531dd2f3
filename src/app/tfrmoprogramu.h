#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavrok {

class Language;

// "O programu Tavrok": the version, the authors and the licence, with the program's icon, and the
// version and translators of the language in use.
class TfrmOProgramu : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOProgramu(QWidget* parent = nullptr);

    void nactiJazyk(const Language& language);

private:
    QLabel* imgIkona;
    QLabel* lblNazev;
    QLabel* lblVerze;
    QLabel* lblAutori;
    QLabel* lblLicence;
    QLabel* lblVerzeJazyka;   // in Czech
    QLabel* lblVerzeJazykaEn; // and in English, whatever the language
    QLabel* memAutorCesky;
    QLabel* memAutorEnglish;
    QPushButton* btnOK;
};

} // namespace tavrok
