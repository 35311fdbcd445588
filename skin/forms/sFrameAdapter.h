#pragma once
// The frame adapter: skins a frame (the class library's reusable panel of controls) like a skinned
// panel. Made with the frame as its owner, it takes the frame's window procedure over for its whole
// life, gives the frame skin data of its own ("GROUPBOX" unless another section is set), paints the
// frame's background from the skin (through a cache, or straight into the DC for a section that
// needs none), answers the skin command message for the frame, passes skin changes on to the
// frame's controls and takes over the frame's popup menus. A skinned form's control adapter makes
// one for every frame it meets.
#include <windows.h>

#include <memory>

#include "skin/core/sCommonData.h"
#include "vcl/classes.h"
#include "vcl/forms.h"
#include "vcl/messages.h"

namespace skin {

class TsSkinManager;

class TsFrameAdapter : public vcl::TComponent {
    CL_CLASS(TsFrameAdapter, vcl::TComponent)
    CL_PUBLISHED
public:
    // Takes over the frame AOwner. An owner that is not a frame raises vcl::Exception with
    // FrameOwnerMessage, and nothing is taken over.
    explicit TsFrameAdapter(vcl::TComponent* AOwner);
    // Gives the frame its window procedure back.
    ~TsFrameAdapter() override;
    // Looks the indexes up when the frame is skinned or has no window yet.
    void AfterConstruction() override;
    // After reading: the indexes, the frame's popup menus and its place in the form's adapter.
    void Loaded() override;

    // The frame's window procedure while the adapter is in place.
    void NewWndProc(vcl::TMessage& Message);
    // WM_PAINT: validates the frame and copies the cache into DC (the frame's own DC for none).
    void AC_WMPaint(HDC DC);
    // The frame's background and graphic children into DC.
    void OurPaintHandler(HDC DC);
    // Renders the section over the parent's background into the cache (when cached).
    void PrepareCache();

    TsCommonData* SkinData() const { return FCommonData.get(); }
    void SetSkinData(TsCommonData* Value) { FCommonData->Assign(Value); }

    static constexpr const wchar_t* FrameOwnerMessage = L"TsFrameAdapter adapter must be placed on the handled frame";

    vcl::TCustomFrame* Frame = nullptr;  // the handled frame, the adapter's owner
    vcl::TWndMethod OldWndProc;          // the frame's window procedure before the take-over

private:
    TsSkinManager* Manager() const { return FCommonData->SkinManager(); }
    bool Designing() const;
    // The adapter or its frame is being destroyed.
    bool Dying() const;
    // The skin commands answered in every skin state; true when the message is done with.
    bool AnswerAlways(vcl::TMessage& Message);
    // A skin command while skinned.
    void SkinnedCommand(vcl::TMessage& Message);
    // A window message while skinned.
    void SkinnedMessage(vcl::TMessage& Message);
    // Not skinned: a frame shown while a skin is in force takes it; then the frame's own procedure.
    void UnskinnedMessage(vcl::TMessage& Message);
    void SkinLoaded(vcl::TMessage& Message);
    void SkinRemoved(vcl::TMessage& Message);
    void Repaint(vcl::TMessage& Message);
    // scmdQueryColor: the parent's colour is to be used for a cached frame.
    LRESULT QueryColor();
    // The frame's popup menus go to the manager's skinned menus when it skins popups.
    void HookPopupMenus();
    // The whole frame redrawn with all its children, at once (Erase: its background too).
    void RedrawAll(bool Erase);
    // The background changed: the children are told, and a resize invalidates the frame.
    void MovedOrSized(vcl::TMessage& Message);
    void EraseBackground(vcl::TMessage& Message);
    void MouseEnter(vcl::TMessage& Message);
    // The frame's background depends on its place in its parent.
    bool PlaceDependent();
    // OurPaintHandler's paths.
    void PaintCachedBackground(HDC DC);
    void PaintTransparentBackground(HDC DC);
    void PaintDirect(HDC DC);

    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
