#include "app/clockeditor.h"

#include "lang/messagetable.h"
#include "platform/clock.h"
#include "platform/clocksetter.h"
#include "platform/questions.h"
#include "storage/inivalues.h"
#include "widgets/namedwidget.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>

namespace tavrok {

ClockEditor::ClockEditor(Services services, QWidget* parent) : QObject(parent), s_(std::move(services)) {
    pnlDatCasEdit = makeNamed<QFrame>(parent, "pnlDatCasEdit", 23, -2, 131, 21);
    mkeDatum = makeNamed<QLineEdit>(pnlDatCasEdit, "mkeDatum", 0, 0, 68, 21);
    mkeCas = makeNamed<QLineEdit>(pnlDatCasEdit, "mkeCas", 68, 0, 63, 21);
    mkeDatum->setInputMask(QStringLiteral("00.00.0000;_"));
    mkeCas->setInputMask(QStringLiteral("00:00:00;_"));
    pnlDatCasEdit->hide();
    connect(mkeDatum, &QLineEdit::textEdited, this, [this] { dateLive_ = false; });
    connect(mkeCas, &QLineEdit::textEdited, this, [this] { timeLive_ = false; });
    // A masked field sends returnPressed only for complete input: Enter is taken before it, so that an
    // incomplete date or time is answered with a message rather than with nothing.
    mkeDatum->installEventFilter(this);
    mkeCas->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // Leaving the clock editor for anything but its other field closes it; a message box about the
        // entry (another window) does not.
        const bool wasClock = old == mkeDatum || old == mkeCas;
        const bool isClock = now == mkeDatum || now == mkeCas;
        if (wasClock && !isClock && now && now->window() == pnlDatCasEdit->window()) {
            pnlDatCasEdit->hide();
        }
    });
}

bool ClockEditor::isOpen() const {
    return !pnlDatCasEdit->isHidden();
}

bool ClockEditor::hasFocus() const {
    const QWidget* f = QApplication::focusWidget();
    return f && (f == mkeDatum || f == mkeCas);
}

void ClockEditor::hide() {
    pnlDatCasEdit->hide();
}

bool ClockEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == mkeDatum || watched == mkeCas)) {
        const int k = static_cast<QKeyEvent*>(event)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            keyPressEditaceCasu();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ClockEditor::lblCasClick() {
    const QDateTime qt = toQDateTime(s_.clock.now().days());
    mkeDatum->setText(qt.toString(QStringLiteral("dd.MM.yyyy")));
    mkeCas->setText(qt.toString(QStringLiteral("HH:mm:ss")));
    pnlDatCasEdit->show();
    pnlDatCasEdit->raise();
    dateLive_ = true;
    timeLive_ = true;
    mkeDatum->setFocus();
}

bool ClockEditor::contains(const QWidget* w) const {
    return w == pnlDatCasEdit || pnlDatCasEdit->isAncestorOf(w);
}

void ClockEditor::refresh(TDateTime now) {
    if (!isOpen()) {
        return;
    }
    const QDateTime qt = toQDateTime(now);
    const auto rewrite = [](QLineEdit* field, bool live, const QString& text) {
        if (!live || field->text() == text) {
            return;
        }
        const int cursor = field->cursorPosition();
        const int selStart = field->selectionStart();
        const int selLength = field->selectionLength();
        field->setText(text);
        if (selStart >= 0) {
            field->setSelection(selStart, selLength);
        } else {
            field->setCursorPosition(cursor);
        }
    };
    rewrite(mkeDatum, dateLive_, qt.toString(QStringLiteral("dd.MM.yyyy")));
    rewrite(mkeCas, timeLive_, qt.toString(QStringLiteral("HH:mm:ss")));
}

void ClockEditor::keyPressEditaceCasu() {
    const auto entered = parseIniDateTime(QString(mkeDatum->text() + u' ' + mkeCas->text()));
    if (!entered || !mkeDatum->hasAcceptableInput() || !mkeCas->hasAcceptableInput()) {
        s_.questions.tell(s_.messages.text(35), MessageIcon::Warning);
        return;
    }
    s_.setter.setLocalTime(*entered);
    s_.clockChanged();
    pnlDatCasEdit->hide();
    emit clockSet();
}

} // namespace tavrok
