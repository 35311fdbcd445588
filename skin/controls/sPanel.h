#pragma once
// The skinned panel: a panel painted from its skin section ("PANEL" by default) instead of the
// system look. A section that needs no cache is painted straight into the DC while the panel is
// neither focused nor hot; any other is rendered into the panel's cache, which the panel copies
// and lends to its children as their background. The section follows the outer bevel while it
// still is the one of the old bevel.
#include "skin/controls/sSkinnedControl.h"
#include <vector>

#include "vcl/extctrls.h"

namespace skin {

// Called after a control painted itself, with the canvas it painted on.
using TPaintEvent = vcl::TDelegate<void(vcl::TObject* Sender, vcl::TCanvas* Canvas)>;

class TsPanel : public TsSkinnedControl<vcl::TPanel> {
    CL_CLASS(TsPanel, TsSkinnedControl<vcl::TPanel>)
    CL_PUBLISHED
public:
    explicit TsPanel(vcl::TComponent* AOwner);
    void Loaded() override;

    TPaintEvent OnPaint() const { return FOnPaint; }
    void SetOnPaint(TPaintEvent Value) { FOnPaint = Value; }

    // Writes the caption into R in the section's font colours (the skin's disabled look while the
    // panel is disabled) on Canvas, or on a canvas bound to DC when there is none; nothing while
    // ShowCaption is off. Centred vertically, the caption is measured with word breaks and its top
    // put half the spare height below the border width, not below R's top; otherwise it is one line
    // at R's top or, aligned to the bottom, at R's bottom.
    virtual void WriteText(vcl::TRect R, vcl::TCanvas* Canvas, HDC DC);

protected:
    void PaintWindow(HDC DC) override;
    void Paint() override;

    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    void QueryBackground(TacBGInfo& BGInfo) override;
    void SkinRemoved() override { Invalidate(); }
    void UnskinnedMessage(vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    void PrepareCache() override;
    void PaintDirect(HDC DC) override;

private:
    void WMPaint(vcl::TMessage& Message);
    void WMEraseBkgnd(vcl::TMessage& Message);
    void WMPrint(vcl::TMessage& Message);
    // scmdQueryChanging: updating, or the cache not yet at the panel's size.
    LRESULT QueryChanging() const;
    // The section follows a change of the outer bevel while it is the old bevel's.
    void FollowBevel();
    // Both bevels and the border width: how far the client area lies inside the frame.
    int FrameWidth() const;
    // The fill and border of the direct path.
    void PaintDirectBackground(HDC DC);
    // The caption's rectangle: the client area inside the bevels and the border width.
    vcl::TRect CaptionRect();
    // The caption, then OnPaint, on a canvas bound to DC.
    void PaintContentOn(HDC DC);

    vcl::TBevelCut FOldBevel = vcl::TBevelCut::bvRaised;
    TPaintEvent FOnPaint;
    // The erase that BeginPaint sends is under way, and it painted the panel on the direct path:
    // the same DC with the same clip, so WM_PAINT has nothing left to paint.
    bool FInBeginPaint = false;
    bool FPaintedOnErase = false;
};

}  // namespace skin

namespace skin {

// A panel with nothing added: a class of its own for containers.
class TsContainer : public TsPanel {
    CL_CLASS(TsContainer, TsPanel)
public:
    using TsPanel::TsPanel;
};

// One cell of a colours panel.
struct TsColInfo {
    int Index = 0;
    vcl::TColor Color = vcl::clWhite;
    vcl::TRect R;  // in panel coordinates
    bool Selected = false;
};

// The colour a line of a colours panel names: its first word in hexadecimal RRGGBB, an "H" after
// it allowed; any other character makes it black.
vcl::TColor ColorOfLine(const vcl::String& Line);
// ColCount x RowCount cells row by row, ItemMargin apart and from the edges; missing lines of
// Colors are appended as "FFFFFF".
std::vector<TsColInfo> GenerateCells(vcl::TStrings* Colors, int ColCount, int RowCount, int ItemWidth,
                                     int ItemHeight, int ItemMargin, int ItemIndex);
// The first cell whose rectangle inflated by Margin holds P; -1 for none.
int CellAt(const std::vector<TsColInfo>& Cells, int Margin, const vcl::TPoint& P);

// A grid of colour cells with a selection, painted over the panel's section.
class TsColorsPanel : public TsPanel {
    CL_CLASS(TsColorsPanel, TsPanel)
    CL_PUBLISHED
public:
    explicit TsColorsPanel(vcl::TComponent* AOwner);
    void AfterConstruction() override;
    void Loaded() override;
    void WndProc(vcl::TMessage& Message) override;

    vcl::TStrings* Colors() const { return FColors.get(); }
    void SetColors(vcl::TStrings* Value);
    int ItemIndex() const { return FItemIndex; }
    // -1, or a cell; any index outside the cells means no selection.
    void SetItemIndex(int Index);
    int ItemWidth() const { return FItemWidth; }
    void SetItemWidth(int Value) { SetGeometry(FItemWidth, Value); }
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value) { SetGeometry(FItemHeight, Value); }
    int ItemMargin() const { return FItemMargin; }
    void SetItemMargin(int Value) { SetGeometry(FItemMargin, Value); }
    int ColCount() const { return FColCount; }
    void SetColCount(int Value) { SetGeometry(FColCount, Value); }
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value) { SetGeometry(FRowCount, Value); }
    vcl::TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(vcl::TNotifyEvent Value) { FOnChange = Value; }

    // Rebuilds the cells from Colors and the geometry.
    void GenerateColors();
    const std::vector<TsColInfo>& ColorsArray() const { return FCells; }
    // The selected cell's colour; white without a selection.
    vcl::TColor ColorValue() const;
    int Count() const { return FColors->Count(); }
    int GetItemByCoord(const vcl::TPoint& P) const { return CellAt(FCells, FItemMargin, P); }
    // Every cell filled with its colour.
    void PaintColors(HDC DC) const;

protected:
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    // Without a skin the plain panel, then the cells and the selection unless OnPaint paints them.
    void Paint() override;
    bool CachedPath() const override { return true; }
    void PrepareCache() override;

private:
    void SetGeometry(int& Field, int Value);
    // The white and black frames around the selected cell, and the focus frame when focused.
    void PaintSelection(HDC DC) const;

    vcl::TObjectPtr<vcl::TStringList> FColors;
    int FItemIndex = -1;
    int FItemWidth = 21;
    int FItemHeight = 21;
    int FItemMargin = 6;
    int FColCount = 5;
    int FRowCount = 2;
    vcl::TNotifyEvent FOnChange;
    int OldSelected = -1;
    std::vector<TsColInfo> FCells;
};

// A colours panel with nothing added.
class TsStdColorsPanel : public TsColorsPanel {
    CL_CLASS(TsStdColorsPanel, TsColorsPanel)
public:
    using TsColorsPanel::TsColorsPanel;
};

}  // namespace skin

namespace skin {

// A caption bar that moves another control (normally its form) while the left button drags it.
class TsDragBar : public TsPanel {
    CL_CLASS(TsDragBar, TsPanel)
    CL_PUBLISHED
public:
    explicit TsDragBar(vcl::TComponent* AOwner);
    ~TsDragBar() override;
    // A bar read from a form that names no control to drag drags its form.
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

    vcl::TControl* DraggedControl() const { return FDraggedControl; }
    void SetDraggedControl(vcl::TControl* Value);
    // The caption's colour while the application is active, and while it is not: dimmed toward
    // the bar so that it stays readable.
    static vcl::TColor CaptionColour(bool AppActive);

protected:
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;

private:
    // The application's activation reaches the application's window, never a control's: the bar
    // hooks that window and follows its activate and deactivate events.
    bool FollowActivation(vcl::TMessage& Message);

    vcl::TControl* FDraggedControl = nullptr;
};

// A 20 x 20 square showing the bottom-right corner of another control's background. While it is
// not Transparent or has no LinkedControl it shows its section, or without a skin its own colour.
class TsGrip : public TsPanel {
    CL_CLASS(TsGrip, TsPanel)
public:
    explicit TsGrip(vcl::TComponent* AOwner);

    bool Transparent = false;
    vcl::TWinControl* LinkedControl = nullptr;

protected:
    void Paint() override;
    // The linked control's background may have changed since the last paint: rendered every time.
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void PrepareCache() override;
    void PaintDirect(HDC DC) override;

private:
    // The corner of the linked control's background onto DC; false when the grip shows no corner.
    bool PaintLinkedCorner(HDC DC);
};

}  // namespace skin
