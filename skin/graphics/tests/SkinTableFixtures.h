#pragma once
// Skin tables built by hand for the painters' tests: a manager whose master bitmap, images and
// sections are set pixel by pixel and field by field, without loading a skin.
#include <cstdint>

#include "skin/core/sSkinManager.h"
#include "skin/graphics/tests/PixelFixtures.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelView.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {

// The transparent pixel of skin images, and what a bitmap holds before a test paints into it.
constexpr uint32_t Key = 0x00FF00FF;
constexpr uint32_t Paper = Px(1, 2, 3, 4);

// A pixel that names its place in a master bitmap.
constexpr uint32_t NamedPixel(int x, int y) { return Px(10 + x, 100 + y, 50); }

// The geometry of one image: ImageCount state images side by side in R, MaskType mask bands below.
struct TImageGeometry {
    vcl::TRect R;
    int ImageCount = 1;
    int MaskType = 0;
    int WL = 0, WT = 0, WR = 0, WB = 0;
    int DrawMode = 0;
    int CornerType = 0;
};

// A new pf32bit bitmap of one pixel value.
inline vcl::TObjectPtr<vcl::TBitmap> NewBitmap(int Width, int Height, uint32_t Fill = 0)
{
    vcl::TObjectPtr<vcl::TBitmap> bmp(vcl::Create<vcl::TBitmap>());
    bmp->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    bmp->SetSize(Width, Height);
    const TPixelView v = PixelsOf(bmp.get());
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            v.At(x, y) = Fill;
    return bmp;
}

class TTestSkin {
public:
    explicit TTestSkin(int MasterWidth = 1, int MasterHeight = 1, uint32_t Fill = 0)
        : FManager(vcl::Create<TsSkinManager>(nullptr))
    {
        FManager->MasterBitmap = NewBitmap(MasterWidth, MasterHeight, Fill);
        FManager->SkinData.reset(vcl::Create<TsSkinData>());
    }

    TsSkinManager* Manager() const { return FManager.get(); }
    TPixelView Master() const { return PixelsOf(FManager->MasterBitmap.get()); }
    uint32_t& Master(int X, int Y) const { return Master().At(X, Y); }
    // Every pixel of R in the master bitmap.
    void Fill(const vcl::TRect& R, uint32_t Pixel) const
    {
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x)
                Master(x, y) = Pixel;
    }

    // A new image of the master bitmap; its index.
    int AddImage(const TImageGeometry& Geometry, const vcl::String& Section = L"TEST", const vcl::String& Name = L"IMG")
    {
        TsMaskData image;
        image.ClassName = Section;
        image.PropertyName = Name;
        image.R = Geometry.R;
        image.ImageCount = vcl::SmallInt(Geometry.ImageCount);
        image.MaskType = vcl::SmallInt(Geometry.MaskType);
        image.WL = vcl::SmallInt(Geometry.WL);
        image.WT = vcl::SmallInt(Geometry.WT);
        image.WR = vcl::SmallInt(Geometry.WR);
        image.WB = vcl::SmallInt(Geometry.WB);
        image.DrawMode = vcl::SmallInt(Geometry.DrawMode);
        image.CornerType = vcl::SmallInt(Geometry.CornerType);
        image.Manager = FManager.get();
        FManager->ma.push_back(std::move(image));
        return int(FManager->ma.size()) - 1;
    }
    TsMaskData& Image(int Index) const { return FManager->ma[size_t(Index)]; }

    // A new section of one colour per state (its Props copies set from the flat fields); its index.
    int AddSection(const vcl::String& Name, vcl::TColor Color, vcl::TColor HotColor = vcl::clFuchsia, int States = 2)
    {
        TsGeneralData s;
        s.ClassName = Name;
        s.States = States;
        s.Color = Color;
        s.HotColor = HotColor == vcl::clFuchsia ? Color : HotColor;
        FManager->gd.push_back(std::move(s));
        const int index = int(FManager->gd.size()) - 1;
        SyncProps(index);
        return index;
    }
    TsGeneralData& Section(int Index) const { return FManager->gd[size_t(Index)]; }
    // Copies the flat normal and hot fields of a section into its Props, as the loader does.
    void SyncProps(int Index) const
    {
        TsGeneralData& s = Section(Index);
        const auto copy = [](TsGenState& p, vcl::TColor color, int transparency, int gradientPercent,
                             const vcl::String& gradientData, const TsGradArray& gradient, int imagePercent) {
            p.Color = color;
            p.Transparency = transparency;
            p.GradientPercent = gradientPercent;
            p.GradientData = gradientData;
            p.GradientArray = gradient;
            p.ImagePercent = imagePercent;
        };
        copy(s.Props[0], s.Color, s.Transparency, s.GradientPercent, s.GradientData, s.GradientArray, s.ImagePercent);
        copy(s.Props[1], s.HotColor, s.HotTransparency, s.HotGradientPercent, s.HotGradientData, s.HotGradientArray,
             s.HotImagePercent);
    }
    // The same transparency in every state.
    void SetTransparency(int Index, int T) const
    {
        Section(Index).Transparency = Section(Index).HotTransparency = T;
        SyncProps(Index);
    }

private:
    vcl::TObjectPtr<TsSkinManager> FManager;
};

// A master bitmap whose every pixel names its place.
inline TTestSkin NamedMaster(int Width, int Height)
{
    TTestSkin skin(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            skin.Master(x, y) = NamedPixel(x, y);
    return skin;
}

}  // namespace skin::test
