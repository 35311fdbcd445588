#pragma once
// The skinned push button: painted from its section ("BUTTON" by default) into its cache and
// copied to the screen, as a push button, a command link (bold title, a hint line, a glyph at the
// top left) or a split button (a 16-pixel drop-down part at the right). A border image whose
// corners are not probed (the "BUTTON_HUGE" one) also shapes the window by a region.
#include "skin/controls/acGlyphPaint.h"
#include "skin/controls/sSkinnedControl.h"
#include "vcl/stdctrls.h"

namespace skin {

// The push button's own styles; the class library's button has none of them.
enum class TButtonStyle { bsPushButton, bsCommandLink, bsSplitButton };
// Where the image lies in the button.
enum class TImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };

struct TImageMargins {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TsButton : public TsSkinnedControl<vcl::TButton> {
    CL_CLASS(TsButton, TsSkinnedControl<vcl::TButton>)
    CL_PUBLISHED
public:
    explicit TsButton(vcl::TComponent* AOwner);
    ~TsButton() override;
    void Loaded() override;

    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int FocusMargin() const { return FFocusMargin; }
    void SetFocusMargin(int Value) { FFocusMargin = Value; }
    int ContentMargin() const { return FContentMargin; }
    void SetContentMargin(int Value);
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value);
    bool Reflected() const { return FReflected; }
    void SetReflected(bool Value);
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle Value);
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value);

    vcl::TCustomImageList* Images() const { return FImages; }
    void SetImages(vcl::TCustomImageList* Value);
    // The image of each look; an index outside the list falls back to ImageIndex.
    int ImageIndex() const { return FImageIndex[0]; }
    void SetImageIndex(int Value) { SetImageIndexOf(0, Value); }
    void SetHotImageIndex(int Value) { SetImageIndexOf(1, Value); }
    void SetPressedImageIndex(int Value) { SetImageIndexOf(2, Value); }
    void SetSelectedImageIndex(int Value) { SetImageIndexOf(3, Value); }
    void SetDisabledImageIndex(int Value) { SetImageIndexOf(4, Value); }
    TImageAlignment ImageAlignment() const { return FImageAlignment; }
    void SetImageAlignment(TImageAlignment Value);
    const TImageMargins& ImageMargins() const { return FImageMargins; }
    void SetImageMargins(const TImageMargins& Value);
    const vcl::String& CommandLinkHint() const { return FCommandLinkHint; }
    void SetCommandLinkHint(const vcl::String& Value);

    // 2 pressed (pushed while the mouse is over it or not held on it, Down, or dropped down),
    // 1 hot (the form's default button, focused or under the mouse), else 0.
    int CurrentState() const;
    bool GlyphExist() const;
    int GlyphIndex() const;
    vcl::TRect GlyphRect();
    vcl::TRect CaptionRect();
    TGlyphSource GlyphSource();
    // The window region the last rendering built, not yet given to the window; none: 0.
    HRGN PendingRegion() const { return FRegion == BeforeFirstRegion ? nullptr : FRegion; }

protected:
    void CreateParams(vcl::TCreateParams& Params) override;
    void SetButtonStyle(bool ADefault) override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;

    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    void UnskinnedMessage(vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    void PrepareCache() override;

    // Onto Canvas, or the cache's canvas when none.
    virtual void DrawCaption(vcl::TCanvas* Canvas);
    virtual void DrawGlyph();

private:
    // FRegion before the window was ever given a region.
    static inline const HRGN BeforeFirstRegion = reinterpret_cast<HRGN>(1);

    int SplitWidth() const;
    vcl::TSize GlyphBoxSize(bool WithMargins) const;
    vcl::TSize CaptionSize();
    vcl::TSize MeasureText(const vcl::String& Text, int Width, UINT Flags);
    int ClippedState() const;
    bool RegionShaped() const;
    void FreeRegion();
    void RemoveWindowRegion();
    void OurPaintHandler(HDC DC);
    void CopyCache(HDC DC);
    void StdDrawItem(const DRAWITEMSTRUCT& Item);
    void PaintSplitPart(vcl::TCanvas* Canvas, vcl::TColor Colour);
    void Hover(bool Enter);
    // The inherited focus handling, then the look of the new focus.
    void FocusMessage(vcl::TMessage& Message, bool Gained);
    void SetImageIndexOf(int Look, int Value);
    // Stores a changed value and renders the button again.
    template<class T>
    void Changed(T& Field, const T& Value);
    // The state the cache shows differs from the current one: render and paint again.
    void FollowState();

    bool FMouseClicked = false;
    bool FDown = false;
    int FFocusMargin = 1;
    TsDisabledKind FDisabledKind{TsDisabledKindItem::dkBlended};
    bool FShowFocus = true;
    bool FReflected = false;
    TButtonStyle FStyle = TButtonStyle::bsPushButton;
    int FContentMargin = 6;
    bool FIsFocused = false;
    HRGN FRegion = BeforeFirstRegion;
    vcl::TRect FLastRect;
    bool FDroppedDown = false;
    int FPaintedState = -1;
    vcl::TCustomImageList* FImages = nullptr;
    int FImageIndex[5] = {-1, -1, -1, -1, -1};  // normal, hot, pressed, selected, disabled
    TImageAlignment FImageAlignment = TImageAlignment::iaLeft;
    TImageMargins FImageMargins;
    vcl::String FCommandLinkHint;
};

}  // namespace skin
