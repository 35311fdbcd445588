// The program as the tests start it: the shipped program's run, with the names it shares with
// other processes given on its command line, so that test processes running side by side do not
// take each other for a second instance and no test waits for the maker's update server.
//   ZirvaneConfigForTests.exe [--instance-mutex NAME] [--update-server HOST:PORT]
// Anything else on the command line ends it at once with exit code 2.
#include "mainwindow/Program.h"
#include "mainwindow/Seams.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

bool ParseUpdateServer(const std::wstring& value, TUpdateServer& server)
{
    const size_t colon = value.rfind(L':');
    if (colon == std::wstring::npos || colon == 0)
        return false;
    try {
        const unsigned long port = std::stoul(value.substr(colon + 1));
        if (port == 0 || port > 0xFFFF)
            return false;
        server.Host = value.substr(0, colon);
        server.Port = static_cast<uint16_t>(port);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool ApplySwitches(int count, wchar_t** args)
{
    TProgramSeams& seams = ProgramSeams();
    for (int i = 1; i < count; i += 2) {
        if (i + 1 >= count)
            return false;
        const std::wstring name = args[i];
        const std::wstring value = args[i + 1];
        if (name == L"--instance-mutex" && !value.empty())
            seams.InstanceMutex = value;
        else if (name != L"--update-server" || !ParseUpdateServer(value, seams.UpdateServer))
            return false;
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    const bool understood = args && ApplySwitches(count, args);
    LocalFree(args);
    return understood ? RunProgram() : 2;
}
