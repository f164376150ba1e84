#include "base/Convert.h"

#include <cstdint>

#include "base/Errors.h"
#include "base/Sjis.h"

std::optional<int> TryStrToInt(const std::string& s)
{
    size_t i = 0, n = s.size();
    while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < n && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return std::nullopt;
    uint64_t value = 0;
    for (; i < n; ++i) {
        char c = s[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (hex) {
        // Hexadecimal covers the whole 32-bit pattern, as "$FFFFFFFF" = -1.
        uint32_t bits = static_cast<uint32_t>(value);
        if (negative) bits = 0u - bits;
        return static_cast<int>(static_cast<int32_t>(bits));
    }
    if (negative) {
        if (value > 2147483648ull) return std::nullopt;
        return static_cast<int>(-static_cast<int64_t>(value));
    }
    if (value > 2147483647ull) return std::nullopt;
    return static_cast<int>(value);
}

int StrToInt(const std::string& text)
{
    auto v = TryStrToInt(text);
    if (!v) throw EConvertError("'" + SjisToUtf8(text) + "' は整数ではありません");
    return *v;
}

std::string IntToStr(int value)
{
    return std::to_string(value);
}
