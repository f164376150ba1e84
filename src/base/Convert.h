// Integer conversion with the rules scenario and save files were written for.
#pragma once
#include <optional>
#include <string>

// Leading blanks, an optional sign, decimal digits or "$"/"0x" hexadecimal.
// Any other character, a trailing blank included, raises EConvertError with
// the message "'<text>' は整数ではありません".
int StrToInt(const std::string& text);
// The same rules, without raising.
std::optional<int> TryStrToInt(const std::string& text);
std::string IntToStr(int value);
