// The sound device and the standard sounds are made ready a minute before a ring, at once for a running
// countdown, and not at all for a program that only shows the time.
#include "sound/soundwarmup.h"

#include "support/windowfixture.h"

#include <gtest/gtest.h>

using namespace tavrok;
using namespace tavrok::test;

namespace {

class SoundWarmUpTest : public WindowFixture {
protected:
    SoundWarmUp* warmUp = nullptr;

    // The window stands and its first look at what is due has been taken.
    void openAndSettle() {
        open();
        QTest::qWait(400);
        warmUp = window->findChild<SoundWarmUp*>();
        ASSERT_TRUE(warmUp);
    }
    int prepared(const char* name) const {
        return audio.count(QStringLiteral("prepare ") + data("Zvuky/Standard/") + QString::fromLatin1(name));
    }
};

TEST_F(SoundWarmUpTest, ReadyAMinuteBeforeTheNextRingAndNotBefore) {
    dailyAlarms({{"Ráno", "10:05:00"}}); // the clock shows 10:00:00
    openAndSettle();
    EXPECT_EQ(audio.opens, 0) << "five minutes before the ring";
    runFor(3 * 60'000 + 59'000);
    warmUp->check();
    EXPECT_EQ(audio.opens, 0) << "61 s before the ring";
    clock.advanceMs(2'000);
    warmUp->check();
    EXPECT_EQ(audio.opens, 1) << "59 s before the ring";
    EXPECT_EQ(prepared("Zvonek.wav"), 1);
    EXPECT_EQ(prepared("Signalk.wav"), 1);
    warmUp->check();
    runFor(10'000);
    EXPECT_EQ(audio.opens, 1) << "once";
    EXPECT_EQ(prepared("Zvonek.wav"), 1);
}

TEST_F(SoundWarmUpTest, NothingDueNothingLoadedAStartedCountdownLoadsAtOnce) {
    openAndSettle();
    minutesPass(2);
    warmUp->check();
    EXPECT_EQ(audio.opens, 0) << "no alarm, nothing running";
    EXPECT_FALSE(warmUp->warm());
    startCountdown("000500");
    ASSERT_TRUE(window->programState().countdown.running());
    EXPECT_EQ(audio.opens, 1);
    EXPECT_EQ(prepared("Signald.wav"), 1);
}

TEST_F(SoundWarmUpTest, ARingWithinTheMinuteLoadsAtTheFirstLook) {
    dailyAlarms({{"Ráno", "10:00:30"}});
    openAndSettle();
    EXPECT_EQ(audio.opens, 1) << "30 s before a ring the sounds are loaded at the first look";
}

TEST_F(SoundWarmUpTest, AProgramClosedBeforeItsFirstLookLoadsNothing) {
    dailyAlarms({{"Ráno", "10:00:30"}});
    open();
    window->close();
    QTest::qWait(400);
    EXPECT_EQ(audio.opens, 0);
    if (auto* look = window->findChild<SoundWarmUp*>()) {
        look->check();
        EXPECT_FALSE(look->warm());
    }
    EXPECT_EQ(audio.opens, 0);
}

} // namespace
