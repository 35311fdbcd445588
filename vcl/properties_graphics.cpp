// The properties drawing objects publish by name.
#include "vcl/graphics.h"
#include "vcl/properties.h"

namespace vcl {

void TFont::PublishProperties(TPropertyTable& Table)
{
    using C = TFont;
    Table.Add(L"Charset", &C::Charset, &C::SetCharset);
    Table.Add(L"Color", &C::Color, &C::SetColor);
    Table.Add(L"Height", &C::Height, &C::SetHeight);
    Table.Add(L"Orientation", &C::Orientation, &C::SetOrientation);
    Table.Add(L"Pitch", &C::Pitch, &C::SetPitch);
    Table.Add(L"Quality", &C::Quality, &C::SetQuality);
    Table.Add(L"Size", &C::Size, &C::SetSize);
    Table.Add(L"Style", &C::Style, &C::SetStyle, {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"});
}

}  // namespace vcl
