#include "app/messageboxquestions.h"

#include "lang/captions.h"
#include "lang/language.h"
#include "platform/unattendedquestions.h"
#include "stopwatch/tfrmcosetavrokem.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace tavrok {

Answer MessageBoxQuestions::ask(const QString& text, MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(QStringLiteral("Tavrok"));
    box.setText(text);
    switch (icon) {
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::None:
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // The messages name the cancel button by the program's word for it ("- Storno -").
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel); cancel && language_) {
        cancel->setText(language_->text(u"frmNastaveni", u"btnStorno", QStringLiteral("&Storno")));
    }
    const int pressed = box.exec();
    if (!box.clickedButton()) {
        // Escape and the close box press a button of their own: this box was ended from outside, by the
        // end of the session, and answers as if closed without a button.
        const Answer a = buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
        zapisDoLogu(QStringLiteral("a box was closed unanswered, taken as %1: %2")
                        .arg(UnattendedQuestions::answerName(a), text));
        return a;
    }
    switch (pressed) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
    }
}

void MessageBoxQuestions::notify(const QString& caption, const QString& text) {
    (void)notifyOrSnooze(caption, text, QString());
}

bool MessageBoxQuestions::notifyOrSnooze(const QString& caption, const QString& text, const QString& snooze) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent_);
    // Alt and its first letter press it, as the program's own buttons are pressed.
    const QString mnemonic = snooze.contains(u'&') ? snooze : u'&' + snooze;
    QPushButton* later = snooze.isEmpty() ? nullptr : box.addButton(mnemonic, QMessageBox::RejectRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok); // Escape acknowledges; only a press of its own puts it off
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
    if (!box.clickedButton()) {
        zapisDoLogu(QStringLiteral("a notice was closed unseen by the end of the session: %1: %2").arg(caption, text));
    }
    return later && box.clickedButton() == later;
}

RunningChoice MessageBoxQuestions::askRunning(const QString& line1, const QString& line2) {
    TfrmCoSeTavrokem dialog(parent_);
    if (language_) {
        applyCaptions(&dialog, *language_, u"frmCoSeTavrokem");
    }
    return dialog.zeptejSe(line1, line2);
}

} // namespace tavrok
