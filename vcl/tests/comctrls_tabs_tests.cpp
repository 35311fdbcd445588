// The tab control and the page control over the system's tab control.
#include "windowing_fixtures.h"

#include "vcl/bitmaps.h"
#include "vcl/comctrls.h"
#include "vcl/sysutils.h"

#include <commctrl.h>

using namespace vcl;
using namespace wintest;
using testsupport::PumpFor;

namespace {

struct TWindowTab {
    String Text;
    int Image;
    bool operator==(const TWindowTab&) const = default;
};

// The tabs as the window holds them.
std::vector<TWindowTab> WindowTabs(HWND tabs)
{
    std::vector<TWindowTab> result;
    const auto count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        result.push_back({text, item.iImage});
    }
    return result;
}

TRect AdjustedClientRect(HWND tabs)
{
    TRect r;
    GetClientRect(tabs, &r);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

// A click at the centre of a tab, through the application's loop.
void ClickTab(TCustomTabControl* control, int index)
{
    const TPoint centre = control->TabRect(index).CenterPoint();
    PostMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(centre.x, centre.y));
    PostMessageW(control->Handle(), WM_LBUTTONUP, 0, PointToLParam(centre.x, centre.y));
    PumpFor(30);
}

class PageControlTest : public WindowTest {
protected:
    // A page control with one page per entry, captioned "Page i", whose tab shows as the entry says.
    TPageControl* NewPageControl(std::initializer_list<bool> tabsVisible)
    {
        Form = NewForm(400, 260);
        auto* pages = NewChild<TPageControl>(Form, 10, 10, 360, 220, clBtnFace);
        for (bool visible : tabsVisible) {
            auto* sheet = Create<TTabSheet>(Form);
            sheet->SetCaption(L"Page " + IntToStr(pages->PageCount()));
            sheet->SetTabVisible(visible);
            sheet->SetPageControl(pages);
        }
        pages->SetOnChange(TNotifyEvent([this](TObject*) { ++Changes; }));
        return pages;
    }
    // The pages that show.
    static std::vector<int> ShownPages(TPageControl* pages)
    {
        std::vector<int> shown;
        for (int i = 0; i < pages->PageCount(); ++i)
            if (pages->Pages(i)->HandleAllocated() && IsWindowVisible(pages->Pages(i)->Handle()))
                shown.push_back(i);
        return shown;
    }
    TForm* Form = nullptr;
    int Changes = 0;
};

}  // namespace

TEST_F(PageControlTest, PagesMapToTabsAroundHiddenTabs)
{
    TPageControl* pages = NewPageControl({true, false, true, false, true});
    const int tabOfPage[] = {0, -1, 1, -1, 2};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(i, pages->Pages(i)->PageIndex());
        EXPECT_EQ(tabOfPage[i], pages->Pages(i)->TabIndex()) << "page " << i;
    }
    ShowAndPaint(Form);
    EXPECT_EQ((std::vector<TWindowTab>{{L"Page 0", -1}, {L"Page 2", -1}, {L"Page 4", -1}}),
              WindowTabs(pages->Handle()));

    pages->SetActivePage(pages->Pages(4));
    EXPECT_EQ(2, pages->TabIndex());
    EXPECT_EQ(std::vector<int>{4}, ShownPages(pages));
    // A page whose tab is hidden can be active; no tab is selected then.
    pages->SetActivePageIndex(1);
    EXPECT_EQ(-1, pages->TabIndex());
    EXPECT_EQ(std::vector<int>{1}, ShownPages(pages));

    pages->SetActivePageIndex(4);
    pages->Pages(1)->SetTabVisible(true);
    EXPECT_EQ(3, pages->Pages(4)->TabIndex());
    EXPECT_EQ(3, pages->TabIndex()) << "the active page keeps its tab selected";
    EXPECT_EQ(4u, WindowTabs(pages->Handle()).size());
    pages->Pages(0)->SetPageIndex(4);
    EXPECT_EQ(L"Page 1", WindowTabs(pages->Handle()).front().Text);
    EXPECT_EQ(0, Changes) << "changes by code fire no OnChange";
}

TEST_F(PageControlTest, ARefusedClickKeepsThePage)
{
    TPageControl* pages = NewPageControl({true, true, true});
    pages->SetActivePageIndex(0);
    bool allow = false;
    int asked = 0;
    pages->SetOnChanging(TTabChangingEvent([&](TObject*, bool& allowChange) {
        ++asked;
        allowChange = allow;
    }));
    ShowAndPaint(Form);
    ClickTab(pages, 2);
    EXPECT_EQ(1, asked);
    EXPECT_EQ(pages->Pages(0), pages->ActivePage());
    EXPECT_EQ(0, pages->TabIndex());
    EXPECT_EQ(0, Changes);

    allow = true;
    ClickTab(pages, 2);
    EXPECT_EQ(pages->Pages(2), pages->ActivePage());
    EXPECT_EQ(2, pages->TabIndex());
    EXPECT_EQ(std::vector<int>{2}, ShownPages(pages));
    EXPECT_EQ(1, Changes);
}

TEST_F(PageControlTest, SelectNextPageSkipsHiddenTabsAndWraps)
{
    TPageControl* pages = NewPageControl({true, false, true, false, true});
    pages->SetActivePageIndex(0);
    std::vector<int> visited;
    for (int step = 0; step < 3; ++step) {
        pages->SelectNextPage(true);
        visited.push_back(pages->ActivePageIndex());
    }
    EXPECT_EQ((std::vector<int>{2, 4, 0}), visited);
    pages->SelectNextPage(false);
    EXPECT_EQ(4, pages->ActivePageIndex());
    pages->SelectNextPage(true, false);
    EXPECT_EQ(0, pages->ActivePageIndex()) << "every page counts, still round";
    pages->SelectNextPage(true, false);
    EXPECT_EQ(1, pages->ActivePageIndex());
    EXPECT_EQ(6, Changes) << "each step is a change";

    pages->SetOnChanging(TTabChangingEvent([](TObject*, bool& allowChange) { allowChange = false; }));
    pages->SelectNextPage(true);
    EXPECT_EQ(1, pages->ActivePageIndex());
}

TEST_F(PageControlTest, TabPositionKeepsPagesCaptionsImagesAndTheActivePage)
{
    TPageControl* pages = NewPageControl({true, true, true});
    auto* images = Create<TImageList>(Form);
    images->SetWidth(16);
    images->SetHeight(16);
    for (int i = 0; i < 3; ++i) {
        TBitmap bitmap;
        bitmap.SetSize(16, 16);
        images->Add(&bitmap, nullptr);
    }
    pages->SetImages(images);
    for (int i = 0; i < 3; ++i)
        pages->Pages(i)->SetImageIndex(2 - i);
    pages->SetActivePageIndex(1);
    ShowAndPaint(Form);
    const std::vector<TWindowTab> expected{{L"Page 0", 2}, {L"Page 1", 1}, {L"Page 2", 0}};
    struct Position {
        TTabPosition Value;
        DWORD Style;
    };
    for (Position p : {Position{TTabPosition::tpBottom, TCS_BOTTOM}, Position{TTabPosition::tpLeft, TCS_VERTICAL},
                       Position{TTabPosition::tpRight, TCS_VERTICAL | TCS_RIGHT}, Position{TTabPosition::tpTop, 0}}) {
        SCOPED_TRACE(static_cast<int>(p.Value));
        pages->SetTabPosition(p.Value);
        PumpFor(20);
        HWND wnd = pages->Handle();
        EXPECT_EQ(p.Style, GetWindowLongW(wnd, GWL_STYLE) & (TCS_BOTTOM | TCS_VERTICAL | TCS_RIGHT));
        EXPECT_EQ(expected, WindowTabs(wnd));
        EXPECT_EQ(1, SendMessageW(wnd, TCM_GETCURSEL, 0, 0));
        EXPECT_EQ(pages->Pages(1), pages->ActivePage());
        EXPECT_EQ(std::vector<int>{1}, ShownPages(pages));
        // The page fills what the tabs leave, as the system measures it.
        EXPECT_EQ(AdjustedClientRect(wnd), pages->ActivePage()->BoundsRect());
        EXPECT_EQ(AdjustedClientRect(wnd), pages->DisplayRect());
    }
}

TEST_F(PageControlTest, FreeingTheActivePageActivatesTheNext)
{
    TPageControl* pages = NewPageControl({true, true, true});
    pages->SetActivePageIndex(1);
    ShowAndPaint(Form);
    pages->Pages(1)->Free();
    ASSERT_EQ(2, pages->PageCount());
    EXPECT_EQ(L"Page 2", pages->ActivePage()->Caption());
    EXPECT_EQ(1, pages->TabIndex());
    EXPECT_EQ((std::vector<TWindowTab>{{L"Page 0", -1}, {L"Page 2", -1}}), WindowTabs(pages->Handle()));
}

TEST_F(WindowTest, OwnerDrawnTabsAreDrawnOnTheLentCanvas)
{
    TForm* form = NewForm(400, 200);
    auto* tabs = NewChild<TTabControl>(form, 10, 10, 300, 150, clBtnFace);
    tabs->Tabs()->Add(L"One");
    tabs->Tabs()->Add(L"Two");
    tabs->SetOwnerDraw(true);
    std::vector<std::pair<int, bool>> drawn;
    tabs->SetOnDrawTab(TDrawTabEvent([&](TCustomTabControl* control, int index, const TRect& rect, bool active) {
        drawn.emplace_back(index, active);
        EXPECT_NE(nullptr, control->Canvas()->Handle());
        control->Canvas()->Brush()->SetColor(index == 1 ? clLime : clRed);
        control->Canvas()->FillRect(rect);
    }));
    ShowAndPaint(form);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::pair{0, true}), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::pair{1, false}), drawn.end());
    const TPoint centre = tabs->TabRect(1).CenterPoint();
    EXPECT_EQ(RGB(0, 255, 0), testsupport::Grab(tabs->Handle()).ClientPixel(centre.x, centre.y));
}

TEST_F(WindowTest, PaddingSentToATabControlWidensItsTabsAtOnce)
{
    TForm* form = NewForm(400, 200);
    auto* tabs = NewChild<TTabControl>(form, 10, 10, 380, 150, clBtnFace);
    for (const wchar_t* caption : {L"One", L"Two", L"Three"})
        tabs->Tabs()->Add(caption);
    ShowAndPaint(form);
    const TRect before = tabs->TabRect(1);
    SendMessageW(tabs->Handle(), TCM_SETPADDING, 0, MAKELPARAM(20, 3));
    EXPECT_GT(tabs->TabRect(1).Width(), before.Width());
}
