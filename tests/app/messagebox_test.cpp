#include "app/messageboxquestions.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

// Reads the open box, then presses the button with the given text.
Answer askAndPress(MessageButtons buttons, const QString& press, QStringList* seen, QString* title) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        *title = box->windowTitle();
        for (QAbstractButton* b : box->buttons()) {
            seen->append(b->text().remove(u'&'));
        }
        for (QAbstractButton* b : box->buttons()) {
            if (b->text().remove(u'&') == press) {
                b->click();
                return;
            }
        }
        box->reject();
    });
    MessageBoxQuestions questions;
    return questions.ask(QStringLiteral("Otázka?"), MessageIcon::Warning, buttons);
}

} // namespace

TEST(MessageBox, AsksInCzechUnderTheProgramsCaption) {
    QStringList seen;
    QString title;
    EXPECT_EQ(askAndPress(MessageButtons::YesNoCancel, QStringLiteral("Ne"), &seen, &title), Answer::No);
    EXPECT_EQ(title, QStringLiteral("Tavrok"));
    seen.sort();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Ano"), QStringLiteral("Ne"), QStringLiteral("Zrušit")}));

    seen.clear();
    EXPECT_EQ(askAndPress(MessageButtons::YesNo, QStringLiteral("Ano"), &seen, &title), Answer::Yes);
    seen.clear();
    EXPECT_EQ(askAndPress(MessageButtons::YesNo, QStringLiteral("nothing"), &seen, &title), Answer::No)
        << "closing a Yes/No box is No";
    seen.clear();
    EXPECT_EQ(askAndPress(MessageButtons::OkCancel, QStringLiteral("nothing"), &seen, &title), Answer::Cancel);
}
