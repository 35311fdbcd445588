#pragma once
// The windows of a process that tests and tools start: found by their class and text, as a user
// finds them on the screen.
#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

inline std::wstring ClassOf(HWND wnd)
{
    wchar_t name[256] = {};
    GetClassNameW(wnd, name, 256);
    return name;
}

inline std::wstring TextOf(HWND wnd)
{
    wchar_t text[512] = {};
    GetWindowTextW(wnd, text, 512);
    return text;
}

// The first top-level window of the process that matches; none when no window does.
inline HWND FindWindowOf(DWORD processId, const std::function<bool(HWND)>& match)
{
    struct Search {
        DWORD ProcessId;
        const std::function<bool(HWND)>* Match;
        HWND Found;
    } search{processId, &match, nullptr};
    EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(wnd, &owner);
            if (owner == s->ProcessId && (*s->Match)(wnd)) {
                s->Found = wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

}  // namespace testsupport
