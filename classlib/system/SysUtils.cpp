// Integer conversion and the string helpers.
#include "classlib/system/SysUtils.h"

#include "classlib/system/Exceptions.h"

#include <algorithm>
#include <cstdint>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Leading blanks, an optional sign, then decimal digits or hexadecimal digits
// after "$", "x", "X", "0x" or "0X"; the whole text must be used. Hexadecimal
// reads up to eight significant digits as a 32-bit pattern ($FFFFFFFF is -1).
bool TryParseInt(const std::string& s, int& out)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return false;
    if (hex) {
        uint32_t v = 0;
        for (; i < s.size(); ++i) {
            const int d = HexDigit(s[i]);
            if (d < 0 || v > 0x0FFFFFFFu) return false;
            v = (v << 4) | static_cast<uint32_t>(d);
        }
        out = static_cast<int>(negative ? 0u - v : v);
        return true;
    }
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
        if (v > int64_t(INT32_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

int StrToInt(const std::string& text)
{
    int v = 0;
    if (!TryParseInt(text, v)) throw EConvertError("'" + text + "' is not a valid integer value");
    return v;
}

bool TryStrToInt(const std::string& text, int& value)
{
    int v = 0;
    if (!TryParseInt(text, v)) return false;
    value = v;
    return true;
}

int StrToIntDef(const std::string& text, int defaultValue)
{
    int v = 0;
    return TryParseInt(text, v) ? v : defaultValue;
}

std::string IntToStr(int64_t value)
{
    return std::to_string(value);
}

namespace {

std::string HexDigits(uint64_t value, int digits)
{
    static const char kDigits[] = "0123456789ABCDEF";
    char buffer[64];
    const size_t wanted = static_cast<size_t>(std::clamp(digits, 1, 64));
    size_t n = 0;
    do {
        buffer[sizeof buffer - 1 - n++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    while (n < wanted) buffer[sizeof buffer - 1 - n++] = '0';
    return std::string(buffer + sizeof buffer - n, n);
}

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string IntToHex(int value, int digits)
{
    return HexDigits(static_cast<uint32_t>(value), digits);
}

std::string IntToHex(uint32_t value, int digits)
{
    return HexDigits(value, digits);
}

std::string IntToHex(int64_t value, int digits)
{
    return HexDigits(static_cast<uint64_t>(value), digits);
}

std::string TrimLeft(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && IsTrimmed(s[i])) ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s)
{
    size_t n = s.size();
    while (n > 0 && IsTrimmed(s[n - 1])) --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s)
{
    size_t i = 0;
    size_t n = s.size();
    while (i < n && IsTrimmed(s[i])) ++i;
    while (n > i && IsTrimmed(s[n - 1])) --n;
    return std::string(s.substr(i, n - i));
}

std::string UpperCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

std::string LowerCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

int CompareText(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const int cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb) return ca - cb;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}
