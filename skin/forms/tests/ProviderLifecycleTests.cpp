// The skin provider's life: the take-over of the form's window procedure and its return, the
// inert second provider, the run-time provider that gives way, the published defaults, and the
// skin editor's preview link with its bounded wait and the skins the editor sends.
#include <algorithm>
#include <memory>
#include <thread>

#include "ManagerTestSupport.h"
#include "ProviderFixtures.h"
#include "skin/core/sSkinManagerPreview.h"
#include "skin/core/sStyleSimply.h"
#include "vcl/extctrls.h"
#include "vcl/properties.h"

using namespace skin;
using skintest::ProviderTest;
using skintest::TLoggingForm;

namespace {

int Listed(vcl::TComponent* Form) { return int(std::count(HookedComponents.begin(), HookedComponents.end(), Form)); }

}  // namespace

TEST_F(ProviderTest, OnlyAFormCanOwnAProvider)
{
    vcl::TObjectPtr<vcl::TPanel> panel(vcl::Create<vcl::TPanel>(nullptr));
    try {
        vcl::Create<TsSkinProvider>(panel.get());
        FAIL() << "no EAbort";
    } catch (const vcl::EAbort& e) {
        EXPECT_EQ(e.Message(), L"TsSkinProvider component may be used with forms only!");
    }
    EXPECT_EQ(panel->ComponentCount(), 0);
}

TEST_F(ProviderTest, TheProviderTakesTheFormOverAndGivesItBack)
{
    TLoggingForm* form = NewForm(vcl::TFormBorderStyle::bsSingle, {vcl::TBorderIcon::biSystemMenu}, false);
    skintest::TMessageSpy& spy = Spy(form);
    auto* provider = vcl::Create<TsSkinProvider>(form);
    EXPECT_EQ(form->WindowProc(), vcl::TWndMethod(provider, &TsSkinProvider::NewWndProc));
    EXPECT_EQ(Listed(form), 1);
    EXPECT_FALSE(form->DoubleBuffered());

    provider->Free();
    EXPECT_EQ(form->WindowProc(), spy.Method());
    EXPECT_EQ(Listed(form), 0);
    spy.Seen.clear();
    for (const uint16_t cmd : {scmdQueryProvider, scmdQuerySkinned, scmdDropCache})
        form->Perform(SkinCommandMessage, SkinCommandWParam(cmd), 0);
    EXPECT_EQ(spy.Count(SkinCommandMessage), 3) << "every message reaches the spy";
}

TEST_F(ProviderTest, ASecondProviderStaysInertAndFreeingItTouchesNothing)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* first = form->Provider;
    const vcl::TWndMethod procedure = form->WindowProc();
    auto* second = vcl::Create<TsSkinProvider>(form);
    EXPECT_TRUE(second->RTEmpty);
    EXPECT_FALSE(second->SystemMenu) << "never prepared";
    EXPECT_EQ(form->WindowProc(), procedure);
    EXPECT_EQ(Listed(form), 1);
    second->Free();
    EXPECT_EQ(form->WindowProc(), procedure);
    EXPECT_EQ(Listed(form), 1);
    EXPECT_EQ(form->Perform(SkinCommandMessage, SkinCommandWParam(scmdQueryProvider), 0),
              reinterpret_cast<LRESULT>(first));
}

TEST_F(ProviderTest, AProviderReadFromTheFormReplacesARunTimeOne)
{
    TLoggingForm* form = NewForm(vcl::TFormBorderStyle::bsSingle, {vcl::TBorderIcon::biSystemMenu}, false);
    skintest::TMessageSpy& spy = Spy(form);
    auto* early = vcl::Create<TsSkinProvider>(form, true);
    EXPECT_TRUE(early->RTInit);
    EXPECT_FALSE(early->SystemMenu) << "waits for the form's first frame";
    auto* late = vcl::Create<TsSkinProvider>(form);
    EXPECT_FALSE(late->RTEmpty);
    ASSERT_EQ(form->ComponentCount(), 1) << "the run-time provider is gone";
    EXPECT_EQ(form->Components(0), late);
    EXPECT_EQ(form->WindowProc(), vcl::TWndMethod(late, &TsSkinProvider::NewWndProc));
    EXPECT_EQ(late->OldWndProc, spy.Method());
    EXPECT_EQ(Listed(form), 1);
}

TEST_F(ProviderTest, PublishedDefaults)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    const auto ordinal = [p](const wchar_t* Name) { return vcl::ReadOrdinalProperty(p, Name).value_or(-1); };
    EXPECT_EQ(ordinal(L"AllowAnimation"), 1);
    EXPECT_EQ(ordinal(L"AllowExtBorders"), 1);
    EXPECT_EQ(ordinal(L"AllowBlendOnMoving"), 1);
    EXPECT_EQ(ordinal(L"CaptionAlignment"), int(vcl::TAlignment::taLeftJustify));
    EXPECT_EQ(ordinal(L"DrawNonClientArea"), 1);
    EXPECT_EQ(ordinal(L"GripMode"), int(TsGripMode::gmNone));
    EXPECT_EQ(ordinal(L"MakeSkinMenu"), 0);
    EXPECT_EQ(ordinal(L"ResizeMode"), int(TsResizeMode::rmStandard));
    EXPECT_EQ(ordinal(L"ScreenSnap"), 0);
    EXPECT_EQ(ordinal(L"SnapBuffer"), 10);
    EXPECT_EQ(ordinal(L"ShowAppIcon"), 1);
    EXPECT_EQ(ordinal(L"UseGlobalColor"), 1);
    EXPECT_TRUE(p->MenuLineSkin().empty());
    EXPECT_TRUE(p->TitleSkin().empty());
    EXPECT_EQ(p->TitleSkinSection(), L"FORMTITLE");
    EXPECT_EQ(p->SkinData()->SkinSection(), L"FORM");
    EXPECT_EQ(p->SkinData()->COC, ckSkinProvider);
    EXPECT_EQ(p->AddedTitle()->Font()->Color(), vcl::clNone);
    EXPECT_TRUE(p->AddedTitle()->ShowMainCaption());
    EXPECT_EQ(p->TitleButtons()->Count(), 0);
    EXPECT_EQ(p->TitleIcon()->Width(), 0);
    EXPECT_EQ(form->Color(), Manager->GetGlobalColor()) << "the skin's global colour";
}

// ---------------------------------------------------------------------------------------------
// The skin editor's preview link

namespace {

constexpr UINT PreviewMessage = 0xA400;

// A window titled as the skin editor, on the calling thread, that answers the announcements.
class TFakeEditor {
public:
    explicit TFakeEditor(LRESULT Answer, int AnswerOneAt = 0) : FAnswer(Answer), FAnswerOneAt(AnswerOneAt)
    {
        FWindow = vcl::AllocateHWnd(vcl::TWndMethod(this, &TFakeEditor::WndProc));
        SetWindowTextW(FWindow, SkinEditorTitle);
    }
    ~TFakeEditor() { vcl::DeallocateHWnd(FWindow); }
    std::vector<LPARAM> Announced;

private:
    void WndProc(vcl::TMessage& Message)
    {
        if (Message.Msg != PreviewMessage || Message.WParam != 3) {
            Message.Result = DefWindowProcW(FWindow, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        Announced.push_back(Message.LParam);
        Message.Result = int(Announced.size()) == FAnswerOneAt ? 1 : FAnswer;
    }
    HWND FWindow;
    LRESULT FAnswer;
    int FAnswerOneAt;
};

class PreviewLink : public ProviderTest {
protected:
    void SetUp() override
    {
        ProviderTest::SetUp();
        acPreviewHandle = nullptr;
        acPreviewRequested = false;
    }
    void TearDown() override
    {
        acPreviewHandle = nullptr;
        acPreviewRequested = false;
        ProviderTest::TearDown();
    }
};

}  // namespace

TEST_F(PreviewLink, TheFirstParameterAsksForTheLinkAndTheAnnouncementIsMadeOnce)
{
    TLoggingForm* form = nullptr;
    {
        skintest::TCommandLineScope line({L"/acpreview"});
        form = NewForm();
    }
    EXPECT_TRUE(acPreviewRequested);
    SendPreviewHandle(form->Handle());
    EXPECT_EQ(acPreviewHandle, form->Handle()) << "no editor: the handle is kept, nothing sent";
    EXPECT_FALSE(acPreviewRequested);

    TFakeEditor editor(0);
    SendPreviewHandle(form->Handle());
    EXPECT_TRUE(editor.Announced.empty()) << "never repeated";
}

TEST_F(PreviewLink, AnnouncementsStopAtTheAnswerOneOrAfterTheirTries)
{
    TLoggingForm* form = NewForm();
    {
        TFakeEditor editor(0, 3);
        acPreviewRequested = true;
        SendPreviewHandle(form->Handle());
        EXPECT_EQ(editor.Announced, std::vector<LPARAM>(3, reinterpret_cast<LPARAM>(form->Handle())));
    }
    TFakeEditor deaf(0);
    acPreviewHandle = nullptr;
    acPreviewRequested = true;
    SendPreviewHandle(form->Handle());
    EXPECT_EQ(deaf.Announced.size(), 101u);
}

TEST_F(PreviewLink, AHungEditorDoesNotHangTheProgram)
{
    TLoggingForm* form = NewForm();
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // The editor's thread makes its window and then stops taking messages.
    std::thread editor([&] {
        const HWND wnd = CreateWindowExW(0, L"STATIC", SkinEditorTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         nullptr, nullptr);
        SetEvent(ready);
        WaitForSingleObject(release, INFINITE);
        DestroyWindow(wnd);
    });
    WaitForSingleObject(ready, INFINITE);
    acPreviewRequested = true;
    SendPreviewHandle(form->Handle());
    EXPECT_EQ(acPreviewHandle, form->Handle());
    SetEvent(release);
    editor.join();
    CloseHandle(release);
    CloseHandle(ready);
}

TEST_F(PreviewLink, TheWindowAnnouncedToTheEditorLoadsTheSkinItSends)
{
    const bool unpackedFirst = UnPackedFirst;
    const vcl::TScopeExit restore([unpackedFirst] { UnPackedFirst = unpackedFirst; });
    skintest::TTempSkin dir;
    skintest::WriteSkin(dir, "Ed", "[GLOBALINFO]\nVERSION=8\n");
    // The editor's record: the skin's name and folder, and its options as the editor holds them.
    auto record = std::make_unique<TacSkinData>();
    record->Magic = SkinDataMagic;
    const auto put = [](auto& Field, const std::string& Text) { std::copy(Text.begin(), Text.end(), Field); };
    put(record->SkinName, "Ed");
    put(record->SkinDir, vcl::ToAnsi(vcl::ExcludeTrailingPathDelimiter(dir.Folder())));
    put(record->Data, "[GLOBALINFO]\r\nVERSION=8\r\n[FROMEDITOR]\r\nCOLOR=255\r\n");
    COPYDATASTRUCT copy{0, sizeof(TacSkinData), record.get()};
    const auto send = [&copy](TLoggingForm* Form) {
        return SendMessageW(Form->Handle(), WM_COPYDATA, SkinDataKind, reinterpret_cast<LPARAM>(&copy));
    };
    TLoggingForm* announced = NewForm();
    TLoggingForm* other = NewForm();
    acPreviewHandle = announced->Handle();

    EXPECT_EQ(send(other), 0) << "a window the editor does not know";
    EXPECT_NE(Manager->SkinName(), L"Ed");
    EXPECT_EQ(send(announced), 1);
    EXPECT_EQ(Manager->SkinName(), L"Ed");
    EXPECT_GE(Manager->GetSkinIndex(L"FROMEDITOR"), 0) << "with the options the editor sent";
}
