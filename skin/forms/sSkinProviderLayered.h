#pragma once
// The layered-window and desktop-composition toolbox of form skinning: a 32-bit picture on a
// layered window at an opacity, a cover that freezes what a window shows while the window
// changes, a complete snapshot of a skinned form, and the taskbar's thumbnail, live preview and
// blur behind a window. The layered calls go through the entry points of the pixel toolbox and
// the window manager's through the system seams, so that tests record both.
#include <windows.h>

#include "vcl/bitmaps.h"
#include "vcl/forms.h"
#include "vcl/system.h"

namespace skin {

class TsSkinProvider;

// Bmp as the layered content of Wnd at opacity Value (its low byte); the window becomes layered
// when it is not. NewPos moves the window's top-left corner there; none keeps its place. No Bmp
// stands for a fully transparent picture of the window's size, which keeps the window on screen
// and hit-testable.
void SetFormBlendValue(HWND Wnd, vcl::TBitmap* Bmp, int Value, const vcl::TPoint* NewPos = nullptr);
// A new borderless, topmost, never activated layered window exactly over Wnd, showing what Wnd
// showed at that moment fully opaque; tagged -98 so that nothing skins it. The caller frees it.
vcl::TForm* MakeCoverForm(HWND Wnd);
// A new 32-bit snapshot of the provider's whole form, frame and children, made opaque; none when
// the provider has no cache bitmap. With FreeCache the provider's cache bitmap is freed (the
// caller then stores the snapshot as the new cache).
std::unique_ptr<vcl::TBitmap> GetFormImage(TsSkinProvider* Provider, bool FreeCache);

// The size of a SourceW x SourceH picture fitted into MaxWidth x MaxHeight with its proportions,
// each side rounded (halves to even).
vcl::TSize ThumbSize(int SourceW, int SourceH, int MaxWidth, int MaxHeight);
// Answers the taskbar's request for a thumbnail of at most MaxWidth x MaxHeight with the form's
// picture: true when one was set. False before system version 6, for a size of 0, without a
// picture, and when the window manager refuses it.
bool SetThumbIcon(HWND Wnd, TsSkinProvider* Provider, int MaxWidth, int MaxHeight);
// Answers the taskbar's request for a live preview with the form's picture: true when it was set.
bool SetPreviewBmp(HWND Wnd, TsSkinProvider* Provider);
// Switches the window manager's blur behind Wnd, limited to Region unless it is 0.
void SetBlurBehind(HWND Wnd, bool Enable, HRGN Region);

}  // namespace skin
