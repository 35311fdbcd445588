// Start-up and end of the main window, the status-bar click, the manual button and the logo.
#include "mainwindow/Mainform.h"

#include "languages/messagetexts.h"
#include "vcl/sysutils.h"

TfrmMain::TfrmMain(vcl::TComponent* AOwner) : vcl::TForm(AOwner)
{
    InitializeComponents();
}

void TfrmMain::FormCreate(vcl::TObject*)
{
    const vcl::String settingsFile = vcl::GetCurrentDir() + L"\\Settings.ini";
    SettingsIni = new vcl::TIniFile(settingsFile);
    if (vcl::FileExists(settingsFile)) {
        TimerSearch->SetEnabled(true);
        AddressDialogLanguage = SettingsIni->ReadInteger(L"General", L"Language", 0);
        CurrentLanguage = SettingsIni->ReadInteger(L"General", L"Language", 1);
        TMainformLanguageHost host(*this);
        ApplyLanguageTexts(host, CurrentLanguage);
        ApplyLanguageLayout(host, CurrentLanguage);
    } else {
        // First launch: the language list, centred on the window's outer size.
        lbLanguage->SetVisible(true);
        cbLanguage->SetVisible(true);
        lbLanguage->SetCaption(L"It is the first launch of the program. Please choose the language");
        cbLanguage->SetTop((Height() - cbLanguage->Height() - lbLanguage->Height() - 32) / 2);
        lbLanguage->SetTop(cbLanguage->Top() - lbLanguage->Height() - 12);
        lbLanguage->SetLeft((Width() - lbLanguage->Width()) / 2);
        cbLanguage->SetLeft((Width() - cbLanguage->Width()) / 2);
    }
    lbAddr2->SetWidth(121);
    lbUst2->SetCaption(msgAdjustHelp);
    lbTres2->SetCaption(msgThresholdHelp);
    StatusBar1->Panels()->Items(4)->SetText(msgCompanyLine);
}

void TfrmMain::FormClose(vcl::TObject*, vcl::TCloseAction&) {}

void TfrmMain::StatusBar1Click(vcl::TObject*) {}

void TfrmMain::TimerUpgradeTimer(vcl::TObject*) {}

void TfrmMain::sSpeedButton1Click(vcl::TObject*) {}

void TfrmMain::Image3Click(vcl::TObject*) {}
