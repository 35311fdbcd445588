#pragma once
// The skinned combo box. Its frame, its field and its drop-down button are rendered from the skin
// into the control's cache and copied to the screen; the window is owner-drawn for the drop-down
// styles, so the control draws every list item and the field's text itself. While an editable box
// has the focus its edit window shows through the cache and paints itself; otherwise the cache
// shows the text and the edit window paints nothing. A read-only box keeps its look and drops what
// would change its text or open its list. The list, its items drawn by the control, paints whether
// or not the box has the focus; while skinned, a wrapper kept from its first colour request until
// the skin goes paints its frame and scroll bars from the skin.
#include <windows.h>

#include <memory>

#include "skin/controls/sControlWrappers.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sSkinnedControl.h"
#include "skin/core/sConst.h"
#include "vcl/stdctrls.h"

namespace skin {

// The drop-down button's rectangle in a Width x Height combo box: ScrollBarWidth + 1 wide (0
// without a button), 2 pixels inside the frame, at the right or, under right-to-left alignment,
// at the left.
vcl::TRect ComboButtonRect(int Width, int Height, int ScrollBarWidth, bool HasButton, bool RightToLeft);

// What a read-only combo box drops of the messages to its own window: every character, the keys
// that move the selection or open the list (space, the page keys, End, Home, the arrows, the key
// code 0x39, the letters, F4) and the drop-down notification.
bool ReadOnlyComboDrops(UINT Msg, WPARAM WParam);
// What a read-only combo box drops of the messages to its edit and list windows: the keys, the
// characters, cut, paste, clear and undo (copy passes).
bool ReadOnlyComboChildDrops(UINT Msg);

// The scale a combo box went through, as a fraction: the measures of its items follow it.
struct TComboScale {
    int M = 1;
    int D = 1;
};
// Scale taken on by M / D and reduced by the common divisor of the two, so that scaling back and
// forth never overflows.
TComboScale ScaledBy(TComboScale Scale, int M, int D);

class TsCustomComboBox : public TsSkinnedControl<vcl::TCustomComboBox> {
    CL_CLASS(TsCustomComboBox, TsSkinnedControl<vcl::TCustomComboBox>)
    CL_PUBLISHED
public:
    explicit TsCustomComboBox(vcl::TComponent* AOwner);
    ~TsCustomComboBox() override;

    void WndProc(vcl::TMessage& Message) override;
    void Dispatch(vcl::TMessage& Message) override;
    // The focus lies in the box, its edit window or its list, or the skin data holds it.
    bool Focused() const override;
    void Invalidate() override;

    // Stored only: the field is drawn from the left whatever the alignment.
    vcl::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(vcl::TAlignment Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value);
    bool ShowButton() const { return FShowButton; }
    void SetShowButton(bool Value);
    // The caption the box can carry beside it.
    TsBoundLabel* BoundLabel() const { return FBoundLabel.get(); }
    void SetDropDownCount(int Value) override;

    // The drop-down button's rectangle in the box (ComboButtonRect with the system's scroll-bar
    // width); no width for a simple box or without ShowButton.
    vcl::TRect ButtonRect() const;
    // The height of one frame of the skin's arrow glyph; 16 without one.
    int ButtonHeight() const;
    // The index of the first item that equals S exactly; -1 for none.
    int IndexOf(const vcl::String& S) const;
    // An owner-draw style with an OnDrawItem handler.
    bool IsOwnerDrawn() const;
    TComboScale Scale() const { return FScale; }
    // The wrapper of the list window; none until the list first asks for its colours while skinned.
    TacControlWrapper* ListSW() const { return FListSW.get(); }

protected:
    void CreateParams(vcl::TCreateParams& Params) override;
    void CreateWnd() override;
    void ChangeScale(int M, int D) override;
    void ComboWndProc(vcl::TMessage& Message, HWND ComboWnd, WNDPROC ComboProc) override;
    // The field (odComboBoxEdit in State) or one list item, onto the control's canvas.
    void DrawItem(int Index, const vcl::TRect& Rect, vcl::TOwnerDrawState State) override;
    void CNDrawItem(vcl::TMessage& Message) override;
    void CNMeasureItem(vcl::TMessage& Message) override;

    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    void PrepareCache() override;

    // The button of the skin into the cache: 2 dropped down, 1 active, else 0.
    void PaintButton();
    // Renders the cache when stale and copies it onto DC (the window's DC when none).
    void OurPaintHandler(HDC DC);

private:
    bool OwnerDrawStyle() const;
    // The cache is as high as the box, or for a simple box one item and the frame.
    int CacheHeight();
    // Where the cache shows the field: inside the frame, beside the button.
    vcl::TRect FieldRect();
    // Skinned, the edit window of an editable box writes its text where the cache's field does,
    // so the text stays put when the box is being edited; else where its font says.
    void FitEditMargins();
    // Whether ComboWnd is the edit window and the cache's field shows in its place.
    bool CacheShowsInField(HWND ComboWnd) const;
    void DrawField();
    void DrawSkinnedItem(int Index, const vcl::TRect& R, vcl::TOwnerDrawState State);
    void DrawPlainItem(int Index, vcl::TRect R, vcl::TOwnerDrawState State);
    // OnDrawItem into Bmp, its drawing in control coordinates.
    void DrawByHandler(vcl::TBitmap* Bmp, int Index, const vcl::TRect& R, vcl::TOwnerDrawState State);
    void CopyCache(HDC DC);
    void Hover(vcl::TMessage& Message);
    // The colours of the class library again, unless the skin data keeps its own.
    void TakeStandardColours();
    // The list asks for its colours: it gets its wrapper unless it has a live one.
    void WrapList(HWND List);

    vcl::TAlignment FAlignment = vcl::TAlignment::taLeftJustify;
    bool FReadOnly = false;
    TsDisabledKind FDisabledKind{TsDisabledKindItem::dkBlended};
    std::unique_ptr<TsEditBoundLabel> FBoundLabel;
    bool FShowButton = true;
    TComboScale FScale;
    bool FDropDown = false;
    TControlWrapperPtr FListSW;
};

// The skinned combo box as forms place it.
class TsComboBox : public TsCustomComboBox {
    CL_CLASS(TsComboBox, TsCustomComboBox)
    CL_PUBLISHED
public:
    using TsCustomComboBox::TsCustomComboBox;
};

}  // namespace skin
