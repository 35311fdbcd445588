// The arithmetic of a skinned dialog's frame: its border style, its title-button images and the
// hit test of its title row, as tables.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "skin/windows/acDialogLayout.h"

using namespace skin;

TEST(DialogLayout, BorderStyleFollowsTheWindowStyle)
{
    struct Case {
        uint32_t Style;
        TacBorderStyle Expected;
    };
    const Case cases[] = {
        {WS_POPUP | WS_BORDER, TacBorderStyle::acbsNone},
        {WS_POPUP | WS_THICKFRAME, TacBorderStyle::acbsNone},
        {WS_POPUP | WS_CAPTION | WS_THICKFRAME, TacBorderStyle::acbsSizeable},
        {WS_POPUP | WS_CAPTION | DS_MODALFRAME, TacBorderStyle::acbsDialog},
        {WS_POPUP | WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME, TacBorderStyle::acbsSizeable},
        {WS_CAPTION, TacBorderStyle::acbsSizeable},
        {WS_CHILD | DS_MODALFRAME, TacBorderStyle::acbsDialog},
        {WS_OVERLAPPED, TacBorderStyle::acbsSizeable},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogBorderStyle(c.Style), c.Expected) << std::hex << c.Style;
}

TEST(DialogLayout, ImageFamilyByBorderStyleAndSkin)
{
    struct Case {
        TacBorderStyle Style;
        bool Min, Max;
        TDialogSkinOffer Offer;
        std::wstring Close, Help, Title;
        bool Aligned;
    };
    const TDialogSkinOffer all{true, true};
    const TDialogSkinOffer noAlone{false, true};
    const TDialogSkinOffer noSmall{true, false};
    const Case cases[] = {
        {TacBorderStyle::acbsSingle, false, false, all, L"BICLOSEALONE", L"BICONHELP", L"FORMTITLE", true},
        {TacBorderStyle::acbsSizeable, false, false, noAlone, L"BICONCLOSE", L"BICONHELP", L"FORMTITLE", true},
        {TacBorderStyle::acbsSizeable, true, false, all, L"BICONCLOSE", L"BICONHELP", L"FORMTITLE", true},
        {TacBorderStyle::acbsSingle, false, true, all, L"BICONCLOSE", L"BICONHELP", L"FORMTITLE", true},
        {TacBorderStyle::acbsDialog, false, false, all, L"SICONCLOSE", L"SICONHELP", L"DIALOGTITLE", false},
        {TacBorderStyle::acbsNone, true, true, all, L"SICONCLOSE", L"SICONHELP", L"DIALOGTITLE", false},
        {TacBorderStyle::acbsToolWindow, false, false, all, L"SICONCLOSE", L"SICONHELP", L"DIALOGTITLE", false},
        {TacBorderStyle::acbsDialog, false, false, noSmall, L"BICLOSEALONE", L"BICONHELP", L"DIALOGTITLE", true},
        {TacBorderStyle::acbsDialog, true, true, noSmall, L"BICONCLOSE", L"BICONHELP", L"DIALOGTITLE", true},
    };
    for (const Case& c : cases) {
        const TDialogImageNames names = DialogImageNames(c.Style, c.Min, c.Max, c.Offer);
        SCOPED_TRACE(testing::Message() << int(c.Style) << " min " << c.Min << " max " << c.Max);
        EXPECT_EQ(names.Close, c.Close);
        EXPECT_EQ(names.Help, c.Help);
        EXPECT_EQ(names.Title, c.Title);
        EXPECT_EQ(names.HaveAlignment, c.Aligned);
    }
    const TDialogImageNames small = DialogImageNames(TacBorderStyle::acbsDialog, true, true, all);
    EXPECT_EQ(std::wstring(small.Min), L"SICONMIN");
    EXPECT_EQ(std::wstring(small.Max), L"SICONMAX");
    EXPECT_EQ(std::wstring(small.HelpFallback), L"BICONHELP");
}

namespace {

// A 300 x 150 window, frame 4, caption 20, buttons 18 high laid out from the right by 2 apart:
// close [270, 294], maximise [244, 268], minimise [218, 242], help [192, 216] when shown.
TDialogHitLayout Title(bool Max, bool Min, bool Help)
{
    TDialogHitLayout l;
    l.Size = vcl::TSize(300, 150);
    l.CaptionHeight = 20;
    l.BorderHeight = 4;
    l.BorderWidth = 4;
    l.ButtonHeight = 18;
    l.SmallIconWidth = 16;
    l.EnabledMax = Max;
    l.EnabledMin = Min;
    l.Close = {true, 270, 294};
    l.Max = {Max, 244, 268};
    l.Min = {Min, 218, 242};
    l.Help = {Help, 192, 216};
    return l;
}

}  // namespace

TEST(DialogLayout, HitTestOverTheButtonSets)
{
    // The row spans y 3 to 21: (20 - 18 + 4) div 2 = 3.
    struct Case {
        const char* Name;
        TDialogHitLayout Layout;
        int X;
        int Code;
        bool HotChanges;
    };
    TDialogHitLayout iconic = Title(true, true, false);
    iconic.Iconic = true;
    iconic.EnabledMin = false;
    iconic.EnabledMax = false;
    iconic.EnabledRestore = true;
    TDialogHitLayout disabledMax = Title(true, true, false);
    disabledMax.EnabledMax = false;
    const Case cases[] = {
        {"close alone: icon", Title(false, false, false), 4, HTSYSMENU, true},
        {"close alone: icon's end", Title(false, false, false), 20, HTSYSMENU, true},
        {"close alone: title", Title(false, false, false), 100, HTCAPTION, false},
        {"close alone: close", Title(false, false, false), 270, HTCLOSE, true},
        {"close alone: close's end", Title(false, false, false), 294, HTCLOSE, true},
        {"close alone: hidden maximise", Title(false, false, false), 250, HTCAPTION, false},
        {"close and maximise", Title(true, false, false), 250, HTMAXBUTTON, true},
        {"close and minimise", Title(false, true, false), 230, HTMINBUTTON, true},
        {"all four: help", Title(true, true, true), 200, HTHELP, true},
        {"all four: minimise", Title(true, true, true), 218, HTMINBUTTON, true},
        {"all four: between", Title(true, true, true), 150, HTCAPTION, false},
        {"disabled maximise", disabledMax, 250, HTCAPTION, true},
        {"iconic: restore in the minimise slot", iconic, 230, HTMINBUTTON, true},
        {"iconic: maximise", iconic, 250, HTMAXBUTTON, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const TDialogHit hit = DialogHitTest(c.Layout, vcl::TPoint(c.X, 10));
        EXPECT_EQ(hit.Code, c.Code);
        EXPECT_EQ(hit.HotChanges, c.HotChanges);
        if (c.HotChanges)
            EXPECT_EQ(hit.Hot, c.Code);
    }
}

TEST(DialogLayout, HitTestOffTheRow)
{
    const TDialogHitLayout normal = Title(true, true, false);
    EXPECT_EQ(DialogHitTest(normal, vcl::TPoint(280, 2)).Code, 0) << "above the row";
    EXPECT_EQ(DialogHitTest(normal, vcl::TPoint(280, 22)).Code, 0) << "below the row";
    EXPECT_EQ(DialogHitTest(normal, vcl::TPoint(280, 21)).Code, HTCLOSE) << "the row's last line";
    EXPECT_EQ(DialogHitTest(normal, vcl::TPoint(1, 100)).Code, 0);
    TDialogHitLayout zoomed = normal;
    zoomed.Zoomed = true;
    const TDialogHit edge = DialogHitTest(zoomed, vcl::TPoint(1, 100));
    EXPECT_EQ(edge.Code, HTTRANSPARENT);
    EXPECT_TRUE(edge.HotChanges);
    EXPECT_EQ(edge.Hot, 0);
    EXPECT_EQ(DialogHitTest(zoomed, vcl::TPoint(296, 100)).Code, HTTRANSPARENT);
    EXPECT_EQ(DialogHitTest(zoomed, vcl::TPoint(295, 100)).Code, 0);
    TDialogHitLayout noCaption = normal;
    noCaption.CaptionHeight = 0;  // the row still answers: (0 - 18 + 4) div 2 = -7 to 11
    EXPECT_EQ(DialogHitTest(noCaption, vcl::TPoint(280, 11)).Code, HTCLOSE);
    EXPECT_EQ(DialogHitTest(noCaption, vcl::TPoint(280, 12)).Code, 0);
}
