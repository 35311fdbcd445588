// Message boxes through the seam, and actions.
#include "windowing_fixtures.h"

#include "vcl/actnlist.h"
#include "vcl/dialogs.h"

using namespace vcl;
using namespace wintest;

TEST_F(WindowTest, ShowMessageAndMessageDlgUseTheTitleTypeAndButtonSet)
{
    testsupport::TMessageBoxRecorder boxes(IDNO);
    String title = Application->Title();
    Application->SetTitle(L"Config Zirvane series");
    ShowMessage(L"Empty value entered");
    using B = TMsgDlgBtn;
    struct Case {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        const wchar_t* Caption;
        UINT Flags;
    };
    const Case cases[] = {
        {TMsgDlgType::mtWarning, {B::mbOK}, L"Warning", MB_OK | MB_ICONWARNING},
        {TMsgDlgType::mtError, {B::mbOK, B::mbCancel}, L"Error", MB_OKCANCEL | MB_ICONERROR},
        {TMsgDlgType::mtInformation, {B::mbYes, B::mbNo}, L"Information", MB_YESNO | MB_ICONINFORMATION},
        {TMsgDlgType::mtConfirmation, {B::mbYes, B::mbNo, B::mbCancel}, L"Confirm", MB_YESNOCANCEL | MB_ICONQUESTION},
        {TMsgDlgType::mtCustom, {B::mbRetry, B::mbCancel}, L"Config Zirvane series", MB_RETRYCANCEL},
        {TMsgDlgType::mtWarning, {B::mbAbort, B::mbRetry, B::mbIgnore}, L"Warning", MB_ABORTRETRYIGNORE | MB_ICONWARNING},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mrNo, MessageDlg(L"text", c.Type, c.Buttons, 0));
    EXPECT_THROW(MessageDlg(L"text", TMsgDlgType::mtWarning, {B::mbYesToAll, B::mbNo}, 0), EInvalidOperation);
    Application->SetTitle(title);

    ASSERT_EQ(1u + std::size(cases), boxes.Boxes().size());
    EXPECT_EQ(L"Empty value entered", boxes.Boxes()[0].Text);
    EXPECT_EQ(L"Config Zirvane series", boxes.Boxes()[0].Caption);
    EXPECT_EQ(UINT(MB_OK), boxes.Boxes()[0].Type);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].Caption, boxes.Boxes()[i + 1].Caption) << i;
        EXPECT_EQ(cases[i].Flags, boxes.Boxes()[i + 1].Type) << i;
    }
}

TEST_F(WindowTest, MessageBoxIsOwnedByTheActiveFormOfOurs)
{
    testsupport::TMessageBoxRecorder boxes;
    TForm* form = NewForm();
    ShowAndPaint(form);
    SetActiveWindow(form->Handle());
    Application->MessageBox(L"owned");
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(form->Handle(), boxes.Boxes()[0].Owner);
}

TEST(Actions, ExecuteCallsOnExecuteAndTellsWhetherItWasAssigned)
{
    auto* list = Create<TActionList>(nullptr);
    auto* withHandler = Create<TAction>(nullptr);
    auto* without = Create<TAction>(nullptr);
    withHandler->SetActionList(list);
    without->SetActionList(list);
    int runs = 0;
    TObject* sender = nullptr;
    withHandler->SetOnExecute(TNotifyEvent([&](TObject* s) {
        ++runs;
        sender = s;
    }));
    EXPECT_TRUE(withHandler->Execute());
    EXPECT_FALSE(without->Execute());
    EXPECT_EQ(1, runs);
    EXPECT_EQ(withHandler, sender);
    EXPECT_EQ(2, list->ActionCount());
    EXPECT_EQ(1, without->Index());
    without->Free();
    EXPECT_EQ(1, list->ActionCount());
    list->Free();
    EXPECT_EQ(nullptr, withHandler->ActionList());
    withHandler->Free();
}
