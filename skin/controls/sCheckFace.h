#pragma once
// The geometry of the skinned check box and radio button, free of windows: the size of a glyph
// strip's frames, the frame shown in a face state, the size of a skin glyph image, the place of
// the glyph and the control's auto size.
#include <algorithm>

namespace skin {

struct TsMaskData;

// A strip of square frames as tall as the bitmap: one frame is Height wide; a width that is no
// multiple of the height is a single frame of that width.
struct TFrameSize {
    int Width = 16;
    int Height = 16;
};
inline TFrameSize StripFrameSize(int Width, int Height)
{
    if (Height <= 0 || Width < Height || Width % Height != 0)
        return {Width, Height};
    return {Width / (Width / Height), Height};
}
inline int StripFrameCount(int StripWidth, int FrameWidth) { return FrameWidth > 0 ? StripWidth / FrameWidth : 0; }

// The frame of a strip of Frames frames that shows the face: 2 while pressed, 1 while hot (active
// and not read-only), else 0; never beyond the last frame.
inline int FaceFrame(int Frames, bool Pressed, bool Hot)
{
    const int wanted = Pressed ? 2 : Hot ? 1 : 0;
    return std::max(0, std::min(wanted, Frames - 1));
}

// One state image of a skin glyph: a glyph with a bitmap of its own holds three states over their
// masks; one in the master bitmap its ImageCount states over MaskType mask rows.
TFrameSize SkinGlyphSize(const TsMaskData& Mask);

// Where the glyph lies in a control Width x Height: vertically centred, Margin from the left edge
// when the text lies right of it (taRightJustify), else Margin from the right edge.
struct TGlyphPlace {
    int Left, Top, Width, Height;
};
inline TGlyphPlace GlyphPlace(TFrameSize Glyph, int ControlWidth, int ControlHeight, int Margin, bool TextRight)
{
    const int left = TextRight ? Margin : ControlWidth - Glyph.Width - Margin;
    return {left, (ControlHeight - Glyph.Height) / 2, Glyph.Width, Glyph.Height};
}

// The skinned auto size: the glyph and 2 x Margin, with a caption its width, the indent and 8 more;
// as tall as the glyph or the text, whichever is taller, plus 2 x Margin and 2.
struct TAutoSize {
    int Width, Height;
};
inline TAutoSize SkinnedAutoSize(TFrameSize Glyph, int Margin, int TextIndent, bool HasCaption, int TextWidth,
                                 int TextHeight)
{
    const int width = Glyph.Width + 2 * Margin + (HasCaption ? TextWidth + TextIndent + 8 : 0);
    const int height = std::max(Glyph.Height, HasCaption ? TextHeight : 0) + 2 * Margin + 2;
    return {width, height};
}
// The native button's auto size: the text and 20 more, at least 20 high.
inline TAutoSize PlainAutoSize(int TextWidth, int TextHeight) { return {TextWidth + 20, std::max(TextHeight + 4, 20)}; }

}  // namespace skin
