#pragma once
// The pattern every skinned control with skin data of its own follows, once, over the class
// library's control TBase:
//
// - The control owns its TsCommonData (SkinData, published) with its kind code; AfterConstruction
//   and Loaded both settle the section and the indexes, so controls made in code and controls
//   read from a form alike find their section.
// - WndProc takes the skin command message first. Skin loaded, removed and repaint act only when
//   LParam is the control's own manager and are passed on to the children in every case;
//   scmdQuerySkinned answers 1 and scmdQueryApplication the application object in any state;
//   scmdQueryBackground is answered (QueryBackground) while the manager serves the section.
// - A control that is not ready (ControlIsReady) or not skinned is the class library's control:
//   UnskinnedMessage, the inherited procedure unless a control says otherwise.
// - Skinned, the control's own handling (SkinnedMessage) comes first; other skin commands go to
//   CommonMessage and no further; every other message goes to CommonWndProc and, unless that
//   handled it, to the inherited procedure, and then to AfterInherited.
// - Painting (OurPaint): the cached path renders the cache when stale (PrepareCache), copies it
//   around the windowed children that paint themselves and paints the graphic children over it;
//   the direct path (PaintDirect) paints straight into the DC. Children are then told that the
//   parent has repainted.
//
// The class library fires OnMouseEnter and OnMouseLeave in its own handling, which every path
// reaches.
#include <windows.h>

#include <memory>
#include <optional>
#include <type_traits>

#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/controls.h"

namespace skin {

// Called after a control rendered its cache, with the cache.
using TBmpPaintEvent = vcl::TDelegate<void(vcl::TObject* Sender, vcl::TBitmap* Bmp)>;

// Which skin data a control publishes: the common one, or the one with hue and saturation.
enum class TSkinDataClass { Common, WithColours };

// Copies the part of Bmp from From onto To of DC.
void BlitBitmap(HDC DC, const vcl::TRect& To, vcl::TBitmap* Bmp, const vcl::TPoint& From);
// The direct path's face: the section of Data straight into Whole of DC, its border through
// PaintBorderFast. Background is what lies beneath (in the control's coordinates), Own the colour
// of the control's face: a fully transparent section over a picture shows that picture inside the
// border (nothing while the control is updating); any other fills with Own mixed into the
// background's colour by the section's transparency.
void PaintSectionDirect(HDC DC, TsCommonData& Data, const vcl::TRect& Whole, const TacBGInfo& Background,
                        vcl::TColor Own);

template<class TBase>
class TsSkinnedControl : public TBase {
    static constexpr bool Windowed = std::is_base_of_v<vcl::TWinControl, TBase>;

public:
    TsCommonData* SkinData() const { return FCommonData.get(); }
    // Takes the published values of another skin data.
    void SetSkinData(TsCommonData* Value) { FCommonData->Assign(Value); }

    void AfterConstruction() override
    {
        TBase::AfterConstruction();
        FCommonData->Loaded();
    }
    void Loaded() override
    {
        TBase::Loaded();
        FCommonData->Loaded();
    }

    void WndProc(vcl::TMessage& Message) override
    {
        TsCommonData* data = FCommonData.get();
        if (!data) {
            TBase::WndProc(Message);
            return;
        }
        if (const uint16_t cmd = SkinCommandOf(Message); cmd && EarlySkinCommand(cmd, Message))
            return;
        if (!ControlIsReady(this) || !data->Skinned()) {
            UnskinnedMessage(Message);
            return;
        }
        if (SkinnedMessage(Message))
            return;
        if (SkinCommandOf(Message)) {
            CommonMessage(Message, data);
            return;
        }
        if (!CommonWndProc(Message, data))
            TBase::WndProc(Message);
        AfterInherited(Message);
    }

protected:
    TsSkinnedControl(vcl::TComponent* AOwner, int KindCode, TSkinDataClass DataClass = TSkinDataClass::Common)
        : TBase(AOwner),
          FCommonData(DataClass == TSkinDataClass::Common ? std::make_unique<TsCommonData>(this, true)
                                                          : std::make_unique<TsCtrlSkinData>(this, true))
    {
        FCommonData->COC = KindCode;
    }
    ~TsSkinnedControl() override { FCommonData.reset(); }

    // ---------------------------------------------------------------------------------------------
    // What controls vary

    // The skin commands answered in every state; true when the command is done with. Overrides
    // that act before these call this one for the rest.
    virtual bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message)
    {
        TsCommonData& data = *FCommonData;
        const bool own = Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager());
        switch (Cmd) {
        case scmdSkinLoaded:
            PassToChildren(Message);
            if (own)
                CommonWndProc(Message, &data);
            return true;
        case scmdSkinRemoved:
            if (own) {
                CommonWndProc(Message, &data);
                SkinRemoved();
            }
            PassToChildren(Message);
            return true;
        case scmdRepaint:
            if (own) {
                CommonWndProc(Message, &data);
                if (!RedrawNow())
                    return true;
            }
            PassToChildren(Message);
            return true;
        case scmdQuerySkinned:
            Message.Result = 1;
            return true;
        case scmdQueryBackground:
            if (!data.SkinManager() || !data.SkinManager()->IsValidSkinIndex(data.SkinIndex))
                return false;
            QueryBackground(*reinterpret_cast<TacBGInfo*>(Message.LParam));
            Message.Result = 1;
            return true;
        case scmdQueryApplication:
            Message.Result = reinterpret_cast<LRESULT>(vcl::Application);
            return true;
        default:
            return false;
        }
    }
    // The answer to scmdQueryBackground: the control's cache or colour.
    virtual void QueryBackground(TacBGInfo& BGInfo) { InitBGInfo(FCommonData.get(), BGInfo, 0, nullptr); }
    // After the control's own manager removed its skin (the skin data is already reset).
    virtual void SkinRemoved() { FCommonData->Invalidate(); }
    // Not ready or not skinned: the class library's control.
    virtual void UnskinnedMessage(vcl::TMessage& Message) { TBase::WndProc(Message); }
    // The control's own handling while skinned; true when the message is done with. Handles
    // scmdParentUpdated: a control that waited for its parent repaints.
    virtual bool SkinnedMessage(vcl::TMessage& Message)
    {
        if (SkinCommandOf(Message) != scmdParentUpdated)
            return false;
        TsCommonData& data = *FCommonData;
        if (data.FUpdating) {
            data.FUpdating = false;
            if (!data.GetUpdating())
                RedrawNow();
        }
        TellChildrenUpdated();
        return true;
    }
    // After the inherited procedure saw a skinned message.
    virtual void AfterInherited(vcl::TMessage&) {}

    // Whether the control paints through its cache now.
    virtual bool CachedPath() const
    {
        return (IsCached(*FCommonData) && !FCommonData->CustomColor()) || InAnimationProcess;
    }
    // Renders the control into its cache: its section in the normal state over what its parent
    // answers lies beneath it.
    virtual void PrepareCache()
    {
        TsCommonData& data = *FCommonData;
        InitCacheBmp(data);
        PaintSkinControl(data, this->Parent(), 0, vcl::TRect(0, 0, this->Width(), this->Height()),
                         vcl::TPoint(this->Left(), this->Top()), data.FCacheBmp.get(), true);
        data.BGChanged = false;
    }
    // Paints the control straight into DC, without its cache.
    virtual void PaintDirect(HDC DC) { PaintCached(DC, false); }

    // ---------------------------------------------------------------------------------------------
    // The common painting

    // Paints the whole control into DC (0: the control's own canvas), then, with Notify and
    // outside a paint copy, tells the children that it has repainted. Nothing while it is not
    // showing or not skinned.
    void OurPaint(HDC DC, bool Notify)
    {
        TsCommonData* data = FCommonData.get();
        if (!this->Showing() || !data || !data->Skinned())
            return;
        std::optional<TCanvasLock> ownCanvas;
        if constexpr (requires { this->Canvas(); }) {
            if (!DC) {
                ownCanvas.emplace(this->Canvas());
                DC = this->Canvas()->Handle();
            }
        }
        if (CachedPath())
            PaintCached(DC, true);
        else
            PaintDirect(DC);
        if (Notify && !this->ControlState().Contains(vcl::TControlStateItem::csPaintCopy))
            TellChildrenUpdated();
    }
    // The cached path: nothing while updating; the cache rendered again when stale or half
    // visible; copied around the windowed children; the graphic children over it. WaitForParent
    // refreshes the updating flag first.
    void PaintCached(HDC DC, bool WaitForParent)
    {
        TsCommonData& data = *FCommonData;
        if (WaitForParent) {
            data.FUpdating = data.GetUpdating();
            if (data.FUpdating)
                return;
        }
        const bool stale = data.HalfVisible || data.BGChanged;
        data.HalfVisible = false;
        if (stale && !data.UrgentPainting)
            PrepareCache();
        const vcl::TRect whole(0, 0, this->Width(), this->Height());
        if constexpr (Windowed) {
            CopyWinControlCache(this, data, whole, whole, DC, false, 0, 0);
            skin::PaintControls(DC, this, vcl::TPoint(0, 0));
        } else if (data.FCacheBmp) {
            vcl::TCanvas* cache = data.FCacheBmp->Canvas();
            cache->Lock();
            BitBlt(DC, 0, 0, whole.Width(), whole.Height(), cache->Handle(), 0, 0, SRCCOPY);
            cache->Unlock();
        }
    }

    // Repaints a shown control at once; false when it has no window, is loading or is hidden.
    bool RedrawNow()
    {
        if constexpr (Windowed) {
            if (!this->HandleAllocated() || this->ComponentState().Contains(vcl::TComponentStateItem::csLoading) ||
                !this->Visible())
                return false;
            InvalidateRect(this->Handle(), nullptr, TRUE);
            RedrawWindow(this->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        } else {
            this->Invalidate();
        }
        return true;
    }
    void PassToChildren(vcl::TMessage& Message)
    {
        if constexpr (Windowed)
            AlphaBroadCast(this, Message);
    }
    void TellChildrenUpdated()
    {
        if constexpr (Windowed)
            SetParentUpdated(this);
    }
    // The class library's own handling of a message.
    void InheritedWndProc(vcl::TMessage& Message) { TBase::WndProc(Message); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
