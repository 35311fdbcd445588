#include "mainwindow/Seams.h"

#include <mmsystem.h>
#include <shellapi.h>

TProgramSeams& ProgramSeams()
{
    static TProgramSeams seams{
        [](HWND owner, const vcl::String& verb, const vcl::String& file, int showCmd) {
            ShellExecuteW(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(), nullptr, nullptr, showCmd);
        },
        [](const vcl::String& file, UINT flags) { sndPlaySoundW(file.c_str(), flags); },
        [](DWORD ms) { Sleep(ms); },
        InstanceMutexName,
        MakersUpdateServer(),
    };
    return seams;
}
