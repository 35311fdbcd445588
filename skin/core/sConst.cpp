#include "skin/core/sConst.h"

#include <windows.h>

#include <array>
#include <utility>

namespace skin {

int acScrollWidth = 16;
bool acFadingForbidden = false;
int acFadeTimersCount = 0;
bool acFadingSuspended = false;
bool acHintsSuppressed = false;
bool acSavedShowHint = false;
bool acPressedPaint = false;
vcl::TObject* acDroppedDownControl = nullptr;

namespace {

constexpr TacTextId TextIds[] = {
    acsOK, acsCancel, acsHelp, acsRestore, acsMove, acsSize, acsMinimize, acsMaximize, acsClose, acsCalculator,
    acsFileOpen, acsAvailSkins, acsInternal, acsErrSetCount, acsListBoxMustBeVirtual, acsColorDlgAdd,
    acsColorDlgDefine, acsColorDlgMainPal, acsColorDlgAddPal, acsColorDlgColor, acsColorDlgRed, acsColorDlgGreen,
    acsColorDlgBlue, acsColorDlgDecimal, acsColorDlgHex, acsFrameAdapterError, acsHintDsgnTitle,
    acsHintDsgnPreserved, acsHintDsgnStyle, acsHintDsgnBevelWidth, acsHintDsgnBlur, acsHintDsgnArrowLength,
    acsHintDsgnHorzMargin, acsHintDsgnVertMargin, acsHintDsgnRadius, acsHintDsgnMaxWidth, acsHintDsgnPauseHide,
    acsHintDsgnPercent, acsHintDsgnOffset, acsHintDsgnTransparency, acsHintDsgnNoPicture, acsHintDsgnFont,
    acsHintDsgnTexture, acsHintDsgnLoad, acsHintDsgnSave, acsHintDsgnColor, acsHintDsgnTopBorder,
    acsHintDsgnBottomBorder, acsHintDsgnShadow, acsHintDsgnBackground, acsHintDsgnGradient, acsHintDsgnPreview,
    acsInvalidDate, acsSelectDir, acsCreateDir, acsRootDir, acsSkinsDir, acsSelectSkin, acsSkinPreview,
};

vcl::String LoadText(TacTextId Id)
{
    const wchar_t* text = nullptr;
    // With a zero buffer size the call answers a read-only pointer into the resource.
    const int length = LoadStringW(GetModuleHandleW(nullptr), UINT(Id), reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? vcl::String(text, size_t(length)) : vcl::String();
}

// The texts, read once from the program's string table.
struct TLibraryTexts {
    std::array<std::pair<TacTextId, vcl::String>, std::size(TextIds)> Texts;

    TLibraryTexts()
    {
        for (size_t i = 0; i < std::size(TextIds); ++i)
            Texts[i] = {TextIds[i], LoadText(TextIds[i])};
        for (auto& [id, text] : Texts)
            if (id == acsInvalidDate && text.empty())
                text = L"Invalid date";
    }
};

const TLibraryTexts& Texts()
{
    static const TLibraryTexts texts;
    return texts;
}

// The unit's start-up, before any form exists.
const struct TConstStartUp {
    TConstStartUp()
    {
        acScrollWidth = GetSystemMetrics(SM_CXHSCROLL);
        Texts();
    }
} ConstStartUp;

}  // namespace

const vcl::String& LibraryText(TacTextId Id)
{
    static const vcl::String none;
    for (const auto& [id, text] : Texts().Texts)
        if (id == Id)
            return text;
    return none;
}

}  // namespace skin
