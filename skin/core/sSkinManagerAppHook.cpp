// The default manager's watch on the application's hidden window: the exit animation of the main
// form, minimise and restore through the form's provider, the taskbar's window menu, theme changes
// and the class library's activation.
#include "skin/core/sSkinManager.h"

#include "skin/core/sMessages.h"
#include "skin/core/sVclUtils.h"
#include "skin/core/sVclUtilsAnimation.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/forms.h"

namespace skin {

namespace {

constexpr UINT WM_POPUPSYSTEMMENU = 0x313;  // the taskbar asks for the window menu

// The provider a form answers scmdQueryProvider with; none for a form without a window.
TsSkinProvider* ProviderOf(vcl::TCustomForm* Form)
{
    if (!Form || !Form->HandleAllocated())
        return nullptr;
    return reinterpret_cast<TsSkinProvider*>(SendAMessage(Form->Handle(), scmdQueryProvider));
}

bool ApplicationOrMainFormMinimized()
{
    vcl::TCustomForm* main = vcl::Application->MainForm();
    return IsIconic(vcl::Application->Handle()) || (main && main->HandleAllocated() && IsIconic(main->Handle()));
}

// The menu item a posted border request names, while its command still names it: the item may
// have gone since the request was posted.
vcl::TMenuItem* PostedItem(const vcl::TMessage& Message)
{
    auto* item = reinterpret_cast<vcl::TMenuItem*>(Message.LParam);
    return vcl::FindMenuItemByCommand(vcl::Word(Message.WParam)) == item ? item : nullptr;
}

// A window of the system's popup-menu class.
bool IsMenuWindow(HWND Wnd)
{
    wchar_t name[8] = {};
    return Wnd && GetClassNameW(Wnd, name, 8) && wcscmp(name, L"#32768") == 0;
}

void MinimizeQuietly()
{
    TSystemAnimationOff quiet;
    vcl::Application->Minimize();
}

void RestoreQuietly()
{
    TSystemAnimationOff quiet;
    vcl::Application->Restore();
}

void Redraw(vcl::TCustomForm* Form)
{
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void InvalidateAndUpdate(vcl::TCustomForm* Form)
{
    InvalidateRect(Form->Handle(), nullptr, TRUE);
    UpdateWindow(Form->Handle());
}

}  // namespace

bool TsSkinManager::MainWindowHook(vcl::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED: RunExitAnimation(*reinterpret_cast<const WINDOWPOS*>(Message.LParam)); return false;
    case WM_SYSCOMMAND:
        if (!SkinData->Active)
            return false;
        switch (Message.WParam & 0xFFF0) {
        case SC_MINIMIZE: return MinimizeApplication();
        case SC_RESTORE: return RestoreApplication();
        default: ShowState = TShowAction::saIgnore; return false;
        }
    case WM_POPUPSYSTEMMENU: return DropMainSysMenu();
    case WM_MENUBORDERBYITEM:
        return FSkinnedPopups && MenuBorderByItem(PostedItem(Message));
    case WM_MENUBORDERBYWINDOW: return FSkinnedPopups && MenuBorderByWindow(reinterpret_cast<HWND>(Message.LParam));
    case WM_THEMECHANGED: return true;  // the skin, not the system theme, draws the windows
    case vcl::CM_ACTIVATE:
        for (int i = vcl::Screen->FormCount() - 1; i >= 0; --i)
            SendAMessage(vcl::Screen->Forms(i), scmdRedraw);
        return false;
    default: return false;
    }
}

void TsSkinManager::RunExitAnimation(const WINDOWPOS& Pos)
{
    const TacFormHide* hide = FAnimEffects->FormHide();
    vcl::TCustomForm* form = vcl::Application->MainForm();
    if (!acLayered() || vcl::Application->MainFormOnTaskBar() || !(Pos.flags & SWP_HIDEWINDOW) || !hide->Active() ||
        hide->Time() == 0 || ApplicationOrMainFormMinimized() || !vcl::Application->Terminated() || !form || !form->Visible())
        return;
    TsSkinProvider* provider = ProviderOf(form);
    if (!provider || !provider->DrawNonClientArea() || !provider->AllowAnimation() || provider->SkipAnimation)
        return;
    provider->SkipAnimation = true;
    provider->FormState |= TsSkinProvider::fsExitAnimation;
    DoLayered(form->Handle(), true);
    form->Update();
    // The exit's hide gets a timer of its own; one still running finishes its own animation.
    acHideTimer = nullptr;
    AnimHideForm(provider);
    // A hide animation still running keeps the flag set until it ends; a flag left set must not
    // hang the exit.
    WaitForAnimationEnd(hide->Time());
}

bool TsSkinManager::MinimizeApplication()
{
    ShowState = TShowAction::saMinimize;
    vcl::TCustomForm* form = vcl::Application->MainForm();
    if (ApplicationOrMainFormMinimized() || !form || !form->Visible())
        return false;
    TsSkinProvider* provider = ProviderOf(form);
    if (!provider || !FAnimEffects->Minimizing()->Active() || !provider->DrawNonClientArea())
        return false;
    StartMinimizing(provider);
    if (AeroIsEnabled())
        return false;
    MinimizeQuietly();
    return true;
}

bool TsSkinManager::RestoreApplication()
{
    ShowState = TShowAction::saRestore;
    vcl::TCustomForm* form = vcl::Application->MainForm();
    TsSkinProvider* provider = ProviderOf(form);
    if (!provider)
        return false;
    if (provider->FormState & TsSkinProvider::fsExitAnimation) {
        // The exit animation hid the form layered: it comes back as an ordinary window.
        provider->FormState &= ~TsSkinProvider::fsExitAnimation;
        // The picture the hide took is no frame for extended borders to come.
        if (FExtendedBorders && provider->AllowExtBorders() && !provider->BorderForm)
            provider->SkinData()->FCacheBmp.reset();
        RestoreQuietly();
        if (AeroIsEnabled()) {
            provider->SkinData()->BGChanged = true;
            Redraw(form);
            SetWindowLongPtrW(form->Handle(), GWL_EXSTYLE,
                              GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
        }
        return false;
    }
    if (FAnimEffects->Minimizing()->Active() && form->Visible()) {
        if (provider->DrawNonClientArea() && !StartRestoring(provider))
            ShowRestoredForm(provider, form);
        if (AeroIsEnabled())
            return false;
        RestoreQuietly();
        return true;
    }
    if (AeroIsEnabled() && !vcl::Application->MainFormOnTaskBar()) {
        RestoreQuietly();
        InvalidateAndUpdate(form);
        return true;
    }
    return false;
}

void TsSkinManager::ShowRestoredForm(TsSkinProvider* Provider, vcl::TCustomForm* Form)
{
    vcl::TCustomForm* cover = Provider->CoverForm;
    if (cover && cover->HandleAllocated()) {
        SetWindowPos(Form->Handle(), cover->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        InvalidateAndUpdate(Form);
        Provider->CoverForm = nullptr;
        cover->Free();
    } else {
        ShowWindow(Form->Handle(), SW_RESTORE);
        InvalidateAndUpdate(Form);
    }
}

bool TsSkinManager::DropMainSysMenu()
{
    vcl::TCustomForm* form = vcl::Application->MainForm();
    if (!vcl::Application->MainFormOnTaskBar() || !form)
        return false;
    TsSkinProvider* provider = nullptr;
    try {
        provider = ProviderOf(form);
    } catch (...) {
        // A form that fails to answer has no menu to show.
    }
    if (!provider)
        return false;
    const vcl::TPoint at = acMousePos();
    provider->DropSysMenu(at.x, at.y);
    return true;
}

bool TsSkinManager::MenuBorderByItem(vcl::TMenuItem* Item)
{
    vcl::TMenuItem* parent = Item ? Item->Parent() : nullptr;
    RECT first{};
    if (parent && parent->HandleAllocated() && GetMenuItemRect(nullptr, parent->Handle(), 0, &first))
        DrawMenuBorder(WindowFromPoint(POINT{(first.left + first.right) / 2, (first.top + first.bottom) / 2}), Item);
    return true;
}

bool TsSkinManager::MenuBorderByWindow(HWND Wnd)
{
    DrawMenuBorder(Wnd, nullptr);
    return true;
}

void TsSkinManager::DrawMenuBorder(HWND Wnd, vcl::TMenuItem* Item)
{
    if (!IsMenuWindow(Wnd))
        return;
    RECT r{};
    GetWindowRect(Wnd, &r);
    const TacMenuInfo info = FSkinableMenus->GetMenuInfo(Item, r.right - r.left, r.bottom - r.top, Wnd);
    if (info.Bmp)
        FSkinableMenus->DrawWndBorder(Wnd, info.Bmp);
}

}  // namespace skin
