// The skin manager's services on real forms: the reach of its broadcasts through the application
// and the skinned-forms list, frozen forms, a manager read from a form, the events of a skin change,
// the hot control, reloads by property, batch updates, colours, the window-creation hook, the
// shadow templates and the unit start-ups.
#include <gtest/gtest.h>

#include "ManagerTestSupport.h"
#include "SkinTestControls.h"
#include "pump.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "skin/windows/acDials.h"
#include "vcl/graphics.h"
#include "vcl/pictures.h"
#include "vcl/sysutils.h"

using namespace skin;
using skintest::NewManager;
using skintest::TCommandLineScope;
using skintest::TLoggingForm;
using skintest::TLoggingGraphic;
using skintest::TLoggingPanel;
using skintest::TManagerPtr;
using skintest::TTempSkin;
using skintest::WriteSkin;
using testsupport::TMessageBoxRecorder;
using vcl::String;

namespace {

class SkinBroadcasts : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        WriteSkin(Dir, "S", "[GLOBALINFO]\nVERSION=8\n[PANEL]\nCOLOR=255\n");
        Manager = NewManager(Dir.Folder());
    }
    void TearDown() override
    {
        for (auto it = Forms.rbegin(); it != Forms.rend(); ++it)
            (*it)->Free();
        Manager.reset();
        testsupport::PumpFor(0);
    }

    // A form of the application, with a provider of the test kind when Skinned.
    TLoggingForm* NewForm(bool Skinned)
    {
        auto* form = vcl::Create<TLoggingForm>(vcl::Application);
        form->SetBounds(100 + 20 * int(Forms.size()), 100, 200, 150);
        if (Skinned)
            form->AddProvider();
        Forms.push_back(form);
        return form;
    }
    template<class T>
    T* Child(vcl::TWinControl* Parent, bool Skinned = false)
    {
        T* control = vcl::Create<T>(Parent);
        control->SetParent(Parent);
        control->SetBounds(0, 0, 50, 30);
        if constexpr (std::is_same_v<T, TLoggingPanel>)
            control->Skinned = Skinned;
        return control;
    }
    static TsSkinProvider* ProviderOf(TLoggingForm* Form) { return Form->Provider; }

    TTempSkin Dir;
    TManagerPtr Manager;
    std::vector<vcl::TForm*> Forms;
};

uint32_t Locked(TLoggingForm* Form) { return Form->Provider->FormState & TsSkinProvider::fsPaintLocked; }

bool RedrawOn(vcl::TForm* Form) { return GetWindowLongPtrW(Form->Handle(), GWL_STYLE) & WS_VISIBLE; }

}  // namespace

TEST_F(SkinBroadcasts, ANewSkinReachesEveryFormOnceAndSkinnedControlsInPlainContainers)
{
    TLoggingForm* skinned1 = NewForm(true);
    TLoggingForm* skinned2 = NewForm(true);
    TLoggingForm* plain = NewForm(false);
    skinned1->Show();
    skinned2->HandleNeeded();
    auto* container = Child<TLoggingPanel>(plain);
    auto* inner = Child<TLoggingPanel>(container, true);
    container->HandleNeeded();
    inner->HandleNeeded();

    Manager->SetSkinName(L"S");
    for (TLoggingForm* form : {skinned1, skinned2, plain}) {
        EXPECT_EQ(form->Log.Count(scmdSkinLoaded), 1);
        EXPECT_EQ(form->Log.Count(scmdRepaint), 1);
    }
    EXPECT_EQ(skinned1->Log.LParams[size_t(std::ranges::find(skinned1->Log.Commands, scmdSkinLoaded) -
                                           skinned1->Log.Commands.begin())],
              reinterpret_cast<LPARAM>(Manager.get()));
    EXPECT_EQ(inner->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(container->Log.Count(scmdSkinLoaded), 0);
    EXPECT_FALSE(Locked(skinned1));
    EXPECT_TRUE(RedrawOn(skinned1));

    Manager->SetActive(false);
    for (TLoggingForm* form : {skinned1, skinned2, plain})
        EXPECT_EQ(form->Log.Count(scmdSkinRemoved), 1);

    Manager->SetActive(true);
    Manager->UpdateSkinSection(L"panel");
    EXPECT_EQ(GlobalSectionName, L"PANEL");
    EXPECT_EQ(inner->Log.Count(scmdSectionChanged), 1);
    EXPECT_EQ(skinned2->Log.Count(scmdSectionChanged), 1);
}

TEST_F(SkinBroadcasts, FormsFreedDuringTheWalkStopNobodyElse)
{
    TLoggingForm* last = NewForm(false);
    TLoggingForm* freed = NewForm(false);
    TLoggingForm* first = NewForm(false);  // the walk goes from the last form made to the first
    TLoggingForm* skinned = NewForm(true);
    skinned->HandleNeeded();
    first->Log.OnCommand = [&](uint16_t cmd) {
        if (cmd == scmdSkinLoaded && freed) {
            std::erase(Forms, freed);
            freed->Free();
            freed = nullptr;
        }
    };
    auto* dying = Child<TLoggingGraphic>(skinned);
    auto* sibling = Child<TLoggingGraphic>(skinned);
    dying->Destroying();
    Manager->SetSkinName(L"S");
    EXPECT_EQ(first->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(last->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(skinned->Log.Count(scmdSkinLoaded), 1);  // the skinned-forms list still runs
    EXPECT_EQ(dying->Log.Count(scmdSkinLoaded), 0);
    EXPECT_EQ(sibling->Log.Count(scmdSkinLoaded), 1);
}

TEST_F(SkinBroadcasts, WithoutTheApplicationObjectABroadcastReachesNobody)
{
    TLoggingForm* skinned = NewForm(true);
    skinned->HandleNeeded();
    vcl::TApplication* application = vcl::Application;
    vcl::Application = nullptr;  // as when a manager outlives it
    vcl::TMessage message = MakeSkinMessage(scmdSkinRemoved, reinterpret_cast<LPARAM>(Manager.get()));
    AppBroadCastS(message);
    vcl::Application = application;
    EXPECT_EQ(skinned->Log.Count(scmdSkinRemoved), 0);
}

TEST_F(SkinBroadcasts, AThrowingReceiverLeavesNoFormFrozen)
{
    TLoggingForm* form = NewForm(true);
    form->Show();
    auto* receiver = Child<TLoggingGraphic>(form);
    bool animatedDuringBroadcast = false;
    receiver->Log.OnCommand = [&](uint16_t cmd) {
        if (cmd != scmdSkinLoaded)
            return;
        animatedDuringBroadcast = InAnimationProcess;
        EXPECT_TRUE(RestrictDrawing);
        EXPECT_TRUE(Locked(form));
        EXPECT_FALSE(IsWindowVisible(form->Handle()));  // redraw is off
        throw vcl::Exception(L"receiver failed");
    };
    EXPECT_THROW(Manager->SetSkinName(L"S"), vcl::Exception);
    EXPECT_TRUE(animatedDuringBroadcast);
    EXPECT_FALSE(Locked(form));
    EXPECT_FALSE(form->Provider->FInAnimation);
    EXPECT_TRUE(RedrawOn(form));
    EXPECT_FALSE(RestrictDrawing);
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_FALSE(aSkinChanging);
}

TEST_F(SkinBroadcasts, LockingFreezesVisibleListedFormsOfTheManagerOnly)
{
    TLoggingForm* shown = NewForm(true);
    TLoggingForm* hidden = NewForm(true);
    TLoggingForm* foreign = NewForm(true);
    shown->Show();
    foreign->Show();
    hidden->HandleNeeded();
    TManagerPtr other = NewManager(Dir.Folder());
    foreign->Provider->SkinData()->SetSkinManager(other.get());

    LockForms(Manager.get());
    EXPECT_TRUE(Locked(shown));
    EXPECT_TRUE(shown->Provider->FInAnimation);
    EXPECT_FALSE(RedrawOn(shown));
    EXPECT_FALSE(Locked(hidden));
    EXPECT_FALSE(Locked(foreign));
    EXPECT_TRUE(InAnimationProcess);  // the default manager's skin change is animated

    UnLockForms(Manager.get(), false);
    EXPECT_FALSE(Locked(shown));
    EXPECT_TRUE(shown->Provider->FInAnimation);  // only a repaint ends the animation
    EXPECT_TRUE(RedrawOn(shown));
    EXPECT_FALSE(InAnimationProcess);

    LockForms(Manager.get());
    UnLockForms(Manager.get(), true);
    EXPECT_FALSE(Locked(shown));
    EXPECT_FALSE(shown->Provider->FInAnimation);
    EXPECT_TRUE(RedrawOn(shown));

    foreign->Provider->SkinData()->SetSkinManager(nullptr);
}

TEST_F(SkinBroadcasts, AManagerReadFromAFormLoadsAtOnceAndBroadcastsWhenTheFormIsLoaded)
{
    Manager.reset();  // the manager read from the form becomes the default one
    TLoggingForm* form = NewForm(false);
    form->HandleNeeded();
    vcl::TObjectPtr<vcl::TComponent> root(vcl::Create<vcl::TComponent>(nullptr));
    vcl::BeginLoading(root.get());
    auto* loaded = vcl::Create<TsSkinManager>(root.get());
    int activations = 0;
    loaded->SetOnActivate(vcl::TNotifyEvent([&](vcl::TObject*) { ++activations; }));
    loaded->SetSkinDirectory(Dir.Folder());
    loaded->SetSkinName(L"S");
    EXPECT_GE(loaded->GetSkinIndex(L"PANEL"), 0) << "loaded at once";
    EXPECT_TRUE(form->Log.Commands.empty()) << "but not broadcast";
    EXPECT_EQ(activations, 0);
    EXPECT_FALSE(loaded->GlobalHookInstalled);

    vcl::EndLoading(root.get());
    EXPECT_EQ(form->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(form->Log.Count(scmdRepaint), 0);
    EXPECT_EQ(form->Log.Count(scmdStopFade), 0);
    EXPECT_EQ(activations, 1);
    EXPECT_TRUE(loaded->SkinData->Active);
    EXPECT_TRUE(loaded->GlobalHookInstalled);
    EXPECT_NE(HookCallback, nullptr);
    EXPECT_EQ(loaded->MenuSupport()->IcoLineSkin(), L"ICOLINE");
    root.reset();
    EXPECT_EQ(HookCallback, nullptr);
}

TEST_F(SkinBroadcasts, AChangeOfSkinIsAnnouncedBeforeAndAfterAndTheLoadEndsBeforeTheBroadcast)
{
    WriteSkin(Dir, "OLD", "[GLOBALINFO]\nVERSION=6.5\n[PANEL]\nCOLOR=1\n");
    Manager->SetSkinName(L"S");
    TLoggingForm* form = NewForm(false);
    form->HandleNeeded();
    std::vector<String> events;
    const auto record = [&](const wchar_t* Event) {
        return vcl::TNotifyEvent([&events, Event, this](vcl::TObject* Sender) {
            EXPECT_EQ(Sender, Manager.get());
            events.push_back(String(Event) + L" " + Manager->SkinName() + (aSkinChanging ? L" changing" : L""));
        });
    };
    Manager->SetOnBeforeChange(record(L"before"));
    Manager->SetOnActivate(record(L"activate"));
    Manager->SetOnDeactivate(record(L"deactivate"));
    Manager->SetOnAfterChange(record(L"after"));
    form->Log.OnCommand = [&](uint16_t cmd) {
        if (cmd == scmdSkinLoaded || cmd == scmdSkinRemoved)
            events.push_back((cmd == scmdSkinLoaded ? L"loaded " : L"removed ") + Manager->SkinName() +
                             (aSkinChanging ? L" changing" : L""));
    };
    TCommandLineScope commandLine({L"/actest"});
    TMessageBoxRecorder boxes;
    const vcl::TSystemSeams recorder = vcl::Seams();
    vcl::Seams().MessageBox = [&](HWND Owner, const String& Text, const String& Caption, UINT Type) {
        events.push_back(String(L"box") + (aSkinChanging ? L" changing" : L""));
        return recorder.MessageBox(Owner, Text, Caption, Type);
    };

    Manager->SetSkinName(L"OLD");  // an old skin's box shows while it loads
    EXPECT_EQ(events,
              (std::vector<String>{L"before OLD", L"box changing", L"loaded OLD", L"activate OLD", L"after OLD"}));
    EXPECT_EQ(Manager->gd[size_t(Manager->GetSkinIndex(L"PANEL"))].Color, vcl::TColor(1));

    events.clear();
    Manager->SetSkinDirectory(Dir.Folder() + L"none\\");
    Manager->SetSkinName(L"GONE");  // no such skin and no internal one: the manager gives up
    EXPECT_EQ(events, (std::vector<String>{L"before GONE", L"removed GONE", L"deactivate GONE", L"after GONE"}));
    EXPECT_FALSE(Manager->Active());

    events.clear();
    Manager->SetSkinName(L"S");  // inactive: only the name changes
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Manager->SkinName(), L"S");
}

TEST(SkinFormsList, RemovalMovesTheLastEntryIntoTheGap)
{
    vcl::TObjectPtr<vcl::TComponent> a(vcl::Create<vcl::TComponent>(nullptr)), b(vcl::Create<vcl::TComponent>(nullptr)),
        c(vcl::Create<vcl::TComponent>(nullptr));
    ASSERT_TRUE(HookedComponents.empty());
    EXPECT_EQ(IntSkinForm(a.get()), 1);
    IntSkinForm(b.get());
    EXPECT_EQ(IntSkinForm(c.get()), 3);
    IntUnSkinForm(a.get());  // a middle entry: the last takes its place
    EXPECT_EQ(HookedComponents, (std::vector<vcl::TComponent*>{c.get(), b.get()}));
    IntUnSkinForm(a.get());  // not listed
    EXPECT_EQ(HookedComponents.size(), 2u);
    IntUnSkinForm(b.get());  // the last one
    EXPECT_EQ(HookedComponents, std::vector<vcl::TComponent*>{c.get()});
    IntSkinForm(c.get());
    IntSkinForm(b.get());
    IntUnSkinForm(c.get());  // listed twice: no entry outlives it
    EXPECT_EQ(HookedComponents, std::vector<vcl::TComponent*>{b.get()});
    IntSkinForm(nullptr);
    vcl::TMessage m = MakeSkinMessage(scmdRepaint);
    SendToHooked(m);  // skips an empty entry and what is no form
    HookedComponents.clear();
}

TEST_F(SkinBroadcasts, TheHotControlGetsOneEnterAndOneLeave)
{
    TLoggingForm* form = NewForm(false);
    auto* a = Child<TLoggingPanel>(form, true);
    auto* b = Child<TLoggingPanel>(form, true);
    auto* graphic = Child<TLoggingGraphic>(form);
    Manager->SetActiveControl(a->Handle());
    Manager->SetActiveControl(a->Handle());  // the current one: nothing
    Manager->SetActiveControl(b->Handle());
    EXPECT_EQ(a->Log.Commands, (std::vector<uint16_t>{scmdMouseEnter, scmdMouseLeave}));
    EXPECT_EQ(b->Log.Commands, std::vector<uint16_t>{scmdMouseEnter});
    EXPECT_EQ(b->Log.LParams[0], reinterpret_cast<LPARAM>(Manager.get()));

    Manager->SetActiveGraphControl(graphic);  // the window leaves, the graphic control gets nothing
    EXPECT_EQ(Manager->ActiveControl(), nullptr);
    EXPECT_EQ(b->Log.Count(scmdMouseLeave), 1);
    EXPECT_EQ(graphic->Log.Count(scmdMouseLeave), 0);

    TsCommonData data(nullptr, false);
    data.FMouseAbove = true;
    graphic->SkinData = &data;
    Manager->SetActiveControl(a->Handle());  // the mouse is still above the graphic control
    EXPECT_EQ(Manager->ActiveGraphControl(), graphic);
    EXPECT_EQ(Manager->ActiveControl(), nullptr);
    data.FMouseAbove = false;
    Manager->SetActiveControl(a->Handle());  // now it leaves first
    EXPECT_EQ(graphic->Log.Count(scmdMouseLeave), 1);
    EXPECT_EQ(Manager->ActiveGraphControl(), nullptr);
    EXPECT_EQ(Manager->ActiveControl(), a->Handle());
    EXPECT_EQ(a->Log.Count(scmdMouseEnter), 2);
    graphic->SkinData = nullptr;

    Manager->SetActiveGraphControl(graphic);
    graphic->Free();  // a hot graphic control that goes away is forgotten
    EXPECT_EQ(Manager->ActiveGraphControl(), nullptr);
}

TEST_F(SkinBroadcasts, AHueChangeReloadsOnceAndRepaintsOnce)
{
    WriteSkin(Dir, "OLD", "[GLOBALINFO]\nVERSION=6.5\n");
    TCommandLineScope commandLine({L"/actest"});
    TMessageBoxRecorder boxes;  // every load of this old skin shows one box
    Manager->SetSkinName(L"OLD");
    TLoggingForm* form = NewForm(false);
    form->HandleNeeded();
    form->Log = {};  // the window hook asked the new window whether it is skinned
    const size_t loads = boxes.Boxes().size();

    Manager->SetHueOffset(0);
    EXPECT_EQ(boxes.Boxes().size(), loads);
    EXPECT_TRUE(form->Log.Commands.empty());

    Manager->SetHueOffset(30);
    EXPECT_EQ(boxes.Boxes().size(), loads + 1);
    EXPECT_EQ(form->Log.Count(scmdRepaint), 1);
    EXPECT_EQ(form->Log.Count(scmdSkinLoaded), 0);
    Manager->SetHueOffset(30);
    Manager->SetSaturation(10);
    EXPECT_EQ(boxes.Boxes().size(), loads + 2);
    EXPECT_EQ(form->Log.Count(scmdRepaint), 2);
    EXPECT_TRUE(Manager->SkinData->Active);
    EXPECT_FALSE(aSkinChanging);
}

TEST_F(SkinBroadcasts, ABatchUpdateBroadcastsOnceAtItsEnd)
{
    TLoggingForm* form = NewForm(false);
    form->HandleNeeded();
    std::vector<bool> animated;
    form->Log.OnCommand = [&](uint16_t cmd) {
        if (cmd == scmdSkinLoaded)
            animated.push_back(InAnimationProcess);
    };
    Manager->BeginUpdate();
    Manager->SetSkinName(L"S");
    EXPECT_EQ(form->Log.Count(scmdRepaint), 0);  // loaded, broadcast without repaint
    Manager->EndUpdate(true, false);
    Manager->EndUpdate(true, true);
    EXPECT_EQ(animated, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(form->Log.Count(scmdRepaint), 2);
    EXPECT_TRUE(Manager->AnimEffects()->SkinChanging()->Active());
    EXPECT_FALSE(InAnimationProcess);

    Manager->SetActive(false);
    const size_t commands = form->Log.Commands.size();
    Manager->UpdateSkin();  // inactive: nothing
    EXPECT_EQ(form->Log.Commands.size(), commands);
}

TEST_F(SkinBroadcasts, ColoursFallBackToTheSystemsConstants)
{
    WriteSkin(Dir, "NOEDIT",
              "[GLOBALINFO]\nVERSION=8\nCOLOR=1193046\nFONTCOLOR=255\nHOTCOLOR=65280\n"
              "[SELECTION]\nSTATES=2\nCOLOR=16711935\nHOTCOLOR=1122867\nFONTCOLOR=16711935\n"
              "[MENUITEM]\nHOTCOLOR=16777215\nHOTFONTCOLOR=255\n");
    Manager->SetSkinName(L"NOEDIT");
    EXPECT_EQ(Manager->GetActiveEditFontColor(), vcl::clWindowText);
    EXPECT_EQ(Manager->GetHighLightColor(false), vcl::clHighlight);  // 0xFF00FF, then white
    EXPECT_EQ(Manager->GetHighLightColor(true), vcl::TColor(1122867));  // the hot state
    EXPECT_EQ(Manager->GetHighLightFontColor(false), vcl::TColor(255));  // "MENUITEM"'s
    EXPECT_EQ(Manager->GetGlobalColor(), vcl::TColor(1193046));
    EXPECT_EQ(Manager->GetGlobalFontColor(), vcl::TColor(255));
    EXPECT_EQ(Manager->GetActiveEditColor(), vcl::TColor(65280));

    WriteSkin(Dir, "BARE", "[PANEL]\nCOLOR=1\n");
    Manager->SetSkinName(L"BARE");
    EXPECT_EQ(Manager->GetGlobalColor(), vcl::TColor(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(Manager->GetGlobalFontColor(), vcl::clFuchsia);
    EXPECT_EQ(Manager->GetActiveEditColor(), vcl::TColor(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(Manager->GetHighLightColor(), vcl::clHighlight);
    EXPECT_EQ(Manager->GetHighLightFontColor(), vcl::clHighlightText);
    vcl::TStringList sections;
    Manager->GetSkinSections(&sections);
    ASSERT_EQ(sections.Count(), 1);
    EXPECT_EQ(sections.Strings(0), L"PANEL");
}

TEST_F(SkinBroadcasts, TheDefaultManagerHooksWindowCreationWhileItsSkinIsInForce)
{
    Manager->SetSkinName(L"S");
    EXPECT_TRUE(Manager->GlobalHookInstalled);
    EXPECT_NE(HookCallback, nullptr);
    vcl::TForm* created = vcl::Create<vcl::TForm>(nullptr);
    created->HandleNeeded();  // windows are still made under the hook
    EXPECT_TRUE(IsWindow(created->Handle()));
    created->Free();

    const HHOOK hook = HookCallback;
    TManagerPtr second = NewManager(Dir.Folder());
    second->SetSkinName(L"S");
    TLoggingForm* form = NewForm(false);
    form->HandleNeeded();
    second->SetIsDefault(true);
    EXPECT_EQ(DefaultManager, second.get());
    EXPECT_EQ(form->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(form->Log.LParams[size_t(std::ranges::find(form->Log.Commands, scmdSkinLoaded) - form->Log.Commands.begin())],
              reinterpret_cast<LPARAM>(second.get()));
    EXPECT_FALSE(second->GlobalHookInstalled);  // the thread keeps its one hook
    EXPECT_EQ(HookCallback, hook);
    Manager->SetIsDefault(false);  // with a default manager in place: nothing
    EXPECT_EQ(DefaultManager, second.get());

    Manager->SetActive(false);  // the manager that installed the hook removes it
    EXPECT_FALSE(Manager->GlobalHookInstalled);
    EXPECT_EQ(HookCallback, nullptr);
}

// A pixel of an icon drawn at its size over white.
COLORREF IconPixel(const vcl::TIcon& Icon, int X, int Y)
{
    const int size = Icon.Width();
    const vcl::TMemoryDC dc(nullptr, size, size);
    PatBlt(dc.Handle(), 0, 0, size, size, WHITENESS);
    DrawIconEx(dc.Handle(), 0, 0, Icon.Handle(), size, size, 0, nullptr, DI_NORMAL);
    return GetPixel(dc.Handle(), X, Y);
}

TEST(SkinUnitStartUps, TheProgramsIconsComeFromItsFile)
{
    InitStyleSimplyUnit();
    ASSERT_TRUE(AppIcon && AppIconLarge);
    EXPECT_EQ(AppIcon->Width(), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(AppIconLarge->Width(), GetSystemMetrics(SM_CXICON));
    // Our own icon, not the shell's default: its slate tile in the middle and the light line of
    // the guarded zone a quarter down.
    for (const vcl::TIcon* icon : {AppIcon.get(), AppIconLarge.get()}) {
        SCOPED_TRACE(icon->Width());
        const int size = icon->Width();
        EXPECT_EQ(IconPixel(*icon, size / 2, size / 2), RGB(46, 88, 120));
        EXPECT_EQ(IconPixel(*icon, size / 2, size / 4), RGB(222, 232, 240));
        EXPECT_EQ(IconPixel(*icon, 0, 0), RGB(255, 255, 255)) << "the corner is transparent";
    }
}

TEST_F(SkinBroadcasts, ShadowTemplatesComeFromTheSkinElseTheProgram)
{
    InitSkinManagerUnit();
    ASSERT_TRUE(DefaultShadowActive && !DefaultShadowActive->Empty());
    EXPECT_EQ(DefaultShadowActive->Width(), 33);
    EXPECT_EQ(DefaultShadowInactive->Height(), 33);
    ASSERT_TRUE(acLayered());

    Manager->SetExtendedBorders(true);
    Manager->SetSkinDirectory(vcl::ExtractFilePath(vcl::ExcludeTrailingPathDelimiter(skintest::TestSkinFolder("PNG746"))));
    Manager->SetSkinName(L"PNG746");
    const TsMaskData& border = Manager->ma[size_t(Manager->ConstData.ExBorder)];
    const int inset = 26 - Manager->SkinData->ExContentOffs;  // the border widths less the content offset
    EXPECT_EQ(Manager->FormShadowSize, vcl::TRect(inset, inset, inset, inset));
    ASSERT_TRUE(Manager->ShdiTemplate && Manager->ShdaTemplate);
    EXPECT_EQ(Manager->ShdiTemplate->Width(), 54);
    EXPECT_EQ(skintest::PixelARGB(Manager->ShdiTemplate.get(), 0, 0), skintest::PixelARGB(border.Bmp.get(), 0, 0));
    EXPECT_EQ(skintest::PixelARGB(Manager->ShdaTemplate.get(), 0, 0), skintest::PixelARGB(border.Bmp.get(), 54, 0));
    EXPECT_EQ(skintest::PixelARGB(Manager->ShdaTemplate.get(), 20, 20), skintest::PixelARGB(border.Bmp.get(), 74, 20));

    Manager->SetSkinDirectory(Dir.Folder());
    Manager->SetSkinName(L"S");  // no "EXBORDER": the program's shadows
    EXPECT_EQ(Manager->FormShadowSize, vcl::TRect(9, 9, 9, 9));
    EXPECT_EQ(Manager->ShdaTemplate->Width(), 33);
    const uint32_t activeNearForm = skintest::PixelARGB(Manager->ShdaTemplate.get(), 16, 8);
    const uint32_t inactiveNearForm = skintest::PixelARGB(Manager->ShdiTemplate.get(), 16, 8);
    EXPECT_GT(activeNearForm >> 24, inactiveNearForm >> 24);  // the active shadow is darker
    EXPECT_GT(inactiveNearForm >> 24, skintest::PixelARGB(Manager->ShdiTemplate.get(), 16, 0) >> 24);  // fading outwards
    EXPECT_EQ(skintest::PixelARGB(Manager->ShdaTemplate.get(), 16, 16) >> 24, 0u);  // the form's place

    Manager->SetExtendedBorders(false);
    EXPECT_EQ(Manager->FormShadowSize, vcl::TRect());
}

TEST_F(SkinBroadcasts, AShadowImageKeptInTheMasterBitmapGivesItsFramesFromItsOwnPlace)
{
    ASSERT_TRUE(acLayered());
    Manager->SetExtendedBorders(true);
    Manager->MasterBitmap = skin::test::NewBitmap(30, 20);
    const TPixelView master = PixelsOf(Manager->MasterBitmap.get());
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            master.At(x, y) = skin::test::NamedPixel(x, y);
    TsMaskData border;
    border.R = vcl::TRect(4, 6, 24, 16);  // two frames of 10 x 10, six rows down
    border.ImageCount = 2;
    border.Manager = Manager.get();
    Manager->ma.push_back(std::move(border));
    Manager->ConstData.ExBorder = 0;
    Manager->CheckShadows();
    ASSERT_TRUE(Manager->ShdiTemplate && Manager->ShdaTemplate);
    EXPECT_EQ(Manager->ShdiTemplate->Height(), 10);
    for (const vcl::TPoint& p : {vcl::TPoint(0, 0), vcl::TPoint(9, 9), vcl::TPoint(3, 7)}) {
        EXPECT_EQ(skintest::PixelARGB(Manager->ShdiTemplate.get(), p.x, p.y), master.At(4 + p.x, 6 + p.y));
        EXPECT_EQ(skintest::PixelARGB(Manager->ShdaTemplate.get(), p.x, p.y), master.At(14 + p.x, 6 + p.y));
    }
}

TEST(SkinUnitStartUps, TheSystemVersionIsKnownBeforeAnyForm)
{
    InitSkinManagerUnit();
    EXPECT_EQ(OSVersionInfo.dwOSVersionInfoSize, 276u);
    EXPECT_GT(OSVersionInfo.dwMajorVersion, 0u);
    EXPECT_EQ(IsNT, OSVersionInfo.dwPlatformId == VER_PLATFORM_WIN32_NT);
    EXPECT_TRUE(IsNT);
}

TEST(SkinUnitStartUps, TheVersionSwitchShowsTheLibrarysVersionOnce)
{
    testsupport::InitializeApplication();
    struct TCase {
        std::vector<String> Parameters;
        size_t Boxes;
    };
    const TCase cases[] = {
        {{}, 0},
        {{L"/acver"}, 1},
        {{L"/ACVER"}, 1},
        {{L"/other", L"/AcVer"}, 1},
        {{L"/acver", L"/acver"}, 1},
        {{L"acver", L"/acversion", L"/actest"}, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Parameters.empty() ? std::string("none") : vcl::ToAnsi(c.Parameters.back()));
        TCommandLineScope commandLine(c.Parameters);
        TMessageBoxRecorder boxes;
        CheckVersionSwitch();
        ASSERT_EQ(boxes.Boxes().size(), c.Boxes);
        if (c.Boxes)
            EXPECT_EQ(boxes.Boxes()[0].Text, L"Skin library v7.70");
    }
}
