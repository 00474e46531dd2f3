#pragma once

#include <QObject>

namespace tavrok {

class GlobalHotkey;
class ProgramActions;
class ProgramState;
class Questions;

// The split hotkey as an input: the stored key, held while the settings ask for it ("pouzitMezicas"), takes
// a split through the program's actions while another program has the focus. A key the desktop refuses
// is told once: another program's key once per combination, a desktop without global keys once a run.
class SplitHotkey : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ProgramState& state;
        GlobalHotkey& hotkey;
        Questions& questions;
        ProgramActions& actions;
    };
    SplitHotkey(Parts parts, QObject* parent);
    ~SplitHotkey() override;

    // Takes the stored key when the settings say so (at start, after the settings dialog).
    void followSettings();
    void take();
    void letGo();
    bool held() const { return held_; }

private:
    void tellOnce(int message, int code);
    Parts p_;
    bool held_ = false;
    int reported_ = -1; // the code whose refusal was told, so it is told once
    bool noGlobalKeysTold_ = false;
};

} // namespace tavrok
