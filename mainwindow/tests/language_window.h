#pragma once
// The real main window at a first launch, with its top bar on show, where the language button
// sits; and clicks on it as the user makes them.
#include "mainform_fixture.h"

#include "languages/languageswitch.h"

#include <filesystem>
#include <string_view>

namespace languagewindow {

inline vcl::TControl* Named(std::wstring_view name)
{
    return dynamic_cast<vcl::TControl*>(frmMain->FindComponent(vcl::String(name)));
}

// A press and release of the left button in the middle of a control, as the user clicks it.
inline void Click(vcl::TControl* control)
{
    const LPARAM at = MAKELPARAM(control->Left() + control->Width() / 2, control->Top() + control->Height() / 2);
    const HWND parent = control->Parent()->Handle();
    SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(parent, WM_LBUTTONUP, 0, at);
}

// Opens the flag panel and clicks one of its buttons.
inline void ChooseByButton(const LanguageButton& button)
{
    Click(frmMain->sbtLang);
    Click(Named(button.button));
}

}  // namespace languagewindow

// A first launch in a working folder of its own with the program's pictures, the window showing
// its top bar, where the language button sits.
class LanguageSwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainformtest::PrepareProcess();
        FSavedFolder = std::filesystem::current_path();
        mainformtest::EnterProgramFolder("language-switch");
        CurrentLanguage = 0;  // as at program start
        vcl::Application->CreateForm(frmMain);
        frmMain->Show();
        frmMain->sPanel1->SetVisible(true);
        testsupport::PumpFor(50);
    }

    void TearDown() override
    {
        vcl::FreeAndNil(ReqInfoThread);
        vcl::FreeAndNil(frmMain);
        testsupport::PumpFor(0);
        std::filesystem::current_path(FSavedFolder);
    }

    static TfrmMain* Form() { return frmMain; }

private:
    std::filesystem::path FSavedFolder;
};
