// The provider's window procedure: the skin commands it answers for the form in every state, the
// loading of a skin while the form is not skinned, and the skin commands while it is. Window
// messages go on to the form's own procedure.
#include <windowsx.h>

#include <algorithm>

#include "skin/controls/sScrollBox.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/core/sVclUtilsAnimation.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/stdctrls.h"

namespace skin {

using vcl::TMessage;

namespace {

LPARAM AsLParam(const void* Object) { return reinterpret_cast<LPARAM>(Object); }

// The skinned scroll box under the screen point, looking from Parent down through the windowed
// controls under it; none when a graphic control or nothing lies there.
TsScrollBox* ScrollBoxAt(vcl::TWinControl* Parent, const vcl::TPoint& Screen)
{
    for (vcl::TWinControl* container = Parent;;) {
        auto* control = dynamic_cast<vcl::TWinControl*>(
            container->ControlAtPos(container->ScreenToClient(Screen), false, true));
        if (!control)
            return nullptr;
        if (auto* box = dynamic_cast<TsScrollBox*>(control))
            return box;
        container = control;
    }
}

// Set while the wheel is handed on: the box's answer comes back to the form.
bool InWheel = false;

}  // namespace

void TsSkinProvider::NewWndProc(TMessage& Message)
{
    if (SkinCommandOf(Message) && AnswerAlways(Message))
        return;
    if (FormDestroying() || !FCommonData->Skinned(true)) {
        UnskinnedMessage(Message);
        return;
    }
    if (SkinCommandOf(Message)) {
        SkinnedCommand(Message);
        return;
    }
    OldWndProc(Message);
    if (Message.Msg == vcl::CM_MOUSEWHEEL)
        AC_CMMouseWheel(Message);
}

// ---------------------------------------------------------------------------------------------
// Every state

bool TsSkinProvider::AnswerAlways(TMessage& Message)
{
    switch (SkinCommandOf(Message)) {
    case scmdSkinLoaded:
        if (!FormDestroying() && Message.LParam == AsLParam(Manager()) && !SystemMenu)
            PrepareForm();
        return false;
    case scmdSkinRemoved:
        SkinRemoved(Message);
        return true;
    case scmdQuerySkinned: Message.Result = 1; return true;
    case scmdEndBatch:
        if (FCommonData->CtrlSkinState & cssMenuChanged) {
            FCommonData->CtrlSkinState &= uint16_t(~cssMenuChanged);
            Form->Perform(vcl::CM_MENUCHANGED);
        }
        return false;
    case scmdQueryBackground:
        QueryBackground(*reinterpret_cast<TacBGInfo*>(Message.LParam));
        return true;
    case scmdSkinState: Message.Result = FCommonData->CtrlSkinState; return true;
    case scmdQueryApplication: Message.Result = AsLParam(vcl::Application); return true;
    case scmdQueryClientOffset:
        Message.Result = LRESULT(MAKELONG(OffsetX(), OffsetY()));
        return true;
    default: return false;
    }
}

void TsSkinProvider::SkinRemoved(TMessage& Message)
{
    if (Message.LParam != AsLParam(Manager())) {
        AlphaBroadCast(Form, Message);
        return;
    }
    if (Form->HandleAllocated())
        InitDwm(Form->Handle(), false);
    CommonMessage(Message, FCommonData.get());
    FLinesCount = FTitleSkinIndex = FCaptionSkinIndex = -1;
    AlphaBroadCast(Form, Message);
    AdapterRemove();
    if (FormDestroying())
        return;
    if (Manager())
        CheckSysMenu(false);
    if (Form->HandleAllocated()) {
        if (HaveBorder(this) && !InMenu)
            SetWindowRgn(Form->Handle(), nullptr, TRUE);
        // The form itself, not the whole desktop, is drawn again.
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    }
    BorderForm.reset();
    for (int i = 0; i < Form->ControlCount(); ++i) {
        auto* label = dynamic_cast<vcl::TLabel*>(Form->Controls(i));
        if (!label || label->ClassName() != L"TLabel")
            continue;
        label->Font()->SetColor(vcl::clWindowText);
        if (!label->Transparent()) {
            vcl::TControlStyle style = label->ControlStyle();
            style << vcl::TControlStyleItem::csOpaque;
            label->SetControlStyle(style);
        }
    }
    if (FUseGlobalColor && !FCommonData->CustomColor())
        Form->SetColor(vcl::clBtnFace);
    FCommonData->FCacheBmp.reset();
}

void TsSkinProvider::QueryBackground(TacBGInfo& BGInfo)
{
    TsCommonData& data = *FCommonData;
    const vcl::TPoint offset(OffsetX(), OffsetY());
    if (!BGInfo.FillNow)
        BGInfo.Offset = vcl::TPoint();
    if (data.BGChanged && !(data.FUpdating && !FInAnimation) && IsCached(data))
        PaintAll();
    if (BGInfo.FillNow)
        BGInfo.Offset.Offset(offset.x, offset.y);
    if (Form->OnPaint()) {
        BGInfo.Bmp = data.FCacheBmp.get();
        BGInfo.Offset = offset;
        BGInfo.BgKind = 2;
        return;
    }
    const int state = data.Skinned() ? std::min(int(FormActive), data.Section().States - 1) : 0;
    InitBGInfo(&data, BGInfo, std::max(state, 0), nullptr);
    if (BGInfo.BgKind == 2 && !BGInfo.Bmp && !BGInfo.FillNow) {
        PaintAll();
        BGInfo.Bmp = data.FCacheBmp.get();
    }
    if (!BGInfo.FillNow)
        BGInfo.Offset.Offset(offset.x, offset.y);
}

// ---------------------------------------------------------------------------------------------
// Not skinned

void TsSkinProvider::UnskinnedMessage(TMessage& Message)
{
    const uint16_t cmd = SkinCommandOf(Message);
    if (cmd == scmdQueryProvider) {
        Message.Result = AsLParam(this);
        return;
    }
    if (cmd == scmdSkinLoaded && !FormDestroying()) {
        if (Message.LParam == AsLParam(Manager()))
            SkinLoaded();
        return;
    }
    OldWndProc(Message);
    if (Message.Msg == WM_WINDOWPOSCHANGED)
        HideUnskinned(*reinterpret_cast<const WINDOWPOS*>(Message.LParam));
    if (Message.Msg == vcl::CM_MOUSEWHEEL)
        AC_CMMouseWheel(Message);
}

void TsSkinProvider::HideUnskinned(const WINDOWPOS& Pos)
{
    TsSkinManager* manager = Manager();
    if (!(Pos.flags & SWP_HIDEWINDOW) || !manager || !acLayered() ||
        (vcl::Application && vcl::Application->Terminated()) || !FAllowAnimation || IsIconic(Form->Handle()) ||
        SkipAnimation)
        return;
    const TacFormHide* hide = manager->AnimEffects()->FormHide();
    if (!manager->Active() || !FDrawNonClientArea || !hide->Active())
        return;
    // This hide gets a timer of its own; one still running finishes its own animation.
    acHideTimer = nullptr;
    SkipAnimation = true;
    AnimHideForm(this);
    // The layered style goes only once the animation is over; the timers tick meanwhile.
    WaitForAnimationEnd(hide->Time(), true);
    DoLayered(Form->Handle(), false);
    SkipAnimation = false;
}

void TsSkinProvider::SkinLoaded()
{
    TsSkinManager* manager = Manager();
    FCommonData->UpdateIndexes();
    FTitleSkinIndex = -1;
    TitleSkinIndex();
    FCaptionSkinIndex = manager->GetSkinIndex(L"CAPTION");
    const int exHeight = manager->SkinData->ExMaxHeight ? manager->SkinData->ExMaxHeight
                                                        : manager->SkinData->ExTitleHeight;
    FSysExHeight = BorderForm && Form->HandleAllocated() && IsZoomed(Form->Handle()) &&
                   exHeight < skin::SysCaptHeight(Form) + 4;
    CheckSysMenu(true);
    UpdateIconsIndexes();
    if (!manager->ComponentState().Contains(vcl::TComponentStateItem::csLoading) && FMenuOwnerDraw)
        MenusInitialized = true;
    FCommonData->BGChanged = true;
    FLinesCount = -1;
    TakeGlobalColor();
    if (Form->HandleAllocated())
        InitDwm(Form->Handle(), FDrawNonClientArea);
    TakeAllControls();
}

void TsSkinProvider::TakeAllControls()
{
    if (Adapter)
        Adapter->AddAllItems();
    else
        AdapterCreate();
}

void TsSkinProvider::AC_CMMouseWheel(TMessage& Message)
{
    if (InWheel || Message.Result != 0)
        return;
    const TFlagScope inWheel(InWheel);
    TsScrollBox* box = ScrollBoxAt(Form, acMousePos());
    if (!box || !box->AutoMouseWheel())
        return;
    const vcl::TPoint position(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    Message.Result = box->DoMouseWheel(vcl::KeysToShiftState(LOWORD(Message.WParam)),
                                       int16_t(HIWORD(Message.WParam)), position)
                         ? 1
                         : 0;
}

// ---------------------------------------------------------------------------------------------
// Skinned

void TsSkinProvider::SkinnedCommand(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    switch (SkinCommandOf(Message)) {
    case scmdSkinLoaded:
        if (Message.LParam != AsLParam(Manager()))
            return;
        data.UpdateIndexes();
        FTitleSkinIndex = -1;
        TitleSkinIndex();
        FCaptionSkinIndex = Manager()->GetSkinIndex(L"CAPTION");
        UpdateIconsIndexes();
        CheckSysMenu(FDrawNonClientArea);
        data.BGChanged = true;
        FLinesCount = -1;
        return;
    case scmdRepaint:
        if (Message.LParam == AsLParam(Manager()))
            Repaint(Message);
        return;
    case scmdQueryProvider: Message.Result = AsLParam(this); return;
    case scmdParentUpdated:
        if (data.FUpdating) {
            data.FUpdating = false;
            RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
        return;
    case scmdSetUpdating:
        data.FUpdating = Message.WParamLo() == 1;
        if (data.GetUpdating())
            data.BGChanged = true;
        return;
    case scmdMarkChanged: data.BGChanged = true; return;
    case scmdAdaptControl:
        if (Adapter && !Form->ComponentState().Contains(vcl::TComponentStateItem::csLoading)) {
            auto* control = reinterpret_cast<vcl::TWinControl*>(Message.LParam);
            Adapter->AddAllItems(control ? control : Form);
        }
        return;
    case scmdSetUrgent:
        CommonWndProc(Message, &data);
        if (data.UrgentPainting)
            PaintAll();
        return;
    case scmdQueryChanging: Message.Result = !FInAnimation && IsCached(data) && data.FUpdating ? 1 : 0; return;
    case scmdQueryTextured: {
        const TsGeneralData& section = data.Section();
        Message.Result = section.GradientPercent + section.ImagePercent > 0 ? 1 : 0;
        return;
    }
    case scmdQueryColor: Message.Result = LRESULT(GetBGColor(data, 0, Form->Handle())); return;
    case scmdBeforeScroll:
        if (data.RepaintIfMoved())
            SendMessageW(Form->Handle(), WM_SETREDRAW, 0, 0);
        return;
    case scmdAfterScroll:
        if (data.RepaintIfMoved()) {
            SendMessageW(Form->Handle(), WM_SETREDRAW, 1, 0);
            RedrawWindow(Form->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        }
        return;
    default: return;
    }
}

void TsSkinProvider::Repaint(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    TakeAllControls();
    if (Form->Parent() && Form->FormStyle() != vcl::TFormStyle::fsMDIChild)
        data.CtrlSkinState &= uint16_t(~cssNoCache);
    FLinesCount = -1;
    if (HaveBorder(this))
        RgnChanged = true;
    if (!Form->Visible())
        return;
    data.BGChanged = true;
    if (!FInAnimation && Form->HandleAllocated())
        RedrawWindow(Form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (FUseGlobalColor)
        TakeGlobalColor();
    data.FUpdating = false;
    SendToAdapter(Message);
}

}  // namespace skin
