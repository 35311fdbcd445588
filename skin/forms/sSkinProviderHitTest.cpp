// Hit testing of a skinned form's frame and the states of its caption buttons: what lies under
// the mouse, the hot and pressed looks of the buttons, the tooltips of the user buttons, the
// system menu, the outline drag of the rmBorder resize mode and the maximised size.
#include <windowsx.h>

#include "skin/core/acGlow.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TMessage;
using vcl::TPoint;
using vcl::TRect;

bool bPressed = false;
TOutlineDrag OutlineDrag;

namespace {

constexpr int MDIButtonFirstHT = MDICloseHT, MDIButtonLastHT = MDIMinimizeHT;

void DrawOutlineOnDC(HDC DC, const TRect& R)
{
    const POINT points[5] = {
        {R.left, R.top}, {R.right, R.top}, {R.right, R.bottom}, {R.left, R.bottom}, {R.left, R.top}};
    Polyline(DC, points, 5);
}

bool IsUserHT(int HT) { return HT >= UserButtonHT && HT <= LastUserButtonHT; }
bool IsMDIButtonHT(int HT) { return HT >= MDIButtonFirstHT && HT <= MDIButtonLastHT; }

bool SystemSettingOn(UINT Action)
{
    BOOL on = FALSE;
    return vcl::Seams().SystemParametersInfo(Action, 0, &on, 0) && on;
}

// The tooltip of a user title button below and right of the mouse, kept on the form's monitor;
// it fades in when the system fades tooltips, unless the text is long.
void ShowTitleHint(TsSkinProvider& Provider, const vcl::String& Hint)
{
    constexpr int MaxWidth = 800, FadeTime = 200;
    constexpr size_t LongHint = 100;
    if (Hint.empty())
        return;
    Provider.TitleHint.reset(vcl::Create<vcl::THintWindow>(nullptr));
    vcl::THintWindow& hint = *Provider.TitleHint;
    hint.SetColor(vcl::clInfoBk);
    TRect r = hint.CalcHintRect(MaxWidth, Hint, nullptr);
    const TPoint mouse = acMousePos();
    r.Offset(mouse.x + 8, mouse.y + 16);
    const TRect work = acWorkRect(Provider.Form);
    r.Offset(std::min(0, int(work.right - r.right)), std::min(0, int(work.bottom - r.bottom)) - 4);
    hint.SetCaption(Hint);
    hint.SetBounds(r.left, r.top, r.Width(), r.Height());
    const HWND wnd = hint.Handle();
    SetWindowPos(wnd, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
    const auto& animate = CaptionSeams().AnimateWindow;
    if (Hint.size() < LongHint && animate && SystemSettingOn(SPI_GETTOOLTIPANIMATION) &&
        SystemSettingOn(SPI_GETTOOLTIPFADE))
        animate(wnd, FadeTime, AW_BLEND);
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
}

// The skin's glow size and margin of a caption button; 0 for the others.
struct TButtonGlow {
    int Size = 0;
    int Margin = 0;
};
TButtonGlow ButtonGlow(const TsSkinData& Skin, int HT)
{
    switch (HT) {
    case HTMINBUTTON: return {Skin.BIMinGlow, Skin.BIMinGlowMargin};
    case HTMAXBUTTON: return {Skin.BIMaxGlow, Skin.BIMaxGlowMargin};
    case HTCLOSE: return {Skin.BICloseGlow, Skin.BICloseGlowMargin};
    default: return {};
    }
}

}  // namespace

bool IsButtonHT(int HT)
{
    return HT == HTMINBUTTON || HT == HTMAXBUTTON || HT == HTCLOSE || HT == HTHELP ||
           (HT >= MDIButtonFirstHT && HT <= MDIButtonLastHT) || (HT >= UserButtonHT && HT <= LastUserButtonHT);
}

TCaptionSeams& CaptionSeams()
{
    static TCaptionSeams seams{DrawOutlineOnDC,
                               [](HMENU Menu, UINT Flags, int X, int Y, HWND Wnd) {
                                   return UINT(TrackPopupMenu(Menu, Flags, X, Y, 0, Wnd, nullptr));
                               },
                               [](HWND Wnd, DWORD Time, DWORD Flags) { return AnimateWindow(Wnd, Time, Flags); }};
    return seams;
}

// ---------------------------------------------------------------------------------------------
// Hit testing

TNCHitLayout TsSkinProvider::HitLayout()
{
    const HWND handle = Form->Handle();
    const TacBorderGeometry* border = BorderForm.get();
    TNCHitLayout layout;
    layout.Size = vcl::TSize(GetWindowWidth(handle), GetWindowHeight(handle));
    layout.EdgeWidth = SysBorderWidth(handle, border, true);
    layout.CaptionBottom = SysBorderHeight(handle, border, true) + skin::SysCaptHeight(Form);
    layout.MenuHeight = MenuHeight();
    layout.MenuLines = layout.MenuHeight > 0 ? GetLinesCount() : 0;
    layout.Sizing = !IsZoomed(handle) && (GetWindowLongPtrW(handle, GWL_STYLE) & WS_THICKFRAME) && !border;
    if (IconVisible())
        layout.Icon = IconRect();
    if (!SystemMenu)
        PrepareForm();
    // In the extended layout the title buttons lie on the border window, which tests them itself.
    if (SystemMenu && !border)
        FillTitleButtons(layout);
    if (MDIButtonsNeeded())
        FillMDIButtons(layout);
    const TsSkinManager* manager = Manager();
    if (manager && manager->IsValidImgIndex(manager->ConstData.GripRightBottom)) {
        layout.Grip = IsGripVisible(this);
        layout.GripPoint = RBGripPoint(manager->ConstData.GripRightBottom);
        if (ListSW)
            layout.ScrollCorner = ListSW->CornerBox();
    }
    return layout;
}

void TsSkinProvider::FillTitleButtons(TNCHitLayout& Layout)
{
    Layout.Buttons = true;
    Layout.HaveSysMenu = HaveSysMenu;
    Layout.VisibleMax = SystemMenu->VisibleMax();
    Layout.VisibleMin = SystemMenu->VisibleMin();
    Layout.Help = Form->BorderIcons().Contains(vcl::TBorderIcon::biHelp);
    Layout.EnabledMax = SystemMenu->EnabledMax();
    Layout.EnabledMin = SystemMenu->EnabledMin();
    Layout.EnabledRestore = SystemMenu->EnabledRestore();
    Layout.Iconic = IsIconic(Form->Handle());
    Layout.Rects = PlaceTitleButtons(FrameLayout(), TitleButtonRow());
    Layout.UserEnabled.clear();
    for (int i = 0; i < FTitleButtons->Count(); ++i)
        Layout.UserEnabled.push_back(FTitleButtons->Items(i)->Enabled());
}

void TsSkinProvider::FillMDIButtons(TNCHitLayout& Layout)
{
    // Painted into the picture, tested in the window.
    const TFrameLayout frame = FrameLayout();
    Layout.MDIButtons =
        PlaceMDIButtons(frame, GetLinesCount(), MenuHeight(), vcl::TSize(SmallButtonWidth(), SmallButtonHeight()));
    const int dx = -(frame.Shadow.left + DiffBorder(BorderForm.get())), dy = -(frame.Shadow.top + frame.DiffTitle);
    for (TRect* r : {&Layout.MDIButtons.Close, &Layout.MDIButtons.Restore, &Layout.MDIButtons.Minimize})
        r->Offset(dx, dy);
}

int TsSkinProvider::HTProcess(TMessage& Message)
{
    return NCHitTest(HitLayout(), CursorToPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
}

void TsSkinProvider::AC_NCMouseMove(TMessage& Message)
{
    TMessage hitTest{WM_NCHITTEST, 0, Message.LParam, 0};
    const int code = HTProcess(hitTest);
    Message.WParam = WPARAM(code);
    if (IsButtonHT(code)) {
        SetHotHT(code, true);
        return;
    }
    SetHotHT(0, true);
    OldWndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// Hot and pressed buttons

TsCaptionButton* TsSkinProvider::ButtonOfHT(int HT)
{
    switch (HT) {
    case HTMINBUTTON: return &ButtonMin;
    case HTMAXBUTTON: return &ButtonMax;
    case HTCLOSE: return &ButtonClose;
    case HTHELP: return &ButtonHelp;
    case MDICloseHT: return &MDIClose;
    case MDIRestoreHT: return &MDIMax;
    case MDIMinimizeHT: return &MDIMin;
    default: break;
    }
    const int index = HT - UserButtonHT;
    if (!IsUserHT(HT) || index >= FTitleButtons->Count() || !FTitleButtons->Items(index)->Visible())
        return nullptr;
    return &FTitleButtons->Items(index)->BtnData;
}

void TsSkinProvider::SetHotHT(int HT, bool Repaint)
{
    if (!FDrawNonClientArea || HT == CurrentHT || (CurrentHT == -1 && HT == 0))
        return;
    if (CurrentHT > 0) {
        if (TsCaptionButton* previous = ButtonOfHT(CurrentHT))
            previous->State = 0;
        if (IsUserHT(CurrentHT))
            TitleHint.reset();
        if (Repaint)
            RepaintButton(CurrentHT);
    }
    CurrentHT = HT;
    TsCaptionButton* button = bPressed ? nullptr : ButtonOfHT(HT);
    if (!button)
        return;
    button->State = 1;
    if (IsUserHT(HT))
        ShowTitleHint(*this, FTitleButtons->Items(HT - UserButtonHT)->Hint());
    if (Repaint)
        RepaintButton(HT);
}

void TsSkinProvider::SetPressedHT(int HT)
{
    if (HT != CurrentHT && CurrentHT > 0) {
        if (TsCaptionButton* previous = ButtonOfHT(CurrentHT))
            previous->State = 0;
        if (IsUserHT(CurrentHT))
            TitleHint.reset();
        RepaintButton(CurrentHT);
    }
    if (HT == HTMAXBUTTON && SystemMenu &&
        !(SystemMenu->EnabledMax() || (IsZoomed(Form->Handle()) && SystemMenu->EnabledRestore()))) {
        CurrentHT = 0;
        return;
    }
    CurrentHT = HT;
    // The MDI restore button looks pressed only while the form itself may be maximised.
    const bool looksPressed = HT != MDIRestoreHT || !SystemMenu || SystemMenu->EnabledMax();
    if (TsCaptionButton* button = ButtonOfHT(HT); button && looksPressed)
        button->State = 2;
    if (IsUserHT(HT))
        TitleHint.reset();
    bPressed = true;
    RepaintButton(HT);
}

void TsSkinProvider::RepaintButton(int HT)
{
    TsCaptionButton* button = ButtonOfHT(HT);
    TsSkinManager* manager = Manager();
    if (!button || !manager)
        return;
    // The MDI buttons show only with a maximised child, and minimise only while the child may.
    const bool mdi = IsMDIButtonHT(HT);
    if (mdi && (!MDIButtonsNeeded() || (HT == MDIMinimizeHT && !MDIButtonEnabled(HT))))
        return;
    const bool animated = !mdi && (manager->GetAllowGlowing() || BorderForm) && FormState == 0 && !Form->Parent() &&
                          Form->FormStyle() != vcl::TFormStyle::fsMDIChild;
    if (animated) {
        constexpr int FadeSteps = 10;
        const int state = button->State;
        StartSBAnimation(button, state, state == 2 ? 1 : FadeSteps, state != 0, this);
        return;
    }
    if (!FCommonData->FCacheBmp || FCommonData->FCacheBmp->Empty() || IconRect().right >= button->Rect.left ||
        (!IsUserHT(HT) && !SystemMenu))
        return;
    // The saved background under the button, then the button in its state.
    const int bgLeft = CaptionWidth() - TempBmp->Width() - 1;
    const TRect place =
        mdi ? button->Rect : vcl::Bounds(button->Rect.left, button->Rect.top, SysButtonWidth(*button), ButtonHeight());
    vcl::TCanvas* cache = FCommonData->FCacheBmp->Canvas();
    TCanvasLock cacheLock(cache);
    if (!TempBmp->Empty()) {
        TCanvasLock savedLock(TempBmp->Canvas());
        BitBlt(cache->Handle(), place.left, place.top, place.Width(), place.Height(), TempBmp->Canvas()->Handle(),
               place.left - bgLeft, place.top, SRCCOPY);
    }
    const HWND handle = Form->Handle();
    const bool iconic = IsIconic(handle);
    const auto global = [manager](const wchar_t* Name) {
        return manager->GetMaskIndex(manager->ConstData.IndexGLobalInfo, L"GLOBALINFO", Name);
    };
    int image = button->ImageIndex;
    bool enabled = true;
    if (HT == HTMAXBUTTON) {
        enabled = IsZoomed(handle) ? SystemMenu->EnabledRestore() : SystemMenu->EnabledMax();
        if (iconic) {
            image = global(L"BICONMAX");
            enabled = SystemMenu->EnabledMax();
        }
    } else if (HT == HTMINBUTTON) {
        enabled = iconic ? SystemMenu->EnabledRestore() : SystemMenu->EnabledMin();
        if (iconic)
            image = global(L"BICONNORM");
    } else if (IsUserHT(HT)) {
        enabled = FTitleButtons->Items(HT - UserButtonHT)->Enabled();
    } else if (mdi) {
        image = MDIButtonImage(HT);
        enabled = MDIButtonEnabled(HT);
    }
    PaintButton(*button, image, button->Rect, enabled);
    if (IsUserHT(HT))
        PaintUserGlyph(FTitleButtons->Items(HT - UserButtonHT));
    // Onto the window.
    TRect onWindow = place;
    if (BorderForm)
        onWindow.Offset(-(DiffBorder(BorderForm.get()) + ShadowSize().left), -ExtendedTitleShift());
    const HDC dc = GetWindowDC(handle);
    BitBlt(dc, onWindow.left, onWindow.top, onWindow.Width(), onWindow.Height(), cache->Handle(), place.left, place.top,
           SRCCOPY);
    ReleaseDC(handle, dc);
    // The glow of a hot minimise, maximise or close button.
    HideGlow(button->GlowID);
    button->GlowID = -1;
    const TButtonGlow glow = ButtonGlow(*manager->SkinData, HT);
    if (button->State != 1 || glow.Size <= 0 || !manager->GetAllowGlowing() || Form->Parent() ||
        Form->FormStyle() == vcl::TFormStyle::fsMDIChild || !manager->IsValidImgIndex(image))
        return;
    // In the extended layout the button lies on the border window, and so does its glow.
    const TacBorderForm* border = BorderWindowOf(this);
    const HWND glowOwner = border && border->AForm ? border->AForm->Handle() : handle;
    RECT window{};
    GetWindowRect(glowOwner, &window);
    const TRect screen = vcl::Bounds(window.left + button->Rect.left, window.top + button->Rect.top,
                                     button->Rect.Width(), button->Rect.Height());
    button->GlowID = ShowGlow(screen, TRect(0, 0, screen.Width(), screen.Height()), L"GLOBALINFO",
                              manager->ma[size_t(image)].PropertyName + L"GLOW", glow.Margin, 255, glowOwner, manager);
}

void TsSkinProvider::KillAnimations()
{
    for (TsCaptionButton* button : {&ButtonMin, &ButtonMax, &ButtonClose, &ButtonHelp})
        if (button->Timer)
            button->Timer->Free();
    for (int i = 0; i < FTitleButtons->Count(); ++i)
        if (TacSBAnimation* timer = FTitleButtons->Items(i)->BtnData.Timer)
            timer->Free();
}

// ---------------------------------------------------------------------------------------------
// System menu

void TsSkinProvider::DropSysMenu(int X, int Y)
{
    if (!SystemMenu)
        PrepareForm();
    TsSkinManager* manager = Manager();
    if (!SystemMenu || !manager)
        return;
    const HWND handle = Form->Handle();
    if (manager->SkinnedPopups()) {
        SystemMenu->UpdateItems(false);
        if (FMakeSkinMenu)
            SystemMenu->MakeSkinItems();
        if (TsSkinableMenus* menus = manager->SkinableMenus())
            menus->HookPopupMenu(SystemMenu.get(), true);
        SystemMenu->SetWindowHandle(handle);
        SystemMenu->Popup(X, Y);
        SystemMenu->SetWindowHandle(nullptr);
        return;
    }
    // The window's own menu, its items enabled as the caption allows. The window is marked hidden
    // meanwhile, so that the system does not draw its caption buttons over the skinned ones.
    const HMENU menu = GetSystemMenu(handle, FALSE);
    TsSystemMenu& items = *SystemMenu;
    const bool iconic = IsIconic(handle);
    const auto enable = [menu](UINT Command, bool Enabled) {
        EnableMenuItem(menu, Command, MF_BYCOMMAND | (Enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
    };
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    SetWindowLongPtrW(handle, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
    enable(SC_RESTORE, items.VisibleRestore() && items.EnabledRestore());
    enable(SC_MOVE, items.EnabledMove() && !iconic);
    enable(SC_SIZE, items.VisibleSize() && items.EnabledSize() && Form->WindowState() == vcl::TWindowState::wsNormal);
    enable(SC_MINIMIZE, items.VisibleMin() && items.EnabledMin());
    enable(SC_MAXIMIZE, items.VisibleMax() && items.EnabledMax());
    enable(SC_CLOSE, items.VisibleClose());
    SetWindowLongPtrW(handle, GWL_STYLE, style);
    const UINT command = CaptionSeams().TrackMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, X, Y, handle);
    if (command != 0)
        PostMessageW(handle, WM_SYSCOMMAND, command, 0);
}

// ---------------------------------------------------------------------------------------------
// Outline drag

void TsSkinProvider::StartMove(int X, int Y)
{
    if (!Form->Enabled())
        return;
    TOutlineDrag& drag = OutlineDrag;
    drag.InProcess = true;
    drag.DC = GetWindowDC(GetDesktopWindow());
    drag.SavedDC = SaveDC(drag.DC);
    SetROP2(drag.DC, R2_NOT);
    drag.Outline.left = Form->Left();
    drag.Outline.top = Form->Top();
    if (drag.Mode) {
        drag.Mouse = TPoint(X, Y);
        DrawFormBorder(drag.Outline.left, drag.Outline.top);
        return;
    }
    drag.MinSize = vcl::TSize(Form->Constraints()->MinWidth(), Form->Constraints()->MinHeight());
    drag.Outline.right = drag.Outline.left + Form->Width();
    drag.Outline.bottom = drag.Outline.top + Form->Height();
    DrawFormBorder(X, Y);
}

void TsSkinProvider::DrawFormBorder(int X, int Y)
{
    const TOutlineDrag& drag = OutlineDrag;
    const TRect r = drag.Mode ? TRect(X, Y, X + Form->Width(), Y + Form->Height()) : drag.Outline;
    CaptionSeams().DrawOutline(drag.DC, r);
}

void TsSkinProvider::StopMove(int /*X*/, int /*Y*/)
{
    TOutlineDrag& drag = OutlineDrag;
    ReleaseCapture();
    drag.InProcess = false;
    DrawFormBorder(drag.Outline.left, drag.Outline.top);
    RestoreDC(drag.DC, drag.SavedDC);
    ReleaseDC(GetDesktopWindow(), drag.DC);
    drag.DC = nullptr;
    if (drag.Mode)
        MoveWindow(Form->Handle(), drag.Outline.left, drag.Outline.top, Form->Width(), Form->Height(), TRUE);
    else if (!drag.Capture)
        MoveWindow(Form->Handle(), drag.Outline.left, drag.Outline.top, drag.Outline.Width(), drag.Outline.Height(),
                   TRUE);
    drag.Capture = false;
}

// ---------------------------------------------------------------------------------------------
// Maximised size

void TsSkinProvider::AC_WMGetMinMaxInfo(TMessage& Message)
{
    if (FDrawNonClientArea && HaveBorder(this) && Form->FormStyle() != vcl::TFormStyle::fsMDIChild && !Form->Parent()) {
        const HWND handle = Form->Handle();
        const TRect work = acWorkRect(Form);
        const int frame = SysBorderWidth(handle, nullptr, false);
        int shift = 0;
        if (BorderForm && (GetWindowLongPtrW(handle, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
            const TsSkinData& skin = *Manager()->SkinData;
            const int exHeight = skin.ExMaxHeight ? skin.ExMaxHeight : skin.ExTitleHeight;
            FSysExHeight = IsZoomed(handle) && exHeight < skin::SysCaptHeight(Form) + 4;
            shift = MaxTitleShift();
        }
        auto& info = *reinterpret_cast<MINMAXINFO*>(Message.LParam);
        info.ptMaxPosition = POINT{-frame, -frame - shift};
        info.ptMaxSize = POINT{work.Width() + 2 * frame, work.Height() + 2 * frame + shift};
        Message.Result = 0;
    }
    OldWndProc(Message);
}

}  // namespace skin
