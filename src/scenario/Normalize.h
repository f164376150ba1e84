// Rewriting a scenario's conveniences into the lines the interpreter runs:
// waits before paragraphs, jumps and the end, page breaks, fades, comments.
#pragma once
#include <string>
#include <vector>

// ".txt" or ".TXT" exactly: a plain text, broken into display lines.
bool IsPlainTextFileName(const std::string& path);

// A list of fewer than three lines gets three empty lines more, so that a
// scenario always has a title and something to run.
void PadScenarioLines(std::vector<std::string>& lines);

// Appends ".e" unless the last line is exactly ".e".
void AppendTerminator(std::vector<std::string>& lines);

// Applies the expansion rules to every line from index 1 on (line 0 is the
// title and stays as it is). Lines a rule puts in are not looked at again.
// Linear: the result is a new list that the lines are moved into.
std::vector<std::string> ExpandShorthands(std::vector<std::string> lines);
