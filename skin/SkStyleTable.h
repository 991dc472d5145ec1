// The built-in style table: for each of the 48 entries a key, a type and one
// value per built-in style, and the accessors the controls read it through.
// Every accessor answers an entry of another type, an entry number outside
// 1..48 and a style that is not built in (FromThemeFile, a corrupt value) with
// its neutral value: 0, -1, false, or the bitmap left as it is.
#pragma once

#include "classlib/graphics/Color.h"
#include "skin/SkUIStyle.h"

#include <cstdint>
#include <string>

class TBitmap;

struct TskStyleValue {
    int32_t Number = 0;          // Int, Color (0x00BBGGRR) and Bool (0 or 1) entries
    const char* Name = nullptr;  // Str entries: a BITMAP resource name, possibly empty
};

struct TskStyleEntry {
    const char* Key;  // also the entry's key in a theme file
    TskType Type;
    TskStyleValue Values[5];  // MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

// Entry Index (1..48), or nullptr outside the table.
const TskStyleEntry* StyleEntry(int Index);
// The value of entry Index for a built-in style, or nullptr when the style is
// not built in or the entry does not exist.
const TskStyleValue* InsideThemeValue(TskUIStyle UIStyle, int Index);

// When the entry names a bitmap, loads that BITMAP resource into Bitmap: the
// whole picture when SpitCount is 0, else slice SpitIndex of SpitCount
// (SpitBitmap). Nothing happens for a nil Bitmap, another type of entry or an
// empty name; a name without a resource raises EResNotFound.
void GetInsideThemeBitmap(TskUIStyle UIStyle, int Index, TBitmap* Bitmap, int SpitCount = 0, int SpitIndex = 0);
// The resource name a Str entry holds; empty for any other entry.
std::string GetInsideThemeBitmapName(TskUIStyle UIStyle, int Index);
// The entry's colour, or 0.
TColor GetInsideThemeColor(TskUIStyle UIStyle, int Index);
// The entry's integer, or -1.
int GetInsideThemeInt(TskUIStyle UIStyle, int Index);
// The entry's flag, or false.
bool GetInsideThemeBool(TskUIStyle UIStyle, int Index);
