// The text of an INI file: lookups with the profile functions' rules and
// edits that leave every untouched line exactly as it was. The text is kept
// as one string and scanned for each lookup, so a document costs the memory
// of its text and a lookup time linear in it, however many lines it has.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TIniDocument {
public:
    TIniDocument() = default;
    // Parses any text: a UTF-8 byte-order mark, CR, LF or CRLF line ends,
    // arbitrarily long lines and bytes that are no text are all accepted.
    explicit TIniDocument(std::string_view text);
    // The same, taking over the text without copying it.
    explicit TIniDocument(std::string&& text);

    // Section and key are matched without regard to ASCII case and with
    // surrounding blanks ignored; the first of duplicate sections, and the
    // first of duplicate keys within it, is the one found. The value has its
    // blanks trimmed and one pair of enclosing quotes (" or ') removed.
    bool FindValue(std::string_view section, std::string_view key, std::string& value) const;
    bool SectionExists(std::string_view section) const;
    // Section names in file order, each name once.
    std::vector<std::string> SectionNames() const;
    // The keys and values of the section, each key once.
    std::vector<std::pair<std::string, std::string>> SectionEntries(std::string_view section) const;

    // True when the name can be written without changing the file's structure.
    static bool IsValidSectionName(std::string_view section);
    static bool IsValidKeyName(std::string_view key);
    static bool IsValidValue(std::string_view value);

    // Replaces the value in place, or adds the key after the last line of its
    // section, or adds the section at the end. Names and value must be valid.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key's lines from the section; false when there were none.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes every section of that name with all its lines; false when none.
    bool EraseSection(std::string_view section);

    std::string Text() const;

private:
    enum class TKind { Other, Section, Entry };
    // One line that is not blank: [Start, End) is its text without the line
    // ending, Next the start of the following line.
    struct TLine {
        size_t Start = 0;
        size_t End = 0;
        size_t Next = 0;
        TKind Kind = TKind::Other;
        std::string_view Name;  // section name, or key as written (trimmed)
        std::string_view Value; // entry value (trimmed)
    };

    // The first line at or after `from` (a line start) that is not blank.
    bool NextLine(size_t from, TLine& line) const;
    // The first header of the section.
    bool FindSection(std::string_view section, TLine& header) const;
    // The first entry of the key in the section that starts at `header`;
    // `last` is the section's last line that is not blank.
    bool FindEntry(const TLine& header, std::string_view key, TLine& entry, TLine& last) const;
    std::string NewLineEnding() const;

    std::string FByteOrderMark;
    std::string FText;
};
