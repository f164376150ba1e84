// A run that can only repeat itself ends with a message; one that would end
// by itself is never cut short.
#include "CommandFixture.h"

namespace {

struct LoopCase {
    const char* why;
    std::vector<std::string> lines;
    const char* named;  // the line the message names
};
std::ostream& operator<<(std::ostream& o, const LoopCase& c) { return o << "\"" << c.why << "\""; }

class EndlessLoopTest : public PlayTest, public ::testing::WithParamInterface<LoopCase> {};

TEST_P(EndlessLoopTest, EndsWithAMessageNamingTheLine)
{
    const LoopCase& c = GetParam();
    Lines(c.lines);
    Click();
    ASSERT_EQ(Messages().size(), 1u) << c.why;
    EXPECT_NE(Messages()[0].find(c.named), std::string::npos) << c.why << ": " << Messages()[0];
    EXPECT_NE(Messages()[0].find("繰り返し"), std::string::npos) << Messages()[0];
    // Caught within a few rounds: each round of the pausing loop sleeps once.
    EXPECT_LT(W.Sleeper.Sleeps.size(), 10u) << c.why;
    // The player goes on: the next click meets the loop again and ends it again.
    Click();
    EXPECT_EQ(Messages().size(), 2u) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Loops, EndlessLoopTest,
    ::testing::Values(
        LoopCase{"a label, a line that does nothing and a jump back",
                 {"T", "**L", ".. nothing", ".j L", ".e"}, "3行目「.j L」"},
        LoopCase{"text never fills the page, since the jump clears it",
                 {"T", "**L", "text", ".j L", ".e"}, "3行目「.j L」"},
        LoopCase{"a pause does not wait for the reader", {"T", "**L", ".t 1000", ".. nothing", ".j L", ".e"},
                 "4行目「.j L」"},
        LoopCase{"pictures change but come round again",
                 {"T", "**L", ".b nothing", ".n 3", ".n 4", ".c white", ".c black", ".j L", ".e"}, "7行目「.j L」"},
        LoopCase{"a flag test whose both ways lead back", {"T", "**L", ".! f01", ".. L", ".. L", ".e"}, "2行目「.! f01」"},
        LoopCase{"two labels calling each other",
                 {"T", "**A", "one", ".j B", "x", "**B", "two", ".j A", ".e"}, "7行目「.j A」"},
        LoopCase{"a flag switched on and off again",
                 {"T", "**L", ".! f01", ".. Off", ".. nothing", ".f f01 on", ".j L", "**Off", ".f f01 off", ".j L", ".e"},
                 "「.j L」"},
        LoopCase{"music and sound going round",
                 {"T", ".m a.mid", "**L", ".a ding.wav", ".m a.mid", ".j L", ".e"}, "5行目「.j L」"}));

// A counter of n bits in story flags: the run passes its label 2^n times,
// each time with other flags, then ends on its own.
std::vector<std::string> Counter(int bits)
{
    std::vector<std::string> lines = {"T", "**L", "tick"};
    for (int i = 0; i < bits; ++i) {
        const std::string flag = (i < 10 ? "f0" : "f") + std::to_string(i);
        const std::string carry = "Carry" + std::to_string(i);
        for (const std::string& l : {".! " + flag, ".. " + carry, std::string(".. nothing"), ".f " + flag + " on",
                                     std::string(".j L"), "**" + carry, ".f " + flag + " off"})
            lines.push_back(l);
    }
    for (const char* l : {"done", ".w", ".e"}) lines.push_back(l);
    return lines;
}

TEST_F(PlayTest, ALongRunThatEndsByItselfIsNotCut)
{
    for (int bits : {1, 3, 8}) {
        Lines(Counter(bits));
        Click();
        ASSERT_TRUE(Messages().empty()) << bits << ": " << Messages()[0];
        // The last round carries through every bit, and each carry is a jump
        // to a fresh page.
        EXPECT_EQ(W.Captions()[0], "done") << bits;
        EXPECT_EQ(F().StoryFlags, (std::array<unsigned char, 50>{})) << bits;
    }
}

TEST_F(PlayTest, AStraightRunOfManyLinesIsNotCut)
{
    std::vector<std::string> lines = {"T"};
    for (int i = 0; i < 20000; ++i) lines.push_back(i % 2 ? ".. nothing" : ".c black");
    for (const char* l : {"done", ".w", ".e"}) lines.push_back(l);
    Lines(lines);
    Click();
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(W.Captions()[0], "done");
}

TEST_F(PlayTest, ALoopThatWaitsForTheReaderIsNotCut)
{
    Lines({"T", "**L", "text", ".w", ".t 10", ".j L", ".e"});
    for (int i = 0; i < 20; ++i) Click();
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(W.Captions()[0], "text");
    EXPECT_EQ(F().LineCursor, 4);
}

TEST_F(PlayTest, ALoopThroughAChoiceIsNotCut)
{
    Lines({"T", "**L", "again?", ".? again,stop", ".. L", ".. Out", ".. nothing", "**Out", "bye", ".w", ".e"});
    Click();
    for (int i = 0; i < 20; ++i) Key('1');
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    Key('2');
    EXPECT_EQ(W.Captions()[0], "bye");
}

} // namespace
