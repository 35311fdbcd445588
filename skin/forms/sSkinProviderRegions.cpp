// The window region of a skinned form and the provider's operations beside it: the skin's corners
// cut out of the window, the form's skinned scroll bars, and the redraw lock.
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

TFormScrollsFactory MakeFormScrolls = nullptr;

namespace {

// The region a form's window gets now, and whether it keeps its own instead.
HRGN NewFormRegion(TsSkinProvider* Provider)
{
    vcl::TCustomForm* form = Provider->Form;
    const HWND handle = form->Handle();
    if (const TacBorderGeometry* border = Provider->BorderForm.get()) {
        // The border window shows the frame: only the form's inner part stays.
        const int b = SysBorderWidth(handle, border, false);
        const int top = Provider->FSysExHeight ? b + SysCaptHeight(form)
                                               : SysBorderHeight(handle, border, false) + SysCaptHeight(form) + b;
        return CreateRectRgn(b, top, form->Width() - b, form->Height() - b);
    }
    const vcl::TSizeConstraints* limits = form->Constraints();
    if (IsZoomed(handle) && limits->MaxWidth() == 0 && limits->MaxHeight() == 0 &&
        form->FormStyle() != vcl::TFormStyle::fsMDIChild) {
        // A maximised window reaches over the screen's edges by its frame: that frame is cut off.
        const int x = SysBorderWidth(handle, nullptr, true);
        const int y = SysBorderHeight(handle, nullptr, true);
        return CreateRectRgn(x, y, form->Width() - x, form->Height() - y);
    }
    return GetRgnFromArOR(Provider, 0, 0);
}

// The form answers the region query: it keeps a region of its own.
bool KeepsOwnRegion(vcl::TCustomForm* Form)
{
    return Form->Perform(RegionQueryMessage, RegionQueryOwn, 0) == LRESULT(RegionQueryOwn);
}

void SetRedraw(TsSkinProvider* Provider, bool Redraw)
{
    TsCommonData* data = Provider->SkinData();
    if (Redraw)
        data->EndUpdate(false);
    else
        data->BeginUpdate();
    Provider->Form->Perform(WM_SETREDRAW, Redraw ? 1 : 0, 0);
}

// The redraw lock of the provider and, with MDIAlso for an MDI child, of its MDI main form's.
void LockDrawing(TsSkinProvider* Provider, bool MDIAlso, bool Redraw)
{
    SetRedraw(Provider, Redraw);
    if (MDIAlso && Provider->Form->FormStyle() == vcl::TFormStyle::fsMDIChild && MDISkinProvider &&
        MDISkinProvider->DrawNonClientArea())
        SetRedraw(MDISkinProvider, Redraw);
}

}  // namespace

bool HasSizingFrame(HWND Handle) { return (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_THICKFRAME) != 0; }

void FillArOR(TsSkinProvider* Provider)
{
    Provider->ArOR.clear();
    TsSkinManager* manager = Provider->SkinData()->SkinManager();
    if (!manager)
        return;
    const int width = Provider->CaptionWidth();
    const int border = Provider->SkinData()->BorderIndex;
    if (manager->IsValidImgIndex(border)) {
        const TsMaskData& mask = manager->ma[size_t(border)];
        AddRgn(Provider->ArOR, width, mask, 0, false);
        AddRgn(Provider->ArOR, width, mask, Provider->Form->Height() - mask.WB, true);
    }
    const int title = Provider->TitleSkinIndex();
    if (manager->IsValidSkinIndex(title)) {
        const int titleBorder = manager->GetMaskIndex(title, Provider->TitleSkinSection(), L"BORDERSMASK");
        if (manager->IsValidImgIndex(titleBorder))
            AddRgn(Provider->ArOR, width, manager->ma[size_t(titleBorder)], 0, false);
    }
}

HRGN GetRgnFromArOR(TsSkinProvider* Provider, int X, int Y)
{
    const HRGN region = CreateRectRgn(X, Y, X + Provider->CaptionWidth(), Y + Provider->Form->Height());
    TAOR runs = Provider->ArOR;
    for (vcl::TRect& run : runs)
        run.Offset(X, Y);
    SubtractRects(region, runs);
    return region;
}

void UpdateRgn(TsSkinProvider* Provider, bool Repaint)
{
    vcl::TCustomForm* form = Provider->Form;
    if (!Provider->DrawNonClientArea() || !form->HandleAllocated() || Provider->InMenu)
        return;
    const HWND handle = form->Handle();
    if (!HaveBorder(Provider) && !IsIconic(handle) && !HasSizingFrame(handle))
        return;
    if (!Provider->FirstInitialized && KeepsOwnRegion(form))
        return;
    if (form->Parent() && form->DragKind() == vcl::TDragKind::dkDock) {
        SetWindowRgn(handle, nullptr, FALSE);
        return;
    }
    Provider->RgnChanging = true;
    const HRGN region = NewFormRegion(Provider);
    Provider->RgnChanged = false;
    SetWindowRgn(handle, region, Repaint ? TRUE : FALSE);
    Provider->RgnChanging = false;
}

void RefreshFormScrolls(TsSkinProvider* Provider)
{
    vcl::TCustomForm* form = Provider->Form;
    if (Provider->ComponentState().Contains(vcl::TComponentStateItem::csDestroying) || !form->HandleAllocated() ||
        !form->AutoScroll() || (Provider->FormState & TsSkinProvider::fsScrollsRefreshing))
        return;
    Provider->FormState |= TsSkinProvider::fsScrollsRefreshing;
    if (Provider->SkinData()->Skinned()) {
        if (Provider->ListSW && Provider->ListSW->Destroyed())
            Provider->ListSW.reset();
        if (!Provider->ListSW && MakeFormScrolls)
            Provider->ListSW = MakeFormScrolls(Provider);
    } else {
        Provider->ListSW.reset();
    }
    Provider->FormState &= ~TsSkinProvider::fsScrollsRefreshing;
}

void ForbidDrawing(TsSkinProvider* Provider, bool MDIAlso) { LockDrawing(Provider, MDIAlso, false); }

void PermitDrawing(TsSkinProvider* Provider, bool MDIAlso) { LockDrawing(Provider, MDIAlso, true); }

}  // namespace skin
