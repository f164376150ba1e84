// The expansion of scenario shorthands, with padding and the terminator as
// loading applies them.
#include <gtest/gtest.h>

#include "common/Doubles.h"
#include "scenario/Normalize.h"

namespace {

using Lines = std::vector<std::string>;

// The steps of loading after the file has been read, without the working copy.
Lines Normalize(Lines lines)
{
    PadScenarioLines(lines);
    AppendTerminator(lines);
    return ExpandShorthands(std::move(lines));
}

const std::string Space = S("　");
const std::string Open = S("「");
const Lines FadeOut{".n 1", ".t 220", ".n 2", ".t 220", ".n 3", ".t 220", ".n 4", ".t 220", ".n 5"};
const Lines FadeIn{".n 5", ".t 220", ".n 4", ".t 220", ".n 3", ".t 220", ".n 2", ".t 220", ".n 1"};

Lines Cat(std::initializer_list<Lines> parts)
{
    Lines out;
    for (const Lines& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct NormalizeCase {
    const char* name;
    Lines input;
    Lines expected;
};

void PrintTo(const NormalizeCase& c, std::ostream* os) { *os << c.name; }

class NormalizeTest : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeTest, Lines)
{
    EXPECT_EQ(Normalize(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, NormalizeTest,
    ::testing::Values(
        NormalizeCase{"EmptyFile", {}, {"", "", "", ".w", ".e"}},
        NormalizeCase{"TwoLinesPadded", {"T", "a"}, {"T", "a", "", "", "", ".w", ".e"}},
        NormalizeCase{"OwnTerminatorKept", {"T", "a", ".e"}, {"T", "a", ".w", ".e"}},
        NormalizeCase{"ShortestResult", {"T", "// c", ".e"}, {"T", ".w", ".e"}},
        NormalizeCase{"TitleNeverExamined", {".e"}, {".e", "", "", "", ".w", ".e"}},
        NormalizeCase{"TerminatorWithBlank", {"T", "a", ".e "}, {"T", "a", ".w", ".e ", ".w", ".e"}},
        NormalizeCase{"CommentsInARow", {"T", "a", "//1", "//2", "//3", "//", "b", ".e"}, {"T", "a", "b", ".w", ".e"}},
        NormalizeCase{"CommentAsTitle", {"// t", "a", ".e"}, {"// t", "a", ".w", ".e"}},
        NormalizeCase{"FadeOutWithArgument", {"T", ".o 3", ".e"}, Cat({{"T"}, FadeOut, {".w", ".e"}})},
        NormalizeCase{"PageBreakDropsArgument", {"T", "a", ".r xyz", "b", ".e"}, {"T", "a", ".w", ".d", "b", ".w", ".e"}},
        NormalizeCase{"JumpAfterJump", {"T", ".j **a", ".j **b", ".e"},
                      {"T", ".w", ".d", ".j **a", ".w", ".d", ".j **b", ".w", ".e"}},
        NormalizeCase{"ConditionalJump", {"T", "a", ".! 1 **x", ".e"}, {"T", "a", ".w", ".d", ".! 1 **x", ".w", ".e"}},
        NormalizeCase{"NothingBeforeJumpAcrossComment", {"T", ".. nothing", "// c", ".j **a", ".e"},
                      {"T", ".. nothing", ".j **a", ".w", ".e"}},
        NormalizeCase{"NothingWithBlankIsNoExemption", {"T", ".. nothing ", ".j **a", ".e"},
                      {"T", ".. nothing ", ".w", ".d", ".j **a", ".w", ".e"}},
        NormalizeCase{"ParagraphAfterAuthorsWait", {"T", "a", ".w", Open + "b", ".e"}, {"T", "a", ".w", Open + "b", ".w", ".e"}},
        NormalizeCase{"ParagraphAfterLabel", {"T", "**x", Open + "b", ".e"}, {"T", "**x", Open + "b", ".w", ".e"}},
        NormalizeCase{"ParagraphAfterTitle", {"T", Open + "b", ".e"}, {"T", ".w", Open + "b", ".w", ".e"}},
        NormalizeCase{"ParagraphAfterEmptyLine", {"T", "", Open, ".e"}, {"T", "", ".w", Open, ".w", ".e"}},
        NormalizeCase{"ParagraphAfterPageBreak", {"T", "a", ".r", Open + "b", ".e"}, {"T", "a", ".w", ".d", Open + "b", ".w", ".e"}},
        NormalizeCase{"ParagraphAfterFadeIn", {"T", ".i", Open + "b", ".e"}, Cat({{"T"}, FadeIn, {Open + "b", ".w", ".e"}})},
        NormalizeCase{"ParagraphAfterRemovedComment", {"T", "a", "// c", Open + "b", ".e"},
                      {"T", "a", ".w", Open + "b", ".w", ".e"}},
        NormalizeCase{"EveryParagraphHead", {"T", "a", S("『b"), S("【c"), S("（d"), Space + "e", ".e"},
                      {"T", "a", ".w", S("『b"), ".w", S("【c"), ".w", S("（d"), ".w", Space + "e", ".w", ".e"}},
        NormalizeCase{"HalfWidthHeadsAreText", {"T", "a", "(b", " c", ".e"}, {"T", "a", "(b", " c", ".w", ".e"}},
        NormalizeCase{"IndentedTwiceNoWait", {"T", "a", Space + Space + "b", Space + Open, ".e"},
                      {"T", "a", Space + Space + "b", ".w", Space + Open, ".w", ".e"}},
        NormalizeCase{"HeadsAreCaseSensitive", {"T", ".E", ".R", ".O", "//x", "/ /", ".e"}, {"T", ".E", ".R", ".O", "/ /", ".w", ".e"}},
        NormalizeCase{"EndInTheMiddle", {"T", "a", ".e", "b", ".e"}, {"T", "a", ".w", ".e", "b", ".w", ".e"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Normalize, LongMixedExample)
{
    const Lines input{"title",
                      Space + S("語り"),
                      Open + S("台詞」"),
                      Space + Space + S("字下げ"),
                      ".r",
                      "// note",
                      "// note",
                      ".j **a",
                      ".. nothing",
                      ".j **b",
                      ".o",
                      "**a",
                      Open + S("台詞」"),
                      ".i",
                      ".e"};
    const Lines expected = Cat({{"title", ".w", Space + S("語り"), ".w", Open + S("台詞」"), Space + Space + S("字下げ"),
                                 ".w", ".d", ".w", ".d", ".j **a", ".. nothing", ".j **b"},
                                FadeOut,
                                {"**a", Open + S("台詞」")},
                                FadeIn,
                                {".w", ".e"}});
    EXPECT_EQ(Normalize(input), expected);
}

TEST(Normalize, GuaranteesHoldForAnyInput)
{
    // Whatever the lines, the interpreter gets a title, a final ".w" ".e",
    // no shorthand left, and a wait or ".. nothing" before every jump.
    const Lines pieces{"", "a", ".e", ".e ", ".r", ".o", ".i", "//", ".j x", ".! x", ".. nothing", ".w", Open, "**"};
    for (size_t seed = 0; seed < 400; ++seed) {
        Lines in;
        size_t x = seed * 2654435761u + 1;
        for (size_t n = seed % 9; n > 0; --n) {
            x = x * 6364136223846793005ull + 1442695040888963407ull;
            in.push_back(pieces[(x >> 33) % pieces.size()]);
        }
        Lines out = Normalize(in);
        ASSERT_GE(out.size(), 3u);
        ASSERT_EQ(out.back(), ".e");
        ASSERT_EQ(out[out.size() - 2], ".w");
        for (size_t i = 1; i < out.size(); ++i) {
            const std::string head = out[i].substr(0, 2);
            EXPECT_TRUE(head != "//" && head != ".r" && head != ".o" && head != ".i") << seed;
            if (head == ".e") {
                EXPECT_EQ(out[i - 1], ".w") << seed;
            }
            if (head == ".j" || head == ".!") {
                EXPECT_TRUE(out[i - 1] == ".. nothing" || (i >= 3 && out[i - 1] == ".d" && out[i - 2] == ".w")) << seed;
            }
        }
    }
}

TEST(Normalize, PlainTextNamesAreExact)
{
    EXPECT_TRUE(IsPlainTextFileName("/a/b.txt"));
    EXPECT_TRUE(IsPlainTextFileName("b.TXT"));
    EXPECT_FALSE(IsPlainTextFileName("b.Txt"));
    EXPECT_FALSE(IsPlainTextFileName("b.snr"));
    EXPECT_FALSE(IsPlainTextFileName("b.txt/c"));
    EXPECT_FALSE(IsPlainTextFileName("b.txt.bak"));
}

} // namespace
