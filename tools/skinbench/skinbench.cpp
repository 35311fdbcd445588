// Packed skin loading benchmark: our skin folder packed as the build packs it into the program,
// then loaded again and again by a skin manager, from its internal skin (the main window's road)
// and from a packed skin file, each load into fresh tables as a skin change makes them. Prints the
// median and the fastest load in milliseconds, and whether the median meets the goal.
// Run under Wine (tools/skinbench.sh does): skin_bench <skin folder> [--runs N]
#include "skin/core/acSkinPack.h"
#include "skin/core/sSkinManager.h"
#include "vcl/forms.h"
#include "vcl/sysutils.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using vcl::String;

constexpr int kWarmUpLoads = 3;
constexpr int kDefaultRuns = 51;
const String kSkinName = L"Aluminium (internal)";
// A packed skin loads within this many milliseconds under Wine (the median load).
constexpr double kGoalMs = 50;

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "skin_bench: %s\n", message.c_str());
    std::exit(1);
}

struct TTimes {
    double Median;
    double Fastest;
};

// Milliseconds of Load, Runs times after the warm-up.
TTimes Measure(const std::function<void()>& Load, int Runs)
{
    for (int i = 0; i < kWarmUpLoads; ++i)
        Load();
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Load();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::ranges::sort(times);
    return {times[times.size() / 2], times.front()};
}

void Report(const char* What, const TTimes& Times)
{
    std::printf("%-40s %10.2f %10.2f   %s\n", What, Times.Median, Times.Fastest,
                Times.Median < kGoalMs ? "met" : "MISSED");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = kDefaultRuns;
    String folder;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (folder.empty())
            folder = vcl::IncludeTrailingPathDelimiter(vcl::FromAnsi(argv[i]));
        else
            Fail(std::string("unknown argument ") + argv[i] + " (skin_bench <skin folder> [--runs N])");
    }
    if (!vcl::FileExists(folder + L"Options.dat"))
        Fail("no skin folder given (skin_bench <skin folder> [--runs N])");

    vcl::Application->Initialize();
    skin::InitSkinManagerUnit();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const String work = String(temp) + L"skin_bench_" + vcl::IntToStr(GetCurrentProcessId()) + L"\\";
    vcl::ForceDirectories(work);
    const String packed = work + kSkinName + L".asz";
    skin::PackDir(folder, packed);

    vcl::TObjectPtr<skin::TsSkinManager> manager(vcl::Create<skin::TsSkinManager>(nullptr));
    skin::TsStoredSkin* internal = manager->InternalSkins()->Add();
    internal->SetName(kSkinName);
    internal->PackedData->LoadFromFile(packed);
    std::printf("Loading our skin (%lld packed bytes), %d runs after %d warm-up loads.\n",
                static_cast<long long>(internal->PackedData->Size()), runs, kWarmUpLoads);
    std::printf("Goal: a packed load in under %.0f ms under Wine (the median).\n\n", kGoalMs);
    std::printf("%-40s %10s %10s   %s\n", "source", "median ms", "fastest ms", "goal");

    manager->SetSkinDirectory(work + L"Nowhere");
    manager->SetSkinName(kSkinName);
    if (!manager->SkinIsPacked || manager->gd.empty())
        Fail("the internal skin did not load");
    Report("internal skin", Measure([&] { manager->ReloadSkin(); }, runs));

    manager->SetSkinDirectory(vcl::ExcludeTrailingPathDelimiter(work));
    manager->SetSkinName(kSkinName);
    if (!manager->SkinIsPacked || manager->SkinData->SkinPath.empty())
        Fail("the packed skin file did not load");
    Report("packed skin file", Measure([&] { manager->ReloadPackedSkin(); }, runs));
    Report("packed skin file, chosen and broadcast", Measure([&] { manager->SetSkinName(kSkinName); }, runs));

    manager.reset();
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(work), ignored);
    return 0;
}
