// Error types. Every error carries the text shown to the reader (UTF-8).
#pragma once
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

// Reading outside a line list.
class EListError : public Exception { using Exception::Exception; };
// A text that is no integer.
class EConvertError : public Exception { using Exception::Exception; };
// A file that cannot be opened for reading.
class EFOpenError : public Exception { using Exception::Exception; };
// A file that cannot be created or written.
class EFCreateError : public Exception { using Exception::Exception; };
// The music device cannot open or play a file.
class EMCIDeviceError : public Exception { using Exception::Exception; };
// A JPEG that cannot be decoded.
class EJPEGException : public Exception { using Exception::Exception; };
// A picture file in a format we cannot read.
class EInvalidGraphic : public Exception { using Exception::Exception; };
// Assigning an object of the wrong class.
class EConvertAssign : public Exception { using Exception::Exception; };

// The reader-facing messages for file errors; the name is given as bytes and
// shown converted from code page 932 when it is not UTF-8.
[[noreturn]] void RaiseFileOpenError(const std::string& path);
[[noreturn]] void RaiseFileCreateError(const std::string& path);
