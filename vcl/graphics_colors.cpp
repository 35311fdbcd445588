#include "vcl/graphics.h"
#include "vcl/sysutils.h"

namespace vcl {

namespace {

const TColorName NamedColorTable[] = {
    {clBlack, L"clBlack"},
    {clMaroon, L"clMaroon"},
    {clGreen, L"clGreen"},
    {clOlive, L"clOlive"},
    {clNavy, L"clNavy"},
    {clPurple, L"clPurple"},
    {clTeal, L"clTeal"},
    {clGray, L"clGray"},
    {clSilver, L"clSilver"},
    {clRed, L"clRed"},
    {clLime, L"clLime"},
    {clYellow, L"clYellow"},
    {clBlue, L"clBlue"},
    {clFuchsia, L"clFuchsia"},
    {clAqua, L"clAqua"},
    {clWhite, L"clWhite"},
    {clMoneyGreen, L"clMoneyGreen"},
    {clSkyBlue, L"clSkyBlue"},
    {clCream, L"clCream"},
    {clMedGray, L"clMedGray"},
    {clActiveBorder, L"clActiveBorder"},
    {clActiveCaption, L"clActiveCaption"},
    {clAppWorkSpace, L"clAppWorkSpace"},
    {clBackground, L"clBackground"},
    {clBtnFace, L"clBtnFace"},
    {clBtnHighlight, L"clBtnHighlight"},
    {clBtnShadow, L"clBtnShadow"},
    {clBtnText, L"clBtnText"},
    {clCaptionText, L"clCaptionText"},
    {clDefault, L"clDefault"},
    {clGradientActiveCaption, L"clGradientActiveCaption"},
    {clGradientInactiveCaption, L"clGradientInactiveCaption"},
    {clGrayText, L"clGrayText"},
    {clHighlight, L"clHighlight"},
    {clHighlightText, L"clHighlightText"},
    {clHotLight, L"clHotLight"},
    {clInactiveBorder, L"clInactiveBorder"},
    {clInactiveCaption, L"clInactiveCaption"},
    {clInactiveCaptionText, L"clInactiveCaptionText"},
    {clInfoBk, L"clInfoBk"},
    {clInfoText, L"clInfoText"},
    {clMenu, L"clMenu"},
    {clMenuBar, L"clMenuBar"},
    {clMenuHighlight, L"clMenuHighlight"},
    {clMenuText, L"clMenuText"},
    {clNone, L"clNone"},
    {clScrollBar, L"clScrollBar"},
    {cl3DDkShadow, L"cl3DDkShadow"},
    {cl3DLight, L"cl3DLight"},
    {clWindow, L"clWindow"},
    {clWindowFrame, L"clWindowFrame"},
    {clWindowText, L"clWindowText"},
};

}  // namespace

std::span<const TColorName> ColorNames() { return NamedColorTable; }

String ColorToString(TColor Color)
{
    for (const TColorName& entry : NamedColorTable)
        if (entry.Value == Color)
            return entry.Name;
    return L"$" + IntToHex(static_cast<uint32_t>(Color), 8);
}

TColor StringToColor(const String& S)
{
    for (const TColorName& entry : NamedColorTable)
        if (CompareText(S, entry.Name) == 0)
            return entry.Value;
    Integer value = 0;
    if (!TryStrToInt(S, value))
        throw EConvertError(L"'" + S + L"' is not a colour");
    return TColor(value);
}

}  // namespace vcl
