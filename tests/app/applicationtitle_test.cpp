#include "app/applicationtitle.h"
#include "app/functionview.h"
#include "app/tickplanner.h"

#include <gtest/gtest.h>

using namespace tavrok;

TEST(ApplicationTitle, ExactlyOneSourcePerTick) {
    using enum Funkce;
    // Neither runs: the clock.
    for (const Funkce f : {Budik, Tavrok, Odpocit}) {
        EXPECT_EQ(titleSource(f, false, false), TitleSource::Clock);
    }
    // One runs: that engine, whatever is shown.
    for (const Funkce f : {Budik, Tavrok, Odpocit}) {
        EXPECT_EQ(titleSource(f, true, false), TitleSource::Stopwatch);
        EXPECT_EQ(titleSource(f, false, true), TitleSource::Countdown);
    }
    // Both run: the shown engine, and the clock in the alarm function.
    EXPECT_EQ(titleSource(Tavrok, true, true), TitleSource::Stopwatch);
    EXPECT_EQ(titleSource(Odpocit, true, true), TitleSource::Countdown);
    EXPECT_EQ(titleSource(Budik, true, true), TitleSource::Clock);
}

TEST(ApplicationTitle, LetterSkipsBlanksAndFallsBackToQuestionMark) {
    EXPECT_EQ(titleLetter(QStringLiteral("Tavrok")), u'T');
    EXPECT_EQ(titleLetter(QStringLiteral("  \u00A0Odpo\u010D\u00EDt\u00E1v\u00E1n\u00ED")), u'O');
    EXPECT_EQ(titleLetter(QString()), u'?');
    EXPECT_EQ(titleLetter(QStringLiteral(" \u00A0 ")), u'?');
    EXPECT_EQ(engineTitle(u'T', dekodujCasProDisplej(65.0 / 86400.0)), QStringLiteral("T: 0;00:01:05"));
    EXPECT_EQ(engineTitle(u'T', dekodujCasProDisplej(1 + (2 * 3600 + 3 * 60 + 4.005) / 86400.0)),
              QStringLiteral("T: 1;02:03:04"));
}

TEST(FunctionView, ButtonsFollowTheEngineState) {
    const ButtonCaptions c;
    FunctionView v = viewFor(Funkce::Tavrok, {}, c);
    EXPECT_EQ(v.btnZapnout, c.tvrZapnout);
    EXPECT_TRUE(v.btnVynulovat && v.btnDalsi);
    EXPECT_FALSE(v.btnTvrMezicas);
    EXPECT_TRUE(v.stopwatchPanels && v.lblDnu && !v.upDown1 && !v.marker && !v.pnlDnyEnabled && !v.edtDFramed);

    v = viewFor(Funkce::Tavrok, {.stopwatchRunning = true}, c);
    EXPECT_EQ(v.btnZapnout, c.tvrVypnout);
    EXPECT_FALSE(v.btnVynulovat || v.btnDalsi);
    EXPECT_TRUE(v.btnTvrMezicas);

    v = viewFor(Funkce::Odpocit, {.countdownRunning = true}, c);
    EXPECT_EQ(v.btnZapnout, c.odpVypnout);
    EXPECT_TRUE(v.btnPauza);
    EXPECT_EQ(v.btnPauzaCaption, c.pauza);
    EXPECT_FALSE(v.marker || v.upDown1Enabled || v.btnVynulovat || v.btnDalsi);

    v = viewFor(Funkce::Odpocit, {.countdownPaused = true}, c);
    EXPECT_EQ(v.btnPauzaCaption, c.pokracovat);
    EXPECT_FALSE(v.btnVynulovat || v.btnDalsi);
    EXPECT_TRUE(v.upDown1 && !v.upDown1Enabled) << "the arrows shown, disabled";

    v = viewFor(Funkce::Odpocit, {.editorFocused = true}, c);
    EXPECT_EQ(v.btnZapnout, c.odpZapnout);
    EXPECT_TRUE(v.marker && v.upDown1Enabled && !v.markerRed);
    EXPECT_FALSE(v.btnPauza);

    v = viewFor(Funkce::Budik, {.alarmSwitchedOn = true}, c);
    EXPECT_EQ(v.btnZapnout, c.budVypnout);
    EXPECT_TRUE(v.alarmPanels && !v.lblDnu && v.marker && v.markerRed);
}

TEST(TickPlan, WakesWhenSomethingVisibleChangesAndAtLeastOnceASecond) {
    const UtcTime now(*tryEncodeDateTime({2026, 12, 6}, {10, 0, 0, 250}));
    EXPECT_EQ(tickplan::untilNextSecond(now), 751);
    EXPECT_EQ(tickplan::nextFunctionTick(now, {}), std::nullopt) << "the clock tick is soon enough";
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.nextDue = now + 2000.0 / MsPerDay}), std::nullopt);
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.nextDue = now + 750.0 / MsPerDay}), 745)
        << "a moment at the next whole second is met, not left to the clock tick a millisecond after it, "
           "and woken early enough for a wait that runs over by a thousandth of its length";
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.digitsRunning = true}), tickplan::FrameIntervalMs);
    // A stopwatch started at 9:59:59.900 shows a new second in its title at 10:00:00.900.
    const UtcTime start = now - 350.0 / MsPerDay;
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.titleOrigin = start}), 651);
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.nextDue = now + 10.0 / MsPerDay}), 5)
        << "a due moment is met within a millisecond: the tick comes just before it and waits for it";
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.nextDue = now + 10.9 / MsPerDay}), 5);
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.nextDue = now + 4.5 / MsPerDay}), 0);
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.nextDue = now + 0.4 / MsPerDay}), 0);
    EXPECT_EQ(tickplan::untilNextSecond(now + 749.6 / MsPerDay), 2) << "after the second, not a second later";
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.nextDue = now - 1.0}), 0) << "an overdue moment is due now";
    // A picture that changes often is redrawn at most once a frame; a rare change at its moment.
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.pictureDue = now + 5.0 / MsPerDay}), tickplan::FrameIntervalMs);
    EXPECT_EQ(tickplan::nextFunctionTick(now, {.pictureDue = now + 400.0 / MsPerDay}), 401);
}

TEST(TickPlan, AWakeUpJustBeforeADueMomentIsApproachingIt) {
    const UtcTime now(*tryEncodeDateTime({2026, 12, 6}, {10, 0, 0, 250}));
    const auto in = [&](double ms) { return std::optional<UtcTime>(now + ms / MsPerDay); };
    EXPECT_TRUE(tickplan::approaching(now, in(1)));
    EXPECT_TRUE(tickplan::approaching(now, in(tickplan::WakeEarlyMs + 2)));
    EXPECT_TRUE(tickplan::approaching(now, in(0.6)));
    EXPECT_FALSE(tickplan::approaching(now, in(0.4))) << "reached, as the engines round";
    EXPECT_FALSE(tickplan::approaching(now, in(0))) << "a moment due now is handled";
    EXPECT_FALSE(tickplan::approaching(now, in(-5))) << "and one overdue";
    EXPECT_FALSE(tickplan::approaching(now, in(tickplan::FrameIntervalMs))) << "a frame's tick is not left out";
    EXPECT_FALSE(tickplan::approaching(now, std::nullopt));
}
