// Format: printf-like formatting with the class library's conversion letters.
// Each conversion is checked against its argument's kind before anything is
// printed, so a mismatched argument raises instead of reading garbage.
#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxField = 65536;

struct TConversion {
    bool LeftAlign = false;
    int Width = 0;
    int Precision = -1; // -1: none given
    char Type = 0;
};

[[noreturn]] void InvalidFormat(std::string_view format)
{
    throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

class TFormatter {
public:
    TFormatter(std::string_view format, const TFormatArg* args, size_t count)
        : FFormat(format), FArgs(args), FCount(count)
    {
    }

    std::string Run()
    {
        std::string out;
        size_t i = 0;
        while (i < FFormat.size()) {
            const size_t percent = FFormat.find('%', i);
            if (percent == std::string_view::npos) {
                out.append(FFormat.substr(i));
                break;
            }
            out.append(FFormat.substr(i, percent - i));
            i = percent + 1;
            if (i < FFormat.size() && FFormat[i] == '%') {
                out.push_back('%');
                ++i;
                continue;
            }
            const TConversion conv = ParseConversion(i);
            AppendPadded(out, Convert(conv, NextArg()), conv);
        }
        return out;
    }

private:
    // Reads a run of decimal digits; returns false when there is none.
    bool ReadNumber(size_t& i, int& value)
    {
        const size_t start = i;
        int64_t v = 0;
        while (i < FFormat.size() && FFormat[i] >= '0' && FFormat[i] <= '9') {
            v = v * 10 + (FFormat[i] - '0');
            if (v > kMaxField) InvalidFormat(FFormat);
            ++i;
        }
        value = static_cast<int>(v);
        return i > start;
    }

    const TFormatArg& NextArg()
    {
        if (FNext >= FCount) throw EConvertError("No argument for format '" + std::string(FFormat) + "'");
        return FArgs[FNext++];
    }

    int StarArg()
    {
        const TFormatArg& arg = NextArg();
        if (arg.Kind() != TFormatArg::TKind::Int32 && arg.Kind() != TFormatArg::TKind::Int64) InvalidFormat(FFormat);
        if (arg.Int() > kMaxField || arg.Int() < -kMaxField) InvalidFormat(FFormat);
        return static_cast<int>(arg.Int());
    }

    TConversion ParseConversion(size_t& i)
    {
        TConversion conv;
        // An argument index: digits followed by ":".
        size_t probe = i;
        int index = 0;
        if (ReadNumber(probe, index) && probe < FFormat.size() && FFormat[probe] == ':') {
            FNext = static_cast<size_t>(index);
            i = probe + 1;
        }
        if (i < FFormat.size() && FFormat[i] == '-') {
            conv.LeftAlign = true;
            ++i;
        }
        if (i < FFormat.size() && FFormat[i] == '*') {
            ++i;
            conv.Width = StarArg();
            if (conv.Width < 0) {
                conv.LeftAlign = true;
                conv.Width = -conv.Width;
            }
        } else {
            ReadNumber(i, conv.Width);
        }
        if (i < FFormat.size() && FFormat[i] == '.') {
            ++i;
            if (i < FFormat.size() && FFormat[i] == '*') {
                ++i;
                conv.Precision = StarArg();
                if (conv.Precision < 0) conv.Precision = -1;
            } else {
                conv.Precision = 0;
                ReadNumber(i, conv.Precision);
            }
        }
        if (i >= FFormat.size()) InvalidFormat(FFormat);
        conv.Type = FFormat[i++];
        if (conv.Type >= 'A' && conv.Type <= 'Z') conv.Type = static_cast<char>(conv.Type - 'A' + 'a');
        return conv;
    }

    static bool IsInteger(const TFormatArg& arg)
    {
        return arg.Kind() == TFormatArg::TKind::Int32 || arg.Kind() == TFormatArg::TKind::Int64;
    }

    // The unsigned pattern of an integer argument: 32 bits for an int, 64 for a wider one.
    static uint64_t Pattern(const TFormatArg& arg)
    {
        return arg.Kind() == TFormatArg::TKind::Int32 ? static_cast<uint32_t>(arg.Int())
                                                      : static_cast<uint64_t>(arg.Int());
    }

    static std::string ZeroExtend(std::string digits, int precision)
    {
        if (precision > 0 && digits.size() < static_cast<size_t>(precision))
            digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
        return digits;
    }

    static std::string Printf(const char* fmt, int precision, double value)
    {
        const int n = std::snprintf(nullptr, 0, fmt, precision, value);
        if (n < 0) return std::string();
        std::string out(static_cast<size_t>(n) + 1, '\0');
        std::snprintf(out.data(), out.size(), fmt, precision, value);
        out.resize(static_cast<size_t>(n));
        return out;
    }

    // Rewrites C's exponent ("E+05") as at least `minDigits` digits, with the
    // plus sign kept only when asked: "E+005" for e, "E5" for g.
    static std::string FixExponent(std::string s, size_t minDigits, bool keepPlus)
    {
        const size_t e = s.find('E');
        if (e == std::string::npos || e + 1 >= s.size()) return s;
        const char sign = s[e + 1];
        std::string digits = s.substr(e + 2);
        while (digits.size() > 1 && digits[0] == '0') digits.erase(0, 1);
        if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), '0');
        std::string prefix = sign == '-' ? "-" : keepPlus ? "+" : "";
        return s.substr(0, e + 1) + prefix + digits;
    }

    static std::string WithThousands(const std::string& fixed)
    {
        size_t start = fixed[0] == '-' ? 1 : 0;
        size_t end = fixed.find('.');
        if (end == std::string::npos) end = fixed.size();
        std::string out = fixed.substr(0, start);
        for (size_t i = start; i < end; ++i) {
            out.push_back(fixed[i]);
            const size_t left = end - i - 1;
            if (left > 0 && left % 3 == 0) out.push_back(',');
        }
        out.append(fixed.substr(end));
        return out;
    }

    std::string Convert(const TConversion& conv, const TFormatArg& arg)
    {
        switch (conv.Type) {
        case 'd': {
            if (!IsInteger(arg)) break;
            const int64_t v = arg.Int();
            const uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
            return (v < 0 ? "-" : "") + ZeroExtend(std::to_string(magnitude), conv.Precision);
        }
        case 'u':
            if (!IsInteger(arg)) break;
            return ZeroExtend(std::to_string(Pattern(arg)), conv.Precision);
        case 'x':
            if (!IsInteger(arg)) break;
            return ZeroExtend(IntToHex(static_cast<int64_t>(Pattern(arg)), 1), conv.Precision);
        case 's': {
            if (arg.Kind() != TFormatArg::TKind::Text) break;
            std::string_view text = arg.Text();
            if (conv.Precision >= 0 && text.size() > static_cast<size_t>(conv.Precision))
                text = text.substr(0, static_cast<size_t>(conv.Precision));
            return std::string(text);
        }
        case 'f':
        case 'n': {
            if (arg.Kind() != TFormatArg::TKind::Float) break;
            const std::string fixed = Printf("%.*f", conv.Precision < 0 ? 2 : conv.Precision, arg.Float());
            return conv.Type == 'n' && std::isfinite(arg.Float()) ? WithThousands(fixed) : fixed;
        }
        case 'e': {
            if (arg.Kind() != TFormatArg::TKind::Float) break;
            const int digits = conv.Precision < 1 ? 15 : conv.Precision;
            return FixExponent(Printf("%.*E", digits - 1, arg.Float()), 3, true);
        }
        case 'g': {
            if (arg.Kind() != TFormatArg::TKind::Float) break;
            const int digits = conv.Precision < 1 ? 15 : conv.Precision;
            return FixExponent(Printf("%.*G", digits, arg.Float()), 1, false);
        }
        case 'p':
            if (arg.Kind() != TFormatArg::TKind::Pointer) break;
            return IntToHex(static_cast<int64_t>(reinterpret_cast<uintptr_t>(arg.Pointer())),
                            static_cast<int>(2 * sizeof(void*)));
        default:
            break;
        }
        InvalidFormat(FFormat);
    }

    static void AppendPadded(std::string& out, const std::string& body, const TConversion& conv)
    {
        const size_t pad = body.size() < static_cast<size_t>(conv.Width) ? static_cast<size_t>(conv.Width) - body.size() : 0;
        if (!conv.LeftAlign) out.append(pad, ' ');
        out.append(body);
        if (conv.LeftAlign) out.append(pad, ' ');
    }

    std::string_view FFormat;
    const TFormatArg* FArgs;
    size_t FCount;
    size_t FNext = 0;
};

} // namespace

std::string FormatArgs(std::string_view format, const TFormatArg* args, size_t count)
{
    return TFormatter(format, args, count).Run();
}
