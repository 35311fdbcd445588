// The menu line of a skinned form: its section and bar items painted into the provider's cache,
// single items repainted, the menus of the form hooked to the skinned painter, the system's menu
// bar kept in step, and an MDI form's window list and buttons during menu loops.
//
// The system still owns the bar: its items, their places and the mouse. The bar the class library
// builds already holds the active MDI child's items merged in, so every item is painted at the
// place the system gives it.
#include <algorithm>

#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/forms_scrolling.h"
#include "vcl/menus.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TMenuItem;
using vcl::TRect;

vcl::TForm* MDIIconsForm = nullptr;

namespace {

// The owner-draw state a bar item is painted in with the whole line: ODS_NOACCEL (no accelerators
// shown) and 0x400, a bit the system gives no meaning.
constexpr UINT MenuLineItemState = 0x500;

const wchar_t* const MenuLineSection = L"MENULINE";

// The width of the window over a maximised MDI child's buttons during a menu loop.
constexpr int MDIIconsWidth = 60;

// Set while UpdateMenu runs: a nested call does nothing.
bool InUpdateMenu = false;

bool Hooked(TMenuItem* Item) { return Item->OnAdvancedDrawItem() && Item->OnMeasureItem(); }

// The system's rectangle of the bar item at Position, on the screen; empty when it has none.
TRect MenuItemRect(HWND Wnd, int Position)
{
    RECT r{};
    if (!GetMenuItemRect(Wnd, GetMenu(Wnd), UINT(Position), &r))
        return TRect();
    return TRect(r.left, r.top, r.right, r.bottom);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Painting the line into the cache

void TsSkinProvider::PaintMenuLine(const TFrameLayout& Layout, int State)
{
    TsSkinManager& manager = *Manager();
    const int menuHeight = MenuHeight();
    if (menuHeight <= 0 || !MenuPresent() || !FDrawNonClientArea || !manager.SkinnedPopups())
        return;
    vcl::TBitmap* cache = FCommonData->FCacheBmp.get();
    const TRect shadow = Layout.Shadow;
    const int top = Layout.MenuTop();
    const int height = GetLinesCount() * menuHeight + 1;
    int section = FMenuLineSkin.empty() ? -1 : manager.GetSkinIndex(FMenuLineSkin);
    if (section < 0)
        section = manager.GetSkinIndex(MenuLineSection);
    if (manager.IsValidSkinIndex(section)) {
        const int state = std::clamp(State, 0, std::max(manager.gd[size_t(section)].States - 1, 0));
        PaintItem(section, manager.gd[size_t(section)].ClassName, MakeCacheInfo(cache, OffsetX(), OffsetY()), state,
                  TRect(shadow.left, top, cache->Width() - shadow.right, top + height), vcl::TPoint(shadow.left, top),
                  cache, &manager);
    }
    // The bar items paint over the line's own background.
    MenuLineBmp->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    MenuLineBmp->SetSize(cache->Width() - shadow.left - shadow.right, height);
    {
        vcl::TCanvasLock to(MenuLineBmp->Canvas());
        vcl::TCanvasLock from(cache->Canvas());
        BitBlt(MenuLineBmp->Canvas()->Handle(), 0, 0, MenuLineBmp->Width(), height, cache->Canvas()->Handle(),
               OffsetX() - Form->BorderWidth(), OffsetY() - height - Form->BorderWidth(), SRCCOPY);
    }
    const bool childIcon = MDISkinProvider == this && ChildIconPresent();
    if (childIcon)
        PaintChildIcon(Layout);
    TryInitMenu();
    const HWND handle = Form->Handle();
    // Bar coordinates on the screen to the cache's.
    const vcl::TPoint shift(DiffBorder(BorderForm.get()) + shadow.left - Form->Left(),
                            DiffTitle(BorderForm.get()) + shadow.top - Form->Top() + (FSysExHeight ? 4 : 0));
    // A maximised child's system menu takes the bar's first place.
    int position = childIcon ? 1 : 0;
    for (TMenuItem* item : BarItems()) {
        if (!Hooked(item)) {
            vcl::TMenu* menu = item->GetParentMenu();
            if (menu && menu->OwnerDraw())
                manager.SkinableMenus()->InitMenuLine(static_cast<vcl::TMainMenu*>(menu), FDrawNonClientArea);
            else {
                MenusInitialized = false;
                TryInitMenu();
            }
        }
        const TRect r = MenuItemRect(handle, position++).Offsetted(shift.x, shift.y);
        if (const vcl::TAdvancedMenuDrawItemEvent draw = item->OnAdvancedDrawItem()) {
            // Items merged in from another form's menu (an MDI form's active child's) are painted in
            // the plain state.
            const bool merged = item->GetParentMenu() != Form->Menu();
            vcl::TCanvasLock lock(cache->Canvas());
            draw(item, cache->Canvas(), r, vcl::OwnerDrawState(merged ? 0 : MenuLineItemState));
        }
    }
}

std::vector<TMenuItem*> TsSkinProvider::BarItems()
{
    const auto all = [](TMenuItem* Root) {
        std::vector<TMenuItem*> items;
        for (int i = 0; i < Root->Count(); ++i)
            items.push_back(Root->Items(i));
        return items;
    };
    // Merged as the class library merges them: a hidden child item still takes its group's place.
    vcl::TMainMenu* menu = Form->Menu();
    std::vector<TMenuItem*> items = all(menu->Items());
    if (menu->Merged())
        items = vcl::MergeMenuItems(items, all(menu->Merged()->Items()));
    std::erase_if(items, [](TMenuItem* Item) { return !Item->Visible(); });
    return items;
}

void TsSkinProvider::PaintChildIcon(const TFrameLayout& Layout)
{
    vcl::TCustomForm* child = Form->ActiveMDIChild();
    HICON icon = child && child->Icon()->HandleAllocated() ? child->Icon()->Handle() : nullptr;
    if (!icon && AppIcon && AppIcon->HandleAllocated())
        icon = AppIcon->Handle();
    if (!icon)
        icon = LoadIconW(nullptr, IDI_APPLICATION);
    const int size = MenuHeight() - 2;
    vcl::TBitmap* cache = FCommonData->FCacheBmp.get();
    vcl::TCanvasLock lock(cache->Canvas());
    DrawIconEx(cache->Canvas()->Handle(), SysBorderWidth(Form->Handle(), BorderForm.get(), true) + Layout.Shadow.left + 1,
               Layout.MenuTop() + 1, icon, size, size, 0, nullptr, DI_NORMAL);
}

// ---------------------------------------------------------------------------------------------
// Repainting

void TsSkinProvider::RepaintMenuItem(TMenuItem* Item, const TRect& R, vcl::TOwnerDrawState State)
{
    vcl::TBitmap* cache = FCommonData->FCacheBmp.get();
    if (!MenuPresent() || !cache || Item->GetParentMenu() != Form->Menu())
        return;
    vcl::TCanvasLock lock(cache->Canvas());
    if (const vcl::TAdvancedMenuDrawItemEvent draw = Item->OnAdvancedDrawItem())
        draw(Item, cache->Canvas(), R, State);
    const HDC dc = GetWindowDC(Form->Handle());
    BitBlt(dc, R.left, R.top, R.Width(), R.Height(), cache->Canvas()->Handle(), R.left, R.top, SRCCOPY);
    ReleaseDC(Form->Handle(), dc);
}

void TsSkinProvider::RepaintMenu()
{
    FCommonData->BGChanged = true;
    MenuChanged = true;
    FLinesCount = -1;
    if (Form->HandleAllocated())
        SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// The system's menu

bool TsSkinProvider::UpdateMenu()
{
    if (InUpdateMenu)
        return false;
    const TFlagScope updating(InUpdateMenu);
    vcl::TMainMenu* menu = Form->Menu();
    if (!menu || menu->Items()->Count() == 0)
        return false;
    menu->Items()->Items(0)->MenuChanged(true);
    menu->AdjustBiDiBehavior();
    return true;
}

void TsSkinProvider::TryInitMenu()
{
    if (MenusInitialized)
        return;
    if (vcl::TMainMenu* menu = Form->Menu(); menu && Manager())
        Manager()->SkinableMenus()->InitMenuLine(menu, FDrawNonClientArea);
    MenusInitialized = UpdateMenu();
}

void TsSkinProvider::InitMenuItems(bool Active)
{
    TsSkinManager* manager = Manager();
    if (ComponentState().Contains(vcl::TComponentStateItem::csDesigning) || !manager || !manager->SkinableMenus() ||
        !manager->IsDefault())
        return;
    TsSkinableMenus& menus = *manager->SkinableMenus();
    const bool popups = Active && manager->SkinnedPopups();
    const auto visit = [&](auto&& self, vcl::TComponent* Owner) -> void {
        for (int i = 0; i < Owner->ComponentCount(); ++i) {
            vcl::TComponent* component = Owner->Components(i);
            if (auto* main = dynamic_cast<vcl::TMainMenu*>(component)) {
                menus.InitMenuLine(main, Active && FDrawNonClientArea);
                for (int j = 0; j < main->Items()->Count(); ++j)
                    menus.HookItem(main->Items()->Items(j), popups);
            } else if (auto* popup = dynamic_cast<vcl::TPopupMenu*>(component)) {
                menus.HookPopupMenu(popup, popups);
            } else if (auto* item = dynamic_cast<TMenuItem*>(component)) {
                if (dynamic_cast<vcl::TMainMenu*>(item->GetParentMenu()))
                    self(self, item);
                else
                    menus.HookItem(item, popups);
            } else if (dynamic_cast<vcl::TFrame*>(component)) {
                self(self, component);
            }
        }
    };
    visit(visit, Form);
}

// ---------------------------------------------------------------------------------------------
// Popups and the MDI window list

void TsSkinProvider::AC_WMInitMenuPopup(vcl::TMessage& Message)
{
    const auto popup = reinterpret_cast<HMENU>(Message.WParam);
    if (HIWORD(Message.LParam))
        EnableMenuItem(popup, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
    else
        acCanHookMenu = false;
    TMenuItem* windowMenu = Form->WindowMenu();
    if (windowMenu)
        for (int i = windowMenu->Count() - 1; i >= 0; --i)
            if (TMenuItem* item = windowMenu->Items(i); item->Tag() & WindowListTag)
                item->Free();
    if (Form->FormStyle() != vcl::TFormStyle::fsMDIForm || Form->MDIChildCount() == 0 || !windowMenu) {
        OldWndProc(Message);
        return;
    }
    if (windowMenu->HandleAllocated() && popup == windowMenu->Handle())
        FillWindowList(popup);
    Message.Result = 0;
}

void TsSkinProvider::FillWindowList(HMENU Popup)
{
    TMenuItem* windowMenu = Form->WindowMenu();
    for (int i = 0; i < windowMenu->Count(); ++i)
        windowMenu->Items(i)->InitiateAction();
    if (windowMenu->Count() == 0 || windowMenu->Items(windowMenu->Count() - 1)->Caption() != L"-") {
        auto* separator = vcl::Create<TMenuItem>(Form);
        separator->SetCaption(L"-");
        windowMenu->Add(separator);
    }
    vcl::TCustomForm* active = Form->ActiveMDIChild();
    for (int i = 0; i < Form->MDIChildCount(); ++i) {
        vcl::TCustomForm* child = Form->MDIChildren(i);
        if (!child->Visible())
            continue;
        auto* item = vcl::Create<TMenuItem>(Form);
        item->SetCaption(child->Caption());
        item->SetTag(i + WindowListTag);
        item->SetChecked(child == active);
        item->SetOnClick(vcl::TNotifyEvent(this, &TsSkinProvider::OnChildMnuClick));
        windowMenu->Add(item);
    }
    // Every change above made the MDI client list the children again: the entries it adds are
    // the ones without item data (the class library's carry their command), and go.
    for (int i = GetMenuItemCount(Popup) - 1; i >= 0; --i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        if (GetMenuItemInfoW(Popup, UINT(i), TRUE, &info) && info.dwItemData == 0)
            DeleteMenu(Popup, UINT(i), MF_BYPOSITION);
    }
}

void TsSkinProvider::OnChildMnuClick(vcl::TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item)
        return;
    const int index = int(item->Tag() & ~WindowListTag);
    // An MDI child comes to the front by its client's activation.
    if (index < Form->MDIChildCount())
        SendMessageW(Form->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Form->MDIChildren(index)->Handle()),
                     0);
}

void TsSkinProvider::ShowMDIIcons()
{
    InMenu = true;
    if (!MDIIconsForm) {
        MDIIconsForm = vcl::Create<vcl::TForm>(vcl::Application);
        MDIIconsForm->SetTag(-98);
        MDIIconsForm->SetName(L"acMDIIcons");
        MDIIconsForm->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
        MDIIconsForm->SetVisible(false);
        MDIIconsForm->SetOnPaint(vcl::TNotifyEvent(this, &TsSkinProvider::MdiIcoFormPaint));
    }
    // Placed by the system's frame sizes: the window's menu bar lies where the system puts it.
    const int border = SysBorderWidth(Form->Handle(), nullptr, false);
    SetWindowPos(MDIIconsForm->Handle(), HWND_TOP, Form->Left() + Form->Width() - border - MDIIconsWidth,
                 Form->Top() + border + SysCaptHeight(Form), MDIIconsWidth,
                 vcl::Seams().SystemMetrics(SM_CYMENU) + 3, SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
}

void TsSkinProvider::MdiIcoFormPaint(vcl::TObject* Sender)
{
    auto* icons = dynamic_cast<vcl::TForm*>(Sender);
    vcl::TBitmap* cache = FCommonData->FCacheBmp.get();
    if (!icons || !cache || !icons->HandleAllocated())
        return;
    // The cache's pixels under the window: its place on the form's window, in cache coordinates.
    RECT window{}, covered{};
    GetWindowRect(Form->Handle(), &window);
    GetWindowRect(icons->Handle(), &covered);
    const TRect shadow = ShadowSize();
    const int x = covered.left - window.left + DiffBorder(BorderForm.get()) + shadow.left;
    const int y = covered.top - window.top + DiffTitle(BorderForm.get()) + shadow.top;
    vcl::TCanvasLock lock(cache->Canvas());
    BitBlt(icons->Canvas()->Handle(), 0, 0, covered.right - covered.left, covered.bottom - covered.top,
           cache->Canvas()->Handle(), x, y, SRCCOPY);
}

}  // namespace skin
