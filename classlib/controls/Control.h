// TControl: bounds, alignment, colour, font, cursor, caption, mouse events,
// repaint requests and message dispatch; the enumerations, flags and events
// every control shares.
#pragma once

#include "classlib/graphics/Canvas.h"
#include "classlib/system/Component.h"
#include "classlib/windowing/Messages.h"
#include "classlib/windowing/WindowGeometry.h"
#include "classlib/windowing/WindowInput.h"

#include <functional>
#include <string>
#include <vector>

class TWinControl;
class THostForm;
class TControlCanvas;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

// How a control aligns its text and whether it draws a frame.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment : uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };
enum TBorderStyle : uint8_t { bsNoBorder, bsSingleBorder };

enum TAnchorKind : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint8_t;

// ControlStyle flags.
enum TControlStyleFlag : uint32_t {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,
    csDesignInteractive = 1u << 2,
    csClickEvents = 1u << 3,
    csFramed = 1u << 4,
    csSetCaption = 1u << 5,   // the caption follows the component name while they are equal
    csOpaque = 1u << 6,       // paints all of its area: the parent need not paint beneath it
    csDoubleClicks = 1u << 7,
    csFixedWidth = 1u << 8,
    csFixedHeight = 1u << 9,
    csNoDesignVisible = 1u << 10,
    csReplicatable = 1u << 11,
    csNoStdEvents = 1u << 12,
    csDisplayDragImage = 1u << 13,
    csReflector = 1u << 14,
    csActionClient = 1u << 15,
    csMenuEvents = 1u << 16,
    csNeedsBorderPaint = 1u << 17,
    csParentBackground = 1u << 18,
};
using TControlStyle = uint32_t;

// ControlState flags.
enum TControlStateFlag : uint32_t {
    csLButtonDown = 1u << 0,
    csClicked = 1u << 1,
    csPalette = 1u << 2,
    csReadingState = 1u << 3,
    csAlignmentNeeded = 1u << 4,
    csFocusing = 1u << 5,
    csCreating = 1u << 6,
    csPaintCopy = 1u << 7,
    csCustomPaint = 1u << 8,
    csDestroyingHandle = 1u << 9,
    csDocking = 1u << 10,
};
using TControlState = uint32_t;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Shift state: the same bits as the platform's input events.
enum TShiftStateFlag : uint32_t {
    ssShift = SHIFT_STATE_SHIFT,
    ssAlt = SHIFT_STATE_ALT,
    ssCtrl = SHIFT_STATE_CTRL,
    ssLeft = SHIFT_STATE_LEFT,
    ssRight = SHIFT_STATE_RIGHT,
    ssMiddle = SHIFT_STATE_MIDDLE,
    ssDouble = 0x40,
};
using TShiftState = uint32_t;

// Cursor ids of the application's cursor table (Screen->Cursors).
using TCursor = int16_t;
constexpr TCursor crDefault = 0;  // shows the parent's pointer
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// The shift state of a mouse message's key flags.
TShiftState KeysToShiftState(WPARAM keys);
// The shift state of a key message's lParam plus the keys held now.
TShiftState KeyDataToShiftState(LPARAM keyData);
// Keys held and buttons pressed now (from the last input event).
TShiftState GetShiftState();
// The "&" accelerator of a caption: true when `key` is the letter after a single "&".
bool IsAccel(uint32_t key, const std::string& caption);

// Minimum and maximum size; 0 is "no limit".
class TSizeConstraints : public TPersistent {
public:
    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    int MaxWidth() const { return FMaxWidth; }
    int MaxHeight() const { return FMaxHeight; }
    void SetMinWidth(int v);
    void SetMinHeight(int v);
    void SetMaxWidth(int v);
    void SetMaxHeight(int v);
    void Constrain(int& width, int& height) const;
    void Assign(const TPersistent* source) override;
    TNotifyEvent OnChange;

private:
    void Changed();
    int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void BeforeDestruction() override;

    // ---- Parent and bounds --------------------------------------------------
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The client area in the control's own coordinates.
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint point);
    TPoint ScreenToClient(TPoint point);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value) { FAnchors = value; }
    TSizeConstraints* Constraints() { return &FConstraints; }
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool value);

    // ---- Appearance ---------------------------------------------------------
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible (and the top window shown).
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() { return &FFont; }
    void SetFont(const TFont* value) { FFont.Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // Caption and Text are one text.
    const std::string& Caption() const { return FText; }
    void SetCaption(const std::string& value) { SetText(value); }
    const std::string& Text() const { return FText; }
    virtual void SetText(const std::string& value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) { FShowHint = value; }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }
    void SetName(const std::string& value) override;

    // ---- Repainting ---------------------------------------------------------
    // Marks the control's area for the next paint (nothing while loading).
    virtual void Invalidate();
    // Paints whatever is invalid in the parent's window now.
    virtual void Update();
    // Paints the control now. An opaque control (csOpaque) is painted at once
    // on its parent's surface, without the parent painting beneath it,
    // followed by every later visible non-windowed sibling that overlaps it;
    // any other control has its area invalidated and the parent updated, so
    // the parent's background is painted beneath it first.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // ---- Messages -----------------------------------------------------------
    // Sends a message straight to the control's WindowProc.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // The procedure messages go to; replace it to intercept them (keep the old one to pass them on).
    TWndMethod WindowProc;
    // Mouse routing, then Dispatch.
    virtual void WndProc(TMessage& Message);
    // Calls the handler of the message's number (WMPaint, CMMouseEnter, ...);
    // messages without one go to DefaultHandler.
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    bool MouseCapture() const;
    void SetMouseCapture(bool value);
    // The form this control is on (or the control itself), or nullptr.
    THostForm* HostForm() const;
    // True when the control or any parent is loading or being destroyed.
    bool IsLoadingOrDestroying() const;

    // ---- Events -------------------------------------------------------------
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;

protected:
    friend class TWinControl;
    friend class TControlCanvas;

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // OnMouseWheel, then OnMouseWheelDown/Up; true when handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual void Resize();
    // AutoSize: gives the size the control wants; false keeps the size.
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    virtual void AdjustSize();
    virtual void RequestAlign();
    virtual void Changed();
    void Loaded() override;
    // The canvas a paint draws on; windowed controls without one return nullptr.
    virtual TControlCanvas* ControlCanvas() { return nullptr; }
    // Paints the control on a context of its parent's surface (origin at the control).
    virtual void PaintOnParent(HDC dc);
    bool HasParentWindow() const;

    // Message handlers. Each calls the inherited behaviour where it has one.
    virtual void WMLButtonDown(TMessage& Message);
    virtual void WMLButtonUp(TMessage& Message);
    virtual void WMLButtonDblClk(TMessage& Message);
    virtual void WMRButtonDown(TMessage& Message);
    virtual void WMRButtonUp(TMessage& Message);
    virtual void WMRButtonDblClk(TMessage& Message);
    virtual void WMMButtonDown(TMessage& Message);
    virtual void WMMButtonUp(TMessage& Message);
    virtual void WMMButtonDblClk(TMessage& Message);
    virtual void WMMouseMove(TMessage& Message);
    virtual void WMMouseWheel(TMessage& Message);
    virtual void WMCancelMode(TMessage& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMHitTest(TMessage& Message);
    virtual void CMCursorChanged(TMessage& Message);

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    TSizeConstraints FConstraints;
    bool FAutoSize = false;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TFont FFont;
    bool FParentFont = true;
    TCursor FCursor = crDefault;
    std::string FText;
    std::string FHint;
    bool FShowHint = false;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState FControlState = 0;

private:
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
    void FontObjectChanged();
    bool FUpdatingFont = false;
};

// Keeps bounds within what windows and pixel buffers can hold (positions
// within +-2^24, sizes 0..32767); bad values are clamped.
void ClampBounds(int& left, int& top, int& width, int& height);
