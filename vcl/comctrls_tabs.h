#pragma once
// Tab controls over the system's SysTabControl32 (included by vcl/comctrls.h): the tab control,
// whose tabs are a list of texts, and the page control, whose tabs are the captions of its tab
// sheets. A sheet is a window of its own inside the page control's display area; only the
// active one shows. Tabs, selection and styles live in fields and go to every new window.
#include "vcl/comctrls.h"
#include "vcl/imglist.h"

namespace vcl {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };

class TCustomTabControl;
class TPageControl;
class TTabSheet;

using TDrawTabEvent = TDelegate<void(TCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active)>;
using TTabChangingEvent = TDelegate<void(TObject* Sender, bool& AllowChange)>;

// The tabs of a tab control: texts with objects, kept by the control and mirrored into its window.
class TTabStrings : public TStrings {
    CL_CLASS(TTabStrings, TStrings)
public:
    explicit TTabStrings(TCustomTabControl* TabControl) : FTabControl(TabControl) {}

    int Count() const override { return FList.Count(); }
    int Add(const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(const String& s) const override { return FList.IndexOf(s); }

    // Gives an empty window every tab.
    void PushTo(HWND Handle) const;
    // Gives the window the text and image of one tab again.
    void UpdateTab(int index) const;

protected:
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    TObject* GetObject(int index) const override { return FList.Objects(index); }
    void PutObject(int index, TObject* object) override { FList.SetObjects(index, object); }

private:
    void InsertIntoWindow(HWND Handle, int index) const;
    HWND Window() const;

    TCustomTabControl* FTabControl;
    TStringList FList;
};

class TCustomTabControl : public TWinControl {
    CL_CLASS(TCustomTabControl, TWinControl)
public:
    explicit TCustomTabControl(TComponent* AOwner);
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The selected tab, -1 for none; setting it by code fires neither OnChanging nor OnChange.
    int TabIndex();
    virtual void SetTabIndex(int value);
    // A tab's rectangle in client coordinates (the window is made for it).
    TRect TabRect(int Index);
    // The rows of tabs the window shows.
    int RowCount();
    // The part of the client area the tabs leave (TCM_ADJUSTRECT).
    TRect DisplayRect();

    // Window styles: a change re-creates the window.
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition value);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value);
    // The tabs are drawn by DrawTab (OnDrawTab) on Canvas, lent the tab's DC.
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value);
    // A fixed size of every tab; 0 leaves it to the captions.
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    TCanvas* Canvas() const { return FCanvas.get(); }

    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }
    // Asked before the user's choice of another tab takes effect; AllowChange false keeps the tab.
    TTabChangingEvent OnChanging() const { return FOnChanging; }
    void SetOnChanging(TTabChangingEvent value) { FOnChanging = value; }
    TDrawTabEvent OnDrawTab() const { return FOnDrawTab; }
    void SetOnDrawTab(TDrawTabEvent value) { FOnDrawTab = value; }

    void Dispatch(TMessage& Message) override;

protected:
    friend class TTabStrings;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // The client area less the tabs.
    void AdjustClientRect(TRect& Rect) override;
    virtual bool CanChange();
    virtual void Change();
    // OnDrawTab, else the tab's rectangle filled.
    virtual void DrawTab(int TabIndex, const TRect& Rect, bool Active);
    // The image a tab shows: its own index unless a descendant knows better.
    virtual int GetImageIndex(int TabIndex) { return TabIndex; }
    // Gives every tab of the window its image again.
    void UpdateTabImages();
    TTabStrings* Tabs() const { return FTabs.get(); }

private:
    void CNNotify(TMessage& Message);
    void CNDrawItem(TMessage& Message);
    // TCM_SETPADDING, from whoever sends it.
    void SetPadding(TMessage& Message);
    void ImageListChange(TObject* Sender);
    void ApplyImages();
    void ApplyTabSize();
    // A change of a window style: the window is made again around the same tabs.
    template <class T>
    void SetStyleField(T& Field, T Value)
    {
        if (ChangeField(Field, Value))
            RecreateWnd();
    }

    std::unique_ptr<TTabStrings> FTabs;
    std::unique_ptr<TControlCanvas> FCanvas;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    int FTabIndex = -1;
    TTabPosition FTabPosition = TTabPosition::tpTop;
    TTabStyle FStyle = TTabStyle::tsTabs;
    bool FMultiLine = false;
    bool FHotTrack = false;
    bool FOwnerDraw = false;
    int FTabWidth = 0;
    int FTabHeight = 0;
    TCustomImageList* FImages = nullptr;
    TNotifyEvent FOnChange;
    TTabChangingEvent FOnChanging;
    TDrawTabEvent FOnDrawTab;
};

// Tabs without pages: the program's list of texts.
class TTabControl : public TCustomTabControl {
    CL_CLASS(TTabControl, TCustomTabControl)
public:
    using TCustomTabControl::TCustomTabControl;
    TStrings* Tabs() const { return TCustomTabControl::Tabs(); }
    void SetTabs(TStrings* value) { Tabs()->Assign(value); }
};

// ---------------------------------------------------------------------------------------------
// Pages

// One page of a page control: a window of its own over the control's display area, shown while it
// is the active page. Its caption is its tab's text.
class TTabSheet : public TWinControl {
    CL_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* AOwner);
    // Leaves its page control first.
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return FPageControl; }
    // Moves the sheet to the end of another page control's pages (null: none).
    void SetPageControl(TPageControl* value);
    // The sheet's place among its control's pages.
    int PageIndex() const;
    void SetPageIndex(int value);
    // Its place among the tabs shown, -1 while its tab is hidden; unlike PageIndex once a tab
    // before it is hidden.
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    // The image of the page control's Images its tab shows.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

class TPageControl : public TCustomTabControl {
    CL_CLASS(TPageControl, TCustomTabControl)
public:
    using TCustomTabControl::TCustomTabControl;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const;
    // The page that shows; its tab is selected (no tab while its tab is hidden).
    TTabSheet* ActivePage() const { return FActivePage; }
    virtual void SetActivePage(TTabSheet* value);
    int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
    void SetActivePageIndex(int value);
    // The page after (or before) CurrentPage, wrapping round; with CheckTabVisible only pages
    // whose tab shows. Null when there is none other than CurrentPage.
    TTabSheet* FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible) const;
    // Makes the next page with a tab active, as a user's change: OnChanging may refuse it, OnChange
    // follows.
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

    void Dispatch(TMessage& Message) override;

protected:
    friend class TTabSheet;

    // Shows the page of the selected tab.
    virtual void UpdateActivePage();
    void Change() override;
    int GetImageIndex(int TabIndex) override;

private:
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void MovePage(TTabSheet* Page, int Index);
    // Shows Page and hides the page shown before.
    void ChangeActivePage(TTabSheet* Page);
    // The tabs again from the pages whose tab shows, and the active page's tab selected.
    void UpdateTabs();
    void CMDialogKey(TMessage& Message);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

}  // namespace vcl
