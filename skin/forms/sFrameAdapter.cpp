#include "skin/forms/sFrameAdapter.h"

#include "skin/controls/sSpeedButton.h"
#include "skin/core/Sborders.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/menus.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TComponentStateItem;
using vcl::TMessage;
using vcl::TRect;

namespace {

// The owner, which must be a frame.
vcl::TCustomFrame* FrameOwner(vcl::TComponent* AOwner)
{
    auto* frame = dynamic_cast<vcl::TCustomFrame*>(AOwner);
    if (!frame)
        throw vcl::Exception(TsFrameAdapter::FrameOwnerMessage);
    return frame;
}

// RedrawWindow's flags: all of the frame with its children at once, with or without erasing.
constexpr UINT RedrawAllErased = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
constexpr UINT RedrawAllKept = RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
// The answer to the colour query that sends the asker further up.
constexpr LRESULT UseParentColour = 0x00FF00FF;

bool Has(const vcl::TComponent* Component, TComponentStateItem Item)
{
    return Component->ComponentState().Contains(Item);
}

}  // namespace

void TsFrameAdapter::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsFrameAdapter::SkinData, &TsFrameAdapter::SetSkinData);
}

// ---------------------------------------------------------------------------------------------
// Life

TsFrameAdapter::TsFrameAdapter(vcl::TComponent* AOwner)
    : vcl::TComponent(FrameOwner(AOwner)), FCommonData(std::make_unique<TsCommonData>(this, true))
{
    const vcl::String& section = FCommonData->SkinSection();
    if (section.empty() || vcl::UpperCase(section) == vcl::UpperCase(ClassName()))
        FCommonData->SetSkinSection(L"GROUPBOX");
    FCommonData->COC = ckFrameAdapter;
    Frame = static_cast<vcl::TCustomFrame*>(AOwner);
    FCommonData->FOwnerControl = Frame;
    OldWndProc = Frame->WindowProc();
    Frame->SetWindowProc(vcl::TWndMethod(this, &TsFrameAdapter::NewWndProc));
}

TsFrameAdapter::~TsFrameAdapter()
{
    if (Frame && OldWndProc)
        Frame->SetWindowProc(OldWndProc);
    Frame = nullptr;
    FCommonData.reset();
}

void TsFrameAdapter::AfterConstruction()
{
    vcl::TComponent::AfterConstruction();
    if (Frame && (GetBoolMsg(Frame, scmdQuerySkinned) || !Frame->HandleAllocated()))
        FCommonData->UpdateIndexes();
}

void TsFrameAdapter::Loaded()
{
    vcl::TComponent::Loaded();
    if (!Frame || !Manager())
        return;
    if (GetBoolMsg(Frame, scmdQuerySkinned))
        FCommonData->UpdateIndexes();
    if (!Manager()->SkinData->Active || Designing())
        return;
    HookPopupMenus();
    if (FCommonData->Skinned() && Manager()->SkinningRules().Contains(TacSkinningRule::srThirdParty))
        AddToAdapter(Frame);
}

bool TsFrameAdapter::Designing() const { return Has(this, TComponentStateItem::csDesigning); }

bool TsFrameAdapter::Dying() const
{
    return Has(this, TComponentStateItem::csDestroying) || !Frame || Has(Frame, TComponentStateItem::csDestroying);
}

void TsFrameAdapter::HookPopupMenus()
{
    TsSkinManager* manager = Manager();
    if (!manager || !manager->SkinnedPopups())
        return;
    for (int i = 0; i < Frame->ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<vcl::TPopupMenu*>(Frame->Components(i)))
            manager->SkinableMenus()->HookPopupMenu(menu, true);
}

void TsFrameAdapter::RedrawAll(bool Erase)
{
    if (Frame->HandleAllocated())
        RedrawWindow(Frame->Handle(), nullptr, nullptr, Erase ? RedrawAllErased : RedrawAllKept);
}

// ---------------------------------------------------------------------------------------------
// The window procedure

void TsFrameAdapter::NewWndProc(TMessage& Message)
{
    if (Designing()) {
        OldWndProc(Message);
        return;
    }
    if (SkinCommandOf(Message) && AnswerAlways(Message))
        return;
    if (Dying() || !FCommonData->Skinned(true)) {
        UnskinnedMessage(Message);
        return;
    }
    if (SkinCommandOf(Message))
        SkinnedCommand(Message);
    else
        SkinnedMessage(Message);
}

bool TsFrameAdapter::AnswerAlways(TMessage& Message)
{
    const bool own = Message.LParam == reinterpret_cast<LPARAM>(Manager()) && Manager();
    switch (SkinCommandOf(Message)) {
    case scmdSkinLoaded:
        if (!own)
            return false;
        SkinLoaded(Message);
        return true;
    case scmdSkinRemoved:
        if (!own)
            return false;
        SkinRemoved(Message);
        return true;
    case scmdRepaint:
        if (!own)
            return false;
        Repaint(Message);
        return true;
    case scmdQuerySkinned:
        Message.Result = 1;
        return true;
    case scmdStopFade:
        AlphaBroadCast(Frame, Message);
        return false;
    case scmdQuerySkinIndex:
        reinterpret_cast<TacSectionInfo*>(Message.LParam)->SkinIndex = FCommonData->SkinIndex;
        return true;
    case scmdBeforeScroll:
        if (PlaceDependent())
            Frame->Perform(WM_SETREDRAW, 0, 0);
        return false;
    case scmdAfterScroll:
        if (PlaceDependent()) {
            Frame->Perform(WM_SETREDRAW, 1, 0);
            RedrawAll(false);
        }
        return false;
    case scmdQueryApplication:
        Message.Result = reinterpret_cast<LRESULT>(vcl::Application);
        return true;
    default:
        return false;
    }
}

bool TsFrameAdapter::PlaceDependent() { return GetBoolMsg(Frame, scmdQueryTextured) || FCommonData->RepaintIfMoved(); }

void TsFrameAdapter::SkinLoaded(TMessage& Message)
{
    AlphaBroadCast(Frame, Message);
    CommonWndProc(Message, FCommonData.get());
    HookPopupMenus();
}

void TsFrameAdapter::SkinRemoved(TMessage& Message)
{
    CommonWndProc(Message, FCommonData.get());
    AlphaBroadCast(Frame, Message);
    if (!Frame->HandleAllocated())
        return;
    SetWindowPos(Frame->Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
    RedrawAll(true);
}

void TsFrameAdapter::Repaint(TMessage& Message)
{
    CommonWndProc(Message, FCommonData.get());
    FCommonData->UpdateIndexes();
    AlphaBroadCast(Frame, Message);
    RedrawAll(true);
}

void TsFrameAdapter::UnskinnedMessage(TMessage& Message)
{
    const bool showing = Message.Msg == vcl::CM_VISIBLECHANGED || Message.Msg == vcl::CM_SHOWINGCHANGED;
    if (showing && Manager() && Manager()->SkinData->Active && Frame->HandleAllocated() && !Dying()) {
        FCommonData->UpdateIndexes();
        TMessage loaded = MakeSkinMessage(scmdSkinLoaded, reinterpret_cast<LPARAM>(Manager()), 1);
        AlphaBroadCast(Frame, loaded);
    }
    OldWndProc(Message);
}

void TsFrameAdapter::SkinnedCommand(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    switch (SkinCommandOf(Message)) {
    case scmdParentUpdated:
        if (data.FUpdating || (!IsCached(data) && !Frame->ControlState().Contains(vcl::TControlStateItem::csRecreating) &&
                               !Frame->ControlState().Contains(vcl::TControlStateItem::csAligning))) {
            data.FUpdating = false;
            if (Frame->HandleAllocated())
                RedrawWindow(Frame->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        SetParentUpdated(Frame);
        return;
    case scmdSetUpdating:
        data.FUpdating = Message.WParamLo() == 1;
        for (int i = 0; i < Frame->ControlCount(); ++i)
            Frame->Controls(i)->Perform(Message.Msg, Message.WParam, Message.LParam);
        return;
    case scmdQueryChanging:
        Message.Result = data.FUpdating && !(data.CtrlSkinState & cssNoCache) ? 1 : 0;
        return;
    case scmdQueryColor:
        Message.Result = QueryColor();
        return;
    case scmdQueryBackground:
        if (!Manager()->IsValidSkinIndex(data.SkinIndex))
            return;
        if (data.BGChanged && !data.FUpdating && IsCached(data))
            PrepareCache();
        InitBGInfo(&data, *reinterpret_cast<TacBGInfo*>(Message.LParam), 0, nullptr);
        Message.Result = 1;
        return;
    default:
        CommonWndProc(Message, &data);
    }
}

LRESULT TsFrameAdapter::QueryColor()
{
    if (IsCached(*FCommonData))
        return UseParentColour;
    TMessage query = MakeSkinMessage(scmdQueryColor);
    CommonWndProc(query, FCommonData.get());
    return query.Result;
}

void TsFrameAdapter::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    switch (Message.Msg) {
    case WM_MOVE:
    case WM_SIZE:
        MovedOrSized(Message);
        break;
    case WM_PAINT:
        if (Has(Frame, TComponentStateItem::csDesigning) || !Frame->Parent() || Dying())
            break;
        AC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return;
    case WM_ERASEBKGND:
        if (Has(Frame, TComponentStateItem::csDesigning) || !Frame->Showing())
            break;
        EraseBackground(Message);
        return;
    case WM_NCPAINT:
        if (Has(Frame, TComponentStateItem::csDesigning))
            break;
        data.FUpdating = data.GetUpdating();
        Message.Result = 0;
        return;
    case WM_PARENTNOTIFY:
        // A control made on the frame is offered to the form's adapter.
        if (Message.WParamLo() == WM_CREATE && !Has(this, TComponentStateItem::csLoading) &&
            !Frame->ControlState().Contains(vcl::TControlStateItem::csCreating) &&
            Manager()->SkinningRules().Contains(TacSkinningRule::srThirdParty))
            AddToAdapter(Frame);
        break;
    case WM_PRINT:
        data.FUpdating = false;
        if (ControlIsReady(Frame))
            OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
        return;
    case vcl::CM_VISIBLECHANGED:
        data.BGChanged = true;
        OldWndProc(Message);
        SendAMessage(Frame, scmdRepaint, reinterpret_cast<LPARAM>(Manager()));
        return;
    case vcl::CM_MOUSEENTER:
        MouseEnter(Message);
        return;
    case vcl::CM_SHOWINGCHANGED:
        OldWndProc(Message);
        if (Manager()->SkinningRules().Contains(TacSkinningRule::srThirdParty))
            AddToAdapter(Frame);
        return;
    default:
        break;
    }
    OldWndProc(Message);
}

void TsFrameAdapter::MovedOrSized(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    data.BGChanged = data.BGChanged || Message.Msg == WM_SIZE || data.RepaintIfMoved();
    if (data.BGChanged) {
        TMessage changed = MakeSkinMessage(scmdMarkChanged, 0, 1);
        AlphaBroadCast(Frame, changed);
    }
    if (Message.Msg == WM_SIZE && Frame->HandleAllocated())
        InvalidateRect(Frame->Handle(), nullptr, TRUE);
}

void TsFrameAdapter::EraseBackground(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    if (!InAnimationProcess) {
        data.FUpdating = data.GetUpdating();
        if (!data.FUpdating && (!IsCached(data) || !data.BGChanged))
            OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
    }
    Message.Result = 1;
}

void TsFrameAdapter::MouseEnter(TMessage& Message)
{
    OldWndProc(Message);
    for (int i = 0; i < Frame->ControlCount(); ++i) {
        auto* button = dynamic_cast<TsSpeedButton*>(Frame->Controls(i));
        if (button && LPARAM(button) != Message.LParam && button->SkinData()->FMouseAbove)
            button->Perform(vcl::CM_MOUSELEAVE, 0, 0);
    }
    if (DefaultManager && Frame->HandleAllocated())
        DefaultManager->SetActiveControl(Frame->Handle());
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsFrameAdapter::AC_WMPaint(HDC DC)
{
    TsCommonData& data = *FCommonData;
    const HWND wnd = Frame->Handle();
    if (!Has(Frame, TComponentStateItem::csDestroying) && Frame->Parent() && !IsCached(data))
        InvalidateRect(wnd, nullptr, TRUE);
    PAINTSTRUCT ps;
    BeginPaint(wnd, &ps);
    const HDC dc = DC ? DC : GetWindowDC(wnd);
    const int saved = SaveDC(dc);
    if (IsCached(data)) {
        data.FUpdating = data.GetUpdating();
        if (!data.FUpdating)
            OurPaintHandler(dc);
    }
    RestoreDC(dc, saved);
    if (!DC)
        ReleaseDC(wnd, dc);
    EndPaint(wnd, &ps);
}

void TsFrameAdapter::OurPaintHandler(HDC DC)
{
    TsCommonData& data = *FCommonData;
    if (!DC || (InAnimationProcess && DC != data.PrintDC))
        return;
    if (!IsCached(data)) {
        PaintDirect(DC);
        return;
    }
    const int saved = SaveDC(DC);
    data.FUpdating = data.GetUpdating();
    if (!data.FUpdating) {
        const TsGeneralData& section = data.Section();
        if (!Manager()->IsValidImgIndex(data.BorderIndex) && section.Transparency == 100)
            PaintTransparentBackground(DC);
        else
            PaintCachedBackground(DC);
        PaintControls(DC, Frame, vcl::TPoint(0, 0));
        SetParentUpdated(Frame);
    }
    RestoreDC(DC, saved);
}

void TsFrameAdapter::PaintTransparentBackground(HDC DC)
{
    TacBGInfo background;
    GetBGInfo(background, Frame->Parent());
    const TRect whole(0, 0, Frame->Width(), Frame->Height());
    if (background.BgKind == 2 && background.Bmp) {
        vcl::TCanvas* canvas = background.Bmp->Canvas();
        canvas->Lock();
        BitBlt(DC, 0, 0, whole.Width(), whole.Height(), canvas->Handle(), Frame->Left() + background.Offset.x,
               Frame->Top() + background.Offset.y, SRCCOPY);
        canvas->Unlock();
        return;
    }
    ExcludeControls(DC, Frame, 0, 0);
    FillDC(DC, whole, GetBGColor(*FCommonData, 0));
}

void TsFrameAdapter::PaintCachedBackground(HDC DC)
{
    TsCommonData& data = *FCommonData;
    data.BGChanged = data.BGChanged || data.HalfVisible;
    data.HalfVisible = false;
    if (vcl::TWinControl* parent = Frame->Parent(); parent && data.RepaintIfMoved()) {
        const TRect client = parent->ClientRect();
        const vcl::TPoint topLeft(Frame->Left() + 1, Frame->Top() + 1);
        const vcl::TPoint bottomRight(Frame->Left() + Frame->Width() - 1, Frame->Top() + Frame->Height() - 1);
        data.HalfVisible = !client.Contains(topLeft) || !client.Contains(bottomRight);
    }
    if (data.BGChanged && !data.UrgentPainting)
        PrepareCache();
    const TRect whole(0, 0, Frame->Width(), Frame->Height());
    CopyWinControlCache(Frame, data, whole, whole, DC, false, 0, 0);
}

void TsFrameAdapter::PaintDirect(HDC DC)
{
    TsCommonData& data = *FCommonData;
    data.FUpdating = false;
    const int dx = SkinBorderMaxWidth(data);
    const bool ownDC = DC != data.PrintDC;
    const HDC dc = ownDC ? GetWindowDC(Frame->Handle()) : DC;
    const TRect whole(0, 0, Frame->Width(), Frame->Height());
    const int saved = SaveDC(dc);
    ExcludeControls(dc, Frame, 0, 0);
    if (dx != 0) {
        InitCacheBmp(data);
        vcl::TCanvas* cache = data.FCacheBmp->Canvas();
        cache->Lock();
        PaintBorderFast(cache->Handle(), whole, dx, data, 0);
        cache->Unlock();
    }
    FillDC(dc, TRect(dx, dx, whole.right - dx, whole.bottom - dx), GetBGColor(data, 0));
    RestoreDC(dc, saved);
    if (dx > 0) {
        vcl::TCanvas* cache = data.FCacheBmp->Canvas();
        cache->Lock();
        BitBltBorder(dc, 0, 0, whole.Width(), whole.Height(), cache->Handle(), 0, 0, dx);
        cache->Unlock();
    }
    PaintControls(dc, Frame, vcl::TPoint(0, 0));
    data.FCacheBmp.reset();
    if (ownDC)
        ReleaseDC(Frame->Handle(), dc);
}

void TsFrameAdapter::PrepareCache()
{
    TsCommonData& data = *FCommonData;
    if (IsCached(data)) {
        InitCacheBmp(data);
        data.FCacheBmp->Canvas()->Font()->Assign(Frame->Font());
        PaintSkinControl(data, Frame->Parent(), 0, TRect(0, 0, Frame->Width(), Frame->Height()),
                         vcl::TPoint(Frame->Left(), Frame->Top()), data.FCacheBmp.get(), true);
    }
    data.BGChanged = false;
}

}  // namespace skin
