// Switching the resolution, full screen and the standard window, and the
// panel kept in the middle of the client area.
#include <gtest/gtest.h>

#include <QResizeEvent>

#include "shell/ChangeDisplay.h"
#include "shell/ShellTestSupport.h"

namespace {

class CountingModes : public FakeDisplayModes {
public:
    std::vector<long> Tested;
    bool TestMode(const DisplayMode& mode) override
    {
        Tested.push_back(mode.Id);
        return FakeDisplayModes::TestMode(mode);
    }
};

struct ChangeCase {
    const char* name;
    std::vector<DisplayMode> modes;
    std::vector<long> failing;
    int width, height;
    bool found;
    std::vector<long> tested;
    std::vector<long> applied;
};

TEST(ChangeMode, AppliesTheLastPassingModeOfTheSize)
{
    const std::vector<DisplayMode> several = {
        {800, 600, 1}, {640, 480, 2}, {800, 600, 3}, {1024, 768, 4}, {800, 600, 5}, {600, 800, 6}};
    const std::vector<ChangeCase> cases = {
        {"all pass: the last", several, {}, 800, 600, true, {1, 3, 5}, {5}},
        {"the last fails: the one before", several, {5}, 800, 600, true, {1, 3, 5}, {3}},
        {"a middle one fails", several, {3}, 800, 600, true, {1, 3, 5}, {5}},
        {"all of the size fail", several, {1, 3, 5}, 800, 600, false, {1, 3, 5}, {}},
        {"no mode of the size", several, {}, 1280, 1024, false, {}, {}},
        {"width and height both count", several, {}, 600, 800, true, {6}, {6}},
        {"no modes at all", {}, {}, 640, 480, false, {}, {}},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CountingModes modes;
        modes.Modes = c.modes;
        modes.Failing = c.failing;
        TChangeDisplay change(modes);
        EXPECT_EQ(change.ChangeMode(c.width, c.height), c.found);
        EXPECT_EQ(modes.Tested, c.tested);
        EXPECT_EQ(modes.Applied, c.applied);
        EXPECT_EQ(change.Changed, c.found);
    }
}

TEST(RestoreMode, ReturnsToTheStartUpSizeOnce)
{
    CountingModes modes;
    modes.Modes = {{1024, 768, 1}, {800, 600, 2}, {640, 480, 3}, {1024, 768, 4}};
    TChangeDisplay change(modes);
    EXPECT_EQ(change.OrigWidth, 1024);
    EXPECT_EQ(change.OrigHeight, 768);

    EXPECT_FALSE(change.RestoreMode()) << "nothing was changed";
    EXPECT_TRUE(modes.Applied.empty());

    ASSERT_TRUE(change.ChangeMode(800, 600));
    ASSERT_TRUE(change.ChangeMode(640, 480));
    EXPECT_EQ(change.OrigWidth, 1024) << "the start-up size is kept";
    EXPECT_TRUE(change.RestoreMode());
    EXPECT_EQ(modes.Applied, (std::vector<long>{2, 3, 4}));
    EXPECT_FALSE(change.Changed);
    EXPECT_FALSE(change.RestoreMode()) << "a second restore does nothing";
    EXPECT_EQ(modes.Applied.size(), 3u);
}

TEST(RestoreMode, WithoutAModeOfTheStartUpSizeStaysAndForgets)
{
    CountingModes modes;
    modes.Modes = {{800, 600, 2}};
    TChangeDisplay change(modes);
    ASSERT_TRUE(change.ChangeMode(800, 600));
    EXPECT_FALSE(change.RestoreMode());
    EXPECT_FALSE(change.Changed);
    EXPECT_EQ(modes.Width, 800) << "the display stays in the full-screen mode";
    EXPECT_FALSE(change.RestoreMode());
    EXPECT_EQ(modes.Applied, (std::vector<long>{2}));
}

bool Borderless(const TMainForm& f)
{
    return f.windowFlags() & Qt::FramelessWindowHint;
}

TEST(FullScreen, EightHundredThenSixFortyThenStandard)
{
    TestWindow w;
    w.Display.Modes = {{1024, 768, 1}, {640, 480, 2}, {800, 600, 3}, {800, 600, 4}};
    w.Display.Failing = {4};
    TMainForm& f = w.Create();

    f.Kaizoudo800Click();
    EXPECT_EQ(w.Display.Applied, (std::vector<long>{3}));
    EXPECT_EQ(w.Display.Width, 800);
    EXPECT_TRUE(f.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(Borderless(f));
    EXPECT_EQ(f.MainPanel->pos(), QPoint(80, 60));

    f.Kaizoudo640Click();
    EXPECT_EQ(w.Display.Applied, (std::vector<long>{3, 2}));
    EXPECT_EQ(f.MainPanel->pos(), QPoint(0, 0));

    f.KaizoudoHyoujunClick();
    EXPECT_EQ(w.Display.Applied, (std::vector<long>{3, 2, 1}));
    EXPECT_EQ(w.Display.Width, 1024);
    EXPECT_EQ(w.Display.Height, 768);
    EXPECT_FALSE(f.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(Borderless(f));
    EXPECT_EQ(f.size(), QSize(640, 480));
    EXPECT_EQ(f.MainPanel->pos(), QPoint(0, 0));
    EXPECT_FALSE(f.ChangeDisplay->Changed);
}

TEST(FullScreen, NoModeChangesNothingButTheWindow)
{
    for (auto [width, height, panel] : {std::tuple{800, 600, QPoint(80, 60)}, std::tuple{640, 480, QPoint(0, 0)}}) {
        SCOPED_TRACE(width);
        TestWindow w;
        w.Display.Modes = {{1024, 768, 1}, {800, 600, 2}};
        w.Display.Failing = {2};
        TMainForm& f = w.Create();
        f.FullScreen(width, height);
        EXPECT_TRUE(w.Display.Applied.empty());
        EXPECT_EQ(w.Display.Width, 1024);
        EXPECT_FALSE(f.ChangeDisplay->Changed);
        EXPECT_TRUE(f.windowState() & Qt::WindowMaximized);
        EXPECT_TRUE(Borderless(f));
        EXPECT_EQ(f.MainPanel->pos(), panel);
        EXPECT_TRUE(w.Dialogs.Messages.empty());
    }
}

TEST(FullScreen, PanelStaysWhereTheCommandPutItWhenTheWindowSystemResizesLater)
{
    // The window manager answers a maximize with a resize of its own, after
    // the command: on a larger display the panel keeps the requested offsets.
    TestWindow w;
    TMainForm& f = w.Create();
    f.FullScreen(800, 600);
    f.resize(1024, 768);
    QResizeEvent e(QSize(1024, 768), QSize(800, 600));
    QCoreApplication::sendEvent(&f, &e);
    EXPECT_EQ(f.MainPanel->pos(), QPoint(80, 60));

    // In the standard window a resize centres the panel again.
    f.StandardScreen();
    f.resize(700, 500);
    QResizeEvent back(QSize(700, 500), QSize(640, 480));
    QCoreApplication::sendEvent(&f, &back);
    EXPECT_EQ(f.MainPanel->pos(), QPoint(30, 10));
}

TEST(StandardScreen, WithoutFullScreenLeavesTheDisplayAlone)
{
    TestWindow w;
    w.Display.Modes = {{1024, 768, 1}};
    TMainForm& f = w.Create();
    f.resize(900, 700);
    f.KaizoudoHyoujunClick();
    EXPECT_TRUE(w.Display.Applied.empty());
    EXPECT_EQ(f.size(), QSize(640, 480));
    EXPECT_FALSE(Borderless(f));
    EXPECT_EQ(f.MainPanel->pos(), QPoint(0, 0));
}

TEST(FormResize, CentresThePanelRoundingDown)
{
    struct Case {
        QSize client;
        QPoint panel;
    };
    const Case cases[] = {
        {{640, 480}, {0, 0}},  {{600, 400}, {0, 0}},    {{641, 481}, {0, 0}}, {{643, 483}, {1, 1}},
        {{700, 500}, {30, 10}}, {{1000, 300}, {180, 0}}, {{500, 900}, {0, 210}},
    };
    TestWindow w;
    TMainForm& f = w.Create();
    for (const Case& c : cases) {
        f.MainPanel->move(7, 7);
        f.resize(c.client);
        f.FormResize();
        EXPECT_EQ(f.MainPanel->pos(), c.panel) << c.client.width() << "x" << c.client.height();
        EXPECT_EQ(f.MainPanel->size(), QSize(640, 480));
    }
}

} // namespace
