// The bases of the LED clock's control family: a component with a version,
// non-windowed and windowed controls whose repaint requests can be held back,
// and controls that draw into an off-screen bitmap copied to the screen in one
// block, optionally over a captured image of what lies beneath them.
#pragma once

#include "classlib/controls/CustomControl.h"
#include "classlib/controls/GraphicControl.h"
#include "classlib/graphics/Bitmap.h"

#include <string>

// The version every component of the family reports.
inline constexpr const char* DmVersion = "1.3";

class TDmComponent : public TComponent {
public:
    explicit TDmComponent(TComponent* AOwner);
    const std::string& Version() const { return FVersion; }
    void SetVersion(const std::string& value) { FVersion = value; }

private:
    std::string FVersion = DmVersion;
};

// What the non-windowed and the windowed bases share: the version, repaint
// requests that are dropped while loading or while updates are held, and the
// mouse-enter, mouse-leave, font and text notifications as overridable calls.
template <class TBase>
class TDmControlBase : public TBase {
public:
    explicit TDmControlBase(TComponent* AOwner);

    const std::string& Version() const { return FVersion; }
    void SetVersion(const std::string& value) { FVersion = value; }

    bool Designing() const { return (this->ComponentState() & csDesigning) != 0; }
    bool Loading() const { return TBase::Loading(); }

    // Repaints now, unless loading or inside BeginUpdate/EndUpdate.
    virtual void UpdateControlCanvas();
    void BeginUpdate() { ++FUpdateNesting; }
    // Ends one BeginUpdate; the repaint happens once the last one has ended.
    void EndUpdate();
    int UpdateNesting() const { return FUpdateNesting; }

    // Fills the client rectangle of the control's own canvas with Color.
    void ClearClientCanvas();

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnFontChanged;
    TNotifyEvent OnTextChanged;

protected:
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void FontChanged();
    virtual void TextChanged();

    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

    int FUpdateNesting = 0;

private:
    std::string FVersion = DmVersion;
};

extern template class TDmControlBase<TGraphicControl>;
extern template class TDmControlBase<TCustomControl>;

class TDmGraphicControl : public TDmControlBase<TGraphicControl> {
public:
    explicit TDmGraphicControl(TComponent* AOwner);

    // Sets the bounds again (a descendant may adjust them) and repaints when
    // they stayed the same, since a change of bounds repaints by itself.
    virtual void AdjustControlSize();
    // With AutoSize and an edge or no alignment, AdjustControlSize; otherwise a repaint.
    virtual void UpdateControlBounds();

protected:
    // In design mode only: a dotted black frame along the control's bounds.
    void ShowDesignFrame(TCanvas* canvas);
};

class TDmGraphicImageControl : public TDmGraphicControl {
public:
    explicit TDmGraphicImageControl(TComponent* AOwner);
    ~TDmGraphicImageControl() override;

    // Where a descendant's Paint draws.
    TCanvas* GetBitmapCanvas() { return FOffscreen.Canvas(); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    void UpdateControlCanvas() override;

protected:
    // Prepares the off-screen bitmap for a new picture: filled with Color, or,
    // when transparent, the captured image of what lies beneath.
    virtual void ClearBitmapCanvas();
    // Copies the off-screen bitmap to the control's place on the screen.
    void Paint() override;
    void WMPaint(TMessage& Message) override;

    // Captures what the parent painted beneath the control (the part being painted).
    void CopyParentImage();
    // Puts the captured image into the off-screen bitmap.
    void CopyOverlayImage();

    TBitmap FOffscreen;
    TBitmap FParentImage;
    bool FCopyParent = true;
    bool FTransparent = false;
};

class TDmCustomControl : public TDmControlBase<TCustomControl> {
public:
    explicit TDmCustomControl(TComponent* AOwner);
};

class TDmCustomImageControl : public TDmCustomControl {
public:
    explicit TDmCustomImageControl(TComponent* AOwner);

    TCanvas* GetBitmapCanvas() { return FOffscreen.Canvas(); }

protected:
    // Sizes the off-screen bitmap to the control and fills it with Color.
    virtual void ClearBitmapCanvas();
    void Paint() override;

    TBitmap FOffscreen;
};
