#include "platform/pickers.h"
#include "platform/printmodule.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

// Printing comes from its module; where the module is missing, a print fails without asking anything.
TEST(PrintModuleTest, WithoutTheModuleAPrintFailsAndNoDialogIsShown) {
    QTemporaryDir empty;
    tavrok::PrintModule printing(empty.path());
    struct NoPickers final : tavrok::Pickers {
        std::optional<QColor> chooseColour(const QColor&) override { return std::nullopt; }
        std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }
        QColor pixelUnderMouse() override { return {}; }
        bool choosePrinter(QPrinter&) override {
            ++asked;
            return false;
        }
        int asked = 0;
    } pickers;
    int busy = 0;
    const auto whileBusy = [&](const std::function<void()>& work) {
        ++busy;
        work();
    };
    EXPECT_EQ(printing.printLines(pickers, QStringLiteral("Mezičasy"), {QStringLiteral("1")}, whileBusy),
              tavrok::Printing::Outcome::Failed);
    EXPECT_EQ(pickers.asked, 0);
    EXPECT_EQ(busy, 0);
    EXPECT_FALSE(printing.isLoaded());
}

} // namespace
