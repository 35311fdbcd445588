#include "skin/controls/sMemo.h"

#include "vcl/properties.h"

namespace skin {

using vcl::TMessage;

TsMemo::TsMemo(vcl::TComponent* AOwner) : TsEditControl(AOwner, ckMemo)
{
    vcl::TControlStyle style = ControlStyle();
    SetControlStyle(style >> vcl::TControlStyleItem::csOpaque);
    if (SkinData()->SkinSection().empty())
        SkinData()->SetSkinSection(L"EDIT");
}

void TsMemo::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsMemo::SkinData, &TsMemo::SetSkinData);
    Table.Add(L"DisabledKind", &TsMemo::DisabledKind, &TsMemo::SetDisabledKind, {L"dkBlended", L"dkGrayed"});
}

void TsMemo::WndProc(TMessage& Message)
{
    // A new font: the whole window, frame too, is painted again.
    if (Message.Msg == vcl::CM_FONTCHANGED && Showing() && HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    inherited::WndProc(Message);
}

bool TsMemo::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InheritedWndProc(Message); return true;
    case WM_PAINT:
        data.FUpdating = data.GetUpdating();
        if (data.FUpdating) {
            PAINTSTRUCT ps;
            BeginPaint(Handle(), &ps);
            EndPaint(Handle(), &ps);
        } else {
            InheritedWndProc(Message);
        }
        return true;
    default: return inherited::SkinnedMessage(Message);
    }
}

void TsMemo::AfterInherited(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFONT:
    case vcl::CM_VISIBLECHANGED:
    case vcl::CM_ENABLEDCHANGED: SkinData()->Invalidate(); break;
    case EM_SCROLLCARET:
        if (FOnScrollCaret)
            FOnScrollCaret(this);
        break;
    case WM_VSCROLL:
        if (FOnVScroll)
            FOnVScroll(this);
        break;
    default: break;
    }
}

}  // namespace skin
