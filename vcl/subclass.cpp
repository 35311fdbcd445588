#include "vcl/subclass.h"

#include "vcl/application.h"

#include <array>
#include <utility>

namespace vcl {

namespace {

constexpr int MaxSubclasses = 16;

// The window property that holds the window's subclass slots.
const wchar_t* const SlotsProperty = L"CL.Subclasses";

}  // namespace

// The subclasses of one window: slot i is ours while its procedure is in the window's chain. A
// slot whose subclass went while another procedure lay over it stays, passing messages on.
struct TSubclassSlots {
    TWindowSubclass* Owner[MaxSubclasses] = {};
    WNDPROC Previous[MaxSubclasses] = {};
    bool Used[MaxSubclasses] = {};

    static TSubclassSlots* Of(HWND wnd) { return static_cast<TSubclassSlots*>(GetPropW(wnd, SlotsProperty)); }

    // Frees a slot; the record goes with the last one.
    static void Release(HWND wnd, int slot)
    {
        TSubclassSlots* slots = Of(wnd);
        if (!slots)
            return;
        slots->Used[slot] = false;
        slots->Owner[slot] = nullptr;
        for (bool used : slots->Used)
            if (used)
                return;
        RemovePropW(wnd, SlotsProperty);
        delete slots;
    }

    static LRESULT Dispatch(int slot, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

namespace {

template<size_t Slot>
LRESULT CALLBACK SlotProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return TSubclassSlots::Dispatch(static_cast<int>(Slot), wnd, msg, wParam, lParam);
}

template<size_t... I>
constexpr std::array<WNDPROC, sizeof...(I)> MakeSlotProcs(std::index_sequence<I...>)
{
    return {&SlotProc<I>...};
}

// One procedure per slot: a procedure knows its slot, whoever lies between it and the window.
constexpr std::array<WNDPROC, MaxSubclasses> SlotProcs = MakeSlotProcs(std::make_index_sequence<MaxSubclasses>());

}  // namespace

LRESULT TSubclassSlots::Dispatch(int slot, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TSubclassSlots* slots = Of(wnd);
    if (!slots || !slots->Used[slot])
        return DefWindowProcW(wnd, msg, wParam, lParam);
    WNDPROC previous = slots->Previous[slot];
    TWindowSubclass* owner = slots->Owner[slot];
    // The owner may free itself while it handles the message: nothing of it is used afterwards.
    LRESULT result = owner ? owner->Receive(msg, wParam, lParam) : CallWindowProcW(previous, wnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        slots = Of(wnd);
        if (slots && slots->Used[slot]) {
            if (slots->Owner[slot])
                slots->Owner[slot]->Detach();
            Release(wnd, slot);
        }
    }
    return result;
}

TWindowSubclass::TWindowSubclass(HWND Wnd, TObject* Sender) : FHandle(Wnd), FSender(Sender)
{
    DWORD pid = 0;
    if (!Wnd || !GetWindowThreadProcessId(Wnd, &pid) || pid != GetCurrentProcessId())
        throw EOutOfResources(L"Cannot subclass a window that is not one of this process");
    TSubclassSlots* slots = TSubclassSlots::Of(Wnd);
    if (!slots) {
        slots = new TSubclassSlots;
        SetPropW(Wnd, SlotsProperty, slots);
    }
    int slot = 0;
    while (slot < MaxSubclasses && slots->Used[slot])
        ++slot;
    if (slot == MaxSubclasses)
        throw EOutOfResources(L"Too many subclasses of one window");
    FSlot = slot;
    FWindowProc = TWndMethod(this, &TWindowSubclass::DefaultHandler);
    slots->Used[slot] = true;
    slots->Owner[slot] = this;
    FPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SlotProcs[static_cast<size_t>(slot)])));
    slots->Previous[slot] = FPrevious;
    FAttached = true;
}

TWindowSubclass::~TWindowSubclass()
{
    if (!FAttached || Restore())
        return;
    if (TSubclassSlots* slots = TSubclassSlots::Of(FHandle))
        slots->Owner[FSlot] = nullptr;
}

void TWindowSubclass::DefaultHandler(TMessage& Message)
{
    Message.Result = CallWindowProcW(FPrevious, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

bool TWindowSubclass::Restore()
{
    if (!FAttached)
        return false;
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FHandle, GWLP_WNDPROC));
    if (current != SlotProcs[static_cast<size_t>(FSlot)])
        return false;
    SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevious));
    TSubclassSlots::Release(FHandle, FSlot);
    FAttached = false;
    return true;
}

void TWindowSubclass::Detach() { FAttached = false; }

LRESULT TWindowSubclass::Receive(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return DeliverMessage(FWindowProc, FSender, Msg, WParam, LParam);
}

}  // namespace vcl
