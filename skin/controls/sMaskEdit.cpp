#include "skin/controls/sMaskEdit.h"

#include "vcl/properties.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;

namespace {

// The system's frame of an edit with a border: the width the graphic children lie inside.
constexpr int SystemFrameWidth = 2;

}  // namespace

TsMaskEdit::TsMaskEdit(vcl::TComponent* AOwner) : TsEditControl(AOwner, ckEdit)
{
    vcl::TControlStyle style = ControlStyle();
    SetControlStyle(style >> vcl::TControlStyleItem::csSetCaption);
    if (SkinData()->SkinSection().empty())
        SkinData()->SetSkinSection(L"EDIT");
}

void TsMaskEdit::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsMaskEdit::SkinData, &TsMaskEdit::SetSkinData);
    Table.Add(L"DisabledKind", &TsMaskEdit::DisabledKind, &TsMaskEdit::SetDisabledKind, {L"dkBlended", L"dkGrayed"});
}

int TsMaskEdit::BorderWidth() const { return BorderStyle() == vcl::TBorderStyle::bsNone ? 0 : (Ctl3D() ? 1 : 0) + 2; }

bool TsMaskEdit::IsActive() { return Focused(); }

void TsMaskEdit::Change()
{
    if (!ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        inherited::Change();
}

// ---------------------------------------------------------------------------------------------
// Rendering

void TsMaskEdit::PrepareCache()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    if (!data.Skinned()) {
        vcl::TCanvas* cache = data.FCacheBmp->Canvas();
        {
            const TCanvasLock lock(cache);
            FillDC(cache->Handle(), TRect(0, 0, Width(), Height()), Color());
        }
        PaintText();
        return;
    }
    const TCacheInfo beneath = GetParentCache(data);
    PaintFace(beneath, BorderStyle() == vcl::TBorderStyle::bsSingle && IsActive() ? 1 : 0);
    PaintText();
    PaintDisabledLook(beneath);
    data.BGChanged = false;
}

void TsMaskEdit::PaintText()
{
    const vcl::String text = EditText();
    if (text.empty())
        return;
    vcl::TCanvas* canvas = SkinData()->FCacheBmp->Canvas();
    const TCanvasLock lock(canvas);
    canvas->SetFont(Font());
    const int w = BorderWidth();
    TRect r(w, w, Width() - w, w + acTextHeight(canvas, text) + 2);
    UINT flags = UINT(GetStringFlags(this, Alignment())) | DT_NOPREFIX;
    if (!PasswordChar())
        flags |= DT_EXTERNALLEADING;
    const vcl::String shown = PasswordChar() ? vcl::String(text.size(), PasswordChar()) : text;
    acWriteTextEx(canvas, shown, true, r, flags, *SkinData(), IsActive());
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsMaskEdit::OurPaintHandler(HDC DC)
{
    TsEditControl::OurPaintHandler(DC, [this](HDC Target) { CopyCache(Target); });
}

void TsMaskEdit::CopyCache(HDC DC)
{
    TsCommonData& data = *SkinData();
    if (data.BGChanged)
        PrepareCache();
    UpdateCorners(data, 0);
    ExcludeChildren(DC, BorderWidth() - 1);
    const TRect whole(0, 0, Width(), Height());
    CopyWinControlCache(this, data, whole, whole, DC, false, 0, 0);
    if (ControlCount() > 0) {
        const int b = BorderStyle() == vcl::TBorderStyle::bsSingle ? (Ctl3D() ? 1 : 0) + 1 : 0;
        skin::PaintControls(DC, this, vcl::TPoint(b, b));
    }
}

void TsMaskEdit::PaintBorder(HDC DC)
{
    const vcl::TWinControl* parent = Parent();
    if (!parent || !Visible() || !parent->Visible() || ControlState().Contains(vcl::TControlStateItem::csCreating) ||
        BorderStyle() == vcl::TBorderStyle::bsNone || SkinData()->FUpdating)
        return;
    const TWindowPaint window(Handle(), DC, false);
    const vcl::TSavedDC saved(window.DC);
    CopyBorder(window.DC, SystemFrameWidth);
}

bool TsMaskEdit::HasGraphicChildren() const
{
    for (int i = 0; i < ControlCount(); ++i)
        if (!dynamic_cast<vcl::TWinControl*>(Controls(i)))
            return true;
    return false;
}

void TsMaskEdit::PaintGraphicChildren()
{
    const TWindowPaint window(Handle(), nullptr, true);
    PrepareCache();
    const int b = BorderStyle() == vcl::TBorderStyle::bsSingle ? SystemFrameWidth : 0;
    vcl::TCanvas* cache = SkinData()->FCacheBmp->Canvas();
    const TCanvasLock lock(cache);
    const HDC cacheDC = cache->Handle();
    for (int i = 0; i < ControlCount(); ++i) {
        vcl::TControl* child = Controls(i);
        if (dynamic_cast<vcl::TWinControl*>(child))
            continue;
        const vcl::TSavedDC saved(cacheDC);
        SetWindowOrgEx(cacheDC, -(child->Left() + b), -(child->Top() + b), nullptr);
        child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(cacheDC), 0);
    }
    BitBlt(window.DC, b, b, Width() - 2 * b, Height() - 2 * b, cacheDC, b, b, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsMaskEdit::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Cmd) {
    case scmdRepaint:
        if (Message.LParam != reinterpret_cast<LPARAM>(data.SkinManager()))
            break;
        CommonWndProc(Message, &data);
        if (HandleAllocated())
            SendMessageW(Handle(), WM_NCPAINT, 0, 0);
        Repaint();
        return true;
    case scmdParentUpdated:
        if (!data.GetUpdating())
            break;
        data.SetUpdating(false);
        if (HandleAllocated()) {
            InvalidateRect(Handle(), nullptr, TRUE);
            SendMessageW(Handle(), WM_NCPAINT, 0, 0);
        }
        return true;
    default: break;
    }
    return inherited::EarlySkinCommand(Cmd, Message);
}

void TsMaskEdit::UnskinnedMessage(TMessage& Message)
{
    if (Message.Msg == WM_PAINT && !Focused() && HasGraphicChildren())
        PaintGraphicChildren();
    else
        InheritedWndProc(Message);
}

bool TsMaskEdit::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Message.Msg) {
    case WM_SETTEXT:
        if (ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
            data.BGChanged = true;
        return false;
    case WM_PAINT:
        if (Focused()) {
            InheritedWndProc(Message);
            PaintBorder(nullptr);
        } else {
            OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
        }
        return true;
    case WM_ERASEBKGND:
    case vcl::CN_DRAWITEM:
        if (!InAnimationProcess) {
            data.FUpdating = data.GetUpdating();
            if (!data.FUpdating)
                InheritedWndProc(Message);
        }
        return true;
    case WM_NCPAINT:
        if (!InAnimationProcess && !data.FUpdating)
            PaintBorder(nullptr);
        return true;
    case WM_PRINT: WMPrint(Message); return true;
    case vcl::CM_COLORCHANGED:
    case vcl::CM_CHANGED: data.BGChanged = true; return false;
    default: return inherited::SkinnedMessage(Message);
    }
}

void TsMaskEdit::WMPrint(TMessage& Message)
{
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    SkinData()->SetUpdating(false);
    OurPaintHandler(dc);
    CopyBorder(dc, BorderWidth());
}

void TsMaskEdit::AfterInherited(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS: Invalidate(); break;
    case WM_SETFONT:
    case vcl::CM_VISIBLECHANGED:
    case vcl::CM_ENABLEDCHANGED: SkinData()->Invalidate(); break;
    default: break;
    }
}

}  // namespace skin
