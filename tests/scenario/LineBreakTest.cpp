// The line breaker and its width table.
#include <gtest/gtest.h>

#include "common/Doubles.h"
#include "scenario/LineBreak.h"

namespace {

std::string Rep(const std::string& unit, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i) s += unit;
    return s;
}

const std::string A = S("あ");  // an ordinary full-width character, width 100

struct MeasureCase {
    std::string unit;
    int width;
    bool noStart;
};

void PrintTo(const MeasureCase& c, std::ostream* os)
{
    *os << "unit";
    for (unsigned char b : c.unit) *os << ' ' << std::hex << static_cast<int>(b);
}

class MeasureUnitTest : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(MeasureUnitTest, WidthAndNoStart)
{
    const MeasureCase& c = GetParam();
    UnitWidth w = MeasureUnit(c.unit);
    EXPECT_EQ(w.Width, c.width);
    EXPECT_EQ(w.NoStart, c.noStart);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MeasureUnitTest,
    ::testing::Values(MeasureCase{S("。"), 70, true}, MeasureCase{S("　"), 70, true},
                      MeasureCase{S("」"), 55, true}, MeasureCase{S("゛"), 55, true},
                      MeasureCase{S("ッ"), 78, true}, MeasureCase{S("〃"), 78, true},
                      MeasureCase{S("！"), 105, true}, MeasureCase{S("～"), 105, true},
                      MeasureCase{S("「"), 55, false}, MeasureCase{S("（"), 55, false},
                      MeasureCase{S("ト"), 70, false}, MeasureCase{S("り"), 70, false},
                      MeasureCase{"\t", 400, false},
                      // a TAB paired with a neighbour, lookalike codes, the empty unit
                      MeasureCase{"a\t", 100, false}, MeasureCase{"\t\t", 100, false},
                      MeasureCase{A, 100, false}, MeasureCase{"\x81\x43", 100, false},
                      MeasureCase{"\x42\x81", 100, false}, MeasureCase{"ab", 100, false},
                      MeasureCase{"a", 100, false}, MeasureCase{"", 100, false}));

struct BreakCase {
    const char* name;
    std::string line;
    std::vector<std::string> expected;
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

class BreakLineTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(BreakLineTest, DisplayLines)
{
    std::vector<std::string> lines{GetParam().line};
    BreakTextLines(lines);
    EXPECT_EQ(lines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, BreakLineTest,
    ::testing::Values(
        BreakCase{"Empty", "", {""}},
        BreakCase{"Twenty", Rep(A, 20), {Rep(A, 20)}},
        BreakCase{"TwentyOne", Rep(A, 21), {Rep(A, 20), A}},
        BreakCase{"Hundred", Rep(A, 100), {Rep(A, 20), Rep(A, 20), Rep(A, 20), Rep(A, 20), Rep(A, 20)}},
        BreakCase{"TwoMarksHang", Rep(A, 20) + S("。」"), {Rep(A, 20) + S("。」")}},
        BreakCase{"ThirdMarkBegins", Rep(A, 20) + S("。。。"), {Rep(A, 20) + S("。。"), S("。")}},
        BreakCase{"WideFirstNarrowSecond", Rep(A, 20) + S("！」"), {Rep(A, 20) + S("！」")}},
        BreakCase{"WideSecondBegins", Rep(A, 20) + S("」！"), {Rep(A, 20) + S("」"), S("！")}},
        BreakCase{"SmallKanaSecondBegins", Rep(A, 20) + S("。ッ"), {Rep(A, 20) + S("。"), S("ッ")}},
        BreakCase{"SmallKanaHangsFirst", Rep(A, 20) + S("ッ"), {Rep(A, 20) + S("ッ")}},
        BreakCase{"OpeningBracketBegins", Rep(A, 20) + S("「"), {Rep(A, 20), S("「")}},
        BreakCase{"OpeningBracketEnds", Rep(A, 19) + S("「") + A, {Rep(A, 19) + S("「"), A}},
        BreakCase{"MarkPastLimit", Rep(A, 19) + S("。") + A, {Rep(A, 19) + S("。"), A}},
        BreakCase{"ClosingMarksOnly", Rep(S("」"), 40), {Rep(S("」"), 38), Rep(S("」"), 2)}},
        BreakCase{"AsciiPairs", Rep("x", 41), {Rep("x", 40), "x"}},
        // One half-width byte in front shifts every pair by a byte: the break
        // falls between the two bytes of the last full-width character.
        BreakCase{"HalfWidthSplitsCharacter", "a" + Rep(A, 20), {"a" + Rep(A, 19) + "\x82", "\xA0"}},
        BreakCase{"NarrowLettersFitMore", Rep(S("リ"), 29), {Rep(S("リ"), 28), S("リ")}},
        BreakCase{"TabAtOddEnd", Rep(A, 19) + "\t", {Rep(A, 19) + "\t"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BreakTextLines, KeepsOrderAndPutsContinuationsAfterTheirLine)
{
    std::vector<std::string> lines{"title", Rep(A, 41), "", ".w"};
    BreakTextLines(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"title", Rep(A, 20), Rep(A, 20), A, "", ".w"}));
}

TEST(BreakTextLines, WorksOnALineList)
{
    TStringList list({Rep(A, 21)});
    BreakTextLines(list);
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{Rep(A, 20), A}));
}

TEST(BreakText, SameAsSplittingThenBreaking)
{
    const std::string longLine = Rep(A, 45) + S("。」") + "abc";
    for (const std::string& bytes :
         {std::string(), std::string("a"), std::string("\n"), std::string("\r\n"), std::string("a\r\nb"),
          std::string("a\rb\nc\r\n"), std::string("a\n\n"), std::string("a\r\r\nb"), std::string("x\0y\nz", 5),
          std::string("\0a", 2), longLine + "\r\n" + longLine + "\r" + longLine, "t\n\n" + longLine + "\n"}) {
        TStringList split;
        split.SetText(bytes);
        BreakTextLines(split);
        EXPECT_EQ(BreakText(bytes), split.Lines()) << bytes;
    }
}

} // namespace
