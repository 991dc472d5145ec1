// A registry hive held in memory and stored as regedit text:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Quorvex\Screensaver]
//   "Style"=dword:00000001
//   "Name"="text with \\ and \" escaped"
//   "Blob"=hex:01,02,03
//   "Other"=hex(7):61,00,00
//   @="the key's unnamed value"
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
};

struct TRegistryKey {
    std::string Path; // below the root, segments joined by "\"; "" is the root itself
    std::vector<TRegistryValue> Values;
};

class TRegistryHive {
public:
    // rootName: the first segment of every key line, e.g. "HKEY_LOCAL_MACHINE".
    explicit TRegistryHive(std::string rootName);

    // Replaces the content with the parsed text. False, with the hive left
    // empty, when the text is not a hive of this root: everything must be
    // understood, so a file that is not ours is never rewritten.
    bool Parse(std::string_view text);
    std::string Text() const;

    // Key paths and value names are matched without regard to ASCII case.
    TRegistryKey* FindKey(std::string_view path);
    const TRegistryKey* FindKey(std::string_view path) const;
    // A key exists when it is stored or when a stored key lies below it.
    bool KeyExists(std::string_view path) const;
    TRegistryKey& CreateKey(std::string_view path);

    static TRegistryValue* FindValue(TRegistryKey& key, std::string_view name);
    static const TRegistryValue* FindValue(const TRegistryKey& key, std::string_view name);
    // Sets (or adds) the value, keeping the spelling of an existing name.
    static void SetValue(TRegistryKey& key, std::string_view name, uint32_t type, std::vector<uint8_t> data);
    static bool DeleteValue(TRegistryKey& key, std::string_view name);

    // True for a path of non-empty segments without control characters.
    static bool IsValidPath(std::string_view path);
    // True for a value name that fits on a line.
    static bool IsValidValueName(std::string_view name);

    const std::string& RootName() const { return FRootName; }
    const std::vector<TRegistryKey>& Keys() const { return FKeys; }

private:
    std::string FRootName;
    std::vector<TRegistryKey> FKeys;
};
