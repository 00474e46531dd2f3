#pragma once

#include <QString>

namespace tavrok {

class IniBatch;
class IniSnapshot;

// How an alarm or the end of a countdown is announced. The same group is kept for every alarm in
// Budiky.ini and for the countdown's end in Nastaveni.ini, under the key names below.
struct NotificationOptions {
    bool upozornovat = true;
    bool vlastniZvuk = false;
    QString vlastniZvukCesta;
    bool nahodnyZvuk = false;
    QString nahodnyZvukCesta;
    bool opakovat = true;
    int delka = 0; // milliseconds; 0 plays without end
    bool ukoncitKliknutim = true;

    friend bool operator==(const NotificationOptions&, const NotificationOptions&) = default;
};

struct NotificationKeys {
    const char16_t* upozornovat;
    const char16_t* vlastniZvuk;
    const char16_t* vlastniZvukCesta;
    const char16_t* nahodnyZvuk;
    const char16_t* nahodnyZvukCesta;
    const char16_t* opakovat;
    const char16_t* delka;
    const char16_t* ukoncitKliknutim;
};

inline constexpr NotificationKeys AlarmNotificationKeys{u"upozornovat", u"vlastniZvuk",      u"vlastniZvukCesta",
                                                        u"nahodnyZvuk", u"nahodnyZvukCesta", u"opakovat",
                                                        u"delka",       u"ukoncitKliknutim"};
inline constexpr NotificationKeys CountdownNotificationKeys{
    u"upozornovatNaKonci", u"vlastniZvuk", u"vlastniZvukCesta", u"nahodnyZvuk",
    u"nahodnyZvukCesta",   u"opakovat",    u"delkaUpozorneni",  u"ukoncitKliknutim"};

// Reads the group with its defaults, in the order of the keys above.
NotificationOptions nactiUpozorneni(const IniSnapshot& ini, QStringView section, const NotificationKeys& keys);
void ulozUpozorneni(IniBatch& batch, QStringView section, const NotificationKeys& keys,
                    const NotificationOptions& options);

} // namespace tavrok
