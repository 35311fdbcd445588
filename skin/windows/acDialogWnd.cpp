// The dialog wrapper's life, its title buttons' mouse and its message table.
#include "skin/windows/acDialogWnd.h"

#include <windowsx.h>

#include "skin/core/acGlow.h"
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TMessage;
using vcl::TPoint;

bool TitleBtnPressed = false;
bool RgnChanging = false;

// ---------------------------------------------------------------------------------------------
// The system menu

namespace {

// The items above the separator, and close: caption, name and command.
struct TMenuRow {
    TacTextId Text;
    const wchar_t* Name;
    UINT Command;
    vcl::TMenuItem* TacSystemMenu::*Field;
};
constexpr TMenuRow MenuRows[] = {
    {acsRestore, L"miRestore", SC_RESTORE, &TacSystemMenu::ItemRestore},
    {acsMove, L"miMove", SC_MOVE, &TacSystemMenu::ItemMove},
    {acsSize, L"miSize", SC_SIZE, &TacSystemMenu::ItemSize},
    {acsMinimize, L"miMinimize", SC_MINIMIZE, &TacSystemMenu::ItemMinimize},
    {acsMaximize, L"miMaximize", SC_MAXIMIZE, &TacSystemMenu::ItemMaximize},
};

}  // namespace

TacSystemMenu::TacSystemMenu(vcl::TComponent* AOwner) : TsCustomSysMenu(AOwner) {}

void TacSystemMenu::AfterConstruction()
{
    TsCustomSysMenu::AfterConstruction();
    for (const TMenuRow& row : MenuRows)
        this->*row.Field = AddItem(row.Text, row.Name, row.Command);
    auto* separator = vcl::Create<vcl::TMenuItem>(this);
    separator->SetCaption(L"-");
    Items()->Add(separator);
    ItemClose = AddItem(acsClose, L"miClose", SC_CLOSE, vcl::ShortCut(VK_F4, vcl::TShiftState{vcl::TShiftStateItem::ssAlt}));
}

vcl::TMenuItem* TacSystemMenu::AddItem(int TextId, const wchar_t* Name, UINT Command, vcl::TShortCut ShortCut)
{
    auto* item = vcl::Create<vcl::TMenuItem>(this);
    item->SetCaption(LibraryText(TacTextId(TextId)));
    item->SetName(Name);
    item->SetTag(intptr_t(Command));
    item->SetShortCut(ShortCut);
    item->SetOnClick(vcl::TNotifyEvent(this, &TacSystemMenu::CommandClick));
    Items()->Add(item);
    return item;
}

void TacSystemMenu::CommandClick(vcl::TObject* Sender)
{
    if (!FOwner)
        return;
    const auto command = WPARAM(static_cast<vcl::TMenuItem*>(Sender)->Tag());
    SendMessageW(FOwner->CtrlHandle, WM_SYSCOMMAND, command, 0);
    if (command == SC_RESTORE || command == SC_MAXIMIZE)
        UpdateItems();
}

bool TacSystemMenu::VisibleClose() { return FOwner && FOwner->VisibleClose(); }

void TacSystemMenu::UpdateItems()
{
    if (!FOwner)
        return;
    const TacDialogWnd& owner = *FOwner;
    const bool zoomed = IsZoomed(owner.CtrlHandle);
    const bool iconic = IsIconic(owner.CtrlHandle);
    const TacBorderStyle style = owner.BorderStyle;
    const auto show = [](vcl::TMenuItem* Item, bool Visible, bool Enabled) {
        Item->SetVisible(Visible);
        Item->SetEnabled(Enabled);
    };
    show(ItemRestore, owner.VisibleRestore(), owner.EnabledRestore());
    show(ItemMove, true, !zoomed);
    show(ItemSize,
         style != TacBorderStyle::acbsDialog && style != TacBorderStyle::acbsNone &&
             style != TacBorderStyle::acbsToolWindow,
         style != TacBorderStyle::acbsSingle && !iconic);
    show(ItemMinimize, owner.VisibleMin(), owner.EnabledMin());
    show(ItemMaximize, owner.VisibleMax(), owner.EnabledMax());
    show(ItemClose, owner.VisibleClose(), true);
}

// ---------------------------------------------------------------------------------------------
// Life

TacDialogWnd::TacDialogWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                           const vcl::String& SkinSection, bool Repaint)
    : TacScrollWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint)
{
    FWMPaintForbidden = vcl::Seams().SystemVersion().dwMajorVersion >= 6;
    SystemMenu.reset(vcl::Create<TacSystemMenu>(nullptr));
    SystemMenu->FOwner = this;
    SystemMenu->UpdateItems();
    SkinData->SetUpdating(true);
    InitDwm(AHandle, true);
    if (DefaultManager && DefaultManager->SkinnedPopups())
        DefaultManager->SkinableMenus()->HookPopupMenu(SystemMenu.get(), true);
    UpdateIconsIndexes();
}

TacDialogWnd::~TacDialogWnd()
{
    for (TsCaptionButton* button : {&ButtonMin, &ButtonMax, &ButtonClose, &ButtonHelp})
        if (button->GlowID >= 0)
            HideGlow(button->GlowID);
    if (FBrush)
        DeleteObject(FBrush);
    Release();
}

void TacDialogWnd::InitParams()
{
    dwStyle = uint32_t(GetWindowLongPtrW(CtrlHandle, GWL_STYLE));
    dwExStyle = uint32_t(GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE));
    BorderStyle = DialogBorderStyle(dwStyle);
    PrepareTitleGlyph();
    UpdateIconsIndexes();
    TitleFont = std::make_unique<vcl::TFont>();
    if (const HFONT font = GetNonClientFont(1))
        TitleFont->SetHandle(font);
    SetWindowLongPtrW(CtrlHandle, GWL_STYLE, LONG_PTR(dwStyle & ~uint32_t(WS_SYSMENU)));
    SystemMenu->UpdateItems();
}

void TacDialogWnd::PrepareTitleGlyph()
{
    TitleIcon = reinterpret_cast<HICON>(SendMessageW(CtrlHandle, WM_GETICON, ICON_SMALL, 0));
    if (!TitleIcon)
        TitleIcon = reinterpret_cast<HICON>(SendMessageW(CtrlHandle, WM_GETICON, ICON_BIG, 0));
}

int TacDialogWnd::GlobalImage(const wchar_t* Name) const
{
    return Manager().GetMaskIndex(Manager().ConstData.IndexGLobalInfo, L"GLOBALINFO", Name);
}

void TacDialogWnd::UpdateIconsIndexes()
{
    TsSkinManager* manager = SkinData->SkinManager();
    if (!manager || !manager->IsValidSkinIndex(manager->ConstData.IndexGLobalInfo))
        return;
    ButtonMin.HitCode = HTMINBUTTON;
    ButtonMax.HitCode = HTMAXBUTTON;
    ButtonClose.HitCode = HTCLOSE;
    const TDialogSkinOffer offer{GlobalImage(L"BICLOSEALONE") >= 0, GlobalImage(L"SICONCLOSE") >= 0};
    const TDialogImageNames names = DialogImageNames(BorderStyle, VisibleMin(), VisibleMax(), offer);
    ButtonClose.ImageIndex = GlobalImage(names.Close);
    ButtonMin.ImageIndex = GlobalImage(names.Min);
    ButtonMax.ImageIndex = GlobalImage(names.Max);
    ButtonHelp.ImageIndex = GlobalImage(names.Help);
    if (ButtonHelp.ImageIndex < 0 && names.HelpFallback)
        ButtonHelp.ImageIndex = GlobalImage(names.HelpFallback);
    for (TsCaptionButton* button : {&ButtonMin, &ButtonMax, &ButtonClose, &ButtonHelp})
        button->HaveAlignment = names.HaveAlignment;
    TitleSection = names.Title;
    TitleIndex = manager->GetSkinIndex(TitleSection);
    if (TitleIndex < 0) {
        TitleSection = L"FORMTITLE";
        TitleIndex = manager->GetSkinIndex(TitleSection);
    }
}

// ---------------------------------------------------------------------------------------------
// The title buttons' queries

bool TacDialogWnd::VisibleRestore() const
{
    return (BorderStyle == TacBorderStyle::acbsSingle || BorderStyle == TacBorderStyle::acbsSizeable) && VisibleClose();
}

bool TacDialogWnd::EnabledClose() const
{
    return VisibleClose() && !(GetClassLongPtrW(CtrlHandle, GCL_STYLE) & CS_NOCLOSE);
}

bool TacDialogWnd::EnabledMax() const
{
    return VisibleMax() && !IsZoomed(CtrlHandle) &&
           (BorderStyle == TacBorderStyle::acbsSingle || BorderStyle == TacBorderStyle::acbsSizeable ||
            BorderStyle == TacBorderStyle::acbsSizeToolWin);
}

bool TacDialogWnd::EnabledMin() const { return VisibleMin() && !IsIconic(CtrlHandle); }

bool TacDialogWnd::EnabledRestore() const { return VisibleMax() && (IsIconic(CtrlHandle) || IsZoomed(CtrlHandle)); }

// ---------------------------------------------------------------------------------------------
// Hover and press

TsCaptionButton* TacDialogWnd::ButtonOf(int HitCode)
{
    switch (HitCode) {
    case HTMINBUTTON: return &ButtonMin;
    case HTMAXBUTTON: return &ButtonMax;
    case HTCLOSE: return &ButtonClose;
    case HTHELP: return &ButtonHelp;
    default: return nullptr;
    }
}

TPoint TacDialogWnd::CursorToPoint(int X, int Y)
{
    WndRect = WindowRectOf(CtrlHandle);
    return TPoint(X - WndRect.left, Y - WndRect.top);
}

int TacDialogWnd::HTProcess(LRESULT CurrentResult)
{
    const TPoint cursor = vcl::Seams().CursorPos();
    const TDialogHit hit = DialogHitTest(HitLayout(), CursorToPoint(cursor.x, cursor.y));
    if (hit.HotChanges)
        SetHotHT(hit.Hot, true);
    return hit.Code != 0 ? hit.Code : int(CurrentResult);
}

void TacDialogWnd::SetHotHT(int i, bool Repaint)
{
    if (i == CurrentHT)
        return;
    if (TsCaptionButton* old = ButtonOf(CurrentHT))
        old->State = 0;
    if (Repaint && CurrentHT != 0)
        RepaintButton(CurrentHT);
    CurrentHT = i;
    if (TsCaptionButton* button = ButtonOf(i))
        button->State = 1;
    TitleBtnPressed = false;
    if (Repaint)
        RepaintButton(i);
}

void TacDialogWnd::SetPressedHT(int i)
{
    if (i != CurrentHT && CurrentHT != 0) {
        if (TsCaptionButton* old = ButtonOf(CurrentHT))
            old->State = 0;
        RepaintButton(CurrentHT);
    }
    CurrentHT = i;
    if (TsCaptionButton* button = ButtonOf(i)) {
        const bool pressable = button != &ButtonMax || EnabledMax() || (IsZoomed(CtrlHandle) && EnabledRestore());
        if (pressable)
            button->State = 2;
    }
    TitleBtnPressed = true;
    RepaintButton(i);
}

void TacDialogWnd::DropSysMenu(int X, int Y)
{
    SystemMenu->SetWindowHandle(CtrlHandle);
    SystemMenu->Popup(X, Y);
}

// ---------------------------------------------------------------------------------------------
// The message table

void TacDialogWnd::Previous(TMessage& Message)
{
    Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TacDialogWnd::SysCommand(WPARAM Command) { SendMessageW(CtrlHandle, WM_SYSCOMMAND, Command, 0); }

bool TacDialogWnd::SkinCommand(TMessage& Message)
{
    switch (SkinCommandOf(Message)) {
    case scmdSkinLoaded:
        if (Message.LParam == reinterpret_cast<LPARAM>(SkinManager)) {
            SkinData->UpdateIndexes();
            FCaptionSkinIndex = Manager().GetSkinIndex(L"CAPTION");
            UpdateIconsIndexes();
            AlphaBroadCastCheck(nullptr, CtrlHandle, Message);
        }
        return true;
    case scmdRepaint:
        SkinData->UpdateIndexes();
        SkinData->Invalidate();
        return true;
    case scmdSetUpdating:
        SkinData->SetUpdating(LOWORD(Message.WParam) == 1);
        if (SkinData->FUpdating)
            SkinData->BGChanged = true;
        Inherited(Message);
        return true;
    case scmdQueryChanging: Message.Result = SkinData->FUpdating ? 1 : 0; return true;
    case scmdQueryTextured: {
        const bool valid = Manager().IsValidSkinIndex(SkinData->SkinIndex);
        const TsGeneralData* data = valid ? &Manager().gd[size_t(SkinData->SkinIndex)] : nullptr;
        Message.Result = data && data->GradientPercent + data->ImagePercent > 0 ? 1 : 0;
        return true;
    }
    case scmdQueryColor: Message.Result = LRESULT(GetBGColor(*SkinData, 0, CtrlHandle)); return true;
    case scmdQueryClientOffset: Message.Result = MAKELRESULT(OffsetX(), OffsetY()); return true;
    default: return false;
    }
}

void TacDialogWnd::acWndProc(TMessage& Message)
{
    if (Message.Msg == SkinCommandMessage) {
        if (!SkinCommand(Message))
            Inherited(Message);
        return;
    }
    const bool visible = IsWindowVisible(CtrlHandle);
    switch (Message.Msg) {
    case WM_SIZE: WMSize(Message); return;
    case WM_ENABLE:
        if (!visible)
            break;
        Previous(Message);
        SkinData->BGChanged = true;
        SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
        return;
    case WM_SETTEXT:
        if (!visible)
            break;
        Inherited(Message);
        SkinData->BGChanged = true;
        SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
        return;
    case WM_PAINT:
        if (FWMPaintForbidden) {
            PAINTSTRUCT ps;
            BeginPaint(CtrlHandle, &ps);
            EndPaint(CtrlHandle, &ps);
            Message.Result = 0;
        } else {
            Previous(Message);
        }
        return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_SHOWWINDOW:
        Previous(Message);
        InitDwm(CtrlHandle, true);
        return;
    case WM_WINDOWPOSCHANGED:
        if (reinterpret_cast<const WINDOWPOS*>(Message.LParam)->flags & SWP_HIDEWINDOW)
            RgnChanged = true;
        Previous(Message);
        return;
    case WM_NCHITTEST: WMNCHitTest(Message); return;
    case WM_NCPAINT:
        if (!visible)
            break;
        WMNCPaint(Message);
        return;
    case WM_NCACTIVATE:
        if (!visible)
            break;
        WMNCActivate(Message);
        return;
    case WM_GETDLGCODE: return;
    case WM_NCLBUTTONDOWN: WMNCLButtonDown(Message); return;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: WMLButtonUp(Message); return;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(Message); return;
    case WM_NCRBUTTONDOWN:
        if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU)
            return;
        break;
    case WM_NCRBUTTONUP: WMNCRButtonUp(Message); return;
    case WM_CTLCOLORDLG: WMCtlColorDlg(Message); return;
    case WM_MOUSEMOVE:
        if (IsWindowEnabled(CtrlHandle) && DefaultManager)
            DefaultManager->SetActiveControl(nullptr);
        break;
    case WM_NCMOUSELEAVE: SetHotHT(0, true); break;
    default: break;
    }
    Inherited(Message);
}

void TacDialogWnd::WMEraseBkgnd(TMessage& Message)
{
    InitCtrlData(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    Initialized = true;
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc && SkinData->FCacheBmp && SkinData->FCacheBmp->Width() != WndSize.cx)
        FillDC(dc, vcl::TRect(0, 0, WndSize.cx, WndSize.cy), GetBGColor(*SkinData, 0, CtrlHandle));
    Ac_WMPaint(dc);
    Message.Result = 1;
}

void TacDialogWnd::WMNCPaint(TMessage& Message)
{
    InitCtrlData(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    Caption = GetWndText(CtrlHandle);
    Ac_WMNCPaint();
    Message.Result = 1;
}

void TacDialogWnd::WMNCActivate(TMessage& Message)
{
    SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
    Previous(Message);
    FFormActive = LOWORD(Message.WParam) != 0;
    SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
    SkinData->BGChanged = true;
    InvalidateRect(CtrlHandle, nullptr, FALSE);
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TacDialogWnd::WMSize(TMessage& Message)
{
    SkinData->BGChanged = true;
    RgnChanged = true;
    Previous(Message);
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

void TacDialogWnd::WMNCHitTest(TMessage& Message)
{
    Message.Result = HTProcess(Message.Result);
    if (Message.Result == HTNOWHERE || Message.Result == HTCAPTION) {
        Previous(Message);
        SetHotHT(0, true);
    }
}

void TacDialogWnd::WMNCLButtonDown(TMessage& Message)
{
    const int code = int(Message.WParam);
    // Outside the button row the system's own answer stands, so the title's rows above and below the
    // buttons still move the dialog.
    const int hit = code >= HTLEFT && code <= HTBOTTOMRIGHT ? code : HTProcess(code);
    switch (hit) {
    case HTSYSMENU:
        SetHotHT(0, true);
        DropSysMenu(WndRect.left + SysBorderWidth(CtrlHandle, nullptr, true),
                    WndRect.top + BorderHeight() + vcl::Seams().SystemMetrics(SM_CYSMICON));
        return;
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP: SetPressedHT(hit); return;
    default: break;
    }
    if (IsIconic(CtrlHandle)) {
        SysCommand(0xF012);
        return;
    }
    SetHotHT(0, true);
    if (IsZoomed(CtrlHandle) && hit == HTCAPTION) {
        if (GetActiveWindow() != CtrlHandle)
            SetFocus(CtrlHandle);
        return;
    }
    Message.WParam = WPARAM(hit);
    Previous(Message);
}

void TacDialogWnd::WMLButtonUp(TMessage& Message)
{
    const bool pressed = TitleBtnPressed;
    switch (Message.WParam) {
    case HTCLOSE:
        if (pressed) {
            ButtonClose.State = 0;
            SetHotHT(0, true);
            SysCommand(SC_CLOSE);
            if (IsWindow(CtrlHandle) && IsWindowVisible(CtrlHandle))
                SetHotHT(0, true);
        }
        break;
    case HTMAXBUTTON:
        if (!IsIconic(CtrlHandle) || EnabledMax()) {
            SetHotHT(0, true);
            if (pressed) {
                SysCommand(IsZoomed(CtrlHandle) ? SC_RESTORE : SC_MAXIMIZE);
                SystemMenu->UpdateItems();
            }
        }
        break;
    case HTMINBUTTON: {
        const TPoint cursor = vcl::Seams().CursorPos();
        if (!pressed) {
            SetHotHT(0, true);
        } else if (ButtonMin.Rect.Contains(CursorToPoint(cursor.x, cursor.y))) {
            SetHotHT(0, true);
            SysCommand(IsIconic(CtrlHandle) ? SC_RESTORE : SC_MINIMIZE);
        } else {
            Previous(Message);
        }
        break;
    }
    case HTHELP:
        SetHotHT(0, true);
        if (pressed) {
            SysCommand(SC_CONTEXTHELP);
            SystemMenu->UpdateItems();
            SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
        }
        break;
    default: Previous(Message); break;
    }
    Message.WParam = 0;
}

void TacDialogWnd::WMNCLButtonDblClk(TMessage& Message)
{
    if (Message.WParam == HTCAPTION && (EnabledMax() || EnabledRestore())) {
        SysCommand(IsZoomed(CtrlHandle) || IsIconic(CtrlHandle) ? SC_RESTORE : SC_MAXIMIZE);
        SystemMenu->UpdateItems();
        Message.WParam = 0;
    } else if (Message.WParam == HTSYSMENU) {
        SysCommand(SC_CLOSE);
    }
}

void TacDialogWnd::WMNCRButtonUp(TMessage& Message)
{
    if (Message.WParam != HTCAPTION && Message.WParam != HTSYSMENU)
        return;
    SetHotHT(0, true);
    DropSysMenu(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
}

void TacDialogWnd::WMCtlColorDlg(TMessage& Message)
{
    const vcl::TColor colour = DefaultManager ? DefaultManager->GetGlobalColor() : vcl::clBtnFace;
    if (!FBrush || colour != FBrushColor) {
        if (FBrush)
            DeleteObject(FBrush);
        FBrush = CreateSolidBrush(vcl::ColorToRGB(colour));
        FBrushColor = colour;
    }
    Message.Result = reinterpret_cast<LRESULT>(FBrush);
}

}  // namespace skin
