#pragma once
// What the skin manager's tests share: a command line for the length of a scope, and managers
// over skin folders written by the test.
#include <string>
#include <vector>

#include "SkinTestSupport.h"
#include "skin/core/sSkinManager.h"
#include "vcl/seams.h"
#include "vcl/sysutils.h"

namespace skintest {

// The program's command line, as the engine reads it, for the length of the scope.
class TCommandLineScope {
public:
    explicit TCommandLineScope(std::vector<vcl::String> Words) : FSaved(vcl::Seams())
    {
        Words.insert(Words.begin(), L"program.exe");
        vcl::Seams().CommandLine = [Words] { return Words; };
    }
    ~TCommandLineScope() { vcl::Seams() = FSaved; }
    TCommandLineScope(const TCommandLineScope&) = delete;
    TCommandLineScope& operator=(const TCommandLineScope&) = delete;

private:
    vcl::TSystemSeams FSaved;
};

using TManagerPtr = vcl::TObjectPtr<skin::TsSkinManager>;

// A manager without owner whose skin directory is Directory; it loads nothing yet.
inline TManagerPtr NewManager(const vcl::String& Directory)
{
    TManagerPtr manager(vcl::Create<skin::TsSkinManager>(nullptr));
    manager->SetSkinDirectory(Directory);
    return manager;
}

// A skin folder Name under Parent holding "Options.dat" with these lines ("\n" between them).
inline void WriteSkin(const TTempSkin& Parent, const std::string& Name, const std::string& Options)
{
    const vcl::String folder = Parent.Folder() + vcl::FromAnsi(Name) + L"\\";
    vcl::ForceDirectories(folder);
    vcl::TStringList lines;
    lines.SetText(vcl::FromAnsi(Options));
    lines.SaveToFile(folder + L"Options.dat");
}

// A skin whose PANEL has the colour Colour, with More lines in its global section.
inline std::string PanelSkin(int Colour, const std::string& More = "")
{
    return "[GLOBALINFO]\nVERSION=8.00\n" + More + "[PANEL]\nCOLOR=" + std::to_string(Colour) + "\n";
}

// The PANEL colour of the loaded skin; -1 without a PANEL section.
inline int PanelColour(const skin::TsSkinManager& Manager)
{
    const int panel = Manager.GetSkinIndex(L"PANEL");
    return panel < 0 ? -1 : int(Manager.gd[size_t(panel)].Color);
}

}  // namespace skintest
