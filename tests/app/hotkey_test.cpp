// The split hotkey: taken at start when the settings say so, changed at once by the settings dialog,
// let go at the end, and a split from it only while the stopwatch runs.
#include "app/splithotkey.h"
#include "storage/inifile.h"
#include "storage/tfrmnastaveni.h"
#include "support/windowfixture.h"

#include <QCheckBox>
#include <gtest/gtest.h>

using namespace tavrok;

namespace {

class HotkeyTest : public test::WindowFixture {
protected:
    size_t splits() { return window->stopwatch().splits().items().size(); }
    // The settings dialog saved with the hotkey box set or cleared and the stored code changed.
    void saveSettings(bool use, int code) {
        ASSERT_TRUE(window->programState().storage.settingsIni().writeInteger(u"nastaveni", u"zkratkaMezicasu", code));
        editAndPress(window->frmNastaveni(),
                     [&] { childOf<QCheckBox>(window->frmNastaveni(), "chbMezicas")->setChecked(use); }, "btnOK",
                     [&] { window->mnuNastaveniClick(); });
    }
};

} // namespace

TEST_F(HotkeyTest, TakenAtStartAndASplitOnlyWhileTheStopwatchRuns) {
    settings("[nastaveni]\npouzitMezicas=1\n");
    open();
    EXPECT_EQ(hotkey.registered, std::vector<int>{122}) << "F11, once";
    EXPECT_TRUE(window->splitHotkey().held());
    hotkey.press();
    EXPECT_EQ(splits(), 0u) << "stopped: nothing";
    startStopwatch();
    click("lblFceBudik"); // the split comes from any function
    clock.advanceMs(1500);
    hotkey.press();
    EXPECT_EQ(splits(), 2u) << "the separator and the split";
    window->close();
    EXPECT_EQ(hotkey.held, 0) << "let go at the end";
}

TEST_F(HotkeyTest, NotTakenWithoutTheSettingAndChangedAtOnceByTheSettingsDialog) {
    open();
    EXPECT_TRUE(hotkey.registered.empty());
    saveSettings(true, 0xC053); // Ctrl+Alt+S
    EXPECT_EQ(hotkey.held, 0xC053);
    saveSettings(true, 123); // F12: the old combination goes, the new one comes
    EXPECT_EQ(hotkey.held, 123);
    EXPECT_EQ(hotkey.registered, (std::vector<int>{0xC053, 123}));
    saveSettings(false, 123);
    EXPECT_EQ(hotkey.held, 0) << "cleared in the settings: let go at once";
    EXPECT_FALSE(window->splitHotkey().held());
}

TEST_F(HotkeyTest, ACombinationAnotherProgramHoldsIsToldOnceAndADesktopWithoutGlobalKeysToo) {
    settings("[nastaveni]\npouzitMezicas=1\nzkratkaMezicasu=49235\n"); // Ctrl+Alt+S
    hotkey.answer = GlobalHotkey::Result::Taken;
    open();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_TRUE(questions.asked[0].text.contains(QStringLiteral("jiný program")));
    EXPECT_FALSE(window->splitHotkey().held());
    saveSettings(true, 49235);
    EXPECT_EQ(questions.asked.size(), 1u) << "the same refusal is not told again";

    hotkey.answer = GlobalHotkey::Result::Unsupported;
    saveSettings(true, 122);
    saveSettings(true, 123);
    ASSERT_EQ(questions.asked.size(), 2u) << "told once in a run";
    EXPECT_EQ(questions.asked[1].text, window->messageTable().text(MessageTable::NoGlobalKeys));
}

TEST_F(HotkeyTest, AStoredKeyThisDesktopHasNotIsToldAsSuch) {
    settings("[nastaveni]\npouzitMezicas=1\nzkratkaMezicasu=189\n"); // a key of a Windows keyboard
    hotkey.missingKeys = {189};
    open();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text,
              fillPlaceholders(window->messageTable().text(MessageTable::HotkeyNotHere), QStringLiteral("189")));
    EXPECT_FALSE(window->splitHotkey().held());
}

// Through XWayland the key is held for the program's own windows, and the user is told once where the key
// for the whole desktop is set.
TEST_F(HotkeyTest, OnAWaylandDesktopTheKeyIsHeldAndTheDesktopsShortcutsAreNamedOnce) {
    settings("[nastaveni]\npouzitMezicas=1\n");
    hotkey.answer = GlobalHotkey::Result::OnlyInOwnWindows;
    open();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(MessageTable::NoGlobalKeys));
    EXPECT_TRUE(questions.asked[0].text.contains(QStringLiteral("tavrok --split")));
    EXPECT_TRUE(window->splitHotkey().held());
    startStopwatch();
    clock.advanceMs(500);
    hotkey.press();
    EXPECT_EQ(splits(), 2u) << "pressed in the program's window: a split";
    saveSettings(true, 123);
    EXPECT_EQ(hotkey.held, 123);
    EXPECT_EQ(questions.asked.size(), 1u) << "told once in a run";
    window->close();
    EXPECT_EQ(hotkey.held, 0);
}
