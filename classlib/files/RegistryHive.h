// A registry hive stored as regedit text:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Quorvex\Screensaver]
//   "Style"=dword:00000001
//   "Name"="text with \\ and \" escaped"
//   "Blob"=hex:01,02,03
//   "Other"=hex(7):61,00,00
//   @="the key's unnamed value"
//
// The first line may also be "Windows Registry Editor Version 5.00", the
// header of the newer export format, in which the hex forms of text values
// hold UTF-16 LE; in memory text values are UTF-8 either way.
//
// The hive is the text itself, scanned for each lookup, so it costs the
// memory of the text however many lines it has. Each line is read on its
// own: a line that cannot be understood (a malformed value, a key of another
// root, anything else) is passed over, and the values below a key line that
// cannot be understood belong to no key. Edits change only the lines of the
// values they set or delete; every other line, comments and the lines that
// could not be read included, stays exactly as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum : uint32_t {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_DWORD_BIG_ENDIAN = 5,
    REG_LINK = 6,
    REG_MULTI_SZ = 7,
    REG_QWORD = 11,
};

struct TRegistryValue {
    std::string Name; // "" is the key's unnamed value
    uint32_t Type = REG_NONE;
    std::vector<uint8_t> Data;

    bool operator==(const TRegistryValue&) const = default;
};

struct TRegistryKey {
    std::string Path; // below the root, segments joined by "\"; "" is the root itself
    std::vector<TRegistryValue> Values;

    bool operator==(const TRegistryKey&) const = default;
};

class TRegistryHive {
public:
    // rootName: the first segment of every key line, e.g. "HKEY_LOCAL_MACHINE".
    explicit TRegistryHive(std::string rootName);

    // Takes the text of a hive file (a UTF-8 byte-order mark is kept). False,
    // with the hive left empty, when the first line that is not blank is no
    // header: a file that is not a hive is never read or rewritten. Blank
    // text is an empty hive.
    bool Parse(std::string text);
    // The text with every edit made; an empty hive gets the REGEDIT4 header.
    std::string Text() const;

    // Key paths and value names are matched without regard to ASCII case.
    // A key exists when its line is there or when a key below it is.
    bool KeyExists(std::string_view path) const;
    // The path as the key's first line spells it; false when it has no line.
    bool StoredKeyPath(std::string_view path, std::string& spelled) const;
    // The value as the key's last readable line of that name gives it (an
    // import sets a value twice given to the later one); false when none.
    bool FindValue(std::string_view path, std::string_view name, TRegistryValue& value) const;
    // Every key that has a line, with its readable values, in file order.
    std::vector<TRegistryKey> Keys() const;

    // Adds the key's line at the end when it has none (and the path is valid).
    void CreateKey(std::string_view path);
    // Rewrites the line of the value that FindValue gives, keeping the name's
    // spelling, or adds one after the key's last line that is not blank
    // (adding the key when it is missing). False, with nothing changed, for
    // an invalid path or name, or data that cannot be written in the hive's
    // format (text that is no UTF-8 in a hex form of the newer format).
    bool SetValue(std::string_view path, std::string_view name, uint32_t type, const std::vector<uint8_t>& data);
    // Removes every readable line of the value in the key; false when none.
    bool DeleteValue(std::string_view path, std::string_view name);

    // True for a path of non-empty segments without control characters.
    static bool IsValidPath(std::string_view path);
    // True for a value name that fits on a line.
    static bool IsValidValueName(std::string_view name);

    const std::string& RootName() const { return FRootName; }

private:
    struct TLine;
    struct TScan;
    // Calls visit(line) for every logical line that is not blank, after the header.
    template <typename TVisit>
    void Scan(TVisit&& visit) const;
    bool ReadValueLine(const TLine& line, TRegistryValue& value) const;
    std::string ValueLine(std::string_view name, uint32_t type, const std::vector<uint8_t>& data, bool& ok) const;
    std::string NewLineEnding() const;
    void AppendKey(std::string_view path, const std::string& valueLine);
    void Insert(size_t at, std::string lines);

    std::string FRootName;
    std::string FByteOrderMark;
    std::string FText;
    size_t FBodyStart = 0;    // the first line after the header
    bool FHeaderSeen = false; // false for a blank text
    bool FUnicode = false;    // the header of the newer format
};
