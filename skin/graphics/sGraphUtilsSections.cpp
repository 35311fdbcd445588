// The painting of skin sections: the background of a state (colour, texture or pattern, gradient,
// transparency over the parent), the corner images and the border.
#include <algorithm>

#include "skin/core/sCommonData.h"
#include "skin/core/sConst.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/Sgradient.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/forms.h"

namespace skin {

using vcl::String;
using vcl::TBitmap;
using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

namespace {

// The values one background painting works with.
struct TBackground {
    TColor Color = vcl::clFuchsia;
    int T = 0;   // transparency: percent of the parent showing through
    int IP = 0;  // weight of the texture, percent
    int GP = 0;  // weight of the gradient, percent
    const TsGradArray* Gradient = nullptr;
    bool GradientText = false;  // the state gives a gradient text (without one the colour stands in)
    int Tex = -1;               // an image, or with IsPattern a JPEG pattern
    bool IsPattern = false;
};

// The two background painters differ in how they finish the content with the colour.
enum class TRules { Section, Fast };

TsSkinManager* ManagerOr(TsSkinManager* SkinManager) { return SkinManager ? SkinManager : DefaultManager; }

int LimitState(const TsGeneralData& Section, int State) { return std::clamp(State, 0, std::max(Section.States - 1, 0)); }

const TsGenState& StateValues(const TsGeneralData& Section, int State) { return Section.Props[State == 0 ? 0 : 1]; }

bool Inside(const TRect& R, TBitmap* Bmp)
{
    return R.left >= 0 && R.top >= 0 && R.right <= Bmp->Width() && R.bottom <= Bmp->Height();
}

TCacheInfo Moved(TCacheInfo CI, const TPoint& By)
{
    CI.X += By.x;
    CI.Y += By.y;
    return CI;
}

uint8_t Weight(int Percent) { return uint8_t(std::clamp(Percent * 255 / 100, 0, 255)); }

// The fill colour of a transparency over a plain colour, each channel rounded, halves to even.
TColor MixedFill(TColor Fill, TColor Color, int T)
{
    return TColor(RGB(px::MixPercent(px::ColorR(Fill), px::ColorR(Color), T),
                      px::MixPercent(px::ColorG(Fill), px::ColorG(Color), T),
                      px::MixPercent(px::ColorB(Fill), px::ColorB(Color), T)));
}

void LookUpTexture(const TsSkinManager& m, int SkinIndex, const String& SkinSection, int State, int& TextureIndex,
                   int HotTextureIndex, TBackground& bg)
{
    const bool hot = State > 0;
    // A texture given by index serves only when it has no mask; a masked one is an overlay.
    const auto plain = [&m](int i) { return m.IsValidImgIndex(i) && m.ma[size_t(i)].MaskType == 0 ? i : -1; };
    if (!hot) {
        if (TextureIndex < 0)
            TextureIndex = m.gd[size_t(SkinIndex)].TextureNormal;
        bg.Tex = TextureIndex >= 0 ? plain(TextureIndex) : m.GetMaskIndex(SkinIndex, SkinSection, L"PATTERN");
    } else {
        bg.Tex = HotTextureIndex != -1 ? plain(HotTextureIndex)
                                       : m.GetMaskIndex(SkinIndex, SkinSection, L"HOTPATTERN");
    }
    if (!m.IsValidImgIndex(bg.Tex)) {
        bg.Tex = m.GetPatternIndex(SkinIndex, SkinSection, hot ? L"HOTPATTERN" : L"PATTERN");
        bg.IsPattern = bg.Tex >= 0;
    }
}

void TakeGradient(const TsGenState& v, TBackground& bg)
{
    if (bg.GP == 0)
        return;
    bg.Gradient = &v.GradientArray;
    bg.GradientText = !v.GradientData.empty();
}

// The background of a section's state; TextureIndex comes back as the look-up replaced it.
TBackground SectionBackground(const TsSkinManager& m, int SkinIndex, const String& SkinSection, int State,
                              int& TextureIndex, int HotTextureIndex)
{
    const TsGenState& v = StateValues(m.gd[size_t(SkinIndex)], State);
    TBackground bg;
    bg.Color = v.Color;
    bg.T = v.Transparency;
    if (bg.T == 100)
        return bg;
    bg.IP = v.ImagePercent;
    bg.GP = v.GradientPercent;
    TakeGradient(v, bg);
    if (bg.IP > 0)
        LookUpTexture(m, SkinIndex, SkinSection, State, TextureIndex, HotTextureIndex, bg);
    return bg;
}

TBackground FastBackground(const TsGeneralData& Section, int State, int TextureIndex, int HotTextureIndex)
{
    const TsGenState& v = StateValues(Section, State);
    TBackground bg;
    bg.Color = v.Color;
    bg.T = v.Transparency;
    bg.IP = v.ImagePercent;
    bg.GP = v.GradientPercent;
    TakeGradient(v, bg);
    bg.Tex = State == 0 ? TextureIndex : HotTextureIndex;
    return bg;
}

// Tiles a masked image over R through the master bitmap; R becomes what its fill mode left.
void TileMaskedImage(const TPixelView& Bmp, TRect& R, const TCacheInfo& CI, const TsMaskData& Image)
{
    const TCacheView ci = CacheView(CI);
    TileMasked(Bmp, R, ci, WidthOfImage(Image), HeightOfImage(Image), static_cast<TacFillMode>(Image.DrawMode),
               [&](const TRect& Dst, const TRect& Src) {
                   CopyMasterRect(Dst, Src.Offsetted(Image.R.left, Image.R.top), Bmp, ci, Image);
               });
}

// Paints the texture over R, which becomes what is left uncovered (NothingLeft when all is);
// false when there is no texture to paint.
bool PaintTexture(TBitmap* B, TRect& R, const TBackground& bg, const TCacheInfo& CI, const TsSkinManager& m)
{
    if (bg.IsPattern) {
        if (size_t(bg.Tex) >= m.pa.size())
            return false;
        if (vcl::TGraphic* pattern = m.pa[size_t(bg.Tex)].Img.get(); pattern && !pattern->Empty()) {
            TileBitmap(B->Canvas(), R, pattern);
            R = NothingLeft;
        }
        return true;
    }
    if (!m.IsValidImgIndex(bg.Tex))
        return false;
    const TsMaskData& image = m.ma[size_t(bg.Tex)];
    if (image.MaskType != 0) {
        TileMaskedImage(PixelsOf(B), R, CI, image);
    } else if (image.Bmp && !image.Bmp->Empty()) {
        TileBitmap(B->Canvas(), R, image.Bmp.get());
        R = NothingLeft;
    } else if (TBitmap* master = m.MasterBitmap.get()) {
        const TCanvasLock lock(master->Canvas());
        TileBitmap(B->Canvas()->Handle(), R, master->Canvas()->Handle(), image.R,
                   static_cast<TacFillMode>(image.DrawMode));
    }
    return true;
}

// The gradient over Q, or the colour where the state gives no gradient text.
void PaintGradientOrColour(const TPixelView& B, const TRect& Q, const TBackground& bg)
{
    if (bg.GradientText)
        PaintGrad(B, Q, *bg.Gradient);
    else
        FillRect32(B, Q, bg.Color);
}

// Gradient and texture in one pass: bands of a gradient with a plain image mixed in.
bool PaintCombined(const TPixelView& B, const TRect& Q, const TBackground& bg, const TsSkinManager& m)
{
    if (bg.IP + bg.GP != 100 || bg.GP < 1 || bg.GP > 99 || bg.IsPattern || !m.IsValidImgIndex(bg.Tex) ||
        !bg.Gradient || bg.Gradient->empty() || (*bg.Gradient)[0].Mode1 >= 2)
        return false;
    const TsMaskData& texture = m.ma[size_t(bg.Tex)];
    if (texture.DrawMode != 0)
        return false;
    PaintGradTxt(B, Q, *bg.Gradient, ImagePixels(texture), texture.R, Weight(bg.IP));
    return true;
}

// The section content over Q of B: texture, gradient and colour by their weights.
void PaintContent(TBitmap* B, const TRect& Q, const TBackground& bg, const TCacheInfo& CI, const TsSkinManager& m,
                  TRules Rules)
{
    if (Rules == TRules::Section && PaintCombined(PixelsOf(B), Q, bg, m))
        return;
    bool textured = false;
    if (bg.IP > 0) {
        TRect rest = Q;
        textured = PaintTexture(B, rest, bg, CI, m);
        if (rest.right != NothingLeft.right)
            FillRect32(PixelsOf(B), rest, bg.Color);
    }
    const TPixelView view = PixelsOf(B);
    if (bg.GP > 0) {
        if (textured) {  // the texture keeps GP percent against the gradient
            TPixelBuffer gradient(Q.Width(), Q.Height());
            PaintGradientOrColour(gradient.View(), gradient.View().Bounds(), bg);
            SumBmpRect(view, gradient.View(), Weight(bg.GP), gradient.View().Bounds(), Q.TopLeft());
        } else {
            PaintGradientOrColour(view, Q, bg);
        }
    }
    const int s = bg.IP + bg.GP;
    if (s >= 1 && s <= 99) {
        BlendColorRect(view, TRect(Q.left, Q.top, Q.right - 1, Q.bottom - 1), s, bg.Color);
    } else if (Rules == TRules::Section ? s <= 0 : s != 100) {
        const bool parentColour = Rules == TRules::Fast && !CI.Ready && bg.T == 100;
        FillRect32(view, Q, parentColour ? CI.FillColor : bg.Color);
    }
}

// R of the target takes what lies beneath: the parent area (unless the target is the parent's
// bitmap itself) or the plain fill colour.
void LayParent(TBitmap* ItemBmp, const TRect& R, const TPoint& pP, const TCacheInfo& CI)
{
    if (!CI.Ready) {
        FillRect32(PixelsOf(ItemBmp), R, CI.FillColor);
    } else if (CI.Bmp && CI.Bmp != ItemBmp) {
        const TRect area = vcl::Bounds(CI.X + pP.x, CI.Y + pP.y, R.Width(), R.Height());
        px::CopyPixels(PixelsOf(ItemBmp), R.left, R.top, PixelsOf(CI.Bmp), area);
    }
}

// The content painted apart and laid over what lies beneath, which keeps T percent.
void BlendOverParent(TBitmap* ItemBmp, const TRect& R, const TPoint& pP, const TCacheInfo& CI, const TBackground& bg,
                     const TsSkinManager& m, TRules Rules)
{
    const auto content = CreateBmp32(R.Width(), R.Height());
    PaintContent(content.get(), TRect(0, 0, R.Width(), R.Height()), bg, CI, m, Rules);
    LayParent(ItemBmp, R, pP, CI);
    const TPixelView over = PixelsOf(content.get());
    SumBmpRect(PixelsOf(ItemBmp), over, Weight(bg.T), over.Bounds(), R.TopLeft());
}

void ComposeSection(TBitmap* ItemBmp, const TRect& R, const TPoint& pP, const TCacheInfo& CI, const TBackground& bg,
                    const TsSkinManager& m)
{
    const bool nothingKnown = !CI.Ready && CI.FillColor == vcl::clFuchsia;
    if (nothingKnown || bg.T == 0)
        PaintContent(ItemBmp, R, bg, CI, m, TRules::Section);
    else if (bg.T == 100)
        LayParent(ItemBmp, R, pP, CI);
    else if (!CI.Ready && bg.IP + bg.GP == 0)
        FillRect32(PixelsOf(ItemBmp), R, MixedFill(CI.FillColor, bg.Color, bg.T));
    else
        BlendOverParent(ItemBmp, R, pP, CI, bg, m, TRules::Section);
}

// A masked texture of fill mode 10 laid over the finished background of state 0.
void PaintOverlay(TBitmap* ItemBmp, const TRect& R, const TPoint& pP, const TCacheInfo& CI, const TsSkinManager& m,
                  int TextureIndex, int HotTextureIndex)
{
    const int index = TextureIndex != -1 ? TextureIndex : HotTextureIndex;
    if (!m.IsValidImgIndex(index))
        return;
    const TsMaskData& image = m.ma[size_t(index)];
    if (image.MaskType > 0 && image.DrawMode == int(TacFillMode::WholeTiles)) {
        TRect rest = R;
        TileMaskedImage(PixelsOf(ItemBmp), rest, Moved(CI, pP), image);
    }
}

// The corner images of the section at the corners of R, over what the bitmap shows.
void PaintCornerImages(const TPixelView& Bmp, const TsGeneralData& Section, const TRect& R, int State,
                       const TsSkinManager& m)
{
    struct TCornerImage {
        int Index;
        bool Right, Bottom;
    };
    const TCornerImage corners[] = {{Section.ImgTL, false, false},
                                    {Section.ImgTR, true, false},
                                    {Section.ImgBL, false, true},
                                    {Section.ImgBR, true, true}};
    const TCacheView itself{Bmp, 0, 0, vcl::clFuchsia, true};
    for (const TCornerImage& c : corners) {
        if (!m.IsValidImgIndex(c.Index))
            continue;
        const TsMaskData& image = m.ma[size_t(c.Index)];
        const TPoint at(c.Right ? R.right - WidthOfImage(image) : R.left,
                        c.Bottom ? R.bottom - HeightOfImage(image) : R.top);
        DrawSkinGlyph(Bmp, at, State, 1, image, itself);
    }
}

void PaintBorder(TBitmap* ItemBmp, const TRect& R, const TCacheInfo& CI, int MaskIndex, int State,
                 const TsSkinManager& m)
{
    if (m.IsValidImgIndex(MaskIndex))
        DrawSkinRect(PixelsOf(ItemBmp), R, CacheView(CI), m.ma[size_t(MaskIndex)], State, true);
}

// The section of skin data that can paint: a manager and a valid section, R a non-empty
// rectangle inside ItemBmp.
const TsGeneralData* PaintableSection(const TsCommonData& SkinData, const TRect& R, TBitmap* ItemBmp)
{
    const TsSkinManager* m = SkinData.SkinManager();
    if (!ItemBmp || !m || !m->IsValidSkinIndex(SkinData.SkinIndex) || R.IsEmpty() || !Inside(R, ItemBmp))
        return nullptr;
    return &m->gd[size_t(SkinData.SkinIndex)];
}

// The control's border in State over CI; true when it was drawn (the border image is not drawn in
// state 0 under DrawMode flag 2).
bool PaintControlBorder(const TsCommonData& SkinData, TBitmap* ItemBmp, const TRect& R, const TCacheInfo& CI,
                        int State, bool UpdateCorners)
{
    const TsSkinManager& m = *SkinData.SkinManager();
    if (!m.IsValidImgIndex(SkinData.BorderIndex))
        return false;
    const TsMaskData& border = m.ma[size_t(SkinData.BorderIndex)];
    if (State == 0 && (border.DrawMode & dmNotInNormal))
        return false;
    DrawSkinRect(PixelsOf(ItemBmp), R, CacheView(CI), border, State, UpdateCorners);
    return true;
}

}  // namespace

void PaintItemBG(int SkinIndex, const String& SkinSection, const TCacheInfo& CI, int State, const TRect& R,
                 const TPoint& pP, TBitmap* ItemBmp, TsSkinManager* SkinManager, int TextureIndex, int HotTextureIndex,
                 TColor CustomColor)
{
    SkinManager = ManagerOr(SkinManager);
    if (!ItemBmp || R.IsEmpty() || !SkinManager || !SkinManager->IsValidSkinIndex(SkinIndex))
        return;
    const TsSkinManager& m = *SkinManager;
    State = LimitState(m.gd[size_t(SkinIndex)], State);
    if (CustomColor != vcl::clFuchsia) {
        TBackground bg;
        bg.Color = CustomColor;
        ComposeSection(ItemBmp, R, pP, CI, bg, m);
        return;
    }
    const TBackground bg = SectionBackground(m, SkinIndex, SkinSection, State, TextureIndex, HotTextureIndex);
    ComposeSection(ItemBmp, R, pP, CI, bg, m);
    if (State == 0)
        PaintOverlay(ItemBmp, R, pP, CI, m, TextureIndex, HotTextureIndex);
}

void PaintItem(int SkinIndex, const String& SkinSection, const TCacheInfo& CI, int State, const TRect& R,
               const TPoint& pP, TBitmap* ItemBmp, TsSkinManager* SkinManager, int TextureIndex, int HotTextureIndex)
{
    SkinManager = ManagerOr(SkinManager);
    if (!ItemBmp || R.IsEmpty() || !SkinManager || !SkinManager->IsValidSkinIndex(SkinIndex) || !Inside(R, ItemBmp))
        return;
    const TsSkinManager& m = *SkinManager;
    const TsGeneralData& section = m.gd[size_t(SkinIndex)];
    State = LimitState(section, State);
    PaintItemBG(SkinIndex, SkinSection, CI, State, R, pP, ItemBmp, SkinManager, TextureIndex, HotTextureIndex);
    PaintCornerImages(PixelsOf(ItemBmp), section, R, State, m);
    PaintBorder(ItemBmp, R, Moved(CI, pP), section.BorderIndex, State, m);
}

void PaintItem(int SkinIndex, const String& SkinSection, const TCacheInfo& CI, int State, const TRect& R,
               const TPoint& pP, HDC DC, TsSkinManager* SkinManager)
{
    SkinManager = ManagerOr(SkinManager);
    if (!SkinManager || !SkinManager->IsValidSkinIndex(SkinIndex) || R.left < 0 || R.top < 0 || R.Width() < 1 ||
        R.Height() < 1)
        return;
    const vcl::TSavedDC saved(DC);
    const auto item = CreateBmp32(R.Width(), R.Height());
    PaintItem(SkinIndex, SkinSection, CI, State, TRect(0, 0, R.Width(), R.Height()), pP, item.get(), SkinManager);
    const TCanvasLock lock(item->Canvas());
    BitBlt(DC, R.left, R.top, R.Width(), R.Height(), item->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void PaintItemBGFast(int SkinIndex, int TextureIndex, int HotTextureIndex, const TCacheInfo& CI, int State,
                     const TRect& R, const TPoint& pP, TBitmap* ItemBmp, TsSkinManager* SkinManager)
{
    if (!DefaultManager)  // this painter serves only while a default manager exists
        return;
    SkinManager = ManagerOr(SkinManager);
    if (!ItemBmp || R.IsEmpty() || !SkinManager->IsValidSkinIndex(SkinIndex))
        return;
    const TsSkinManager& m = *SkinManager;
    const TBackground bg = FastBackground(m.gd[size_t(SkinIndex)], State, TextureIndex, HotTextureIndex);
    if (CI.Ready && bg.T == 100)
        LayParent(ItemBmp, R, pP, CI);
    else if (!CI.Ready || bg.T == 0)
        PaintContent(ItemBmp, R, bg, CI, m, TRules::Fast);
    else if (bg.T > 0)
        BlendOverParent(ItemBmp, R, pP, CI, bg, m, TRules::Fast);
}

void PaintItemFast(int SkinIndex, int MaskIndex, int TextureIndex, int HotTextureIndex, const TCacheInfo& CI,
                   int State, const TRect& R, const TPoint& pP, TBitmap* ItemBmp, TsSkinManager* SkinManager)
{
    SkinManager = ManagerOr(SkinManager);
    if (!ItemBmp || !SkinManager || !SkinManager->IsValidSkinIndex(SkinIndex) || !Inside(R, ItemBmp))
        return;
    State = LimitState(SkinManager->gd[size_t(SkinIndex)], State);
    PaintItemBGFast(SkinIndex, TextureIndex, HotTextureIndex, CI, State, R, pP, ItemBmp, SkinManager);
    PaintBorder(ItemBmp, R, Moved(CI, pP), MaskIndex, State, *SkinManager);
}

void PaintItemBG(const TsCommonData& SkinData, const TCacheInfo& CI, int State, const TRect& R, const TPoint& pP,
                 TBitmap* ItemBmp)
{
    TsSkinManager* m = SkinData.SkinManager();
    if (!m || !m->IsValidSkinIndex(SkinData.SkinIndex))
        return;
    TColor custom = vcl::clFuchsia;
    if (SkinData.CustomColor()) {
        const vcl::TControl* form = SkinData.ProviderForm();
        if (const vcl::TControl* owner = form ? form : SkinData.FOwnerControl)
            custom = TColor(vcl::ColorToRGB(owner->Color()));
    }
    State = LimitState(m->gd[size_t(SkinData.SkinIndex)], State);
    PaintItemBG(SkinData.SkinIndex, SkinData.SkinSection(), CI, State, R, pP, ItemBmp, m, SkinData.Texture,
                SkinData.HotTexture, custom);
}

void PaintItem(const TsCommonData& SkinData, const TCacheInfo& CI, int State, const TRect& R, const TPoint& pP,
               TBitmap* ItemBmp, bool UpdateCorners)
{
    const TsGeneralData* section = PaintableSection(SkinData, R, ItemBmp);
    if (!section)
        return;
    State = LimitState(*section, State);
    PaintItemBG(SkinData, CI, State, R, pP, ItemBmp);
    const TCacheInfo moved = Moved(CI, pP);
    PaintCornerImages(PixelsOf(ItemBmp), *section, R, State, *SkinData.SkinManager());
    const bool bordered = PaintControlBorder(SkinData, ItemBmp, R, moved, State, UpdateCorners);
    if (!bordered && StateValues(*section, State).Transparency != 0)
        return;
    if (SkinData.HUEOffset() != 0)
        ChangeBmpHUE(PixelsOf(ItemBmp), SkinData.HUEOffset());
    if (SkinData.Saturation() != 0)
        ChangeBmpSaturation(PixelsOf(ItemBmp), SkinData.Saturation());
}

void PaintSkinControl(const TsCommonData& SkinData, vcl::TControl* Parent, int State, const TRect& R,
                      const TPoint& pP, TBitmap* ItemBmp, bool UpdateCorners)
{
    const TsGeneralData* section = PaintableSection(SkinData, R, ItemBmp);
    if (!section)
        return;
    State = LimitState(*section, State);
    const TCacheInfo ci = BackgroundOf(Parent);
    PaintItemBG(SkinData, ci, State, R, pP, ItemBmp);
    PaintControlBorder(SkinData, ItemBmp, R, Moved(ci, pP), State, UpdateCorners);
    PaintCornerImages(PixelsOf(ItemBmp), *section, R, State, *SkinData.SkinManager());
}

int PaintSection(TBitmap* Bmp, const String& Section, const String& SecondSection, int State, TsSkinManager* Manager,
                 const TPoint& TopLeft, TColor BGColor, HDC ParentDC)
{
    Manager = ManagerOr(Manager);
    if (!Manager)
        return -1;
    String name = Section;
    int index = Manager->GetSkinIndex(name);
    if (!Manager->IsValidSkinIndex(index)) {
        name = SecondSection;
        index = Manager->GetSkinIndex(name);
        if (!Manager->IsValidSkinIndex(index))
            return index;
    }
    TCacheInfo ci;
    ci.FillColor = BGColor;
    if (ParentDC && Bmp) {
        const TCanvasLock lock(Bmp->Canvas());
        BitBlt(Bmp->Canvas()->Handle(), 0, 0, Bmp->Width(), Bmp->Height(), ParentDC, TopLeft.x, TopLeft.y, SRCCOPY);
        ci = TCacheInfo{Bmp, 0, 0, BGColor, true};
    }
    if (Bmp)
        PaintItem(index, name, ci, State, TRect(0, 0, Bmp->Width(), Bmp->Height()), TPoint(0, 0), Bmp, Manager);
    return index;
}

}  // namespace skin
