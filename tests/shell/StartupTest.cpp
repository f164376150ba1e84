// Start-up, the command-line argument, the close question and the close.
#include <gtest/gtest.h>

#include <QCloseEvent>

#include "present/Masks.h"
#include "shell/ChangeDisplay.h"
#include "shell/ShellTestSupport.h"

namespace {

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool Empty() const { return right < 0; }
};

// The box around the pixels of this colour that were drawn over base.
Box BoxOf(const QImage& image, QRgb colour, const QImage& base)
{
    Box b;
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const QImage under = base.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) && img.pixel(x, y) != under.pixel(x, y)) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

TEST(StartUp, StateAfterStartWithoutArgument)
{
    TestWindow w;
    TMainForm& f = w.Create();
    EXPECT_EQ(f.ProductName, "Qorix");
    EXPECT_EQ(f.BaseName, "mepla");
    EXPECT_EQ(f.SaveExt, ".ssv");
    EXPECT_EQ(f.TextLineCount, 10);
    EXPECT_EQ(f.CenterDivisor, 2);
    EXPECT_EQ(f.ProgramFolder, w.Folder);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Qorix"));
    EXPECT_EQ(f.size(), QSize(640, 480));
    EXPECT_EQ(f.MainPanel->geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(f.Gamen->geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(f.Mbtn->geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(f.Mbtn->Caption(), "");
    EXPECT_EQ(f.palette().color(QPalette::Window), QColor(Qt::black));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(f.TextLines[i], f.ShadowLabels[i]);
    for (int level = 1; level <= 5; ++level) EXPECT_NE(f.MaskPics[level], nullptr);
    EXPECT_FALSE(f.CanAdvance);
    EXPECT_EQ(f.ScenarioLines.Lines(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(f.SaveLines.Count(), 0);
    for (unsigned char g : f.GlobalFlags) EXPECT_EQ(g, 0);
    EXPECT_TRUE(f.acceptDrops());
    ASSERT_NE(f.ChangeDisplay, nullptr);
    EXPECT_EQ(f.ChangeDisplay->OrigWidth, 1024);
    EXPECT_EQ(f.ChangeDisplay->OrigHeight, 768);
    EXPECT_FALSE(f.ChangeDisplay->Changed);
    EXPECT_TRUE(w.Dialogs.Messages.empty()) << "no argument, no message";

    const std::vector<std::string> captions = {
        "", "", "", "", "", "",
        S("　　サウンドノベルシナリオプレーヤーです。"),
        S("　　右クリックでポップアップメニューが開きます。"),
        S("　　まず、シナリオファイルを読み込んでください。"),
        S("　　テキストリーダーとしても使えます。"),
    };
    EXPECT_EQ(w.Captions(), captions);
}

TEST(StartUp, TitleScreenIsTheNameThreeTimesOnTheBlackPicture)
{
    TestWindow w;
    TMainForm& f = w.Create();
    const QImage& pic = f.Gamen->Picture;
    ASSERT_FALSE(pic.isNull());
    const QImage& black = *f.MaskPics[5];
    ASSERT_EQ(pic.size(), black.size()) << "the title is drawn on the picture of the fifth mask";
    const Box grey = BoxOf(pic, 0x808080, black), silver = BoxOf(pic, 0xC0C0C0, black),
              white = BoxOf(pic, 0xFFFFFF, black);
    ASSERT_FALSE(grey.Empty());
    ASSERT_FALSE(silver.Empty());
    ASSERT_FALSE(white.Empty());
    // Each copy starts 5 pixels right of and below the one under it (a pixel
    // of edge smoothing either way), the first at 50, 80 plus the glyphs' margins.
    EXPECT_NEAR(silver.left - grey.left, 5, 1);
    EXPECT_NEAR(silver.top - grey.top, 5, 1);
    EXPECT_NEAR(white.left - silver.left, 5, 1);
    EXPECT_NEAR(white.top - silver.top, 5, 1);
    EXPECT_GE(grey.left, 50);
    EXPECT_LT(grey.left, 50 + 15);
    EXPECT_GE(grey.top, 80);
    EXPECT_LT(grey.top, 80 + 40);
    // Size 50: the capital Q is about 50 pixels high.
    EXPECT_GT(white.bottom - white.top, 40);
    EXPECT_LT(white.bottom - white.top, 80);
    EXPECT_LT(white.right, 640) << "the name fits the picture";
    // Drawn on a copy: the mask picture itself stays as it was.
    EXPECT_EQ(*f.MaskPics[5], MakeMaskPicture(5));
}

TEST(StartUp, ArgumentExtensionMustBeOneOfTheFourForms)
{
    struct Case {
        const char* argument;
        bool accepted;
    };
    const Case cases[] = {
        {"story.txt", true},       {"story.TXT", true},       {"story.snr", true},    {"story.SNR", true},
        {"story.Txt", false},      {"story.sNr", false},      {"story.text", false},  {"story", false},
        {"story.txt.bak", false},  {"dir.txt/story", false},  {"story.txt ", false},  {".snr", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        EXPECT_EQ(IsScenarioFileName(c.argument), c.accepted);
        TestWindow w;
        w.Create(w.Folder + c.argument);
        EXPECT_EQ(CountOf(w.Dialogs.Messages, kWrongExtension), c.accepted ? 0 : 1);
        if (!c.accepted) {
            EXPECT_EQ(w.Dialogs.Messages.size(), 1u);
            EXPECT_EQ(w.Form->ScenarioPath, "") << "nothing is opened";
            EXPECT_FALSE(w.Form->CanAdvance);
            EXPECT_FALSE(w.Form->Save->isEnabled());
        }
    }
}

TEST(StartUp, ScenarioArgumentIsOpenBeforeTheWindowIsShown)
{
    TestWindow w;
    const std::string path = w.WriteFile("story.txt", "Story\r\nThe first line.\r\n");
    TMainForm& f = w.Create(path);
    if (f.ScenarioLines.Count() <= 3) GTEST_SKIP() << "OpenScenario does not load files in this build yet";
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.ScenarioPath, path);
    EXPECT_EQ(w.Captions()[0], "The first line.");
    EXPECT_TRUE(f.Save->isEnabled());
    EXPECT_TRUE(w.Dialogs.Messages.empty());
}

TEST(StartUp, AFailingStepIsReportedAndTheRestStillRuns)
{
    // The program folder is beneath a plain file: the recent-file list can
    // be neither read nor created there, whoever runs the test.
    TestWindow w;
    w.WriteFile("plain", "x");
    Services s;
    s.Dialogs = &w.Dialogs;
    s.Sleeper = &w.Sleeper;
    s.DisplayModes = &w.Display;
    s.Music = &w.Music;
    s.Sound = &w.Sound;
    s.ProgramFolder = w.Folder + "plain/";
    s.Argument = "story.Txt";
    w.Form = std::make_unique<TMainForm>(s);
    TMainForm& f = *w.Form;

    // The steps after the recent list: the title screen and the argument.
    EXPECT_FALSE(BoxOf(f.Gamen->Picture, 0xFFFFFF, *f.MaskPics[5]).Empty());
    ASSERT_FALSE(w.Dialogs.Messages.empty());
    EXPECT_EQ(w.Dialogs.Messages.back(), kWrongExtension);
    EXPECT_FALSE(f.CanAdvance);
    if (w.Dialogs.Messages.size() < 2) GTEST_SKIP() << "the recent-file list is not read in this build yet";
    EXPECT_EQ(w.Dialogs.Messages.size(), 2u);
    EXPECT_NE(w.Dialogs.Messages.front().find("plain"), std::string::npos)
        << "the file message names the file: " << w.Dialogs.Messages.front();
}

// ---- Closing ----------------------------------------------------------------

// A window in the middle of a reading, in 800x600 full screen.
void Busy(TestWindow& w)
{
    w.Display.Modes = {{1024, 768, 1}, {800, 600, 2}};
    w.UseLines({"T", "first", ".w", "second", ".w"});
    w.Form->Save->setEnabled(true);
    w.Form->Load->setEnabled(true);
    w.Form->MbtnClick();
    w.Form->FullScreen(800, 600);
}

TEST(Close, EveryWayAsksAndNoLeavesEverything)
{
    const std::vector<std::pair<const char*, std::function<void(TMainForm&)>>> ways = {
        {"Exit command", [](TMainForm& f) { f.ExitClick(); }},
        {"Exit shortcut", [](TMainForm& f) { f.Exit->trigger(); }},
        {"key d", [](TMainForm& f) { Type(f, 'd'); }},
        {"key D", [](TMainForm& f) { Type(f, 'D'); }},
        {"close box", [](TMainForm& f) { f.close(); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        TestWindow w;
        w.Create();
        Busy(w);
        TMainForm& f = *w.Form;
        const auto captions = w.Captions();
        const auto lines = f.ScenarioLines.Lines();
        const int cursor = f.LineCursor;
        w.Dialogs.YesNoAnswers = {false};
        way(f);
        EXPECT_EQ(w.Dialogs.Messages, (std::vector<std::string>{kCloseQuestion}));
        EXPECT_EQ(w.Captions(), captions);
        EXPECT_EQ(f.ScenarioLines.Lines(), lines);
        EXPECT_EQ(f.LineCursor, cursor);
        EXPECT_TRUE(f.CanAdvance);
        EXPECT_TRUE(f.Save->isEnabled());
        EXPECT_EQ(w.Display.Width, 800) << "the display stays";
        EXPECT_TRUE(f.ChangeDisplay->Changed);
        EXPECT_EQ(f.MainPanel->pos(), QPoint(80, 60));
        // Asked again, the question comes again.
        w.Dialogs.YesNoAnswers = {false};
        way(f);
        EXPECT_EQ(CountOf(w.Dialogs.Messages, kCloseQuestion), 2);
    }
}

TEST(Close, YesReleasesTheListsAndRestoresTheDisplay)
{
    TestWindow w;
    w.Create();
    Busy(w);
    TMainForm& f = *w.Form;
    w.Dialogs.YesNoAnswers = {true};
    f.show();
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.ScenarioLines.Count(), 0);
    EXPECT_EQ(f.SaveLines.Count(), 0);
    EXPECT_EQ(f.RecentList.Count(), 0);
    EXPECT_EQ(w.Display.Applied, (std::vector<long>{2, 1}));
    EXPECT_EQ(w.Display.Width, 1024);
    EXPECT_FALSE(f.ChangeDisplay->Changed);
    EXPECT_EQ(w.Dialogs.Messages, (std::vector<std::string>{kCloseQuestion}));
}

TEST(Close, AnErrorWritingTheRecentListStillRestoresTheDisplay)
{
    TestWindow w;
    w.WriteFile("plain", "x");
    w.Create();
    Busy(w);
    TMainForm& f = *w.Form;
    f.ProgramFolder = w.Folder + "plain/";  // the recent-file list cannot be written there
    w.Dialogs.YesNoAnswers = {true};
    EXPECT_TRUE(f.close());
    EXPECT_EQ(w.Display.Width, 1024);
    EXPECT_FALSE(f.ChangeDisplay->Changed);
    ASSERT_GE(w.Dialogs.Messages.size(), 1u);
    EXPECT_EQ(w.Dialogs.Messages.front(), kCloseQuestion);
    if (w.Dialogs.Messages.size() < 2) GTEST_SKIP() << "the recent-file list is not written in this build yet";
    EXPECT_NE(w.Dialogs.Messages[1].find("plain"), std::string::npos) << w.Dialogs.Messages[1];
}

} // namespace
