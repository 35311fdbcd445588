// The edit wrapper over the GALLERY test skin: the skin's colours on a class-library control (by
// name, "FocusColor" too where a control publishes it) and back when the skin goes, a plain EDIT
// in dialog mode, and the messages it answers or changes for list boxes, left-hand bars and
// animations.
#include <gtest/gtest.h>

#include "pump.h"
#include "skin/core/sMessages.h"
#include "skin/core/sVclUtils.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/tests/WrapperTestSupport.h"
#include "vcl/stdctrls.h"
#include "vcl/stdctrls_lists.h"

using namespace skin;
using wraptest::TRecordingWindow;

namespace {

// An edit that publishes a "FocusColor", as edits of other libraries do.
class TFocusColorEdit : public vcl::TEdit {
    CL_CLASS(TFocusColorEdit, vcl::TEdit)
    CL_PUBLISHED
public:
    using vcl::TEdit::TEdit;
    vcl::TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(vcl::TColor Value) { FFocusColor = Value; }

private:
    vcl::TColor FFocusColor = vcl::clAqua;
};

void TFocusColorEdit::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"FocusColor", &TFocusColorEdit::FocusColor, &TFocusColorEdit::SetFocusColor);
}

class EditWrapperTest : public wraptest::WrapperTest {
protected:
    template<class T>
    T* Control()
    {
        auto* control = vcl::Create<T>(Host.get());
        control->SetParent(Host.get());
        control->SetBounds(10, 10, 150, 60);
        control->HandleNeeded();
        return control;
    }
    // A wrapper of the control with skin data of its own, as a form's adapter makes it.
    std::unique_ptr<TacEditWnd> Wrap(vcl::TWinControl* Ctrl)
    {
        Data = std::make_unique<TsCommonData>(Ctrl, true);
        return NewWrapper<TacEditWnd>(Ctrl->Handle(), Data.get(), Manager.get(), L"EDIT", false);
    }
    vcl::TColor EditColour() const { return Manager->gd[size_t(Manager->GetSkinIndex(L"EDIT"))].Color; }
    vcl::TColor EditFontColour() const
    {
        return Manager->gd[size_t(Manager->GetSkinIndex(L"EDIT"))].Props[0].FontColor.Color;
    }

    std::unique_ptr<TsCommonData> Data;
};

LRESULT SkinCommand(HWND Wnd, uint16_t Cmd, LPARAM LParam = 0)
{
    return SendMessageW(Wnd, SkinCommandMessage, SkinCommandWParam(Cmd), LParam);
}

}  // namespace

TEST_F(EditWrapperTest, TheSkinsColoursGoOnByNameAndComeBackWhenTheWindowIsGivenBack)
{
    ASSERT_NE(EditColour(), EditFontColour());
    auto* focused = Control<TFocusColorEdit>();
    auto* plain = Control<vcl::TEdit>();
    plain->SetColor(vcl::clYellow);
    plain->Font()->SetColor(vcl::clGreen);
    for (vcl::TEdit* edit : {static_cast<vcl::TEdit*>(focused), plain}) {
        const vcl::TColor colour = edit->Color(), font = edit->Font()->Color();
        const auto wrapper = Wrap(edit);
        wrapper->SetSkinParams();
        EXPECT_EQ(edit->Color(), EditColour());
        EXPECT_EQ(edit->Font()->Color(), EditFontColour()) << "the font follows the section";
        if (edit == focused)
            EXPECT_EQ(focused->FocusColor(), EditColour());
        UninitializeACScroll(edit->Handle(), false, wrapper.get());
        EXPECT_EQ(edit->Color(), colour);
        EXPECT_EQ(edit->Font()->Color(), font);
    }
    EXPECT_EQ(focused->FocusColor(), vcl::clAqua);
}

TEST_F(EditWrapperTest, APlainEditInDialogModeShowsTheWindowColourInTheSkinsBorderColour)
{
    Manager->SkinData->BorderColor = vcl::TColor(0x204060);
    const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 120, 40,
                                      Host->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    acDlgMode = true;
    const auto wrapper = NewWrapper<TacEditWnd>(edit, nullptr, Manager.get(), L"", false);
    acDlgMode = false;
    EXPECT_TRUE(wrapper->DlgMode);
    EXPECT_EQ(wrapper->SkinData->SkinSection(), L"EDIT");
    wrapper->SetSkinParams();
    EXPECT_EQ(wrapper->Color, vcl::clWindow);
    EXPECT_EQ(wrapper->FrameColor, vcl::TColor(0x204060));
    wraptest::TMemoryDC memory(120, 40);
    SendMessageW(edit, WM_PRINT, reinterpret_cast<WPARAM>(memory.DC()), PRF_NONCLIENT | PRF_CLIENT);
    EXPECT_EQ(memory.Pixel(0, 20), COLORREF(0x204060));
    EXPECT_EQ(memory.Pixel(60, 0), COLORREF(0x204060));
    EXPECT_EQ(memory.Pixel(60, 1), COLORREF(vcl::ColorToRGB(vcl::clWindow))) << "inside the frame";
    EXPECT_EQ(memory.Pixel(60, 20), COLORREF(vcl::ColorToRGB(vcl::clWindow)));
    UninitializeACScroll(edit, false, wrapper.get());
    DestroyWindow(edit);
}

TEST_F(EditWrapperTest, AnEmptyListBoxAnswersNoTopItem)
{
    auto* list = Control<vcl::TListBox>();
    const auto wrapper = Wrap(list);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), -1);
    SendMessageW(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), 0);
}

TEST_F(EditWrapperTest, ALeftHandBarsWindowIsFrozenWhileItScrolls)
{
    Host->Show();
    TRecordingWindow window(Host->Handle(), vcl::TRect(10, 10, 150, 90), WS_VISIBLE | WS_VSCROLL, WS_EX_LEFTSCROLLBAR);
    window.SetScroll(SB_VERT, 0, 99, 10, 0);
    const auto wrapper = NewWrapper<TacEditWnd>(window.Handle(), nullptr, Manager.get(), L"EDIT", false);
    window.Clear();
    const LPARAM action = LPARAM(WM_VSCROLL) << 16 | SB_LINEDOWN;
    SkinCommand(window.Handle(), scmdBeforeScroll, action);
    ASSERT_EQ(window.Received(WM_SETREDRAW).size(), 1u);
    EXPECT_EQ(window.Received(WM_SETREDRAW)[0].WParam, WPARAM(FALSE));
    SkinCommand(window.Handle(), scmdAfterScroll, action);
    ASSERT_EQ(window.Received(WM_SETREDRAW).size(), 2u);
    EXPECT_EQ(window.Received(WM_SETREDRAW)[1].WParam, WPARAM(TRUE));
    ValidateRect(window.Handle(), nullptr);
    SkinCommand(window.Handle(), scmdBeforeScroll, action);
    SkinCommand(window.Handle(), scmdAfterScroll, action);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(window.Handle(), &update, FALSE)) << "repainted after";

    TRecordingWindow right(Host->Handle(), vcl::TRect(10, 100, 150, 180), WS_VISIBLE | WS_VSCROLL);
    const auto other = NewWrapper<TacEditWnd>(right.Handle(), nullptr, Manager.get(), L"EDIT", false);
    right.Clear();
    SkinCommand(right.Handle(), scmdBeforeScroll, action);
    EXPECT_TRUE(right.Received(WM_SETREDRAW).empty()) << "bars at the right: not frozen";
}

TEST_F(EditWrapperTest, DuringAnAnimationTheFrameIsNeitherPaintedNorHandedOn)
{
    TRecordingWindow window(Host->Handle(), vcl::TRect(10, 10, 150, 90), WS_VISIBLE | WS_VSCROLL);
    Host->Show();
    const auto wrapper = NewWrapper<TacEditWnd>(window.Handle(), nullptr, Manager.get(), L"EDIT", false);
    window.Clear();
    InAnimationProcess = true;
    SendMessageW(window.Handle(), WM_NCPAINT, 1, 0);
    InAnimationProcess = false;
    EXPECT_TRUE(window.Received(WM_NCPAINT).empty());
}

TEST_F(EditWrapperTest, AWrapperOfNoWindowWrapsNothing)
{
    const auto wrapper = NewWrapper<TacEditWnd>(nullptr, nullptr, Manager.get(), L"EDIT", true);
    EXPECT_EQ(wrapper->CtrlHandle, nullptr);
    EXPECT_FALSE(wrapper->sBarHorz);
    EXPECT_FALSE(wrapper->sBarVert);
}
