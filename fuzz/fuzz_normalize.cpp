// Normalisation and line breaking of arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/LineList.h"
#include "scenario/LineBreak.h"
#include "scenario/Normalize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const bool plainText = data[0] & 1;
    TStringList list;
    list.SetText(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    std::vector<std::string> lines = std::move(list.Lines());
    if (plainText) {
        const size_t before = lines.size();
        BreakTextLines(lines);
        if (lines.size() < before) __builtin_trap();
        for (const auto& l : lines) {
            int width = 0;
            for (size_t i = 0; i < l.size(); i += 2) width += MeasureUnit(std::string_view(l).substr(i, 2)).Width;
            // A display line holds the limit plus at most two hanging units.
            if (width > kBreakLimit + 400 + 2 * 105) __builtin_trap();
        }
    }
    PadScenarioLines(lines);
    AppendTerminator(lines);
    lines = ExpandShorthands(std::move(lines));
    // What the interpreter relies on.
    if (lines.size() < 3 || lines.back() != ".e" || lines[lines.size() - 2] != ".w") __builtin_trap();
    return 0;
}
