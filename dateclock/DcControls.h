// The non-windowed control bases of the date clock family: an update
// counter, bounds-change notification, the transparency flag and a bevel.
#pragma once

#include "classlib/controls/GraphicControl.h"
#include "dateclock/DcBevel.h"
#include "dateclock/DcSet.h"

enum TDcBoundsChange : uint8_t { bcMoved, bcResized };
using TDcBoundsChanges = TDcSet<TDcBoundsChange, uint8_t>;

class TDcControl : public TGraphicControl {
public:
    explicit TDcControl(TComponent* AOwner);

    // Changes made between BeginUpdate and the matching EndUpdate repaint
    // once, at the end, when notify is true.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate(bool notify);
    bool Updating() const { return FUpdateCount > 0; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The change handler of the control's sub-objects (nullptr: the control itself).
    virtual void GetChange(TObject* Sender);

protected:
    // Told after the position or size changed (not while loading).
    virtual void BoundsChange(TDcBoundsChanges changes) {}

private:
    int FUpdateCount = 0;
};

// Image lists and bitmap effects belong here; this system uses neither.
class TDcBaseControl : public TDcControl {
public:
    explicit TDcBaseControl(TComponent* AOwner) : TDcControl(AOwner) {}
};

class TDcBaseGraphicControl : public TDcBaseControl {
public:
    explicit TDcBaseGraphicControl(TComponent* AOwner);

    // Transparent: the parent paints its background beneath the control
    // (the control is not opaque); otherwise the control covers its area.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

private:
    bool FTransparent = true;
};

class TDcGraphicControl : public TDcBaseGraphicControl {
public:
    explicit TDcGraphicControl(TComponent* AOwner);

    TDcBevel* Bevel() { return &FBevel; }
    void SetBevel(const TDcBevel* value) { FBevel.Assign(value); }
    int BevelExt() const { return FBevel.Extent(); }
    int DblBevelExt() const { return 2 * FBevel.Extent(); }

private:
    TDcBevel FBevel;
};
