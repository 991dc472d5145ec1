// Theme files: a component that would serve the 48 style entries from a skin
// file to controls whose style is FromThemeFile. No theme file format is
// supported, so a file theme is never usable and such controls look DeepBlue.
#pragma once

#include "classlib/graphics/Color.h"
#include "classlib/system/Component.h"
#include "skin/SkUIStyle.h"

class TBitmap;

class TskFileTheme : public TComponent {
public:
    explicit TskFileTheme(TComponent* AOwner) : TComponent(AOwner) {}

    // True once a theme file has been loaded; never, as nothing can load one.
    bool Usable() const { return false; }

    // Entry Index of the loaded theme, with the neutral values of the built-in
    // accessors while none is loaded: the bitmap unchanged, 0, -1, false.
    void GetBitmap(int Index, TBitmap* Bitmap, int SpitCount = 0, int SpitIndex = 0) const {}
    TColor GetColor(int Index) const { return 0; }
    int GetInt(int Index) const { return -1; }
    bool GetBool(int Index) const { return false; }
};

// Decides where a control's values come from. A UIStyle other than
// FromThemeFile: Style := UIStyle, false (the built-in table). FromThemeFile
// with a usable FileTheme: true (read the theme). Otherwise Style := DeepBlue, false.
bool UsingFileTheme(const TskFileTheme* FileTheme, TskUIStyle UIStyle, TskUIStyle& Style);

// Entry Index for a control with this FileTheme and UIStyle: from the theme when
// UsingFileTheme says so, else from the built-in table for the style it gives.
void GetThemeBitmap(const TskFileTheme* FileTheme, TskUIStyle UIStyle, int Index, TBitmap* Bitmap, int SpitCount = 0,
                    int SpitIndex = 0);
TColor GetThemeColor(const TskFileTheme* FileTheme, TskUIStyle UIStyle, int Index);
int GetThemeInt(const TskFileTheme* FileTheme, TskUIStyle UIStyle, int Index);
bool GetThemeBool(const TskFileTheme* FileTheme, TskUIStyle UIStyle, int Index);
