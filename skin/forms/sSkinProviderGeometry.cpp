// The sizes and places of a skinned form's frame: the system's frame sizes through the system
// seams, the skin's placement options, and the provider's measures built on them.
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/Acntutils.h"
#include "vcl/menus.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TBorderIcon;
using vcl::TFormBorderStyle;
using vcl::TRect;

namespace {

TSysFrameMetrics ReadSysFrameMetrics()
{
    const auto& metric = vcl::Seams().SystemMetrics;
    return {metric(SM_CXFRAME), metric(SM_CXDLGFRAME), metric(SM_CYCAPTION), metric(SM_CYSMCAPTION),
            metric(SM_CYMENU)};
}

LONG_PTR WindowStyle(HWND Handle) { return Handle ? GetWindowLongPtrW(Handle, GWL_STYLE) : 0; }

// The style bits the border's width depends on.
TFrameStyle BorderStyleOf(HWND Handle)
{
    const LONG_PTR style = WindowStyle(Handle);
    TFrameStyle frame;
    frame.ThickFrame = (style & WS_THICKFRAME) != 0;
    frame.Border = (style & WS_BORDER) != 0;
    return frame;
}

bool ToolWindowStyle(TFormBorderStyle Style)
{
    return Style == TFormBorderStyle::bsToolWindow || Style == TFormBorderStyle::bsSizeToolWin;
}

vcl::TSize ImageSize(const TsMaskData& Mask) { return vcl::TSize(WidthOfImage(Mask), HeightOfImage(Mask)); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Frame sizes of windows

int SysBorderWidth(HWND Handle, const TacBorderGeometry* BorderForm, bool CheckSkin)
{
    return skin::SysBorderWidth(BorderStyleOf(Handle), ReadSysFrameMetrics(),
                                CheckSkin ? SkinBorderWidth(BorderForm) : 0);
}

int SysBorderHeight(HWND Handle, const TacBorderGeometry* BorderForm, bool CheckSkin)
{
    return BorderForm ? 0 : SysBorderWidth(Handle, nullptr, CheckSkin);
}

int SysCaptHeight(vcl::TCustomForm* Form)
{
    TFrameStyle style;
    style.ToolWindow = Form && ToolWindowStyle(Form->BorderStyle());
    style.Iconic = Form && Form->HandleAllocated() && IsIconic(Form->Handle());
    return skin::SysCaptHeight(style, ReadSysFrameMetrics());
}

int SkinTitleHeight(const TacBorderGeometry* BorderForm) { return BorderForm ? BorderForm->SkinTitleHeight() : 0; }

int SkinBorderWidth(const TacBorderGeometry* BorderForm) { return BorderForm ? BorderForm->SkinBorderWidth() : 0; }

int DiffTitle(const TacBorderGeometry* BorderForm)
{
    if (!BorderForm)
        return 0;
    return BorderForm->CaptionHeight(true) - BorderForm->CaptionHeight(false) -
           SysBorderWidth(BorderForm->OwnerHandle(), BorderForm, false);
}

int DiffBorder(const TacBorderGeometry* BorderForm)
{
    if (!BorderForm)
        return 0;
    const HWND owner = BorderForm->OwnerHandle();
    return SysBorderWidth(owner, BorderForm, true) - SysBorderWidth(owner, BorderForm, false);
}

bool HaveBorder(TsSkinProvider* Provider)
{
    vcl::TCustomForm* form = Provider->Form;
    if (form->BorderStyle() != TFormBorderStyle::bsNone || form->FormStyle() == vcl::TFormStyle::fsMDIChild)
        return true;
    return form->HandleAllocated() && (WindowStyle(form->Handle()) & WS_CHILD) != 0;
}

bool BigButtons(TsSkinProvider* Provider)
{
    const TFormBorderStyle style = Provider->Form->BorderStyle();
    return style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsSizeable;
}

bool IsBorderUnchanged(int MaskIndex, TsSkinManager* Manager)
{
    return MaskIndex < 0 || (Manager->IsValidImgIndex(MaskIndex) && Manager->ma[size_t(MaskIndex)].ImageCount == 1);
}

bool IsGripVisible(TsSkinProvider* Provider)
{
    const HWND handle = Provider->Form->HandleAllocated() ? Provider->Form->Handle() : nullptr;
    return Provider->GripMode() == TsGripMode::gmRightBottom && handle && !IsZoomed(handle) &&
           (WindowStyle(handle) & WS_THICKFRAME) != 0;
}

vcl::TRect WindowRectOf(HWND Wnd)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    return vcl::TRect(r);
}

int GetWindowWidth(HWND Handle)
{
    RECT r{};
    GetWindowRect(Handle, &r);
    return r.right - r.left;
}

int GetWindowHeight(HWND Handle)
{
    RECT r{};
    GetWindowRect(Handle, &r);
    return r.bottom - r.top;
}

int GetClientWidth(HWND Handle)
{
    RECT r{};
    GetClientRect(Handle, &r);
    return r.right - r.left;
}

int GetClientHeight(HWND Handle)
{
    RECT r{};
    GetClientRect(Handle, &r);
    return r.bottom - r.top;
}

bool AeroIsEnabled() { return acCompositionEnabled(); }

HRESULT DwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Value, DWORD Size)
{
    return vcl::Seams().DwmSetWindowAttribute(Wnd, Attribute, Value, Size);
}

void DwmInvalidateIconicBitmaps(HWND Wnd)
{
    if (SystemVersion().dwMajorVersion >= 6)
        vcl::Seams().DwmInvalidateIconicBitmaps(Wnd);
}

void InitDwm(HWND Handle, bool Disable, bool /*Extra*/)
{
    constexpr DWORD NonClientRenderingPolicy = 3;
    if (!AeroIsEnabled())
        return;
    const DWORD policy = Disable ? 1 : 0;
    DwmSetWindowAttribute(Handle, NonClientRenderingPolicy, &policy, sizeof(policy));
}

// ---------------------------------------------------------------------------------------------
// The provider's measures

TFrameStyle TsSkinProvider::FrameStyle()
{
    const HWND handle = Form->HandleAllocated() ? Form->Handle() : nullptr;
    TFrameStyle style = BorderStyleOf(handle);
    style.Caption = (WindowStyle(handle) & WS_CAPTION) == WS_CAPTION;
    style.HaveBorder = HaveBorder(this);
    style.ToolWindow = ToolWindowStyle(Form->BorderStyle());
    style.Iconic = handle && IsIconic(handle);
    return style;
}

int TsSkinProvider::CaptionHeight(bool CheckSkin)
{
    return skin::CaptionHeight(FrameStyle(), ReadSysFrameMetrics(), CheckSkin ? SkinTitleHeight(BorderForm.get()) : 0,
                               FSysExHeight);
}

vcl::TRect TsSkinProvider::ShadowSize()
{
    return BorderForm && Manager() ? Manager()->FormShadowSize : TRect();
}

int TsSkinProvider::CaptionWidth()
{
    const TRect shadow = ShadowSize();
    const bool iconic = Form->HandleAllocated() && IsIconic(Form->Handle()) &&
                        !(vcl::Application && Form == vcl::Application->MainForm());
    const int width = iconic ? GetWindowWidth(Form->Handle()) : Form->Width() + 2 * DiffBorder(BorderForm.get());
    return width + shadow.left + shadow.right;
}

int TsSkinProvider::MenuHeight()
{
    vcl::TMainMenu* menu = Form->Menu();
    if (!menu || menu->AutoMerge() || menu->Items()->Count() == 0 ||
        Form->FormStyle() == vcl::TFormStyle::fsMDIChild || Form->BorderStyle() == TFormBorderStyle::bsDialog)
        return 0;
    return vcl::Seams().SystemMetrics(SM_CYMENU) - 1;
}

bool TsSkinProvider::MenuPresent()
{
    vcl::TMainMenu* menu = Form->Menu();
    if (!menu || menu->AutoMerge() || Form->BorderStyle() == TFormBorderStyle::bsDialog ||
        Form->FormStyle() == vcl::TFormStyle::fsMDIChild)
        return false;
    const auto anyVisible = [](const vcl::TMainMenu* Menu) {
        for (int i = 0; i < Menu->Items()->Count(); ++i)
            if (Menu->Items()->Items(i)->Visible())
                return true;
        return false;
    };
    if (anyVisible(menu))
        return true;
    // An MDI form's bar also shows its active child's menu.
    vcl::TCustomForm* child = Form->FormStyle() == vcl::TFormStyle::fsMDIForm ? Form->ActiveMDIChild() : nullptr;
    return child && child->Menu() && anyVisible(child->Menu());
}

int TsSkinProvider::GetLinesCount()
{
    if (FLinesCount != -1)
        return FLinesCount;
    if (!Form->Menu() || !Form->HandleAllocated() || IsIconic(Form->Handle()))
        return 0;
    const HWND handle = Form->Handle();
    RECT item{};
    if (!GetMenuItemRect(handle, GetMenu(handle), 0, &item))
        return 0;
    const int clientTop = Form->Top() + Form->Height() - GetClientHeight(handle) - BorderHeight(false) -
                          HorzScrollHeight() - 2 * Form->BorderWidth();
    FLinesCount = MenuLinesCount(item.bottom, clientTop, vcl::Seams().SystemMetrics(SM_CYMENU));
    return FLinesCount;
}

int TsSkinProvider::HeaderHeight()
{
    const HWND handle = Form->Handle();
    int height = 0;
    if (BorderForm)
        height = SysBorderHeight(handle, BorderForm.get(), false) + CaptionHeight(true);
    else if (CaptionHeight(true) != 0)
        height = GetWindowHeight(handle) - GetClientHeight(handle) - BorderHeight(true);
    else
        height = GetWindowHeight(handle) - GetClientHeight(handle) -
                 ((WindowStyle(handle) & WS_BORDER) ? BorderHeight(true) : 0);
    height = std::max(height, 0);
    if (IsIconic(handle))
        height += SysBorderHeight(handle, BorderForm.get(), false);
    // The horizontal scroll bar lies below the client area.
    return height - HorzScrollHeight();
}

int TsSkinProvider::OffsetX()
{
    if (BorderForm)
        return BorderWidth(true) + ShadowSize().left;
    const HWND handle = Form->Handle();
    return (GetWindowWidth(handle) - GetClientWidth(handle) - VertScrollWidth()) / 2;
}

int TsSkinProvider::OffsetY()
{
    if (BorderForm) {
        const int menu = MenuHeight();
        return CaptionHeight(true) + GetLinesCount() * menu + Form->BorderWidth() + ShadowSize().top + (menu ? 1 : 0);
    }
    const HWND handle = Form->Handle();
    return GetWindowHeight(handle) - GetClientHeight(handle) -
           ((WindowStyle(handle) & WS_BORDER) ? BorderWidth(true) : 0) - HorzScrollHeight();
}

int TsSkinProvider::HorzScrollHeight() const { return ListSW ? ListSW->HorzBarHeight() : 0; }

int TsSkinProvider::VertScrollWidth() const { return ListSW ? ListSW->VertBarWidth() : 0; }

bool TsSkinProvider::IconVisible()
{
    return BigButtons(this) && FShowAppIcon && Form->HandleAllocated() &&
           GetSystemMenu(Form->Handle(), FALSE) != nullptr;
}

int TsSkinProvider::IconWidth()
{
    if (!IconVisible())
        return 0;
    return FTitleIcon->Width() ? FTitleIcon->Width() : IconSizeForHeight(CaptionHeight(true));
}

int TsSkinProvider::IconHeight()
{
    if (!IconVisible())
        return 0;
    return FTitleIcon->Height() ? FTitleIcon->Height() : IconSizeForHeight(CaptionHeight(true));
}

vcl::TRect TsSkinProvider::IconRect() { return skin::IconRect(FrameLayout(), vcl::TSize(IconWidth(), IconHeight())); }

vcl::TPoint TsSkinProvider::RBGripPoint(int MaskIndex)
{
    const TsMaskData* mask = ButtonMask(MaskIndex);
    return skin::RBGripPoint(FrameLayout(), mask ? ImageSize(*mask) : vcl::TSize());
}

vcl::TPoint TsSkinProvider::FormLeftTop()
{
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    return vcl::TPoint(r.left, r.top);
}

vcl::TPoint TsSkinProvider::CursorToPoint(int X, int Y)
{
    const vcl::TPoint origin = FormLeftTop();
    return vcl::TPoint(X - origin.x, Y - origin.y);
}

vcl::TColor TsSkinProvider::FormColor()
{
    if (FCommonData->Skinned() && !FCommonData->CustomColor()) {
        const TsGeneralData& section = FCommonData->Section();
        return FormActive && section.States > 1 ? section.HotColor : section.Color;
    }
    return vcl::TColor(vcl::ColorToRGB(Form->Color()));
}

vcl::String TsSkinProvider::TitleSkinSection() { return FTitleSkin.empty() ? vcl::String(L"FORMTITLE") : FTitleSkin; }

int TsSkinProvider::TitleSkinIndex()
{
    if (FTitleSkinIndex == -1 && Manager())
        FTitleSkinIndex = Manager()->GetSkinIndex(TitleSkinSection());
    return FTitleSkinIndex;
}

int TsSkinProvider::MaxTitleShift() { return skin::MaxTitleShift(FrameLayout()); }

int TsSkinProvider::UserButtonWidth(TsTitleButton* Btn)
{
    const TsMaskData* mask = ButtonMask(UserBtnIndex);
    const int image = mask && mask->ImageCount > 0 ? mask->R.Width() / mask->ImageCount : 21;
    const int glyph = Btn->Glyph()->Empty() ? 0 : Btn->Glyph()->Width() + 2;
    return std::max(image, glyph);
}

int TsSkinProvider::TitleBtnsWidth() { return TitleButtonsWidth(FrameLayout(), TitleButtonRow()); }

void TsSkinProvider::UpdateIconsIndexes()
{
    TsSkinManager* manager = Manager();
    if (!manager || !manager->IsValidSkinIndex(manager->ConstData.IndexGLobalInfo))
        return;
    const auto image = [manager](const wchar_t* Name) {
        return manager->GetMaskIndex(manager->ConstData.IndexGLobalInfo, L"GLOBALINFO", Name);
    };
    const auto choose = [&](TsCaptionButton& Btn, const wchar_t* Name, bool Alignment) {
        Btn.ImageIndex = image(Name);
        Btn.HaveAlignment = Alignment;
    };
    ButtonMin.HitCode = HTMINBUTTON;
    ButtonMax.HitCode = HTMAXBUTTON;
    ButtonClose.HitCode = HTCLOSE;
    if (BigButtons(this)) {
        choose(ButtonMin, L"BICONMIN", true);
        choose(ButtonMax, L"BICONMAX", true);
        const bool alone = !SystemMenu || !(SystemMenu->VisibleMax() || SystemMenu->VisibleMin());
        const int closeAlone = image(L"BICLOSEALONE");
        choose(ButtonClose, alone && closeAlone >= 0 ? L"BICLOSEALONE" : L"BICONCLOSE", true);
        choose(ButtonHelp, L"BICONHELP", false);
    } else {
        choose(ButtonClose, L"SICONCLOSE", false);
        choose(ButtonMin, L"SICONMIN", false);
        choose(ButtonMax, L"SICONMAX", false);
        choose(ButtonHelp, image(L"SICONHELP") >= 0 ? L"SICONHELP" : L"BICONHELP", false);
    }
    const bool bigSet = ButtonClose.ImageIndex < 0;
    if (bigSet) {
        choose(ButtonClose, L"BICONCLOSE", true);
        choose(ButtonMin, L"BICONMIN", true);
        choose(ButtonMax, L"BICONMAX", true);
        choose(ButtonHelp, L"BICONHELP", true);
    }
    UserBtnIndex = image(L"TITLEBUTTON");
    UpdateMDIIconsIndexes(bigSet);
}

// ---------------------------------------------------------------------------------------------
// The layout record

TFrameLayout TsSkinProvider::FrameLayout()
{
    const HWND handle = Form->HandleAllocated() ? Form->Handle() : nullptr;
    const TacBorderGeometry* border = BorderForm.get();
    TFrameLayout layout;
    layout.Width = CaptionWidth();
    layout.Height = FCommonData->FCacheBmp ? FCommonData->FCacheBmp->Height() : Form->Height();
    layout.BorderWidth = SysBorderWidth(handle, border, true);
    layout.BorderHeight = SysBorderHeight(handle, border, true);
    layout.SysBorderWidth = SysBorderWidth(handle, border, false);
    layout.SysBorderHeight = SysBorderHeight(handle, border, false);
    layout.CaptionHeight = CaptionHeight(true);
    layout.Shadow = ShadowSize();
    layout.ButtonHeight = ButtonHeight();
    layout.BigButtons = BigButtons(this);
    layout.Zoomed = handle && IsZoomed(handle);
    if (const TsSkinManager* manager = Manager(); manager && manager->SkinData) {
        const TsSkinData& skin = *manager->SkinData;
        layout.LeftMargin = skin.BILeftMargin;
        layout.RightMargin = skin.BIRightMargin;
        layout.TopMargin = skin.BITopMargin;
        layout.Spacing = skin.BISpacing;
        layout.VAlign = skin.BIVAlign;
        layout.ExCenterOffs = skin.ExCenterOffs;
        layout.ExTitleHeight = skin.ExTitleHeight;
        layout.ExMaxHeight = skin.ExMaxHeight;
        layout.ExDrawMode = skin.ExDrawMode;
    }
    layout.Extended = border != nullptr;
    layout.SysCaptHeight = skin::SysCaptHeight(Form);
    layout.SysExHeight = FSysExHeight;
    layout.DiffTitle = DiffTitle(border);
    layout.BorderFormOffsetY = border ? border->OffsetY() : 0;
    layout.Composition = AeroIsEnabled();
    return layout;
}

TTitleButtonRow TsSkinProvider::TitleButtonRow()
{
    TTitleButtonRow row;
    row.SysButtons = SystemMenu && HaveSysMenu;
    const auto slot = [this](const TsCaptionButton& Btn, bool Counted, bool Placed) {
        return TTitleButtonSlot{Counted, Placed, SysButtonWidth(Btn), Btn.HaveAlignment};
    };
    if (row.SysButtons) {
        const bool max = SystemMenu->VisibleMax();
        const bool min = SystemMenu->VisibleMin();
        const bool help = Form->BorderIcons().Contains(TBorderIcon::biHelp);
        row.Close = slot(ButtonClose, true, ButtonMask(ButtonClose.ImageIndex) != nullptr);
        row.Max = slot(ButtonMax, max, max && ButtonMask(ButtonMax.ImageIndex));
        row.Min = slot(ButtonMin, min, min);
        row.Help = slot(ButtonHelp, help, help && ButtonMask(ButtonHelp.ImageIndex));
    }
    for (int i = 0; i < FTitleButtons->Count(); ++i) {
        TsTitleButton* button = FTitleButtons->Items(i);
        row.User.push_back({true, button->Visible(), UserButtonWidth(button), button->BtnData.HaveAlignment});
    }
    return row;
}

}  // namespace skin
