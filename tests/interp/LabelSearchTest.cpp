// The label search: nearest at or after the cursor, then from the top.
#include <gtest/gtest.h>

#include "interp/LabelSearch.h"

namespace {

struct SearchCase {
    const char* why;
    std::vector<std::string> lines;
    const char* name;
    int cursor;
    int found;
};

class LabelSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(LabelSearchTest, FindsTheNearestFollowingLabel)
{
    const SearchCase& c = GetParam();
    EXPECT_EQ(FindLabel(TStringList(c.lines), c.name, c.cursor), c.found) << c.why;
}

const std::vector<std::string> kLines = {"**A", "**B", "x", "**B", "**C", "**D"};

INSTANTIATE_TEST_SUITE_P(
    Order, LabelSearchTest,
    ::testing::Values(
        SearchCase{"a duplicate below wins over one above", kLines, "B", 2, 3},
        SearchCase{"the cursor's own line is examined", kLines, "B", 3, 3},
        SearchCase{"with none below, the search starts again from the top", kLines, "B", 4, 1},
        SearchCase{"from line 0 every line but the last", kLines, "B", 0, 1},
        SearchCase{"the last line is never examined", kLines, "D", 0, -1},
        SearchCase{"nor the line just before the cursor", kLines, "C", 5, -1},
        SearchCase{"the line before the cursor is found through a duplicate", {"T", "**C", "x", "**C", ".j C", ".e"}, "C",
                   4, 1},
        SearchCase{"from line 1 the title line is the line before the cursor", kLines, "A", 1, -1},
        SearchCase{"the title line is reached from further down", kLines, "A", 2, 0},
        SearchCase{"a trailing blank makes a different name", kLines, "B ", 0, -1},
        SearchCase{"letter case makes a different name", kLines, "b", 0, -1},
        SearchCase{"an empty name matches a bare **", {"T", "x", "**", ".e"}, "", 1, 2},
        SearchCase{"a cursor past the end searches from the top", kLines, "B", 100, 1},
        SearchCase{"a negative cursor searches from the top", kLines, "B", -3, 1},
        SearchCase{"an empty list has no label", {}, "B", 0, -1},
        SearchCase{"a list of one line has none to examine", {"**B"}, "B", 0, -1},
        SearchCase{"a label needs the whole line", {"T", "**Bx", "x**B", ".e"}, "B", 0, -1}));

} // namespace
