#pragma once
// The skinned labels: graphic controls that write their text in the skin's font colour of the
// section beneath them and may lay a section of their own under it. Unlike the other skinned
// controls they keep no skin data: they always follow the default manager. Beside the plain label
// come the caption of an edit's bound label (with the bound label the edits carry, which makes
// it), a link that opens its URL, a label glued beside another control, and a label whose text
// casts a blurred shadow.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/core/sBoundLabel.h"
#include "skin/core/sConst.h"
#include "skin/graphics/PixelView.h"
#include "vcl/stdctrls.h"

namespace skin {

class TsSkinManager;

class TsCustomLabel : public vcl::TCustomLabel {
    CL_CLASS(TsCustomLabel, vcl::TCustomLabel)
public:
    // Transparent.
    explicit TsCustomLabel(vcl::TComponent* AOwner);
    void WndProc(vcl::TMessage& Message) override;

    // The section painted under the text (state 0, over the parent's background) when its index is
    // above 0; its font colour is taken in any case. Empty: none.
    const vcl::String& SkinSection() const { return FSkinSection; }
    void SetSkinSection(const vcl::String& Value);

    // The default manager while its skin is in force; none otherwise.
    static TsSkinManager* ManagerInForce();

protected:
    // The skin's font colour (and the own section's) into Font, the own section under the text,
    // then the text.
    void Paint() override;
    // Disabled under a skin in force, the text at 40 % of its font colour over 60 % of the parent's
    // colour; otherwise as the class library draws it.
    void DoDrawText(vcl::TRect& Rect, UINT Flags) override;
    // The font to paint with: Font, which takes the skin's font colour of the section beneath while
    // a skin is in force.
    virtual vcl::TFont* GetCurrentFont();

    // Font's colour changed to Color unless that is 0xFF00FF (no colour) or already the colour.
    void TakeFontColor(vcl::TColor Color);

    int FSkinIndex = -1;  // the own section during one paint; -1 outside a paint

private:
    // Paint's font adjustment, its changes not announced as font changes.
    void AdjustFont();

    vcl::String FSkinSection;
};

// The label of the program's forms.
class TsLabel : public TsCustomLabel {
    CL_CLASS(TsLabel, TsCustomLabel)
    CL_PUBLISHED
public:
    explicit TsLabel(vcl::TComponent* AOwner);
    void WndProc(vcl::TMessage& Message) override;

    // The text takes the skin's font colour, and the window-text colour when the skin goes; off,
    // the label keeps its own colour.
    bool UseSkinColor() const { return FUseSkinColor; }
    void SetUseSkinColor(bool Value) { FUseSkinColor = Value; }

protected:
    vcl::TFont* GetCurrentFont() override;
    // The label takes colours from the skin: it is not being destroyed, UseSkinColor is on and it
    // is not being designed inside a frame.
    bool FollowsSkin() const;

private:
    bool FUseSkinColor = true;
};

// The label that shows the caption of an edit's bound label.
class TsEditLabel : public TsLabel {
    CL_CLASS(TsEditLabel, TsLabel)
public:
    TsEditLabel(vcl::TComponent* AOwner, TsBoundLabel* BoundLabel);
    // The bound label no longer counts on this label.
    ~TsEditLabel() override;

    TsBoundLabel* BoundLabel() const { return FBoundLabel; }

private:
    TsBoundLabel* FBoundLabel;
};

// The bound caption the skinned edit-like controls carry: its label is a TsEditLabel.
class TsEditBoundLabel final : public TsBoundLabel {
    CL_CLASS(TsEditBoundLabel, TsBoundLabel)
public:
    using TsBoundLabel::TsBoundLabel;

    // The label; none while inactive.
    TsEditLabel* EditLabel() const { return static_cast<TsEditLabel*>(TheLabel()); }

protected:
    vcl::TCustomLabel* MakeLabel() override;
    bool LabelUsesSkinColor() const override { return EditLabel()->UseSkinColor(); }
    void SetLabelUsesSkinColor(bool Value) override { EditLabel()->SetUseSkinColor(Value); }
};

// A link: a click opens URL through the shell; under the mouse the text takes the hover font.
class TsWebLabel : public TsLabel {
    CL_CLASS(TsWebLabel, TsLabel)
    CL_PUBLISHED
public:
    // The hand cursor, transparent, the system's default show mode.
    explicit TsWebLabel(vcl::TComponent* AOwner);
    ~TsWebLabel() override;
    // Font takes the normal font.
    void Loaded() override;
    void WndProc(vcl::TMessage& Message) override;

    // Setting it sets both the label's font and the normal font; the label shows it at once.
    vcl::TFont* Font() const { return TsLabel::Font(); }
    void SetFont(vcl::TFont* Value);
    vcl::TFont* HoverFont() const { return FHoverFont.get(); }
    void SetHoverFont(vcl::TFont* Value);
    const vcl::String& URL() const { return FURL; }
    void SetURL(const vcl::String& Value) { FURL = Value; }
    // How the window the link opens shows.
    TsWindowShowMode ShowMode() const { return FShowMode; }
    void SetShowMode(TsWindowShowMode Value) { FShowMode = Value; }
    bool MouseAbove() const { return FMouseAbove; }

protected:
    // The hover font while the mouse is above, else the normal font, each in the skin's colour.
    vcl::TFont* GetCurrentFont() override;

private:
    vcl::TFont* CurrentHoverFont();
    vcl::TFont* CurrentNormalFont();
    void FollowMouse(bool Above);
    void TakeParentFont();

    std::unique_ptr<vcl::TFont> FNormalFont;
    std::unique_ptr<vcl::TFont> FHoverFont;
    vcl::String FURL;
    TsWindowShowMode FShowMode = TsWindowShowMode::soDefault;
    bool FMouseAbove = false;
};

// The side of its control a glued label keeps to.
enum class TAlignTo { altLeft, altTop, altBottom, altRight };

// The top-left corner of a Size control placed Gap pixels beside R on Side: level with R's left
// edge above or below it, centred on R's height (rounded toward R's top) left or right of it.
vcl::TPoint PlaceBeside(const vcl::TRect& R, const vcl::TSize& Size, TAlignTo Side, int Gap);
// Left and right, top and bottom exchanged.
TAlignTo Opposite(TAlignTo Side);

// A label glued beside another control: it follows the control's moves, the control follows its
// own and the control's resizes, and it shows and enables with the control.
class TsStickyLabel : public TsLabel {
    CL_CLASS(TsStickyLabel, TsLabel)
    CL_PUBLISHED
public:
    explicit TsStickyLabel(vcl::TComponent* AOwner);
    // Gives the attached control its window procedure back.
    ~TsStickyLabel() override;
    void WndProc(vcl::TMessage& Message) override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

    // The control the label sits beside; its window procedure is hooked while attached.
    vcl::TControl* AttachTo() const { return FAttachTo; }
    void SetAttachTo(vcl::TControl* Value);
    TAlignTo AlignTo() const { return FAlignTo; }
    void SetAlignTo(TAlignTo Value);
    int Gap() const { return FGap; }
    void SetGap(int Value);

    // With a control attached, places the label beside it (MoveLabel) or the control beside the
    // label, on the opposite side.
    void Adjust(bool MoveLabel);

private:
    // The hook on the attached control.
    void NewWinProc(vcl::TMessage& Message);
    void Detach();

    vcl::TControl* FAttachTo = nullptr;
    TAlignTo FAlignTo = TAlignTo::altLeft;
    int FGap = 2;
    vcl::TWndMethod FOldWinProc;
    bool FRealigning = false;
};

}  // namespace skin

namespace skin {

class TsLabelFX;

enum class TsShadowMode { smNone, smCustom, smSkin1 };
enum class TsKindType { ktStandard, ktCustom, ktSkin };

// The shadow of an effects label: its own colour, blur and distance, or the skin's first text
// shadow.
class TsShadow : public vcl::TPersistent {
    CL_CLASS(TsShadow, vcl::TPersistent)
    CL_PUBLISHED
public:
    explicit TsShadow(TsLabelFX* ParentControl) : FParentControl(ParentControl) {}
    void Assign(vcl::TPersistent* Source) override;

    TsShadowMode Mode() const { return FMode; }
    void SetMode(TsShadowMode Value);
    vcl::TColor Color() const { return FColor; }
    void SetColor(vcl::TColor Value);
    int BlurCount() const { return FBlurCount; }
    void SetBlurCount(int Value);
    int Distance() const { return FDistance; }
    void SetDistance(int Value);

private:
    template<class T>
    void Change(T& Field, T Value);

    TsLabelFX* FParentControl;
    TsShadowMode FMode = TsShadowMode::smSkin1;
    vcl::TColor FColor = vcl::clBlack;
    int FBlurCount = 4;
    int FDistance = 1;
};

// Where an effects label's text colour comes from: its Color, the kind's Color or the skin.
class TsKind : public vcl::TPersistent {
    CL_CLASS(TsKind, vcl::TPersistent)
    CL_PUBLISHED
public:
    explicit TsKind(TsLabelFX* Owner) : FOwner(Owner) {}
    void Assign(vcl::TPersistent* Source) override;

    TsKindType KindType() const { return FKindType; }
    void SetKindType(TsKindType Value);
    vcl::TColor Color() const { return FColor; }
    void SetColor(vcl::TColor Value);

private:
    template<class T>
    void Change(T& Field, T Value);

    TsLabelFX* FOwner;
    TsKindType FKindType = TsKindType::ktSkin;
    vcl::TColor FColor = vcl::clWhite;
};

// A label whose text casts a blurred shadow.
class TsLabelFX : public TsCustomLabel {
    CL_CLASS(TsLabelFX, TsCustomLabel)
    CL_PUBLISHED
public:
    explicit TsLabelFX(vcl::TComponent* AOwner);
    ~TsLabelFX() override;

    TsShadow* Shadow() const { return FShadow.get(); }
    void SetShadow(TsShadow* Value) { FShadow->Assign(Value); }
    TsKind* Kind() const { return FKind.get(); }
    void SetKind(TsKind* Value) { FKind->Assign(Value); }

protected:
    // The text over its shadow; measured, the shadow's reach is added to the size.
    void DoDrawText(vcl::TRect& Rect, UINT Flags) override;

private:
    // The shadow's colour, blur and distance in force.
    struct TShadowLook {
        vcl::TColor Color;
        int Blur;
        int Distance;
    };
    TShadowLook ShadowLook() const;
    // The text colour the kind gives; clNone when the own section's font colours write the text.
    vcl::TColor KindColor();
    // The shadow of the text over what lies beneath, into FMask.
    void BuildShadow(const vcl::String& Text, const vcl::TRect& Rect, UINT Flags, const TShadowLook& Look);

    std::unique_ptr<vcl::TBitmap> FMask;
    std::vector<uint8_t> FMaskBits;
    std::unique_ptr<TsShadow> FShadow;
    std::unique_ptr<TsKind> FKind;
    int OffsTopLeft = 0;
    int OffsRightBottom = 0;
};

// The shadow's pixel work, apart from any window.

// The weights of a text shadow from Mask (text where the blue component is not 0). Weights holds
// the mask's pixels with a zero border of one pixel (stride Mask.Width + 2); it grows to twice
// stride x rows when smaller, never shrinks, and that many bytes are cleared. Each of Passes passes
// sets the bytes under text to 255, then replaces every inner byte, row by row in place, by the sum
// of its four neighbours shr 2.
void BlurShadowMask(const TPixelView& Mask, std::vector<uint8_t>& Weights, int Passes);
// Shadow laid onto Bmp through the weights of BlurShadowMask: each colour channel becomes
// (c x (255 - w) + s x w) shr 8, c the pixel's own channel, or Background's when it is not clNone.
void LayShadow(const TPixelView& Bmp, const std::vector<uint8_t>& Weights, vcl::TColor Shadow,
               vcl::TColor Background = vcl::clNone);

}  // namespace skin
