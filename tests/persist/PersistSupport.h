// Helpers shared by the persistence tests.
#pragma once
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/LineList.h"

using Lines = std::vector<std::string>;

inline std::string Join(const Lines& lines)
{
    return TStringList(lines).GetText();
}

inline Lines FileLines(const std::string& path)
{
    TStringList l;
    l.LoadFromFile(path);
    return l.Lines();
}

// File permissions do not bind the superuser: while this lives, a test that
// runs as root acts as an ordinary user, so read-only files and folders stop
// it as they stop a reader. The real user changes too, as access() asks for
// it; the saved one stays root so that the test can come back.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : switched_(::geteuid() == 0 && ::setresuid(65534, 65534, 0) == 0) {}
    ~AsOrdinaryUser()
    {
        if (switched_ && ::setresuid(0, 0, 0) != 0) std::abort();
    }
    bool Ok() const { return ::geteuid() != 0 && ::getuid() != 0; }

private:
    bool switched_;
};
