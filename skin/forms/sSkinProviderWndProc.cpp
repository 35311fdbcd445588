// The provider's window procedure: the skin commands it answers for the form in every state, the
// loading of a skin while the form is not skinned, and the skin commands and window messages while
// it is, as tables whose rows hand on to named handlers. The handlers of the window-state messages,
// of the caption's mouse, the system commands and printing, and of the animations live beside it
// (sSkinProviderState, sSkinProviderMouse, sSkinProviderAnimation); the MDI rows are here.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/controls/sScrollBox.h"
#include "skin/core/acGlow.h"
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerPreview.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/core/sVclUtilsAnimation.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderAnimation.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/windows/acDials.h"
#include "vcl/application.h"
#include "vcl/menus.h"
#include "vcl/screen.h"
#include "vcl/stdctrls.h"

namespace skin {

using vcl::TMessage;

bool bChildCreating = false;
TsSkinProvider* ChildProvider = nullptr;

namespace {

LPARAM AsLParam(const void* Object) { return reinterpret_cast<LPARAM>(Object); }

// The skinned scroll box under the screen point, looking from Parent down through the windowed
// controls under it; none when a graphic control or nothing lies there.
TsScrollBox* ScrollBoxAt(vcl::TWinControl* Parent, const vcl::TPoint& Screen)
{
    for (vcl::TWinControl* container = Parent;;) {
        auto* control = dynamic_cast<vcl::TWinControl*>(
            container->ControlAtPos(container->ScreenToClient(Screen), false, true));
        if (!control)
            return nullptr;
        if (auto* box = dynamic_cast<TsScrollBox*>(control))
            return box;
        container = control;
    }
}

// Set while the wheel is handed on: the box's answer comes back to the form.
bool InWheel = false;

// The shell's request for a window's system menu, as on a right click of its taskbar button.
constexpr UINT ShellSysMenuMessage = 0x0313;

// Set while a skin the editor sent loads: a copy that arrives meanwhile is not taken.
bool InPreviewCopy = false;

}  // namespace

void TsSkinProvider::NewWndProc(TMessage& Message)
{
    if (SkinCommandOf(Message) && AnswerAlways(Message))
        return;
    if (FormDestroying() || !FCommonData->Skinned(true)) {
        UnskinnedMessage(Message);
        return;
    }
    if (SkinCommandOf(Message))
        SkinnedCommand(Message);
    else
        SkinnedMessage(Message);
}

// ---------------------------------------------------------------------------------------------
// Every state

bool TsSkinProvider::AnswerAlways(TMessage& Message)
{
    switch (SkinCommandOf(Message)) {
    case scmdSkinLoaded:
        if (!FormDestroying() && Message.LParam == AsLParam(Manager()) && !SystemMenu)
            PrepareForm();
        return false;
    case scmdSkinRemoved:
        SkinRemoved(Message);
        return true;
    case scmdQuerySkinned: Message.Result = 1; return true;
    case scmdEndBatch:
        if (FCommonData->CtrlSkinState & cssMenuChanged) {
            FCommonData->CtrlSkinState &= uint16_t(~cssMenuChanged);
            Form->Perform(vcl::CM_MENUCHANGED);
        }
        return false;
    case scmdQueryBackground:
        QueryBackground(*reinterpret_cast<TacBGInfo*>(Message.LParam));
        return true;
    case scmdSkinState: Message.Result = FCommonData->CtrlSkinState; return true;
    case scmdQueryApplication: Message.Result = AsLParam(vcl::Application); return true;
    case scmdQueryClientOffset:
        Message.Result = LRESULT(MAKELONG(OffsetX(), OffsetY()));
        return true;
    default: return false;
    }
}

void TsSkinProvider::SkinRemoved(TMessage& Message)
{
    if (Message.LParam != AsLParam(Manager())) {
        AlphaBroadCast(Form, Message);
        return;
    }
    ListSW.reset();
    if (Form->HandleAllocated())
        InitDwm(Form->Handle(), false);
    CommonMessage(Message, FCommonData.get());
    FLinesCount = FTitleSkinIndex = FCaptionSkinIndex = -1;
    AlphaBroadCast(Form, Message);
    AdapterRemove();
    if (FormDestroying())
        return;
    if (Manager()) {
        InitMenuItems(false);
        CheckSysMenu(false);
        if (Form->FormStyle() == vcl::TFormStyle::fsMDIForm && MDIForm)
            HookMDI(false);
    }
    if (Form->HandleAllocated()) {
        if (HaveBorder(this) && !InMenu)
            SetWindowRgn(Form->Handle(), nullptr, TRUE);
        UpdateMenu();
        // The form itself, not the whole desktop, is drawn again, with an MDI form's client window.
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
        if (const HWND client = Form->ClientHandle())
            RedrawWindow(client, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    }
    BorderForm.reset();
    for (int i = 0; i < Form->ControlCount(); ++i) {
        auto* label = dynamic_cast<vcl::TLabel*>(Form->Controls(i));
        if (!label || label->ClassName() != L"TLabel")
            continue;
        label->Font()->SetColor(vcl::clWindowText);
        if (!label->Transparent()) {
            vcl::TControlStyle style = label->ControlStyle();
            style << vcl::TControlStyleItem::csOpaque;
            label->SetControlStyle(style);
        }
    }
    if (FUseGlobalColor && !FCommonData->CustomColor())
        Form->SetColor(vcl::clBtnFace);
    FCommonData->FCacheBmp.reset();
}

void TsSkinProvider::QueryBackground(TacBGInfo& BGInfo)
{
    TsCommonData& data = *FCommonData;
    const vcl::TPoint offset(OffsetX(), OffsetY());
    if (!BGInfo.FillNow)
        BGInfo.Offset = vcl::TPoint();
    if (data.BGChanged && !(data.FUpdating && !FInAnimation) && IsCached(data))
        PaintAll();
    if (BGInfo.FillNow)
        BGInfo.Offset.Offset(offset.x, offset.y);
    if (Form->OnPaint()) {
        BGInfo.Bmp = data.FCacheBmp.get();
        BGInfo.Offset = offset;
        BGInfo.BgKind = 2;
        return;
    }
    const int state = data.Skinned() ? std::min(int(FormActive), data.Section().States - 1) : 0;
    InitBGInfo(&data, BGInfo, std::max(state, 0), nullptr);
    if (BGInfo.BgKind == 2 && !BGInfo.Bmp && !BGInfo.FillNow) {
        PaintAll();
        BGInfo.Bmp = data.FCacheBmp.get();
    }
    if (!BGInfo.FillNow)
        BGInfo.Offset.Offset(offset.x, offset.y);
}

// ---------------------------------------------------------------------------------------------
// Not skinned

void TsSkinProvider::UnskinnedMessage(TMessage& Message)
{
    const uint16_t cmd = SkinCommandOf(Message);
    if (cmd == scmdQueryProvider) {
        Message.Result = AsLParam(this);
        return;
    }
    if (cmd == scmdSkinLoaded && !FormDestroying()) {
        if (Message.LParam == AsLParam(Manager()))
            SkinLoaded();
        return;
    }
    OldWndProc(Message);
    if (Message.Msg == WM_WINDOWPOSCHANGED)
        HideUnskinned(*reinterpret_cast<const WINDOWPOS*>(Message.LParam));
    if (Message.Msg == WM_NCDESTROY)
        MDIChildWindowGone();
    if (Message.Msg == vcl::CM_MOUSEWHEEL)
        AC_CMMouseWheel(Message);
}

void TsSkinProvider::HideUnskinned(const WINDOWPOS& Pos)
{
    TsSkinManager* manager = Manager();
    if (!(Pos.flags & SWP_HIDEWINDOW) || !manager || !acLayered() ||
        (vcl::Application && vcl::Application->Terminated()) || !FAllowAnimation || IsIconic(Form->Handle()) ||
        SkipAnimation)
        return;
    const TacFormHide* hide = manager->AnimEffects()->FormHide();
    if (!manager->Active() || !FDrawNonClientArea || !hide->Active())
        return;
    // This hide gets a timer of its own; one still running finishes its own animation.
    acHideTimer = nullptr;
    SkipAnimation = true;
    AnimHideForm(this);
    // The layered style goes only once the animation is over; the timers tick meanwhile.
    WaitForAnimationEnd(hide->Time(), true);
    DoLayered(Form->Handle(), false);
    SkipAnimation = false;
}

void TsSkinProvider::SkinLoaded()
{
    TsSkinManager* manager = Manager();
    FCommonData->UpdateIndexes();
    FTitleSkinIndex = -1;
    TitleSkinIndex();
    FCaptionSkinIndex = manager->GetSkinIndex(L"CAPTION");
    UpdateSysExHeight();
    CheckSysMenu(true);
    UpdateIconsIndexes();
    if (vcl::TCustomForm* active = Form->FormStyle() == vcl::TFormStyle::fsMDIForm ? Form->ActiveMDIChild() : nullptr)
        if (vcl::Screen && active == vcl::Screen->ActiveForm())
            FormActive = true;
    if (!manager->ComponentState().Contains(vcl::TComponentStateItem::csLoading)) {
        if (FMenuOwnerDraw)
            MenusInitialized = true;
        InitMenuItems(true);
        if (!MenusInitialized)
            MenusInitialized = UpdateMenu();
    }
    FCommonData->BGChanged = true;
    FLinesCount = -1;
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIForm)
        HookMDI(true);
    TakeGlobalColor();
    if (Form->HandleAllocated())
        InitDwm(Form->Handle(), FDrawNonClientArea);
    TakeAllControls();
}

void TsSkinProvider::UpdateSysExHeight()
{
    const TsSkinData& skin = *Manager()->SkinData;
    const int exHeight = skin.ExMaxHeight ? skin.ExMaxHeight : skin.ExTitleHeight;
    FSysExHeight =
        BorderForm && Form->HandleAllocated() && IsZoomed(Form->Handle()) && exHeight < skin::SysCaptHeight(Form) + 4;
}

void TsSkinProvider::TakeAllControls()
{
    if (Adapter)
        Adapter->AddAllItems();
    else
        AdapterCreate();
}

void TsSkinProvider::AC_CMMouseWheel(TMessage& Message)
{
    if (InWheel || Message.Result != 0)
        return;
    const TFlagScope inWheel(InWheel);
    TsScrollBox* box = ScrollBoxAt(Form, acMousePos());
    if (!box || !box->AutoMouseWheel())
        return;
    const vcl::TPoint position(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    Message.Result = box->DoMouseWheel(vcl::KeysToShiftState(LOWORD(Message.WParam)),
                                       int16_t(HIWORD(Message.WParam)), position)
                         ? 1
                         : 0;
}

// ---------------------------------------------------------------------------------------------
// Skinned

void TsSkinProvider::SkinnedCommand(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    switch (SkinCommandOf(Message)) {
    case scmdSkinLoaded:
        if (Message.LParam != AsLParam(Manager()))
            return;
        data.UpdateIndexes();
        FTitleSkinIndex = -1;
        TitleSkinIndex();
        FCaptionSkinIndex = Manager()->GetSkinIndex(L"CAPTION");
        UpdateIconsIndexes();
        CheckSysMenu(FDrawNonClientArea);
        Manager()->SkinableMenus()->UpdateMenus();
        data.BGChanged = true;
        FLinesCount = -1;
        if (Form->FormStyle() == vcl::TFormStyle::fsMDIForm)
            HookMDI(true);
        return;
    case scmdRepaint:
        if (Message.LParam == AsLParam(Manager()))
            Repaint(Message);
        return;
    case scmdQueryProvider: Message.Result = AsLParam(this); return;
    case scmdParentUpdated:
        if (data.FUpdating) {
            data.FUpdating = false;
            RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
        return;
    case scmdSetUpdating:
        data.FUpdating = Message.WParamLo() == 1;
        if (data.GetUpdating())
            data.BGChanged = true;
        return;
    case scmdMarkChanged: data.BGChanged = true; return;
    case scmdMouseLeave: CaptionMouseLeft(); return;
    case scmdAdaptControl:
        if (Adapter && !Form->ComponentState().Contains(vcl::TComponentStateItem::csLoading)) {
            auto* control = reinterpret_cast<vcl::TWinControl*>(Message.LParam);
            Adapter->AddAllItems(control ? control : Form);
        }
        return;
    case scmdSetUrgent:
        CommonWndProc(Message, &data);
        if (data.UrgentPainting)
            PaintAll();
        return;
    case scmdQueryChanging: Message.Result = !FInAnimation && IsCached(data) && data.FUpdating ? 1 : 0; return;
    case scmdQueryTextured: {
        const TsGeneralData& section = data.Section();
        Message.Result = section.GradientPercent + section.ImagePercent > 0 ? 1 : 0;
        return;
    }
    case scmdQueryColor: Message.Result = LRESULT(GetBGColor(data, 0, Form->Handle())); return;
    case scmdBeforeScroll:
        if (data.RepaintIfMoved())
            SendMessageW(Form->Handle(), WM_SETREDRAW, 0, 0);
        return;
    case scmdAfterScroll:
        if (data.RepaintIfMoved()) {
            SendMessageW(Form->Handle(), WM_SETREDRAW, 1, 0);
            RedrawWindow(Form->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            if (MDISkinProvider == this && Form->ClientHandle())
                RedrawWindow(Form->ClientHandle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        }
        return;
    default: return;
    }
}

void TsSkinProvider::Repaint(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    TakeAllControls();
    if (Form->Parent() && Form->FormStyle() != vcl::TFormStyle::fsMDIChild)
        data.CtrlSkinState &= uint16_t(~cssNoCache);
    FLinesCount = -1;
    if (!Manager()->ComponentState().Contains(vcl::TComponentStateItem::csLoading)) {
        UpdateMenu();
        InitMenuItems(data.Skinned(false));
    }
    if (HaveBorder(this))
        RgnChanged = true;
    if (!Form->Visible())
        return;
    data.BGChanged = true;
    InitExBorders(Manager()->GetExtendedBorders());
    if (!FInAnimation && Form->HandleAllocated()) {
        if (Form->FormStyle() == vcl::TFormStyle::fsMDIForm)
            RedrawMDIForm();
        else
            RedrawWindow(Form->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
    if (FUseGlobalColor)
        TakeGlobalColor();
    if (MDIForm)
        MDIForm->ConnectToClient();
    data.FUpdating = false;
    SendToAdapter(Message);
    UpdateBorderWindow(true);
}

// ---------------------------------------------------------------------------------------------
// Window messages while skinned

void TsSkinProvider::SkinnedMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CREATE: WMCreate(Message); return;
    case WM_NCCREATE:
        OldWndProc(Message);
        if (Form->FormStyle() != vcl::TFormStyle::fsMDIChild)
            PrepareForm();
        return;
    case WM_MOVE:
        KillAnimations();
        ClearGlows(false);
        OldWndProc(Message);
        return;
    case WM_SIZE: WMSize(Message); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_SETREDRAW:
        LockCount = Message.WParam == 1 ? std::max(LockCount - 1, 0) : LockCount + 1;
        OldWndProc(Message);
        return;
    case WM_SETTEXT:
        WMSetText(Message);
        if (Form->Showing())
            UpdateBorderWindow(true);
        return;
    case WM_SIZING:
        OldWndProc(Message);
        UpdateBorderWindow(false);
        return;
    case WM_PAINT: WMPaint(Message); return;
    case WM_QUERYENDSESSION:
        // Fades stop where they are: a fade waited for would never end while fading is forbidden.
        acFadingForbidden = true;
        OldWndProc(Message);
        return;
    case WM_ERASEBKGND: WMEraseBkGnd(Message); return;
    case WM_SHOWWINDOW: WMShowWindow(Message); return;
    case WM_SETTINGCHANGE: WMSettingChange(Message); return;
    case WM_ACTIVATEAPP: WMActivateApp(Message); return;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case WM_COPYDATA: WMCopyData(Message); return;
    case WM_NOTIFY: WMNotify(Message); return;
    case WM_SETICON: WMSetIcon(Message); return;
    case WM_NCHITTEST: WMNCHitTest(Message); return;
    case WM_CLOSE:
        if (HideImageWanted())
            CloseWithHideImage(this, Message);
        else
            OldWndProc(Message);
        return;
    case WM_NCMOUSEMOVE:
        if (Manager())
            Manager()->SetActiveControl(Form->Handle());
        AC_NCMouseMove(Message);
        return;
    case WM_NCLBUTTONDOWN: AC_WMNCLButtonDown(Message); return;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: AC_WMNCLButtonUp(Message); return;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(Message); return;
    case WM_NCRBUTTONDOWN:
        if (Message.WParam != HTCAPTION && Message.WParam != HTSYSMENU)
            OldWndProc(Message);
        return;
    case WM_NCRBUTTONUP: WMNCRButtonUp(Message); return;
    case WM_SYSCOMMAND: AC_WMSysCommand(Message); return;
    case WM_PRINT: AC_WMPrint(Message); return;
    case WM_GETMINMAXINFO: AC_WMGetMinMaxInfo(Message); return;
    case ShellSysMenuMessage: {
        const vcl::TPoint mouse = acMousePos();
        DropSysMenu(mouse.x, mouse.y);
        return;
    }
    case WM_MOUSELEAVE:
    case vcl::CM_MOUSELEAVE:
        CaptionMouseLeft();
        OldWndProc(Message);
        return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_NCACTIVATE: WMNCActivate(Message); return;
    case WM_ENTERIDLE:
    case WM_PRINTCLIENT:
    case vcl::CM_CONTROLLISTCHANGING:
    case RegionQueryMessage:
        // Answered here: the form's own handling would draw over the skinned window, or speak of
        // a region the provider does not keep.
        Message.Result = 0;
        return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_PARENTNOTIFY: WMParentNotify(Message); return;
    case WM_ENTERMENULOOP: WMEnterMenuLoop(Message); return;
    case WM_EXITMENULOOP: WMExitMenuLoop(Message); return;
    case WM_INITMENUPOPUP:
        if (Manager()->SkinnedPopups())
            AC_WMInitMenuPopup(Message);
        return;
    case WM_MEASUREITEM: WMMeasureItem(Message); return;
    case WM_CONTEXTMENU:
        if (Form->PopupMenu())
            Manager()->SkinableMenus()->HookPopupMenu(Form->PopupMenu(), Manager()->SkinnedPopups());
        OldWndProc(Message);
        return;
    case WM_SYSCOLORCHANGE:
        OldWndProc(Message);
        UpdateMenu();
        return;
    case WM_CHILDACTIVATE: WMChildActivate(Message); return;
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        OldWndProc(Message);
        MDIChildActivated();
        ChildProvider = this;
        return;
    case WM_DWMSENDICONICTHUMBNAIL:
    case WM_DWMSENDICONICLIVEPREVIEWBITMAP: return;
    case SkinPreviewMessage: SkinPreviewRequest(Message); return;
    case vcl::CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case vcl::CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case vcl::CM_MOUSEENTER: CMMouseEnter(Message); return;
    case vcl::CM_MENUCHANGED: CMMenuChanged(Message); return;
    case vcl::CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
    case vcl::CM_CONTROLLISTCHANGE: CMControlListChange(Message); return;
    case vcl::CM_FLOAT:
        OldWndProc(Message);
        ListSW.reset();
        Form->Perform(SkinCommandMessage, SkinCommandWParam(scmdRepaint), AsLParam(Manager()));
        return;
    case vcl::CM_MOUSEWHEEL:
        OldWndProc(Message);
        AC_CMMouseWheel(Message);
        return;
    default: OldWndProc(Message); return;
    }
}

void TsSkinProvider::CaptionMouseLeft()
{
    SetHotHT(0, true);
    bPressed = false;
}

void TsSkinProvider::WMCreate(TMessage& Message)
{
    if (Form->FormStyle() != vcl::TFormStyle::fsMDIChild) {
        OldWndProc(Message);
        PrepareForm();
        return;
    }
    // A skinned child of a main form that has no provider yet: the main form gets one.
    vcl::TCustomForm* mainForm = vcl::Application ? vcl::Application->MainForm() : nullptr;
    if (!MDISkinProvider && mainForm && mainForm->HandleAllocated())
        AddSupportedForm(mainForm->Handle());
    bChildCreating = MDISkinProvider && MaximizedMDIChild(MDISkinProvider->Form);
    OldWndProc(Message);
}

void TsSkinProvider::WMSettingChange(TMessage& Message)
{
    FCommonData->BGChanged = true;
    if (Message.WParam == SPI_SETWORKAREA)
        MinimizeTargetChanged(this);
    OldWndProc(Message);
}

void TsSkinProvider::WMActivateApp(TMessage& Message)
{
    OldWndProc(Message);
    if (BorderForm && !(FormState & fsMinimizing)) {
        UpdateBorderWindow(false);
        return;
    }
    // The application comes back while its main form is still minimised, and no minimise timer
    // will bring it back: it is restored here.
    vcl::TCustomForm* mainForm = vcl::Application ? vcl::Application->MainForm() : nullptr;
    const auto* minimizing = dynamic_cast<const TacMinTimer*>(FormTimer);
    if ((FormState & fsMinimizing) || Form != mainForm || Message.WParam != 1 ||
        mainForm->WindowState() != vcl::TWindowState::wsMinimized || (minimizing && minimizing->Minimized))
        return;
    mainForm->SetWindowState(vcl::TWindowState::wsNormal);
    InvalidateRect(Form->Handle(), nullptr, TRUE);
    RedrawWindow(Form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void TsSkinProvider::WMCopyData(TMessage& Message)
{
    OldWndProc(Message);
    // Only the window announced to the skin editor takes its skins, one at a time.
    if (Message.Result != 0 || !Message.LParam || Form->Handle() != acPreviewHandle || InPreviewCopy)
        return;
    const TFlagScope copying(InPreviewCopy);
    ReceiveData(Message, Manager());
}

void TsSkinProvider::WMNotify(TMessage& Message)
{
    OldWndProc(Message);
    // A page control changed its page: the controls of the new page are skinned.
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (header && header->code == UINT(TCN_SELCHANGE) && Adapter)
        Adapter->AddAllItems();
}

void TsSkinProvider::WMSetIcon(TMessage& Message)
{
    if (Loading() || Message.LParam == 0 || InAnimationProcess || !Form->Showing()) {
        OldWndProc(Message);
        return;
    }
    if (AeroIsEnabled()) {
        OldWndProc(Message);
    } else {
        // Without composition the system would draw its own caption with the new icon meanwhile.
        SendMessageW(Form->Handle(), WM_SETREDRAW, 0, 0);
        OldWndProc(Message);
        SendMessageW(Form->Handle(), WM_SETREDRAW, 1, 0);
    }
    UpdateSkinCaption();
}

void TsSkinProvider::WMMouseMove(TMessage& Message)
{
    OldWndProc(Message);
    if (DefaultManager && !DefaultManager->ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
        DefaultManager->SetActiveControl(nullptr);
    AC_WMMouseMove(Message);
}

void TsSkinProvider::WMEnterMenuLoop(TMessage& Message)
{
    vcl::TCustomForm* active = Form->FormStyle() == vcl::TFormStyle::fsMDIForm ? Form->ActiveMDIChild() : nullptr;
    if (!InMenu && active && active->WindowState() == vcl::TWindowState::wsMaximized)
        ShowMDIIcons();
    OldWndProc(Message);
}

void TsSkinProvider::WMExitMenuLoop(TMessage& Message)
{
    InMenu = false;
    if (MDIIconsForm) {
        MDIIconsForm->Free();
        MDIIconsForm = nullptr;
    }
    OldWndProc(Message);
}

void TsSkinProvider::WMMeasureItem(TMessage& Message)
{
    // A bar item of the menu line is drawn by the skinned menus, which set it up first.
    const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(Message.LParam);
    if (MenuHeight() > 0 && measure->CtlType == ODT_MENU)
        if (vcl::TMenuItem* item = Form->Menu()->FindItem(measure->itemID, vcl::TFindItemKind::fkCommand))
            Manager()->SkinableMenus()->InitItem(item, true);
    OldWndProc(Message);
}

void TsSkinProvider::WMChildActivate(TMessage& Message)
{
    OldWndProc(Message);
    UpdateMenu();
    vcl::TCustomForm* active = MDISkinProvider ? MDISkinProvider->Form->ActiveMDIChild() : nullptr;
    if (!active)
        return;
    if (active->WindowState() == vcl::TWindowState::wsMaximized && MDISkinProvider->MDIForm)
        MDISkinProvider->MDIForm->UpdateMDIIconItem();
    else
        CheckSysMenu(true);
}

void TsSkinProvider::SkinPreviewRequest(TMessage& Message)
{
    switch (Message.WParam) {
    case PreviewClose: Form->Close(); return;
    case PreviewAnnounce: OldWndProc(Message); return;
    case PreviewAlive: Message.Result = 1; return;
    default: return;
    }
}

void TsSkinProvider::CMVisibleChanged(TMessage& Message)
{
    if (RTInit && Message.WParam == 1) {
        RTInit = false;
        LoadInit();
        InitExBorders(Manager()->GetExtendedBorders());
    }
    OldWndProc(Message);
    if (Message.WParam == 0) {
        // A hidden form keeps no picture, and no button of it fades.
        if (!FormDestroying() && FCommonData->FCacheBmp)
            FCommonData->FCacheBmp->SetSize(0, 0);
        KillAnimations();
    } else if (Message.WParam == 1 && Form->Parent()) {
        SetParentUpdated(Form);
    }
}

void TsSkinProvider::CMEnabledChanged(TMessage& Message)
{
    OldWndProc(Message);
    if (!FDrawNonClientArea)
        return;
    // The frame is drawn anew in the form's enabled state.
    FCommonData->BGChanged = true;
    SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::CMMouseEnter(TMessage& Message)
{
    OldWndProc(Message);
    if (Manager() && Form->HandleAllocated())
        Manager()->SetActiveControl(Form->Handle());
    // The mouse is back over the form: a hole cut into the border window's region closes.
    if (TacBorderForm* border = BorderWindowOf(this); border && border->ResetRgn && !(FormState & fsSizing))
        border->UpdateRgn();
}

bool TsSkinProvider::HideImageWanted()
{
    const TacFormHide* hide = Manager() ? Manager()->AnimEffects()->FormHide() : nullptr;
    return FAllowAnimation && hide && hide->Active() && hide->Time() != 0 && FDrawNonClientArea &&
           !(FormState & fsExitAnimation);
}

void TsSkinProvider::WMNCHitTest(TMessage& Message)
{
    if (RTInit) {
        RTInit = false;
        LoadInit();
    }
    if (CaptionHeight(true) == 0 || !FDrawNonClientArea) {
        OldWndProc(Message);
        return;
    }
    Message.Result = HTProcess(Message);
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIChild &&
        (Message.Result == HTMINBUTTON || Message.Result == HTMAXBUTTON || Message.Result == HTCLOSE))
        CheckSysMenu(true);
}

void TsSkinProvider::WMNCLButtonDblClk(TMessage& Message)
{
    if (FResizeMode == TsResizeMode::rmBorder && OutlineDrag.InProcess) {
        StopMove(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        ReleaseCapture();
        OutlineDrag.InProcess = false;
    }
    const HWND handle = Form->Handle();
    switch (Message.WParam) {
    case HTCAPTION: {
        const bool iconic = IsIconic(handle);
        if (SystemMenu && (SystemMenu->EnabledMax() || SystemMenu->EnabledRestore() ||
                           (!HaveBorder(this) && iconic))) {
            const WPARAM command = IsZoomed(handle) || iconic ? SC_RESTORE : SC_MAXIMIZE;
            SendMessageW(handle, WM_SYSCOMMAND, command, 0);
            SystemMenu->UpdateItems(false);
        } else if (iconic) {
            SendMessageW(handle, WM_SYSCOMMAND, SC_RESTORE, 0);
            if (SystemMenu)
                SystemMenu->UpdateItems(false);
        }
        Message.WParam = 0;
        return;
    }
    case HTSYSMENU:
        if (Manager() && !Manager()->SkinnedPopups())
            FCommonData->FUpdating = true;
        Form->Close();
        return;
    default: OldWndProc(Message); return;
    }
}

void TsSkinProvider::WMNCRButtonUp(TMessage& Message)
{
    if (!HaveBorder(this)) {
        OldWndProc(Message);
        return;
    }
    vcl::TMessage hit = Message;
    hit.Msg = WM_NCHITTEST;
    const int code = Message.WParam == WPARAM(-1) && BorderForm ? ForwardedHitCode(Message) : HTProcess(hit);
    if (code == HTCAPTION || code == HTSYSMENU) {
        SetHotHT(0, true);
        bPressed = false;
        DropSysMenu(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    }
}

void TsSkinProvider::WMActivate(TMessage& Message)
{
    const bool showing = Form->Showing();
    OldWndProc(Message);
    if (!showing)
        return;
    if (FDrawNonClientArea)
        RefreshFormScrolls(this);
    if (Form->ControlState().Contains(vcl::TControlStateItem::csCreating))
        return;
    FLinesCount = -1;
    if (LOWORD(Message.WParam) != WA_ACTIVE)
        return;
    if (!ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
        InitMenuItems(FCommonData->Skinned(false));
    if (SystemMenu)
        SystemMenu->UpdateItems(false);
    if (Form->BorderStyle() == vcl::TFormBorderStyle::bsNone)
        SetParentUpdated(Form);
}

void TsSkinProvider::WMSetText(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    if (!Form->Showing() || Form->ControlState().Contains(vcl::TControlStateItem::csCreating) ||
        !FDrawNonClientArea) {
        OldWndProc(Message);
        return;
    }
    FGlow1.reset();
    FGlow2.reset();
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIChild && Form->WindowState() == vcl::TWindowState::wsMaximized) {
        SetMaximizedChildText(Message);
        return;
    }
    const HWND handle = Form->Handle();
    if (AeroIsEnabled()) {
        SendMessageW(handle, WM_SETREDRAW, 0, 0);
        OldWndProc(Message);
        SendMessageW(handle, WM_SETREDRAW, 1, 0);
        data.BGChanged = true;
        RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
        UpdateSkinCaption();
        return;
    }
    // The system draws its caption with the new text: a cover keeps the screen as it is meanwhile.
    data.BGChanged = true;
    ShowCaptForm(false);
    OldWndProc(Message);
    KillCaptForm();
    if (Form->AlphaBlend())
        SendMessageW(handle, WM_NCPAINT, 0, 0);
}

void TsSkinProvider::WMPaint(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    if (Form->ControlState().Contains(vcl::TControlStateItem::csPaintCopy))
        return;
    // A border window that went (or never showed) comes back with the form's painting.
    if (TacBorderForm* border = BorderWindowOf(this);
        border && !InAnimation(this) && (!border->AForm || !IsWindowVisible(border->AForm->Handle())))
        border->UpdateExBordersPos(false, 255);
    if (!Form->Showing()) {
        OldWndProc(Message);
    } else if (IsCached(data)) {
        OurPaintHandler(Message);
        // A window left invalid is sent WM_PAINT again at once, and its timers starve.
        if (!Message.WParam)
            ValidateRect(Form->Handle(), nullptr);
        bChildCreating = false;
        // The client window covers an MDI form's background; its graphic controls paint here.
        if (Form->FormStyle() == vcl::TFormStyle::fsMDIForm)
            PaintFormControls(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
    } else {
        if (!ComponentDestroying(this) && data.BGChanged)
            InvalidateRect(Form->Handle(), nullptr, TRUE);
        PAINTSTRUCT paint{};
        BeginPaint(Form->Handle(), &paint);
        EndPaint(Form->Handle(), &paint);
        Message.Result = 0;
    }
    if (!FDrawNonClientArea && Form->Menu())
        SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::WMEraseBkGnd(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    if (!Form->Showing()) {
        OldWndProc(Message);
        return;
    }
    if ((data.CtrlSkinState & cssBatch) || data.GetUpdating())
        return;
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    const bool ownErase = Message.WParam == WPARAM(Message.LParam) && Message.LParam >= 0;
    if (Form->ControlState().Contains(vcl::TControlStateItem::csPaintCopy) || ownErase) {
        // A copy of the form (or the class library's own erase): the cache as it stands.
        if (dc && !data.BGChanged) {
            if (IsCached(data) && data.FCacheBmp)
                BitBlt(dc, 0, 0, Form->Width(), Form->Height(), data.FCacheBmp->Canvas()->Handle(), OffsetX(),
                       OffsetY(), SRCCOPY);
            else
                FillDC(dc, Form->ClientRect(), GetBGColor(data, 0, Form->Handle()));
        }
        Message.Result = 1;
        return;
    }
    if (IsCached(data) && !MaximizedMDIChild(Form)) {
        if (!data.FUpdating) {
            if (data.FCacheBmp) {
                const vcl::TRect client = Form->ClientRect();
                CopyWinControlCache(Form, data, vcl::TRect(OffsetX(), OffsetY(), OffsetX() + client.Width(),
                                                           OffsetY() + client.Height()),
                                    client, dc, false, 0, 0);
            }
            SetParentUpdated(Form);
        }
        Message.Result = 1;
        return;
    }
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIChild)
        CutChildCache();
    AC_WMEraseBkGnd(dc);
    if (bChildCreating) {
        bChildCreating = false;
        if (Form->FormStyle() == vcl::TFormStyle::fsMDIChild)
            ChildProvider = this;
    }
    Message.Result = 1;
}

void TsSkinProvider::WMParentNotify(TMessage& Message)
{
    const UINT event = LOWORD(Message.WParam);
    OldWndProc(Message);
    if (Loading() || Form->ComponentState().Contains(vcl::TComponentStateItem::csLoading) ||
        (event != WM_CREATE && event != WM_DESTROY))
        return;
    if (event == WM_CREATE && Adapter)
        Adapter->AddAllItems();
    vcl::TMessage recompute = MakeSkinMessage(scmdSkinState, 1);
    AlphaBroadCast(Form, recompute);
    if (FDrawNonClientArea && ListSW)
        ListSW->UpdateScrolls(true);
}

void TsSkinProvider::CMMenuChanged(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    const bool quiet = Form->FormState().Contains(vcl::TFormStateItem::fsCreating) || !Form->Visible() ||
                       fAnimating || InAnimationProcess;
    if (!quiet && !(data.CtrlSkinState & cssBatch)) {
        FLinesCount = -1;
        MenuChanged = true;
        data.BGChanged = true;
    }
    OldWndProc(Message);
}

void TsSkinProvider::CMControlListChange(TMessage& Message)
{
    OldWndProc(Message);
    auto* control = reinterpret_cast<vcl::TControl*>(Message.WParam);
    if (!control)
        return;
    vcl::TMessage recompute = MakeSkinMessage(scmdSkinState, 1);
    if (auto* windowed = dynamic_cast<vcl::TWinControl*>(control)) {
        if (Adapter)
            Adapter->AddNewItem(windowed);
        AlphaBroadCast(windowed, recompute);
    }
    SendAMessage(control, scmdSkinState, 1);
}

// ---------------------------------------------------------------------------------------------
// MDI

void TsSkinProvider::MDIChildActivated()
{
    TsSkinProvider* main = MDISkinProvider;
    if (Form->FormStyle() != vcl::TFormStyle::fsMDIChild || !main || ComponentDestroying(main))
        return;
    main->SkinData()->BGChanged = true;
    if (Form->WindowState() == vcl::TWindowState::wsMaximized) {
        SendMessageW(main->Form->Handle(), WM_NCPAINT, 0, 0);
        UpdateMainForm(true);
        return;
    }
    // The merged items of the child coming to the front are hooked again.
    MenusInitialized = false;
    main->MenuChanged = true;
    main->FLinesCount = -1;
    SendMessageW(main->Form->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::MDIChildWindowGone()
{
    TsSkinProvider* main = MDISkinProvider;
    if (Form->FormStyle() != vcl::TFormStyle::fsMDIChild || !main || ComponentDestroying(main) || !main->MDIForm ||
        !main->SkinData()->Skinned())
        return;
    main->RepaintMenu();
    if (!main->Form->ActiveMDIChild() && main->Form->ClientHandle())
        RedrawWindow(main->Form->ClientHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

void TsSkinProvider::AdoptMDIChildren()
{
    for (int i = 0; i < Form->MDIChildCount(); ++i) {
        vcl::TCustomForm* child = Form->MDIChildren(i);
        if (!GetBoolMsg(child, scmdQuerySkinned))
            AddSupportedForm(child->Handle());
    }
}

void TsSkinProvider::RedrawMDIForm()
{
    if (vcl::TCustomForm* child = MaximizedMDIChild(Form)) {
        RepaintNC();
        InvalidateRect(child->Handle(), nullptr, TRUE);
        return;
    }
    for (const HWND wnd : {Form->Handle(), Form->ClientHandle()})
        if (wnd)
            RedrawWindow(wnd, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void TsSkinProvider::SetMaximizedChildText(TMessage& Message)
{
    TsSkinProvider* main = MDISkinProvider;
    if (!main) {
        OldWndProc(Message);
        return;
    }
    // The system writes the child's title into the main form's caption: the cover keeps the
    // screen as it is, and the main form's frame is rendered again afterwards.
    main->SkinData()->BGChanged = true;
    main->ShowCaptForm(false);
    OldWndProc(Message);
    main->KillCaptForm();
}

void TsSkinProvider::PaintFormControls(HDC DC)
{
    const HWND handle = Form->Handle();
    const HDC dc = DC ? DC : GetDC(handle);
    PaintControls(dc, Form, vcl::TPoint());
    if (!DC)
        ReleaseDC(handle, dc);
}

void TsSkinProvider::CutChildCache()
{
    vcl::TBitmap* cache = FCommonData->FCacheBmp.get();
    TsSkinProvider* main = MDISkinProvider;
    if (!cache || !main)
        return;
    // The child's bounds are relative to the MDI client window, which may be smaller than the MDI
    // form's client area (tool bars, status bar).
    RECT clientRect{};
    const HWND mdiClient = main->Form->ClientHandle();
    if (!mdiClient || !GetClientRect(mdiClient, &clientRect))
        return;
    const vcl::TRect client(clientRect);
    const vcl::TRect bounds = Form->BoundsRect();
    if (bounds.left < client.left || bounds.top < client.top || bounds.right > client.right ||
        bounds.bottom > client.bottom)
        return;
    // A child wholly in sight keeps only its title part cached; the rest renders afresh.
    const int title = BorderHeight() + CaptionHeight() + GetLinesCount() * MenuHeight() + 1;
    if (cache->Height() > title)
        cache->SetHeight(title);
    FCommonData->BGChanged = true;
}

}  // namespace skin
