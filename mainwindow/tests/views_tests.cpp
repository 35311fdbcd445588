// Every view of the main window in every language, reached as a user reaches it: the program
// started with the language stored, the search over a simulated line, the wizard question, each
// wizard step, the monitoring view with live values, the alignment and threshold views, the
// choose-sensor flavour of the first step and the search that finds nothing. In each view no text
// is cut by its control or by the edge of a panel, no label or button that shows a text is left
// without one, and a screenshot for people lands in screenshots/ with a check that its texts were
// painted.
#include "mainform_fixture.h"
#include "screenshots.h"
#include "search_line.h"
#include "seam_recorder.h"
#include "textfit.h"

#include "detsim_client.h"
#include "languages/messagetexts.h"
#include "mainwindow/Mastersettingform.h"
#include "vcl/extctrls.h"

#include <atomic>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <thread>

namespace {

using testsupport::PumpUntil;

struct Language {
    int Index;
    const char* Name;
};

// Korean first: it writes only part of the texts, and this process's message strings are still
// empty, as at any program's start.
const Language Languages[] = {
    {7, "Korean"},  {0, "English"}, {1, "Russian"},  {2, "German"},   {3, "French"},  {4, "Spanish"},
    {6, "Czech"},   {8, "Serbian"}, {9, "Swedish"}, {10, "Croatian"}, {11, "Italian"},
};

// Detectors at 0 (the set-number flavour of the first step) and 1, the others unknown; and a line
// without a detector at 0, for the choose-sensor flavour.
const std::vector<std::string> Line = FullLine({"0:16:letter=3:supply=60:level=100:align_level=150:threshold=2.0",
                                                "1:17"});
const std::vector<std::string> LineWithoutZero = FullLine({"1:17", "2:16"});

// Texts the workflows leave empty on purpose: the wizard empties both state texts at its start and
// gives the status text a word from its fifth step on; Spanish, Croatian and Italian have no word
// for the threshold level.
using Blanks = std::set<std::wstring>;
const Blanks FirstSteps = {L"lbState", L"lbStatus"};
const Blanks LastSteps = {L"lbState"};

Blanks WithThresholdLevel(Blanks blanks, int language)
{
    if (language == 4 || language == 10 || language == 11)
        blanks.insert(L"lbTresholLevel");
    return blanks;
}

class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainformtest::PrepareProcess();
        FSavedFolder = std::filesystem::current_path();
        mainformtest::EnterProgramFolder("views");
        Seams.emplace();
    }

    void TearDown() override
    {
        CloseProgram();
        Seams.reset();
        std::filesystem::current_path(FSavedFolder);
    }

    // Starts the program with the language stored, as a user starts it, and shows its window.
    void StartProgram(int language)
    {
        std::ofstream("Settings.ini", std::ios::trunc) << "[General]\nLanguage=" << language << "\n";
        vcl::Application->CreateForm(frmMain);
        ASSERT_TRUE(frmMain->TimerSearch->Enabled());
        frmMain->Show();
    }

    void CloseProgram()
    {
        if (Answerer)
            vcl::FreeAndNil(Answerer);
        vcl::FreeAndNil(ReqInfoThread);
        vcl::FreeAndNil(frmMain);
        testsupport::PumpFor(0);
        ComPort->Close();
    }

    // The search runs inside one timer tick; the loop sees the timer off once it has returned.
    static void WaitForTheSearch()
    {
        ASSERT_TRUE(PumpUntil([] { return !frmMain->TimerSearch->Enabled(); }, 60000));
    }

    // Answers the wizard question from inside its modal loop, once it shows.
    void AnswerQuestion(const std::function<void(TfrmMasterSetting*)>& answer)
    {
        Answerer = vcl::Create<vcl::TTimer>(nullptr);
        Answerer->SetInterval(10);
        Answerer->SetOnTimer(vcl::TNotifyEvent([this, answer](vcl::TObject*) {
            TfrmMasterSetting* dialog = frmMasterSetting;
            if (!dialog || !dialog->FormState().Contains(vcl::TFormStateItem::fsModal) || dialog->ModalResult() != 0)
                return;
            Answerer->SetEnabled(false);
            answer(dialog);
        }));
    }

    // The view on show: texts within their controls and panels, none blank but the allowed, and a
    // screenshot whose labels show their texts.
    static void CheckView(vcl::TForm* form, const std::string& name, const Blanks& blanks = {})
    {
        SCOPED_TRACE(name);
        testsupport::PumpFor(100);
        EXPECT_EQ(textfit::CutTexts(form), std::vector<std::string>());
        EXPECT_EQ(textfit::BlankTexts(form, blanks), std::vector<std::string>());
        const testsupport::TGrab grab = testsupport::Grab(form->Handle());
        EXPECT_TRUE(SaveScreenshot(grab, name));
        EXPECT_EQ(textfit::UnpaintedTexts(grab, form), std::vector<std::string>());
    }

    void Next() { frmMain->btNextStep->Click(); }

    testsupport::SerialCommKey Ports;
    testsupport::DetsimClient Sim;
    std::optional<TSeamRecorder> Seams;
    vcl::TTimer* Answerer = nullptr;

private:
    std::filesystem::path FSavedFolder;
};

// A grab of the window taken on a thread of its own once the search has asked a few addresses:
// the search holds the window's own thread until it ends.
class TSearchGrabber {
public:
    TSearchGrabber(HWND window, int com)
        : FThread([this, window, com] {
              testsupport::DetsimClient sim;
              for (int wait = 0; wait < 1000 && sim.Frames(com).size() < 4; ++wait)
                  Sleep(10);
              FGrab = testsupport::Grab(window);
          })
    {
    }
    ~TSearchGrabber()
    {
        if (FThread.joinable())
            FThread.join();
    }
    const testsupport::TGrab& Taken()
    {
        FThread.join();
        return FGrab;
    }

private:
    testsupport::TGrab FGrab;
    std::thread FThread;
};

// Pixels of more than one colour in the rows of the client area that the control spans.
bool RowsShowInk(const testsupport::TGrab& grab, vcl::TControl* control)
{
    std::set<COLORREF> colours;
    for (int y = control->Top(); y < control->Top() + control->Height(); ++y)
        for (int x = 0; x < grab.Width - grab.ClientOrigin.x; ++x)
            colours.insert(grab.ClientPixel(x, y));
    return colours.size() > 1;
}

TEST_F(ViewsTest, EveryViewInEveryLanguageShowsItsTextsWhole)
{
    for (const Language& language : Languages) {
        SCOPED_TRACE(language.Name);
        const std::string prefix = std::string("view-") + language.Name + "-";
        const int com = Sim.CreateLine(Line);
        Ports.Clear();
        Ports.SetString(L"ZirvPort00", L"COM" + std::to_wstring(com));

        // The search, the question it ends with, and the wizard's steps.
        AnswerQuestion([&](TfrmMasterSetting* dialog) {
            CheckView(dialog, prefix + "02-question");
            dialog->sButton1->Click();
        });
        StartProgram(language.Index);
        {
            TSearchGrabber grabber(frmMain->Handle(), com);
            WaitForTheSearch();
            const testsupport::TGrab& grab = grabber.Taken();
            EXPECT_TRUE(SaveScreenshot(grab, prefix + "01-search"));
            EXPECT_TRUE(RowsShowInk(grab, frmMain->lbSearch));
        }
        ASSERT_EQ(1, WizardStep);
        CheckView(frmMain, prefix + "03-step1-set-number", FirstSteps);
        Next();
        ASSERT_TRUE(PumpUntil([] { return !frmMain->lbStepRxPower2->Caption().empty(); }, 10000));
        CheckView(frmMain, prefix + "04-step2", FirstSteps);
        Next();
        CheckView(frmMain, prefix + "05-step3", FirstSteps);
        Next();
        CheckView(frmMain, prefix + "06-step4", FirstSteps);
        Next();
        ASSERT_TRUE(PumpUntil([] { return frmMain->edStepUst->Text() != L"0,0"; }, 10000));
        CheckView(frmMain, prefix + "07-step5", LastSteps);
        Next();
        // The tick that brought the threshold mode left the mode key held; Done presses it once more
        // after the next tick has let it go.
        ASSERT_TRUE(PumpUntil(
            [&] { return !frmMain->edStepTres->Text().empty() && Sim.Detectors(com)[0]["held_key"].Int() == 0; },
            10000));
        CheckView(frmMain, prefix + "08-step6", WithThresholdLevel(LastSteps, language.Index));
        {
            testsupport::TMessageBoxRecorder boxes;
            Next();
            EXPECT_EQ(1u, boxes.Boxes().size());
        }

        // The monitoring view with live values, then the views the detector's modes bring.
        ASSERT_TRUE(PumpUntil([] { return Detector->ShownMode == zirv::ModeNormal; }, 10000));
        CheckView(frmMain, prefix + "09-monitoring");
        Sim.SetDetector(com, 0, "mode", "alignment");
        ASSERT_TRUE(PumpUntil([] { return Detector->ShownMode == zirv::ModeAlignment; }, 10000));
        CheckView(frmMain, prefix + "10-alignment");
        Sim.SetDetector(com, 0, "mode", "threshold");
        ASSERT_TRUE(PumpUntil([] { return Detector->ShownMode == zirv::ModeThreshold; }, 10000));
        CheckView(frmMain, prefix + "11-threshold", WithThresholdLevel({}, language.Index));
        Sim.SetDetector(com, 0, "mode", "normal");
        ASSERT_TRUE(PumpUntil([] { return Detector->ShownMode == zirv::ModeNormal; }, 10000));

        CloseProgram();
        Sim.DeleteLine(com);

        // The first step's other flavour, on a line without a detector at 0.
        const int other = Sim.CreateLine(LineWithoutZero);
        Ports.Clear();
        Ports.SetString(L"ZirvPort00", L"COM" + std::to_wstring(other));
        AnswerQuestion([](TfrmMasterSetting* dialog) { dialog->sButton1->Click(); });
        StartProgram(language.Index);
        WaitForTheSearch();
        CheckView(frmMain, prefix + "12-step1-choose-sensor", FirstSteps);
        CloseProgram();
        Sim.DeleteLine(other);

        // A search that finds nothing leaves its result on show.
        Ports.Clear();
        StartProgram(language.Index);
        WaitForTheSearch();
        CheckView(frmMain, prefix + "13-no-sensors");
        CloseProgram();
    }
}

}  // namespace
