#include "skin/forms/sSkinProviderLayered.h"

#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtilsAnimation.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/seams.h"

namespace skin {

using namespace vcl;

namespace {

// The screen DC, released when it goes.
class TScreenDC {
public:
    TScreenDC() : FDC(GetDC(nullptr)) {}
    ~TScreenDC() { ReleaseDC(nullptr, FDC); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    operator HDC() const { return FDC; }

private:
    HDC FDC;
};


void AddExStyle(HWND Wnd, LONG_PTR Bits)
{
    const LONG_PTR exStyle = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
    if ((exStyle & Bits) != Bits)
        SetWindowLongPtrW(Wnd, GWL_EXSTYLE, exStyle | Bits);
}

// The taskbar's pictures exist from system version 6 on.
bool HasIconicPictures() { return OSVersionInfo.dwMajorVersion >= 6; }

// The picture the taskbar shows of the provider's form: its cache bitmap; none when it is empty.
TBitmap* PreviewSource(TsSkinProvider* Provider)
{
    TBitmap* source = Provider && Provider->SkinData() ? Provider->SkinData()->FCacheBmp.get() : nullptr;
    return source && source->Width() > 0 && source->Height() > 0 ? source : nullptr;
}

}  // namespace

void SetFormBlendValue(HWND Wnd, TBitmap* Bmp, int Value, const TPoint* NewPos)
{
    // Without layered windows the style would only hide the window.
    if (!UpdateLayeredWindow)
        return;
    std::unique_ptr<TBitmap> transparent;
    if (!Bmp) {
        const TRect r = WindowRectOf(Wnd);
        transparent = CreateBmp32(std::max(0, int(r.right - r.left)), std::max(0, int(r.bottom - r.top)));
        Bmp = transparent.get();
    }
    BLENDFUNCTION blend{AC_SRC_OVER, 0, BYTE(Value), AC_SRC_ALPHA};
    SIZE size{Bmp->Width(), Bmp->Height()};
    POINT source{0, 0};
    POINT pos = NewPos ? POINT(*NewPos) : POINT{};
    TScreenDC screen;
    AddExStyle(Wnd, WS_EX_LAYERED);
    TCanvasLock lock(Bmp->Canvas());
    UpdateLayeredWindow(Wnd, screen, NewPos ? &pos : nullptr, &size, Bmp->Canvas()->Handle(), &source, COLORREF(clNone),
                        &blend, ULW_ALPHA);
}

TForm* MakeCoverForm(HWND Wnd)
{
    TForm* cover = NewCoverForm(nullptr);
    const TRect r = WindowRectOf(Wnd);
    cover->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);

    const auto bmp = CreateBmp32(cover->Width(), cover->Height());
    {
        TCanvasLock lock(bmp->Canvas());
        const HDC windowDC = GetWindowDC(Wnd);
        BitBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), windowDC, 0, 0, SRCCOPY);
        ReleaseDC(Wnd, windowDC);
    }
    FillAlphaRect(PixelsOf(bmp.get()), TRect(0, 0, bmp->Width(), bmp->Height()), 255, false);
    SetFormBlendValue(cover->Handle(), bmp.get(), 255);
    SetWindowPos(cover->Handle(), HWND_TOPMOST, r.left, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    return cover;
}

std::unique_ptr<TBitmap> GetFormImage(TsSkinProvider* Provider, bool FreeCache)
{
    TsCommonData* data = Provider->SkinData();
    auto* form = dynamic_cast<TControl*>(Provider->Owner());
    if (!data || !data->FCacheBmp || !form)
        return nullptr;
    auto image = CreateBmp32(data->FCacheBmp->Width(), data->FCacheBmp->Height());
    {
        TCanvasLock lock(image->Canvas());
        SkinPaintTo(image.get(), form, 0, 0, Provider);
    }
    // Everything but the shadow of extended borders, which keeps its own alpha, is opaque.
    const TRect shadow = Provider->ShadowSize();
    FillAlphaRect(PixelsOf(image.get()),
                  TRect(shadow.left, shadow.top, image->Width() - shadow.right, image->Height() - shadow.bottom), 255,
                  false);
    if (FreeCache)
        data->FCacheBmp.reset();
    return image;
}

TSize ThumbSize(int SourceW, int SourceH, int MaxWidth, int MaxHeight)
{
    if (SourceW <= 0 || SourceH <= 0 || MaxWidth <= 0 || MaxHeight <= 0)
        return TSize(0, 0);
    if (double(MaxWidth) / MaxHeight > double(SourceW) / SourceH)
        return TSize(int(Round(double(SourceW) * MaxHeight / SourceH)), MaxHeight);
    return TSize(MaxWidth, int(Round(double(SourceH) * MaxWidth / SourceW)));
}

bool SetThumbIcon(HWND Wnd, TsSkinProvider* Provider, int MaxWidth, int MaxHeight)
{
    if (!HasIconicPictures() || MaxWidth == 0 || MaxHeight == 0)
        return false;
    TBitmap* source = PreviewSource(Provider);
    if (!source)
        return false;
    const TSize size = ThumbSize(source->Width(), source->Height(), MaxWidth, MaxHeight);
    if (size.cx == 0 || size.cy == 0)
        return false;
    const auto thumb = CreateBmp32(size.cx, size.cy);
    // The cache holds the form without its children: the thumbnail shows it at once, then the full
    // snapshot replaces it.
    Stretch(source, thumb.get(), size.cx, size.cy, TFilterType::ftTriangle);
    if (Seams().DwmSetIconicThumbnail(Wnd, thumb->Handle(), 0) != S_OK)
        return false;
    if (const auto image = GetFormImage(Provider, false)) {
        Stretch(image.get(), thumb.get(), size.cx, size.cy, TFilterType::ftTriangle);
        Seams().DwmSetIconicThumbnail(Wnd, thumb->Handle(), 0);
    }
    return true;
}

bool SetPreviewBmp(HWND Wnd, TsSkinProvider* Provider)
{
    if (!HasIconicPictures() || !PreviewSource(Provider))
        return false;
    const auto image = GetFormImage(Provider, false);
    const POINT offset{0, 0};
    constexpr DWORD displayFrame = 1;
    return image && Seams().DwmSetIconicLivePreviewBitmap(Wnd, image->Handle(), &offset, displayFrame) == S_OK;
}

void SetBlurBehind(HWND Wnd, bool Enable, HRGN Region) { Seams().DwmEnableBlurBehindWindow(Wnd, Enable, Region); }

}  // namespace skin
