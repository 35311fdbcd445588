#include "tools/gallery/Gallery.h"

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "skin/controls/acProgressBar.h"
#include "skin/controls/sBevel.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sMemo.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sScrollBox.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sSplitter.h"
#include "skin/controls/sStatusBar.h"
#include "skin/controls/sTrackBar.h"
#include "skin/graphics/BitmapView.h"

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
        Keep(control);
        return control;
    }
    // A control placed by its maker, listed with the others.
    void Keep(vcl::TControl* Control) { FGallery.Controls.push_back(Control); }
    // Moves the last control Width to the right, the row going on after it: room on its left for
    // what it places there itself.
    void MakeRoom(vcl::TControl* Control, int Width)
    {
        Control->SetLeft(Control->Left() + Width);
        FLeft += Width;
        FRight = std::max(FRight, FLeft);
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
    // The next place of the row, Width wide and the row's height, for a window placed by its maker.
    vcl::TRect Next(int Width)
    {
        const vcl::TRect place(FLeft, FTop, FLeft + Width, FBottom);
        FLeft += Width + Gap;
        FRight = std::max(FRight, FLeft);
        return place;
    }
    int Right() const { return FRight; }
    int Bottom() const { return FBottom; }

private:
    TGallery& FGallery;
    int FTop = 0, FBottom = 0, FLeft = Margin, FRight = 0;
};

void Hot(TsCommonData* Data) { Data->FMouseAbove = true; }

// The states every push button shows: normal, hot, pressed, default and disabled.
template<class T>
std::vector<T*> AddPushButtons(TRows& Rows, int Width)
{
    std::vector<T*> buttons{Rows.template Add<T>(Width, 0, L"Normal")};
    Hot(buttons.emplace_back(Rows.template Add<T>(Width, 0, L"Hot"))->SkinData());
    buttons.emplace_back(Rows.template Add<T>(Width, 0, L"Pressed"))->SetDown(true);
    buttons.emplace_back(Rows.template Add<T>(Width, 0, L"Default"))->SetDefault(true);
    buttons.emplace_back(Rows.template Add<T>(Width, 0, L"Disabled"))->SetEnabled(false);
    return buttons;
}

void AddButtons(TRows& Rows)
{
    Rows.Row(26);
    AddPushButtons<TsButton>(Rows, 86);
    Rows.Add<TsSpeedButton>(86, 0, L"Speed");
    Hot(Rows.Add<TsSpeedButton>(86, 0, L"Hot")->SkinData());
    auto* down = Rows.Add<TsSpeedButton>(86, 0, L"Down");
    down->SetGroupIndex(1);
    down->SetAllowAllUp(true);
    down->SetDown(true);
    Rows.Add<TsSpeedButton>(86, 0, L"Disabled")->SetEnabled(false);
    Rows.Add<TsTimerSpeedButton>(22, 0, L"+");  // as wide as it is tall less 4
}

// A 16 x 16 green disc on transparent pixels, the bitmap buttons' glyph.
std::unique_ptr<vcl::TBitmap> DiscGlyph()
{
    auto glyph = std::unique_ptr<vcl::TBitmap>(vcl::Create<vcl::TBitmap>());
    glyph->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    glyph->SetSize(16, 16);
    const TPixelView pixels = PixelsOf(glyph.get());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.At(x, y) = (x - 7.5) * (x - 7.5) + (y - 7.5) * (y - 7.5) < 49 ? DiscColour : 0u;
    return glyph;
}

void AddBitmapButtons(TRows& Rows)
{
    Rows.Row(40);
    std::vector<TsBitBtn*> buttons = AddPushButtons<TsBitBtn>(Rows, 100);
    auto* top = Rows.Add<TsBitBtn>(100, 0, L"Glyph on top");
    top->SetLayout(vcl::TButtonLayout::blGlyphTop);
    top->SetMargin(2);
    auto* cut = Rows.Add<TsBitBtn>(115, 0, L"Apply the new threshold now");
    cut->SetWordWrap(false);
    buttons.insert(buttons.end(), {top, cut});
    const std::unique_ptr<vcl::TBitmap> glyph = DiscGlyph();
    for (TsBitBtn* b : buttons)
        b->SetGlyph(glyph.get());
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
}

// Labels on a panel of the "PANEL" section, as the program's forms hold them: plain, disabled,
// on a section of their own, a link and a link under the mouse, a shadowed caption; then a label
// glued to an edit and an edit's bound caption.
void AddLabels(TRows& Rows)
{
    Rows.Row(36);
    auto* host = Rows.Add<TsPanel>(640, 0);
    host->SkinData()->SetSkinSection(L"PANEL");
    int left = 10;
    const auto label = [&](auto* Label, const wchar_t* Caption) {
        Label->SetCaption(Caption);
        Label->SetParent(host);
        Label->SetBounds(left, (host->Height() - Label->Height()) / 2, Label->Width(), Label->Height());
        Rows.Keep(Label);
        left += Label->Width() + 16;
        return Label;
    };
    label(vcl::Create<TsLabel>(host), L"Label");
    label(vcl::Create<TsLabel>(host), L"Disabled label")->SetEnabled(false);
    label(vcl::Create<TsLabel>(host), L" On its own section ")->SetSkinSection(L"SELECTION");
    label(vcl::Create<TsWebLabel>(host), L"A link");
    label(vcl::Create<TsWebLabel>(host), L"A link, hot")->Perform(vcl::CM_MOUSEENTER, 0, 0);
    auto* shadowed = label(vcl::Create<TsLabelFX>(host), L"Shadowed caption");
    shadowed->Shadow()->SetMode(TsShadowMode::smCustom);
    shadowed->Kind()->SetKindType(TsKindType::ktCustom);
    shadowed->Kind()->SetColor(vcl::TColor(0x804020));
    shadowed->Font()->SetHeight(-18);
    shadowed->SetTop((host->Height() - shadowed->Height()) / 2);

    // The labels that go with an edit: one glued to its left, and the edit's own bound caption.
    const auto field = [&](const wchar_t* Text) {
        auto* edit = Rows.Add<TsEdit>(110, 24, Text);
        edit->SetTop(edit->Top() + (host->Height() - edit->Height()) / 2);
        return edit;
    };
    auto* glued = Rows.Add<TsStickyLabel>(0, 0, L"Glued");
    glued->SetAttachTo(field(L"Beside a label"));
    auto* bound = field(L"With its caption");
    TsBoundLabel* caption = bound->BoundLabel();
    caption->SetCaption(L"Bound");
    caption->SetIndent(4);
    caption->SetActive(true);
    Rows.Keep(caption->TheLabel());
    Rows.MakeRoom(bound, bound->Left() - caption->TheLabel()->Left());
}

// Edits in their states and a masked edit.
void AddEdits(TRows& Rows, TGallery& Gallery)
{
    Rows.Row(24);
    const auto edit = [&](const wchar_t* Text) { return Rows.Add<TsEdit>(96, 0, Text); };
    edit(L"Normal");
    Hot(edit(L"Hot")->SkinData());
    Gallery.Focused = edit(L"Focused");
    edit(L"Disabled")->SetEnabled(false);
    edit(L"Read-only")->SetReadOnly(true);
    edit(L"secret")->SetPasswordChar(L'*');
    edit(L"")->SetTextHint(L"A hint");
    // A value field: the program's band colour over the skin.
    auto* band = edit(L"9.3");
    band->SetAlignment(vcl::TAlignment::taCenter);
    band->SkinData()->SetCustomColor(true);
    band->SetColor(BandColour);
    auto* masked = Rows.Add<TsMaskEdit>(60, 0);
    masked->SetEditMask(L"99:99");
    masked->SetText(L"1234");
}

// Combo boxes in their states, a value list in the program's large font and grey, and memos.
void AddCombosAndMemos(TRows& Rows)
{
    Rows.Row(60);
    const auto combo = [&](const wchar_t* Text, int Width = 110) {
        auto* c = Rows.Add<TsComboBox>(Width, 24);
        for (const wchar_t* item : {L"Normal", L"Hot", L"Disabled", L"Read-only", L"Drop-down list"})
            c->Items()->Add(item);
        c->SetText(Text);
        return c;
    };
    combo(L"Normal");
    Hot(combo(L"Hot")->SkinData());
    combo(L"Disabled")->SetEnabled(false);
    combo(L"Read-only")->SetReadOnly(true);
    auto* list = combo(L"", 130);
    list->SetStyle(vcl::TComboBoxStyle::csDropDownList);
    list->SetItemIndex(4);
    auto* value = Rows.Add<TsComboBox>(75, 42);
    value->Font()->SetName(L"Tahoma");
    value->Font()->SetHeight(34);
    value->Items()->Add(L"15");
    value->SetItemIndex(0);
    value->SkinData()->SetCustomColor(true);
    value->SetColor(FieldGrey);
    Rows.Add<TsMemo>(150, 0, L"A memo\r\nof two lines");
    Rows.Add<TsMemo>(150, 0, L"A disabled memo")->SetEnabled(false);
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

// A colours panel on the colour dialog's section, the cell Selected chosen (none for -1).
template<class T>
void AddColoursPanel(TRows& Rows, int Selected)
{
    auto* colours = Rows.Add<T>(140, 60);
    colours->SkinData()->SetSkinSection(L"CHECKBOX");
    int line = 0;
    for (const wchar_t* colour :
         {L"D64541", L"F2A33A", L"F4D03F", L"58B368", L"2F6FDE", L"1F2328", L"7F8C8D", L"BDC3C7", L"8E44AD", L"FFFFFF"})
        colours->Colors()->SetStrings(line++, colour);
    colours->GenerateColors();
    colours->SetItemIndex(Selected);
}

void AddPanels(TRows& Rows, TGallery& Gallery)
{
    Rows.Row(100);
    Rows.Add<TsPanel>(100, 0, L"Panel");
    Rows.Add<TsPanel>(100, 0, L"Lowered")->SetBevelOuter(vcl::TBevelCut::bvLowered);
    auto* host = Rows.Add<TsPanel>(140, 0);
    auto* bar = Rows.Place<TsDragBar>(host, 0, 0, 140, 20, L"Drag bar");
    // The grip shows the drag bar's corner in the panel's, inside its border.
    Gallery.Grip = Rows.Place<TsGrip>(host, host->Width() - 21, host->Height() - 21, 20, 20);
    Gallery.Grip->Transparent = true;
    Gallery.Grip->LinkedControl = bar;
    AddColoursPanel<TsColorsPanel>(Rows, 4);
    AddColoursPanel<TsStdColorsPanel>(Rows, -1);
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

// A plain window of a class of ours: nothing but a white client area under its scroll bars.
const wchar_t* PlainWindowClass()
{
    static const wchar_t* const name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZirvGalleryPlain";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

void SetScroll(HWND Window, int Bar, int Max, UINT Page, int Pos)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = Max;
    info.nPage = Page;
    info.nPos = Pos;
    SetScrollInfo(Window, Bar, &info, FALSE);
}

// Native windows as a skinned form's standard controls and a system dialog's controls come: a
// plain window with both bars scrolled part way, a multi-line EDIT and a LISTBOX, each with its
// scroll bars skinned by a wrapper.
void AddWrappedWindows(TRows& Rows, TGallery& Gallery)
{
    Rows.Row(110);
    const HWND parent = Gallery.Form->Handle();
    const auto create = [&](const wchar_t* Class, DWORD Style, int Width, const wchar_t* Text) {
        const vcl::TRect r = Rows.Next(Width);
        const HWND window = CreateWindowExW(0, Class, Text, WS_CHILD | WS_VISIBLE | WS_BORDER | Style, r.left, r.top,
                                            r.Width(), r.Height(), parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Gallery.Form->Font()->Handle()), FALSE);
        Gallery.Wrapped.push_back(window);
        return window;
    };
    const HWND plain = create(PlainWindowClass(), WS_HSCROLL | WS_VSCROLL, 150, L"");
    SetScroll(plain, SB_HORZ, 99, 25, 30);
    SetScroll(plain, SB_VERT, 99, 40, 0);
    std::wstring lines;
    for (int i = 1; i <= 12; ++i)
        lines += L"Line " + std::to_wstring(i) + L" of a text wider than its window\r\n";
    create(L"EDIT", ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL, 170, lines.c_str());
    const HWND list = create(L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 130, L"");
    for (const wchar_t* item : {L"COM1", L"COM2", L"COM3", L"COM4", L"COM5", L"COM6", L"COM7", L"COM8", L"COM9"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    for (const HWND window : Gallery.Wrapped)
        Gallery.Wrappers.push_back(NewWrapper<TacScrollWnd>(window, nullptr, DefaultManager, L"EDIT", true));
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
    AddBitmapButtons(rows);
    AddCheckControls<TsCheckBox>(rows, gallery);
    AddCheckControls<TsRadioButton>(rows, gallery);
    AddLabels(rows);
    AddEdits(rows, gallery);
    AddCombosAndMemos(rows);
    AddGroups(rows);
    AddBars(rows, gallery);
    AddTrackBars(rows);
    AddPanels(rows, gallery);
    AddBevels(rows);
    AddWrappedWindows(rows, gallery);
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
