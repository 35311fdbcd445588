// A form with each plain control of the class library, saved as a picture for people to look at.
#include "windowing_fixtures.h"

#include "pngfile.h"
#include "testpaths.h"

#include "vcl/buttons.h"
#include "vcl/comctrls.h"
#include "vcl/extctrls.h"
#include "vcl/gauges.h"
#include "vcl/mask.h"
#include "vcl/stdctrls.h"

#include <filesystem>

using namespace vcl;
using namespace wintest;

namespace {

class ScreenshotTest : public WindowTest {
protected:
    template <class T>
    T* Place(TWinControl* parent, int left, int top, int width, int height, const String& caption = String())
    {
        T* control = Create<T>(parent);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        if (!caption.empty())
            control->SetCaption(caption);
        return control;
    }
};

}  // namespace

TEST_F(ScreenshotTest, AFormWithEachPlainControl)
{
    TForm* form = NewForm(640, 420);
    form->SetCaption(L"Plain controls");

    Place<TLabel>(form, 10, 10, 60, 16, L"Label");
    auto* edit = Place<TEdit>(form, 10, 30, 120, 22);
    edit->SetText(L"Edit");
    edit->SetColor(clYellow);
    Place<TButton>(form, 140, 28, 80, 25, L"Button");
    Place<TCheckBox>(form, 230, 30, 90, 20, L"Check box")->SetChecked(true);
    Place<TRadioButton>(form, 330, 30, 100, 20, L"Radio button")->SetChecked(true);
    auto* combo = Place<TComboBox>(form, 440, 30, 180, 22);
    combo->Items()->Add(L"Combo box");
    combo->SetItemIndex(0);

    auto* list = Place<TListBox>(form, 10, 62, 120, 60);
    for (const wchar_t* line : {L"List box", L"Second", L"Third"})
        list->Items()->Add(line);
    Place<TMemo>(form, 140, 62, 130, 60)->Lines()->SetText(L"Memo\r\nwith two lines");
    auto* group = Place<TGroupBox>(form, 280, 58, 150, 64, L"Group box");
    Place<TRadioButton>(group, 10, 20, 120, 18, L"Inside")->SetChecked(true);
    auto* panel = Place<TPanel>(form, 440, 62, 180, 60);
    panel->SetColor(clTeal);
    panel->SetShowCaption(false);

    auto* progress = Place<TProgressBar>(form, 10, 132, 200, 18);
    progress->SetPosition(60);
    Place<TTrackBar>(form, 220, 128, 150, 30)->SetPosition(4);
    Place<TScrollBar>(form, 380, 132, 120, 18);
    auto* shape = Place<TShape>(form, 510, 128, 40, 30);
    shape->Brush()->SetColor(clRed);
    Place<TBevel>(form, 560, 128, 60, 30);

    auto* pages = Place<TPageControl>(form, 10, 165, 300, 120);
    for (const wchar_t* caption : {L"First page", L"Second page", L"Third"}) {
        auto* sheet = Create<TTabSheet>(form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    pages->SetActivePageIndex(1);
    Place<TLabel>(pages->Pages(1), 10, 10, 150, 16, L"On the second page");
    auto* tabs = Place<TTabControl>(form, 320, 165, 300, 60);
    for (const wchar_t* caption : {L"Tab one", L"Tab two"})
        tabs->Tabs()->Add(caption);

    auto* spinned = Place<TEdit>(form, 320, 235, 60, 22);
    auto* updown = Place<TUpDown>(form, 380, 235, 17, 22);
    updown->SetAssociate(spinned);
    updown->SetPosition(42);
    auto* extended = Place<TComboBoxEx>(form, 410, 235, 210, 22);
    extended->ItemsEx()->Add()->SetCaption(L"Extended combo box");
    extended->SetItemIndex(0);
    auto* masked = Place<TMaskEdit>(form, 320, 263, 100, 22);
    masked->SetEditMask(L"!99/99/9999;1;_");
    masked->SetText(L"29/02/2024");
    Place<TSpeedButton>(form, 430, 262, 90, 24, L"Speed button");
    Place<TBitBtn>(form, 530, 262, 90, 25, L"Bit button");

    auto* bar = Place<TToolBar>(form, 0, 0, 640, 29);
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(10, 295, 400, 29);
    bar->SetShowCaptions(true);
    for (const wchar_t* caption : {L"Tool", L"Bar", L"Buttons"})
        Place<TToolButton>(bar, 0, 0, 23, 22, caption);
    auto* gauge = Place<TCGauge>(form, 420, 295, 200, 24);
    gauge->SetProgress(70);

    auto* status = Place<TStatusBar>(form, 0, 0, 640, 19);
    status->Panels()->Add()->SetText(L"Status bar");
    status->Panels()->Items(0)->SetWidth(200);
    status->Panels()->Add()->SetText(L"second panel");

    ShowAndPaint(form);
    testsupport::PumpFor(100);
    const testsupport::TGrab shot = testsupport::Grab(form->Handle());

    // A few controls whose colour is theirs alone show it.
    EXPECT_EQ(RGB(255, 0, 0), shot.ClientPixel(530, 143)) << "shape";
    EXPECT_EQ(RGB(0, 128, 128), shot.ClientPixel(530, 92)) << "panel";
    EXPECT_EQ(RGB(255, 255, 0), shot.ClientPixel(120, 48)) << "edit";
    const TRect sheet = pages->ActivePage()->BoundsRect();
    EXPECT_TRUE(IsWindowVisible(pages->ActivePage()->Handle()));
    EXPECT_FALSE(IsWindowVisible(pages->Pages(0)->Handle()));
    EXPECT_LT(sheet.top, 165 + 120);
    const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(testsupport::SavePng((folder / "vcl_plain_controls.png").wstring(), shot.Width, shot.Height,
                                     std::vector<uint32_t>(shot.Pixels.begin(), shot.Pixels.end())));
}
