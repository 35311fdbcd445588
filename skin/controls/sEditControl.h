#pragma once
// What the skinned edit, memo and masked edit share over the class library's edit TBase: skin data
// with hue and saturation, the disabled look, the bound caption, and the painting of an edit that
// shows its cache while it is inactive.
//
// The cache holds the whole window, border included: the section (with its border image when the
// edit has a border) over what lies beneath, the text, and the disabled look. An inactive edit
// copies it over its window; an active one lets the system's edit paint its client area and takes
// only the border from the cache.
#include <memory>

#include "skin/controls/sLabel.h"
#include "skin/controls/sSkinnedControl.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/graphics.h"

namespace skin {

template <class TBase>
class TsEditControl : public TsSkinnedControl<TBase> {
public:
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value)
    {
        if (Value == FDisabledKind)
            return;
        FDisabledKind = Value;
        this->SkinData()->Invalidate();
    }
    // The caption the edit can carry beside it.
    TsBoundLabel* BoundLabel() const { return FBoundLabel.get(); }

    // The bound caption's label follows the edit after every message.
    void WndProc(vcl::TMessage& Message) override
    {
        TsSkinnedControl<TBase>::WndProc(Message);
        FBoundLabel->FollowControl(Message.Msg, FDisabledKind);
    }

protected:
    TsEditControl(vcl::TComponent* AOwner, int KindCode)
        : TsSkinnedControl<TBase>(AOwner, KindCode, TSkinDataClass::WithColours),
          FBoundLabel(std::make_unique<TsEditBoundLabel>(this, this->SkinData()))
    {
    }
    // The bound caption goes before the skin data.
    ~TsEditControl() override { FBoundLabel.reset(); }

    // Paints the whole window, border included, from the cache into DC, or into the window DC when
    // DC is none; nothing while the edit waits for its parent. Outside an animation the paint is
    // begun and ended here. CopyCache(DC) brings the cache, rendered anew when stale, onto the DC,
    // whose state is saved.
    template <class TCopyCache>
    void OurPaintHandler(HDC DC, TCopyCache CopyCache)
    {
        TsCommonData& data = *this->SkinData();
        const TWindowPaint paint(this->Handle(), DC, !InAnimationProcess);
        const vcl::TSavedDC saved(paint.DC);
        data.FUpdating = data.GetUpdating();
        if (data.FUpdating)
            return;
        data.BGChanged =
            data.BGChanged || data.HalfVisible || (this->Parent() && GetBoolMsg(this->Parent(), scmdQueryHalfVisible));
        data.HalfVisible = !InsideParent();
        CopyCache(paint.DC);
    }

    // The section into the cache over what lies beneath: the whole section with its border image
    // for an edit with a border, the background alone for one without.
    void PaintFace(const TCacheInfo& Beneath, int State)
    {
        TsCommonData& data = *this->SkinData();
        const vcl::TRect whole(0, 0, this->Width(), this->Height());
        const vcl::TPoint at(this->Left(), this->Top());
        if (this->BorderStyle() == vcl::TBorderStyle::bsSingle)
            PaintItem(data, Beneath, State, whole, at, data.FCacheBmp.get(), true);
        else
            PaintItemBG(data, Beneath, State, whole, at, data.FCacheBmp.get());
    }
    // A disabled edit's cache takes the disabled look over what lies beneath.
    void PaintDisabledLook(const TCacheInfo& Beneath)
    {
        if (this->Enabled())
            return;
        BmpDisabledKind(PixelsOf(this->SkinData()->FCacheBmp.get()), FDisabledKind, GetControlColor(this->Parent()),
                        CacheView(Beneath), vcl::TPoint(this->Left(), this->Top()));
    }
    // The cache's border bands, Width wide, onto DC (a DC of the whole window); the cache is
    // rendered first when stale.
    void CopyBorder(HDC DC, int Width)
    {
        TsCommonData& data = *this->SkinData();
        if (data.BGChanged)
            this->PrepareCache();
        UpdateCorners(data, 0);
        vcl::TCanvas* cache = data.FCacheBmp->Canvas();
        const TCanvasLock lock(cache);
        BitBltBorder(DC, 0, 0, this->Width(), this->Height(), cache->Handle(), 0, 0, Width);
    }
    // Leaves the children's bounds, moved by Shift, out of DC's clip region.
    void ExcludeChildren(HDC DC, int Shift)
    {
        for (int i = 0; i < this->ControlCount(); ++i) {
            const vcl::TControl* child = this->Controls(i);
            ExcludeClipRect(DC, child->Left() + Shift, child->Top() + Shift, child->Left() + child->Width() + Shift,
                            child->Top() + child->Height() + Shift);
        }
    }

    // A paint of the window: BeginPaint and EndPaint around it when Begin, and the window DC,
    // taken and released here, when no DC is given; also when the painting fails.
    class TWindowPaint {
    public:
        TWindowPaint(HWND Wnd, HDC Given, bool Begin) : FWnd(Wnd), FBegun(Begin)
        {
            if (FBegun)
                BeginPaint(FWnd, &FPaint);
            DC = Given ? Given : GetWindowDC(FWnd);
            FTaken = !Given;
        }
        ~TWindowPaint()
        {
            if (FTaken)
                ReleaseDC(FWnd, DC);
            if (FBegun)
                EndPaint(FWnd, &FPaint);
        }
        TWindowPaint(const TWindowPaint&) = delete;
        TWindowPaint& operator=(const TWindowPaint&) = delete;

        HDC DC;

    private:
        HWND FWnd;
        bool FBegun;
        bool FTaken = false;
        PAINTSTRUCT FPaint{};
    };

private:
    // The edit's bounds lie inside its parent's client rectangle.
    bool InsideParent() const
    {
        vcl::TWinControl* parent = this->Parent();
        if (!parent)
            return true;
        const vcl::TRect client = parent->ClientRect();
        return this->Left() >= client.left && this->Top() >= client.top &&
               this->Left() + this->Width() <= client.right && this->Top() + this->Height() <= client.bottom;
    }

    TsDisabledKind FDisabledKind{TsDisabledKindItem::dkBlended};
    std::unique_ptr<TsEditBoundLabel> FBoundLabel;
};

}  // namespace skin
