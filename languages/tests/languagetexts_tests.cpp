#include "languages/languagetexts.h"
#include "languages/messagetexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The main window's controls that the language texts may address.
const std::set<vcl::String, std::less<>> kFormControls = {
    L"sLabel1", L"sLabel2", L"sLabel3", L"sLabel7", L"sButton1", L"sPanel8", L"sPanel10",
    L"lbAddress", L"lbAddress2", L"lbRxPower", L"lbRxPower2", L"lbLetter", L"lbLetter2", L"lbUst", L"lbUst2",
    L"lbTres", L"lbTres2", L"lbSpeed", L"lbSpeed2", L"lbSpeed3", L"lbWaitTres", L"lbCountDevice", L"lbLanguage",
    L"lbAddr", L"lbAddr2", L"lbTresholLevel", L"lbStepAddress", L"lbStepAddress2", L"lbStepRxPower",
    L"lbStepRxPower2", L"lbStepLetter", L"lbStepLetter2", L"lbStepUst", L"lbStepUst2", L"lbStepTres",
    L"lbStepTres2", L"lbStepSpeed", L"lbStepSpeed2", L"lbStepSpeed3", L"lbStepAddr", L"lbStepAddr2",
    L"edLetter", L"edTres", L"cbAddress", L"cbSpeed", L"btNext", L"btCloseSetting", L"btChangeAddr",
    L"btStepChangeAddr", L"btOk", L"btStepOk", L"btCancel", L"btStepCancel", L"btNextStep", L"btBack",
    L"btEndSetting", L"btContinue",
};

class FakeTextHost : public LanguageTextHost {
public:
    std::map<std::string, vcl::String> written;  // "window", "caption:X", "hint:X", "panel:N"

    void SetWindowCaption(const vcl::String& text) override { written["window"] = text; }
    void SetCaption(std::wstring_view control, const vcl::String& text) override
    {
        written[Key("caption:", control)] = text;
    }
    vcl::String Caption(std::wstring_view control) const override { return Read(Key("caption:", control)); }
    void SetHint(std::wstring_view control, const vcl::String& text) override
    {
        written[Key("hint:", control)] = text;
    }
    vcl::String Hint(std::wstring_view control) const override { return Read(Key("hint:", control)); }
    void SetStatusPanelText(int panel, const vcl::String& text) override
    {
        written["panel:" + std::to_string(panel)] = text;
    }

private:
    static std::string Key(const char* kind, std::wstring_view control)
    {
        EXPECT_TRUE(kFormControls.contains(control)) << "no such control";
        return kind + std::string(control.begin(), control.end());
    }
    vcl::String Read(const std::string& key) const
    {
        const auto found = written.find(key);
        return found == written.end() ? vcl::String() : found->second;
    }
};

struct NamedMessage {
    std::string name;
    vcl::String* value;
};

// Every message string by name, to clear them and to see what a block leaves behind.
std::vector<NamedMessage> AllMessages()
{
    std::vector<NamedMessage> all = {
        {"msgLinkLost", &msgLinkLost}, {"msgStateNorm", &msgStateNorm}, {"msgStateOk", &msgStateOk},
        {"msgStateAlarm", &msgStateAlarm}, {"msgFoundPrefix", &msgFoundPrefix}, {"msgSensorFound", &msgSensorFound},
        {"msgNoSensors", &msgNoSensors}, {"msgNoiseNormal", &msgNoiseNormal}, {"msgNoiseHigh", &msgNoiseHigh},
        {"msgAlarmAlarm", &msgAlarmAlarm}, {"msgSignalNormal", &msgSignalNormal},
        {"msgSignalLowDanger", &msgSignalLowDanger}, {"msgNoSignal", &msgNoSignal},
        {"msgSignalTooHigh", &msgSignalTooHigh}, {"msgSignalTooLow", &msgSignalTooLow},
        {"msgNoTransmitter", &msgNoTransmitter}, {"msgSignalHighDanger", &msgSignalHighDanger},
        {"msgSearching", &msgSearching}, {"msgSearchResult", &msgSearchResult}, {"msgFoundCount", &msgFoundCount},
        {"msgAdjustHelp", &msgAdjustHelp}, {"msgThresholdHelp", &msgThresholdHelp},
        {"msgCompanyLine", &msgCompanyLine}, {"msgLatestVersion", &msgLatestVersion},
        {"msgNewVersion", &msgNewVersion}, {"msgCurrentNumberLabel", &msgCurrentNumberLabel},
        {"msgCurrentNumber", &msgCurrentNumber}, {"msgEnterNewNumber", &msgEnterNewNumber},
        {"msgEmptyValue", &msgEmptyValue}, {"msgWizardQuestion", &msgWizardQuestion}, {"msgYes", &msgYes},
        {"msgNo", &msgNo}, {"msgWizardTitle", &msgWizardTitle}, {"msgStepSetNumber", &msgStepSetNumber},
        {"msgStepChooseSensor", &msgStepChooseSensor}, {"msgStep", &msgStep},
        {"msgStepChooseSensorHelp", &msgStepChooseSensorHelp}, {"msgStepSetNumberHelp", &msgStepSetNumberHelp},
        {"msgSensorsOnLine", &msgSensorsOnLine}, {"msgStepPowerHelp", &msgStepPowerHelp},
        {"msgStepPowerTitle", &msgStepPowerTitle}, {"msgPowerNormal", &msgPowerNormal},
        {"msgPowerNearLimit", &msgPowerNearLimit}, {"msgPowerFault", &msgPowerFault},
        {"msgStepLetterTitle", &msgStepLetterTitle}, {"msgStepLetterHelp", &msgStepLetterHelp},
        {"msgStepLetterHelpChange", &msgStepLetterHelpChange}, {"msgLetterWrong", &msgLetterWrong},
        {"msgLetterRight", &msgLetterRight}, {"msgStepSpeedTitle", &msgStepSpeedTitle},
        {"msgStepSpeedHelp", &msgStepSpeedHelp}, {"msgStepAdjustTitle", &msgStepAdjustTitle},
        {"msgStepAdjustHelp", &msgStepAdjustHelp}, {"msgStepThresholdTitle", &msgStepThresholdTitle},
        {"msgStepThresholdHelp", &msgStepThresholdHelp}, {"msgOneSensor", &msgOneSensor},
        {"msgChooseNumber", &msgChooseNumber}, {"msgUniqueNumber", &msgUniqueNumber},
        {"msgHelpBackNext", &msgHelpBackNext}, {"msgHelpBackDone", &msgHelpBackDone}, {"msgDone", &msgDone},
        {"msgSetupComplete", &msgSetupComplete}, {"msgClickDone", &msgClickDone}, {"msgHelpNext", &msgHelpNext},
        {"msgNext", &msgNext}, {"msgToAdjustMode", &msgToAdjustMode}, {"msgToThresholdMode", &msgToThresholdMode},
        {"msgThresholdChange", &msgThresholdChange},
    };
    for (size_t entry = 0; entry < msgModelName.size(); ++entry)
        all.push_back({"msgModelName" + std::to_string(entry + 1), &msgModelName[entry]});
    return all;
}

using Snapshot = std::map<std::string, vcl::String>;

constexpr int kFullLanguages[] = {0, 1, 2, 3, 4, 6, 8, 9, 10, 11};
constexpr int kEnglish = 0, kRussian = 1, kSwedish = 9, kCroatian = 10, kKorean = 7;

void ClearMessages()
{
    for (const NamedMessage& message : AllMessages())
        message.value->clear();
}

// What the window and the message strings hold now, keyed "window", "caption:X", "hint:X",
// "panel:N" and "msg:NAME".
Snapshot Take(const FakeTextHost& host)
{
    Snapshot all = host.written;
    for (const NamedMessage& message : AllMessages())
        all["msg:" + message.name] = *message.value;
    return all;
}

// The texts of one language applied to a fresh window and fresh message strings.
Snapshot Fresh(int language)
{
    ClearMessages();
    FakeTextHost host;
    ApplyLanguageTexts(host, language);
    return Take(host);
}

class LanguageTexts : public testing::Test {
protected:
    void SetUp() override { ClearMessages(); }

    FakeTextHost host;
};

std::string Hex(const vcl::String& text)
{
    std::string hex;
    for (wchar_t unit : text) {
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(unit));
        hex += digits;
    }
    return hex;
}

std::set<std::string> ChangedKeys(const Snapshot& before, const Snapshot& after)
{
    std::set<std::string> changed;
    for (const auto& [key, value] : after) {
        const auto old = before.find(key);
        if (old == before.end() || old->second != value)
            changed.insert(key);
    }
    return changed;
}

TEST_F(LanguageTexts, IndexSelectsItsBlock)
{
    struct Case {
        int language;
        const wchar_t* next;
        const wchar_t* back;
        const wchar_t* level;
        const wchar_t* norm;
    };
    const Case cases[] = {
        {0, L"Next", L"Back", L"Threshold level", L"Norm"},
        {1, L"Далее", L"Назад", L"Уровень порога", L"Норма"},
        {2, L"Weiter", L"Zurück", L"Ansprechschwelle", L"Norm"},
        {3, L"Suivant", L"Précédent", L"Seuil", L"Norme"},
        {4, L"Siguiente", L"Anterior", L"", L"Normal"},
        {6, L"Dále", L"Zpět", L"úroveň prahu", L"Hodnota v pořádku"},
        {8, L"Dalje", L"Nazad", L"Prag", L"Normalno"},
        {9, L"Nästa", L"Bakåt", L"Faktorsläge", L"Värde"},
        {10, L"Next", L"Back", L"", L"Normal"},
        {11, L"Avanti", L"Indietro", L"", L"Norm"},
    };
    for (const Case& c : cases) {
        const Snapshot texts = Fresh(c.language);
        SCOPED_TRACE(c.language);
        EXPECT_EQ(texts.at("window"), L"Config Zirvane series v2.65");
        EXPECT_EQ(texts.at("caption:btNextStep"), c.next);
        EXPECT_EQ(texts.at("caption:btBack"), c.back);
        EXPECT_EQ(texts.at("caption:lbTresholLevel"), c.level);
        EXPECT_EQ(texts.at("msg:msgStateNorm"), c.norm);
    }

    const Snapshot korean = Fresh(kKorean);
    EXPECT_EQ(korean.at("window"), L"Config Tarnis series v2.65");
    EXPECT_EQ(korean.at("msg:msgStateNorm"), L"Normal");
    EXPECT_FALSE(korean.contains("caption:btNextStep"));

    for (int language : {5, 12, -1, INT_MIN, INT_MAX}) {
        const Snapshot fallback = Fresh(language);
        SCOPED_TRACE(language);
        EXPECT_EQ(fallback.at("caption:sLabel1"), L"Сведения об извещателе");
        EXPECT_EQ(fallback.at("caption:lbCountDevice"), L"Найдено : 0");
        EXPECT_EQ(fallback.at("msg:msgStateNorm"), L"");
    }
}

TEST_F(LanguageTexts, FallbackWritesOnlyItsCaptions)
{
    ApplyLanguageTexts(host, kEnglish);
    const Snapshot english = Take(host);
    ApplyLanguageTexts(host, 5);
    const std::set<std::string> expected = {
        "caption:sLabel1", "caption:lbAddress", "caption:lbAddress2", "caption:lbRxPower", "caption:lbRxPower2",
        "caption:lbLetter", "caption:lbLetter2", "caption:sLabel7", "caption:lbUst", "caption:lbTres",
        "caption:lbSpeed", "caption:lbSpeed2", "caption:lbWaitTres", "caption:lbCountDevice",
    };
    EXPECT_EQ(ChangedKeys(english, Take(host)), expected);  // the window caption is the same text

    // Nothing applied before: every message string stays empty.
    for (const auto& [key, value] : Fresh(-1)) {
        if (key.starts_with("msg:")) {
            EXPECT_EQ(value, L"") << key;
        }
    }
}

TEST_F(LanguageTexts, FullBlocksKeepTheirTiedTextsEqual)
{
    for (int language : kFullLanguages) {
        const Snapshot t = Fresh(language);
        SCOPED_TRACE(language);
        // The wizard compares btNextStep's caption with these two strings.
        EXPECT_EQ(t.at("caption:btNextStep"), t.at("msg:msgNext"));
        EXPECT_EQ(t.at("caption:btContinue"), t.at("msg:msgNext"));
        EXPECT_EQ(t.at("caption:btEndSetting"), t.at("msg:msgDone"));
        EXPECT_EQ(t.at("msg:msgChooseNumber"), t.at("caption:lbAddress2"));
        EXPECT_EQ(t.at("panel:4"), t.at("msg:msgCompanyLine"));
        for (const char* label : {"caption:lbUst2", "caption:lbStepUst2"})
            EXPECT_EQ(t.at(label), t.at("msg:msgAdjustHelp"));
        for (const char* label : {"caption:lbTres2", "caption:lbStepTres2"})
            EXPECT_EQ(t.at(label), t.at("msg:msgThresholdHelp"));
        for (const char* label : {"caption:lbAddr2", "caption:lbStepAddr2"})
            EXPECT_EQ(t.at(label), t.at("msg:msgCurrentNumberLabel"));
        for (const char* hint : {"hint:lbLetter", "hint:lbLetter2", "hint:edLetter"})
            EXPECT_EQ(t.at(hint), t.at("hint:sPanel8"));
        for (const char* hint : {"hint:lbTres", "hint:lbTres2", "hint:edTres"})
            EXPECT_EQ(t.at(hint), t.at("hint:sPanel10"));
        if (language != kSwedish) {
            EXPECT_EQ(t.at("caption:lbCountDevice"), t.at("msg:msgFoundPrefix") + L"0");
        }
        EXPECT_EQ(t.at("caption:lbStepRxPower2"), L"");
        EXPECT_NE(t.at("msg:msgSignalLowDanger"), t.at("msg:msgSignalNormal"));

        // The help tails name the wizard's buttons by their captions.
        const vcl::String next = L"\"" + t.at("msg:msgNext") + L"\"";
        const vcl::String back = L"\"" + t.at("caption:btBack") + L"\"";
        const vcl::String done = L"\"" + t.at("msg:msgDone") + L"\"";
        EXPECT_NE(t.at("msg:msgHelpNext").find(next), vcl::String::npos);
        EXPECT_NE(t.at("msg:msgHelpBackNext").find(back), vcl::String::npos);
        EXPECT_NE(t.at("msg:msgHelpBackNext").find(next), vcl::String::npos);
        EXPECT_NE(t.at("msg:msgHelpBackDone").find(done), vcl::String::npos);
        EXPECT_NE(t.at("msg:msgClickDone").find(done), vcl::String::npos);
        EXPECT_NE(t.at("msg:msgStepPowerHelp").find(next), vcl::String::npos);
    }
}

TEST_F(LanguageTexts, FullBlocksWriteEveryMessageButTheSearchScratch)
{
    for (int language : kFullLanguages) {
        const Snapshot t = Fresh(language);
        for (const NamedMessage& message : AllMessages()) {
            const bool scratch = message.name == "msgSearchResult" || message.name == "msgFoundCount";
            EXPECT_EQ(t.at("msg:" + message.name).empty(), scratch) << language << " " << message.name;
        }
    }
}

TEST_F(LanguageTexts, EveryFullLanguageNamesALostLink)
{
    EXPECT_EQ(Fresh(kEnglish).at("msg:msgLinkLost"), L"Communication error");
    EXPECT_EQ(Fresh(kRussian).at("msg:msgLinkLost"), L"Ошибка связи");
}

TEST_F(LanguageTexts, TranslationsAreNotEnglishLeftovers)
{
    // Texts that may read as in English: fixed names, units, and the words the languages share.
    const std::set<std::string> shared = {
        "window", "msg:msgCompanyLine", "panel:4", "caption:lbStepRxPower2", "caption:lbSpeed3",
        "caption:lbStepSpeed3", "msg:msgStateOk", "msg:msgStateNorm", "msg:msgStateAlarm", "msg:msgAlarmAlarm",
        "msg:msgNo",
    };
    const std::set<std::string> croatianButtons = {
        "msg:msgNext", "msg:msgDone", "caption:btNextStep", "caption:btContinue", "caption:btBack",
        "caption:btEndSetting", "msg:msgToThresholdMode",
    };
    const Snapshot english = Fresh(kEnglish);
    for (int language : kFullLanguages) {
        if (language == kEnglish)
            continue;
        for (const auto& [key, value] : Fresh(language)) {
            const bool allowed = shared.contains(key) || key.starts_with("msg:msgModelName") ||
                                 (language == kCroatian && croatianButtons.contains(key)) ||
                                 (language == kSwedish && key == "msg:msgFoundPrefix");
            if (!allowed && !value.empty()) {
                EXPECT_NE(value, english.at(key)) << language << " " << key;
            }
        }
    }
}

TEST_F(LanguageTexts, KoreanAfterRussianKeepsTheWizardInRussian)
{
    ApplyLanguageTexts(host, kRussian);
    const Snapshot russian = Take(host);
    ApplyLanguageTexts(host, kKorean);
    const Snapshot korean = Take(host);

    std::set<std::string> changedMessages;
    for (const std::string& key : ChangedKeys(russian, korean)) {
        if (key.starts_with("msg:"))
            changedMessages.insert(key);
    }
    const std::set<std::string> koreanMessages = {
        "msg:msgAdjustHelp", "msg:msgThresholdHelp", "msg:msgCompanyLine", "msg:msgStateNorm", "msg:msgStateOk",
        "msg:msgStateAlarm", "msg:msgFoundPrefix", "msg:msgSensorFound", "msg:msgNoSensors", "msg:msgSearching",
        "msg:msgNoiseNormal", "msg:msgAlarmAlarm", "msg:msgNoTransmitter", "msg:msgNoiseHigh", "msg:msgNoSignal",
        "msg:msgSignalTooLow", "msg:msgLatestVersion", "msg:msgNewVersion", "msg:msgSignalLowDanger",
        "msg:msgSignalNormal", "msg:msgSignalHighDanger", "msg:msgSignalTooHigh", "msg:msgCurrentNumberLabel",
        "msg:msgCurrentNumber", "msg:msgEnterNewNumber", "msg:msgEmptyValue", "msg:msgLinkLost",
        "msg:msgYes", "msg:msgNo",
    };
    EXPECT_EQ(changedMessages, koreanMessages);

    for (const char* wizard : {"caption:lbStepAddress", "caption:lbStepAddress2", "caption:lbStepRxPower",
                               "caption:lbStepLetter", "caption:lbStepLetter2", "caption:lbStepUst",
                               "caption:lbStepUst2", "caption:lbStepTres", "caption:lbStepTres2",
                               "caption:lbStepSpeed", "caption:lbStepSpeed2", "caption:lbStepSpeed3",
                               "caption:lbStepAddr", "caption:lbStepAddr2", "caption:btStepChangeAddr",
                               "caption:btStepOk", "caption:btNextStep", "caption:btBack", "caption:btEndSetting",
                               "caption:btContinue", "caption:lbTresholLevel", "msg:msgModelName1"})
        EXPECT_EQ(korean.at(wizard), russian.at(wizard)) << wizard;

    EXPECT_EQ(korean.at("window"), L"Config Tarnis series v2.65");
    EXPECT_EQ(korean.at("panel:4"), L"Kelvara Co.,Ltd");
    EXPECT_EQ(korean.at("caption:lbAddr2"), korean.at("msg:msgCurrentNumberLabel"));
    EXPECT_EQ(korean.at("caption:btStepCancel"), L"Cancel");
    EXPECT_EQ(korean.at("caption:lbLetter"), L"Letter");
    for (const char* hint : {"hint:lbLetter", "hint:lbLetter2", "hint:edLetter"})
        EXPECT_EQ(korean.at(hint), korean.at("hint:sPanel8"));
    for (const char* hint : {"hint:lbTres", "hint:lbTres2", "hint:edTres"})
        EXPECT_EQ(korean.at(hint), korean.at("hint:sPanel10"));
    EXPECT_NE(korean.at("hint:sPanel8"), russian.at("hint:sPanel8"));
}

// At start no block has run: Korean and the fallback go over the English texts, so nothing is
// left empty; a full language needs nothing beneath it.
TEST_F(LanguageTexts, AtStartThePartialBlocksGoOverTheEnglishTexts)
{
    const Snapshot english = Fresh(kEnglish);
    for (int language : {kKorean, 5, 12, -1}) {
        SCOPED_TRACE(language);
        ClearMessages();
        FakeTextHost started;
        ApplyStartLanguageTexts(started, language);
        const Snapshot atStart = Take(started);
        const Snapshot own = Fresh(language);
        for (const auto& [key, text] : atStart) {
            if (key == "msg:msgSearchResult" || key == "msg:msgFoundCount")
                continue;  // the search's scratch strings
            const auto written = own.find(key);
            const bool ownText = written != own.end() && (!key.starts_with("msg:") || !written->second.empty());
            EXPECT_EQ(text, ownText ? written->second : english.at(key)) << key;
            EXPECT_TRUE(!text.empty() || english.at(key).empty()) << key;
        }
    }
    for (int language : kFullLanguages) {
        ClearMessages();
        FakeTextHost started;
        ApplyStartLanguageTexts(started, language);
        EXPECT_EQ(Take(started), Fresh(language)) << language;
    }
}

TEST_F(LanguageTexts, KoreanHasItsOwnYesAndNo)
{
    ApplyLanguageTexts(host, kKorean);
    EXPECT_EQ(Hex(msgYes), "C608");
    EXPECT_EQ(Hex(msgNo), "C544B2C8C694");
}

TEST_F(LanguageTexts, OnlyKoreanWritesTheListHints)
{
    ApplyLanguageTexts(host, kKorean);
    ApplyLanguageTexts(host, kEnglish);
    EXPECT_EQ(host.Hint(L"cbAddress"), L"Click to change the sensor");
    EXPECT_EQ(host.Hint(L"cbSpeed"), L"Click to change the speed overcome");
    EXPECT_EQ(msgLinkLost, L"Communication error");
}

TEST_F(LanguageTexts, QuotedTextsKeepEveryCharacter)
{
    // Expected UTF-16 code units: line-break pairs, blank runs, typographic and mixed-script characters.
    struct Case {
        int language;
        const char* key;
        const char* hex;
    };
    const Case cases[] = {
        {kEnglish, "msg:msgCurrentNumberLabel", "00530065006E0073006F0072002000630075007200720065006E0074000A000D002000200020002000200020006E0075006D006200650072"},
        {kEnglish, "msg:msgSignalTooLow", "005300690067006E0061006C0020006C006500760065006C0020006900730020006C0065007300730020007400680061006E00200061006C006C006F007700650064002E0020002000440069007200650063007400200074006800650020007400720061006E0073006D0069007400740065007200200061006E006400200072006500630065006900760065007200200074006F002000650061006300680020006F007400680065007200200074006F00200069006E00630072006500610073006500200074006800650020007300690067006E0061006C002E"},
        {kEnglish, "msg:msgToAdjustMode", "0053007700690074006300680069006E006700200074006F002000610064006A007500730074006D0065006E00740020006D006F006400652026"},
        {kEnglish, "msg:msgThresholdHelp", "00530065007400200074006800650020006F007000740069006D0061006C0020007400680072006500730068006F006C00640020007500730069006E0067002000740068006500200062007500740074006F006E007300200022002B002200200061006E006400200022002D00220020006F007200200063006C00690063006B0069006E006700200074006800650020007300630061006C0065"},
        {kEnglish, "msg:msgStepChooseSensorHelp", "0020002000200054006F00200062006500670069006E002000730065006E0073006F007200200063006F006E00660069006700750072006100740069006F006E002000630068006F006F007300650020007400680065002000730065006E0073006F00720020006E0075006D00620065007200200069006E002000740068006500200070006F0070007500700020006C00690073007400200069006E0020007400680065002000770069006E0064006F007700200074006F0020007400680065002000720069006700680074002E000A000D000A000D000A000D0020002000200041006600740065007200200074006800650020006E0075006D0062006500720020006900730020006300680061006E00670065006400200063006C00690063006B002000200022004E0065007800740022002E"},
        {kEnglish, "caption:lbSpeed2", "0030002C0031002E002E002E00310020006D002F00730020002D002000200069006E007300740061006C006C006100740069006F006E002000620079002000740068006500200074006F00700020006F00660020007400680065002000660065006E00630065002E000D000A0030002C0031002E002E002E00340020006D002F0073002020130020007A006F006E00650020006200650074007700650065006E0020007400680065002000660065006E0063006500200061006E006400200074006800650020006F00620073007400610063006C0065002E000D000A0030002C0031002E002E002E003100300020006D002F0073002020130020006F00700065006E00200061007200650061002E"},
        {kEnglish, "caption:lbRxPower2", "0041006C006C006F007700650064002000620061006E00640020006F006600200073007500700070006C007900200076006F006C0074006100670065002000690073002000660072006F006D000A000D00390020005600200074006F00200033003000200056"},
        {kEnglish, "caption:lbWaitTres", "005400680072006500730068006F006C0064002000730065007400740069006E00672026"},
        {5, "caption:lbUst", "04230440043E04320435043D044C002004320445043E0434043D043E0433043E000D000A00200020002000200020006304380433043D0430043B04300020043D0430000D000A00200020002000200020043F044004380451043C043D0438043A0435"},
        {5, "caption:lbRxPower2", "0414043E043F0443044104420438043C044B04390020043404380430043F04300437043E043D0020043F043804420430043D0438044F00200020002000200020002000200020002000200020002000200020043E0442002000390020041200200434043E00200033003000200412"},
        {5, "caption:lbLetter2", "041D043E043C043504400020043B0438044204350440044B002C00200443044104420430043D043E0432043B0435043D043D044B04390020043D04300020002000200020002000200020043F044004380451043C043D0438043A043500200434043E043B04360435043D00200441043E0432043F0430043404300442044C002004410020002000200020002000200020002000200020002000200020043B0438044204350440043E04390020043D04300020043F04350440043504340430044204470438043A0435"},
        {5, "caption:lbSpeed2", "0032002D00200432044B0441043E043A0430044F00200441043A043E0440043E04410442044C002000280434043E0020003100300020043C002F04410029000D000A0031002D00200441044004350434043D044F044F00200441043A043E0440043E04410442044C002000280434043E002000340020043C002F04410029000D000A0030002D0020043D04380437043A0430044F00200441043A043E0440043E04410442044C002000280434043E002000310020043C002F04410029"},
        {kRussian, "msg:msgCompanyLine", "004F004F004F00200022004D006F007200760065006C007400610022"},
        {kRussian, "msg:msgModelName5", "04170438044004320430043D0435002D003500300030"},
        {kRussian, "msg:msgModelName10", "04120435043A044104300440002D0035003000500043"},
        {kRussian, "msg:msgModelName14", "04120435043A044104300440002D00350030003000500043"},
        {kRussian, "msg:msgStateOk", "041204410435002004320020043F043E0440044F0434043A0435"},
        {2, "caption:btBack", "005A0075007200FC0063006B"},
        {3, "caption:btBack", "0050007200E9006300E900640065006E0074"},
        {4, "msg:msgStateOk", "00450073007400E10020006200690065006E"},
        {6, "msg:msgCompanyLine", "0022004D006F007200760065006C00740061002200200073002E0072002E006F002E"},
        {6, "caption:lbTresholLevel", "00FA0072006F007600650148002000700072006100680075"},
        {kSwedish, "caption:lbCountDevice", "004700720075006E00640062006100730020003A00200030"},
        {kSwedish, "caption:btBack", "00420061006B00E50074"},
        {kCroatian, "msg:msgToThresholdMode", "0053007700690074006300680069006E006700200074006F0020007400680072006500730068006F006C00640020006D006F006400652026"},
        {kKorean, "caption:lbWaitTres", "004300680061006E00670069006E006700200074006800650020007400680072006500730068006F006C0064002E002E002E"},
        {kKorean, "msg:msgEnterNewNumber", "002E00200049006E00740072006F006400750063006500200074006800650020006E006500770020006E0075006D006200650072"},
        {kKorean, "caption:sLabel1", "AC10C9C0AE300020C815BCF4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(Fresh(c.language).at(c.key)), c.hex) << c.language << " " << c.key;
}

}  // namespace
