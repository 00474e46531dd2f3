#include "app/programstate.h"
#include "display/displayfeed.h"
#include "display/displaylayout.h"
#include "display/snapping.h"
#include "storage/inifile.h"
#include "support/fakeaudiodevice.h"
#include "support/fakeclock.h"
#include "support/tempdir.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tavrok {
namespace {

using namespace Qt::Literals::StringLiterals;

// A font whose characters are half as wide as they are high, a colon or comma a quarter.
int halfWidth(const QString& text, int height) {
    int w = 0;
    for (QChar c : text) {
        w += (c == u':' || c == u',' || c == u';' || c == u'.' || c == u' ') ? height / 4 : height / 2;
    }
    return w;
}

TEST(DisplayLayout, TheRangeChoosesLabelsAndTemplate) {
    const VisibleRange minutesAndSeconds{false, false, 3, 8};
    QStringList visible;
    const char* names[] = {"D", "DOd", "H2", "H1", "HOd", "M2", "M1", "MOd", "S2", "S1", "SOd", "Ms1", "Ms2", "Ms3"};
    for (int label = 0; label < DisplayLabelCount; ++label) {
        if (isLabelVisible(minutesAndSeconds, label)) {
            visible << QString::fromLatin1(names[label]);
        }
    }
    EXPECT_EQ(visible.join(u' '), QStringLiteral("M2 M1 MOd S2 S1"));
    EXPECT_EQ(vytvorMatrici(QStringLiteral("0;"), u'8', minutesAndSeconds), QStringLiteral("88:88"));

    const VisibleRange all;
    EXPECT_EQ(vytvorMatrici(QStringLiteral("0;"), u'0', all), QStringLiteral("0;00:00:00,000"));
    EXPECT_EQ(vytvorMatrici(QStringLiteral("123;"), u'0', all), QStringLiteral("000;00:00:00,000"));
    EXPECT_EQ(vytvorMatrici(QStringLiteral("07.12.2026 "), u'4', {true, true, 0, 8}),
              QStringLiteral("44.44.4444 44:44:44"));
    EXPECT_EQ(vytvorMatrici(QStringLiteral("5;"), u'0', {false, true, 0, 2}), QStringLiteral(" 00"))
        << "the separator without the days stands as a blank";
    EXPECT_EQ(vytvorMatrici(QStringLiteral("5;"), u'0', {false, false, 0, 0}), QString());
}

TEST(DisplayLayout, TextPlacedRelativeOrAbsoluteWithinItsParent) {
    DisplayLayoutInput in;
    in.client = {800, 200};
    in.matrix = QStringLiteral("00:00"); // 4 digits and a colon: 2.25 heights wide
    in.size = 50;
    in.left = 10;
    in.top = 5;
    in.edges = EdgeRule::Presahovat;
    DisplayLayout l = layOutText(in, halfWidth);
    EXPECT_EQ(l.fontHeight, 100);
    EXPECT_EQ(l.textWidth, 225);
    EXPECT_EQ(l.top, (200 - 100) / 2 + 10) << "5 % of the height below the centre";
    EXPECT_EQ(l.left, (800 - 225) / 2 + 80) << "10 % of the width right of the centre";

    in.relative = false;
    in.size = 40;
    in.textAlignment = {HAlign::Right, VAlign::Bottom};
    l = layOutText(in, halfWidth);
    EXPECT_EQ(l.fontHeight, 40);
    EXPECT_EQ(l.top, 200 - 40 + 5);
    EXPECT_EQ(l.left, 800 - 90 + 10);

    // On the picture as parent, the per cents are of the picture's rectangle.
    in.relative = true;
    in.size = 50;
    in.left = 0;
    in.top = 0;
    in.textAlignment = {HAlign::Left, VAlign::Top};
    in.pictureShown = true;
    in.parentIsPicture = true;
    in.picture = QRect(100, 20, 400, 160);
    l = layOutText(in, halfWidth);
    EXPECT_EQ(l.fontHeight, 80);
    EXPECT_EQ(l.top, 20);
    EXPECT_EQ(l.left, 100);
    in.pictureShown = false; // a parent picture that is not shown leaves the window as parent
    l = layOutText(in, halfWidth);
    EXPECT_EQ(l.fontHeight, 100);
    EXPECT_EQ(l.left, 0);
}

TEST(DisplayLayout, TheEdgeRuleKeepsTheTextInsideAndShrinksIt) {
    DisplayLayoutInput in;
    in.client = {700, 178};
    in.matrix = vytvorMatrici(QStringLiteral("0;"), u'0', VisibleRange{});
    const DisplayLayout free = [&] {
        DisplayLayoutInput loose = in;
        loose.edges = EdgeRule::Presahovat;
        return layOutText(loose, halfWidth);
    }();
    EXPECT_EQ(free.fontHeight, 178);
    EXPECT_LT(free.left, 0) << "may reach past the edges";

    const DisplayLayout kept = layOutText(in, halfWidth);
    EXPECT_LT(kept.fontHeight, 178);
    EXPECT_GE(kept.left, 0);
    EXPECT_LE(kept.left + kept.textWidth, 700);
    EXPECT_EQ(kept.top, (178 - kept.fontHeight) / 2) << "still centred";
    EXPECT_LE(std::abs(kept.left - (700 - kept.textWidth) / 2), 1);

    // A day string growing from one character to two widens the template: the text shrinks more.
    in.matrix = vytvorMatrici(QStringLiteral("10;"), u'0', VisibleRange{});
    const DisplayLayout wider = layOutText(in, halfWidth);
    EXPECT_LT(wider.fontHeight, kept.fontHeight);
    EXPECT_LE(wider.left + wider.textWidth, 700);

    // An offset past the bottom: the height gives way, the text stays inside.
    in.matrix = QStringLiteral("00");
    in.size = 50;
    in.top = 40;
    const DisplayLayout low = layOutText(in, halfWidth);
    EXPECT_LE(low.top + low.fontHeight, 178);
    EXPECT_LT(low.fontHeight, 89);

    // The picture's rectangle bounds the text when the rule says the parent object.
    in.top = 0;
    in.size = 100;
    in.edges = EdgeRule::NepresahovatParent;
    in.pictureShown = true;
    in.parentIsPicture = true;
    in.picture = QRect(200, 40, 100, 100);
    const DisplayLayout onPicture = layOutText(in, halfWidth);
    EXPECT_GE(onPicture.left, 200);
    EXPECT_LE(onPicture.left + onPicture.textWidth, 300);
}

TEST(DisplayLayout, PicturePlacementForEachSizing) {
    const QSize client(400, 200);
    const QSize wide(800, 200);  // relatively wider than the window
    const QSize tall(100, 200);  // relatively taller
    const Alignment centre;
    EXPECT_EQ(placePicture(client, wide, PictureSizing::Roztahnout, centre), QRect(0, 0, 400, 200));
    EXPECT_EQ(placePicture(client, wide, PictureSizing::ZachProporce, centre), QRect(0, 50, 400, 100));
    EXPECT_EQ(placePicture(client, tall, PictureSizing::ZachProporce, centre), QRect(150, 0, 100, 200));
    EXPECT_EQ(placePicture(client, wide, PictureSizing::Oriznout, centre), QRect(-200, 0, 800, 200));
    EXPECT_EQ(placePicture(client, tall, PictureSizing::Oriznout, centre), QRect(0, -300, 400, 800));
    EXPECT_EQ(placePicture(client, tall, PictureSizing::ZachVelikost, centre), QRect(150, 0, 100, 200));
    EXPECT_EQ(placePicture(client, QSize(31, 11), PictureSizing::ZachVelikost, {HAlign::Right, VAlign::Bottom}),
              QRect(369, 189, 31, 11));
    EXPECT_EQ(placePicture(client, QSize(31, 11), PictureSizing::ZachVelikost, centre), QRect(184, 94, 31, 11))
        << "the free space halved as integers";
    EXPECT_EQ(placePicture(client, wide, PictureSizing::ZachProporce, {HAlign::Left, VAlign::Bottom}),
              QRect(0, 100, 400, 100));
}

TEST(DisplaySnapping, EdgesDrawAMovedWindowWithinTenPixels) {
    const SnapEdges e{QRect(0, 0, 1920, 1050), QSize(1920, 1080), QRect(-1280, 0, 3200, 1080)};
    const QSize size(300, 100);
    EXPECT_EQ(spocitejMagnety({7, 400}, size, size, e), QPoint(0, 400));
    EXPECT_EQ(spocitejMagnety({11, 400}, size, size, e), QPoint(11, 400)) << "eleven pixels is too far";
    EXPECT_EQ(spocitejMagnety({-10, 400}, size, size, e), QPoint(0, 400)) << "bounds are inclusive";
    EXPECT_EQ(spocitejMagnety({1615, 945}, size, size, e), QPoint(1620, 950)) << "the work area's right and bottom";
    EXPECT_EQ(spocitejMagnety({1615, 975}, size, size, e), QPoint(1620, 980)) << "the screen's bottom under a panel";
    EXPECT_EQ(spocitejMagnety({-1275, 5}, size, size, e), QPoint(-1280, 0)) << "the left screen of two";
    EXPECT_EQ(spocitejMagnety({7, 400}, QSize(310, 100), size, e), QPoint(7, 400)) << "a resize does not snap";
}

class DisplayFeedTest : public ::testing::Test {
protected:
    test::FakeClock clock{*tryEncodeDateTime({2026, 12, 7}, {9, 5, 3, 0})};
    test::FakeAudioDevice audio{clock};
    test::FakeBeeper beeper;
    ProgramState state{{clock, audio, beeper, [](int) { return 0; }}};
};

TEST_F(DisplayFeedTest, RoundingUpShowsTheNextUnitOfTheSmallestVisiblePosition) {
    const VisibleRange seconds{false, false, 0, 8};
    const auto at = [](double ms) { return ms / MsPerDay; };
    EXPECT_EQ(zobrazNaSamostatnemDispleji(true, at(10'200), seconds).seconds, QStringLiteral("11"));
    EXPECT_EQ(zobrazNaSamostatnemDispleji(true, at(10'000), seconds).seconds, QStringLiteral("10"));
    EXPECT_EQ(zobrazNaSamostatnemDispleji(false, at(10'200), seconds).seconds, QStringLiteral("10"));
    const DisplayText minutes = zobrazNaSamostatnemDispleji(true, at(59'001), {false, false, 0, 5});
    EXPECT_EQ(minutes.minutes, QStringLiteral("01"));
    EXPECT_EQ(zobrazNaSamostatnemDispleji(true, at(10'200), VisibleRange{}).millis, QStringLiteral("200"))
        << "with the thousandths shown there is nothing to round";
    EXPECT_EQ(zobrazNaSamostatnemDispleji(true, at(3'600'000.0 * 30), VisibleRange{}).dayString, QStringLiteral("1;"));
}

TEST_F(DisplayFeedTest, EachSourceAndTheFreezeAfterASplit) {
    state.stopwatch.zapniTavrokOd(clock.utcNow());
    clock.advanceMs(65'432);
    state.stopwatch.tick(clock.utcNow());
    EXPECT_EQ(displayFeed(state, clock.now()), (DisplayText{u"0;"_s, u"00"_s, u"01"_s, u"05"_s, u"432"_s}));
    state.displejZmrazen = true;
    EXPECT_EQ(displayFeed(state, clock.now()), std::nullopt) << "held on the split time";

    state.displej.zdroj = DisplaySource::Hodiny;
    EXPECT_EQ(displayFeed(state, clock.now()), (DisplayText{u"07.12.2026 "_s, u"09"_s, u"06"_s, u"08"_s, u"432"_s}));

    state.displej.zdroj = DisplaySource::Okno;
    state.main.currentFunction = Funkce::Tavrok;
    EXPECT_EQ(displayFeed(state, clock.now()), std::nullopt) << "the main window's stopwatch is held too";
    state.main.currentFunction = Funkce::Odpocit;
    state.countdown.setLeft(10'200 / MsPerDay);
    state.displej.rozsah = {true, true, 0, 8};
    EXPECT_EQ(displayFeed(state, clock.now())->seconds, QStringLiteral("10")) << "an idle countdown is not rounded";
    state.displej.zdroj = DisplaySource::Odpocitavani;
    EXPECT_EQ(displayFeed(state, clock.now())->seconds, QStringLiteral("11"));
}

TEST(DisplaySettings, WrittenAndReadBackAndOldColoursAndHandEdits) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Nastaveni.ini");
    IniFile ini(path);
    EXPECT_EQ(nactiNastaveniDispleje(ini), TNastaveniDispleje{}) << "defaults from an empty file";

    const TNastaveniDispleje d{.rozsah = {false, true, 3, 8}, .zdroj = DisplaySource::Okno,
                               .barvaTextu = 0x00FF8040, .barvaPozadi = 0x00123456, .standardniOkraj = false,
                               .zarovnaniObr = {HAlign::Right, VAlign::Bottom},
                               .obrVelikost = PictureSizing::Oriznout,
                               .zarovnaniText = {HAlign::Left, VAlign::Top}, .relativni = false,
                               .zleva = QStringLiteral("12,5"), .okraje = EdgeRule::Presahovat,
                               .font = {238, QStringLiteral("DejaVu Sans"), 30, true, true, false, true},
                               .magnetovat = false};
    ASSERT_TRUE(ulozNastaveniDispleje(ini, d));
    EXPECT_EQ(nactiNastaveniDispleje(IniFile(path)), d);
    EXPECT_EQ(storedNumber(d.zleva), 12.5);
    EXPECT_EQ(storedNumber(QStringLiteral("abc")), 0);

    test::writeBytes(path, "[nastaveniSamostatnehoDispleje]\nbarvaTextu=4278190088\nbarvaPozadi=-16777201\n"
                           "zobrazeniDisplejeDo=99\nskrytOvladani=-5\npolopruhlednost=1000\n");
    const TNastaveniDispleje old = nactiNastaveniDispleje(IniFile(path));
    EXPECT_EQ(old.barvaTextu, 0xFF000008u) << "a system colour of the Windows version";
    EXPECT_EQ(old.barvaPozadi, 0xFF00000Fu);
    EXPECT_EQ(old.rozsah.do_, 12);
    EXPECT_GT(old.skrytOvladani, 0);
    EXPECT_EQ(old.polopruhlednost, 255);

    // The radio groups are read key by key: the last true one wins.
    test::writeBytes(path, "[nastaveniSamostatnehoDispleje]\nzarovnaniTextLT=1\nzarovnaniObrLT=1\nzarovnaniObrCC=0\n"
                           "nacitatZHodin=1\nnacitatZOkna=1\nnepresahovatParent=1\n");
    const TNastaveniDispleje radios = nactiNastaveniDispleje(IniFile(path));
    EXPECT_EQ(radios.zarovnaniText, Alignment{}) << "the centre, true by default, comes after the top left";
    EXPECT_EQ(radios.zarovnaniObr, (Alignment{HAlign::Left, VAlign::Top}));
    EXPECT_EQ(radios.zdroj, DisplaySource::Okno);
    EXPECT_EQ(radios.okraje, EdgeRule::NepresahovatOkno) << "the window rule is true unless written";
}

TEST_F(DisplayFeedTest, ACountdownThatStartsTheStopwatchSwitchesTheDisplayToIt) {
    state.displej.zdroj = DisplaySource::Odpocitavani;
    state.odpocitOptions.spustitTavrok = true;
    state.odpocitOptions.prepnoutDisplej = true;
    ASSERT_TRUE(state.countdown.zapniOdpocit(2000 / MsPerDay, clock.utcNow(), state.odpocitOptions));
    clock.advanceMs(2001);
    const CountdownEnd end = odpocitTick(state, clock.utcNow());
    ASSERT_TRUE(end.stopwatchStarted);
    EXPECT_EQ(state.displej.zdroj, DisplaySource::Tavrok);

    state.displej.zdroj = DisplaySource::Hodiny; // only a countdown source follows
    state.stopwatch.vypniTavrok(clock.utcNow());
    ASSERT_TRUE(state.countdown.zapniOdpocit(2000 / MsPerDay, clock.utcNow(), state.odpocitOptions));
    clock.advanceMs(2001);
    ASSERT_TRUE(odpocitTick(state, clock.utcNow()).stopwatchStarted);
    EXPECT_EQ(state.displej.zdroj, DisplaySource::Hodiny);
}

} // namespace
} // namespace tavrok
