// Skinned scroll-bar painting benchmark: a shown window 400 x 300 with both bars wrapped in our
// skin, its bars and the box between them painted again and again by Ac_NCPaint, into the
// window's own DC and into a memory DC. Prints the median and the fastest time of each in
// milliseconds; the goal is under 2 ms for both bars.
// Run under Wine (tools/scrollbench.sh does): scroll_bench <skin folder> [--runs N]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/acPNG.h"
#include "skin/windows/acSBUtils.h"
#include "vcl/application.h"
#include "vcl/pictures.h"
#include "vcl/sysutils.h"

namespace {

constexpr int kWarmUpPaints = 10;
constexpr int kDefaultRuns = 501;

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "scroll_bench: %s\n", message.c_str());
    std::exit(1);
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A top-level window of a plain class with both bars, half scrolled.
HWND ScrollingWindow()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZirvScrollBench";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    const HWND window = CreateWindowExW(0, wc.lpszClassName, L"Scroll bars", WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL,
                                        50, 50, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 999;
    info.nPage = 100;
    info.nPos = 450;
    SetScrollInfo(window, SB_HORZ, &info, FALSE);
    SetScrollInfo(window, SB_VERT, &info, FALSE);
    return window;
}

// The sorted times in milliseconds of Runs calls of Fn.
std::vector<double> Measure(int Runs, const std::function<void()>& Fn)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Fn();
        GdiFlush();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        Pump();
    }
    std::ranges::sort(times);
    return times;
}

void PrintRow(const char* Name, const std::vector<double>& Times)
{
    std::printf("%-40s %10.3f %10.3f\n", Name, Times[Times.size() / 2], Times.front());
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = kDefaultRuns;
    vcl::String folder;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (folder.empty())
            folder = vcl::FromAnsi(argv[i]);
        else
            Fail(std::string("unknown argument ") + argv[i] + " (scroll_bench <skin folder> [--runs N])");
    }
    if (folder.empty())
        Fail("no skin folder given (scroll_bench <skin folder> [--runs N])");

    vcl::RegisterStandardGraphicFormats();
    skin::RegisterPNGGraphic();
    skin::InitStyleSimplyUnit();
    skin::InitSkinManagerUnit();
    skin::InitSBUtilsUnit();
    vcl::Application->Initialize();
    vcl::TObjectPtr<skin::TsSkinManager> manager(vcl::Create<skin::TsSkinManager>(nullptr));
    manager->LoadSkinFolder(folder);
    manager->SendNewSkin(false);

    const HWND window = ScrollingWindow();
    const auto wrapper = skin::NewWrapper<skin::TacScrollWnd>(window, nullptr, manager.get(), L"EDIT", true);
    if (!wrapper->HorzBarHeight() || !wrapper->VertBarWidth())
        Fail("the window shows no skinned scroll bars");
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    Pump();

    RECT bounds{};
    GetWindowRect(window, &bounds);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, bounds.right - bounds.left, bounds.bottom - bounds.top);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    ReleaseDC(nullptr, screen);

    for (int i = 0; i < kWarmUpPaints; ++i)
        skin::Ac_NCPaint(wrapper.get(), window);
    const auto onWindow = Measure(runs, [&] { skin::Ac_NCPaint(wrapper.get(), window); });
    const auto inMemory = Measure(runs, [&] { skin::Ac_NCPaint(wrapper.get(), window, -1, memory); });

    std::printf("Painting both skinned scroll bars of a 400 x 300 window in the skin of %ls, %d runs.\n\n",
                folder.c_str(), runs);
    std::printf("%-40s %10s %10s\n", "Ac_NCPaint", "median ms", "fastest ms");
    PrintRow("into the window's frame", onWindow);
    PrintRow("into a memory DC", inMemory);
    std::printf("goal: under 2 ms\n");
    std::fflush(stdout);

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    DestroyWindow(window);
    return 0;
}
