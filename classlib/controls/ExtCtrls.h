// TTimer (a window-message timer), TCustomPanel/TPanel and TImage.
#pragma once

#include "classlib/controls/Controls.h"
#include "classlib/graphics/Picture.h"

#include <memory>

// Calls OnTimer every Interval milliseconds through WM_TIMER of a hidden
// utility window. No source runs without a handler, with Interval 0 or while
// disabled.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent handler);

protected:
    // Raises OnTimer.
    virtual void Timer();
    void Loaded() override;
    // Raises EOutOfResources "No timer resources left." when the timer cannot be set.
    void UpdateTimer();

private:
    void WndProc(TMessage& message);
    HWND FWindowHandle = 0;
    UINT FInterval = 1000;
    bool FEnabled = true;
    TNotifyEvent FOnTimer;
};

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment : uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };
enum TBorderStyle : uint8_t { bsNoBorder, bsSingleBorder };

// Draws a raised or lowered frame of width pixels on rect and shrinks rect by it.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

// A windowed container: fills itself with Color, draws its bevels and caption.
class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool value) { FFullRepaint = value; }
    bool Locked() const { return FLocked; }
    void SetLocked(bool value) { FLocked = value; }
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool value) { FParentBackground = value; }

protected:
    void Paint() override;
    void AdjustClientRect(TRect& Rect) override;
    void CMTextChanged(TMessage& Message) override;

private:
    TAlignment FAlignment = taCenter;
    TVerticalAlignment FVerticalAlignment = taVerticalCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNoBorder;
    bool FFullRepaint = true;
    bool FLocked = false;
    bool FParentBackground = false;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// Shows a picture: at the top-left, centred, or stretched (optionally keeping its proportions).
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    TPicture* Picture() { return &FPicture; }
    void SetPicture(const TPicture* value) { FPicture.Assign(value); }
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // Where the picture lands in the client area.
    TRect DestRect();

protected:
    void Paint() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

private:
    void PictureChanged();
    TPicture FPicture;
    bool FCenter = false;
    bool FStretch = false;
    bool FProportional = false;
    bool FTransparent = false;
};
