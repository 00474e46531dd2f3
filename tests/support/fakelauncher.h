#pragma once

#include "platform/launcher.h"
#include "platform/windowlist.h"

#include <QStringList>
#include <utility>
#include <vector>

namespace tavrok::test {

// Records the pages and programs the program asked for; `browser` says whether the desktop has a
// browser to show pages in.
class FakeLauncher final : public Launcher {
public:
    bool browser = true;
    QStringList pages;
    std::vector<std::pair<QString, QStringList>> started;

    bool openInBrowser(const QString& file) override {
        if (browser) {
            pages << file;
        }
        return browser;
    }
    std::vector<std::pair<QString, QStringList>> startedAsAdministrator;
    bool canStart = true;
    bool administrator = true; // the desktop can ask for an administrator's rights

    bool start(const QString& program, const QStringList& arguments) override {
        if (canStart) {
            started.emplace_back(program, arguments);
        }
        return canStart;
    }
    bool canStartAsAdministrator() const override { return administrator; }
    bool startAsAdministrator(const QString& program, const QStringList& arguments) override {
        if (canStart && administrator) {
            startedAsAdministrator.emplace_back(program, arguments);
        }
        return canStart && administrator;
    }
};

// The windows of other programs a test pretends are open.
class FakeWindowList final : public WindowList {
public:
    QStringList titles;
    bool existsWithTitle(const QString& title) override { return titles.contains(title); }
};

} // namespace tavrok::test
