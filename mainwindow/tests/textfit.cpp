#include "textfit.h"

#include "skin/graphics/DibSection.h"
#include "vcl/comctrls.h"
#include "vcl/stdctrls.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace textfit {

namespace {

// What a push button's face keeps clear of its caption on each side: the frame and the focus mark.
constexpr int ButtonMargin = 3;
// A glyph may paint one column past the side of its cell (a slanted or round letter): the label's
// own measure leaves it out, and a column of it cut is not seen.
constexpr int GlyphOverhang = 1;
// What a status bar panel keeps clear of its text on each side.
constexpr int PanelMargin = 2;

std::string Name(const vcl::TControl* control)
{
    std::string name;
    for (wchar_t unit : control->Name())
        name += unit < 0x80 ? static_cast<char>(unit) : '?';
    return name;
}

std::string Describe(const RECT& r)
{
    std::ostringstream text;
    text << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return text.str();
}

// The size the text takes in the font; width bounds the lines of wrapped text.
SIZE Measure(vcl::TFont* font, const vcl::String& text, UINT flags, int width)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font->Handle());
    RECT rect{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

RECT Offset(RECT r, int dx, int dy)
{
    OffsetRect(&r, dx, dy);
    return r;
}

UINT LabelFlags(vcl::TCustomLabel* label)
{
    return DT_EXPANDTABS | (label->WordWrap() ? DT_WORDBREAK : 0) | (label->ShowAccelChar() ? 0 : DT_NOPREFIX);
}

// The box of the pixels a label's text paints, in the label's coordinates: drawn as the label
// draws it, black on white into a bitmap with room to spare on every side.
std::optional<RECT> LabelTextRect(vcl::TCustomLabel* label)
{
    const vcl::String text = label->Caption();
    if (text.empty())
        return std::nullopt;
    const UINT flags = LabelFlags(label);
    const SIZE cell = Measure(label->Font(), text, flags, label->Width());
    const int margin = cell.cx + 8;
    skin::TDibSection canvas(label->Width() + 2 * margin, cell.cy + 8);
    HDC dc = canvas.DC();
    HGDIOBJ oldFont = SelectObject(dc, label->Font()->Handle());
    const RECT all{0, 0, canvas.Width(), canvas.Height()};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT place{margin, 0, margin + label->Width(), canvas.Height()};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
              flags | vcl::AlignmentDrawFlags(label->Alignment()) | DT_NOCLIP);
    SelectObject(dc, oldFont);
    const skin::TPixelView pixels = canvas.View();
    RECT ink{pixels.Width, pixels.Height, -1, -1};
    for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x)
            if ((pixels.At(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                           std::max<LONG>(ink.bottom, y + 1)};
            }
    if (ink.right < 0)
        return std::nullopt;  // blanks only
    int y = 0;
    if (label->Layout() == vcl::TTextLayout::tlCenter)
        y = (label->Height() - cell.cy) / 2;
    else if (label->Layout() == vcl::TTextLayout::tlBottom)
        y = label->Height() - cell.cy;
    return Offset(ink, -margin, y);
}

std::optional<RECT> ButtonTextRect(vcl::TButton* button)
{
    const vcl::String text = button->Caption();
    if (text.empty())
        return std::nullopt;
    const SIZE size = Measure(button->Font(), text, DT_SINGLELINE, 0);
    const int x = (button->Width() - size.cx) / 2;
    const int y = (button->Height() - size.cy) / 2;
    return RECT{x, y, x + size.cx, y + size.cy};
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left + GlyphOverhang >= outer.left && inner.top >= outer.top &&
           inner.right - GlyphOverhang <= outer.right && inner.bottom <= outer.bottom;
}

RECT ClientArea(vcl::TWinControl* control)
{
    return RECT{0, 0, control->ClientWidth(), control->ClientHeight()};
}

// The control's own client area, where its text may go.
RECT OwnArea(vcl::TControl* control)
{
    if (dynamic_cast<vcl::TButton*>(control))
        return RECT{ButtonMargin, 0, control->Width() - ButtonMargin, control->Height()};
    return RECT{0, 0, control->Width(), control->Height()};
}

void CheckPanels(vcl::TStatusBar* bar, std::vector<std::string>& faults)
{
    vcl::TStatusPanels* panels = bar->Panels();
    int left = 0;
    for (int i = 0; i < panels->Count(); ++i) {
        vcl::TStatusPanel* panel = panels->Items(i);
        // The last panel reaches to the right edge of the bar.
        const int width = i + 1 == panels->Count() ? bar->ClientWidth() - left : panel->Width();
        const SIZE size = Measure(bar->Font(), panel->Text(), DT_SINGLELINE, 0);
        if (!panel->Text().empty() && size.cx > width - 2 * PanelMargin)
            faults.push_back(Name(bar) + " panel " + std::to_string(i) + ": text " + std::to_string(size.cx) +
                             " wide in a panel " + std::to_string(width) + " wide");
        left += panel->Width();
    }
}

}  // namespace

SIZE LabelTextSize(vcl::TCustomLabel* label)
{
    const vcl::String text = label->Caption();
    return Measure(label->Font(), text.empty() ? vcl::String(L" ") : text, LabelFlags(label), label->Width());
}

std::optional<RECT> TextRect(vcl::TControl* control)
{
    if (auto* label = dynamic_cast<vcl::TCustomLabel*>(control))
        return LabelTextRect(label);
    if (auto* button = dynamic_cast<vcl::TButton*>(control))
        return ButtonTextRect(button);
    return std::nullopt;
}

bool OnShow(const vcl::TControl* control)
{
    for (const vcl::TControl* c = control; c; c = c->Parent())
        if (!c->Visible())
            return false;
    return true;
}

std::vector<vcl::TControl*> ControlsOnShow(vcl::TWinControl* root)
{
    std::vector<vcl::TControl*> found;
    if (!root->Visible())
        return found;
    found.push_back(root);
    for (int i = 0; i < root->ControlCount(); ++i) {
        vcl::TControl* child = root->Controls(i);
        if (auto* parent = dynamic_cast<vcl::TWinControl*>(child)) {
            const auto inner = ControlsOnShow(parent);
            found.insert(found.end(), inner.begin(), inner.end());
        } else if (child->Visible()) {
            found.push_back(child);
        }
    }
    return found;
}

std::vector<std::string> CutTexts(vcl::TWinControl* root)
{
    std::vector<std::string> faults;
    for (vcl::TControl* control : ControlsOnShow(root)) {
        if (auto* bar = dynamic_cast<vcl::TStatusBar*>(control))
            CheckPanels(bar, faults);
        const std::optional<RECT> text = TextRect(control);
        if (!text)
            continue;
        if (!Inside(*text, OwnArea(control))) {
            faults.push_back(Name(control) + ": text " + Describe(*text) + " outside its own " +
                             std::to_string(control->Width()) + "x" + std::to_string(control->Height()));
            continue;
        }
        // Up through the parents: in each one's coordinates, within its client area.
        RECT within = *text;
        for (vcl::TControl* c = control; c->Parent(); c = c->Parent()) {
            within = Offset(within, c->Left(), c->Top());
            if (!Inside(within, ClientArea(c->Parent()))) {
                faults.push_back(Name(control) + ": text " + Describe(within) + " beyond the edge of " +
                                 Name(c->Parent()) + " " + std::to_string(c->Parent()->ClientWidth()) + "x" +
                                 std::to_string(c->Parent()->ClientHeight()));
                break;
            }
        }
    }
    return faults;
}

std::vector<std::string> BlankTexts(vcl::TWinControl* root, const std::set<std::wstring>& allowed)
{
    std::vector<std::string> blank;
    if (root->Caption().empty())
        blank.push_back(Name(root) + " (its title)");
    for (vcl::TControl* control : ControlsOnShow(root)) {
        const bool captioned = dynamic_cast<vcl::TCustomLabel*>(control) || dynamic_cast<vcl::TButton*>(control);
        const bool valued = dynamic_cast<vcl::TCustomEdit*>(control) || dynamic_cast<vcl::TCustomComboBox*>(control);
        const bool empty = (captioned && control->Caption().empty()) || (valued && control->Text().empty());
        if (empty && !allowed.contains(control->Name()))
            blank.push_back(Name(control));
    }
    return blank;
}

std::vector<std::string> UnpaintedTexts(const testsupport::TGrab& grab, vcl::TForm* form)
{
    std::vector<std::string> unpainted;
    for (vcl::TControl* control : ControlsOnShow(form)) {
        if (!dynamic_cast<vcl::TCustomLabel*>(control))
            continue;
        const std::optional<RECT> text = TextRect(control);
        if (!text)
            continue;
        // In the form's client coordinates, cut to what every parent lets be seen.
        RECT seen = *text;
        for (vcl::TControl* c = control; c->Parent(); c = c->Parent()) {
            seen = Offset(seen, c->Left(), c->Top());
            const RECT parent = ClientArea(c->Parent());
            IntersectRect(&seen, &seen, &parent);
        }
        if (IsRectEmpty(&seen))
            continue;
        // A label that a window laid over it hides (the flag panel over the monitoring view)
        // shows nothing of its own.
        POINT middle{(seen.left + seen.right) / 2, (seen.top + seen.bottom) / 2};
        ClientToScreen(form->Handle(), &middle);
        if (WindowFromPoint(middle) != control->Parent()->Handle())
            continue;
        std::map<COLORREF, int> colours;
        for (int y = seen.top; y < seen.bottom; ++y)
            for (int x = seen.left; x < seen.right; ++x)
                ++colours[grab.ClientPixel(x, y)];
        if (colours.size() < 2)
            unpainted.push_back(Name(control) + " at " + Describe(seen));
    }
    return unpainted;
}

}  // namespace textfit
