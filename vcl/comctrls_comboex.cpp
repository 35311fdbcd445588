#include "vcl/comctrls.h"

#include <commctrl.h>

namespace vcl {

// =============================================================================================
// Items

void TComboExItem::SetCaption(const String& value) { SetShown(FCaption, value); }
void TComboExItem::SetImageIndex(int value) { SetShown(FImageIndex, value); }
void TComboExItem::SetSelectedImageIndex(int value) { SetShown(FSelectedImageIndex, value); }
void TComboExItem::SetIndent(int value) { SetShown(FIndent, value); }

void TComboExItem::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TComboExItem*>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = source->FCaption;
    FImageIndex = source->FImageIndex;
    FSelectedImageIndex = source->FSelectedImageIndex;
    FIndent = source->FIndent;
    FData = source->FData;
    Changed(false);
}

TComboExItems::TComboExItems(TCustomComboBoxEx* ComboBox)
    : TCollection(CollectionItemClass<TComboExItem>()), FComboBox(ComboBox)
{
}

TPersistent* TComboExItems::GetOwner() { return FComboBox; }

void TComboExItems::Update(TCollectionItem* Item) { FComboBox->ItemsExChanged(static_cast<TComboExItem*>(Item)); }

String TComboExStrings::Get(int index) const
{
    return index >= 0 && index < Count() ? FItems->Items(index)->Caption() : String();
}

void TComboExStrings::SetUpdateState(bool updating)
{
    if (updating)
        FItems->BeginUpdate();
    else
        FItems->EndUpdate();
}

// =============================================================================================
// TCustomComboBoxEx

TCustomComboBoxEx::TCustomComboBoxEx(TComponent* AOwner)
    : TCustomComboBox(AOwner), FItemsEx(std::make_unique<TComboExItems>(this)),
      FItemsView(std::make_unique<TComboExStrings>(FItemsEx.get())), FImageChangeLink(std::make_unique<TChangeLink>())
{
    FImageChangeLink->SetOnChange(TNotifyEvent(this, &TCustomComboBoxEx::ImageListChange));
}

void TCustomComboBoxEx::BeforeDestruction()
{
    ChangeImageList(this, FImages, nullptr, *FImageChangeLink);
    TCustomComboBox::BeforeDestruction();
}

void TCustomComboBoxEx::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages)
        SetImages(nullptr);
}

void TCustomComboBoxEx::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_COMBOBOXEXW);
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | styles[static_cast<int>(FStyleEx)];
}

void TCustomComboBoxEx::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyImages();
    FillWindow();
    SubclassChildren();
}

void TCustomComboBoxEx::SubclassChildren()
{
    HWND combo = reinterpret_cast<HWND>(SendMessageW(FHandle, CBEM_GETCOMBOCONTROL, 0, 0));
    FEditHandle = reinterpret_cast<HWND>(SendMessageW(FHandle, CBEM_GETEDITCONTROL, 0, 0));
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    FListHandle = combo && GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
    SubclassChild(combo);
    SubclassChild(FEditHandle);
}

bool TCustomComboBoxEx::Focused() const
{
    HWND focus = GetFocus();
    return FHandle && focus && (focus == FHandle || IsChild(FHandle, focus));
}

void TCustomComboBoxEx::SetStyle(TComboBoxExStyle value)
{
    if (ChangeField(FStyleEx, value))
        RecreateWnd();
}

COMBOBOXEXITEMW TCustomComboBoxEx::WindowItem(int Index, String& Text) const
{
    TComboExItem* item = FItemsEx->Items(Index);
    Text = item->Caption();
    COMBOBOXEXITEMW record{};
    record.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT | CBEIF_LPARAM;
    record.iItem = Index;
    record.pszText = Text.data();
    record.iImage = item->ImageIndex();
    record.iSelectedImage = item->SelectedImageIndex() >= 0 ? item->SelectedImageIndex() : item->ImageIndex();
    record.iIndent = item->Indent();
    record.lParam = reinterpret_cast<LPARAM>(item->Data());
    return record;
}

// The window's items again from the collection, the selection kept where it still fits.
void TCustomComboBoxEx::FillWindow()
{
    const int selected = FItemIndex;
    while (SendMessageW(FHandle, CB_GETCOUNT, 0, 0) > 0)
        SendMessageW(FHandle, CBEM_DELETEITEM, 0, 0);
    for (int i = 0; i < FItemsEx->Count(); ++i) {
        String text;
        COMBOBOXEXITEMW record = WindowItem(i, text);
        SendMessageW(FHandle, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&record));
    }
    FItemIndex = selected < FItemsEx->Count() ? selected : -1;
    SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TCustomComboBoxEx::ItemsExChanged(TComboExItem* Item)
{
    if (!FHandle) {
        if (!Item && FItemIndex >= FItemsEx->Count())
            FItemIndex = -1;
        return;
    }
    if (!Item) {
        FItemIndex = ItemIndex();
        FillWindow();
        return;
    }
    String text;
    COMBOBOXEXITEMW record = WindowItem(Item->Index(), text);
    SendMessageW(FHandle, CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(&record));
}

void TCustomComboBoxEx::SetImages(TCustomImageList* value)
{
    if (ChangeImageList(this, FImages, value, *FImageChangeLink))
        ApplyImages();
}

void TCustomComboBoxEx::ImageListChange(TObject*) { ApplyImages(); }

void TCustomComboBoxEx::ApplyImages()
{
    if (FHandle)
        SendMessageW(FHandle, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
}

void TCustomComboBoxEx::Select()
{
    if (FOnSelect)
        FOnSelect(this);
    else
        TCustomComboBox::Select();
}

void TCustomComboBoxEx::CNNotify(TMessage& Message)
{
    switch (reinterpret_cast<NMHDR*>(Message.LParam)->code) {
    case CBEN_BEGINEDIT:
        if (FOnBeginEdit)
            FOnBeginEdit(this);
        return;
    case CBEN_ENDEDITW:
        if (FOnEndEdit)
            FOnEndEdit(this);
        return;
    default: TCustomComboBox::Dispatch(Message); return;
    }
}

void TCustomComboBoxEx::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); return;
    default: TCustomComboBox::Dispatch(Message); return;
    }
}

}  // namespace vcl
