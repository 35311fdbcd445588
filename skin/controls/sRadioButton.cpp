#include "skin/controls/sRadioButton.h"

#include "vcl/properties.h"

namespace skin {

TsRadioButton::TsRadioButton(vcl::TComponent* AOwner) : TsCheckControl(AOwner, ckRadioButton)
{
    FPaintsOnGivenDC = true;
}

void TsRadioButton::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsRadioButton::SkinData, &TsRadioButton::SetSkinData);
    PublishAnimatEvents<TsRadioButton>(Table);
    Table.Add(L"Margin", &TsRadioButton::Margin, &TsRadioButton::SetMargin);
    Table.Add(L"TextIndent", &TsRadioButton::TextIndent, &TsRadioButton::SetTextIndent);
    Table.Add(L"ShowFocus", &TsRadioButton::ShowFocus, &TsRadioButton::SetShowFocus);
    Table.Add(L"ReadOnly", &TsRadioButton::ReadOnly, &TsRadioButton::SetReadOnly);
}

void TsRadioButton::Invalidate()
{
    inherited::Invalidate();
    if (AutoSize())
        SetWordWrap(false);
}

void TsRadioButton::SetUserGlyph(vcl::TBitmap* Glyph, vcl::TBitmap* Value, bool ForChecked)
{
    Glyph->Assign(Value);
    AdjustSize();
    if (ForChecked == Checked())
        SkinData()->Invalidate();
}

int TsRadioButton::GlyphMaskIndex(bool Checked) const
{
    const TsSkinManager* m = SkinData()->SkinManager();
    if (!m)
        return -1;
    return m->GetMaskIndex(m->ConstData.IndexGLobalInfo, L"GLOBALINFO", Checked ? L"RADIOCHECKED" : L"RADIOUNCHECKED");
}

bool TsRadioButton::ReleasedAfterPress()
{
    if (!ReadOnly() && CanModify() && FPressed)
        SetChecked(true);
    FPressed = false;
    ChangePaint(TacAnimatEvent::aeMouseUp, false);
    return true;
}

void TsRadioButton::SpaceReleased()
{
    if (!FPressed)
        return;
    FPressed = false;
    SetChecked(true);
    Repaint();
}

// The native button keeps the state too; the face follows.
void TsRadioButton::SetCheckMessage(vcl::TMessage& Message)
{
    InheritedWndProc(Message);
    if (Message.WParam == BST_UNCHECKED)
        SetChecked(false);
    else if (Message.WParam == BST_CHECKED)
        SetChecked(true);
    ChangePaint(TacAnimatEvent::aeMouseUp, true);
}

// The window's class must not repaint the whole button on every size change.
void TsRadioButton::BeforeRepaintCommand()
{
    if (!HandleAllocated())
        return;
    const ULONG_PTR style = GetClassLongPtrW(Handle(), GCL_STYLE);
    SetClassLongPtrW(Handle(), GCL_STYLE, LONG_PTR(style & ~ULONG_PTR(CS_HREDRAW | CS_VREDRAW)));
}

}  // namespace skin
