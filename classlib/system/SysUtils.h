// Text and number conversion, string helpers, Format, file names and file tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// ---- Integers ---------------------------------------------------------------

// Converts the whole text to a 32-bit integer: optional leading spaces, an
// optional sign, then decimal digits, or hexadecimal digits after "$", "x",
// "X", "0x" or "0X" (up to eight significant ones, read as a 32-bit pattern,
// so "$FFFFFFFF" is -1). Raises EConvertError "'%s' is not a valid integer
// value" when the text is not such a number.
int StrToInt(const std::string& text);
// As StrToInt, but reports failure by returning false (value is then untouched).
bool TryStrToInt(const std::string& text, int& value);
// As StrToInt, but gives defaultValue when the text is not a number.
int StrToIntDef(const std::string& text, int defaultValue);

std::string IntToStr(int64_t value);
// Upper-case hexadecimal with at least `digits` digits (zero-padded; at most
// 64 are honoured). A negative int gives its 32-bit pattern, an int64_t its
// 64-bit one: IntToHex(-1, 1) is "FFFFFFFF".
std::string IntToHex(int value, int digits);
std::string IntToHex(uint32_t value, int digits);
std::string IntToHex(int64_t value, int digits);

// ---- Strings ----------------------------------------------------------------

// Trim* remove spaces and control characters (every byte up to ' ').
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// Case mapping and comparison touch only the ASCII letters.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
// Negative, zero or positive, comparing the texts with a-z folded to A-Z.
int CompareText(std::string_view a, std::string_view b);

// ---- Format -----------------------------------------------------------------

// One argument of Format: an integer, a floating-point number, a text or a pointer.
class TFormatArg {
public:
    enum class TKind { Int32, Int64, Float, Text, Pointer };

    TFormatArg(int v) : FKind(TKind::Int32), FInt(v) {}
    TFormatArg(unsigned v) : FKind(TKind::Int32), FInt(static_cast<int32_t>(v)) {}
    TFormatArg(long v) : FKind(TKind::Int64), FInt(v) {}
    TFormatArg(unsigned long v) : FKind(TKind::Int64), FInt(static_cast<int64_t>(v)) {}
    TFormatArg(long long v) : FKind(TKind::Int64), FInt(v) {}
    TFormatArg(unsigned long long v) : FKind(TKind::Int64), FInt(static_cast<int64_t>(v)) {}
    TFormatArg(double v) : FKind(TKind::Float), FFloat(v) {}
    TFormatArg(char c) : FKind(TKind::Text), FChar(c), FIsChar(true) {}
    TFormatArg(const char* s) : FKind(TKind::Text), FText(s ? s : "") {}
    TFormatArg(const std::string& s) : FKind(TKind::Text), FText(s) {}
    TFormatArg(std::string_view s) : FKind(TKind::Text), FText(s) {}
    TFormatArg(const void* p) : FKind(TKind::Pointer), FPointer(p) {}

    TKind Kind() const { return FKind; }
    int64_t Int() const { return FInt; }
    double Float() const { return FFloat; }
    std::string_view Text() const { return FIsChar ? std::string_view(&FChar, 1) : FText; }
    const void* Pointer() const { return FPointer; }

private:
    TKind FKind;
    int64_t FInt = 0;
    double FFloat = 0;
    std::string_view FText;
    const void* FPointer = nullptr;
    char FChar = 0;
    bool FIsChar = false;
};

// Formats like the class library's Format: "%" [index ":"] ["-"] [width] ["." precision] type,
// where width and precision may be "*" (taken from the next integer argument) and type is
//   d  signed decimal; the precision is the minimum number of digits ("%.2d" of 5 is "05")
//   u  unsigned decimal (a negative int counts as its 32-bit pattern)
//   x  upper-case hexadecimal; the precision is the minimum number of digits
//   s  text; the precision is the maximum number of characters
//   f  fixed point, precision decimals (default 2);  n  the same with thousands separators
//   e  scientific, precision significant digits (default 15);  g  the shorter of f and e
//   p  pointer as upper-case hexadecimal
// and "%%" is a single "%". The width pads with spaces on the left, or on the right with "-";
// a leading "0" in the width is no flag. A missing argument, an argument of the wrong kind,
// an unknown type or a width or precision above 65536 raise EConvertError.
std::string FormatArgs(std::string_view format, const TFormatArg* args, size_t count);

template <typename... TArgs>
std::string Format(std::string_view format, const TArgs&... args)
{
    if constexpr (sizeof...(TArgs) == 0) {
        return FormatArgs(format, nullptr, 0);
    } else {
        const TFormatArg list[] = {TFormatArg(args)...};
        return FormatArgs(format, list, sizeof...(TArgs));
    }
}

// ---- File names and files ---------------------------------------------------

constexpr char PathDelim = '/';

// Everything up to and including the last "/"; "" when there is none.
std::string ExtractFilePath(std::string_view fileName);
// Everything after the last "/".
std::string ExtractFileName(std::string_view fileName);
// The name's extension from its last "." after the last "/", the dot included; "" when none.
std::string ExtractFileExt(std::string_view fileName);
// Replaces the extension (or appends when there is none); extension includes its dot.
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);

// True for an existing file that is not a directory (symbolic links followed).
bool FileExists(const std::string& fileName);
bool DirectoryExists(const std::string& directory);
// The current working directory; "" when it cannot be determined.
std::string GetCurrentDir();

// ---- The running process ----------------------------------------------------

// The full path of the running program's executable; "" when it cannot be told.
std::string ExecutableFileName();
// Suspends the calling thread for ms milliseconds of the platform's clock.
void Sleep(uint32_t ms);
