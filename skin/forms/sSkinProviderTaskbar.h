#pragma once
// Where a minimised form's picture goes: the application's taskbar button when the shell lists it,
// else the taskbar's inner edge across from the form.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "vcl/system.h"

namespace skin {

// The shell's taskbar window; none without a shell.
HWND ShellTrayWnd();
// The screen rectangle of the application's button on the taskbar, read from the shell's button
// list; empty when the shell has no such list or any step fails. The shell is opened for reading
// only and its button records are read in its own layout.
vcl::TRect TaskbarButtonRect();
// Where the picture of a form centred at Centre goes: the button when it is found (never under
// desktop composition, whose taskbar has no button list), else the point on the taskbar's edge;
// empty without a taskbar.
vcl::TRect MinimizeDestination(const vcl::TPoint& Centre);

// The address of a visible button's own data, read from a button record of the shell's layout
// (64-bit or 32-bit) of Size bytes; none for a hidden button, a separator or a short record.
std::optional<uint64_t> TaskbarButtonData(const uint8_t* Record, size_t Size, bool Shell64);
// The size of a button record in the shell's layout.
size_t TaskbarButtonSize(bool Shell64);

}  // namespace skin
