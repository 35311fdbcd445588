#pragma once
// Graphics that load, save and draw themselves, pictures that hold one graphic of a class chosen
// by file extension, the registry of those extensions, and icons.
#include "vcl/classes.h"
#include "vcl/system.h"

#include <functional>
#include <memory>
#include <vector>

namespace vcl {

class TCanvas;
class TBitmap;
class TIcon;

enum class TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = TDelegate<void(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow,
                                      const TRect& R, const String& Msg)>;

// ---------------------------------------------------------------------------------------------
// TGraphic: an image of some format. Canvases draw it through its protected Draw.

class TGraphic : public TPersistent {
    CL_CLASS(TGraphic, TPersistent)
public:
    TGraphic() = default;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    virtual void SetSize(int AWidth, int AHeight);
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    // The graphic's palette (owned by the graphic), 0 when it has none.
    virtual HPALETTE Palette() const { return nullptr; }
    // Takes a copy of the palette's entries; the handle stays the caller's.
    virtual void SetPalette(HPALETTE /*value*/) {}
    // Set by every change; a caller may clear it.
    bool Modified() const { return FModified; }
    void SetModified(bool value);

    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    // A missing file raises EFOpenError, a file that cannot be written EFCreateError.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);

    // A new empty graphic of this object's own class (owned by the caller).
    virtual std::unique_ptr<TGraphic> CreateEmpty() const = 0;

    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }
    TProgressEvent OnProgress() const { return FOnProgress; }
    void SetOnProgress(TProgressEvent value) { FOnProgress = value; }

protected:
    friend class TCanvas;
    // Draws the graphic into Rect of the canvas, stretched to fit.
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    // Marks the graphic modified and tells OnChange.
    virtual void Changed(TObject* Sender);
    void Progress(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow, const TRect& R,
                  const String& Msg);
    // The bytes from the stream's position to its end; the stream is left at its end.
    static std::vector<uint8_t> ReadToEnd(TStream* Stream);

    bool FTransparent = false;

private:
    bool FModified = false;
    TNotifyEvent FOnChange;
    TProgressEvent FOnProgress;
};

// A graphic class as the picture registry keeps it: its name and how to make an empty one.
struct TGraphicClass {
    String ClassName;
    std::function<TGraphic*()> Create;  // the new graphic is owned by the caller
};

template<class T>
TGraphicClass GraphicClass()
{
    return {T::StaticClassInfo()->Name, []() -> TGraphic* { return vcl::Create<T>(); }};
}

// ---------------------------------------------------------------------------------------------
// TPicture: holds one graphic (or none) and loads files by their extension.

class TPicture : public TPersistent {
    CL_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of the graphic (of the same class); nullptr empties the picture.
    void SetGraphic(TGraphic* value);
    // The picture's bitmap or icon; a graphic of another class is first replaced by an empty one.
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const;
    int Height() const;

    // The class registered last for the file's extension reads it; the graphic held so far is
    // replaced only when that succeeds. An unregistered extension raises EInvalidGraphic.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);
    // From another picture, a graphic or nullptr (empties).
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }
    TProgressEvent OnProgress() const { return FOnProgress; }
    void SetOnProgress(TProgressEvent value) { FOnProgress = value; }

    // Extensions compare without their dot and case; a later registration of an extension
    // takes precedence over earlier ones.
    static void RegisterFileFormat(const String& Extension, const String& Description,
                                   const TGraphicClass& GraphicClass);
    // Forgets every registration of the class (by its name).
    static void UnregisterGraphicClass(const TGraphicClass& GraphicClass);

protected:
    // Copies the graphic into a graphic Dest.
    void AssignTo(TPersistent* Dest) override;
    virtual void Changed(TObject* Sender);
    void Progress(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow, const TRect& R,
                  const String& Msg);

private:
    template<class T>
    T* ForceType();
    void Replace(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> FGraphic;
    TNotifyEvent FOnChange;
    TProgressEvent FOnProgress;
};

// ---------------------------------------------------------------------------------------------
// TIcon: an icon handle, read from ICO data.

class TIcon : public TGraphic {
    CL_CLASS(TIcon, TGraphic)
public:
    TIcon() = default;
    ~TIcon() override;

    HICON Handle() const { return FHandle; }
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Takes ownership of the icon (0 empties).
    void SetHandle(HICON value);
    // Gives the icon to the caller; this object becomes empty.
    HICON ReleaseHandle();

    bool Empty() const override { return FHandle == nullptr; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // The size of the image an ICO load picks; an icon that holds a handle cannot change size.
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    bool Transparent() const override { return true; }

    void Assign(TPersistent* Source) override;
    // Reads an ICO file and makes the icon from its image closest to the requested size (the
    // system's icon size when none was set). Bad data raises EInvalidGraphic.
    void LoadFromStream(TStream* Stream) override;
    // Writes the ICO data the icon was read from; an icon made from a handle has none and raises.
    void SaveToStream(TStream* Stream) override;
    std::unique_ptr<TGraphic> CreateEmpty() const override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    void CheckNoHandle() const;
    void Clear();

    HICON FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint8_t> FData;  // the ICO file read, if any
};

// Gives the window the icon, as its big and its small one (0: the system's again).
void SetWindowIcon(HWND Wnd, const TIcon& Icon);

// Registers the class library's own formats, "bmp" (TBitmap), "ico" (TIcon), "jpg" and "jpeg"
// (TJPEGImage). Start-up calls it once, before any other format is registered.
void RegisterStandardGraphicFormats();

}  // namespace vcl
