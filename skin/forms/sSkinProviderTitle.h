#pragma once
// What a skinned form's caption holds besides its text: the skinned system menu that stands in for
// the window's own, a custom title icon, the user title buttons and an added title; and the record
// of one caption button.
#include <cstdint>
#include <memory>

#include "vcl/bitmaps.h"
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/forms.h"
#include "vcl/graphics.h"
#include "vcl/menus.h"

namespace skin {

class TsSkinProvider;
class TacSBAnimation;

// One caption button: its state, its image, its place in the provider's cache and the hit-test
// code it answers.
struct TsCaptionButton {
    int State = 0;               // 0 normal, 1 hot, 2 pressed
    int ImageIndex = -1;         // in the manager's image table; -1 none
    vcl::TRect Rect;             // set by the painting of the title bar
    bool HaveAlignment = false;  // follows the skin's vertical alignment of buttons
    uint32_t HitCode = 0;
    int GlowID = -1;                  // the glow shown around the hot button; -1 none
    TacSBAnimation* Timer = nullptr;  // the running hover animation, owned by the provider
};

// ---------------------------------------------------------------------------------------------
// The skinned system menu

// A system menu that tells which of the standard commands a caption shows and allows.
class TsCustomSysMenu : public vcl::TPopupMenu {
    CL_CLASS(TsCustomSysMenu, vcl::TPopupMenu)
public:
    using vcl::TPopupMenu::TPopupMenu;

    virtual bool VisibleClose() = 0;
    virtual bool VisibleMax() = 0;
    virtual bool VisibleMin() = 0;
    virtual bool EnabledMax() = 0;
    virtual bool EnabledMin() = 0;
    virtual bool EnabledRestore() = 0;
};

// The system menu of a provider's form: the window's own system menu mirrored (its captions, the
// commands the application added to it), its standard items shown and enabled by the form's
// border style, border icons and state, and optionally the list of skins to choose from.
class TsSystemMenu : public TsCustomSysMenu {
    CL_CLASS(TsSystemMenu, TsCustomSysMenu)
public:
    // Named "acSysMenu" and the tick count.
    explicit TsSystemMenu(TsSkinProvider* AOwner);
    // Generates the items.
    void AfterConstruction() override;

    // Rebuilds the items from the window's system menu: Restore, Move, Size, Minimize, Maximize, a
    // separator, the application's commands and a separator after them, Close. A command the
    // window's menu lacks takes the fallback caption of the library's texts. Nothing without a
    // window menu.
    void Generate();
    // Generates when Full or without a Close item, then shows and enables the standard items.
    void UpdateItems(bool Full);
    // Puts "Available skins" with every skin of the manager in front (a new column after each 20),
    // the current one checked; an entry of an earlier call is replaced.
    void MakeSkinItems();

    bool VisibleClose() override;
    bool VisibleMax() override;
    bool VisibleMin() override;
    bool EnabledMax() override;
    bool EnabledMin() override;
    bool EnabledRestore() override;
    bool VisibleRestore();
    bool VisibleSize();
    bool EnabledMove();
    bool EnabledSize();

    // The clicks send the command to the form; an application's command is posted.
    void RestoreClick(vcl::TObject* Sender);
    void MoveClick(vcl::TObject* Sender);
    void SizeClick(vcl::TObject* Sender);
    void MinClick(vcl::TObject* Sender);
    void MaxClick(vcl::TObject* Sender);
    void CloseClick(vcl::TObject* Sender);
    void ExtClick(vcl::TObject* Sender);
    // Loads the skin of the clicked item: its caption without "&", cut after the label of internal
    // skins when it holds one.
    void SkinSelect(vcl::TObject* Sender);

private:
    HWND FormHandle() const { return FForm->Handle(); }
    bool Iconic() const { return IsIconic(FormHandle()) != FALSE; }
    bool HasIcon(vcl::TBorderIcon Icon) const { return FForm->BorderIcons().Contains(Icon); }
    // Border style bsSingle or bsSizeable.
    bool SingleOrSizeable() const;
    bool MDIChild() const { return FForm->FormStyle() == vcl::TFormStyle::fsMDIChild; }
    // A new item appended to the list.
    vcl::TMenuItem* AddItem(const vcl::String& Caption, const vcl::String& Name, vcl::TNotifyEvent OnClick,
                            intptr_t Command, vcl::TShortCut ShortCut = vcl::scNone);
    void AddSeparator();
    void SendCommand(WPARAM Command);

public:
    int ExtItemsCount = 0;  // items copied from the window's system menu
    TsSkinProvider* FOwner;
    vcl::TCustomForm* FForm;
    vcl::TMenuItem* ItemRestore = nullptr;
    vcl::TMenuItem* ItemMove = nullptr;
    vcl::TMenuItem* ItemSize = nullptr;
    vcl::TMenuItem* ItemMinimize = nullptr;
    vcl::TMenuItem* ItemMaximize = nullptr;
    vcl::TMenuItem* ItemClose = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The caption's parts that a form's provider publishes

// A custom caption icon; 0 as a size means the one the caption gives.
class TsTitleIcon : public vcl::TPersistent {
    CL_CLASS(TsTitleIcon, vcl::TPersistent)
    CL_PUBLISHED
public:
    TsTitleIcon();

    vcl::TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(vcl::TBitmap* Value) { FGlyph->Assign(Value); }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }

private:
    std::unique_ptr<vcl::TBitmap> FGlyph;
    int FHeight = 0;
    int FWidth = 0;
};

// A user title button beside the system buttons; it reports presses and releases of the left
// mouse button to the application.
class TsTitleButton : public vcl::TCollectionItem {
    CL_CLASS(TsTitleButton, vcl::TCollectionItem)
    CL_PUBLISHED
public:
    explicit TsTitleButton(vcl::TCollection* Collection);
    // Frees the hover animation, which points into the button.
    ~TsTitleButton() override;
    // Named after its class when no name is set.
    void AfterConstruction() override;
    // Copies all but Visible into another title button.
    void AssignTo(vcl::TPersistent* Dest) override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    vcl::TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(vcl::TBitmap* Value) { FGlyph->Assign(Value); }
    const vcl::String& Hint() const { return FHint; }
    void SetHint(const vcl::String& Value) { FHint = Value; }
    const vcl::String& Name() const { return FName; }
    void SetName(const vcl::String& Value) { FName = Value; }
    // The skin's "TITLEBUTTON" image of "GLOBALINFO" as the button's face.
    bool UseSkinData() const { return FUseSkinData; }
    void SetUseSkinData(bool Value) { FUseSkinData = Value; }
    // A change redraws the caption of the provider at once.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    vcl::TMouseEvent OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(vcl::TMouseEvent Value) { FOnMouseDown = Value; }
    vcl::TMouseEvent OnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseUp(vcl::TMouseEvent Value) { FOnMouseUp = Value; }

    // Fire the events with the title button as the sender.
    void MouseDown(int Index, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
    void MouseUp(int Index, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);

    TsCaptionButton BtnData;

protected:
    vcl::String GetDisplayName() const override { return FName; }

private:
    // A new glyph: the next hover animation starts from it.
    void OnGlyphChange(vcl::TObject* Sender);
    void FreeHoverAnimation();

    bool FUseSkinData = true;
    vcl::String FName;
    std::unique_ptr<vcl::TBitmap> FGlyph;
    vcl::TMouseEvent FOnMouseUp;
    vcl::TMouseEvent FOnMouseDown;
    bool FEnabled = true;
    vcl::String FHint;
    bool FVisible = true;
};

// The provider's user title buttons.
class TsTitleButtons : public vcl::TOwnedCollection {
    CL_CLASS(TsTitleButtons, vcl::TOwnedCollection)
public:
    explicit TsTitleButtons(TsSkinProvider* AOwner);

    TsTitleButton* Items(int Index) const { return ItemsAs<TsTitleButton>(Index); }
    void SetItems(int Index, TsTitleButton* Value) { Items(Index)->Assign(Value); }
    TsSkinProvider* Provider() const { return FOwner; }

private:
    TsSkinProvider* FOwner;
};

// A text shown in the caption after the form's own, in a font of its own.
class TacAddedTitle : public vcl::TPersistent {
    CL_CLASS(TacAddedTitle, vcl::TPersistent)
    CL_PUBLISHED
public:
    explicit TacAddedTitle(TsSkinProvider* AOwner);

    // A font colour of clNone or clWindowText follows the title's font colour.
    vcl::TFont* Font() const { return FFont.get(); }
    void SetFont(vcl::TFont* Value);
    // The form's own caption is shown too.
    bool ShowMainCaption() const { return FShowMainCaption; }
    void SetShowMainCaption(bool Value);
    const vcl::String& Text() const { return FText; }
    void SetText(const vcl::String& Value);

    // Redraws the caption unless the provider loads.
    void Repaint();

private:
    bool FShowMainCaption = true;
    vcl::String FText;
    std::unique_ptr<vcl::TFont> FFont;
    TsSkinProvider* FOwner;
};

}  // namespace skin
