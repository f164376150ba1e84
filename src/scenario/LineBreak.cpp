#include "scenario/LineBreak.h"

namespace {

constexpr unsigned Pair(unsigned char a, unsigned char b)
{
    return (static_cast<unsigned>(a) << 8) | b;
}

} // namespace

UnitWidth MeasureUnit(std::string_view unit)
{
    if (unit.size() == 1) return {unit[0] == '\t' ? 400 : 100, false};
    if (unit.size() != 2) return {100, false};
    switch (Pair(static_cast<unsigned char>(unit[0]), static_cast<unsigned char>(unit[1]))) {
    // 。、 and the ideographic space
    case 0x8142: case 0x8141: case 0x8140:
        return {70, true};
    // 」・』）】”゛
    case 0x8176: case 0x8145: case 0x8178: case 0x816A: case 0x817A: case 0x8168: case 0x814A:
        return {55, true};
    // small kana, 々 and 〃
    case 0x82E1: case 0x82E3: case 0x82E5: case 0x829F: case 0x82A1: case 0x82A3: case 0x82A5: case 0x82A7:
    case 0x8383: case 0x8385: case 0x8387: case 0x8340: case 0x8342: case 0x8344: case 0x8346: case 0x8348:
    case 0x82C1: case 0x8362: case 0x8158: case 0x8156:
        return {78, true};
    // ！？☆…～
    case 0x8149: case 0x8148: case 0x8199: case 0x8163: case 0x8160:
        return {105, true};
    // 【『「（ may begin a line
    case 0x8179: case 0x8177: case 0x8175: case 0x8169:
        return {55, false};
    // トりリ are narrow in the face
    case 0x8367: case 0x82E8: case 0x838A:
        return {70, false};
    default:
        return {100, false};
    }
}

void BreakLine(std::string_view line, std::vector<std::string>& out)
{
    const size_t n = line.size();
    auto unitAt = [&](size_t pos) { return pos < n ? line.substr(pos, 2) : std::string_view(); };
    size_t pos = 0;
    for (;;) {
        const size_t start = pos;
        int width = 0;
        bool finished = false;
        while (width < kBreakLimit) {
            std::string_view unit = unitAt(pos);
            if (unit.empty()) {
                finished = true;
                break;
            }
            width += MeasureUnit(unit).Width;
            pos += unit.size();
        }
        if (!finished) {
            // Up to two closing marks hang past the limit rather than begin the next line.
            std::string_view first = unitAt(pos);
            if (!first.empty() && MeasureUnit(first).NoStart) {
                pos += first.size();
                std::string_view second = unitAt(pos);
                UnitWidth w = MeasureUnit(second);
                if (!second.empty() && w.NoStart && w.Width <= 70) pos += second.size();
            }
            if (pos >= n) finished = true;
        }
        out.emplace_back(line.substr(start, pos - start));
        if (finished) return;
    }
}

void BreakTextLines(std::vector<std::string>& lines)
{
    std::vector<std::string> result;
    result.reserve(lines.size() + lines.size() / 4);
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
