// Skin loading benchmark. Our skin folder packed as the build packs it into the program, then
// loaded again and again by a skin manager, from its internal skin (the main window's road) and
// from a packed skin file, each load into fresh tables as a skin change makes them: the median and
// the fastest load in milliseconds, and whether the median meets the goal. Then options texts
// loaded from skin folders that hold nothing else: ours, generated ones of many sections and of
// long parent chains, and border masks probing a large master bitmap, with the ratios that show
// how the load grows with the text (linear growth gives ratios near 10 and 2).
// Run under Wine (tools/skinbench.sh does): skin_bench <skin folder> [--runs N]
#include "skin/core/acSkinPack.h"
#include "skin/core/sSkinManager.h"
#include "vcl/bitmaps.h"
#include "vcl/forms.h"
#include "vcl/graphics.h"
#include "vcl/sysutils.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vcl::String;

constexpr int kWarmUpLoads = 3;
constexpr int kDefaultRuns = 51;
// A row stops repeating once its loads have taken this long (slow loads run fewer times).
constexpr double kRowBudgetMs = 20000;
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

double Milliseconds(const std::function<void()>& Load)
{
    const auto start = std::chrono::steady_clock::now();
    Load();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Milliseconds of Load, Runs times after the warm-up, or fewer once the row's budget is spent.
TTimes Measure(const std::function<void()>& Load, int Runs)
{
    double spent = 0;
    for (int i = 0; i < kWarmUpLoads && spent < kRowBudgetMs; ++i)
        spent += Milliseconds(Load);
    std::vector<double> times;
    for (int i = 0; i < Runs && (times.empty() || spent < kRowBudgetMs); ++i) {
        times.push_back(Milliseconds(Load));
        spent += times.back();
    }
    std::ranges::sort(times);
    return {times[times.size() / 2], times.front()};
}

void Report(const char* What, const TTimes& Times)
{
    std::printf("%-48s %10.2f %10.2f   %s\n", What, Times.Median, Times.Fastest,
                Times.Median < kGoalMs ? "met" : "MISSED");
    std::fflush(stdout);
}

void ReportTime(const std::string& What, const TTimes& Times)
{
    std::printf("%-48s %10.2f %10.2f\n", What.c_str(), Times.Median, Times.Fastest);
    std::fflush(stdout);
}

void ReportRatio(const std::string& What, double Ratio, double Linear)
{
    std::printf("%-48s %10.1f   (linear: %.0f)\n", What.c_str(), Ratio, Linear);
    std::fflush(stdout);
}

// ---------------------------------------------------------------------------------------------
// Generated options texts

// A section as skins write them: colours, states, a gradient and a border mask.
void WriteSectionKeys(std::ostream& Out, int N)
{
    Out << "STATES=2\nCOLOR=" << 1000 + N << "\nFONTCOLOR=" << 2000 + N << "\nHOTCOLOR=" << 3000 + N
        << "\nGRADIENTDATA=16777215;7132886;97;2;0\nGRADIENTPERCENT=50\nTRANSPARENCY=0\n"
        << "BORDERSMASK=^0010^0010^0040^0030^0004^0004^0004^0004^3^0^1^0\n";
}

// Many sections that inherit their missing keys from one base section.
std::string ManySections(int Sections)
{
    std::ostringstream out;
    out << "[GLOBALINFO]\nVERSION=8.00\n[BASE]\n";
    WriteSectionKeys(out, 0);
    for (int i = 1; i <= Sections; ++i) {
        out << "[S" << i << "]\nPARENTCLASS=BASE\n";
        WriteSectionKeys(out, i);
    }
    return out.str();
}

// A chain of Depth sections, each the parent of the next; only the first has keys of its own.
std::string ParentChain(int Depth)
{
    std::ostringstream out;
    out << "[GLOBALINFO]\nVERSION=8.00\n[C0]\n";
    WriteSectionKeys(out, 0);
    for (int i = 1; i < Depth; ++i)
        out << "[C" << i << "]\nPARENTCLASS=C" << i - 1 << "\nCOLOR=" << i << "\n";
    return out.str();
}

// Border masks as wide as the master bitmap: their corner areas cover all of it.
std::string WideBorderMasks(int Masks, int Side)
{
    char value[80];
    std::snprintf(value, sizeof value, "^0000^0000^%04d^%04d^%04d^%04d^%04d^%04d^1^0^1^0", Side, Side, Side, Side,
                  Side, Side);
    std::ostringstream out;
    out << "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\n[WIDE]\n";
    for (int i = 0; i < Masks; ++i)
        out << "MASK" << i << "=" << value << "\n";
    return out.str();
}

// A skin folder Name under Dir holding only the options text.
void WriteOptionsSkin(const String& Dir, const String& Name, const std::string& Options)
{
    const String folder = Dir + Name + L"\\";
    vcl::ForceDirectories(folder);
    std::ofstream(std::filesystem::path(folder + L"Options.dat"), std::ios::binary) << Options;
}

// A master bitmap of Side x Side pixels of one colour, without key pixels.
void WriteMaster(const String& Folder, int Side)
{
    vcl::TObjectPtr<vcl::TBitmap> master(vcl::Create<vcl::TBitmap>());
    master->SetPixelFormat(vcl::TPixelFormat::pf24bit);
    master->SetSize(Side, Side);
    master->Canvas()->Brush()->SetColor(vcl::TColor(0x808080));
    master->Canvas()->FillRect(vcl::TRect(0, 0, Side, Side));
    master->SaveToFile(Folder + L"MASTER.BMP");
}

// Loads the skin folder Name of Dir again and again; Fail when it does not load.
TTimes MeasureFolder(skin::TsSkinManager& Manager, const String& Dir, const String& Name, int Runs)
{
    Manager.SetSkinDirectory(vcl::ExcludeTrailingPathDelimiter(Dir));
    Manager.SetSkinName(Name);
    if (Manager.SkinIsPacked || Manager.SkinName() != Name || Manager.gd.empty())
        Fail("the skin folder " + vcl::ToAnsi(Name) + " did not load");
    return Measure([&] { Manager.ReloadSkin(); }, Runs);
}

// Our options text and the generated ones, each loaded from a folder that holds nothing else.
void MeasureOptionsTexts(skin::TsSkinManager& Manager, const String& Work, const String& OurSkin, int Runs)
{
    const String dir = Work + L"texts\\";
    std::ifstream ours(std::filesystem::path(OurSkin + L"Options.dat"), std::ios::binary);
    WriteOptionsSkin(dir, L"OURS", std::string(std::istreambuf_iterator<char>(ours), {}));
    std::printf("\nOptions texts alone (skin folders without images, a row ends after %.0f s of loads)\n",
                kRowBudgetMs / 1000);
    std::printf("%-48s %10s %10s\n", "options text", "median ms", "fastest ms");
    ReportTime("our skin", MeasureFolder(Manager, dir, L"OURS", Runs));

    double sections[2];
    for (int i = 0; i < 2; ++i) {
        const int count = i ? 10000 : 1000;
        const String name = L"SECTIONS" + vcl::IntToStr(count);
        WriteOptionsSkin(dir, name, ManySections(count));
        const TTimes times = MeasureFolder(Manager, dir, name, Runs);
        ReportTime(std::to_string(count) + " sections", times);
        sections[i] = times.Median;
    }
    double chains[2];
    for (int i = 0; i < 2; ++i) {
        const int depth = i ? 200 : 100;
        const String name = L"CHAIN" + vcl::IntToStr(depth);
        WriteOptionsSkin(dir, name, ParentChain(depth));
        const TTimes times = MeasureFolder(Manager, dir, name, Runs);
        ReportTime("a parent chain " + std::to_string(depth) + " deep", times);
        chains[i] = times.Median;
    }
    constexpr int masks = 200, side = 1024;
    WriteOptionsSkin(dir, L"WIDEMASKS", WideBorderMasks(masks, side));
    WriteMaster(dir + L"WIDEMASKS\\", side);
    ReportTime(std::to_string(masks) + " border masks over a " + std::to_string(side) + " x " + std::to_string(side) +
                   " master",
               MeasureFolder(Manager, dir, L"WIDEMASKS", Runs));
    ReportRatio("10,000 : 1,000 sections", sections[1] / sections[0], 10);
    ReportRatio("chains 200 : 100 deep", chains[1] / chains[0], 2);
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
    std::printf("%-48s %10s %10s   %s\n", "source", "median ms", "fastest ms", "goal");

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

    MeasureOptionsTexts(*manager, work, folder, runs);

    manager.reset();
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(work), ignored);
    return 0;
}
