#include "skin/controls/sEdit.h"

#include "vcl/properties.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;

namespace {

constexpr wchar_t BlackCircle = L'\x25CF';

// The width of the system's frame of an edit with a border: 2 pixels with Ctl3D, 1 without.
int SystemFrame(const TEditFrame& Frame) { return Frame.Ctl3D ? 2 : 1; }

}  // namespace

TEditBorderWidths EditBorderWidths(const TEditFrame& Frame)
{
    if (!Frame.Border)
        return {Frame.Bevels, 0, -1};
    const int frame = SystemFrame(Frame);
    return {frame, frame, frame};
}

TRect EditTextRect(const TEditFrame& Frame, int Width, int Height)
{
    if (!Frame.Border)
        return TRect(0, 0, Width, Height);
    const int a = SystemFrame(Frame) + (Frame.BevelKind ? Frame.Bevels : 0);
    return TRect(a + 1, a + 1, Width - a - 1, Height - a);
}

vcl::String EditShownText(const vcl::String& Text, wchar_t PasswordChar)
{
    if (!PasswordChar)
        return Text;
    return vcl::String(Text.size(), PasswordChar == L'*' ? BlackCircle : PasswordChar);
}

TEditFrame FrameOf(const vcl::TCustomEdit& Edit)
{
    using vcl::TBevelCut;
    return {Edit.BorderStyle() == vcl::TBorderStyle::bsSingle, Edit.Ctl3D(),
            (Edit.BevelInner() != TBevelCut::bvNone) + (Edit.BevelOuter() != TBevelCut::bvNone),
            Edit.BevelKind() != vcl::TBevelKind::bkNone};
}

// ---------------------------------------------------------------------------------------------
// TsEdit

TsEdit::TsEdit(vcl::TComponent* AOwner) : TsEditControl(AOwner, ckEdit) {}

void TsEdit::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsEdit::SkinData, &TsEdit::SetSkinData);
    Table.Add(L"DisabledKind", &TsEdit::DisabledKind, &TsEdit::SetDisabledKind, {L"dkBlended", L"dkGrayed"});
}

// ---------------------------------------------------------------------------------------------
// Rendering

void TsEdit::PrepareCache()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    const TCacheInfo beneath = GetParentCache(data);
    PaintFace(beneath, ControlIsActive(data) ? 1 : 0);
    PaintText();
    PaintDisabledLook(beneath);
    data.BGChanged = false;
}

void TsEdit::PaintText()
{
    TsCommonData& data = *SkinData();
    vcl::TCanvas* canvas = data.FCacheBmp->Canvas();
    const TCanvasLock lock(canvas);
    canvas->SetFont(Font());
    TRect r = EditTextRect(FrameOf(*this), Width(), Height());
    const UINT flags = (UINT(GetStringFlags(this, Alignment())) & ~UINT(DT_VCENTER)) | DT_SINGLELINE | DT_NOPREFIX;
    if (const vcl::String text = Text(); !text.empty()) {
        acWriteTextEx(canvas, EditShownText(text, PasswordChar()), true, r, flags, data, ControlIsActive(data));
    } else if (!TextHint().empty()) {
        canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
        canvas->Font()->SetColor(vcl::clInactiveCaptionText);
        canvas->TextRect(r, TextHint(), flags);
    }
}

std::optional<int> TsEdit::CachedTextInset() const { return EditTextRect(FrameOf(*this), Width(), Height()).left; }

// ---------------------------------------------------------------------------------------------
// Painting

void TsEdit::CopyCache(HDC DC)
{
    TsCommonData& data = *SkinData();
    if (data.BGChanged && !data.UrgentPainting)
        PrepareCache();
    UpdateCorners(data, 0);
    ExcludeChildren(DC, EditBorderWidths(FrameOf(*this)).ChildShift);
    vcl::TCanvas* cache = data.FCacheBmp->Canvas();
    const TCanvasLock lock(cache);
    BitBlt(DC, 0, 0, Width(), Height(), cache->Handle(), 0, 0, SRCCOPY);
}

void TsEdit::OurPaintHandler(HDC DC)
{
    TsEditControl::OurPaintHandler(DC, [this](HDC Target) { CopyCache(Target); });
}

void TsEdit::PaintBorder()
{
    TsCommonData& data = *SkinData();
    if (InAnimationProcess)
        return;
    data.FUpdating = data.GetUpdating();
    if (data.FUpdating)
        return;
    const TWindowPaint window(Handle(), nullptr, false);
    const vcl::TSavedDC saved(window.DC);
    CopyBorder(window.DC, EditBorderWidths(FrameOf(*this)).NcPaint);
}

void TsEdit::RepaintWithBorder()
{
    Repaint();
    SendMessageW(Handle(), WM_NCPAINT, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsEdit::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Cmd) {
    case scmdRepaint:
        if (!InAnimationProcess || Message.LParam != reinterpret_cast<LPARAM>(data.SkinManager()))
            break;
        CommonWndProc(Message, &data);  // no repaint while an animation takes its pictures
        return true;
    case scmdQueryTextured: Message.LParam = 0; return true;
    case scmdQueryColor:
        if (data.Skinned())
            break;
        Message.Result = LRESULT(vcl::ColorToRGB(Color()));
        return true;
    default: break;
    }
    return inherited::EarlySkinCommand(Cmd, Message);
}

bool TsEdit::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    if (SkinCommandOf(Message) == scmdParentUpdated) {
        if (data.GetUpdating()) {
            data.SetUpdating(false);
            RepaintWithBorder();
        }
        return true;
    }
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return true;
    case WM_ERASEBKGND:
    case vcl::CN_DRAWITEM:
        if (!InAnimationProcess && !data.FUpdating && Enabled())
            InheritedWndProc(Message);
        return true;
    case WM_NCPAINT: PaintBorder(); return true;
    case WM_PRINT: WMPrint(Message); return true;
    case vcl::CM_COLORCHANGED:
        if (data.CustomColor())
            data.BGChanged = true;
        return false;
    default: return false;
    }
}

// The system's edit paints its text and caret while the edit is active; else the cache shows.
void TsEdit::WMPaint(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    data.FUpdating = data.GetUpdating();
    if (InAnimationProcess || data.FUpdating) {
        PAINTSTRUCT ps;
        BeginPaint(Handle(), &ps);
        EndPaint(Handle(), &ps);
    } else if (Enabled() && ControlIsActive(data)) {
        InheritedWndProc(Message);
    } else {
        OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
    }
}

// The border and the inactive face from the cache, then the system's edit prints its client area
// inside the border.
void TsEdit::WMPrint(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    data.SetUpdating(false);
    PrepareCache();
    const int bw = EditBorderWidths(FrameOf(*this)).Print;
    CopyBorder(dc, bw);
    OurPaintHandler(dc);
    const vcl::TSavedDC saved(dc);
    OffsetWindowOrgEx(dc, -bw, -bw, nullptr);
    IntersectClipRect(dc, 0, 0, data.FCacheBmp->Width() - 2 * bw, data.FCacheBmp->Height() - 2 * bw);
    if (!CommonWndProc(Message, &data))
        InheritedWndProc(Message);
}

void TsEdit::AfterInherited(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Message.Msg) {
    case WM_SIZE: SendMessageW(Handle(), WM_NCPAINT, 0, 0); break;
    case WM_KILLFOCUS:
    case vcl::CM_EXIT:
        data.FFocused = false;
        data.FMouseAbove = false;
        data.BGChanged = true;
        if (Visible())
            Repaint();
        break;
    case WM_SETTEXT:
    case WM_SETFONT:
    case vcl::CM_VISIBLECHANGED:
    case vcl::CM_ENABLEDCHANGED:
    case vcl::CM_TEXTCHANGED:
        if (!ComponentState().Contains(vcl::TComponentStateItem::csLoading) && !InAnimationProcess) {
            data.BGChanged = true;
            RepaintWithBorder();
        }
        break;
    default: break;
    }
}

}  // namespace skin
