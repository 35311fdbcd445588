#include "languages/languageswitch.h"

#include <algorithm>

const std::array<LanguageButton, 12> kLanguageButtons = {{
    {L"sbtRussian", L"image\\28flag_russia.bmp", 1},
    {L"sbtEnglish", L"image\\28flag_great_britain.bmp", 0},
    {L"sbtDeutsch", L"image\\28flag_germany.bmp", 2},
    {L"sbtFrance", L"image\\28flag_france.bmp", 3},
    {L"sbtEspania", L"image\\28flag_spain.bmp", 4},
    {L"sbtPortugal", L"image\\28flag_portugal.bmp", 0},
    {L"sbtCzech", L"image\\28flag_czech.bmp", 6},
    {L"sbtSerbian", L"image\\28flag_serbia.bmp", 8},
    {L"sbtSwed", L"image\\flag_sweden.bmp", 9},
    {L"sbtCroation", L"image\\flag_croatia.bmp", 10},
    {L"sbtKorean", L"image\\28flag_south_korea.bmp", 7},
    {L"sbtItalian", L"image\\28flag_italy.bmp", 11},
}};

const LanguageButton* FindLanguageButton(std::wstring_view button)
{
    const auto found = std::find_if(kLanguageButtons.begin(), kLanguageButtons.end(),
                                    [button](const LanguageButton& entry) { return entry.button == button; });
    return found == kLanguageButtons.end() ? nullptr : &*found;
}

int LanguageForListItem(int itemIndex, int currentLanguage)
{
    // Items: Russian, English, German, French, Spanish, Portuguese (English texts), Czech,
    // Serbian, Swedish, Croatian, Italian. Korean is reached by its button only.
    constexpr std::array<int, 11> kItemLanguages = {1, 0, 2, 3, 4, 0, 6, 8, 9, 10, 11};
    if (itemIndex < 0 || itemIndex >= static_cast<int>(kItemLanguages.size()))
        return currentLanguage;
    return kItemLanguages[itemIndex];
}
