#include "scenario/LineBreak.h"

#include <algorithm>

namespace {

constexpr unsigned Pair(unsigned char a, unsigned char b)
{
    return (static_cast<unsigned>(a) << 8) | b;
}

// Width classes of the table; 0 is an ordinary unit.
constexpr UnitWidth kClasses[] = {{100, false}, {70, true}, {55, true}, {78, true}, {105, true}, {55, false}, {70, false}};

struct ClassEntry {
    unsigned pair;
    unsigned char cls;
};

constexpr ClassEntry kEntries[] = {
    // 。、 and the ideographic space
    {0x8142, 1}, {0x8141, 1}, {0x8140, 1},
    // 」・』）】”゛
    {0x8176, 2}, {0x8145, 2}, {0x8178, 2}, {0x816A, 2}, {0x817A, 2}, {0x8168, 2}, {0x814A, 2},
    // small kana, 々 and 〃
    {0x82E1, 3}, {0x82E3, 3}, {0x82E5, 3}, {0x829F, 3}, {0x82A1, 3}, {0x82A3, 3}, {0x82A5, 3},
    {0x82A7, 3}, {0x8383, 3}, {0x8385, 3}, {0x8387, 3}, {0x8340, 3}, {0x8342, 3}, {0x8344, 3},
    {0x8346, 3}, {0x8348, 3}, {0x82C1, 3}, {0x8362, 3}, {0x8158, 3}, {0x8156, 3},
    // ！？☆…～
    {0x8149, 4}, {0x8148, 4}, {0x8199, 4}, {0x8163, 4}, {0x8160, 4},
    // 【『「（ may begin a line
    {0x8179, 5}, {0x8177, 5}, {0x8175, 5}, {0x8169, 5},
    // トりリ are narrow in the face
    {0x8367, 6}, {0x82E8, 6}, {0x838A, 6},
};

// Every two-byte unit's class, looked up once per unit while breaking.
struct ClassTable {
    unsigned char cls[65536] = {};
    constexpr ClassTable()
    {
        for (const ClassEntry& e : kEntries) cls[e.pair] = e.cls;
    }
};

constexpr ClassTable kTable;

inline UnitWidth Measure(const char* p, size_t size)
{
    if (size >= 2) return kClasses[kTable.cls[Pair(static_cast<unsigned char>(p[0]), static_cast<unsigned char>(p[1]))]];
    if (size == 1 && p[0] == '\t') return {400, false};
    return {100, false};
}

} // namespace

UnitWidth MeasureUnit(std::string_view unit)
{
    if (unit.size() > 2) return {100, false};
    return Measure(unit.data(), unit.size());
}

void BreakLine(std::string_view line, std::vector<std::string>& out)
{
    const size_t n = line.size();
    const char* p = line.data();
    // The unit at pos: two bytes, one at an odd end, none past the end.
    auto sizeAt = [&](size_t pos) { return pos < n ? (n - pos >= 2 ? size_t{2} : size_t{1}) : size_t{0}; };
    size_t pos = 0;
    for (;;) {
        const size_t start = pos;
        int width = 0;
        bool finished = false;
        while (width < kBreakLimit) {
            const size_t size = sizeAt(pos);
            if (size == 0) {
                finished = true;
                break;
            }
            width += Measure(p + pos, size).Width;
            pos += size;
        }
        if (!finished) {
            // Up to two closing marks hang past the limit rather than begin the next line.
            const size_t first = sizeAt(pos);
            if (first != 0 && Measure(p + pos, first).NoStart) {
                pos += first;
                const size_t second = sizeAt(pos);
                const UnitWidth w = Measure(p + pos, second);
                if (second != 0 && w.NoStart && w.Width <= 70) pos += second;
            }
            if (pos >= n) finished = true;
        }
        out.emplace_back(line.substr(start, pos - start));
        if (finished) return;
    }
}

void BreakTextLines(std::vector<std::string>& lines)
{
    size_t bytes = 0;
    for (const std::string& line : lines) bytes += line.size();
    std::vector<std::string> result;
    // Display lines of prose hold about 40 bytes.
    result.reserve(lines.size() + bytes / 40);
    for (std::string& line : lines) {
        BreakLine(line, result);
        std::string().swap(line);
    }
    lines.swap(result);
}

void BreakTextLines(TStringList& lines)
{
    BreakTextLines(lines.Lines());
}

std::vector<std::string> BreakText(std::string_view bytes)
{
    const size_t end = std::min(bytes.find('\0'), bytes.size());
    std::vector<std::string> result;
    // Display lines hold up to about 40 bytes; room that is never used costs
    // address space only, while running short would copy the whole list.
    result.reserve(end / 24 + 16);
    size_t start = 0;
    while (start < end) {
        size_t i = start;
        while (i < end && bytes[i] != '\r' && bytes[i] != '\n') ++i;
        BreakLine(bytes.substr(start, i - start), result);
        if (i < end) i += (bytes[i] == '\r' && i + 1 < end && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    return result;
}
