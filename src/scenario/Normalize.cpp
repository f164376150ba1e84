#include "scenario/Normalize.h"

#include <string_view>

#include "base/Paths.h"

namespace {

bool HeadIs(std::string_view line, std::string_view head)
{
    return line.substr(0, 2) == head;
}

bool IsParagraphHead(std::string_view line)
{
    // 「 『 【 （ and the ideographic space, full width only.
    static const std::string_view heads[] = {"\x81\x75", "\x81\x77", "\x81\x79", "\x81\x69", "\x81\x40"};
    for (std::string_view h : heads)
        if (HeadIs(line, h)) return true;
    return false;
}

const char* const kFadeOut[] = {".n 1", ".t 220", ".n 2", ".t 220", ".n 3", ".t 220", ".n 4", ".t 220", ".n 5"};
const char* const kFadeIn[] = {".n 5", ".t 220", ".n 4", ".t 220", ".n 3", ".t 220", ".n 2", ".t 220", ".n 1"};

} // namespace

bool IsPlainTextFileName(const std::string& path)
{
    std::string ext = ExtractFileExt(path);
    return ext == ".txt" || ext == ".TXT";
}

void PadScenarioLines(std::vector<std::string>& lines)
{
    if (lines.size() < 3) lines.resize(lines.size() + 3);
}

void AppendTerminator(std::vector<std::string>& lines)
{
    if (lines.empty() || lines.back() != ".e") lines.emplace_back(".e");
}

std::vector<std::string> ExpandShorthands(std::vector<std::string> lines)
{
    std::vector<std::string> out;
    if (lines.empty()) return out;
    out.reserve(lines.size() + lines.size() / 2 + 2);
    out.push_back(std::move(lines[0]));
    // out always ends with the line just before the one examined, as the list
    // would read at that moment with the earlier rules applied.
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string& line = lines[i];
        const std::string& prev = out.back();
        if (HeadIs(line, "//")) {
            // dropped
        } else if (HeadIs(line, ".j") || HeadIs(line, ".!")) {
            if (prev != ".. nothing") {
                out.emplace_back(".w");
                out.emplace_back(".d");
            }
            out.push_back(std::move(line));
        } else if (HeadIs(line, ".r")) {
            out.emplace_back(".w");
            out.emplace_back(".d");
        } else if (HeadIs(line, ".e")) {
            out.emplace_back(".w");
            out.push_back(std::move(line));
        } else if (HeadIs(line, ".o")) {
            for (const char* l : kFadeOut) out.emplace_back(l);
        } else if (HeadIs(line, ".i")) {
            for (const char* l : kFadeIn) out.emplace_back(l);
        } else if (IsParagraphHead(line)) {
            const bool indented = line.compare(0, 4, "\x81\x40\x81\x40") == 0;
            if (!indented && (prev.empty() || prev[0] != '.') && !HeadIs(prev, "**")) out.emplace_back(".w");
            out.push_back(std::move(line));
        } else {
            out.push_back(std::move(line));
        }
        std::string().swap(line);
    }
    return out;
}
