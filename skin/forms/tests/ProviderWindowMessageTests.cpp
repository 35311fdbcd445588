// The window messages a skinned form's provider answers itself, counts or follows before or after
// the form's own procedure.
#include "ProviderWindowTests.h"
#include "skin/core/sMessages.h"
#include "vcl/extctrls.h"
#include "vcl/stdctrls.h"

using namespace skin;
using skintest::ProviderTest;
using skintest::TBehindSpy;
using skintest::TLoggingForm;

namespace {

// Records the controls the provider offers its adapter one by one.
class TRecordingAdapter : public TacCtrlAdapter {
public:
    using TacCtrlAdapter::TacCtrlAdapter;
    void AddNewItem(vcl::TWinControl* Ctrl) override { Added.push_back(Ctrl); }
    std::vector<vcl::TWinControl*> Added;
};

}  // namespace

TEST_F(ProviderTest, MessagesThatWouldSpoilTheSkinnedWindowNeverReachTheForm)
{
    TLoggingForm* form = NewForm();
    const UINT swallowed[] = {WM_ENTERIDLE, WM_PRINTCLIENT, vcl::CM_CONTROLLISTCHANGING, 0xBC4D};
    for (const bool skinned : {true, false}) {
        SCOPED_TRACE(skinned);
        if (!skinned)
            Manager->SendRemoveSkin();
        TBehindSpy spy(form->Provider);
        for (const UINT msg : swallowed) {
            SCOPED_TRACE(msg);
            if (msg == WM_PRINTCLIENT)
                form->Perform(msg, 0, 0);
            else
                EXPECT_EQ(form->Perform(msg, 0, 0), 0);
            EXPECT_EQ(spy.Count(msg), skinned ? 0 : 1);
        }
    }
}

TEST_F(ProviderTest, RedrawSwitchesAreCountedAndTheCountNeverGoesBelowNought)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* provider = form->Provider;
    TBehindSpy spy(provider);
    const struct {
        WPARAM Redraw;
        int LockCount;
    } steps[] = {{0, 1}, {0, 2}, {1, 1}, {1, 0}, {1, 0}, {0, 1}, {1, 0}};
    for (const auto& step : steps) {
        form->Perform(WM_SETREDRAW, step.Redraw, 0);
        EXPECT_EQ(provider->LockCount, step.LockCount);
    }
    EXPECT_EQ(spy.Count(WM_SETREDRAW), int(std::size(steps))) << "the form switches its drawing itself";
}

TEST_F(ProviderTest, AMenuChangeMarksTheMenuLineAndTheCacheOfAVisibleFormOutsideABatch)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* provider = form->Provider;
    TsCommonData* data = provider->SkinData();
    const auto change = [&] {
        provider->FLinesCount = 2;
        provider->MenuChanged = false;
        data->BGChanged = false;
        form->Perform(vcl::CM_MENUCHANGED, 0, 0);
        return provider->FLinesCount == -1 && provider->MenuChanged && data->BGChanged;
    };
    TBehindSpy spy(provider);
    EXPECT_FALSE(change()) << "hidden";
    form->Show();
    EXPECT_TRUE(change());
    data->CtrlSkinState |= cssBatch;
    EXPECT_FALSE(change()) << "in a batch";
    data->CtrlSkinState &= uint16_t(~cssBatch);
    EXPECT_EQ(spy.Count(vcl::CM_MENUCHANGED), 3) << "the form's own menu handling runs each time";
}

TEST_F(ProviderTest, AControlPutOnTheFormIsOfferedToTheAdapterAndTakesItsSkinStateAnew)
{
    TLoggingForm* form = NewForm();
    auto* adapter = new TRecordingAdapter(form->Provider);
    form->Provider->Adapter.reset(adapter);

    auto* panel = vcl::Create<skintest::TLoggingPanel>(form);
    auto* inner = vcl::Create<skintest::TLoggingPanel>(form);
    inner->SetParent(panel);
    auto* graphic = vcl::Create<skintest::TLoggingGraphic>(form);
    panel->SetParent(form);
    graphic->SetParent(form);

    EXPECT_EQ(adapter->Added, std::vector<vcl::TWinControl*>{panel}) << "windowed controls only";
    // The panel has no window yet, and the skin commands make none; its child takes the command
    // in its place.
    EXPECT_EQ(inner->Log.Count(scmdSkinState), 1) << "the children of a windowed control";
    EXPECT_EQ(graphic->Log.Count(scmdSkinState), 1);
    for (const auto* log : {&inner->Log, &graphic->Log}) {
        if (!log->LParams.empty()) {
            EXPECT_EQ(log->LParams.back(), 1) << "recompute";
        }
    }
}

TEST_F(ProviderTest, AChildWindowMadeOrDestroyedMakesTheChildrenRecomputeTheirSkinState)
{
    TLoggingForm* form = NewForm();
    auto* watcher = vcl::Create<skintest::TLoggingPanel>(form);
    watcher->Skinned = true;
    watcher->SetParent(form);
    watcher->HandleNeeded();
    auto* child = vcl::Create<vcl::TPanel>(form);
    child->SetParent(form);
    watcher->Log.Commands.clear();

    child->HandleNeeded();
    EXPECT_EQ(watcher->Log.Count(scmdSkinState), 1) << "made";
    child->SetParent(nullptr);
    EXPECT_EQ(watcher->Log.Count(scmdSkinState), 2) << "destroyed";
    form->Perform(WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0), 0);
    EXPECT_EQ(watcher->Log.Count(scmdSkinState), 2) << "a click is no change";
    child->Free();
}

TEST_F(ProviderTest, ACopyOfTheFormShowsItsSkinnedBackground)
{
    TLoggingForm* form = NewForm();
    int paints = 0;
    form->SetOnPaint([&paints](vcl::TObject*) { ++paints; });
    form->Show();
    testsupport::PumpFor(50);
    Render(form->Provider);
    paints = 0;

    const int w = form->Width(), h = form->Height();
    vcl::TMemoryDC copy(nullptr, w, h);
    RECT all{0, 0, w, h};
    FillRect(copy.Handle(), &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    form->PaintTo(copy.Handle(), 0, 0);
    RECT window{}, client{};
    GetWindowRect(form->Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    GetClientRect(form->Handle(), &client);
    const int x = origin.x - window.left + client.right / 2, y = origin.y - window.top + client.bottom / 2;
    const int state = form->Provider->FormActive ? 1 : 0;
    EXPECT_EQ(GetPixel(copy.Handle(), x, y) & 0xFFFFFF,
              COLORREF(skin::SwapColor(vcl::TColor(skintest::FlatColour(skintest::FormSection, state)))));
    EXPECT_EQ(paints, 1) << "the print handler paints the form once over its skinned background; the copy's "
                            "own WM_PAINT adds nothing";
}
