#pragma once
// The skin command message: the one private window message through which the parts of the skin
// engine talk to each other's windows, its commands and the records its queries carry.
//
// A skin command is the message SkinCommandMessage with the command in the high word of WParam,
// a small argument in the low word (0 unless a command says otherwise) and a value or a pointer
// in LParam. A receiver that does not know a command leaves it alone, so a query sent to a window
// that takes no part answers 0. Everything travels synchronously on the GUI thread.
#include <windows.h>

#include <cstdint>

#include "vcl/bitmaps.h"
#include "vcl/messages.h"
#include "vcl/system.h"

namespace skin {

// The message number, the same for every sender and receiver.
inline constexpr UINT SkinCommandMessage = 0xA100;

// The commands (codes are fixed; the gaps are unused).
enum TacSkinCommand : uint16_t {
    scmdSkinLoaded = 1,         // LParam the manager: a skin was loaded; look up indexes again, repaint
    scmdSkinRemoved = 2,        // LParam the manager: skinning ends
    scmdRepaint = 3,            // LParam the manager: repaint with the current skin
    scmdQueryProvider = 4,      // -> the form's TsSkinProvider
    scmdChildPaint = 5,         // a wrapped track bar is about to paint
    scmdParentUpdated = 6,      // the parent finished its own repaint
    scmdQuerySkinned = 7,       // -> 1: the window handles skin commands
    scmdSetUpdating = 8,        // argument 1 set, 0 clear the updating flag
    scmdSetUrgent = 9,          // argument 1 set, 0 clear urgent painting
    scmdQueryChanging = 10,     // -> 1 while the background is rebuilt or the control updates
    scmdQueryHalfVisible = 11,  // -> 1 while the control is partly hidden
    scmdSectionChanged = 13,    // the section named by GlobalSectionName changed
    scmdDroppedDown = 14,       // -> 1 while a combo box's list is dropped down
    scmdSetSection = 15,        // LParam a TacSectionInfo: take its Name as the section
    scmdStopFade = 16,          // stop and free the fade timer
    scmdMarkChanged = 17,       // the cache is stale
    scmdRedraw = 18,            // clear updating, mark the cache stale and repaint now
    scmdQueryTextured = 19,     // -> 1 when the background depends on the position
    scmdMarkIfMoved = 20,       // argument 1: redraw now; the parent moved or was resized
    scmdQueryColor = 21,        // -> the background colour
    scmdSetHalfVisible = 22,    // the control lies outside the clip
    scmdRenderCache = 23,       // render the cache now
    scmdPaintBitmap = 24,       // LParam a TBitmap -> 1 when painted as the control's image
    scmdAdaptControl = 25,      // LParam a TWinControl: (to a form) take it into the adapter
    scmdQuerySkinIndex = 26,    // LParam a TacSectionInfo: write the section index into it
    scmdQueryManager = 27,      // -> the window's TsSkinManager
    scmdAttachChildren = 28,    // attach wrappers to the child windows again
    scmdMouseEnter = 29,        // the mouse entered
    scmdMouseLeave = 30,        // the mouse left
    scmdBeginBatch = 31,        // the owner starts a batch of changes
    scmdEndBatch = 32,          // the batch ended: repaint
    scmdDropCache = 33,         // free the cache bitmaps, recursively
    scmdQueryBackground = 34,   // LParam a TacBGInfo -> 1: the background of the control
    scmdQueryDisabledKind = 35, // LParam an Integer preset to 1: may receive the disabled kind
    scmdSkinState = 36,         // LParam 1: recompute the skin state; else -> the state
    scmdQuerySkinData = 37,     // -> the control's TsCommonData
    scmdPrintMode = 38,         // LParam a DC (0 ends) -> 1: printing into that DC starts or ends
    scmdBeforeScroll = 51,      // -> 1 when the control scrolls itself
    scmdAfterScroll = 52,       // after a scroll action
    scmdQueryApplication = 60,  // -> the module's application object
    scmdQueryClientOffset = 61, // -> the client offset, X in the low word, Y in the high word
};

// The WParam of a command with its argument.
constexpr WPARAM SkinCommandWParam(uint16_t Cmd, uint16_t Arg = 0) { return MAKEWPARAM(Arg, Cmd); }
// The command a message carries; 0 for any other message.
inline uint16_t SkinCommandOf(const vcl::TMessage& Message)
{
    return Message.Msg == SkinCommandMessage ? Message.WParamHi() : 0;
}
// A skin command message record, result 0.
inline vcl::TMessage MakeSkinMessage(uint16_t Cmd, LPARAM LParam = 0, uint16_t Arg = 0)
{
    vcl::TMessage m;
    m.Msg = SkinCommandMessage;
    m.WParam = SkinCommandWParam(Cmd, Arg);
    m.LParam = LParam;
    return m;
}

// What lies beneath a control: the record the background query (scmdQueryBackground) fills.
struct TacBGInfo {
    vcl::TBitmap* Bmp = nullptr;  // the bitmap holding the background (kind 2)
    vcl::TColor Color = vcl::TColor(0);  // the colour (kind 1); a fallback with kind 2
    // Where the asking control lies in Bmp (kind 2); on input, the point of the answering
    // control's cache to copy from when FillNow is set.
    vcl::TPoint Offset;
    vcl::TRect R;       // the rectangle of DC to fill
    uint8_t BgKind = 0;  // 0 nobody answered, 1 colour, 2 bitmap
    bool FillNow = false;  // the answering control fills R of DC itself
    HDC DC = nullptr;
};

// A section by name or index, carried by scmdSetSection and scmdQuerySkinIndex.
struct TacSectionInfo {
    int SkinIndex = -1;  // the answer of scmdQuerySkinIndex
    vcl::String Name;    // the section to take with scmdSetSection
    bool RepaintNeeded = false;
};

}  // namespace skin
