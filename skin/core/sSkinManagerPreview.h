#pragma once
// The skin editor's preview link: a skin sent in a copy-data message is loaded at once; and the
// taskbar-preview attributes of a window, used while the skinned taskbar previews are on.
#include <windows.h>

#include <cstdint>

#include "vcl/messages.h"

namespace skin {

class TsSkinManager;

// The copy-data payload of the preview link: each text ends at its first zero byte or at the end
// of its field, in the system's ANSI code page.
#pragma pack(push, 1)
struct TacSkinData {
    int32_t Magic;          // SkinDataMagic for a valid record
    char SkinName[128];
    char SkinDir[513];
    char Data[30001];       // the whole options text of the skin
};
#pragma pack(pop)
static_assert(sizeof(TacSkinData) == 30646);

inline constexpr int32_t SkinDataMagic = 0xA400;
// The message of the skin editor's preview link, both ways (requests in WParam).
inline constexpr UINT SkinPreviewMessage = 0xA400;
// The WParam of a copy-data message that carries a skin.
inline constexpr WPARAM SkinDataKind = 7;

// The skinned taskbar thumbnails and live previews; off, and nothing here turns it on.
extern bool acTaskbarPreviews;

// Loads the skin a WM_COPYDATA message carries (the skin folder SkinDir/SkinName with the options
// text of Data) into Manager, repaints without the skin-change animation and answers 1; while a
// load of Manager runs, once that load has ended. Nothing for another WParam, a missing or short
// record, or another magic number.
void ReceiveData(vcl::TMessage& Message, TsSkinManager* Manager);

// Sets (or clears) the iconic-bitmap attributes of a taskbar window; nothing while
// acTaskbarPreviews is off.
void UpdatePreview(HWND Wnd, bool On);

}  // namespace skin
