#include "base/Sjis.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace {

std::string Convert(const char* to, const char* from, const std::string& in, const char* replacement)
{
    std::string out;
    if (in.empty()) return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return in;
    out.reserve(in.size() * 3 / 2 + 8);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[4096];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, dst - buf);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (a lone lead byte at the end): step over one byte.
            out += replacement;
            ++src;
            --srcLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, dst - buf);
    iconv_close(cd);
    return out;
}

} // namespace

std::string SjisToUtf8(const std::string& bytes)
{
    return Convert("UTF-8", "CP932", bytes, "\xEF\xBF\xBD");
}

QString SjisToQString(const std::string& bytes)
{
    return QString::fromUtf8(SjisToUtf8(bytes));
}

std::string Utf8ToSjis(const std::string& utf8)
{
    return Convert("CP932", "UTF-8", utf8, "");
}

std::string QStringToSjis(const QString& text)
{
    return Utf8ToSjis(text.toStdString());
}

bool IsValidUtf8(const std::string& s)
{
    size_t i = 0, n = s.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len;
        if (c < 0x80) len = 1;
        else if ((c & 0xE0) == 0xC0 && c >= 0xC2) len = 2;
        else if ((c & 0xF0) == 0xE0) len = 3;
        else if ((c & 0xF8) == 0xF0 && c <= 0xF4) len = 4;
        else return false;
        if (i + len > n) return false;
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

QString DisplayName(const std::string& bytes)
{
    if (IsValidUtf8(bytes)) return QString::fromStdString(bytes);
    return SjisToQString(bytes);
}
