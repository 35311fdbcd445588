#pragma once
// Small controls and a fixture shared by the windowing tests.
#include "pump.h"

#include "vcl/controls.h"
#include "vcl/forms.h"

#include <gtest/gtest.h>

#include <vector>

namespace wintest {

using namespace vcl;

// A graphic control that fills an area a little larger than itself with its colour, so that the
// clip shows at its edges. Opaque ones paint nothing at all.
class TColorBlock : public TGraphicControl {
    CL_CLASS(TColorBlock, TGraphicControl)
public:
    using TGraphicControl::TGraphicControl;
    int Paints = 0;
    void SetOpaque(bool opaque)
    {
        TControlStyle style = ControlStyle();
        SetControlStyle(opaque ? style + TControlStyleItem::csOpaque : style - TControlStyleItem::csOpaque);
    }

protected:
    virtual TColor FillColor() { return Color(); }
    void Paint() override
    {
        ++Paints;
        if (ControlStyle().Contains(TControlStyleItem::csOpaque))
            return;
        Canvas()->Brush()->SetColor(FillColor());
        Canvas()->FillRect(ClientRect().Inflated(5, 5));
    }
};

// A windowed container that paints itself in its colour.
class TTestPanel : public TCustomControl {
    CL_CLASS(TTestPanel, TCustomControl)
public:
    explicit TTestPanel(TComponent* AOwner) : TCustomControl(AOwner)
    {
        FControlStyle << TControlStyleItem::csAcceptsControls;
    }
};

// Records what reaches WndProc, after whatever WindowProc chain lies in front of it.
class TSpyPanel : public TTestPanel {
    CL_CLASS(TSpyPanel, TTestPanel)
public:
    using TTestPanel::TTestPanel;
    std::vector<TMessage> Received;
    void WndProc(TMessage& Message) override
    {
        Received.push_back(Message);
        TTestPanel::WndProc(Message);
    }
    int Count(UINT msg) const
    {
        int n = 0;
        for (const TMessage& m : Received)
            n += m.Msg == msg;
        return n;
    }
};

// A message sent straight to a control's window.
inline LRESULT Send(TWinControl* control, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageW(control->Handle(), msg, wParam, lParam);
}

// Every test starts from an initialised application and frees the forms it made.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::InitializeApplication(); }
    void TearDown() override
    {
        for (auto it = FForms.rbegin(); it != FForms.rend(); ++it)
            (*it)->Free();
        testsupport::PumpFor(0);
    }
    // A form owned by nobody, placed on the screen at (100, 100), freed after the test.
    template<class T = TForm>
    T* NewForm(int clientWidth = 300, int clientHeight = 200)
    {
        T* form = Create<T>(nullptr);
        form->SetBounds(100, 100, 400, 300);
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        FForms.push_back(form);
        return form;
    }
    template<class T>
    T* NewChild(TWinControl* parent, int left, int top, int width, int height, TColor color = clRed)
    {
        T* control = Create<T>(parent);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        control->SetColor(color);
        return control;
    }
    // Waits until the form's window has been painted once.
    void ShowAndPaint(TCustomForm* form)
    {
        form->Show();
        form->Update();
        testsupport::PumpFor(50);
    }

private:
    std::vector<TCustomForm*> FForms;
};

// Moves the cursor (through the seam) to a client point of a control and posts the move there.
class TMouseDriver {
public:
    TMouseDriver() : FSaved(Seams()) { Seams().CursorPos = [this] { return FPos; }; }
    ~TMouseDriver() { Seams() = FSaved; }
    TMouseDriver(const TMouseDriver&) = delete;
    TMouseDriver& operator=(const TMouseDriver&) = delete;
    // The move waits for the next turn of whichever loop runs.
    void Place(TWinControl* window, int x, int y)
    {
        FPos = window->ClientToScreen(TPoint(x, y));
        PostMessageW(window->Handle(), WM_MOUSEMOVE, 0, PointToLParam(x, y));
    }
    void MoveTo(TWinControl* window, int x, int y)
    {
        Place(window, x, y);
        testsupport::PumpFor(10);
    }

private:
    TSystemSeams FSaved;
    TPoint FPos;
};

// Swaps in a fresh application object for tests that create main forms or run the loop.
class TTemporaryApplication {
public:
    TTemporaryApplication() : FSaved(Application)
    {
        Application = Create<TApplication>(nullptr);
        Application->Initialize();
    }
    ~TTemporaryApplication()
    {
        Application->Free();
        Application = FSaved;
        FSaved->Initialize();
    }
    TTemporaryApplication(const TTemporaryApplication&) = delete;
    TTemporaryApplication& operator=(const TTemporaryApplication&) = delete;

private:
    TApplication* FSaved;
};

}  // namespace wintest
