// Drawing objects: pens, brushes, fonts, the canvas and bitmaps.
// Every picture is drawn in software into 32-bit surfaces of 0x00RRGGBB pixels.
#pragma once

#include "classlib/system/Classes.h"
#include "classlib/graphics/Color.h"
#include "classlib/raster/RasterTypes.h"
#include "classlib/system/Types.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TStream;
class TCanvas;
class TBitmap;

// ----------------------------------------------------------------------------
// Pens, brushes and fonts: each tells its owner when it changes.

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    // An 8 x 8 pattern tiled from the surface's origin; not owned. A monochrome
    // pattern paints its black pixels in the font colour and its white pixels in
    // the brush colour.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* value);
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;

class TFont : public TGraphicsObject {
public:
    static constexpr int PixelsPerInch = 96;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    // Pixels; a negative height is the character height without internal leading.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // Points, derived from the height at 96 pixels per inch.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Charset() const { return FCharset; }
    void SetCharset(int value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    void Assign(const TPersistent* source) override;

private:
    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    int FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
};

// ----------------------------------------------------------------------------
// The canvas.


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

// ----------------------------------------------------------------------------
// Pictures.

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// Pictures refuse dimensions beyond this, in either direction.
constexpr int MaxGraphicDimension = 32768;
// Decoders also refuse pictures of more pixels than this (256 MB of 32-bit pixels)
// and files larger than MaxPictureFileBytes, before allocating anything.
constexpr int64_t MaxGraphicPixels = int64_t(1) << 26;
constexpr int64_t MaxPictureFileBytes = int64_t(1) << 29;
// Raises EInvalidGraphic "<format> image is not valid: ..." unless a decoded
// picture of width x height pixels is within the limits above.
void CheckGraphicSize(const char* format, int64_t width, int64_t height);

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetSize(int width, int height) = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    // Paints the picture stretched into rect of the canvas.
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path);

    TNotifyEvent OnChange;

protected:
    void Changed();
    bool FTransparent = false;
};

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int value) { SetSize(value, FHeight); }
    void SetHeight(int value) { SetSize(FWidth, value); }
    // Resizes; pixels inside both sizes are kept, new ones are white.
    void SetSize(int width, int height) override;

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool value);

    TCanvas* Canvas() { return &FCanvas; }
    const TPixelSurface& Surface() const { return FSurface; }
    uint32_t* ScanLine(int y) { return FSurface.Row(y); }
    const uint32_t* ScanLine(int y) const { return FSurface.Row(y); }

    // The colour drawn as see-through when Transparent: with tmAuto the
    // bottom-left pixel, with tmFixed the colour set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);

    void Draw(TCanvas* canvas, const TRect& rect) override;
    // BMP files of 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or top-down.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // A BITMAP resource compiled into the executable; EResNotFound when missing.
    void LoadFromResourceName(const std::string& name);
    // Replaces the picture by width x height pixels (rows top-down), taking over the
    // buffer; decoders build the new picture first so a failed load changes nothing.
    void AssignPixels(int width, int height, std::vector<uint32_t>&& pixels, TPixelFormat format);
    void Assign(const TPersistent* source) override;
    void FreeImage() {}
    void Dormant() {}

private:
    void Allocate(int width, int height);
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint32_t> FPixels;
    TPixelSurface FSurface;
    TCanvas FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};

// Holds one graphic of any kind; LoadFromFile picks the kind by the file's extension.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // The graphic as a bitmap; replaces a graphic of another kind by an empty bitmap.
    TBitmap* Bitmap();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path);
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    std::unique_ptr<TGraphic> FGraphic;
};
