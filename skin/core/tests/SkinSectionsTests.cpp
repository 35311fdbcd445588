// The section table of a skin with inherited values, the common sections' merge, the global
// information and the cached common indexes.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "vcl/graphics.h"
#include "vcl/seams.h"
#include "vcl/sysutils.h"

using namespace skin;
using skintest::LoadSkin;
using skintest::TTempSkin;
using vcl::String;
using vcl::TColor;

namespace {

const TsGeneralData& Section(const TsSkinManager& Manager, const String& Name)
{
    const int index = Manager.GetSkinIndex(Name);
    EXPECT_GE(index, 0) << vcl::ToAnsi(Name);
    static const TsGeneralData none;
    return index < 0 ? none : Manager.gd[size_t(index)];
}

void ExpectSameState(const TsGenState& a, const TsGenState& b)
{
    EXPECT_EQ(a.Color, b.Color);
    EXPECT_EQ(a.FontColor.Color, b.FontColor.Color);
    EXPECT_EQ(a.FontColor.Left, b.FontColor.Left);
    EXPECT_EQ(a.GradientPercent, b.GradientPercent);
    EXPECT_EQ(a.GradientData, b.GradientData);
    EXPECT_EQ(a.GradientArray.size(), b.GradientArray.size());
    EXPECT_EQ(a.ImagePercent, b.ImagePercent);
    EXPECT_EQ(a.GlowColor, b.GlowColor);
    EXPECT_EQ(a.GlowSize, b.GlowSize);
    EXPECT_EQ(a.Transparency, b.Transparency);
}

TColor Converted(TColor c) { return TColor(vcl::ColorToRGB(c)); }

// A skin of sections that exercise the inherited reads; clBtnFace is written as -16777201.
const char* const InheritanceSkin =
    "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\nSTATES=2\nCOLOR=15790320\nHOTCOLOR=16777215\n"
    "BORDERSMASK=^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0\nPATTERN=~0000~0000~0004~0004~00~0\n"
    "[BASE]\nSTATES=3\nCOLOR=255\nFONTCOLOR=-16777201\nTCLEFT=4660\nHOTCOLOR=65280\nGLOW=3\nGLOWMARGIN=4\nGSIZE=5\n"
    "HGSIZE=6\nTRANSPARENCY=50\nGRADIENTPERCENT=40\nGRADIENTDATA=255;65280;100;0;0\nSHOWFOCUS=TRUE\n"
    "BORDERSMASK=^0010^0000^0020^0010^0002^0002^0002^0002^1^0^1^0\nPATTERN=~0000~0010~0004~0014~00~0\n"
    "[CHILD]\nPARENTCLASS=BASE\nCOLOR=-1\nFONTCOLOR=-1\nSHOWFOCUS=?\n"
    "[SELFISH]\nPARENTCLASS=SELFISH\nCOLOR=-1\n"
    "[CYCLEA]\nPARENTCLASS=CYCLEB\n"
    "[CYCLEB]\nPARENTCLASS=CYCLEA\nCOLOR=-1\n"
    "[NOGRADIENT]\nGRADIENTPERCENT=60\n"
    "[NAGRADIENT]\nGRADIENTPERCENT=60\nGRADIENTDATA=N/A\n"
    "[SINGLE]\nSTATES=1\nCOLOR=123\nHOTCOLOR=456\n"
    "[SYSCOLOUR]\nCOLOR=-16777201\nFONTCOLOR=-16777201\n";

class SkinSections : public testing::Test {
protected:
    void SetUp() override
    {
        FFolder.WriteMaster(40, 40, 0x808080);
        FFolder.WriteOptions(InheritanceSkin);
    }

    TTempSkin FFolder;
};

}  // namespace

TEST_F(SkinSections, InheritedValues)
{
    const auto m = LoadSkin(FFolder.Folder());
    const TsGeneralData& base = Section(*m, L"BASE");
    const TsGeneralData& child = Section(*m, L"CHILD");
    EXPECT_EQ(child.ParentClass, L"BASE");
    EXPECT_EQ(child.Color, TColor(255));
    // A system colour stays as written in the section itself and is resolved when inherited.
    EXPECT_EQ(base.FontColor.Color, vcl::clBtnFace);
    EXPECT_EQ(child.FontColor.Color, Converted(vcl::clBtnFace));
    EXPECT_EQ(child.FontColor.Left, TColor(4660));
    EXPECT_EQ(child.FontColor.Top, TColor(-1));
    EXPECT_EQ(child.States, 3);
    EXPECT_EQ(child.HotColor, TColor(65280));
    EXPECT_EQ(child.GlowCount, 3);
    EXPECT_EQ(child.Transparency, 50);
    EXPECT_TRUE(child.ShowFocus);
    EXPECT_EQ(child.GradientData, L"255;65280;100;0;0");
    ASSERT_EQ(child.GradientArray.size(), 1u);
    EXPECT_EQ(child.GradientArray[0].Color2, TColor(65280));
    EXPECT_EQ(child.GradientPercent, 40);
    // Defaults where nothing is found: a section naming itself and a cycle of two inherit nothing.
    EXPECT_EQ(Section(*m, L"SELFISH").Color, TColor(0xFFFFFF));
    EXPECT_EQ(Section(*m, L"CYCLEA").Color, TColor(0xFFFFFF));
    EXPECT_EQ(Section(*m, L"CYCLEB").Color, TColor(0xFFFFFF));
    EXPECT_EQ(Section(*m, L"CYCLEA").FadingIterations, 5);
    EXPECT_EQ(Section(*m, L"SYSCOLOUR").Color, Converted(vcl::clBtnFace));
    EXPECT_EQ(Section(*m, L"SYSCOLOUR").FontColor.Color, vcl::clBtnFace);
}

TEST_F(SkinSections, StatesAndGradients)
{
    const auto m = LoadSkin(FFolder.Folder());
    const TsGeneralData& single = Section(*m, L"SINGLE");
    EXPECT_EQ(single.HotColor, TColor(0));
    EXPECT_EQ(single.Props[0].Color, TColor(123));
    ExpectSameState(single.Props[1], single.Props[0]);

    const TsGeneralData& base = Section(*m, L"BASE");
    EXPECT_EQ(base.Props[1].Color, TColor(65280));
    EXPECT_EQ(base.Props[1].GlowSize, 6);
    EXPECT_EQ(base.Props[0].Transparency, 50);

    EXPECT_EQ(Section(*m, L"NOGRADIENT").GradientPercent, 0);
    EXPECT_EQ(Section(*m, L"NOGRADIENT").GradientData, L" ");
    EXPECT_EQ(Section(*m, L"NAGRADIENT").GradientPercent, 60);
    EXPECT_TRUE(Section(*m, L"NAGRADIENT").GradientArray.empty());
}

TEST_F(SkinSections, SectionImagesWithInheritance)
{
    const auto m = LoadSkin(FFolder.Folder());
    const TsGeneralData& base = Section(*m, L"BASE");
    const TsGeneralData& child = Section(*m, L"CHILD");
    EXPECT_EQ(base.BorderIndex, m->GetMaskIndex(L"BASE", L"BORDERSMASK"));
    EXPECT_GE(base.BorderIndex, 0);
    EXPECT_EQ(child.BorderIndex, base.BorderIndex);
    EXPECT_EQ(child.TextureNormal, m->GetMaskIndex(L"BASE", L"PATTERN"));
    EXPECT_EQ(child.ImgTL, -1);
    // The global section holds images of no control: it has neither border nor texture.
    const TsGeneralData& global = Section(*m, L"GLOBALINFO");
    EXPECT_EQ((std::array{global.BorderIndex, global.TextureNormal, global.ImgTL, global.ImgTR, global.ImgBL, global.ImgBR}),
              (std::array{-1, -1, -1, -1, -1, -1}));
}

TEST_F(SkinSections, CommonSectionsAreMergedAfterTheSkins)
{
    const auto m = LoadSkin(FFolder.Folder(),
                            "[NEWSITE]\nPARENTCLASS=Base\nFONTCOLOR=16711680\n[SINGLE]\nCOLOR=999\n"
                            "[GLOWY]\nPARENTCLASS=BASE\nGLOW=-1\nGSIZE=-1\n[ORPHAN]\nGLOW=-1\nCOLOR=77\n");
    const size_t skinSections = 10;
    ASSERT_EQ(m->gd.size(), skinSections + 3);
    EXPECT_EQ(m->gd[skinSections].ClassName, L"NEWSITE");
    EXPECT_EQ(m->gd[skinSections + 2].ClassName, L"ORPHAN");

    const TsGeneralData& base = Section(*m, L"BASE");
    const TsGeneralData& site = Section(*m, L"NEWSITE");
    EXPECT_EQ(site.ParentClass, L"BASE");
    EXPECT_EQ(site.FontColor.Color, TColor(0xFF0000));
    EXPECT_EQ((std::array{site.GlowCount, site.GlowMargin, int(site.GlowSize), int(site.HotGlowSize)}), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(site.Color, base.Color);
    EXPECT_EQ(site.HotColor, base.HotColor);
    EXPECT_EQ(site.FontColor.Left, base.FontColor.Left);
    EXPECT_EQ(site.Transparency, base.Transparency);
    EXPECT_EQ(site.GradientPercent, base.GradientPercent);
    EXPECT_EQ(site.GradientArray.size(), 1u);
    EXPECT_EQ(site.ShowFocus, base.ShowFocus);
    EXPECT_EQ(site.FadingIterations, base.FadingIterations);
    EXPECT_EQ(site.States, base.States);
    EXPECT_EQ(site.Props[1].Color, base.HotColor);
    EXPECT_EQ(site.Props[0].FontColor.Color, TColor(0xFF0000));
    EXPECT_EQ(site.BorderIndex, base.BorderIndex);  // the parent's images through the skin section

    EXPECT_EQ(Section(*m, L"SINGLE").Color, TColor(123));  // a skin section is never changed
    EXPECT_EQ(Section(*m, L"GLOWY").GlowCount, 3);
    EXPECT_EQ(Section(*m, L"GLOWY").GlowSize, 5);
    const TsGeneralData& orphan = Section(*m, L"ORPHAN");
    EXPECT_EQ(orphan.ParentClass, L"-1");
    EXPECT_EQ(orphan.GlowCount, 0);
    EXPECT_EQ(orphan.Color, TColor(77));
    EXPECT_EQ(orphan.FontColor.Left, TColor(-1));
    EXPECT_EQ(orphan.GradientData, L" ");
    EXPECT_EQ(orphan.States, 4);
}

TEST(SkinSectionsFlat, TestSkinSections)
{
    const auto m = LoadSkin(skintest::TestSkinFolder("FLAT"));
    const TsGeneralData& panel = Section(*m, L"PANEL");
    EXPECT_EQ(panel.States, 1);
    ExpectSameState(panel.Props[1], panel.Props[0]);
    const TsGeneralData& gradient = Section(*m, L"GRADIENT");
    EXPECT_EQ(gradient.GradientPercent, 100);
    EXPECT_EQ(gradient.GradientArray.size(), 1u);
    EXPECT_EQ(gradient.HotGradientArray.size(), 1u);
    EXPECT_NE(gradient.GradientArray[0].Color1, gradient.HotGradientArray[0].Color1);
    EXPECT_EQ(Section(*m, L"CHECKBOX").Transparency, 100);
    EXPECT_EQ(Section(*m, L"CHECKBOX").HotTransparency, 100);
    EXPECT_EQ(Section(*m, L"NEWBUTTON").BorderIndex, Section(*m, L"BUTTON").BorderIndex);
    EXPECT_NE(Section(*m, L"BUTTON").Color, Section(*m, L"BUTTON").HotColor);
    EXPECT_NE(Section(*m, L"BUTTON").Color, Section(*m, L"EDIT").Color);
}

TEST(SkinGlobalInfo, ValuesAndDefaults)
{
    TTempSkin folder;
    folder.WriteOptions("[GLOBALINFO]\nVERSION=7.90\nAUTHOR=Us\nBORDERCOLOR=1193046\nAEROBLUR=2\nBICONCLOSEGLOW=7\n");
    vcl::TSystemSeams saved = vcl::Seams();
    vcl::Seams().SystemMetrics = [](int index) { return index == SM_CXSIZEFRAME ? 7 : 0; };
    const auto m = LoadSkin(folder.Folder());
    vcl::Seams() = saved;
    const TsSkinData& d = *m->SkinData;
    EXPECT_EQ(d.Version, 7.9);
    EXPECT_EQ(d.Author, L"Us");
    EXPECT_EQ(d.BorderColor, TColor(1193046));
    EXPECT_TRUE(d.UseAeroBluring);
    EXPECT_EQ(d.BICloseGlow, 7);
    EXPECT_EQ(d.ExBorderWidth, 4);
    EXPECT_EQ(d.ExTitleHeight, 30);
    EXPECT_EQ(d.ExMaxHeight, 30);
    EXPECT_EQ(d.ExContentOffs, 7);
    EXPECT_EQ(d.Shadow1Blur, -1);
    EXPECT_EQ(d.Shadow1Offset, 0);

    folder.WriteOptions("[GLOBALINFO]\nTITLEHEIGHT=22\n");
    EXPECT_EQ(LoadSkin(folder.Folder())->SkinData->ExMaxHeight, 22);
}

TEST(SkinGlobalInfo, StrictValuesEndTheLoad)
{
    for (const char* text : {"[GLOBALINFO]\nSHADOW1OFFSET=abc\n", "[GLOBALINFO]\nBICONMINGLOWMARGIN=\n",
                             "[S]\nGRADIENTDATA=1;2;x;0;0\n"}) {
        SCOPED_TRACE(text);
        TTempSkin folder;
        folder.WriteOptions(text);
        vcl::TObjectPtr<TsSkinManager> m(vcl::Create<TsSkinManager>(nullptr));
        EXPECT_THROW(m->LoadSkinFolder(folder.Folder()), vcl::EConvertError);
    }
}

TEST(SkinConstantIndexes, CommonElements)
{
    const auto m = LoadSkin(skintest::TestSkinFolder("FLAT"));
    const TConstantSkinData& c = m->ConstData;
    EXPECT_EQ(c.IndexGLobalInfo, m->GetSkinIndex(L"GLOBALINFO"));
    ASSERT_GE(c.CheckBoxChecked, 0);
    EXPECT_EQ(m->ma[size_t(c.CheckBoxChecked)].PropertyName, L"BOXCHECKED");
    EXPECT_EQ(m->ma[size_t(c.RadioButtonUnChecked)].PropertyName, L"RADIOUNCHECKED");
    EXPECT_EQ(c.RadioButtonGrayed, -1);
    EXPECT_EQ(c.IndexTabTop, -1);
    EXPECT_EQ(c.ComboBtnIndex, -1);
}

TEST(SkinConstantIndexes, WithoutAGlobalSectionItsImagesAreAbsent)
{
    TTempSkin folder;
    folder.WriteMaster(20, 20, 0x808080);
    folder.WriteOptions("[COMBOBTN]\nBORDERSMASK=^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0\nPATTERN=~0000~0000~0004~0004~00~0\n"
                        "[COMBOBOX]\nGLYPHMASK=@0000@0000@0010@0010@1@0\n[SCROLLBTNTOP]\nPARENTCLASS=COMBOBTN\n");
    const auto m = LoadSkin(folder.Folder());
    const TConstantSkinData& c = m->ConstData;
    const vcl::SmallInt global[] = {c.IndexGLobalInfo, c.CheckBoxChecked, c.CheckBoxUnChecked, c.CheckBoxGrayed,
                                    c.RadioButtonChecked, c.RadioButtonUnChecked, c.RadioButtonGrayed,
                                    c.SmallCheckBoxChecked, c.SmallCheckBoxUnChecked, c.SmallCheckBoxGrayed, c.ExBorder};
    for (vcl::SmallInt index : global)
        EXPECT_EQ(index, -1);
    EXPECT_EQ((std::array{c.GripRightBottom, c.GripHorizontal, c.GripVertical}), (std::array{-1, -1, -1}));
    EXPECT_EQ(c.ComboBtnIndex, m->GetSkinIndex(L"COMBOBTN"));
    EXPECT_EQ(c.ComboBtnBorder, m->GetMaskIndex(L"COMBOBTN", L"BORDERSMASK"));
    EXPECT_EQ(c.ComboBtnBG, m->GetMaskIndex(L"COMBOBTN", L"PATTERN"));
    EXPECT_EQ(c.ComboBtnBGHot, -1);
    EXPECT_EQ(c.ComboGlyph, m->GetMaskIndex(L"COMBOBOX", L"GLYPHMASK"));
    // An inherited border counts for the scroll buttons.
    EXPECT_EQ(c.MaskScrollTop, c.ComboBtnBorder);
    EXPECT_EQ(c.IndexBGScrollTop, c.ComboBtnBG);
    EXPECT_EQ(c.MaskScrollBottom, -1);
}
