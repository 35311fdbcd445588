#include "mainwindow/Addressform.h"

#include "mainwindow/Mainform.h"

#include <array>

TfrmNewAddr* frmNewAddr = nullptr;

namespace {

struct PromptText {
    int32_t language;
    const wchar_t* text;
};

// The prompt by stored language; any other language keeps the Russian prompt.
const std::array<PromptText, 8> kPrompts = {{
    {1, L"Enter a new address"},
    {6, L"Enter a new address"},
    {8, L"Enter a new address"},
    {2, L"Geben Sie die Einheitsadresse"},
    {3, L"Geben Sie die Einheitsadresse"},
    {4, L"Ingrese el nuevo n" L"\u00FA" L"mero"},
    {9, L"Skriv ett nytt nummer"},
    {11, L"Inserire nuovo numero"},
}};

}  // namespace

TfrmNewAddr::TfrmNewAddr(vcl::TComponent* AOwner) : vcl::TForm(AOwner)
{
    InitializeComponents();
}

void TfrmNewAddr::FormCreate(vcl::TObject*)
{
    const wchar_t* prompt = L"Введите логический номер";
    for (const PromptText& entry : kPrompts) {
        if (entry.language == AddressDialogLanguage)
            prompt = entry.text;
    }
    lbNewAddr->SetCaption(prompt);
}
