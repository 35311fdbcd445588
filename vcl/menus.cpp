#include "vcl/menus.h"

#include "vcl/application.h"
#include "vcl/hints.h"
#include "vcl/screen.h"
#include "vcl/sysutils.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace vcl {

// =============================================================================================
// Shortcuts

namespace {

struct TKeyName {
    Word Key;
    const wchar_t* Name;
};

const TKeyName KeyNames[] = {
    {VK_BACK, L"BkSp"},      {VK_TAB, L"Tab"},        {VK_RETURN, L"Enter"},   {VK_ESCAPE, L"Esc"},
    {VK_SPACE, L"Space"},    {VK_PRIOR, L"PgUp"},     {VK_NEXT, L"PgDn"},      {VK_END, L"End"},
    {VK_HOME, L"Home"},      {VK_LEFT, L"Left"},      {VK_UP, L"Up"},          {VK_RIGHT, L"Right"},
    {VK_DOWN, L"Down"},      {VK_INSERT, L"Ins"},     {VK_DELETE, L"Del"},     {VK_PAUSE, L"Pause"},
    {VK_MULTIPLY, L"Num *"}, {VK_ADD, L"Num +"},      {VK_SUBTRACT, L"Num -"}, {VK_DECIMAL, L"Num ."},
    {VK_DIVIDE, L"Num /"},
};

struct TModifier {
    TShortCut Bit;
    TShiftStateItem Shift;
    const wchar_t* Name;
};

// In the order they are written.
const TModifier Modifiers[] = {
    {scShift, TShiftStateItem::ssShift, L"Shift+"},
    {scCtrl, TShiftStateItem::ssCtrl, L"Ctrl+"},
    {scAlt, TShiftStateItem::ssAlt, L"Alt+"},
};

// The name of a virtual key, "" for one without a name.
String KeyName(Word key)
{
    for (const TKeyName& k : KeyNames)
        if (k.Key == key)
            return k.Name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return String(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F24)
        return L"F" + IntToStr(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return L"Num " + IntToStr(key - VK_NUMPAD0);
    // Punctuation keys: the character the keyboard layout puts on them.
    if (key >= VK_OEM_1 && key <= VK_OEM_102)
        if (UINT ch = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0xFFFF; ch > L' ')
            return String(1, static_cast<wchar_t>(ch));
    return String();
}

bool StartsWithText(const String& text, const String& prefix)
{
    return text.size() >= prefix.size() && CompareText(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift)
{
    if (Key > 0xFF)
        return scNone;
    TShortCut result = Key;
    for (const TModifier& m : Modifiers)
        if (Shift.Contains(m.Shift))
            result |= m.Bit;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift)
{
    Key = ShortCut & 0xFF;
    Shift = TShiftState();
    for (const TModifier& m : Modifiers)
        if (ShortCut & m.Bit)
            Shift << m.Shift;
}

String ShortCutToText(TShortCut ShortCut)
{
    String key = KeyName(ShortCut & 0xFF);
    if (key.empty())
        return String();
    String text;
    for (const TModifier& m : Modifiers)
        if (ShortCut & m.Bit)
            text += m.Name;
    return text + key;
}

TShortCut TextToShortCut(const String& Text)
{
    String rest = Text;
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const TModifier& m : Modifiers)
            if (StartsWithText(rest, m.Name) && rest.size() > wcslen(m.Name)) {
                modifiers |= m.Bit;
                rest.erase(0, wcslen(m.Name));
                found = true;
            }
    }
    if (rest.empty())
        return scNone;
    for (Word key = 1; key <= 0xFF; ++key)
        if (CompareText(KeyName(key), rest) == 0)
            return static_cast<TShortCut>(modifiers | key);
    return scNone;
}

// =============================================================================================
// Commands and live menus

namespace {

// Menu commands lie below the system's (SC_SIZE 0xF000 and up).
constexpr Word LastCommand = 0xEFFF;

std::unordered_map<Word, TMenuItem*>& CommandItems()
{
    static std::unordered_map<Word, TMenuItem*> items;
    return items;
}

Word AllocateCommand(TMenuItem* item)
{
    static Word last = 0;
    auto& items = CommandItems();
    for (Word tries = 0; tries < LastCommand; ++tries) {
        last = static_cast<Word>(last % LastCommand + 1);
        if (items.emplace(last, item).second)
            return last;
    }
    throw EMenuError(L"Too many menu items");
}

std::vector<TMenu*>& LiveMenus()
{
    static std::vector<TMenu*> menus;
    return menus;
}

// Takes every entry out of a system menu without destroying the submenus they open.
void ClearMenu(HMENU menu)
{
    for (int count = GetMenuItemCount(menu); count > 0; --count)
        RemoveMenu(menu, 0, MF_BYPOSITION);
}

}  // namespace

TMenuItem* FindMenuItemByCommand(Word Command)
{
    auto& items = CommandItems();
    auto it = items.find(Command);
    return it == items.end() ? nullptr : it->second;
}

namespace {

TMenuItem* FindMenuItemByHandle(HMENU handle)
{
    for (TMenu* menu : LiveMenus())
        if (TMenuItem* item = menu->FindItem(reinterpret_cast<uintptr_t>(handle), TFindItemKind::fkHandle))
            return item;
    return nullptr;
}

}  // namespace

// =============================================================================================
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(AllocateCommand(this)) {}

void TMenuItem::BeforeDestruction()
{
    if (FParent)
        FParent->Remove(this);
    while (!FItems.empty())
        FItems.back()->Free();
    if (FHandle) {
        ClearMenu(FHandle);
        DestroyMenu(FHandle);
        FHandle = nullptr;
    }
    CommandItems().erase(FCommand);
    TComponent::BeforeDestruction();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FSubMenuImages)
        FSubMenuImages = nullptr;
}

template<class T>
void TMenuItem::ChangeAndRebuild(T& field, const T& value)
{
    if (ChangeField(field, value))
        MenuChanged(true);
}

void TMenuItem::SetCaption(const String& value) { ChangeAndRebuild(FCaption, value); }
void TMenuItem::SetEnabled(bool value) { ChangeAndRebuild(FEnabled, value); }
void TMenuItem::SetVisible(bool value) { ChangeAndRebuild(FVisible, value); }
void TMenuItem::SetRadioItem(bool value) { ChangeAndRebuild(FRadioItem, value); }
void TMenuItem::SetDefault(bool value) { ChangeAndRebuild(FDefault, value); }
void TMenuItem::SetBreak(TMenuBreak value) { ChangeAndRebuild(FBreak, value); }
void TMenuItem::SetShortCut(TShortCut value) { ChangeAndRebuild(FShortCut, value); }
void TMenuItem::SetImageIndex(int value) { ChangeAndRebuild(FImageIndex, value); }
void TMenuItem::SetOnMeasureItem(TMenuMeasureItemEvent value) { ChangeAndRebuild(FOnMeasureItem, value); }
void TMenuItem::SetOnDrawItem(TMenuDrawItemEvent value) { ChangeAndRebuild(FOnDrawItem, value); }
void TMenuItem::SetOnAdvancedDrawItem(TAdvancedMenuDrawItemEvent value)
{
    ChangeAndRebuild(FOnAdvancedDrawItem, value);
}

void TMenuItem::SetSubMenuImages(TCustomImageList* value)
{
    if (ReplaceComponent(FSubMenuImages, value))
        MenuChanged(true);
}

TBitmap* TMenuItem::Bitmap()
{
    if (!FBitmap) {
        FBitmap = std::make_unique<TBitmap>();
        FBitmap->SetOnChange(TNotifyEvent(this, &TMenuItem::BitmapChanged));
    }
    return FBitmap.get();
}

void TMenuItem::BitmapChanged(TObject*) { MenuChanged(true); }

void TMenuItem::SetChecked(bool value)
{
    if (!ChangeField(FChecked, value))
        return;
    if (value && FRadioItem && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
                sibling->FChecked = false;
    MenuChanged(true);
}

void TMenuItem::Click()
{
    TBasicAction* action = Action();
    if (action && (!FOnClick || FOnClick == action->OnExecute()))
        FActionLink->Execute(this);
    else if (FOnClick)
        FOnClick(this);
}

void TMenuActionLink::Change()
{
    if (FAction)
        FClient->ActionChange(FAction);
}

void TMenuItem::SetAction(TBasicAction* value)
{
    if (ChangeActionLink(FActionLink, this, value))
        ActionChange(value);
}

void TMenuItem::InitiateAction()
{
    if (FActionLink)
        FActionLink->Update();
}

void TMenuItem::ActionChange(TObject* Sender)
{
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action)
        return;
    SetCaption(action->Caption());
    SetEnabled(action->Enabled());
    SetChecked(action->Checked());
    SetVisible(action->Visible());
    SetHint(action->Hint());
    SetShortCut(action->ShortCut());
    SetImageIndex(action->ImageIndex());
    FOnClick = action->OnExecute();
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
    MenuChanged(true);
}

void TMenuItem::Delete(int Index)
{
    TMenuItem* item = Items(Index);
    FItems.erase(FItems.begin() + Index);
    item->FParent = nullptr;
    MenuChanged(true);
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

TMenuItem* TMenuItem::Find(uintptr_t Value, TFindItemKind Kind)
{
    for (TMenuItem* item : FItems) {
        bool match = false;
        switch (Kind) {
        case TFindItemKind::fkCommand: match = item->FCommand == Value; break;
        case TFindItemKind::fkHandle: match = item->FHandle && reinterpret_cast<uintptr_t>(item->FHandle) == Value; break;
        case TFindItemKind::fkShortCut: match = item->FShortCut != 0 && item->FShortCut == Value; break;
        }
        if (match)
            return item;
        if (TMenuItem* found = item->Find(Value, Kind))
            return found;
    }
    return nullptr;
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

bool TMenuItem::IsTopLevel() const { return FParent && dynamic_cast<TMainMenu*>(FParent->FMenu); }

TCustomImageList* TMenuItem::ImageList() const
{
    if (FParent && FParent->FSubMenuImages)
        return FParent->FSubMenuImages;
    TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool TMenuItem::IsOwnerDraw() const
{
    TMenu* menu = GetParentMenu();
    return (menu && menu->OwnerDraw()) || FOnMeasureItem || FOnDrawItem || FOnAdvancedDrawItem ||
           (FImageIndex >= 0 && ImageList()) || (FBitmap && !FBitmap->Empty());
}

void TMenuItem::MenuChanged(bool Rebuild)
{
    TMenuItem* root = this;
    while (root->FParent)
        root = root->FParent;
    if (root->FMenu)
        root->FMenu->MenuChanged(this, Rebuild);
    else if (Rebuild && root->FHandle)
        root->RebuildHandle();
}

HMENU TMenuItem::Handle()
{
    if (TMenu* menu = GetParentMenu())
        menu->Handle();
    if (!FHandle) {
        FHandle = CreatePopupMenu();
        RebuildHandle();
    }
    return FHandle;
}

void TMenuItem::RebuildHandle(const std::vector<TMenuItem*>& Items)
{
    ClearMenu(FHandle);
    for (TMenuItem* item : Items) {
        if (!item->FVisible)
            continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        String text;
        if (item->FCaption == L"-") {
            info.fType = MFT_SEPARATOR;
        } else {
            text = item->FCaption;
            if (String shortcut = ShortCutToText(item->FShortCut); !shortcut.empty())
                text += L"\t" + shortcut;
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
        }
        if (item->IsOwnerDraw())
            info.fType |= MFT_OWNERDRAW;
        if (item->FRadioItem)
            info.fType |= MFT_RADIOCHECK;
        if (item->FBreak == TMenuBreak::mbBreak)
            info.fType |= MFT_MENUBREAK;
        else if (item->FBreak == TMenuBreak::mbBarBreak)
            info.fType |= MFT_MENUBARBREAK;
        info.fState = (item->FChecked ? MFS_CHECKED : 0) | (item->FEnabled ? 0 : MFS_DISABLED) |
                      (item->FDefault ? MFS_DEFAULT : 0);
        info.wID = item->FCommand;
        // The command, not the item's address: a message naming a freed item finds nothing.
        info.dwItemData = item->FCommand;
        // A submenu that lost its items is emptied too: its handle may be held elsewhere.
        if (!item->FItems.empty() && !item->FHandle)
            item->FHandle = CreatePopupMenu();
        if (item->FHandle)
            item->RebuildHandle();
        if (!item->FItems.empty())
            info.hSubMenu = item->FHandle;
        InsertMenuItemW(FHandle, static_cast<UINT>(GetMenuItemCount(FHandle)), TRUE, &info);
    }
}

// ---------------------------------------------------------------------------------------------
// Owner drawing

namespace {

constexpr int GlyphMargin = 2;
constexpr int TextMargin = 4;
constexpr int ShortCutGap = 16;

// The glyph column's width: the image list's, else the bitmap's, else a check mark's.
int GlyphWidth(TCustomImageList* images, TBitmap* bitmap)
{
    if (images)
        return images->Width();
    if (bitmap && !bitmap->Empty())
        return bitmap->Width();
    return GetSystemMetrics(SM_CXMENUCHECK);
}

TSize MeasureText(TCanvas* canvas, const String& text)
{
    TRect r(0, 0, 0, 0);
    canvas->TextRect(r, text.empty() ? String(L" ") : text, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    return TSize{text.empty() ? 0 : r.Width(), r.Height()};
}

}  // namespace

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height)
{
    if (FOnMeasureItem) {
        FOnMeasureItem(this, ACanvas, Width, Height);
        return;
    }
    if (FCaption == L"-") {
        Width = 0;
        Height = GetSystemMetrics(SM_CYMENU) / 2;
        return;
    }
    TSize text = MeasureText(ACanvas, FCaption);
    if (IsTopLevel()) {
        Width = text.cx + 2 * TextMargin;
        Height = text.cy + 2 * TextMargin;
        return;
    }
    TCustomImageList* images = FImageIndex >= 0 ? ImageList() : nullptr;
    int glyph = GlyphWidth(images, FBitmap.get());
    int glyphHeight = images ? images->Height() : FBitmap && !FBitmap->Empty() ? FBitmap->Height() : 0;
    TSize shortcut = MeasureText(ACanvas, ShortCutToText(FShortCut));
    Width = glyph + 2 * GlyphMargin + TextMargin + text.cx + (shortcut.cx ? ShortCutGap + shortcut.cx : 0) + TextMargin;
    Height = std::max<int>(text.cy + TextMargin, glyphHeight + 2 * GlyphMargin);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State)
{
    if (FOnAdvancedDrawItem)
        FOnAdvancedDrawItem(this, ACanvas, ARect, State);
    else if (FOnDrawItem)
        FOnDrawItem(this, ACanvas, ARect, State.Contains(TOwnerDrawStateItem::odSelected));
    else
        DrawItemDefault(ACanvas, ARect, State);
}

void TMenuItem::DrawItemDefault(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State)
{
    ACanvas->FillRect(ARect);
    if (FCaption == L"-") {
        RECT line = ARect;
        line.top += ARect.Height() / 2;
        DrawEdge(ACanvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (State.Contains(TOwnerDrawStateItem::odNoAccel))
        flags |= DT_HIDEPREFIX;
    ACanvas->Brush()->SetStyle(TBrushStyle::bsClear);
    if (IsTopLevel()) {
        TRect text = ARect;
        ACanvas->TextRect(text, FCaption, flags | DT_CENTER);
        return;
    }
    TCustomImageList* images = FImageIndex >= 0 ? ImageList() : nullptr;
    int glyph = GlyphWidth(images, FBitmap.get());
    int x = ARect.left + GlyphMargin;
    bool enabled = FEnabled && !State.Contains(TOwnerDrawStateItem::odDisabled);
    if (images) {
        images->Draw(ACanvas, x, ARect.top + (ARect.Height() - images->Height()) / 2, FImageIndex, enabled);
    } else if (FBitmap && !FBitmap->Empty()) {
        ACanvas->Draw(x, ARect.top + (ARect.Height() - FBitmap->Height()) / 2, FBitmap.get());
    } else if (FChecked) {
        int size = GetSystemMetrics(SM_CYMENUCHECK);
        RECT check = Bounds(x, ARect.top + (ARect.Height() - size) / 2, glyph, size);
        DrawFrameControl(ACanvas->Handle(), &check, DFC_MENU, FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    TRect text(ARect.left + glyph + 2 * GlyphMargin + TextMargin, ARect.top, ARect.right - TextMargin, ARect.bottom);
    ACanvas->TextRect(text, FCaption, flags | DT_LEFT);
    if (String shortcut = ShortCutToText(FShortCut); !shortcut.empty())
        ACanvas->TextRect(text, shortcut, flags | DT_RIGHT);
}

// =============================================================================================
// TMenu

void TMenu::AfterConstruction()
{
    TComponent::AfterConstruction();
    FItems = Create<TMenuItem>(this);
    FItems->FMenu = this;
    LiveMenus().push_back(this);
}

void TMenu::BeforeDestruction()
{
    std::erase(LiveMenus(), this);
    TComponent::BeforeDestruction();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages)
        SetImages(nullptr);
}

HMENU TMenu::Handle()
{
    if (!FItems->FHandle) {
        FItems->FHandle = CreateMenuHandle();
        FRebuildPending = true;
    }
    if (FRebuildPending) {
        FRebuildPending = false;
        RebuildHandle();
    }
    return FItems->FHandle;
}

void TMenu::RebuildHandle() { FItems->RebuildHandle(); }

TMenuItem* TMenu::FindItem(uintptr_t Value, TFindItemKind Kind) { return FItems->Find(Value, Kind); }

void TMenu::SetOwnerDraw(bool value)
{
    if (ChangeField(FOwnerDraw, value))
        MenuChanged(nullptr, true);
}

void TMenu::SetImages(TCustomImageList* value)
{
    if (FImages == value)
        return;
    if (FImages)
        FImages->UnRegisterChanges(FImageChangeLink.get());
    ReplaceComponent(FImages, value);
    if (value) {
        if (!FImageChangeLink) {
            FImageChangeLink = std::make_unique<TChangeLink>();
            FImageChangeLink->SetOnChange(TNotifyEvent(this, &TMenu::ImageListChanged));
        }
        value->RegisterChanges(FImageChangeLink.get());
    }
    MenuChanged(nullptr, true);
}

void TMenu::ImageListChanged(TObject*) { MenuChanged(nullptr, true); }

void TMenu::MenuChanged(TMenuItem* Source, bool Rebuild)
{
    if (ComponentState().Contains(TComponentStateItem::csDestroying))
        return;
    if (Rebuild)
        FRebuildPending = true;
    if (FOnChange)
        FOnChange(this, Source, Rebuild);
}

void TMainMenu::MenuChanged(TMenuItem* Source, bool Rebuild)
{
    TMenu::MenuChanged(Source, Rebuild);
    if (ComponentState().Contains(TComponentStateItem::csDestroying))
        return;
    if (WindowHandle())
        SendMessageW(WindowHandle(), CM_MENUCHANGED, 0, 0);
    if (FMergedInto)
        FMergedInto->MenuChanged(nullptr, Rebuild);
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == FMerged)
        Merge(nullptr);
    if (AComponent == FMergedInto)
        FMergedInto = nullptr;
}

void TMainMenu::Merge(TMainMenu* Menu)
{
    if (FMerged == Menu)
        return;
    if (FMerged)
        FMerged->ReplaceComponent(FMerged->FMergedInto, static_cast<TMainMenu*>(nullptr));
    ReplaceComponent(FMerged, Menu);
    if (Menu)
        Menu->ReplaceComponent(Menu->FMergedInto, this);
    MenuChanged(nullptr, true);
}

void TMainMenu::Unmerge(TMainMenu* Menu)
{
    if (Menu && Menu == FMerged)
        Merge(nullptr);
}

void TMainMenu::RebuildHandle()
{
    if (!FMerged) {
        TMenu::RebuildHandle();
        return;
    }
    Items()->RebuildHandle(MergeMenuItems(Items()->FItems, FMerged->Items()->FItems));
}

std::vector<TMenuItem*> MergeMenuItems(const std::vector<TMenuItem*>& Own, const std::vector<TMenuItem*>& Merged)
{
    std::vector<TMenuItem*> result;
    std::ranges::copy_if(Own, std::back_inserter(result), [&](TMenuItem* item) {
        return std::ranges::none_of(Merged, [&](TMenuItem* m) { return m->GroupIndex() == item->GroupIndex(); });
    });
    for (TMenuItem* item : Merged) {
        auto above = std::ranges::find_if(result, [&](TMenuItem* r) { return r->GroupIndex() > item->GroupIndex(); });
        result.insert(above, item);
    }
    return result;
}

// =============================================================================================
// TPopupMenu

namespace {

// The hidden window that owns a popup menu while it is tracked: the menu's owner-draw, selection
// and command messages reach the items through it. It goes when the menu closes.
class TPopupWindow {
public:
    TPopupWindow() : FHandle(AllocateHWnd(TWndMethod(this, &TPopupWindow::WndProc))) {}
    ~TPopupWindow() { DeallocateHWnd(FHandle); }
    TPopupWindow(const TPopupWindow&) = delete;
    TPopupWindow& operator=(const TPopupWindow&) = delete;
    HWND Handle() const { return FHandle; }

private:
    void WndProc(TMessage& Message)
    {
        if (!DispatchMenuMessage(Message))
            Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
    }

    HWND FHandle;
};

}  // namespace

void TPopupMenu::SetPopupComponent(TComponent* value) { ReplaceComponent(FPopupComponent, value); }

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FPopupComponent)
        FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender)
{
    if (FOnPopup)
        FOnPopup(Sender);
}

UINT TPopupMenu::TrackFlags() const
{
    static const UINT alignments[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
    static const UINT buttons[] = {TPM_RIGHTBUTTON, TPM_LEFTBUTTON};
    struct Animation {
        TMenuAnimations Member;
        UINT Flag;
    };
    static const Animation animations[] = {
        {TMenuAnimations::maLeftToRight, TPM_HORPOSANIMATION}, {TMenuAnimations::maRightToLeft, TPM_HORNEGANIMATION},
        {TMenuAnimations::maTopToBottom, TPM_VERPOSANIMATION}, {TMenuAnimations::maBottomToTop, TPM_VERNEGANIMATION},
        {TMenuAnimations::maNone, TPM_NOANIMATION},
    };
    UINT flags = alignments[static_cast<int>(FAlignment)] | buttons[static_cast<int>(FTrackButton)];
    for (const Animation& a : animations)
        if (FMenuAnimation.Contains(a.Member))
            flags |= a.Flag;
    return flags;
}

void TPopupMenu::Popup(int X, int Y)
{
    FPopupPoint = TPoint(X, Y);
    DoPopup(this);
    HMENU menu = Handle();
    Word command = 0;
    {
        const TPopupWindow window;
        command = static_cast<Word>(TrackPopupMenu(menu, TrackFlags() | TPM_RETURNCMD, X, Y, 0, window.Handle(), nullptr));
    }
    if (TMenuItem* item = command ? FindItem(command, TFindItemKind::fkCommand) : nullptr)
        item->Click();
}

// =============================================================================================
// Menu messages

namespace {

// A canvas on a DC the system lends for one item; the DC's state is given back as it came.
class TItemCanvas {
public:
    TItemCanvas(HDC dc, TMenuItem* item, TOwnerDrawState state) : FDC(dc), FSaved(SaveDC(dc))
    {
        FCanvas.Lock();
        FCanvas.SetHandle(dc);
        if (Screen)
            FCanvas.Font()->Assign(Screen->MenuFont());
        if (item->Default())
            FCanvas.Font()->SetStyle(FCanvas.Font()->Style() + TFontStyle::fsBold);
        bool selected = state.Contains(TOwnerDrawStateItem::odSelected);
        bool disabled = !item->Enabled() || state.Contains(TOwnerDrawStateItem::odDisabled);
        FCanvas.Brush()->SetColor(selected ? clHighlight : clMenu);
        FCanvas.Font()->SetColor(disabled ? clGrayText : selected ? clHighlightText : clMenuText);
    }
    ~TItemCanvas()
    {
        FCanvas.SetHandle(nullptr);
        FCanvas.Unlock();
        RestoreDC(FDC, FSaved);
    }
    TItemCanvas(const TItemCanvas&) = delete;
    TItemCanvas& operator=(const TItemCanvas&) = delete;
    TCanvas* Canvas() { return &FCanvas; }

private:
    HDC FDC;
    int FSaved;
    TCanvas FCanvas;
};

// The owner-drawn menu item a message names: ours carry their command as item data.
TMenuItem* OwnerDrawnItem(UINT ctlType, ULONG_PTR itemData)
{
    return ctlType == ODT_MENU && itemData <= LastCommand ? FindMenuItemByCommand(static_cast<Word>(itemData))
                                                          : nullptr;
}

bool MeasureMenuItem(TMessage& Message)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    TMenuItem* item = OwnerDrawnItem(mis->CtlType, mis->itemData);
    if (!item)
        return false;
    HDC dc = GetDC(nullptr);
    {
        TItemCanvas canvas(dc, item, TOwnerDrawState());
        int width = static_cast<int>(mis->itemWidth);
        int height = static_cast<int>(mis->itemHeight);
        item->MeasureItem(canvas.Canvas(), width, height);
        mis->itemWidth = static_cast<UINT>(std::max(width, 0));
        mis->itemHeight = static_cast<UINT>(std::max(height, 0));
    }
    ReleaseDC(nullptr, dc);
    Message.Result = TRUE;
    return true;
}

bool DrawMenuItem(TMessage& Message)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    TMenuItem* item = OwnerDrawnItem(dis->CtlType, dis->itemData);
    if (!item)
        return false;
    TOwnerDrawState state = OwnerDrawState(dis->itemState);
    TItemCanvas canvas(dis->hDC, item, state);
    item->AdvancedDrawItem(canvas.Canvas(), dis->rcItem, state);
    Message.Result = TRUE;
    return true;
}

// A submenu opens: its parent item may bring the sub-items up to date in OnClick.
bool InitMenuPopup(TMessage& Message)
{
    TMenuItem* item = FindMenuItemByHandle(reinterpret_cast<HMENU>(Message.WParam));
    if (!item)
        return false;
    item->Click();
    Message.Result = 0;
    return true;
}

// The selected item's long hint becomes the application's hint; closing the menu clears it.
bool MenuSelect(TMessage& Message)
{
    UINT flags = HIWORD(Message.WParam);
    if (flags == 0xFFFF && Message.LParam == 0) {
        if (Application)
            Application->SetHint(String());
        return false;
    }
    auto menu = reinterpret_cast<HMENU>(Message.LParam);
    TMenuItem* item = (flags & MF_POPUP) ? FindMenuItemByHandle(GetSubMenu(menu, LOWORD(Message.WParam)))
                                         : FindMenuItemByCommand(LOWORD(Message.WParam));
    if (!item)
        return false;
    if (Application)
        Application->SetHint(GetLongHint(item->Hint()));
    Message.Result = 0;
    return true;
}

}  // namespace

bool DispatchMenuMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_COMMAND: {
        // From a menu: notification code 0 and no control window.
        if (HIWORD(Message.WParam) != 0 || Message.LParam != 0)
            return false;
        TMenuItem* item = FindMenuItemByCommand(LOWORD(Message.WParam));
        if (!item)
            return false;
        item->Click();
        Message.Result = 0;
        return true;
    }
    case WM_MEASUREITEM: return MeasureMenuItem(Message);
    case WM_DRAWITEM: return DrawMenuItem(Message);
    case WM_INITMENUPOPUP: return InitMenuPopup(Message);
    case WM_MENUSELECT: return MenuSelect(Message);
    default: return false;
    }
}

}  // namespace vcl
