// The painters of the skin bitmaps: each draws one kind of bitmap for a style
// at the size the resource has.
#pragma once

#include "skin/SkUIStyle.h"
#include "tools/skinart/ArtRaster.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace art {

struct Drawn {
    Image Picture;
    bool Keyed = false;           // see-through parts become magenta
    std::vector<uint32_t> Exact;  // colours the palette must keep as they are
};

// A picture of `count` equal slices side by side, slice i (0-based) drawn by paint(i, width, height).
Drawn Sliced(int width, int height, int count, bool keyed, const std::function<Image(int, int, int)>& paint);
std::vector<uint32_t> PixelsOf(const std::vector<Rgb>& colours);

// Faces: push buttons (3 slices), title bar buttons (18), tab scroll buttons (4),
// scroll bar buttons (6), the captioned panel's roll-up button (4).
Drawn PushButtons(TskUIStyle style, int width, int height);
Drawn TitleButtons(TskUIStyle style, int width, int height);
Drawn TabScrollButtons(TskUIStyle style, int width, int height);
Drawn ScrollBarButtons(TskUIStyle style, int width, int height);
Drawn PanelButton(int width, int height);

// Marks: check boxes, radio buttons and check list marks (4 slices each).
Drawn CheckBoxes(TskUIStyle style, int width, int height);
Drawn RadioButtons(TskUIStyle style, int width, int height);
Drawn CheckListMarks(TskUIStyle style, int width, int height);

// Title bar sections.
Drawn TitleLeft(TskUIStyle style, int width, int height);
Drawn TitleClient(TskUIStyle style, int width, int height);
Drawn TitleRight(TskUIStyle style, int width, int height);

// Tabs (2 slices) and the bar under them.
Drawn Tabs(TskUIStyle style, int width, int height);
Drawn TabBar(TskUIStyle style, int width, int height);

// Bars, grooves, thumbs and patterns.
Drawn ProgressBar(TskUIStyle style, int width, int height);
Drawn TrackBarBar(TskUIStyle style, int width, int height);
Drawn TrackBarSlider(TskUIStyle style, int width, int height);
Drawn TrackBarSliderV(TskUIStyle style, int width, int height);
Drawn ScrollBarThumbs(TskUIStyle style, int width, int height);
Drawn SideChannelHandle(TskUIStyle style, int width, int height);
Drawn SideChannelBar(TskUIStyle style, int width, int height);
Drawn MenuBar(int width, int height);
Drawn MenuSelect(int width, int height);
Drawn FormBackground(TskUIStyle style);

}  // namespace art
