// The properties controls and forms publish by name.
#include "vcl/comctrls.h"
#include "vcl/controls.h"
#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/properties.h"

namespace vcl {

void TControl::PublishProperties(TPropertyTable& Table)
{
    using C = TControl;
    Table.Add(L"Align", &C::Align, &C::SetAlign);
    Table.Add(L"Anchors", &C::Anchors, &C::SetAnchors, {L"akLeft", L"akTop", L"akRight", L"akBottom"});
    Table.Add(L"Color", &C::Color, &C::SetColor);
    Table.Add(L"Constraints", &C::Constraints, &C::SetConstraints);
    Table.Add(L"Cursor", &C::Cursor, &C::SetCursor);
    Table.Add(L"DragKind", &C::DragKind, &C::SetDragKind);
    Table.Add(L"Enabled", &C::Enabled, &C::SetEnabled);
    Table.Add(L"Font", &C::Font, &C::SetFont);
    Table.Add(L"Height", &C::Height, &C::SetHeight);
    Table.Add(L"Left", &C::Left, &C::SetLeft);
    Table.Add(L"ParentColor", &C::ParentColor, &C::SetParentColor);
    Table.Add(L"ParentFont", &C::ParentFont, &C::SetParentFont);
    Table.Add(L"ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint);
    Table.Add(L"ShowHint", &C::ShowHint, &C::SetShowHint);
    Table.Add(L"Top", &C::Top, &C::SetTop);
    Table.Add(L"Visible", &C::Visible, &C::SetVisible);
    Table.Add(L"Width", &C::Width, &C::SetWidth);
}

void TSizeConstraints::PublishProperties(TPropertyTable& Table)
{
    using C = TSizeConstraints;
    Table.Add(L"MaxHeight", &C::MaxHeight, &C::SetMaxHeight);
    Table.Add(L"MaxWidth", &C::MaxWidth, &C::SetMaxWidth);
    Table.Add(L"MinHeight", &C::MinHeight, &C::SetMinHeight);
    Table.Add(L"MinWidth", &C::MinWidth, &C::SetMinWidth);
}

void TWinControl::PublishProperties(TPropertyTable& Table)
{
    using C = TWinControl;
    Table.Add(L"Ctl3D", &C::Ctl3D, &C::SetCtl3D);
    Table.Add(L"DoubleBuffered", &C::DoubleBuffered, &C::SetDoubleBuffered);
    Table.Add(L"ParentBackground", &C::ParentBackground, &C::SetParentBackground);
    Table.Add(L"TabOrder", &C::TabOrder, &C::SetTabOrder);
    Table.Add(L"TabStop", &C::TabStop, &C::SetTabStop);
}

void TCustomForm::PublishProperties(TPropertyTable& Table)
{
    using C = TCustomForm;
    Table.Add(L"BorderIcons", &C::BorderIcons, &C::SetBorderIcons,
              {L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp"});
    Table.Add(L"BorderStyle", &C::BorderStyle, &C::SetBorderStyle);
    Table.Add(L"FormStyle", &C::FormStyle, &C::SetFormStyle);
    Table.Add(L"Position", &C::Position, &C::SetPosition);
    Table.Add(L"WindowState", &C::WindowState, &C::SetWindowState);
}

void TTrackBar::PublishProperties(TPropertyTable& Table)
{
    using C = TTrackBar;
    Table.Add(L"Frequency", &C::Frequency, &C::SetFrequency);
    Table.Add(L"Max", &C::Max, &C::SetMax);
    Table.Add(L"Min", &C::Min, &C::SetMin);
    Table.Add(L"Orientation", &C::Orientation, &C::SetOrientation);
    Table.Add(L"Position", &C::Position, &C::SetPosition);
    Table.Add(L"SelEnd", &C::SelEnd, &C::SetSelEnd);
    Table.Add(L"SelStart", &C::SelStart, &C::SetSelStart);
    Table.Add(L"ThumbLength", &C::ThumbLength, &C::SetThumbLength);
    Table.Add(L"TickMarks", &C::TickMarks, &C::SetTickMarks);
    Table.Add(L"TickStyle", &C::TickStyle, &C::SetTickStyle);
}

void TSplitter::PublishProperties(TPropertyTable& Table)
{
    using C = TSplitter;
    Table.Add(L"AutoSnap", &C::AutoSnap, &C::SetAutoSnap);
    Table.Add(L"MinSize", &C::MinSize, &C::SetMinSize);
    Table.Add(L"ResizeStyle", &C::ResizeStyle, &C::SetResizeStyle);
}

}  // namespace vcl
