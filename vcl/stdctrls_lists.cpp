#include "vcl/stdctrls.h"

#include <string>

namespace vcl {

// =============================================================================================
// TListBoxStrings

TListBoxStrings::TListBoxStrings(TCustomListBox* ListBox)
    : TControlItems(ListBox, {LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT}), FListBox(ListBox)
{
}

void TListBoxStrings::ItemInserted(int index)
{
    ShiftOnInsert(FListBox->FItemIndex, index);
    std::vector<bool>& selection = FListBox->StoredSelection();
    selection.insert(selection.begin() + index, false);
}

void TListBoxStrings::ItemDeleted(int index)
{
    ShiftOnDelete(FListBox->FItemIndex, index);
    std::vector<bool>& selection = FListBox->StoredSelection();
    selection.erase(selection.begin() + index);
}

void TListBoxStrings::Cleared()
{
    FListBox->FItemIndex = -1;
    FListBox->FSelection.clear();
    FListBox->FTopIndex = 0;
}

// =============================================================================================
// TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TListBoxStrings>(this)), FCanvas(std::make_unique<TControlCanvas>())
{
    FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
    FWidth = 121;
    FHeight = 97;
    FTabStop = true;
    InitColor(clWindow);
    FCanvas->SetControl(this);
}

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"LISTBOX");
    static const DWORD styles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE};
    Params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | styles[static_cast<int>(FStyle)];
    if (FMultiSelect)
        Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (!FIntegralHeight)
        Params.Style |= LBS_NOINTEGRALHEIGHT;
    AddBorderStyle(Params, FBorderStyle);
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    FItems->PushTo(FHandle);
    if (FMultiSelect) {
        std::vector<bool>& selection = StoredSelection();
        for (size_t i = 0; i < selection.size(); ++i)
            if (selection[i])
                SendMessageW(FHandle, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
        SendMessageW(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(FItemIndex), FALSE);
    } else {
        SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
    }
    SendMessageW(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

void TCustomListBox::DestroyWnd()
{
    FItemIndex = ItemIndex();
    FTopIndex = TopIndex();
    if (FMultiSelect) {
        std::vector<bool>& selection = StoredSelection();
        for (size_t i = 0; i < selection.size(); ++i)
            selection[i] = SendMessageW(FHandle, LB_GETSEL, i, 0) > 0;
    }
    TWinControl::DestroyWnd();
}

std::vector<bool>& TCustomListBox::StoredSelection()
{
    FSelection.resize(static_cast<size_t>(FItems->Count()));
    return FSelection;
}

int TCustomListBox::ItemIndex()
{
    if (!FHandle)
        return FItemIndex;
    return static_cast<int>(SendMessageW(FHandle, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int value)
{
    if (value < -1 || value >= FItems->Count())
        value = -1;
    FItemIndex = value;
    if (!FHandle)
        return;
    if (FMultiSelect)
        SendMessageW(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(value), FALSE);
    else
        SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TCustomListBox::CheckIndex(int index) const
{
    if (index < 0 || index >= FItems->Count())
        throw EListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

bool TCustomListBox::Selected(int index)
{
    CheckIndex(index);
    if (!FMultiSelect)
        return ItemIndex() == index;
    if (!FHandle)
        return StoredSelection()[static_cast<size_t>(index)];
    return SendMessageW(FHandle, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool value)
{
    CheckIndex(index);
    if (!FMultiSelect) {
        if (value)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    if (FHandle)
        SendMessageW(FHandle, LB_SETSEL, value, index);
    else
        StoredSelection()[static_cast<size_t>(index)] = value;
}

int TCustomListBox::SelCount()
{
    int count = 0;
    for (int i = 0; i < FItems->Count(); ++i)
        count += Selected(i);
    return count;
}

int TCustomListBox::TopIndex()
{
    return FHandle ? static_cast<int>(SendMessageW(FHandle, LB_GETTOPINDEX, 0, 0)) : FTopIndex;
}

void TCustomListBox::SetTopIndex(int value)
{
    FTopIndex = value;
    if (FHandle)
        SendMessageW(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(value), 0);
}

void TCustomListBox::SetMultiSelect(bool value)
{
    if (!ChangeField(FMultiSelect, value))
        return;
    FSelection.clear();
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool value)
{
    if (ChangeField(FExtendedSelect, value) && FMultiSelect)
        RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle value)
{
    if (ChangeField(FStyle, value))
        RecreateWnd();
}

int TCustomListBox::ItemHeight()
{
    return FHandle ? static_cast<int>(SendMessageW(FHandle, LB_GETITEMHEIGHT, 0, 0)) : FItemHeight;
}

void TCustomListBox::SetItemHeight(int value)
{
    if (value <= 0 || !ChangeField(FItemHeight, value))
        return;
    if (FStyle == TListBoxStyle::lbOwnerDrawFixed)
        RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool value)
{
    if (ChangeField(FIntegralHeight, value))
        RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value)
{
    if (ChangeField(FBorderStyle, value))
        RecreateWnd();
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing)
{
    if (!FHandle)
        return -1;
    auto answer = static_cast<DWORD>(SendMessageW(FHandle, LB_ITEMFROMPOINT, 0, PointToLParam(Pos.x, Pos.y)));
    bool outside = HIWORD(answer) != 0;
    int index = LOWORD(answer);
    if (index >= FItems->Count() || (outside && Existing))
        return -1;
    return index;
}

TRect TCustomListBox::ItemRect(int index)
{
    RECT r{};
    if (FHandle)
        SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (FOnDrawItem)
        FOnDrawItem(this, Index, Rect, State);
    else
        DrawItemText(FCanvas.get(), Rect, FItems->Strings(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
    if (FOnMeasureItem)
        FOnMeasureItem(this, Index, Height);
}

void TCustomListBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == LBN_SELCHANGE)
            Click();
        return;
    case CN_DRAWITEM:
        PaintOwnerDrawItem(Message, FCanvas.get(), this,
                           [this](int index, const TRect& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
        return;
    case CN_MEASUREITEM: {
        TMeasureProc measure;
        if (FStyle == TListBoxStyle::lbOwnerDrawVariable)
            measure = [this](int index, int& height) { MeasureItem(index, height); };
        AnswerMeasureItem(Message, FItemHeight, measure);
        return;
    }
    case CN_CTLCOLORLISTBOX: ApplyControlColors(Message, this); return;
    default: TWinControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
