#pragma once

#include <QString>

namespace tavrok {

// Starting the program with the desktop session, for the current user or for all users: XDG autostart
// entries on Linux. Each scope can be changed only where the program may write.
class Autostart {
public:
    enum class Scope { CurrentUser, AllUsers };
    virtual ~Autostart() = default;
    virtual bool isEnabled(Scope scope) const = 0;
    virtual bool canChange(Scope scope) const = 0;
    // Writes or removes the entry; failures are silent, as the settings dialog wants them.
    virtual void set(Scope scope, bool enabled, const QString& executable) = 0;
};

// Tavrok.desktop in $XDG_CONFIG_HOME/autostart (default ~/.config/autostart) and /etc/xdg/autostart.
class XdgAutostart final : public Autostart {
public:
    XdgAutostart();
    XdgAutostart(QString userFolder, QString systemFolder);
    bool isEnabled(Scope scope) const override;
    bool canChange(Scope scope) const override;
    void set(Scope scope, bool enabled, const QString& executable) override;

    QString entryPath(Scope scope) const;
    // The entry's text for an executable (its path quoted as the desktop entry specification asks).
    static QString entryText(const QString& executable);

private:
    QString userFolder_;
    QString systemFolder_;
};

} // namespace tavrok
