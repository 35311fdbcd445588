#pragma once
// Drawing objects and the canvas: fonts, brushes and pens with lazily created GDI handles, and a
// canvas that draws on any device context it creates or is given.
#include "vcl/classes.h"
#include "vcl/system.h"

#include <windows.h>

#include <span>
#include <vector>

namespace vcl {

class TGraphic;

// Stores Value in Field when it differs and tells whether it did: setters act only on a change.
template<class T>
bool ChangeField(T& Field, const T& Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}

// A system colour becomes its current RGB value; every other value is returned unchanged.
COLORREF ColorToRGB(TColor Color);

// The named colours in their fixed order: the 16 standard ones, 4 more, then the system colours
// with clDefault and clNone, alphabetically (52 in all).
struct TColorName {
    TColor Value;
    const wchar_t* Name;
};
std::span<const TColorName> ColorNames();
// The colour's name ("clMoneyGreen"), else "$00BBGGRR".
String ColorToString(TColor Color);
// A name of the table (in any case) or a number ("$"-hexadecimal or decimal); anything else
// raises EConvertError.
TColor StringToColor(const String& S);

// The screen's logical pixels per inch (96 in the tests), for font sizes in points.
int ScreenPixelsPerInch();

// A memory DC for the life of this object, so a drawing that throws leaves nothing behind. Made
// empty, with a bitmap selected (the bitmap stays the caller's), or with a new off-screen bitmap
// of Width x Height like Reference's (the screen's when null) that goes with the DC.
class TMemoryDC {
public:
    TMemoryDC();
    explicit TMemoryDC(HBITMAP Bitmap);
    TMemoryDC(HDC Reference, int Width, int Height);
    ~TMemoryDC();
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC Handle() const { return FDC; }

private:
    HDC FDC = nullptr;
    HBITMAP FOwnBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Graphics objects

// Base of fonts, brushes and pens: a cached handle made on demand, dropped on every change.
class TGraphicsObject : public TPersistent {
    CL_CLASS(TGraphicsObject, TPersistent)
public:
    ~TGraphicsObject() override;
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }

protected:
    // Drops the cached handle and tells OnChange.
    void Changed();
    virtual HGDIOBJ CreateHandle() const = 0;
    // The cached handle, made on first use.
    HGDIOBJ GetHandle() const;

private:
    mutable HGDIOBJ FHandle = nullptr;
    TNotifyEvent FOnChange;
};

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
enum class TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType,
                          fqClearTypeNatural };

class TFont : public TGraphicsObject {
    CL_CLASS(TFont, TGraphicsObject)
    CL_PUBLISHED
public:
    TFont() = default;

    HFONT Handle() const;
    // Takes over the font a handle describes (its LOGFONT); the handle itself stays the caller's.
    void SetHandle(HFONT value);

    const String& Name() const { return FName; }
    void SetName(const String& value);
    // LOGFONT height: negative = character height, positive = cell height, in pixels.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // In points at the screen's pixels per inch.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    BYTE Charset() const { return FCharset; }
    void SetCharset(BYTE value);
    int Orientation() const { return FOrientation; }
    void SetOrientation(int value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    TFontQuality Quality() const { return FQuality; }
    void SetQuality(TFontQuality value);

    void Assign(TPersistent* Source) override;
    // Same face, size, style, colour, charset, orientation, pitch and quality.
    bool Equals(const TFont& other) const;

protected:
    HGDIOBJ CreateHandle() const override;

private:
    String FName = L"Tahoma";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    BYTE FCharset = DEFAULT_CHARSET;
    int FOrientation = 0;
    TFontPitch FPitch = TFontPitch::fpDefault;
    TFontQuality FQuality = TFontQuality::fqDefault;
};

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                         bsDiagCross };

class TBrush : public TGraphicsObject {
    CL_CLASS(TBrush, TGraphicsObject)
public:
    TBrush() = default;

    HBRUSH Handle() const;
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    void Assign(TPersistent* Source) override;

protected:
    HGDIOBJ CreateHandle() const override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = TBrushStyle::bsSolid;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                      pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };

class TPen : public TGraphicsObject {
    CL_CLASS(TPen, TGraphicsObject)
public:
    TPen() = default;

    HPEN Handle() const;
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    void Assign(TPersistent* Source) override;

protected:
    HGDIOBJ CreateHandle() const override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = TPenStyle::psSolid;
    TPenMode FMode = TPenMode::pmCopy;
};

// ---------------------------------------------------------------------------------------------
// Canvas

// Drawing on a device context. A plain canvas draws only on a DC it is given (SetHandle);
// descendants create one on demand (CreateHandle). Font, pen and brush are selected into the DC
// before each drawing call that needs them, and again after they change.
class TCanvas : public TPersistent {
    CL_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // The DC, created on demand by CreateHandle.
    HDC Handle();
    // Binds a foreign DC (0 forgets it, deselecting our objects first).
    void SetHandle(HDC value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* value) { FBrush->Assign(value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* value) { FPen->Assign(value); }
    TPoint PenPos();
    void SetPenPos(const TPoint& value) { MoveTo(value.x, value.y); }
    DWORD CopyMode() const { return FCopyMode; }
    void SetCopyMode(DWORD value) { FCopyMode = value; }
    TRect ClipRect();

    // A locked canvas keeps its DC; TryLock fails while another lock is held.
    void Lock() { ++FLockCount; }
    void Unlock() { --FLockCount; }
    bool TryLock();
    int LockCount() const { return FLockCount; }

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.left, R.top, R.right, R.bottom); }
    // The wedge of the ellipse in (X1, Y1, X2, Y2) from the ray through (X3, Y3) counter-clockwise
    // to the ray through (X4, Y4), outlined with the pen and filled with the brush.
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Polygon(const std::vector<TPoint>& Points);
    void Polyline(const std::vector<TPoint>& Points);
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void DrawFocusRect(const TRect& R);
    void TextOut(int X, int Y, const String& Text);
    // Text clipped to R, drawn from (X, Y).
    void TextRect(const TRect& R, int X, int Y, const String& Text);
    // DrawTextW in R with Format (DT_*); with DT_CALCRECT, R receives the text's extent.
    void TextRect(TRect& R, const String& Text, UINT Format);
    TSize TextExtent(const String& Text);
    int TextWidth(const String& Text) { return TextExtent(Text).cx; }
    int TextHeight(const String& Text) { return TextExtent(Text).cy; }
    // Copies Source's rectangle into Dest with CopyMode, stretching as needed.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // The graphic at its own size with its top-left corner at (X, Y), or stretched into Rect.
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Color);

    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }
    TNotifyEvent OnChanging() const { return FOnChanging; }
    void SetOnChanging(TNotifyEvent value) { FOnChanging = value; }

    // What is selected into the DC so far.
    enum class TCanvasStateItem { csHandleValid, csFontValid, csPenValid, csBrushValid };
    using TCanvasState = TSet<TCanvasStateItem>;

protected:
    // Makes a DC for a canvas that has none; a plain canvas cannot.
    virtual void CreateHandle();
    void RequiredState(TCanvasState state);
    // Around every drawing call.
    virtual void Changing();
    virtual void Changed();

private:
    void DeselectHandles();
    void FontChanged(TObject* Sender);
    void PenChanged(TObject* Sender);
    void BrushChanged(TObject* Sender);

    HDC FHandle = nullptr;
    TCanvasState FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
    HGDIOBJ FOldFont = nullptr;
    HGDIOBJ FOldPen = nullptr;
    HGDIOBJ FOldBrush = nullptr;
    DWORD FCopyMode = SRCCOPY;
    int FLockCount = 0;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnChanging;
};

// Keeps a canvas's DC while GDI copies from or into it.
class TCanvasLock {
public:
    explicit TCanvasLock(TCanvas* canvas) : FCanvas(canvas) { FCanvas->Lock(); }
    ~TCanvasLock() { FCanvas->Unlock(); }
    TCanvasLock(const TCanvasLock&) = delete;
    TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
    TCanvas* FCanvas;
};

// SaveDC now, RestoreDC when the scope ends, also when painting throws.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    ~TSavedDC() { RestoreDC(FDC, FSaved); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

}  // namespace vcl
