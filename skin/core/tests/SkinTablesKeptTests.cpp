// Every skin we know loads into exactly the tables it loaded into when these expectations were
// written: our skin from its folder, from its packed form as the main window's internal skin with
// the main window's common sections, and every test skin. Each expectation is a text file beside
// this one (skintables/NAME.txt) listing the global information, the master bitmap, every image
// with its geometry and a hash of its pixels, every pattern, every section record and the common
// indexes; equal texts mean the painters get the same skin, pixel for pixel.
//
// ZIRV_WRITE_SKIN_TABLES=1 in the environment writes the files anew from the loaders in force
// instead of comparing (for a change that means to alter what a skin loads into).
//
// The INI object the loaders read through answers, for the same texts and for a text of repeated
// and differently written names, as a reading of the text from its start does: sections and keys
// in text order, the first of a name found, names compared by the object's case switch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SkinTestSupport.h"
#include "skin/core/acSkinPack.h"
#include "skin/graphics/BitmapView.h"
#include "testpaths.h"
#include "vcl/inifiles.h"
#include "vcl/sysutils.h"

using namespace skin;
using vcl::String;

namespace {

// FNV-1a over the 32-bit pixels of a bitmap, row by row.
uint64_t PixelHash(vcl::TBitmap* Bmp)
{
    uint64_t hash = 14695981039346656037ull;
    const TPixelView pixels = PixelsOf(Bmp);
    for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x)
            for (int shift = 0; shift < 32; shift += 8) {
                hash ^= (pixels.At(x, y) >> shift) & 0xFF;
                hash *= 1099511628211ull;
            }
    return hash;
}

std::string Text(const String& S) { return "\"" + vcl::ToUtf8(S) + "\""; }

std::string BitmapText(vcl::TBitmap* Bmp)
{
    if (!Bmp)
        return "none";
    std::ostringstream out;
    out << Bmp->Width() << "x" << Bmp->Height() << " format " << int(Bmp->PixelFormat());
    if (Bmp->PixelFormat() == vcl::TPixelFormat::pf32bit)
        out << " pixels " << std::hex << PixelHash(Bmp);
    return out.str();
}

void WriteGradient(std::ostream& Out, const TsGradArray& Gradient)
{
    Out << " [";
    for (const TsGradPie& pie : Gradient)
        Out << " " << pie.Color1 << "," << pie.Color2 << "," << int(pie.Percent) << "," << pie.Mode1 << "," << pie.Mode2;
    Out << " ]";
}

void WriteFontColor(std::ostream& Out, const TsFontColor& C)
{
    Out << " font " << C.Color << "," << C.Left << "," << C.Top << "," << C.Right << "," << C.Bottom;
}

void WriteState(std::ostream& Out, const TsGenState& S)
{
    Out << " {colour " << S.Color;
    WriteFontColor(Out, S.FontColor);
    Out << " gradient " << S.GradientPercent << " " << Text(S.GradientData);
    WriteGradient(Out, S.GradientArray);
    Out << " image " << S.ImagePercent << " glow " << S.GlowColor << "," << int(S.GlowSize) << " transparency "
        << S.Transparency << "}";
}

void WriteSection(std::ostream& Out, const TsGeneralData& D)
{
    Out << "section " << Text(D.ClassName) << " parent " << Text(D.ParentClass) << " states " << D.States;
    WriteState(Out, D.Props[0]);
    WriteState(Out, D.Props[1]);
    Out << " flags " << D.GiveOwnFont << D.ReservedBoolean << D.ShowFocus << D.FadingEnabled << " glow " << D.GlowCount
        << "," << D.GlowMargin << " images " << D.BorderIndex << "," << D.ImgTL << "," << D.ImgTR << "," << D.ImgBL
        << "," << D.ImgBR << "," << D.TextureNormal << " normal " << D.Color << "," << D.Transparency << ","
        << D.GradientPercent << "," << Text(D.GradientData);
    WriteGradient(Out, D.GradientArray);
    Out << "," << D.ImagePercent;
    WriteFontColor(Out, D.FontColor);
    Out << " hot " << D.HotColor << "," << D.HotTransparency << "," << D.HotGradientPercent << ","
        << Text(D.HotGradientData);
    WriteGradient(Out, D.HotGradientArray);
    Out << "," << D.HotImagePercent;
    WriteFontColor(Out, D.HotFontColor);
    Out << " fading " << D.FadingIterations << " glows " << D.HotGlowColor << "," << D.GlowColor << ","
        << int(D.HotGlowSize) << "," << int(D.GlowSize) << "\n";
}

void WriteImage(std::ostream& Out, const TsMaskData& M)
{
    Out << "image " << Text(M.ClassName) << " " << Text(M.PropertyName) << " rect " << M.R.left << "," << M.R.top
        << "," << M.R.right << "," << M.R.bottom << " count " << M.ImageCount << " mask " << M.MaskType << " border "
        << M.BorderWidth << " mode " << M.DrawMode << " type " << int(M.ImgType) << " widths " << M.WL << "," << M.WT
        << "," << M.WR << "," << M.WB << " corners " << M.CornerType << " bitmap " << BitmapText(M.Bmp.get()) << "\n";
}

void WriteGlobalInfo(std::ostream& Out, const TsSkinData& S)
{
    Out << "global version " << S.Version << " " << Text(S.Author) << " " << Text(S.Description) << " shadow "
        << S.Shadow1Color << "," << S.Shadow1Offset << "," << S.Shadow1Blur << "," << S.Shadow1Transparency
        << " borders " << S.ExBorderWidth << "," << S.ExTitleHeight << "," << S.ExMaxHeight << "," << S.ExContentOffs
        << "," << S.ExShadowOffs << "," << S.ExCenterOffs << "," << S.ExDrawMode << " colours " << S.FXColor << ","
        << S.BorderColor << "," << S.ExtShadowColor << " buttons " << S.BISpacing << "," << S.BIVAlign << ","
        << S.BIRightMargin << "," << S.BILeftMargin << "," << S.BITopMargin << "," << S.BIKeepHUE << ","
        << S.BICloseGlow << "," << S.BICloseGlowMargin << "," << S.BIMaxGlow << "," << S.BIMaxGlowMargin << ","
        << S.BIMinGlow << "," << S.BIMinGlowMargin << " aero " << S.UseAeroBluring << "\n";
}

// The common indexes: 65 small ones, then 9 whole ones, in the record's order.
void WriteConstData(std::ostream& Out, const TConstantSkinData& C)
{
    const auto* small = &C.IndexGLobalInfo;
    Out << "common";
    for (const vcl::SmallInt* p = small; p <= &C.SmallCheckBoxGrayed; ++p)
        Out << " " << *p;
    for (const vcl::Integer* p = &C.ComboBtnIndex; p <= &C.IndexWebBtn; ++p)
        Out << " " << *p;
    Out << "\n";
}

std::string TablesText(TsSkinManager& M)
{
    std::ostringstream out;
    WriteGlobalInfo(out, *M.SkinData);
    out << "master " << BitmapText(M.MasterBitmap.get()) << "\n";
    for (const TsMaskData& image : M.ma)
        WriteImage(out, image);
    for (const TsPatternData& pattern : M.pa)
        out << "pattern " << Text(pattern.ClassName) << " " << Text(pattern.PropertyName) << " "
            << pattern.Img->Width() << "x" << pattern.Img->Height() << "\n";
    for (const TsGeneralData& section : M.gd)
        WriteSection(out, section);
    WriteConstData(out, M.ConstData);
    return out.str();
}

String ExpectationFile(const std::string& Name)
{
    return vcl::FromAnsi(testsupport::SourceDir()) + L"\\skin\\core\\tests\\skintables\\" + vcl::FromAnsi(Name) + L".txt";
}

// Compares the tables with the expectation Name, or writes it when asked to.
void ExpectTables(TsSkinManager& M, const std::string& Name)
{
    const std::string tables = TablesText(M);
    const std::filesystem::path file(ExpectationFile(Name));
    if (std::getenv("ZIRV_WRITE_SKIN_TABLES")) {
        std::ofstream(file, std::ios::binary) << tables;
        return;
    }
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << "no expectation " << file.string();
    const std::string expected((std::istreambuf_iterator<char>(in)), {});
    if (tables == expected)
        return;
    std::istringstream got(tables), want(expected);
    for (int line = 1;; ++line) {
        std::string a, b;
        const bool more = bool(std::getline(got, a)) | bool(std::getline(want, b));
        if (!more || a != b) {
            ADD_FAILURE() << Name << ", line " << line << "\nexpected: " << b << "\nloaded:   " << a;
            return;
        }
    }
}

const char* const MainWindowCommonSections =
    "[NEWPROGRESSALARM]\nPARENTCLASS=GROUPBOX\n[NEWPROGRESSNORMAL]\nPARENTCLASS=GROUPBOX\n"
    "[NEWPROGRESSUNDEF]\nPARENTCLASS=GROUPBOX\n[NEWSITE]\nPARENTCLASS=CHECKBOX\nFONTCOLOR=16711680\n";

String OurSkinFolder()
{
    return vcl::FromAnsi(testsupport::SourceDir()) + L"\\assets\\skins\\Aluminium (internal)\\";
}

// ---------------------------------------------------------------------------------------------
// INI text read from its start

struct TPlainSection {
    String Name;
    std::vector<std::pair<String, String>> Keys;
};

// The parse rules of INI text, applied line by line.
std::vector<TPlainSection> PlainSections(const vcl::TStrings& Lines)
{
    std::vector<TPlainSection> sections;
    for (int i = 0; i < Lines.Count(); ++i) {
        const String line = vcl::Trim(Lines.Strings(i));
        if (line.empty() || line[0] == L';')
            continue;
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']')
            sections.push_back({vcl::Trim(line.substr(1, line.size() - 2)), {}});
        else if (const size_t equals = line.find(L'='); equals != String::npos && !sections.empty())
            sections.back().Keys.emplace_back(vcl::Trim(line.substr(0, equals)), vcl::Trim(line.substr(equals + 1)));
    }
    return sections;
}

std::vector<String> Listed(const vcl::TStrings& List)
{
    std::vector<String> names;
    for (int i = 0; i < List.Count(); ++i)
        names.push_back(List.Strings(i));
    return names;
}

// Every name of the text (and one it lacks) looked up in the object and in the plain reading.
void ExpectLinearAnswers(const vcl::TStrings& Lines, bool CaseSensitive)
{
    vcl::TMemIniFile ini(L"");
    ini.SetCaseSensitive(CaseSensitive);
    ini.SetStrings(&Lines);
    const std::vector<TPlainSection> plain = PlainSections(Lines);
    const auto same = [&](const String& a, const String& b) { return CaseSensitive ? a == b : vcl::AnsiSameText(a, b); };
    const auto firstOf = [&](const auto& list, const String& name, auto nameOf) {
        return std::ranges::find_if(list, [&](const auto& item) { return same(nameOf(item), name); });
    };
    const auto sectionName = [](const TPlainSection& s) { return s.Name; };
    const auto keyName = [](const std::pair<String, String>& k) { return k.first; };

    std::vector<String> sections;
    for (const TPlainSection& s : plain)
        if (&*firstOf(plain, s.Name, sectionName) == &s)
            sections.push_back(s.Name);
    vcl::TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(Listed(list), sections);

    for (String name : sections) {
        for (const String& asked : {name, vcl::LowerCase(name), name + L"?"}) {
            SCOPED_TRACE(vcl::ToUtf8(asked));
            const auto section = firstOf(plain, asked, sectionName);
            std::vector<String> keys;
            if (section != plain.end())
                for (const auto& key : section->Keys)
                    if (&*firstOf(section->Keys, key.first, keyName) == &key)
                        keys.push_back(key.first);
            ini.ReadSection(asked, &list);
            EXPECT_EQ(Listed(list), keys);
            for (const String& key : keys)
                for (const String& askedKey : {key, vcl::LowerCase(key)}) {
                    const auto found = firstOf(section->Keys, askedKey, keyName);
                    EXPECT_EQ(ini.ReadString(asked, askedKey, L"-"), found == section->Keys.end() ? L"-" : found->second);
                }
        }
    }
}

}  // namespace

TEST(SkinOptionsText, TheIniObjectAnswersAsTheTextReadFromItsStart)
{
    std::vector<String> files = {OurSkinFolder() + L"Options.dat"};
    const std::filesystem::path testSkins(vcl::ExcludeTrailingPathDelimiter(skintest::TestSkinFolder("FLAT")));
    for (const auto& entry : std::filesystem::directory_iterator(testSkins.parent_path()))
        if (std::filesystem::exists(entry.path() / "Options.dat"))
            files.push_back((entry.path() / "Options.dat").wstring());
    for (const String& file : files) {
        SCOPED_TRACE(vcl::ToUtf8(file));
        vcl::TStringList lines;
        lines.LoadFromFile(file);
        ExpectLinearAnswers(lines, true);
        ExpectLinearAnswers(lines, false);
    }
    vcl::TStringList repeats;
    repeats.SetText(L"[Panel]\nColor=1\ncolor=2\nColor=3\n[PANEL]\nColor=4\nHot=5\n[panel]\nHOT=6\n"
                    L"[Edit]\n ; comment\n Color = 7 \n[ Panel ]\nLast=8\n[]\nEmpty=9\n");
    ExpectLinearAnswers(repeats, true);
    ExpectLinearAnswers(repeats, false);
}

TEST(SkinTablesKept, OurSkin)
{
    ExpectTables(*skintest::LoadSkin(OurSkinFolder()), "OURS");

    skintest::TTempSkin dir;
    PackDir(OurSkinFolder(), dir.Folder() + L"ours.asz");
    vcl::TObjectPtr<TsSkinManager> manager(vcl::Create<TsSkinManager>(nullptr));
    manager->CommonSections()->SetText(vcl::FromAnsi(MainWindowCommonSections));
    TsStoredSkin* internal = manager->InternalSkins()->Add();
    internal->SetName(L"Aluminium (internal)");
    internal->PackedData->LoadFromFile(dir.Folder() + L"ours.asz");
    manager->SetSkinDirectory(dir.Folder() + L"none");
    manager->SetSkinName(L"Aluminium (internal)");
    ASSERT_TRUE(manager->SkinIsPacked);
    ExpectTables(*manager, "OURS_INTERNAL");
}

TEST(SkinTablesKept, TestSkins)
{
    const std::filesystem::path folder(vcl::ExcludeTrailingPathDelimiter(skintest::TestSkinFolder("FLAT")));
    int skins = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.parent_path())) {
        if (!std::filesystem::exists(entry.path() / "Options.dat"))
            continue;
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        ExpectTables(*skintest::LoadSkin(skintest::TestSkinFolder(name)), name);
        ++skins;
    }
    EXPECT_GT(skins, 0) << "the test skins were not written";
}
