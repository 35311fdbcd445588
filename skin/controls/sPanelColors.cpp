// The colours panel of the panel unit: its cells, their hit areas, the selection and painting.
#include <cwctype>

#include "skin/controls/sPanel.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TRect;

vcl::TColor ColorOfLine(const vcl::String& Line)
{
    vcl::String word = Line.substr(0, Line.find_first_of(L" \r\n"));
    for (wchar_t& ch : word)
        ch = wchar_t(std::towupper(ch));
    if (!word.empty() && word.back() == L'H')
        word.pop_back();
    uint32_t rgb = 0;
    for (const wchar_t ch : word) {
        if (!std::iswxdigit(ch))
            return SwapColor(vcl::TColor(0));
        rgb = rgb << 4 | uint32_t(ch <= L'9' ? ch - L'0' : ch - L'A' + 10);
    }
    return SwapColor(vcl::TColor(rgb));
}

std::vector<TsColInfo> GenerateCells(vcl::TStrings* Colors, int ColCount, int RowCount, int ItemWidth,
                                     int ItemHeight, int ItemMargin, int ItemIndex)
{
    std::vector<TsColInfo> cells;
    for (int r = 0; r < RowCount; ++r)
        for (int c = 0; c < ColCount; ++c) {
            TsColInfo cell;
            cell.Index = int(cells.size());
            if (cell.Index < Colors->Count())
                cell.Color = ColorOfLine(Colors->Strings(cell.Index));
            else
                Colors->Add(L"FFFFFF");
            cell.Selected = cell.Index == ItemIndex;
            cell.R.left = ItemMargin + c * (ItemWidth + ItemMargin);
            cell.R.top = ItemMargin + r * (ItemHeight + ItemMargin);
            cell.R.right = cell.R.left + ItemWidth;
            cell.R.bottom = cell.R.top + ItemHeight;
            cells.push_back(cell);
        }
    return cells;
}

int CellAt(const std::vector<TsColInfo>& Cells, int Margin, const vcl::TPoint& P)
{
    for (const TsColInfo& cell : Cells) {
        const TRect area = cell.R.Inflated(Margin, Margin);
        if (P.x >= area.left && P.x < area.right && P.y >= area.top && P.y < area.bottom)
            return cell.Index;
    }
    return -1;
}

TsColorsPanel::TsColorsPanel(vcl::TComponent* AOwner) : TsPanel(AOwner), FColors(vcl::Create<vcl::TStringList>())
{
    SetCaption(L" ");
    SetBounds(Left(), Top(), 140, 60);
}

void TsColorsPanel::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"ItemIndex", &TsColorsPanel::ItemIndex, &TsColorsPanel::SetItemIndex);
    Table.Add(L"ItemWidth", &TsColorsPanel::ItemWidth, &TsColorsPanel::SetItemWidth);
    Table.Add(L"ItemHeight", &TsColorsPanel::ItemHeight, &TsColorsPanel::SetItemHeight);
    Table.Add(L"ItemMargin", &TsColorsPanel::ItemMargin, &TsColorsPanel::SetItemMargin);
    Table.Add(L"ColCount", &TsColorsPanel::ColCount, &TsColorsPanel::SetColCount);
    Table.Add(L"RowCount", &TsColorsPanel::RowCount, &TsColorsPanel::SetRowCount);
    Table.Add(L"Colors", &TsColorsPanel::Colors, &TsColorsPanel::SetColors);
}

void TsColorsPanel::AfterConstruction()
{
    inherited::AfterConstruction();
    GenerateColors();
}

void TsColorsPanel::Loaded()
{
    inherited::Loaded();
    GenerateColors();
}

void TsColorsPanel::GenerateColors()
{
    FCells = GenerateCells(FColors.get(), FColCount, FRowCount, FItemWidth, FItemHeight, FItemMargin, FItemIndex);
}

void TsColorsPanel::SetColors(vcl::TStrings* Value)
{
    FColors->Assign(Value);
    GenerateColors();
    SkinData()->Invalidate();
}

void TsColorsPanel::SetGeometry(int& Field, int Value)
{
    if (Value == Field)
        return;
    Field = Value;
    GenerateColors();
    SkinData()->Invalidate();
}

vcl::TColor TsColorsPanel::ColorValue() const
{
    if (FItemIndex < 0 || FItemIndex >= int(FCells.size()))
        return vcl::clWhite;
    return FCells[size_t(FItemIndex)].Color;
}

void TsColorsPanel::SetItemIndex(int Index)
{
    const int cells = int(FCells.size());
    if (Index < -1 || Index >= cells)  // outside the cells: no selection
        Index = -1;
    if (FItemIndex >= Count() || FItemIndex >= cells)
        FItemIndex = -1;
    if (Index == FItemIndex)
        return;
    if (FItemIndex >= 0)
        FCells[size_t(FItemIndex)].Selected = false;
    OldSelected = FItemIndex;
    FItemIndex = Index;
    if (Index >= 0)
        FCells[size_t(Index)].Selected = true;
    if (FOnChange)
        FOnChange(this);
    SkinData()->BGChanged = true;
    Repaint();
}

void TsColorsPanel::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (CanFocus())
        SetFocus();
    SetItemIndex(GetItemByCoord(vcl::TPoint(X, Y)));
}

void TsColorsPanel::WndProc(vcl::TMessage& Message)
{
    inherited::WndProc(Message);
    if ((Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS) && FItemIndex >= 0) {
        SkinData()->BGChanged = true;
        Repaint();
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsColorsPanel::PaintColors(HDC DC) const
{
    for (const TsColInfo& cell : FCells)
        FillDC(DC, cell.R, cell.Color);
}

void TsColorsPanel::PaintSelection(HDC DC) const
{
    if (FItemIndex < 0 || FItemIndex >= int(FCells.size()))
        return;
    RECT r = FCells[size_t(FItemIndex)].R.Inflated(1, 1);
    FrameRect(DC, &r, HBRUSH(GetStockObject(WHITE_BRUSH)));
    InflateRect(&r, 1, 1);
    FrameRect(DC, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
    if (Focused()) {
        InflateRect(&r, 2, 2);
        DrawFocusRect(DC, &r);
    }
}

void TsColorsPanel::Paint()
{
    inherited::Paint();
    if (SkinData()->Skinned() || OnPaint())
        return;
    const HDC dc = Canvas()->Handle();
    PaintColors(dc);
    PaintSelection(dc);
}

// The section, then the cells and the selection, rendered on every paint.
void TsColorsPanel::PrepareCache()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    vcl::TBitmap* cache = data.FCacheBmp.get();
    PaintItem(data, GetParentCache(data), 0, TRect(0, 0, Width(), Height()), vcl::TPoint(Left(), Top()), cache, false);
    data.BGChanged = false;
    vcl::TCanvas* canvas = cache->Canvas();
    const TCanvasLock lock(canvas);
    if (const TPaintEvent event = OnPaint()) {
        event(this, canvas);
        return;
    }
    PaintColors(canvas->Handle());
    PaintSelection(canvas->Handle());
}

}  // namespace skin
