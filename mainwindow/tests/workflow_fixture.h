#pragma once
// The main window as the search leaves it, set up directly: the port open at 19200 baud on a
// simulated line, the current detector at its address, English texts. Pauses are recorded instead
// of waited out, and the poll thread is a fresh suspended one that the test frees.
#include "mainform_fixture.h"

#include "detsim_client.h"
#include "languages/languagetexts.h"
#include "link/Frames.h"
#include "mainwindow/Seams.h"
#include "mainwindow/Testthread.h"

#include <memory>
#include <string>
#include <vector>

class WorkflowTest : public MainformTest {
protected:
    using Bytes = std::vector<uint8_t>;

    void SetUp() override
    {
        MainformTest::SetUp();
        FSavedSeams = ProgramSeams();
        // Only the GUI thread's pauses are recorded; a poll thread that a workflow starts sleeps
        // through its own, rather than spinning and writing the vector beside the test.
        ProgramSeams().Pause = [this, gui = GetCurrentThreadId()](DWORD ms) {
            if (GetCurrentThreadId() != gui)
                Sleep(ms);
            else
                Pauses.push_back(ms);
        };
        CurrentLanguage = 0;
        TMainformLanguageHost host(*Form());
        ApplyLanguageTexts(host, CurrentLanguage);
        WizardStep = 0;
        AddressZeroFound = false;
        LineSensorCount = 0;
        FFormThread = ReqInfoThread;
        ReqInfoThread = vcl::Create<TReqInfoThread>(true);
        FSavedDetector = Detector;
    }

    void TearDown() override
    {
        vcl::FreeAndNil(ReqInfoThread);
        ReqInfoThread = FFormThread;
        MainformTest::TearDown();
        ComPort->Close();
        Detector = FSavedDetector;
        ProgramSeams() = FSavedSeams;
    }

    // Detectors as the simulator takes them ("ADDR:TYPE[:key=value...]"), all at 19200 baud.
    void StartLine(const std::vector<std::string>& detectors, uint16_t address)
    {
        std::vector<std::string> specs;
        for (const std::string& d : detectors)
            specs.push_back(d + ":baud=19200");
        Com = Sim.CreateLine(specs);
        Path = testsupport::ComDevicePath(Com);
        ASSERT_EQ(0, ComPort->Configure({Path.c_str(), Com, 4, 0, 0, 200, 0}));
        ASSERT_EQ(0, ComPort->Open());
        Record = std::make_unique<ZIRVZEBRA1>(address, *ComPort);
        Detector = Record.get();
    }

    // The frames the simulator read since the last call; every one whole and at 19200 baud.
    std::vector<Bytes> TakeFrames()
    {
        std::vector<Bytes> frames;
        for (const testsupport::DetsimFrame& frame : Sim.Frames(Com, true)) {
            EXPECT_TRUE(frame.Complete);
            EXPECT_EQ(19200, frame.Line.Baud);
            frames.push_back(frame.Bytes);
        }
        return frames;
    }

    testsupport::JsonValue SimDetector(int index = 0) { return Sim.Detectors(Com)[static_cast<size_t>(index)]; }
    void SetSim(const std::string& key, int value, int index = 0) { Sim.SetDetector(Com, index, key, value); }
    void SetSim(const std::string& key, const std::string& value, int index = 0)
    {
        Sim.SetDetector(Com, index, key, value);
    }

    static Bytes Frame(const zirv::RequestFrame& request)
    {
        return Bytes(request.Bytes.begin(), request.Bytes.begin() + request.Length);
    }
    static Bytes KeyFrame(uint16_t address, uint8_t key)
    {
        return Frame(zirv::BuildStateQuery(address, zirv::StateQueryFixedByte, key));
    }
    // Presses of the key, each followed by its release.
    static std::vector<Bytes> Pulses(uint16_t address, uint8_t key, int count)
    {
        std::vector<Bytes> frames;
        for (int i = 0; i < count; ++i) {
            frames.push_back(KeyFrame(address, key));
            frames.push_back(KeyFrame(address, zirv::KeyNone));
        }
        return frames;
    }

    // Whether the program asked to end; the request is taken back so the test process goes on.
    static bool TakeEndRequest()
    {
        MSG msg;
        return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    }

    testsupport::DetsimClient Sim;
    int Com = 0;
    std::string Path;
    std::unique_ptr<ZIRVZEBRA1> Record;
    std::vector<DWORD> Pauses;

private:
    TProgramSeams FSavedSeams;
    TReqInfoThread* FFormThread = nullptr;
    ZIRVZEBRA1* FSavedDetector = nullptr;
};
