#include "interp/LabelSearch.h"

int FindLabel(const TStringList& lines, const std::string& name, int cursor)
{
    const std::string target = "**" + name;
    const auto& v = lines.Lines();
    const int n = static_cast<int>(v.size());
    int start = cursor < 0 ? 0 : cursor;
    for (int i = start; i <= n - 2; ++i)
        if (v[static_cast<size_t>(i)] == target) return i;
    for (int i = 0; i <= cursor - 2 && i <= n - 2; ++i)
        if (v[static_cast<size_t>(i)] == target) return i;
    return -1;
}
