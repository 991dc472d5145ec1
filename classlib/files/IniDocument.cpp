// Scanning and editing INI text line by line, in place in one string.
#include "classlib/files/IniDocument.h"

#include "classlib/system/SysUtils.h"

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

TIniDocument::TIniDocument(std::string_view text) : TIniDocument(std::string(text)) {}

TIniDocument::TIniDocument(std::string&& text) : FText(std::move(text))
{
    if (std::string_view(FText).substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        FByteOrderMark = std::string(kByteOrderMark);
        FText.erase(0, kByteOrderMark.size());
    }
}

bool TIniDocument::NextLine(size_t from, TLine& line) const
{
    const std::string_view text(FText);
    const size_t size = text.size();
    // Blank lines and leading blanks are passed in one sweep: a file of
    // nothing but line ends costs one comparison per byte.
    size_t start = from;
    size_t p = from;
    for (; p < size; ++p) {
        const char c = text[p];
        if (c == '\n' || c == '\r') start = p + 1;
        else if (c != ' ' && c != '\t') break;
    }
    if (p >= size) return false;
    size_t end = p;
    while (end < size && text[end] != '\n' && text[end] != '\r') ++end;
    line.Start = start;
    line.End = end;
    line.Next = end == size ? size : end + (text[end] == '\r' && end + 1 < size && text[end + 1] == '\n' ? 2 : 1);
    line.Kind = TKind::Other;
    line.Name = {};
    line.Value = {};
    const std::string_view body = TrimBlanks(text.substr(p, end - p));
    if (body.front() == '[') {
        const size_t close = body.find(']');
        if (close != std::string_view::npos) {
            line.Kind = TKind::Section;
            line.Name = TrimBlanks(body.substr(1, close - 1));
        }
    } else if (body.front() != ';') {
        const size_t equals = body.find('=');
        if (equals != std::string_view::npos) {
            const std::string_view key = TrimBlanks(body.substr(0, equals));
            if (!key.empty()) {
                line.Kind = TKind::Entry;
                line.Name = key;
                line.Value = TrimBlanks(body.substr(equals + 1));
            }
        }
    }
    return true;
}

bool TIniDocument::FindSection(std::string_view section, TLine& header) const
{
    section = TrimBlanks(section);
    for (size_t at = 0; NextLine(at, header); at = header.Next)
        if (header.Kind == TKind::Section && SameText(header.Name, section)) return true;
    return false;
}

bool TIniDocument::FindEntry(const TLine& header, std::string_view key, TLine& entry, TLine& last) const
{
    key = TrimBlanks(key);
    last = header;
    for (size_t at = header.Next; NextLine(at, entry) && entry.Kind != TKind::Section; at = entry.Next) {
        if (entry.Kind == TKind::Entry && SameText(entry.Name, key)) return true;
        last = entry;
    }
    return false;
}

bool TIniDocument::FindValue(std::string_view section, std::string_view key, std::string& value) const
{
    TLine header, entry, last;
    if (!FindSection(section, header) || !FindEntry(header, key, entry, last)) return false;
    value = std::string(Unquote(entry.Value));
    return true;
}

bool TIniDocument::SectionExists(std::string_view section) const
{
    TLine header;
    return FindSection(section, header);
}

std::vector<std::string> TIniDocument::SectionNames() const
{
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    TLine line;
    for (size_t at = 0; NextLine(at, line); at = line.Next)
        if (line.Kind == TKind::Section && seen.insert(UpperCase(line.Name)).second) names.emplace_back(line.Name);
    return names;
}

std::vector<std::pair<std::string, std::string>> TIniDocument::SectionEntries(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    TLine header;
    if (!FindSection(section, header)) return entries;
    std::unordered_set<std::string> seen;
    TLine line;
    for (size_t at = header.Next; NextLine(at, line) && line.Kind != TKind::Section; at = line.Next) {
        if (line.Kind == TKind::Entry && seen.insert(UpperCase(line.Name)).second)
            entries.emplace_back(std::string(line.Name), std::string(Unquote(line.Value)));
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

std::string TIniDocument::NewLineEnding() const
{
    const size_t brk = FText.find_first_of("\r\n");
    if (brk == std::string::npos) return "\n";
    if (FText[brk] == '\n') return "\n";
    return brk + 1 < FText.size() && FText[brk + 1] == '\n' ? "\r\n" : "\r";
}

void TIniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    const std::string ending = NewLineEnding();
    TLine header;
    if (FindSection(section, header)) {
        TLine entry, last;
        if (FindEntry(header, key, entry, last)) {
            const std::string line = std::string(entry.Name) + "=" + std::string(value);
            FText.replace(entry.Start, entry.End - entry.Start, line);
            return;
        }
        // After the section's last line that is not blank.
        std::string added = std::string(key) + "=" + std::string(value) + ending;
        if (last.Next == last.End) added.insert(0, ending); // that line ends the text without a line end
        FText.insert(last.Next, added);
        return;
    }
    if (!FText.empty()) {
        const size_t size = FText.size();
        const bool ended = FText[size - 1] == '\n' || FText[size - 1] == '\r';
        size_t lastEnd = size;
        if (ended) lastEnd -= FText[size - 1] == '\n' && size >= 2 && FText[size - 2] == '\r' ? 2 : 1;
        const size_t brk = lastEnd == 0 ? std::string::npos : FText.find_last_of("\r\n", lastEnd - 1);
        const size_t lastStart = brk == std::string::npos ? 0 : brk + 1;
        const bool blank = TrimBlanks(std::string_view(FText).substr(lastStart, lastEnd - lastStart)).empty();
        if (!ended) FText += ending;
        if (!blank) FText += ending;
    }
    FText += "[" + std::string(section) + "]" + ending + std::string(key) + "=" + std::string(value) + ending;
}

bool TIniDocument::DeleteKey(std::string_view section, std::string_view key)
{
    TLine header;
    if (!FindSection(section, header)) return false;
    key = TrimBlanks(key);
    std::string kept;
    size_t copied = 0;
    TLine line;
    for (size_t at = header.Next; NextLine(at, line) && line.Kind != TKind::Section; at = line.Next) {
        if (line.Kind != TKind::Entry || !SameText(line.Name, key)) continue;
        if (copied == 0) kept.reserve(FText.size());
        kept.append(FText, copied, line.Start - copied);
        copied = line.Next;
    }
    if (copied == 0) return false;
    kept.append(FText, copied, std::string::npos);
    FText = std::move(kept);
    return true;
}

bool TIniDocument::EraseSection(std::string_view section)
{
    section = TrimBlanks(section);
    std::string kept;
    size_t copied = 0;
    bool erasing = false;
    bool removed = false;
    TLine line;
    for (size_t at = 0; NextLine(at, line); at = line.Next) {
        if (line.Kind != TKind::Section) continue;
        const bool match = SameText(line.Name, section);
        if (match && !erasing) {
            if (!removed) kept.reserve(FText.size());
            kept.append(FText, copied, line.Start - copied);
            removed = true;
        } else if (!match && erasing) {
            copied = line.Start;
        }
        erasing = match;
    }
    if (!removed) return false;
    if (!erasing) kept.append(FText, copied, std::string::npos);
    FText = std::move(kept);
    return true;
}

std::string TIniDocument::Text() const
{
    return FByteOrderMark + FText;
}
