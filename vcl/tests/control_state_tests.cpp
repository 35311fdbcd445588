// The control states that tell a control's painting and messages what is under way: a copy
// painted by PaintTo, a window handle being destroyed.
#include "windowing_fixtures.h"

using namespace wintest;

namespace {

// Records, for each message it is sent, whether the state item was set meanwhile.
class TStateSpyPanel : public TTestPanel {
    CL_CLASS(TStateSpyPanel, TTestPanel)
public:
    using TTestPanel::TTestPanel;
    TControlStateItem Watched = TControlStateItem::csPaintCopy;
    std::vector<std::pair<UINT, bool>> Seen;
    void WndProc(TMessage& Message) override
    {
        Seen.emplace_back(Message.Msg, ControlState().Contains(Watched));
        TTestPanel::WndProc(Message);
    }
    // Whether every Msg seen had the state (false when none was seen).
    bool AllWith(UINT Msg, bool Set) const
    {
        int count = 0;
        for (const auto& [msg, set] : Seen)
            if (msg == Msg) {
                if (set != Set)
                    return false;
                ++count;
            }
        return count > 0;
    }
};

}  // namespace

TEST_F(WindowTest, PaintToPaintsACopyAndTheWindowItself)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TStateSpyPanel>(form, 0, 0, 60, 40);
    ShowAndPaint(form);

    TMemoryDC buffer(nullptr, 60, 40);
    panel->Seen.clear();
    panel->PaintTo(buffer.Handle(), 0, 0);
    EXPECT_TRUE(panel->AllWith(WM_ERASEBKGND, true));
    EXPECT_TRUE(panel->AllWith(WM_PAINT, true));
    EXPECT_FALSE(panel->ControlState().Contains(TControlStateItem::csPaintCopy));

    panel->Seen.clear();
    panel->Repaint();
    EXPECT_TRUE(panel->AllWith(WM_PAINT, false));
}

TEST_F(WindowTest, AWindowBeingDestroyedKnowsIt)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TStateSpyPanel>(form, 0, 0, 60, 40);
    panel->Watched = TControlStateItem::csDestroyingHandle;
    panel->HandleNeeded();
    panel->Seen.clear();
    panel->SetParent(nullptr);
    EXPECT_TRUE(panel->AllWith(WM_DESTROY, true));
    EXPECT_FALSE(panel->ControlState().Contains(TControlStateItem::csDestroyingHandle));
    panel->Free();
}
