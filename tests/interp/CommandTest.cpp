// The command table: heads, pauses, waits, the end, music and sound.
#include "CommandFixture.h"

namespace {

class HeadTest : public CommandPlayTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HeadTest, AHeadThatNamesNoCommandDoesNothing)
{
    Lines({"T", GetParam(), "text", ".w", ".e"});
    Click();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(W.Captions()[0], "text") << GetParam();
    EXPECT_EQ(F().TextLineIndex, 1) << GetParam();
    EXPECT_EQ(F().LineCursor, 4) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Heads, HeadTest,
                         ::testing::Values("...", ".. nothing", ".", ".z foo", ".B bg.bmp", ".E", ".W", ". w",
                                           ". ?", ".\x82\x60"));

// ".t": lock, repaint, pause through the sleep service, repaint.
struct PauseCase {
    const char* argument;
    int sleep;
};
std::ostream& operator<<(std::ostream& o, const PauseCase& c) { return o << "\"" << c.argument << "\""; }

class PauseTest : public CommandPlayTest, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(PauseTest, PausesAndDropsClicksUntilTheTimerTicks)
{
    const PauseCase& c = GetParam();
    Lines({"T", std::string(".t ") + c.argument, "one", ".w", "two", ".w", ".e"});
    Click();
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(W.Sleeper.Sleeps, std::vector<int>{c.sleep}) << c.argument;
    EXPECT_TRUE(F().InputLocked);
    EXPECT_EQ(W.Captions()[0], "one");
    ClickNow();  // before the tick: dropped
    EXPECT_EQ(W.Captions()[1], "");
    Click();
    EXPECT_EQ(W.Captions()[1], "two");
}

INSTANTIATE_TEST_SUITE_P(Pauses, PauseTest,
                         ::testing::Values(PauseCase{"2000", 2000}, PauseCase{"0", 0}, PauseCase{" 15", 15},
                                           PauseCase{"$10", 16}, PauseCase{"-5", 0}, PauseCase{"-1", 0},
                                           PauseCase{"-2147483648", 0}, PauseCase{"$FFFFFFFF", 0},
                                           PauseCase{"60000", 60000}, PauseCase{"60001", 60000},
                                           PauseCase{"2147483647", 60000}));

// A text that is no integer fails the line; what came before it stays done,
// and the line is tried again on the next click.
struct BadNumberCase {
    const char* line;
    const char* text;  // as the message quotes it
};
std::ostream& operator<<(std::ostream& o, const BadNumberCase& c) { return o << "\"" << c.line << "\""; }

class BadNumberTest : public CommandPlayTest, public ::testing::WithParamInterface<BadNumberCase> {};

TEST_P(BadNumberTest, LeavesTheCursorOnTheFailingLine)
{
    const BadNumberCase& c = GetParam();
    Lines({"T", "before", c.line, ".. nothing", ".. nothing", "after", ".w", ".e"});
    Click();
    ASSERT_EQ(Messages().size(), 1u) << c.line;
    EXPECT_EQ(Messages()[0], std::string("'") + c.text + "' は整数ではありません");
    EXPECT_EQ(F().LineCursor, 2) << c.line;
    EXPECT_EQ(W.Captions()[0], "before");
    EXPECT_EQ(F().FadeLevel, 1);
    EXPECT_EQ(F().ShadeLevel, 3);
    EXPECT_EQ(F().StoryFlags, (std::array<unsigned char, 50>{}));
    EXPECT_TRUE(W.Sleeper.Sleeps.empty());
    Click();
    EXPECT_EQ(Messages().size(), 2u) << c.line;
    EXPECT_EQ(F().LineCursor, 2) << c.line;
    EXPECT_EQ(W.Captions()[1], "");
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, BadNumberTest,
    ::testing::Values(BadNumberCase{".t 1 ", "1 "}, BadNumberCase{".t", ""}, BadNumberCase{".t 1.5", "1.5"},
                      BadNumberCase{".n x", "x"}, BadNumberCase{".n 3 ", "3 "}, BadNumberCase{".k", ""},
                      BadNumberCase{".k 9999999999", "9999999999"}, BadNumberCase{".f f1 on", "1 "},
                      BadNumberCase{".f f", ""}, BadNumberCase{".f gxx on", "xx"}, BadNumberCase{".! f1 x", "1 "},
                      BadNumberCase{".! x1 ", "1 "}));

TEST_F(CommandPlayTest, APauseLocksBeforeItFails)
{
    Lines({"T", ".t soon", ".e"});
    Click();
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(F().InputLocked);
}

TEST_F(CommandPlayTest, WaitKeepsThePageAndClearStartsAFreshOne)
{
    Lines({"T", "one", "two", ".w", "three", ".d", "four", ".w", ".e"});
    Click();
    EXPECT_EQ(F().LineCursor, 4);
    EXPECT_EQ(F().PageText[1], "two");
    Click();
    // "three" was never waited on, so it is not part of the page kept for re-reading.
    EXPECT_EQ(F().PrevPageText[0], "one");
    EXPECT_EQ(F().PrevPageText[1], "two");
    EXPECT_EQ(F().PrevPageText[2], "");
    EXPECT_EQ(W.Captions(), (std::vector<std::string>{"four", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(F().TextLineIndex, 1);
    EXPECT_TRUE(F().MaeDoc->isEnabled());
}

TEST_F(CommandPlayTest, TheEndKeepsGlobalFlagsAndClearsTheRest)
{
    Lines({"T", ".f f01 on", ".f g05 on", ".m song.mid", ".b nothing", "text", ".w", ".e", "never"});
    // A save file to write the global flags into.
    F().ScenarioPath = W.Folder + "s.snr";
    F().SaveLines = TStringList({"000000000000000000000000000000", "sav_1", "x", "sav_2", "sav_3"});
    Click();
    ASSERT_EQ(F().StoryFlags[1], 1);
    Click();
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(F().GlobalFlags[5], 1);
    EXPECT_EQ(F().StoryFlags[1], 0);
    EXPECT_EQ(F().LineCursor, 1);
    EXPECT_TRUE(F().CanAdvance);
    EXPECT_EQ(W.Music.FileName(), "nothing");
    EXPECT_EQ(W.Music.Calls.back(), "stop");
    EXPECT_EQ(W.Captions(), std::vector<std::string>(10, ""));
    // The next click plays the story again from its first line.
    Click();
    EXPECT_EQ(W.Captions()[0], "text");
    EXPECT_EQ(F().StoryFlags[1], 1);
}

TEST_F(CommandPlayTest, MusicChangesOnlyForAnotherTrack)
{
    Lines({"T", ".m a.mid", ".w", ".m a.mid", ".w", ".m b.mid", ".w", ".m nothing", ".w", ".m nothing", ".w", ".e"});
    W.Music.Calls.clear();
    const std::string a = W.Folder + "a.mid", b = W.Folder + "b.mid";
    Click();
    EXPECT_EQ(W.Music.Calls, (std::vector<std::string>{"open " + a, "play"}));
    Click();  // the same track goes on without a restart
    EXPECT_EQ(W.Music.Calls, (std::vector<std::string>{"open " + a, "play"}));
    Click();
    EXPECT_EQ(W.Music.Calls, (std::vector<std::string>{"open " + a, "play", "stop", "open " + b, "play"}));
    EXPECT_EQ(W.Music.FileName(), b);
    Click();
    EXPECT_EQ(W.Music.Calls.back(), "stop");
    EXPECT_EQ(W.Music.FileName(), "nothing");
    const size_t calls = W.Music.Calls.size();
    Click();  // silence again is harmless
    EXPECT_EQ(W.Music.Calls.size(), calls);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CommandPlayTest, AMusicFileThatCannotOpenIsPassedOverNextTime)
{
    const std::string gone = W.Folder + "gone.mid";
    W.Music.Missing = {gone};
    Lines({"T", ".m gone.mid", "text", ".w", ".e"});
    Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(F().LineCursor, 1);
    EXPECT_EQ(W.Music.FileName(), gone);
    Click();
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(W.Captions()[0], "text");
}

TEST_F(CommandPlayTest, SoundsPlayOnceFromTheScenarioFolder)
{
    Lines({"T", ".a ding.wav", ".a nothing", ".w", ".e"});
    Click();
    EXPECT_EQ(W.Sound.Played, (std::vector<std::string>{W.Folder + "ding.wav", W.Folder + "nothing"}));
}

TEST_F(CommandPlayTest, TheArgumentIsAtMostFiftyBytes)
{
    const std::string name(60, 'x');
    Lines({"T", ".a " + name, ".w", ".e"});
    Click();
    EXPECT_EQ(W.Sound.Played, (std::vector<std::string>{W.Folder + name.substr(0, 50)}));
}

} // namespace
