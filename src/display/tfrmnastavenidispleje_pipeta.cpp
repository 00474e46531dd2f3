// The colour pickers ("pipety"): while one waits, the Pause key takes the colour of the screen pixel under
// the mouse, wherever the mouse is and whichever program has the focus.
#include "display/tfrmdisplej.h"
#include "display/tfrmnastavenidispleje.h"
#include "platform/globalhotkey.h"
#include "platform/pickers.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>

namespace tavrok {

namespace {

// The colour picker's key: Pause (virtual key 19) without modifiers.
constexpr int PauseKey = 0x13;

} // namespace

void TfrmNastaveniDispleje::pipetaToggled(QPushButton* button, bool on) {
    if (on) {
        for (QPushButton* other : {btnBarvaPozadiPipeta, btnPruhlednaBarvaPipeta, btnBarvaTextuPipeta}) {
            if (other != button) {
                const QSignalBlocker block(other);
                other->setChecked(false);
            }
        }
        pipetaTarget_ = button == btnBarvaPozadiPipeta      ? pnlBarvaPozadi
                        : button == btnPruhlednaBarvaPipeta ? pnlPruhlednaBarva
                                                            : pnlBarvaTextu;
        s_.display.setPickerCursor(true);
        // Only the Pause key is taken from the desktop; every other key stays with the program that has
        // the focus.
        if (s_.pickerKey) {
            s_.pickerKey->onPressed = [this] {
                QMetaObject::invokeMethod(this, &TfrmNastaveniDispleje::pipetuj, Qt::QueuedConnection);
            };
            s_.pickerKey->registerKey(PauseKey); // refused: Pause still picks while this dialog has the focus
        }
    } else if (pipetaTarget_) {
        releasePipety();
    }
}

void TfrmNastaveniDispleje::releasePipety() {
    for (QPushButton* b : {btnBarvaPozadiPipeta, btnPruhlednaBarvaPipeta, btnBarvaTextuPipeta}) {
        const QSignalBlocker block(b);
        b->setChecked(false);
    }
    if (pipetaTarget_) {
        pipetaTarget_ = nullptr;
        if (s_.pickerKey) {
            s_.pickerKey->unregisterKey();
            s_.pickerKey->onPressed = nullptr;
        }
        s_.display.setPickerCursor(false);
    }
}

void TfrmNastaveniDispleje::pipetuj() {
    QPushButton* target = pipetaTarget_;
    if (!target) {
        return; // given up meanwhile
    }
    const QColor picked = s_.pickers.pixelUnderMouse();
    releasePipety();
    if (picked.isValid()) {
        setColour(target, picked);
        change();
    }
}

void TfrmNastaveniDispleje::keyPressEvent(QKeyEvent* event) {
    if (pipetaTarget_) {
        // While the picker waits, Pause typed here picks too (a desktop that gives no system-wide key),
        // Escape gives up, and no other key presses the dialog's buttons.
        if (event->key() == Qt::Key_Pause) {
            pipetuj();
        } else if (event->key() == Qt::Key_Escape) {
            releasePipety();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tavrok
