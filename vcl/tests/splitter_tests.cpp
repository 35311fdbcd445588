// Splitters dragged with the mouse resize the control beside them.
#include "windowing_fixtures.h"

#include "vcl/extctrls.h"

using namespace vcl;
using namespace wintest;
using testsupport::PumpFor;

namespace {

// A form 300 x 200 with a neighbour 100 wide (or high) on the splitter's side, the splitter, and
// a client control filling the rest.
class SplitterTest : public WindowTest {
protected:
    void Build(TAlign side)
    {
        Form = NewForm(300, 200);
        const bool vertical = side == TAlign::alLeft || side == TAlign::alRight;
        const bool atStart = side == TAlign::alLeft || side == TAlign::alTop;
        Neighbour = NewChild<TTestPanel>(Form, 0, 0, 100, 100, clRed);
        Neighbour->SetAlign(side);
        Splitter = Create<TSplitter>(Form);
        Splitter->SetParent(Form);
        Splitter->SetAlign(side);
        // The splitter, 3 thick, lies beyond the neighbour seen from the side both are aligned to.
        if (vertical)
            Splitter->SetBounds(atStart ? 150 : 10, 0, 3, 10);
        else
            Splitter->SetBounds(0, atStart ? 150 : 10, 10, 3);
        Client = NewChild<TTestPanel>(Form, 0, 0, 10, 10, clBlue);
        Client->SetAlign(TAlign::alClient);
        Splitter->SetOnMoved(TNotifyEvent([this](TObject*) { ++Moves; }));
        ShowAndPaint(Form);
    }
    int NeighbourSize() const
    {
        const bool vertical = Splitter->Align() == TAlign::alLeft || Splitter->Align() == TAlign::alRight;
        return vertical ? Neighbour->Width() : Neighbour->Height();
    }
    // Presses on the splitter's middle, moves by Delta along its axis and (unless told) releases.
    void Drag(int delta, bool release = true)
    {
        const bool vertical = Splitter->Align() == TAlign::alLeft || Splitter->Align() == TAlign::alRight;
        TPoint from(Splitter->Left() + Splitter->Width() / 2, Splitter->Top() + Splitter->Height() / 2);
        TPoint to = vertical ? from.Offset(delta, 0) : from.Offset(0, delta);
        HWND form = Form->Handle();
        PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(from.x, from.y));
        PumpFor(10);
        PostMessageW(form, WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(to.x, to.y));
        PumpFor(10);
        if (release) {
            PostMessageW(form, WM_LBUTTONUP, 0, PointToLParam(to.x, to.y));
            PumpFor(10);
        }
    }
    TForm* Form = nullptr;
    TTestPanel* Neighbour = nullptr;
    TSplitter* Splitter = nullptr;
    TTestPanel* Client = nullptr;
    int Moves = 0;
};

}  // namespace

TEST_F(SplitterTest, DraggingResizesTheNeighbourOnEachSide)
{
    struct Case {
        TAlign Side;
        int Delta;
        int Size;
    };
    const Case cases[] = {
        {TAlign::alLeft, 50, 150},   {TAlign::alLeft, -40, 60},   {TAlign::alRight, -50, 150},
        {TAlign::alRight, 40, 60},   {TAlign::alTop, 30, 130},    {TAlign::alBottom, -30, 130},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << static_cast<int>(c.Side) << ", delta " << c.Delta);
        Build(c.Side);
        Splitter->SetResizeStyle(TResizeStyle::rsUpdate);
        ASSERT_EQ(100, NeighbourSize());
        Moves = 0;
        Drag(c.Delta);
        EXPECT_EQ(c.Size, NeighbourSize());
        EXPECT_EQ(1, Moves);
        // The splitter stays against its neighbour and the client control fills the rest.
        TRect n = Neighbour->BoundsRect(), s = Splitter->BoundsRect(), r = Client->BoundsRect();
        switch (c.Side) {
        case TAlign::alLeft: EXPECT_EQ(n.right, s.left); EXPECT_EQ(s.right, r.left); break;
        case TAlign::alRight: EXPECT_EQ(s.right, n.left); EXPECT_EQ(r.right, s.left); break;
        case TAlign::alTop: EXPECT_EQ(n.bottom, s.top); EXPECT_EQ(s.bottom, r.top); break;
        default: EXPECT_EQ(s.bottom, n.top); EXPECT_EQ(r.bottom, s.top); break;
        }
    }
}

TEST_F(SplitterTest, SizesStayBetweenMinSizeAndTheRoomLeftAndSnapWithAutoSnap)
{
    struct Case {
        bool AutoSnap;
        int Delta;
        int Size;
    };
    // Room: 300 less the splitter (3) less the client's MinSize (30).
    const Case cases[] = {{false, -90, 30}, {true, -90, 0}, {true, -70, 0}, {true, -69, 31}, {false, 500, 267}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "AutoSnap " << c.AutoSnap << ", delta " << c.Delta);
        Build(TAlign::alLeft);
        Splitter->SetResizeStyle(TResizeStyle::rsUpdate);
        Splitter->SetAutoSnap(c.AutoSnap);
        Drag(c.Delta);
        EXPECT_EQ(c.Size, NeighbourSize());
    }
}

TEST_F(SplitterTest, LineStylesShowTheDragAndResizeOnRelease)
{
    struct Case {
        TResizeStyle Style;
        int InvertedPixels;
    };
    // Of the 3 x 2 pixels where the dragged bar lies over the blue client control.
    const Case cases[] = {{TResizeStyle::rsLine, 6}, {TResizeStyle::rsPattern, 3}, {TResizeStyle::rsNone, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Style));
        Build(TAlign::alLeft);
        Splitter->SetResizeStyle(c.Style);
        Moves = 0;
        Drag(50, false);
        EXPECT_EQ(100, NeighbourSize()) << "nothing moves while the button is down";
        testsupport::TGrab grab = testsupport::Grab(Form->Handle());
        int inverted = 0;
        for (int y = 100; y < 102; ++y)
            for (int x = 150; x < 153; ++x)
                inverted += grab.ClientPixel(x, y) == (~ColorToRGB(clBlue) & 0xFFFFFF);
        EXPECT_EQ(c.InvertedPixels, inverted);
        EXPECT_EQ(ColorToRGB(Splitter->Color()), grab.ClientPixel(101, 100)) << "the line left the bar's place";

        PostMessageW(Form->Handle(), WM_LBUTTONUP, 0, PointToLParam(151, 100));
        PumpFor(20);
        EXPECT_EQ(150, NeighbourSize());
        EXPECT_EQ(1, Moves);
    }
}

TEST_F(SplitterTest, OnCanResizeMayChangeOrRefuseTheSize)
{
    Build(TAlign::alLeft);
    Splitter->SetResizeStyle(TResizeStyle::rsUpdate);
    Splitter->SetOnCanResize(TCanResizeEvent([](TObject*, int& size, bool& accept) {
        if (size > 180)
            accept = false;
        else
            size = size / 10 * 10;
    }));
    Drag(47);
    EXPECT_EQ(140, NeighbourSize());
    Moves = 0;
    Drag(100);
    EXPECT_EQ(140, NeighbourSize()) << "refused";
    EXPECT_EQ(0, Moves);
}

TEST_F(SplitterTest, MovesWithoutTheButtonAndBarsWithoutANeighbourDragNothing)
{
    Build(TAlign::alLeft);
    Splitter->SetResizeStyle(TResizeStyle::rsUpdate);
    HWND form = Form->Handle();
    PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(101, 100));
    PostMessageW(form, WM_MOUSEMOVE, 0, PointToLParam(201, 100));
    PumpFor(20);
    EXPECT_EQ(100, NeighbourSize());
    PostMessageW(form, WM_LBUTTONUP, 0, PointToLParam(201, 100));
    PumpFor(20);
    EXPECT_EQ(100, NeighbourSize());
    EXPECT_EQ(0, Moves);

    Neighbour->SetVisible(false);
    Drag(50);
    EXPECT_EQ(0, Moves);
    EXPECT_EQ(0, Splitter->Left());
}
