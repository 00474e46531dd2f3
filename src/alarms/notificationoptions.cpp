#include "alarms/notificationoptions.h"

#include "storage/inifile.h"

#include <algorithm>

namespace tavrok {

NotificationOptions nactiUpozorneni(const IniSnapshot& ini, QStringView section, const NotificationKeys& k) {
    NotificationOptions o;
    o.upozornovat = ini.readBool(section, k.upozornovat, true);
    o.vlastniZvuk = ini.readBool(section, k.vlastniZvuk, false);
    o.vlastniZvukCesta = ini.readString(section, k.vlastniZvukCesta);
    o.nahodnyZvuk = ini.readBool(section, k.nahodnyZvuk, false);
    o.nahodnyZvukCesta = ini.readString(section, k.nahodnyZvukCesta);
    o.opakovat = ini.readBool(section, k.opakovat, true);
    o.delka = ini.readInteger(section, k.delka, 0); // a negative length ends the sound at once
    o.ukoncitKliknutim = ini.readBool(section, k.ukoncitKliknutim, true);
    return o;
}

void ulozUpozorneni(IniBatch& batch, QStringView section, const NotificationKeys& k, const NotificationOptions& o) {
    batch.writeBool(section, k.upozornovat, o.upozornovat);
    batch.writeBool(section, k.vlastniZvuk, o.vlastniZvuk);
    batch.writeString(section, k.vlastniZvukCesta, o.vlastniZvukCesta);
    batch.writeBool(section, k.nahodnyZvuk, o.nahodnyZvuk);
    batch.writeString(section, k.nahodnyZvukCesta, o.nahodnyZvukCesta);
    batch.writeBool(section, k.opakovat, o.opakovat);
    batch.writeInteger(section, k.delka, o.delka);
    batch.writeBool(section, k.ukoncitKliknutim, o.ukoncitKliknutim);
}

} // namespace tavrok
