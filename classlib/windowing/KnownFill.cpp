#include "classlib/windowing/private/KnownFill.h"

void TKnownFill::Reset(const TRect& bounds, uint32_t pixel)
{
    FBounds = bounds;
    FUnknown.Clear();
    FPixel = pixel;
}

void TKnownFill::Forget()
{
    FUnknown.Clear();
    FUnknown.Add(FBounds);
}

void TKnownFill::Drawn(const TRect& area)
{
    // A full list collapses into its bounding box: more unknown, still true.
    FUnknown.Add(area);
}

void TKnownFill::Fill(const TRect& area, uint32_t pixel, TRectList& todo)
{
    todo.Clear();
    if (pixel != FPixel) {
        todo.Add(area);
        FUnknown.Clear();
        FUnknown.Add(FBounds);
        FUnknown.Subtract(area);  // one rectangle minus another always fits
        FPixel = pixel;
        return;
    }
    for (const TRect& u : FUnknown) todo.Add(IntersectRect(u, area));
    if (!FUnknown.Subtract(area)) return;  // too many pieces: they stay unknown
    // Drop the pieces another one covers, so the list does not grow pass by pass.
    TRectList pruned;
    for (const TRect& u : FUnknown) pruned.Add(u);
    FUnknown = pruned;
}

void TKnownFill::MayDiffer(uint32_t pixel, TRectList& out) const
{
    if (pixel != FPixel) {
        out.Add(FBounds);
        return;
    }
    out.Add(FUnknown);
}
