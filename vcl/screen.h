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

// One display of the desktop; its rectangles are read from the system on every call.
class TMonitor : public TObject {
    CL_CLASS(TMonitor, TObject)
public:
    TMonitor(HMONITOR Handle, int MonitorNum) : FHandle(Handle), FMonitorNum(MonitorNum) {}

    HMONITOR Handle() const { return FHandle; }
    // Its place in the screen's list of monitors.
    int MonitorNum() const { return FMonitorNum; }
    bool Primary() const;
    // In desktop coordinates.
    TRect BoundsRect() const;
    TRect WorkareaRect() const;
    int Left() const { return BoundsRect().left; }
    int Top() const { return BoundsRect().top; }
    int Width() const { return BoundsRect().Width(); }
    int Height() const { return BoundsRect().Height(); }

private:
    MONITORINFO Info() const;

    HMONITOR FHandle;
    int FMonitorNum;
};

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
    // The displays of the desktop, listed again when one appears that the list lacks.
    int MonitorCount();
    TMonitor* Monitors(int index);
    // The monitor that holds most of the window, the nearest one when none does.
    TMonitor* MonitorFromWindow(HWND Wnd);
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
    void ReadMonitors();
    TMonitor* FindMonitor(HMONITOR Handle) const;

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = TCursor::crDefault;
    std::unique_ptr<TStringList> FFonts;
    std::unique_ptr<TFont> FMenuFont;
    std::unique_ptr<TFont> FHintFont;
    std::unique_ptr<TFont> FIconFont;
    std::vector<std::unique_ptr<TMonitor>> FMonitors;
};

// The screen, made at start-up; it lives until the process ends unless the program frees it.
extern TScreen* Screen;

}  // namespace vcl
