// The dialog wrapper's frame: its measures, its rendering into the cache, the copies to the window
// and the window region.
#include <algorithm>

#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sFramePaintParts.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/windows/acDialogWnd.h"
#include "skin/windows/acDials.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TBitmap;
using vcl::TPoint;
using vcl::TRect;

namespace {

int Metric(int Index) { return vcl::Seams().SystemMetrics(Index); }

// Copies the part (X, Y, Width, Height) of the cache to the same place of DC.
void CopyStrip(HDC DC, TBitmap* Cache, int X, int Y, int Width, int Height, int SrcX)
{
    BitBlt(DC, X, Y, Width, Height, Cache->Canvas()->Handle(), SrcX, Y, SRCCOPY);
}

// A visible child that paints over the dialog's background: any but a group box or a static
// that takes the focus.
BOOL CALLBACK ExcludeChild(HWND Child, LPARAM Param)
{
    const auto* context = reinterpret_cast<std::pair<HWND, HDC>*>(Param);
    if (GetParent(Child) != context->first || !IsWindowVisible(Child))
        return TRUE;
    const LONG_PTR style = GetWindowLongPtrW(Child, GWL_STYLE);
    const bool groupBox = (style & 7) == 7;
    const bool focusStatic = (style & WS_TABSTOP) && vcl::LowerCase(GetWndClassName(Child)) == L"static";
    if (groupBox || focusStatic)
        return TRUE;
    RECT r{};
    GetWindowRect(Child, &r);
    MapWindowPoints(nullptr, context->first, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(context->second, r.left, r.top, r.right, r.bottom);
    return TRUE;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Measures

int TacDialogWnd::CaptionHeight(bool) const
{
    const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
    if ((style & WS_CAPTION) != WS_CAPTION && !IsIconic(CtrlHandle))
        return 0;
    const bool tool = BorderStyle == TacBorderStyle::acbsToolWindow || BorderStyle == TacBorderStyle::acbsSizeToolWin;
    return Metric(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
}

int TacDialogWnd::HeaderHeight() const { return CaptionHeight(true) + SysBorderHeight(CtrlHandle, nullptr, false); }

int TacDialogWnd::BorderHeight() const { return SysBorderHeight(CtrlHandle, nullptr, true); }

int TacDialogWnd::OffsetX() const { return (GetWindowWidth(CtrlHandle) - GetClientWidth(CtrlHandle)) / 2; }

int TacDialogWnd::OffsetY() const
{
    const int bottom = CaptionHeight(true) != 0 ? SysBorderWidth(CtrlHandle, nullptr, false) : 0;
    return GetWindowHeight(CtrlHandle) - GetClientHeight(CtrlHandle) - bottom;
}

int TacDialogWnd::SysButtonWidth(const TsCaptionButton& Btn) const
{
    if (!Manager().IsValidImgIndex(Btn.ImageIndex))
        return 21;
    const TsMaskData& mask = Manager().ma[size_t(Btn.ImageIndex)];
    if (mask.Bmp)
        return mask.Bmp->Width() / std::max<int>(mask.ImageCount, 1);
    return WidthOfImage(mask);
}

int TacDialogWnd::ButtonHeight(int ImageIndex) const
{
    if (!Manager().IsValidImgIndex(ImageIndex))
        return 21;
    const TsMaskData& mask = Manager().ma[size_t(ImageIndex)];
    return mask.Bmp ? mask.Bmp->Height() / 2 : HeightOfImage(mask);
}

int TacDialogWnd::TitleBtnsWidth() const
{
    if (!VisibleClose())
        return 0;
    int width = SysButtonWidth(ButtonClose);
    if (VisibleMax())
        width += SysButtonWidth(ButtonMax);
    if (VisibleMin())
        width += SysButtonWidth(ButtonMin);
    if (VisibleHelp())
        width += SysButtonWidth(ButtonHelp);
    return width;
}

TRect TacDialogWnd::IconRect() const
{
    const int left = SysBorderWidth(CtrlHandle, nullptr, true) + Manager().SkinData->BILeftMargin;
    const int top = (BorderHeight() + CaptionHeight(true) - Metric(SM_CYSMICON)) / 2;
    return vcl::Bounds(left, top, Metric(SM_CXSMICON), Metric(SM_CYSMICON));
}

TDialogHitLayout TacDialogWnd::HitLayout() const
{
    TDialogHitLayout layout;
    layout.Size = WndRect.Size();
    layout.CaptionHeight = CaptionHeight(true);
    layout.BorderHeight = BorderHeight();
    layout.BorderWidth = SysBorderWidth(CtrlHandle, nullptr, true);
    layout.ButtonHeight = ButtonHeight(ButtonClose.ImageIndex);
    layout.SmallIconWidth = Metric(SM_CXSMICON);
    layout.Iconic = IsIconic(CtrlHandle);
    layout.Zoomed = IsZoomed(CtrlHandle);
    layout.EnabledMax = EnabledMax();
    layout.EnabledMin = EnabledMin();
    layout.EnabledRestore = EnabledRestore();
    const auto span = [](const TsCaptionButton& Btn, bool Visible) {
        return TDialogButtonSpan{Visible && !Btn.Rect.IsEmpty(), Btn.Rect.left, Btn.Rect.right};
    };
    layout.Close = span(ButtonClose, VisibleClose());
    layout.Max = span(ButtonMax, VisibleMax());
    layout.Min = span(ButtonMin, VisibleMin() || layout.Iconic);
    layout.Help = span(ButtonHelp, VisibleHelp());
    return layout;
}

// ---------------------------------------------------------------------------------------------
// Rendering

void TacDialogWnd::PaintAll()
{
    InitCtrlData(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    if (!SkinData->FCacheBmp)
        SkinData->FCacheBmp = CreateBmp32(WndSize.cx, WndSize.cy);
    else
        SkinData->FCacheBmp->SetSize(WndSize.cx, WndSize.cy);
    const bool iconic = IsIconic(CtrlHandle);
    const int titleBottom = SysBorderHeight(CtrlHandle, nullptr, false) + CaptionHeight(true);
    const TRect frame(0, 0, WndSize.cx, iconic ? titleBottom + 1 : WndSize.cy);
    if (SkinData->BGChanged) {
        RgnChanged = true;
        if (Manager().IsValidSkinIndex(SkinData->SkinIndex)) {
            PaintItem(*SkinData, acEmptyCI, SectionState(Manager(), SkinData->SkinIndex, FFormActive), frame, TPoint(),
                      SkinData->FCacheBmp.get(), true);
            if (CaptionHeight(true) != 0) {
                PaintTitle(iconic ? frame : TRect(0, 0, WndSize.cx, titleBottom), titleBottom);
                MakeTitleBG();
                PaintBorderIcons();
            }
        }
    }
    SkinData->BGChanged = false;
}

void TacDialogWnd::PaintTitle(const TRect& Frame, int TitleBottom)
{
    TBitmap* cache = SkinData->FCacheBmp.get();
    if (Manager().IsValidSkinIndex(TitleIndex))
        PaintItem(TitleIndex, TitleSection, MakeCacheInfo(cache, OffsetX(), OffsetY()),
                  SectionState(Manager(), TitleIndex, FFormActive), Frame, TPoint(-OffsetX(), -OffsetY()), cache,
                  &Manager());
    DrawAppIcon();
    PaintTitleText(TitleBottom);
}

void TacDialogWnd::DrawAppIcon()
{
    if (!TitleIcon)
        return;
    const TRect r = IconRect();
    auto icon = static_cast<HICON>(CopyImage(TitleIcon, IMAGE_ICON, r.Width(), r.Height(), LR_COPYFROMRESOURCE));
    const HICON shown = icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
    TBitmap* cache = SkinData->FCacheBmp.get();
    {
        TCanvasLock lock(cache->Canvas());
        DrawIconEx(cache->Canvas()->Handle(), r.left, r.top, shown, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
    }
    if (icon)
        DestroyIcon(icon);
}

void TacDialogWnd::PaintTitleText(int TitleBottom)
{
    TsSkinManager& manager = Manager();
    TBitmap* cache = SkinData->FCacheBmp.get();
    const int iconWidth = TitleIcon ? IconRect().Width() : 0;
    TRect box(SysBorderWidth(CtrlHandle, nullptr, true) + iconWidth + manager.SkinData->BILeftMargin + 4, 2,
              cache->Width() - TitleBtnsWidth() - 6, TitleBottom);
    if (box.IsEmpty())
        return;
    vcl::TCanvas* canvas = cache->Canvas();
    TCanvasLock lock(canvas);
    if (const HFONT font = acGetTitleFont()) {
        canvas->Font()->SetHandle(font);
        DeleteObject(font);
    }
    canvas->Font()->SetHeight(GetCaptionFontSize());
    canvas->Font()->SetCharset(DEFAULT_CHARSET);
    const int height = acTextExtent(canvas, Caption).cy;
    box.top += (box.Height() - height) / 2;
    box.bottom = box.top + height;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL))
        flags |= DT_RIGHT | DT_RTLREADING;
    int section = TitleIndex;
    if (FCaptionSkinIndex >= 0) {
        TRect plate = box;
        acDrawText(canvas->Handle(), Caption, plate, flags | DT_CALCRECT);
        plate = plate.Inflated(4, 2);
        const std::unique_ptr<TBitmap> beneath = CreateBmp32(cache->Width(), cache->Height());
        CopyPart(beneath.get(), TPoint(), cache, TRect(0, 0, cache->Width(), cache->Height()));
        PaintItem(FCaptionSkinIndex, L"CAPTION", MakeCacheInfo(beneath.get()),
                  SectionState(manager, FCaptionSkinIndex, FFormActive), plate, plate.TopLeft(), cache, &manager);
        section = FCaptionSkinIndex;
    }
    if (!manager.IsValidSkinIndex(section))
        return;
    if (!acGlowDisabled) {
        const TsGeneralData& glow = manager.gd[size_t(section)];
        const int size = FFormActive ? glow.HotGlowSize : glow.GlowSize;
        if (size > 0)
            acDrawGlowForText(cache, Caption, box, flags, 15, size, FFormActive ? glow.HotGlowColor : glow.GlowColor,
                              FGlowMask[FFormActive ? 0 : 1]);
    }
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    acWriteTextEx(canvas, Caption, true, box, flags, section, FFormActive, &manager);
}

void TacDialogWnd::MakeTitleBG()
{
    TBitmap* cache = SkinData->FCacheBmp.get();
    TitleBG = CreateBmp32(cache->Width(), BorderHeight() + CaptionHeight(true));
    CopyPart(TitleBG.get(), TPoint(), cache, TRect(0, 0, TitleBG->Width(), TitleBG->Height()));
}

int TacDialogWnd::RestoreImage() const
{
    const int global = GlobalImage(L"BICONNORM");
    return global >= 0 ? global : Manager().GetMaskIndex(SkinData->SkinIndex, SkinData->SkinSection(), L"BICONNORM");
}

void TacDialogWnd::PaintBorderIcons()
{
    if (!(dwStyle & WS_SYSMENU))
        return;
    const TsSkinData& skin = *Manager().SkinData;
    const bool big = BorderStyle == TacBorderStyle::acbsSingle || BorderStyle == TacBorderStyle::acbsSizeable ||
                     ButtonClose.ImageIndex == GlobalImage(L"BICONCLOSE");
    const int spacing = big ? skin.BISpacing : 0;
    const bool zoomed = IsZoomed(CtrlHandle);
    const bool iconic = IsIconic(CtrlHandle);
    int right = SkinData->FCacheBmp->Width() - skin.BIRightMargin - SysBorderWidth(CtrlHandle, nullptr, true);
    const auto place = [&](TsCaptionButton& Btn, int ImageIndex, bool Enabled) {
        Btn.Rect = TRect();
        if (!Manager().IsValidImgIndex(ImageIndex))
            return;
        int top = (CaptionHeight(true) - ButtonHeight(ImageIndex) + BorderHeight()) / 2;
        if (Btn.HaveAlignment && skin.BIVAlign == 1 && &Btn != &ButtonHelp)
            top = 0;
        Btn.Rect = TRect(right - SysButtonWidth(Btn), top, right, top + ButtonHeight(ImageIndex));
        DrawButton(Btn, ImageIndex, Enabled);
        right = Btn.Rect.left - spacing;
    };
    place(ButtonClose, ButtonClose.ImageIndex, EnabledClose());
    if (VisibleMax())
        place(ButtonMax, zoomed ? RestoreImage() : ButtonMax.ImageIndex, zoomed ? EnabledRestore() : EnabledMax());
    if (VisibleMin())
        place(ButtonMin, iconic ? RestoreImage() : ButtonMin.ImageIndex, iconic ? EnabledRestore() : EnabledMin());
    if (VisibleHelp())
        place(ButtonHelp, ButtonHelp.ImageIndex, true);
}

void TacDialogWnd::DrawButton(const TsCaptionButton& Btn, int ImageIndex, bool Enabled)
{
    const int row = FFormActive && Enabled ? 1 : 2;
    DrawSkinGlyph(PixelsOf(SkinData->FCacheBmp.get()), Btn.Rect.TopLeft(), std::max(Btn.State, 0), row,
                  Manager().ma[size_t(ImageIndex)], TCacheView());
}

int TacDialogWnd::ShownImage(const TsCaptionButton& Btn, bool& Disabled) const
{
    Disabled = false;
    const bool iconic = IsIconic(CtrlHandle);
    if (&Btn == &ButtonMax && IsZoomed(CtrlHandle))
        return RestoreImage();
    if (iconic && &Btn == &ButtonMin)
        return RestoreImage();
    if (&Btn == &ButtonMax) {
        Disabled = !EnabledMax() && !EnabledRestore();
        if (iconic) {
            const int max = GlobalImage(L"BICONMAX");
            return max >= 0 ? max : Manager().GetMaskIndex(SkinData->SkinIndex, SkinData->SkinSection(), L"BICONMAX");
        }
    }
    if (&Btn == &ButtonMin)
        Disabled = !EnabledMin();
    if (&Btn == &ButtonClose)
        Disabled = !EnabledClose();
    return Btn.ImageIndex;
}

void TacDialogWnd::RepaintButton(int i)
{
    TsCaptionButton* button = ButtonOf(i);
    if (!button)
        return;
    if (button->State == -1 || button->Rect.left <= SysBorderWidth(CtrlHandle, nullptr, true) + Metric(SM_CXSMICON) ||
        !SkinData->FCacheBmp || !TitleBG)
        return;
    TBitmap* cache = SkinData->FCacheBmp.get();
    const TRect& r = button->Rect;
    CopyPart(cache, r.TopLeft(), TitleBG.get(), r);
    bool disabled = false;
    const int image = ShownImage(*button, disabled);
    if (Manager().IsValidImgIndex(image))
        DrawButton(*button, image, !disabled && (FFormActive || button->State != 0));
    const HDC dc = GetWindowDC(CtrlHandle);
    {
        TCanvasLock lock(cache->Canvas());
        CopyStrip(dc, cache, r.left, r.top, r.Width(), r.Height(), r.left);
    }
    ReleaseDC(CtrlHandle, dc);
}

// ---------------------------------------------------------------------------------------------
// Copies to the window

void TacDialogWnd::PaintCaption(HDC DC)
{
    if (SkinData->BGChanged || !SkinData->FCacheBmp) {
        PaintAll();
        SkinData->BGChanged = false;
        SkinData->FUpdating = false;
    }
    TBitmap* cache = SkinData->FCacheBmp.get();
    const int b = SysBorderWidth(CtrlHandle, nullptr, true);
    const int y = b + CaptionHeight(true) + (IsIconic(CtrlHandle) ? 1 : 0);
    const int w = WndSize.cx;
    const int h = WndSize.cy;
    TCanvasLock lock(cache->Canvas());
    CopyStrip(DC, cache, 0, 0, w, HeaderHeight(), 0);
    CopyStrip(DC, cache, 0, y, b, h, 0);
    CopyStrip(DC, cache, b, h - b, w - b, b, b);
    CopyStrip(DC, cache, w - b, y, b, h, cache->Width() - b);
}

void TacDialogWnd::PaintForm(HDC DC)
{
    if (SkinData->BGChanged || !SkinData->FCacheBmp)
        PaintAll();
    TBitmap* cache = SkinData->FCacheBmp.get();
    {
        TCanvasLock lock(cache->Canvas());
        BitBlt(DC, 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), SysBorderWidth(CtrlHandle, nullptr, true),
               HeaderHeight(), SRCCOPY);
    }
    SetParentUpdated(CtrlHandle);
}

void TacDialogWnd::Ac_WMPaint(HDC DC)
{
    const HDC dc = DC ? DC : GetDC(CtrlHandle);
    const int saved = SaveDC(dc);
    SkinData->FUpdating = false;
    std::pair<HWND, HDC> context(CtrlHandle, dc);
    EnumChildWindows(CtrlHandle, ExcludeChild, reinterpret_cast<LPARAM>(&context));
    PaintForm(dc);
    RestoreDC(dc, saved);
    if (!DC)
        ReleaseDC(CtrlHandle, dc);
}

void TacDialogWnd::Ac_WMNCPaint()
{
    if (!RgnChanging && RgnChanged &&
        (BorderStyle != TacBorderStyle::acbsNone || (GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & WS_THICKFRAME))) {
        FillArOR();
        RgnChanged = false;
        UpdateRgn(true);
    }
    const HDC dc = GetWindowDC(CtrlHandle);
    const int saved = SaveDC(dc);
    PaintCaption(dc);
    RestoreDC(dc, saved);
    ReleaseDC(CtrlHandle, dc);
    SkinData->FUpdating = false;
    RgnChanging = false;
}

// ---------------------------------------------------------------------------------------------
// The region

void TacDialogWnd::FillArOR()
{
    ArOR.clear();
    TsSkinManager& manager = Manager();
    const int width = GetWindowWidth(CtrlHandle);
    if (manager.IsValidImgIndex(SkinData->BorderIndex)) {
        const TsMaskData& mask = manager.ma[size_t(SkinData->BorderIndex)];
        AddRgn(ArOR, width, mask, 0, false);
        AddRgn(ArOR, width, mask, GetWindowHeight(CtrlHandle) - mask.WB, true);
    }
    if (manager.IsValidSkinIndex(TitleIndex)) {
        const int title = manager.GetMaskIndex(TitleIndex, TitleSection, L"BORDERSMASK");
        if (manager.IsValidImgIndex(title))
            AddRgn(ArOR, width, manager.ma[size_t(title)], 0, false);
    }
}

void TacDialogWnd::UpdateRgn(bool Repaint)
{
    if (BorderStyle == TacBorderStyle::acbsNone && !IsIconic(CtrlHandle))
        return;
    if (SendMessageW(CtrlHandle, RegionQueryMessage, RegionQueryOwn, 0) == LRESULT(RegionQueryOwn))
        return;
    RgnChanging = true;
    SetWindowRgn(CtrlHandle, GetRgnFromArOR(0, 0), Repaint ? TRUE : FALSE);
}

HRGN TacDialogWnd::GetRgnFromArOR(int X, int Y) const
{
    const HRGN region = CreateRectRgn(X, Y, X + GetWindowWidth(CtrlHandle), Y + GetWindowHeight(CtrlHandle));
    TAOR runs = ArOR;
    for (TRect& run : runs)
        run.Offset(X, Y);
    SubtractRects(region, runs);
    return region;
}

}  // namespace skin
