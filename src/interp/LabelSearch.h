// The label search behind every jump.
#pragma once
#include <string>

#include "base/LineList.h"

// Index of the line equal to "**" + name, searching from cursor to the
// second-to-last line, then from line 0 to two lines before the cursor; each
// line at most once. -1 when none matches.
int FindLabel(const TStringList& lines, const std::string& name, int cursor);
