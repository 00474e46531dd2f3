// Every step of the user that writes a file, against every way a write fails on a real system: a
// write-protected file, a read-only file system, a full one, one without free inodes, a folder where the
// file should be, and a symbolic link to a file on a read-only file system. Each step shows its own
// message naming the file, and the file stays as it was, byte for byte. The file systems are small
// tmpfs mounts in a mount namespace of this test's own.
#include "countdown/tfrmdalsiodpocit.h"
#include "display/tfrmnastavenidispleje.h"
#include "display/seriallines.h"
#include "display/tfrmseriovyport.h"
#include "lang/messagetable.h"
#include "reliability/privatemounts.h"
#include "stopwatch/stopwatchpanel.h"
#include "stopwatch/tfrmdalsitavrok.h"
#include "stopwatch/tfrmmezicasy.h"
#include "storage/tfrmnastaveni.h"
#include "display/separatedisplay.h"
#include "support/windowfixture.h"

#include "platform/application.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <sys/stat.h>

namespace tavrok {
namespace {

bool g_privateMounts = false;

enum class Failure { ReadOnlyFile, ReadOnlyFileSystem, DiskFull, NoInodes, FolderInPlace, LinkToReadOnly };
const Failure AllFailures[] = {Failure::ReadOnlyFile, Failure::ReadOnlyFileSystem, Failure::DiskFull,
                               Failure::NoInodes,     Failure::FolderInPlace,      Failure::LinkToReadOnly};
const char* const FailureNames[] = {"ReadOnlyFile", "ReadOnlyFileSystem", "DiskFull",
                                    "NoInodes",     "FolderInPlace",      "LinkToReadOnly"};

constexpr int SizeKiB = 256;
constexpr int Inodes = 64;

class WriteFailureTest;

struct Site {
    const char* name;
    const char* file; // in the settings folder
    int message;      // shown with the file's path
    bool deletes;     // removing a file needs no space: a full disk does not stop it
    std::function<void(WriteFailureTest&)> before; // while the folder is sound
    std::function<void(WriteFailureTest&)> write;  // the user's step
    // Failures after which the step shows another message (0: none), and what else must hold.
    std::vector<std::pair<Failure, int>> otherwise = {};
    std::function<void(WriteFailureTest&, Failure)> after = {};
};

class WriteFailureTest : public test::WindowFixture, public ::testing::WithParamInterface<std::tuple<int, Failure>> {
public:
    static const std::vector<Site>& sites();

protected:
    QString folder() const { return data("Nastaveni"); }
    QString elsewhere() const { return dir.path() + QStringLiteral("/elsewhere"); }

    void SetUp() override {
        WindowFixture::SetUp();
        if (!g_privateMounts) {
            GTEST_SKIP() << "this machine allows no private mount namespace (neither root nor user namespaces)";
        }
        QDir().mkpath(folder());
        QDir().mkpath(elsewhere());
        ASSERT_TRUE(test::mountSmallTmpfs(folder(), SizeKiB, Inodes));
        mounted_ = true;
        settings("[nastaveni]\nfunkce=1\n");
        test::writeBytes(data("Nastaveni/Budiky.ini"),
                         "[info]\npocetBudiku=1\n1=Ranni\n[Ranni]\ncas=7:00:00\nzprava=Vstavej\nstav=1\nvzdy=1\n"
                         "OD=1\nOM=1\nOR=2000\nDD=1\nDM=1\nDR=2000\nKD=0\nKM=0\nKR=0\nposledni=6.12.2026 9:00:00\n");
        test::writeBytes(data("Nastaveni/Export.csv"), "old;export\n");
    }

    void TearDown() override {
        window.reset();
        if (mounted_) {
            test::unmount(elsewhere());
            test::unmount(folder());
        }
    }

    void breakFile(Failure failure, const QString& path) {
        switch (failure) {
        case Failure::ReadOnlyFile:
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
            break;
        case Failure::ReadOnlyFileSystem:
            ASSERT_TRUE(test::remountReadOnly(folder(), SizeKiB, Inodes));
            break;
        case Failure::DiskFull:
            ASSERT_TRUE(test::fillSpace(folder()));
            break;
        case Failure::NoInodes:
            ASSERT_TRUE(test::fillInodes(folder()));
            break;
        case Failure::FolderInPlace:
            QFile::remove(path);
            ASSERT_TRUE(QDir().mkpath(path));
            test::writeBytes(path + QStringLiteral("/inside.txt"), "kept");
            break;
        case Failure::LinkToReadOnly: {
            ASSERT_TRUE(test::mountSmallTmpfs(elsewhere(), SizeKiB, Inodes));
            const QString target = elsewhere() + u'/' + QFileInfo(path).fileName();
            test::writeBytes(target, test::readBytes(path));
            QFile::remove(path);
            ASSERT_TRUE(QFile::link(target, path));
            ASSERT_TRUE(test::remountReadOnly(elsewhere(), SizeKiB, Inodes));
            break;
        }
        }
    }

    // What a path holds: bytes and mode of a file, the target and its bytes for a link, the contents of a
    // folder. The filler files of a full disk are not the program's.
    static QByteArray describe(const QString& path) {
        const QFileInfo info(path);
        if (info.isSymLink()) {
            return "link to " + QFile::encodeName(info.symLinkTarget()) + ": " + describe(info.symLinkTarget());
        }
        if (info.isDir()) {
            QByteArray all = "folder:";
            QStringList names = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
            names.sort();
            for (const QString& name : names) {
                if (name != QStringLiteral("filler") && !name.startsWith(QStringLiteral("inode-"))) {
                    all += "\n" + QFile::encodeName(name) + " = " + describe(path + u'/' + name);
                }
            }
            return all;
        }
        if (!info.exists()) {
            return "missing";
        }
        return "file " + QByteArray::number(int(info.permissions()), 16) + ": " + test::readBytes(path);
    }

    bool shown(int message, const QString& path) const {
        const QString expected = fillPlaceholders(window->messageTable().text(message), path);
        return std::any_of(questions.asked.begin(), questions.asked.end(),
                           [&](const test::FakeQuestions::Asked& a) { return a.text == expected; });
    }
    QString shownTexts() const {
        QString all;
        for (const auto& a : questions.asked) {
            all += QStringLiteral("\n  ") + a.text;
        }
        return all.isEmpty() ? QStringLiteral("(none)") : all;
    }

    // ---- the user's steps

    void dialogOk(QWidget* dialog, const std::function<void()>& edit, const std::function<void()>& openIt) {
        editAndPress(dialog, edit, "btnOK", openIt);
    }
    void toggle(QWidget* dialog, const char* box) {
        auto* b = childOf<QCheckBox>(dialog, box);
        b->setChecked(!b->isChecked());
    }
    TfrmMezicasy* manager() const { return window->stopwatchPanel().frmMezicasy(); }
    void inManager(const char* button) { QTest::mouseClick(childOf(manager(), button), Qt::LeftButton); }
    // The stopwatch with two splits, and the split-times manager open with them saved as "A".
    void splitsSavedAsA() {
        open();
        takeTwoSplits();
        click("btnTvrImpExp");
        ASSERT_TRUE(manager()->isVisible());
        childOf<QLineEdit>(manager(), "edtNazev")->setText(QStringLiteral("A"));
        inManager("btnUlozit");
        ASSERT_TRUE(QFileInfo::exists(data("Nastaveni/Mezicasy.ini")));
    }
    // A stopwatch left running by the settings' choice.
    void stopwatchRunning() {
        settings("[nastaveni]\nfunkce=1\nnechat=1\n");
        open();
        click("lblFceTavrok");
        click("btnZapnout");
        runFor(5000);
    }

private:
    bool mounted_ = false;
};

const std::vector<Site>& WriteFailureTest::sites() {
    using T = WriteFailureTest;
    static const std::vector<Site> all = {
        {"AlarmSave", "Budiky.ini", 27, false,
         [](T& t) {
             t.open();
             t.typeOnDigits("100005");
             t.child<QComboBox>("cbxBudiky")->setEditText(QStringLiteral("Caj")); // switched on, as loaded
         },
         [](T& t) { t.click("btnBudUlozit"); }},
        {"AlarmDelete", "Budiky.ini", 34, false,
         [](T& t) {
             t.open();
             t.child<QComboBox>("cbxBudiky")->setEditText(QStringLiteral("Ranni"));
         },
         [](T& t) { t.click("btnBudVymazat"); },
         {{Failure::FolderInPlace, 32}}}, // no list to find the alarm in
        {"AllAlarmsDelete", "Budiky.ini", 29, true,
         [](T& t) {
             t.open();
             t.questions.script({Answer::Yes});
         },
         [](T& t) { t.click("btnBudVymazatVse"); }},
        {"SettingsDialog", "Nastaveni.ini", 51, false, [](T& t) { t.open(); },
         [](T& t) {
             t.dialogOk(t.window->frmNastaveni(), [&t] { t.toggle(t.window->frmNastaveni(), "chbZacitOdNuly"); },
                        [&t] { t.window->mnuNastaveniClick(); });
         }},
        {"CountdownOptions", "Nastaveni.ini", 51, false,
         [](T& t) {
             t.open();
             t.click("lblFceOdpocit");
         },
         [](T& t) {
             t.dialogOk(t.window->frmDalsiOdpocit(), [&t] { t.toggle(t.window->frmDalsiOdpocit(), "chbGraf"); },
                        [&t] { t.click("btnDalsi"); });
         }},
        {"StopwatchOptions", "Nastaveni.ini", 51, false,
         [](T& t) {
             t.open();
             t.click("lblFceTavrok");
         },
         [](T& t) {
             auto* dialog = t.window->template findChild<StopwatchPanel*>()->frmDalsiTavrok();
             t.dialogOk(dialog, [&t, dialog] { t.toggle(dialog, "chbZastavit"); }, [&t] { t.click("btnDalsi"); });
         }},
        {"SerialPortSettings", "Nastaveni.ini", 51, false, [](T& t) { t.open(); },
         [](T& t) {
             auto* dialog = &t.window->serialLines().frmSeriovyPort();
             t.dialogOk(dialog, [dialog] { childOf<QComboBox>(dialog, "cbxCTS")->setCurrentIndex(2); },
                        [&t] { t.child<QAction>("mnuSeriovyPort")->trigger(); });
         }},
        {"DisplaySettings", "Nastaveni.ini", 53, false, [](T& t) { t.open(); },
         [](T& t) {
             t.child<QAction>("mnuNastaveniDispleje")->trigger();
             TfrmNastaveniDispleje* dialog = &t.window->separateDisplay().nastaveniDispleje().get();
             t.toggle(dialog, "chbZvyraznit");
             QTest::mouseClick(childOf(dialog, "btnPouzit"), Qt::LeftButton);
         }},
        {"SplitSave", "Mezicasy.ini", 44, false, [](T& t) { t.splitsSavedAsA(); },
         [](T& t) {
             childOf<QLineEdit>(t.manager(), "edtNazev")->setText(QStringLiteral("B"));
             t.inManager("btnUlozit");
         }},
        {"SplitDelete", "Mezicasy.ini", 40, false, [](T& t) { t.splitsSavedAsA(); },
         [](T& t) { t.inManager("btnVymazat"); }},
        {"SplitFileDelete", "Mezicasy.ini", 38, true,
         [](T& t) {
             t.splitsSavedAsA();
             t.questions.script({Answer::Yes});
         },
         [](T& t) { t.inManager("btnVymazatVse"); }},
        {"SplitExport", "Export.csv", 47, false,
         [](T& t) {
             t.splitsSavedAsA();
             t.files.saveFiles << t.data("Nastaveni/Export.csv");
         },
         [](T& t) { t.inManager("btnExportovat"); }},
        {"Import", "Budiky.ini", 51, false,
         [](T& t) {
             t.open();
             const QString usb = t.dir.path() + QStringLiteral("/usb");
             test::writeBytes(usb + QStringLiteral("/Tavrok.bud"),
                              "[data]\r\npocet=1\r\n1=Obed\r\n[Obed]\r\ncas=12:00:00\r\nstav=1\r\n"
                              "posledni=6.12.2026 9:00:00\r\n");
             t.files.folders << usb;
         },
         [](T& t) { t.child<QAction>("mnuImport")->trigger(); }},
        {"Export", "Zaloha/Budiky.ini", 51, false,
         [](T& t) {
             test::writeBytes(t.data("Nastaveni/Zaloha/Budiky.ini"), "[info]\npocetBudiku=0\n");
             t.open();
             t.files.folders << t.data("Nastaveni/Zaloha");
         },
         [](T& t) { t.child<QAction>("mnuExport")->trigger(); }},
        {"Close", "Nastaveni.ini", 8, false, [](T& t) { t.open(); }, [](T& t) { EXPECT_TRUE(t.window->close()); }},
        {"CloseWithStopwatchRunning", "Nastaveni.ini", 6, false, [](T& t) { t.stopwatchRunning(); },
         [](T& t) { (void)t.window->close(); },
         // Without a readable settings file the choice to keep it running is not known either.
         {{Failure::FolderInPlace, 8}},
         [](T& t, Failure f) {
             if (f != Failure::FolderInPlace) {
                 EXPECT_TRUE(t.window->isVisible()) << "the program stays open rather than lose the stopwatch";
                 EXPECT_TRUE(t.window->stopwatch().running());
             }
         }},
        {"StartTakingOverTheStopwatch", "Nastaveni.ini", 21, false,
         [](T& t) {
             t.stopwatchRunning();
             EXPECT_TRUE(t.window->close());
             t.window.reset();
             ASSERT_EQ(IniFile(t.settingsPath()).readInteger(u"pokracovaniTavrek", u"stav", 0), 2);
         },
         [](T& t) { t.open(); },
         // A folder that cannot take a new file gives way to the configuration folder, which starts
         // from copies, and the user is told; a folder in the file's place has nothing to take over.
         {{Failure::ReadOnlyFileSystem, -1}, {Failure::NoInodes, -1}, {Failure::FolderInPlace, 0}},
         [](T& t, Failure f) {
             EXPECT_EQ(t.window->stopwatch().running(), f != Failure::FolderInPlace);
             if (f == Failure::ReadOnlyFileSystem || f == Failure::NoInodes) {
                 ASSERT_EQ(t.questions.asked.size(), 1u);
                 const QString told = t.window->messageTable().text(MessageTable::SetTakenOver);
                 EXPECT_TRUE(t.questions.asked[0].text.startsWith(told.left(told.indexOf(u'%'))));
                 EXPECT_TRUE(t.questions.asked[0].text.contains(t.folder())) << t.shownTexts().toStdString();
             }
         }},
    };
    return all;
}

TEST_P(WriteFailureTest, ShowsItsMessageAndKeepsTheFile) {
    const auto [index, failure] = GetParam();
    const Site& site = sites()[static_cast<size_t>(index)];
    const QString path = folder() + u'/' + QString::fromLatin1(site.file);

    site.before(*this);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(QFileInfo::exists(path)) << "the step has a file to lose";
    breakFile(failure, path);
    ASSERT_FALSE(HasFatalFailure());
    // Where nothing at all can be written, nothing may change; elsewhere only this file counts.
    const bool wholeFolder = failure == Failure::ReadOnlyFileSystem || failure == Failure::DiskFull || failure == Failure::NoInodes;
    const QString watched = wholeFolder ? folder() : path;
    const QByteArray before = describe(watched);
    questions.asked.clear();

    site.write(*this);

    if (site.deletes && (failure == Failure::DiskFull || failure == Failure::NoInodes)) {
        EXPECT_FALSE(QFileInfo::exists(path)) << "deleting needs no space";
        EXPECT_FALSE(shown(site.message, path)) << shownTexts().toStdString();
        return;
    }
    int message = site.message;
    for (const auto& [f, m] : site.otherwise) {
        message = f == failure ? m : message;
    }
    if (message < 0) {
        // what is said is checked by the site itself
    } else if (message != 0) {
        EXPECT_TRUE(shown(message, path)) << "message " << message << " not shown; shown:" << shownTexts().toStdString();
    } else {
        EXPECT_TRUE(questions.asked.empty()) << shownTexts().toStdString();
    }
    EXPECT_EQ(describe(watched), before);
    if (site.after) {
        site.after(*this, failure);
    }
}

// Moving the settings to a folder that cannot take them: the message says so and names the folder,
// nothing of the set moves, and nothing is left behind in the new folder.
class RelocationFailureTest : public WriteFailureTest {};

TEST_P(RelocationFailureTest, SaysSoAndKeepsTheSetWhereItIs) {
    const Failure failure = std::get<1>(GetParam());
    ASSERT_TRUE(test::mountSmallTmpfs(elsewhere(), SizeKiB, Inodes));
    QString target = elsewhere() + QStringLiteral("/Nove");
    QDir().mkpath(target);
    const QString blocker = target + QStringLiteral("/Nastaveni.ini");
    switch (failure) {
    case Failure::ReadOnlyFile:
        test::writeBytes(blocker, "[nastaveni]\njazyk=English\n");
        ASSERT_EQ(::chmod(QFile::encodeName(blocker).constData(), 0444), 0);
        questions.script({Answer::Yes}); // replace what is there
        break;
    case Failure::ReadOnlyFileSystem:
        ASSERT_TRUE(test::remountReadOnly(elsewhere(), SizeKiB, Inodes));
        break;
    case Failure::DiskFull:
        // A set the user keeps there already, to be replaced: it must survive the failed copy.
        test::writeBytes(target + QStringLiteral("/Budiky.ini"), "[info]\npocetBudiku=0\n");
        questions.script({Answer::Yes});
        ASSERT_TRUE(test::fillSpace(elsewhere()));
        break;
    case Failure::NoInodes:
        ASSERT_TRUE(test::fillInodes(elsewhere()));
        break;
    case Failure::FolderInPlace:
        ASSERT_TRUE(QDir().mkpath(blocker));
        questions.script({Answer::Yes});
        break;
    case Failure::LinkToReadOnly: {
        const QString link = dir.path() + QStringLiteral("/odkaz");
        ASSERT_TRUE(QFile::link(target, link));
        ASSERT_TRUE(test::remountReadOnly(elsewhere(), SizeKiB, Inodes));
        target = link;
        break;
    }
    }
    open();
    const QByteArray alarms = describe(data("Nastaveni/Budiky.ini"));
    const QByteArray there = describe(elsewhere());
    questions.asked.clear();

    auto* dialog = window->frmNastaveni();
    editAndPress(dialog, [&] { childOf<QLineEdit>(dialog, "edtCestaKNastaveni")->setText(target); }, "btnOK",
                 [&] { window->mnuNastaveniClick(); });

    // Refused before anything is copied, or taken back after a file failed: either way it says so.
    const QString failed = window->messageTable().text(MessageTable::MoveFailed);
    const bool tookBack = std::any_of(questions.asked.begin(), questions.asked.end(), [&](const auto& a) {
        return a.text.startsWith(failed.left(failed.indexOf(u'%'))) && a.text.contains(target);
    });
    EXPECT_TRUE(shown(MessageTable::UnusableFolder, target) || tookBack) << shownTexts().toStdString();
    EXPECT_EQ(window->programState().storage.settingsFolder(), folder());
    EXPECT_EQ(describe(data("Nastaveni/Budiky.ini")), alarms);
    EXPECT_NE(IniFile(data("Nastaveni/Umisteni.ini")).readString(u"cesty", u"nastaveni", {}), target)
        << "the location is not changed";
    EXPECT_EQ(describe(elsewhere()), there);
}

INSTANTIATE_TEST_SUITE_P(SettingsFolder, RelocationFailureTest,
                         ::testing::Combine(::testing::Values(0), ::testing::ValuesIn(AllFailures)),
                         [](const auto& p) { return std::string(FailureNames[int(std::get<1>(p.param))]); });

INSTANTIATE_TEST_SUITE_P(EveryWriteSite, WriteFailureTest,
                         ::testing::Combine(::testing::Range(0, int(WriteFailureTest::sites().size())),
                                            ::testing::ValuesIn(AllFailures)),
                         [](const auto& p) {
                             return std::string(
                                        WriteFailureTest::sites()[size_t(std::get<0>(p.param))].name) +
                                    "_" + FailureNames[int(std::get<1>(p.param))];
                         });

} // namespace
} // namespace tavrok

int main(int argc, char* argv[]) {
    // Before Qt starts a thread: entering a user namespace needs a process of one thread.
    tavrok::g_privateMounts = tavrok::test::enterPrivateMountNamespace();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tavrok::setUpApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
