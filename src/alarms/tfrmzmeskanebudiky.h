#pragma once

#include "alarms/missedalarms.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;

namespace tavrok {

class IniFile;
class Language;
class MessageTable;
class Questions;

// "Zmeškané budíky": what rang while the program was closed, oldest first; the message of each.
class TfrmZmeskaneBudiky : public QDialog {
    Q_OBJECT
public:
    struct Services {
        Questions& questions;
        const MessageTable& messages;
        std::function<IniFile&()> alarms;
    };
    explicit TfrmZmeskaneBudiky(Services services, QWidget* parent = nullptr);

    // Fills the list (a last line says how many more there are) and shows it modally.
    void zobraz(const ZmeskaneBudiky& missed, const Language& language);
    void naplnSeznam(const ZmeskaneBudiky& missed, const Language& language);
    void btnZpravaClick();

private:
    Services s_;
    QStringList zmeskaneNazvyZobrazene_; // the alarm of each listed occurrence

    QLabel* lblText1;
    QLabel* lblText2;
    QComboBox* cbxBudiky;
    QPushButton* btnZprava;
    QPushButton* btnOK;
};

} // namespace tavrok
