#pragma once
// The real main window at a first launch, with its top bar on show, where the language button
// sits; and clicks on it as the user makes them.
#include "mainform_fixture.h"

#include "languages/languageswitch.h"

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

// The window at a first launch, shown with its top bar, where the language button sits.
class LanguageSwitchTest : public MainformTest {
protected:
    void SetUp() override
    {
        CurrentLanguage = 0;  // as at program start
        MainformTest::SetUp();
        Form()->Show();
        Form()->sPanel1->SetVisible(true);
        testsupport::PumpFor(50);
    }
};
