#pragma once
// Menus, their data: a tree of menu items under a popup or main menu. Items belong to their owner
// (the form) like any component; a parent item only lists them, and frees the ones it still lists
// when it goes.
#include "vcl/actnlist.h"
#include "vcl/bitmaps.h"
#include "vcl/classes.h"
#include "vcl/system.h"

#include <memory>
#include <vector>

namespace vcl {

class EMenuError : public Exception {
public:
    using Exception::Exception;
};

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

class TMenu;

class TMenuItem : public TComponent {
    CL_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* AOwner);
    // Leaves its parent and frees the items it lists.
    void BeforeDestruction() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value) { FCaption = value; }
    // Checking a radio item unchecks the radio items of its group beside it.
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value) { FRadioItem = value; }
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte value) { FGroupIndex = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { FDefault = value; }
    TMenuBreak Break() const { return FBreak; }
    void SetBreak(TMenuBreak value) { FBreak = value; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value) { FShortCut = value; }
    // Made on first use.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* value) { Bitmap()->Assign(value); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }

    TNotifyEvent OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent value) { FOnClick = value; }
    // Fires OnClick.
    virtual void Click();

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    void Add(TMenuItem* Item) { Insert(Count(), Item); }
    // An item already in a menu raises EMenuError.
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out of this one's list without freeing it.
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    // Frees every item listed here.
    void Clear();
    int IndexOf(TMenuItem* Item) const;

    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const { return FParent ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1; }
    void SetMenuIndex(int value);
    // The menu at the root of this item's tree, or null.
    TMenu* GetParentMenu() const;

private:
    friend class TMenu;

    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    bool FDefault = false;
    TMenuBreak FBreak = TMenuBreak::mbNone;
    TShortCut FShortCut = 0;
    std::unique_ptr<TBitmap> FBitmap;
    int FImageIndex = -1;
    TNotifyEvent FOnClick;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
    TMenu* FMenu = nullptr;  // set on a menu's root item
};

// A menu: the root item whose items are the menu's entries.
class TMenu : public TComponent {
    CL_CLASS(TMenu, TComponent)
public:
    using TComponent::TComponent;
    // Makes the root item.
    void AfterConstruction() override;

    TMenuItem* Items() const { return FItems; }

private:
    TMenuItem* FItems = nullptr;  // owned through Components
};

class TPopupMenu : public TMenu {
    CL_CLASS(TPopupMenu, TMenu)
public:
    using TMenu::TMenu;
};

class TMainMenu : public TMenu {
    CL_CLASS(TMainMenu, TMenu)
public:
    using TMenu::TMenu;
};

}  // namespace vcl
