// Parsing and writing the regedit text form of a hive.
#include "classlib/files/RegistryHive.h"

#include "classlib/system/SysUtils.h"

#include <unordered_map>

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
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

// Splits text into lines, joining a line that ends in "\" with the next (hex
// lists are wrapped that way).
std::vector<std::string> LogicalLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string pending;
    bool continuing = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t brk = text.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) brk = text.size();
        std::string_view line = text.substr(start, brk - start);
        if (continuing) line = TrimBlanks(line);
        const std::string_view trimmed = TrimBlanks(line);
        const bool comment = pending.empty() && !trimmed.empty() && trimmed.front() == ';';
        continuing = !comment && !trimmed.empty() && trimmed.back() == '\\';
        if (continuing) {
            pending.append(trimmed.substr(0, trimmed.size() - 1));
        } else {
            pending.append(line);
            lines.push_back(std::move(pending));
            pending.clear();
        }
        if (brk == text.size()) break;
        start = brk + (text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n' ? 2 : 1);
    }
    if (continuing) lines.push_back(std::move(pending));
    return lines;
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
bool IsPlainString(const TRegistryValue& value)
{
    if (value.Type != REG_SZ || value.Data.empty() || value.Data.back() != 0) return false;
    for (size_t i = 0; i + 1 < value.Data.size(); ++i) {
        const uint8_t c = value.Data[i];
        if (c == 0 || c == '\r' || c == '\n') return false;
    }
    return true;
}

std::string HexList(const std::vector<uint8_t>& data)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < data.size(); ++i) {
        if (i > 0) out += (i % kBytesPerHexLine == 0) ? ",\\\n  " : ",";
        out.push_back(kDigits[data[i] >> 4]);
        out.push_back(kDigits[data[i] & 0xF]);
    }
    return out;
}

std::string ValueLine(const TRegistryValue& value)
{
    std::string line = value.Name.empty() ? "@" : Quote(value.Name);
    line += '=';
    if (IsPlainString(value)) {
        line += Quote(std::string_view(reinterpret_cast<const char*>(value.Data.data()), value.Data.size() - 1));
    } else if (value.Type == REG_DWORD && value.Data.size() == 4) {
        const uint32_t v = value.Data[0] | (value.Data[1] << 8) | (value.Data[2] << 16) |
                           (static_cast<uint32_t>(value.Data[3]) << 24);
        line += "dword:" + LowerCase(IntToHex(v, 8));
    } else if (value.Type == REG_BINARY) {
        line += "hex:" + HexList(value.Data);
    } else {
        line += "hex(" + LowerCase(IntToHex(value.Type, 1)) + "):" + HexList(value.Data);
    }
    return line;
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

bool TRegistryHive::Parse(std::string_view text)
{
    FKeys.clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::unordered_map<std::string, size_t> keyIndex;
    std::unordered_map<std::string, size_t> valueIndex; // "<key index>\n<NAME>"
    bool headerSeen = false;
    size_t current = std::string::npos;
    auto fail = [this] {
        FKeys.clear();
        return false;
    };
    for (const std::string& raw : LogicalLines(text)) {
        const std::string_view line = TrimBlanks(raw);
        if (line.empty()) continue;
        if (!headerSeen) {
            if (line != kHeader) return fail();
            headerSeen = true;
            continue;
        }
        if (line.front() == ';') continue;
        if (line.front() == '[') {
            if (line.back() != ']') return fail();
            const std::string_view name = line.substr(1, line.size() - 2);
            if (!StartsWithNoCase(name, FRootName)) return fail();
            std::string_view path = name.substr(FRootName.size());
            if (!path.empty()) {
                if (path.front() != '\\') return fail();
                path.remove_prefix(1);
                if (path.empty() || !IsValidPath(path)) return fail();
            }
            const auto found = keyIndex.try_emplace(UpperCase(path), FKeys.size());
            if (found.second) FKeys.push_back({std::string(path), {}});
            current = found.first->second;
            continue;
        }
        if (current == std::string::npos) return fail();
        std::string name;
        size_t p = 0;
        if (line.front() == '@') p = 1;
        else if (!ParseQuoted(line, p, name)) return fail();
        while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) ++p;
        if (p >= line.size() || line[p] != '=') return fail();
        TRegistryValue value;
        value.Name = name;
        if (!ParseValueData(TrimBlanks(line.substr(p + 1)), value.Type, value.Data)) return fail();
        std::vector<TRegistryValue>& values = FKeys[current].Values;
        const auto found = valueIndex.try_emplace(std::to_string(current) + '\n' + UpperCase(name), values.size());
        if (found.second) {
            values.push_back(std::move(value));
        } else {
            // A value given twice: the later line wins, as an import would have it.
            values[found.first->second].Type = value.Type;
            values[found.first->second].Data = std::move(value.Data);
        }
    }
    return true;
}

std::string TRegistryHive::Text() const
{
    std::string out = std::string(kHeader) + "\n\n";
    for (const TRegistryKey& key : FKeys) {
        out += "[" + FRootName + (key.Path.empty() ? "" : "\\" + key.Path) + "]\n";
        for (const TRegistryValue& value : key.Values) out += ValueLine(value) + "\n";
        out += "\n";
    }
    return out;
}

TRegistryKey* TRegistryHive::FindKey(std::string_view path)
{
    for (TRegistryKey& key : FKeys)
        if (SameText(key.Path, path)) return &key;
    return nullptr;
}

const TRegistryKey* TRegistryHive::FindKey(std::string_view path) const
{
    return const_cast<TRegistryHive*>(this)->FindKey(path);
}

bool TRegistryHive::KeyExists(std::string_view path) const
{
    if (path.empty()) return true;
    for (const TRegistryKey& key : FKeys) {
        if (SameText(key.Path, path)) return true;
        if (key.Path.size() > path.size() && key.Path[path.size()] == '\\' &&
            SameText(std::string_view(key.Path).substr(0, path.size()), path))
            return true;
    }
    return false;
}

TRegistryKey& TRegistryHive::CreateKey(std::string_view path)
{
    if (TRegistryKey* key = FindKey(path)) return *key;
    FKeys.push_back({std::string(path), {}});
    return FKeys.back();
}

TRegistryValue* TRegistryHive::FindValue(TRegistryKey& key, std::string_view name)
{
    for (TRegistryValue& value : key.Values)
        if (SameText(value.Name, name)) return &value;
    return nullptr;
}

const TRegistryValue* TRegistryHive::FindValue(const TRegistryKey& key, std::string_view name)
{
    return FindValue(const_cast<TRegistryKey&>(key), name);
}

void TRegistryHive::SetValue(TRegistryKey& key, std::string_view name, uint32_t type, std::vector<uint8_t> data)
{
    if (TRegistryValue* value = FindValue(key, name)) {
        value->Type = type;
        value->Data = std::move(data);
        return;
    }
    key.Values.push_back({std::string(name), type, std::move(data)});
}

bool TRegistryHive::DeleteValue(TRegistryKey& key, std::string_view name)
{
    for (auto it = key.Values.begin(); it != key.Values.end(); ++it) {
        if (SameText(it->Name, name)) {
            key.Values.erase(it);
            return true;
        }
    }
    return false;
}
