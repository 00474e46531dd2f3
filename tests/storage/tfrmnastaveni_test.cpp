#include "storage/tfrmnastaveni.h"

#include "platform/hotkeycode.h"
#include "storage/inifile.h"
#include "support/windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QKeySequence>
#include <QSet>
#include <QKeyEvent>
#include <QApplication>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

class NastaveniDialogTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        writeBytes(data("Jazyky/English.ini"), readBytes(data("Jazyky/Cesky.ini"))); // one that fits too
    }
    TfrmNastaveni* dialog() const { return window->frmNastaveni(); }
    template <typename W = QWidget>
    W* child(const char* name) const {
        return childOf<W>(dialog(), name);
    }
    void editAndPress(const std::function<void()>& edit, const char* button) {
        WindowFixture::editAndPress(dialog(), edit, button, [this] { window->mnuNastaveniClick(); });
    }
};

} // namespace

TEST_F(NastaveniDialogTest, TheDefaultsButtonTurnsRememberingTheCountdownOn) {
    open();
    dialog()->nactiNastaveni();
    EXPECT_FALSE(child<QCheckBox>("chbPamatovatOdpocit")->isChecked());
    child<QComboBox>("cbxJazyk")->setCurrentText(QStringLiteral("English"));
    child<QLineEdit>("edtCestaKNastaveni")->setText(QStringLiteral("/elsewhere"));
    child<QCheckBox>("chbAutostartAktualni")->setChecked(true);
    child<QRadioButton>("rbtZeptatSe")->setChecked(true);
    dialog()->btnVychoziClick();
    EXPECT_TRUE(child<QCheckBox>("chbPamatovatOdpocit")->isChecked());
    EXPECT_EQ(child<QComboBox>("cbxJazyk")->currentText(), QStringLiteral("Cesky"));
    EXPECT_EQ(child<QLineEdit>("edtCestaKNastaveni")->text(), QStringLiteral("%TavrokPath%\\Data\\Nastaveni"));
    EXPECT_FALSE(child<QCheckBox>("chbAutostartAktualni")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("rbtZastavit")->isChecked());
}

// The location can be changed only where its file can be written; the write probe leaves nothing there.
TEST_F(NastaveniDialogTest, AnUnwritableLocationFileDisablesTheLocation) {
    QDir().mkpath(data("Nastaveni/Umisteni.ini/x"));
    open();
    dialog()->nactiNastaveni();
    EXPECT_FALSE(child("edtCestaKNastaveni")->isEnabled());
    EXPECT_FALSE(child("btnProchazet")->isEnabled());

    ASSERT_TRUE(QDir(data("Nastaveni/Umisteni.ini")).removeRecursively());
    dialog()->nactiNastaveni();
    EXPECT_TRUE(child("edtCestaKNastaveni")->isEnabled());
    EXPECT_TRUE(child("btnProchazet")->isEnabled());
    EXPECT_FALSE(IniFile(data("Nastaveni/Umisteni.ini")).sectionExists(u"test"));
}

TEST_F(NastaveniDialogTest, TheHotkeyFieldTakesOnlyAKeyThatCanBeStoredAndGrabbed) {
    settings("[nastaveni]\npouzitMezicas=1\nzkratkaMezicasu=122\n"); // F11
    hotkey.missingKeys = {0x7B}; // F12 is not on this keyboard
    open();
    editAndPress(
        [this] {
            auto* field = child<QKeySequenceEdit>("hkyMezicas");
            field->setFocus();
            // Sent as the keyboard sends them: Qt's test keys know ASCII only.
            const auto type = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
                QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
                QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
                QApplication::sendEvent(field, &press);
                QApplication::sendEvent(field, &release);
            };
            type(Qt::Key_Comma, Qt::ControlModifier);
            type(Qt::Key(0x11A), Qt::ControlModifier); // Ctrl+Ě on the Czech layout
            type(Qt::Key_F12, Qt::ControlModifier);
            type(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")); // would take the letter from typing
            type(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            EXPECT_EQ(field->keySequence(), QKeySequence(Qt::Key_F11)) << "the user's key stays";
            ASSERT_EQ(questions.asked.size(), 5u) << "each refused at once";
            EXPECT_TRUE(questions.asked[0].text.startsWith(u"Klávesovou zkratku"));
            type(Qt::Key_NumLock, Qt::NoModifier);
            type(Qt::Key_Escape, Qt::NoModifier); // for the dialog, not the field
            EXPECT_EQ(questions.asked.size(), 5u);
            EXPECT_EQ(field->keySequence(), QKeySequence(Qt::Key_F11));
            type(Qt::Key_Backspace, Qt::NoModifier);
            EXPECT_TRUE(field->keySequence().isEmpty()) << "Backspace empties the field";
            type(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, QStringLiteral("+"));
            EXPECT_EQ(field->keySequence(), QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus)));
        },
        "btnOK");
    EXPECT_EQ(IniFile(settingsPath()).readInteger(u"nastaveni", u"zkratkaMezicasu", 0), 0x4000 | 0x6B)
        << "the keypad's own key";
}

TEST_F(NastaveniDialogTest, OkSavesEverythingAndCancelRestoresTheFile) {
    open();
    editAndPress(
        [this] {
            child<QRadioButton>("rbtNechat")->setChecked(true);
            child<QCheckBox>("chbZacitOdNuly")->setChecked(true);
            child<QCheckBox>("chbMezicas")->setChecked(true);
            child<QKeySequenceEdit>("hkyMezicas")->setKeySequence(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
            child<QCheckBox>("chbAutostartAktualni")->setChecked(true);
        },
        "btnOK");
    IniFile ini(settingsPath());
    EXPECT_TRUE(ini.readBool(u"nastaveni", u"nechat", false));
    EXPECT_TRUE(ini.readBool(u"nastaveni", u"zacitOdNuly", false));
    EXPECT_EQ(ini.readInteger(u"nastaveni", u"zkratkaMezicasu", 0), 0x4000 | 0x8000 | 'S');
    EXPECT_TRUE(autostart.isEnabled(Autostart::Scope::CurrentUser));

    editAndPress([this] { child<QCheckBox>("chbZacitOdNuly")->setChecked(false); }, "btnStorno");
    EXPECT_TRUE(child<QCheckBox>("chbZacitOdNuly")->isChecked()) << "Cancel refills from the file";
    EXPECT_TRUE(ini.readBool(u"nastaveni", u"zacitOdNuly", false));
}

// Every option away from its default in the file: the dialog shows each, and OK without a change writes
// each back as it was.
TEST_F(NastaveniDialogTest, EveryOptionOfTheFileIsShownAndOkKeepsIt) {
    open();
    TNastaveni odd;
    odd.spustitMinimalizovane = true;
    odd.zobrazovatBudiky = false;
    odd.zacitOdNuly = true;
    odd.kontrolovatUlozeniBudiku = false;
    odd.pamatovatOdpocit = true;
    odd.pamatovatTavrok = true;
    odd.ukonceni = TNastaveni::Ukonceni::Pozastavit;
    odd.pozice = TNastaveni::Pozice::Vzdy;
    odd.poziceX = 33;
    odd.poziceY = 44;
    odd.velikost = TNastaveni::Velikost::Pamatovat;
    odd.vyska = 200; // within what the screen allows
    odd.pouzitMezicas = true;
    odd.poOdpocitavani = TNastaveni::PoOdpocitavani::Nespoustet;
    odd.kontrolovatAktulizace = false;
    odd.stahovani = TNastaveni::Stahovani::Rozdilova;
    odd.upozornitNaAktualizaci = true;
    odd.aktualizace = TNastaveni::Aktualizace::PriSpusteniProgramu;
    odd.bezPrava = TNastaveni::BezPrava::Priste;
    odd.magnetovat = false;
    odd.nechatOdpocit = true;
    IniFile ini(settingsPath());
    ASSERT_TRUE(ulozNastaveni(ini, odd));
    editAndPress([] {}, "btnOK");
    EXPECT_EQ(nactiNastaveni(IniFile(settingsPath())), odd);
}

TEST_F(NastaveniDialogTest, SavingAnotherLocationMovesTheSettings) {
    open();
    const QString target = dir.path() + QStringLiteral("/moje");
    editAndPress([&] { child<QLineEdit>("edtCestaKNastaveni")->setText(target + QStringLiteral("/")); }, "btnOK");
    EXPECT_EQ(window->storage().settingsIni().path(), target + QStringLiteral("/Nastaveni.ini"));
    EXPECT_TRUE(QFileInfo::exists(target + QStringLiteral("/Budiky.ini")));
    EXPECT_TRUE(IniFile(target + QStringLiteral("/Nastaveni.ini")).valueExists(u"nastaveni", u"jazyk"))
        << "the settings are written into the new folder";
}

TEST_F(NastaveniDialogTest, AnUnwritableSettingsFileShowsMessage51) {
    QDir().mkpath(settingsPath() + QStringLiteral("/x"));
    open();
    questions.asked.clear();
    editAndPress([] {}, "btnOK");
    ASSERT_FALSE(questions.asked.empty());
    EXPECT_EQ(questions.asked.back().text, fillPlaceholders(window->messageTable().text(51), settingsPath()));
}

TEST(HotkeyCode, EveryKeyTheFieldCanHoldConvertsBothWays) {
    EXPECT_EQ(hotkeyFromQt(Qt::Key_F11), 122);
    const int ctrlAltS = int(Qt::ControlModifier | Qt::AltModifier) | Qt::Key_S;
    EXPECT_EQ(hotkeyFromQt(ctrlAltS), 0xC053);
    EXPECT_EQ(hotkeyFromQt(int(Qt::ShiftModifier) | Qt::Key_5), 0x2035);
    EXPECT_EQ(hotkeyFromQt(int(Qt::KeypadModifier) | Qt::Key_5), 0x65) << "the keypad's 5 is VK_NUMPAD5";
    EXPECT_EQ(hotkeyFromQt(int(Qt::ControlModifier) | Qt::Key_Delete), 0x402E);
    EXPECT_EQ(hotkeyFromQt(Qt::Key_Eacute), 0) << "a key with no code";

    QList<int> keys;
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k) keys << k;
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k) keys << k << (k | Qt::KeypadModifier);
    for (int k = Qt::Key_F1; k <= Qt::Key_F24; ++k) keys << k;
    for (const int k : {Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Pause, Qt::Key_Escape, Qt::Key_Space,
                        Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home, Qt::Key_Left, Qt::Key_Up,
                        Qt::Key_Right, Qt::Key_Down, Qt::Key_Print, Qt::Key_Insert, Qt::Key_Delete, Qt::Key_ScrollLock}) {
        keys << k;
    }
    for (const int k : {Qt::Key_Asterisk, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Slash}) {
        keys << (k | Qt::KeypadModifier);
    }
    QSet<int> codes;
    for (const int key : keys) {
        for (const int mods : {0, int(Qt::ShiftModifier), int(Qt::ControlModifier | Qt::AltModifier),
                               int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)}) {
            const int combination = key | mods;
            const int code = hotkeyFromQt(combination);
            ASSERT_NE(code, 0) << QKeySequence(combination).toString().toStdString();
            EXPECT_EQ(hotkeyToQt(code), combination) << QKeySequence(combination).toString().toStdString();
            codes << code;
        }
    }
    EXPECT_EQ(codes.size(), keys.size() * 4) << "no two keys share a code";
}

TEST_F(NastaveniDialogTest, AStoredHotkeyTheFieldCannotShowIsKeptOnOk) {
    settings("[nastaveni]\nzkratkaMezicasu=16570\npouzitMezicas=1\n"); // Ctrl+VK_OEM_1, shown as nothing
    open();
    editAndPress([] {}, "btnOK");
    EXPECT_EQ(IniFile(settingsPath()).readInteger(u"nastaveni", u"zkratkaMezicasu", 0), 16570);
}
