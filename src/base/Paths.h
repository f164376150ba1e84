// File-name parts. "/" separates folders; the extension is the part from the
// last "." after the last "/", the dot included, or empty.
#pragma once
#include <string>

std::string ExtractFilePath(const std::string& path);   // folder with its trailing "/"
std::string ExtractFileName(const std::string& path);
std::string ExtractFileExt(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& ext);
std::string LowerAscii(std::string s);

// Finds the file a scenario means: the name byte for byte first; when no such
// file exists, each missing part of the path converted from code page 932 to
// UTF-8, then a part matching it without regard to letter case. Returns the
// path unchanged when nothing matches, so the caller's error names it.
std::string ResolveScenarioFile(const std::string& path);
