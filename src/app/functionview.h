#pragma once

#include "app/buttoncaptions.h"
#include "app/mainstate.h"

#include <QRect>

namespace tavrok {

// What the main window shows for a function and its engine's state: which panels are visible and how
// the buttons read. The window only applies it.
struct FunctionView {
    Funkce function = Funkce::Budik;

    bool alarmPanels = false;     // pnlBudik, pnlZvonek, lblBudZprava
    bool stopwatchPanels = false; // pnlTavrok, btnTvrImpExp, btnTvrVymazatVse
    bool countdownPanels = false; // pnlOdpocit, chbOdpOpakovat, btnPauza
    bool lblDnu = false;
    bool upDown1 = false;
    bool upDown1Enabled = false;
    bool marker = false; // pnlEditovanaCislice
    bool markerRed = false;
    bool pnlDnyEnabled = true;
    bool edtDFramed = true; // framed and editable; the stopwatch shows days read-only without a frame

    QString btnZapnout;
    bool btnVynulovat = true;
    bool btnDalsi = true;
    bool btnTvrMezicas = false;
    bool btnPauza = false;
    QString btnPauzaCaption;
};

struct EngineStates {
    bool stopwatchRunning = false;
    bool countdownRunning = false;
    bool countdownPaused = false;
    bool alarmSwitchedOn = false; // the alarm editor's state
    bool editorFocused = false;   // one of edtD, edtOdpZprava, mkeDatum, mkeCas, cbxBudiky has the focus
};

FunctionView viewFor(Funkce function, const EngineStates& states, const ButtonCaptions& captions);

// Geometry of pnlDny and edtD, which move with the function.
struct DaysGeometry {
    QRect pnlDny;
    QRect edtD;
};
struct DaysGeometryInputs {
    QRect pnlDny;            // its design geometry
    int lblBudZpravaBottom;  // y + height
    int lblHBottom;
    int cbxBudikyHeight;
    int cbxMezicasyHeight;
    int edtOdpZpravaHeight;
    int edtDWidth;
};
DaysGeometry daysGeometryFor(Funkce function, const DaysGeometryInputs& in);

// The fixed client width and the height limits: the window ends 10 pixels right of and below btnKonec,
// and can be shrunk to the bottom of the digit labels. `top` is what lies above the controls (the menu).
struct SizeLimits {
    int width;
    int minHeight;
    int maxHeight;
};
SizeLimits sizeLimits(const QRect& btnKonec, int digitsBottom, int top);

} // namespace tavrok
