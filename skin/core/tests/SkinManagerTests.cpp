// The skin manager component: where it finds skins, which source a name chooses, what its
// property writes reload, the version check, the name lists, a failed load, the option objects
// and the class-name lists.
#include <gtest/gtest.h>

#include <filesystem>

#include "ManagerTestSupport.h"
#include "SkinTestControls.h"
#include "skin/controls/sPanel.h"
#include "pump.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/Acntutils.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

using namespace skin;
using skintest::NewManager;
using skintest::TCommandLineScope;
using skintest::TManagerPtr;
using skintest::TTempSkin;
using skintest::WriteSkin;
using testsupport::TMessageBoxRecorder;
using vcl::String;

namespace {

class SkinManager : public ::testing::Test {
protected:
    void SetUp() override { testsupport::InitializeApplication(); }
};

// A load of a skin of format version 6.5 shows one box while "/actest" is on the command line,
// so the boxes count the loads.
const char* const OldSkin = "[GLOBALINFO]\nVERSION=6.5\n[PANEL]\nCOLOR=255\n";

std::vector<String> Lines(vcl::TStrings* List)
{
    std::vector<String> lines;
    for (int i = 0; i < List->Count(); ++i)
        lines.push_back(List->Strings(i));
    return lines;
}

}  // namespace

TEST_F(SkinManager, FullSkinDirectoryResolvesAgainstTheProgramFolder)
{
    const String app = GetAppPath();  // ends in a backslash
    String parent = app.substr(0, app.size() - 1);
    parent.erase(parent.find_last_of(L"\\/") + 1);
    struct TCase {
        const wchar_t* Directory;
        String Full;
    };
    const TCase cases[] = {
        {L"..\\Skins", parent + L"Skins"},
        {L"../Skins", parent + L"Skins"},
        {L"..", parent},
        {L".\\Skins", app + L"Skins"},
        {L"./Skins", app + L"Skins"},
        {L"Skins\\Sub", app + L"Skins\\Sub"},
        {L".Skins", app + L".Skins"},
        {L"D:\\Skins", L"D:\\Skins"},
        {L"\\\\server\\skins", L"\\\\server\\skins"},
    };
    TManagerPtr manager = NewManager(L"");
    for (const TCase& c : cases) {
        SCOPED_TRACE(vcl::ToAnsi(c.Directory));
        manager->SetSkinDirectory(c.Directory);
        EXPECT_EQ(manager->GetFullSkinDirectory(), c.Full);
        EXPECT_EQ(manager->SkinData->SkinPath, c.Full);
    }
}

TEST_F(SkinManager, ARelativeSkinDirectoryLoadsFromTheProgramFolder)
{
    const String relative = L"zirv_skins_" + vcl::IntToStr(GetCurrentProcessId());
    const String folder = GetAppPath() + relative + L"\\";
    vcl::ForceDirectories(folder + L"REL");
    vcl::TStringList options;
    options.SetText(L"[GLOBALINFO]\r\nVERSION=8\r\n[PANEL]\r\nCOLOR=4660\r\n");
    options.SaveToFile(folder + L"REL\\Options.dat");
    {
        TManagerPtr manager = NewManager(relative);
        manager->SetSkinName(L"REL");
        EXPECT_TRUE(manager->SkinData->Active);
        EXPECT_EQ(manager->SkinData->SkinPath, folder + L"REL\\");
        EXPECT_EQ(manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color, vcl::TColor(4660));
    }
    std::filesystem::remove_all(std::filesystem::path(folder));
}

TEST_F(SkinManager, SkinNamesListTheInternalSkinsAndTheDirectorysSkinsSortedWithoutCase)
{
    TTempSkin dir;
    WriteSkin(dir, "b", "[GLOBALINFO]\n");
    WriteSkin(dir, "A", "[GLOBALINFO]\n");
    WriteSkin(dir, ".hidden", "[GLOBALINFO]\n");
    vcl::ForceDirectories(dir.Folder() + L"NoOptions");
    for (const wchar_t* file : {L"c.asz", L"d.x.asz", L"E.ASZ", L".f.asz", L"g.zip"})
        dir.WriteFile(file, "x");
    TManagerPtr manager = NewManager(dir.Folder());
    manager->InternalSkins()->Add()->SetName(L"Zed");
    manager->InternalSkins()->Add()->SetName(L"alpha");
    vcl::TStringList names;
    struct TCase {
        TacSkinTypes Types;
        std::vector<String> Names;
    };
    const TCase cases[] = {
        {TacSkinTypes::stAllSkins, {L"A", L"alpha", L"b", L"c", L"d", L"Zed"}},
        {TacSkinTypes::stPacked, {L"alpha", L"c", L"d", L"Zed"}},
        {TacSkinTypes::stUnpacked, {L"A", L"alpha", L"b", L"Zed"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(int(c.Types));
        EXPECT_EQ(manager->GetSkinNames(&names, c.Types), L"Zed");  // the first found
        EXPECT_EQ(Lines(&names), c.Names);
    }
    const String first = manager->GetExternalSkinNames(&names, TacSkinTypes::stAllSkins);
    const std::vector<String> external = Lines(&names);
    EXPECT_EQ(external, (std::vector<String>{L"A", L"b", L"c", L"d"}));
    EXPECT_NE(std::ranges::find(external, first), external.end());

    manager->SetSkinDirectory(dir.Folder() + L"Missing");
    EXPECT_EQ(manager->GetExternalSkinNames(&names), L"");
    EXPECT_EQ(names.Count(), 0);
    EXPECT_TRUE(manager->GetRandomSkin() == L"Zed" || manager->GetRandomSkin() == L"alpha");
}

TEST_F(SkinManager, ANameChoosesItsFolderElseAnInternalSkin)
{
    TTempSkin dir;
    WriteSkin(dir, "FOLD", "[GLOBALINFO]\nVERSION=8\n[PANEL]\nCOLOR=17\n");
    TManagerPtr manager = NewManager(dir.Folder());
    int deactivated = 0;
    manager->SetOnDeactivate([&](vcl::TObject*) { ++deactivated; });

    manager->SetSkinName(L"FOLD.AsZ");  // the packed extension is dropped
    EXPECT_EQ(manager->SkinName(), L"FOLD");
    EXPECT_TRUE(manager->Active());
    EXPECT_TRUE(manager->SkinData->Active);
    EXPECT_EQ(manager->SkinData->SkinPath, dir.Folder() + L"\\FOLD\\");

    manager->SetSkinName(L".asz");  // four characters keep their extension; no skin of that name
    EXPECT_EQ(manager->SkinName(), L".asz");
    EXPECT_FALSE(manager->Active());
    EXPECT_FALSE(manager->SkinData->Active);
    EXPECT_TRUE(manager->gd.empty());
    EXPECT_EQ(deactivated, 1);

    manager->InternalSkins()->Add()->SetName(L"First");
    manager->InternalSkins()->Add()->SetName(L"Second");
    manager->SetActive(true);  // loads ".asz" afresh: no folder, so the first internal skin
    EXPECT_EQ(manager->SkinName(), L"First");
    EXPECT_TRUE(manager->Active());
    EXPECT_TRUE(manager->SkinData->SkinPath.empty());
    EXPECT_TRUE(manager->gd.empty());  // it has no packed data
    manager->SetSkinName(L"Second");
    EXPECT_EQ(manager->SkinName(), L"Second");
    manager->SetSkinName(L"FOLD");  // a folder wins over the internal skins
    EXPECT_EQ(manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color, vcl::TColor(17));
}

TEST_F(SkinManager, AnEditorsTextStandsInForTheFoldersOptions)
{
    TTempSkin dir;
    WriteSkin(dir, "ED", "[GLOBALINFO]\nVERSION=8\n[PANEL]\nCOLOR=1\n");
    dir.CopyTestSkinFile("FLAT", "MASTER.BMP", L"ED\\MASTER.BMP");
    vcl::TStringList text;
    text.SetText(L"[GLOBALINFO]\r\nVERSION=8\r\nMASTERBITMAP=MASTER.BMP\r\n[PANEL]\r\nCOLOR=77\r\n");
    TManagerPtr manager = NewManager(dir.Folder());
    acMemSkinFile = &text;
    manager->SetSkinName(L"ED");
    acMemSkinFile = nullptr;
    EXPECT_EQ(manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color, vcl::TColor(77));
    ASSERT_TRUE(manager->MasterBitmap);  // the images still come from the folder
    EXPECT_GT(manager->MasterBitmap->Width(), 0);
    manager->SetSkinName(L"ED");
    EXPECT_EQ(manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color, vcl::TColor(1));
}

TEST_F(SkinManager, OnlyActiveAndCommonSectionsReload)
{
    TTempSkin dir;
    WriteSkin(dir, "OLD", OldSkin);
    TCommandLineScope commandLine({L"/ACTEST"});
    TMessageBoxRecorder boxes;
    TManagerPtr manager = NewManager(dir.Folder());
    manager->SetSkinName(L"OLD");
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    manager->SetSkinDirectory(dir.Folder() + L".");
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    manager->SetSkinDirectory(dir.Folder());
    manager->SetActive(false);
    EXPECT_FALSE(manager->SkinData->Active);
    EXPECT_EQ(manager->ConstData.IndexGLobalInfo, -1);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    manager->SetActive(true);
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_TRUE(manager->SkinData->Active);

    vcl::TStringList common;
    common.SetText(L"[MY SECTION]\r\nPARENT CLASS = PANEL\r\n; a comment keeps its blanks\r\n");
    manager->SetCommonSections(&common);
    EXPECT_EQ(boxes.Boxes().size(), 3u);
    EXPECT_EQ(Lines(manager->CommonSections()),
              (std::vector<String>{L"[MYSECTION]", L"PARENTCLASS=PANEL", L"; a comment keeps its blanks"}));
    EXPECT_GE(manager->GetSkinIndex(L"MYSECTION"), 0);
}

TEST_F(SkinManager, OldSkinsWarnOnlyUnderTheTestSwitchNewOnesEveryLoad)
{
    TTempSkin dir;
    WriteSkin(dir, "OLD", OldSkin);
    WriteSkin(dir, "NEW", "[GLOBALINFO]\nVERSION=9.0\n");
    WriteSkin(dir, "OURS", "[GLOBALINFO]\nVERSION=8.00\n");
    TManagerPtr manager = NewManager(dir.Folder());
    std::vector<String> texts;
    std::vector<bool> dialogsSkinnedDuringBox;
    const vcl::TSystemSeams saved = vcl::Seams();
    vcl::Seams().MessageBox = [&](HWND, const String& text, const String&, UINT) {
        texts.push_back(text);
        dialogsSkinnedDuringBox.push_back(manager->SkinningRules().Contains(TacSkinningRule::srStdDialogs));
        return IDOK;
    };
    struct TCase {
        std::vector<String> Switches;
        const wchar_t* Skin;
        size_t Boxes;
    };
    const TCase cases[] = {
        {{}, L"OLD", 0},
        {{L"/other", L"/AcTest"}, L"OLD", 1},
        {{L"actest"}, L"OLD", 0},
        {{}, L"NEW", 1},
        {{L"/actest"}, L"OURS", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(vcl::ToAnsi(c.Skin));
        TCommandLineScope commandLine(c.Switches);
        texts.clear();
        manager->SetSkinName(L"OURS");
        texts.clear();
        manager->SetSkinName(c.Skin);
        EXPECT_EQ(texts.size(), c.Boxes);
        EXPECT_TRUE(manager->SkinData->Active);  // the skin loads anyway
    }
    vcl::Seams() = saved;
    ASSERT_FALSE(dialogsSkinnedDuringBox.empty());
    EXPECT_FALSE(dialogsSkinnedDuringBox.back());  // the 9.0 box
    EXPECT_TRUE(manager->SkinningRules().Contains(TacSkinningRule::srStdDialogs));
}

TEST_F(SkinManager, AFailedLoadKeepsTheSkinInForceAndShowsTheErrorOnce)
{
    TTempSkin dir;
    const String flat = vcl::ExcludeTrailingPathDelimiter(skintest::TestSkinFolder("FLAT"));
    for (const char* name : {"GOOD", "BAD"})
        std::filesystem::copy(std::filesystem::path(flat), std::filesystem::path(dir.Folder() + vcl::FromAnsi(name)),
                              std::filesystem::copy_options::recursive);
    vcl::TStringList options;
    options.LoadFromFile(dir.Folder() + L"BAD\\Options.dat");
    options.Add(L"[BROKEN]");
    options.Add(L"BORDERSMASK=^02X2^0000^0304^0046^0007^0008^0006^0006^3^1^3^1");
    options.SaveToFile(dir.Folder() + L"BAD\\Options.dat");

    TManagerPtr manager = NewManager(dir.Folder());
    manager->SetSkinName(L"GOOD");
    const int panelSection = manager->GetSkinIndex(L"PANEL");
    const vcl::TColor colour = manager->gd[size_t(panelSection)].Color;
    const size_t images = manager->ma.size();
    TMessageBoxRecorder boxes;
    int loadsBroadcast = 0;
    vcl::TColor colourDuringBroadcast = vcl::clNone;
    skintest::TLoggingPanel* control = vcl::Create<skintest::TLoggingPanel>(nullptr);
    control->Skinned = true;
    control->Log.OnCommand = [&](uint16_t cmd) {
        if (cmd == scmdSkinLoaded) {
            ++loadsBroadcast;
            colourDuringBroadcast = manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color;
        }
    };
    IntSkinForm(nullptr);  // an empty entry of the skinned-forms list is skipped
    vcl::TForm* form = vcl::Create<vcl::TForm>(vcl::Application);
    control->SetParent(form);
    TsPanel* panel = vcl::Create<TsPanel>(form);
    panel->SetParent(form);
    panel->HandleNeeded();
    ASSERT_EQ(GetControlColor(panel), colour);

    manager->SetSkinName(L"BAD");
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_TRUE(!boxes.Boxes().empty() && (boxes.Boxes()[0].Type & MB_ICONERROR));
    EXPECT_EQ(manager->SkinName(), L"GOOD");
    EXPECT_TRUE(manager->SkinData->Active);
    EXPECT_EQ(manager->ma.size(), images);
    EXPECT_EQ(manager->GetMaskIndex(L"BROKEN", L"BORDERSMASK"), -1);
    EXPECT_EQ(loadsBroadcast, 1);
    EXPECT_EQ(colourDuringBroadcast, colour);
    EXPECT_EQ(manager->GetSkinIndex(L"PANEL"), panelSection);
    EXPECT_EQ(panel->SkinData()->SkinIndex, panelSection);
    EXPECT_EQ(GetControlColor(panel), colour) << "a skinned panel answers the old skin's colour";
    for (const TsMaskData& image : manager->ma)
        EXPECT_EQ(image.Manager, manager.get());
    EXPECT_FALSE(aSkinChanging);
    form->Free();
    IntUnSkinForm(nullptr);
}

// A skin that shows the version box while it loads, with an image file of its own.
void WriteNewSkinWithImage(const TTempSkin& Dir)
{
    WriteSkin(Dir, "NEW",
              "[GLOBALINFO]\nVERSION=9.0\n[PANEL]\nCOLOR=2\nBORDERSMASK=!B.BMP!1!0!0!0001!0001!0001!0001!1\n");
    vcl::TObjectPtr<vcl::TBitmap> image(vcl::Create<vcl::TBitmap>());
    image->SetPixelFormat(vcl::TPixelFormat::pf24bit);
    image->SetSize(6, 6);
    image->SaveToFile(Dir.Folder() + L"NEW\\B.BMP");
}

TEST_F(SkinManager, ASkinChosenBehindTheVersionBoxLoadsOnceTheLoadThatShowsItHasEnded)
{
    TTempSkin dir;
    WriteSkin(dir, "OURS", "[GLOBALINFO]\nVERSION=8.00\n[PANEL]\nCOLOR=1\n");
    WriteNewSkinWithImage(dir);
    TManagerPtr manager = NewManager(dir.Folder());
    manager->SetSkinName(L"OURS");
    std::vector<String> events;
    manager->SetOnAfterChange([&](vcl::TObject*) {
        const bool image = manager->GetMaskIndex(L"PANEL", L"BORDERSMASK") >= 0;
        events.push_back(L"loaded " + manager->SkinName() + (image ? L" with its image" : L""));
    });
    const vcl::TSystemSeams saved = vcl::Seams();
    vcl::Seams().MessageBox = [&](HWND, const String&, const String&, UINT) {
        manager->SetSkinName(L"OURS");
        events.push_back(L"chosen behind the box of " + manager->SkinName());
        return IDOK;
    };
    manager->SetSkinName(L"NEW");
    vcl::Seams() = saved;
    EXPECT_EQ(events,
              (std::vector<String>{L"chosen behind the box of NEW", L"loaded NEW with its image", L"loaded OURS"}));
    EXPECT_EQ(manager->SkinName(), L"OURS");
    EXPECT_EQ(manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color, vcl::TColor(1));
    EXPECT_TRUE(manager->SkinData->Active);
    EXPECT_FALSE(aSkinChanging);
}

TEST_F(SkinManager, AHueOrSaturationWhoseReloadFailsKeepsItsFormerValue)
{
    TTempSkin dir;
    WriteSkin(dir, "OURS", "[GLOBALINFO]\nVERSION=8.00\n[PANEL]\nCOLOR=255\n");
    TManagerPtr manager = NewManager(dir.Folder());
    manager->SetSkinName(L"OURS");
    manager->SetSaturation(10);
    const vcl::TColor colour = manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color;
    // The skin's file is damaged now: its next load fails.
    WriteSkin(dir, "OURS",
              "[GLOBALINFO]\nVERSION=8.00\n[PANEL]\nCOLOR=255\n"
              "BORDERSMASK=^02X2^0000^0304^0046^0007^0008^0006^0006^3^1^3^1\n");
    EXPECT_THROW(manager->SetHueOffset(30), vcl::Exception);
    EXPECT_EQ(manager->HueOffset(), 0);
    EXPECT_THROW(manager->SetSaturation(20), vcl::Exception);
    EXPECT_EQ(manager->Saturation(), 10);
    EXPECT_EQ(manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color, colour) << "the skin in force stays";
    EXPECT_TRUE(manager->SkinData->Active);
    EXPECT_FALSE(aSkinChanging);
}

TEST_F(SkinManager, SkinInfoAndVersion)
{
    TTempSkin dir;
    WriteSkin(dir, "S", "[GLOBALINFO]\nVERSION=7.45\n");
    TManagerPtr manager = NewManager(dir.Folder());
    EXPECT_EQ(manager->SkinInfo(), L"N/A");
    manager->SetSkinName(L"S");
    EXPECT_EQ(manager->SkinInfo(), L"7.45");
    EXPECT_EQ(TsSkinManager::Version(), L"7.70");
}

TEST_F(SkinManager, DefaultsOfAFreshManager)
{
    TManagerPtr manager(vcl::Create<TsSkinManager>(nullptr));
    EXPECT_EQ(manager->SkinDirectory(), L"c:\\Skins");
    EXPECT_TRUE(manager->Active());
    EXPECT_TRUE(manager->SkinnedPopups());
    EXPECT_FALSE(manager->ExtendedBorders());
    EXPECT_EQ(manager->HueOffset(), 0);
    EXPECT_FALSE(manager->SkinData->Active);
    EXPECT_TRUE(manager->gd.empty());
    EXPECT_EQ(manager->SkinningRules(), (TacSkinningRules{TacSkinningRule::srStdForms, TacSkinningRule::srStdDialogs,
                                                          TacSkinningRule::srThirdParty}));
    TacAnimEffects* anim = manager->AnimEffects();
    struct TCase {
        TacFormAnimation* Animation;
        bool Active;
        int Time;
        TacAnimType Mode;
    };
    const TCase cases[] = {
        {anim->BlendOnMoving(), false, 1000, TacAnimType::atAero}, {anim->DialogShow(), true, 0, TacAnimType::atAero},
        {anim->FormShow(), true, 0, TacAnimType::atAero},          {anim->FormHide(), true, 0, TacAnimType::atAero},
        {anim->DialogHide(), true, 0, TacAnimType::atAero},        {anim->Minimizing(), true, 200, TacAnimType::atAero},
        {anim->PageChange(), true, 0, TacAnimType::atAero},        {anim->SkinChanging(), true, 100, TacAnimType::atFading},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(vcl::ToAnsi(c.Animation->ClassName()));
        EXPECT_EQ(c.Animation->Active(), c.Active);
        EXPECT_EQ(c.Animation->Time(), c.Time);
        EXPECT_EQ(c.Animation->Mode(), c.Mode);
    }
    EXPECT_EQ(anim->BlendOnMoving()->BlendValue(), 170);
    EXPECT_EQ(anim->Buttons()->Events().Mask(), 15u);
    EXPECT_EQ(anim->Buttons()->Manager, manager.get());
    EXPECT_TRUE(manager->Effects()->AllowGlowing());
    EXPECT_TRUE(manager->Effects()->AllowAeroBluring());
}

TEST_F(SkinManager, TheFirstManagerIsTheDefaultUntilItIsFreed)
{
    ASSERT_EQ(DefaultManager, nullptr);
    TManagerPtr first(vcl::Create<TsSkinManager>(nullptr));
    TManagerPtr second(vcl::Create<TsSkinManager>(nullptr));
    EXPECT_TRUE(first->IsDefault());
    EXPECT_FALSE(second->IsDefault());
    TsCommonData data(nullptr, false);
    EXPECT_EQ(data.SkinManager(), first.get());
    first.reset();
    EXPECT_EQ(DefaultManager, nullptr);  // nobody takes its place
    EXPECT_EQ(data.SkinManager(), nullptr);
    TManagerPtr third(vcl::Create<TsSkinManager>(nullptr));
    EXPECT_EQ(DefaultManager, third.get());
}

TEST_F(SkinManager, TheDefaultManagerChoosesTheOlderDialogsWhileItSkinsThem)
{
    TTempSkin dir;
    WriteSkin(dir, "S", "[GLOBALINFO]\nVERSION=8\n");
    TManagerPtr manager = NewManager(dir.Folder());
    TManagerPtr other = NewManager(dir.Folder());
    manager->SetSkinName(L"S");
    EXPECT_FALSE(vcl::UseLatestCommonDialogs);
    other->SetSkinningRules({});  // not the default: changes nothing
    EXPECT_FALSE(vcl::UseLatestCommonDialogs);
    manager->SetSkinningRules({TacSkinningRule::srStdForms});
    EXPECT_TRUE(vcl::UseLatestCommonDialogs);
    manager->SetSkinningRules({TacSkinningRule::srStdDialogs});
    EXPECT_FALSE(vcl::UseLatestCommonDialogs);
    manager->SetActive(false);
    EXPECT_TRUE(vcl::UseLatestCommonDialogs);
}

TEST_F(SkinManager, ThirdPartyTextsAndTheirLists)
{
    TManagerPtr manager(vcl::Create<TsSkinManager>(nullptr));
    ThirdPartyList* texts = manager->ThirdParty();
    for (int i = 0; i < ThirdPartyList::Count; ++i) {
        SCOPED_TRACE(i);
        const String expected = i == ThirdPartyList::ThirdButtons ? L"TButton" : L" ";
        EXPECT_EQ(texts->GetString(i), expected);
        EXPECT_EQ(Lines(manager->ThirdLists[size_t(i)].get()), std::vector<String>{expected});
    }
    EXPECT_EQ(texts->GetString(ThirdPartyList::Count), L"");
    texts->SetString(-1, L"x");  // out of range: nothing

    texts->SetString(ThirdPartyList::ThirdGrids, L"TStringGrid");
    texts->SetString(ThirdPartyList::ThirdPanels, L"");
    texts->SetString(ThirdPartyList::ThirdButtons, L"TButton\r\nTBitBtn");
    LoadThirdNames(manager.get(), false);
    EXPECT_EQ(texts->GetString(ThirdPartyList::ThirdEdits), L" ");  // a stored blank stays
    EXPECT_EQ(texts->GetString(ThirdPartyList::ThirdPanels), L" ");  // empty takes the default
    EXPECT_EQ(Lines(manager->ThirdLists[ThirdPartyList::ThirdGrids].get()), std::vector<String>{L"TStringGrid"});
    EXPECT_EQ(Lines(manager->ThirdLists[ThirdPartyList::ThirdButtons].get()),
              (std::vector<String>{L"TButton", L"TBitBtn"}));

    manager->ThirdLists[ThirdPartyList::ThirdGrids]->Add(L"TDrawGrid");
    UpdateThirdNames(manager.get());
    EXPECT_EQ(texts->GetString(ThirdPartyList::ThirdGrids), L"TStringGrid\r\nTDrawGrid");
    EXPECT_EQ(texts->GetString(ThirdPartyList::ThirdEdits), L" ");

    LoadThirdNames(manager.get(), true);
    EXPECT_EQ(texts->GetString(ThirdPartyList::ThirdGrids), L" ");
    EXPECT_EQ(texts->GetString(ThirdPartyList::ThirdButtons), L"TButton");
}
