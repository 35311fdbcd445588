#pragma once
// The default glyphs of the buttons inside the skinned edit controls: an alpha image list of five
// images, each three 16 x 16 states (normal, hot, pressed) side by side, read from the program's
// resources.
#include <array>

#include "skin/graphics/acAlphaImageList.h"

namespace skin {

// The RCDATA resources of the default glyphs in list order: a page (with a magnifier when hot), a
// folder (with a green arrow), a calendar leaf showing 7, a grey box with three dots, a calculator.
inline constexpr std::array<const wchar_t*, 5> acGlyphsResNames = {L"SF", L"SR", L"SD", L"SE", L"SC"};

// The list of the default glyphs, 48 x 16, without owner: built from the program's resources on
// first use and freed when the program ends. A missing resource raises EResNotFound.
TsAlphaImageList* acResImgList();

}  // namespace skin
