// Reading scenario lines by byte positions.
#pragma once
#include <string>

// The head of a line: its first two bytes, or the whole line when shorter.
inline std::string LineHead(const std::string& line)
{
    return line.substr(0, 2);
}

// What a command or target line says from byte 4 on, at most 50 bytes.
inline std::string LineArgument(const std::string& line)
{
    return line.size() > 3 ? line.substr(3, 50) : std::string();
}

// count bytes of text from the 1-based byte position; fewer (or none) where
// the text ends first.
inline std::string ArgBytes(const std::string& text, size_t position, size_t count)
{
    if (position < 1 || position > text.size()) return std::string();
    return text.substr(position - 1, count);
}
