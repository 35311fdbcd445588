#pragma once
// The program's pauses and sounds replaced for a test's lifetime. The GUI thread's pauses are
// recorded and not waited out; any other thread's (the poll thread's) really sleep and are
// counted, so a test can wait for the next polls. Sounds are recorded, never played.
#include "mainwindow/Seams.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <utility>
#include <vector>

class TSeamRecorder {
public:
    struct Sound {
        vcl::String File;
        UINT Flags;
    };

    TSeamRecorder() : FSaved(ProgramSeams()), FGuiThread(GetCurrentThreadId())
    {
        ProgramSeams().Pause = [this](DWORD ms) {
            if (GetCurrentThreadId() != FGuiThread) {
                Sleep(ms);
                ++FOtherPauses;
                return;
            }
            FPauses.push_back(ms);
        };
        ProgramSeams().PlaySound = [this](const vcl::String& file, UINT flags) {
            FSounds.push_back({file, flags});
            if (OnSound)
                OnSound();
        };
    }
    ~TSeamRecorder() { ProgramSeams() = FSaved; }
    TSeamRecorder(const TSeamRecorder&) = delete;
    TSeamRecorder& operator=(const TSeamRecorder&) = delete;

    // The GUI thread's pauses since the last call.
    std::vector<DWORD> TakePauses() { return std::exchange(FPauses, {}); }
    // Pauses of other threads so far: one per cycle of the poll thread.
    int OtherPauses() const { return FOtherPauses; }
    const std::vector<Sound>& Sounds() const { return FSounds; }

    // Runs on the GUI thread when a sound starts.
    std::function<void()> OnSound;

private:
    TProgramSeams FSaved;
    DWORD FGuiThread;
    std::vector<DWORD> FPauses;
    std::atomic<int> FOtherPauses{0};
    std::vector<Sound> FSounds;
};
