#include "skin/controls/sBevel.h"

#include "skin/graphics/BitmapView.h"

namespace skin {

using vcl::TBevelShape;
using vcl::TRect;

namespace {

constexpr int Thickness = 3;

}  // namespace

const wchar_t* BevelSection(TBevelShape Shape, vcl::TBevelStyle Style)
{
    if (Shape == TBevelShape::bsFrame)
        return L"GROUPBOX";
    return Style == vcl::TBevelStyle::bsRaised ? L"PANEL" : L"PANEL_LOW";
}

std::vector<TRect> BevelPieces(TBevelShape Shape, int W, int H)
{
    const int t = Thickness;
    switch (Shape) {
    case TBevelShape::bsBox:
    case TBevelShape::bsFrame:
        return {TRect(0, 0, W, t), TRect(0, H - t, W, H), TRect(0, t, t, H - t), TRect(W - t, t, W, H - t)};
    case TBevelShape::bsTopLine: return {TRect(t, 0, W - t, t)};
    case TBevelShape::bsBottomLine: return {TRect(t, H - t, W - t, H)};
    case TBevelShape::bsLeftLine: return {TRect(0, t, t, H - t)};
    case TBevelShape::bsRightLine: return {TRect(W - t, t, W, H - t)};
    default: return {};
    }
}

TsBevel::TsBevel(vcl::TComponent* AOwner) : TsSkinnedControl(AOwner, ckSpeedButton) {}

void TsBevel::AfterConstruction()
{
    CheckSkinSection();
    inherited::AfterConstruction();
}

void TsBevel::Loaded()
{
    CheckSkinSection();
    inherited::Loaded();
}

void TsBevel::CheckSkinSection()
{
    FStoredBevel = Style();
    FStoredShape = Shape();
    SkinData()->SetSkinSection(BevelSection(Shape(), Style()));
}

void TsBevel::Invalidate()
{
    if (Style() != FStoredBevel || Shape() != FStoredShape) {
        CheckSkinSection();
        SkinData()->BGChanged = true;
    }
    inherited::Invalidate();
}

// The cache is rendered on every paint while it is marked stale, which the bevel never clears.
void TsBevel::Paint()
{
    TsCommonData& data = *SkinData();
    if (!data.Skinned() || Shape() == TBevelShape::bsSpacer) {
        vcl::TBevel::Paint();
        return;
    }
    const int W = Width(), H = Height();
    if (data.BGChanged) {
        InitCacheBmp(data);
        PaintItem(data.SkinIndex, data.SkinSection(), GetParentCache(this), 0, TRect(0, 0, W, H),
                  vcl::TPoint(Left(), Top()), data.FCacheBmp.get(), data.SkinManager());
    }
    vcl::TCanvas* cache = data.FCacheBmp->Canvas();
    const TCanvasLock lock(cache);
    const HDC dc = Canvas()->Handle();
    for (const TRect& r : BevelPieces(Shape(), W, H))
        if (r.Width() > 0 && r.Height() > 0)
            BitBlt(dc, r.left, r.top, r.Width(), r.Height(), cache->Handle(), r.left, r.top, SRCCOPY);
}

// A redraw renders the bevel again at once, then goes the common way.
bool TsBevel::EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message)
{
    if (Cmd != scmdRedraw)
        return inherited::EarlySkinCommand(Cmd, Message);
    SkinData()->FUpdating = false;
    SkinData()->BGChanged = true;
    Repaint();
    return false;
}

bool TsBevel::SkinnedMessage(vcl::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (Visible())
            SkinData()->BGChanged = true;
        return false;
    case WM_ERASEBKGND:
        return true;
    default:
        return inherited::SkinnedMessage(Message);
    }
}

}  // namespace skin
