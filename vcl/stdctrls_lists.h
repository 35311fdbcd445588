#pragma once
// List boxes over the system's LISTBOX class (included by vcl/stdctrls.h): items, the selection
// of one or many, owner drawing. Items, selection and the first visible item live in fields while
// there is no window and survive a new window.
#include "vcl/stdctrls.h"

#include <vector>

namespace vcl {

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox;

class TListBoxStrings : public TControlItems {
    CL_CLASS(TListBoxStrings, TControlItems)
public:
    explicit TListBoxStrings(TCustomListBox* ListBox);

protected:
    void ItemInserted(int index) override;
    void ItemDeleted(int index) override;
    void Cleared() override;

private:
    TCustomListBox* FListBox;
};

class TCustomListBox : public TWinControl {
    CL_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* AOwner);

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(value); }
    void Clear() { FItems->Clear(); }
    // The selected item, or with MultiSelect the item with the focus rectangle; -1 for none.
    // Selecting by code fires no OnClick.
    int ItemIndex();
    void SetItemIndex(int value);
    // Several items may be selected: with ExtendedSelect by Shift and Ctrl clicks, else each click
    // toggles one. Both are window styles: a change re-creates the window.
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value);
    bool Selected(int index);
    void SetSelected(int index, bool value);
    int SelCount();
    // The first visible item.
    int TopIndex();
    void SetTopIndex(int value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    int ItemHeight();
    void SetItemHeight(int value);
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool value) { FItems->SetSorted(value); }
    // Whether the height shows whole items only (the system shortens the window to fit).
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TControlCanvas* Canvas() const { return FCanvas.get(); }
    // The item at a client point (-1 when none, or the nearest one when Existing is false).
    int ItemAtPos(const TPoint& Pos, bool Existing);
    TRect ItemRect(int index);

    TDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(TDrawItemEvent value) { FOnDrawItem = value; }
    TMeasureItemEvent OnMeasureItem() const { return FOnMeasureItem; }
    void SetOnMeasureItem(TMeasureItemEvent value) { FOnMeasureItem = value; }

    void Dispatch(TMessage& Message) override;

protected:
    friend class TListBoxStrings;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Keeps the selection and the first visible item the window holds.
    void DestroyWnd() override;
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);

private:
    // Raises EListError for an index that names no item.
    void CheckIndex(int index) const;
    // The selection flags kept without a window, one per item.
    std::vector<bool>& StoredSelection();

    std::unique_ptr<TListBoxStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    int FItemIndex = -1;
    std::vector<bool> FSelection;
    int FTopIndex = 0;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    TListBoxStyle FStyle = TListBoxStyle::lbStandard;
    int FItemHeight = 16;
    bool FIntegralHeight = false;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    TDrawItemEvent FOnDrawItem;
    TMeasureItemEvent FOnMeasureItem;
};

class TListBox : public TCustomListBox {
    CL_CLASS(TListBox, TCustomListBox)
public:
    using TCustomListBox::TCustomListBox;
};

}  // namespace vcl
