#include <gtest/gtest.h>

#include <vector>

#include "present/PictureHelpers.h"

namespace {

const QRgb kLevel1 = qRgb(254, 252, 252);

// What the reader could see at one wait.
struct Wait {
    int ms;
    int screenLevel;  // TintLevel of Gamen
    int bufLevel;     // TintLevel of BufPic
    int offset;       // CodedAt of Gamen's top-left pixel
    bool locked;
    bool textHidden;
};

std::vector<int> Repeat(int value, int times) { return std::vector<int>(static_cast<size_t>(times), value); }
std::vector<int> Join(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(Transition, FadeStepsTheirLevelsWaitsAndLocks)
{
    struct Case {
        const char* colour;
        int fadeLevel;
        std::vector<int> screen;  // Gamen's level at each wait
        std::vector<int> buf;     // BufPic's level at each fade-in wait and the last
        int finalLevel;
    };
    const Case cases[] = {
        {"black", 3, {0, 1, 2, 3, 4, 5, 5, 4, 3}, {5, 4, 3, 3}, 3},
        {"black", 1, {0, 1, 2, 3, 4, 5, 5, 4, 3, 2, 1}, {5, 4, 3, 2, 1, 1}, 1},
        {"white", 1, {0, 1, 2, 3, 4, 5, 5, 4, 3, 2, 1}, {5, 4, 3, 2, 1, 1}, 1},
        {"white", 5, {0, 1, 2, 3, 4, 5, 5}, {5, 5}, 5},
        {"black", 9, {0, 1, 2, 3, 4, 5, 5}, {5, 5}, 5},   // a hand-edited level: the nearest mask
        {"black", 0, {0, 1, 2, 3, 4, 5, 5, 4, 3, 2, 1}, {5, 4, 3, 2, 1, 1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.colour << " " << c.fadeLevel);
        const bool white = std::string(c.colour) == "white";
        const QRgb ground = white ? kBlack : kWhite;
        PictureWindow w;
        w.F().Gamen->Picture = Filled(1279, 959, ground);  // the old screen
        // The new background leaves 40 blank rows at the top.
        w.F().BackPicName = WriteBmp(w, "new.bmp", Filled(640, 400, ground));
        w.F().FadeColor = c.colour;
        w.F().FadeLevel = c.fadeLevel;
        w.F().TransitionMode = "fade";
        w.F().BackChanged = true;
        std::vector<Wait> waits;
        w.Sleeper.OnSleep = [&](int ms) {
            waits.push_back({ms, TintLevel(w.F().Gamen->Picture, white), TintLevel(w.F().BufPic, white), 0,
                             w.F().InputLocked, w.TextHidden()});
        };
        w.F().ComposeScreen();

        const int fadeIn = static_cast<int>(c.buf.size()) - 1;
        EXPECT_EQ(w.Sleeper.Sleeps, Join(Repeat(220, 5 + fadeIn), {500}));
        std::vector<int> screen, buf;
        for (size_t i = 0; i < waits.size(); ++i) {
            screen.push_back(waits[i].screenLevel);
            if (i >= 5) buf.push_back(waits[i].bufLevel);
            EXPECT_TRUE(waits[i].locked) << i;
            EXPECT_TRUE(waits[i].textHidden) << i;
        }
        EXPECT_EQ(screen, c.screen);
        EXPECT_EQ(buf, c.buf);
        EXPECT_EQ(TintLevel(w.Screen(), white), c.finalLevel);
        EXPECT_EQ(w.F().TmpPic, w.F().BufPic);
        // The new picture is on screen: its blank top rows.
        if (!white && c.finalLevel < 5) {
            EXPECT_EQ(w.Screen().pixel(100, 10), kBlank);
        }
        EXPECT_FALSE(w.TextHidden());
        EXPECT_FALSE(w.F().BackChanged);
    }
}

TEST(Transition, OnlyTheFirstCompositionAfterABackgroundChangeFades)
{
    PictureWindow w;
    w.F().TransitionMode = "fade";
    w.F().BackChanged = true;
    w.F().ComposeScreen();
    EXPECT_EQ(w.Sleeper.Sleeps.size(), 11u);
    w.Sleeper.Sleeps.clear();
    w.F().ComposeScreen();
    EXPECT_TRUE(w.Sleeper.Sleeps.empty());
}

TEST(Transition, PanStepsTheirOffsetsWaitsAndLocks)
{
    struct Case {
        const char* name;
        bool vertical;
        int w, h;
        int steps, first, last;  // offsets of the first and last pan step
    };
    const Case cases[] = {
        {"640x960", true, 640, 960, 96, 480, 5},
        {"640x2000", true, 640, 2000, 96, 480, 5},
        {"640x700", true, 640, 700, 44, 220, 5},
        {"640x482", true, 640, 482, 1, 2, 2},
        {"640x480", true, 640, 480, 0, 0, 0},
        {"640x300", true, 640, 300, 1, 1, 1},
        {"1000x480", false, 1000, 480, 72, 360, 5},
        {"1280x480", false, 1280, 480, 128, 640, 5},
        {"600x480", false, 600, 480, 1, 1, 1},
        {"641x300", false, 641, 300, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PictureWindow w;
        const QImage back = Coded(c.w, c.h, c.vertical);
        w.F().BackPicName = WriteBmp(w, "back.bmp", back);
        std::vector<Wait> waits;
        w.Sleeper.OnSleep = [&](int ms) {
            waits.push_back({ms, 0, 0, CodedAt(w.F().Gamen->Picture.pixel(0, c.vertical ? 0 : 90)), w.F().InputLocked,
                             w.TextHidden()});
        };
        if (c.vertical) w.F().PanVertical();
        else w.F().PanHorizontal();

        EXPECT_EQ(w.Sleeper.Sleeps, Join(Repeat(100, c.steps), {500}));
        ASSERT_EQ(waits.size(), static_cast<size_t>(c.steps) + 1);
        for (int i = 0; i < c.steps; ++i) {
            // A 300-high picture starts at row 90 when it pans sideways.
            EXPECT_EQ(waits[static_cast<size_t>(i)].offset, c.first - 5 * i) << i;
            EXPECT_TRUE(waits[static_cast<size_t>(i)].locked) << i;
            EXPECT_TRUE(waits[static_cast<size_t>(i)].textHidden) << i;
        }
        if (c.steps > 0) {
            EXPECT_EQ(waits[static_cast<size_t>(c.steps) - 1].offset, c.last);
        }
        EXPECT_EQ(w.F().InputLocked, c.steps > 0);
        // The final picture is the picture's start, tinted with level 1.
        const QPoint at = c.vertical ? QPoint(0, 0) : QPoint(0, c.h < 480 ? (480 - c.h) / 2 : 0);
        EXPECT_EQ(w.Screen().pixel(at), back.pixel(0, 0) & kLevel1);
        EXPECT_EQ(w.F().Gamen->Picture, w.F().RollPic);
        EXPECT_FALSE(w.TextHidden());
        EXPECT_FALSE(w.F().BackChanged);
    }
}

TEST(Transition, PanOverNothingTravels479)
{
    PictureWindow w;
    w.F().BackPicName = "nothing";
    w.F().PanVertical();
    EXPECT_EQ(w.Sleeper.Sleeps, Join(Repeat(100, 96), {500}));  // 479, 474, ..., 4
}

// The first window of a picture 1280 wide or 960 high reaches one column or
// row past the work picture; there the screen shows the blank colour.
TEST(Transition, WindowPastTheWorkPictureShowsBlank)
{
    for (const bool vertical : {true, false}) {
        SCOPED_TRACE(vertical);
        PictureWindow w;
        const QImage back = Filled(vertical ? 640 : 1280, vertical ? 960 : 480, kWhite);
        w.F().BackPicName = WriteBmp(w, "back.bmp", back);
        QImage first;
        w.Sleeper.OnSleep = [&](int) {
            if (first.isNull()) first = w.F().Gamen->Picture.copy(0, 0, 640, 480);
        };
        if (vertical) w.F().PanVertical();
        else w.F().PanHorizontal();
        for (int i = 0; i < 480; ++i) {
            const QPoint last = vertical ? QPoint(i, 479) : QPoint(639, i);
            const QPoint before = vertical ? QPoint(i, 478) : QPoint(638, i);
            if (i < 640) {
                ASSERT_EQ(first.pixel(last), kBlank) << i;
            }
            ASSERT_EQ(first.pixel(before), kWhite) << i;
        }
    }
}

TEST(Transition, PanWithFadeRunsUntintedAndSnapsToTheLevel)
{
    PictureWindow w;
    w.F().Gamen->Picture = Filled(1279, 959, kWhite);
    w.F().BackPicName = WriteBmp(w, "back.bmp", Filled(640, 960, kWhite));
    w.F().SubPicName = WriteBmp(w, "sub.bmp", Filled(100, 100, qRgb(0, 0, 200)));
    w.F().TransitionMode = "fade";
    w.F().BackChanged = true;
    w.F().FadeLevel = 4;
    std::vector<int> screen, buf;
    std::vector<QRgb> subArea;
    w.Sleeper.OnSleep = [&](int) {
        screen.push_back(TintLevel(w.F().Gamen->Picture, false));
        buf.push_back(TintLevel(w.F().BufPic, false));
        subArea.push_back(w.F().Gamen->Picture.pixel(430, 290));
    };
    w.F().PanVertical();
    EXPECT_EQ(w.Sleeper.Sleeps, Join(Join(Repeat(220, 10), Repeat(100, 96)), {500}));
    EXPECT_EQ(screen, Join(Join({0, 1, 2, 3, 4, 5, 5, 4, 3, 2}, Repeat(0, 96)), {0}));
    EXPECT_EQ(std::vector<int>(buf.begin() + 5, buf.begin() + 10), (std::vector<int>{5, 4, 3, 2, 1}));
    // The sub picture comes only with the final picture.
    for (size_t i = 10; i < subArea.size(); ++i) EXPECT_EQ(subArea[i], kWhite) << i;
    EXPECT_EQ(TintLevel(w.Screen(), false), 4);
    EXPECT_EQ(w.Screen().pixel(430, 290), qRgb(0, 0, 200));
    EXPECT_EQ(w.Screen().pixel(423, 283), kBlank);
}

TEST(Transition, PanWithoutTravelOrFadeLocksNothing)
{
    PictureWindow w;
    w.F().TransitionMode = "fade";
    w.F().BackChanged = false;
    w.F().BackPicName = WriteBmp(w, "back.bmp", Filled(640, 480, kWhite));
    w.F().PanVertical();
    EXPECT_EQ(w.Sleeper.Sleeps, std::vector<int>{500});
    EXPECT_FALSE(w.F().InputLocked);
}
