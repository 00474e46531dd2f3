// The language files against the real windows: every key names a control, every caption has a key,
// and the shipped Czech file holds exactly the built-in texts.
#include "alarms/alarmpanel.h"
#include "alarms/tfrmdalsibudik.h"
#include "alarms/tfrmzmeskanebudiky.h"
#include "app/messageboxquestions.h"
#include "app/tfrmoprogramu.h"
#include "countdown/tfrmdalsiodpocit.h"
#include "display/tfrmdisplej.h"
#include "display/tfrmnastavenidispleje.h"
#include "display/seriallines.h"
#include "display/tfrmseriovyport.h"
#include "lang/captions.h"
#include "lang/language.h"
#include "lang/languagekeys.h"
#include "lang/messagetable.h"
#include "stopwatch/stopwatchpanel.h"
#include "stopwatch/tfrmcosetavrokem.h"
#include "stopwatch/tfrmdalsitavrok.h"
#include "stopwatch/tfrmmezicasy.h"
#include "storage/tfrmnastaveni.h"
#include "display/separatedisplay.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMap>
#include <QPushButton>
#include <QMenu>
#include <QSet>
#include <gtest/gtest.h>
#include <map>

using namespace tavrok;
using namespace tavrok::test;

namespace {

// Controls whose text is not a caption of their own: the program's data (digits, separators, the clock
// line, the program's name and version lines, the serial status), texts the windows make from words
// (the toggle buttons, the units and range of the display settings) and symbols (the pipettes' "P",
// the play and stop marks).
bool showsData(const QString& window, const QString& name) {
    static const std::map<QString, QString> data = {
        {QStringLiteral("frmHlavniOkno"),
         QStringLiteral("lblH lblM lblS lblMs lblD lblHOd lblMOd lblCas lblDatumBudiku btnZapnout btnPauza")},
        {QStringLiteral("frmOProgramu"),
         QStringLiteral("lblNazev lblVerze lblVerzeJazyka lblVerzeJazykaEn memAutorCesky memAutorEnglish")},
        {QStringLiteral("frmNastaveniDispleje"),
         QStringLiteral("btnBarvaPozadiPipeta btnPruhlednaBarvaPipeta btnBarvaTextuPipeta lblZlevaJednotka "
                        "lblShoraJednotka lblVelikostJednotka lblZobrazitOd lblZobrazitDo")},
        {QStringLiteral("frmDalsiOdpocit"), QStringLiteral("btnPlay btnStop")},
        {QStringLiteral("frmSeriovyPort"), QStringLiteral("lblPripojeno")},
        {QStringLiteral("frmMezicasy"), QStringLiteral("lblSoubor")},
        {QStringLiteral("frmDalsiBudik"),
         QStringLiteral("lblPo lblUt lblSt lblCt lblPa lblSo lblNe btnPlay btnStop")},
    };
    if (window == u"frmDisplej") {
        return true; // the digits and separators only; its caption is a word
    }
    const auto it = data.find(window);
    return it != data.end() && it->second.split(u' ').contains(name);
}

// The named controls of a window that show a caption, with the caption they were built with.
void collect(const QString& window, QObject* parent, std::map<QString, QString>& out) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget->isWindow() && !qobject_cast<QMenu*>(widget)) {
            continue;
        }
        const QVariant builtIn = child->property("tavrokBuiltInCaption");
        const QString caption = builtIn.isValid() ? builtIn.toString() : captionOf(child);
        if (!child->objectName().isEmpty() && !caption.isEmpty() && !showsData(window, child->objectName())) {
            out[child->objectName()] = caption;
        }
        collect(window, child, out);
    }
}

class LanguageWindowsTest : public WindowFixture {
protected:
    // Every window of the program, by its section.
    std::map<QString, QWidget*> windows() {
        std::map<QString, QWidget*> w;
        w[QStringLiteral("frmHlavniOkno")] = window.get();
        w[QStringLiteral("frmNastaveni")] = window->frmNastaveni();
        w[QStringLiteral("frmDalsiOdpocit")] = window->frmDalsiOdpocit();
        w[QStringLiteral("frmDalsiTavrok")] = window->stopwatchPanel().frmDalsiTavrok();
        w[QStringLiteral("frmMezicasy")] = window->stopwatchPanel().frmMezicasy();
        w[QStringLiteral("frmDalsiBudik")] = window->alarmPanel().frmDalsiBudik();
        w[QStringLiteral("frmZmeskaneBudiky")] = window->alarmPanel().frmZmeskaneBudiky();
        w[QStringLiteral("frmDisplej")] = &window->separateDisplay().frmDisplej();
        w[QStringLiteral("frmNastaveniDispleje")] = &window->separateDisplay().nastaveniDispleje().get();
        w[QStringLiteral("frmSeriovyPort")] = &window->serialLines().frmSeriovyPort();
        w[QStringLiteral("frmOProgramu")] = &about;
        w[QStringLiteral("frmCoSeTavrokem")] = &running;
        return w;
    }
    TfrmOProgramu about;
    TfrmCoSeTavrokem running;
};

} // namespace

TEST_F(LanguageWindowsTest, EveryKeyNamesAControlAndEveryCaptionHasAKey) {
    open();
    const auto all = windows();
    for (const LanguageSection& section : languageSections()) {
        const QString name = QString::fromUtf16(section.name);
        ASSERT_TRUE(all.count(name)) << name.toStdString();
        QWidget* w = all.at(name);
        EXPECT_EQ(w->objectName(), name);
        std::map<QString, QString> captions;
        collect(name, w, captions);
        QSet<QString> covered;
        QSet<QString> hinted;
        for (const LanguageKey& k : section.keys) {
            if (k.kind != KeyKind::Caption && k.kind != KeyKind::Hint) {
                continue;
            }
            for (const QString& target : QString::fromUtf16(k.targets ? k.targets : k.key).split(u',')) {
                EXPECT_NE(findControl(w, target), nullptr)
                    << name.toStdString() << ": key " << QString::fromUtf16(k.key).toStdString() << " names no control "
                    << target.toStdString();
                (k.kind == KeyKind::Caption ? covered : hinted) << target;
            }
        }
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!c->toolTip().isEmpty() && c->window() == w) {
                EXPECT_TRUE(hinted.contains(c->objectName()))
                    << name.toStdString() << ": the hint of " << c->objectName().toStdString() << " has no key";
            }
        }
        for (const auto& [control, caption] : captions) {
            EXPECT_TRUE(covered.contains(control))
                << name.toStdString() << ": " << control.toStdString() << " \"" << caption.toStdString() << "\" has no key";
        }
    }
}

namespace {

struct Entry {
    QString key;
    QString value;
};
using SectionTexts = std::vector<std::pair<QString, std::vector<Entry>>>;

std::vector<Entry>& sectionIn(SectionTexts& texts, const QString& name) {
    for (auto& [section, entries] : texts) {
        if (section == name) {
            return entries;
        }
    }
    texts.push_back({name, {}});
    return texts.back().second;
}

// The built-in texts of every window section, as the windows and the key table have them.
SectionTexts builtInTexts(const std::map<QString, QWidget*>& windows) {
    SectionTexts texts;
    for (const LanguageSection& section : languageSections()) {
        QWidget* w = windows.at(QString::fromUtf16(section.name));
        for (const LanguageKey& k : section.keys) {
            QString value;
            switch (k.kind) {
            case KeyKind::Caption: {
                const QString target = QString::fromUtf16(k.targets ? k.targets : k.key).section(u',', 0, 0);
                const QObject* control = findControl(w, target);
                const QVariant builtIn = control ? control->property("tavrokBuiltInCaption") : QVariant();
                value = builtIn.isValid() ? builtIn.toString() : captionOf(control);
                break;
            }
            case KeyKind::Title: {
                const QVariant builtIn = w->property("tavrokBuiltInCaption");
                value = builtIn.isValid() ? builtIn.toString() : w->windowTitle();
                break;
            }
            case KeyKind::Hint:
            case KeyKind::Word:
                value = QString::fromUtf16(k.builtIn);
                break;
            }
            // A key two windows share (the countdown's length labels read the alarm dialog's) is one key.
            auto& entries = sectionIn(texts, fileSectionOf(section, k).toString());
            const auto same = std::find_if(entries.begin(), entries.end(),
                                           [&](const Entry& e) { return e.key == QStringView(k.key); });
            if (same == entries.end()) {
                entries.push_back({QString::fromUtf16(k.key), value});
            } else {
                EXPECT_EQ(same->value, value) << "shared key " << same->key.toStdString();
            }
        }
    }
    auto& messages = sectionIn(texts, QStringLiteral("Messages"));
    for (int n = 1; n <= MessageTable::Count; ++n) {
        messages.push_back({QStringLiteral("message%1").arg(n), MessageTable::builtIn(n).replace(u'\n', QStringLiteral("%13"))});
    }
    return texts;
}

const char* const LanguageFiles[] = {"Cesky.ini", "English.ini"};

QString sourceFile(const char* name) {
    return QStringLiteral(TAVROK_SOURCE_DATA "/Jazyky/") + QString::fromLatin1(name);
}

} // namespace

TEST_F(LanguageWindowsTest, TheShippedFilesHoldEveryKeyAndCzechTheBuiltInTexts) {
    open();
    const SectionTexts builtIn = builtInTexts(windows());
    for (const char* name : LanguageFiles) {
        SCOPED_TRACE(name);
        const IniSnapshot file = IniFile(sourceFile(name)).snapshot();
        EXPECT_EQ(file.readString(u"info", u"program"), QStringLiteral("Tavrok"));
        EXPECT_TRUE(languageFitsThisVersion(file));
        for (const auto& [section, entries] : builtIn) {
            QSet<QString> expected;
            for (const Entry& e : entries) {
                SCOPED_TRACE(section.toStdString() + "/" + e.key.toStdString());
                expected << e.key.toLower();
                EXPECT_TRUE(file.valueExists(section, e.key));
                if (QByteArray(name) == "Cesky.ini") {
                    EXPECT_EQ(file.readString(section, e.key), e.value);
                } else if (!e.value.isEmpty()) {
                    EXPECT_FALSE(file.readString(section, e.key).isEmpty());
                }
            }
            for (const QString& key : file.keyNames(section)) {
                EXPECT_TRUE(expected.contains(key.toLower())) << section.toStdString() << "/" << key.toStdString() << " is no key";
            }
        }
    }
}

namespace {

const QByteArray Fits = "[info]\nprogram=Tavrok\n[verzeProgramu]\npocet=1\nverze1=2.51\n";

class LanguageSwitchTest : public LanguageWindowsTest {
protected:
    // Acts on the window named `name` once it shows: a modal one holds the caller until it closes.
    static void whenShown(const char* name, const std::function<void(QWidget*)>& act) {
        QTimer::singleShot(0, [name, act] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() == QLatin1String(name) && w->isVisible()) {
                    act(w);
                }
            }
        });
    }
    void choose(const char* language) {
        editAndPress(
            window->frmNastaveni(),
            [this, language] { childOf<QComboBox>(window->frmNastaveni(), "cbxJazyk")->setCurrentText(QString::fromLatin1(language)); },
            "btnOK", [this] { window->mnuNastaveniClick(); });
    }
    // Every control shows the caption it was built with.
    void expectBuiltInEverywhere() {
        for (const auto& [section, w] : windows()) {
            QObjectList controls = w->findChildren<QObject*>();
            controls << w;
            for (QObject* c : controls) {
                const QVariant builtIn = c->property("tavrokBuiltInCaption");
                if (builtIn.isValid()) {
                    auto* widget = qobject_cast<QWidget*>(c);
                    const bool ownWindow = widget && widget->isWindow() && !qobject_cast<QMenu*>(widget);
                    EXPECT_EQ(ownWindow ? widget->windowTitle() : captionOf(c), builtIn.toString())
                        << section.toStdString() << "/" << c->objectName().toStdString();
                }
            }
        }
    }
};

} // namespace

TEST_F(LanguageSwitchTest, AnotherLanguageReachesEveryWindowAndTheRunningCountdownKeepsItsStopButton) {
    writeBytes(data("Jazyky/Test.ini"),
               Fits + "[frmHlavniOkno]\nbtnOdpZapVypnout=S&top\nbtnTvrZapZapnout=St&art\nbtnOdpZapZapnout=&Go\n"
                      "lblFceOdpocit=Countdown\nmnuSoubor=&File\nmnuIndex=&Index                     F1\n"
                      "chbOdpOpakovat=Re&peat%13x\ncbxBudikyHint=Alarm name\n"
                      "[frmNastaveni]\nnazevOkna=Options\n[frmSeriovyPort]\nvstup1=Start countdown\nzadny=None\n"
                      "[frmDisplej]\nnazevOkna=Separate display\n[frmCoSeTavrokem]\nbtnNechat=&Keep running\n"
                      "[Messages]\nmessage2=No time.%13Really.\n[info]\nlocale=en\nverzeJazyka=7\n[frmOProgramu]\nbtnOK=Fine\n");
    open();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ano"));
    const auto showAbout = [this] {
        whenShown("frmOProgramu", [](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
        window->mnuOProgramuClick();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window->findChild<QDialog*>(QStringLiteral("frmOProgramu"));
    };
    click("lblFceOdpocit");
    typeOnDigits("000005");
    click("btnZapnout");
    ASSERT_TRUE(window->countdown().running());
    EXPECT_EQ(childOf<QLabel>(showAbout(), "lblVerzeJazykaEn")->text(), QStringLiteral("Version of loaded language: Unknown"));
    choose("Test");

    EXPECT_EQ(child<QPushButton>("btnZapnout")->text(), QStringLiteral("S&top")) << "still the stop button";
    EXPECT_EQ(child<QLabel>("lblFceOdpocit")->text(), QStringLiteral("Countdown"));
    runFor(1000);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("C: 0;00:00:04")) << "the title's letter follows the caption";
    EXPECT_EQ(window->findChild<QMenu*>(QStringLiteral("mnuSoubor"))->title(), QStringLiteral("&File"));
    EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("mnuIndex"))->text(), QStringLiteral("&Index"))
        << "the menu shows the shortcut itself";
    EXPECT_EQ(child<QCheckBox>("chbOdpOpakovat")->text(), QStringLiteral("Re&peat%13x")) << "captions keep %13";
    EXPECT_EQ(child("cbxBudiky")->toolTip(), QStringLiteral("Alarm name"));
    EXPECT_EQ(child<QAbstractButton>("btnKonec")->text(), QStringLiteral("&Konec")) << "what the file lacks stays";
    EXPECT_EQ(window->messageTable().text(2), QStringLiteral("No time.\nReally."));
    EXPECT_EQ(window->frmNastaveni()->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(window->separateDisplay().frmDisplej().windowTitle(), QStringLiteral("Separate display - Tavrok"));
    EXPECT_EQ(childOf<QComboBox>(&window->serialLines().frmSeriovyPort(), "cbxDSR")->itemText(1), QStringLiteral("Start countdown"));
    EXPECT_EQ(childOf<QLabel>(&window->serialLines().frmSeriovyPort(), "lblPripojeno")->text(), QString::fromUtf16(u"Připojeno k: None"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes")) << "Qt's own buttons";
    EXPECT_EQ(childOf<QPushButton>(showAbout(), "btnOK")->text(), QStringLiteral("Fine")) << "the About box made before";
    EXPECT_EQ(childOf<QLabel>(showAbout(), "lblVerzeJazykaEn")->text(), QStringLiteral("Version of loaded language: 7"));
    MessageBoxQuestions boxes(window.get());
    boxes.setLanguage(&window->programState().language);
    whenShown("frmCoSeTavrokem", [](QWidget* w) {
        EXPECT_EQ(childOf<QPushButton>(w, "btnNechat")->text(), QStringLiteral("&Keep running"));
        EXPECT_EQ(childOf<QPushButton>(w, "btnStorno")->text(), QStringLiteral("&Storno"));
        childOf<QPushButton>(w, "btnNechat")->click();
    });
    EXPECT_EQ(boxes.askRunning(QStringLiteral("a"), QStringLiteral("b")), RunningChoice::KeepRunning)
        << "the running question speaks the language";

    click("lblFceTavrok");
    EXPECT_EQ(child<QPushButton>("btnZapnout")->text(), QStringLiteral("St&art")) << "the stopwatch's own start text";

    choose("Cesky");
    EXPECT_EQ(window->storage().languageIni().path(), data("Jazyky/Cesky.ini"));
    expectBuiltInEverywhere();
    EXPECT_EQ(window->messageTable().text(2), MessageTable::builtIn(2));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ano"));
    click("lblFceOdpocit");
    EXPECT_EQ(child<QPushButton>("btnZapnout")->text(), QStringLiteral("&Stop"));
}

TEST_F(LanguageSwitchTest, AFileNotMadeForThisProgramOrVersionIsLoadedOnlyAfterYes) {
    writeBytes(data("Jazyky/Foreign.ini"), "[frmHlavniOkno]\nbtnKonec=&Quit\n");
    writeBytes(data("Jazyky/Old.ini"), "[info]\nprogram=Tavrok\n[verzeProgramu]\npocet=1\nverze1=2.5\n[frmHlavniOkno]\nbtnKonec=&Exit\n");
    open();
    const auto jazyk = [this] { return IniFile(settingsPath()).readString(u"nastaveni", u"jazyk", QStringLiteral("(none)")); };

    questions.script({Answer::No});
    choose("Foreign");
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, window->messageTable().text(54));
    EXPECT_EQ(questions.asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(window->storage().languageIni().path(), data("Jazyky/Cesky.ini")) << "the previous file again";
    EXPECT_EQ(jazyk(), QStringLiteral("(none)")) << "nothing saved";
    EXPECT_EQ(child<QAbstractButton>("btnKonec")->text(), QStringLiteral("&Konec"));

    questions.script({Answer::Yes, Answer::No}); // then it names no version either
    choose("Foreign");
    ASSERT_EQ(questions.asked.size(), 3u);
    EXPECT_EQ(questions.asked[2].text, window->messageTable().text(55));
    EXPECT_EQ(jazyk(), QStringLiteral("(none)"));

    questions.script({Answer::Yes});
    choose("Old");
    ASSERT_EQ(questions.asked.size(), 4u);
    EXPECT_EQ(questions.asked[3].text, window->messageTable().text(55));
    EXPECT_EQ(jazyk(), QStringLiteral("Old"));
    EXPECT_EQ(child<QAbstractButton>("btnKonec")->text(), QStringLiteral("&Exit"));

    questions.script({Answer::Yes});
    choose("Old"); // unchanged, asked again at every confirmation
    EXPECT_EQ(questions.asked.size(), 5u);
}

namespace {

QChar accelerator(const QString& caption) {
    for (qsizetype i = caption.indexOf(u'&'); i >= 0 && i + 1 < caption.size(); i = caption.indexOf(u'&', i + 2)) {
        if (caption[i + 1] != u'&') {
            return caption[i + 1].toLower();
        }
    }
    return {};
}

QStringList names(const char* list) {
    return QString::fromLatin1(list).split(u' ');
}

// Captions seen together, whose accelerators must differ: the main window per function (with each of
// the toggle button's two texts), each menu, and every dialog as a whole.
std::vector<std::pair<QString, QStringList>> shownTogether() {
    const QString mainWindow = QStringLiteral("frmHlavniOkno");
    const QStringList common = names("mnuSoubor mnuNapoveda btnKonec btnVynulovat btnDalsi");
    std::vector<std::pair<QString, QStringList>> groups;
    for (const char* toggle : {"btnBudZapZapnout", "btnBudZapVypnout"}) {
        groups.push_back(
            {mainWindow, common + names(toggle) + names("btnBudVymazat btnBudNacist btnBudVymazatVse btnBudUlozit")});
    }
    for (const char* toggle : {"btnTvrZapZapnout", "btnTvrZapVypnout"}) {
        groups.push_back(
            {mainWindow, common + names(toggle) + names("btnTvrVymazat btnTvrMezicas btnTvrImpExp btnTvrVymazatVse")});
    }
    for (const char* toggle : {"btnOdpZapZapnout", "btnOdpZapVypnout"}) {
        for (const char* pause : {"btnOdpPauzaPauznout", "btnOdpPauzaPokracovat"}) {
            groups.push_back({mainWindow, common + names(toggle) + names(pause) + names("chbOdpOpakovat")});
        }
    }
    groups.push_back({mainWindow, names("mnuDoIkony mnuVzdyNahore mnuZvuk mnuVypnoutUpozorneni mnuSeriovyPort "
                                        "mnuZobrazitDisplej mnuNastaveniDispleje mnuZmeskaneBudiky mnuNastaveni "
                                        "mnuImport mnuExport mnuKonec")});
    groups.push_back({mainWindow, names("mnuIndex mnuZkontrolovatNovouVerzi mnuOProgramu")});
    groups.push_back({mainWindow, names("mnuObnovit mnuNapoveda2 mnuOProgramu2 mnuKonec2")});
    for (const LanguageSection& section : languageSections()) {
        if (QStringView(section.name) == mainWindow) {
            continue;
        }
        QStringList captions;
        for (const LanguageKey& k : section.keys) {
            if (k.kind == KeyKind::Caption) {
                captions << QString::fromUtf16(k.key);
            }
        }
        groups.push_back({QString::fromUtf16(section.name), captions});
    }
    return groups;
}

} // namespace

TEST(LanguageFiles, NoTwoControlsShownTogetherShareAnAccelerator) {
    // The Czech file holds the built-in captions (checked above), so this covers the windows as built too.
    for (const char* name : LanguageFiles) {
        SCOPED_TRACE(name);
        const IniSnapshot file = IniFile(sourceFile(name)).snapshot();
        for (const auto& [section, keys] : shownTogether()) {
            QMap<QChar, QString> taken;
            for (const QString& key : keys) {
                const LanguageKey* k = findLanguageKey(section, key);
                ASSERT_NE(k, nullptr) << key.toStdString();
                const QChar a = accelerator(file.readString(k->fileSection ? QStringView(k->fileSection) : QStringView(section), key));
                if (a.isNull()) {
                    continue;
                }
                EXPECT_FALSE(taken.contains(a)) << name << " " << section.toStdString() << ": " << key.toStdString()
                                                << " and " << taken.value(a).toStdString() << " both take Alt+"
                                                << QString(a).toStdString();
                taken[a] = key;
            }
        }
    }
}

TEST(EnglishFile, IsATranslationWithTheSamePlaceholders) {
    const IniSnapshot czech = IniFile(sourceFile("Cesky.ini")).snapshot();
    const IniSnapshot english = IniFile(sourceFile("English.ini")).snapshot();
    int same = 0;
    int all = 0;
    for (const QString& section : czech.sectionNames()) {
        for (const QString& key : czech.keyNames(section)) {
            const QString cs = czech.readString(section, key);
            const QString en = english.readString(section, key);
            ++all;
            same += cs == en;
            for (const char* mark : {"%d1", "%d2", "%13", "&"}) {
                EXPECT_EQ(cs.count(QString::fromLatin1(mark)), en.count(QString::fromLatin1(mark)))
                    << section.toStdString() << "/" << key.toStdString() << " " << mark;
            }
            EXPECT_EQ(cs.count(QStringLiteral("%d")), en.count(QStringLiteral("%d"))) << key.toStdString();
        }
    }
    EXPECT_LT(same * 5, all) << "most texts differ from the Czech ones";
}

TEST_F(LanguageSwitchTest, AWindowsVersionFileWithoutThisVersionsKeysLeavesNoCzechWhereItHasTheWord) {
    writeBytes(data("Jazyky/Old.ini"), Fits + "[frmHlavniOkno]\nmnuNapoveda=&Help\nmnuKonec=E&xit\nmnuOProgramu=&About...\n"
                                              "[frmNastaveniDispleje]\nzarovnani=Alignment:\n");
    settings("[nastaveni]\njazyk=Old\n");
    open();
    EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("mnuKonec2"))->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("mnuNapoveda2"))->text(), QStringLiteral("&Help"));
    EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("mnuOProgramu2"))->text(), QStringLiteral("&About..."));
    for (const char* label : {"lblZarovnaniObr", "lblZarovnaniTextu"}) {
        EXPECT_EQ(childOf<QLabel>(&window->separateDisplay().nastaveniDispleje().get(), label)->text(), QStringLiteral("Alignment:")) << label;
    }
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes")) << "not the Czech file";
}
