// A child window that moves keeps its pixels: what showed of it is copied to
// its new place, so only the parent's uncovered strip and any part that was
// hidden before need painting.
#pragma once

#include "classlib/system/Types.h"
#include "classlib/windowing/private/Guard.h"

struct TWindowObject;

// The part of a child window (with its children) that shows in its top-level
// window's buffer, when that is one rectangle; empty otherwise.
TRect ShownTreeArea(TWindowObject* w);
// A plain move of child window w is about to happen: true when its pixels
// will be carried to the new place (by FlushCarry, after AddCarry), so it
// need not be repainted. Any other pending carry is done first.
bool BeginCarry(TWindowObject* w);
void AddCarry(TWindowObject* w, int dx, int dy);
// Copies the pixels of the pending move, and invalidates the moved window if
// part of its new place showed nothing of it before. Everything that draws
// on, presents or rearranges windows calls this first.
void FlushCarry();
