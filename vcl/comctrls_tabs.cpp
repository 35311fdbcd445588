#include "vcl/comctrls.h"
#include "vcl/forms.h"

#include <commctrl.h>

#include <algorithm>

namespace vcl {

// =============================================================================================
// TTabStrings

HWND TTabStrings::Window() const { return FTabControl->HandleAllocated() ? FTabControl->Handle() : nullptr; }

String TTabStrings::Get(int index) const
{
    return index >= 0 && index < FList.Count() ? FList.Strings(index) : String();
}

void TTabStrings::InsertIntoWindow(HWND Handle, int index) const
{
    String text = FList.Strings(index);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = FTabControl->GetImageIndex(index);
    SendMessageW(Handle, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int TTabStrings::Add(const String& s)
{
    int index = Count();
    Insert(index, s);
    return index;
}

// Without a window the selection kept in the control follows the tabs; a window keeps its own.
// The first tab is selected as it comes.
void TTabStrings::Insert(int index, const String& s)
{
    FList.Insert(index, s);
    HWND wnd = Window();
    if (wnd)
        InsertIntoWindow(wnd, index);
    else if (FTabControl->FTabIndex >= index)
        ++FTabControl->FTabIndex;
    if (FList.Count() == 1) {
        FTabControl->FTabIndex = 0;
        if (wnd)
            SendMessageW(wnd, TCM_SETCURSEL, 0, 0);
    }
}

void TTabStrings::Delete(int index)
{
    FList.Delete(index);
    if (HWND wnd = Window()) {
        SendMessageW(wnd, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
        return;
    }
    int& selected = FTabControl->FTabIndex;
    if (selected == index)
        selected = -1;
    else if (selected > index)
        --selected;
}

void TTabStrings::Clear()
{
    FList.Clear();
    FTabControl->FTabIndex = -1;
    if (HWND wnd = Window())
        SendMessageW(wnd, TCM_DELETEALLITEMS, 0, 0);
}

void TTabStrings::Put(int index, const String& s)
{
    FList.SetStrings(index, s);
    UpdateTab(index);
}

void TTabStrings::UpdateTab(int index) const
{
    HWND wnd = Window();
    if (!wnd)
        return;
    String text = FList.Strings(index);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = FTabControl->GetImageIndex(index);
    SendMessageW(wnd, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TTabStrings::PushTo(HWND Handle) const
{
    for (int i = 0; i < FList.Count(); ++i)
        InsertIntoWindow(Handle, i);
}

// =============================================================================================
// TCustomTabControl

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner), FTabs(std::make_unique<TTabStrings>(this)), FCanvas(std::make_unique<TControlCanvas>()),
      FImageChangeLink(std::make_unique<TChangeLink>())
{
    FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csDoubleClicks};
    FWidth = 289;
    FHeight = 193;
    FTabStop = true;
    InitColor(clBtnFace);
    FCanvas->SetControl(this);
    FImageChangeLink->SetOnChange(TNotifyEvent(this, &TCustomTabControl::ImageListChange));
}

void TCustomTabControl::BeforeDestruction()
{
    ChangeImageList(this, FImages, nullptr, *FImageChangeLink);
    TWinControl::BeforeDestruction();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages)
        SetImages(nullptr);
}

// Tabs on the left or right need several rows.
void TCustomTabControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLW);
    static const DWORD positions[] = {0, TCS_BOTTOM, TCS_VERTICAL | TCS_MULTILINE,
                                      TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE};
    static const DWORD styles[] = {TCS_TABS, TCS_BUTTONS, TCS_BUTTONS | TCS_FLATBUTTONS};
    Params.Style |= positions[static_cast<int>(FTabPosition)] | styles[static_cast<int>(FStyle)];
    if (FMultiLine)
        Params.Style |= TCS_MULTILINE;
    if (FHotTrack)
        Params.Style |= TCS_HOTTRACK;
    if (FOwnerDraw)
        Params.Style |= TCS_OWNERDRAWFIXED;
    if (FTabWidth > 0)
        Params.Style |= TCS_FIXEDWIDTH;
}

void TCustomTabControl::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyImages();
    ApplyTabSize();
    FTabs->PushTo(FHandle);
    SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
    // The tabs took their room: the controls inside go to what is left.
    Realign();
}

void TCustomTabControl::DestroyWnd()
{
    FTabIndex = static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
    TWinControl::DestroyWnd();
}

int TCustomTabControl::TabIndex()
{
    return FHandle ? static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0)) : FTabIndex;
}

void TCustomTabControl::SetTabIndex(int value)
{
    FTabIndex = value;
    if (FHandle)
        SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(value), 0);
}

TRect TCustomTabControl::TabRect(int Index)
{
    TRect r;
    SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomTabControl::RowCount() { return static_cast<int>(SendMessageW(Handle(), TCM_GETROWCOUNT, 0, 0)); }

TRect TCustomTabControl::DisplayRect()
{
    TRect r = ClientRect();
    if (FHandle)
        SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomTabControl::AdjustClientRect(TRect& Rect)
{
    Rect = DisplayRect();
    TWinControl::AdjustClientRect(Rect);
}

void TCustomTabControl::SetTabPosition(TTabPosition value) { SetStyleField(FTabPosition, value); }
void TCustomTabControl::SetStyle(TTabStyle value) { SetStyleField(FStyle, value); }
void TCustomTabControl::SetMultiLine(bool value) { SetStyleField(FMultiLine, value); }
void TCustomTabControl::SetHotTrack(bool value) { SetStyleField(FHotTrack, value); }
void TCustomTabControl::SetOwnerDraw(bool value) { SetStyleField(FOwnerDraw, value); }

// A fixed width is a window style; the size itself is a message.
void TCustomTabControl::SetTabWidth(int value)
{
    const bool fixedStyleChanges = (FTabWidth > 0) != (value > 0);
    if (!ChangeField(FTabWidth, value))
        return;
    if (fixedStyleChanges)
        RecreateWnd();
    else
        ApplyTabSize();
}

void TCustomTabControl::SetTabHeight(int value)
{
    if (ChangeField(FTabHeight, value))
        ApplyTabSize();
}

void TCustomTabControl::ApplyTabSize()
{
    if (!FHandle || (FTabWidth == 0 && FTabHeight == 0))
        return;
    SendMessageW(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
    Realign();
}

void TCustomTabControl::SetImages(TCustomImageList* value)
{
    if (!ChangeImageList(this, FImages, value, *FImageChangeLink))
        return;
    ApplyImages();
    UpdateTabImages();
}

void TCustomTabControl::ImageListChange(TObject*) { ApplyImages(); }

void TCustomTabControl::ApplyImages()
{
    if (!FHandle)
        return;
    SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
    Realign();
}

void TCustomTabControl::UpdateTabImages()
{
    for (int i = 0; i < FTabs->Count(); ++i)
        FTabs->UpdateTab(i);
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (FOnChanging)
        FOnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (FOnChange)
        FOnChange(this);
}

void TCustomTabControl::DrawTab(int TabIndex, const TRect& Rect, bool Active)
{
    if (FOnDrawTab)
        FOnDrawTab(this, TabIndex, Rect, Active);
    else
        FCanvas->FillRect(Rect);
}

// A refused change answers TRUE, which keeps the tab.
void TCustomTabControl::CNNotify(TMessage& Message)
{
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (header->code) {
    case TCN_SELCHANGING: Message.Result = CanChange() ? FALSE : TRUE; break;
    case TCN_SELCHANGE:
        FTabIndex = TabIndex();
        Change();
        break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomTabControl::CNDrawItem(TMessage& Message)
{
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    FCanvas->PaintOn(item->hDC, [&] {
        FCanvas->SetFont(Font());
        FCanvas->Brush()->SetColor(FColor);
        DrawTab(static_cast<int>(item->itemID), item->rcItem, (item->itemState & ODS_SELECTED) != 0);
    });
    Message.Result = TRUE;
}

void TCustomTabControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); return;
    case CN_DRAWITEM: CNDrawItem(Message); return;
    case TCM_SETPADDING: SetPadding(Message); return;
    default: TWinControl::Dispatch(Message); return;
    }
}

// The system may keep a new padding until it next lays the tabs out: a font change lays them out
// now, and the display area follows.
void TCustomTabControl::SetPadding(TMessage& Message)
{
    DefaultHandler(Message);
    if (!FHandle)
        return;
    SendMessageW(FHandle, WM_SETFONT, static_cast<WPARAM>(SendMessageW(FHandle, WM_GETFONT, 0, 0)), TRUE);
    Realign();
}

// =============================================================================================
// TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csSetCaption,
                     TControlStyleItem::csParentBackground};
    FAlign = TAlign::alClient;
    FVisible = false;
}

void TTabSheet::BeforeDestruction()
{
    SetPageControl(nullptr);
    TWinControl::BeforeDestruction();
}

// A window class of its own, without the redraw of the whole window on every resize.
void TTabSheet::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TTabSheet::SetPageControl(TPageControl* value)
{
    if (FPageControl == value)
        return;
    if (FPageControl)
        FPageControl->RemovePage(this);
    if (value)
        value->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value)
{
    if (FPageControl && value != PageIndex())
        FPageControl->MovePage(this, value);
}

int TTabSheet::TabIndex() const
{
    if (!FTabVisible || !FPageControl)
        return -1;
    int index = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this)
            return index;
        index += page->FTabVisible ? 1 : 0;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value)
{
    if (ChangeField(FTabVisible, value) && FPageControl)
        FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(int value)
{
    if (ChangeField(FImageIndex, value) && FPageControl)
        FPageControl->UpdateTabImages();
}

void TTabSheet::Dispatch(TMessage& Message)
{
    TWinControl::Dispatch(Message);
    if (Message.Msg == CM_TEXTCHANGED && FPageControl && FTabVisible)
        FPageControl->Tabs()->SetStrings(TabIndex(), Caption());
}

// =============================================================================================
// TPageControl

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        throw EListError(L"Page index out of bounds");
    return FPages[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    FPages.push_back(Page);
    Page->FPageControl = this;
    Page->SetParent(this);
    UpdateTabs();
}

// The page after the one removed (the one before it at the end) becomes active in its place.
void TPageControl::RemovePage(TTabSheet* Page)
{
    TTabSheet* next = FindNextPage(Page, true, false);
    std::erase(FPages, Page);
    Page->FPageControl = nullptr;
    if (Page == FActivePage)
        FActivePage = nullptr;
    // A page control that goes frees its pages; nothing of it needs to follow.
    if (IsDestroying())
        return;
    if (!Page->ComponentState().Contains(TComponentStateItem::csDestroying))
        Page->SetParent(nullptr);
    if (!FActivePage)
        SetActivePage(next != Page ? next : nullptr);
    UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* Page, int Index)
{
    std::erase(FPages, Page);
    Index = std::clamp(Index, 0, PageCount());
    FPages.insert(FPages.begin() + Index, Page);
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    TTabStrings* tabs = Tabs();
    tabs->BeginUpdate();
    tabs->Clear();
    for (TTabSheet* page : FPages)
        if (page->FTabVisible)
            tabs->AddObject(page->Caption(), page);
    tabs->EndUpdate();
    SetTabIndex(FActivePage ? FActivePage->TabIndex() : -1);
}

int TPageControl::GetImageIndex(int TabIndex)
{
    auto* page = static_cast<TTabSheet*>(Tabs()->Objects(TabIndex));
    return page ? page->FImageIndex : -1;
}

void TPageControl::SetActivePageIndex(int value)
{
    SetActivePage(value >= 0 && value < PageCount() ? FPages[static_cast<size_t>(value)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* value)
{
    if (value && value->FPageControl != this)
        return;
    ChangeActivePage(value);
    SetTabIndex(value ? value->TabIndex() : -1);
}

// The focus does not stay on a page that hides: the page control takes it.
void TPageControl::ChangeActivePage(TTabSheet* Page)
{
    if (Page == FActivePage)
        return;
    TTabSheet* old = FActivePage;
    FActivePage = Page;
    if (Page) {
        Page->BringToFront();
        Page->SetVisible(true);
    }
    if (!old)
        return;
    HWND focus = GetFocus();
    const bool hadFocus = old->HandleAllocated() && focus && (focus == old->Handle() || IsChild(old->Handle(), focus));
    old->SetVisible(false);
    if (hadFocus && CanFocus())
        SetFocus();
}

void TPageControl::UpdateActivePage()
{
    int tab = TabIndex();
    if (tab >= 0 && tab < Tabs()->Count())
        SetActivePage(static_cast<TTabSheet*>(Tabs()->Objects(tab)));
}

void TPageControl::Change()
{
    UpdateActivePage();
    TCustomTabControl::Change();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible) const
{
    const int count = PageCount();
    if (count == 0)
        return nullptr;
    int start = CurrentPage ? CurrentPage->PageIndex() : -1;
    if (start < 0 || start >= count)
        start = GoForward ? count - 1 : 0;
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = FPages[static_cast<size_t>(i)];
        if (!CheckTabVisible || page->FTabVisible)
            return page;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
    TTabSheet* page = FindNextPage(FActivePage, GoForward, CheckTabVisible);
    if (page && page != FActivePage && CanChange()) {
        SetActivePage(page);
        Change();
    }
}

// Ctrl+Tab and Ctrl+Shift+Tab step through the pages while the focus is inside the control.
void TPageControl::CMDialogKey(TMessage& Message)
{
    HWND focus = GetFocus();
    const bool focusInside = FHandle && focus && (focus == FHandle || IsChild(FHandle, focus));
    if (focusInside && Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
        Message.Result = 1;
        return;
    }
    TCustomTabControl::Dispatch(Message);
}

void TPageControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    default: TCustomTabControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
