#include "languages/languageswitch.h"

#include <gtest/gtest.h>

TEST(LanguageSwitch, ListItemsPickTheirLanguages)
{
    const int expected[] = {1, 0, 2, 3, 4, 0, 6, 8, 9, 10, 11};
    for (int item = 0; item < 11; ++item)
        EXPECT_EQ(LanguageForListItem(item, 5), expected[item]) << "item " << item;
}

TEST(LanguageSwitch, NoSelectedItemKeepsTheCurrentLanguage)
{
    EXPECT_EQ(LanguageForListItem(-1, 0), 0);
    EXPECT_EQ(LanguageForListItem(-1, 7), 7);
    EXPECT_EQ(LanguageForListItem(11, 3), 3);
}

TEST(LanguageSwitch, ButtonsPickTheirLanguagesAndFlags)
{
    struct Case {
        const wchar_t* button;
        int language;
        const wchar_t* flag;
    };
    const Case cases[] = {
        {L"sbtRussian", 1, L"image\\28flag_russia.bmp"},
        {L"sbtEnglish", 0, L"image\\28flag_great_britain.bmp"},
        {L"sbtPortugal", 0, L"image\\28flag_portugal.bmp"},
        {L"sbtKorean", 7, L"image\\28flag_south_korea.bmp"},
        {L"sbtSwed", 9, L"image\\flag_sweden.bmp"},
        {L"sbtCroation", 10, L"image\\flag_croatia.bmp"},
        {L"sbtItalian", 11, L"image\\28flag_italy.bmp"},
    };
    for (const Case& c : cases) {
        const LanguageButton* button = FindLanguageButton(c.button);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->language, c.language);
        EXPECT_EQ(button->flagPicture, c.flag);
    }
    EXPECT_EQ(FindLanguageButton(L"sbtLang"), nullptr);
}

TEST(LanguageSwitch, EveryLanguageHasOneButtonAndEnglishAlsoPortuguese)
{
    for (int language = 0; language <= 11; ++language) {
        int buttons = 0;
        for (const LanguageButton& button : kLanguageButtons)
            buttons += button.language == language;
        EXPECT_EQ(buttons, language == 0 ? 2 : language == 5 ? 0 : 1) << "language " << language;
    }
}
