// The skin manager's packed sources: which of a packed skin file, a skin folder and an internal
// skin of one name loads; where a packed skin's image files come from; damaged packed data; the
// list of internal skins and their extraction into files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "ManagerTestSupport.h"
#include "bytes.h"
#include "pump.h"
#include "skin/core/acSkinPack.h"
#include "skin/graphics/Acntutils.h"
#include "vcl/sysutils.h"

using namespace skin;
using skintest::NewManager;
using skintest::PanelColour;
using skintest::PanelSkin;
using skintest::TManagerPtr;
using skintest::TTempSkin;
using skintest::WriteSkin;
using testsupport::FileBytes;
using testsupport::MemoryBytes;
using testsupport::TMessageBoxRecorder;
using vcl::String;

namespace {

class SkinSources : public ::testing::Test {
protected:
    void SetUp() override { testsupport::InitializeApplication(); }
    void TearDown() override { UnPackedFirst = false; }
};

// The packed form of a skin folder holding only these options.
std::string PackedSkin(const std::string& Options)
{
    TTempSkin source;
    source.WriteOptions(Options);
    TTempSkin out;
    PackDir(source.Folder(), out.Folder() + L"skin.asz");
    return FileBytes(out.Folder() + L"skin.asz");
}

// An internal skin Name of Manager holding Bytes as its packed data.
TsStoredSkin* AddInternalSkin(TsSkinManager& Manager, const String& Name, const std::string& Bytes)
{
    TsStoredSkin* skin = Manager.InternalSkins()->Add();
    skin->SetName(Name);
    skin->PackedData->WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
    return skin;
}

}  // namespace

TEST_F(SkinSources, ANameChoosesAPackedFileAFolderOrAnInternalSkin)
{
    // The packed file's PANEL is 1, the folder's 2, the internal skin's 3.
    struct TCase {
        const char* Name;
        bool Packed, Folder, Internal, UnpackedFirst;
        const wchar_t* SkinName;
        int Colour;
        bool SkinIsPacked;
        const wchar_t* SkinPath;  // after the skin directory; none: empty
    };
    const TCase cases[] = {
        {"a packed file wins over a folder", true, true, true, false, L"S", 1, true, L"\\"},
        {"unless folders come first", true, true, true, true, L"S", 2, false, L"\\S\\"},
        {"a folder wins over an internal skin", false, true, true, false, L"S", 2, false, L"\\S\\"},
        {"folders first, but there is none", true, false, true, true, L"S", 1, true, L"\\"},
        {"the internal skin when nothing else", false, false, true, true, L"S", 3, true, nullptr},
        {"the packed extension is dropped", true, true, true, false, L"S.Asz", 1, true, L"\\"},
        {"the folder test takes the name as given", true, true, true, true, L"S.asz", 1, true, L"\\"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempSkin dir;
        if (c.Packed)
            dir.WriteFile(L"S.asz", PackedSkin(PanelSkin(1)));
        if (c.Folder)
            WriteSkin(dir, "S", PanelSkin(2));
        TManagerPtr manager = NewManager(dir.Folder());
        AddInternalSkin(*manager, L"Other", PackedSkin(PanelSkin(4)));
        if (c.Internal)
            AddInternalSkin(*manager, L"S", PackedSkin(PanelSkin(3)));
        UnPackedFirst = c.UnpackedFirst;

        manager->SetSkinName(c.SkinName);
        EXPECT_EQ(manager->SkinName(), L"S");
        EXPECT_TRUE(manager->SkinData->Active);
        EXPECT_EQ(PanelColour(*manager), c.Colour);
        EXPECT_EQ(manager->SkinIsPacked, c.SkinIsPacked);
        EXPECT_EQ(manager->SkinData->SkinPath, c.SkinPath ? dir.Folder() + c.SkinPath : String());
        EXPECT_EQ(sc, nullptr);  // the unpacked skin lives only while it loads
        EXPECT_EQ(SkinFile, nullptr);
    }
}

// A relative skin directory: the packed file is looked for under the process's current folder as
// the directory is written, the skin folder and SkinPath under the program's folder.
TEST_F(SkinSources, ARelativeDirectoryFindsPackedFilesFromTheCurrentFolder)
{
    const String relative = L"zirv_packed_" + vcl::IntToStr(GetCurrentProcessId());
    const String appDir = GetAppPath() + relative + L"\\";
    vcl::ForceDirectories(appDir + L"S");
    TTempSkin current;
    vcl::ForceDirectories(current.Folder() + relative);
    std::ofstream(std::filesystem::path(appDir + L"S\\Options.dat")) << PanelSkin(2);
    std::ofstream(std::filesystem::path(appDir + L"S.asz"), std::ios::binary) << PackedSkin(PanelSkin(3));
    const String packed = current.Folder() + relative + L"\\S.asz";
    std::ofstream(std::filesystem::path(packed), std::ios::binary) << PackedSkin(PanelSkin(1));
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    SetCurrentDirectoryW(current.Folder().c_str());
    {
        TManagerPtr manager = NewManager(relative);
        manager->SetSkinName(L"S");
        EXPECT_TRUE(manager->SkinIsPacked);
        EXPECT_EQ(PanelColour(*manager), 1);
        EXPECT_EQ(manager->SkinData->SkinPath, appDir);

        // The program folder's packed file is never looked for: its folder loads.
        std::filesystem::remove(std::filesystem::path(packed));
        manager->SetSkinName(L"S");
        EXPECT_FALSE(manager->SkinIsPacked);
        EXPECT_EQ(PanelColour(*manager), 2);
        EXPECT_EQ(manager->SkinData->SkinPath, appDir + L"S\\");
    }
    SetCurrentDirectoryW(saved);
    std::filesystem::remove_all(std::filesystem::path(appDir));
}

TEST_F(SkinSources, ANameThatNoInternalSkinHasLoadsTheFirstAndTakesItsName)
{
    TManagerPtr manager = NewManager(L"");
    AddInternalSkin(*manager, L"First", PackedSkin(PanelSkin(5)));
    AddInternalSkin(*manager, L"Second", PackedSkin(PanelSkin(6)));
    for (const wchar_t* name : {L"Missing", L"second", L"SECOND"}) {
        SCOPED_TRACE(vcl::ToAnsi(name));
        manager->SetSkinName(L"Second");
        manager->SetSkinName(name);
        EXPECT_EQ(manager->SkinName(), L"First");
        EXPECT_EQ(PanelColour(*manager), 5);
        EXPECT_TRUE(manager->SkinData->Active);
    }
    manager->SetSkinName(L"Second");
    EXPECT_EQ(PanelColour(*manager), 6);
}

TEST_F(SkinSources, AnInternalSkinWithoutDataLoadsEmptyTables)
{
    TManagerPtr manager = NewManager(L"");
    manager->CommonSections()->SetText(L"[COMMON]\r\nCOLOR=7\r\n");
    AddInternalSkin(*manager, L"Full", PackedSkin(PanelSkin(5)));
    AddInternalSkin(*manager, L"Empty", "");
    manager->SetSkinName(L"Full");
    ASSERT_GE(manager->GetSkinIndex(L"COMMON"), 0);
    manager->SetSkinName(L"Empty");
    EXPECT_EQ(manager->SkinName(), L"Empty");
    EXPECT_TRUE(manager->Active());
    EXPECT_FALSE(manager->SkinIsPacked);
    EXPECT_TRUE(manager->gd.empty());  // not even the common sections
    EXPECT_TRUE(manager->ma.empty());
    EXPECT_EQ(manager->ConstData.IndexGLobalInfo, -1);
}

TEST_F(SkinSources, APackedSkinsImagesComeFromThePackageAndTheCommonSectionsFromDisk)
{
    // The package: a green master bitmap, a PNG image, an older plain bitmap name and a small
    // JPEG, which becomes a texture image.
    TTempSkin source;
    source.WriteMaster(40, 40, 0x00FF00);
    std::filesystem::copy_file(std::filesystem::path(source.Folder() + L"MASTER.BMP"),
                               std::filesystem::path(source.Folder() + L"Plain.bmp"));
    source.CopyTestSkinFile("PNG746", "XB.PNG", L"Xb.png");
    source.CopyTestSkinFile("PATTERNS", "SMALL.JPG", L"SMALL.JPG");
    source.WriteOptions("[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\n[PANEL]\nCOLOR=1\n"
                        "GLYPH=!XB.PNG!2!0!3!0026!0026!0026!0026!1\nOLD=plain.bmp\nTEX=small.jpg\n"
                        "DISK=!DISKONLY.BMP!1!0!0\nLOWER=!Xb.PNG!1!0!0\n");
    // The skin directory: the packed file beside a red master bitmap of another size and files
    // that only the disk has.
    TTempSkin dir;
    PackDir(source.Folder(), dir.Folder() + L"S.asz");
    dir.WriteMaster(30, 30, 0xFF0000);
    dir.CopyTestSkinFile("FLAT", "MASTER.BMP", L"DISKONLY.BMP");
    dir.CopyTestSkinFile("FLAT", "MASTER.BMP", L"COMMON.BMP");
    const std::string common = "[EXTRA]\nBORDER=" + vcl::ToAnsi(dir.Folder()) + "COMMON.BMP\nINPACK=plain.bmp\n";

    // The same bytes as a packed file and as an internal skin.
    for (const bool internal : {false, true}) {
        SCOPED_TRACE(internal ? "internal skin" : "packed file");
        TManagerPtr manager = NewManager(internal ? dir.Folder() + L"Elsewhere" : dir.Folder());
        manager->CommonSections()->SetText(vcl::FromAnsi(common));
        if (internal)
            AddInternalSkin(*manager, L"S", FileBytes(dir.Folder() + L"S.asz"));
        manager->SetSkinName(L"S");
        ASSERT_TRUE(manager->SkinIsPacked);

        ASSERT_EQ(manager->MasterBitmap->Width(), 40);
        EXPECT_EQ(skintest::PixelARGB(manager->MasterBitmap.get(), 5, 5), 0xFF00FF00u);
        const auto image = [&](const wchar_t* section, const wchar_t* key) -> const TsMaskData* {
            const int i = manager->GetMaskIndex(section, key);
            return i < 0 ? nullptr : &manager->ma[size_t(i)];
        };
        ASSERT_TRUE(image(L"PANEL", L"GLYPH") && image(L"PANEL", L"GLYPH")->Bmp);
        EXPECT_EQ(image(L"PANEL", L"GLYPH")->Bmp->Width(), 108);
        ASSERT_TRUE(image(L"PANEL", L"OLD") && image(L"PANEL", L"OLD")->Bmp);
        EXPECT_EQ(skintest::PixelARGB(image(L"PANEL", L"OLD")->Bmp.get(), 5, 5), 0xFF00FF00u);
        ASSERT_TRUE(image(L"PANEL", L"TEX") && image(L"PANEL", L"TEX")->Bmp);
        EXPECT_EQ(image(L"PANEL", L"TEX")->Bmp->Width(), 999);
        EXPECT_EQ(image(L"PANEL", L"DISK"), nullptr);   // the package has no such file
        EXPECT_EQ(image(L"PANEL", L"LOWER"), nullptr);  // names match in capitals only
        EXPECT_NE(image(L"EXTRA", L"BORDER"), nullptr);  // common sections read the disk
        EXPECT_EQ(image(L"EXTRA", L"INPACK"), nullptr);  // and never the package
    }
}

TEST_F(SkinSources, ARecolouringReloadsAPackedSkinFromItsPackage)
{
    TTempSkin source, dir;
    source.WriteMaster(40, 40, 0x00FF00);
    source.WriteOptions("[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\n[PANEL]\nCOLOR=1\n");
    PackDir(source.Folder(), dir.Folder() + L"S.asz");
    TManagerPtr manager = NewManager(dir.Folder());
    manager->SetSkinName(L"S");
    manager->SetHueOffset(30);
    EXPECT_TRUE(manager->SkinIsPacked);
    EXPECT_EQ(manager->MasterBitmap->Width(), 40);
    EXPECT_GE(manager->GetSkinIndex(L"PANEL"), 0);
}

TEST_F(SkinSources, DamagedPackedDataKeepsTheSkinInForceAndTheLentBytes)
{
    const std::string good = PackedSkin(PanelSkin(5));
    struct TCase {
        const char* Name;
        std::string Bytes;
        const wchar_t* Error;  // the start of the message shown
    };
    const TCase cases[] = {
        {"not a package", "PK\3\4 zipped", L"Loaded data is not a packed skin file."},
        {"truncated", good.substr(0, good.size() - 10), L""},
        {"no options entry", "ASzf" + std::string("\0\0\0\0", 4), L"The packed skin \"Bad\" holds no options file."},
    };
    for (const TCase& c : cases) {
        for (const bool internal : {false, true}) {
            SCOPED_TRACE(std::string(c.Name) + (internal ? ", internal skin" : ", packed file"));
            TTempSkin dir;
            TManagerPtr manager = NewManager(dir.Folder());
            AddInternalSkin(*manager, L"Good", good);
            TsStoredSkin* bad = internal ? AddInternalSkin(*manager, L"Bad", c.Bytes) : nullptr;
            if (!internal)
                dir.WriteFile(L"Bad.asz", c.Bytes);
            manager->SetSkinName(L"Good");
            TMessageBoxRecorder boxes;

            manager->SetSkinName(L"Bad");
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_TRUE(boxes.Boxes()[0].Text.starts_with(c.Error)) << vcl::ToAnsi(boxes.Boxes()[0].Text);
            EXPECT_NE(boxes.Boxes()[0].Text, L"");
            EXPECT_EQ(manager->SkinName(), L"Good");
            EXPECT_EQ(PanelColour(*manager), 5);
            EXPECT_TRUE(manager->SkinData->Active);
            EXPECT_EQ(sc, nullptr);
            EXPECT_EQ(SkinFile, nullptr);
            if (bad) {
                EXPECT_EQ(MemoryBytes(bad->PackedData.get()), c.Bytes);
            }
        }
    }
}

TEST_F(SkinSources, ChangesOfTheInternalSkinListAreAnnounced)
{
    int changes = 0;
    vcl::TObject* sender = nullptr;
    {
        TManagerPtr manager = NewManager(L"");
        manager->SetOnSkinListChanged([&](vcl::TObject* s) {
            ++changes;
            sender = s;
        });
        TsStoredSkin* first = AddInternalSkin(*manager, L"First", "");
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(sender, manager.get());
        AddInternalSkin(*manager, L"Second", "");
        first->SetIndex(1);
        EXPECT_EQ(changes, 3);
        manager->InternalSkins()->Delete(0);
        EXPECT_EQ(changes, 4);
        manager->InternalSkins()->Clear();  // one announcement for the whole list
        EXPECT_EQ(changes, 5);
        AddInternalSkin(*manager, L"Last", "");
        changes = 0;
    }
    EXPECT_EQ(changes, 0);  // a manager going away announces nothing
}

TEST_F(SkinSources, InternalSkinsAreExtractedAsPackedFiles)
{
    TTempSkin dir;
    TManagerPtr manager = NewManager(L"");
    const std::string bytes = PackedSkin(PanelSkin(5));
    AddInternalSkin(*manager, L"Ours", bytes);
    AddInternalSkin(*manager, L"Empty", "");
    const String file = dir.Folder() + L"Ours extracted.asz";
    const String blocker = dir.Folder() + L"a file";
    dir.WriteFile(L"a file", "x");
    struct TCase {
        const char* Name;
        std::function<void()> Extract;
        String Error;  // the error box; none: no box
        bool Written;
    };
    const TCase cases[] = {
        {"by name", [&] { manager->ExtractInternalSkin(L"Ours", dir.Folder()); }, L"", true},
        {"by name into a missing folder", [&] { manager->ExtractInternalSkin(L"Ours", dir.Folder() + L"Missing"); },
         L"Directory does not exists.", false},
        {"a name in other letter case", [&] { manager->ExtractInternalSkin(L"ours", dir.Folder()); },
         L"Skin does not exists.", false},
        {"by index, the folder made", [&] { manager->ExtractByIndex(0, dir.Folder() + L"New\\Sub"); }, L"", false},
        {"by index into a folder that cannot be made", [&] { manager->ExtractByIndex(0, blocker + L"\\Sub"); },
         L"Directory " + blocker + L"\\Sub\\ creation error.", false},
        {"a skin without data", [&] { manager->ExtractInternalSkin(L"Empty", dir.Folder()); }, L"", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove(std::filesystem::path(file));
        TMessageBoxRecorder boxes;
        c.Extract();
        if (c.Error.empty()) {
            EXPECT_TRUE(boxes.Boxes().empty());
        } else {
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].Text, c.Error);
            EXPECT_EQ(boxes.Boxes()[0].Type & MB_ICONMASK, UINT(MB_ICONERROR));
        }
        EXPECT_EQ(vcl::FileExists(file), c.Written);
        if (c.Written) {
            EXPECT_EQ(FileBytes(file), bytes);
        }
    }
    EXPECT_EQ(FileBytes(dir.Folder() + L"New\\Sub\\Ours extracted.asz"), bytes);
    EXPECT_FALSE(vcl::FileExists(dir.Folder() + L"Empty extracted.asz"));
}
