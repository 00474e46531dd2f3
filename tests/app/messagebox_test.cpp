#include "app/messageboxquestions.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
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

namespace {
QStringList logged;
void keepLog(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (text.startsWith(QStringLiteral("Tavrok:"))) {
        logged << text;
    }
}
} // namespace

// The session's end ends the loops of the boxes that are open: each answers as closed without a button
// (never Yes or OK for the user) and is written to the log; Escape still presses a button of its own.
TEST(MessageBox, ABoxEndedByTheSessionsEndAnswersAsClosedWithoutAButtonAndIsLogged) {
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepLog);
    MessageBoxQuestions questions;
    std::vector<Answer> answers;
    // Each box under the application's loop, as the program runs it; the session ends once the box is
    // up, and the end leaves that loop too.
    for (const MessageButtons buttons : {MessageButtons::YesNo, MessageButtons::Ok}) {
        QTimer sessionEnd;
        sessionEnd.setInterval(5);
        QObject::connect(&sessionEnd, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget()) {
                sessionEnd.stop();
                QCoreApplication::exit(0);
            }
        });
        QTimer::singleShot(0, [&] {
            sessionEnd.start();
            answers.push_back(questions.ask(QStringLiteral("Otázka?"), MessageIcon::Warning, buttons));
        });
        QCoreApplication::exec();
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(answers, (std::vector<Answer>{Answer::No, Answer::Cancel}));
    ASSERT_EQ(logged.size(), 2);
    EXPECT_TRUE(logged[0].contains(QStringLiteral("Otázka?")));

    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(questions.ask(QStringLiteral("Hotovo."), MessageIcon::Information, MessageButtons::Ok), Answer::Ok);
}
