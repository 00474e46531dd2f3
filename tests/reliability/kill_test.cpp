// The program's saves killed at random moments (SIGKILL, as a power cut or the kernel's out-of-memory
// killer ends a process): every file still parses, every record holds the values of the last save that
// returned or of the one that was cut short, never a mix; every alarm section is whole and listed; and
// the next start leaves no temporary file behind.
#include "reliability/saverounds.h"
#include "storage/savefile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <thread>
#include <tuple>

namespace tavrok::reliability {
namespace {

// What the files hold after every save that returned.
struct Model {
    std::optional<int> settings, display, serial;
    std::map<QString, int> alarms; // name -> the round that saved it
    std::map<QString, int> splits;

    void apply(int round) {
        switch (kindOf(round)) {
        case Kind::Settings:
            settings = round;
            break;
        case Kind::Alarm:
            if (deletesAlarm(round)) {
                alarms.erase(alarmName(round));
            } else {
                alarms[alarmName(round)] = round;
            }
            break;
        case Kind::Splits:
            if (!deletesOldestSplits(round)) {
                splits[splitName(round)] = round;
            } else if (!splits.empty()) {
                splits.erase(std::min_element(splits.begin(), splits.end(), [](const auto& a, const auto& b) {
                                 return a.second < b.second;
                             }));
            }
            break;
        case Kind::Display:
            display = round;
            break;
        case Kind::Serial:
            serial = round;
            break;
        }
    }
};

// Every field an alarm section holds (its notification keys with their defaults): a section cut short
// reads some of them as defaults.
bool sameAlarm(const TNactenyBudik& read, const TNactenyBudik& saved) {
    const auto fields = [](const TNactenyBudik& b) {
        return std::tie(b.zprava, b.vzdy, b.OD, b.OM, b.OR, b.doNekonecna, b.DD, b.DM, b.DR, b.KD, b.KM, b.KR,
                        b.Po, b.Ut, b.St, b.Ct, b.Pa, b.So, b.Ne, b.upozorneni);
    };
    return std::abs(read.cas - saved.cas) < 1e-9 && read.stav == (saved.zapnuty() ? 1 : 0) &&
           fields(read) == fields(saved);
}

// The alarm names a file lists and the sections it holds (but "info"), both sorted.
std::pair<QStringList, QStringList> listedAndSections(const IniSnapshot& alarms) {
    QStringList listed = nazvyBudiku(alarms);
    QStringList sections = alarms.sectionNames();
    sections.removeIf([](const QString& s) { return s.compare(u"info", Qt::CaseInsensitive) == 0; });
    listed.sort();
    sections.sort();
    return {listed, sections};
}

// The files of a folder that are not the program's three INI files: what a killed save may leave behind.
QStringList leftBehind(const QString& folder) {
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    left.removeIf([](const QString& f) {
        return f == u"Nastaveni.ini" || f == u"Budiky.ini" || f == u"Mezicasy.ini";
    });
    return left;
}

// Where the files differ from the model, or nothing.
QString mismatch(const Files& files, const Model& m) {
    const IniFile settings(files.settings());
    if (settings.holdsNoText()) {
        return QStringLiteral("Nastaveni.ini is no text");
    }
    if (nactiNastaveni(settings) != (m.settings ? settingsFor(*m.settings) : TNastaveni{})) {
        return QStringLiteral("the settings record");
    }
    if (!(nactiNastaveniDispleje(settings) == (m.display ? displayFor(*m.display) : nactiNastaveniDispleje(IniFile())))) {
        return QStringLiteral("the display settings");
    }
    const QString none = QString::fromUtf16(ZadnyPort);
    if (!(nactiNastaveniSerioveho(settings, none) == (m.serial ? serialFor(*m.serial) : nactiNastaveniSerioveho(IniFile(), none)))) {
        return QStringLiteral("the serial settings");
    }

    const IniFile alarmsFile(files.alarms());
    const IniFile splitsFile(files.splits());
    if (alarmsFile.holdsNoText() || splitsFile.holdsNoText()) {
        return QStringLiteral("Budiky.ini or Mezicasy.ini is no text");
    }
    const IniSnapshot alarms = alarmsFile.snapshot();
    const auto [listed, sections] = listedAndSections(alarms);
    QStringList expected;
    for (const auto& [name, round] : m.alarms) {
        expected << name;
        if (!sameAlarm(nactiBudik(alarms, name), alarmFor(round))) {
            return QStringLiteral("alarm ") + name;
        }
    }
    if (listed != expected || sections != expected) {
        return QStringLiteral("the alarm list: listed %1, sections %2, saved %3")
            .arg(listed.join(u','), sections.join(u','), expected.join(u','));
    }

    const IniSnapshot splits = splitsFile.snapshot();
    QStringList names;
    for (const SplitEntry& e : seznamMezicasu(splits)) {
        names << e.name;
    }
    names.sort();
    QStringList savedNames;
    for (const auto& [name, round] : m.splits) {
        savedNames << name;
        if (nactiMezicasy(splits, name).lines != splitsFor(round).lines) {
            return QStringLiteral("split set ") + name;
        }
    }
    if (names != savedNames) {
        return QStringLiteral("the split set list");
    }
    return {};
}

int runsFromEnvironment(const char* name, int fallback) {
    const int n = qEnvironmentVariableIntValue(name);
    return n > 0 ? n : fallback;
}

TEST(KilledSaves, LeaveEveryFileWholeWithTheOldOrTheNewValues) {
    const int runs = runsFromEnvironment("TAVROK_KILL_RUNS", 100);
    QTemporaryDir dir;
    const Files files{dir.path()};
    Model model;
    int next = 1;
    int cutShort = 0; // kills that came after a save reached the disk but before it returned
    std::mt19937 rng(std::random_device{}());
    for (int run = 0; run < runs; ++run) {
        QProcess writer;
        writer.start(QStringLiteral(SAVE_WRITER), {dir.path(), QString::number(next)});
        ASSERT_TRUE(writer.waitForStarted());
        writer.waitForReadyRead(10'000); // saving: the first save has returned
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 15000));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        writer.waitForFinished();
        const QString out = QString::fromLatin1(writer.readAllStandardOutput());
        ASSERT_FALSE(out.contains(u"failed")) << out.toStdString();
        const QStringList done = out.split(u'\n', Qt::SkipEmptyParts);
        const int last = done.isEmpty() ? next - 1 : done.last().section(u' ', 1).toInt();
        for (int r = next; r <= last; ++r) {
            model.apply(r);
        }
        // The save in flight reached the disk or did not; anything else is a fault.
        const int inFlight = last + 1;
        if (const QString differs = mismatch(files, model); !differs.isEmpty()) {
            Model applied = model;
            applied.apply(inFlight);
            const QString stillDiffers = mismatch(files, applied);
            ASSERT_TRUE(stillDiffers.isEmpty()) << "run " << run << ", round " << inFlight << ": "
                                                << differs.toStdString() << " / " << stillDiffers.toStdString();
            model = applied;
            ++cutShort;
        }
        next = inFlight + 1;

        // The next start clears what a killed save left.
        for (const QString& path : {files.settings(), files.alarms(), files.splits()}) {
            removeLeftoverTemporaries(path);
        }
        ASSERT_EQ(leftBehind(dir.path()), QStringList());
    }
    std::printf("%d kills over %d saves, %d of them after the save reached the disk\n", runs, next - 1, cutShort);
    EXPECT_GT(next, runs) << "the writer must have made progress between kills";
    if (runs >= 50) {
        EXPECT_GT(cutShort, 0) << "some kills must have come in the middle of a save";
    }
}

// The real program, killed while it starts (loading, stamping and bringing its files up to date,
// recording the missed alarms) or while it shuts down after a terminating signal (saving its state).
class KilledProgram : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString program() const { return dir.path() + QStringLiteral("/tavrok"); }
    QString settingsFolder() const { return dir.path() + QStringLiteral("/Data/Nastaveni"); }

    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAVROK_PROGRAM), program()));
        ASSERT_EQ(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(TAVROK_DATA), dir.path()}), 0);
        QDir(settingsFolder()).removeRecursively();
        QFile::setPermissions(program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(settingsFolder());
        QDir().mkpath(dir.path() + QStringLiteral("/runtime"));
        QFile::setPermissions(dir.path() + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Running engines are kept running at the end; a list of alarms that missed a year.
        IniFile settings(settingsFolder() + QStringLiteral("/Nastaveni.ini"));
        TNastaveni n;
        n.ukonceni = TNastaveni::Ukonceni::Nechat;
        n.kontrolovatAktulizace = false;
        ASSERT_TRUE(ulozNastaveni(settings, n));
        IniFile alarms(settingsFolder() + QStringLiteral("/Budiky.ini"));
        for (int i = 0; i < 20; ++i) {
            ASSERT_TRUE(ulozBudik(alarms, alarmName(i * 5), alarmFor(i * 5), 46000));
        }
    }

    QProcess* start() {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path() + QStringLiteral("/runtime"));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(program(), {});
        return p;
    }

    // Every file parses; every listed alarm has its section and every section is listed.
    void expectWholeFiles(int run) {
        for (const QString& name : QDir(settingsFolder()).entryList({QStringLiteral("*.ini")}, QDir::Files)) {
            EXPECT_FALSE(IniFile(settingsFolder() + u'/' + name).holdsNoText()) << "run " << run << ": " << name.toStdString();
        }
        const IniSnapshot alarms = IniFile(settingsFolder() + QStringLiteral("/Budiky.ini")).snapshot();
        const auto [listed, sections] = listedAndSections(alarms);
        EXPECT_EQ(listed, sections) << "run " << run;
        EXPECT_EQ(listed.size(), 7) << "run " << run;
        for (const QString& name : listed) {
            EXPECT_TRUE(alarms.valueExists(name, u"cas") && alarms.valueExists(name, u"Ne")) << name.toStdString();
        }
    }
};

TEST_F(KilledProgram, DuringStartUpOrShutdownLosesNothing) {
    const int runs = runsFromEnvironment("TAVROK_PROGRAM_KILL_RUNS", 15);
    std::mt19937 rng(std::random_device{}());
    for (int run = 0; run < runs; ++run) {
        std::unique_ptr<QProcess> p(start());
        ASSERT_TRUE(p->waitForStarted());
        std::this_thread::sleep_for(std::chrono::milliseconds(rng() % 400));
        if (run % 2) {
            ::kill(static_cast<pid_t>(p->processId()), SIGTERM); // the session ends: it saves and quits
            std::this_thread::sleep_for(std::chrono::microseconds(rng() % 40000));
        }
        ::kill(static_cast<pid_t>(p->processId()), SIGKILL);
        p->waitForFinished();
        expectWholeFiles(run);
        if (HasFailure()) {
            return;
        }
    }
    // The next start, ended in order, clears what the kills left.
    std::unique_ptr<QProcess> p(start());
    ASSERT_TRUE(p->waitForStarted());
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ::kill(static_cast<pid_t>(p->processId()), SIGTERM);
    ASSERT_TRUE(p->waitForFinished(30000));
    EXPECT_EQ(p->exitCode(), 0) << p->readAll().toStdString();
    expectWholeFiles(runs);
    EXPECT_EQ(leftBehind(settingsFolder()), QStringList());
}

} // namespace
} // namespace tavrok::reliability
