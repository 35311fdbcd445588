#include "skin/controls/sCheckBox.h"

#include "skin/graphics/acAlphaImageList.h"
#include "vcl/properties.h"

namespace skin {

int PaintState = -1;

TsCheckBox::TsCheckBox(vcl::TComponent* AOwner) : TsCheckControl(AOwner, ckCheckBox) {}

void TsCheckBox::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsCheckBox::SkinData, &TsCheckBox::SetSkinData);
    PublishAnimatEvents<TsCheckBox>(Table);
    Table.Add(L"Margin", &TsCheckBox::Margin, &TsCheckBox::SetMargin);
    Table.Add(L"TextIndent", &TsCheckBox::TextIndent, &TsCheckBox::SetTextIndent);
    Table.Add(L"ShowFocus", &TsCheckBox::ShowFocus, &TsCheckBox::SetShowFocus);
    Table.Add(L"ReadOnly", &TsCheckBox::ReadOnly, &TsCheckBox::SetReadOnly);
    Table.Add(L"ImgChecked", &TsCheckBox::ImgChecked, &TsCheckBox::SetImgChecked);
    Table.Add(L"ImgUnchecked", &TsCheckBox::ImgUnchecked, &TsCheckBox::SetImgUnchecked);
}

void TsCheckBox::Loaded()
{
    inherited::Loaded();
    AdjustSize();
}

void TsCheckBox::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == vcl::TOperation::opRemove && AComponent == FImages)
        FImages = nullptr;
}

void TsCheckBox::SetChecked(bool Value)
{
    if (ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        return;
    TsCommonData& data = *SkinData();
    if (Value != Checked())
        data.BGChanged = true;
    vcl::TCustomCheckBox::SetChecked(Value);
    if (data.BGChanged)
        Repaint();
}

void TsCheckBox::ActionChange(vcl::TObject* Sender, bool CheckDefaults)
{
    SkinData()->BGChanged = true;
    inherited::ActionChange(Sender, CheckDefaults);
    Repaint();
}

void TsCheckBox::SetGlyphChecked(vcl::TBitmap* Value)
{
    GlyphChecked()->Assign(Value);
    AdjustSize();
    SkinData()->Invalidate();
}

void TsCheckBox::SetGlyphUnChecked(vcl::TBitmap* Value)
{
    GlyphUnChecked()->Assign(Value);
    AdjustSize();
    Invalidate();
}

void TsCheckBox::SetImages(vcl::TCustomImageList* Value)
{
    if (Value == FImages)
        return;
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    AdjustSize();
    SkinData()->Invalidate();
}

void TsCheckBox::SetImageIndex(int& Field, int Value, bool ForChecked)
{
    if (Value == Field)
        return;
    Field = Value;
    AdjustSize();
    if (ForChecked == Checked())
        SkinData()->Invalidate();
}

int TsCheckBox::GlyphMaskIndex(vcl::TCheckBoxState State) const
{
    static const wchar_t* const names[] = {L"BOXUNCHECKED", L"BOXCHECKED", L"BOXGRAYED"};
    const TsSkinManager* m = SkinData()->SkinManager();
    if (!m)
        return -1;
    return m->GetMaskIndex(m->ConstData.IndexGLobalInfo, L"GLOBALINFO", names[int(State)]);
}

int TsCheckBox::DrawnMask() const
{
    const auto state = PaintState >= 0 && PaintState <= 2 ? vcl::TCheckBoxState(PaintState) : State();
    return GlyphMaskIndex(state);
}

TFrameSize TsCheckBox::GlyphSize() const
{
    if (ImageMode())
        return StripFrameSize(FImages->Width(), FImages->Height());
    return inherited::GlyphSize();
}

bool TsCheckBox::DrawOwnGlyph(bool Hot)
{
    if (!ImageMode())
        return inherited::DrawOwnGlyph(Hot);
    const int index = Checked() ? FImgChecked : FImgUnchecked;
    if (index < 0)
        return true;
    const int w = FImages->Width(), h = FImages->Height();
    if (h > 0 && w >= 2 * h && w % h == 0) {  // a strip of face frames
        const auto bmp = CreateBmp32(0, 0);
        auto* alpha = dynamic_cast<TsAlphaImageList*>(FImages);
        if (alpha ? alpha->GetBitmap32(index, bmp.get()) : FImages->GetBitmap(index, bmp.get()))
            PaintGlyph(bmp.get(), FaceFrame(StripFrameCount(w, GlyphSize().Width), Pressed(), Hot));
        return true;
    }
    vcl::TCanvas* canvas = SkinData()->FCacheBmp->Canvas();
    const vcl::TRect r = CheckRect();
    const TCanvasLock lock(canvas);
    FImages->Draw(canvas, r.left, r.top, index, true);
    return true;
}

void TsCheckBox::ToggleNow()
{
    Toggle();
    ChangePaint(TacAnimatEvent::aeMouseUp, true);
}

bool TsCheckBox::ReleasedAfterPress()
{
    if (ReadOnly())
        return false;
    const bool pressed = FPressed;
    FPressed = false;
    if (pressed)
        ToggleNow();
    else
        ChangePaint(TacAnimatEvent::aeMouseUp, false);
    return true;
}

void TsCheckBox::SpaceReleased()
{
    if (!FPressed)
        return;
    FPressed = false;
    ToggleNow();
}

void TsCheckBox::ChangedMessage() { ChangePaint(TacAnimatEvent::aeMouseUp, true); }

WPARAM TsCheckBox::NativeCheck()
{
    static const WPARAM values[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    return values[int(State())];
}

}  // namespace skin
