// The language switch: the flag panel and its buttons, the first-launch list; and the window as
// the language texts and the per-language layout see it.
#include "mainwindow/Mainform.h"

#include "languages/languageswitch.h"

namespace {

// The index goes to the settings file at once, so the next start applies it.
void StoreLanguage()
{
    SettingsIni->WriteInteger(L"General", L"Language", CurrentLanguage);
}

// A button of the flag panel: its flag on the language button, its language on the window. The
// flag loads first, so a missing picture raises before anything has changed.
void ChooseLanguageByButton(TfrmMain& form, std::wstring_view buttonName)
{
    const LanguageButton& button = *FindLanguageButton(buttonName);
    form.sbtLang->Glyph()->LoadFromFile(vcl::String(button.flagPicture));
    CurrentLanguage = button.language;
    form.FlagPanelOpen = false;
    form.sPanel13->SetVisible(false);
    TMainformLanguageHost host(form);
    ApplyLanguageTexts(host, CurrentLanguage);
    StoreLanguage();
    ApplyLanguageLayout(host, CurrentLanguage);
}

}  // namespace

void TfrmMain::sbtLangClick(vcl::TObject*)
{
    FlagPanelOpen = !FlagPanelOpen;
    sPanel13->SetVisible(FlagPanelOpen);
}

void TfrmMain::sbtRussianClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtRussian"); }

void TfrmMain::sbtEnglishClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtEnglish"); }

void TfrmMain::sbtDeutschClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtDeutsch"); }

void TfrmMain::sbtFranceClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtFrance"); }

void TfrmMain::sbtEspaniaClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtEspania"); }

void TfrmMain::sbtPortugalClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtPortugal"); }

void TfrmMain::sbtCzechClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtCzech"); }

void TfrmMain::sbtSerbianClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtSerbian"); }

void TfrmMain::sbtSwedClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtSwed"); }

void TfrmMain::sbtCroationClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtCroation"); }

void TfrmMain::sbtKoreanClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtKorean"); }

void TfrmMain::sbtItalianClick(vcl::TObject*) { ChooseLanguageByButton(*this, L"sbtItalian"); }

// The first-launch choice: the list goes for the rest of the run, the choice is stored before it
// is applied, and only then does the search start.
void TfrmMain::cbLanguageChange(vcl::TObject*)
{
    lbLanguage->SetVisible(false);
    cbLanguage->SetVisible(false);
    CurrentLanguage = LanguageForListItem(cbLanguage->ItemIndex(), CurrentLanguage);
    StoreLanguage();
    TMainformLanguageHost host(*this);
    ApplyLanguageTexts(host, CurrentLanguage);
    ApplyLanguageLayout(host, CurrentLanguage);
    TimerSearch->SetEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// TMainformLanguageHost

vcl::TControl* TMainformLanguageHost::Find(std::wstring_view control) const
{
    if (control == L"frmMain")
        return &FForm;
    const vcl::String name(control);
    if (auto* found = dynamic_cast<vcl::TControl*>(FForm.FindComponent(name)))
        return found;
    throw vcl::EComponentError(L"The main window has no control named " + name);
}

void TMainformLanguageHost::SetWindowCaption(const vcl::String& text)
{
    FForm.SetCaption(text);
}

void TMainformLanguageHost::SetCaption(std::wstring_view control, const vcl::String& text)
{
    Find(control)->SetCaption(text);
}

vcl::String TMainformLanguageHost::Caption(std::wstring_view control) const
{
    return Find(control)->Caption();
}

void TMainformLanguageHost::SetHint(std::wstring_view control, const vcl::String& text)
{
    Find(control)->SetHint(text);
}

vcl::String TMainformLanguageHost::Hint(std::wstring_view control) const
{
    return Find(control)->Hint();
}

void TMainformLanguageHost::SetStatusPanelText(int panel, const vcl::String& text)
{
    FForm.StatusBar1->Panels()->Items(panel)->SetText(text);
}

int32_t TMainformLanguageHost::Get(std::wstring_view control, LayoutProperty property) const
{
    const vcl::TControl* target = Find(control);
    switch (property) {
    case LayoutProperty::Left: return target->Left();
    case LayoutProperty::Top: return target->Top();
    case LayoutProperty::Width: return target->Width();
    case LayoutProperty::Height: return target->Height();
    }
    return 0;
}

void TMainformLanguageHost::Set(std::wstring_view control, LayoutProperty property, int32_t value)
{
    vcl::TControl* target = Find(control);
    switch (property) {
    case LayoutProperty::Left: target->SetLeft(value); break;
    case LayoutProperty::Top: target->SetTop(value); break;
    case LayoutProperty::Width: target->SetWidth(value); break;
    case LayoutProperty::Height: target->SetHeight(value); break;
    }
}
