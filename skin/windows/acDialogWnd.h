#pragma once
// The wrapper of a system dialog ("#32770": a message box, a common dialog): it gives the dialog
// the skin's caption, borders and title buttons, answers the frame's hit test, runs the title
// buttons (hover, press, click), pops up a skinned system menu and cuts the window region from
// the skin's border masks. The frame is rendered into the wrapper's cache and copied to the
// window; the client background comes from the same cache.
//
// Lifecycle: made by NewWrapper for a dialog window and attached at once; the window's own system
// menu style is taken away by InitParams (the skinned menu stands in for it) and the dialog decides
// through WM_SYSCOMMAND whether a title command takes effect. The wrapper detaches when the window
// is destroyed; its creator frees it. GUI thread only.
#include <windows.h>

#include <memory>

#include "skin/forms/sSkinProviderTitle.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/windows/acDialogLayout.h"
#include "skin/windows/acSBUtils.h"

namespace skin {

class TacDialogWnd;
class TacProvider;

// The skinned system menu of a dialog.
class TacSystemMenu : public TsCustomSysMenu {
    CL_CLASS(TacSystemMenu, TsCustomSysMenu)
public:
    // Restore, Move, Size, Minimize, Maximize, a separator and Close (Alt+F4), captioned by the
    // library's texts.
    explicit TacSystemMenu(vcl::TComponent* AOwner);
    // Makes the items.
    void AfterConstruction() override;

    // Shows and enables the items by the owner's style and state.
    void UpdateItems();

    // The menu's own answers: only close may show.
    bool VisibleClose() override;
    bool VisibleMax() override { return false; }
    bool VisibleMin() override { return false; }
    bool EnabledMax() override { return false; }
    bool EnabledMin() override { return false; }
    bool EnabledRestore() override { return false; }

    TacDialogWnd* FOwner = nullptr;
    vcl::TMenuItem* ItemRestore = nullptr;
    vcl::TMenuItem* ItemMove = nullptr;
    vcl::TMenuItem* ItemSize = nullptr;
    vcl::TMenuItem* ItemMinimize = nullptr;
    vcl::TMenuItem* ItemMaximize = nullptr;
    vcl::TMenuItem* ItemClose = nullptr;

private:
    vcl::TMenuItem* AddItem(int TextId, const wchar_t* Name, UINT Command, vcl::TShortCut ShortCut = vcl::scNone);
    void CommandClick(vcl::TObject* Sender);
};

// A title button pressed and not yet released or left; one for all dialogs.
extern bool TitleBtnPressed;
// Set from the moment a dialog's region is decided until the end of its next frame paint, which
// then leaves the region alone (setting a region repaints the frame); one for all dialogs.
extern bool RgnChanging;

class TacDialogWnd : public TacScrollWnd {
public:
    // Takes the window over with its own skin data of section SkinSection ("DIALOG").
    TacDialogWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const vcl::String& SkinSection,
                 bool Repaint);
    ~TacDialogWnd() override;

    void acWndProc(vcl::TMessage& Message) override;

    // Reads the window's style, decides the border style, the title icon, the button images and
    // the caption font, and takes the window's own system menu style away.
    void InitParams();
    // The button images and the title section by the border style and the skin.
    void UpdateIconsIndexes();

    // The title buttons' queries, by the style InitParams read.
    bool VisibleClose() const { return dwStyle & WS_SYSMENU; }
    bool VisibleMax() const { return dwStyle & WS_MAXIMIZEBOX; }
    bool VisibleMin() const { return dwStyle & WS_MINIMIZEBOX; }
    bool VisibleHelp() const { return dwExStyle & WS_EX_CONTEXTHELP; }
    bool VisibleRestore() const;
    bool EnabledClose() const;
    bool EnabledMax() const;
    bool EnabledMin() const;
    bool EnabledRestore() const;
    bool FormActive() const { return FFormActive; }

    // The frame's measures.
    int CaptionHeight(bool CheckSkin) const;
    int HeaderHeight() const;
    int BorderHeight() const;
    int OffsetX() const;
    int OffsetY() const;
    int SysButtonWidth(const TsCaptionButton& Btn) const;
    int ButtonHeight(int ImageIndex) const;
    int TitleBtnsWidth() const;
    vcl::TRect IconRect() const;

    // The hit test of the title row (see DialogHitTest), the hover applied.
    int HTProcess(LRESULT CurrentResult);
    // The cursor relative to the window's top-left corner.
    vcl::TPoint CursorToPoint(int X, int Y);
    // Hover and press of the title button of a hit code.
    void SetHotHT(int i, bool Repaint);
    void SetPressedHT(int i);
    void RepaintButton(int i);
    // The skinned system menu at a screen point.
    void DropSysMenu(int X, int Y);

    // Rendering into the cache and copying to the window.
    void PaintAll();
    void PaintBorderIcons();
    void PaintCaption(HDC DC);
    void PaintForm(HDC DC);
    void Ac_WMPaint(HDC DC);
    void Ac_WMNCPaint();
    // The region: the key runs of the border masks, and the window region cut from them.
    void FillArOR();
    void UpdateRgn(bool Repaint);
    HRGN GetRgnFromArOR(int X, int Y) const;

    bool FFormActive = true;
    bool FWMPaintForbidden = false;
    int FCaptionSkinIndex = -1;
    bool Initialized = false;
    TsCaptionButton ButtonMin, ButtonMax, ButtonClose, ButtonHelp;
    int CurrentHT = 0;
    std::unique_ptr<vcl::TBitmap> TitleBG;
    HICON TitleIcon = nullptr;
    std::unique_ptr<vcl::TFont> TitleFont;
    uint32_t dwStyle = 0;
    uint32_t dwExStyle = 0;
    bool RgnChanged = true;
    TacBorderStyle BorderStyle = TacBorderStyle::acbsSingle;
    vcl::TObjectPtr<TacSystemMenu> SystemMenu;
    TacProvider* Provider = nullptr;  // the provider that made the wrapper; none for a dialog wrapped alone
    int TitleIndex = -1;
    vcl::String TitleSection;
    TAOR ArOR;

private:
    // The button of a hit code; none for another code.
    TsCaptionButton* ButtonOf(int HitCode);
    TsSkinManager& Manager() const { return *SkinData->SkinManager(); }
    int GlobalImage(const wchar_t* Name) const;
    // The restore image: "GLOBALINFO"'s, else the dialog section's.
    int RestoreImage() const;
    // Where a button's glyph comes from now, and whether it shows its disabled look.
    int ShownImage(const TsCaptionButton& Btn, bool& Disabled) const;
    void DrawButton(const TsCaptionButton& Btn, int ImageIndex, bool Enabled);
    void PaintTitle(const vcl::TRect& Frame, int TitleBottom);
    void DrawAppIcon();
    void PaintTitleText(int TitleBottom);
    void MakeTitleBG();
    TDialogHitLayout HitLayout() const;
    void PrepareTitleGlyph();

    // Message handlers.
    bool SkinCommand(vcl::TMessage& Message);
    void WMEraseBkgnd(vcl::TMessage& Message);
    void WMNCPaint(vcl::TMessage& Message);
    void WMNCActivate(vcl::TMessage& Message);
    void WMSize(vcl::TMessage& Message);
    void WMNCHitTest(vcl::TMessage& Message);
    void WMNCLButtonDown(vcl::TMessage& Message);
    void WMLButtonUp(vcl::TMessage& Message);
    void WMNCLButtonDblClk(vcl::TMessage& Message);
    void WMNCRButtonUp(vcl::TMessage& Message);
    void WMCtlColorDlg(vcl::TMessage& Message);
    void SysCommand(WPARAM Command);
    void Inherited(vcl::TMessage& Message) { TacScrollWnd::acWndProc(Message); }
    void Previous(vcl::TMessage& Message);

    // The dialog's background brush, made anew when the skin's colour changes.
    HBRUSH FBrush = nullptr;
    // The caption text's glow masks, active and inactive.
    std::unique_ptr<vcl::TBitmap> FGlowMask[2];
    vcl::TColor FBrushColor = vcl::clNone;
};

}  // namespace skin
