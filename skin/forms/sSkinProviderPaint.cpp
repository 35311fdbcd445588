// The picture of a skinned form in the provider's cache, layer by layer: frame and background,
// grip, title section, icon, "TITLEBAR" bar, menu line, caption text, an MDI form's client area,
// the extended layout's shadow, the background saved behind the title buttons, the buttons; then
// the form's own OnPaint over the client area. In the extended layout a skin whose extended-border
// image draws the whole frame gets its title over that image, and an old skin's frame is corrected
// where the system needs it.
#include <algorithm>
#include <memory>

#include "skin/core/Sborders.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sFramePaintParts.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/graphics/sGraphUtilsTemplate.h"
#include "vcl/application.h"

namespace skin {

using vcl::TBitmap;
using vcl::TPoint;
using vcl::TRect;
using vcl::TSize;

int SectionState(const TsSkinManager& Manager, int SkinIndex, bool Active)
{
    if (!Manager.IsValidSkinIndex(SkinIndex))
        return 0;
    return std::clamp(int(Active), 0, std::max(Manager.gd[size_t(SkinIndex)].States - 1, 0));
}

void CopyPart(TBitmap* To, const TPoint& Dst, TBitmap* From, const TRect& Src)
{
    TCanvasLock to(To->Canvas());
    TCanvasLock from(From->Canvas());
    BitBlt(To->Canvas()->Handle(), Dst.x, Dst.y, Src.Width(), Src.Height(), From->Canvas()->Handle(), Src.left,
           Src.top, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Rendering the cache

void TsSkinProvider::PaintAll()
{
    TsCommonData& data = *FCommonData;
    TsSkinManager* manager = Manager();
    if (Form->ControlState().Contains(vcl::TControlStateItem::csCreating) ||
        (FormState & (fsBlendOnMoving | fsExitAnimation)) || data.SkinIndex < 0 || !manager)
        return;
    const HWND handle = Form->Handle();
    const bool iconic = IsIconic(handle) && !(vcl::Application && Form == vcl::Application->MainForm());
    const TRect shadow = ShadowSize();
    const int sb0 = SysBorderHeight(handle, BorderForm.get(), false);
    int height = iconic ? sb0 + CaptionHeight(true) + 2 : Form->Height();
    if (BorderForm)
        height += DiffBorder(BorderForm.get()) + DiffTitle(BorderForm.get()) + shadow.top + shadow.bottom +
                  (MenuHeight() ? 1 : 0);
    const int width = CaptionWidth();
    if (!data.FCacheBmp) {
        data.FCacheBmp = CreateBmp32(width, height);
        UpdateSkinState(data, false);
        if (!Loading()) {
            vcl::TMessage state = MakeSkinMessage(scmdSkinState, 1);
            AlphaBroadCast(Form, state);
        }
    }
    if (MenuChanged && MaximisedChildShowing())
        return;
    if (data.BGChanged) {
        RgnChanged = true;
        FillArOR(this);
        data.FCacheBmp->SetSize(width, height);
        if (manager->IsValidSkinIndex(data.SkinIndex))
            PaintFrame(iconic);
        MenuChanged = false;
        data.BGChanged = false;
        CallOnPaint();
        FirstInitialized = true;
    }
    data.FUpdating = false;
}

void TsSkinProvider::PaintFrame(bool Iconic)
{
    TsCommonData& data = *FCommonData;
    TsSkinManager& manager = *Manager();
    TBitmap* cache = data.FCacheBmp.get();
    const TFrameLayout layout = FrameLayout();
    const int state = SectionState(manager, data.SkinIndex, FormActive);
    const TCacheInfo background = Form->Parent() ? BGInfoToCI([this] {
        TacBGInfo info;
        GetBGInfo(info, Form->Parent());
        return info;
    }()) : acEmptyCI;
    const TRect frame(layout.Shadow.left, layout.Shadow.top, layout.Width - layout.Shadow.right,
                      layout.Height - layout.Shadow.bottom);
    const bool exMode = layout.ExMode();
    if (data.CtrlSkinState & cssNoCache) {
        const TRect top(0, 0, layout.Width, layout.CaptionHeight + BorderWidth(true) + GetLinesCount() * MenuHeight() + 1);
        TCanvasLock lock(cache->Canvas());
        // The border window shows the picture's alpha: its frame is filled opaque.
        if (BorderForm)
            FillRect32(PixelsOf(cache), frame, FormColor());
        else
            FillDC(cache->Canvas()->Handle(), top, FormColor());
        if (!exMode)
            PaintBorderFast(cache->Canvas()->Handle(), frame, BorderWidth(true), data, state);
    } else if (HaveBorder(this) || (Form->Parent() && !exMode)) {
        PaintItem(data.SkinIndex, data.SkinSection(), background, state, frame, TPoint(Form->Left(), Form->Top()), cache,
                  &manager);
    } else {
        PaintItemBG(data, background, state, frame, TPoint(Form->Left(), Form->Top()), cache);
    }
    if (IsGripVisible(this) && IsCached(data)) {
        data.BGChanged = false;
        PaintGrip(layout);
    }
    const bool caption = layout.CaptionHeight != 0 && FDrawNonClientArea;
    if (caption && !exMode)
        PaintTitleBar(layout, background, state, Iconic);
    PaintMenuLine(layout, state);
    if (caption && !exMode) {
        PaintCaptionText(layout, state);
    }
    PaintMDIArea(layout);
    if (layout.Extended)
        PaintExBorderShadow(layout);
    // A frame drawn whole from the extended-border image takes the title over it.
    if (caption && exMode) {
        PaintTitleBar(layout, background, state, Iconic);
        PaintCaptionText(layout, state);
    }
    if (exMode)
        CorrectOldSkinFrame();
    if (caption) {
        SaveBGForBtns(true);
        PaintBorderIcons();
    }
}

// ---------------------------------------------------------------------------------------------
// The shadow of the extended layout

void TsSkinProvider::PaintExBorderShadow(const TFrameLayout& Layout)
{
    TsSkinManager& manager = *Manager();
    TBitmap* shadow = FormActive ? manager.ShdaTemplate.get() : manager.ShdiTemplate.get();
    if (TacBorderForm* border = BorderWindowOf(this))
        border->ShadowTemplate = shadow;
    if (!shadow || shadow->Width() == 0 || shadow->Height() == 0)
        return;
    // The template is cut by the extended-border image's margins, else in halves.
    const int exBorder = manager.ConstData.ExBorder;
    TRect limits;
    int sideMode = 1;
    if (manager.IsValidImgIndex(exBorder)) {
        const TsMaskData& mask = manager.ma[size_t(exBorder)];
        limits = TRect(mask.WL, mask.WT, mask.WR, mask.WB);
        sideMode = mask.DrawMode & 1;
    } else {
        const int half = (shadow->Width() - 1) / 2;
        limits = TRect(half, half, half, half);
    }
    const TRect& s = Layout.Shadow;
    TBitmap* cache = FCommonData->FCacheBmp.get();
    if (Layout.ExMode()) {
        // The image draws the frame as well: it reaches over the borders and the title.
        const int border = BorderWidth(true);
        const TRect frame(border + s.left, s.top + Layout.CaptionHeight, border + s.right, border + s.bottom);
        const TRect margins = ExFrameMargins(limits, frame, Layout.Height, Layout.CaptionHeight);
        PaintControlByTemplate(cache, shadow, TRect(0, 0, Layout.Width, Layout.Height),
                               TRect(0, 0, shadow->Width(), shadow->Height()), margins, margins,
                               TRect(sideMode, sideMode, sideMode, sideMode), false, false);
        return;
    }
    // Otherwise the template's corners and sides lie in the shadow margins, never over the frame.
    const TRect margins(std::min(s.left, limits.left), std::min(s.top, limits.top), std::min(s.right, limits.right),
                        std::min(s.bottom, limits.bottom));
    PaintControlByTemplate(cache, shadow, TRect(0, 0, Layout.Width, Layout.Height),
                           TRect(0, 0, shadow->Width(), shadow->Height()), margins, margins, TRect(1, 1, 1, 1), false,
                           false);
    BlendFrameCorners(Layout, shadow, margins);
}

void TsSkinProvider::CorrectOldSkinFrame()
{
    // Old skins' partly transparent frame pixels look washed out without composition on a 64-bit
    // system: they are darkened and made more opaque.
    const TsSkinManager& manager = *Manager();
    if (!acGlowDisabled || !manager.SkinData || manager.SkinData->Version >= 7.51)
        return;
    const TPixelView pixels = PixelsOf(FCommonData->FCacheBmp.get());
    for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x)
            pixels.At(x, y) = CorrectFramePixel(TsColor::FromInt(pixels.At(x, y))).U();
}

void TsSkinProvider::BlendFrameCorners(const TFrameLayout& Layout, TBitmap* Shadow, const TRect& Margins)
{
    // The frame's transparent corner pixels show the shadow next to them.
    TsSkinManager& manager = *Manager();
    const int formBorder = FCommonData->BorderIndex;
    const int title = TitleSkinIndex();
    const int titleBorder =
        manager.IsValidSkinIndex(title) ? manager.GetMaskIndex(title, TitleSkinSection(), L"BORDERSMASK") : -1;
    TSize top, bottomLeft, bottomRight, topRight;
    if (manager.IsValidImgIndex(titleBorder)) {
        top = TSize(manager.MaskWidthLeft(titleBorder), manager.MaskWidthTop(titleBorder));
        topRight = TSize(manager.MaskWidthRight(titleBorder), top.cy);
    } else if (manager.IsValidImgIndex(formBorder)) {
        top = TSize(std::min(manager.MaskWidthLeft(formBorder), 8), std::min(manager.MaskWidthTop(formBorder), 8));
        topRight = TSize(std::min(manager.MaskWidthRight(formBorder), 8), top.cy);
    }
    if (manager.IsValidImgIndex(formBorder)) {
        bottomLeft = TSize(manager.MaskWidthLeft(formBorder), manager.MaskWidthBottom(formBorder));
        bottomRight = TSize(manager.MaskWidthRight(formBorder), bottomLeft.cy);
    }
    const TRect& s = Layout.Shadow;
    const int w = Layout.Width, h = Layout.Height, tw = Shadow->Width(), th = Shadow->Height();
    const TPixelView cache = PixelsOf(FCommonData->FCacheBmp.get());
    const TPixelView source = PixelsOf(Shadow);
    const auto blend = [&](int X, int Y, TSize Size, int SourceX, int SourceY) {
        if (Size.cx > 0 && Size.cy > 0)
            FillTransPixels32(cache, source, vcl::Bounds(X, Y, Size.cx, Size.cy),
                              TPoint(std::max(SourceX, 0), std::max(SourceY, 0)));
    };
    blend(s.left, s.top, top, Margins.left, Margins.top);
    blend(w - s.right - topRight.cx, s.top, topRight, tw - Margins.right - topRight.cx, Margins.top);
    blend(s.left, h - s.bottom - bottomLeft.cy, bottomLeft, Margins.left, th - Margins.bottom - bottomLeft.cy);
    blend(w - s.right - bottomRight.cx, h - s.bottom - bottomRight.cy, bottomRight, tw - Margins.right - bottomRight.cx,
          th - Margins.bottom - bottomRight.cy);
}

void TsSkinProvider::CallOnPaint()
{
    const vcl::TNotifyEvent onPaint = Form->OnPaint();
    if (!onPaint || !IsCached(*FCommonData))
        return;
    vcl::TCanvas* canvas = Form->Canvas();
    vcl::TCanvas* cache = FCommonData->FCacheBmp->Canvas();
    TCanvasLock cacheLock(cache);
    TCanvasLock formLock(canvas);
    const HDC saved = canvas->HandleAllocated() ? canvas->Handle() : nullptr;
    const HDC dc = cache->Handle();
    POINT origin{};
    SetViewportOrgEx(dc, OffsetX(), OffsetY(), &origin);
    canvas->SetHandle(dc);
    const vcl::TScopeExit restore([&] {
        canvas->SetHandle(saved);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    });
    onPaint(Form);
}

// ---------------------------------------------------------------------------------------------
// Title bar, icon and grip

void TsSkinProvider::PaintTitleBar(const TFrameLayout& Layout, const TCacheInfo& Background, int State, bool Iconic)
{
    TsSkinManager& manager = *Manager();
    TBitmap* cache = FCommonData->FCacheBmp.get();
    const int title = TitleSkinIndex();
    if (manager.IsValidSkinIndex(title) && !Layout.ExMode()) {
        const TRect frame(Layout.Shadow.left, Layout.Shadow.top, Layout.Width - Layout.Shadow.right,
                          Iconic ? Layout.Height - Layout.Shadow.bottom : Layout.MenuTop());
        PaintItem(title, TitleSkinSection(), Background, SectionState(manager, title, FormActive), frame,
                  TPoint(Form->Left(), Form->Top()), cache, &manager);
    }
    DrawAppIcon(Layout);
    if (SysButtonsCount() == 0)
        return;
    const int bar = manager.GetMaskIndex(FCommonData->SkinIndex, FCommonData->SkinSection(), L"TITLEBAR");
    if (!manager.IsValidImgIndex(bar))
        return;
    const TRect r(Layout.Width - BarWidth(bar), 0, Layout.Width, Layout.CaptionHeight + Layout.SysBorderHeight);
    DrawSkinRect(PixelsOf(cache), r, TCacheView(), manager.ma[size_t(bar)], State, true);
}

void TsSkinProvider::DrawAppIcon(const TFrameLayout& Layout)
{
    if (!IconVisible())
        return;
    TBitmap* cache = FCommonData->FCacheBmp.get();
    const TRect r = skin::IconRect(Layout, vcl::TSize(IconWidth(), IconHeight()));
    TBitmap* glyph = FTitleIcon->Glyph();
    if (!glyph->Empty()) {
        if (glyph->PixelFormat() != vcl::TPixelFormat::pf32bit) {
            glyph->SetPixelFormat(vcl::TPixelFormat::pf32bit);
            const TPixelView pixels = PixelsOf(glyph);
            for (int y = 0; y < pixels.Height; ++y)
                for (int x = 0; x < pixels.Width; ++x)
                    if ((pixels.At(x, y) & 0xFFFFFF) != 0xFF00FF)
                        pixels.At(x, y) |= 0xFF000000;
        }
        glyph->SetTransparentColor(vcl::clFuchsia);
        glyph->SetTransparent(true);
        CopyByMask(TRect(r.left, r.top, r.left + glyph->Width(), r.top + glyph->Height()),
                   TRect(0, 0, glyph->Width(), glyph->Height()), PixelsOf(cache), PixelsOf(glyph), TCacheView(), false);
        return;
    }
    const std::unique_ptr<TBitmap> saved = CreateBmp32(r.Width(), r.Height());
    CopyPart(saved.get(), TPoint(), cache, r);
    HICON icon = nullptr;
    vcl::TSize size(r.Width(), r.Height());
    if (Form->Icon()->HandleAllocated()) {
        icon = Form->Icon()->Handle();
    } else if (vcl::Application && vcl::Application->Icon()->HandleAllocated()) {
        icon = reinterpret_cast<HICON>(SendMessageW(vcl::Application->Handle(), WM_GETICON, ICON_SMALL2, 0));
    } else {
        const int w = FTitleIcon->Width() ? FTitleIcon->Width() : Layout.CaptionHeight - r.top;
        const int h = FTitleIcon->Height() ? FTitleIcon->Height() : Layout.CaptionHeight - r.top;
        vcl::TIcon* own = h > 16 && AppIconLarge ? AppIconLarge.get() : AppIcon.get();
        if (own && own->HandleAllocated()) {
            icon = own->Handle();
            size = vcl::TSize(w, h);
        } else {
            icon = LoadIconW(nullptr, IDI_APPLICATION);
        }
    }
    if (!icon)
        return;
    {
        TCanvasLock lock(cache->Canvas());
        DrawIconEx(cache->Canvas()->Handle(), r.left, r.top, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    }
    // Pixels the icon left as they were take their alpha back; the icon's own become opaque.
    const TPixelView pixels = PixelsOf(cache);
    const TPixelView before = PixelsOf(saved.get());
    for (int y = 0; y < before.Height; ++y)
        for (int x = 0; x < before.Width; ++x) {
            uint32_t& pixel = pixels.At(r.left + x, r.top + y);
            const uint32_t old = before.At(x, y);
            pixel = (pixel & 0xFFFFFF) == (old & 0xFFFFFF) ? old : pixel | 0xFF000000;
        }
}

void TsSkinProvider::PaintGrip(const TFrameLayout& Layout)
{
    TsSkinManager& manager = *Manager();
    const int grip = manager.ConstData.GripRightBottom;
    if (!manager.IsValidImgIndex(grip))
        return;
    const TsMaskData& mask = manager.ma[size_t(grip)];
    TBitmap* cache = FCommonData->FCacheBmp.get();
    const vcl::TSize size(WidthOfImage(mask), HeightOfImage(mask));
    const TPoint p = skin::RBGripPoint(Layout, size);
    const std::unique_ptr<TBitmap> bmp = CreateBmp32(size.cx, size.cy);
    TacBGInfo info;
    GetBGInfo(info, Form);
    if (info.BgKind == 2) {
        CopyPart(bmp.get(), TPoint(), cache, TRect(p.x, p.y, p.x + size.cx, p.y + size.cy));
    } else {
        FillRect32(PixelsOf(bmp.get()), TRect(0, 0, size.cx, size.cy), vcl::TColor(vcl::ColorToRGB(info.Color)));
        // Where the frame's right and bottom images reach over the grip, the grip lies on them.
        const int border = FCommonData->BorderIndex;
        if (manager.IsValidImgIndex(border)) {
            const int right = manager.MaskWidthRight(border) - Layout.BorderWidth;
            const int bottom = manager.MaskWidthBottom(border) - Layout.BorderWidth;
            if (right > 0)
                CopyPart(bmp.get(), TPoint(size.cx - right, 0), cache,
                         vcl::Bounds(Layout.Width - manager.MaskWidthRight(border) - Layout.Shadow.right,
                                     Layout.Height - Layout.BorderWidth - size.cy - Layout.Shadow.bottom, right, size.cy));
            if (bottom > 0)
                CopyPart(bmp.get(), TPoint(0, size.cy - bottom), cache,
                         vcl::Bounds(Layout.Width - Layout.BorderWidth - size.cx - Layout.Shadow.right,
                                     Layout.Height - manager.MaskWidthBottom(border) - Layout.Shadow.bottom, size.cx,
                                     bottom));
        }
    }
    DrawSkinGlyph(PixelsOf(bmp.get()), TPoint(), 0, 1, mask, TCacheView());
    CopyPart(cache, p, bmp.get(), TRect(0, 0, size.cx, size.cy));
}

// ---------------------------------------------------------------------------------------------
// Caption text

void TsSkinProvider::PaintCaptionText(const TFrameLayout& Layout, int State)
{
    TsSkinManager& manager = *Manager();
    TBitmap* cache = FCommonData->FCacheBmp.get();
    const int title = TitleSkinIndex();
    TRect box = CaptionTextBox(Layout, IconVisible() ? IconWidth() : 0, FCaptionSkinIndex >= 0, TitleBtnsWidth());
    if (box.IsEmpty())
        return;
    vcl::TCanvas* canvas = cache->Canvas();
    TCanvasLock lock(canvas);
    const vcl::String added = FAddedTitle->Text();
    vcl::TSize addedSize;
    if (!added.empty()) {
        canvas->SetFont(FAddedTitle->Font());
        addedSize = acTextExtent(canvas, added);
    }
    if (const HFONT font = acGetTitleFont()) {
        canvas->Font()->SetHandle(font);
        DeleteObject(font);
    }
    canvas->Font()->SetHeight(GetCaptionFontSize());
    canvas->Font()->SetCharset(Form->Font()->Charset());
    const bool showMain = FAddedTitle->ShowMainCaption();
    const vcl::TSize mainSize = showMain ? acTextExtent(canvas, Form->Caption()) : addedSize;
    TRect text = AlignCaptionText(box, mainSize, showMain ? addedSize.cx : 0,
                                  ShownCaptionAlignment(FCaptionAlignment, Form->UseRightToLeftAlignment()));
    const UINT flags =
        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | (Form->UseRightToLeftReading() ? DT_RTLREADING : 0);
    if (showMain) {
        TRect r = text;
        acDrawText(canvas->Handle(), Form->Caption(), r, flags | DT_CALCRECT);
        int section = title;
        if (FCaptionSkinIndex >= 0) {
            const TRect back = r.Inflated(4, 2);
            const std::unique_ptr<TBitmap> beneath = CreateBmp32(Layout.Width, Layout.MenuTop());
            CopyPart(beneath.get(), TPoint(), cache, TRect(0, 0, Layout.Width, Layout.MenuTop()));
            PaintItem(FCaptionSkinIndex, L"CAPTION", MakeCacheInfo(beneath.get()),
                      SectionState(manager, FCaptionSkinIndex, FormActive), back, back.TopLeft(), cache, &manager);
            section = FCaptionSkinIndex;
        }
        if (manager.IsValidSkinIndex(section) && !(acGlowDisabled && manager.SkinData->Version <= 7.5)) {
            const TsGeneralData& glow = manager.gd[size_t(section)];
            const int size = FormActive ? glow.HotGlowSize : glow.GlowSize;
            if (size != 0)
                acDrawGlowForText(cache, Form->Caption(), r, flags, 15, size,
                                  FormActive ? glow.HotGlowColor : glow.GlowColor, FormActive ? FGlow1 : FGlow2);
        }
        canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
        // The border window shows the picture's alpha: text written there keeps it.
        if (Layout.Extended)
            WriteText32(cache, Form->Caption(), true, r, flags, section, State != 0, &manager);
        else
            acWriteTextEx(canvas, Form->Caption(), Form->Enabled(), r, flags, section, State != 0, &manager);
        text.left = r.right;
    }
    if (added.empty())
        return;
    text.left += 4;
    text.right = text.left + addedSize.cx + 4;
    if (addedSize.cx <= 4 || !manager.IsValidSkinIndex(title))
        return;
    canvas->SetFont(FAddedTitle->Font());
    const TsGeneralData& section = manager.gd[size_t(title)];
    canvas->Font()->SetColor(AddedTitleColor(FAddedTitle->Font()->Color(), section.FontColor.Color,
                                             section.HotFontColor.Color, FormActive));
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    if (Layout.Extended) {
        WriteText32(cache, added, false, text, flags, -1, false, &manager);
        return;
    }
    SetTextColor(canvas->Handle(), vcl::ColorToRGB(canvas->Font()->Color()));
    SetBkMode(canvas->Handle(), TRANSPARENT);
    acDrawText(canvas->Handle(), added, text, flags);
}

// ---------------------------------------------------------------------------------------------
// Title buttons

void TsSkinProvider::SaveBGForBtns(bool Full)
{
    TBitmap* cache = FCommonData->FCacheBmp.get();
    const HWND handle = Form->Handle();
    const int width =
        SysBorderWidth(handle, BorderForm.get(), true) + TitleBtnsWidth() + ShadowSize().right + 10;
    const int captionRows = SysBorderHeight(handle, BorderForm.get(), true) + CaptionHeight(true);
    const int height =
        captionRows + SysBorderWidth(handle, BorderForm.get(), false) + MenuHeight() + ShadowSize().top;
    TempBmp->SetPixelFormat(cache->PixelFormat());
    TempBmp->SetSize(width, height);
    CopyPart(TempBmp.get(), TPoint(), cache,
             vcl::Bounds(CaptionWidth() - width - 1, 0, width, Full ? height : captionRows));
}

void TsSkinProvider::RestoreBtnsBG()
{
    if (!TempBmp || TempBmp->Empty())
        return;
    CopyPart(FCommonData->FCacheBmp.get(), TPoint(CaptionWidth() - TempBmp->Width() - 1, 0), TempBmp.get(),
             TRect(0, 0, TempBmp->Width(), TempBmp->Height()));
}

void TsSkinProvider::PaintBorderIcons()
{
    if (!HaveBorder(this))
        return;
    RestoreBtnsBG();
    TsSkinManager& manager = *Manager();
    const HWND handle = Form->Handle();
    const bool zoomed = IsZoomed(handle);
    const auto global = [&manager](const wchar_t* Name) {
        return manager.GetMaskIndex(manager.ConstData.IndexGLobalInfo, L"GLOBALINFO", Name);
    };
    int restore = global(L"BICONNORM");
    if (restore < 0)
        restore = manager.GetMaskIndex(FCommonData->SkinIndex, FCommonData->SkinSection(), L"BICONNORM");
    if (SystemMenu && SystemMenu->VisibleMax())
        ButtonMax.ImageIndex = zoomed ? restore : global(L"BICONMAX");
    const TTitleButtonRects rects = PlaceTitleButtons(FrameLayout(), TitleButtonRow());
    if (SystemMenu && HaveSysMenu) {
        if (!rects.Close.IsEmpty())
            PaintButton(ButtonClose, ButtonClose.ImageIndex, rects.Close, SystemMenu->VisibleClose());
        if (!rects.Max.IsEmpty())
            PaintButton(ButtonMax, ButtonMax.ImageIndex, rects.Max,
                        zoomed ? SystemMenu->EnabledRestore() : SystemMenu->EnabledMax());
        if (!rects.Min.IsEmpty()) {
            const bool iconicChild = IsIconic(handle) && Form != vcl::Application->MainForm();
            PaintButton(ButtonMin, iconicChild ? restore : ButtonMin.ImageIndex, rects.Min,
                        iconicChild ? SystemMenu->EnabledRestore() : SystemMenu->EnabledMin());
        }
        if (!rects.Help.IsEmpty())
            PaintButton(ButtonHelp, ButtonHelp.ImageIndex, rects.Help, true);
    }
    for (int i = 0; i < FTitleButtons->Count(); ++i) {
        TsTitleButton* button = FTitleButtons->Items(i);
        if (!button->Visible())
            continue;
        TsCaptionButton& btn = button->BtnData;
        btn.ImageIndex = button->UseSkinData() && manager.IsValidImgIndex(UserBtnIndex) ? UserBtnIndex : -1;
        btn.HitCode = 1000 + uint32_t(i);
        PaintButton(btn, btn.ImageIndex, rects.User[size_t(i)], button->Enabled());
        PaintUserGlyph(button);
    }
    if (MDIButtonsNeeded())
        PaintMDIButtons(FrameLayout());
}

void TsSkinProvider::PaintButton(TsCaptionButton& Btn, int ImageIndex, const TRect& Rect, bool Enabled)
{
    Btn.Rect = Rect;
    const TsMaskData* mask = ButtonMask(ImageIndex);
    if (!mask)
        return;
    // While its hover animation runs, the animation's window shows the button's state over a
    // plain button: the cache keeps no hot or pressed image for the fade to leave behind.
    const int state = Btn.Timer && Btn.Timer->Enabled() ? 0 : Btn.State;
    const bool faded = state == 0 && (!FormActive || !Enabled);
    DrawSkinGlyph(PixelsOf(FCommonData->FCacheBmp.get()), Rect.TopLeft(), state, faded ? 2 : 1, *mask, TCacheView());
}

void TsSkinProvider::PaintUserGlyph(TsTitleButton* Btn)
{
    TBitmap* glyph = Btn->Glyph();
    if (glyph->Empty())
        return;
    const TRect& r = Btn->BtnData.Rect;
    const TPoint at(r.left + (r.Width() - glyph->Width()) / 2, r.top + (ButtonHeight() - glyph->Height()) / 2);
    const TPixelView cache = PixelsOf(FCommonData->FCacheBmp.get());
    if (glyph->PixelFormat() == vcl::TPixelFormat::pf32bit) {
        CopyByMask(vcl::Bounds(at.x, at.y, glyph->Width(), glyph->Height()), TRect(0, 0, glyph->Width(), glyph->Height()),
                   cache, PixelsOf(glyph), TCacheView(), false);
        return;
    }
    const std::unique_ptr<TBitmap> copy = CreateBmp32(glyph->Width(), glyph->Height());
    copy->Canvas()->Draw(0, 0, glyph);
    const TPixelView pixels = PixelsOf(copy.get());
    CopyTransBitmaps(cache, pixels, at.x, at.y, TsColor::FromInt(pixels.At(0, pixels.Height - 1)));
}

}  // namespace skin
