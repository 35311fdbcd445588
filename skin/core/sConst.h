#pragma once
// Constants and small enumerations shared across the skin engine.
#include <cstdint>

namespace skin {

// What a skin image is for; read from the options file, so the values are fixed.
enum class TacImgType : uint8_t {
    itisaBorder = 0,
    itisaTexture = 1,
    itisaGlyph = 2,
    itisaGlow = 3,
    itisaPngGlyph = 4,
};

}  // namespace skin
