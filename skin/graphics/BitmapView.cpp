#include "skin/graphics/BitmapView.h"

namespace skin {

namespace {

template<class View>
View ViewOf(vcl::TBitmap* Bmp)
{
    View view;
    if (Bmp->Empty())
        return view;
    const TBitmapRows rows = RowsOf(Bmp);
    view.Bits = rows.Bits;
    view.Stride = rows.Stride;
    view.Width = Bmp->Width();
    view.Height = Bmp->Height();
    return view;
}

}  // namespace

TBitmapRows RowsOf(vcl::TBitmap* Bmp)
{
    uint8_t* first = static_cast<uint8_t*>(Bmp->ScanLine(0));
    const ptrdiff_t stride = Bmp->Height() > 1 ? static_cast<uint8_t*>(Bmp->ScanLine(1)) - first
                                               : ptrdiff_t(vcl::RowStride(Bmp->PixelFormat(), Bmp->Width()));
    return {first, stride};
}

TPixelView PixelsOf(vcl::TBitmap* Bmp)
{
    if (!Bmp)
        return {};
    if (Bmp->PixelFormat() != vcl::TPixelFormat::pf32bit)
        Bmp->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    return ViewOf<TPixelView>(Bmp);
}

TBytePixelView BytesOf(vcl::TBitmap* Bmp)
{
    if (!Bmp || Bmp->HandleType() != vcl::TBitmapHandleType::bmDIB || Bmp->PixelFormat() != vcl::TPixelFormat::pf8bit)
        return {};
    return ViewOf<TBytePixelView>(Bmp);
}

TCacheView CacheView(const TCacheInfo& CI)
{
    TCacheView view;
    view.Bmp = CI.Ready ? PixelsOf(CI.Bmp) : TPixelView();
    view.X = CI.X;
    view.Y = CI.Y;
    view.FillColor = CI.FillColor;
    view.Ready = CI.Ready;
    return view;
}

}  // namespace skin
