#pragma once
// Menus painted in the skin. The class library's menus stay what they are: their items are taken
// over through the owner-draw events (where the program left them empty) and measured and painted
// here. Every open menu level gets one background of its whole window (section "MAINMENU" with its
// border, the icon column and the optional extra line), made when its first item is painted and
// kept in a cache until the menu windows go; items are composed over it off-screen and copied to
// the menu in one piece, and the menu window's frame and region come from the same picture.
//
// Bar items of main menus are painted with the form's menu line; this unit hooks popup items.
#include "skin/graphics/sGraphUtils.h"
#include "vcl/classes.h"
#include "vcl/graphics.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace skin {

class TsSkinManager;
class TsSkinProvider;

enum class TsMenuItemType { smCaption, smDivider, smNormal, smTopLine };

// After an item is painted in the skin, before it reaches the menu: ACanvas is the item's own
// bitmap, ARect all of it.
using TsMenuManagerDrawItemEvent =
    vcl::TDelegate<void(vcl::TObject* Sender, vcl::TCanvas* ACanvas, const vcl::TRect& ARect,
                        vcl::TOwnerDrawState State, TsMenuItemType ItemType)>;

// One cached menu level: its first item (the key), the background of its whole window (owned by
// the cache), the window it was made for, and whether it shows the extra line.
struct TacMenuInfo {
    vcl::TMenuItem* FirstItem = nullptr;
    vcl::TBitmap* Bmp = nullptr;
    HWND Wnd = nullptr;
    bool HaveExtraLine = false;
};

class TsSkinableMenus : public vcl::TPersistent {
    CL_CLASS(TsSkinableMenus, vcl::TPersistent)
public:
    explicit TsSkinableMenus(TsSkinManager* AOwner);

    // ---------------------------------------------------------------------------------------------
    // Taking menus over; items whose events the program set keep them

    // Active: the menu owner-drawn without animation, its items at every depth given the skinned
    // measurer and painter where they have none. Not Active: the reverse, clearing only our events.
    void HookPopupMenu(vcl::TPopupMenu* Menu, bool Active);
    // The same for every item below MenuItem (bar items are skipped when setting).
    void HookItem(vcl::TMenuItem* MenuItem, bool Active);
    void InitItem(vcl::TMenuItem* Item, bool A);
    // The bar items of a main menu: A gives every top-level item the bar measurer and painter while
    // the manager is active (nothing at all while it skins no popups), not A takes ours away; the
    // menu is owner-drawn as A unless it is being destroyed or empty.
    void InitMenuLine(vcl::TMainMenu* Menu, bool A);
    // FActive := A, and every menu of the application's components hooked or unhooked.
    void InitItems(bool A);
    void SetActive(bool Value);
    bool Active() const { return FActive; }
    // Follows whether the manager's skin is in force.
    void UpdateMenus();

    // ---------------------------------------------------------------------------------------------
    // The owner-draw handlers bound to the items; a descendant's painter overrides what they call

    void sMeasureItem(vcl::TObject* Sender, vcl::TCanvas* ACanvas, int& Width, int& Height);
    virtual void sAdvancedDrawItem(vcl::TObject* Sender, vcl::TCanvas* ACanvas, const vcl::TRect& ARect,
                                   vcl::TOwnerDrawState State);
    // A bar item: one menu line high (SM_CYMENU - 1) and as wide as its caption without '&', plus
    // its image or bitmap and 6 when it has one.
    void sMeasureLineItem(vcl::TObject* Sender, vcl::TCanvas* ACanvas, int& Width, int& Height);
    // A bar item over the menu line of its form's provider (the MDI main form's when its form has
    // none): the "MENUITEM" face, hot while selected or hot-lit, the glyph, the caption in the
    // "MENULINE" colours; a disabled item faded into the line. Nothing without a provider that
    // has a cache.
    virtual void sAdvancedDrawLineItem(vcl::TObject* Sender, vcl::TCanvas* ACanvas, const vcl::TRect& ARect,
                                       vcl::TOwnerDrawState State);

    // ---------------------------------------------------------------------------------------------
    // Backgrounds and the menu window

    // The cached level of Item (keyed by the first item of its parent), made aWidth x aHeight for
    // aWnd when missing and aWidth is not 0; without Item, the level cached for aWnd. FirstItem
    // and Bmp are none when nothing is found.
    TacMenuInfo GetMenuInfo(vcl::TMenuItem* Item, int aWidth, int aHeight, HWND aWnd);
    // Paints and caches the background of the level whose first item is Item.
    void PrepareMenuBG(vcl::TMenuItem* Item, int Width, int Height, HWND Wnd);
    // The window's region without the border's transparent corners, and its 3-pixel frame from
    // MenuBmp; nothing while the window says its region is set.
    void DrawWndBorder(HWND Wnd, vcl::TBitmap* MenuBmp);

    // ---------------------------------------------------------------------------------------------
    // Measures

    int GetItemHeight(vcl::TCanvas* Canvas, vcl::TMenuItem* Item);
    // The width and height of the item's whole level, columns included.
    int ParentWidth(vcl::TCanvas* Canvas, vcl::TMenuItem* Item);
    int ParentHeight(vcl::TCanvas* Canvas, vcl::TMenuItem* Item);
    // The border width of "MAINMENU"'s border mask (0 without one, 3 for one of no width), cached
    // until the next skin.
    int GetSkinBorderWidth();
    // The extra line's width when it is used and the level shows it.
    int ExtraWidth(const TacMenuInfo& Info) const;

    // ---------------------------------------------------------------------------------------------
    // Properties

    vcl::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(vcl::TAlignment Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value) { FBevelWidth = Value; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    vcl::TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(vcl::TFont* Value) { FCaptionFont->Assign(Value); }
    int SkinBorderWidth() const { return FSkinBorderWidth; }
    void SetSkinBorderWidth(int Value) { FSkinBorderWidth = Value; }
    int Margin() const { return FMargin; }
    void SetMargin(int Value) { FMargin = Value; }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value) { FSpacing = Value; }

    TsMenuManagerDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(TsMenuManagerDrawItemEvent Value) { FOnDrawItem = Value; }

private:
    // The extra-line event for the level of FirstItem: its visibility, the unit's extra-line data.
    bool QueryExtraLine(vcl::TMenuItem* FirstItem);
    void SetMenuFont(vcl::TCanvas* Canvas, vcl::TMenuItem* Item, bool Bold);
    vcl::TMenuItem* FirstVisibleSibling(vcl::TMenuItem* Item) const;
    vcl::TMenuItem* LastVisibleSibling(vcl::TMenuItem* Item) const;
    bool Designing() const;
    bool ManagerActive() const;

    // Painting an item (sSkinMenusPaint.cpp).
    void RepairFrame(HWND Wnd, vcl::TBitmap* MenuBmp, vcl::TMenuItem* Item, const vcl::TRect& ARect, int Extra);
    void PostBorderRequest(vcl::TMenuItem* Item);
    void FillColumn(vcl::TCanvas* ACanvas, vcl::TBitmap* MenuBmp, vcl::TMenuItem* Item, const vcl::TRect& ARect);
    void PaintNormalItem(vcl::TMenuItem* Item, vcl::TCanvas* ACanvas, const vcl::TRect& ARect,
                         vcl::TOwnerDrawState State, const TacMenuInfo& Info);
    void PaintCheck(vcl::TBitmap* ItemBmp, vcl::TMenuItem* Item, bool Selected);
    void PaintGlyph(vcl::TBitmap* ItemBmp, vcl::TMenuItem* Item, vcl::TOwnerDrawState State);
    // The pressed small speed-button face one pixel around a glyph of a checked item.
    void PaintPressedFrame(vcl::TBitmap* ItemBmp, const vcl::TRect& Glyph);
    // The minimise, maximise, close or restore symbol of a skinned system menu's item.
    void PaintSysSymbol(vcl::TBitmap* ItemBmp, vcl::TMenuItem* Item, bool Hot);
    // The caption, the shortcut and the text after a tab.
    void PaintTexts(vcl::TBitmap* ItemBmp, vcl::TMenuItem* Item, vcl::TOwnerDrawState State, int Extra);
    void PaintDivider(vcl::TCanvas* ACanvas, const vcl::TRect& ARect, vcl::TBitmap* MenuBmp, int Extra);
    void PaintCaption(vcl::TCanvas* ACanvas, const vcl::TRect& ARect, vcl::TMenuItem* Item, vcl::TBitmap* MenuBmp,
                      int Extra);
    // The background parts of PrepareMenuBG.
    void PaintIcoLine(vcl::TBitmap* MenuBmp, int Height, int Extra);
    void PaintExtraLine(vcl::TBitmap* MenuBmp, int Height);
    // The provider whose menu line a bar item of Item's menu lies on.
    TsSkinProvider* LineProvider(vcl::TMenuItem* Item) const;
    // The bar item's glyph in IB; the glyph column's width (glyph + 3), 0 without a glyph.
    int PaintLineGlyph(vcl::TBitmap* IB, vcl::TMenuItem* Item);
    // The extra line's caption, from bottom to top, ending Above pixels over the band's bottom.
    void WriteUpwards(vcl::TBitmap* Band, int Section, int Above);

    int FMargin = 2;
    vcl::TAlignment FAlignment = vcl::TAlignment::taLeftJustify;
    int FBevelWidth = 0;
    int FBorderWidth = 3;
    std::unique_ptr<vcl::TFont> FCaptionFont;
    int FSkinBorderWidth = 0;
    int FSpacing = 8;
    TsMenuManagerDrawItemEvent FOnDrawItem;
    TAOR ArOR;
    bool FActive = false;
    TsSkinManager* FOwner;
    bool BorderDrawing = false;
    // Where the client area of the menu window being painted starts in its background: the items'
    // rectangles are client coordinates, the background covers the whole window.
    vcl::TPoint FClientOrigin;
};

// The background cache, in creation order.
extern std::vector<TacMenuInfo> MenuInfoArray;
// The provider of the MDI main form; none otherwise.
extern TsSkinProvider* MDISkinProvider;
// The menu being opened was measured here: its windows are skinned.
extern bool acCanHookMenu;
// Used instead of the screen's menu font when set.
extern vcl::TFont* CustomMenuFont;
extern TsMenuItemType CurrentItemType;
// The extra-line data of the last query.
extern vcl::String ExtraLineSection;
extern vcl::String ExtraLineCaption;
extern std::unique_ptr<vcl::TBitmap> ExtraLineGlyph;
// The icon column's width of the last background made.
extern int IcoLineWidth;

// The private messages to the application window that ask for a popup menu window's border: by an
// item of the menu (LParam), or by the window (LParam).
constexpr UINT WM_MENUBORDERBYITEM = 0xBCB3;
constexpr UINT WM_MENUBORDERBYWINDOW = 0xBCB4;

// Frees every cached background.
void ClearCache();
void DeleteUnusedBmps();
// The MDI main form's active child is maximised and shows its icon in the menu line.
bool ChildIconPresent();

// The size of the glyph column of an item: its bitmap's, else the parent's SubMenuImages', else the
// menu's Images', else 16 x 16.
vcl::TSize GlyphSize(vcl::TMenuItem* Item);
// The item or one before it in its parent starts a new column.
bool Breaked(vcl::TMenuItem* Item);
// The caption begins and ends with '-' (a caption item).
bool IsDivText(vcl::TMenuItem* Item);
// A top-level item of a main menu.
bool IsTopLine(vcl::TMenuItem* Item);

}  // namespace skin
