// The detector search as the program runs it: the window made in a folder with a settings file, so
// its creation arms the search, against simulated lines listed as the computer's serial ports.
// The wizard question is answered from a timer as soon as it shows modally.
#include "mainform_fixture.h"
#include "search_line.h"

#include "detsim_client.h"
#include "languages/messagetexts.h"
#include "link/Frames.h"
#include "mainwindow/Mastersettingform.h"
#include "mainwindow/Monitorrules.h"
#include "seam_recorder.h"
#include "vcl/extctrls.h"
#include "vcl/seams.h"
#include "vcl/sysutils.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace zirv;
using testsupport::DetsimFrame;
using Bytes = std::vector<uint8_t>;

Bytes Frame(const RequestFrame& request)
{
    return Bytes(request.Bytes.begin(), request.Bytes.begin() + request.Length);
}

// A value under the serial ports' key that is no text; the key's holder clears it at the end.
void SetNumberValue(const wchar_t* name, DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Hardware\\DeviceMap\\SerialComm", 0, KEY_SET_VALUE, &key));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)));
    RegCloseKey(key);
}

// The same pixels in a button's glyph as in the picture file.
bool GlyphIsFile(vcl::TBitmap* glyph, const wchar_t* file)
{
    vcl::TBitmap expected;
    expected.LoadFromFile(file);
    if (glyph->Width() != expected.Width() || glyph->Height() != expected.Height())
        return false;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            if (glyph->Canvas()->Pixels(x, y) != expected.Canvas()->Pixels(x, y))
                return false;
    return true;
}

class SearchTest : public ::testing::Test {
protected:
    // What the wizard question showed, and the frames of the first listed line until then.
    struct Question {
        bool Shown = false;
        vcl::String Title;
        vcl::String Yes;
        vcl::String No;
        bool KeepAliveOn = false;
        bool SearchTextCentred = false;
        std::vector<DetsimFrame> Frames;
    };

    void SetUp() override
    {
        mainformtest::PrepareProcess();
        FSavedFolder = std::filesystem::current_path();
        mainformtest::EnterProgramFolder("search");
        FSavedSystem = vcl::Seams();
        Seams.emplace();
        Ports.Clear();
    }

    void TearDown() override
    {
        if (Answerer)
            Answerer->Free();
        // Declining the question starts the poll thread, which goes before the window.
        vcl::FreeAndNil(ReqInfoThread);
        vcl::FreeAndNil(frmMain);
        testsupport::PumpFor(0);
        ComPort->Close();
        Seams.reset();
        vcl::Seams() = FSavedSystem;
        std::filesystem::current_path(FSavedFolder);
    }

    // The lines in this order as the computer's serial ports, "COMn" each.
    void ListPorts(const std::vector<int>& coms)
    {
        for (size_t i = 0; i < coms.size(); ++i) {
            wchar_t name[16];
            swprintf(name, 16, L"ZirvPort%02zu", i);
            Ports.SetString(name, L"COM" + std::to_wstring(coms[i]));
        }
        ASSERT_EQ(coms.size(), Ports.Strings().size());
        FirstCom = coms.front();
    }

    void SetScreen(int width, int height)
    {
        vcl::Seams().SystemMetrics = [width, height](int index) {
            return index == SM_CXSCREEN ? width : index == SM_CYSCREEN ? height : GetSystemMetrics(index);
        };
    }

    // Starts the program in the language and lets the search run to its end.
    void RunProgram(int language)
    {
        std::ofstream("Settings.ini") << "[General]\nLanguage=" << language << "\n";
        Answerer = vcl::Create<vcl::TTimer>(nullptr);
        Answerer->SetInterval(10);
        Answerer->SetOnTimer(vcl::TNotifyEvent([this](vcl::TObject*) { AnswerQuestion(); }));
        vcl::Application->CreateForm(frmMain);
        ASSERT_TRUE(frmMain->TimerSearch->Enabled());
        frmMain->Show();
        // The search runs inside one timer tick; the loop sees the timer off once it has returned.
        ASSERT_TRUE(testsupport::PumpUntil([] { return !frmMain->TimerSearch->Enabled(); }, 30000));
    }

    void AnswerQuestion()
    {
        TfrmMasterSetting* dialog = frmMasterSetting;
        if (!dialog || !dialog->FormState().Contains(vcl::TFormStateItem::fsModal) || dialog->ModalResult() != 0)
            return;
        Asked.Shown = true;
        Asked.Title = dialog->Caption();
        Asked.Yes = dialog->sButton1->Caption();
        Asked.No = dialog->sButton2->Caption();
        Asked.KeepAliveOn = frmMain->Timer_ReqID->Enabled();
        Asked.SearchTextCentred = SearchTextCentred();
        Asked.Frames = Sim.Frames(FirstCom);
        dialog->SetModalResult(vcl::mrCancel);
    }

    std::vector<vcl::String> Items(vcl::TCustomComboBox* list)
    {
        std::vector<vcl::String> items;
        for (int i = 0; i < list->Items()->Count(); ++i)
            items.push_back(list->Items()->Strings(i));
        return items;
    }

    std::vector<int32_t> FoundAddresses()
    {
        std::vector<int32_t> found;
        for (int32_t address = 0; address < monitor::AddressCount; ++address)
            if (frmMain->FoundFlags[static_cast<size_t>(address)] == 1)
                found.push_back(address);
        return found;
    }

    // The search text stands centred on the window's outer width.
    static bool SearchTextCentred()
    {
        return frmMain->lbSearch->Left() == (frmMain->Width() - frmMain->lbSearch->Width()) / 2;
    }

    testsupport::SerialCommKey Ports;
    testsupport::DetsimClient Sim;
    std::optional<TSeamRecorder> Seams;
    vcl::TTimer* Answerer = nullptr;
    Question Asked;
    int FirstCom = 0;

private:
    std::filesystem::path FSavedFolder;
    vcl::TSystemSeams FSavedSystem;
};

TEST_F(SearchTest, DetectorsOnTheFirstPortAreListedTheLineSwitchedAndTheFirstPolled)
{
    const int first = Sim.CreateLine({"3:16", "7:21"});
    const int second = Sim.CreateLine({"1:16"});
    ListPorts({first, second});
    SetScreen(1024, 768);
    RunProgram(0);

    ASSERT_TRUE(Asked.Shown);
    // Every address at 1200 baud, the broadcast that switches the line, then 19200 baud only;
    // always without parity and with one stop bit.
    const std::vector<DetsimFrame>& frames = Asked.Frames;
    ASSERT_GE(frames.size(), 33u);
    for (const DetsimFrame& frame : frames) {
        EXPECT_EQ("none", frame.Line.Parity);
        EXPECT_EQ(1, frame.Line.StopBits);
        EXPECT_EQ(8, frame.Line.ByteSize);
    }
    for (uint16_t address = 0; address < monitor::AddressCount; ++address) {
        SCOPED_TRACE(address);
        EXPECT_EQ(Frame(BuildDeviceTypeRequest(address)), frames[address].Bytes);
        EXPECT_EQ(1200, frames[address].Line.Baud);
    }
    EXPECT_EQ((Bytes{0xFF, 0x00, 0x01, 0x04, 0x00, 0x00, 0x00, 0xC5}), frames[32].Bytes);
    EXPECT_EQ(1200, frames[32].Line.Baud);
    // The poll action for the first detector: its type, its state, three presses from normal mode.
    std::vector<Bytes> poll = {Frame(BuildDeviceTypeRequest(3)), Frame(BuildStateQuery(3, StateQueryFixedByte, KeyNone))};
    for (int press = 0; press < 3; ++press) {
        poll.push_back(Frame(BuildStateQuery(3, StateQueryFixedByte, KeyMode)));
        poll.push_back(Frame(BuildStateQuery(3, StateQueryFixedByte, KeyNone)));
    }
    std::vector<Bytes> after;
    for (size_t i = 33; i < frames.size(); ++i) {
        EXPECT_EQ(19200, frames[i].Line.Baud);
        after.push_back(frames[i].Bytes);
    }
    EXPECT_EQ(poll, after);
    for (const testsupport::JsonValue& detector : Sim.Detectors(first))
        EXPECT_EQ(19200, detector["baud"].Int());
    EXPECT_TRUE(Sim.Frames(second).empty());

    TfrmMain* f = frmMain;
    const std::vector<vcl::String> listed = {L"  3", L"  7"};
    EXPECT_EQ(listed, Items(f->cbAddress));
    EXPECT_EQ(listed, Items(f->cbStepAddress));
    EXPECT_EQ(0, f->cbAddress->ItemIndex());
    EXPECT_EQ(0, f->cbStepAddress->ItemIndex());
    EXPECT_EQ((std::vector<int32_t>{3, 7}), FoundAddresses());
    EXPECT_EQ(3, Detector->Address);
    EXPECT_EQ(16, Detector->TypeCode);
    EXPECT_TRUE(f->cbAddress->Enabled());
    EXPECT_EQ(msgChooseNumber, f->lbAddress2->Caption());
    EXPECT_EQ(msgFoundPrefix + L"2", f->lbCountDevice->Caption());
    EXPECT_FALSE(f->lbCountDevice->Visible());
    EXPECT_FALSE(f->pbSearch->Visible());
    EXPECT_EQ(monitor::AddressCount * monitor::SearchStepPerAddress(10000, 2), f->pbSearch->Position());
    EXPECT_EQ(msgSensorFound, f->lbSearch->Caption());
    EXPECT_TRUE(Asked.SearchTextCentred);
    EXPECT_EQ(L"COM " + vcl::IntToStr(first), f->StatusBar1->Panels()->Items(1)->Text());
    EXPECT_EQ(msgModelName[1], f->StatusBar1->Panels()->Items(0)->Text());
    std::vector<DWORD> pauses = {100};
    pauses.insert(pauses.end(), 6, 500);
    EXPECT_EQ(pauses, Seams->TakePauses());

    EXPECT_TRUE(Asked.KeepAliveOn);
    EXPECT_EQ(vcl::String(L"Setup Wizard"), Asked.Title);
    EXPECT_EQ(vcl::String(L"Yes"), Asked.Yes);
    EXPECT_EQ(vcl::String(L"No"), Asked.No);

    // After the question: the threshold lines' pen, the buttons' pictures, the screen rule.
    for (vcl::TPaintBox* box : {f->PaintBox1, f->StepPaintBox1}) {
        EXPECT_EQ(vcl::TColor(0xFF00FF), box->Canvas()->Pen()->Color());
        EXPECT_EQ(3, box->Canvas()->Pen()->Width());
        EXPECT_EQ(vcl::TPenStyle::psDot, box->Canvas()->Pen()->Style());
    }
    EXPECT_TRUE(GlyphIsFile(f->sbtSound->Glyph(), L"image\\28music_off.bmp"));
    EXPECT_TRUE(GlyphIsFile(f->sbtLang->Glyph(), L"image\\28flag_great_britain.bmp"));
    EXPECT_EQ(vcl::TWindowState::wsMaximized, f->WindowState());
}

TEST_F(SearchTest, DetectorsOnTheSecondOfThreePortsLeaveTheThirdUnopened)
{
    // Listed against the order of their numbers: the search takes the registry's order.
    const int third = Sim.CreateLine({"1:16"});
    const int second = Sim.CreateLine(FullLine({"12:17"}));
    const int silent = Sim.CreateLine();
    ASSERT_GT(silent, second);
    ASSERT_GT(second, third);
    ListPorts({silent, second, third});
    SetScreen(1280, 1024);
    // Korean, stored: the search sets no text on the question, which shows what its creation gave it.
    RunProgram(7);

    ASSERT_TRUE(Asked.Shown);
    EXPECT_EQ(32u, Sim.Frames(silent).size());
    EXPECT_TRUE(Sim.Frames(third).empty());
    TfrmMain* f = frmMain;
    // Detectors of an unknown type answer but are not listed.
    EXPECT_EQ((std::vector<vcl::String>{L"  12"}), Items(f->cbAddress));
    EXPECT_EQ((std::vector<int32_t>{12}), FoundAddresses());
    EXPECT_EQ(12, Detector->Address);
    EXPECT_FALSE(f->cbAddress->Enabled());
    EXPECT_EQ(msgOneSensor, f->lbAddress2->Caption());
    EXPECT_EQ(2 * monitor::AddressCount * 104, f->pbSearch->Position());
    EXPECT_EQ(L"COM " + vcl::IntToStr(second), f->StatusBar1->Panels()->Items(1)->Text());

    // The texts the dialog's creation gave it: the English title under the Korean texts, and
    // Korean's own Yes and No on the buttons.
    EXPECT_EQ(vcl::String(L"Setup wizard"), Asked.Title);
    EXPECT_EQ(msgYes, Asked.Yes);
    EXPECT_EQ(msgNo, Asked.No);
    EXPECT_FALSE(Asked.Yes.empty());
    EXPECT_NE(vcl::String(L"&Yes"), Asked.Yes);
    EXPECT_TRUE(GlyphIsFile(f->sbtLang->Glyph(), L"image\\28flag_south_korea.bmp"));
    EXPECT_EQ(vcl::TWindowState::wsNormal, f->WindowState());
    EXPECT_EQ(vcl::TBorderIcons({vcl::TBorderIcon::biSystemMenu, vcl::TBorderIcon::biMinimize}), f->BorderIcons());
}

TEST_F(SearchTest, MoreThanFiftyListedPortsAreAllSearched)
{
    // Fifty-one ports that do not open, then a line with a detector at every address.
    std::vector<int> coms;
    for (int i = 0; i < 51; ++i) {
        coms.push_back(Sim.MapDevice("/dev/null"));
        // Higher numbers have no device path of their own.
        ASSERT_LE(coms.back(), 100);
    }
    std::vector<std::string> detectors;
    for (int address = 0; address < monitor::AddressCount; ++address)
        detectors.push_back(std::to_string(address) + ":10");
    const int line = Sim.CreateLine(detectors);
    coms.push_back(line);
    ListPorts(coms);
    RunProgram(0);

    ASSERT_TRUE(Asked.Shown);
    TfrmMain* f = frmMain;
    EXPECT_EQ(52u, f->PortNumbers.size());
    EXPECT_EQ(L"COM " + vcl::IntToStr(line), f->StatusBar1->Panels()->Items(1)->Text());
    EXPECT_EQ(32, f->cbAddress->Items()->Count());
    EXPECT_EQ(32, f->FoundCount);
    EXPECT_EQ(0, Detector->Address);
    EXPECT_EQ(52 * monitor::AddressCount * monitor::SearchStepPerAddress(10000, 52), f->pbSearch->Position());
}

TEST_F(SearchTest, WithoutAKnownDetectorTheSearchSaysSoAndAsksNothing)
{
    const int dead = Sim.MapDevice("/dev/null");
    const int unknown = Sim.CreateLine(FullLine({}));
    ListPorts({dead, unknown});
    RunProgram(0);

    EXPECT_FALSE(Asked.Shown);
    TfrmMain* f = frmMain;
    EXPECT_EQ(32u, Sim.Frames(unknown).size());
    EXPECT_EQ(0, f->cbAddress->Items()->Count());
    EXPECT_TRUE(FoundAddresses().empty());
    EXPECT_FALSE(f->DetectorFound);
    EXPECT_FALSE(f->Timer_ReqID->Enabled());
    EXPECT_EQ(monitor::AddressCount, Detector->Address);
    EXPECT_TRUE(f->lbSearch->Visible());
    EXPECT_EQ(msgNoSensors, f->lbSearch->Caption());
    EXPECT_TRUE(SearchTextCentred()) << "window width " << f->Width() << ", text at " << f->lbSearch->Left() << ", "
                                     << f->lbSearch->Width() << " wide";
    EXPECT_FALSE(f->pbSearch->Visible());
    EXPECT_FALSE(f->lbCountDevice->Visible());
    EXPECT_EQ(9984, f->pbSearch->Position());
    // The ports that did not answer left the gauge empty and grey.
    EXPECT_EQ(vcl::TColor(monitor::ColourGrey), f->cZone1->ForeColor());
    EXPECT_FALSE(f->cbAddress->Enabled());
}

TEST_F(SearchTest, AnErrorWhileListingThePortsShowsOnceAndTheSearchStops)
{
    const int line = Sim.CreateLine({"1:16"});
    const struct {
        const char* Case;
        bool ReachesTheSearchView;
        std::function<void()> List;
    } cases[] = {
        {"a value that is no text", false, [] { SetNumberValue(L"ZirvPort00", 3); }},
        {"a name that is no port", true,
         [&] {
             Ports.SetString(L"ZirvPort00", L"COM" + std::to_wstring(line));
             Ports.SetString(L"ZirvPort01", L"COMX");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        Ports.Clear();
        c.List();
        testsupport::TExceptionCapture errors;
        RunProgram(0);
        testsupport::PumpFor(300);
        EXPECT_EQ(1u, errors.Reports().size());
        EXPECT_FALSE(frmMain->TimerSearch->Enabled());
        EXPECT_FALSE(Asked.Shown);
        // Every name is read before any port opens.
        EXPECT_TRUE(Sim.Frames(line).empty());
        EXPECT_EQ(c.ReachesTheSearchView, frmMain->pbSearch->Visible());
        vcl::FreeAndNil(ReqInfoThread);
        vcl::FreeAndNil(frmMain);
        Answerer->Free();
        Answerer = nullptr;
    }
}

}  // namespace
