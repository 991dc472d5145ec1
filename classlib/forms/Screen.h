// TScreen (the global Screen): screen metrics, the cursor table and the list of forms.
#pragma once

#include "classlib/controls/ControlHooks.h"
#include "classlib/forms/Form.h"

#include <map>
#include <vector>

class TScreen : public TComponent, public TScreenCursors {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    // The cursor table: an id's pointer (unknown ids give the arrow); setting registers one.
    HCURSOR Cursors(TCursor id) const override;
    void SetCursors(TCursor id, HCURSOR cursor);
    // A pointer for every window while not crDefault (e.g. crHourGlass).
    TCursor Cursor() const override { return FCursor; }
    void SetCursor(TCursor value);
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const;

private:
    friend class TCustomForm;
    std::map<TCursor, HCURSOR> FCursors;
    TCursor FCursor = crDefault;
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
};

extern TScreen* Screen;
