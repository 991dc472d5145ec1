// Choosing between a theme file and the built-in table.
#include "skin/SkFileTheme.h"

#include "skin/SkStyleTable.h"

bool UsingFileTheme(const TskFileTheme* FileTheme, TskUIStyle UIStyle, TskUIStyle& Style)
{
    if (UIStyle != TskUIStyle::FromThemeFile) {
        Style = UIStyle;
        return false;
    }
    if (FileTheme && FileTheme->Usable()) return true;
    Style = TskUIStyle::DeepBlue;
    return false;
}

void GetThemeBitmap(const TskFileTheme* FileTheme, TskUIStyle UIStyle, int Index, TBitmap* Bitmap, int SpitCount,
                    int SpitIndex)
{
    TskUIStyle style = UIStyle;
    if (UsingFileTheme(FileTheme, UIStyle, style))
        FileTheme->GetBitmap(Index, Bitmap, SpitCount, SpitIndex);
    else
        GetInsideThemeBitmap(style, Index, Bitmap, SpitCount, SpitIndex);
}

TColor GetThemeColor(const TskFileTheme* FileTheme, TskUIStyle UIStyle, int Index)
{
    TskUIStyle style = UIStyle;
    return UsingFileTheme(FileTheme, UIStyle, style) ? FileTheme->GetColor(Index) : GetInsideThemeColor(style, Index);
}

int GetThemeInt(const TskFileTheme* FileTheme, TskUIStyle UIStyle, int Index)
{
    TskUIStyle style = UIStyle;
    return UsingFileTheme(FileTheme, UIStyle, style) ? FileTheme->GetInt(Index) : GetInsideThemeInt(style, Index);
}

bool GetThemeBool(const TskFileTheme* FileTheme, TskUIStyle UIStyle, int Index)
{
    TskUIStyle style = UIStyle;
    return UsingFileTheme(FileTheme, UIStyle, style) ? FileTheme->GetBool(Index) : GetInsideThemeBool(style, Index);
}
