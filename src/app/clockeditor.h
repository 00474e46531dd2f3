#pragma once

#include "common/datetime.h"

#include <QObject>
#include <functional>

class QFrame;
class QLineEdit;
class QWidget;

namespace tavrok {

class ClockSetter;
class Clock;
class MessageTable;
class Questions;

// The small editor over the clock line that sets the computer's clock: the date and time fields follow
// the clock until typed into; Enter sets the clock, keeping the running engines' time.
class ClockEditor : public QObject {
    Q_OBJECT
public:
    struct Services {
        Clock& clock;
        ClockSetter& setter;
        Questions& questions;
        const MessageTable& messages;
        // The clock was just set: the engines follow the change (once, also when a tick in between
        // already noticed it).
        std::function<void()> clockChanged;
    };
    ClockEditor(Services services, QWidget* parent);

    bool isOpen() const;
    bool hasFocus() const; // one of its two fields
    bool contains(const QWidget* w) const; // the panel or one of its fields
    // lblCasClick: opens the editor with the clock's date and time.
    void lblCasClick();
    void hide();
    // The clock tick: the fields still following the clock are rewritten.
    void refresh(TDateTime now);
    // Enter in either field.
    void keyPressEditaceCasu();

signals:
    void clockSet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Services s_;
    QFrame* pnlDatCasEdit = nullptr;
    QLineEdit* mkeDatum = nullptr;
    QLineEdit* mkeCas = nullptr;
    bool dateLive_ = false;
    bool timeLive_ = false;
};

} // namespace tavrok
