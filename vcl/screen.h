#pragma once
// The screen: every form, the active form and control, screen metrics, system fonts and cursors.
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/system.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace vcl {

class TCustomForm;
class TForm;

class TScreen : public TComponent {
    CL_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* AOwner);

    // Every form, in creation order except that the last activated one is first.
    int CustomFormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* CustomForms(int index) const;
    // The same, counting only TForm descendants.
    int FormCount() const;
    TForm* Forms(int index) const;
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }

    int Width() const;
    int Height() const;
    int DesktopLeft() const;
    int DesktopTop() const;
    int DesktopWidth() const;
    int DesktopHeight() const;
    TRect WorkAreaRect() const;
    int PixelsPerInch() const { return ScreenPixelsPerInch(); }
    // Installed font families, sorted; read on first use.
    TStrings* Fonts();
    TFont* MenuFont();
    TFont* HintFont();
    TFont* IconFont();

    // The cursor that overrides every control's while it is not crDefault.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    HCURSOR Cursors(TCursor id) const;
    // Depth of the alignment passes now running.
    int AlignLevel() const { return AlignDepth(); }

private:
    friend class TCustomForm;
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void FormActivated(TCustomForm* Form);
    void ReadSystemFonts();

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = TCursor::crDefault;
    std::unique_ptr<TStringList> FFonts;
    std::unique_ptr<TFont> FMenuFont;
    std::unique_ptr<TFont> FHintFont;
    std::unique_ptr<TFont> FIconFont;
};

// The screen, made at start-up; it lives until the process ends unless the program frees it.
extern TScreen* Screen;

}  // namespace vcl
