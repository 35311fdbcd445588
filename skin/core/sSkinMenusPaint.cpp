// Skinned menus: painting popup items, dividers, caption items and the extra line.
#include "skin/core/sSkinMenus.h"

#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/application.h"

#include <algorithm>

namespace skin {

using vcl::String;
using vcl::TMenuItem;
using vcl::TOwnerDrawStateItem;
using vcl::TRect;

namespace {

// Where the client area of a menu window starts in its background when the window is not known:
// inside the system's 3-pixel frame.
constexpr vcl::TPoint DefaultClientOrigin(3, 3);
// The gap kept right of shortcuts and of the text after a tab.
constexpr int RightGap = 8;

const wchar_t* const ItemSection = L"MENUITEM";
const wchar_t* const SysMenuPrefix = L"acSysMenu";

// The symbol fonts of system-menu items: the first the system has; both hold the same symbols.
const wchar_t* const SymbolFonts[] = {L"Webdings", L"Marlett"};

struct TSysSymbol {
    intptr_t Command;
    const wchar_t* Symbol;
};
const TSysSymbol SysSymbols[] = {{SC_MINIMIZE, L"0"}, {SC_MAXIMIZE, L"1"}, {SC_CLOSE, L"r"}, {SC_RESTORE, L"2"}};

bool HasFont(const wchar_t* Face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(wanted.lfFaceName, Face, _TRUNCATE);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(
        dc, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM Found) -> int {
            *reinterpret_cast<bool*>(Found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

const wchar_t* SymbolFont()
{
    static const wchar_t* const face = HasFont(SymbolFonts[0]) ? SymbolFonts[0] : SymbolFonts[1];
    return face;
}

vcl::TCustomImageList* ImagesOf(TMenuItem* Item)
{
    if (Item->Parent() && Item->Parent()->SubMenuImages())
        return Item->Parent()->SubMenuImages();
    vcl::TMenu* menu = Item->GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool HasBitmap(TMenuItem* Item) { return Item->Bitmap() && !Item->Bitmap()->Empty(); }

bool Has(vcl::TOwnerDrawState State, TOwnerDrawStateItem Item) { return State.Contains(Item); }

void Copy(HDC To, int X, int Y, int W, int H, vcl::TBitmap* From, int FromX, int FromY)
{
    const TCanvasLock lock(From->Canvas());
    BitBlt(To, X, Y, W, H, From->Canvas()->Handle(), FromX, FromY, SRCCOPY);
}

// The item's own OnDrawItem after the skinned painting, with the menu canvas unlocked at last.
class TItemPaintScope {
public:
    TItemPaintScope(TMenuItem* Item, vcl::TCanvas* Canvas, const TRect& R, bool Selected)
        : FItem(Item), FCanvas(Canvas), FRect(R), FSelected(Selected)
    {
        FCanvas->Lock();
    }
    ~TItemPaintScope()
    {
        if (const vcl::TMenuDrawItemEvent own = FItem->OnDrawItem())
            own(FItem, FCanvas, FRect, FSelected);
        FCanvas->Unlock();
    }
    TItemPaintScope(const TItemPaintScope&) = delete;
    TItemPaintScope& operator=(const TItemPaintScope&) = delete;

private:
    TMenuItem* FItem;
    vcl::TCanvas* FCanvas;
    TRect FRect;
    bool FSelected;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Popup items

void TsSkinableMenus::sAdvancedDrawItem(vcl::TObject* Sender, vcl::TCanvas* ACanvas, const TRect& ARect,
                                        vcl::TOwnerDrawState State)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || !ManagerActive())
        return;
    if (acDroppedDownControl) {
        RestoreHints();
        acDroppedDownControl = nullptr;
    }
    const TItemPaintScope scope(item, ACanvas, ARect, Has(State, TOwnerDrawStateItem::odSelected));
    const HWND wnd = IsNT ? WindowFromDC(ACanvas->Handle()) : nullptr;
    RECT wr{};
    FClientOrigin = DefaultClientOrigin;
    if (wnd) {
        GetWindowRect(wnd, &wr);
        POINT client{0, 0};
        ClientToScreen(wnd, &client);
        FClientOrigin = vcl::TPoint(client.x - wr.left, client.y - wr.top);
    } else
        wr = RECT{0, 0, ParentWidth(ACanvas, item) + 2 * FBorderWidth, ParentHeight(ACanvas, item) + 2 * FBorderWidth};
    const TacMenuInfo info = GetMenuInfo(item, wr.right - wr.left, wr.bottom - wr.top, wnd);
    vcl::TBitmap* menuBmp = info.Bmp;
    const int extra = ExtraWidth(info);
    if (wnd && menuBmp)
        RepairFrame(wnd, menuBmp, item, ARect, extra);
    else if (!wnd)
        PostBorderRequest(item);
    if (item->Caption() == L"-")
        PaintDivider(ACanvas, ARect, menuBmp, extra);
    else if (IsDivText(item))
        PaintCaption(ACanvas, ARect, item, menuBmp, extra);
    else {
        CurrentItemType = TsMenuItemType::smNormal;
        if (menuBmp)
            PaintNormalItem(item, ACanvas, ARect, State, info);
    }
}

void TsSkinableMenus::RepairFrame(HWND Wnd, vcl::TBitmap* MenuBmp, TMenuItem* Item, const TRect& ARect, int Extra)
{
    HDC dc = GetWindowDC(Wnd);
    const int w = MenuBmp->Width();
    const int h = MenuBmp->Height();
    if (Item == FirstVisibleSibling(Item)) {
        Copy(dc, 0, 0, w, FBorderWidth, MenuBmp, 0, 0);
        const int left = std::max(GetSkinBorderWidth(), FBorderWidth) + (Breaked(Item) ? 0 : Extra);
        Copy(dc, 0, 0, left, h, MenuBmp, 0, 0);
    }
    if (Item == LastVisibleSibling(Item))
        Copy(dc, 0, h - FBorderWidth, w, FBorderWidth, MenuBmp, 0, h - FBorderWidth);
    const int top = FClientOrigin.y + ARect.top;
    Copy(dc, w - FBorderWidth, top, FBorderWidth, ARect.Height(), MenuBmp, w - FBorderWidth, top);
    ReleaseDC(Wnd, dc);
}

void TsSkinableMenus::PostBorderRequest(TMenuItem* Item)
{
    if (!vcl::Application || !vcl::Application->Handle())
        return;
    MSG pending{};
    if (!PeekMessageW(&pending, vcl::Application->Handle(), WM_MENUBORDERBYITEM, WM_MENUBORDERBYWINDOW, PM_NOREMOVE))
        PostMessageW(vcl::Application->Handle(), WM_MENUBORDERBYITEM, Item->Command(), reinterpret_cast<LPARAM>(Item));
}

void TsSkinableMenus::FillColumn(vcl::TCanvas* ACanvas, vcl::TBitmap* MenuBmp, TMenuItem* Item, const TRect& ARect)
{
    TMenuItem* parent = Item->Parent();
    const int index = parent ? parent->IndexOf(Item) : 0;
    const bool last = !parent || index == parent->Count() - 1;
    const int bottom = MenuBmp->Height() - FClientOrigin.y - FBorderWidth;
    if ((!last && parent->Items(index + 1)->Break() != vcl::TMenuBreak::mbNone) || (last && bottom > ARect.bottom))
        Copy(ACanvas->Handle(), ARect.left, ARect.bottom, ARect.Width(), bottom - ARect.bottom, MenuBmp,
             ARect.left + FClientOrigin.x, ARect.bottom + FClientOrigin.y);
    if (Item->Break() != vcl::TMenuBreak::mbNone)
        Copy(ACanvas->Handle(), ARect.left - 4, ARect.top, 4, bottom, MenuBmp, ARect.left - 4 + FClientOrigin.x,
             ARect.top + FClientOrigin.y);
}

void TsSkinableMenus::PaintNormalItem(TMenuItem* Item, vcl::TCanvas* ACanvas, const TRect& ARect,
                                      vcl::TOwnerDrawState State, const TacMenuInfo& Info)
{
    vcl::TBitmap* menuBmp = Info.Bmp;
    FillColumn(ACanvas, menuBmp, Item, ARect);
    const int shift = Breaked(Item) ? 0 : ExtraWidth(Info);
    const int h = std::max<int>(ARect.Height(), 0);
    const auto itemBmp = CreateBmp32(std::max<int>(0, ARect.Width() - shift), h);
    const int x = shift + ARect.left;
    const bool selected = Item->Enabled() && Has(State, TOwnerDrawStateItem::odSelected);
    const int section = FOwner->GetSkinIndex(ItemSection);
    if (FOwner->IsValidSkinIndex(section))
        PaintItem(section, ItemSection, MakeCacheInfo(menuBmp, x + FClientOrigin.x, ARect.top + FClientOrigin.y),
                  selected ? 1 : 0, TRect(0, 0, itemBmp->Width(), h), vcl::TPoint(0, 0), itemBmp.get(), FOwner);
    if (Has(State, TOwnerDrawStateItem::odChecked) && !HasBitmap(Item) && !(ImagesOf(Item) && Item->ImageIndex() >= 0))
        PaintCheck(itemBmp.get(), Item, selected);
    PaintGlyph(itemBmp.get(), Item, State);
    PaintTexts(itemBmp.get(), Item, State, ExtraWidth(Info));
    if (FOnDrawItem)
        FOnDrawItem(Item, itemBmp->Canvas(), TRect(0, 0, itemBmp->Width(), itemBmp->Height()), State, CurrentItemType);
    if (!Item->Enabled()) {
        const TRect under =
            TRect(0, 0, itemBmp->Width() - 1, h - 1).Offsetted(x + FClientOrigin.x, ARect.top + FClientOrigin.y);
        BlendTransRectangle(PixelsOf(itemBmp.get()), 0, 0, PixelsOf(menuBmp), under, 0.4, vcl::clFuchsia);
    }
    Copy(ACanvas->Handle(), x, ARect.top, itemBmp->Width(), h, itemBmp.get(), 0, 0);
    if (Item->MenuIndex() == 0 && shift > 0 && (!IsNT || OSVersionInfo.dwMajorVersion >= 6))
        Copy(ACanvas->Handle(), 0, 0, shift, menuBmp->Height(), menuBmp, FClientOrigin.x, FClientOrigin.y);
}

void TsSkinableMenus::PaintCheck(vcl::TBitmap* ItemBmp, TMenuItem* Item, bool Selected)
{
    const int global = FOwner->ConstData.IndexGLobalInfo;
    int mask = FOwner->GetMaskIndex(global, L"GLOBALINFO", Item->RadioItem() ? L"RADIOCHECKED" : L"CHECK");
    if (!FOwner->IsValidImgIndex(mask))
        mask = FOwner->GetMaskIndex(global, L"GLOBALINFO", L"BOXCHECKED");
    if (!FOwner->IsValidImgIndex(mask))
        return;
    const TsMaskData& glyph = FOwner->ma[size_t(mask)];
    const vcl::TPoint at(FMargin, (ItemBmp->Height() - HeightOfImage(glyph)) / 2);
    const TPixelView pixels = PixelsOf(ItemBmp);
    DrawSkinGlyph(pixels, at, Selected ? 1 : 0, 1, glyph, TCacheView{pixels, 0, 0, vcl::clFuchsia, true});
}

void TsSkinableMenus::PaintPressedFrame(vcl::TBitmap* ItemBmp, const TRect& Glyph)
{
    const wchar_t* const name = L"SPEEDBUTTON_SMALL";
    const int section = FOwner->GetSkinIndex(name);
    if (FOwner->IsValidSkinIndex(section))
        PaintItem(section, name, MakeCacheInfo(ItemBmp), 2, Glyph.Inflated(1, 1),
                  vcl::TPoint(Glyph.left - 1, Glyph.top - 1), ItemBmp, FOwner);
}

void TsSkinableMenus::PaintGlyph(vcl::TBitmap* ItemBmp, TMenuItem* Item, vcl::TOwnerDrawState State)
{
    const bool checked = Has(State, TOwnerDrawStateItem::odChecked);
    vcl::TCustomImageList* images = ImagesOf(Item);
    if (HasBitmap(Item)) {
        vcl::TBitmap* bitmap = Item->Bitmap();
        const int top = (ItemBmp->Height() - bitmap->Height()) / 2;
        const TRect glyph(top, top, top + bitmap->Width(), top + bitmap->Height());
        if (checked)
            PaintPressedFrame(ItemBmp, glyph);
        if (bitmap->PixelFormat() == vcl::TPixelFormat::pf32bit)
            CopyByMask(glyph, TRect(0, 0, bitmap->Width(), bitmap->Height()), PixelsOf(ItemBmp), PixelsOf(bitmap),
                       TCacheView{}, false);
        else
            ItemBmp->Canvas()->Draw(top, top, bitmap);
    } else if (images && Item->ImageIndex() >= 0) {
        const int top = (ItemBmp->Height() - images->Height()) / 2;
        if (checked)
            PaintPressedFrame(ItemBmp, TRect(top, top, top + images->Width(), top + images->Height()));
        images->Draw(ItemBmp->Canvas(), top, top, Item->ImageIndex(), true);
    } else if (vcl::TMenu* menu = Item->GetParentMenu(); menu && menu->Name().starts_with(SysMenuPrefix)) {
        PaintSysSymbol(ItemBmp, Item,
                       Item->Enabled() && (Has(State, TOwnerDrawStateItem::odSelected) ||
                                           Has(State, TOwnerDrawStateItem::odHotLight)));
    }
}

void TsSkinableMenus::PaintSysSymbol(vcl::TBitmap* ItemBmp, TMenuItem* Item, bool Hot)
{
    const auto symbol = std::find_if(std::begin(SysSymbols), std::end(SysSymbols),
                                     [&](const TSysSymbol& s) { return s.Command == Item->Tag(); });
    if (symbol == std::end(SysSymbols))
        return;
    vcl::TCanvas* canvas = ItemBmp->Canvas();
    canvas->Font()->SetName(SymbolFont());
    canvas->Font()->SetSize(10);
    canvas->Font()->SetStyle(vcl::TFontStyles());
    canvas->Font()->SetCharset(SYMBOL_CHARSET);
    const int th = acTextHeight(canvas, symbol->Symbol);
    const int top = (ItemBmp->Height() - th) / 2;
    TRect r(4, top, th + 14, top + th);
    acWriteTextEx(canvas, symbol->Symbol, true, r, 0, FOwner->GetSkinIndex(ItemSection), Hot, FOwner);
}

void TsSkinableMenus::PaintTexts(vcl::TBitmap* ItemBmp, TMenuItem* Item, vcl::TOwnerDrawState State, int Extra)
{
    vcl::TCanvas* canvas = ItemBmp->Canvas();
    SetMenuFont(canvas, Item, false);
    if (Has(State, TOwnerDrawStateItem::odDefault))
        canvas->Font()->SetStyle(vcl::TFontStyles{vcl::TFontStyle::fsBold});
    int section = FOwner->GetSkinIndex(ItemSection);
    if (const TacGetPopupItemData event = FOwner->OnGetPopupItemData()) {
        const vcl::TColor before = canvas->Font()->Color();
        event(Item, State, TacMenuItemData{canvas->Font()});
        if (canvas->Font()->Color() != before)
            section = -1;
    }
    const bool hot =
        Item->Enabled() && (Has(State, TOwnerDrawStateItem::odSelected) || Has(State, TOwnerDrawStateItem::odHotLight));
    const int w = ItemBmp->Width() + (Breaked(Item) ? 0 : Extra);
    const int h = ItemBmp->Height();
    String caption = Item->Caption();
    String right;
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT align = alignments[static_cast<int>(FAlignment)];
    if (const size_t tab = caption.find(L'\t'); tab != String::npos) {
        right = caption.substr(tab + 1);
        caption.erase(tab);
        align = DT_LEFT;
    } else if (!caption.empty() && caption.front() == L'\b') {
        caption = caption.substr(1) + L"      ";
        align = DT_RIGHT;
    }
    const UINT prefix = Has(State, TOwnerDrawStateItem::odNoAccel) ? DT_HIDEPREFIX : 0;
    TRect last(GlyphSize(Item).cx + 2 * FMargin + FSpacing, 0, w, h);
    TRect r = last;
    acWriteTextEx(canvas, caption, true, r, align | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | prefix,
                  section, hot, FOwner);
    if (const String shortcut = vcl::ShortCutToText(Item->ShortCut()); !shortcut.empty()) {
        TRect measured(0, 0, 0, 0);
        acDrawText(FontReadyDC(canvas), shortcut, measured, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
        last = TRect(w - measured.Width() - RightGap - Extra, 0, w - RightGap - Extra, h);
        r = last;
        acWriteTextEx(canvas, shortcut, true, r, DT_VCENTER | DT_SINGLELINE, section, hot, FOwner);
    }
    if (!right.empty()) {
        r = TRect(last.left - Extra, last.top, last.right - RightGap - Extra, last.bottom);
        acWriteTextEx(canvas, right, true, r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, section, hot, FOwner);
    }
}

// ---------------------------------------------------------------------------------------------
// Bar items of main menus

namespace {

const wchar_t* const LineSection = L"MENULINE";
// The weight of the menu line's own pixels over a disabled bar item.
constexpr uint8_t DisabledLineWeight = 102;

// Where a bar item at ARect lies in the provider's menu line: on the provider's cache the item is
// in cache coordinates, on the window in window coordinates.
vcl::TPoint PlaceInMenuLine(TsSkinProvider* Provider, vcl::TCanvas* ACanvas, const TRect& ARect)
{
    const HWND wnd = Provider->Form->Handle();
    const TacBorderGeometry* border = Provider->BorderForm.get();
    const int sysBorder = SysBorderWidth(wnd, border, false);
    vcl::TBitmap* cache = Provider->SkinData()->FCacheBmp.get();
    if (cache && ACanvas == cache->Canvas()) {
        const TRect shadow = Provider->ShadowSize();
        const int caption = border ? Provider->CaptionHeight(true) + shadow.top
                                   : SysCaptHeight(Provider->Form) + sysBorder;
        return vcl::TPoint(ARect.left - shadow.left - sysBorder, ARect.top - caption);
    }
    const int dy = border ? ARect.top - Provider->CaptionHeight(true) + DiffTitle(border) + (Provider->FSysExHeight ? 4 : 0)
                          : ARect.top - SysCaptHeight(Provider->Form) - sysBorder + DiffTitle(border);
    return vcl::TPoint(ARect.left - sysBorder + DiffBorder(border), dy);
}

}  // namespace

TsSkinProvider* TsSkinableMenus::LineProvider(TMenuItem* Item) const
{
    TsSkinProvider* provider = nullptr;
    try {
        if (vcl::TMenu* menu = Item->GetParentMenu(); menu && menu->WindowHandle())
            provider = reinterpret_cast<TsSkinProvider*>(
                SendMessageW(menu->WindowHandle(), SkinCommandMessage, SkinCommandWParam(scmdQueryProvider), 0));
    } catch (const std::exception&) {
        provider = nullptr;  // a menu or form that cannot be asked counts as none
    }
    return provider ? provider : MDISkinProvider;
}

int TsSkinableMenus::PaintLineGlyph(vcl::TBitmap* IB, TMenuItem* Item)
{
    const int h = IB->Height();
    if (HasBitmap(Item)) {
        vcl::TBitmap* bitmap = Item->Bitmap();
        if (Item->Enabled())
            IB->Canvas()->Draw(3, (h - GlyphSize(Item).cy) / 2, bitmap);
        else
            IB->Canvas()->Draw(3, 1, bitmap);
        return bitmap->Width() + 3;
    }
    vcl::TMenu* menu = Item->GetParentMenu();
    vcl::TCustomImageList* images = menu ? menu->Images() : nullptr;
    if (!images || Item->ImageIndex() < 0)
        return 0;
    images->Draw(IB->Canvas(), 3, (h - images->Height()) / 2, Item->ImageIndex(), Item->Enabled());
    return images->Width() + 3;
}

void TsSkinableMenus::sAdvancedDrawLineItem(vcl::TObject* Sender, vcl::TCanvas* ACanvas, const TRect& ARect,
                                            vcl::TOwnerDrawState State)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || !FOwner)
        return;
    TsSkinProvider* provider = LineProvider(item);
    if (!provider || !provider->SkinData() || !provider->SkinData()->FCacheBmp || !provider->MenuLineBmp)
        return;
    vcl::TBitmap* line = provider->MenuLineBmp.get();
    const int w = std::max<int>(ARect.Width(), 0);
    const int h = std::max<int>(ARect.Height(), 0);
    const auto itemBmp = CreateBmp32(w, h);
    const vcl::TPoint at = PlaceInMenuLine(provider, ACanvas, ARect);
    const bool hot =
        item->Enabled() && (Has(State, TOwnerDrawStateItem::odSelected) || Has(State, TOwnerDrawStateItem::odHotLight));
    if (const int face = FOwner->GetSkinIndex(ItemSection); FOwner->IsValidSkinIndex(face))
        PaintItem(face, ItemSection, MakeCacheInfo(line, at.x, at.y), hot ? 1 : 0, TRect(0, 0, w, h),
                  vcl::TPoint(0, 0), itemBmp.get(), FOwner);
    const int glyphWidth = PaintLineGlyph(itemBmp.get(), item);
    vcl::TCanvas* canvas = itemBmp->Canvas();
    SetMenuFont(canvas, item, false);
    canvas->Font()->SetStyle(Has(State, TOwnerDrawStateItem::odDefault) ? vcl::TFontStyles{vcl::TFontStyle::fsBold}
                                                                        : vcl::TFontStyles());
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP |
                 alignments[static_cast<int>(FAlignment)];
    if (Has(State, TOwnerDrawStateItem::odNoAccel))
        flags |= DT_HIDEPREFIX;
    TRect text(glyphWidth + 2, 0, w - 2 * FMargin + 2, h);
    const int colours = FOwner->GetSkinIndex(LineSection);
    if (provider->BorderForm)
        WriteText32(itemBmp.get(), item->Caption(), true, text, flags, colours, hot, FOwner);
    else
        WriteTextEx(canvas, item->Caption(), true, text, flags, colours, hot, FOwner);
    if (FOnDrawItem)
        FOnDrawItem(item, canvas, TRect(0, 0, w, h), State, TsMenuItemType::smTopLine);
    if (!item->Enabled())
        SumBmpRect(PixelsOf(itemBmp.get()), PixelsOf(line), DisabledLineWeight, TRect(at.x, at.y, at.x + w, at.y + h),
                   vcl::TPoint(0, 0));
    Copy(ACanvas->Handle(), ARect.left, ARect.top, w, h, itemBmp.get(), 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Dividers and caption items

void TsSkinableMenus::PaintDivider(vcl::TCanvas* ACanvas, const TRect& ARect, vcl::TBitmap* MenuBmp, int Extra)
{
    const int w = ARect.Width();
    const int h = ARect.Height();
    TRect line(Extra + FMargin + FSpacing, 0, w - FMargin, h);
    if (line.left < Extra + IcoLineWidth)
        line.left = Extra + IcoLineWidth + 2;
    const wchar_t* const name = L"DIVIDERV";
    const int mask = FOwner->GetMaskIndex(FOwner->GetSkinIndex(name), name, L"BORDERSMASK");
    if (!FOwner->IsValidImgIndex(mask)) {
        if (MenuBmp)
            Copy(ACanvas->Handle(), ARect.left, ARect.top, w, h, MenuBmp, ARect.left + FClientOrigin.x,
                 ARect.top + FClientOrigin.y);
        const vcl::TColor border = FOwner->SkinData->BorderColor;
        HPEN pen = CreatePen(PS_SOLID, 1, vcl::ColorToRGB(border == vcl::clFuchsia ? vcl::clBtnShadow : border));
        HDC dc = ACanvas->Handle();
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, ARect.left + line.left, ARect.top, nullptr);
        LineTo(dc, ARect.left + line.right, ARect.top);
        DeleteObject(SelectObject(dc, old));
        return;
    }
    const auto bmp = CreateBmp32(w, h);
    if (MenuBmp)
        Copy(bmp->Canvas()->Handle(), 0, 0, w, h, MenuBmp, ARect.left + FClientOrigin.x, ARect.top + FClientOrigin.y);
    const TPixelView pixels = PixelsOf(bmp.get());
    DrawSkinRect(pixels, line, TCacheView{pixels, 0, 0, vcl::clFuchsia, true}, FOwner->ma[size_t(mask)], 0, true);
    Copy(ACanvas->Handle(), ARect.left, ARect.top, w, h, bmp.get(), 0, 0);
}

void TsSkinableMenus::PaintCaption(vcl::TCanvas* ACanvas, const TRect& ARect, TMenuItem* Item, vcl::TBitmap* MenuBmp,
                                   int Extra)
{
    const int w = ARect.Width();
    const int h = ARect.Height();
    const auto bmp = CreateBmp32(w, h);
    const wchar_t* name = L"MENUCAPTION";
    int section = FOwner->GetSkinIndex(name);
    if (!FOwner->IsValidSkinIndex(section)) {
        name = L"TOOLBAR";
        section = FOwner->GetSkinIndex(name);
    }
    const int bgX = ARect.left + FClientOrigin.x;
    const int bgY = ARect.top + FClientOrigin.y;
    if (MenuBmp) {
        if (Extra > 0)
            Copy(bmp->Canvas()->Handle(), 0, 0, Extra + 1, h, MenuBmp, bgX, bgY);
        const TCanvasLock to(bmp->Canvas()), from(MenuBmp->Canvas());
        BitBltBorder(bmp->Canvas()->Handle(), 0, 0, w, h, MenuBmp->Canvas()->Handle(), bgX, bgY, 1);
    }
    if (FOwner->IsValidSkinIndex(section))
        PaintItem(section, name, MakeCacheInfo(MenuBmp, Extra + bgX + 1, bgY + 1), 0, TRect(Extra + 1, 1, w - 1, h - 1),
                  vcl::TPoint(0, 0), bmp.get(), FOwner);
    bmp->Canvas()->Font()->Assign(FCaptionFont.get());
    const String& caption = Item->Caption();
    const size_t start = caption.find_first_not_of(L'-');
    const String text = start == String::npos ? String() : caption.substr(start, caption.find(L'-', start) - start);
    TRect r(Extra, 0, w, h);
    acWriteTextEx(bmp->Canvas(), text, true, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX, section, false,
                  FOwner);
    Copy(ACanvas->Handle(), ARect.left, ARect.top, w, h, bmp.get(), 0, 0);
}

// ---------------------------------------------------------------------------------------------
// The extra line

void TsSkinableMenus::PaintExtraLine(vcl::TBitmap* MenuBmp, int Height)
{
    const int section = FOwner->GetSkinIndex(ExtraLineSection);
    if (FOwner->IsValidSkinIndex(section)) {
        const int border = GetSkinBorderWidth();
        const TacMenuSupport* support = FOwner->MenuSupport();
        const auto band = CreateBmp32(support->ExtraLineWidth(), std::max(Height - 2 * border, 0));
        PaintItem(section, ExtraLineSection, MakeCacheInfo(MenuBmp, border, border), 0,
                  TRect(0, 0, band->Width(), band->Height()), vcl::TPoint(0, 0), band.get(), FOwner);
        int above = 12;
        if (ExtraLineGlyph) {
            band->Canvas()->Draw((band->Width() - ExtraLineGlyph->Width()) / 2,
                                 band->Height() - 12 - ExtraLineGlyph->Height(), ExtraLineGlyph.get());
            above = ExtraLineGlyph->Height() + 20;
        }
        if (!ExtraLineCaption.empty())
            WriteUpwards(band.get(), section, above);
        Copy(MenuBmp->Canvas()->Handle(), border, border, band->Width(), band->Height(), band.get(), 0, 0);
    }
    ExtraLineGlyph.reset();
}

void TsSkinableMenus::WriteUpwards(vcl::TBitmap* Band, int Section, int Above)
{
    const vcl::TFont* source = FOwner->MenuSupport()->ExtraLineFont();
    LOGFONTW lf{};
    wcsncpy_s(lf.lfFaceName, source->Name().c_str(), _TRUNCATE);
    // The point size is taken as the cell height in pixels.
    lf.lfHeight = source->Size();
    lf.lfEscapement = -2700;
    lf.lfOrientation = -2700;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = source->Style().Contains(vcl::TFontStyle::fsItalic);
    lf.lfUnderline = source->Style().Contains(vcl::TFontStyle::fsUnderline);
    lf.lfStrikeOut = source->Style().Contains(vcl::TFontStyle::fsStrikeOut);
    lf.lfCharSet = source->Charset();
    HFONT font = CreateFontIndirectW(&lf);
    vcl::TCanvas* canvas = Band->Canvas();
    const TCanvasLock lock(canvas);
    HDC dc = canvas->Handle();
    HGDIOBJ old = SelectObject(dc, font);
    vcl::TSize extent;
    acGetTextExtent(dc, ExtraLineCaption, extent);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, vcl::ColorToRGB(FOwner->gd[size_t(Section)].FontColor.Color));
    const RECT clip{0, 0, Band->Width(), Band->Height()};
    ExtTextOutW(dc, (Band->Width() - extent.cy) / 2, Band->Height() - Above, ETO_CLIPPED, &clip,
                ExtraLineCaption.c_str(), static_cast<UINT>(ExtraLineCaption.size()), nullptr);
    SelectObject(dc, old);
    DeleteObject(font);
}

}  // namespace skin
