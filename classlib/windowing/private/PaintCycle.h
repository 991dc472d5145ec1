// The paint cycle inside the windowing layer: which window needs painting,
// the visible pieces of a window, and painting one window now.
#pragma once

#include "classlib/windowing/private/Guard.h"
#include "classlib/windowing/private/RectList.h"

struct TWindowObject;

// The parts of rect (buffer coordinates) that belong to the window: its
// client area (or whole window) within every parent's client area, without
// its child windows and without the siblings above it and above its parents.
void VisiblePieces(TWindowObject* w, const TRect& rect, bool clientOnly, TRectList& pieces);
// Paints the window's invalid part now (WM_NCPAINT, WM_ERASEBKGND, WM_PAINT).
void PaintWindowObject(TWindowObject* w);
// A window of the tree that needs painting, parents first; nullptr when none.
TWindowObject* FirstInvalid(TWindowObject* root);
void InvalidateTree(TWindowObject* w, bool erase);
