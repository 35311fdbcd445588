#pragma once
// The tool bar over the system's ToolbarWindow32 (included by vcl/comctrls.h). Its buttons are
// graphic controls placed on it; the system draws and clicks them, each knowing its tool button
// through the data field of its TBBUTTON, and a button's command is its index. Drawing can be
// taken over stage by stage through the custom-draw events, on the bar's canvas lent the DC.
#include "vcl/comctrls.h"
#include "vcl/imglist.h"

#include <array>

namespace vcl {

class TPopupMenu;
class TToolBar;

enum class TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum class TCustomDrawStateItem {
    cdsSelected,
    cdsGrayed,
    cdsDisabled,
    cdsChecked,
    cdsFocused,
    cdsDefault,
    cdsHot,
    cdsMarked,
    cdsIndeterminate,
    cdsShowKeyboardCues,
    cdsNearHot,
    cdsOtherSideHot,
    cdsDropHilited
};
using TCustomDrawState = TSet<TCustomDrawStateItem>;
// The state of NMCUSTOMDRAW's uItemState (CDIS_* flags).
TCustomDrawState CustomDrawState(UINT ItemState);

// What the system leaves out of a button it draws: the frame, the hot look, the pressed offset,
// the marked look, the etched look of a disabled button.
enum class TTBCustomDrawFlag { tbNoEdges, tbHiliteHotTrack, tbNoOffset, tbNoMark, tbNoEtchedEffect };
using TTBCustomDrawFlags = TSet<TTBCustomDrawFlag>;
// The TBCDRF_* answer for the flags.
LRESULT CustomDrawFlagsResult(TTBCustomDrawFlags Flags);

enum class TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = TSet<TEdgeBorder>;
enum class TEdgeStyle { esNone, esRaised, esLowered };

class TToolButton : public TGraphicControl {
    CL_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* AOwner);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The bar the button is placed on: placed on one, it becomes the bar's last button.
    TToolBar* ToolBar() const { return FToolBar; }
    // The button's place on its bar, which is also its command; -1 off a bar.
    int Index() const;
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle value);
    // A check button that is down (the system keeps it after a click).
    bool Down();
    void SetDown(bool value);
    // Shown highlighted, and as neither up nor down.
    bool Marked() const { return FMarked; }
    void SetMarked(bool value);
    bool Indeterminate() const { return FIndeterminate; }
    void SetIndeterminate(bool value);
    // A check button in a group of which one is down at a time (none with AllowAllUp).
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool value);
    // The next button starts a new row.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // Opens below the button when its arrow part (tbsDropDown) is pressed.
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* value);

    void Dispatch(TMessage& Message) override;

protected:
    friend class TToolBar;
    // A divider shows a line; the bar draws everything else.
    void Paint() override;

private:
    // Tells the bar that the button's look changed.
    void Changed(bool Restyle);

    TToolBar* FToolBar = nullptr;
    TToolButtonStyle FStyle = TToolButtonStyle::tbsButton;
    bool FDown = false;
    bool FMarked = false;
    bool FIndeterminate = false;
    bool FGrouped = false;
    bool FWrap = false;
    int FImageIndex = -1;
    TPopupMenu* FDropdownMenu = nullptr;
};

using TTBAdvancedCustomDrawEvent =
    TDelegate<void(TToolBar* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent =
    TDelegate<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, TCustomDrawStage Stage,
                   TTBCustomDrawFlags& Flags, bool& DefaultDraw)>;

class TToolBar : public TWinControl {
    CL_CLASS(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* AOwner);
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TToolButton* Buttons(int index) const;
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int value);
    // Window styles: a change re-creates the window around the same buttons.
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    // Captions beside the images instead of below them.
    bool List() const { return FList; }
    void SetList(bool value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    // A tbsTextButton shows its caption even without ShowCaptions.
    bool AllowTextButtons() const { return FAllowTextButtons; }
    void SetAllowTextButtons(bool value);
    // Buttons that do not fit go to a new row.
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool value);
    // The user may rearrange the buttons in the system's dialog (a double click on the bar).
    bool Customizable() const { return FCustomizable; }
    void SetCustomizable(bool value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* value);
    TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* value);
    // The frame around the buttons: which sides, and the inner and outer edge of each.
    TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
    void SetEdgeBorders(TEdgeBorders value);
    TEdgeStyle EdgeInner() const { return FEdgeInner; }
    void SetEdgeInner(TEdgeStyle value);
    TEdgeStyle EdgeOuter() const { return FEdgeOuter; }
    void SetEdgeOuter(TEdgeStyle value);
    TCanvas* Canvas() const { return FCanvas.get(); }

    // Each custom-draw stage of the bar and of every button, with the canvas on the DC; a false
    // DefaultDraw keeps the system from drawing that part.
    TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw() const { return FOnAdvancedCustomDraw; }
    void SetOnAdvancedCustomDraw(TTBAdvancedCustomDrawEvent value);
    TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton() const { return FOnAdvancedCustomDrawButton; }
    void SetOnAdvancedCustomDrawButton(TTBAdvancedCustomDrawBtnEvent value);

    // The system's mouse handling for its buttons: they are not our graphic children there.
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

protected:
    friend class TToolButton;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // The frame lies outside the client area: the client area is all the children's.
    void AdjustClientRect(TRect&) override {}
    // Runs a button's drop-down menu, then posts CN_DROPDOWNCLOSED to the bar.
    virtual void DropDownButton(TToolButton* Button);

private:
    void InsertButton(TToolButton* Button);
    void RemoveButton(TToolButton* Button);
    void CMControlListChange(TMessage& Message);
    // Gives the window the button at Index, whose command is its index.
    void InsertIntoWindow(int Index);
    // The window's copy of one button again; Restyle when its kind or caption changed.
    void UpdateButton(int Index, bool Restyle);
    // The buttons' bounds as the window placed them.
    void UpdateButtonBounds();
    // The order the user gave the buttons in the customise dialog; those taken off hide.
    void ReadButtonsFromWindow();
    TToolButton* ButtonOfCommand(int Command) const;
    // The image lists: 0 Images, 1 DisabledImages, 2 HotImages.
    static constexpr size_t ImageListCount = 3;
    TCustomImageList** ImageListField(size_t Which);
    void SetImageList(size_t Which, TCustomImageList* Value);
    void ImageListChange(TObject* Sender);
    void ApplyImages();
    void ApplyButtonSize();
    LRESULT CustomDraw(NMTBCUSTOMDRAW& Draw);
    bool ShowsCaption(const TToolButton* Button) const;
    // Draws a button the system would draw with a frame or an etched caption the custom-draw
    // flags leave out (it draws them regardless); on the canvas, lent the DC.
    void DrawButtonFace(TToolButton* Button, TCustomDrawState State, TTBCustomDrawFlags Flags, const TRect& Rect);
    void CNNotify(TMessage& Message);
    void CNCommand(TMessage& Message);
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    template <class T>
    void SetStyleField(T& Field, T Value)
    {
        if (ChangeField(Field, Value))
            RecreateWnd();
    }
    // A change of the frame: the window measures its client area again.
    template <class T>
    void SetFrameField(T& Field, T Value)
    {
        if (ChangeField(Field, Value) && FHandle)
            SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    std::vector<TToolButton*> FButtons;
    std::unique_ptr<TControlCanvas> FCanvas;
    std::array<std::unique_ptr<TChangeLink>, ImageListCount> FImageChangeLinks;
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    bool FFlat = false;
    bool FList = false;
    bool FShowCaptions = false;
    bool FAllowTextButtons = false;
    bool FWrapable = true;
    bool FCustomizable = false;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
    TCustomImageList* FHotImages = nullptr;
    TEdgeBorders FEdgeBorders{TEdgeBorder::ebTop};
    TEdgeStyle FEdgeInner = TEdgeStyle::esRaised;
    TEdgeStyle FEdgeOuter = TEdgeStyle::esLowered;
    TTBAdvancedCustomDrawEvent FOnAdvancedCustomDraw;
    TTBAdvancedCustomDrawBtnEvent FOnAdvancedCustomDrawButton;
};

}  // namespace vcl
