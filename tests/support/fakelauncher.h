#pragma once

#include "platform/launcher.h"

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
    bool start(const QString& program, const QStringList& arguments) override {
        started.emplace_back(program, arguments);
        return true;
    }
};

} // namespace tavrok::test
