#include "skin/controls/sStatusBar.h"

#include <commctrl.h>

#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;

namespace {

constexpr int GripWidth = 18;

// R without Width pixels on every side.
TRect Deflated(TRect R, int Width)
{
    R.Inflate(-Width, -Width);
    return R;
}

// Where a panel drawn in R writes its text.
TRect TextRectIn(const TRect& R)
{
    TRect r = Deflated(R, 1);
    r.bottom -= 1;
    r.left += 2;
    r.right -= 4;
    return r;
}

bool Simple(const vcl::TStatusBar& Bar) { return Bar.SimplePanel() || Bar.Panels()->Count() == 0; }

}  // namespace

TsStatusBar::TsStatusBar(vcl::TComponent* AOwner) : TsSkinnedControl(AOwner, ckStatusBar)
{
    vcl::TControlStyle style = ControlStyle();
    SetControlStyle(style << vcl::TControlStyleItem::csAcceptsControls << vcl::TControlStyleItem::csOpaque);
}

void TsStatusBar::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsStatusBar::SkinData, &TsStatusBar::SetSkinData);
}

int TsStatusBar::PanelOffset(int Index) const
{
    int offset = 0;
    for (int i = 0; i < Index && i < Panels()->Count(); ++i)
        offset += Panels()->Items(i)->Width();
    return offset;
}

TRect TsStatusBar::PanelRect(int Index) const
{
    const int right = Width() - (SizeGrip() ? GripWidth : 0);
    if (Index < 0)
        return TRect(0, 1, right - 1, Height() - 1);
    const int left = PanelOffset(Index);
    const bool last = Index == Panels()->Count() - 1;
    return Deflated(TRect(left, 0, last ? right : left + Panels()->Items(Index)->Width(), Height()), 1);
}

TRect TsStatusBar::PanelTextRect(int Index) const { return TextRectIn(PanelRect(Index)); }

// ---------------------------------------------------------------------------------------------
// Rendering

void TsStatusBar::PrepareCache()
{
    TsCommonData& data = *SkinData();
    const bool render = data.BGChanged || data.HalfVisible || (Parent() && GetBoolMsg(Parent(), scmdQueryHalfVisible));
    if (Parent()) {
        // A point on the right or bottom edge of the client area lies outside it.
        const TRect client = Parent()->ClientRect();
        const auto inside = [&](int X, int Y) { return X >= client.left && X < client.right && Y >= client.top && Y < client.bottom; };
        data.HalfVisible = !(inside(Left(), Top()) && inside(Left() + Width(), Top() + Height()));
    }
    if (!render || data.UrgentPainting)
        return;
    const TCacheInfo beneath = GetParentCache(data);
    InitCacheBmp(data);
    PaintItem(data, beneath, 0, TRect(0, 0, Width(), Height()), vcl::TPoint(Left(), Top()), data.FCacheBmp.get(),
              false);
    PaintPanels();
    if (SizeGrip())
        PaintGrip();
    data.BGChanged = false;
}

void TsStatusBar::PaintPanels()
{
    // Asked once for all the panels: under Wine the focus is a question to the window server.
    const bool hot = ControlIsActive(*SkinData());
    if (Simple(*this)) {
        InternalDrawPanel(nullptr, SimpleText(), PanelRect(-1), true, hot);
        return;
    }
    for (int i = 0; i < Panels()->Count(); ++i)
        InternalDrawPanel(Panels()->Items(i), L"", PanelRect(i), i == Panels()->Count() - 1, hot);
}

void TsStatusBar::InternalDrawPanel(vcl::TStatusPanel* Panel, const vcl::String& Text, const TRect& R, bool Last,
                                    bool Hot)
{
    TsCommonData& data = *SkinData();
    TsSkinManager* manager = data.SkinManager();
    if (manager && manager->IsValidSkinIndex(data.SkinIndex)) {
        const int mask = manager->GetMaskIndex(data.SkinIndex, data.SkinSection(), L"STATUSPANELMASK");
        if (manager->IsValidImgIndex(mask))
            DrawSkinRect(PixelsOf(data.FCacheBmp.get()), Panel ? R : TRect(0, 0, Width(), Height()), CacheView(acEmptyCI),
                         manager->ma[size_t(mask)], 0, true);
        else if (Panel && !Last)
            PaintDivider(R);
    }
    if (Panel && Panel->Style() == vcl::TStatusPanelStyle::psOwnerDraw && OnDrawPanel()) {
        vcl::TCanvas* cache = data.FCacheBmp->Canvas();
        const TCanvasLock lock(cache);
        const vcl::TSavedDC saved(cache->Handle());
        static_cast<vcl::TControlCanvas*>(Canvas())->PaintOn(cache->Handle(), [&] { OnDrawPanel()(this, Panel, R); });
        return;
    }
    const vcl::TAlignment alignment = Panel ? Panel->Alignment() : vcl::TAlignment::taLeftJustify;
    DoDrawText(Panel ? Panel->Text() : Text, TextRectIn(R), UINT(GetStringFlags(this, alignment)) | DT_END_ELLIPSIS,
               Hot);
}

// The "DIVIDER" section, as wide as its border image's sides, astride the panel's right edge.
void TsStatusBar::PaintDivider(const TRect& R)
{
    TsSkinManager* manager = SkinData()->SkinManager();
    const int index = manager->GetSkinIndex(L"DIVIDER");
    const int mask = index < 0 ? -1 : manager->GetMaskIndex(index, L"DIVIDER", L"BORDERSMASK");
    if (!manager->IsValidImgIndex(mask))
        return;
    const TsMaskData& border = manager->ma[size_t(mask)];
    const int w = std::max(border.WL + border.WR, 2);
    const int h = Height() - 2;
    if (h <= 0)
        return;
    vcl::TBitmap* cache = SkinData()->FCacheBmp.get();
    const vcl::TPoint at(R.right - w / 2 - 1, 1);
    if (!FDivider || FDivider->Width() != w || FDivider->Height() != h)
        FDivider = CreateBmp32(w, h);
    PaintItem(index, L"DIVIDER", MakeCacheInfo(cache), 0, TRect(0, 0, w, h), at, FDivider.get(), manager);
    const TCanvasLock from(FDivider->Canvas()), to(cache->Canvas());
    BitBlt(cache->Canvas()->Handle(), at.x, at.y, w, h, FDivider->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsStatusBar::DoDrawText(const vcl::String& Text, TRect R, UINT Flags, bool Hot)
{
    TsCommonData& data = *SkinData();
    Flags |= DT_SINGLELINE | DT_VCENTER;
    if (UseRightToLeftAlignment())
        Flags |= DT_RIGHT;
    vcl::TCanvas* canvas = data.FCacheBmp->Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    acWriteTextEx(canvas, Text, true, R, Flags, data, Hot);
}

void TsStatusBar::PaintGrip()
{
    TsSkinManager* manager = SkinData()->SkinManager();
    const int grip = manager->ConstData.GripRightBottom;
    if (!manager->IsValidImgIndex(grip))
        return;
    const TsMaskData& glyph = manager->ma[size_t(grip)];
    vcl::TBitmap* cache = SkinData()->FCacheBmp.get();
    const vcl::TPoint at(Width() - WidthOfImage(glyph) - BorderWidth(), Height() - HeightOfImage(glyph) - BorderWidth());
    DrawSkinGlyph(PixelsOf(cache), at, 0, 1, glyph, CacheView(MakeCacheInfo(cache)));
}

// ---------------------------------------------------------------------------------------------
// Painting

bool TsStatusBar::ReadyToPaint()
{
    TsCommonData& data = *SkinData();
    data.FUpdating = data.GetUpdating();
    return !data.FUpdating;
}

void TsStatusBar::CopyCache(HDC DC)
{
    const TRect whole(0, 0, Width(), Height());
    CopyWinControlCache(this, *SkinData(), TRect(BorderWidth(), BorderWidth(), Width(), Height()), whole, DC, true, 0,
                        0);
    skin::PaintControls(DC, this, vcl::TPoint(0, 0));
}

void TsStatusBar::OurPaintHandler(HDC DC)
{
    const HDC dc = DC ? DC : GetWindowDC(Handle());
    {
        const vcl::TSavedDC saved(dc);
        if (ReadyToPaint()) {
            PrepareCache();
            CopyCache(dc);
            SetParentUpdated(this);
            SkinData()->BGChanged = false;
        }
    }
    if (!DC)
        ReleaseDC(Handle(), dc);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsStatusBar::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    if (Cmd == scmdRepaint && Message.LParam == reinterpret_cast<LPARAM>(SkinData()->SkinManager())) {
        AlphaBroadCast(this, Message);
        CommonWndProc(Message, SkinData());
        if (HandleAllocated()) {
            Repaint();
            SendMessageW(Handle(), WM_NCPAINT, 0, 0);
        }
        return true;
    }
    if (Cmd == scmdSkinRemoved && Message.LParam == reinterpret_cast<LPARAM>(SkinData()->SkinManager())) {
        CommonWndProc(Message, SkinData());
        if (HandleAllocated())
            RecreateWnd();
        AlphaBroadCast(this, Message);
        return true;
    }
    return inherited::EarlySkinCommand(Cmd, Message);
}

bool TsStatusBar::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Message.Msg) {
    case WM_MOVE:
        if (data.Section().Transparency > 0 || data.Section().HotTransparency > 0)
            data.BGChanged = true;
        return false;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(Handle(), &ps);
        if (!InAnimationProcess)
            OurPaintHandler(reinterpret_cast<HDC>(Message.WParam) ? reinterpret_cast<HDC>(Message.WParam) : ps.hdc);
        EndPaint(Handle(), &ps);
        Message.Result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        if (ReadyToPaint() && !data.BGChanged)
            CopyCache(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return true;
    case WM_NCPAINT:
        if ((Visible() || ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) && ReadyToPaint() &&
            !InAnimationProcess) {
            PrepareCache();
            if (BorderWidth() != 0) {
                const HDC dc = GetWindowDC(Handle());
                const TCanvasLock lock(data.FCacheBmp->Canvas());
                BitBltBorder(dc, 0, 0, Width(), Height(), data.FCacheBmp->Canvas()->Handle(), 0, 0, BorderWidth());
                ReleaseDC(Handle(), dc);
            }
        }
        return true;
    case WM_PRINT: {
        if (!(Visible() || ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) || !ReadyToPaint())
            return true;
        const auto dc = reinterpret_cast<HDC>(Message.WParam);
        PrepareCache();
        const vcl::TSavedDC saved(dc);
        if (const int bw = BorderWidth()) {
            const TCanvasLock lock(data.FCacheBmp->Canvas());
            BitBltBorder(dc, 0, 0, Width(), Height(), data.FCacheBmp->Canvas()->Handle(), 0, 0, bw);
            SetWindowOrgEx(dc, -bw, -bw, nullptr);
            IntersectClipRect(dc, 0, 0, ClientWidth(), ClientHeight());
        }
        OurPaintHandler(dc);
        return true;
    }
    default:
        return inherited::SkinnedMessage(Message);
    }
}

void TsStatusBar::AfterInherited(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
        if (Visible() && BorderWidth() != 0)
            SendMessageW(Handle(), WM_NCPAINT, 0, 0);
        break;
    case SB_SETTEXTA:
    case SB_SIMPLE:
    case SB_GETRECT:
    case SB_SETTEXTW:
        SkinData()->BGChanged = true;
        break;
    default:
        break;
    }
}

}  // namespace skin
