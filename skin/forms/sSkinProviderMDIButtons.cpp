// What an MDI main form shows of its children in its frame: the client area in the section
// "MDIAREA", and a maximised child's minimise, restore and close buttons at the right end of the
// menu line, where the system would put its own. Their sizes and images, their painting into the
// provider's cache, and what a press and a release of them do to the child.
#include <algorithm>

#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TRect;

namespace {

const wchar_t* const MDIAreaSection = L"MDIAREA";
// The size of an MDI button without an image.
constexpr int NoImageSize = 16;

bool IsMDIForm(vcl::TCustomForm* Form) { return Form->FormStyle() == vcl::TFormStyle::fsMDIForm; }

// The system menu of the MDI child whose buttons show; none while no child's provider is known.
TsSystemMenu* ChildSystemMenu() { return ChildProvider ? ChildProvider->SystemMenu.get() : nullptr; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Sizes and images

int TsSkinProvider::SmallButtonWidth()
{
    const TsMaskData* mask = ButtonMask(MDIClose.ImageIndex);
    if (!mask)
        return NoImageSize;
    return mask->Bmp ? mask->Bmp->Width() / 3 : WidthOfImage(*mask);
}

int TsSkinProvider::SmallButtonHeight()
{
    const TsMaskData* mask = ButtonMask(MDIClose.ImageIndex);
    if (!mask)
        return NoImageSize;
    return mask->Bmp ? mask->Bmp->Height() / 2 : HeightOfImage(*mask);
}

bool TsSkinProvider::MDIButtonsNeeded()
{
    if (!ChildProvider || !IsMDIForm(Form) || !Form->Menu() || !Form->HandleAllocated())
        return false;
    vcl::TCustomForm* child = MaximizedMDIChild(Form);
    return child && child->BorderIcons().Contains(vcl::TBorderIcon::biSystemMenu);
}

bool TsSkinProvider::MaximisedChildShowing()
{
    vcl::TCustomForm* child = IsMDIForm(Form) && Form->HandleAllocated() ? Form->ActiveMDIChild() : nullptr;
    return child && child->WindowState() == vcl::TWindowState::wsMaximized &&
           child->FormState().Contains(vcl::TFormStateItem::fsShowing);
}

void TsSkinProvider::UpdateMDIIconsIndexes(bool BigSet)
{
    MDIClose.HitCode = MDICloseHT;
    MDIMax.HitCode = MDIRestoreHT;
    MDIMin.HitCode = MDIMinimizeHT;
    TsSkinManager* manager = Manager();
    if (!IsMDIForm(Form) || manager->ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
        return;
    const auto choose = [](TsCaptionButton& Btn, int ImageIndex, bool Alignment) {
        Btn.ImageIndex = ImageIndex;
        Btn.HaveAlignment = Alignment;
    };
    const auto image = [manager](const wchar_t* Name) {
        return manager->GetMaskIndex(manager->ConstData.IndexGLobalInfo, L"GLOBALINFO", Name);
    };
    // A skin without small caption buttons lends the big ones; a skin without a small minimise
    // button, the images of the form's own buttons.
    choose(MDIMin, image(BigSet ? L"BICONMIN" : L"SICONMIN"), BigSet);
    choose(MDIMax, image(BigSet ? L"BICONMAX" : L"SICONMAX"), BigSet);
    choose(MDIClose, image(BigSet ? L"BICONCLOSE" : L"SICONCLOSE"), BigSet);
    if (MDIMin.ImageIndex < 0) {
        choose(MDIMin, ButtonMin.ImageIndex, true);
        choose(MDIMax, ButtonMax.ImageIndex, true);
        choose(MDIClose, ButtonClose.ImageIndex, true);
    }
}

int TsSkinProvider::MDIButtonImage(int HT)
{
    switch (HT) {
    case MDICloseHT: return MDIClose.ImageIndex;
    case MDIMinimizeHT: return MDIMin.ImageIndex;
    default: break;
    }
    vcl::TCustomForm* child = Form->ActiveMDIChild();
    if (!child || child->WindowState() != vcl::TWindowState::wsMaximized)
        return MDIMax.ImageIndex;
    TsSkinManager* manager = Manager();
    const int restore = manager->GetMaskIndex(manager->ConstData.IndexGLobalInfo, L"GLOBALINFO", L"SICONNORM");
    return restore >= 0 ? restore
                        : manager->GetMaskIndex(manager->ConstData.IndexGLobalInfo, L"GLOBALINFO", L"BICONNORM");
}

bool TsSkinProvider::MDIButtonEnabled(int HT)
{
    TsSystemMenu* menu = ChildSystemMenu();
    switch (HT) {
    case MDIMinimizeHT: return !menu || menu->EnabledMin();
    case MDIRestoreHT: return !menu || menu->EnabledRestore();
    default: return true;
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsSkinProvider::PaintMDIArea(const TFrameLayout& Layout)
{
    if (!IsMDIForm(Form) || !MDIForm)
        return;
    TsSkinManager& manager = *Manager();
    const int section = manager.GetSkinIndex(MDIAreaSection);
    if (!manager.IsValidSkinIndex(section))
        return;
    const auto aligned = [this](vcl::TAlign Align) { return GetAlignShift(Form, Align, false); };
    const int menuHeight = MenuHeight();
    const int lines = MenuPresent() ? GetLinesCount() * menuHeight : 0;
    const TRect area(Layout.BorderWidth + Layout.Shadow.left + aligned(vcl::TAlign::alLeft),
                     Layout.MenuTop() + lines + Form->BorderWidth() + (menuHeight != 0 ? 1 : 0) +
                         aligned(vcl::TAlign::alTop),
                     Layout.Width - Layout.BorderWidth - aligned(vcl::TAlign::alRight) - Layout.Shadow.right,
                     Layout.Height - Layout.BorderWidth - aligned(vcl::TAlign::alBottom) - Layout.Shadow.bottom);
    vcl::TBitmap* cache = FCommonData->FCacheBmp.get();
    const int state = std::clamp(int(FormActive), 0, std::max(manager.gd[size_t(section)].States - 1, 0));
    PaintItem(section, MDIAreaSection, MakeCacheInfo(cache), state, area, area.TopLeft(), cache, &manager);
}

void TsSkinProvider::PaintMDIButtons(const TFrameLayout& Layout)
{
    const TMDIButtonRects r =
        PlaceMDIButtons(Layout, GetLinesCount(), MenuHeight(), vcl::TSize(SmallButtonWidth(), SmallButtonHeight()));
    PaintButton(MDIMin, MDIButtonImage(MDIMinimizeHT), r.Minimize, MDIButtonEnabled(MDIMinimizeHT));
    PaintButton(MDIMax, MDIButtonImage(MDIRestoreHT), r.Restore, MDIButtonEnabled(MDIRestoreHT));
    PaintButton(MDIClose, MDIButtonImage(MDICloseHT), r.Close, true);
}

// ---------------------------------------------------------------------------------------------
// The mouse

void TsSkinProvider::MDIButtonDown(int HT)
{
    if (MDIButtonEnabled(HT))
        SetPressedHT(HT);
}

void TsSkinProvider::MDIButtonUp(int HT)
{
    vcl::TCustomForm* child = bPressed ? Form->ActiveMDIChild() : nullptr;
    if (child) {
        const WPARAM command = HT == MDICloseHT ? SC_CLOSE : HT == MDIRestoreHT ? SC_RESTORE : SC_MINIMIZE;
        // The MDI form waits while the child shrinks to its icon, and paints again after it.
        TsCommonData* mdiData = HT == MDIMinimizeHT && MDISkinProvider ? MDISkinProvider->SkinData() : nullptr;
        if (mdiData)
            mdiData->BeginUpdate();
        SendMessageW(child->Handle(), WM_SYSCOMMAND, command, 0);
        if (mdiData)
            mdiData->EndUpdate(false);
        // The system's menu bar lost the child's items: the line is painted again without them.
        UpdateMainForm(true);
    }
    // Closed or restored, the child takes its buttons with it: nothing to repaint.
    SetHotHT(0, HT == MDIMinimizeHT);
    bPressed = false;
}

}  // namespace skin
