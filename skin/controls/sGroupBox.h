#pragma once
// The skinned group box: a frame painted from its section ("GROUPBOX") that starts halfway down a
// caption strip, the caption drawn over the parent's background or in a section of its own. The
// radio group owns a column layout of radio buttons built from a list of strings.
#include <vector>

#include "skin/controls/sRadioButton.h"
#include "skin/controls/sSkinnedControl.h"
#include "vcl/stdctrls_group.h"

namespace skin {

namespace sGroupBox {
// Where the caption of a group box lies along its top edge.
enum class TsCaptionLayout { clTopLeft, clTopCenter, clTopRight };
}  // namespace sGroupBox

// The four margins around a group box's caption; a change repaints the box.
class TsMargin : public vcl::TPersistent {
    CL_CLASS(TsMargin, vcl::TPersistent)
    CL_PUBLISHED
public:
    explicit TsMargin(vcl::TControl* Control) : FControl(Control) {}

    int Left() const { return FValues[0]; }
    int Top() const { return FValues[1]; }
    int Right() const { return FValues[2]; }
    int Bottom() const { return FValues[3]; }
    void SetLeft(int Value) { SetMargin(0, Value); }
    void SetTop(int Value) { SetMargin(1, Value); }
    void SetRight(int Value) { SetMargin(2, Value); }
    void SetBottom(int Value) { SetMargin(3, Value); }
    // Index 0 left, 1 top, 2 right, 3 bottom.
    int Value(int Index) const { return FValues[Index]; }
    void SetMargin(int Index, int Value);

private:
    vcl::TControl* FControl;
    int FValues[4] = {2, 0, 2, 0};
};

// The caption strip of a group box: Left and Right of the strip; free of windows.
struct TCaptionSpan {
    int Left, Right;
};
// Along a box Width wide: a caption TextWidth wide (CaptionWidth 0) or CaptionWidth wide, with the
// margins; a negative left becomes 0, the right is cut to Width, and a strip narrower than
// 2 x BevelWidth grows by BevelWidth on both sides.
TCaptionSpan CaptionSpan(sGroupBox::TsCaptionLayout Layout, bool RightToLeft, int Width, int TextWidth,
                         int CaptionWidth, int MarginLeft, int MarginRight, int BevelWidth);

class TsGroupBox : public TsSkinnedControl<vcl::TGroupBox> {
    CL_CLASS(TsGroupBox, TsSkinnedControl<vcl::TGroupBox>)
    CL_PUBLISHED
public:
    using TsCaptionLayout = sGroupBox::TsCaptionLayout;

    explicit TsGroupBox(vcl::TComponent* AOwner);

    TsCaptionLayout CaptionLayout() const { return FCaptionLayout; }
    void SetCaptionLayout(TsCaptionLayout Value);
    TsMargin* CaptionMargin() const { return FCaptionMargin.get(); }
    // Takes the four margins of Value.
    void SetCaptionMargin(TsMargin* Value)
    {
        for (int i = 0; i < 4; ++i)
            FCaptionMargin->SetMargin(i, Value->Value(i));
    }
    int CaptionYOffset() const { return FCaptionYOffset; }
    void SetCaptionYOffset(int Value) { SetAndInvalidate(FCaptionYOffset, Value); }
    // A section of its own under the caption; empty: the parent's background.
    const vcl::String& CaptionSkin() const { return FCaptionSkin; }
    void SetCaptionSkin(const vcl::String& Value);
    // 0: as wide as the text.
    int CaptionWidth() const { return FCaptionWidth; }
    void SetCaptionWidth(int Value) { SetAndInvalidate(FCaptionWidth, Value); }

    // The caption strip.
    vcl::TRect CaptionRect();
    // A line of text in the cache's font and 2 more, at least 6.
    int TextHeight();
    // The whole box onto DC, unless it is not to paint now.
    void PaintToDC(HDC DC);

protected:
    void AdjustClientRect(vcl::TRect& Rect) override;
    void Paint() override;
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    void SkinRemoved() override { Repaint(); }
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    void PrepareCache() override;
    void UnskinnedMessage(vcl::TMessage& Message) override;

private:
    void SetAndInvalidate(int& Field, int Value);
    void WriteText(const vcl::TRect& R, const TCacheInfo& Background);
    void WMPaint(HDC Given);
    vcl::TCanvas* CacheCanvas();

    TsCaptionLayout FCaptionLayout = TsCaptionLayout::clTopLeft;
    int FCaptionYOffset = 0;
    vcl::String FCaptionSkin;
    std::unique_ptr<TsMargin> FCaptionMargin;
    int FCaptionWidth = 0;
};

class TsGroupButton;

// Called before the radio group's index changes; Allow false keeps the old index.
using TacIndexChangingEvent = vcl::TDelegate<void(vcl::TObject* Sender, int NewIndex, bool& Allow)>;

// The rows, column width and places of a radio group's buttons; free of windows.
struct TRadioLayout {
    int Rows = 0, ColumnWidth = 0, RowHeight = 0, Top = 0;
    vcl::TPoint Place(int Index) const { return {(Index / Rows) * ColumnWidth + 8, (Index % Rows) * RowHeight + Top}; }
};
// n buttons in Columns columns in a box Width x Height whose font's line is LineHeight tall.
TRadioLayout RadioLayout(int Count, int Columns, int Width, int Height, int LineHeight);

class TsRadioGroup : public TsGroupBox {
    CL_CLASS(TsRadioGroup, TsGroupBox)
    CL_PUBLISHED
public:
    explicit TsRadioGroup(vcl::TComponent* AOwner);
    ~TsRadioGroup() override;
    void Loaded() override;
    void WndProc(vcl::TMessage& Message) override;
    // The buttons are not streamed.
    void GetChildren(vcl::TGetChildProc, vcl::TComponent*) override {}

    vcl::TStrings* Items() const { return FItems.get(); }
    void SetItems(vcl::TStrings* Value) { FItems->Assign(Value); }
    int ItemIndex() const { return FItemIndex; }
    // Clamped to -1 .. the last button; the old button is unchecked, the new one checked.
    void SetItemIndex(int Value);
    int Columns() const { return FColumns; }
    // Clamped to 1 .. 16.
    void SetColumns(int Value);
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value) { FShowFocus = Value; }
    TacIndexChangingEvent OnChanging() const { return FOnChanging; }
    void SetOnChanging(TacIndexChangingEvent Value) { FOnChanging = Value; }

    int ButtonCount() const { return int(FButtons.size()); }
    TsGroupButton* Buttons(int Index) const { return FButtons[size_t(Index)]; }
    // Whether the index may become the checked one: OnChanging decides.
    virtual bool CanModify(int NewIndex);

protected:
    void ArrangeButtons();

private:
    friend class TsGroupButton;

    void ButtonClick(vcl::TObject* Sender);
    void ItemsChange(vcl::TObject* Sender);
    void SetButtonCount(int Count);
    void UpdateButtons();
    bool Suspended() const;

    TacIndexChangingEvent FOnChanging;
    vcl::TObjectPtr<vcl::TStringList> FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
    bool FShowFocus = true;
    std::vector<TsGroupButton*> FButtons;
};

// One radio button of a radio group: painted in "CHECKBOX", placed by its group, and changed only
// when the group's OnChanging allows.
class TsGroupButton : public TsRadioButton {
    CL_CLASS(TsGroupButton, TsRadioButton)
public:
    explicit TsGroupButton(TsRadioGroup* RadioGroup);
    ~TsGroupButton() override;
    bool CanModify() override;
    void Dispatch(vcl::TMessage& Message) override;

protected:
    void KeyPress(wchar_t& Key) override;
    void KeyDown(WORD& Key, vcl::TShiftState Shift) override;

private:
    int Index() const;
    bool GroupAllows();

    TsRadioGroup* FGroup;
    bool FInClick = false;
    bool FInModifying = false;
};

}  // namespace skin
