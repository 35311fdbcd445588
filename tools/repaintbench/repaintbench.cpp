// Main window repaint benchmark: the main window made as the program makes it, in English with its
// monitoring view showing, in our skin. Once every control has rendered its cache, the whole
// window is invalidated and painted again and again: the time of one full repaint from warm
// caches, which is to stay under 12 ms. Then the form alone, its frame and client area, without
// its controls: the frame copied from the provider's cache on the non-client paint, the client
// background from the same cache on the erase. Then the snapshot the form animations take of it
// (SkinPaintTo of the skinned form with its provider): the whole window with every control painted
// into one 32-bit bitmap; then the window's frame picture rendered anew into its provider's cache
// (frame, caption, title buttons and client background). Then the same window with the skin
// switched off, painted by the class library alone, so that the skin's cost shows as a ratio (at
// most 2x is the goal). Prints the median and the fastest time of each in milliseconds, and then
// what each kind of control costs when painted alone in the skin.
// Run under Wine (tools/repaintbench.sh does): repaint_bench <folder with the program's image folder> [--runs N]
#include "mainwindow/Mainform.h"
#include "mainwindow/Seams.h"
#include "mainwindow/Testthread.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/acPNG.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/graphics.h"
#include "vcl/pictures.h"
#include "vcl/sysutils.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kWarmUpRepaints = 5;
constexpr int kDefaultRuns = 101;

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "repaint_bench: %s\n", message.c_str());
    std::exit(1);
}

// Handles what is queued, without waiting.
void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    vcl::CheckSynchronize();
}

void PumpFor(DWORD Ms)
{
    const DWORD start = GetTickCount();
    do {
        Pump();
        Sleep(5);
    } while (GetTickCount() - start < Ms);
}

// The whole window invalidated and painted at once, frame and children included.
void RepaintWhole(HWND Window)
{
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
}

// The window's frame and client area invalidated and painted, its controls left alone.
void RepaintFrameAndClient(HWND Window)
{
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN | RDW_UPDATENOW);
    GdiFlush();
}

// The sorted times in milliseconds of Runs calls of Fn, the queue handled between them.
std::vector<double> Measure(int Runs, const std::function<void()>& Fn)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Fn();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        Pump();
    }
    std::ranges::sort(times);
    return times;
}

double Median(const std::vector<double>& Times) { return Times[Times.size() / 2]; }

void PrintRow(const char* Name, const std::vector<double>& Times)
{
    std::printf("%-40s %10.2f %10.2f\n", Name, Median(Times), Times.front());
}

// What one kind of control costs: how many are shown and the sum of their median paint times.
struct TKindCost {
    int Count = 0;
    double Ms = 0;
};
using TKindCosts = std::map<std::string, TKindCost>;

// A graphic control painted on its own into a memory DC, as its parent has it paint.
double GraphicPaintMs(vcl::TControl* Control, int Runs)
{
    const vcl::TMemoryDC surface(nullptr, Control->Width(), Control->Height());
    return Median(Measure(Runs, [&] {
        Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.Handle()), 0);
        GdiFlush();
    }));
}

// A windowed control invalidated and painted alone: its client area, frame and graphic children.
double WindowPaintMs(HWND Window, int Runs)
{
    return Median(Measure(Runs, [&] {
        RedrawWindow(Window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN | RDW_UPDATENOW);
        GdiFlush();
    }));
}

// Every shown control under Owner timed on its own, the times summed by kind.
void ProfileControls(vcl::TWinControl* Owner, int Runs, TKindCosts& Costs)
{
    for (int i = 0; i < Owner->ControlCount(); ++i) {
        vcl::TControl* control = Owner->Controls(i);
        if (!control->Visible() || control->Width() <= 0 || control->Height() <= 0)
            continue;
        auto* windowed = dynamic_cast<vcl::TWinControl*>(control);
        if (windowed && !windowed->Showing())
            continue;
        std::string kind = vcl::ToAnsi(control->ClassName());
        const double ms = windowed ? WindowPaintMs(windowed->Handle(), Runs) : GraphicPaintMs(control, Runs);
        if (!windowed)
            kind += " (graphic)";
        Costs[kind].Count += 1;
        Costs[kind].Ms += ms;
        if (windowed)
            ProfileControls(windowed, Runs, Costs);
    }
}

// The kinds of control, dearest first. A windowed control's time holds its graphic children's,
// which are also shown on their own.
void PrintProfile(const TKindCosts& Costs)
{
    std::vector<std::pair<std::string, TKindCost>> rows(Costs.begin(), Costs.end());
    std::ranges::sort(rows, [](const auto& a, const auto& b) { return a.second.Ms > b.second.Ms; });
    std::printf("\n%-40s %10s %10s\n", "each control painted alone, by kind", "count", "median ms");
    for (const auto& [kind, cost] : rows)
        std::printf("%-40s %10d %10.3f\n", kind.c_str(), cost.Count, cost.Ms);
    std::printf("(a windowed control's time holds its graphic children's)\n");
}

// The form's whole picture as the show, hide and minimise animations take it: the skinned form and
// every control painted into one 32-bit bitmap of the provider's cache size (SkinPaintTo with the
// provider), made opaque.
void Snapshot(skin::TsSkinProvider* Provider)
{
    const auto image = skin::GetFormImage(Provider, false);
    if (!image)
        Fail("the main window has no frame picture to take a snapshot of");
    GdiFlush();
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = kDefaultRuns;
    std::filesystem::path assets;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (assets.empty())
            assets = vcl::FromAnsi(argv[i]).c_str();
        else
            Fail(std::string("unknown argument ") + argv[i] + " (repaint_bench <assets folder> [--runs N])");
    }
    if (!std::filesystem::is_directory(assets / "image"))
        Fail("no folder with the program's image folder given (repaint_bench <assets folder> [--runs N])");

    // A working folder of its own, with the program's pictures and no settings file.
    const std::filesystem::path work =
        std::filesystem::temp_directory_path() / ("repaint_bench_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(work);
    std::filesystem::copy(assets / "image", work / "image", std::filesystem::copy_options::recursive);
    std::filesystem::current_path(work);

    vcl::Application->Initialize();
    vcl::RegisterStandardGraphicFormats();
    skin::RegisterPNGGraphic();
    ProgramSeams().InstanceMutex = L"ZirvaneRepaintBench." + std::to_wstring(GetCurrentProcessId());
    ProgramSeams().UpdateServer = TUpdateServer{L"127.0.0.1", 1};  // refused at once
    vcl::Application->CreateForm(frmMain);
    frmMain->sbtEnglishClick(nullptr);
    frmMain->ShowMonitoringView();
    frmMain->Show();
    PumpFor(500);
    const HWND window = frmMain->Handle();

    for (int i = 0; i < kWarmUpRepaints; ++i)
        RepaintWhole(window);
    const auto repaints = Measure(runs, [&] { RepaintWhole(window); });
    const auto frameAndClient = Measure(runs, [&] { RepaintFrameAndClient(window); });
    skin::TsSkinProvider* provider = frmMain->sSkinProvider1;
    provider->SkinData()->BGChanged = true;
    provider->PaintAll();
    const auto snapshots = Measure(runs, [&] { Snapshot(provider); });
    const auto frames = Measure(runs, [&] {
        provider->SkinData()->BGChanged = true;
        provider->PaintAll();
        GdiFlush();
    });
    TKindCosts costs;
    ProfileControls(frmMain, std::max(1, runs / 5), costs);

    // The class library's own painting of the same window.
    frmMain->sSkinManager1->SetActive(false);
    PumpFor(200);
    for (int i = 0; i < kWarmUpRepaints; ++i)
        RepaintWhole(window);
    const auto unskinned = Measure(runs, [&] { RepaintWhole(window); });

    std::printf("Repainting the main window (%d x %d, monitoring view), %d runs after %d warm-up repaints.\n\n",
                frmMain->Width(), frmMain->Height(), runs, kWarmUpRepaints);
    std::printf("%-40s %10s %10s\n", "repaint", "median ms", "fastest ms");
    PrintRow("whole window from warm caches", repaints);
    PrintRow("frame and client from warm caches", frameAndClient);
    PrintRow("snapshot for the animations", snapshots);
    PrintRow("frame picture rendered anew", frames);
    PrintRow("whole window unskinned", unskinned);
    std::printf("skinned against unskinned whole window: %.2fx\n", Median(repaints) / Median(unskinned));
    std::printf("goal: under 12 ms, and at most 2x the unskinned window\n");
    PrintProfile(costs);
    std::fflush(stdout);

    vcl::FreeAndNil(ReqInfoThread);
    vcl::FreeAndNil(frmMain);
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::error_code ignored;
    std::filesystem::remove_all(work, ignored);
    return 0;
}
