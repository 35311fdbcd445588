// Subclassing windows of any class into a WindowProc chain of ours.
#include "windowing_fixtures.h"

#include "vcl/subclass.h"

#include <gtest/gtest.h>

#include <memory>

using namespace wintest;

namespace {

// A plain system window, as a dialog's or another library's would be.
class TPlainWindow {
public:
    TPlainWindow()
        : FHandle(CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~TPlainWindow()
    {
        if (IsWindow(FHandle))
            DestroyWindow(FHandle);
    }
    TPlainWindow(const TPlainWindow&) = delete;
    TPlainWindow& operator=(const TPlainWindow&) = delete;
    HWND Handle() const { return FHandle; }
    String Text() const
    {
        wchar_t text[64] = {};
        GetWindowTextW(FHandle, text, 64);
        return text;
    }
    void SetText(const wchar_t* text) const { SetWindowTextW(FHandle, text); }

private:
    HWND FHandle;
};

// A subclasser that is not ours, laid over the window with GWLP_WNDPROC directly.
WNDPROC ForeignPrevious = nullptr;
int ForeignCalls = 0;

LRESULT CALLBACK ForeignProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETTEXT)
        ++ForeignCalls;
    return CallWindowProcW(ForeignPrevious, wnd, msg, wParam, lParam);
}

// Counts WM_SETTEXT on its way through a subclass and passes it on.
struct TTextSpy {
    TWindowSubclass& Subclass;
    TWndMethod Saved;
    int Calls = 0;
    explicit TTextSpy(TWindowSubclass& subclass) : Subclass(subclass), Saved(subclass.WindowProc())
    {
        subclass.SetWindowProc(TWndMethod(this, &TTextSpy::WndProc));
    }
    void WndProc(TMessage& m)
    {
        Calls += m.Msg == WM_SETTEXT;
        Saved(m);
    }
};

class SubclassTest : public WindowTest {};

}  // namespace

TEST_F(SubclassTest, MessagesPassThroughTheChainToTheWindowsOwnProcedure)
{
    TPlainWindow window;
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC));
    TWindowSubclass subclass(window.Handle());
    EXPECT_TRUE(subclass.Attached());
    EXPECT_EQ(original, subclass.PreviousProc());
    TWndMethod initial = subclass.WindowProc();
    {
        TTextSpy spy(subclass);
        window.SetText(L"changed");
        EXPECT_EQ(1, spy.Calls);
        EXPECT_EQ(L"changed", window.Text()) << "the window's own procedure still runs";
        subclass.SetWindowProc(spy.Saved);
    }
    EXPECT_TRUE(subclass.WindowProc() == initial) << "a chain given back compares equal";

    // A handler that swallows a message keeps it from the window.
    subclass.SetWindowProc(TWndMethod([&](TMessage& m) {
        if (m.Msg == WM_SETTEXT)
            m.Result = TRUE;
        else
            subclass.DefaultHandler(m);
    }));
    window.SetText(L"swallowed");
    EXPECT_EQ(L"changed", window.Text());

    EXPECT_TRUE(subclass.Restore());
    EXPECT_FALSE(subclass.Attached());
    EXPECT_EQ(original, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC)));
    window.SetText(L"free");
    EXPECT_EQ(L"free", window.Text());
}

TEST_F(SubclassTest, SeveralSubclassesAndAForeignOneShareAWindowSafely)
{
    TPlainWindow window;
    auto inner = std::make_unique<TWindowSubclass>(window.Handle());
    TTextSpy innerSpy(*inner);
    ForeignCalls = 0;
    ForeignPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc)));
    auto outer = std::make_unique<TWindowSubclass>(window.Handle());
    TTextSpy outerSpy(*outer);

    window.SetText(L"one");
    EXPECT_EQ(1, outerSpy.Calls);
    EXPECT_EQ(1, ForeignCalls);
    EXPECT_EQ(1, innerSpy.Calls);
    EXPECT_EQ(L"one", window.Text());

    // The inner one lies under the foreign procedure: it cannot give the window back and stays
    // in the chain, passing messages on once it is gone.
    EXPECT_FALSE(inner->Restore());
    EXPECT_TRUE(inner->Attached());
    inner.reset();
    window.SetText(L"two");
    EXPECT_EQ(2, outerSpy.Calls);
    EXPECT_EQ(2, ForeignCalls);
    EXPECT_EQ(L"two", window.Text());

    EXPECT_TRUE(outer->Restore()) << "the outermost procedure is ours";
    EXPECT_EQ(reinterpret_cast<WNDPROC>(ForeignProc),
              reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC)));
    SetWindowLongPtrW(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignPrevious));
    window.SetText(L"three");
    EXPECT_EQ(L"three", window.Text()) << "the slot left behind still passes messages on";
}

TEST_F(SubclassTest, TheWindowMayGoFirstAndHandlersMayThrow)
{
    testsupport::TExceptionCapture capture;
    auto window = std::make_unique<TPlainWindow>();
    HWND handle = window->Handle();
    TWindowSubclass subclass(handle, Application);
    int destroyed = 0;
    subclass.SetWindowProc(TWndMethod([&](TMessage& m) {
        if (m.Msg == WM_SETTEXT)
            throw Exception(L"handler failed");
        destroyed += m.Msg == WM_NCDESTROY;
        subclass.DefaultHandler(m);
    }));
    window->SetText(L"x");
    ASSERT_EQ(1u, capture.Reports().size());
    EXPECT_EQ(L"handler failed", capture.Reports()[0].Message);
    EXPECT_EQ(Application, capture.Reports()[0].Sender);

    window.reset();
    EXPECT_EQ(1, destroyed) << "the window's last message still comes through";
    EXPECT_FALSE(subclass.Attached());
    EXPECT_FALSE(subclass.Restore());
    EXPECT_EQ(nullptr, GetPropW(handle, L"CL.Subclasses"));
}

TEST_F(SubclassTest, OnlyWindowsOfThisProcessCanBeSubclassed)
{
    EXPECT_THROW(TWindowSubclass{nullptr}, EOutOfResources);
    EXPECT_THROW(TWindowSubclass{GetDesktopWindow()}, EOutOfResources);
}

TEST_F(SubclassTest, OurOwnControlsCanBeSubclassedBesideTheirWindowProc)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TSpyPanel>(form, 0, 0, 50, 50);
    ShowAndPaint(form);
    TWindowSubclass subclass(panel->Handle());
    TTextSpy spy(subclass);
    panel->Received.clear();
    SetWindowTextW(panel->Handle(), L"through both");
    EXPECT_EQ(1, spy.Calls);
    EXPECT_EQ(1, panel->Count(WM_SETTEXT)) << "the control still gets it";
    EXPECT_EQ(L"through both", panel->Caption());
}
