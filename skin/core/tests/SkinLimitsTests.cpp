// A skin is input from outside: a load past one of the bounds on its size, or one that runs out
// of memory, fails with one message and keeps the skin in force; parent chains within the bound
// and cycles load; an image whose decoder fails in any other way is left out and the rest loads.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <stdexcept>

#include "ManagerTestSupport.h"
#include "pump.h"
#include "skin/core/sSkinManagerValues.h"
#include "vcl/sysutils.h"

using namespace skin;
using skintest::Entry;
using skintest::NewManager;
using skintest::OneBitBmp;
using skintest::PanelColour;
using skintest::PanelSkin;
using skintest::Packed;
using skintest::RawEntry;
using skintest::TManagerPtr;
using skintest::TTempSkin;
using skintest::WriteSkin;
using testsupport::TMessageBoxRecorder;
using vcl::String;

namespace {

class SkinLimits : public ::testing::Test {
protected:
    void SetUp() override { testsupport::InitializeApplication(); }
    void TearDown() override { SkinImageReadSeam = nullptr; }
};

// Sections C0 to C(Depth) where each names the next as its parent; the last has COLOR 7.
std::string Chain(int Depth)
{
    std::string text;
    for (int i = 0; i < Depth; ++i)
        text += "[C" + std::to_string(i) + "]\nPARENTCLASS=C" + std::to_string(i + 1) + "\n";
    return text + "[C" + std::to_string(Depth) + "]\nCOLOR=7\n";
}

void WritePacked(const TTempSkin& Dir, const String& Name, const std::string& Bytes)
{
    Dir.WriteFile(Name + L".asz", Bytes);
}

}  // namespace

TEST_F(SkinLimits, ALoadPastALimitFailsWithOneMessageAndKeepsTheSkinInForce)
{
    struct TCase {
        const char* Name;
        std::function<void(const TTempSkin& Dir)> Write;  // writes the skin "Bad"
        const wchar_t* Message;                           // the start of the message shown
        std::function<void()> Seam = nullptr;
    };
    const TCase cases[] = {
        {"options text past its size",
         [](const TTempSkin& dir) { WriteSkin(dir, "Bad", PanelSkin(9) + ";" + std::string(8 << 20, 'x')); },
         L"The skin's options text is larger than 8 MB."},
        {"too many sections",
         [](const TTempSkin& dir) {
             std::string text = PanelSkin(9);
             for (int i = 0; i < 65536; ++i)
                 text += "[S" + std::to_string(i) + "]\n";
             WriteSkin(dir, "Bad", text);
         },
         L"The skin's options hold 65538 sections, more than 65536."},
        {"a parent chain too deep", [](const TTempSkin& dir) { WriteSkin(dir, "Bad", PanelSkin(9) + Chain(257)); },
         L"The skin's section \"C0\" inherits through 257 parent sections, more than 256."},
        {"a packed file past its size",
         [](const TTempSkin& dir) {
             WritePacked(dir, L"Bad", Packed(1, Entry("Options.dat", PanelSkin(9))));
             std::filesystem::resize_file(std::filesystem::path(dir.Folder() + L"Bad.asz"), (64 << 20) + 1);
         },
         L"The packed skin file \""},
        {"packed entries past the unpacked budget",
         [](const TTempSkin& dir) {
             const std::string zeros = skintest::Deflated(std::string(64 << 20, '\0'));
             std::string entries = Entry("Options.dat", PanelSkin(9));
             for (int i = 0; i < 4; ++i)
                 entries += RawEntry("z" + std::to_string(i) + ".bmp", 64 << 20, zeros);
             WritePacked(dir, L"Bad", Packed(5, entries));
         },
         L"The packed skin unpacks to more than 256 MB."},
        {"a 1-bit bitmap past the pixel budget",
         [](const TTempSkin& dir) {
             WriteSkin(dir, "Bad", PanelSkin(9, "MASTERBITMAP=BIG.BMP\n"));
             dir.WriteFile(L"Bad\\BIG.BMP", OneBitBmp(8192, 8193));
         },
         L"The skin's images hold more than 64 million pixels."},
        {"out of memory while an image is read",
         [](const TTempSkin& dir) {
             WriteSkin(dir, "Bad", PanelSkin(9, "MASTERBITMAP=M.BMP\n"));
             dir.WriteFile(L"Bad\\M.BMP", OneBitBmp(4, 4));
         },
         L"There is not enough memory to load the skin.", [] { SkinImageReadSeam = [](const String&) { throw std::bad_alloc(); }; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempSkin dir;
        WriteSkin(dir, "Good", PanelSkin(5));
        c.Write(dir);
        TManagerPtr manager = NewManager(dir.Folder());
        manager->SetSkinName(L"Good");
        ASSERT_EQ(PanelColour(*manager), 5);
        if (c.Seam)
            c.Seam();
        TMessageBoxRecorder boxes;

        manager->SetSkinName(L"Bad");
        SkinImageReadSeam = nullptr;
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_TRUE(boxes.Boxes()[0].Text.starts_with(c.Message)) << vcl::ToAnsi(boxes.Boxes()[0].Text);
        EXPECT_EQ(manager->SkinName(), L"Good");
        EXPECT_EQ(PanelColour(*manager), 5);
        EXPECT_TRUE(manager->SkinData->Active);
        EXPECT_EQ(sc, nullptr);
        EXPECT_EQ(SkinFile, nullptr);
    }
}

TEST_F(SkinLimits, ChainsAtTheDepthLimitAndCyclesLoad)
{
    struct TCase {
        const char* Name;
        std::string Text;
        int C0Colour;  // what C0 inherits; -1: the default, as a section without colour or parent has
    };
    const TCase cases[] = {
        {"256 parents", Chain(256), 7},
        {"a cycle of three", "[C0]\nPARENTCLASS=C1\n[C1]\nPARENTCLASS=C2\n[C2]\nPARENTCLASS=C0\n", -1},
        {"a cycle behind a value", "[C0]\nPARENTCLASS=C1\n[C1]\nCOLOR=3\nPARENTCLASS=C0\n", 3},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempSkin dir;
        WriteSkin(dir, "Chained", PanelSkin(5) + "[LONE]\nSTATES=1\n" + c.Text);
        TManagerPtr manager = NewManager(dir.Folder());
        TMessageBoxRecorder boxes;
        manager->SetSkinName(L"Chained");
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(manager->SkinName(), L"Chained");
        const int c0 = manager->GetSkinIndex(L"C0");
        ASSERT_GE(c0, 0);
        const int lone = int(manager->gd[size_t(manager->GetSkinIndex(L"LONE"))].Color);
        EXPECT_EQ(int(manager->gd[size_t(c0)].Color), c.C0Colour < 0 ? lone : c.C0Colour);
    }
}

TEST_F(SkinLimits, AnImageWhoseDecoderFailsInAnyWayIsLeftOutAndTheRestLoads)
{
    struct TCase {
        const char* Name;
        std::function<void()> Fail;
    };
    const TCase cases[] = {
        {"a standard library error", [] { throw std::runtime_error("decoder fault"); }},
        {"a class library error of another family", [] { throw vcl::EConvertError(L"decoder fault"); }},
        {"something that is no error class", [] { throw 7; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempSkin dir;
        WriteSkin(dir, "Skin", PanelSkin(5) + "[BUTTON]\nBORDERSMASK=!A.BMP!3!1\nGLYPHMASK=!B.BMP!3!1\n");
        dir.WriteFile(L"Skin\\A.BMP", OneBitBmp(30, 20));
        dir.WriteFile(L"Skin\\B.BMP", OneBitBmp(30, 20));
        SkinImageReadSeam = [&](const String& Name) {
            if (Name.ends_with(L"A.BMP"))
                c.Fail();
        };
        TManagerPtr manager = NewManager(dir.Folder());
        TMessageBoxRecorder boxes;
        manager->SetSkinName(L"Skin");
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(manager->SkinName(), L"Skin");
        EXPECT_EQ(manager->GetMaskIndex(L"BUTTON", L"BORDERSMASK"), -1);
        const int glyph = manager->GetMaskIndex(L"BUTTON", L"GLYPHMASK");
        ASSERT_GE(glyph, 0);
        EXPECT_EQ(manager->ma[size_t(glyph)].Bmp->Width(), 30);
        EXPECT_EQ(PanelColour(*manager), 5);
    }
}
