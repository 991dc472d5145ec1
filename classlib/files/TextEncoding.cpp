// Byte-order marks and the conversion between UTF-16 LE and UTF-8.
#include "classlib/files/TextEncoding.h"

#include <cstdint>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

void AppendUnit(std::string& out, uint32_t unit)
{
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
}

// Reads one code point at text[p], advancing p; false for bytes that are no
// UTF-8 (overlong forms, values past U+10FFFF, cut sequences). Surrogate code
// points are accepted: they stand for units that were half of no pair.
bool NextCodePoint(std::string_view text, size_t& p, uint32_t& code)
{
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(p);
    size_t length = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        ++p;
        return true;
    }
    if ((lead & 0xE0) == 0xC0) length = 2, code = lead & 0x1F, minimum = 0x80;
    else if ((lead & 0xF0) == 0xE0) length = 3, code = lead & 0x0F, minimum = 0x800;
    else if ((lead & 0xF8) == 0xF0) length = 4, code = lead & 0x07, minimum = 0x10000;
    else return false;
    if (text.size() - p < length) return false;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(p + i) & 0xC0) != 0x80) return false;
        code = code << 6 | (byte(p + i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF) return false;
    p += length;
    return true;
}

bool AppendUtf16LE(std::string_view text, std::string& out)
{
    size_t p = 0;
    while (p < text.size()) {
        uint32_t code = 0;
        if (!NextCodePoint(text, p, code)) return false;
        if (code < 0x10000) {
            AppendUnit(out, code);
        } else {
            code -= 0x10000;
            AppendUnit(out, 0xD800 + (code >> 10));
            AppendUnit(out, 0xDC00 + (code & 0x3FF));
        }
    }
    return true;
}

} // namespace

bool Utf16LEToUtf8(std::string_view units, std::string& text)
{
    if (units.size() % 2 != 0) return false;
    text.clear();
    // ASCII text, the usual content, takes half the bytes.
    text.reserve(units.size() / 2);
    const auto unitAt = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<uint8_t>(units[i]) | static_cast<uint8_t>(units[i + 1]) << 8);
    };
    for (size_t i = 0; i < units.size(); i += 2) {
        const uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < units.size()) {
            const uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(text, unit);
    }
    return true;
}

bool Utf8ToUtf16LE(std::string_view text, std::string& units)
{
    units.clear();
    units.reserve(2 * text.size());
    if (AppendUtf16LE(text, units)) return true;
    units.clear();
    return false;
}

bool DecodeText(std::string& bytes, TTextEncoding& encoding)
{
    const std::string_view view(bytes);
    if (view.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        encoding = TTextEncoding::Utf8WithMark;
        bytes.erase(0, kUtf8Mark.size());
        return true;
    }
    if (view.substr(0, kUtf16LEMark.size()) != kUtf16LEMark) {
        encoding = TTextEncoding::Utf8;
        return true;
    }
    std::string text;
    if (!Utf16LEToUtf8(view.substr(kUtf16LEMark.size()), text)) return false;
    encoding = TTextEncoding::Utf16LE;
    bytes = std::move(text);
    return true;
}

bool EncodeText(std::string_view text, TTextEncoding encoding, std::string& bytes)
{
    bytes.clear();
    if (encoding != TTextEncoding::Utf16LE) {
        bytes.reserve(text.size() + kUtf8Mark.size());
        if (encoding == TTextEncoding::Utf8WithMark) bytes += kUtf8Mark;
        bytes += text;
        return true;
    }
    bytes.reserve(kUtf16LEMark.size() + 2 * text.size());
    bytes += kUtf16LEMark;
    if (AppendUtf16LE(text, bytes)) return true;
    bytes.clear();
    return false;
}

TReadFileStatus ReadTextFile(const std::string& path, std::string& text, TTextEncoding& encoding)
{
    encoding = TTextEncoding::Utf8;
    const TReadFileStatus status = ReadFileBounded(path, text);
    if (status != TReadFileStatus::Ok) return status;
    if (DecodeText(text, encoding)) return status;
    text.clear();
    return TReadFileStatus::Failed;
}
