// Skinned menus: taking menus over, measuring items, the background cache and the menu window's
// region and frame.
#include "skin/core/sSkinMenus.h"

#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/application.h"
#include "vcl/forms.h"
#include "vcl/screen.h"
#include "vcl/seams.h"

#include <algorithm>
#include <cmath>

namespace skin {

using vcl::String;
using vcl::TMenuItem;

std::vector<TacMenuInfo> MenuInfoArray;
TsSkinProvider* MDISkinProvider = nullptr;
bool acCanHookMenu = false;
vcl::TFont* CustomMenuFont = nullptr;
TsMenuItemType CurrentItemType = TsMenuItemType::smNormal;
String ExtraLineSection;
String ExtraLineCaption;
std::unique_ptr<vcl::TBitmap> ExtraLineGlyph;
int IcoLineWidth = 0;

namespace {

// Set while the program's extra-line event runs from the measurer.
bool ExtraLineQuerying = false;

const wchar_t* const MainMenuSection = L"MAINMENU";
const wchar_t* const BordersMask = L"BORDERSMASK";

// The cached backgrounds, freed with the cache.
std::vector<std::unique_ptr<vcl::TBitmap>>& CachedBitmaps()
{
    static std::vector<std::unique_ptr<vcl::TBitmap>> bitmaps;
    return bitmaps;
}

// The first item of Item's level: its parent's first item.
TMenuItem* FirstItemOf(TMenuItem* Item)
{
    TMenuItem* parent = Item->Parent();
    return parent && parent->Count() > 0 ? parent->Items(0) : Item;
}

bool Destroying(const vcl::TComponent* Component)
{
    return Component->ComponentState().Contains(vcl::TComponentStateItem::csDestroying);
}

// Until menu windows are wrapped, a level whose window has gone means the menu closed: the whole
// cache goes, as it does when a wrapped menu window is destroyed.
void DropClosedMenus()
{
    if (std::any_of(MenuInfoArray.begin(), MenuInfoArray.end(),
                    [](const TacMenuInfo& Info) { return Info.Wnd && !IsWindow(Info.Wnd); }))
        ClearCache();
}

// Visit for every visible item of Item's level, in order.
template <class TVisit>
void ForVisibleSiblings(TMenuItem* Item, TVisit&& Visit)
{
    TMenuItem* parent = Item->Parent();
    if (!parent)
        return;
    for (int i = 0; i < parent->Count(); ++i)
        if (TMenuItem* sibling = parent->Items(i); sibling->Visible())
            Visit(sibling);
}

// Round to nearest, halves to even.
int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Measures of items

vcl::TSize GlyphSize(TMenuItem* Item)
{
    if (Item->Bitmap() && !Item->Bitmap()->Empty())
        return vcl::TSize{Item->Bitmap()->Width(), Item->Bitmap()->Height()};
    if (Item->Parent() && Item->Parent()->SubMenuImages())
        return vcl::TSize{Item->Parent()->SubMenuImages()->Width(), Item->Parent()->SubMenuImages()->Height()};
    if (vcl::TMenu* menu = Item->GetParentMenu(); menu && menu->Images())
        return vcl::TSize{menu->Images()->Width(), menu->Images()->Height()};
    return vcl::TSize{16, 16};
}

bool Breaked(TMenuItem* Item)
{
    TMenuItem* parent = Item->Parent();
    if (!parent)
        return Item->Break() != vcl::TMenuBreak::mbNone;
    for (int i = 0, last = parent->IndexOf(Item); i <= last; ++i)
        if (parent->Items(i)->Break() != vcl::TMenuBreak::mbNone)
            return true;
    return false;
}

bool IsDivText(TMenuItem* Item)
{
    const String& caption = Item->Caption();
    return !caption.empty() && caption.front() == L'-' && caption.back() == L'-';
}

bool IsTopLine(TMenuItem* Item) { return Item->IsTopLevel(); }

// ---------------------------------------------------------------------------------------------
// Life and properties

TsSkinableMenus::TsSkinableMenus(TsSkinManager* AOwner) : FCaptionFont(std::make_unique<vcl::TFont>()), FOwner(AOwner)
{
}

void TsSkinableMenus::SetAlignment(vcl::TAlignment Value)
{
    if (FAlignment != Value)
        FAlignment = Value;
}

bool TsSkinableMenus::Designing() const
{
    return FOwner && FOwner->ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
}

bool TsSkinableMenus::ManagerActive() const { return FOwner && FOwner->Active(); }

// ---------------------------------------------------------------------------------------------
// Taking menus over

void TsSkinableMenus::InitItem(TMenuItem* Item, bool A)
{
    const vcl::TAdvancedMenuDrawItemEvent painter(this, &TsSkinableMenus::sAdvancedDrawItem);
    const vcl::TMenuMeasureItemEvent measurer(this, &TsSkinableMenus::sMeasureItem);
    const vcl::TAdvancedMenuDrawItemEvent linePainter(this, &TsSkinableMenus::sAdvancedDrawLineItem);
    const vcl::TMenuMeasureItemEvent lineMeasurer(this, &TsSkinableMenus::sMeasureLineItem);
    if (!A) {
        if (Item->OnAdvancedDrawItem() == painter || Item->OnAdvancedDrawItem() == linePainter)
            Item->SetOnAdvancedDrawItem(nullptr);
        if (Item->OnMeasureItem() == measurer || Item->OnMeasureItem() == lineMeasurer)
            Item->SetOnMeasureItem(nullptr);
        return;
    }
    if (IsTopLine(Item)) {
        Item->SetOnAdvancedDrawItem(linePainter);
        Item->SetOnMeasureItem(lineMeasurer);
        return;
    }
    if (!FOwner->SkinnedPopups())
        return;
    if (!Item->OnAdvancedDrawItem())
        Item->SetOnAdvancedDrawItem(painter);
    if (!Item->OnMeasureItem())
        Item->SetOnMeasureItem(measurer);
}

void TsSkinableMenus::HookItem(TMenuItem* MenuItem, bool Active)
{
    for (int i = 0; i < MenuItem->Count(); ++i) {
        TMenuItem* item = MenuItem->Items(i);
        if (!(Active && IsTopLine(item)))
            InitItem(item, Active);
        HookItem(item, Active);
    }
}

void TsSkinableMenus::HookPopupMenu(vcl::TPopupMenu* Menu, bool Active)
{
    Menu->SetOwnerDraw(Active && FOwner->SkinnedPopups());
    vcl::TMenuAnimation animation = Menu->MenuAnimation();
    if (Active)
        animation << vcl::TMenuAnimations::maNone;
    else
        animation >> vcl::TMenuAnimations::maNone;
    Menu->SetMenuAnimation(animation);
    HookItem(Menu->Items(), Active);
}

void TsSkinableMenus::InitMenuLine(vcl::TMainMenu* Menu, bool A)
{
    TMenuItem* items = Menu->Items();
    for (int i = 0; i < items->Count(); ++i) {
        if (A && ManagerActive() && !FOwner->SkinnedPopups())
            return;
        if (!A || ManagerActive())
            InitItem(items->Items(i), A);
    }
    if (!Destroying(Menu) && items->Count() > 0)
        Menu->SetOwnerDraw(A);
}

void TsSkinableMenus::InitItems(bool A)
{
    FActive = A;
    if (Designing() || !vcl::Application)
        return;
    const bool popups = A && FOwner->SkinnedPopups();
    const auto visit = [&](auto&& self, vcl::TComponent* Owner) -> void {
        for (int i = 0; i < Owner->ComponentCount(); ++i) {
            vcl::TComponent* c = Owner->Components(i);
            if (auto* popup = dynamic_cast<vcl::TPopupMenu*>(c))
                HookPopupMenu(popup, popups);
            else if (auto* main = dynamic_cast<vcl::TMainMenu*>(c)) {
                InitMenuLine(main, A);
                for (int j = 0; j < main->Items()->Count(); ++j)
                    HookItem(main->Items()->Items(j), popups);
            }
            else if (auto* item = dynamic_cast<TMenuItem*>(c);
                     item && !dynamic_cast<vcl::TMainMenu*>(item->GetParentMenu()))
                HookItem(item, popups);
            self(self, c);
        }
    };
    visit(visit, vcl::Application);
}

void TsSkinableMenus::SetActive(bool Value)
{
    if (Value != FActive)
        InitItems(Value);
}

void TsSkinableMenus::UpdateMenus() { SetActive(FOwner->SkinData->Active); }

// ---------------------------------------------------------------------------------------------
// Measuring

void TsSkinableMenus::SetMenuFont(vcl::TCanvas* Canvas, TMenuItem* Item, bool Bold)
{
    if (CustomMenuFont)
        Canvas->Font()->Assign(CustomMenuFont);
    else if (vcl::Screen)
        Canvas->Font()->Assign(vcl::Screen->MenuFont());
    if (vcl::TCustomForm* form = GetOwnerForm(Item))
        Canvas->Font()->SetCharset(form->Font()->Charset());
    if (Bold)
        Canvas->Font()->SetStyle(Canvas->Font()->Style() + vcl::TFontStyle::fsBold);
}

bool TsSkinableMenus::QueryExtraLine(TMenuItem* FirstItem)
{
    if (FirstItem->Name() == L"SkinSelectItem")
        return false;
    ExtraLineSection = L"EXTRALINE";
    ExtraLineGlyph.reset();
    ExtraLineCaption = L"Use OnGetExtraLineData event";
    bool visible = true;
    if (const TacGetExtraLineData event = FOwner->OnGetMenuExtraLineData()) {
        vcl::TBitmap* glyph = nullptr;
        event(FirstItem, ExtraLineSection, ExtraLineCaption, glyph, visible);
        ExtraLineGlyph.reset(glyph);
    }
    ExtraLineCaption = DelChars(ExtraLineCaption, L'&');
    if (!visible)
        ExtraLineGlyph.reset();
    return visible;
}

void TsSkinableMenus::sMeasureItem(vcl::TObject* Sender, vcl::TCanvas* ACanvas, int& Width, int& Height)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || Destroying(item))
        return;
    acCanHookMenu = true;
    TacMenuInfo info = GetMenuInfo(item, 0, 0, nullptr);
    const String& caption = item->Caption();
    CurrentItemType = caption == L"-"   ? TsMenuItemType::smDivider
                      : IsDivText(item) ? TsMenuItemType::smCaption
                                        : TsMenuItemType::smNormal;
    if (!info.FirstItem) {
        info.FirstItem = FirstItemOf(item);
        if (!ExtraLineQuerying && !Designing()) {
            const TFlagScope querying(ExtraLineQuerying);
            info.HaveExtraLine = QueryExtraLine(info.FirstItem);
        }
    }
    SetMenuFont(ACanvas, item, item->Default());
    String text;
    if (CurrentItemType == TsMenuItemType::smCaption)
        text = L"-" + caption + L"-";
    else if (CurrentItemType == TsMenuItemType::smNormal)
        text = caption + vcl::ShortCutToText(item->ShortCut());
    vcl::TRect measured(0, 0, 1, 0);
    acDrawText(FontReadyDC(ACanvas), text, measured, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
    Width = 2 * GlyphSize(item).cx + measured.Width() + 3 * FMargin + FSpacing;
    if (info.HaveExtraLine && !Breaked(item))
        Width += ExtraWidth(info);
    Height = GetItemHeight(ACanvas, item);
}

void TsSkinableMenus::sMeasureLineItem(vcl::TObject* Sender, vcl::TCanvas* ACanvas, int& Width, int& Height)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item)
        return;
    Height = vcl::Seams().SystemMetrics(SM_CYMENU) - 1;
    SetMenuFont(ACanvas, item, item->Default());
    Width = ACanvas->TextWidth(DelChars(item->Caption(), L'&'));
    vcl::TMenu* menu = item->GetParentMenu();
    if (menu && menu->Images() && item->ImageIndex() >= 0)
        Width += menu->Images()->Width() + 6;
    else if (item->Bitmap() && !item->Bitmap()->Empty())
        Width += item->Bitmap()->Width() + 6;
}

int TsSkinableMenus::GetItemHeight(vcl::TCanvas* Canvas, TMenuItem* Item)
{
    SetMenuFont(Canvas, Item, false);
    if (Item->Caption() == L"-")
        return 2;
    const int text = RoundEven(acTextHeight(Canvas, L"W") * 1.25);
    if (IsDivText(Item))
        return text + 2 * FMargin;
    return std::max(text, static_cast<int>(GlyphSize(Item).cy)) + 2 * FMargin;
}

int TsSkinableMenus::ParentWidth(vcl::TCanvas* Canvas, TMenuItem* Item)
{
    int total = 0;
    int widest = 0;
    ForVisibleSiblings(Item, [&](TMenuItem* sibling) {
        if (sibling->Break() != vcl::TMenuBreak::mbNone) {
            total += widest + 4;
            widest = 0;
        }
        int w = 0;
        int h = 0;
        sMeasureItem(sibling, Canvas, w, h);
        widest = std::max(widest, w + 12);
    });
    return widest + total;
}

int TsSkinableMenus::ParentHeight(vcl::TCanvas* Canvas, TMenuItem* Item)
{
    int tallest = 0;
    int column = 0;
    ForVisibleSiblings(Item, [&](TMenuItem* sibling) {
        if (sibling->Break() != vcl::TMenuBreak::mbNone)
            column = 0;
        column += GetItemHeight(Canvas, sibling);
        tallest = std::max(tallest, column);
    });
    return tallest;
}

int TsSkinableMenus::GetSkinBorderWidth()
{
    if (FSkinBorderWidth >= 0)
        return FSkinBorderWidth;
    const int mask = FOwner->GetMaskIndex(FOwner->GetSkinIndex(MainMenuSection), MainMenuSection, BordersMask);
    if (!FOwner->IsValidImgIndex(mask))
        FSkinBorderWidth = 0;
    else if (const int width = FOwner->ma[size_t(mask)].BorderWidth; width < 1)
        FSkinBorderWidth = 3;
    else
        FSkinBorderWidth = width;
    return FSkinBorderWidth;
}

int TsSkinableMenus::ExtraWidth(const TacMenuInfo& Info) const
{
    const TacMenuSupport* support = FOwner->MenuSupport();
    return support->UseExtraLine() && Info.HaveExtraLine ? support->ExtraLineWidth() : 0;
}

TMenuItem* TsSkinableMenus::FirstVisibleSibling(TMenuItem* Item) const
{
    TMenuItem* first = nullptr;
    ForVisibleSiblings(Item, [&](TMenuItem* sibling) {
        if (!first)
            first = sibling;
    });
    return first;
}

TMenuItem* TsSkinableMenus::LastVisibleSibling(TMenuItem* Item) const
{
    TMenuItem* last = nullptr;
    ForVisibleSiblings(Item, [&](TMenuItem* sibling) { last = sibling; });
    return last;
}

// ---------------------------------------------------------------------------------------------
// The background cache

TacMenuInfo TsSkinableMenus::GetMenuInfo(TMenuItem* Item, int aWidth, int aHeight, HWND aWnd)
{
    DropClosedMenus();
    if (Item) {
        TMenuItem* key = FirstItemOf(Item);
        for (const TacMenuInfo& info : MenuInfoArray)
            if (info.FirstItem == key)
                return info;
        if (aWidth != 0) {
            PrepareMenuBG(key, aWidth, aHeight, aWnd);
            return MenuInfoArray.back();
        }
    } else if (aWnd) {
        for (const TacMenuInfo& info : MenuInfoArray)
            if (info.Wnd == aWnd)
                return info;
    }
    return TacMenuInfo{};
}

void ClearCache()
{
    MenuInfoArray.clear();
    CachedBitmaps().clear();
}

void DeleteUnusedBmps() { ClearCache(); }

void TsSkinableMenus::PaintIcoLine(vcl::TBitmap* MenuBmp, int Height, int Extra)
{
    const String& name = FOwner->MenuSupport()->IcoLineSkin();
    const int index = FOwner->GetSkinIndex(name);
    if (!FOwner->IsValidSkinIndex(index))
        return;
    const int border = GetSkinBorderWidth();
    const auto column = CreateBmp32(IcoLineWidth, std::max(Height - 2 * border, 0));
    PaintItem(index, name, MakeCacheInfo(MenuBmp, Extra + border, border), 0,
              vcl::TRect(0, 0, column->Width(), column->Height()), vcl::TPoint(0, 0), column.get(), FOwner);
    const TCanvasLock to(MenuBmp->Canvas()), from(column->Canvas());
    BitBlt(MenuBmp->Canvas()->Handle(), Extra + border, border, column->Width(), column->Height(),
           column->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsSkinableMenus::PrepareMenuBG(TMenuItem* Item, int Width, int Height, HWND Wnd)
{
    TacMenuInfo info{Item, nullptr, Wnd, false};
    if (!Designing())
        info.HaveExtraLine = QueryExtraLine(Item);
    std::unique_ptr<vcl::TBitmap> bmp = CreateBmp32(Width, Height);
    IcoLineWidth = FMargin + GlyphSize(Item).cx + FSpacing;
    const int index = FOwner->GetSkinIndex(MainMenuSection);
    if (FOwner->IsValidSkinIndex(index)) {
        const vcl::TRect whole(0, 0, Width, Height);
        PaintItemBG(index, MainMenuSection, acEmptyCI, 0, whole, vcl::TPoint(0, 0), bmp.get(), FOwner, -1, -1);
        vcl::TMenu* menu = Item->GetParentMenu();
        const HWND owner = menu ? menu->WindowHandle() : nullptr;
        if (!(owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_RIGHT)))
            PaintIcoLine(bmp.get(), Height, ExtraWidth(info));
        const int mask = FOwner->GetMaskIndex(index, MainMenuSection, BordersMask);
        const bool bordered = FOwner->IsValidImgIndex(mask);
        if (bordered) {
            const TPixelView pixels = PixelsOf(bmp.get());
            DrawSkinRect(pixels, whole, TCacheView{pixels, 0, 0, vcl::clFuchsia, true}, FOwner->ma[size_t(mask)], 0,
                         false);
        }
        if (FOwner->MenuSupport()->UseExtraLine() && info.HaveExtraLine)
            PaintExtraLine(bmp.get(), Height);
        ArOR.clear();
        if (bordered) {
            const TsMaskData& border = FOwner->ma[size_t(mask)];
            AddRgn(ArOR, Width, border, 0, false);
            AddRgn(ArOR, Width, border, Height - border.WB, true);
        }
        if (Wnd)
            DrawWndBorder(Wnd, bmp.get());
    }
    info.Bmp = bmp.get();
    CachedBitmaps().push_back(std::move(bmp));
    MenuInfoArray.push_back(info);
}

// ---------------------------------------------------------------------------------------------
// The menu window

void TsSkinableMenus::DrawWndBorder(HWND Wnd, vcl::TBitmap* MenuBmp)
{
    if (BorderDrawing || !IsNT || !MenuBmp)
        return;
    if (SendAMessage(Wnd, scmdSetUpdating) != 0)
        return;
    SendAMessage(Wnd, scmdDroppedDown);
    const TFlagScope drawing(BorderDrawing);
    const int w = MenuBmp->Width();
    const int h = MenuBmp->Height();
    HRGN region = CreateRectRgn(0, 0, w, h);
    if (ArOR.empty())
        SubtractRects(region, TAOR{vcl::TRect(0, 0, 1, 1)});
    else
        SubtractRects(region, ArOR);
    SetWindowRgn(Wnd, region, TRUE);
    HDC dc = GetWindowDC(Wnd);
    {
        const TCanvasLock lock(MenuBmp->Canvas());
        BitBltBorder(dc, 0, 0, w, h, MenuBmp->Canvas()->Handle(), 0, 0, 3);
    }
    ReleaseDC(Wnd, dc);
}

bool ChildIconPresent()
{
    if (!MDISkinProvider)
        return false;
    auto* form = dynamic_cast<vcl::TCustomForm*>(MDISkinProvider->Owner());
    if (!form || form->FormStyle() != vcl::TFormStyle::fsMDIForm || !form->HandleAllocated())
        return false;
    const HWND client = FindWindowExW(form->Handle(), nullptr, L"MDIClient", nullptr);
    BOOL maximized = FALSE;
    const auto child =
        client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)))
               : nullptr;
    auto* childForm = dynamic_cast<vcl::TCustomForm*>(vcl::FindControl(child));
    return childForm && maximized && childForm->BorderIcons().Contains(vcl::TBorderIcon::biSystemMenu) &&
           (SendMessageW(child, WM_GETICON, ICON_SMALL, 0) || GetClassLongPtrW(child, GCLP_HICONSM) ||
            GetClassLongPtrW(child, GCLP_HICON));
}

}  // namespace skin
