#include "skin/core/acGlow.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TRect;

bool bGlowingDestroying = false;

namespace {

// Layered, transparent to the mouse, kept off the taskbar and never activated.
constexpr LONG_PTR GlowExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
// The image's own alpha per pixel, the window's whole.
constexpr BLENDFUNCTION GlowBlend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

// The glows shown; an id is an index, a hidden glow leaves its entry empty.
std::vector<vcl::TObjectPtr<TacGlowEffect>> Glows;

// The pixels cut off one side of the glow image: none where the control is not hidden, else the
// hidden part and the image's border beyond the margin.
int SideCut(int Hidden, int Border, int Margin) { return Hidden != 0 ? std::max(0, Border + Hidden - Margin) : 0; }

}  // namespace

// Where the glow window goes in z-order: at the top for a topmost owner, else just above the owner
// (under the window that precedes it, or under the owner itself when none does). None when the glow
// is that window already.
HWND InsertAfter(HWND Owner, HWND Glow)
{
    if (GetWindowLongPtrW(Owner, GWL_EXSTYLE) & WS_EX_TOPMOST)
        return HWND_TOPMOST;
    const HWND previous = GetWindow(Owner, GW_HWNDPREV);
    if (previous == Glow)
        return nullptr;
    return previous ? previous : Owner;
}

namespace {

// Frees every glow; the unit's shut-down.
struct TGlowsShutDown {
    ~TGlowsShutDown() { ClearGlows(false); }
};
const TGlowsShutDown GlowsShutDown;

}  // namespace

// ---------------------------------------------------------------------------------------------
// The registry

int ShowGlow(const TRect& R, const TRect& RealRect, const vcl::String& SkinSection, const vcl::String& Name, int Margin,
             int Alpha, HWND WndHandle, TsSkinManager* SkinManager)
{
    TsSkinManager* manager = SkinManager ? SkinManager : DefaultManager;
    if (!acLayered() || !manager)
        return -1;
    const int mask = manager->GetMaskIndex(SkinSection, Name + L"0");
    if (mask < 0)
        return -1;
    Glows.emplace_back(vcl::Create<TacGlowEffect>(manager, mask, Margin));
    const int id = int(Glows.size()) - 1;
    Glows.back()->Show(R, RealRect, Alpha, WndHandle);
    return id;
}

void HideGlow(int ID)
{
    if (ID < 0 || size_t(ID) >= Glows.size())
        return;
    // Taken out first: freeing the window sends messages that may reach the registry again.
    vcl::TObjectPtr<TacGlowEffect> glow = std::move(Glows[size_t(ID)]);
    if (glow)
        glow->FreeWindow();
}

void ClearGlows(bool DestroyWindows)
{
    std::vector<vcl::TObjectPtr<TacGlowEffect>> glows = std::move(Glows);
    Glows.clear();
    for (vcl::TObjectPtr<TacGlowEffect>& glow : glows) {
        if (glow && DestroyWindows)
            glow->FreeWindow();
        glow.reset();
    }
}

// ---------------------------------------------------------------------------------------------
// Where a glow goes

TGlowPlacement PlaceGlow(const TRect& R, const TRect& RealRect, const TRect& Borders, int Margin)
{
    TGlowPlacement place;
    place.Cut = TRect(SideCut(RealRect.left, Borders.left, Margin), SideCut(RealRect.top, Borders.top, Margin),
                      SideCut(R.Width() - RealRect.right, Borders.right, Margin),
                      SideCut(R.Height() - RealRect.bottom, Borders.bottom, Margin));
    place.Size = vcl::TSize(R.Width() + Borders.left + Borders.right - 2 * Margin - place.Cut.left - place.Cut.right,
                            R.Height() + Borders.top + Borders.bottom - 2 * Margin - place.Cut.top - place.Cut.bottom);
    place.Pos =
        vcl::TPoint(R.left + Margin + place.Cut.left - Borders.left, R.top + Margin + place.Cut.top - Borders.top);
    return place;
}

// ---------------------------------------------------------------------------------------------
// One glow

TacGlowForm::TacGlowForm(vcl::TComponent* AOwner) : vcl::TForm(AOwner)
{
    SetTag(-98);
    FControlStyle >> vcl::TControlStyleItem::csCaptureMouse;
    SetBorderStyle(vcl::TFormBorderStyle::bsNone);
}

void TacGlowForm::WndProc(vcl::TMessage& Message)
{
    if (Message.Msg == WM_NCHITTEST)
        Message.Result = HTTRANSPARENT;
    else
        vcl::TForm::WndProc(Message);
}

TacGlowEffect::TacGlowEffect(TsSkinManager* SkinManager, int MaskIndex, int Margin)
    : FSkinManager(SkinManager), FMaskIndex(MaskIndex), FMargin(Margin)
{
}

TacGlowEffect::~TacGlowEffect()
{
    if (!FWnd)
        return;
    if (ComponentDestroying(FSkinManager) || ApplicationEnding())
        FreeWindow();
    else
        FWnd.release()->Release();
}

void TacGlowEffect::FreeWindow()
{
    if (!FWnd)
        return;
    TFlagScope destroying(bGlowingDestroying);
    FWnd.reset();
}

void TacGlowEffect::Show(const TRect& R, const TRect& RealRect, int, HWND WndHandle)
{
    if (FWnd)
        return;
    FWnd.reset(vcl::Create<TacGlowForm>(nullptr));
    TsSkinManager& manager = *FSkinManager;
    const TRect borders(manager.MaskWidthLeft(FMaskIndex), manager.MaskWidthTop(FMaskIndex),
                        manager.MaskWidthRight(FMaskIndex), manager.MaskWidthBottom(FMaskIndex));
    const TGlowPlacement place = PlaceGlow(R, RealRect, borders, FMargin);
    if (place.Size.cx <= 0 || place.Size.cy <= 0)
        return;
    CreateAlphaBmp(place.Size.cx + place.Cut.left + place.Cut.right, place.Size.cy + place.Cut.top + place.Cut.bottom);
    const HWND wnd = FWnd->Handle();
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | GlowExStyle);
    const HWND insertAfter = InsertAfter(WndHandle, wnd);
    SetWindowPos(wnd, insertAfter, place.Pos.x, place.Pos.y, place.Size.cx, place.Size.cy,
                 SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | (insertAfter ? 0 : SWP_NOZORDER));
    {
        const HDC screen = GetDC(nullptr);
        TCanvasLock lock(FAlphaBmp->Canvas());
        SIZE size = place.Size;
        POINT source = place.Cut.TopLeft();
        BLENDFUNCTION blend = GlowBlend;
        UpdateLayeredWindow(wnd, screen, nullptr, &size, FAlphaBmp->Canvas()->Handle(), &source, 0, &blend, ULW_ALPHA);
        ReleaseDC(nullptr, screen);
    }
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    FAlphaBmp.reset();
}

void TacGlowEffect::CreateAlphaBmp(int Width, int Height)
{
    FAlphaBmp = CreateBmp32(Width, Height);
    const TPixelView pixels = PixelsOf(FAlphaBmp.get());
    px::MapPixels(pixels, [](uint32_t) { return 0u; });
    DrawSkinRect(pixels, pixels.Bounds(), CacheView(acEmptyCI), FSkinManager->ma[size_t(FMaskIndex)], 0, false);
}

}  // namespace skin
