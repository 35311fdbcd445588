#pragma once
// The skinned push button: painted from its section ("BUTTON" by default) into its cache and
// copied to the screen, as a push button, a command link (bold title, a hint line, a glyph at the
// top left) or a split button (a 16-pixel drop-down part at the right that opens its menu).
#include "skin/controls/acGlyphPaint.h"
#include "skin/controls/sButtonControl.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"

namespace skin {

// The push button's own styles; the class library's button has none of them.
enum class TButtonStyle { bsPushButton, bsCommandLink, bsSplitButton };
// Where the image lies in the button.
enum class TImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };

struct TImageMargins {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TsButton : public TsButtonControl<vcl::TButton> {
    CL_CLASS(TsButton, TsButtonControl<vcl::TButton>)
    CL_PUBLISHED
public:
    explicit TsButton(vcl::TComponent* AOwner);

    int ContentMargin() const { return FContentMargin; }
    void SetContentMargin(int Value);
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle Value);

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
    // The menu a split button drops down from its last 16 pixels.
    vcl::TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(vcl::TPopupMenu* Value);
    // The drop-down menu is open.
    bool DroppedDown() const { return FDroppedDown; }

    bool GlyphExist() const;
    int GlyphIndex() const;
    vcl::TRect GlyphRect();
    vcl::TRect CaptionRect();
    TGlyphSource GlyphSource();

    void WndProc(vcl::TMessage& Message) override;

protected:
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    // The action's enabled state is the button's.
    void ActionChange(vcl::TObject* Sender, bool CheckDefaults) override;
    bool PressedBesides() const override { return FDroppedDown; }
    void StdDrawContent(vcl::TCanvas* Canvas) override;
    int StdFocusInset() const override { return SplitWidth() ? 14 : 0; }
    void PrepareCache() override;

    // Onto Canvas, or the cache's canvas when none.
    virtual void DrawCaption(vcl::TCanvas* Canvas);
    virtual void DrawGlyph();

private:
    int SplitWidth() const;
    vcl::TSize GlyphBoxSize(bool WithMargins) const;
    vcl::TSize CaptionSize();
    vcl::TSize MeasureText(const vcl::String& Text, int Width, UINT Flags);
    void PaintSplitPart(vcl::TCanvas* Canvas, vcl::TColor Colour);
    // A left press on the drop-down part of a split button with a menu.
    bool OnDropDownPart(const vcl::TMessage& Message) const;
    // Shows the menu below the button, pressed while it is open.
    void DropDown();
    void SetImageIndexOf(int Look, int Value);
    // Stores a changed value and renders the button again.
    template<class T>
    void Changed(T& Field, const T& Value);

    TButtonStyle FStyle = TButtonStyle::bsPushButton;
    int FContentMargin = 6;
    bool FDroppedDown = false;
    vcl::TPopupMenu* FDropDownMenu = nullptr;
    vcl::TCustomImageList* FImages = nullptr;
    int FImageIndex[5] = {-1, -1, -1, -1, -1};  // normal, hot, pressed, selected, disabled
    TImageAlignment FImageAlignment = TImageAlignment::iaLeft;
    TImageMargins FImageMargins;
    vcl::String FCommandLinkHint;
};

}  // namespace skin
