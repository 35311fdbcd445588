#pragma once
// The program's calls out to the shell, the sound system and the clock, and the names it shares
// with other processes, replaceable so that tests can record the calls, run the workflows without
// waiting out every pause, and run beside one another. Only code sets them: nothing from the
// environment reaches them.
#include "mainwindow/Startup.h"
#include "vcl/system.h"

#include <windows.h>

#include <functional>

struct TProgramSeams {
    // ShellExecuteW with no parameters and no directory; the result is never used.
    std::function<void(HWND Owner, const vcl::String& Verb, const vcl::String& File, int ShowCmd)> ShellExecute;
    // sndPlaySoundW.
    std::function<void(const vcl::String& File, UINT Flags)> PlaySound;
    // Every pause of the workflows and of the poll thread.
    std::function<void(DWORD Ms)> Pause;
    // The single-instance mutex's name.
    vcl::String InstanceMutex;
    // Where the update check connects.
    TUpdateServer UpdateServer;
};

// The seams in force; assign a member to replace one, copy the whole to restore it later.
TProgramSeams& ProgramSeams();
