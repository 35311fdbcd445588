// The label whose text casts a blurred shadow, and its option objects.
#include "skin/controls/sLabel.h"

#include <algorithm>

#include "skin/core/sSkinManager.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TColor;
using vcl::TRect;

// =============================================================================================
// The shadow's pixel work

void BlurShadowMask(const TPixelView& Mask, std::vector<uint8_t>& Weights, int Passes)
{
    const int width = std::max(Mask.Width, 0), height = std::max(Mask.Height, 0);
    const int stride = width + 2, rows = height + 2;
    const size_t used = size_t(2) * size_t(stride) * size_t(rows);
    if (Weights.size() < used)
        Weights.resize(used);
    std::fill_n(Weights.begin(), used, uint8_t(0));
    for (int pass = 0; pass < Passes; ++pass) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (px::B(Mask.At(x, y)) != 0)
                    Weights[size_t((y + 1) * stride + x + 1)] = 255;
        for (int y = 1; y <= height; ++y)
            for (int x = 1; x <= width; ++x) {
                uint8_t* w = &Weights[size_t(y * stride + x)];
                *w = uint8_t((w[-stride] + w[stride] + w[-1] + w[1]) >> 2);
            }
    }
}

void LayShadow(const TPixelView& Bmp, const std::vector<uint8_t>& Weights, TColor Shadow, TColor Background)
{
    const uint32_t shadow = px::FromColor(TColor(vcl::ColorToRGB(Shadow)), 0);
    const bool opaque = Background != vcl::clNone;
    const uint32_t background = opaque ? px::FromColor(TColor(vcl::ColorToRGB(Background)), 0) : 0;
    const int stride = Bmp.Width + 2;
    const auto mix = [](int c, int s, int w) { return (c * (255 - w) + s * w) >> 8; };
    for (int y = 0; y < Bmp.Height; ++y)
        for (int x = 0; x < Bmp.Width; ++x) {
            const int w = Weights[size_t((y + 1) * stride + x + 1)];
            uint32_t& p = Bmp.At(x, y);
            const uint32_t c = opaque ? background : p;
            p = px::Make(mix(px::B(c), px::B(shadow), w), mix(px::G(c), px::G(shadow), w),
                         mix(px::R(c), px::R(shadow), w), px::A(p));
        }
}

// =============================================================================================
// TsShadow and TsKind

void TsShadow::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"Mode", &TsShadow::Mode, &TsShadow::SetMode);
    Table.Add(L"Color", &TsShadow::Color, &TsShadow::SetColor);
    Table.Add(L"BlurCount", &TsShadow::BlurCount, &TsShadow::SetBlurCount);
    Table.Add(L"Distance", &TsShadow::Distance, &TsShadow::SetDistance);
}

template<class T>
void TsShadow::Change(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    FParentControl->Invalidate();
}

void TsShadow::SetMode(TsShadowMode Value) { Change(FMode, Value); }
void TsShadow::SetColor(TColor Value) { Change(FColor, Value); }
void TsShadow::SetBlurCount(int Value) { Change(FBlurCount, Value); }
void TsShadow::SetDistance(int Value) { Change(FDistance, Value); }

void TsShadow::Assign(vcl::TPersistent* Source)
{
    const auto* shadow = dynamic_cast<TsShadow*>(Source);
    if (!shadow) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    SetMode(shadow->Mode());
    SetColor(shadow->Color());
    SetBlurCount(shadow->BlurCount());
    SetDistance(shadow->Distance());
}

void TsKind::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"KindType", &TsKind::KindType, &TsKind::SetKindType);
    Table.Add(L"Color", &TsKind::Color, &TsKind::SetColor);
}

template<class T>
void TsKind::Change(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    FOwner->Invalidate();
}

void TsKind::SetKindType(TsKindType Value) { Change(FKindType, Value); }
void TsKind::SetColor(TColor Value) { Change(FColor, Value); }

void TsKind::Assign(vcl::TPersistent* Source)
{
    const auto* kind = dynamic_cast<TsKind*>(Source);
    if (!kind) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    SetKindType(kind->KindType());
    SetColor(kind->Color());
}

// =============================================================================================
// TsLabelFX

void TsLabelFX::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"Kind", &TsLabelFX::Kind, &TsLabelFX::SetKind);
    Table.Add(L"Shadow", &TsLabelFX::Shadow, &TsLabelFX::SetShadow);
}

TsLabelFX::TsLabelFX(vcl::TComponent* AOwner)
    : TsCustomLabel(AOwner), FMask(CreateBmp32(0, 0)), FShadow(std::make_unique<TsShadow>(this)),
      FKind(std::make_unique<TsKind>(this))
{
}

TsLabelFX::~TsLabelFX() = default;

TsLabelFX::TShadowLook TsLabelFX::ShadowLook() const
{
    const TShadowLook own{FShadow->Color(), FShadow->BlurCount(), FShadow->Distance()};
    switch (FShadow->Mode()) {
    case TsShadowMode::smNone: return {vcl::clBlack, 0, 0};
    case TsShadowMode::smCustom: return own;
    case TsShadowMode::smSkin1:
        if (const TsSkinManager* manager = ManagerInForce(); manager && manager->SkinData->Shadow1Blur != -1) {
            const TsSkinData& skin = *manager->SkinData;
            return {skin.Shadow1Color, skin.Shadow1Blur, skin.Shadow1Offset};
        }
        return own;
    }
    return own;
}

TColor TsLabelFX::KindColor()
{
    switch (FKind->KindType()) {
    case TsKindType::ktStandard: return Color();
    case TsKindType::ktCustom: return FKind->Color();
    case TsKindType::ktSkin: break;
    }
    const TsSkinManager* manager = ManagerInForce();
    if (!manager)
        return FKind->Color();
    if (!SkinSection().empty())
        FSkinIndex = manager->GetSkinIndex(SkinSection());
    if (FSkinIndex >= 0)
        return vcl::clNone;
    const int g = manager->ConstData.IndexGLobalInfo;
    if (manager->IsValidSkinIndex(g) && manager->gd[size_t(g)].FontColor.Left != TColor(-1))
        return manager->gd[size_t(g)].FontColor.Left;
    return FKind->Color();
}

void TsLabelFX::BuildShadow(const vcl::String& Text, const TRect& Rect, UINT Flags, const TShadowLook& Look)
{
    const int width = std::max(int(Rect.Width()), 0), height = std::max(int(Rect.Height()), 0);
    FMask->SetSize(width, height);
    vcl::TCanvas* mask = FMask->Canvas();
    const TCanvasLock lock(mask);
    FillDC(mask->Handle(), TRect(0, 0, width, height), vcl::clBlack);
    mask->SetFont(Font());
    mask->Font()->SetColor(vcl::clWhite);
    mask->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    TRect text(Rect.left - OffsTopLeft, Rect.top - OffsTopLeft, Rect.right - OffsRightBottom,
               Rect.bottom - OffsRightBottom);
    text.Offset(Look.Distance, Look.Distance);
    mask->TextRect(text, Text, Flags);
    const TPixelView pixels = PixelsOf(FMask.get());
    BlurShadowMask(pixels, FMaskBits, Look.Blur);
    if (Transparent()) {
        BitBlt(mask->Handle(), 0, 0, width, height, Canvas()->Handle(), 0, 0, SRCCOPY);
        LayShadow(pixels, FMaskBits, Look.Color);
    } else {
        LayShadow(pixels, FMaskBits, Look.Color, Color());
    }
}

void TsLabelFX::DoDrawText(TRect& Rect, UINT Flags)
{
    if (IsLoading() || (FShadow->Mode() == TsShadowMode::smNone && FSkinIndex < 0)) {
        TsCustomLabel::DoDrawText(Rect, Flags);
        return;
    }
    const TShadowLook look = ShadowLook();
    OffsTopLeft = std::min(look.Distance - look.Blur, 0);
    OffsRightBottom = std::max(look.Distance + look.Blur, 0);
    if (!Enabled()) {  // the class library's engraved text
        vcl::TCustomLabel::DoDrawText(Rect, Flags);
        return;
    }
    const vcl::String text = DrawnText(Flags);
    vcl::TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    if (const TColor colour = KindColor(); colour != vcl::clNone)
        canvas->Font()->SetColor(colour);
    if ((Flags & DT_CALCRECT) || look.Color == vcl::clNone || look.Blur == 0) {
        canvas->TextRect(Rect, text, Flags);
        if (Flags & DT_CALCRECT) {
            Rect.right += OffsRightBottom - OffsTopLeft;
            Rect.bottom += OffsRightBottom - OffsTopLeft;
        }
        return;
    }
    BuildShadow(text, Rect, Flags, look);
    {
        const TCanvasLock lock(FMask->Canvas());
        BitBlt(canvas->Handle(), 0, 0, FMask->Width(), FMask->Height(), FMask->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    TRect inner(Rect.left - OffsTopLeft, Rect.top - OffsTopLeft, Rect.right - OffsRightBottom,
                Rect.bottom - OffsRightBottom);
    if (FSkinIndex < 0)
        canvas->TextRect(inner, text, Flags);
    else
        acWriteTextEx(canvas, text, Enabled(), inner, Flags, FSkinIndex, false, DefaultManager);
}

}  // namespace skin
