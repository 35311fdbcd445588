#include "skin/controls/acGlyphPaint.h"

#include <algorithm>
#include <memory>

#include "skin/controls/sBitBtn.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConst.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TBitmap;
using vcl::TCanvas;
using vcl::TColor;
using vcl::TPixelFormat;
using vcl::TRect;
using Kind = TsDisabledGlyphKindItem;

namespace {

bool Skinned(const TGlyphSource& S) { return S.SkinData && S.SkinData->Skinned(); }

// Grey toward the button's background while grayed in the normal state or disabled with dgGrayed.
TColor TintColour(const TGlyphSource& S)
{
    if (!((S.State == 0 && S.Grayed) || (!S.Enabled && S.DisabledGlyphKind.Contains(Kind::dgGrayed))))
        return vcl::clNone;
    if (Skinned(S))
        return S.SkinData->Section().Color;
    return TColor(vcl::ColorToRGB(vcl::clBtnFace));
}

// The canvas's area of the button as a 32-bit bitmap, drawn into by Paint and copied back.
template<class F>
void ThroughCopy(TCanvas* Canvas, const vcl::TSize& Size, F Paint)
{
    std::unique_ptr<TBitmap> copy = CreateBmp32(Size.cx, Size.cy);
    const TCanvasLock lock(copy->Canvas());
    BitBlt(copy->Canvas()->Handle(), 0, 0, Size.cx, Size.cy, Canvas->Handle(), 0, 0, SRCCOPY);
    Paint(copy.get());
    BitBlt(Canvas->Handle(), 0, 0, Size.cx, Size.cy, copy->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// A device-dependent glyph, or the glyph of a disabled button, becomes a DIB; a 32-bit one whose
// alpha channel is empty is not taken for transparent and becomes 24-bit. The glyph's change
// notification is off meanwhile, so that the button does not repaint while it paints.
void Normalise(TBitmap* Glyph, bool Enabled)
{
    if (Glyph->PixelFormat() != TPixelFormat::pfDevice && Enabled)
        return;
    const vcl::TNotifyEvent saved = Glyph->OnChange();
    Glyph->SetOnChange(nullptr);
    Glyph->SetHandleType(vcl::TBitmapHandleType::bmDIB);
    if (Glyph->PixelFormat() == TPixelFormat::pf32bit) {
        const TPixelView px = PixelsOf(Glyph);
        bool opaque = false;
        for (int y = 0; y < px.Height && !opaque; ++y)
            for (int x = 0; x < px.Width && !opaque; ++x)
                opaque = (px.At(x, y) >> 24) == 255;
        if (!opaque)
            Glyph->SetPixelFormat(TPixelFormat::pf24bit);
    }
    Glyph->SetOnChange(saved);
}

// One column of a 32-bit glyph strip onto another canvas: more transparent by the blend (at least
// half for a disabled dgBlended button) in the normal state, grey where the look asks for it.
void Paint32OnCanvas(const TGlyphSource& S, const TRect& Column, TCanvas* Canvas)
{
    std::unique_ptr<TBitmap> image = CreateBmp32(Column.Width(), Column.Height());
    const TPixelView dst = PixelsOf(image.get());
    const TPixelView src = PixelsOf(S.Glyph);
    int blend = S.Blend;
    if (!S.Enabled && S.DisabledGlyphKind.Contains(Kind::dgBlended))
        blend = std::max(blend, 50);
    for (int y = 0; y < dst.Height; ++y)
        for (int x = 0; x < dst.Width; ++x) {
            uint32_t p = src.At(Column.left + x, Column.top + y);
            if (S.State == 0 && blend != 0)
                p = (p & 0x00FFFFFF) | ((p >> 24) * uint32_t(100 - blend) / 100) << 24;
            dst.At(x, y) = p;
        }
    if ((!S.Enabled && S.DisabledGlyphKind.Contains(Kind::dgGrayed)) || (S.State == 0 && S.Grayed))
        GrayScale(dst);
    const TRect at(S.Rect.left, S.Rect.top, S.Rect.left + Column.Width(), S.Rect.top + Column.Height());
    ThroughCopy(Canvas, S.Size, [&](TBitmap* copy) {
        CopyBmp32(at, TRect(0, 0, Column.Width(), Column.Height()), PixelsOf(copy), dst, CacheView(acEmptyCI), false,
                  vcl::clNone, 0, false);
    });
}

void PaintGlyphBitmap(const TGlyphSource& S, TCanvas* Canvas, TBitmap* Cache)
{
    Normalise(S.Glyph, S.Enabled);
    if (S.Glyph->PixelFormat() == TPixelFormat::pf32bit) {
        const int w = S.Rect.Width();
        const int column = std::min(S.State, S.NumGlyphs - 1);
        const TRect from(column * w, 0, column * w + w, S.Glyph->Height());
        if (!Canvas) {
            const TRect to(S.Rect.left, S.Rect.top, S.Rect.left + w, S.Rect.top + S.Glyph->Height());
            CopyBmp32(to, from, PixelsOf(Cache), PixelsOf(S.Glyph), CacheView(acEmptyCI), false, TintColour(S),
                      S.State == 0 ? S.Blend : 0, S.Reflected);
        } else {
            Paint32OnCanvas(S, from, Canvas);
        }
        return;
    }
    const auto draw = [&](TBitmap* Target) {
        DrawGlyphEx(S.Glyph, Target, S.Rect, S.NumGlyphs, S.Enabled, S.DisabledGlyphKind, S.State, S.Blend, S.Down);
    };
    if (!Canvas)
        draw(Cache);
    else
        ThroughCopy(Canvas, S.Size, draw);
}

// An image of a list that is not an alpha image list, through a working bitmap filled with the
// list's background colour (magenta without one), which then is the key colour.
void PaintListImage(const TGlyphSource& S, TCanvas* Canvas, TBitmap* Cache)
{
    vcl::TCustomImageList* list = S.Images;
    std::unique_ptr<TBitmap> work = CreateBmp32(list->Width(), list->Height());
    const TColor fill = list->BkColor() == vcl::clNone ? vcl::clFuchsia : list->BkColor();
    FillRect32(PixelsOf(work.get()), TRect(0, 0, list->Width(), list->Height()), fill);
    const TPixelView px = PixelsOf(work.get());
    const TsColor key = TsColor::FromInt(px.At(0, 0));
    list->GetBitmap(S.ImageIndex, work.get());
    const auto grey = [&] { GrayScaleTrans(px, TsColor::FromInt(px.At(0, 0))); };
    if (!Skinned(S)) {
        if (!S.Enabled && S.DisabledGlyphKind.Contains(Kind::dgGrayed))
            grey();
        ThroughCopy(Canvas, S.Size, [&](TBitmap* copy) {
            CopyTransBitmaps(PixelsOf(copy), px, S.Rect.left, S.Rect.top, TsColor::FromInt(0x00FF00FF));
        });
        return;
    }
    const TPixelView cache = PixelsOf(Cache);
    const auto blendOnto = [&](double Blend) {
        BlendTransRectangle(cache, S.Rect.left, S.Rect.top, px, TRect(0, 0, px.Width - 1, px.Height - 1), Blend,
                            vcl::clFuchsia);
    };
    if (S.Enabled) {
        const bool active = ControlIsActive(*S.SkinData);
        if (S.Grayed && !active)
            grey();
        if (active || S.Blend < 1)
            CopyTransBitmaps(cache, px, S.Rect.left, S.Rect.top, key);
        else
            blendOnto(S.Blend / 100.0);
    } else if (S.DisabledGlyphKind.Contains(Kind::dgGrayed)) {
        grey();
        if (S.DisabledGlyphKind.Contains(Kind::dgBlended))
            blendOnto(0.5);
        else
            CopyTransBitmaps(cache, px, S.Rect.left, S.Rect.top, key);
    } else if (S.DisabledGlyphKind.Contains(Kind::dgBlended)) {
        blendOnto(0.5);
    } else {
        CopyTransBitmaps(cache, px, S.Rect.left, S.Rect.top, key);
    }
}

void PaintImageList(const TGlyphSource& S, TCanvas* Canvas, TBitmap* Cache)
{
    if (dynamic_cast<TsAlphaImageList*>(S.Images)) {
        const int blend = std::max(S.State == 0 ? S.Blend : 0,
                                   !S.Enabled && S.DisabledGlyphKind.Contains(Kind::dgBlended) ? 50 : 0);
        const int state = S.State + (S.Down ? 1 : 0);
        if (Skinned(S))
            DrawAlphaImgList(S.Images, S.SkinData->FCacheBmp.get(), S.Rect.left, S.Rect.top, S.ImageIndex, blend,
                             TintColour(S), state, S.NumGlyphs, S.Reflected);
        else
            DrawAlphaImgListDC(S.Images, Canvas->Handle(), S.Rect.left, S.Rect.top, S.ImageIndex, blend,
                               TintColour(S), state, S.NumGlyphs, S.Reflected);
        return;
    }
    PaintListImage(S, Canvas, Cache);
}

}  // namespace

bool HasImage(const vcl::TCustomImageList* List, int Index) { return List && Index >= 0 && Index < List->Count(); }

void ShowGlyphChange(const vcl::TControl& Button, TsCommonData& SkinData)
{
    const vcl::TComponentState cs = Button.ComponentState();
    if (cs.Contains(vcl::TComponentStateItem::csLoading) || cs.Contains(vcl::TComponentStateItem::csDestroying) ||
        Button.ControlState().Contains(vcl::TControlStateItem::csCreating))
        return;
    SkinData.Invalidate();
}

void PaintGlyph(const TGlyphSource& S, TCanvas* Canvas)
{
    TBitmap* cache = S.SkinData ? S.SkinData->FCacheBmp.get() : nullptr;
    // No canvas, or the cache's own: the cache.
    if (Canvas && cache && Canvas == cache->Canvas())
        Canvas = nullptr;
    if (!Canvas && !cache)
        return;
    const TCanvasLock lock(Canvas ? Canvas : cache->Canvas());
    if (S.Glyph && !S.Glyph->Empty())
        PaintGlyphBitmap(S, Canvas, cache);
    else if (HasImage(S.Images, S.ImageIndex))
        PaintImageList(S, Canvas ? Canvas : cache->Canvas(), cache);
}

void PaintButtonGlyph(vcl::TControl* Control, TCanvas* Canvas)
{
    TGlyphSource s;
    if (auto* speed = dynamic_cast<TsSpeedButton*>(Control)) {
        s = speed->GlyphSource();
    } else if (auto* button = dynamic_cast<TsButton*>(Control)) {
        s = button->GlyphSource();
    } else if (auto* bitBtn = dynamic_cast<TsBitBtn*>(Control)) {
        s = bitBtn->GlyphSource();
    } else {
        return;
    }
    PaintGlyph(s, Canvas);
}

const vcl::TStringList& NeverSkinnedClasses()
{
    static const vcl::TObjectPtr<vcl::TStringList> list = [] {
        vcl::TObjectPtr<vcl::TStringList> l(vcl::Create<vcl::TStringList>());
        l->SetSorted(true);
        l->Add(L"TApplication");
        l->Add(L"TfcPopup");
        return l;
    }();
    return *list;
}

bool IsNeverSkinned(const vcl::String& ClassName)
{
    const vcl::TStringList& list = NeverSkinnedClasses();
    for (int i = 0; i < list.Count(); ++i)
        if (list.Strings(i) == ClassName)
            return true;
    return false;
}

}  // namespace skin
