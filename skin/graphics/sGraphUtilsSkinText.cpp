// Captions in the colours of a skin section: the contour copies, the disabled look, the web
// button's underline and the glow laid into the control's cache before the text.
//
// The canvas keeps its own account of what is selected into its DC. So that the saved DC state
// cannot undo objects the canvas believes selected, every change to the canvas (font colour and
// style, brush) is made first, the canvas then selects its font, and only raw calls on the DC
// follow inside the saved state.
#include <memory>
#include <vector>

#include "skin/core/sCommonData.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/controls.h"
#include "vcl/graphics.h"

namespace skin {

using vcl::String;
using vcl::TCanvas;
using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

namespace {

// The glow's mask reaches beyond the text on all four sides.
constexpr UINT GlowAllSides = 15;
// The weight of the section's font colour in the disabled colour.
constexpr double DisabledTextWeight = 0.4;

// One copy of the text: its colour as the DC takes it, where it lies beside R, and its flags.
struct TTextPass {
    COLORREF Colour;
    TPoint Shift;
    UINT Flags;
};

// How a caption is written: the copies in drawing order, and the colour the canvas font takes
// and keeps (clNone: the canvas font keeps its own).
struct TCaptionPlan {
    std::vector<TTextPass> Passes;
    TColor FontColor = vcl::clNone;
};

// A colour resolved (system colours too) and shifted by a control's hue and saturation.
TColor Shifted(TColor Colour, int HueOffset, int Saturation)
{
    return ChangeSaturation(ChangeHue(HueOffset, TColor(vcl::ColorToRGB(Colour))), Saturation);
}

COLORREF Shifted(TColor Colour, const TsCommonData& SkinData)
{
    return COLORREF(Shifted(Colour, SkinData.HUEOffset(), SkinData.Saturation()));
}

// The contours that are set, then the text in the main colour with MainFlags.
template<class TPrepare>
std::vector<TTextPass> ContouredPasses(const TsFontColor& Colours, UINT Flags, UINT MainFlags, TPrepare Prepare)
{
    std::vector<TTextPass> passes;
    for (const TTextContour& contour : TextContours(Colours))
        if (contour.Color != TColor(-1))
            passes.push_back({Prepare(contour.Color), contour.Shift, Flags});
    passes.push_back({Prepare(Colours.Color), TPoint(0, 0), MainFlags});
    return passes;
}

// Once in the colour the canvas font takes.
TCaptionPlan InFontColour(TColor FontColor, UINT Flags)
{
    return {{{COLORREF(vcl::ColorToRGB(FontColor)), TPoint(0, 0), Flags}}, FontColor};
}

// Once in the canvas font as it is.
TCaptionPlan InCanvasColour(TCanvas* Canvas, UINT Flags)
{
    return {{{COLORREF(vcl::ColorToRGB(Canvas->Font()->Color())), TPoint(0, 0), Flags}}};
}

// The system's engraved look: a light copy a pixel lower and to the right under the shadow.
TCaptionPlan Engraved(UINT Flags)
{
    TCaptionPlan plan = InFontColour(vcl::clBtnShadow, Flags);
    plan.Passes.insert(plan.Passes.begin(), {COLORREF(vcl::ColorToRGB(vcl::clBtnHighlight)), TPoint(1, 1), Flags});
    return plan;
}

// The section whose colours a caption takes: the control's own, but a see-through check box,
// radio button, group box or graphic control that takes its parent's font shows those of the
// section beneath it.
int CaptionSection(const TsCommonData& SkinData, int State, TsSkinManager* Manager)
{
    const int own = SkinData.SkinIndex;
    vcl::TControl* owner = SkinData.FOwnerControl;
    const bool seeThroughKind = SkinData.COC == ckCheckBox || SkinData.COC == ckRadioButton ||
                                SkinData.COC == ckGroupBox || dynamic_cast<vcl::TGraphicControl*>(owner);
    if (!seeThroughKind || !owner || !owner->ParentFont() || !owner->Parent() ||
        Manager->gd[size_t(own)].Props[size_t(State)].Transparency <= 0)
        return own;
    return GetFontIndex(owner, own, Manager, 0);
}

void DrawPasses(HDC DC, const String& Text, const TRect& R, const std::vector<TTextPass>& Passes)
{
    for (const TTextPass& pass : Passes) {
        SetTextColor(DC, pass.Colour);
        TRect r = R.Offsetted(pass.Shift.x, pass.Shift.y);
        acDrawText(DC, Text, r, pass.Flags);
    }
}

// The DC's text colour back to the canvas font's: the canvas sets it only when it selects its
// font, so a colour left behind would serve the canvas's next text.
void KeepCanvasTextColour(TCanvas* Canvas)
{
    SetTextColor(Canvas->Handle(), vcl::ColorToRGB(Canvas->Font()->Color()));
}

// The font colour the plan asks for, then the canvas's DC ready for the passes.
HDC PreparedDC(TCanvas* Canvas, const TCaptionPlan& Plan)
{
    if (Plan.FontColor != vcl::clNone)
        Canvas->Font()->SetColor(Plan.FontColor);
    return FontReadyDC(Canvas);
}

}  // namespace

HDC FontReadyDC(TCanvas* Canvas)
{
    Canvas->TextExtent(String());
    return Canvas->Handle();
}

void WriteTextEx(TCanvas* Canvas, const String& Text, bool Enabled, TRect& R, UINT Flags, const TsCommonData& SkinData,
                 bool Hot)
{
    if (Text.empty())
        return;
    const TRect R2 = R;
    TsSkinManager* manager = SkinData.SkinManager();
    if (Hot && manager && SkinData.SkinIndex >= 0 && SkinData.SkinIndex == manager->ConstData.IndexWebBtn)
        Canvas->Font()->SetStyle(Canvas->Font()->Style() + vcl::TFontStyles{vcl::TFontStyle::fsUnderline});
    Canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);

    TCaptionPlan plan;
    if (SkinData.Skinned() && !SkinData.CustomFont()) {
        const int state = Hot ? 1 : 0;
        const int b = CaptionSection(SkinData, state, manager);
        if (!manager->IsValidSkinIndex(b)) {
            plan = InCanvasColour(Canvas, Flags);
        } else {
            const TsGeneralData& section = manager->gd[size_t(b)];
            const TsGenState& props = section.Props[size_t(state)];
            if (SkinData.FCacheBmp && props.GlowSize != 0) {
                std::unique_ptr<vcl::TBitmap> mask;
                acDrawGlowForText(SkinData.FCacheBmp.get(), Text, R2, Flags, GlowAllSides, props.GlowSize,
                                  TColor(Shifted(props.GlowColor, SkinData)), mask);
            }
            if (Enabled)
                plan.Passes = ContouredPasses(props.FontColor, Flags, Flags | DT_NOCLIP,
                                              [&](TColor c) { return Shifted(c, SkinData); });
            else
                plan = InFontColour(TColor(Shifted(MixColors(section.FontColor.Color, manager->GetGlobalColor(),
                                                             DisabledTextWeight),
                                                   SkinData)),
                                    Flags);
        }
    } else {
        plan = Enabled ? InCanvasColour(Canvas, Flags) : Engraved(Flags);
    }

    const HDC dc = PreparedDC(Canvas, plan);
    const vcl::TSavedDC saved(dc);
    IntersectClipRect(dc, R2.left, R2.top, R2.right, R2.bottom);
    SetBkMode(dc, TRANSPARENT);
    DrawPasses(dc, Text, R2, plan.Passes);
}

void WriteTextEx(TCanvas* Canvas, const String& Text, bool Enabled, TRect& R, UINT Flags, int SkinIndex, bool Hot,
                 TsSkinManager* SkinManager)
{
    if (Text.empty())
        return;
    const TsSkinManager* manager = SkinManager ? SkinManager : DefaultManager;
    if (!manager || !manager->IsValidSkinIndex(SkinIndex)) {
        const HDC dc = FontReadyDC(Canvas);
        SetBkMode(dc, TRANSPARENT);
        KeepCanvasTextColour(Canvas);
        acDrawText(dc, Text, R, Flags);
        return;
    }
    const TsGeneralData& section = manager->gd[size_t(SkinIndex)];
    TCaptionPlan plan;
    if (Enabled)
        plan.Passes = ContouredPasses(section.Props[Hot ? 1 : 0].FontColor, Flags, Flags,
                                      [](TColor c) { return COLORREF(vcl::ColorToRGB(c)); });
    else
        plan = InFontColour(MixColors(section.Props[0].FontColor.Color, section.Color, DisabledTextWeight), Flags);
    const HDC dc = PreparedDC(Canvas, plan);
    SetBkMode(dc, TRANSPARENT);
    DrawPasses(dc, Text, R, plan.Passes);
    KeepCanvasTextColour(Canvas);
}

void acWriteTextEx(TCanvas* Canvas, const String& Text, bool Enabled, TRect& R, UINT Flags,
                   const TsCommonData& SkinData, bool Hot, TsSkinManager*)
{
    WriteTextEx(Canvas, Text, Enabled, R, Flags, SkinData, Hot);
}

void acWriteTextEx(TCanvas* Canvas, const String& Text, bool Enabled, TRect& R, UINT Flags, int SkinIndex, bool Hot,
                   TsSkinManager* SkinManager)
{
    WriteTextEx(Canvas, Text, Enabled, R, Flags, SkinIndex, Hot, SkinManager);
}

}  // namespace skin
