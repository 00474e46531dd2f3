#pragma once

#include "lang/language.h"

#include <QString>

namespace tavrok {

// The eight captions of the toggle and pause buttons, with their language keys. Which one a button
// shows follows from the engines' state, never from the caption it shows now.
struct ButtonCaptions {
    QString tvrZapnout, tvrVypnout, odpZapnout, odpVypnout, budZapnout, budVypnout, pauza, pokracovat;

    ButtonCaptions() { nacti(Language()); } // the built-in texts

    struct Role {
        const char16_t* key;
        QString ButtonCaptions::*caption;
    };
    // The captions of a language, the built-in ones where it lacks them.
    void nacti(const Language& language) {
        for (const Role& r : Roles) {
            this->*r.caption = language.word(u"frmHlavniOkno", r.key);
        }
    }

    // Every role with its language key.
    static constexpr Role Roles[] = {
        {u"btnOdpZapZapnout", &ButtonCaptions::odpZapnout},     {u"btnOdpZapVypnout", &ButtonCaptions::odpVypnout},
        {u"btnBudZapZapnout", &ButtonCaptions::budZapnout},     {u"btnBudZapVypnout", &ButtonCaptions::budVypnout},
        {u"btnTvrZapZapnout", &ButtonCaptions::tvrZapnout},     {u"btnTvrZapVypnout", &ButtonCaptions::tvrVypnout},
        {u"btnOdpPauzaPauznout", &ButtonCaptions::pauza},       {u"btnOdpPauzaPokracovat", &ButtonCaptions::pokracovat},
    };
};

} // namespace tavrok
