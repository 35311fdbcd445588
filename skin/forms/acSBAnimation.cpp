#include "skin/forms/acSBAnimation.h"

#include <algorithm>

#include "skin/core/acGlow.h"
#include "skin/core/sConst.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TPoint;
using vcl::TRect;

namespace {

constexpr int TickInterval = 12;

// A pressed button's glyph sits one pixel right and down.
int PressShift(const TsCaptionButton& Btn) { return Btn.State == 2 ? 1 : 0; }

}  // namespace

TacSBAnimation::TacSBAnimation(vcl::TComponent* AOwner) : vcl::TTimer(AOwner)
{
    SetOnTimer(vcl::TNotifyEvent(this, &TacSBAnimation::OnAnimTimer));
}

void TacSBAnimation::BeforeDestruction()
{
    SetEnabled(false);
    FreeForm();
    if (PBtnData)
        PBtnData->Timer = nullptr;
    vcl::TTimer::BeforeDestruction();
}

void TacSBAnimation::FreeForm()
{
    AForm.reset();
    ABmp.reset();
}

int TacSBAnimation::Step() const { return MaxIterations > 0 ? 255 / MaxIterations : 0; }

void TacSBAnimation::StartAnimation(int NewState, bool ToUp)
{
    if (NewState == CurrentState)
        return;
    CurrentState = NewState;
    if (NewState != 0) {
        if (NewState == 2)
            FreeForm();
        CurrentLevel = 1;
        Up = ToUp;
        UpdateForm(std::min(Step(), 255));
        ++CurrentLevel;
    } else {
        Up = false;
        --CurrentLevel;
        UpdateForm(std::min(Step(), 255));
    }
    if (MaxIterations > 1)
        SetEnabled(true);
}

void TacSBAnimation::OnAnimTimer(vcl::TObject*)
{
    if (!Enabled())
        return;
    const auto level = [this] { return std::clamp(Step() * CurrentLevel, 0, 255); };
    if (Up) {
        if (CurrentLevel < MaxIterations) {
            UpdateForm(level());
            ++CurrentLevel;
            return;
        }
        CheckMouseLeave();
        if (MaxIterations != -1) {
            MaxIterations = -1;
            UpdateForm(255);
        }
        return;
    }
    if (CurrentLevel > 0) {
        UpdateForm(level());
        --CurrentLevel;
        return;
    }
    CurrentState = -1;
    SetEnabled(false);
    FreeForm();
}

HWND TacSBAnimation::PictureWindow() const
{
    const auto* border = dynamic_cast<const TacBorderForm*>(BorderForm);
    return border && border->AForm && border->AForm->HandleAllocated() ? border->AForm->Handle() : FormHandle;
}

void TacSBAnimation::CheckMouseLeave()
{
    RECT window{};
    GetWindowRect(PictureWindow(), &window);
    if (PBtnData->Rect.Contains(acMousePos().Offset(-window.left, -window.top)))
        return;
    SetEnabled(false);
    SendMessageW(FormHandle, WM_MOUSELEAVE, 0, 0);
}

int TacSBAnimation::Offset()
{
    TsSkinManager* manager = SkinData->SkinManager();
    if (!manager || !manager->GetAllowGlowing() || CurrentState != 1)
        return 0;
    switch (PBtnData->HitCode) {
    case HTMINBUTTON: return manager->SkinData->BIMinGlowMargin;
    case HTMAXBUTTON: return manager->SkinData->BIMaxGlowMargin;
    case HTCLOSE: return manager->SkinData->BICloseGlowMargin;
    default: return 0;
    }
}

int TacSBAnimation::GlowMaskIndex()
{
    TsSkinManager* manager = SkinData->SkinManager();
    if (!manager || !manager->IsValidImgIndex(PBtnData->ImageIndex))
        return -1;
    return manager->GetMaskIndex(manager->ConstData.IndexGLobalInfo, L"GLOBALINFO",
                                 manager->ma[size_t(PBtnData->ImageIndex)].PropertyName + L"GLOW0");
}

TRect TacSBAnimation::GetFormBounds()
{
    RECT window{};
    GetWindowRect(PictureWindow(), &window);
    const TRect& button = PBtnData->Rect;
    const TPoint origin(window.left + button.left, window.top + button.top);
    if (const int offset = Offset(); offset != 0) {
        const int glow = GlowMaskIndex();
        if (glow >= 0) {
            const TRect& image = SkinData->SkinManager()->ma[size_t(glow)].R;
            return vcl::Bounds(origin.x - offset, origin.y - offset, image.Width(), image.Height());
        }
    }
    return vcl::Bounds(origin.x, origin.y, std::max(0, int(button.Width())), std::max(0, int(button.Height())));
}

void TacSBAnimation::MakeForm()
{
    if (AForm)
        return;
    AForm.reset(vcl::Create<TacGlowForm>(nullptr));
    const HWND wnd = AForm->Handle();
    SetWindowLongPtrW(wnd, GWL_EXSTYLE,
                      GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT);
}

void TacSBAnimation::MakeImg()
{
    if (CurrentState == 0 && ABmp)
        return;
    TsSkinManager* manager = SkinData->SkinManager();
    if (!manager)
        return;
    const TRect r = GetFormBounds();
    const uint32_t hit = PBtnData->HitCode;
    int image = PBtnData->ImageIndex;
    if (hit == HTMINBUTTON && Provider && IsIconic(FormHandle))
        image = manager->GetMaskIndex(manager->ConstData.IndexGLobalInfo, L"GLOBALINFO", L"BICONNORM");
    const bool glowing =
        manager->GetAllowGlowing() && CurrentState == 1 && (hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE);
    const int glow = glowing ? GlowMaskIndex() : -1;
    if (!ABmp)
        ABmp = CreateBmp32(r.Width(), r.Height());
    const TPixelView pixels = PixelsOf(ABmp.get());
    if (glow >= 0) {
        vcl::TBitmap* source = manager->ma[size_t(glow)].Bmp.get();
        TCanvasLock to(ABmp->Canvas());
        TCanvasLock from(source->Canvas());
        BitBlt(ABmp->Canvas()->Handle(), 0, 0, ABmp->Width(), ABmp->Height(), source->Canvas()->Handle(), 0, 0,
               SRCCOPY);
    } else {
        px::MapPixels(pixels, [](uint32_t) { return 0u; });
        if (manager->IsValidImgIndex(image)) {
            const TsMaskData& mask = manager->ma[size_t(image)];
            DrawSkinGlyph(pixels, TPoint(), PBtnData->State, 1, mask, CacheView(MakeCacheInfo(ABmp.get())));
            // An image without alpha of its own is opaque wherever it was drawn.
            if (!BorderForm && mask.MaskType == 0)
                px::MapPixels(pixels, [](uint32_t p) { return p != 0 ? p | 0xFF000000u : p; });
        }
    }
    if (!Provider || hit < uint32_t(UserButtonHT) || hit > uint32_t(LastUserButtonHT))
        return;
    const int index = int(hit) - UserButtonHT;
    if (index >= Provider->TitleButtons()->Count())
        return;
    vcl::TBitmap* glyph = Provider->TitleButtons()->Items(index)->Glyph();
    if (glyph->Empty())
        return;
    const int shift = PressShift(*PBtnData);
    if (glyph->PixelFormat() == vcl::TPixelFormat::pf32bit) {
        const TPoint at((ABmp->Width() - glyph->Width()) / 2 + shift, (ABmp->Height() - glyph->Height()) / 2 + shift);
        CopyByMask(vcl::Bounds(at.x, at.y, glyph->Width(), glyph->Height()),
                   TRect(0, 0, glyph->Width(), glyph->Height()), pixels, PixelsOf(glyph), CacheView(acEmptyCI), true);
        return;
    }
    const std::unique_ptr<vcl::TBitmap> copy = CreateBmp32(glyph->Width(), glyph->Height());
    copy->Canvas()->Draw(0, 0, glyph);
    const TPixelView glyphPixels = PixelsOf(copy.get());
    CopyTransBitmaps(pixels, glyphPixels, (PBtnData->Rect.Width() - glyph->Width()) / 2 + shift,
                     (PBtnData->Rect.Height() - glyph->Height()) / 2 + shift,
                     TsColor::FromInt(glyphPixels.At(0, glyphPixels.Height - 1)));
}

void TacSBAnimation::UpdateForm(int Blend)
{
    if (!ABmp)
        MakeImg();
    if (!AForm)
        MakeForm();
    if (!ABmp || !AForm)
        return;
    TRect r = GetFormBounds();
    if (r.Width() != ABmp->Width())
        r.Inflate((ABmp->Width() - r.Width()) / 2, (ABmp->Height() - r.Height()) / 2);
    const HWND wnd = AForm->Handle();
    AForm->SetBounds(r.left, r.top, ABmp->Width(), ABmp->Height());
    const HWND insertAfter = InsertAfter(PictureWindow(), wnd);
    SetWindowPos(wnd, insertAfter, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING |
                     (insertAfter ? 0 : SWP_NOZORDER));
    SetWindowLongPtrW(wnd, GWL_EXSTYLE,
                      GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT);
    const HDC screen = GetDC(nullptr);
    {
        TCanvasLock lock(ABmp->Canvas());
        SIZE size{ABmp->Width(), ABmp->Height()};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, BYTE(std::clamp(Blend, 0, 255)), AC_SRC_ALPHA};
        UpdateLayeredWindow(wnd, screen, nullptr, &size, ABmp->Canvas()->Handle(), &source, 0, &blend, ULW_ALPHA);
    }
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    ReleaseDC(nullptr, screen);
}

void StartSBAnimation(TsCaptionButton* Btn, int State, int MaxIterations, bool Up, TsSkinProvider* Provider)
{
    if (!Btn->Timer) {
        if (!Provider)
            return;
        auto* animation = vcl::Create<TacSBAnimation>(Provider);
        animation->BorderForm = Provider->BorderForm.get();
        animation->FormHandle = Provider->Form->Handle();
        animation->SkinData = Provider->SkinData();
        animation->Provider = Provider;
        Btn->Timer = animation;
        animation->SetEnabled(false);
        animation->PBtnData = Btn;
        animation->MaxIterations = MaxIterations;
        animation->SetInterval(TickInterval);
        animation->StartAnimation(State, true);
        return;
    }
    TacSBAnimation& animation = *Btn->Timer;
    if (Up)
        animation.CurrentState = State;
    animation.MaxIterations = MaxIterations;
    animation.Up = Up;
    animation.SetEnabled(true);
    if (State == 2) {
        animation.CurrentLevel = MaxIterations;
        animation.FreeForm();
        animation.MakeForm();
        animation.MakeImg();
    }
}

}  // namespace skin
