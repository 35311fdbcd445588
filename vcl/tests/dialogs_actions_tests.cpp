// Message boxes and the colour dialog through the seams, the clipboard, and actions.
#include "windowing_fixtures.h"

#include "vcl/actnlist.h"
#include "vcl/clipbrd.h"
#include "vcl/dialogs.h"
#include "vcl/stdctrls.h"

#include <algorithm>
#include <functional>
#include <vector>

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

TEST_F(WindowTest, LinkedControlsFollowTheirActionAndAClickRunsIt)
{
    TForm* form = NewForm();
    auto* action = Create<TAction>(form);
    action->SetCaption(L"Save");
    TObject* executedBy = nullptr;
    action->SetOnExecute(TNotifyEvent([&](TObject* sender) {
        executedBy = static_cast<TBasicAction*>(sender)->ActionComponent();
    }));
    auto* button = NewChild<TButton>(form, 10, 10, 75, 25);
    auto* box = NewChild<TCheckBox>(form, 10, 40, 100, 17);
    int boxClicks = 0;
    box->SetOnClick(TNotifyEvent([&](TObject*) { ++boxClicks; }));
    button->SetAction(action);
    box->SetAction(action);
    EXPECT_EQ(L"Save", button->Caption());
    EXPECT_EQ(L"Save", box->Caption());

    action->SetEnabled(false);
    action->SetCaption(L"Save as");
    action->SetChecked(true);
    EXPECT_FALSE(button->Enabled());
    EXPECT_EQ(L"Save as", button->Caption());
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(0, boxClicks) << "the action's check state is no click";

    action->SetEnabled(true);
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(button, executedBy) << "the click ran the action for the button";
    EXPECT_EQ(nullptr, action->ActionComponent());

    // A control's own OnClick wins over the action's.
    int ownClicks = 0;
    button->SetOnClick(TNotifyEvent([&](TObject*) { ++ownClicks; }));
    executedBy = nullptr;
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(1, ownClicks);
    EXPECT_EQ(nullptr, executedBy);

    action->Free();
    EXPECT_EQ(nullptr, button->Action()) << "a freed action leaves its controls";
    EXPECT_EQ(nullptr, box->Action());
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(2, ownClicks);
}

TEST_F(WindowTest, AnActionLinkedWhileLoadingKeepsTheValuesSetBefore)
{
    TForm* form = Create<TForm>(nullptr);
    BeginLoading(form);
    auto* action = Create<TAction>(form);
    action->SetCaption(L"From the action");
    action->SetHint(L"Action hint");
    auto* button = Create<TButton>(form);
    button->SetParent(form);
    button->SetCaption(L"Own caption");
    button->SetAction(action);
    EndLoading(form);
    EXPECT_EQ(L"Own caption", button->Caption());
    EXPECT_EQ(L"Action hint", button->Hint()) << "an empty hint takes the action's";
    action->SetCaption(L"Changed");
    EXPECT_EQ(L"Changed", button->Caption()) << "later changes reach it all the same";
    form->Free();
}

namespace {

// Runs the application's loop until it has been idle once; Idle sees what OnIdle saw.
void RunOneIdlePass(const std::function<void()>& Idle)
{
    const TIdleEvent saved = Application->OnIdle();
    bool idled = false;
    Application->SetOnIdle(TIdleEvent([&](TObject*, bool& Done) {
        if (!idled)
            Idle();
        idled = true;
        Done = false;  // no waiting for the next message
    }));
    testsupport::PumpFor(0);
    for (int turns = 0; !idled && turns < 1000; ++turns)
        Application->HandleMessage();
    Application->SetOnIdle(saved);
    EXPECT_TRUE(idled);
}

}  // namespace

TEST_F(WindowTest, AnIdlePassUpdatesTheActionsOfShowingControlsBeforeOnIdle)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 10, 10, 200, 100);
    auto* action = Create<TAction>(form);
    std::vector<TObject*> updated;
    action->SetOnUpdate(TNotifyEvent([&](TObject* sender) {
        updated.push_back(sender);
        static_cast<TAction*>(sender)->SetEnabled(false);
    }));
    auto* button = NewChild<TButton>(panel, 10, 10, 75, 25);
    button->SetAction(action);

    // Actions of hidden controls and of hidden forms wait until they show.
    auto* hiddenAction = Create<TAction>(form);
    int hiddenUpdates = 0;
    hiddenAction->SetOnUpdate(TNotifyEvent([&](TObject*) { ++hiddenUpdates; }));
    auto* hiddenButton = NewChild<TButton>(form, 10, 150, 75, 25);
    hiddenButton->SetAction(hiddenAction);
    hiddenButton->SetVisible(false);
    TForm* hiddenForm = NewForm();
    NewChild<TButton>(hiddenForm, 10, 10, 75, 25)->SetAction(hiddenAction);
    ShowAndPaint(form);
    ASSERT_TRUE(button->Enabled());

    bool enabledAtOnIdle = true;
    RunOneIdlePass([&] { enabledAtOnIdle = button->Enabled(); });
    EXPECT_FALSE(enabledAtOnIdle) << "the update comes before OnIdle";
    ASSERT_FALSE(updated.empty());
    EXPECT_EQ(action, updated[0]);
    EXPECT_FALSE(button->Enabled());
    EXPECT_EQ(0, hiddenUpdates);
}

namespace {

// Answers the colour dialog in place of the user, keeping what it was asked.
class TColorChooser {
public:
    explicit TColorChooser(bool choose) : FSaved(Seams())
    {
        Seams().ChooseColor = [this, choose](CHOOSECOLORW& choice) {
            Asked = choice;
            std::copy(choice.lpCustColors, choice.lpCustColors + 16, AskedCustom);
            choice.rgbResult = RGB(1, 2, 3);
            choice.lpCustColors[1] = RGB(0, 0x80, 0xFF);
            return choose;
        };
    }
    ~TColorChooser() { Seams() = FSaved; }
    TColorChooser(const TColorChooser&) = delete;
    TColorChooser& operator=(const TColorChooser&) = delete;
    CHOOSECOLORW Asked{};
    COLORREF AskedCustom[16] = {};

private:
    TSystemSeams FSaved;
};

}  // namespace

TEST_F(WindowTest, ColorDialogAsksTheSeamAndTakesTheChoice)
{
    TForm* form = NewForm();
    auto* dialog = Create<TColorDialog>(form);
    dialog->SetColor(clRed);
    dialog->CustomColors()->Add(L"FF8000");
    dialog->SetOptions({TColorDialogOption::cdFullOpen, TColorDialogOption::cdShowHelp});
    std::vector<String> events;
    dialog->SetOnShow(TNotifyEvent([&](TObject*) { events.push_back(L"show"); }));
    dialog->SetOnClose(TNotifyEvent([&](TObject*) { events.push_back(L"close"); }));
    TColorChooser chooser(true);
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(RGB(255, 0, 0), chooser.Asked.rgbResult);
    EXPECT_EQ(DWORD(CC_RGBINIT | CC_FULLOPEN | CC_SHOWHELP), chooser.Asked.Flags);
    EXPECT_EQ(RGB(0xFF, 0x80, 0), chooser.AskedCustom[0]) << "RRGGBB, red first";
    EXPECT_EQ(RGB(255, 255, 255), chooser.AskedCustom[1]) << "a missing custom colour is white";
    EXPECT_EQ(TColor(RGB(1, 2, 3)), dialog->Color());
    ASSERT_EQ(16, dialog->CustomColors()->Count());
    EXPECT_EQ(L"FF8000", dialog->CustomColors()->Strings(0));
    EXPECT_EQ(L"0080FF", dialog->CustomColors()->Strings(1));
    EXPECT_EQ(L"FFFFFF", dialog->CustomColors()->Strings(15));
    EXPECT_EQ((std::vector<String>{L"show", L"close"}), events);
}

TEST_F(WindowTest, ACancelledColorDialogKeepsTheColourButReturnsTheCustomColours)
{
    TForm* form = NewForm();
    auto* dialog = Create<TColorDialog>(form);
    dialog->SetColor(clNavy);
    dialog->SetOptions({TColorDialogOption::cdPreventFullOpen});
    TColorChooser chooser(false);
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(DWORD(CC_RGBINIT | CC_PREVENTFULLOPEN), chooser.Asked.Flags);
    EXPECT_EQ(clNavy, dialog->Color());
    ASSERT_EQ(16, dialog->CustomColors()->Count());
    EXPECT_EQ(L"0080FF", dialog->CustomColors()->Strings(1));
}

TEST_F(WindowTest, ClipboardTextRoundTripsAndAnEmptyClipboardHasNoText)
{
    const String text = L"Zirvane \u00c4\u00d6 0xFF";
    Clipboard()->SetAsText(text);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT)) << "the system converts it";
    EXPECT_EQ(text, Clipboard()->AsText());
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(L"", Clipboard()->AsText());
}
