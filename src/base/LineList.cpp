#include "base/LineList.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/Errors.h"

namespace {

[[noreturn]] void RaiseIndex(int index)
{
    throw EListError("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (" + std::to_string(index) + ")");
}

} // namespace

const std::string& TStringList::Get(int index) const
{
    if (index < 0 || index >= Count()) RaiseIndex(index);
    return lines_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, std::string value)
{
    if (index < 0 || index >= Count()) RaiseIndex(index);
    lines_[static_cast<size_t>(index)] = std::move(value);
}

void TStringList::Insert(int index, std::string value)
{
    if (index < 0 || index > Count()) RaiseIndex(index);
    lines_.insert(lines_.begin() + index, std::move(value));
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count()) RaiseIndex(index);
    lines_.erase(lines_.begin() + index);
}

int TStringList::IndexOf(const std::string& value) const
{
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i] == value) return static_cast<int>(i);
    return -1;
}

void TStringList::SetText(const std::string& bytes)
{
    lines_.clear();
    size_t end = bytes.find('\0');
    if (end == std::string::npos) end = bytes.size();
    size_t start = 0;
    while (start < end) {
        size_t i = start;
        while (i < end && bytes[i] != '\r' && bytes[i] != '\n') ++i;
        lines_.emplace_back(bytes, start, i - start);
        if (i < end) i += (bytes[i] == '\r' && i + 1 < end && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
}

std::string TStringList::GetText() const
{
    size_t total = 0;
    for (const auto& l : lines_) total += l.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& l : lines_) {
        out += l;
        out += "\r\n";
    }
    return out;
}

void TStringList::LoadFromFile(const std::string& path)
{
    SetText(ReadFileBytes(path));
}

void TStringList::SaveToFile(const std::string& path) const
{
    WriteFileAtomically(path, GetText());
}

std::string ReadFileBytes(const std::string& path)
{
    // Only a plain file is read. A scenario package can hold a named pipe,
    // whose opening would wait for a writer that never comes (hence no
    // blocking open), or a link to a device such as /dev/zero, which never
    // ends.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) RaiseFileOpenError(path);
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        RaiseFileOpenError(path);
    }
    std::string data;
    if (S_ISREG(st.st_mode) && st.st_size > 0) data.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            RaiseFileOpenError(path);
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

void WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    struct stat st{};
    bool existed = ::stat(path.c_str(), &st) == 0;
    // A file without write permission is read-only, for root too.
    if (existed && (S_ISDIR(st.st_mode) || (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
        RaiseFileCreateError(path);
    std::string tmp = path + ".tmp-" + std::to_string(::getpid());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, existed ? (st.st_mode & 07777) : 0666);
    if (fd < 0) RaiseFileCreateError(path);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            ::unlink(tmp.c_str());
            RaiseFileCreateError(path);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        ::unlink(tmp.c_str());
        RaiseFileCreateError(path);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        ::unlink(tmp.c_str());
        RaiseFileCreateError(path);
    }
}

bool IsRegularFile(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FileExists(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}
