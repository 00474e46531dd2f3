#pragma once

#include <QObject>
#include <functional>

class QFrame;
class QKeyEvent;
class QLabel;
class QMouseEvent;
class QWidget;

namespace tavrok {

class ProgramState;

// Editing the time on the large digits: the marker under one digit, typed digits, the arrow keys and
// clicks on the digit halves. It changes the program state, never the labels: the window redraws them.
class DigitInput : public QObject {
    Q_OBJECT
public:
    struct Digits {
        QLabel* lblH;
        QLabel* lblM;
        QLabel* lblS;
    };
    // editorFocused: one of the five edits has the focus, so the digits take no keys.
    DigitInput(ProgramState& state, Digits digits, std::function<bool()> editorFocused, QWidget* parent);

    int position() const { return position_; }
    bool visible() const;
    // Shows the marker (at the hours tens) or hides it.
    // The marker; shown again it starts at the hours.
    void setVisible(bool visible);
    void setArrows(bool shown, bool enabled);

    // uD1Click: places the marker under the digit of the position (7 wraps to 1, 0 to 6).
    void uD1Click();
    void moveBy(int step);
    // Red while the digits take the keys, black while an edit has the focus.
    void paintMarker();

    // A key of the main window; true when it was taken.
    bool keyPress(QKeyEvent* key);
    bool keyRelease(QKeyEvent* key);
    // A press (or the second press of a double click) and a release on a digit label.
    void lblHMouseDown(QLabel* label, QMouseEvent* event);
    void lblHClick(QLabel* label, QMouseEvent* event);

signals:
    void edited();       // the digits changed the edited value
    void markerMoved();  // any marker action: the clock editor closes
    void focusDigits();  // a click selected a digit: no edit may keep the focus

private:
    bool takesKeys() const;
    int positionUnderMouse(QLabel* label, QMouseEvent* event) const;
    void apply(bool changed);

    ProgramState& state_;
    Digits digits_;
    std::function<bool()> editorFocused_;
    QFrame* pnlEditovanaCislice = nullptr;
    QWidget* upDown1 = nullptr;
    int position_ = 1; // the marked digit, as upDown1 holds it
};

// The digit a key types: from the top row with or without Shift (a Czech layout needs Shift), or from
// the keypad; -1 for any other key or one held with Ctrl or Alt.
int typedDigit(const QKeyEvent& key);

} // namespace tavrok
