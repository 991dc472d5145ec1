// The date clock family's panels: up to TDcBackPanel, the black panel that
// carries the clocks on the saver and preview windows.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "dateclock/DcBackground.h"
#include "dateclock/DcBevel.h"
#include "dateclock/DcCustomControl.h"

#include <memory>

class TDcCustomPanel : public TDcCustomControl {
public:
    explicit TDcCustomPanel(TComponent* AOwner);
};

class TDcCustomBevelPanel : public TDcCustomPanel {
public:
    explicit TDcCustomBevelPanel(TComponent* AOwner);

    TDcBevel* Bevel() { return &FBevel; }
    void SetBevel(const TDcBevel* value) { FBevel.Assign(value); }
    // A change of the bevel: new background, new window frame, realigned
    // children and a repaint; nothing while loading or being destroyed.
    virtual void GetChange(TObject* Sender);

protected:
    void CreateParams(TCreateParams& Params) override;
    // Children are aligned inside the bevel.
    void AdjustClientRect(TRect& Rect) override;
    // Rebuilds the background image after a change; no image here.
    virtual void UpdateBackground() {}

private:
    TDcBevel FBevel;
};

class TDcCustomParentPanel : public TDcCustomBevelPanel, public IDcBackgroundProvider {
public:
    explicit TDcCustomParentPanel(TComponent* AOwner);
    ~TDcCustomParentPanel() override;

    // Opaque, the panel answers with its own background image (built only
    // from an image list, which this system never assigns); transparent, it
    // passes the questions on to its parent.
    bool BackBitmapCheck() override;
    TBitmap* BackBitmap() override;
    TPoint BackMapPoint(TPoint point) override;
    void BackDrawArea(TCanvas* canvas, const TRect& dest, const TRect& source) override;
    void BackUpdate() override;
    bool CheckOptimized() override;

protected:
    std::unique_ptr<TBitmap> FBackBitmap;
};

class TDcBackPanel : public TDcCustomParentPanel {
public:
    explicit TDcBackPanel(TComponent* AOwner);

    bool Locked() const { return FLocked; }
    void SetLocked(bool value) { FLocked = value; }
    bool QuickDraw() const { return FQuickDraw; }
    void SetQuickDraw(bool value) { FQuickDraw = value; }
    bool NoHandleUpdate() const { return FNoHandleUpdate; }
    void SetNoHandleUpdate(bool value) { FNoHandleUpdate = value; }
    bool FDSupport() const { return FFDSupport; }
    void SetFDSupport(bool value) { FFDSupport = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    int ListIndex() const { return FListIndex; }
    void SetListIndex(int value) { FListIndex = value; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

protected:
    void Paint() override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    bool FLocked = false;
    bool FQuickDraw = false;
    bool FNoHandleUpdate = false;
    bool FFDSupport = false;
    int FImageIndex = -1;
    int FListIndex = -1;
};
