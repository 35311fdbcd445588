// The unit's start and end: the optional system entry points of the scroll bars, and the makers
// the form skinning takes its scroll bars and its controls' wrappers from.
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acSBUtils.h"
#include "skin/windows/acWrapperFactory.h"

namespace skin {

TFlatSBProc Ac_InitializeFlatSB = nullptr;
TFlatSBProc Ac_UninitializeFlatSB = nullptr;
TGetScrollBarInfoProc Ac_GetScrollBarInfo = nullptr;

namespace {

HMODULE hUser32Lib = nullptr;
HMODULE hComctl32Lib = nullptr;

template<class Proc>
Proc EntryPoint(HMODULE Library, const char* Name)
{
    return Library ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(Library, Name))) : nullptr;
}

// The skinned scroll bars of a skinned scrolling form, in its frame, with the provider's skin
// data; the form's flat scroll bars are switched off first.
std::unique_ptr<TacFormScrolls> MakeFormScrollWnd(TsSkinProvider* Provider)
{
    const HWND handle = Provider->Form->Handle();
    if (Ac_UninitializeFlatSB)
        Ac_UninitializeFlatSB(handle);
    TsCommonData* data = Provider->SkinData();
    return NewWrapper<TacScrollWnd>(handle, data, data->SkinManager(), vcl::String(), false);
}

TacWindowWrappers& WindowWrappers()
{
    static TacWindowWrappers wrappers;
    return wrappers;
}

}  // namespace

void InitSBUtilsUnit()
{
    if (!hUser32Lib) {
        hUser32Lib = LoadLibraryW(L"user32.dll");
        Ac_GetScrollBarInfo = EntryPoint<TGetScrollBarInfoProc>(hUser32Lib, "GetScrollBarInfo");
    }
    if (!hComctl32Lib) {
        hComctl32Lib = LoadLibraryW(L"comctl32.dll");
        Ac_UninitializeFlatSB = EntryPoint<TFlatSBProc>(hComctl32Lib, "UninitializeFlatSB");
        Ac_InitializeFlatSB = EntryPoint<TFlatSBProc>(hComctl32Lib, "InitializeFlatSB");
    }
    MakeFormScrolls = MakeFormScrollWnd;
    SetWrapperFactory(&WindowWrappers());
    RegisterControlWrapperMakers();
}

void DoneSBUtilsUnit()
{
    WithdrawControlWrapperMakers();
    SetWrapperFactory(nullptr);
    MakeFormScrolls = nullptr;
    Ac_GetScrollBarInfo = nullptr;
    Ac_InitializeFlatSB = Ac_UninitializeFlatSB = nullptr;
    for (HMODULE* library : {&hUser32Lib, &hComctl32Lib})
        if (*library) {
            FreeLibrary(*library);
            *library = nullptr;
        }
}

}  // namespace skin
