// The owner-drawn drop-down combo box with its pop-up list.
#pragma once

#include "classlib/controls/CustomControl.h"
#include "classlib/system/StringList.h"

#include <functional>
#include <memory>

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TOwnerDrawStateFlag : uint16_t {
    odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16, odDefault = 32,
    odHotLight = 64, odInactive = 128, odNoAccel = 256, odNoFocusRect = 512, odComboBoxEdit = 4096,
};
using TOwnerDrawState = uint16_t;

class TCustomComboBox;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// A drop-down list whose closed face shows the selected item and whose list
// opens in a pop-up window. Owner-drawn styles draw items through DrawItem
// (OnDrawItem); the other styles draw the text. The list cannot be typed into.
class TCustomComboBox : public TCustomControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() { return &FItems; }
    void SetItems(const TStrings* value);
    int ItemIndex() const { return FItemIndex; }
    // -1 clears the selection; other values outside the items are ignored.
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value) { FDropDownCount = value < 1 ? 1 : value; }
    // Width of the list; 0: as wide as the control.
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int value) { FDropDownWidth = value < 0 ? 0 : value; }
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    bool DroppedDown() const { return FListWindow != 0; }
    void SetDroppedDown(bool value);
    // The height of item index (owner-drawn variable style asks MeasureItem).
    int ItemHeightOf(int index);
    // The item's rectangle within the open list (client coordinates of the list window).
    TRect ListItemRect(int index);
    HWND ListHandle() const { return FListWindow; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void Paint() override;
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    // The user picked an item in the list: the text becomes the item, then Click and Change, then Select.
    virtual void ItemPicked(int index);
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMGetDlgCode(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    TRect ButtonRect();

private:
    void ListWndProc(TMessage& message);
    void PaintList(HDC dc);
    int ListItemAt(int y);
    void SetTextFromItem();
    TStringList FItems;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    int FItemHeight = 16;
    int FDropDownCount = 8;
    int FDropDownWidth = 0;
    bool FSorted = false;
    HWND FListWindow = 0;
    int FListHot = -1;
    int FListTop = 0;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
