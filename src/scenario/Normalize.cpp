#include "scenario/Normalize.h"

#include "base/Paths.h"

namespace {

// Every head the rules test is two bytes long.
bool HeadIs(const std::string& line, char first, char second)
{
    return line.size() >= 2 && line[0] == first && line[1] == second;
}

bool IsParagraphHead(const std::string& line)
{
    // 「 『 【 （ and the ideographic space, full width only.
    if (line.size() < 2 || line[0] != '\x81') return false;
    const char c = line[1];
    return c == '\x75' || c == '\x77' || c == '\x79' || c == '\x69' || c == '\x40';
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
    out.reserve(lines.size() + lines.size() / 4 + 16);
    out.push_back(std::move(lines[0]));
    // out always ends with the line just before the one examined, as the list
    // would read at that moment with the earlier rules applied.
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string& line = lines[i];
        const std::string& prev = out.back();
        if (HeadIs(line, '/', '/')) {
            // dropped
        } else if (HeadIs(line, '.', 'j') || HeadIs(line, '.', '!')) {
            if (prev != ".. nothing") {
                out.emplace_back(".w");
                out.emplace_back(".d");
            }
            out.push_back(std::move(line));
        } else if (HeadIs(line, '.', 'r')) {
            out.emplace_back(".w");
            out.emplace_back(".d");
        } else if (HeadIs(line, '.', 'e')) {
            out.emplace_back(".w");
            out.push_back(std::move(line));
        } else if (HeadIs(line, '.', 'o')) {
            for (const char* l : kFadeOut) out.emplace_back(l);
        } else if (HeadIs(line, '.', 'i')) {
            for (const char* l : kFadeIn) out.emplace_back(l);
        } else if (IsParagraphHead(line)) {
            const bool indented = line.compare(0, 4, "\x81\x40\x81\x40") == 0;
            if (!indented && (prev.empty() || prev[0] != '.') && !HeadIs(prev, '*', '*')) out.emplace_back(".w");
            out.push_back(std::move(line));
        } else {
            out.push_back(std::move(line));
        }
        std::string().swap(line);
    }
    return out;
}
