#pragma once
// The records of a loaded skin that every painter reads: one image (TsMaskData), one large JPEG
// pattern (TsPatternData) and one section (TsGeneralData), and the geometry of an image.
//
// The skin manager builds the tables of these records when a skin loads and is their only writer.
// An index into a table stays valid until the next load or the removal of the skin; -1 means absent.
#include <array>
#include <vector>

#include "skin/core/sConst.h"
#include "skin/graphics/PixelView.h"
#include "skin/graphics/Sgradient.h"
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/bitmaps.h"
#include "vcl/jpeg.h"

namespace skin {

class TsSkinManager;

// One skin image: a rectangle of the skin's master bitmap, or an image of its own.
//
// R holds all states of the image: ImageCount frames side by side and MaskType + 1 rows (row 0 the
// image, further rows its masks; MaskType -1: no height at all). The record owns Bmp, so it moves
// but does not copy.
struct TsMaskData {
    vcl::TObjectPtr<vcl::TBitmap> Bmp;  // the image's own 32-bit bitmap; none: R lies in the master bitmap
    vcl::String ClassName;              // the section that holds the image
    vcl::String PropertyName;           // the key that named it
    vcl::TRect R;
    vcl::SmallInt ImageCount = 0;
    vcl::SmallInt MaskType = 0;
    vcl::SmallInt BorderWidth = 0;  // one width for all four sides; 0 when not given
    vcl::SmallInt DrawMode = 0;     // flags of how the image fills a rectangle
    TacImgType ImgType = TacImgType::itisaBorder;
    TsSkinManager* Manager = nullptr;  // the manager whose table holds the image (not owned)
    vcl::SmallInt WL = 0, WT = 0, WR = 0, WB = 0;  // border widths of the nine-part image
    // 0: the corner areas hold no key colour; 1: a corner area holds key-colour pixels, so the
    // corners take the parent's background; 2: not probed.
    vcl::SmallInt CornerType = 0;
};
using TsMaskArray = std::vector<TsMaskData>;

// One large JPEG pattern of a section, kept as JPEG; smaller ones become texture images.
struct TsPatternData {
    vcl::TObjectPtr<vcl::TJPEGImage> Img;
    vcl::String ClassName;     // the section, upper-cased
    vcl::String PropertyName;  // the key, upper-cased
};
using TsPatternArray = std::vector<TsPatternData>;

// The width of one frame and the height of the image row (integer division toward zero).
int WidthOfImage(const TsMaskData& Mask);
int HeightOfImage(const TsMaskData& Mask);
// The pixels of the bitmap that holds the image: its own, else its manager's master bitmap; empty
// when there is neither.
TPixelView ImagePixels(const TsMaskData& Mask);
// The top-left corner of state image State in that bitmap; a State at or above ImageCount means
// the last state image.
vcl::TPoint StateImageOrigin(const TsMaskData& Mask, int State);

// The text colour of a section state and the colours of its contour copies (-1: none).
using TsFontColor = TTextColours;
// The record of a state that a section does not read: every colour 0.
inline constexpr TsFontColor ZeroFontColor{vcl::TColor(0), vcl::TColor(0), vcl::TColor(0), vcl::TColor(0), vcl::TColor(0)};

// The look of one state of a section.
struct TsGenState {
    vcl::TColor Color = vcl::TColor(0);
    TsFontColor FontColor = ZeroFontColor;
    vcl::Integer GradientPercent = 0;
    vcl::String GradientData;
    TsGradArray GradientArray;
    vcl::Integer ImagePercent = 0;
    vcl::TColor GlowColor = vcl::TColor(0);
    vcl::Byte GlowSize = 0;
    vcl::Integer Transparency = 0;  // percent
};
// Index 0 the normal state, index 1 the hot state.
using TsProps = std::array<TsGenState, 2>;

// One section of the skin: the paint properties of a kind of control. Props holds copies of the
// flat normal and hot fields, which painters read by state.
struct TsGeneralData {
    vcl::String ParentClass;  // "PARENTCLASS"; empty when none
    vcl::String ClassName;    // the section name as written
    vcl::Integer States = 0;  // 2 or more: the hot state differs from the normal one
    TsProps Props;
    bool GiveOwnFont = false;
    bool ReservedBoolean = false;
    bool ShowFocus = false;
    vcl::Integer GlowCount = 0;
    vcl::Integer GlowMargin = 0;
    // Indexes into the image table: the border, the four corner images and the texture.
    vcl::Integer BorderIndex = -1;
    vcl::Integer ImgTL = -1, ImgTR = -1, ImgBL = -1, ImgBR = -1;
    vcl::Integer TextureNormal = -1;

    vcl::TColor Color = vcl::TColor(0);
    vcl::Integer Transparency = 0;
    vcl::Integer GradientPercent = 0;
    vcl::String GradientData;
    TsGradArray GradientArray;
    vcl::Integer ImagePercent = 0;
    TsFontColor FontColor = ZeroFontColor;

    vcl::TColor HotColor = vcl::TColor(0);
    vcl::Integer HotTransparency = 0;
    vcl::Integer HotGradientPercent = 0;
    vcl::String HotGradientData;
    TsGradArray HotGradientArray;
    vcl::Integer HotImagePercent = 0;
    TsFontColor HotFontColor = ZeroFontColor;

    bool FadingEnabled = false;
    vcl::Integer FadingIterations = 0;
    vcl::TColor HotGlowColor = vcl::TColor(0);
    vcl::TColor GlowColor = vcl::TColor(0);
    vcl::Byte HotGlowSize = 0;
    vcl::Byte GlowSize = 0;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

}  // namespace skin
