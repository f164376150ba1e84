// An ordered list of byte-string lines, read from and written to text files.
#pragma once
#include <string>
#include <vector>

class TStringList {
public:
    TStringList() = default;
    explicit TStringList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    int Count() const { return static_cast<int>(lines_.size()); }
    // Checked access: an index outside the list raises EListError.
    const std::string& Get(int index) const;
    void Put(int index, std::string value);
    void Clear() { lines_.clear(); }
    void Add(std::string value) { lines_.push_back(std::move(value)); }
    void Insert(int index, std::string value);
    void Delete(int index);
    // Index of the first line equal to value, or -1.
    int IndexOf(const std::string& value) const;

    // Splits bytes into lines: CR, LF and CR LF end a line, a last line without
    // an end counts, and a NUL byte ends the text.
    void SetText(const std::string& bytes);
    // Every line followed by CR LF; an empty list gives no bytes.
    std::string GetText() const;

    // Reads a whole file; raises EFOpenError with the file's name when it cannot.
    void LoadFromFile(const std::string& path);
    // Replaces the file whole: the text goes to a new file beside it, which then
    // takes the old one's place, so a failed write never cuts the file that was
    // there. Raises EFCreateError with the file's name when it cannot.
    void SaveToFile(const std::string& path) const;

    const std::vector<std::string>& Lines() const { return lines_; }
    std::vector<std::string>& Lines() { return lines_; }
    bool operator==(const TStringList& other) const { return lines_ == other.lines_; }

private:
    std::vector<std::string> lines_;
};

// Reads a whole file into bytes; raises EFOpenError when it cannot, and for
// anything but a plain file (a folder, a pipe, a device).
std::string ReadFileBytes(const std::string& path);
// Writes bytes to a file atomically (see SaveToFile); raises EFCreateError.
void WriteFileAtomically(const std::string& path, const std::string& bytes);
// A regular file (or a link to one) exists at path.
bool FileExists(const std::string& path);
// A plain file (or a link to one) is at path: no folder, pipe or device.
bool IsRegularFile(const std::string& path);
