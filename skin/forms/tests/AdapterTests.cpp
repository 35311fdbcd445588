// The control adapter of a skinned form, with a factory that records the wrappers asked for: the
// class-name lists choose the wrapper, OnSkinItem and the tag -98 refuse, speed buttons get their
// section from their look, plain labels take the skin's font colour until the skin goes, items
// follow their wrappers' lives, and nested forms get a provider of their own.
#include <initializer_list>

#include "ProviderFixtures.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sFrameAdapter.h"
#include "vcl/buttons.h"
#include "vcl/extctrls.h"
#include "vcl/stdctrls.h"

using namespace skin;
using skintest::ProviderTest;
using skintest::TLoggingForm;

namespace {

// The frame test skin's global font colour.
constexpr vcl::TColor SkinFontColor = vcl::TColor(0x1E140A);

// What the adapter asked the factory for, and the fake it got: a wrapper or handler whose death the
// test decides.
struct TMade {
    int Kind;  // the list's index; -1 for a speed-button handler
    vcl::TControl* Ctrl;
    TsCommonData* SkinData;
    TsSkinManager* Manager;
    vcl::String Section;
    bool* Dead;  // valid until the fake is freed
};

class TRecordingFactory : public TacWrapperFactory {
public:
    std::unique_ptr<TacAdaptedWnd> MakeWrapper(ThirdPartyList::Index Kind, vcl::TWinControl* Ctrl,
                                               TsCommonData* SkinData, TsSkinManager* Manager,
                                               const vcl::String& Section) override
    {
        auto wrapper = std::make_unique<TFakeWrapper>(Freed, Ctrl);
        Made.push_back({int(Kind), Ctrl, SkinData, Manager, Section, &wrapper->Dead});
        return wrapper;
    }
    std::unique_ptr<TacAdaptedButton> MakeSpeedButtonHandler(vcl::TControl* Ctrl, TsCommonData* SkinData,
                                                             TsSkinManager* Manager,
                                                             const vcl::String& Section) override
    {
        auto handler = std::make_unique<TFakeHandler>(Freed, Ctrl);
        Made.push_back({-1, Ctrl, SkinData, Manager, Section, &handler->Dead});
        return handler;
    }

    std::vector<TMade> Made;
    std::vector<vcl::TControl*> Freed;  // the controls whose wrapper or handler was freed, in order

private:
    struct TFakeWrapper final : TacAdaptedWnd {
        TFakeWrapper(std::vector<vcl::TControl*>& AFreed, vcl::TControl* ACtrl) : FreedLog(AFreed), Ctrl(ACtrl) {}
        ~TFakeWrapper() override { FreedLog.push_back(Ctrl); }
        bool Destroyed() const override { return Dead; }
        std::vector<vcl::TControl*>& FreedLog;
        vcl::TControl* Ctrl;
        bool Dead = false;
    };
    struct TFakeHandler final : TacAdaptedButton {
        TFakeHandler(std::vector<vcl::TControl*>& AFreed, vcl::TControl* ACtrl) : FreedLog(AFreed), Ctrl(ACtrl) {}
        ~TFakeHandler() override { FreedLog.push_back(Ctrl); }
        bool Destroyed() const override { return Dead; }
        void ForgetControl() override { Ctrl = nullptr; }
        std::vector<vcl::TControl*>& FreedLog;
        vcl::TControl* Ctrl;
        bool Dead = false;
    };
};

// A windowed control that records the messages and skin commands reaching its window.
template<class T>
class TRecorded : public T {
public:
    using T::T;
    void WndProc(vcl::TMessage& Message) override
    {
        Seen.push_back(Message.Msg);
        if (Message.Msg == SkinCommandMessage)
            Commands.push_back(SkinCommandOf(Message));
        T::WndProc(Message);
    }
    int Count(UINT Msg) const { return int(std::count(Seen.begin(), Seen.end(), Msg)); }
    int CommandCount(uint16_t Cmd) const { return int(std::count(Commands.begin(), Commands.end(), Cmd)); }
    std::vector<UINT> Seen;
    std::vector<uint16_t> Commands;
};

class AdapterTest : public ProviderTest {
protected:
    void SetUp() override
    {
        ProviderTest::SetUp();
        FSavedFactory = SetWrapperFactory(&Factory);
        Form = NewForm();
    }
    void TearDown() override
    {
        ProviderTest::TearDown();
        SetWrapperFactory(FSavedFactory);
    }

    // The list Kind of the manager holds exactly Names.
    void List(ThirdPartyList::Index Kind, std::initializer_list<const wchar_t*> Names)
    {
        vcl::TStringList* list = Manager->ThirdLists[size_t(Kind)].get();
        list->Clear();
        for (const wchar_t* name : Names)
            list->Add(name);
    }
    // A control of class T on Parent (the form when none), with its window when windowed.
    template<class T>
    T* Place(vcl::TWinControl* Parent = nullptr, intptr_t Tag = 0)
    {
        auto* control = vcl::Create<T>(Form);
        control->SetTag(Tag);
        control->SetParent(Parent ? Parent : Form);
        if constexpr (std::is_base_of_v<vcl::TWinControl, T>)
            control->HandleNeeded();
        return control;
    }
    // The provider's repaint command, which lets the adapter walk the form.
    void Repaint() { Form->Perform(SkinCommandMessage, SkinCommandWParam(scmdRepaint), AsLParam(Manager.get())); }
    static LPARAM AsLParam(TsSkinManager* M) { return reinterpret_cast<LPARAM>(M); }
    TacCtrlAdapter* Adapter() { return Form->Provider->Adapter.get(); }
    void OnSkinItem(TAddItemEvent Event) { Form->Provider->SetOnSkinItem(Event); }
    std::vector<vcl::TControl*> WrappedControls() const
    {
        std::vector<vcl::TControl*> controls;
        for (const TMade& made : Factory.Made)
            controls.push_back(made.Ctrl);
        return controls;
    }

    TRecordingFactory Factory;
    TLoggingForm* Form = nullptr;

private:
    TacWrapperFactory* FSavedFactory = nullptr;
};

bool Opaque(vcl::TControl* Control) { return Control->ControlStyle().Contains(vcl::TControlStyleItem::csOpaque); }

}  // namespace

TEST_F(AdapterTest, TheListThatNamesTheClassChoosesTheWrapper)
{
    auto* button = Place<vcl::TButton>();
    Place<vcl::TEdit>();
    Repaint();
    ASSERT_EQ(Factory.Made.size(), 1u) << "the program's lists name only TButton";
    const TMade& made = Factory.Made[0];
    EXPECT_EQ(made.Kind, ThirdPartyList::ThirdButtons);
    EXPECT_EQ(made.Ctrl, button);
    EXPECT_EQ(made.Manager, Manager.get());
    EXPECT_EQ(made.Section, L"");
    ASSERT_EQ(Adapter()->Count(), 1);
    EXPECT_EQ(made.SkinData, Adapter()->GetItem(0)->SkinData.get());
    EXPECT_EQ(made.SkinData->COC, ckAdapterItem);
    EXPECT_EQ(made.SkinData->FOwnerControl, button);
    EXPECT_EQ(Adapter()->GetItem(1), nullptr) << "an index equal to Count";

    Repaint();
    EXPECT_EQ(Factory.Made.size(), 1u) << "a live wrapper is kept";
}

TEST_F(AdapterTest, EachListGivesItsKindAndTheKindsSection)
{
    struct TCase {
        ThirdPartyList::Index Kind;
        const wchar_t* Section;  // none: no wrapper
    };
    for (const TCase& c :
         {TCase{ThirdPartyList::ThirdPanels, L""}, TCase{ThirdPartyList::ThirdScrollControl, L"PANEL_LOW"},
          TCase{ThirdPartyList::ThirdScrollBar, L"CHECKBOX"}, TCase{ThirdPartyList::ThirdSpeedButton, nullptr}}) {
        SCOPED_TRACE(int(c.Kind));
        Factory.Made.clear();
        List(ThirdPartyList::ThirdButtons, {});
        for (int kind = 0; kind < ThirdPartyList::Count; ++kind)
            List(ThirdPartyList::Index(kind), kind == c.Kind ? std::initializer_list<const wchar_t*>{L"TPanel"}
                                                             : std::initializer_list<const wchar_t*>{L" "});
        const vcl::TObjectPtr<vcl::TPanel> panel(Place<vcl::TPanel>());
        Repaint();
        if (c.Section) {
            ASSERT_EQ(WrappedControls(), std::vector<vcl::TControl*>{panel.get()});
            EXPECT_EQ(Factory.Made[0].Kind, int(c.Kind));
            EXPECT_EQ(Factory.Made[0].Section, c.Section);
        } else {
            EXPECT_TRUE(Factory.Made.empty());
        }
        Form->Provider->AdapterRemove();
    }
}

TEST_F(AdapterTest, TheFirstListInOrderWinsAndNamesCompareExactly)
{
    List(ThirdPartyList::ThirdEdits, {L"TEDIT", L" TEdit"});
    List(ThirdPartyList::ThirdPanels, {L"TEdit"});
    List(ThirdPartyList::ThirdTreeViews, {L"TEdit"});
    Place<vcl::TEdit>();
    Repaint();
    ASSERT_EQ(Factory.Made.size(), 1u);
    EXPECT_EQ(Factory.Made[0].Kind, ThirdPartyList::ThirdPanels);
}

TEST_F(AdapterTest, ATagOfMinus98IsNeverTaken)
{
    List(ThirdPartyList::ThirdSpeedButton, {L"TSpeedButton"});
    auto* button = Place<vcl::TButton>(nullptr, -98);
    auto* label = Place<vcl::TLabel>(nullptr, -98);
    auto* speed = Place<vcl::TSpeedButton>(nullptr, -98);
    label->Font()->SetColor(vcl::clRed);
    Repaint();
    Adapter()->AddNewItem(button);
    Adapter()->AddNewItem(speed);
    EXPECT_TRUE(Factory.Made.empty());
    EXPECT_EQ(Adapter()->Count(), 0);
    EXPECT_EQ(label->Font()->Color(), vcl::clRed);
}

TEST_F(AdapterTest, ASpeedButtonsSectionFollowsItsLookWhateverTheEventSaid)
{
    List(ThirdPartyList::ThirdSpeedButton, {L"TSpeedButton"});
    vcl::String proposed;
    OnSkinItem([&proposed](vcl::TComponent*, bool&, vcl::String& Section) {
        proposed = Section;
        Section = L"PANEL";
    });
    auto* flat = Place<vcl::TSpeedButton>();
    flat->SetFlat(true);
    auto* raised = Place<vcl::TSpeedButton>();
    auto* skinned = Place<TsSpeedButton>();
    Repaint();
    EXPECT_EQ(proposed, L"SPEEDBUTTON");
    ASSERT_EQ(WrappedControls(), (std::vector<vcl::TControl*>{flat, raised})) << "a skinned button is left alone";
    EXPECT_EQ(Factory.Made[0].Kind, -1);
    EXPECT_EQ(Factory.Made[0].Section, L"SPEEDBUTTON_SMALL");
    EXPECT_EQ(Factory.Made[1].Section, L"SPEEDBUTTON");
    EXPECT_EQ(Adapter()->GraphItems.size(), 2u);
    EXPECT_EQ(Adapter()->Count(), 0) << "speed buttons are graphic items";
    (void)skinned;
}

TEST_F(AdapterTest, AnUnlistedSpeedButtonAndARefusedControlStayPlain)
{
    auto* speed = Place<vcl::TSpeedButton>();
    auto* button = Place<vcl::TButton>();
    std::vector<vcl::TComponent*> asked;
    OnSkinItem([&asked, button](vcl::TComponent* Item, bool& CanBeAdded, vcl::String&) {
        asked.push_back(Item);
        CanBeAdded = Item != button;
    });
    Repaint();
    EXPECT_TRUE(Factory.Made.empty());
    EXPECT_EQ(std::count(asked.begin(), asked.end(), speed), 0) << "an unlisted speed button is not even offered";
    EXPECT_GE(std::count(asked.begin(), asked.end(), button), 1);
}

TEST_F(AdapterTest, PlainLabelsTakeTheSkinsFontColourUnlessRefused)
{
    ASSERT_EQ(DefaultManager, Manager.get());
    ASSERT_EQ(Manager->GetGlobalFontColor(), SkinFontColor);
    auto* panel = Place<vcl::TPanel>();
    auto* taken = Place<vcl::TLabel>(panel);
    auto* refused = Place<vcl::TLabel>();
    auto* custom = Place<vcl::TCustomLabel>();
    auto* customKept = Place<vcl::TCustomLabel>(nullptr, 98);
    auto* taggedLabel = Place<vcl::TLabel>(nullptr, 98);
    auto* skinnedLabel = Place<TsLabel>();
    for (vcl::TCustomLabel* label :
         std::initializer_list<vcl::TCustomLabel*>{taken, refused, custom, customKept, taggedLabel}) {
        label->SetTransparent(false);
        label->Font()->SetColor(vcl::clRed);
    }
    skinnedLabel->Font()->SetColor(vcl::clRed);
    OnSkinItem([refused](vcl::TComponent* Item, bool& CanBeAdded, vcl::String&) { CanBeAdded = Item != refused; });
    Repaint();

    for (vcl::TCustomLabel* label : std::initializer_list<vcl::TCustomLabel*>{taken, custom, taggedLabel}) {
        EXPECT_EQ(label->Font()->Color(), SkinFontColor) << label->ClassName();
        EXPECT_FALSE(Opaque(label)) << label->ClassName();
    }
    for (vcl::TCustomLabel* label : std::initializer_list<vcl::TCustomLabel*>{refused, customKept}) {
        EXPECT_EQ(label->Font()->Color(), vcl::clRed) << label->ClassName();
        EXPECT_TRUE(Opaque(label)) << label->ClassName();
    }
    EXPECT_EQ(skinnedLabel->Font()->Color(), vcl::clRed) << "a skinned label colours itself";
}

TEST_F(AdapterTest, OnlyTheSkinsRemovalGivesTheLabelsTheirLookBack)
{
    auto* label = Place<vcl::TLabel>();
    label->SetTransparent(false);
    auto* button = Place<TRecorded<vcl::TButton>>();
    Repaint();
    ASSERT_EQ(label->Font()->Color(), SkinFontColor);
    ASSERT_EQ(WrappedControls(), std::vector<vcl::TControl*>{button});

    Form->Provider->SetDrawNonClientArea(false);
    EXPECT_EQ(label->Font()->Color(), SkinFontColor);
    EXPECT_FALSE(Opaque(label));

    Manager->SendRemoveSkin();
    EXPECT_EQ(label->Font()->Color(), vcl::clWindowText);
    EXPECT_TRUE(Opaque(label));
    EXPECT_EQ(Adapter(), nullptr);
    EXPECT_EQ(Factory.Freed, std::vector<vcl::TControl*>{button});
    EXPECT_EQ(button->CommandCount(scmdSkinRemoved), 1) << "the wrapper is told before it goes";
}

TEST_F(AdapterTest, OneCleanDropsAdjacentDeadItemsAndKeepsTheOthersOrder)
{
    std::vector<vcl::TControl*> buttons;
    for (int i = 0; i < 4; ++i)
        buttons.push_back(Place<vcl::TButton>());
    Repaint();
    ASSERT_EQ(Adapter()->Count(), 4);
    *Factory.Made[1].Dead = true;
    *Factory.Made[2].Dead = true;
    Adapter()->CleanItems();
    ASSERT_EQ(Adapter()->Count(), 2);
    EXPECT_EQ(Adapter()->GetItem(0)->WinCtrl, buttons[0]);
    EXPECT_EQ(Adapter()->GetItem(1)->WinCtrl, buttons[3]);
    EXPECT_EQ(Factory.Freed, (std::vector<vcl::TControl*>{buttons[1], buttons[2]}));
}

TEST_F(AdapterTest, RemovingAnItemMovesTheLastIntoItsPlace)
{
    std::vector<vcl::TControl*> buttons;
    for (int i = 0; i < 3; ++i)
        buttons.push_back(Place<vcl::TButton>());
    Repaint();
    Adapter()->RemoveItem(0);
    ASSERT_EQ(Adapter()->Count(), 2);
    EXPECT_EQ(Adapter()->GetItem(0)->WinCtrl, buttons[2]);
    EXPECT_EQ(Adapter()->GetItem(1)->WinCtrl, buttons[1]);
    EXPECT_EQ(Factory.Freed, std::vector<vcl::TControl*>{buttons[0]});
}

TEST_F(AdapterTest, AControlAddedTwiceKeepsOneItemAndIsWrappedAfreshAfterItsWrapperDied)
{
    auto* button = Place<vcl::TButton>();
    Repaint();
    Adapter()->AddNewItem(button);
    ASSERT_EQ(Adapter()->Count(), 1);
    ASSERT_EQ(Factory.Made.size(), 1u);
    TacAdapterItem* item = Adapter()->GetItem(0);

    *Factory.Made[0].Dead = true;
    Adapter()->AddNewItem(button);
    ASSERT_EQ(Adapter()->Count(), 1);
    EXPECT_EQ(Adapter()->GetItem(0), item);
    ASSERT_EQ(Factory.Made.size(), 2u);
    EXPECT_EQ(Factory.Made[1].Ctrl, button);
    EXPECT_EQ(Factory.Freed, std::vector<vcl::TControl*>{button}) << "the dead wrapper is freed";
}

TEST_F(AdapterTest, ALiveWrapperAloneHearsTheAdaptersMessages)
{
    auto* live = Place<TRecorded<vcl::TButton>>();
    auto* dead = Place<TRecorded<vcl::TButton>>();
    Repaint();
    *Factory.Made[1].Dead = true;
    vcl::TMessage message{};
    message.Msg = WM_USER + 7;
    Adapter()->WndProc(message);
    EXPECT_EQ(live->Count(WM_USER + 7), 1);
    EXPECT_EQ(dead->Count(WM_USER + 7), 0);
}

TEST_F(AdapterTest, AnItemWithoutAWrapperIsDroppedAtOnce)
{
    Place<vcl::TButton>();
    SetWrapperFactory(nullptr);
    Repaint();
    EXPECT_EQ(Adapter()->Count(), 0) << "the program's factory makes none yet";
    SetWrapperFactory(&Factory);
}

TEST_F(AdapterTest, AFrameGetsAFrameAdapterOfItsOwnAndNoWrapper)
{
    auto* frame = Place<vcl::TFrame>();
    Repaint();
    TsFrameAdapter* adapter = nullptr;
    for (int i = 0; i < frame->ComponentCount(); ++i) {
        if (auto* found = dynamic_cast<TsFrameAdapter*>(frame->Components(i)))
            adapter = found;
    }
    ASSERT_NE(adapter, nullptr) << "owned by the frame";
    EXPECT_EQ(adapter->SkinData()->SkinSection(), L"GROUPBOX");
    EXPECT_EQ(frame->Perform(SkinCommandMessage, SkinCommandWParam(scmdQuerySkinned), 0), 1);
    EXPECT_TRUE(Factory.Made.empty());
    EXPECT_EQ(Adapter()->Count(), 0);
    Repaint();
    int count = 0;
    for (int i = 0; i < frame->ComponentCount(); ++i)
        count += dynamic_cast<TsFrameAdapter*>(frame->Components(i)) != nullptr;
    EXPECT_EQ(count, 1) << "a skinned frame is not taken twice";
}

TEST_F(AdapterTest, WithoutThirdPartyRulesNothingIsTouched)
{
    Manager->SetSkinningRules({TacSkinningRule::srStdForms, TacSkinningRule::srStdDialogs});
    auto* label = Place<vcl::TLabel>();
    label->Font()->SetColor(vcl::clRed);
    Place<vcl::TButton>();
    Repaint();
    EXPECT_TRUE(Factory.Made.empty());
    EXPECT_EQ(label->Font()->Color(), vcl::clRed);
    EXPECT_TRUE(Opaque(label));
}

TEST_F(AdapterTest, ANestedFormGetsAProviderOfItsOwn)
{
    struct TCase {
        const wchar_t* EventSection;
        const wchar_t* Section;
    };
    for (const TCase& c : {TCase{L"", L"FORM"}, TCase{L"DIALOG", L"DIALOG"}}) {
        SCOPED_TRACE(c.Section);
        auto* nested = vcl::Create<vcl::TForm>(nullptr);
        Forms.push_back(nested);
        // The form offers a control to the adapter as soon as it is placed on it.
        OnSkinItem([nested, &c](vcl::TComponent* Item, bool&, vcl::String& Section) {
            if (Item == nested)
                Section = c.EventSection;
        });
        nested->SetParent(Form);
        nested->HandleNeeded();
        Repaint();
        const auto provider = reinterpret_cast<TsSkinProvider*>(
            nested->Perform(SkinCommandMessage, SkinCommandWParam(scmdQueryProvider), 0));
        ASSERT_NE(provider, nullptr);
        EXPECT_EQ(provider->Owner(), nested);
        EXPECT_EQ(provider->SkinData()->SkinSection(), c.Section);
        EXPECT_EQ(Adapter()->Count(), 0);
    }
    OnSkinItem({});
}
