// Text and number conversion.
#include "classlib/SysUtils.h"

#include "classlib/System.h"

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
