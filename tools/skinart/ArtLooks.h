// The colours of each style's artwork and the row colours of its title bar,
// shared by everything drawn on or beside the bar.
#pragma once

#include "skin/SkUIStyle.h"
#include "tools/skinart/ArtRaster.h"

#include <vector>

namespace art {

struct Look {
    Rgb Form;          // the form's background (style entry 15)
    Rgb Control;       // a control's background (entry 26)
    Rgb Border;        // a control's border (entry 25)
    Rgb ScrollBar;     // a scroll bar's background (entry 31)
    Rgb Accent;        // selections and checked marks
    Rgb FaceTop, FaceBottom, FaceBorder;  // a push button's face at rest
    Rgb HoverTop, HoverBottom, HoverBorder;
    Rgb DownTop, DownBottom, DownBorder;
    Rgb Glyph;         // arrows and marks on faces
    double Radius;     // corner radius of faces
};

const Look& LookOf(TskUIStyle style);

// The colour of each row of the style's title bar art (its height rows).
std::vector<Rgb> TitleRows(TskUIStyle style);

// The transparent surroundings of a shape are blended against this colour.
Rgb TitleMidColour(TskUIStyle style);

// Row colours of the MacOS captioned panel's bar, shared by its roll-up button.
std::vector<Rgb> PanelBarRows();

}  // namespace art
