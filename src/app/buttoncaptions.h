#pragma once

#include <QString>

namespace tavrok {

// The eight captions the engines put on the toggle and pause buttons, with their language keys.
// The pause and resume texts must stay distinct: the engines tell the pause state by the caption.
struct ButtonCaptions {
    QString tvrZapnout = QStringLiteral("&Start");
    QString tvrVypnout = QStringLiteral("&Stop");
    QString odpZapnout = QStringLiteral("&Start");
    QString odpVypnout = QStringLiteral("&Stop");
    QString budZapnout = QStringLiteral("Za&pnout");
    QString budVypnout = QStringLiteral("Vy&pnout");
    QString pauza = QStringLiteral("&Pauza");
    QString pokracovat = QStringLiteral("&Pokra\u010Dovat");

    struct Role {
        const char16_t* key;
        QString ButtonCaptions::*caption;
    };
    // In the order a language file's captions are matched against the current ones.
    static constexpr Role Roles[] = {
        {u"btnOdpZapZapnout", &ButtonCaptions::odpZapnout},     {u"btnOdpZapVypnout", &ButtonCaptions::odpVypnout},
        {u"btnBudZapZapnout", &ButtonCaptions::budZapnout},     {u"btnBudZapVypnout", &ButtonCaptions::budVypnout},
        {u"btnTvrZapZapnout", &ButtonCaptions::tvrZapnout},     {u"btnTvrZapVypnout", &ButtonCaptions::tvrVypnout},
        {u"btnOdpPauzaPauznout", &ButtonCaptions::pauza},       {u"btnOdpPauzaPokracovat", &ButtonCaptions::pokracovat},
    };
};

} // namespace tavrok
