#include "tools/gallery/Gallery.h"

#include <algorithm>
#include <type_traits>

#include "skin/controls/acProgressBar.h"
#include "skin/controls/sBevel.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sScrollBox.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sSplitter.h"
#include "skin/controls/sStatusBar.h"
#include "skin/controls/sTrackBar.h"

namespace gallery {

namespace {

using namespace skin;
using vcl::TAlign;

constexpr int Margin = 12;
constexpr int Gap = 10;

// Places controls left to right in rows under each other.
class TRows {
public:
    explicit TRows(TGallery& Gallery) : FGallery(Gallery) {}

    // Starts a row Height tall under the last one.
    void Row(int Height)
    {
        FTop = FBottom + (FBottom > 0 ? Gap : Margin);
        FBottom = FTop + Height;
        FLeft = Margin;
    }
    // A control Width x Height at the next place of the row (the row's height for 0); the row goes
    // on after the control's own width, which auto-sizing controls choose themselves.
    template<class T>
    T* Add(int Width, int Height, const wchar_t* Caption = L"")
    {
        T* control = Place<T>(FGallery.Form, FLeft, FTop, Width, Height > 0 ? Height : FBottom - FTop, Caption);
        FLeft += control->Width() + Gap;
        FRight = std::max(FRight, FLeft);
        return control;
    }
    // A control inside Parent.
    template<class T>
    T* Place(vcl::TWinControl* Parent, int X, int Y, int Width, int Height, const wchar_t* Caption = L"")
    {
        T* control = vcl::Create<T>(FGallery.Form);
        control->SetBounds(X, Y, Width, Height);
        control->SetParent(Parent);
        if (*Caption)
            control->SetCaption(Caption);
        FGallery.Controls.push_back(control);
        return control;
    }
    // A check control sized to its glyph and caption. Radio buttons lie each in a container of its
    // own, so that more than one can show checked.
    template<class T>
    T* AddFitted(const wchar_t* Caption)
    {
        vcl::TWinControl* parent = FGallery.Form;
        TsContainer* holder = nullptr;
        if constexpr (std::is_same_v<T, TsRadioButton>) {
            holder = Place<TsContainer>(FGallery.Form, FLeft, FTop, 200, FBottom - FTop);
            holder->SetBevelOuter(vcl::TBevelCut::bvNone);
            holder->SkinData()->SetSkinSection(L"CHECKBOX");
            parent = holder;
        }
        T* control = Place<T>(parent, holder ? 0 : FLeft, holder ? 0 : FTop, 200, FBottom - FTop, Caption);
        control->AdjustSize();
        if (holder)
            holder->SetBounds(FLeft, FTop, control->Width(), control->Height());
        FLeft += control->Width() + Gap;
        FRight = std::max(FRight, FLeft);
        return control;
    }
    int Right() const { return FRight; }
    int Bottom() const { return FBottom; }

private:
    TGallery& FGallery;
    int FTop = 0, FBottom = 0, FLeft = Margin, FRight = 0;
};

void Hot(TsCommonData* Data) { Data->FMouseAbove = true; }

void AddButtons(TRows& Rows)
{
    Rows.Row(26);
    Rows.Add<TsButton>(86, 0, L"Normal");
    Hot(Rows.Add<TsButton>(86, 0, L"Hot")->SkinData());
    Rows.Add<TsButton>(86, 0, L"Pressed")->SetDown(true);
    Rows.Add<TsButton>(86, 0, L"Default")->SetDefault(true);
    Rows.Add<TsButton>(86, 0, L"Disabled")->SetEnabled(false);
    Rows.Add<TsSpeedButton>(86, 0, L"Speed");
    Hot(Rows.Add<TsSpeedButton>(86, 0, L"Hot")->SkinData());
    auto* down = Rows.Add<TsSpeedButton>(86, 0, L"Down");
    down->SetGroupIndex(1);
    down->SetAllowAllUp(true);
    down->SetDown(true);
    Rows.Add<TsSpeedButton>(86, 0, L"Disabled")->SetEnabled(false);
}

template<class T>
void AddCheckControls(TRows& Rows, TGallery& Gallery)
{
    Rows.Row(22);
    Rows.AddFitted<T>(L"Normal");
    Hot(Rows.AddFitted<T>(L"Hot")->SkinData());
    Gallery.Pressed.push_back(Rows.AddFitted<T>(L"Pressed"));
    Rows.AddFitted<T>(L"Checked")->SetChecked(true);
    if constexpr (std::is_same_v<T, TsCheckBox>) {
        auto* grayed = Rows.AddFitted<T>(L"Grayed");
        grayed->SetAllowGrayed(true);
        grayed->SetState(vcl::TCheckBoxState::cbGrayed);
    }
    auto* readOnly = Rows.AddFitted<T>(L"Read-only, hot");
    readOnly->SetChecked(true);
    readOnly->SetReadOnly(true);
    Hot(readOnly->SkinData());
    Rows.AddFitted<T>(L"Disabled")->SetEnabled(false);
    auto* disabledChecked = Rows.AddFitted<T>(L"Disabled, checked");
    disabledChecked->SetChecked(true);
    disabledChecked->SetEnabled(false);
    if (!Gallery.Focused)
        Gallery.Focused = Rows.AddFitted<T>(L"Focused");
}

void AddGroups(TRows& Rows)
{
    Rows.Row(110);
    Rows.Add<TsGroupBox>(150, 0, L"Caption left");
    Rows.Add<TsGroupBox>(150, 0, L"Centred")->SetCaptionLayout(sGroupBox::TsCaptionLayout::clTopCenter);
    auto* skinned = Rows.Add<TsGroupBox>(150, 0, L"Caption section");
    skinned->SetCaptionSkin(L"SELECTION");
    skinned->SetCaptionLayout(sGroupBox::TsCaptionLayout::clTopRight);
    Rows.Add<TsGroupBox>(110, 0, L"A caption cut to its width")->SetCaptionWidth(70);
    auto* group = Rows.Add<TsRadioGroup>(200, 0, L"Radio group");
    group->SetColumns(2);
    for (const wchar_t* item : {L"One", L"Two", L"Three", L"Four", L"Five"})
        group->Items()->Add(item);
    group->SetItemIndex(1);
    auto* disabled = Rows.Add<TsRadioGroup>(130, 0, L"Disabled");
    for (const wchar_t* item : {L"First", L"Second", L"Third"})
        disabled->Items()->Add(item);
    disabled->SetItemIndex(0);
    disabled->SetEnabled(false);
}

void AddBars(TRows& Rows, TGallery& Gallery)
{
    Rows.Row(100);
    Rows.Add<TsProgressBar>(160, 22)->SetPosition(60);
    auto* standing = Rows.Add<TsProgressBar>(22, 0);
    standing->SetOrientation(vcl::TProgressBarOrientation::pbVertical);
    standing->SetPosition(40);
    const auto gauge = [&](TsGaugeKind Kind, int Width, int Height) {
        auto* g = Rows.Add<TsGauge>(Width, Height);
        g->SetAnimated(false);
        g->SetKind(Kind);
        g->SetProgress(64);
        return g;
    };
    Gallery.Bar = gauge(TsGaugeKind::gkHorizontalBar, 160, 24);
    gauge(TsGaugeKind::gkVerticalBar, 24, 0);
    gauge(TsGaugeKind::gkText, 70, 24);
    gauge(TsGaugeKind::gkPie, 70, 70);
    gauge(TsGaugeKind::gkNeedle, 90, 50);
    gauge(TsGaugeKind::gkHorizontalBar, 120, 24)->SetEnabled(false);
}

void AddTrackBars(TRows& Rows)
{
    Rows.Row(100);
    const auto bar = [&](int Width, int Height) {
        auto* t = Rows.Add<TsTrackBar>(Width, Height);
        t->SetMax(8);
        t->SetPosition(3);
        return t;
    };
    bar(160, 45);
    Hot(bar(160, 45)->SkinData());
    bar(160, 45)->SetTickMarks(vcl::TTickMark::tmTopLeft);
    auto* both = bar(160, 50);
    both->SetTickMarks(vcl::TTickMark::tmBoth);
    both->SetSelStart(2);
    both->SetSelEnd(5);
    bar(160, 45)->SetEnabled(false);
    // A standing bar turns its bounds: they are set again.
    const auto standing = [&] {
        auto* t = bar(45, 0);
        const vcl::TRect r = t->BoundsRect();
        t->SetOrientation(vcl::TTrackBarOrientation::trVertical);
        t->SetBounds(r.left, r.top, r.Width(), r.Height());
        return t;
    };
    standing();
    standing()->SetTickMarks(vcl::TTickMark::tmTopLeft);
}

// Two panes of Host parted by a splitter with its grip, standing (alLeft) or lying (alTop).
void AddSplitter(TRows& Rows, TsPanel* Host, bool Standing, bool HotGrip)
{
    const TAlign side = Standing ? TAlign::alLeft : TAlign::alTop;
    auto* first = Rows.Place<TsPanel>(Host, 0, 0, 60, 36);
    first->SetAlign(side);
    auto* splitter = Rows.Place<TsSplitter>(Host, Standing ? 60 : 0, Standing ? 0 : 36, 8, 8);
    splitter->SetAlign(side);
    splitter->SetBounds(splitter->Left(), splitter->Top(), 8, 8);  // it came standing, as tall as the host
    splitter->SetShowGrip(true);
    if (HotGrip)
        Hot(splitter->SkinData());
    Rows.Place<TsPanel>(Host, 0, 0, 10, 10)->SetAlign(TAlign::alClient);
}

void AddPanels(TRows& Rows)
{
    Rows.Row(100);
    Rows.Add<TsPanel>(100, 0, L"Panel");
    Rows.Add<TsPanel>(100, 0, L"Lowered")->SetBevelOuter(vcl::TBevelCut::bvLowered);
    auto* host = Rows.Add<TsPanel>(140, 0);
    Rows.Place<TsDragBar>(host, 0, 0, 140, 20, L"Drag bar");
    Rows.Place<TsGrip>(host, host->Width() - 21, host->Height() - 21, 20, 20);  // inside the border
    auto* colours = Rows.Add<TsColorsPanel>(140, 60);
    int line = 0;
    for (const wchar_t* colour :
         {L"D64541", L"F2A33A", L"F4D03F", L"58B368", L"2F6FDE", L"1F2328", L"7F8C8D", L"BDC3C7", L"8E44AD", L"FFFFFF"})
        colours->Colors()->SetStrings(line++, colour);
    colours->GenerateColors();
    colours->SetItemIndex(4);
    auto* scroll = Rows.Add<TsScrollBox>(150, 0);
    Rows.Place<TsPanel>(scroll, 8, 8, 90, 40, L"Inside");
    Rows.Place<TsPanel>(scroll, 8, 160, 180, 40, L"Further down");
    AddSplitter(Rows, Rows.Add<TsPanel>(150, 0), true, false);
    AddSplitter(Rows, Rows.Add<TsPanel>(150, 0), false, true);
}

void AddBevels(TRows& Rows)
{
    Rows.Row(40);
    const auto bevel = [&](vcl::TBevelShape Shape, vcl::TBevelStyle Style) {
        auto* b = Rows.Add<TsBevel>(80, 0);
        b->SetShape(Shape);
        b->SetStyle(Style);
    };
    bevel(vcl::TBevelShape::bsBox, vcl::TBevelStyle::bsLowered);
    bevel(vcl::TBevelShape::bsBox, vcl::TBevelStyle::bsRaised);
    bevel(vcl::TBevelShape::bsFrame, vcl::TBevelStyle::bsLowered);
    bevel(vcl::TBevelShape::bsTopLine, vcl::TBevelStyle::bsLowered);
    bevel(vcl::TBevelShape::bsLeftLine, vcl::TBevelStyle::bsLowered);
}

}  // namespace

TGallery BuildGallery(vcl::TForm* Form)
{
    TGallery gallery;
    gallery.Form = Form;
    if (DefaultManager)
        Form->SetColor(DefaultManager->GetGlobalColor());
    TRows rows(gallery);
    AddButtons(rows);
    AddCheckControls<TsCheckBox>(rows, gallery);
    AddCheckControls<TsRadioButton>(rows, gallery);
    AddGroups(rows);
    AddBars(rows, gallery);
    AddTrackBars(rows);
    AddPanels(rows);
    AddBevels(rows);
    auto* status = rows.Place<TsStatusBar>(Form, 0, 0, 100, 22);
    status->SetAlign(TAlign::alBottom);
    for (const wchar_t* text : {L"Ready", L"COM3", L"9600 baud"})
        status->Panels()->Add()->SetText(text);
    status->Panels()->Items(0)->SetWidth(200);
    status->Panels()->Items(1)->SetWidth(120);
    Form->SetClientWidth(rows.Right() - Gap + Margin);
    Form->SetClientHeight(rows.Bottom() + Margin + status->Height());
    return gallery;
}

void ShowGallery(const TGallery& Gallery)
{
    Gallery.Form->Show();
    for (vcl::TWinControl* control : Gallery.Pressed)
        SendMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    if (Gallery.Focused)
        Gallery.Focused->SetFocus();
    RedrawWindow(Gallery.Form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace gallery
