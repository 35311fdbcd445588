// The language switch: the flag panel and its buttons, the first-launch list; and the window as
// the language texts and the per-language layout see it.
#include "mainwindow/Mainform.h"

void TfrmMain::sbtLangClick(vcl::TObject*) {}

void TfrmMain::sbtRussianClick(vcl::TObject*) {}

void TfrmMain::sbtEnglishClick(vcl::TObject*) {}

void TfrmMain::sbtDeutschClick(vcl::TObject*) {}

void TfrmMain::sbtFranceClick(vcl::TObject*) {}

void TfrmMain::sbtEspaniaClick(vcl::TObject*) {}

void TfrmMain::sbtPortugalClick(vcl::TObject*) {}

void TfrmMain::sbtCzechClick(vcl::TObject*) {}

void TfrmMain::sbtSerbianClick(vcl::TObject*) {}

void TfrmMain::sbtSwedClick(vcl::TObject*) {}

void TfrmMain::sbtCroationClick(vcl::TObject*) {}

void TfrmMain::sbtKoreanClick(vcl::TObject*) {}

void TfrmMain::sbtItalianClick(vcl::TObject*) {}

void TfrmMain::cbLanguageChange(vcl::TObject*) {}

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
