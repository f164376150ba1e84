#include "base/Paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include "base/Sjis.h"

std::string ExtractFilePath(const std::string& path)
{
    size_t p = path.rfind('/');
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string ExtractFileName(const std::string& path)
{
    size_t p = path.rfind('/');
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string ExtractFileExt(const std::string& path)
{
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext)
{
    std::string old = ExtractFileExt(path);
    return path.substr(0, path.size() - old.size()) + ext;
}

std::string LowerAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

namespace {

bool Exists(const std::string& p)
{
    struct stat st{};
    return ::stat(p.c_str(), &st) == 0;
}

// One part of a path inside the folder dir (which exists): the part as it is,
// converted from code page 932, or matched ignoring ASCII letter case.
std::string FindPart(const std::string& dir, const std::string& part)
{
    if (Exists(dir + part)) return part;
    std::string utf8 = SjisToUtf8(part);
    if (utf8 != part && Exists(dir + utf8)) return utf8;
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return {};
    std::string want1 = LowerAscii(part), want2 = LowerAscii(utf8), found;
    while (dirent* e = ::readdir(d)) {
        std::string name = LowerAscii(e->d_name);
        if (name == want1 || name == want2) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

std::string ResolveScenarioFile(const std::string& path)
{
    if (path.empty() || Exists(path)) return path;
    std::string dir;
    size_t pos = 0;
    if (path[0] == '/') {
        dir = "/";
        pos = 1;
    }
    while (pos <= path.size()) {
        size_t slash = path.find('/', pos);
        std::string part = path.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        if (!part.empty()) {
            std::string found = FindPart(dir, part);
            if (found.empty()) return path;
            dir += found;
        }
        if (slash == std::string::npos) break;
        dir += '/';
        pos = slash + 1;
    }
    return dir;
}
