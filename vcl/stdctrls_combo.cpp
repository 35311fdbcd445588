#include "vcl/forms.h"
#include "vcl/stdctrls.h"

#include <algorithm>

namespace vcl {

namespace {

LRESULT SendText(HWND Handle, UINT Msg, WPARAM WParam, const String& Text)
{
    return SendMessageW(Handle, Msg, WParam, reinterpret_cast<LPARAM>(Text.c_str()));
}

}  // namespace

// =============================================================================================
// TComboBoxStrings

TComboBoxStrings::TComboBoxStrings(TCustomComboBox* ComboBox)
    : TControlItems(ComboBox, {CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT}), FComboBox(ComboBox)
{
}

void TComboBoxStrings::ItemInserted(int index) { ShiftOnInsert(FComboBox->FItemIndex, index); }

void TComboBoxStrings::ItemDeleted(int index) { ShiftOnDelete(FComboBox->FItemIndex, index); }

// The system empties the edit part too; the text stays as the program left it.
void TComboBoxStrings::Clear()
{
    String text = FComboBox->Text();
    TControlItems::Clear();
    FComboBox->FItemIndex = -1;
    if (FComboBox->HandleAllocated())
        FComboBox->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// =============================================================================================
// TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TComboBoxStrings>(this)),
      FCanvas(std::make_unique<TControlCanvas>())
{
    FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks,
                     TControlStyleItem::csFixedHeight};
    FWidth = 145;
    FHeight = 21;
    FTabStop = true;
    InitColor(clWindow);
    FCanvas->SetControl(this);
}

void TCustomComboBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"COMBOBOX");
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                   CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | styles[static_cast<int>(FStyle)];
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FStyle == TComboBoxStyle::csOwnerDrawFixed || FStyle == TComboBoxStyle::csOwnerDrawVariable)
        SendMessageW(FHandle, CB_SETITEMHEIGHT, 0, FItemHeight);
    FItems->PushTo(FHandle);
    if (FItemIndex >= 0)
        SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
    // A text typed over the selected item stays as typed.
    if (FStyle != TComboBoxStyle::csDropDownList && Text() != FText)
        SendText(FHandle, WM_SETTEXT, 0, FText);
    SubclassChildren();
}

void TCustomComboBox::DestroyWnd()
{
    FItemIndex = static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
    TWinControl::DestroyWnd();
    FEditHandle = nullptr;
    FListHandle = nullptr;
    FChildSubclasses.clear();
}

// The edit and list windows of the system control pass their messages through ComboWndProc.
void TCustomComboBox::SubclassChildren()
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(FHandle, &info))
        return;
    FEditHandle = info.hwndItem;
    FListHandle = info.hwndList;
    for (HWND child : {FEditHandle, FListHandle})
        SubclassChild(child);
}

void TCustomComboBox::SubclassChild(HWND Child)
{
    if (!Child || Child == FHandle)
        return;
    auto subclass = std::make_unique<TWindowSubclass>(Child, this);
    WNDPROC childProc = subclass->PreviousProc();
    subclass->SetWindowProc([this, Child, childProc](TMessage& m) { ComboWndProc(m, Child, childProc); });
    FChildSubclasses.push_back(std::move(subclass));
}

void TCustomComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        // The edit part holds the focus for the combo box.
        if (!TakeFormFocus(this))
            return;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (DoKeyDown(Message))
            return;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (DoKeyUp(Message))
            return;
        break;
    case WM_CHAR:
        if (DoKeyPress(Message))
            return;
        break;
    }
    Message.Result = CallWindowProcW(ComboProc, ComboWnd, Message.Msg, Message.WParam, Message.LParam);
}

bool TCustomComboBox::Focused() const { return OwnsWindow(GetFocus()); }

int TCustomComboBox::ItemIndex()
{
    return FHandle ? static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0)) : FItemIndex;
}

void TCustomComboBox::SetItemIndex(int value)
{
    if (value < -1 || value >= Items()->Count())
        value = -1;
    FItemIndex = value;
    if (FHandle) {
        SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
        return;
    }
    if (value >= 0)
        FText = Items()->Strings(value);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value)
{
    if (ChangeField(FStyle, value))
        RecreateWnd();
}

bool TCustomComboBox::DroppedDown() { return FHandle && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool value) { SendMessageW(Handle(), CB_SHOWDROPDOWN, value, 0); }

int TCustomComboBox::ItemHeight() { return GetItemHt(); }

int TCustomComboBox::GetItemHt()
{
    return FHandle ? static_cast<int>(SendMessageW(FHandle, CB_GETITEMHEIGHT, 0, 0)) : FItemHeight;
}

void TCustomComboBox::SetItemHeight(int value)
{
    if (value <= 0 || FItemHeight == value)
        return;
    FItemHeight = value;
    RecreateWnd();
}

void TCustomComboBox::AdjustDropDown()
{
    int count = std::clamp(Items()->Count(), 1, std::max(FDropDownCount, 1));
    // The height of a combo box window given to the system includes its list.
    SetWindowPos(FHandle, nullptr, 0, 0, FWidth, ItemHeight() * count + FHeight + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::Change()
{
    if (FOnChange)
        FOnChange(this);
}

void TCustomComboBox::Select() { Change(); }

void TCustomComboBox::DropDown()
{
    if (FOnDropDown)
        FOnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (FOnCloseUp)
        FOnCloseUp(this);
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (FOnDrawItem)
        FOnDrawItem(this, Index, Rect, State);
    else
        DrawItemText(FCanvas.get(), Rect, Items()->Strings(Index));
}

void TCustomComboBox::MeasureItem(int Index, int& Height)
{
    if (FOnMeasureItem)
        FOnMeasureItem(this, Index, Height);
}

// A selection from the list shows its text before OnChange; a keystroke in the edit part fires
// OnChange on its own.
void TCustomComboBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case CBN_EDITCHANGE: Change(); break;
    case CBN_SELCHANGE:
        SetText(Items()->Strings(ItemIndex()));
        Click();
        Select();
        break;
    case CBN_DROPDOWN:
        AdjustDropDown();
        DropDown();
        break;
    case CBN_CLOSEUP: CloseUp(); break;
    }
}

void TCustomComboBox::CNDrawItem(TMessage& Message)
{
    PaintOwnerDrawItem(Message, FCanvas.get(), this,
                       [this](int index, const TRect& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
}

void TCustomComboBox::CNMeasureItem(TMessage& Message)
{
    TMeasureProc measure;
    if (FStyle == TComboBoxStyle::csOwnerDrawVariable)
        measure = [this](int index, int& height) { MeasureItem(index, height); };
    AnswerMeasureItem(Message, FItemHeight, measure);
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CN_DRAWITEM: CNDrawItem(Message); return;
    case CN_MEASUREITEM: CNMeasureItem(Message); return;
    // The edit part and the list ask their combo box for their colours.
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: ApplyControlColors(Message, this); return;
    default: TWinControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
