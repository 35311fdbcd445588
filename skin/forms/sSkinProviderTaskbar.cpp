#include "skin/forms/sSkinProviderTaskbar.h"

#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderAnimPlans.h"
#include "vcl/application.h"
#include "vcl/forms.h"

#include <commctrl.h>

#include <cstring>

namespace skin {

using namespace vcl;

namespace {

// A button record: the state and style bytes at 8 and 9, the data after the padding that aligns
// it to a pointer.
constexpr size_t acStateOffset = 8;
constexpr size_t acStyleOffset = 9;
constexpr uint8_t acSkippedStyles = 0x0D;  // separator, check, drop-down

// The shell's pointers are 64-bit when this process is, or runs on a 64-bit system.
bool ShellIs64Bit()
{
    if constexpr (sizeof(void*) == 8)
        return true;
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// The window that owns the application's button on the taskbar.
HWND ButtonOwner()
{
    if (!Application)
        return nullptr;
    if (Application->MainFormOnTaskBar() && Application->MainForm())
        return Application->MainForm()->Handle();
    return Application->Handle();
}

// Memory of the shell's process, reserved read-write, released with the process handle.
class TShellMemory {
public:
    TShellMemory(HWND Toolbar, size_t Size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(Toolbar, &pid);
        FProcess = pid ? OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
        if (FProcess)
            FBuffer = VirtualAllocEx(FProcess, nullptr, Size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~TShellMemory()
    {
        if (FBuffer)
            VirtualFreeEx(FProcess, FBuffer, 0, MEM_RELEASE);
        if (FProcess)
            CloseHandle(FProcess);
    }
    TShellMemory(const TShellMemory&) = delete;
    TShellMemory& operator=(const TShellMemory&) = delete;

    bool Ready() const { return FBuffer != nullptr; }
    LPARAM Buffer() const { return reinterpret_cast<LPARAM>(FBuffer); }
    // Size bytes from the shell's Address; false when they cannot all be read.
    bool Read(uint64_t Address, void* Dst, size_t Size) const
    {
        if (Address == 0 || Address > uint64_t(UINTPTR_MAX))
            return false;
        SIZE_T done = 0;
        return ReadProcessMemory(FProcess, reinterpret_cast<LPCVOID>(uintptr_t(Address)), Dst, Size, &done) &&
               done == Size;
    }
    bool ReadBuffer(void* Dst, size_t Size) const { return Read(uint64_t(uintptr_t(FBuffer)), Dst, Size); }

private:
    HANDLE FProcess = nullptr;
    LPVOID FBuffer = nullptr;
};

HWND TaskbarToolbar()
{
    HWND wnd = nullptr;
    for (const wchar_t* cls : {L"Shell_TrayWnd", L"ReBarWindow32", L"MSTaskSwWClass", L"ToolbarWindow32"}) {
        wnd = FindWindowExW(wnd, nullptr, cls, nullptr);
        if (!wnd)
            return nullptr;
    }
    return wnd;
}

}  // namespace

size_t TaskbarButtonSize(bool Shell64) { return Shell64 ? 32 : 20; }

std::optional<uint64_t> TaskbarButtonData(const uint8_t* Record, size_t Size, bool Shell64)
{
    if (Size < TaskbarButtonSize(Shell64))
        return std::nullopt;
    if ((Record[acStyleOffset] & acSkippedStyles) || (Record[acStateOffset] & TBSTATE_HIDDEN))
        return std::nullopt;
    if (!Shell64) {
        uint32_t data = 0;
        std::memcpy(&data, Record + 12, sizeof(data));
        return data;
    }
    uint64_t data = 0;
    std::memcpy(&data, Record + 16, sizeof(data));
    return data;
}

HWND ShellTrayWnd() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

TRect TaskbarButtonRect()
{
    const HWND toolbar = TaskbarToolbar();
    if (!toolbar)
        return TRect();
    const LRESULT count = SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
    if (count < 1)
        return TRect();
    const bool shell64 = ShellIs64Bit();
    const TShellMemory memory(toolbar, 4096);
    if (!memory.Ready())
        return TRect();
    const HWND owner = ButtonOwner();
    uint8_t record[32] = {};
    const size_t recordSize = TaskbarButtonSize(shell64);
    for (LRESULT i = 0; i < count; ++i) {
        if (!SendMessageW(toolbar, TB_GETBUTTON, WPARAM(i), memory.Buffer()) || !memory.ReadBuffer(record, recordSize))
            continue;
        const auto data = TaskbarButtonData(record, recordSize, shell64);
        uint64_t wnd = 0;
        if (!data || !memory.Read(*data, &wnd, shell64 ? 8 : 4) || wnd != uint64_t(uintptr_t(owner)))
            continue;
        RECT r{};
        if (!SendMessageW(toolbar, TB_GETITEMRECT, WPARAM(i), memory.Buffer()) || !memory.ReadBuffer(&r, sizeof(r)))
            return TRect();
        POINT origin{0, 0};
        ClientToScreen(toolbar, &origin);
        OffsetRect(&r, origin.x, origin.y);
        return TRect(r);
    }
    return TRect();
}

TRect MinimizeDestination(const TPoint& Centre)
{
    const HWND tray = ShellTrayWnd();
    if (!tray)
        return TRect();
    if (!AeroIsEnabled()) {
        const TRect button = TaskbarButtonRect();
        if (button.left != button.right)
            return button;
    }
    RECT r{};
    GetWindowRect(tray, &r);
    return TaskbarEdgePoint(TRect(r), Centre).Point;
}

}  // namespace skin
