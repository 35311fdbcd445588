#pragma once
// The skinned splitter: a bar painted from its section ("SPLITTER") in a normal, hot or pressed
// state, with an optional glyph or grip in its middle; without a skin the class library's bar
// with the same glyph or grip. A drag switches the application's hints off until its release.
#include "skin/controls/sSkinnedControl.h"
#include "vcl/extctrls.h"

namespace skin {

// The dotted grip of a splitter Width x Height: 4 x 21 for a standing one, 21 x 4 for a lying one,
// in its middle.
vcl::TRect GripRect(int Width, int Height, bool Standing);
// Every second row and column of the grip from its top left: the pixel white, the one below and
// right of it black.
void DrawDottedGrip(HDC DC, const vcl::TRect& Grip);

class TsSplitter : public TsSkinnedControl<vcl::TSplitter> {
    CL_CLASS(TsSplitter, TsSkinnedControl<vcl::TSplitter>)
    CL_PUBLISHED
public:
    explicit TsSplitter(vcl::TComponent* AOwner);

    vcl::TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(vcl::TBitmap* Value);
    bool ShowGrip() const { return FShowGrip; }
    void SetShowGrip(bool Value);

protected:
    void Paint() override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void SkinRemoved() override { Repaint(); }
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;

private:
    bool Standing() const { return Align() == vcl::TAlign::alLeft || Align() == vcl::TAlign::alRight; }
    void PaintSkinned();
    // The glyph in the middle of Bmp's area Width x Height: blended by its alpha when 32-bit, else
    // without its transparent colour.
    void PaintGlyphOn(vcl::TBitmap* Bmp);

    bool FSizing = false;
    vcl::TObjectPtr<vcl::TBitmap> FGlyph;
    bool FShowGrip = false;
    // The application's hints, switched off by this splitter's press, to be given back on release.
    TPressHints FHints;
};

}  // namespace skin
