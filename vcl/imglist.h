#pragma once
// Image lists: a system image list (32-bit colour with a mask) behind a component, and change
// links through which controls learn that a list changed.
#include "vcl/classes.h"
#include "vcl/system.h"

#include <commctrl.h>

#include <vector>

namespace vcl {

class TBitmap;
class TCanvas;
class TCustomImageList;
class TIcon;

enum class TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum class TImageType { itImage, itMask };

// Tells its owner (a control) when the image list it is registered with changes.
class TChangeLink : public TObject {
    CL_CLASS(TChangeLink, TObject)
public:
    TChangeLink() = default;
    // Leaves the list it is registered with.
    ~TChangeLink() override;

    TCustomImageList* Sender() const { return FSender; }
    void SetSender(TCustomImageList* value) { FSender = value; }
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }
    virtual void Change();

private:
    TCustomImageList* FSender = nullptr;
    TNotifyEvent FOnChange;
};

// Points Field, Owner's reference to an image list, at Value: Link follows the new list's changes
// instead of the old one's, and Owner hears when the new list is freed (its Notification then
// clears Field). False when Field held Value already.
bool ChangeImageList(TComponent* Owner, TCustomImageList*& Field, TCustomImageList* Value, TChangeLink& Link);

class TCustomImageList : public TComponent {
    CL_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* AOwner);

    // The system list, made on first use (ILC_COLOR32, ILC_MASK when Masked).
    virtual HIMAGELIST Handle();
    // Takes the list (0 drops it); the old one is destroyed unless ShareImages. The size follows
    // the new list.
    virtual void SetHandle(HIMAGELIST value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // A new size empties an existing list.
    virtual void SetWidth(int value);
    virtual void SetHeight(int value);
    bool Masked() const { return FMasked; }
    // Applies to the list made next.
    virtual void SetMasked(bool value) { FMasked = value; }
    TImageType ImageType() const { return FImageType; }
    virtual void SetImageType(TImageType value);
    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    virtual void SetDrawingStyle(TDrawingStyle value);
    // The list does not destroy a shared system list.
    bool ShareImages() const { return FShareImages; }
    virtual void SetShareImages(bool value) { FShareImages = value; }
    int AllocBy() const { return FAllocBy; }
    virtual void SetAllocBy(int value) { FAllocBy = value; }
    // The system list's background colour once it exists (clNone: drawn transparently).
    virtual TColor BkColor() const;
    virtual void SetBkColor(TColor value);
    // The colour blended over focused or selected images.
    virtual TColor BlendColor() const { return FBlendColor; }
    virtual void SetBlendColor(TColor value);

    virtual int Count() const;
    virtual void Clear();
    // Adds the image (its width a multiple of Width for several images) with an optional mask;
    // the index of the first added image, -1 when the list refused it.
    virtual int Add(TBitmap* Image, TBitmap* Mask);
    virtual int AddIcon(TIcon* Image);
    // Gives Image an icon of the image.
    virtual void GetIcon(int Index, TIcon* Image);
    // Sizes Image to one image and draws the image onto what it holds.
    virtual bool GetBitmap(int Index, TBitmap* Image);
    // Draws in DrawingStyle and ImageType; a disabled image is drawn faded.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);

    // Registered links hear of every change; a link leaves when it is destroyed.
    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }

    // The system list's own stream format.
    virtual void ReadData(TStream* Stream);
    virtual void WriteData(TStream* Stream);

protected:
    // Detaches the links and destroys the system list unless it is shared.
    ~TCustomImageList() override;

    // Tells the links, then OnChange.
    virtual void Change();
    // Style: ILD_* flags.
    virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);
    void FreeHandle();

    HIMAGELIST FHandle = nullptr;
    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    TImageType FImageType = TImageType::itImage;
    TDrawingStyle FDrawingStyle = TDrawingStyle::dsNormal;
    bool FShareImages = false;
    int FAllocBy = 4;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;

private:
    std::vector<TChangeLink*> FClients;
    TNotifyEvent FOnChange;
};

class TImageList : public TCustomImageList {
    CL_CLASS(TImageList, TCustomImageList)
public:
    using TCustomImageList::TCustomImageList;
};

}  // namespace vcl
