// Parsing and editing INI text line by line.
#include "classlib/files/IniDocument.h"

#include "classlib/system/SysUtils.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view s)
{
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

TIniDocument::TIniDocument(std::string_view text)
{
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        FByteOrderMark = std::string(kByteOrderMark);
        text.remove_prefix(kByteOrderMark.size());
    }
    bool endingSeen = false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t brk = text.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) {
            FLines.push_back(ParseLine(std::string(text.substr(start)), ""));
            break;
        }
        const size_t endingLength = text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n' ? 2 : 1;
        std::string ending(text.substr(brk, endingLength));
        if (!endingSeen) {
            FDefaultEnding = ending;
            endingSeen = true;
        }
        FLines.push_back(ParseLine(std::string(text.substr(start, brk - start)), std::move(ending)));
        start = brk + endingLength;
    }
}

TIniDocument::TLine TIniDocument::ParseLine(std::string text, std::string ending)
{
    TLine line;
    const std::string_view body = TrimBlanks(text);
    if (!body.empty() && body.front() == '[') {
        const size_t close = body.find(']');
        if (close != std::string_view::npos) {
            line.Kind = TKind::Section;
            line.Name = std::string(TrimBlanks(body.substr(1, close - 1)));
        }
    } else if (!body.empty() && body.front() != ';') {
        const size_t equals = body.find('=');
        if (equals != std::string_view::npos) {
            const std::string_view key = TrimBlanks(body.substr(0, equals));
            if (!key.empty()) {
                line.Kind = TKind::Entry;
                line.Name = std::string(key);
                line.Value = std::string(TrimBlanks(body.substr(equals + 1)));
            }
        }
    }
    line.Text = std::move(text);
    line.Ending = std::move(ending);
    return line;
}

size_t TIniDocument::FindSection(std::string_view section) const
{
    section = TrimBlanks(section);
    for (size_t i = 0; i < FLines.size(); ++i)
        if (FLines[i].Kind == TKind::Section && SameText(FLines[i].Name, section)) return i;
    return std::string::npos;
}

size_t TIniDocument::SectionEnd(size_t header) const
{
    size_t i = header + 1;
    while (i < FLines.size() && FLines[i].Kind != TKind::Section) ++i;
    return i;
}

size_t TIniDocument::FindEntry(size_t header, std::string_view key) const
{
    key = TrimBlanks(key);
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i)
        if (FLines[i].Kind == TKind::Entry && SameText(FLines[i].Name, key)) return i;
    return std::string::npos;
}

bool TIniDocument::FindValue(std::string_view section, std::string_view key, std::string& value) const
{
    const size_t header = FindSection(section);
    if (header == std::string::npos) return false;
    const size_t entry = FindEntry(header, key);
    if (entry == std::string::npos) return false;
    value = std::string(Unquote(FLines[entry].Value));
    return true;
}

bool TIniDocument::SectionExists(std::string_view section) const
{
    return FindSection(section) != std::string::npos;
}

std::vector<std::string> TIniDocument::SectionNames() const
{
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const TLine& line : FLines)
        if (line.Kind == TKind::Section && seen.insert(UpperCase(line.Name)).second) names.push_back(line.Name);
    return names;
}

std::vector<std::pair<std::string, std::string>> TIniDocument::SectionEntries(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    const size_t header = FindSection(section);
    if (header == std::string::npos) return entries;
    std::unordered_set<std::string> seen;
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        if (FLines[i].Kind == TKind::Entry && seen.insert(UpperCase(FLines[i].Name)).second)
            entries.emplace_back(FLines[i].Name, std::string(Unquote(FLines[i].Value)));
    }
    return entries;
}

bool TIniDocument::IsValidSectionName(std::string_view section)
{
    section = TrimBlanks(section);
    return !section.empty() && !HasLineBreak(section) && section.find(']') == std::string_view::npos;
}

bool TIniDocument::IsValidKeyName(std::string_view key)
{
    key = TrimBlanks(key);
    return !key.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos && key.front() != '[' &&
           key.front() != ';';
}

bool TIniDocument::IsValidValue(std::string_view value)
{
    return !HasLineBreak(value);
}

const std::string& TIniDocument::NewLineEnding() const
{
    return FDefaultEnding;
}

void TIniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    const std::string trimmedValue(TrimBlanks(value));
    size_t header = FindSection(section);
    if (header != std::string::npos) {
        const size_t entry = FindEntry(header, key);
        if (entry != std::string::npos) {
            TLine& line = FLines[entry];
            line.Text = line.Name + "=" + std::string(value);
            line.Value = trimmedValue;
            return;
        }
        // After the section's last line that is not blank.
        size_t at = SectionEnd(header);
        while (at > header + 1 && TrimBlanks(FLines[at - 1].Text).empty()) --at;
        if (FLines[at - 1].Ending.empty()) FLines[at - 1].Ending = NewLineEnding();
        FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at),
                      ParseLine(std::string(key) + "=" + std::string(value), NewLineEnding()));
        return;
    }
    if (!FLines.empty()) {
        if (FLines.back().Ending.empty()) FLines.back().Ending = NewLineEnding();
        if (!TrimBlanks(FLines.back().Text).empty()) FLines.push_back(ParseLine("", NewLineEnding()));
    }
    FLines.push_back(ParseLine("[" + std::string(section) + "]", NewLineEnding()));
    FLines.push_back(ParseLine(std::string(key) + "=" + std::string(value), NewLineEnding()));
}

bool TIniDocument::DeleteKey(std::string_view section, std::string_view key)
{
    const size_t header = FindSection(section);
    if (header == std::string::npos) return false;
    key = TrimBlanks(key);
    const size_t end = SectionEnd(header);
    const auto first = FLines.begin() + static_cast<std::ptrdiff_t>(header + 1);
    const auto last = FLines.begin() + static_cast<std::ptrdiff_t>(end);
    const auto kept = std::remove_if(first, last, [key](const TLine& line) {
        return line.Kind == TKind::Entry && SameText(line.Name, key);
    });
    if (kept == last) return false;
    FLines.erase(kept, last);
    return true;
}

bool TIniDocument::EraseSection(std::string_view section)
{
    section = TrimBlanks(section);
    std::vector<TLine> kept;
    kept.reserve(FLines.size());
    bool erasing = false;
    bool removed = false;
    for (TLine& line : FLines) {
        if (line.Kind == TKind::Section) erasing = SameText(line.Name, section);
        if (erasing) {
            removed = true;
            continue;
        }
        kept.push_back(std::move(line));
    }
    FLines = std::move(kept);
    return removed;
}

std::string TIniDocument::Text() const
{
    size_t size = FByteOrderMark.size();
    for (const TLine& line : FLines) size += line.Text.size() + line.Ending.size();
    std::string out;
    out.reserve(size);
    out += FByteOrderMark;
    for (const TLine& line : FLines) {
        out += line.Text;
        out += line.Ending;
    }
    return out;
}
