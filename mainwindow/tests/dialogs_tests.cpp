// The wizard question and the two dormant dialogs, right after creation.
#include "languages/messagetexts.h"
#include "mainwindow/Addressform.h"
#include "mainwindow/Mainform.h"
#include "mainwindow/Mastersettingform.h"
#include "mainwindow/Searchform.h"

#include "pump.h"

#include <gtest/gtest.h>

namespace {

using namespace vcl;

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::InitializeApplication(); }

    // Made as the program makes it, and freed at the end of the test.
    template<class T>
    T* Make()
    {
        T* form = Create<T>(Application);
        FForms.emplace_back(form);
        return form;
    }

private:
    std::vector<TObjectPtr<TForm>> FForms;
};

TEST_F(DialogTest, WizardQuestionHasItsControlsAndBindings)
{
    auto* dialog = Make<TfrmMasterSetting>();
    EXPECT_EQ(341, dialog->ClientWidth());
    EXPECT_EQ(155, dialog->ClientHeight());
    EXPECT_EQ(TFormBorderStyle::bsDialog, dialog->BorderStyle());
    EXPECT_EQ(TBorderIcons(), dialog->BorderIcons());
    EXPECT_EQ(TPosition::poMainFormCenter, dialog->Position());
    EXPECT_TRUE(dialog->OnCreate() == TNotifyEvent(dialog, &TfrmMasterSetting::FormCreate));
    EXPECT_TRUE(dialog->OnClose() == TCloseEvent(dialog, &TfrmMasterSetting::FormClose));

    // The creation handler centres the question on the dialog's outer width.
    EXPECT_EQ((dialog->Width() - dialog->lbMasterSetting->Width()) / 2, dialog->lbMasterSetting->Left());
    EXPECT_EQ(50, dialog->lbMasterSetting->Top());
    EXPECT_EQ(String(L"Tahoma"), dialog->lbMasterSetting->Font()->Name());
    EXPECT_EQ(-16, dialog->lbMasterSetting->Font()->Height());
    EXPECT_EQ(clBlack, dialog->lbMasterSetting->Font()->Color());

    const TNotifyEvent yes(dialog, &TfrmMasterSetting::btYesClick);
    const TNotifyEvent no(dialog, &TfrmMasterSetting::btNoClick);
    const struct {
        TControl* control;
        const wchar_t* className;
        int left;
        bool visible;
        TNotifyEvent click;
    } buttons[] = {
        {dialog->btYes, L"TBitBtn", 64, false, yes},
        {dialog->btNo, L"TBitBtn", 200, false, no},
        {dialog->sButton1, L"TsButton", 64, true, yes},
        {dialog->sButton2, L"TsButton", 200, true, no},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(testing::PrintToString(b.control->Name()));
        EXPECT_EQ(String(b.className), b.control->ClassName());
        EXPECT_EQ(dialog, b.control->Parent());
        EXPECT_EQ(b.left, b.control->Left());
        EXPECT_EQ(98, b.control->Top());
        EXPECT_EQ(75, b.control->Width());
        EXPECT_EQ(25, b.control->Height());
        EXPECT_EQ(b.visible, b.control->Visible());
        EXPECT_TRUE(b.control->OnClick() == b.click);
    }
    EXPECT_EQ(TBitBtnKind::bkYes, dialog->btYes->Kind());
    EXPECT_EQ(TBitBtnKind::bkNo, dialog->btNo->Kind());
}

// The creation handler words the question from the message strings of the language applied;
// the visible buttons carry the same Yes and No as the hidden ones.
TEST_F(DialogTest, WizardQuestionTakesItsWordsFromTheMessageStrings)
{
    const String saved[] = {msgWizardQuestion, msgWizardTitle, msgYes, msgNo};
    msgWizardQuestion = L"Question?";
    msgWizardTitle = L"Title";
    msgYes = L"&Aye";
    msgNo = L"&Nay";
    auto* dialog = Make<TfrmMasterSetting>();
    EXPECT_EQ(String(L"Question?"), dialog->lbMasterSetting->Caption());
    EXPECT_EQ(String(L"Title"), dialog->Caption());
    for (TControl* yes : {static_cast<TControl*>(dialog->btYes), static_cast<TControl*>(dialog->sButton1)})
        EXPECT_EQ(String(L"&Aye"), yes->Caption()) << yes->Name();
    for (TControl* no : {static_cast<TControl*>(dialog->btNo), static_cast<TControl*>(dialog->sButton2)})
        EXPECT_EQ(String(L"&Nay"), no->Caption()) << no->Name();
    msgWizardQuestion = saved[0];
    msgWizardTitle = saved[1];
    msgYes = saved[2];
    msgNo = saved[3];
}

// The address dialog words its prompt in the language the settings file stored.
TEST_F(DialogTest, AddressDialogPromptFollowsTheStoredLanguage)
{
    const String english = L"Enter a new address";
    const String german = L"Geben Sie die Einheitsadresse";
    const String spanish = String(L"Ingrese el nuevo n") + L"\u00FA" + L"mero";
    const String russian = L"Введите логический номер";
    const std::pair<int32_t, String> cases[] = {
        {0, russian}, {1, english}, {2, german}, {3, german}, {4, spanish}, {5, russian},
        {6, english}, {7, russian}, {8, english}, {9, L"Skriv ett nytt nummer"}, {10, russian},
        {11, L"Inserire nuovo numero"}, {12, russian}, {-1, russian},
    };
    const int32_t saved = AddressDialogLanguage;
    for (const auto& [language, prompt] : cases) {
        AddressDialogLanguage = language;
        EXPECT_EQ(prompt, Make<TfrmNewAddr>()->lbNewAddr->Caption()) << language;
    }
    AddressDialogLanguage = saved;

    auto* dialog = Make<TfrmNewAddr>();
    EXPECT_EQ(242, dialog->ClientWidth());
    EXPECT_EQ(172, dialog->ClientHeight());
    EXPECT_EQ(String(L"Логический номер"), dialog->Caption());
    EXPECT_EQ(2, dialog->edNewAddr->MaxLength());
    EXPECT_EQ(String(L"0"), dialog->edNewAddr->Text());
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(DialogTest, SearchDialogSelectsTheStoredSearchType)
{
    auto* automatic = Make<TfrmSearch>();
    EXPECT_TRUE(automatic->rbAuto->Checked());
    EXPECT_FALSE(automatic->rbManual->Checked());
    EXPECT_EQ(297, automatic->ClientWidth());
    EXPECT_EQ(199, automatic->ClientHeight());
    EXPECT_EQ(TFormBorderStyle::bsSizeToolWin, automatic->BorderStyle());
    EXPECT_EQ(String(L"Выбор типа поиска"), automatic->Caption());

    SearchTypeManual = 1;
    auto* manual = Make<TfrmSearch>();
    SearchTypeManual = 0;
    EXPECT_TRUE(manual->rbManual->Checked());
    EXPECT_FALSE(manual->rbAuto->Checked());
}

}  // namespace
