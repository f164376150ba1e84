// Choices, answers, jumps and flags as a run meets them.
#include "CommandFixture.h"

namespace {

const std::string kA = S("Ａ"), kB = S("Ｂ"), kC = S("Ｃ");

// ".?": captions from the argument, labels from the three lines below it.
struct ChoiceCase {
    std::string argument;
    std::string a, b, c;
};
std::ostream& operator<<(std::ostream& o, const ChoiceCase& c) { return o << "\"" << c.argument << "\""; }

class ChoiceTest : public PlayTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ChoiceTest, CaptionsComeFromTheArgument)
{
    const ChoiceCase& c = GetParam();
    Lines({"T", ".? " + c.argument, ".. LA", ".. LB", ".. LC", "after", ".e"});
    Click();
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(F().Abtn->Caption(), c.a) << c.argument;
    EXPECT_EQ(F().Bbtn->Caption(), c.b) << c.argument;
    EXPECT_EQ(F().Cbtn->Caption(), c.c) << c.argument;
    EXPECT_EQ(F().AnswerLabelA, "LA");
    EXPECT_EQ(F().AnswerLabelB, "LB");
    EXPECT_EQ(F().AnswerLabelC, "LC");
    EXPECT_FALSE(F().CanAdvance);
    EXPECT_FALSE(F().Cbtn->isHidden());
    EXPECT_EQ(F().LineCursor, 5);  // the line after the third target line
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ChoiceTest,
    ::testing::Values(ChoiceCase{"", kA, kB, kC}, ChoiceCase{"yes,no", "yes", "no", ""},
                      ChoiceCase{"one,two,three", "one", "two", "three"}, ChoiceCase{"a,b,c,d", "a", "b", "c"},
                      ChoiceCase{"only", "only", "", ""}, ChoiceCase{",x", "", "x", ""}, ChoiceCase{"a,,c", "a", "", "c"},
                      ChoiceCase{S("はい,いいえ"), S("はい"), S("いいえ"), ""},
                      // Bytes past the fiftieth of the argument are not read.
                      ChoiceCase{std::string(50, 'x') + ",y", std::string(50, 'x'), "", ""}));

TEST_F(PlayTest, ATwoAnswerChoiceHidesC)
{
    Lines({"T", ".? yes,no", ".. LA", ".. LB", ".. nothing", ".e"});
    Click();
    EXPECT_FALSE(F().Abtn->isHidden());
    EXPECT_FALSE(F().Bbtn->isHidden());
    EXPECT_TRUE(F().Abtn->isEnabled());
    EXPECT_TRUE(F().Cbtn->isHidden());
    EXPECT_FALSE(F().Cbtn->isEnabled());
    // A click on the picture does not pass the choice.
    Click();
    EXPECT_EQ(F().LineCursor, 5);
    EXPECT_FALSE(F().CanAdvance);
}

TEST_F(PlayTest, AChoiceCutOffByTheEndFailsOnItsOwnLine)
{
    Lines({"T", "text", ".? yes,no", ".. LA", ".. LB"});
    Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(F().LineCursor, 2);
    EXPECT_TRUE(F().CanAdvance);
}

// The answer keys: "1"/"a"/"A" answer A, "2"/"b"/"B" answer B, and "3"/"c"/"C"
// answer C even when it is not offered.
const std::vector<std::string> kChoice = {
    "T", ".? yes,no", ".. LA", ".. LB", ".. nothing", "skipped", "below", ".w",
    "**LA", "chose A", ".w", "**LB", "chose B", ".w", ".e"};

struct AnswerCase {
    char key;
    const char* shown;
};
std::ostream& operator<<(std::ostream& o, const AnswerCase& c) { return o << "\"" << c.key << "\""; }

class AnswerTest : public PlayTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(AnswerTest, JumpsToTheAnswersLabel)
{
    const AnswerCase& c = GetParam();
    Lines(kChoice);
    Click();
    Key(c.key);
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(W.Captions()[0], c.shown) << c.key;
    EXPECT_EQ(W.Captions()[1], "") << c.key;
    EXPECT_TRUE(F().CanAdvance);
    EXPECT_TRUE(F().Abtn->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Keys, AnswerTest,
                         ::testing::Values(AnswerCase{'1', "chose A"}, AnswerCase{'a', "chose A"},
                                           AnswerCase{'A', "chose A"}, AnswerCase{'2', "chose B"},
                                           AnswerCase{'b', "chose B"}, AnswerCase{'B', "chose B"},
                                           // No "**nothing": the page turns and reading goes on one
                                           // line below the line after the target lines.
                                           AnswerCase{'3', "below"}, AnswerCase{'c', "below"},
                                           AnswerCase{'C', "below"}));

TEST_F(PlayTest, AnAnswerIsDroppedWhileInputIsLocked)
{
    Lines({"T", ".t 100", ".? yes,no", ".. LA", ".. LB", ".. nothing", "**LA", "chose A", ".w", ".e"});
    Click();
    ASSERT_TRUE(F().InputLocked);
    F().AbtnClick();
    EXPECT_EQ(F().LineCursor, 6);
    EXPECT_FALSE(F().CanAdvance);
    Key('1');
    EXPECT_EQ(W.Captions()[0], "chose A");
}

TEST_F(PlayTest, AnAnswerKeyBeforeAnyScenarioIsIgnored)
{
    W.Create();
    F().AnswerLabelA = "x";
    const int cursor = F().LineCursor;
    for (char key : {'1', '2', '3'}) Key(key);
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(F().LineCursor, cursor);
    EXPECT_FALSE(F().CanAdvance);
    EXPECT_FALSE(F().MaeDoc->isEnabled());
}

TEST_F(PlayTest, AnAnswerKeyAfterAFailedOpenIsIgnored)
{
    // What an open of a missing file leaves behind.
    Lines({"", "", "", ".e"});
    F().CanAdvance = false;
    for (char key : {'1', '2', '3'}) Key(key);
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(F().LineCursor, 1);
    EXPECT_FALSE(F().CanAdvance);
    EXPECT_FALSE(F().MaeDoc->isEnabled());
}

TEST_F(PlayTest, AnAnswerKeyInTheReReadViewIsCarriedOut)
{
    Lines({"T", "page one", ".w", ".d", ".? yes,no", ".. LA", ".. LB", ".. nothing", "**LA", "chose A", ".w", ".e"});
    Click();
    Click();
    F().ShowPrevPage();
    ASSERT_TRUE(F().Abtn->isHidden());
    Key('1');
    EXPECT_EQ(W.Captions()[0], "chose A");
    EXPECT_TRUE(F().PrevShown);
    // The next click puts back the page last held instead of going on.
    const int cursor = F().LineCursor;
    Click();
    EXPECT_FALSE(F().PrevShown);
    EXPECT_EQ(W.Captions()[0], "chose A");
    EXPECT_EQ(F().LineCursor, cursor);
}

// ".j": the run goes on after the label, on a fresh page.
struct JumpCase {
    const char* why;
    std::vector<std::string> lines;
    int clicks;
    const char* shown;  // the first caption after the last click
};
std::ostream& operator<<(std::ostream& o, const JumpCase& c) { return o << "\"" << c.why << "\""; }

class JumpTest : public PlayTest, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(JumpTest, GoesOnAfterTheLabel)
{
    const JumpCase& c = GetParam();
    Lines(c.lines);
    for (int i = 0; i < c.clicks; ++i) Click();
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(W.Captions()[0], c.shown) << c.why;
    EXPECT_EQ(W.Captions()[1], "") << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Jumps, JumpTest,
    ::testing::Values(
        JumpCase{"forward", {"T", "one", ".j L", "skipped", "**L", "two", ".w", ".e"}, 1, "two"},
        JumpCase{"a label below wins over one above",
                 {"T", "**L", "above", ".w", ".j L", "x", "**L", "below", ".w", ".e"}, 2, "below"},
        JumpCase{"back up when none is below", {"T", "**L", "top", ".w", ".j L", ".e"}, 2, "top"},
        JumpCase{"a label just before the jump is not seen",
                 {"T", "one", ".w", "**M", ".j M", "after", ".w", ".e"}, 2, "after"},
        JumpCase{"but a second one with its name is",
                 {"T", "one", ".w", "**M", ".j M", "after", ".w", "**M", "far", ".w", ".e"}, 2, "far"},
        JumpCase{"no such label: the page turns and reading goes on",
                 {"T", "one", ".j Nowhere", "two", ".w", ".e"}, 1, "two"}));

TEST_F(PlayTest, AJumpTurnsThePage)
{
    Lines({"T", "one", ".w", "two", ".j L", "**L", "three", ".w", ".e"});
    Click();
    Click();
    EXPECT_EQ(F().PrevPageText[0], "one");
    EXPECT_EQ(F().PrevPageText[1], "");  // never waited on
    EXPECT_TRUE(F().MaeDoc->isEnabled());
}

// ".f": letter at byte 1, number at bytes 2 and 3, byte 4 unread, word from byte 5.
struct FlagCase {
    const char* argument;
    char set;  // 'f' story, 'g' global, 0 when nothing changes
    int number;
    int value;
};
std::ostream& operator<<(std::ostream& o, const FlagCase& c) { return o << "\"" << c.argument << "\""; }

class SetFlagTest : public PlayTest, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(SetFlagTest, SetsOnlyTheFlagItNames)
{
    const FlagCase& c = GetParam();
    Lines({"T", std::string(".f ") + c.argument, ".w", ".e"});
    // Flags to switch off: story 02 and global 04.
    F().StoryFlags[2] = 1;
    F().GlobalFlags[4] = 1;
    auto story = F().StoryFlags;
    auto global = F().GlobalFlags;
    if (c.set == 'f') story[static_cast<size_t>(c.number)] = static_cast<unsigned char>(c.value);
    if (c.set == 'g') global[static_cast<size_t>(c.number)] = static_cast<unsigned char>(c.value);
    Click();
    ASSERT_TRUE(Messages().empty()) << c.argument << ": " << Messages()[0];
    EXPECT_EQ(F().StoryFlags, story) << c.argument;
    EXPECT_EQ(F().GlobalFlags, global) << c.argument;
    EXPECT_EQ(F().LineCursor, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SetFlagTest,
    ::testing::Values(FlagCase{"f01 on", 'f', 1, 1}, FlagCase{"f02 off", 'f', 2, 0}, FlagCase{"f01 on ", 0, 0, 0},
                      FlagCase{"f01 onx", 0, 0, 0}, FlagCase{"f01 ON", 0, 0, 0}, FlagCase{"f01 o", 0, 0, 0},
                      FlagCase{"f01 ", 0, 0, 0}, FlagCase{"f01", 0, 0, 0},
                      // The word is at most three bytes.
                      FlagCase{"f02 offx", 'f', 2, 0}, FlagCase{"f01on", 0, 0, 0}, FlagCase{"f01xon", 'f', 1, 1},
                      FlagCase{"f49 on", 'f', 49, 1}, FlagCase{"f 1 on", 'f', 1, 1}, FlagCase{"f$1 on", 'f', 1, 1},
                      FlagCase{"g03 on", 'g', 3, 1}, FlagCase{"g04 off", 'g', 4, 0}, FlagCase{"g29 on", 'g', 29, 1},
                      // Numbers outside the flags, and letters that name no set, change nothing.
                      FlagCase{"f50 on", 0, 0, 0}, FlagCase{"f99 on", 0, 0, 0}, FlagCase{"f-1 on", 0, 0, 0},
                      FlagCase{"g30 on", 0, 0, 0}, FlagCase{"g49 on", 0, 0, 0}, FlagCase{"g-1 on", 0, 0, 0},
                      FlagCase{"F01 on", 0, 0, 0}, FlagCase{"x01 on", 0, 0, 0}));

// ".!": the first target line for a flag that is on, the second for one that is off.
struct TestFlagCase {
    const char* why;
    const char* test;
    bool on;
    const char* first;
    const char* second;
    const char* shown;
};
std::ostream& operator<<(std::ostream& o, const TestFlagCase& c) { return o << "\"" << c.why << "\""; }

class TestFlagTest : public PlayTest, public ::testing::WithParamInterface<TestFlagCase> {};

TEST_P(TestFlagTest, JumpsByTheFlag)
{
    const TestFlagCase& c = GetParam();
    Lines({"T", std::string(".! ") + c.test, std::string(".. ") + c.first, std::string(".. ") + c.second, "below", ".w",
           "**L1", "at L1", ".w", "**L2", "at L2", ".w", ".e"});
    F().StoryFlags[1] = c.on;
    F().GlobalFlags[29] = c.on;
    Click();
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(W.Captions()[0], c.shown) << c.why;
    EXPECT_EQ(W.Captions()[1], "") << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Flags, TestFlagTest,
    ::testing::Values(TestFlagCase{"on takes the first", "f01", true, "L1", "L2", "at L1"},
                      TestFlagCase{"off takes the second", "f01", false, "L1", "L2", "at L2"},
                      TestFlagCase{"a global flag", "g29", true, "L1", "L2", "at L1"},
                      TestFlagCase{"on without a jump", "f01", true, "nothing", "L2", "below"},
                      TestFlagCase{"off without a jump", "f01", false, "L1", "nothing", "below"},
                      TestFlagCase{"a label that is missing", "f01", true, "L9", "L2", "below"},
                      TestFlagCase{"the rest of the argument is not read", "f01 on", true, "L1", "L2", "at L1"},
                      TestFlagCase{"a lone digit that ends the line is a number", "f1", true, "L1", "L2", "at L1"},
                      TestFlagCase{"a letter that names no set", "x01", true, "L1", "L2", "below"},
                      TestFlagCase{"a number outside the flags", "f50", true, "L1", "L2", "below"},
                      TestFlagCase{"a negative number", "g-1", true, "L1", "L2", "below"}));

TEST_F(PlayTest, StoryFlagsLastOneReadingAndGlobalFlagsTheScenario)
{
    // The second reading skips the flag lines through the global flag.
    Lines({"T", ".! g03", ".. Again", ".. nothing", ".f f01 on", ".f g03 on", "**Again", ".! f01", ".. nothing",
           ".. Off", "story on", ".w", ".e", "**Off", "story off", ".w", ".e"});
    F().ScenarioPath = W.Folder + "s.snr";
    F().SaveLines = TStringList({"0", "sav_1", "sav_2", "sav_3"});
    Click();
    EXPECT_EQ(W.Captions()[0], "story on");
    Click();  // ".e"
    EXPECT_EQ(F().StoryFlags[1], 0);
    EXPECT_EQ(F().GlobalFlags[3], 1);
    Click();
    EXPECT_EQ(W.Captions()[0], "story off");
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
}

} // namespace
