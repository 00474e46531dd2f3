#include "stopwatch/tfrmcosetavrokem.h"

#include "widgets/centre.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace tavrok {

TfrmCoSeTavrokem::TfrmCoSeTavrokem(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCoSeTavrokem"));
    setWindowTitle(QStringLiteral("Tavrok"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    lblText1 = new QLabel(this);
    lblText1->setObjectName(QStringLiteral("lblText1"));
    lblText1->setGeometry(8, 8, 330, 15);
    lblText2 = new QLabel(this);
    lblText2->setObjectName(QStringLiteral("lblText2"));
    lblText2->setGeometry(8, 24, 330, 15);
    const struct {
        const char* name;
        const char16_t* caption;
        RunningChoice choice;
    } buttons[] = {
        {"btnZastavit", u"&Zastavit", RunningChoice::Stop},
        {"btnPozastavit", u"&Pozastavit", RunningChoice::Pause},
        {"btnNechat", u"&Nechat b\u011B\u017Eet", RunningChoice::KeepRunning},
        {"btnStorno", u"&Storno", RunningChoice::Cancel},
    };
    int x = 8;
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf16(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(x, 48, 80, 23);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, c = b.choice] {
            choice_ = c;
            c == RunningChoice::Cancel ? reject() : accept();
        });
        x += 84;
    }
    // The client area ends 8 pixels right of and below the cancel button.
    setFixedSize(x - 4 + 8, 48 + 23 + 8);
}

RunningChoice TfrmCoSeTavrokem::zeptejSe(const QString& line1, const QString& line2) {
    lblText1->setText(line1);
    lblText2->setText(line2);
    if (!shownBefore_) {
        centreOnScreen(this);
        shownBefore_ = true;
    }
    choice_ = RunningChoice::Cancel; // Esc and the close box
    exec();
    return choice_;
}

} // namespace tavrok
