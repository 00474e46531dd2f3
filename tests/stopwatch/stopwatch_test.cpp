#include "stopwatch/stopwatch.h"

#include "stopwatch/continuation.h"
#include "stopwatch/splitsfile.h"
#include "stopwatch/stopwatchoptions.h"
#include "storage/inifile.h"
#include "support/tempdir.h"

#include "lang/messagetable.h"
#include "support/fakeclock.h"
#include "support/fakequestions.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrok;
using test::FakeClock;
using test::FakeQuestions;

namespace {

const TDateTime T0 = *tryEncodeDateTime({2026, 12, 6}, {10, 0, 0, 0});

class StopwatchTest : public ::testing::Test {
protected:
    FakeClock clock{T0};
    Stopwatch sw;
    MessageTable messages;
    FakeQuestions questions;

    void runFor(double ms) {
        clock.advanceMs(ms);
        sw.tick(clock.utcNow());
    }
};

} // namespace

TEST_F(StopwatchTest, AStartContinuesFromTheStoppedValueOrFromZero) {
    sw.zapniTavrok(clock.utcNow(), false);
    runFor(2000);
    sw.vypniTavrok(clock.utcNow());
    runFor(60'000); // stopped time does not count
    EXPECT_EQ(toMilliseconds(sw.elapsed()), 2000);
    sw.zapniTavrok(clock.utcNow(), false);
    runFor(500);
    EXPECT_EQ(toMilliseconds(sw.elapsed()), 2500);

    sw.vypniTavrok(clock.utcNow());
    sw.zapniTavrok(clock.utcNow(), true);
    EXPECT_EQ(sw.elapsed(), 0);
    runFor(300);
    EXPECT_EQ(toMilliseconds(sw.elapsed()), 300);

    sw.vypniTavrok(clock.utcNow());
    sw.zapniTavrokOd(clock.utcNow() - 0.5);
    EXPECT_EQ(sw.elapsed(), 0) << "a start from a moment shows nothing before its first tick";
}

TEST_F(StopwatchTest, EveryStartAddsOneSeparatorAndRestartsTheNumbering) {
    sw.zapniTavrok(clock.utcNow(), false);
    sw.vypniTavrok(clock.utcNow());
    sw.zapniTavrok(clock.utcNow(), false);
    runFor(65'250);
    ASSERT_TRUE(sw.zkratkaMezicasuStisknuta(clock.utcNow()));
    EXPECT_EQ(sw.splits().items(),
              (QStringList{SplitList::Separator, SplitList::Separator, QStringLiteral("1:  0; 00:01:05,250")}));
    EXPECT_EQ(sw.splits().selected(), 2);
    EXPECT_FALSE(sw.splitsSaved());
}

TEST_F(StopwatchTest, SplitsAndStopsTakeTheTimeOfTheirMomentAndSplitsOnlyWhileRunning) {
    EXPECT_FALSE(sw.zkratkaMezicasuStisknuta(clock.utcNow()));
    EXPECT_TRUE(sw.splits().isEmpty());
    sw.zapniTavrok(clock.utcNow(), false);
    runFor(1000);
    clock.advanceMs(5); // no tick since: the split is taken at its own moment, not the last tick's
    ASSERT_TRUE(sw.zkratkaMezicasuStisknuta(clock.utcNow()));
    EXPECT_EQ(sw.splits().items().back(), QStringLiteral("1:  0; 00:00:01,005"));
    runFor(86'400'000.0 + 3'723'004);
    ASSERT_TRUE(sw.zkratkaMezicasuStisknuta(clock.utcNow()));
    EXPECT_EQ(sw.splits().items().back(), QStringLiteral("2:  1; 01:02:04,009"));
    clock.advanceMs(7);
    sw.vypniTavrok(clock.utcNow());
    EXPECT_EQ(toMilliseconds(sw.elapsed()), 86'400'000 + 3'724'016);
}

TEST_F(StopwatchTest, DeletingASplitKeepsTheNumberingAndMovesTheSelection) {
    sw.zapniTavrok(clock.utcNow(), false);
    for (int i = 0; i < 3; ++i) {
        runFor(1000);
        sw.zkratkaMezicasuStisknuta(clock.utcNow());
    }
    sw.splits().select(2); // split 2
    ASSERT_TRUE(sw.splits().deleteSelected());
    EXPECT_EQ(sw.splits().selected(), 2) << "the next line moves up into the selection";
    EXPECT_TRUE(sw.splits().items()[2].startsWith(QStringLiteral("3:")));
    runFor(1000);
    sw.zkratkaMezicasuStisknuta(clock.utcNow());
    EXPECT_TRUE(sw.splits().items().back().startsWith(QStringLiteral("4:")));

    sw.splits().select(static_cast<int>(sw.splits().items().size()) - 1);
    ASSERT_TRUE(sw.splits().deleteSelected());
    EXPECT_EQ(sw.splits().selected(), static_cast<int>(sw.splits().items().size()) - 1)
        << "deleting the last line selects the new last one";

    sw.splits().select(-1);
    EXPECT_FALSE(sw.splits().deleteSelected());
}

TEST_F(StopwatchTest, DeleteAllAsksTwiceForUnsavedSplitsAndOnceForSavedOnes) {
    sw.zapniTavrok(clock.utcNow(), false);
    sw.zkratkaMezicasuStisknuta(clock.utcNow());

    questions.script({Answer::Yes, Answer::No});
    EXPECT_FALSE(sw.btnTvrVymazatVseClick(questions, messages));
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[0].text, messages.text(4));
    EXPECT_EQ(questions.asked[1].text, messages.text(5));
    EXPECT_EQ(questions.asked[1].icon, MessageIcon::Warning);
    EXPECT_FALSE(sw.splits().isEmpty());

    questions.asked.clear();
    questions.script({Answer::No});
    EXPECT_FALSE(sw.btnTvrVymazatVseClick(questions, messages));
    EXPECT_EQ(questions.asked.size(), 1u);

    sw.setSplitsSaved(true);
    questions.asked.clear();
    questions.script({Answer::Yes});
    EXPECT_TRUE(sw.btnTvrVymazatVseClick(questions, messages));
    EXPECT_EQ(questions.asked.size(), 1u) << "saved splits need only the first question";
    EXPECT_TRUE(sw.splits().isEmpty());
    EXPECT_EQ(sw.splits().counter(), 0);
    EXPECT_TRUE(questions.allAnswered());
}

// Files written by hand or by an older version: what is missing reads as nothing shown, no repeat, no
// split and the display's usual freeze.
TEST(Continuation, MissingKeysReadAsTheirDefaults) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Nastaveni.ini"));
    test::writeBytes(path, "[pokracovaniTavrek]\nstav=1\n[pokracovaniOdpocitavani]\nstav=1\ncas=0.001\n"
                           "delkaOdpocitavani=0.01\n[Ráno]\nposledniMezicas=3\n0=bez počtu\n");
    const IniFile settings(path);
    const auto stopwatch = pokracovani::nactiTavrok(settings.snapshot());
    ASSERT_TRUE(stopwatch);
    EXPECT_EQ(stopwatch->cas, 0);
    const auto countdown = pokracovani::nactiOdpocet(settings.snapshot());
    ASSERT_TRUE(countdown);
    EXPECT_FALSE(countdown->opakovat);
    EXPECT_EQ(nactiDalsiTvr(settings).doba, 5000) << "the display's freeze after a split";
    EXPECT_TRUE(nactiMezicasy(settings.snapshot(), QString::fromUtf16(u"Ráno")).lines.isEmpty()) << "a set";
}
