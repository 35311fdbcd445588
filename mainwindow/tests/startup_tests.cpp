// Start-up of the main window in-process, against the local FTP server: the settings file, the
// update check with its failures, the notice and its click, the second instance, the manual
// button and the logo.
// The socket header must precede windows.h, which the class library's headers include.
#include <winsock2.h>

#include "mainform_fixture.h"

#include "ftp_fixture.h"

#include "languages/messagetexts.h"
#include "mainwindow/Seams.h"
#include "mainwindow/Startup.h"
#include "vcl/sysutils.h"

#include <atomic>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

namespace {

using namespace vcl;

const String AlreadyRunning = L"У вас уже запущена одна копия приложения";
const std::string ServerVersionFile = "update/zirvane_ver.ini";
// What the fixture serves there when no test has changed it.
const std::string FixtureVersionText = "[Info]\nVersion=2.5\n";

struct ShellCall {
    HWND Owner;
    String Verb;
    String File;
    int ShowCmd;
};

// The text of a file, or nothing when it cannot be read.
std::optional<std::string> ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

// An FTP server of our own that greets and refuses every password, as the update server does
// when the account's password is wrong. Every wait is bounded.
class TRefusingServer {
public:
    TRefusingServer()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        FListener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(FListener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        listen(FListener, 4);
        int length = sizeof(address);
        getsockname(FListener, reinterpret_cast<sockaddr*>(&address), &length);
        FPort = ntohs(address.sin_port);
        FThread = std::thread([this] { Serve(); });
    }

    ~TRefusingServer()
    {
        closesocket(FListener);  // ends the accept
        FThread.join();
        WSACleanup();
    }

    uint16_t Port() const { return FPort; }
    int Refusals() const { return FRefusals; }

private:
    void Serve()
    {
        for (;;) {
            const SOCKET client = accept(FListener, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return;
            const DWORD timeoutMs = 5000;
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
            Converse(client);
            closesocket(client);
        }
    }

    void Converse(SOCKET client)
    {
        Send(client, "220 ready");
        std::string pending;
        char buffer[256];
        for (int received; (received = recv(client, buffer, sizeof(buffer), 0)) > 0;) {
            pending.append(buffer, static_cast<size_t>(received));
            for (size_t end; (end = pending.find("\r\n")) != std::string::npos;) {
                const std::string command = pending.substr(0, 4);
                pending.erase(0, end + 2);
                if (command == "USER") {
                    Send(client, "331 password please");
                } else if (command == "PASS") {
                    ++FRefusals;
                    Send(client, "530 Login incorrect.");
                } else if (command == "QUIT") {
                    Send(client, "221 bye");
                    return;
                } else {
                    Send(client, "530 Please login with USER and PASS.");
                }
            }
        }
    }

    static void Send(SOCKET client, const std::string& line)
    {
        const std::string text = line + "\r\n";
        send(client, text.data(), static_cast<int>(text.size()), 0);
    }

    SOCKET FListener;
    uint16_t FPort = 0;
    std::thread FThread;
    std::atomic<int> FRefusals{0};
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainformtest::PrepareProcess();
        const auto server = testsupport::FtpFixture::Find();
        if (!server)
            GTEST_SKIP() << "the FTP server fixture is not running: run through ctest";
        FServer = *server;
        FSavedFolder = std::filesystem::current_path();
        FFolder = mainformtest::EnterProgramFolder(std::string("startup-") +
                                                    testing::UnitTest::GetInstance()->current_test_info()->name());
        FSavedSeams = ProgramSeams();
        UseUpdateServer(FServer.Port, 5000);
        ProgramSeams().ShellExecute = [this](HWND owner, const String& verb, const String& file, int showCmd) {
            FShellCalls.push_back({owner, verb, file, showCmd});
        };
        FSavedFormat = FormatSettings;
    }

    void TearDown() override
    {
        if (!FServer.Port)
            return;
        FreeMainForm();
        testsupport::PumpFor(0);
        ProgramSeams() = FSavedSeams;
        FormatSettings = FSavedFormat;
        FServer.Serve(ServerVersionFile, FixtureVersionText);
        std::filesystem::current_path(FSavedFolder);
    }

    // The main window as the program makes it at start: the language index not yet read.
    TfrmMain* CreateMainForm()
    {
        FreeMainForm();
        CurrentLanguage = 0;
        AddressDialogLanguage = 0;
        FShellCalls.clear();
        Application->CreateForm(frmMain);
        return frmMain;
    }

    static void FreeMainForm()
    {
        FreeAndNil(ReqInfoThread);
        FreeAndNil(frmMain);
    }

    static void UseUpdateServer(uint16_t port, int timeoutMs)
    {
        ProgramSeams().UpdateServer = TUpdateServer{L"127.0.0.1", port, timeoutMs};
    }

    void ServeVersion(const std::string& text) const { FServer.Serve(ServerVersionFile, text); }
    void RemoveServedVersion() const { DeleteFileA((FServer.Dir + "\\root\\update\\zirvane_ver.ini").c_str()); }

    std::optional<std::string> LocalVersionFile() const { return ReadText(FFolder / "zirvane_ver.ini"); }
    void WriteSettings(const std::string& text) const { WriteText(FFolder / "Settings.ini", text); }

    static String Panel(int index) { return frmMain->StatusBar1->Panels()->Items(index)->Text(); }
    static void ClickStatusBar() { frmMain->StatusBar1->OnClick()(frmMain->StatusBar1); }

    testsupport::FtpFixture FServer;
    std::filesystem::path FFolder;
    testsupport::TMessageBoxRecorder FBoxes;
    std::vector<ShellCall> FShellCalls;

private:
    std::filesystem::path FSavedFolder;
    TProgramSeams FSavedSeams;
    TFormatSettings FSavedFormat;
};

// Takes the quit request off the queue, so that the application object never sees it; whether
// there was one.
bool TakeQuitRequest()
{
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// Handles messages as a message loop does until the quit request comes, which it takes off the
// queue before the application object could see it; whether it came within timeoutMs.
bool RunUntilQuitRequest(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return true;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    return false;
}

TEST_F(StartupTest, ConstructorAndCloseLookAfterThePollThreadAndTheSemaphore)
{
    TfrmMain* form = CreateMainForm();
    ASSERT_NE(nullptr, ReqInfoThread);
    EXPECT_TRUE(ReqInfoThread->Suspended());
    EXPECT_FALSE(ReqInfoThread->FreeOnTerminate());
    // Initial count 1, maximum 2: one release fits, the next does not.
    LONG previous = -1;
    EXPECT_TRUE(ReleaseSemaphore(RequestSemaphore, 1, &previous));
    EXPECT_EQ(1, previous);
    EXPECT_FALSE(ReleaseSemaphore(RequestSemaphore, 1, nullptr));
    EXPECT_EQ(3.0f / 190.0f, form->LevelVoltFactor);
    for (int32_t flag : form->FoundFlags)
        EXPECT_EQ(0, flag);
    EXPECT_EQ(form->DevicePathBuffer.data(), form->PortSettings.DevicePath);
    EXPECT_STREQ("", form->PortSettings.DevicePath);
    ASSERT_NE(nullptr, Detector);
    EXPECT_EQ(1, Detector->Address);
    EXPECT_EQ(ComPort, &Detector->Port);
    EXPECT_EQ(121, form->lbAddr2->Width());

    TCloseAction action = TCloseAction::caHide;
    form->FormClose(form, action);
    EXPECT_EQ(nullptr, ReqInfoThread);
    EXPECT_EQ(TCloseAction::caHide, action);
}

// Korean writes only the monitoring view's texts: stored, it starts over the English texts, so
// the wizard and its question have words.
TEST_F(StartupTest, StoredKoreanStartsOverTheEnglishTexts)
{
    for (String* message : {&msgWizardTitle, &msgWizardQuestion, &msgStep, &msgYes, &msgModelName[0]})
        message->clear();
    WriteSettings("[General]\r\nLanguage=7\r\n");
    TfrmMain* form = CreateMainForm();
    EXPECT_EQ(7, CurrentLanguage);
    EXPECT_EQ(String(L"Setup wizard"), msgWizardTitle);
    EXPECT_EQ(String(L"Run the setup wizard?"), msgWizardQuestion);
    EXPECT_EQ(String(L"Step "), msgStep);
    EXPECT_EQ(String(L"Zirvane 50"), msgModelName[0]);
    EXPECT_EQ(String(L"The sensor\r\nunique number"), form->lbStepAddress->Caption());
    EXPECT_EQ(String(L"Next"), form->btNextStep->Caption());
    // Korean's own rows over them.
    EXPECT_EQ(String(L"Config Tarnis series v2.65"), form->Caption());
    EXPECT_NE(String(L"About sensor"), form->sLabel1->Caption());
    EXPECT_NE(String(L"&Yes"), msgYes);
    EXPECT_FALSE(msgYes.empty());
}

TEST_F(StartupTest, NewerVersionIsDownloadedAndItsNoticeOpensTheDownloadPage)
{
    WriteSettings("[General]\r\nLanguage=1\r\n");
    ServeVersion("[Info]\nVersion=2.5\n");
    TfrmMain* form = CreateMainForm();

    EXPECT_EQ("[Info]\r\nVersion=2.5\r\n", LocalVersionFile());  // an ASCII transfer
    EXPECT_FALSE(msgNewVersion.empty());
    EXPECT_EQ(msgNewVersion, Panel(3));
    EXPECT_EQ(TCursor::crHandPoint, form->StatusBar1->Cursor());
    EXPECT_TRUE(form->UpdateAvailable);
    EXPECT_TRUE(FBoxes.Boxes().empty());
    const std::vector<std::string> session = FServer.SessionOf(ServerVersionFile);
    for (const char* command : {"USER k407", "PASS Tq4mWz8RbLc2Hn", "PASV", "RETR update/zirvane_ver.ini"})
        EXPECT_NE(session.end(), std::find(session.begin(), session.end(), command)) << command;

    ClickStatusBar();
    ASSERT_EQ(1u, FShellCalls.size());
    EXPECT_EQ(form->Handle(), FShellCalls[0].Owner);
    EXPECT_EQ(String(L"open"), FShellCalls[0].Verb);
    EXPECT_TRUE(FShellCalls[0].File.starts_with(L"https://")) << ToAnsi(FShellCalls[0].File);
    EXPECT_EQ(SW_SHOWNORMAL, FShellCalls[0].ShowCmd);
    EXPECT_TRUE(form->TimerUpgrade->Enabled());
}

TEST_F(StartupTest, SameVersionIsUpToDateAndTheStatusBarClickDoesNothing)
{
    WriteSettings("[General]\r\nLanguage=1\r\n");
    ServeVersion("[Info]\nVersion=2.4\n");
    TfrmMain* form = CreateMainForm();

    EXPECT_EQ("[Info]\r\nVersion=2.4\r\n", LocalVersionFile());
    EXPECT_FALSE(msgLatestVersion.empty());
    EXPECT_EQ(msgLatestVersion, Panel(3));
    EXPECT_EQ(TCursor::crDefault, form->StatusBar1->Cursor());
    EXPECT_FALSE(form->UpdateAvailable);

    ClickStatusBar();
    EXPECT_TRUE(FShellCalls.empty());
    EXPECT_FALSE(form->TimerUpgrade->Enabled());
}

TEST_F(StartupTest, VersionIsReadWithTheUsersDecimalSeparator)
{
    WriteSettings("[General]\r\nLanguage=1\r\n");
    const struct {
        wchar_t separator;
        const char* version;
        bool newer;
    } cases[] = {
        {L'.', "2,5", false},  // not a number here: the default 2.0
        {L',', "2,5", true},
        {L',', "2.5", false},
        {L'.', "", false},
    };
    for (const auto& c : cases) {
        FormatSettings.DecimalSeparator = c.separator;
        ServeVersion(std::string("[Info]\nVersion=") + c.version + "\n");
        TfrmMain* form = CreateMainForm();
        EXPECT_EQ(c.newer, form->UpdateAvailable) << c.version << " with " << char(c.separator);
        EXPECT_EQ(c.newer ? msgNewVersion : msgLatestVersion, Panel(3)) << c.version;
    }
}

TEST_F(StartupTest, ServerFailuresAreSilentAndTheLocalCopyDecides)
{
    WriteSettings("[General]\r\nLanguage=1\r\n");
    TRefusingServer refusing;
    const struct {
        const char* failure;
        uint16_t port;
        int timeoutMs;
    } failures[] = {
        {"file missing on the server", FServer.Port, 5000},
        {"password refused", refusing.Port(), 5000},
        {"server never greets", FServer.SilentPort, 1000},
    };
    const std::string staleNewer = "[Info]\r\nVersion=3.0\r\n";
    RemoveServedVersion();
    for (const auto& f : failures) {
        UseUpdateServer(f.port, f.timeoutMs);
        for (const std::optional<std::string>& local : {std::optional<std::string>(), std::optional(staleNewer)}) {
            std::filesystem::remove(FFolder / "zirvane_ver.ini");
            if (local)
                WriteText(FFolder / "zirvane_ver.ini", *local);
            TfrmMain* form = CreateMainForm();
            const bool newer = local.has_value();
            EXPECT_EQ(local, LocalVersionFile()) << f.failure;
            EXPECT_EQ(newer, form->UpdateAvailable) << f.failure;
            EXPECT_EQ(newer ? msgNewVersion : msgLatestVersion, Panel(3)) << f.failure;
            EXPECT_TRUE(FBoxes.Boxes().empty()) << f.failure;
        }
    }
    EXPECT_EQ(2, refusing.Refusals());
}

TEST_F(StartupTest, FirstLaunchShowsTheLanguageListAndStillChecksForUpdates)
{
    ServeVersion("[Info]\nVersion=2.5\n");
    TfrmMain* form = CreateMainForm();

    EXPECT_EQ(0, CurrentLanguage);
    EXPECT_EQ(0, AddressDialogLanguage);
    EXPECT_FALSE(form->TimerSearch->Enabled());
    EXPECT_EQ(String(L"Config Zirvane Series v2.64"), form->Caption());
    EXPECT_TRUE(form->lbLanguage->Visible());
    EXPECT_TRUE(form->cbLanguage->Visible());
    EXPECT_EQ(String(L"It is the first launch of the program. Please choose the language"),
              form->lbLanguage->Caption());
    const int w = form->Width();
    const int h = form->Height();
    const auto* list = form->cbLanguage;
    const auto* label = form->lbLanguage;
    EXPECT_EQ((h - list->Height() - label->Height() - 32) / 2, list->Top());
    EXPECT_EQ(list->Top() - label->Height() - 12, label->Top());
    EXPECT_EQ((w - label->Width()) / 2, label->Left());
    EXPECT_EQ((w - list->Width()) / 2, list->Left());
    EXPECT_FALSE(std::filesystem::exists(FFolder / "Settings.ini"));

    // No notice has a text yet, but the click works all the same, and three seconds later the
    // program's message loop is told to end.
    EXPECT_TRUE(form->UpdateAvailable);
    EXPECT_EQ(TCursor::crHandPoint, form->StatusBar1->Cursor());
    ClickStatusBar();
    ASSERT_EQ(1u, FShellCalls.size());
    EXPECT_EQ(3000u, form->TimerUpgrade->Interval());
    EXPECT_TRUE(RunUntilQuitRequest(15000));
}

TEST_F(StartupTest, StoredLanguageIsAppliedAndTheSearchArmed)
{
    const struct {
        const char* settings;
        int current;
        int addressDialog;
    } cases[] = {
        {"[General]\r\nLanguage=2\r\n", 2, 2},
        {"[General]\r\nLanguage=0\r\n", 0, 0},
        {"[General]\r\n", 1, 0},                // no key: Russian
        {"[General]\r\nLanguage=abc\r\n", 1, 0},  // not a number: the defaults
        {"", 1, 0},                             // an empty file still exists
    };
    ServeVersion("[Info]\nVersion=2.4\n");
    for (const auto& c : cases) {
        WriteSettings(c.settings);
        TfrmMain* form = CreateMainForm();
        EXPECT_EQ(c.current, CurrentLanguage) << c.settings;
        EXPECT_EQ(c.addressDialog, AddressDialogLanguage) << c.settings;
        EXPECT_TRUE(form->TimerSearch->Enabled()) << c.settings;
        EXPECT_FALSE(form->lbLanguage->Visible()) << c.settings;
        EXPECT_NE(String(L"Config Zirvane Series v2.64"), form->Caption()) << c.settings;
        EXPECT_EQ(msgAdjustHelp, form->lbUst2->Caption()) << c.settings;
        EXPECT_EQ(msgThresholdHelp, form->lbTres2->Caption()) << c.settings;
        EXPECT_FALSE(msgCompanyLine.empty()) << c.settings;
        EXPECT_EQ(msgCompanyLine, Panel(4)) << c.settings;
    }
}

TEST_F(StartupTest, ErrorsOutsideTheServerAreShownAndEndTheCheck)
{
    WriteSettings("[General]\r\nLanguage=1\r\n");
    ServeVersion("[Info]\nVersion=2.5\n");
    const struct {
        const char* fault;
        std::filesystem::path makeUnusable;  // removed, or made a folder where a file belongs
        const wchar_t* named;
    } cases[] = {
        {"scale picture missing", "image", L"2scale.png"},
        {"version file cannot be written", "zirvane_ver.ini", L"zirvane_ver.ini"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(FFolder / "image");
        std::filesystem::copy(std::filesystem::path(testsupport::SourceDir()) / "assets" / "image", FFolder / "image");
        std::filesystem::remove_all(FFolder / "zirvane_ver.ini");
        if (c.makeUnusable == "image")
            std::filesystem::remove_all(FFolder / "image");
        else
            std::filesystem::create_directory(FFolder / c.makeUnusable);
        const size_t boxesBefore = FBoxes.Boxes().size();

        TfrmMain* form = CreateMainForm();
        ASSERT_NE(nullptr, form) << c.fault;
        ASSERT_EQ(boxesBefore + 1, FBoxes.Boxes().size()) << c.fault;
        EXPECT_NE(String::npos, FBoxes.Boxes().back().Text.find(c.named)) << ToAnsi(FBoxes.Boxes().back().Text);
        EXPECT_FALSE(form->UpdateAvailable) << c.fault;
        EXPECT_EQ(String(), Panel(3)) << c.fault;
        EXPECT_EQ(TCursor::crDefault, form->StatusBar1->Cursor()) << c.fault;
        EXPECT_FALSE(std::filesystem::is_regular_file(FFolder / "zirvane_ver.ini")) << c.fault;
    }
}

// Holds the single-instance mutex on a thread of its own, as another instance would, or takes
// it and ends without letting go, as an instance that crashed.
class TOtherInstance {
public:
    explicit TOtherInstance(bool abandon)
    {
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        FThread = std::thread([this, abandon, ready] {
            HANDLE mutex = CreateMutexW(nullptr, TRUE, ProgramSeams().InstanceMutex.c_str());
            SetEvent(ready);
            if (abandon)
                return;
            WaitForSingleObject(FDone, 10000);
            ReleaseMutex(mutex);
            CloseHandle(mutex);
        });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
        if (abandon)
            FThread.join();
    }

    ~TOtherInstance()
    {
        SetEvent(FDone);
        if (FThread.joinable())
            FThread.join();
        CloseHandle(FDone);
    }

private:
    HANDLE FDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread FThread;
};

TEST_F(StartupTest, SecondInstanceSaysSoAndEndsAfterTheWholeStart)
{
    WriteSettings("[General]\r\nLanguage=2\r\n");
    ServeVersion("[Info]\nVersion=2.5\n");
    for (const bool abandoned : {false, true}) {
        // A name this thread has never owned; the fixture puts the process's own back.
        ProgramSeams().InstanceMutex = mainformtest::OwnInstanceMutex(abandoned ? L"abandoned" : L"held");
        std::filesystem::remove(FFolder / "zirvane_ver.ini");
        const size_t boxesBefore = FBoxes.Boxes().size();
        {
            TOtherInstance other(abandoned);
            CreateMainForm();
        }
        // The application object is shared by every test: it gets back its state at once.
        const bool quitRequested = TakeQuitRequest();
        const bool showsMainForm = Application->ShowMainForm();
        Application->SetShowMainForm(true);
        EXPECT_TRUE(quitRequested) << abandoned;
        EXPECT_FALSE(showsMainForm) << abandoned;
        ASSERT_EQ(boxesBefore + 1, FBoxes.Boxes().size()) << abandoned;
        EXPECT_EQ(AlreadyRunning, FBoxes.Boxes().back().Text);
        EXPECT_EQ(Application->Title(), FBoxes.Boxes().back().Caption);
        // Everything else of the start ran all the same.
        EXPECT_EQ(2, CurrentLanguage);
        EXPECT_TRUE(frmMain->TimerSearch->Enabled());
        EXPECT_EQ("[Info]\r\nVersion=2.5\r\n", LocalVersionFile());
        EXPECT_EQ(msgNewVersion, Panel(3));
    }
}

TEST_F(StartupTest, ManualButtonAndLogoOpenTheirFilesThroughTheShell)
{
    TfrmMain* form = CreateMainForm();
    CurrentLanguage = 1;
    Detector->TypeCode = 18;
    form->sSpeedButton1->OnClick()(form->sSpeedButton1);
    form->Image3->OnClick()(form->Image3);

    ASSERT_EQ(2u, FShellCalls.size());
    EXPECT_EQ(form->Handle(), FShellCalls[0].Owner);
    EXPECT_EQ(String(), FShellCalls[0].Verb);
    EXPECT_EQ(String(L"rus500.pdf"), FShellCalls[0].File);
    EXPECT_EQ(SW_RESTORE, FShellCalls[0].ShowCmd);
    EXPECT_EQ(form->Handle(), FShellCalls[1].Owner);
    EXPECT_EQ(String(L"open"), FShellCalls[1].Verb);
    EXPECT_TRUE(FShellCalls[1].File.starts_with(L"https://")) << ToAnsi(FShellCalls[1].File);
    EXPECT_EQ(SW_SHOWNORMAL, FShellCalls[1].ShowCmd);
}

}  // namespace
