// Breaking plain text into display lines, measured with a width table that
// approximates the proportional Gothic face of the text lines.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "base/LineList.h"

// Width of one unit in hundredths of a full-width character, and whether the
// unit may not begin a display line.
struct UnitWidth {
    int Width;
    bool NoStart;
};

// A display line is cut as soon as its width reaches this.
constexpr int kBreakLimit = 1950;

// A unit is two bytes taken from a line (one at an odd end, none past it);
// the bytes are compared with the table, never decoded.
UnitWidth MeasureUnit(std::string_view unit);

// Breaks one line and appends its display lines to out (at least one).
void BreakLine(std::string_view line, std::vector<std::string>& out);

// Replaces every line by its display lines, in order. Linear in the text:
// the result is built in a new list, and each input line is released as soon
// as it has been broken so that the two copies never coexist whole.
void BreakTextLines(std::vector<std::string>& lines);
void BreakTextLines(TStringList& lines);

// The display lines of a whole text file's bytes: the same as splitting the
// bytes into lines as a text file is read (CR, LF or CR LF end a line, a last
// line without an end counts, NUL ends the text) and breaking those, but
// without keeping the unbroken lines in memory.
std::vector<std::string> BreakText(std::string_view bytes);
