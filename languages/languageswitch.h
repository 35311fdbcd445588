#pragma once
// The two places where the user picks a language: the twelve buttons of the flag panel and
// the first-launch list. Both end in a language index for ApplyLanguageTexts.
#include <array>
#include <string_view>

struct LanguageButton {
    std::wstring_view button;       // component name of the speed button on the flag panel
    std::wstring_view flagPicture;  // loaded into the language button's glyph, relative to the current directory
    int language;
};

// In the order of the panel. Portuguese has no texts of its own and applies English.
extern const std::array<LanguageButton, 12> kLanguageButtons;

// The button of that name, or nullptr.
const LanguageButton* FindLanguageButton(std::wstring_view button);

// The language that an item of the first-launch list picks; with no item selected (or an
// index the list does not have) the current language stays.
int LanguageForListItem(int itemIndex, int currentLanguage);
