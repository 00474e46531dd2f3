#include "app/functionview.h"

namespace tavrok {

FunctionView viewFor(Funkce function, const EngineStates& s, const ButtonCaptions& c) {
    FunctionView v;
    v.function = function;
    v.alarmPanels = function == Funkce::Budik;
    v.stopwatchPanels = function == Funkce::Tavrok;
    v.countdownPanels = function == Funkce::Odpocit;
    v.lblDnu = function != Funkce::Budik;
    v.upDown1 = function != Funkce::Tavrok;
    v.pnlDnyEnabled = function != Funkce::Tavrok;
    v.edtDFramed = function != Funkce::Tavrok;
    v.btnTvrMezicas = s.stopwatchRunning;
    v.btnPauzaCaption = c.pauza;

    // The digit editor: at the hours, red unless a text field has the focus.
    const auto editable = [&] {
        v.upDown1Enabled = true;
        v.marker = true;
        v.markerRed = !s.editorFocused;
    };

    switch (function) {
    case Funkce::Tavrok:
        v.btnZapnout = s.stopwatchRunning ? c.tvrVypnout : c.tvrZapnout;
        v.btnVynulovat = v.btnDalsi = !s.stopwatchRunning;
        break;
    case Funkce::Odpocit:
        if (s.countdownRunning) {
            v.btnZapnout = c.odpVypnout;
            v.btnVynulovat = v.btnDalsi = false;
            v.btnPauza = true;
        } else if (s.countdownPaused) {
            v.btnZapnout = c.odpVypnout;
            v.btnVynulovat = v.btnDalsi = false; // the options of a countdown under way stay as they are
            v.btnPauza = true;
            v.btnPauzaCaption = c.pokracovat;
        } else {
            v.btnZapnout = c.odpZapnout;
            editable();
        }
        break;
    case Funkce::Budik:
        v.btnZapnout = s.alarmSwitchedOn ? c.budVypnout : c.budZapnout;
        editable();
        break;
    }
    return v;
}

DaysGeometry daysGeometryFor(Funkce function, const DaysGeometryInputs& in) {
    DaysGeometry g;
    g.pnlDny = in.pnlDny;
    const int h = in.pnlDny.height();
    if (function == Funkce::Tavrok) {
        g.pnlDny.moveTop(h / 10 + in.lblHBottom);
        const int edtHeight = in.cbxMezicasyHeight * 3 / 4;
        g.edtD = QRect(0, (h - edtHeight) / 2, in.edtDWidth, edtHeight);
    } else {
        g.pnlDny.moveTop(h / 6 + in.lblBudZpravaBottom);
        const int edtHeight = function == Funkce::Budik ? in.cbxBudikyHeight : in.edtOdpZpravaHeight;
        g.edtD = QRect(0, 0, in.edtDWidth, edtHeight);
    }
    return g;
}

SizeLimits sizeLimits(const QRect& btnKonec, int digitsBottom, int top) {
    return {btnKonec.right() + 1 + 10, top + digitsBottom, top + btnKonec.bottom() + 1 + 10};
}

} // namespace tavrok
