// The canvas: drawing with a pen, a brush and a font on a surface of 32-bit
// 0x00RRGGBB pixels, clipped and with a logical origin.
#pragma once

#include "classlib/graphics/GraphicsObjects.h"
#include "classlib/raster/RasterTypes.h"
#include "classlib/system/Types.h"

#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

class TGraphic;
class TBitmap;

// Flags of TCanvas::DrawText.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;

// Draws on a TPixelSurface. Logical coordinates are device coordinates minus
// Origin(); every operation is clipped to the clip rectangle and the surface.
class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
    TFont* Font() { return &FFont; }
    void SetPen(const TPen* pen) { FPen.Assign(pen); }
    void SetBrush(const TBrush* brush) { FBrush.Assign(brush); }
    void SetFont(const TFont* font) { FFont.Assign(font); }

    // The surface drawn on. The clip is reset to the whole surface.
    void SetSurface(const TPixelSurface& surface);
    const TPixelSurface& Surface() const { return FSurface; }
    bool HandleAllocated() const { return static_cast<bool>(FSurface); }

    // Device position of the logical point (0, 0).
    TPoint Origin() const { return FOrigin; }
    void SetOrigin(TPoint origin);
    // The clip rectangle in logical coordinates.
    TRect ClipRect() const;
    // Restricts drawing to rect (logical coordinates), within the surface.
    void SetClipRect(const TRect& rect);
    // The clip in device coordinates, always within the surface.
    TRect DeviceClip() const { return FDeviceClip; }

    // Saves pen, brush, font, origin, clip and pen position; RestoreState(id)
    // returns to the state saved under id (and drops later saves).
    int SaveState();
    void RestoreState(int id);

    // Serialises drawing from several owners of one surface (not reentrant-safe across threads by itself).
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return FLockCount; }

    TFillMode FillMode() const { return FFillMode; }
    void SetFillMode(TFillMode mode) { FFillMode = mode; }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }
    // Device pixel at which pattern and hatch brushes start their tile; like the
    // surface origin it ignores Origin(). (0, 0) unless set.
    TPoint BrushOrigin() const { return FBrushOrigin; }
    void SetBrushOrigin(TPoint origin) { FBrushOrigin = origin; }

    // Shapes: filled with the brush (unless clear), outlined with the pen (unless clear).
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Polygon(const TPoint* points, int count);
    void Polygon(std::initializer_list<TPoint> points) { Polygon(points.begin(), static_cast<int>(points.size())); }
    void Polygon(const std::vector<TPoint>& points) { Polygon(points.data(), static_cast<int>(points.size())); }
    // Rectangles with the brush only.
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    // A dotted frame, XOR-ed onto the surface (drawing it twice restores the pixels).
    void DrawFocusRect(const TRect& rect);

    // Lines with the pen: the start pixel is drawn, the end pixel is not.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const TPoint* points, int count);
    void Polyline(std::initializer_list<TPoint> points) { Polyline(points.begin(), static_cast<int>(points.size())); }

    // One pixel as an RGB TColor; outside the clip or the surface reading gives -1
    // and writing does nothing.
    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor color);

    // Copies: source rectangles are in the source's logical coordinates and are
    // stretched to the destination rectangle when the sizes differ.
    void Draw(int x, int y, class TGraphic* graphic);
    void StretchDraw(const TRect& rect, class TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    // A stretched copy of bitmap's source rectangle in which pixels of the key
    // colour are replaced by the brush.
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);
    // CopyRect that leaves out the source pixels of the transparent colour.
    void TransparentCopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect, TColor transparentColor);

    // Text in the font, drawn in the font colour over a background of the brush
    // (unless the brush is clear).
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    TSize TextExtent(const std::string& text);
    // Formats text in rect by the DT_ flags; returns the text height. With
    // DT_CALCRECT only measures, setting rect's right and bottom edges.
    int DrawText(const std::string& text, TRect& rect, unsigned flags);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

private:
    struct SavedState;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TPixelSurface FSurface;
    TPoint FOrigin;
    TRect FDeviceClip;
    TPoint FPenPos;
    TFillMode FFillMode = fmAlternate;
    TPoint FBrushOrigin;
    std::vector<SavedState> FSaved;
    std::recursive_mutex FLock;
    int FLockCount = 0;
};
