#pragma once
// Menus: a tree of menu items under a popup or main menu, and the system menus built from it.
// Items belong to their owner (the form) like any component; a parent item only lists them, and
// frees the ones it still lists when it goes. A menu's HMENU is made on first use and rebuilt,
// when the tree changed, the next time it is asked for. Owner-drawn items are measured and drawn
// through events that get a canvas on the item's DC; popup menus are tracked on a hidden utility
// window that turns the system's owner-draw and command messages into those events.
#include "vcl/actnlist.h"
#include "vcl/bitmaps.h"
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/graphics.h"
#include "vcl/imglist.h"
#include "vcl/system.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace vcl {

class EMenuError : public Exception {
public:
    using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// Shortcuts: a virtual key in the low byte with modifier bits above.

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+F10", "Alt+Enter", "Shift+Ctrl+Del"; "" for none or a key without a name.
String ShortCutToText(TShortCut ShortCut);
// The shortcut of such a text, modifiers in any order and letters in any case; 0 when it does not
// name one.
TShortCut TextToShortCut(const String& Text);

// ---------------------------------------------------------------------------------------------
// Items

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };
enum class TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu;
class TMenuItem;

// Ties a menu item to its action: a change of the action reaches the item.
class TMenuActionLink : public TBasicActionLink {
    CL_CLASS(TMenuActionLink, TBasicActionLink)
public:
    explicit TMenuActionLink(TMenuItem* Client) : FClient(Client) {}

protected:
    void Change() override;

private:
    TMenuItem* FClient;
};

using TMenuMeasureItemEvent = TDelegate<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = TDelegate<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    TDelegate<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State)>;
using TMenuChangeEvent = TDelegate<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

class TMenuItem : public TComponent {
    CL_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* AOwner);
    // Leaves its parent, frees the items it lists, gives back its command and its submenu.
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // "-" makes a separator.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    // Checking a radio item unchecks the radio items of its group beside it.
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // A hidden item is left out of the system menu but still found by FindItem.
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value);
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte value) { FGroupIndex = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    TMenuBreak Break() const { return FBreak; }
    void SetBreak(TMenuBreak value);
    // Shown after a tab in the caption.
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    // "Short|Long": the long part becomes the application's hint while the item is selected.
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    // Made on first use.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* value) { Bitmap()->Assign(value); }
    // An image of the parent item's SubMenuImages, else of the menu's Images.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // The images of this item's sub-items.
    TCustomImageList* SubMenuImages() const { return FSubMenuImages; }
    void SetSubMenuImages(TCustomImageList* value);

    // The identifier the system menu reports for this item (WM_COMMAND), unique in the process.
    Word Command() const { return FCommand; }
    // The system submenu listing this item's sub-items, made on first use.
    HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Tells the menu that this item changed; Rebuild says the system menu must be made again.
    void MenuChanged(bool Rebuild);

    TNotifyEvent OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent value) { FOnClick = value; }
    // An item with any of these events is owner-drawn.
    TMenuMeasureItemEvent OnMeasureItem() const { return FOnMeasureItem; }
    void SetOnMeasureItem(TMenuMeasureItemEvent value);
    TMenuDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(TMenuDrawItemEvent value);
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem() const { return FOnAdvancedDrawItem; }
    void SetOnAdvancedDrawItem(TAdvancedMenuDrawItemEvent value);
    // Fires OnClick, or executes the action when OnClick is unset or is the action's own handler;
    // also when the item's submenu opens, so that its items can be brought up to date.
    virtual void Click();
    // The action lends the item its caption, state, hint, shortcut, image and OnClick.
    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    void SetAction(TBasicAction* value);
    // Lets the action bring itself (and so the item) up to date.
    virtual void InitiateAction();

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
    // The sub-item (at any depth) with this command, submenu handle or shortcut, or null.
    TMenuItem* Find(uintptr_t Value, TFindItemKind Kind);

    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const { return FParent ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1; }
    void SetMenuIndex(int value);
    // The menu at the root of this item's tree, or null.
    TMenu* GetParentMenu() const;
    // Whether the system draws this item through the measure and draw events.
    bool IsOwnerDraw() const;
    // An item of a main menu's bar.
    bool IsTopLevel() const;

    // The owner-draw entries: OnMeasureItem, else a measure of the caption and glyph.
    virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
    // OnAdvancedDrawItem, else OnDrawItem, else the item drawn in the system's colours.
    virtual void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State);

protected:
    friend class TMenuActionLink;

    // The default look of an owner-drawn item: glyph or check, caption, shortcut.
    virtual void DrawItemDefault(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State);
    // Takes the action's properties.
    virtual void ActionChange(TObject* Sender);

private:
    friend class TMenu;
    friend class TMainMenu;

    // Makes the submenu again from the visible sub-items.
    void RebuildHandle() { RebuildHandle(FItems); }
    // Makes the submenu again from the visible items of Items.
    void RebuildHandle(const std::vector<TMenuItem*>& Items);
    // The image list this item's ImageIndex refers to.
    TCustomImageList* ImageList() const;
    void BitmapChanged(TObject* Sender);
    template<class T>
    void ChangeAndRebuild(T& field, const T& value);

    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    bool FDefault = false;
    TMenuBreak FBreak = TMenuBreak::mbNone;
    TShortCut FShortCut = 0;
    String FHint;
    std::unique_ptr<TBitmap> FBitmap;
    int FImageIndex = -1;
    TCustomImageList* FSubMenuImages = nullptr;
    Word FCommand = 0;
    HMENU FHandle = nullptr;
    TNotifyEvent FOnClick;
    TMenuMeasureItemEvent FOnMeasureItem;
    TMenuDrawItemEvent FOnDrawItem;
    TAdvancedMenuDrawItemEvent FOnAdvancedDrawItem;
    std::unique_ptr<TMenuActionLink> FActionLink;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
    TMenu* FMenu = nullptr;  // set on a menu's root item
};

// ---------------------------------------------------------------------------------------------
// Menus

// A menu: the root item whose items are the menu's entries.
class TMenu : public TComponent {
    CL_CLASS(TMenu, TComponent)
public:
    using TComponent::TComponent;
    // Makes the root item.
    void AfterConstruction() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TMenuItem* Items() const { return FItems; }
    // The system menu, made on first use and made again when the tree changed since.
    HMENU Handle();
    // The item (at any depth) with this command, submenu handle or shortcut, or null.
    TMenuItem* FindItem(uintptr_t Value, TFindItemKind Kind);
    // Every item is measured and drawn through the owner-draw events.
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    // The window the menu belongs to: the form of a main menu; a popup menu's is informational.
    HWND WindowHandle() const { return FWindowHandle; }
    virtual void SetWindowHandle(HWND value) { FWindowHandle = value; }

    TMenuChangeEvent OnChange() const { return FOnChange; }
    void SetOnChange(TMenuChangeEvent value) { FOnChange = value; }

    // An item of the tree changed (Source; null for the menu itself).
    virtual void MenuChanged(TMenuItem* Source, bool Rebuild);
    // Menus here read left to right only: there is no right-to-left layout to adjust.
    void AdjustBiDiBehavior() {}

protected:
    // The empty system menu of the root.
    virtual HMENU CreateMenuHandle() { return CreatePopupMenu(); }
    // Fills the system menu from the items; runs when Handle finds the tree changed.
    virtual void RebuildHandle();

private:
    void ImageListChanged(TObject* Sender);

    TMenuItem* FItems = nullptr;  // owned through Components
    bool FOwnerDraw = false;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    HWND FWindowHandle = nullptr;
    bool FRebuildPending = true;
    TMenuChangeEvent FOnChange;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };
enum class TTrackButton { tbRightButton, tbLeftButton };
enum class TMenuAnimations { maLeftToRight, maRightToLeft, maTopToBottom, maBottomToTop, maNone };
using TMenuAnimation = TSet<TMenuAnimations>;

class TPopupMenu : public TMenu {
    CL_CLASS(TPopupMenu, TMenu)
public:
    using TMenu::TMenu;

    // OnPopup, then the menu at the screen point until the user closes it; the chosen item's
    // OnClick runs before Popup returns.
    virtual void Popup(int X, int Y);
    // The control whose context menu this is while it pops up (set by the control or the caller).
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value);
    // Controls pop the menu up on a right click or the context key.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }
    TTrackButton TrackButton() const { return FTrackButton; }
    void SetTrackButton(TTrackButton value) { FTrackButton = value; }
    // How the menu opens; maNone switches the system's animation off.
    TMenuAnimation MenuAnimation() const { return FMenuAnimation; }
    void SetMenuAnimation(TMenuAnimation value) { FMenuAnimation = value; }
    // Where the menu last popped up.
    TPoint PopupPoint() const { return FPopupPoint; }

    TNotifyEvent OnPopup() const { return FOnPopup; }
    void SetOnPopup(TNotifyEvent value) { FOnPopup = value; }

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    virtual void DoPopup(TObject* Sender);
    // TrackPopupMenu's flags for the alignment, button and animation.
    UINT TrackFlags() const;

private:
    TComponent* FPopupComponent = nullptr;
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = TPopupAlignment::paLeft;
    TTrackButton FTrackButton = TTrackButton::tbRightButton;
    TMenuAnimation FMenuAnimation;
    TPoint FPopupPoint;
    TNotifyEvent FOnPopup;
};

// The menu bar of a form (TCustomForm::SetMenu). Another main menu merged into it (an MDI form's
// active child's) shows in its bar: the merged menu's items take the place of this menu's items of
// the same GroupIndex and stand among them in GroupIndex order. This menu's own items stay as they
// are; only the bar shows the merged list.
class TMainMenu : public TMenu {
    CL_CLASS(TMainMenu, TMenu)
public:
    using TMenu::TMenu;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The menu of a form other than the main form shows in the main form's bar while the form is
    // active (TCustomForm); an MDI child's menu merges whatever its value.
    bool AutoMerge() const { return FAutoMerge; }
    void SetAutoMerge(bool value) { FAutoMerge = value; }
    // Shows Menu's items in this menu's bar (null: none); the bar is made again.
    void Merge(TMainMenu* Menu);
    // Takes Menu's items out of the bar when it is the merged one.
    void Unmerge(TMainMenu* Menu);
    TMainMenu* Merged() const { return FMerged; }
    // Also tells the window (CM_MENUCHANGED), which shows the menu again, and the menu this one is
    // merged into.
    void MenuChanged(TMenuItem* Source, bool Rebuild) override;

protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }
    void RebuildHandle() override;

private:
    bool FAutoMerge = false;
    TMainMenu* FMerged = nullptr;
    TMainMenu* FMergedInto = nullptr;
};

// The items a bar shows when Merged's items are merged into Own's: Own's items of every group
// Merged has no item of, with Merged's items each placed after the items of its group or below.
std::vector<TMenuItem*> MergeMenuItems(const std::vector<TMenuItem*>& Own, const std::vector<TMenuItem*>& Merged);

// Menu traffic a window of ours receives (WM_COMMAND from a menu, WM_MEASUREITEM and WM_DRAWITEM
// of menu items, WM_INITMENUPOPUP, WM_MENUSELECT) handed to the item concerned; true when it was
// one of our items'.
bool DispatchMenuMessage(TMessage& Message);
// The item of any live menu with this command, or null.
TMenuItem* FindMenuItemByCommand(Word Command);

}  // namespace vcl
