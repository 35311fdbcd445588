#pragma once
// The glyph painting the skinned buttons share, and the list of window classes the form skinning
// never takes over.
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/imglist.h"

namespace skin {

class TsCommonData;

// Index names an image of List; never while there is no list.
bool HasImage(const vcl::TCustomImageList* List, int Index);
// A glyph change of a bitmap or speed button shows at once: its cache is rendered again, unless
// the button is loading, being destroyed or creating its window.
void ShowGlyphChange(const vcl::TControl& Button, TsCommonData& SkinData);

// What a button gives the glyph painter.
struct TGlyphSource {
    vcl::TCustomImageList* Images = nullptr;
    vcl::TBitmap* Glyph = nullptr;  // takes precedence over the image list when it has pixels
    int ImageIndex = -1;
    TsCommonData* SkinData = nullptr;
    vcl::TRect Rect;   // where the glyph goes in the button
    vcl::TSize Size;   // the button's size
    int NumGlyphs = 1;
    bool Enabled = true;
    int Blend = 0;     // transparency percentage: 0 opaque, 100 invisible
    bool Down = false;
    bool Grayed = false;
    int State = 0;     // 0 normal, 1 hot, 2 pressed
    TsDisabledGlyphKind DisabledGlyphKind{TsDisabledGlyphKindItem::dgBlended};
    bool Reflected = false;
};

// What a bitmap or speed button gives the painter: its glyph properties, with the glyph at Rect in
// the look of State.
template <class TGlyphButton>
TGlyphSource ButtonGlyphSource(TGlyphButton& Button, const vcl::TRect& Rect, int State)
{
    TGlyphSource s;
    s.Images = Button.Images();
    s.Glyph = Button.Glyph();
    s.ImageIndex = Button.ImageIndex();
    s.SkinData = Button.SkinData();
    s.Rect = Rect;
    s.Size = {Button.Width(), Button.Height()};
    s.NumGlyphs = Button.NumGlyphs();
    s.Enabled = Button.Enabled();
    s.Blend = Button.Blend();
    s.Down = Button.Down();
    s.Grayed = Button.Grayed();
    s.State = State;
    s.DisabledGlyphKind = Button.DisabledGlyphKind();
    s.Reflected = Button.Reflected();
    return s;
}

// The glyph of a push button (its standard look), a speed button or a bitmap button in the look of
// its state, onto Canvas, or into the button's cache when Canvas is none. Any other control draws
// nothing.
void PaintButtonGlyph(vcl::TControl* Control, vcl::TCanvas* Canvas = nullptr);
// The same from the button's values.
void PaintGlyph(const TGlyphSource& Source, vcl::TCanvas* Canvas);

// The forms the form skinning gives no skin provider, sorted: "TApplication", "TfcPopup".
const vcl::TStringList& NeverSkinnedClasses();
// ClassName is one of them, in the same letter case.
bool IsNeverSkinned(const vcl::String& ClassName);

}  // namespace skin
