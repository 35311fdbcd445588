#include "vcl/graphics.h"

#include "vcl/pictures.h"

#include <cwchar>

namespace vcl {

COLORREF ColorToRGB(TColor Color)
{
    if ((static_cast<uint32_t>(Color) & 0xFF000000u) == 0xFF000000u)
        return GetSysColor(static_cast<int>(Color & 0xFF));
    return static_cast<COLORREF>(Color);
}

int ScreenPixelsPerInch()
{
    static const int ppi = [] {
        HDC dc = GetDC(nullptr);
        int value = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return value > 0 ? value : 96;
    }();
    return ppi;
}

// ---------------------------------------------------------------------------------------------
// TMemoryDC

TMemoryDC::TMemoryDC() : FDC(CreateCompatibleDC(nullptr)) {}

TMemoryDC::TMemoryDC(HBITMAP Bitmap) : FDC(CreateCompatibleDC(nullptr)), FOldBitmap(SelectObject(FDC, Bitmap)) {}

TMemoryDC::TMemoryDC(HDC Reference, int Width, int Height) : FDC(CreateCompatibleDC(Reference))
{
    // A bitmap compatible with the memory DC itself would be monochrome.
    HDC screen = Reference ? nullptr : GetDC(nullptr);
    FOwnBitmap = CreateCompatibleBitmap(Reference ? Reference : screen, Width, Height);
    if (screen)
        ReleaseDC(nullptr, screen);
    FOldBitmap = SelectObject(FDC, FOwnBitmap);
}

TMemoryDC::~TMemoryDC()
{
    if (FOldBitmap)
        SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
    if (FOwnBitmap)
        DeleteObject(FOwnBitmap);
}

// ---------------------------------------------------------------------------------------------
// TGraphicsObject

TGraphicsObject::~TGraphicsObject()
{
    if (FHandle)
        DeleteObject(FHandle);
}

HGDIOBJ TGraphicsObject::GetHandle() const
{
    if (!FHandle)
        FHandle = CreateHandle();
    return FHandle;
}

void TGraphicsObject::Changed()
{
    // Listeners deselect the old handle (or ask for the new one) before the old one is deleted.
    HGDIOBJ old = FHandle;
    FHandle = nullptr;
    if (FOnChange)
        FOnChange(this);
    if (old)
        DeleteObject(old);
}

// ---------------------------------------------------------------------------------------------
// TFont

HFONT TFont::Handle() const { return static_cast<HFONT>(GetHandle()); }

HGDIOBJ TFont::CreateHandle() const
{
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfEscapement = FOrientation;
    lf.lfOrientation = FOrientation;
    lf.lfWeight = FStyle.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(TFontStyle::fsItalic);
    lf.lfUnderline = FStyle.Contains(TFontStyle::fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(TFontStyle::fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = static_cast<BYTE>(FQuality);
    static const BYTE pitches[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
    lf.lfPitchAndFamily = pitches[static_cast<int>(FPitch)];
    wcsncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

void TFont::SetHandle(HFONT value)
{
    LOGFONTW lf{};
    if (!value || !GetObjectW(value, sizeof(lf), &lf))
        return;
    FName = lf.lfFaceName;
    FHeight = lf.lfHeight;
    FStyle = TFontStyles();
    if (lf.lfWeight >= FW_BOLD)
        FStyle << TFontStyle::fsBold;
    if (lf.lfItalic)
        FStyle << TFontStyle::fsItalic;
    if (lf.lfUnderline)
        FStyle << TFontStyle::fsUnderline;
    if (lf.lfStrikeOut)
        FStyle << TFontStyle::fsStrikeOut;
    FCharset = lf.lfCharSet;
    FOrientation = lf.lfEscapement;
    FQuality = lf.lfQuality <= static_cast<BYTE>(TFontQuality::fqClearTypeNatural)
                   ? static_cast<TFontQuality>(lf.lfQuality)
                   : TFontQuality::fqDefault;
    switch (lf.lfPitchAndFamily & 3) {
    case VARIABLE_PITCH: FPitch = TFontPitch::fpVariable; break;
    case FIXED_PITCH: FPitch = TFontPitch::fpFixed; break;
    default: FPitch = TFontPitch::fpDefault; break;
    }
    Changed();
}

void TFont::SetName(const String& value)
{
    if (!value.empty() && ChangeField(FName, value))
        Changed();
}
void TFont::SetHeight(int value)
{
    if (ChangeField(FHeight, value))
        Changed();
}
int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch()); }
void TFont::SetSize(int value) { SetHeight(-MulDiv(value, ScreenPixelsPerInch(), 72)); }
void TFont::SetStyle(TFontStyles value)
{
    if (ChangeField(FStyle, value))
        Changed();
}
void TFont::SetColor(TColor value)
{
    if (ChangeField(FColor, value))
        Changed();
}
void TFont::SetCharset(BYTE value)
{
    if (ChangeField(FCharset, value))
        Changed();
}
void TFont::SetOrientation(int value)
{
    if (ChangeField(FOrientation, value))
        Changed();
}
void TFont::SetPitch(TFontPitch value)
{
    if (ChangeField(FPitch, value))
        Changed();
}
void TFont::SetQuality(TFontQuality value)
{
    if (ChangeField(FQuality, value))
        Changed();
}

bool TFont::Equals(const TFont& o) const
{
    return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
           FCharset == o.FCharset && FOrientation == o.FOrientation && FPitch == o.FPitch && FQuality == o.FQuality;
}

void TFont::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TFont*>(Source);
    if (!source) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (Equals(*source))
        return;
    FName = source->FName;
    FHeight = source->FHeight;
    FStyle = source->FStyle;
    FColor = source->FColor;
    FCharset = source->FCharset;
    FOrientation = source->FOrientation;
    FPitch = source->FPitch;
    FQuality = source->FQuality;
    Changed();
}

// ---------------------------------------------------------------------------------------------
// TBrush

HBRUSH TBrush::Handle() const { return static_cast<HBRUSH>(GetHandle()); }

HGDIOBJ TBrush::CreateHandle() const
{
    switch (FStyle) {
    case TBrushStyle::bsSolid: return CreateSolidBrush(ColorToRGB(FColor));
    case TBrushStyle::bsClear: return GetStockObject(NULL_BRUSH);
    default:
        // The hatch styles follow HS_HORIZONTAL .. HS_DIAGCROSS in order.
        return CreateHatchBrush(static_cast<int>(FStyle) - static_cast<int>(TBrushStyle::bsHorizontal),
                                ColorToRGB(FColor));
    }
}

void TBrush::SetColor(TColor value)
{
    if (!ChangeField(FColor, value))
        return;
    if (FStyle == TBrushStyle::bsClear)
        FStyle = TBrushStyle::bsSolid;
    Changed();
}
void TBrush::SetStyle(TBrushStyle value)
{
    if (ChangeField(FStyle, value))
        Changed();
}

void TBrush::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TBrush*>(Source);
    if (!source) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (FColor == source->FColor && FStyle == source->FStyle)
        return;
    FColor = source->FColor;
    FStyle = source->FStyle;
    Changed();
}

// ---------------------------------------------------------------------------------------------
// TPen

HPEN TPen::Handle() const { return static_cast<HPEN>(GetHandle()); }

HGDIOBJ TPen::CreateHandle() const
{
    // The pen styles follow PS_SOLID .. PS_INSIDEFRAME in order.
    return CreatePen(static_cast<int>(FStyle), FWidth, ColorToRGB(FColor));
}

void TPen::SetColor(TColor value)
{
    if (ChangeField(FColor, value))
        Changed();
}
void TPen::SetWidth(int value)
{
    if (value >= 0 && ChangeField(FWidth, value))
        Changed();
}
void TPen::SetStyle(TPenStyle value)
{
    if (ChangeField(FStyle, value))
        Changed();
}
void TPen::SetMode(TPenMode value)
{
    if (ChangeField(FMode, value))
        Changed();
}

void TPen::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TPen*>(Source);
    if (!source) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (FColor == source->FColor && FWidth == source->FWidth && FStyle == source->FStyle && FMode == source->FMode)
        return;
    FColor = source->FColor;
    FWidth = source->FWidth;
    FStyle = source->FStyle;
    FMode = source->FMode;
    Changed();
}

// ---------------------------------------------------------------------------------------------
// TCanvas

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>())
{
    FFont->SetOnChange(TNotifyEvent(this, &TCanvas::FontChanged));
    FBrush->SetOnChange(TNotifyEvent(this, &TCanvas::BrushChanged));
    FPen->SetOnChange(TNotifyEvent(this, &TCanvas::PenChanged));
}

TCanvas::~TCanvas()
{
    if (FHandle)
        DeselectHandles();
}

HDC TCanvas::Handle()
{
    RequiredState(TCanvasStateItem::csHandleValid);
    return FHandle;
}

void TCanvas::CreateHandle() { throw EInvalidOperation(L"Canvas does not allow drawing"); }

void TCanvas::SetHandle(HDC value)
{
    if (FHandle == value)
        return;
    if (FHandle) {
        DeselectHandles();
        FState = TCanvasState();
    }
    FHandle = value;
    if (FHandle)
        FState << TCanvasStateItem::csHandleValid;
}

void TCanvas::DeselectHandles()
{
    if (FOldFont) {
        SelectObject(FHandle, FOldFont);
        FOldFont = nullptr;
    }
    if (FOldPen) {
        SelectObject(FHandle, FOldPen);
        FOldPen = nullptr;
    }
    if (FOldBrush) {
        SelectObject(FHandle, FOldBrush);
        FOldBrush = nullptr;
    }
    FState -= TCanvasState{TCanvasStateItem::csFontValid, TCanvasStateItem::csPenValid,
                           TCanvasStateItem::csBrushValid};
}

// Selects what a drawing call needs; the first selection remembers the DC's own object.
static void SelectInto(HDC dc, HGDIOBJ object, HGDIOBJ& old)
{
    HGDIOBJ previous = SelectObject(dc, object);
    if (!old)
        old = previous;
}

void TCanvas::RequiredState(TCanvasState state)
{
    TCanvasState needed = state - FState;
    if (needed.Empty())
        return;
    if (needed.Contains(TCanvasStateItem::csHandleValid)) {
        CreateHandle();
        if (!FHandle)
            throw EInvalidOperation(L"Canvas does not allow drawing");
        FState << TCanvasStateItem::csHandleValid;
    }
    if (needed.Contains(TCanvasStateItem::csFontValid)) {
        SelectInto(FHandle, FFont->Handle(), FOldFont);
        SetTextColor(FHandle, ColorToRGB(FFont->Color()));
        FState << TCanvasStateItem::csFontValid;
    }
    if (needed.Contains(TCanvasStateItem::csPenValid)) {
        SelectInto(FHandle, FPen->Handle(), FOldPen);
        static const int ropModes[] = {R2_BLACK,       R2_WHITE,     R2_NOP,        R2_NOT,
                                       R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                       R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,   R2_NOTMERGEPEN,
                                       R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,     R2_NOTXORPEN};
        SetROP2(FHandle, ropModes[static_cast<int>(FPen->Mode())]);
        FState << TCanvasStateItem::csPenValid;
    }
    if (needed.Contains(TCanvasStateItem::csBrushValid)) {
        SelectInto(FHandle, FBrush->Handle(), FOldBrush);
        SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
        SetBkMode(FHandle, FBrush->Style() == TBrushStyle::bsSolid ? OPAQUE : TRANSPARENT);
        FState << TCanvasStateItem::csBrushValid;
    }
}

// A changed object must leave the DC before its old handle is deleted.
void TCanvas::FontChanged(TObject*)
{
    if (FState.Contains(TCanvasStateItem::csFontValid)) {
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
        FState >> TCanvasStateItem::csFontValid;
    }
}
void TCanvas::PenChanged(TObject*)
{
    if (FState.Contains(TCanvasStateItem::csPenValid)) {
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
        FState >> TCanvasStateItem::csPenValid;
    }
}
void TCanvas::BrushChanged(TObject*)
{
    if (FState.Contains(TCanvasStateItem::csBrushValid)) {
        SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
        FState >> TCanvasStateItem::csBrushValid;
    }
}

bool TCanvas::TryLock()
{
    if (FLockCount > 0)
        return false;
    Lock();
    return true;
}

void TCanvas::Changing()
{
    if (FOnChanging)
        FOnChanging(this);
}
void TCanvas::Changed()
{
    if (FOnChange)
        FOnChange(this);
}

TPoint TCanvas::PenPos()
{
    RequiredState(TCanvasStateItem::csHandleValid);
    POINT p{};
    GetCurrentPositionEx(FHandle, &p);
    return p;
}

TRect TCanvas::ClipRect()
{
    RequiredState(TCanvasStateItem::csHandleValid);
    RECT r{};
    GetClipBox(FHandle, &r);
    return r;
}

using S = TCanvas::TCanvasStateItem;

void TCanvas::MoveTo(int X, int Y)
{
    RequiredState(S::csHandleValid);
    MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y)
{
    Changing();
    RequiredState({S::csHandleValid, S::csPenValid, S::csBrushValid});
    ::LineTo(FHandle, X, Y);
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState({S::csHandleValid, S::csPenValid, S::csBrushValid});
    ::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    Changing();
    RequiredState({S::csHandleValid, S::csPenValid, S::csBrushValid});
    ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState({S::csHandleValid, S::csPenValid, S::csBrushValid});
    ::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    Changing();
    RequiredState({S::csHandleValid, S::csPenValid, S::csBrushValid});
    ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points)
{
    Changing();
    RequiredState({S::csHandleValid, S::csPenValid, S::csBrushValid});
    ::Polygon(FHandle, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points)
{
    Changing();
    RequiredState({S::csHandleValid, S::csPenValid, S::csBrushValid});
    ::Polyline(FHandle, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::FillRect(const TRect& R)
{
    Changing();
    RequiredState({S::csHandleValid, S::csBrushValid});
    ::FillRect(FHandle, &R, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& R)
{
    Changing();
    RequiredState({S::csHandleValid, S::csBrushValid});
    ::FrameRect(FHandle, &R, FBrush->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& R)
{
    Changing();
    RequiredState({S::csHandleValid, S::csBrushValid});
    ::DrawFocusRect(FHandle, &R);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text)
{
    Changing();
    RequiredState({S::csHandleValid, S::csFontValid, S::csBrushValid});
    ExtTextOutW(FHandle, X, Y, 0, nullptr, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const String& Text)
{
    Changing();
    RequiredState({S::csHandleValid, S::csFontValid, S::csBrushValid});
    UINT options = ETO_CLIPPED | (FBrush->Style() == TBrushStyle::bsSolid ? ETO_OPAQUE : 0);
    ExtTextOutW(FHandle, X, Y, options, &R, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

void TCanvas::TextRect(TRect& R, const String& Text, UINT Format)
{
    Changing();
    RequiredState({S::csHandleValid, S::csFontValid, S::csBrushValid});
    DrawTextW(FHandle, Text.c_str(), static_cast<int>(Text.size()), &R, Format);
    Changed();
}

TSize TCanvas::TextExtent(const String& Text)
{
    RequiredState({S::csHandleValid, S::csFontValid});
    SIZE size{};
    GetTextExtentPoint32W(FHandle, Text.c_str(), static_cast<int>(Text.size()), &size);
    return size;
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    Changing();
    RequiredState({S::csHandleValid, S::csBrushValid});
    Canvas->RequiredState({S::csHandleValid, S::csBrushValid});
    StretchBlt(FHandle, Dest.left, Dest.top, Dest.Width(), Dest.Height(), Canvas->FHandle, Source.left,
               Source.top, Source.Width(), Source.Height(), FCopyMode);
    Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (Graphic && !Graphic->Empty())
        StretchDraw(Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    Changing();
    RequiredState(S::csHandleValid);
    Graphic->Draw(this, Rect);
    Changed();
}

TColor TCanvas::Pixels(int X, int Y)
{
    RequiredState(S::csHandleValid);
    return TColor(static_cast<int32_t>(GetPixel(FHandle, X, Y)));
}

void TCanvas::SetPixels(int X, int Y, TColor Color)
{
    Changing();
    RequiredState({S::csHandleValid, S::csPenValid});
    SetPixel(FHandle, X, Y, ColorToRGB(Color));
    Changed();
}

}  // namespace vcl
