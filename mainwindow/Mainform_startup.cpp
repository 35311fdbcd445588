// Start-up and end of the main window, the status-bar click, the manual button and the logo.
#include "mainwindow/Mainform.h"

#include "languages/messagetexts.h"
#include "mainwindow/Seams.h"
#include "mainwindow/Startup.h"
#include "mainwindow/Testthread.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

#include <algorithm>
#include <span>

namespace {

// The maker's addresses. The update server's account and the version file's place on it are
// fixed by the server.
constexpr wchar_t UpdateHost[] = L"ftp.zirvane.example";
constexpr wchar_t UpdateUser[] = L"k407";
constexpr wchar_t UpdatePassword[] = L"Tq4mWz8RbLc2Hn";
constexpr wchar_t ServerVersionFile[] = L"update/zirvane_ver.ini";
constexpr wchar_t DownloadPage[] = L"https://www.zirvane.example/download";
constexpr wchar_t WebPage[] = L"https://www.zirvane.example";

constexpr wchar_t LocalVersionFile[] = L"zirvane_ver.ini";
// What the version file counts as when it names no readable number.
constexpr double DefaultVersion = 2.0;

// The detector types whose manual is the one of the models 50 to 200, and of the models 300 and 500.
constexpr uint8_t SmallModelTypes[] = {10, 16, 17, 35, 36, 37};
constexpr uint8_t LargeModelTypes[] = {18, 19, 33, 34};

bool Listed(std::span<const uint8_t> list, uint8_t typeCode)
{
    return std::find(list.begin(), list.end(), typeCode) != list.end();
}

// True when this process now owns the single-instance mutex. It keeps it, and the handle,
// until the process ends. A mutex another instance holds or left abandoned, or a failure,
// means that another instance runs.
bool AcquireInstanceMutex()
{
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, ProgramSeams().InstanceMutex.c_str());
    return WaitForSingleObject(mutex, 0) == WAIT_OBJECT_0;
}

// Fetches the version file from the update server into the current directory. The connection
// is closed however the exchange ends.
void DownloadVersionFile(vcl::TFtpClient& ftp, vcl::TMemoryStream& stream)
{
    const TUpdateServer& server = ProgramSeams().UpdateServer;
    ftp.SetHost(server.Host);
    ftp.SetUsername(UpdateUser);
    ftp.SetPassword(UpdatePassword);
    ftp.SetPort(server.Port);
    ftp.SetReadTimeout(server.ReadTimeoutMs);
    try {
        ftp.Connect();
        if (ftp.Connected()) {
            ftp.Get(ServerVersionFile, &stream);
            stream.SaveToFile(LocalVersionFile);
        }
    } catch (...) {
        ftp.Disconnect();
        throw;
    }
    ftp.Disconnect();
}

}  // namespace

bool IsNewerVersion(double fileVersion)
{
    return OwnVersion < static_cast<float>(fileVersion);
}

vcl::String ManualFileName(int32_t language, uint8_t typeCode)
{
    vcl::String name;
    if (language == 1)
        name = L"rus";
    else if (language >= 0 && language <= 11 && language != 5)
        name = L"eng";
    if (Listed(SmallModelTypes, typeCode))
        name += L"50.pdf";
    else if (Listed(LargeModelTypes, typeCode))
        name += L"500.pdf";
    return name;
}

TUpdateServer MakersUpdateServer()
{
    return TUpdateServer{UpdateHost};
}

TfrmMain::TfrmMain(vcl::TComponent* AOwner) : vcl::TForm(AOwner)
{
    InitializeComponents();
    // Started by the wizard's end or its refusal; deleted by FormClose.
    ReqInfoThread = vcl::Create<TReqInfoThread>(true);
    RequestSemaphore = CreateSemaphoreW(nullptr, 1, 2, nullptr);
}

void TfrmMain::FormCreate(vcl::TObject*)
{
    PortSettings.DevicePath = DevicePathBuffer.data();

    // A second instance says so and ends once its message loop starts; the rest of this
    // handler still runs.
    if (!AcquireInstanceMutex()) {
        vcl::ShowMessage(L"У вас уже запущена одна копия приложения");
        vcl::Application->SetShowMainForm(false);
        vcl::Application->Terminate();
    }

    const vcl::String settingsFile = vcl::GetCurrentDir() + L"\\Settings.ini";
    SettingsIni = new vcl::TIniFile(settingsFile);
    if (vcl::FileExists(settingsFile)) {
        TimerSearch->SetEnabled(true);
        AddressDialogLanguage = SettingsIni->ReadInteger(L"General", L"Language", 0);
        CurrentLanguage = SettingsIni->ReadInteger(L"General", L"Language", 1);
        TMainformLanguageHost host(*this);
        ApplyStartLanguageTexts(host, CurrentLanguage);
        ApplyLanguageLayout(host, CurrentLanguage);
    } else {
        // First launch: the language list, centred on the window's outer size. The choice
        // applies the language and starts the search.
        lbLanguage->SetVisible(true);
        cbLanguage->SetVisible(true);
        lbLanguage->SetCaption(L"It is the first launch of the program. Please choose the language");
        cbLanguage->SetTop((Height() - cbLanguage->Height() - lbLanguage->Height() - 32) / 2);
        lbLanguage->SetTop(cbLanguage->Top() - lbLanguage->Height() - 12);
        lbLanguage->SetLeft((Width() - lbLanguage->Width()) / 2);
        cbLanguage->SetLeft((Width() - cbLanguage->Width()) / 2);
    }
    lbAddr2->SetWidth(121);
    Detector = new ZIRVZEBRA1(1, *ComPort);
    lbUst2->SetCaption(msgAdjustHelp);
    lbTres2->SetCaption(msgThresholdHelp);
    StatusBar1->Panels()->Items(4)->SetText(msgCompanyLine);
    Image1->Picture()->LoadFromFile(L"image\\2scale.png");

    // The update check: the server's version file replaces the local copy when it can be had;
    // otherwise the copy an earlier run left decides. Only the server's failures are silent.
    vcl::TMemoryStream download;
    const vcl::TIniFile versionFile(vcl::GetCurrentDir() + L"\\" + LocalVersionFile);
    try {
        DownloadVersionFile(*IdFTP1, download);
    } catch (const vcl::EFtpError&) {
    }
    UpdateAvailable = IsNewerVersion(versionFile.ReadFloat(L"Info", L"Version", DefaultVersion));
    if (UpdateAvailable) {
        StatusBar1->Panels()->Items(3)->SetText(msgNewVersion);
        StatusBar1->SetCursor(vcl::TCursor::crHandPoint);
    } else {
        StatusBar1->Panels()->Items(3)->SetText(msgLatestVersion);
    }
}

void TfrmMain::FormClose(vcl::TObject*, vcl::TCloseAction&)
{
    vcl::FreeAndNil(ReqInfoThread);
}

void TfrmMain::StatusBar1Click(vcl::TObject*)
{
    if (!UpdateAvailable)
        return;
    ProgramSeams().ShellExecute(Handle(), L"open", DownloadPage, SW_SHOWNORMAL);
    TimerUpgrade->SetEnabled(true);
}

void TfrmMain::TimerUpgradeTimer(vcl::TObject*)
{
    vcl::Application->Terminate();
}

void TfrmMain::sSpeedButton1Click(vcl::TObject*)
{
    ProgramSeams().ShellExecute(Handle(), L"", ManualFileName(CurrentLanguage, Detector->TypeCode), SW_RESTORE);
}

void TfrmMain::Image3Click(vcl::TObject*)
{
    ProgramSeams().ShellExecute(Handle(), L"open", WebPage, SW_SHOWNORMAL);
}
