// Scanning and editing the regedit text form of a hive, line by line.
#include "classlib/files/RegistryHive.h"

#include "classlib/files/TextEncoding.h"
#include "classlib/system/SysUtils.h"

#include <unordered_map>

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kUnicodeHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kBytesPerHexLine = 25;

std::string_view TrimBlanks(std::string_view s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

// Reads a quoted text with \\ and \" escapes starting at s[p] == '"'.
bool ParseQuoted(std::string_view s, size_t& p, std::string& out)
{
    if (p >= s.size() || s[p] != '"') return false;
    ++p;
    while (p < s.size()) {
        const char c = s[p++];
        if (c == '"') return true;
        if (c == '\\') {
            if (p >= s.size() || (s[p] != '\\' && s[p] != '"')) return false;
            out.push_back(s[p++]);
        } else {
            out.push_back(c);
        }
    }
    return false;
}

bool ParseHexList(std::string_view s, std::vector<uint8_t>& data)
{
    s = TrimBlanks(s);
    if (s.empty()) return true;
    size_t p = 0;
    for (;;) {
        while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
        int value = 0;
        int digits = 0;
        while (p < s.size() && HexValue(s[p]) >= 0 && digits < 3) {
            value = value * 16 + HexValue(s[p++]);
            ++digits;
        }
        if (digits < 1 || digits > 2) return false;
        data.push_back(static_cast<uint8_t>(value));
        while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
        if (p == s.size()) return true;
        if (s[p] != ',') return false;
        ++p;
        while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
        if (p == s.size()) return true; // a trailing comma
    }
}

bool ParseValueData(std::string_view s, uint32_t& type, std::vector<uint8_t>& data)
{
    if (!s.empty() && s.front() == '"') {
        size_t p = 0;
        std::string text;
        if (!ParseQuoted(s, p, text) || !TrimBlanks(s.substr(p)).empty()) return false;
        type = REG_SZ;
        data.assign(text.begin(), text.end());
        data.push_back(0);
        return true;
    }
    if (StartsWithNoCase(s, "dword:")) {
        const std::string_view digits = TrimBlanks(s.substr(6));
        if (digits.empty() || digits.size() > 8) return false;
        uint32_t value = 0;
        for (const char c : digits) {
            if (HexValue(c) < 0) return false;
            value = value * 16 + static_cast<uint32_t>(HexValue(c));
        }
        type = REG_DWORD;
        data = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
                static_cast<uint8_t>(value >> 24)};
        return true;
    }
    if (StartsWithNoCase(s, "hex:")) {
        type = REG_BINARY;
        return ParseHexList(s.substr(4), data);
    }
    if (StartsWithNoCase(s, "hex(")) {
        const size_t close = s.find(')');
        if (close == std::string_view::npos || close == 4 || close > 12 || close + 1 >= s.size() || s[close + 1] != ':')
            return false;
        uint32_t value = 0;
        for (const char c : s.substr(4, close - 4)) {
            if (HexValue(c) < 0) return false;
            value = value * 16 + static_cast<uint32_t>(HexValue(c));
        }
        type = value;
        return ParseHexList(s.substr(close + 2), data);
    }
    return false;
}

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

// A REG_SZ whose data is one text and its terminating zero, with nothing
// that a quoted line cannot carry.
bool IsPlainString(uint32_t type, const std::vector<uint8_t>& data)
{
    if (type != REG_SZ || data.empty() || data.back() != 0) return false;
    for (size_t i = 0; i + 1 < data.size(); ++i) {
        const uint8_t c = data[i];
        if (c == 0 || c == '\r' || c == '\n') return false;
    }
    return true;
}

std::string HexList(std::string_view data, const std::string& ending)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < data.size(); ++i) {
        if (i > 0) out += (i % kBytesPerHexLine == 0) ? ",\\" + ending + "  " : ",";
        const auto byte = static_cast<uint8_t>(data[i]);
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 0xF]);
    }
    return out;
}

// In the newer format the hex forms of these types hold UTF-16 LE text.
bool IsTextType(uint32_t type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

bool IsBlankOrBreak(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

size_t LineEnd(std::string_view text, size_t p)
{
    while (p < text.size() && text[p] != '\n' && text[p] != '\r') ++p;
    return p;
}

size_t AfterLineEnd(std::string_view text, size_t end)
{
    if (end >= text.size()) return text.size();
    return end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
}

} // namespace

// A logical line: its physical lines joined where one ends in "\" (hex lists
// are wrapped that way). [Start, End) spans its physical lines without the
// last one's line end; Next is the start of the line after it.
struct TRegistryHive::TLine {
    enum TKind { Comment, Key, ForeignKey, Value, Other };
    size_t Start = 0;
    size_t End = 0;
    size_t Next = 0;
    std::string_view Text; // trimmed
    TKind Kind = Other;
    // For a Value line, the key line above it; empty view and !InKey below a
    // foreign key line or before any key line.
    bool InKey = false;
    std::string_view KeyPath;
};

// The scan's position and the text of joined lines.
struct TRegistryHive::TScan {
    std::string Joined;
    std::string KeyPath;
    bool InKey = false;
};

namespace {

// The first logical line at or after `from` (a line start) that is not blank.
bool NextLogicalLine(std::string_view text, size_t from, std::string& joined, size_t& start, size_t& end,
                     size_t& next, std::string_view& line)
{
    const size_t size = text.size();
    start = from;
    size_t p = from;
    // Blank lines pass in one sweep: a file of line ends costs a comparison a byte.
    for (; p < size && IsBlankOrBreak(text[p]); ++p)
        if (text[p] == '\n' || text[p] == '\r') start = p + 1;
    if (p >= size) return false;
    end = LineEnd(text, p);
    next = AfterLineEnd(text, end);
    line = TrimBlanks(text.substr(p, end - p));
    if (line.front() == ';' || line.back() != '\\') return true;
    joined.assign(line.substr(0, line.size() - 1));
    while (next < size) {
        const size_t lineEnd = LineEnd(text, next);
        const std::string_view piece = TrimBlanks(text.substr(next, lineEnd - next));
        if (piece.empty()) break; // a blank line ends the list, and is not part of it
        end = lineEnd;
        next = AfterLineEnd(text, lineEnd);
        if (piece.back() != '\\') {
            joined.append(piece);
            break;
        }
        joined.append(piece.substr(0, piece.size() - 1));
    }
    line = joined;
    return true;
}

} // namespace

TRegistryHive::TRegistryHive(std::string rootName) : FRootName(std::move(rootName)) {}

bool TRegistryHive::IsValidPath(std::string_view path)
{
    if (path.empty()) return true;
    size_t start = 0;
    for (;;) {
        const size_t slash = path.find('\\', start);
        const std::string_view segment = path.substr(start, slash == std::string_view::npos ? path.npos : slash - start);
        if (segment.empty()) return false;
        for (const char c : segment)
            if (static_cast<unsigned char>(c) < ' ' || c == ']') return false;
        if (slash == std::string_view::npos) return true;
        start = slash + 1;
    }
}

bool TRegistryHive::IsValidValueName(std::string_view name)
{
    return name.find_first_of("\r\n") == std::string_view::npos;
}

bool TRegistryHive::Parse(std::string text)
{
    FByteOrderMark.clear();
    FUnicode = false;
    FText = std::move(text);
    FBodyStart = 0;
    FHeaderSeen = false;
    if (std::string_view(FText).substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        FByteOrderMark = std::string(kByteOrderMark);
        FText.erase(0, kByteOrderMark.size());
    }
    std::string joined;
    size_t start = 0, end = 0, next = 0;
    std::string_view header;
    if (!NextLogicalLine(FText, 0, joined, start, end, next, header)) return true; // blank: an empty hive
    if (header != kHeader && header != kUnicodeHeader) {
        FText.clear();
        FByteOrderMark.clear();
        return false;
    }
    FUnicode = header == kUnicodeHeader;
    FHeaderSeen = true;
    FBodyStart = next;
    return true;
}

std::string TRegistryHive::Text() const
{
    if (!FHeaderSeen) return std::string(kHeader) + "\n\n";
    return FByteOrderMark + FText;
}

template <typename TVisit>
void TRegistryHive::Scan(TVisit&& visit) const
{
    if (!FHeaderSeen) return;
    TScan scan;
    TLine line;
    for (size_t at = FBodyStart;
         NextLogicalLine(FText, at, scan.Joined, line.Start, line.End, line.Next, line.Text); at = line.Next) {
        line.InKey = false;
        line.KeyPath = {};
        if (line.Text.front() == ';') {
            line.Kind = TLine::Comment;
        } else if (line.Text.front() == '[') {
            line.Kind = TLine::ForeignKey;
            scan.InKey = false;
            const std::string_view name = line.Text.substr(1, line.Text.size() - 1);
            if (line.Text.back() == ']' && StartsWithNoCase(name, FRootName)) {
                std::string_view path = name.substr(FRootName.size(), name.size() - 1 - FRootName.size());
                const bool below = !path.empty() && path.front() == '\\';
                if (below) path.remove_prefix(1);
                if ((path.empty() && !below) || (below && !path.empty() && IsValidPath(path))) {
                    line.Kind = TLine::Key;
                    scan.InKey = true;
                    scan.KeyPath.assign(path);
                }
            }
            line.InKey = scan.InKey;
            if (scan.InKey) line.KeyPath = scan.KeyPath;
        } else {
            line.Kind = line.Text.front() == '@' || line.Text.front() == '"' ? TLine::Value : TLine::Other;
            line.InKey = scan.InKey;
            if (scan.InKey) line.KeyPath = scan.KeyPath;
        }
        visit(line);
    }
}

bool TRegistryHive::ReadValueLine(const TLine& line, TRegistryValue& value) const
{
    const std::string_view text = line.Text;
    value.Name.clear();
    size_t p = 0;
    if (text.front() == '@') p = 1;
    else if (!ParseQuoted(text, p, value.Name)) return false;
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t')) ++p;
    if (p >= text.size() || text[p] != '=') return false;
    value.Data.clear();
    if (!ParseValueData(TrimBlanks(text.substr(p + 1)), value.Type, value.Data)) return false;
    const std::string_view data = TrimBlanks(text.substr(p + 1));
    if (FUnicode && IsTextType(value.Type) && StartsWithNoCase(data, "hex")) {
        std::string utf8;
        if (!Utf16LEToUtf8(std::string_view(reinterpret_cast<const char*>(value.Data.data()), value.Data.size()), utf8))
            return false;
        value.Data.assign(utf8.begin(), utf8.end());
    }
    return true;
}

bool TRegistryHive::KeyExists(std::string_view path) const
{
    if (path.empty()) return true;
    bool found = false;
    Scan([&](const TLine& line) {
        if (found || line.Kind != TLine::Key) return;
        const std::string_view key = line.KeyPath;
        found = SameText(key, path) ||
                (key.size() > path.size() && key[path.size()] == '\\' && SameText(key.substr(0, path.size()), path));
    });
    return found;
}

bool TRegistryHive::StoredKeyPath(std::string_view path, std::string& spelled) const
{
    bool found = false;
    Scan([&](const TLine& line) {
        if (!found && line.Kind == TLine::Key && SameText(line.KeyPath, path)) {
            spelled.assign(line.KeyPath);
            found = true;
        }
    });
    return found;
}

bool TRegistryHive::FindValue(std::string_view path, std::string_view name, TRegistryValue& value) const
{
    bool found = false;
    TRegistryValue candidate;
    Scan([&](const TLine& line) {
        if (line.Kind == TLine::Value && line.InKey && SameText(line.KeyPath, path) && ReadValueLine(line, candidate) &&
            SameText(candidate.Name, name)) {
            value = candidate;
            found = true;
        }
    });
    return found;
}

std::vector<TRegistryKey> TRegistryHive::Keys() const
{
    std::vector<TRegistryKey> keys;
    std::unordered_map<std::string, size_t> keyIndex;
    std::unordered_map<std::string, size_t> valueIndex; // "<key index>\n<NAME>"
    size_t current = 0;
    TRegistryValue value;
    Scan([&](const TLine& line) {
        if (line.Kind == TLine::Key) {
            const auto found = keyIndex.try_emplace(UpperCase(line.KeyPath), keys.size());
            if (found.second) keys.push_back({std::string(line.KeyPath), {}});
            current = found.first->second;
        } else if (line.Kind == TLine::Value && line.InKey && ReadValueLine(line, value)) {
            std::vector<TRegistryValue>& values = keys[current].Values;
            const auto found = valueIndex.try_emplace(std::to_string(current) + '\n' + UpperCase(value.Name), values.size());
            if (found.second) {
                values.push_back(value);
            } else {
                values[found.first->second].Type = value.Type;
                values[found.first->second].Data = value.Data;
            }
        }
    });
    return keys;
}

std::string TRegistryHive::NewLineEnding() const
{
    const size_t brk = FText.find_first_of("\r\n");
    if (brk == std::string::npos || FText[brk] == '\n') return "\n";
    return brk + 1 < FText.size() && FText[brk + 1] == '\n' ? "\r\n" : "\r";
}

std::string TRegistryHive::ValueLine(std::string_view name, uint32_t type, const std::vector<uint8_t>& data,
                                     bool& ok) const
{
    ok = true;
    const std::string ending = NewLineEnding();
    std::string line = name.empty() ? "@" : Quote(name);
    line += '=';
    const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
    if (IsPlainString(type, data)) {
        line += Quote(bytes.substr(0, bytes.size() - 1));
    } else if (type == REG_DWORD && data.size() == 4) {
        const uint32_t v = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
        line += "dword:" + LowerCase(IntToHex(v, 8));
    } else if (type == REG_BINARY) {
        line += "hex:" + HexList(bytes, ending);
    } else if (FUnicode && IsTextType(type)) {
        std::string units;
        ok = Utf8ToUtf16LE(bytes, units);
        line += "hex(" + LowerCase(IntToHex(type, 1)) + "):" + HexList(units, ending);
    } else {
        line += "hex(" + LowerCase(IntToHex(type, 1)) + "):" + HexList(bytes, ending);
    }
    return line;
}

void TRegistryHive::Insert(size_t at, std::string lines)
{
    // A "\n" right after a lone "\r" would join it into one line end and
    // swallow the line end meant to come first; a second "\n" keeps both.
    if (at > 0 && FText[at - 1] == '\r' && !lines.empty() && lines.front() == '\n') lines.insert(0, "\n");
    FText.insert(at, lines);
}

void TRegistryHive::AppendKey(std::string_view path, const std::string& valueLine)
{
    if (!FHeaderSeen) {
        FText = std::string(kHeader) + "\n";
        FBodyStart = FText.size();
        FHeaderSeen = true;
    }
    const std::string ending = NewLineEnding();
    const size_t size = FText.size();
    const bool ended = FText[size - 1] == '\n' || FText[size - 1] == '\r';
    size_t lastEnd = size;
    if (ended) lastEnd -= FText[size - 1] == '\n' && size >= 2 && FText[size - 2] == '\r' ? 2 : 1;
    const size_t brk = lastEnd == 0 ? std::string::npos : FText.find_last_of("\r\n", lastEnd - 1);
    const size_t lastStart = brk == std::string::npos ? 0 : brk + 1;
    std::string added;
    if (!ended) added += ending;
    // A blank line before the key, which also ends a list the last line carries on.
    if (!TrimBlanks(std::string_view(FText).substr(lastStart, lastEnd - lastStart)).empty()) added += ending;
    added += "[" + FRootName + (path.empty() ? "" : "\\" + std::string(path)) + "]" + ending;
    if (!valueLine.empty()) added += valueLine + ending;
    added += ending;
    Insert(size, std::move(added));
}

void TRegistryHive::CreateKey(std::string_view path)
{
    std::string spelled;
    if (IsValidPath(path) && !StoredKeyPath(path, spelled)) AppendKey(path, std::string());
}

bool TRegistryHive::SetValue(std::string_view path, std::string_view name, uint32_t type,
                             const std::vector<uint8_t>& data)
{
    if (!IsValidPath(path) || !IsValidValueName(name)) return false;
    // The line that gives the value now, and the last line that is not blank
    // of the key's last block of lines.
    bool found = false, keyFound = false, inBlock = false;
    TLine current, last;
    std::string spelled;
    TRegistryValue value;
    Scan([&](const TLine& line) {
        if (line.Kind == TLine::Key || line.Kind == TLine::ForeignKey) inBlock = line.InKey && SameText(line.KeyPath, path);
        if (!inBlock) return;
        keyFound = true;
        last = line;
        if (line.Kind == TLine::Value && ReadValueLine(line, value) && SameText(value.Name, name)) {
            found = true;
            current = line;
            spelled = value.Name;
        }
    });
    bool ok = true;
    const std::string text = ValueLine(found ? std::string_view(spelled) : name, type, data, ok);
    if (!ok) return false;
    if (found) {
        FText.replace(current.Start, current.End - current.Start, text);
    } else if (keyFound) {
        const std::string ending = NewLineEnding();
        std::string added = text + ending;
        // A line that would carry on into the new one is ended by a blank line.
        if (TrimBlanks(std::string_view(FText).substr(last.Start, last.End - last.Start)).back() == '\\')
            added.insert(0, ending);
        // That line ends the text without a line end.
        if (last.Next == last.End) added.insert(0, ending);
        Insert(last.Next, std::move(added));
    } else {
        AppendKey(path, text);
    }
    return true;
}

bool TRegistryHive::DeleteValue(std::string_view path, std::string_view name)
{
    std::string kept;
    size_t copied = 0;
    bool removed = false;
    TRegistryValue value;
    Scan([&](const TLine& line) {
        if (line.Kind != TLine::Value || !line.InKey || !SameText(line.KeyPath, path) || !ReadValueLine(line, value) ||
            !SameText(value.Name, name))
            return;
        if (!removed) kept.reserve(FText.size());
        kept.append(FText, copied, line.Start - copied);
        copied = line.Next;
        removed = true;
    });
    if (!removed) return false;
    kept.append(FText, copied, std::string::npos);
    FText = std::move(kept);
    return true;
}
