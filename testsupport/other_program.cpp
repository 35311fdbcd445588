// Another application for the tests: a plain window at the bounds its command line names
// ("LEFT TOP WIDTH HEIGHT"), shown without taking the activation, until it is closed. A click on
// it makes it the active application, as any other program a user switches to.
#include <windows.h>

#include <cwchar>

namespace {

const wchar_t WindowClass[] = L"ZirvOtherProgram";

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    int left = 0, top = 0, width = 0, height = 0;
    if (std::swscanf(commandLine, L"%d %d %d %d", &left, &top, &width, &height) != 4)
        return 2;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = WindowClass;
    RegisterClassW(&windowClass);
    HWND wnd = CreateWindowExW(0, WindowClass, L"Another program", WS_OVERLAPPEDWINDOW, left, top, width, height,
                               nullptr, nullptr, instance, nullptr);
    if (!wnd)
        return 1;
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
