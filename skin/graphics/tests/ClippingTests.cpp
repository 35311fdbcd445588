// Every pixel function that takes rectangles, points or offsets, swept over rectangles that cross
// every edge of its bitmaps: nothing is written outside the destination, and no colour is read
// from outside a bitmap. The images hold no red and their guard frames are opaque red, so a red
// channel in a result is a colour read from a guard pixel (reads of mask weights do not show).
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "PixelFixtures.h"
#include "SkinTableFixtures.h"
#include "skin/core/Sborders.h"
#include "skin/core/sConst.h"
#include "skin/graphics/Sgradient.h"
#include "skin/graphics/acPNGPixels.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {
namespace {

using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

// Blue and green only, some pixels half transparent; with keys, every third pixel is the key
// (whose red the copies must skip or fill from the background).
void Paint(TGuardedImage& img, int seed, bool keys = false)
{
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            img.At(x, y) = keys && (x + y) % 3 == 0
                               ? 0x00FF00FF
                               : Px(0, (x * 40 + seed) & 0xFF, (y * 50 + seed) & 0xFF, (x + y) % 2 ? 255 : 128);
}

struct TArgs {
    TRect A, B;
    TPoint P;
    int Offset;
};

class TSweep {
public:
    TSweep() : Dst(6, 5), Src(5, 4), Cache(7, 6), Mask(5, 4) {}

    // Runs one call with the arguments and checks the frames and the red channel of the result.
    void Check(const char* name, const TArgs& a, const std::function<void(TSweep&, const TArgs&)>& call)
    {
        Paint(Dst, 3);
        Paint(Src, 7, true);
        Paint(Cache, 11);
        Paint(Mask, 90);
        call(*this, a);
        const auto where = [&] {
            return testing::Message() << name << " A(" << a.A.left << "," << a.A.top << "," << a.A.right << ","
                                      << a.A.bottom << ") B(" << a.B.left << "," << a.B.top << "," << a.B.right
                                      << "," << a.B.bottom << ") P(" << a.P.x << "," << a.P.y << ") " << a.Offset;
        };
        ASSERT_TRUE(Dst.GuardIntact() && Src.GuardIntact() && Cache.GuardIntact() && Mask.GuardIntact()) << where();
        for (uint32_t p : Dst.Pixels())
            ASSERT_EQ(Rof(p), 0) << where();
    }

    TCacheView Background(const TArgs& a, bool ready)
    {
        TCacheView ci;
        ci.Bmp = Cache.View();
        ci.X = a.P.y;
        ci.Y = a.P.x;
        ci.FillColor = vcl::clBlue;
        ci.Ready = ready;
        return ci;
    }

    TGuardedImage Dst, Src, Cache, Mask;
};

// Corners within the guard frame's reach of the bitmaps, inverted and empty ones included.
TRect AnyRect(std::mt19937& rng)
{
    std::uniform_int_distribution<int> c(-4, 10);
    return TRect(c(rng), c(rng), c(rng), c(rng));
}

// Skin images for the painters: three plain 4 x 4 states whose corner pixels are keys (plain
// copies of sides would carry keys, and their red, into a result), over three masked states
// without keys.
struct TSweepImages {
    TTestSkin Skin{12, 12};
    int Plain, Masked;
    TSweepImages()
    {
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                Skin.Master(x, y) = Px(0, x * 20, y * 20, y % 2 ? 255 : 100);
        for (int s = 0; s < 3; ++s)
            for (const auto& [x, y] : {std::pair{0, 0}, {3, 0}, {0, 3}, {3, 3}})
                Skin.Master(4 * s + x, y) = 0x00FF00FF;
        Plain = Skin.AddImage({.R = TRect(0, 0, 12, 4), .ImageCount = 3, .WL = 1, .WT = 1, .WR = 1, .WB = 1,
                               .CornerType = 1});
        Masked = Skin.AddImage({.R = TRect(0, 4, 12, 12), .ImageCount = 3, .MaskType = 1, .WL = 1, .WT = 1, .WR = 1,
                                .WB = 1, .CornerType = 1});
    }
    // One of the two images, drawn by one of the eight combinations of the nine-part flags.
    const TsMaskData& Image(int Offset) const
    {
        TsMaskData& image = Skin.Image(Offset % 2 ? Masked : Plain);
        image.DrawMode = vcl::SmallInt((Offset + 4) % 8);
        return image;
    }
};

const TSweepImages& SweepImages()
{
    static const TSweepImages images;
    return images;
}

using TCall = std::pair<const char*, std::function<void(TSweep&, const TArgs&)>>;

const TCall Calls[] = {
    {"FillRect32", [](TSweep& s, const TArgs& a) { FillRect32(s.Dst.View(), a.A, vcl::clBlue); }},
    {"FillDCBorder32",
     [](TSweep& s, const TArgs& a) { FillDCBorder32(s.Dst.View(), a.A, a.P.x, a.P.y, a.Offset, 2, vcl::clBlue); }},
    {"FillAlphaRect", [](TSweep& s, const TArgs& a) { FillAlphaRect(s.Dst.View(), a.A, 9, a.Offset % 2 == 0); }},
    {"BlendColorRect", [](TSweep& s, const TArgs& a) { BlendColorRect(s.Dst.View(), a.A, 40, vcl::clBlue); }},
    {"TacFast32::FillRect",
     [](TSweep& s, const TArgs& a) {
         TacFast32 fast;
         TsColor blue = TsColor::FromInt(0x0000FF);  // pixel order
         if (fast.Attach(s.Dst.View()))
             fast.FillRect(a.A, blue);
     }},
    {"BlendTransRectangle",
     [](TSweep& s, const TArgs& a) {
         BlendTransRectangle(s.Dst.View(), a.P.x, a.P.y, s.Src.View(), a.B, 0.5, vcl::clFuchsia);
     }},
    {"SumBmpRect", [](TSweep& s, const TArgs& a) { SumBmpRect(s.Dst.View(), s.Mask.View(), 100, a.B, a.P); }},
    {"SumByMaskWith32",
     [](TSweep& s, const TArgs& a) { SumByMaskWith32(s.Dst.View(), s.Src.View(), s.Mask.View(), a.A); }},
    {"CopyByMask",
     [](TSweep& s, const TArgs& a) {
         CopyByMask(a.A, a.B, s.Dst.View(), s.Src.View(), s.Background(a, a.Offset % 2 == 0), true);
     }},
    {"CopyByMask with its mask",
     [](TSweep& s, const TArgs& a) {
         CopyByMask(a.A, a.B, s.Dst.View(), s.Src.View(), s.Background(a, a.Offset % 2 == 0), true, a.Offset);
     }},
    {"CopyBmp32",
     [](TSweep& s, const TArgs& a) {
         CopyBmp32(a.A, a.B, s.Dst.View(), s.Src.View(), s.Background(a, a.Offset % 2 == 0), true, vcl::clNone,
                   a.Offset % 3 * 40, true);
     }},
    {"CopyTransBitmaps",
     [](TSweep& s, const TArgs& a) {
         CopyTransBitmaps(s.Dst.View(), s.Src.View(), a.P.x, a.P.y, TsColor(vcl::clFuchsia));
     }},
    {"CopyTransRect",
     [](TSweep& s, const TArgs& a) {
         CopyTransRect(s.Dst.View(), s.Src.View(), a.P.x, a.P.y, a.B, vcl::clFuchsia,
                       s.Background(a, a.Offset % 2 == 0), a.Offset % 3 != 0);
     }},
    {"CopyTransRectA",
     [](TSweep& s, const TArgs& a) {
         CopyTransRectA(s.Dst.View(), s.Src.View(), a.P.x, a.P.y, a.B, vcl::clFuchsia);
     }},
    {"FillTransPixels32",
     [](TSweep& s, const TArgs& a) {
         const TPixelView mask = s.Mask.View();
         FillTransPixels32(s.Dst.View(), s.Src.View(), a.A, a.P, a.Offset % 2 ? &mask : nullptr,
                           TPoint(a.Offset, a.B.left));
     }},
    {"BmpDisabledKind",
     [](TSweep& s, const TArgs& a) {
         BmpDisabledKind(s.Dst.View(), TsDisabledKindItem::dkBlended, vcl::clBlue, s.Background(a, true), a.B.TopLeft());
     }},
    {"FadeBmp",
     [](TSweep& s, const TArgs& a) { FadeBmp(s.Dst.View(), a.A, 30, TsColor(vcl::clBlue), a.Offset, a.P.x); }},
    {"PaintGrad",
     [](TSweep& s, const TArgs& a) {
         const TsGradArray data = {{vcl::clBlue, vcl::clLime, 50, a.Offset % 2, 0}, {vcl::clLime, vcl::clBlue, 50, 0, 0}};
         PaintGrad(s.Dst.View(), a.A, data, a.P.y);
     }},
    {"PaintGradTxt",
     [](TSweep& s, const TArgs& a) {
         PaintGradTxt(s.Dst.View(), a.A, {{vcl::clBlue, vcl::clLime, 100, a.Offset % 2, 0}}, s.Mask.View(), a.B, 128);
     }},
    {"TileMasked",
     [](TSweep& s, const TArgs& a) {
         TRect r = a.A;
         TileMasked(s.Dst.View(), r, s.Background(a, a.Offset % 2 == 0), 2, 3, TacFillMode::WholeTiles,
                    [](const TRect&, const TRect&) {});
     }},
    {"DrawGlyphEx",
     [](TSweep& s, const TArgs& a) {
         DrawGlyphEx(s.Mask.View(), false, s.Dst.View(), a.A, 1 + a.Offset % 3, a.P.x % 2 == 0,
                     TsDisabledGlyphKindItem::dgBlended, a.P.y % 3, a.Offset % 2 * 30, a.B.left % 2 == 0);
     }},
    {"StretchBltMask",
     [](TSweep& s, const TArgs& a) {
         StretchBltMask(a.P.x, a.P.y, a.A.Width(), a.A.Height(), a.B.left, a.B.top, a.B.Width(), a.B.Height(),
                        s.Dst.View(), s.Mask.View(), a.Offset, a.Offset % 2 == 0);
     }},
    {"BlendGlyphByMask",
     [](TSweep& s, const TArgs& a) {
         TsMaskData mask;
         mask.R = TRect(0, 0, 5, 4);
         mask.MaskType = 1;
         mask.ImageCount = vcl::SmallInt(a.Offset % 2);
         BlendGlyphByMask(a.A, a.B, s.Dst.View(), s.Src.View(), a.Offset % 3 ? 1 : 2, mask);
     }},
    {"CopyMasterRect",
     [](TSweep& s, const TArgs& a) {
         TCacheView ci = s.Background(a, a.Offset % 3 != 0);
         if (a.Offset % 2 == 0)
             ci.FillColor = vcl::clFuchsia;
         CopyMasterRect(a.A, a.B, s.Dst.View(), ci, SweepImages().Image(0));
     }},
    {"DrawSkinGlyph",
     [](TSweep& s, const TArgs& a) {
         DrawSkinGlyph(s.Dst.View(), a.P, a.Offset + 1, a.Offset % 3 ? 1 : 2, SweepImages().Image(a.Offset),
                       s.Background(a, a.Offset % 3 != 1));
     }},
    {"DrawSkinRect",
     [](TSweep& s, const TArgs& a) {
         DrawSkinRect(s.Dst.View(), a.A, s.Background(a, a.Offset % 3 != 0), SweepImages().Image(a.Offset),
                      a.P.x + 1, a.P.y % 2 == 0);
     }},
    {"UpdateCorners",
     [](TSweep& s, const TArgs& a) {
         TCacheView ci = s.Background(a, a.Offset % 3 != 0);
         if (a.Offset % 2 == 0)
             ci.FillColor = vcl::clFuchsia;
         UpdateCorners(s.Dst.View(), vcl::TSize(a.A.right, a.A.bottom), SweepImages().Image(a.Offset), a.P.x, ci);
     }},
    {"CopyMask",
     [](TSweep& s, const TArgs& a) {
         TAOR runs;  // B may take in keys anywhere in the master bitmap: they are left out
         CopyMask(a.A.left, a.A.top, a.A.right, a.A.bottom, a.B.left, a.B.top, a.B.right, a.B.bottom, s.Dst.View(),
                  &runs, SweepImages().Image(a.Offset), true);
     }},
    {"PaintRgnBorder",
     [](TSweep& s, const TArgs& a) {
         TAOR runs;
         PaintRgnBorder(s.Dst.View(), runs, a.P.y % 2 == 0, SweepImages().Image(a.Offset), a.P.x);
     }},
    {"CopyChannel",
     [](TSweep& s, const TArgs& a) {
         std::vector<uint8_t> plane(size_t(a.P.x + 4) * size_t(a.P.y + 4), 0);
         const TBytePixelView view{plane.data(), a.P.x + 4, a.P.x + 4, a.P.y + 4};
         CopyChannel(s.Dst.View(), view, a.Offset, a.Offset % 2 == 0);
     }},
};

TEST(Clipping, EveryRectangleOfEveryPixelFunction)
{
    std::mt19937 rng(20261210);
    std::uniform_int_distribution<int> small(-4, 4);
    TSweep sweep;
    for (int round = 0; round < 400; ++round) {
        const TArgs args{AnyRect(rng), AnyRect(rng), TPoint(small(rng), small(rng)), small(rng)};
        for (const auto& [name, call] : Calls) {
            sweep.Check(name, args, call);
            if (testing::Test::HasFatalFailure())
                return;
        }
    }
}

}  // namespace
}  // namespace skin::test
