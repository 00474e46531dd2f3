#include "countdown/countdownpanel.h"
#include "countdown/tfrmdalsiodpocit.h"

#include "storage/inifile.h"
#include "support/windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

class DalsiOdpocitTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        QDir().mkpath(data("Zvuky/Zvonky"));
    }
    TfrmDalsiOdpocit* dialog() const { return window->frmDalsiOdpocit(); }
    template <typename W = QWidget>
    W* child(const char* name) const {
        return childOf<W>(dialog(), name);
    }
    void openCountdown() {
        open();
        click("lblFceOdpocit");
    }
    void editAndPress(const std::function<void()>& edit, const char* button) {
        WindowFixture::editAndPress(dialog(), edit, button,
                                    [this] { window->findChild<QPushButton*>(QStringLiteral("btnDalsi"))->click(); });
    }
};

} // namespace

TEST_F(DalsiOdpocitTest, TheDialogMirrorsTheFileAndOkWritesIt) {
    test::writeBytes(settingsPath(), "[dalsiNastaveniOdpocit]\nupozornovatPredem=1\npocetUpozorneni=2\nzvuky=Zvonky\n"
                                     "delkaUpozorneni=-5000\n"
                                     "[dalsiNastaveniOdpocit-Upozorneni]\n0=10\n1=60\n");
    open();
    WindowFixture::child("lblFceOdpocit")->setFocus();
    click("lblFceOdpocit");
    editAndPress(
        [this] {
            EXPECT_EQ(child<QListWidget>("lbxPredem")->count(), 2);
            EXPECT_EQ(child<QSpinBox>("spePredem")->value(), 61);
            EXPECT_EQ(child<QComboBox>("cbxZvuky")->currentText(), QStringLiteral("Zvonky"));
            EXPECT_EQ(child<QSpinBox>("speDelka")->value(), -5000) << "a stored negative length is shown as it is";
            child<QSpinBox>("spePredem")->setValue(30);
            QTest::mouseClick(child("btnPredemPridat"), Qt::LeftButton);
            EXPECT_EQ(child<QSpinBox>("spePredem")->value(), 31);
            child<QSpinBox>("spePredem")->setValue(30);
            QTest::mouseClick(child("btnPredemPridat"), Qt::LeftButton);
            child<QListWidget>("lbxPredem")->setCurrentRow(0);
            EXPECT_TRUE(child("btnPredemOdebrat")->isEnabled()) << "the first row can be removed too";
            child<QCheckBox>("chbSpustitTavrok")->setChecked(true);
            child<QRadioButton>("rbtVlastniZvuk")->setChecked(true);
            child<QLineEdit>("edtVlastniZvuk")->setText(QStringLiteral("%TavrokPath%/Data/muj.wav/"));
        },
        "btnOK");
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(16)) << "30 was there already";
    const TDalsiOdpocit saved = nactiDalsiOdp(IniFile(settingsPath()));
    EXPECT_EQ(saved.predem, (QList<int>{10, 30, 60}));
    EXPECT_TRUE(saved.spustitTavrok);
    EXPECT_TRUE(saved.naKonci.vlastniZvuk);
    EXPECT_EQ(saved.naKonci.vlastniZvukCesta, QStringLiteral("%TavrokPath%/Data/muj.wav")) << "slashes normalised";
    EXPECT_EQ(saved.zvuky, QStringLiteral("Zvonky"));
    EXPECT_EQ(saved.naKonci.delka, -5000) << "and kept when not edited";
}

TEST_F(DalsiOdpocitTest, ANegativeSoundLengthFromAnOldFileEndsTheEndSoundAtOnce) {
    test::writeBytes(settingsPath(), "[dalsiNastaveniOdpocit]\ndelkaUpozorneni=-500\nopakovat=1\n");
    openCountdown();
    typeOnDigits("000001");
    click("btnZapnout");
    runFor(1500);
    ASSERT_TRUE(audio.commands.contains(QStringLiteral("play ") + data("Zvuky/Standard/Signald.wav")));
    clock.advanceMs(10);
    window->tmrPrehravaniZvukuTimer();
    EXPECT_TRUE(window->sounds().prehravaneZvuky().empty());
    EXPECT_FALSE(audio.isPlaying(data("Zvuky/Standard/Signald.wav")));
}

TEST_F(DalsiOdpocitTest, CancelLeavesTheFileAndTheNextOpeningShowsIt) {
    openCountdown();
    editAndPress([this] { child<QCheckBox>("chbGraf")->setChecked(false); }, "btnStorno");
    EXPECT_FALSE(QFileInfo::exists(settingsPath()) &&
                 IniFile(settingsPath()).valueExists(u"dalsiNastaveniOdpocit", u"graf"));
    EXPECT_TRUE(child<QCheckBox>("chbGraf")->isChecked());
}

TEST_F(DalsiOdpocitTest, AMissingSoundSetTheEndSoundButtonAndRemovingAllNotices) {
    open();
    TDalsiOdpocit o;
    o.zvuky = QStringLiteral("Smazana");
    dialog()->nactiDalsiOdp(o);
    EXPECT_EQ(child<QComboBox>("cbxZvuky")->currentIndex(), -1);
    EXPECT_TRUE(dialog()->hodnoty().zvuky.isEmpty()) << "saving writes an empty set";

    child<QComboBox>("cbxZvuky")->setCurrentText(QStringLiteral("Zvonky"));
    questions.script({Answer::No});
    dialog()->btnProKonecClick();
    EXPECT_EQ(questions.asked.back().text, window->messageTable().text(58));
    EXPECT_FALSE(child<QRadioButton>("rbtVlastniZvuk")->isChecked()) << "No changes nothing";

    child<QComboBox>("cbxZvuky")->setCurrentText(QStringLiteral("Standard"));
    dialog()->btnProKonecClick();
    EXPECT_TRUE(child<QRadioButton>("rbtVlastniZvuk")->isChecked());
    EXPECT_TRUE(child<QLineEdit>("edtVlastniZvuk")->text().endsWith(QStringLiteral("/Zvuky/Standard/Signald.wav")));

    o.upozornovatPredem = true;
    o.predem = {5, 10};
    dialog()->nactiDalsiOdp(o);
    questions.script({Answer::No, Answer::Yes});
    dialog()->btnPredemOdebratVseClick();
    EXPECT_EQ(questions.asked.back().text, window->messageTable().text(17));
    EXPECT_EQ(child<QListWidget>("lbxPredem")->count(), 2);
    dialog()->btnPredemOdebratVseClick();
    EXPECT_EQ(child<QListWidget>("lbxPredem")->count(), 0);
    EXPECT_TRUE(dialog()->hodnoty().predem.isEmpty()) << "nothing left to save";
    EXPECT_EQ(child<QSpinBox>("spePredem")->value(), 1);
}

TEST_F(DalsiOdpocitTest, TheRepeatBoxFollowsTheProgramsState) {
    openCountdown();
    auto* repeat = WindowFixture::child<QCheckBox>("chbOdpOpakovat");
    for (const bool on : {!repeat->isChecked(), repeat->isChecked()}) {
        window->programState().odpocitOpakovat = on;
        window->countdownPanel().refresh();
        EXPECT_EQ(repeat->isChecked(), on);
    }
}

TEST_F(DalsiOdpocitTest, TheCountdownFollowsSavedOptionsAtOnce) {
    openCountdown();
    editAndPress(
        [this] {
            child<QCheckBox>("chbUpozornovatPredem")->setChecked(true);
            child<QSpinBox>("spePredem")->setValue(2);
            QTest::mouseClick(child("btnPredemPridat"), Qt::LeftButton);
        },
        "btnOK");
    auto* lblS = window->findChild<QWidget*>(QStringLiteral("lblS"));
    const QPoint units(lblS->width() - 4, lblS->height() / 2);
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(lblS, Qt::LeftButton, {}, units); // selects the seconds units, then 3 s
    }
    click("btnZapnout");
    ASSERT_TRUE(window->countdown().running());
    clock.advanceMs(1000);
    window->tmrFunkceTimer();
    EXPECT_TRUE(audio.commands.contains(QStringLiteral("play ") + data("Zvuky/Standard/Signalk.wav")));
}
