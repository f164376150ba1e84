// Code page 932 (Shift-JIS) at the edges: drawing, titles, messages, file names.
#pragma once
#include <QString>
#include <string>

// Converts Shift-JIS bytes to UTF-8. Bytes that are no character are stepped
// over one by one (shown as U+FFFD), so any input converts.
std::string SjisToUtf8(const std::string& bytes);
QString SjisToQString(const std::string& bytes);
// Converts UTF-8 text to Shift-JIS; characters without a code are dropped.
std::string Utf8ToSjis(const std::string& utf8);
std::string QStringToSjis(const QString& text);
// A path or name as the reader should see it: UTF-8 when it is valid UTF-8
// (names on this system), else converted from code page 932.
QString DisplayName(const std::string& bytes);
bool IsValidUtf8(const std::string& bytes);
