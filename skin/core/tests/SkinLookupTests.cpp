// The look-ups of sections and images, with the inheritance along "PARENTCLASS".
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "testpaths.h"
#include "vcl/sysutils.h"

using namespace skin;
using skintest::LoadSkin;
using skintest::TTempSkin;
using vcl::String;

namespace {

const char* const LookupSkin =
    "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n"
    "[PARENT]\nBORDERSMASK=^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0\nGLYPHMASK=@0000@0000@0010@0010@1@0\n"
    "PATTERN=~0000~0000~0004~0004~00~0\n"
    "[CHILD]\nPARENTCLASS=PARENT\nGLYPHMASK=@0010@0000@0020@0010@1@0\n"
    "[TEXTURED]\nPARENTCLASS=PARENT\nPATTERN=^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0\n"
    "[SELF]\nPARENTCLASS=SELF\n"
    "[A]\nPARENTCLASS=B\n"
    "[B]\nPARENTCLASS=A\n"
    "[ORPHAN]\nPARENTCLASS=NOWHERE\n";

}  // namespace

TEST(SkinLookups, ImagesWithInheritance)
{
    TTempSkin folder;
    folder.WriteMaster(20, 20, 0x808080);
    folder.WriteOptions(LookupSkin);
    const auto m = LoadSkin(folder.Folder());
    enum TKind { Inherited, ByName, Texture };
    struct TCase {
        const wchar_t* Section;
        const wchar_t* Key;
        TKind Kind;
        const wchar_t* FoundIn;  // the section whose image is the answer; null: none
    };
    const TCase cases[] = {
        {L"CHILD", L"BORDERSMASK", Inherited, L"PARENT"},   // the parent's image
        {L"CHILD", L"GLYPHMASK", Inherited, L"CHILD"},      // its own first
        {L"CHILD", L"BORDERSMASK", ByName, nullptr},        // none inherited by name
        {L"CHILD", L"GLYPHMASK", ByName, L"CHILD"},
        {L"TEXTURED", L"PATTERN", Texture, L"PARENT"},      // a border of the same key is no texture
        {L"TEXTURED", L"PATTERN", Inherited, L"TEXTURED"},
        {L"CHILD", L"PATTERN", Texture, L"PARENT"},
        {L"PARENT", L"BORDERSMASK", Texture, nullptr},
        {L"SELF", L"BORDERSMASK", Inherited, nullptr},      // a section naming itself
        {L"A", L"BORDERSMASK", Inherited, nullptr},         // a cycle of two ends
        {L"B", L"PATTERN", Texture, nullptr},
        {L"ORPHAN", L"BORDERSMASK", Inherited, nullptr},    // a parent that does not exist
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(vcl::ToAnsi(String(c.Section) + L" " + c.Key) + " kind " + std::to_string(c.Kind));
        const int section = m->GetSkinIndex(c.Section);
        ASSERT_GE(section, 0);
        const int found = c.Kind == Inherited ? m->GetMaskIndex(section, c.Section, c.Key)
                          : c.Kind == ByName  ? m->GetMaskIndex(c.Section, c.Key)
                                              : m->GetTextureIndex(section, c.Section, c.Key);
        EXPECT_EQ(found, c.FoundIn ? m->GetMaskIndex(c.FoundIn, c.Key) : -1);
        EXPECT_EQ(found >= 0, c.FoundIn != nullptr);
    }
}

TEST(SkinLookups, InvalidArgumentsAnswerMinusOne)
{
    TTempSkin folder;
    folder.WriteMaster(20, 20, 0x808080);
    folder.WriteOptions(LookupSkin);
    const auto m = LoadSkin(folder.Folder());
    const int child = m->GetSkinIndex(L"CHILD");
    EXPECT_EQ(m->GetSkinIndex(L"child"), -1);
    EXPECT_EQ(m->GetSkinIndex(L""), -1);
    EXPECT_EQ(m->GetMaskIndex(-1, L"CHILD", L"GLYPHMASK"), -1);
    EXPECT_EQ(m->GetMaskIndex(child, L"", L"GLYPHMASK"), -1);
    EXPECT_EQ(m->GetMaskIndex(L"", L"GLYPHMASK"), -1);
    // A section index beyond the table after a failed scan.
    EXPECT_EQ(m->GetMaskIndex(int(m->gd.size()), L"CHILD", L"BORDERSMASK"), -1);
    EXPECT_EQ(m->GetTextureIndex(int(m->gd.size()), L"CHILD", L"PATTERN"), -1);
    EXPECT_TRUE(m->IsValidSkinIndex(0));
    EXPECT_FALSE(m->IsValidSkinIndex(int(m->gd.size())));
    EXPECT_FALSE(m->IsValidSkinIndex(-1));
    EXPECT_TRUE(m->IsValidImgIndex(int(m->ma.size()) - 1));
    EXPECT_FALSE(m->IsValidImgIndex(int(m->ma.size())));

    vcl::TObjectPtr<TsSkinManager> empty(vcl::Create<TsSkinManager>(nullptr));
    EXPECT_EQ(empty->GetSkinIndex(L"GLOBALINFO"), -1);
    EXPECT_EQ(empty->GetMaskIndex(0, L"CHILD", L"BORDERSMASK"), -1);
    empty->InitConstantIndexes();
    EXPECT_EQ(empty->ConstData.IndexGLobalInfo, -1);
    EXPECT_EQ(empty->ConstData.CheckBoxChecked, -1);
}

TEST(SkinLookups, OurSkinWithTheMainWindowsCommonSections)
{
    const String folder = vcl::FromAnsi(testsupport::SourceDir()) + L"\\assets\\skins\\Aluminium (internal)\\";
    const auto m = LoadSkin(folder, "[NEWPROGRESSALARM]\nPARENTCLASS=GROUPBOX\n[NEWPROGRESSNORMAL]\nPARENTCLASS=GROUPBOX\n"
                                    "[NEWPROGRESSUNDEF]\nPARENTCLASS=GROUPBOX\n[NEWSITE]\nPARENTCLASS=CHECKBOX\nFONTCOLOR=16711680\n");
    EXPECT_EQ(m->SkinData->Version, 8.0);
    const TConstantSkinData& c = m->ConstData;
    for (int index : {int(c.IndexGLobalInfo), int(c.CheckBoxChecked), int(c.CheckBoxUnChecked), int(c.CheckBoxGrayed),
                      int(c.RadioButtonChecked), int(c.RadioButtonUnChecked), int(c.IndexScrollTop), int(c.MaskArrowTop),
                      int(c.IndexSliderVert), int(c.MaskSliderVert), int(c.ComboBtnIndex), int(c.ComboGlyph)})
        EXPECT_GE(index, 0);
    EXPECT_EQ(c.ExBorder, -1);
    for (const TsMaskData& image : m->ma) {
        SCOPED_TRACE(vcl::ToAnsi(image.ClassName + L" " + image.PropertyName));
        EXPECT_FALSE(image.Bmp);
        EXPECT_GE(image.R.left, 0);
        EXPECT_LE(image.R.right, m->MasterBitmap->Width());
        EXPECT_LE(image.R.bottom, m->MasterBitmap->Height());
    }
    const TsGeneralData& site = m->gd[size_t(m->GetSkinIndex(L"NEWSITE"))];
    const TsGeneralData& checkBox = m->gd[size_t(m->GetSkinIndex(L"CHECKBOX"))];
    EXPECT_EQ(site.FontColor.Color, vcl::TColor(0xFF0000));
    EXPECT_EQ(site.Transparency, checkBox.Transparency);
    EXPECT_EQ(m->gd[size_t(m->GetSkinIndex(L"NEWPROGRESSALARM"))].BorderIndex,
              m->gd[size_t(m->GetSkinIndex(L"GROUPBOX"))].BorderIndex);
    // Buttons and edits round their corners with key pixels; panels do not.
    EXPECT_EQ(m->ma[size_t(m->gd[size_t(m->GetSkinIndex(L"BUTTON"))].BorderIndex)].CornerType, 1);
    EXPECT_EQ(m->ma[size_t(m->gd[size_t(m->GetSkinIndex(L"PANEL"))].BorderIndex)].CornerType, 0);
}
