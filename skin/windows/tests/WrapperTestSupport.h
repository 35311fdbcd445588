#pragma once
// What the wrapper tests share: a skin in force with the system's scroll-bar metrics set to 17, a
// host window, plain windows whose own procedure records what reaches it, and a DIB to paint
// frames into.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/sSkinManager.h"
#include "skin/graphics/PixelView.h"
#include "skin/windows/acSBUtils.h"
#include "vcl/forms.h"
#include "vcl/seams.h"

namespace wraptest {

// A generated test skin of the core tests' build folder (GALLERY, FRAME ...).
vcl::String TestSkin(const char* Name);

// A colour, system colours resolved, as a screen pixel (COLORREF).
COLORREF Rgb(vcl::TColor Colour);
// The colour of a flat section's state (0 normal, above that hot) as a screen pixel.
COLORREF SectionColour(const skin::TsSkinManager& Manager, const wchar_t* Section, int State = 0);

// A window of a class of ours: every message that reaches its own procedure is recorded, and
// Answer may answer one (true: handled with Result) before the default procedure does.
struct TRecord {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};
class TRecordingWindow {
public:
    // A child of Parent (a top-level popup window without one) at Bounds (the parent's client
    // coordinates), with Style and ExStyle added to WS_CHILD or WS_POPUP. Inset: the window's own
    // frame, in pixels on each side.
    TRecordingWindow(HWND Parent, const vcl::TRect& Bounds, DWORD Style, DWORD ExStyle = 0, int Inset = 2);
    ~TRecordingWindow();
    TRecordingWindow(const TRecordingWindow&) = delete;
    TRecordingWindow& operator=(const TRecordingWindow&) = delete;

    HWND Handle() const { return FHandle; }
    // The messages of that number that reached the window's own procedure.
    std::vector<TRecord> Received(UINT Msg) const;
    void Clear() { Records.clear(); }
    // Sets the scroll information of bar SB_HORZ or SB_VERT.
    void SetScroll(int Bar, int Min, int Max, UINT Page, int Pos) const;

    std::vector<TRecord> Records;
    std::function<bool(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result)> Answer;
    int Inset;
    // The window's style as its own procedure saw it at the last WM_NCCALCSIZE.
    LONG_PTR StyleAtCalcSize = 0;

private:
    static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    HWND FHandle = nullptr;
};

// A test skin (GALLERY unless a fixture names another) in force through a default manager; the
// system's scroll bars 17 thick with arrows of 17; the unit started; a hidden host form.
class WrapperTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual const char* SkinName() const { return "GALLERY"; }

    // The colour of a section's state as a screen pixel (COLORREF).
    COLORREF SectionColour(const wchar_t* Section, int State = 0) const;

    vcl::TObjectPtr<skin::TsSkinManager> Manager;
    vcl::TObjectPtr<vcl::TForm> Host;

private:
    vcl::TSystemSeams FSavedSeams;
    skin::TacScrollSeams FSavedScrollSeams;
    int FSavedArrow = 0;
};

// A 32-bit DIB with a DC, to paint a window's frame into.
class TMemoryDC {
public:
    TMemoryDC(int Width, int Height);
    ~TMemoryDC();
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC DC() const { return FDC; }
    // The pixel at (X, Y) as a COLORREF.
    COLORREF Pixel(int X, int Y) const;

private:
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
    skin::TPixelView FPixels;
};

}  // namespace wraptest
