#pragma once
// The skin library's toolbox of small free functions: rectangle arithmetic, clamping and choice,
// word splitting, numbers in text, INI text held in string lists, paths and system settings.
#include <windows.h>

#include <cstdint>
#include <initializer_list>

#include <memory>

#include "vcl/bitmaps.h"
#include "vcl/classes.h"
#include "vcl/messages.h"
#include "vcl/pictures.h"
#include "vcl/system.h"

namespace skin {

// ---------------------------------------------------------------------------------------------
// Rectangles, choice and clamping (on every paint path, so inline)

// Right - Left; with ClampNegative a negative width gives 0.
inline int WidthOf(const vcl::TRect& R, bool ClampNegative = false)
{
    const int w = R.right - R.left;
    return ClampNegative && w < 0 ? 0 : w;
}
inline int HeightOf(const vcl::TRect& R, bool ClampNegative = false)
{
    const int h = R.bottom - R.top;
    return ClampNegative && h < 0 ? 0 : h;
}
// The rectangles share a pixel and B is not empty.
bool RectIsVisible(const vcl::TRect& A, const vcl::TRect& B);
// Both corners of Inner lie within Outer, all four edges of Outer included.
bool RectInRect(const vcl::TRect& Outer, const vcl::TRect& Inner);
// The axes swapped.
inline vcl::TRect RotateRect(const vcl::TRect& R) { return vcl::TRect(R.top, R.left, R.bottom, R.right); }
// The intersection without an emptiness test: it may come out empty or inverted.
vcl::TRect RectsAnd(const vcl::TRect& A, const vcl::TRect& B);

inline int iffi(bool Cond, int A, int B) { return Cond ? A : B; }
inline vcl::String iff(bool Cond, const vcl::String& A, const vcl::String& B) { return Cond ? A : B; }
// V between A and B, both included, the bounds in either order.
inline bool Between(int V, int A, int B) { return A <= B ? V >= A && V <= B : V >= B && V <= A; }
// Min when V < Min, else Max when V > Max, else V: Min wins when Min > Max.
inline int LimitIt(int V, int Min, int Max) { return V < Min ? Min : V > Max ? Max : V; }
inline int IntToByte(int V) { return V < 0 ? 0 : V > 255 ? 255 : V; }
inline int Maxi(int A, int B) { return A > B ? A : B; }
inline int Mini(int A, int B) { return A < B ? A : B; }
inline void Changei(int& A, int& B)
{
    const int t = A;
    A = B;
    B = t;
}

// ---------------------------------------------------------------------------------------------
// Backgrounds

// Where a control finds the background beneath it: the pixel under the control's local point
// (x, y) is Bmp's pixel (x + X, y + Y) when Ready; otherwise the background is the plain FillColor
// (0xFF00FF: none). A value: it never frees its bitmap.
struct TCacheInfo {
    vcl::TBitmap* Bmp = nullptr;
    int X = 0;
    int Y = 0;
    vcl::TColor FillColor = vcl::clFuchsia;
    bool Ready = false;
};
// A ready record over the bitmap at the offset, whatever the bitmap.
inline TCacheInfo MakeCacheInfo(vcl::TBitmap* Bmp, int X = 0, int Y = 0) { return {Bmp, X, Y, vcl::clFuchsia, true}; }

// ---------------------------------------------------------------------------------------------
// Words: maximal runs of characters that are not delimiters, numbered from 1. Runs of delimiters
// count as one, delimiters at either end make no empty words, nothing is quoted.

// A set of 8-bit characters.
class TSysCharSet {
public:
    constexpr TSysCharSet(std::initializer_list<char> Chars)
    {
        for (char c : Chars)
            FBits[uint8_t(c) / 64] |= uint64_t(1) << (uint8_t(c) % 64);
    }
    constexpr bool Contains(uint8_t c) const { return (FBits[c / 64] >> (c % 64)) & 1; }

private:
    uint64_t FBits[4] = {};
};

int WordCount(const vcl::AnsiString& S, const TSysCharSet& Delims);
// The 1-based index of the first character of word N; 0 when there are fewer words or N < 1.
int WordPosition(int N, const vcl::AnsiString& S, const TSysCharSet& Delims);
vcl::AnsiString ExtractWord(int N, const vcl::AnsiString& S, const TSysCharSet& Delims);
// The same on UTF-16 text: a character up to U+044F is a delimiter when its low byte is in the
// set; a character above never is.
int acWordCount(const vcl::String& S, const TSysCharSet& Delims);
int acWordPosition(int N, const vcl::String& S, const TSysCharSet& Delims);

// ---------------------------------------------------------------------------------------------
// Strings (a blank is character 32 only)

vcl::AnsiString MakeStr(char Ch, int N);
void acFillString(vcl::String& S, int N, wchar_t Ch);
vcl::String DelESpace(const vcl::String& S);
vcl::String DelBSpace(const vcl::String& S);
vcl::String DelRSpace(const vcl::String& S);
vcl::String DelChars(const vcl::String& S, wchar_t Ch);
// Every occurrence of Old replaced, left to right, inserted text not searched again.
vcl::String ReplaceStr(const vcl::String& S, const vcl::String& Old, const vcl::String& New);

// ---------------------------------------------------------------------------------------------
// Numbers in text

// Hexadecimal 8-bit text, a trailing "H" ignored, 64-bit wrap; 0 when another character occurs.
int64_t HexToInt(const vcl::AnsiString& S);
// Every character a digit, sign, exponent letter or the locale's decimal separator, and the text
// (at most its first 127 characters) converts; the number goes to Value.
bool IsValidFloat(const vcl::AnsiString& S, double& Value);
// The integer part grouped by the locale's thousands separator when Thousands is set.
vcl::AnsiString FormatFloatStr(const vcl::AnsiString& S, bool Thousands);

// ---------------------------------------------------------------------------------------------
// INI text held in string lists (a skin's "Options.dat")

// Sections gets one entry per "[name]" line, its object a new string list (owned by the caller)
// holding the section's lines as they are; empty and ";" lines are skipped.
void GetIniSections(vcl::TStrings* Lines, vcl::TStrings* Sections);
// The text behind "Key=" of the first matching line of the section, unchanged; Default when the
// section or the key is missing. Keys compare without regard to case.
vcl::String ReadIniString(vcl::TStrings* Sections, const vcl::String& Section, const vcl::String& Key,
                          const vcl::String& Default);
// The value as an integer (decimal, "$" or "0x" hexadecimal); Default for anything else.
int ReadIniInteger(vcl::TStrings* Sections, const vcl::String& Section, const vcl::String& Key, int Default);

// ---------------------------------------------------------------------------------------------
// Messages

inline vcl::TMessage MakeMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result)
{
    vcl::TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    m.Result = Result;
    return m;
}

// S in a modal error box with an OK button.
void ShowError(const vcl::String& S);

// ---------------------------------------------------------------------------------------------
// Paths and files

// D ending in exactly one backslash; a lone drive letter gains ":\\".
vcl::String NormalDir(const vcl::String& D);
// The folder of the running program file, with a trailing backslash.
vcl::String GetAppPath();
// The shell's icon for the file (SHGetFileInfo flags Flags, the icon flag added); none when the file
// is missing or has no icon.
std::unique_ptr<vcl::TIcon> GetIconForFile(const vcl::String& F, UINT Flags);

// ---------------------------------------------------------------------------------------------
// System

// The function Name of Module as the function type F; null when the module or the function is missing.
template<class F>
F GetProc(HMODULE Module, const char* Name)
{
    using TAnyProc = void (*)();  // converts to any other function type without a warning
    return Module ? reinterpret_cast<F>(reinterpret_cast<TAnyProc>(GetProcAddress(Module, Name))) : nullptr;
}

// Set at start-up when a 32-bit process runs on 64-bit Windows without desktop composition: no
// glow is drawn then.
extern bool acGlowDisabled;

// The running system's version record (the wide form, its size field filled), through the system
// seams.
OSVERSIONINFOW SystemVersion();
// Desktop composition is on: system version 6 or later and the desktop window manager says so;
// before 6.0 its library is not even loaded.
bool acCompositionEnabled();
// System version 5.1 or later.
bool IsNTFamily();
// A 32-bit process on 64-bit Windows.
bool IsWOW64Proc();
// A debugger is attached; true when the system cannot tell.
bool IsIDERunning();
// The system's minimise and restore animation setting.
bool acGetAnimation();
// Sets it for this session (not stored in the profile, not broadcast).
void acSetAnimation(bool On);
// Switches the system's minimise and restore animation off for the length of the scope.
class TSystemAnimationOff {
public:
    TSystemAnimationOff() : FWasOn(acGetAnimation())
    {
        if (FWasOn)
            acSetAnimation(false);
    }
    ~TSystemAnimationOff()
    {
        if (FWasOn)
            acSetAnimation(true);
    }
    TSystemAnimationOff(const TSystemAnimationOff&) = delete;
    TSystemAnimationOff& operator=(const TSystemAnimationOff&) = delete;

private:
    bool FWasOn;
};
// The height of the caption font of the non-client metrics; 0 when the query fails.
int GetCaptionFontSize();
// A new font made from the caption font, owned by the caller; null when the query fails.
HFONT acGetTitleFont();
// Processes the application's pending messages at least once, and as they come until Ms
// milliseconds have passed.
void Delay(int Ms);

}  // namespace skin
