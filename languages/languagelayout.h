#pragma once
// Moves and sizes the main window's controls after a language's texts are set, so that
// the new captions fit: centring captions beside their value fields, buttons and headers
// in their panels, stacking the search view and placing the gauge with its scale.
#include <cstdint>
#include <string_view>

enum class LayoutProperty { Left, Top, Width, Height };

// What the layout needs of the main window. Controls are addressed by their component
// names; "frmMain" names the window itself, whose Width and Height are its outer size
// (frame and caption bar included). Left and Top are relative to the parent. Labels with
// automatic sizing report the size of the caption they carry now.
class LanguageLayoutHost {
public:
    virtual ~LanguageLayoutHost() = default;

    virtual int32_t Get(std::wstring_view control, LayoutProperty property) const = 0;
    // Takes effect at once: the next Get of the same property returns the new value.
    virtual void Set(std::wstring_view control, LayoutProperty property, int32_t value) = 0;
};

// Call right after ApplyLanguageTexts with the same index. Indexes without a layout
// (5, above 11, negative) move nothing; every call ends by setting lbAddr2's width to 121.
void ApplyLanguageLayout(LanguageLayoutHost& host, int language);
