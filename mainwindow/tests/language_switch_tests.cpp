// The language switch in the real window: the flag panel and its buttons, the first-launch list,
// the settings file on disk, and what the texts and the layout leave on the window for every
// language. Each language also leaves screenshots for people to look at.
#include "language_window.h"
#include "screenshots.h"
#include "textfit.h"

#include "languages/languageswitch.h"
#include "languages/messagetexts.h"

#include "vcl/bitmaps.h"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>

namespace {

using namespace vcl;
using namespace languagewindow;
namespace fs = std::filesystem;

// The "Language" value of the "General" section as the file on disk holds it; nothing without one.
std::optional<std::string> StoredLanguage()
{
    std::ifstream file("Settings.ini");
    bool general = false;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.starts_with('['))
            general = line == "[General]";
        else if (general && line.starts_with("Language="))
            return line.substr(9);
    }
    return std::nullopt;
}

std::optional<std::string> Stored(int language) { return std::to_string(language); }

bool SamePixels(TBitmap* a, TBitmap* b)
{
    if (a->Width() != b->Width() || a->Height() != b->Height())
        return false;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x)
            if (a->Canvas()->Pixels(x, y) != b->Canvas()->Pixels(x, y))
                return false;
    return true;
}

bool ShowsPicture(TBitmap* shown, const String& file)
{
    TObjectPtr<TBitmap> expected(Create<TBitmap>());
    expected->LoadFromFile(file);
    return SamePixels(shown, expected.get());
}

// What a language writes, kept instead of put on the window; reads of what the language has not
// written yet come from the window.
class TRecordedTexts final : public LanguageTextHost {
public:
    explicit TRecordedTexts(int language)
    {
        TMainformLanguageHost window(*frmMain);
        FWindow = &window;
        ApplyLanguageTexts(*this, language);
        FWindow = nullptr;
    }

    std::optional<String> WindowCaption;
    std::map<std::wstring, String, std::less<>> Captions;
    std::map<std::wstring, String, std::less<>> Hints;
    std::map<int, String> StatusPanels;

    void SetWindowCaption(const String& text) override { WindowCaption = text; }
    void SetCaption(std::wstring_view control, const String& text) override { Captions[std::wstring(control)] = text; }
    String Caption(std::wstring_view control) const override
    {
        const auto found = Captions.find(control);
        return found != Captions.end() ? found->second : FWindow->Caption(control);
    }
    void SetHint(std::wstring_view control, const String& text) override { Hints[std::wstring(control)] = text; }
    String Hint(std::wstring_view control) const override
    {
        const auto found = Hints.find(control);
        return found != Hints.end() ? found->second : FWindow->Hint(control);
    }
    void SetStatusPanelText(int panel, const String& text) override { StatusPanels[panel] = text; }

private:
    TMainformLanguageHost* FWindow = nullptr;
};

// Every text of the language is on the window.
void ExpectTextsOf(int language)
{
    const TRecordedTexts texts(language);
    ASSERT_TRUE(texts.WindowCaption.has_value());
    EXPECT_EQ(*texts.WindowCaption, frmMain->Caption());
    for (const auto& [control, text] : texts.Captions)
        EXPECT_EQ(text, Named(control)->Caption()) << "caption of " << String(control);
    for (const auto& [control, text] : texts.Hints)
        EXPECT_EQ(text, Named(control)->Hint()) << "hint of " << String(control);
    for (const auto& [panel, text] : texts.StatusPanels)
        EXPECT_EQ(text, frmMain->StatusBar1->Panels()->Items(panel)->Text()) << "status panel " << panel;
}

// Widens the address caption as an address entry leaves it, so that the next layout shows.
void WidenAddressCaption()
{
    frmMain->lbAddr2->SetWidth(150);
}

// The layout ran after WidenAddressCaption: it placed the caption from the wide width, then
// narrowed it.
void ExpectLaidOut(int language)
{
    const int k = language == 7 ? 20 : 15;
    EXPECT_EQ(frmMain->lbAddr2->Left(), (frmMain->edAddr->Left() - 150) / 2 + k);
    EXPECT_EQ(frmMain->lbAddr2->Width(), 121);
}

// Every caption, hint and status text of the window, and the message strings of the wizard and
// the model names, which the Korean texts leave alone.
std::map<std::wstring, String> TextsOnShow()
{
    std::map<std::wstring, String> texts{{L"window", frmMain->Caption()}};
    for (int i = 0; i < frmMain->ComponentCount(); ++i) {
        if (auto* control = dynamic_cast<TControl*>(frmMain->Components(i))) {
            texts[L"caption " + control->Name()] = control->Caption();
            texts[L"hint " + control->Name()] = control->Hint();
        }
    }
    for (int panel = 0; panel < frmMain->StatusBar1->Panels()->Count(); ++panel)
        texts[L"status " + std::to_wstring(panel)] = frmMain->StatusBar1->Panels()->Items(panel)->Text();
    const std::pair<const wchar_t*, const String*> messages[] = {
        {L"msgWizardTitle", &msgWizardTitle},   {L"msgStep", &msgStep},     {L"msgStepPowerHelp", &msgStepPowerHelp},
        {L"msgModelName[0]", &msgModelName[0]}, {L"msgYes", &msgYes},       {L"msgSetupComplete", &msgSetupComplete},
        {L"msgNoSensors", &msgNoSensors},       {L"msgLinkLost", &msgLinkLost},
    };
    for (const auto& [name, message] : messages)
        texts[name] = *message;
    return texts;
}

void SetVisible(std::initializer_list<TControl*> controls, bool visible)
{
    for (TControl* control : controls)
        control->SetVisible(visible);
}

// The monitoring view as the wizard question's "no" leaves it, the first-launch list gone.
void ShowMonitoringView()
{
    SetVisible({frmMain->lbLanguage, frmMain->cbLanguage, frmMain->PanelStep, frmMain->PanelSetup, frmMain->sPanel9,
                frmMain->sPanel10},
               false);
    SetVisible({frmMain->sPanel1, frmMain->sPanel5, frmMain->sPanel3, frmMain->sPanel2, frmMain->sPanel14,
                frmMain->sPanel16, frmMain->sPanel11, frmMain->sPanel4},
               true);
}

// The wizard's first step, where the wizard's own texts show.
void ShowWizardView()
{
    SetVisible({frmMain->sPanel5, frmMain->sPanel3, frmMain->sPanel2}, false);
    SetVisible({frmMain->PanelStep, frmMain->PanelSetup, frmMain->PanelAddress}, true);
}

void SaveWindowPicture(const std::string& name)
{
    testsupport::PumpFor(100);
    const testsupport::TGrab grab = testsupport::Grab(frmMain->Handle());
    EXPECT_TRUE(SaveScreenshot(grab, name));
    EXPECT_EQ(textfit::UnpaintedTexts(grab, frmMain), std::vector<std::string>()) << name;
}

std::string ButtonName(const LanguageButton& button)
{
    return std::string(button.button.begin() + 3, button.button.end());
}

TEST_F(LanguageSwitchTest, TheLanguageButtonOpensAndClosesTheFlagPanel)
{
    Click(Form()->sbtLang);
    EXPECT_TRUE(Form()->FlagPanelOpen);
    EXPECT_TRUE(Form()->sPanel13->Visible());
    Click(Form()->sbtLang);
    EXPECT_FALSE(Form()->FlagPanelOpen);
    EXPECT_FALSE(Form()->sPanel13->Visible());
}

TEST_F(LanguageSwitchTest, EveryFlagButtonShowsItsFlagAppliesStoresAndLaysOutItsLanguage)
{
    for (const LanguageButton& button : kLanguageButtons) {
        SCOPED_TRACE(String(button.button));
        WidenAddressCaption();
        ChooseByButton(button);
        EXPECT_EQ(CurrentLanguage, button.language);
        EXPECT_FALSE(Form()->FlagPanelOpen);
        EXPECT_FALSE(Form()->sPanel13->Visible());
        EXPECT_EQ(StoredLanguage(), Stored(button.language));
        EXPECT_TRUE(ShowsPicture(Form()->sbtLang->Glyph(), String(button.flagPicture)));
        ExpectTextsOf(button.language);
        ExpectLaidOut(button.language);
    }
}

TEST_F(LanguageSwitchTest, TheShownLanguageChosenAgainIsAppliedAndStoredAgain)
{
    const LanguageButton& russian = *FindLanguageButton(L"sbtRussian");
    ChooseByButton(russian);
    std::ofstream("Settings.ini", std::ios::trunc) << "[General]\nLanguage=3\n";
    Form()->sLabel1->SetCaption(L"changed");
    Form()->sLabel1->SetLeft(0);
    ChooseByButton(russian);
    EXPECT_EQ(StoredLanguage(), Stored(1));
    ExpectTextsOf(1);
    EXPECT_EQ(Form()->sLabel1->Left(), (Form()->sPanel12->Width() - Form()->sLabel1->Width()) / 2);
}

TEST_F(LanguageSwitchTest, AFlagPictureThatCannotBeLoadedIsReportedAndChangesNothing)
{
    const LanguageButton& russian = *FindLanguageButton(L"sbtRussian");
    const LanguageButton& german = *FindLanguageButton(L"sbtDeutsch");
    struct Case {
        const char* name;
        std::optional<std::string> content;  // none: the file is missing
    };
    for (const Case& c : {Case{"missing", std::nullopt}, Case{"unreadable", "not a bitmap"}}) {
        SCOPED_TRACE(c.name);
        ChooseByButton(russian);
        const fs::path flag = fs::path(std::wstring(german.flagPicture));
        fs::remove(flag);
        if (c.content)
            std::ofstream(flag, std::ios::binary) << *c.content;
        String expectedError;
        try {
            TObjectPtr<TBitmap>(Create<TBitmap>())->LoadFromFile(String(german.flagPicture));
        } catch (const Exception& e) {
            expectedError = e.Message();
        }
        ASSERT_FALSE(expectedError.empty());
        const String caption = Form()->Caption();

        testsupport::TMessageBoxRecorder boxes;
        ChooseByButton(german);

        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].Text, expectedError);
        EXPECT_EQ(CurrentLanguage, 1);
        EXPECT_EQ(StoredLanguage(), Stored(1));
        EXPECT_TRUE(Form()->FlagPanelOpen);
        EXPECT_TRUE(Form()->sPanel13->Visible());
        EXPECT_TRUE(ShowsPicture(Form()->sbtLang->Glyph(), String(russian.flagPicture)));
        EXPECT_EQ(Form()->Caption(), caption);
        Click(Form()->sbtLang);
    }
}

TEST_F(LanguageSwitchTest, AnUnwritableSettingsFileIsReportedAfterTheTextsAndBeforeTheLayout)
{
    fs::create_directory("Settings.ini");  // no file can be written there
    WidenAddressCaption();
    testsupport::TMessageBoxRecorder boxes;
    ChooseByButton(*FindLanguageButton(L"sbtCzech"));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(CurrentLanguage, 6);
    ExpectTextsOf(6);
    EXPECT_EQ(Form()->lbAddr2->Width(), 150);
}

TEST_F(LanguageSwitchTest, TheFirstLaunchListMapsItsItemsStoresAppliesAndStartsTheSearch)
{
    const int expected[] = {1, 0, 2, 3, 4, 0, 6, 8, 9, 10, 11};
    for (int item = 0; item < 11; ++item) {
        SCOPED_TRACE(item);
        Form()->lbLanguage->SetVisible(true);
        Form()->cbLanguage->SetVisible(true);
        Form()->cbLanguage->SetItemIndex(item);
        WidenAddressCaption();
        Form()->cbLanguage->OnChange()(Form()->cbLanguage);
        // The search would start with the next turn of the loop; it is not this test's business.
        EXPECT_TRUE(Form()->TimerSearch->Enabled());
        Form()->TimerSearch->SetEnabled(false);
        EXPECT_FALSE(Form()->lbLanguage->Visible());
        EXPECT_FALSE(Form()->cbLanguage->Visible());
        EXPECT_EQ(CurrentLanguage, expected[item]);
        EXPECT_EQ(StoredLanguage(), Stored(expected[item]));
        ExpectTextsOf(expected[item]);
        ExpectLaidOut(expected[item]);
    }
}

TEST_F(LanguageSwitchTest, AFirstLaunchChangeWithNoItemSelectedStoresAndAppliesEnglish)
{
    WidenAddressCaption();
    SendMessageW(Form()->cbLanguage->EditHandle(), WM_CHAR, L'D', 0);  // typed, nothing selected
    EXPECT_TRUE(Form()->TimerSearch->Enabled());
    Form()->TimerSearch->SetEnabled(false);
    EXPECT_EQ(CurrentLanguage, 0);
    EXPECT_EQ(StoredLanguage(), Stored(0));
    ExpectTextsOf(0);
    ExpectLaidOut(0);
}

TEST_F(LanguageSwitchTest, TheFirstLaunchListDoesNotTouchTheFlag)
{
    TObjectPtr<TBitmap> before(Create<TBitmap>());
    before->Assign(Form()->sbtLang->Glyph());
    Form()->cbLanguage->SetItemIndex(0);
    Form()->cbLanguage->OnChange()(Form()->cbLanguage);
    Form()->TimerSearch->SetEnabled(false);
    EXPECT_TRUE(SamePixels(Form()->sbtLang->Glyph(), before.get()));
}

TEST_F(LanguageSwitchTest, AnUnwritableSettingsFileStopsTheFirstLaunchChoiceAfterHidingTheList)
{
    fs::create_directory("Settings.ini");
    const String caption = Form()->Caption();
    Form()->cbLanguage->SetItemIndex(2);
    EXPECT_THROW(Form()->cbLanguage->OnChange()(Form()->cbLanguage), EIniFileException);
    EXPECT_FALSE(Form()->lbLanguage->Visible());
    EXPECT_FALSE(Form()->cbLanguage->Visible());
    EXPECT_EQ(Form()->Caption(), caption);
    EXPECT_FALSE(Form()->TimerSearch->Enabled());
}

// Controls that the layout centres in their parents with no offset in any language: they stay
// inside the parent, on the axis the rule centres them.
struct Centred {
    const wchar_t* control;
    bool across;
    bool down;
};
const Centred kCentred[] = {
    {L"sLabel1", true, true},      {L"sLabel7", true, true},        {L"lbLetter2", true, false},
    {L"sLabel2", true, false},     {L"sLabel3", true, false},       {L"sButton1", true, false},
    {L"lbAddr", true, false},      {L"btChangeAddr", true, false},  {L"lbTres2", true, false},
    {L"cbSpeed", false, true},     {L"pbWaitTres", true, false},    {L"lbWaitTres", true, false},
    {L"lbStepAddr", true, false},  {L"btStepChangeAddr", true, false}, {L"lbStepLetter2", true, false},
};

// The gauge column: the gauge, its scale and the scale numbers stay inside their panel.
const wchar_t* const kGaugeColumn[] = {L"cZone1", L"PaintBox1", L"Image1", L"edValue",
                                       L"Label1", L"Label2",    L"Label3", L"Label4"};

void ExpectInside(TControl* control, bool across, bool down)
{
    TWinControl* parent = control->Parent();
    if (across) {
        EXPECT_GE(control->Left(), 0) << String(control->Name());
        EXPECT_LE(control->Left() + control->Width(), parent->ClientWidth()) << String(control->Name());
    }
    if (down) {
        EXPECT_GE(control->Top(), 0) << String(control->Name());
        EXPECT_LE(control->Top() + control->Height(), parent->ClientHeight()) << String(control->Name());
    }
}

TEST_F(LanguageSwitchTest, EveryLanguageLaysOutTheRealWindowWithinItsEdges)
{
    for (const LanguageButton& button : kLanguageButtons) {
        SCOPED_TRACE(String(button.button));
        ChooseByButton(button);
        for (const Centred& c : kCentred)
            ExpectInside(Named(c.control), c.across, c.down);
        for (const wchar_t* name : kGaugeColumn)
            ExpectInside(Named(name), true, true);
        // The search view, centred on the window's outer size, stays inside its client area, and
        // its three parts stack downwards.
        for (TControl* control : {static_cast<TControl*>(Form()->lbSearch), static_cast<TControl*>(Form()->pbSearch),
                                  static_cast<TControl*>(Form()->lbCountDevice)})
            ExpectInside(control, true, true);
        EXPECT_LE(Form()->lbSearch->Top() + Form()->lbSearch->Height(), Form()->pbSearch->Top());
        EXPECT_LE(Form()->pbSearch->Top() + Form()->pbSearch->Height(), Form()->lbCountDevice->Top());
        EXPECT_EQ(Form()->lbAddr2->Width(), 121);

        ShowMonitoringView();
        SaveWindowPicture("language-" + ButtonName(button));
        ShowWizardView();
        SaveWindowPicture("language-" + ButtonName(button) + "-wizard");
    }
    ShowMonitoringView();
    Click(Form()->sbtLang);
    SaveWindowPicture("language-flag-panel");
}

TEST_F(LanguageSwitchTest, KoreanKeepsTheTextsItDoesNotSetFromTheLanguageBefore)
{
    const LanguageButton& korean = *FindLanguageButton(L"sbtKorean");
    ChooseByButton(*FindLanguageButton(L"sbtEnglish"));
    const auto english = TextsOnShow();
    ChooseByButton(korean);
    const auto koreanAfterEnglish = TextsOnShow();
    ChooseByButton(*FindLanguageButton(L"sbtRussian"));
    const auto russian = TextsOnShow();
    ChooseByButton(korean);
    const auto koreanAfterRussian = TextsOnShow();

    int kept = 0;
    for (const auto& [key, text] : koreanAfterRussian) {
        if (text == koreanAfterEnglish.at(key))
            continue;  // Korean's own, or the same in both languages
        EXPECT_EQ(text, russian.at(key)) << String(key);
        EXPECT_EQ(koreanAfterEnglish.at(key), english.at(key)) << String(key);
        ++kept;
    }
    EXPECT_GT(kept, 0);
    EXPECT_EQ(koreanAfterRussian.at(L"msgWizardTitle"), russian.at(L"msgWizardTitle"));
    EXPECT_EQ(koreanAfterRussian.at(L"caption lbStepAddress"), russian.at(L"caption lbStepAddress"));
    EXPECT_NE(koreanAfterRussian.at(L"caption sLabel1"), russian.at(L"caption sLabel1"));
}

}  // namespace
