// Measures and writers of text: thin wrappers of the system's text functions that pass the
// text's length, and the shortening of a caption to a width.
#include "skin/graphics/sGraphUtils.h"
#include "vcl/graphics.h"

namespace skin {

using vcl::String;

namespace {

const String Ellipsis = L"...";

// Text without its last character (a surrogate pair counts as one).
void DropLastCharacter(String& Text)
{
    const bool pair = Text.size() >= 2 && IS_LOW_SURROGATE(Text.back()) && IS_HIGH_SURROGATE(Text[Text.size() - 2]);
    Text.resize(Text.size() - (pair ? 2 : 1));
}

}  // namespace

int acDrawText(HDC DC, const String& Text, vcl::TRect& R, UINT Flags)
{
    return DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Flags);
}

int acWriteText(vcl::TCanvas* Canvas, const String& Text, vcl::TRect& R, UINT Flags)
{
    return acDrawText(Canvas->Handle(), Text, R, Flags);
}

void acGetTextExtent(HDC DC, const String& Text, vcl::TSize& Size)
{
    GetTextExtentPoint32W(DC, Text.c_str(), int(Text.size()), &Size);
}

vcl::TSize acTextExtent(vcl::TCanvas* Canvas, const String& Text) { return Canvas->TextExtent(Text); }

int acTextWidth(vcl::TCanvas* Canvas, const String& Text) { return acTextExtent(Canvas, Text).cx; }

int acTextHeight(vcl::TCanvas* Canvas, const String& Text) { return acTextExtent(Canvas, Text).cy; }

void acTextRect(vcl::TCanvas* Canvas, const vcl::TRect& R, int X, int Y, const String& Text)
{
    Canvas->TextRect(R, X, Y, Text);
}

String CutText(vcl::TCanvas* Canvas, const String& Text, int MaxWidth)
{
    if (MaxWidth <= 0)
        return String();
    if (Canvas->TextWidth(Text) <= MaxWidth)
        return Text;
    // The text is not empty here: an empty one fits.
    String kept = Text;
    do
        DropLastCharacter(kept);
    while (!kept.empty() && Canvas->TextWidth(kept + Ellipsis) > MaxWidth);
    return kept.empty() ? String() : kept + Ellipsis;
}

}  // namespace skin
