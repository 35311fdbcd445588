#pragma once
// Records what layered windows are given: the virtual display cannot show partial alpha, so the
// tests look at the frames and blend values handed to the system instead.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "skin/graphics/sGraphUtils.h"
#include "vcl/system.h"

namespace skin::test {

// One frame handed to UpdateLayeredWindow.
struct TLayeredFrame {
    HWND Wnd = nullptr;
    vcl::TPoint Pos;  // the window's top-left corner: the one given, else where it stands
    vcl::TSize Size;
    std::vector<uint32_t> Pixels;  // the source's pixels from the source point, rows from the top
    BLENDFUNCTION Blend{};
    DWORD Flags = 0;

    uint32_t Pixel(int X, int Y) const { return Pixels[size_t(Y) * size_t(Size.cx) + size_t(X)]; }
};

// One call of SetLayeredWindowAttributes.
struct TLayeredAttributes {
    HWND Wnd;
    COLORREF Key;
    BYTE Alpha;
    DWORD Flags;
};

// Puts recorders in place of the two layered-window entry points for its lifetime; each records
// and then passes the call on to the entry it replaced, so the windows show as they would.
class TLayeredRecorder {
public:
    TLayeredRecorder() : FUpdate(UpdateLayeredWindow), FAttributes(SetLayeredWindowAttributes), FPrevious(Current)
    {
        Current = this;
        UpdateLayeredWindow = RecordUpdate;
        SetLayeredWindowAttributes = RecordAttributes;
    }
    ~TLayeredRecorder()
    {
        UpdateLayeredWindow = FUpdate;
        SetLayeredWindowAttributes = FAttributes;
        Current = FPrevious;
    }
    TLayeredRecorder(const TLayeredRecorder&) = delete;
    TLayeredRecorder& operator=(const TLayeredRecorder&) = delete;

    std::vector<TLayeredFrame> Frames;
    std::vector<TLayeredAttributes> Attributes;

private:
    static BOOL WINAPI RecordUpdate(HWND Wnd, HDC DstDC, POINT* Pos, SIZE* Size, HDC SrcDC, POINT* SrcPos, COLORREF Key,
                                    BLENDFUNCTION* Blend, DWORD Flags)
    {
        TLayeredFrame frame;
        frame.Wnd = Wnd;
        RECT window{};
        GetWindowRect(Wnd, &window);
        frame.Pos = Pos ? vcl::TPoint(*Pos) : vcl::TPoint(window.left, window.top);
        frame.Size = Size ? vcl::TSize(*Size) : vcl::TSize(window.right - window.left, window.bottom - window.top);
        frame.Blend = Blend ? *Blend : BLENDFUNCTION{};
        frame.Flags = Flags;
        frame.Pixels = SourcePixels(SrcDC, SrcPos ? vcl::TPoint(*SrcPos) : vcl::TPoint(), frame.Size);
        Current->Frames.push_back(std::move(frame));
        return Current->FUpdate ? Current->FUpdate(Wnd, DstDC, Pos, Size, SrcDC, SrcPos, Key, Blend, Flags) : TRUE;
    }
    static BOOL WINAPI RecordAttributes(HWND Wnd, COLORREF Key, BYTE Alpha, DWORD Flags)
    {
        Current->Attributes.push_back({Wnd, Key, Alpha, Flags});
        return Current->FAttributes ? Current->FAttributes(Wnd, Key, Alpha, Flags) : TRUE;
    }
    // The pixels of the 32-bit DIB section selected into DC, Size of them from Origin.
    static std::vector<uint32_t> SourcePixels(HDC DC, const vcl::TPoint& Origin, const vcl::TSize& Size)
    {
        DIBSECTION dib{};
        const auto bitmap = static_cast<HBITMAP>(GetCurrentObject(DC, OBJ_BITMAP));
        if (GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 32 || Origin.x < 0 ||
            Origin.y < 0 || Origin.x + Size.cx > dib.dsBm.bmWidth || Origin.y + Size.cy > dib.dsBm.bmHeight) {
            ADD_FAILURE() << "a layered window was given no 32-bit bitmap of the size it names";
            return {};
        }
        GdiFlush();
        const bool bottomUp = dib.dsBmih.biHeight > 0;
        std::vector<uint32_t> pixels;
        for (int y = Origin.y; y < Origin.y + Size.cy; ++y) {
            const int row = bottomUp ? dib.dsBm.bmHeight - 1 - y : y;
            const auto* bits = static_cast<const uint32_t*>(dib.dsBm.bmBits) + size_t(row) * size_t(dib.dsBm.bmWidth);
            pixels.insert(pixels.end(), bits + Origin.x, bits + Origin.x + Size.cx);
        }
        return pixels;
    }

    inline static TLayeredRecorder* Current = nullptr;
    TUpdateLayeredWindow FUpdate;
    TSetLayeredWindowAttributes FAttributes;
    TLayeredRecorder* FPrevious;
};

}  // namespace skin::test
