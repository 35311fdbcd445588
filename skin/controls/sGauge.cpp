#include "skin/controls/sGauge.h"

#include <cmath>
#include <numbers>

#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/acPNG.h"
#include "vcl/classes.h"
#include "vcl/properties.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::TBitmap;
using vcl::TColor;
using vcl::TRect;

int AnimLongDelay = 2222;

namespace {

constexpr UINT TextFlags = DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
const wchar_t* const OutOfRange = L"Value must be between %d and %d";

bool IsBar(TsGaugeKind Kind) { return Kind == TsGaugeKind::gkHorizontalBar || Kind == TsGaugeKind::gkVerticalBar; }

// Copies Src whole onto Dst at (X, Y).
void Blit(TBitmap* Dst, int X, int Y, TBitmap* Src)
{
    const TCanvasLock to(Dst->Canvas()), from(Src->Canvas());
    BitBlt(Dst->Canvas()->Handle(), X, Y, Src->Width(), Src->Height(), Src->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The part R of Src as a bitmap of its own.
std::unique_ptr<TBitmap> Piece(TBitmap* Src, const TRect& R)
{
    auto piece = CreateBmp32(R.Width(), R.Height());
    const TCanvasLock to(piece->Canvas()), from(Src->Canvas());
    BitBlt(piece->Canvas()->Handle(), 0, 0, R.Width(), R.Height(), Src->Canvas()->Handle(), R.left, R.top, SRCCOPY);
    return piece;
}

// A 32-bit bitmap turned a quarter, clockwise or back.
std::unique_ptr<TBitmap> Turned(TBitmap* Src, bool Clockwise)
{
    auto turned = CreateBmp32(Src->Height(), Src->Width());
    MakeRotated90(PixelsOf(Src), PixelsOf(turned.get()), Clockwise);
    return turned;
}

}  // namespace

TsGauge::TsGauge(vcl::TComponent* AOwner)
    : TsSkinnedControl(AOwner, ckGauge), FLongTime(AnimLongDelay + 1), FTimer(vcl::Create<vcl::TTimer>(nullptr))
{
    vcl::TControlStyle style = ControlStyle();
    style << vcl::TControlStyleItem::csOpaque;
    SetControlStyle(style);
    SetBounds(Left(), Top(), 120, 30);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(GaugeTick);
    FTimer->SetOnTimer(vcl::TNotifyEvent(this, &TsGauge::TimerAction));
}

TsGauge::~TsGauge() { FTimer->SetEnabled(false); }

void TsGauge::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"MinValue", &TsGauge::MinValue, &TsGauge::SetMinValue);
    Table.Add(L"MaxValue", &TsGauge::MaxValue, &TsGauge::SetMaxValue);
    Table.Add(L"Progress", &TsGauge::Progress, &TsGauge::SetProgress);
    Table.Add(L"Kind", &TsGauge::Kind, &TsGauge::SetKind);
    Table.Add(L"ShowText", &TsGauge::ShowText, &TsGauge::SetShowText);
    Table.Add(L"BorderStyle", &TsGauge::BorderStyle, &TsGauge::SetBorderStyle);
    Table.Add(L"BackColor", &TsGauge::BackColor, &TsGauge::SetBackColor);
    Table.Add(L"ForeColor", &TsGauge::ForeColor, &TsGauge::SetForeColor);
    Table.Add(L"CalcPercents", &TsGauge::CalcPercents, &TsGauge::SetCalcPercents);
    Table.Add(L"Animated", &TsGauge::Animated, &TsGauge::SetAnimated);
    Table.Add(L"SkinData", &TsGauge::SkinData, &TsGauge::SetSkinData);
}

void TsGauge::Loaded()
{
    inherited::Loaded();
    StartTimer();
}

void TsGauge::StartTimer()
{
    if (!ComponentState().Contains(vcl::TComponentStateItem::csDesigning) && FAnimated && !FTimer->Enabled())
        FTimer->SetEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Values

void TsGauge::SetMinValue(int Value)
{
    if (Value == FMinValue)
        return;
    if (Value > FMaxValue && !ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        throw vcl::EInvalidOperation(vcl::Format(OutOfRange, -2147483647, FMaxValue - 1));
    FMinValue = Value;
    FCurValue = std::max(FCurValue, Value);
    Invalidate();
}

void TsGauge::SetMaxValue(int Value)
{
    if (Value == FMaxValue)
        return;
    if (Value < FMinValue && !ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        throw vcl::EInvalidOperation(vcl::Format(OutOfRange, FMinValue + 1, 2147483647));
    FMaxValue = Value;
    FCurValue = std::min(FCurValue, Value);
    Invalidate();
}

void TsGauge::SetProgress(int Value)
{
    Value = std::clamp(Value, FMinValue, std::max(FMinValue, FMaxValue));
    if (Value == FCurValue)
        return;
    const int before = PercentDone();
    FCurValue = Value;
    if (PercentDone() != before) {
        if (!RestrictDrawing)
            SkinData()->BGChanged = true;
        Invalidate();
    }
    if (FOnChange)
        FOnChange(this);
}

void TsGauge::AddProgress(int Value)
{
    SetProgress(int(std::clamp(int64_t(FCurValue) + Value, int64_t(INT32_MIN), int64_t(INT32_MAX))));
    Invalidate();
}

vcl::String TsGauge::Text() const { return vcl::IntToStr(FCalcPercents ? PercentDone() : FCurValue) + FSuffix; }

void TsGauge::SetForeColor(TColor Value)
{
    FForeColor = Value;
    Repaint();
}

void TsGauge::SetCalcPercents(bool Value)
{
    FCalcPercents = Value;
    SkinData()->Invalidate();
}

void TsGauge::SetSuffix(const vcl::String& Value)
{
    FSuffix = Value;
    SkinData()->Invalidate();
}

void TsGauge::SetProgressSkin(const vcl::String& Value)
{
    FProgressSkin = Value;
    DropProgressBmp();
    SkinData()->BGChanged = true;
    Repaint();
}

void TsGauge::SetAnimated(bool Value)
{
    if (Value == FAnimated)
        return;
    FAnimated = Value;
    if (ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
        return;
    DropProgressBmp();
    FTimer->SetEnabled(Value);
    if (!Value)
        SkinData()->Invalidate();
}

vcl::String TsGauge::ProgressSection() const
{
    if (!FProgressSkin.empty())
        return FProgressSkin;
    return FKind == TsGaugeKind::gkVerticalBar && !FAnimated ? L"PROGRESSV" : L"PROGRESSH";
}

// ---------------------------------------------------------------------------------------------
// The light

void TsGauge::TimerAction(vcl::TObject*)
{
    if (!SkinData()->Skinned()) {
        FTimer->SetEnabled(false);
        return;
    }
    if (FLongTime > AnimLongDelay) {  // a new sweep
        FAnimPos = -AnimSize;
        FLongTime = 0;
    }
    FLongTime += GaugeTick;
    const int length = BarLength();
    if (FAnimPos >= length)
        return;  // waits for the next sweep
    if (Visible() && FCurValue > 0 && Parent() && Parent()->Visible()) {
        PrepareCache();
        UpdateCorners(*SkinData(), 0);
        vcl::TCanvas* canvas = Canvas();
        const TCanvasLock lock(SkinData()->FCacheBmp->Canvas());
        BitBlt(canvas->Handle(), 0, 0, Width(), Height(), SkinData()->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    FAnimPos += AnimStep(length);
}

void TsGauge::UpdateLighting(int Thickness)
{
    FLight.reset();
    TPNGGraphic png;
    try {
        vcl::TResourceStream resource(GetModuleHandleW(nullptr), L"ACGL", RT_RCDATA);
        png.LoadFromStream(&resource);
    } catch (const vcl::Exception&) {
        return;  // a program without the picture shows no light
    }
    FLight = CreateBmp32(AnimSize, Thickness);
    const int height = png.Height();
    int cut = 0;
    if (height > Thickness) {
        const int r = (height - Thickness) / 2 + 1;
        if (Thickness >= 2 * r)
            cut = r;
    }
    png.SetPixelFormat(vcl::TPixelFormat::pf32bit);
    const TCanvasLock to(FLight->Canvas()), from(png.Canvas());
    SetStretchBltMode(FLight->Canvas()->Handle(), COLORONCOLOR);
    StretchBlt(FLight->Canvas()->Handle(), 0, 0, AnimSize, Thickness, png.Canvas()->Handle(), 0, cut, png.Width(),
               height - cut, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsGauge::Paint()
{
    if (SkinData()->Skinned())
        PaintSkinned();
    else
        PaintPlain();
}

void TsGauge::PaintSkinned()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    TsCommonData& data = *SkinData();
    vcl::TCanvas* canvas = Canvas();
    if (data.GetUpdating()) {
        canvas->SetPixels(0, 0, vcl::clFuchsia);
        return;
    }
    PrepareCache();
    UpdateCorners(data, 0);
    const TCanvasLock lock(data.FCacheBmp->Canvas());
    BitBlt(canvas->Handle(), 0, 0, Width(), Height(), data.FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    data.FCacheBmp.reset();  // nothing is kept between paints
}

void TsGauge::PrepareCache()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    TBitmap* cache = data.FCacheBmp.get();
    const TCacheInfo background = GetParentCache(data);
    const TRect whole(0, 0, Width(), Height());
    const vcl::TPoint at(Left(), Top());
    const TsSkinManager* m = data.SkinManager();
    if (data.Section().ReservedBoolean && IsBar(FKind)) {
        PaintItemBG(data, background, 0, whole, at, cache);
        SkinPaintBody();
        if (m->IsValidImgIndex(data.BorderIndex)) {
            TCacheView beneath = CacheView(background);
            beneath.X += Left();
            beneath.Y += Top();
            DrawSkinRect(PixelsOf(cache), whole, beneath, m->ma[size_t(data.BorderIndex)], 0, true);
        }
    } else {
        PaintItem(data, background, 0, whole, at, cache, true);
        SkinPaintBody();
    }
    data.BGChanged = false;
}

void TsGauge::SkinPaintBody()
{
    TsCommonData& data = *SkinData();
    TBitmap* cache = data.FCacheBmp.get();
    if (FShowText) {
        cache->Canvas()->SetFont(Font());
        TRect r(0, 0, Width(), Height());
        const TCanvasLock lock(cache->Canvas());
        WriteTextEx(cache->Canvas(), Text(), Enabled(), r, TextFlags, data, false);
    }
    const TCanvasLock lock(cache->Canvas());
    switch (FKind) {
    case TsGaugeKind::gkHorizontalBar:
    case TsGaugeKind::gkVerticalBar: SkinPaintAsBar(); break;
    case TsGaugeKind::gkPie: SkinPaintAsPie(cache->Canvas(), TRect(0, 0, Width(), Height())); break;
    case TsGaugeKind::gkNeedle: SkinPaintAsNeedle(cache->Canvas(), TRect(0, 0, Width(), Height())); break;
    case TsGaugeKind::gkText: break;
    }
}

void TsGauge::WriteTextAt(TBitmap* Bmp, const vcl::TPoint& Origin, int Index)
{
    Bmp->Canvas()->SetFont(Font());
    TRect r(-Origin.x, -Origin.y, Width() - Origin.x, Height() - Origin.y);
    const TCanvasLock lock(Bmp->Canvas());
    WriteTextEx(Bmp->Canvas(), Text(), Enabled(), r, TextFlags, Index, false, SkinData()->SkinManager());
}

void TsGauge::SkinPaintAsBar()
{
    TsSkinManager* m = SkinData()->SkinManager();
    TBitmap* cache = SkinData()->FCacheBmp.get();
    const bool standing = FKind == TsGaugeKind::gkVerticalBar;
    vcl::String section = ProgressSection();
    int index = m->GetSkinIndex(section);
    if (standing && !FAnimated && m->IsValidSkinIndex(index)) {
        PaintStandingBar(index, section);
        return;
    }
    if (!m->IsValidSkinIndex(index)) {
        section = L"PROGRESSH";
        index = m->GetSkinIndex(section);
    }
    const int length = std::min(SolveForX(PercentDone(), BarLength()), BarLength());
    if (length <= 0 || !m->IsValidSkinIndex(index))
        return;
    if (!standing) {
        const auto work = CreateBmp32(length, Height());
        PaintLyingBar(work.get(), cache, index, section);
        if (FShowText)
            WriteTextAt(work.get(), vcl::TPoint(0, 0), index);
        Blit(cache, 0, 0, work.get());
        return;
    }
    // Standing: painted lying in a space turned a quarter clockwise, the bottom at the start.
    const auto background = Turned(cache, true);
    const auto work = CreateBmp32(length, Width());
    PaintLyingBar(work.get(), background.get(), index, section);
    const auto upright = Turned(work.get(), false);
    const int top = Height() - length;
    if (FShowText)
        WriteTextAt(upright.get(), vcl::TPoint(0, top), index);
    Blit(cache, 0, top, upright.get());
}

void TsGauge::PaintStandingBar(int ProgressIndex, const vcl::String& Section)
{
    TsSkinManager* m = SkinData()->SkinManager();
    TBitmap* cache = SkinData()->FCacheBmp.get();
    const int length = std::min(SolveForX(PercentDone(), Height()), Height());
    if (length <= 0)
        return;
    const auto bar = CreateBmp32(Width(), length);
    const TCacheInfo beneath{cache, 0, 0, vcl::clFuchsia, true};
    skin::PaintItem(ProgressIndex, Section, beneath, 0, TRect(0, 0, Width(), length),
                    vcl::TPoint(0, Height() - length), bar.get(), m);
    if (FShowText)
        WriteTextAt(bar.get(), vcl::TPoint(0, Height() - length), ProgressIndex);
    Blit(cache, 0, Height() - length, bar.get());
}

void TsGauge::PaintLyingBar(TBitmap* Work, TBitmap* Background, int ProgressIndex, const vcl::String& Section)
{
    TsSkinManager* m = SkinData()->SkinManager();
    const bool plainBackground = SkinData()->Section().ReservedBoolean;
    const int length = Work->Width(), thickness = Work->Height();
    const TRect whole(0, 0, length, thickness);
    const bool light = FAnimated && FAnimPos < AnimSize + length;
    TRect cut;
    std::unique_ptr<TBitmap> lightMask;
    if (light) {
        if (!FLight || FLight->Width() != AnimSize || FLight->Height() != thickness)
            UpdateLighting(thickness);
        cut = TRect(0, 0, AnimSize, thickness).Offsetted(FAnimPos, 0).Intersected(whole);
        const int lrgn = plainBackground ? -1 : m->GetMaskIndex(ProgressIndex, Section, L"LRGN");
        if (m->IsValidImgIndex(lrgn) && !cut.IsEmpty()) {
            FillRect32(PixelsOf(Work), whole, vcl::clWhite);
            DrawSkinRect(PixelsOf(Work), whole, TCacheView{}, m->ma[size_t(lrgn)], 0, false);
            lightMask = Piece(Work, cut);
        }
    }
    if (FTmpProgressBmp && FTmpProgressBmp->Width() == length && FTmpProgressBmp->Height() == thickness) {
        Blit(Work, 0, 0, FTmpProgressBmp.get());
    } else {
        const TCacheInfo beneath{Background, 0, 0, vcl::clFuchsia, true};
        if (plainBackground)
            PaintItemBG(ProgressIndex, Section, beneath, 0, whole, vcl::TPoint(0, 0), Work, m, -1, -1);
        else
            skin::PaintItem(ProgressIndex, Section, beneath, 0, whole, vcl::TPoint(0, 0), Work, m);
        FTmpProgressBmp = Piece(Work, whole);
    }
    if (!light || !FLight || cut.IsEmpty())
        return;
    const int from = std::max(0, -FAnimPos);
    const TRect lightPart(from, 0, from + cut.Width(), thickness);
    if (lightMask) {
        const auto under = Piece(Work, cut);
        const auto glow = Piece(FLight.get(), lightPart);
        SumByMaskWith32(PixelsOf(under.get()), PixelsOf(glow.get()), PixelsOf(lightMask.get()),
                        TRect(0, 0, cut.Width(), cut.Height()));
        Blit(Work, cut.left, cut.top, under.get());
    } else {
        CopyBmp32(cut, lightPart, PixelsOf(Work), PixelsOf(FLight.get()), CacheView(acEmptyCI), false, vcl::clNone, 0,
                  false);
    }
}

void TsGauge::SkinPaintAsPie(vcl::TCanvas* Canvas, const TRect& R)
{
    const int w = std::max(0, int(R.Width())), h = std::max(0, int(R.Height()));
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(FForeColor);
    Canvas->Brush()->SetStyle(vcl::TBrushStyle::bsSolid);
    Canvas->Ellipse(R.left, R.top, w, h);
    const int percent = PercentDone();
    if (percent < 1)
        return;
    Canvas->Brush()->SetColor(FForeColor);
    const int mx = w / 2, my = h / 2;
    const double a = (percent / 50.0 + 0.5) * std::numbers::pi;
    Canvas->Pie(R.left, R.top, w, h, int(std::nearbyint(mx * (1 - std::cos(a)))), int(std::nearbyint(my * (1 - std::sin(a)))),
                mx, 0);
}

void TsGauge::SkinPaintAsNeedle(vcl::TCanvas* Canvas, const TRect& R)
{
    const int w = std::max(0, int(R.Width())), h = std::max(0, int(R.Height()));
    Canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    Canvas->Pen()->SetWidth(1);
    const auto halfEllipse = [&] {
        Canvas->Pie(R.left, R.top, w, 2 * h - 1, R.left + w, R.bottom - 1, R.left, R.bottom - 1);
    };
    halfEllipse();
    Canvas->MoveTo(R.left, R.bottom);
    Canvas->LineTo(R.left + w, R.bottom);
    Canvas->Pen()->SetStyle(vcl::TPenStyle::psSolid);
    Canvas->Pen()->SetColor(FForeColor);
    halfEllipse();
    const int percent = PercentDone();
    if (percent < 1)
        return;
    const int m = Width() / 2;
    const double a = percent / 100.0 * std::numbers::pi;
    Canvas->MoveTo(Width() / 2, R.bottom - 1);
    Canvas->LineTo(int(std::nearbyint(m * (1 - std::cos(a)))), int(std::nearbyint((R.bottom - 1) * (1 - std::sin(a)))));
}

// Without a skin: the look combined onto black, then the text in white combined onto that, so it
// shows inverted against what lies under it.
void TsGauge::PaintPlain()
{
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0)
        return;
    TRect r = ClientRect();
    if (FBorderStyle == vcl::TBorderStyle::bsSingle)
        r.Inflate(-1, -1);
    const auto image = CreateBmp32(W, H);
    const auto look = CreateBmp32(W, H);
    vcl::TCanvas* c = look->Canvas();
    {
        const TCanvasLock lock(c);
        c->Brush()->SetStyle(vcl::TBrushStyle::bsSolid);
        c->Brush()->SetColor(FKind == TsGaugeKind::gkPie || FKind == TsGaugeKind::gkNeedle ? Color() : FBackColor);
        c->FillRect(r);
        const int percent = PercentDone();
        if (FKind == TsGaugeKind::gkHorizontalBar || FKind == TsGaugeKind::gkVerticalBar) {
            const int w = r.right - r.left + 1, h = r.bottom - r.top + 1;
            c->Brush()->SetColor(FForeColor);
            if (FKind == TsGaugeKind::gkHorizontalBar) {
                if (const int length = std::min(SolveForX(percent, w), w); length > 0)
                    c->FillRect(TRect(r.left, r.top, length, h));
            } else if (int length = SolveForX(percent, h); length > 0) {
                if (length >= h)
                    length = r.bottom - r.top;
                c->FillRect(TRect(r.left, h - length, w, h));
            }
        } else if (FKind != TsGaugeKind::gkText) {
            const int grow = FBorderStyle == vcl::TBorderStyle::bsSingle ? 1 : 0;
            const TRect shape(r.left, r.top, r.left + r.Width() + grow, r.top + r.Height() + grow);
            c->Brush()->SetColor(FBackColor);
            if (FKind == TsGaugeKind::gkPie)
                SkinPaintAsPie(c, shape);
            else
                SkinPaintAsNeedle(c, shape);
        }
    }
    Blit(image.get(), 0, 0, look.get());
    if (FShowText) {
        const auto text = CreateBmp32(W, H);
        vcl::TCanvas* t = text->Canvas();
        const TCanvasLock lock(t);
        t->SetFont(Font());
        t->Font()->SetColor(vcl::clWhite);
        t->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
        const vcl::String s = Text();
        const vcl::TSize size = acTextExtent(t, s);
        t->TextOut((r.right + 1 - r.left - size.cx) / 2, (r.bottom - r.top - size.cy + 1) / 2, s);
        const TCanvasLock to(image->Canvas());
        BitBlt(image->Canvas()->Handle(), 0, 0, W, H, t->Handle(), 0, 0, SRCINVERT);
    }
    const TCanvasLock from(image->Canvas());
    BitBlt(Canvas()->Handle(), 0, 0, W, H, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Skin commands

bool TsGauge::EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message)
{
    TsCommonData& data = *SkinData();
    const bool own = Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager());
    switch (Cmd) {
    case scmdSkinRemoved:
        if (!own)
            return true;
        if (FAnimated)
            FTimer->SetEnabled(false);
        DropProgressBmp();
        CommonWndProc(Message, &data);
        Repaint();
        return true;
    case scmdRepaint:
        if (!own)
            return true;
        DropProgressBmp();
        CommonWndProc(Message, &data);
        Repaint();
        StartTimer();
        return true;
    case scmdDropCache:
        DropProgressBmp();
        return false;
    default:
        return inherited::EarlySkinCommand(Cmd, Message);
    }
}

void TsGauge::UnskinnedMessage(vcl::TMessage& Message) { InheritedWndProc(Message); }

}  // namespace skin
