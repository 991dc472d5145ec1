// The UI styles of the skinned controls and the types of the style table's entries.
#pragma once

#include <cstdint>

// A control's look. Stored in one byte; a value beyond BlueGlass can only come
// from a corrupt store and reads like FromThemeFile in the built-in table.
enum class TskUIStyle : uint8_t {
    FromThemeFile = 0,  // values come from the control's TskFileTheme (DeepBlue without a usable one)
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,       // every control's default and the fallback
    Protein = 4,
    BlueGlass = 5,
};

// What a style-table entry holds.
enum class TskType : uint8_t {
    Int = 0,
    Color = 1,
    Str = 2,   // the name of a BITMAP resource
    Bool = 3,
};

// Entries of the built-in table are numbered 1..skStyleEntryCount.
constexpr int skStyleEntryCount = 48;
