#include "vcl/menus.h"

#include "vcl/sysutils.h"

#include <algorithm>

namespace vcl {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

void TMenuItem::BeforeDestruction()
{
    if (FParent)
        FParent->Remove(this);
    while (!FItems.empty())
        FItems.back()->Free();
    TComponent::BeforeDestruction();
}

TBitmap* TMenuItem::Bitmap()
{
    if (!FBitmap)
        FBitmap = std::make_unique<TBitmap>();
    return FBitmap.get();
}

void TMenuItem::SetChecked(bool value)
{
    if (!ChangeField(FChecked, value))
        return;
    if (!value || !FRadioItem || !FParent)
        return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
            sibling->FChecked = false;
}

void TMenuItem::Click()
{
    if (FOnClick)
        FOnClick(this);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EMenuError(Format(L"Menu index out of range (%d)", index));
    return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (Item->FParent)
        throw EMenuError(L"Menu inserted twice");
    if (Index < 0 || Index > Count())
        throw EMenuError(Format(L"Menu index out of range (%d)", Index));
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
}

void TMenuItem::Delete(int Index)
{
    TMenuItem* item = Items(Index);
    FItems.erase(FItems.begin() + Index);
    item->FParent = nullptr;
}

void TMenuItem::Remove(TMenuItem* Item)
{
    int index = IndexOf(Item);
    if (index < 0)
        throw EMenuError(L"Menu item not found");
    Delete(index);
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        FItems.back()->Free();
}

int TMenuItem::IndexOf(TMenuItem* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::SetMenuIndex(int value)
{
    if (!FParent)
        return;
    TMenuItem* parent = FParent;
    value = std::clamp(value, 0, parent->Count() - 1);
    if (value == MenuIndex())
        return;
    parent->Remove(this);
    parent->Insert(value, this);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->FParent)
        item = item->FParent;
    return item->FMenu;
}

void TMenu::AfterConstruction()
{
    TComponent::AfterConstruction();
    FItems = Create<TMenuItem>(this);
    FItems->FMenu = this;
}

}  // namespace vcl
