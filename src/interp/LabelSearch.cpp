#include "interp/LabelSearch.h"

int FindLabel(const TStringList& lines, const std::string& name, int cursor)
{
    const std::string target = "**" + name;
    const auto& v = lines.Lines();
    const int n = static_cast<int>(v.size());
    int start = cursor < 0 ? 0 : cursor;
    for (int i = start; i <= n - 2; ++i)
        if (v[static_cast<size_t>(i)] == target) return i;
    // Written so that no cursor, however far outside the list a hand-edited
    // bookmark put it, makes the bound overflow.
    for (int i = 0; i <= n - 2 && i + 2 <= cursor; ++i)
        if (v[static_cast<size_t>(i)] == target) return i;
    return -1;
}
