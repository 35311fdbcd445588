#include "skin/core/sVclUtilsAnimation.h"

#include "skin/forms/sSkinProviderLayered.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"

namespace skin {

using namespace vcl;

TacHideTimer* acHideTimer = nullptr;

namespace {

bool ApplicationTerminating() { return Application && Application->Terminated(); }

}  // namespace

TacHideTimer::TacHideTimer(TComponent* AOwner) : TacThreadedTimer(AOwner) {}

void TacHideTimer::BeforeDestruction()
{
    if (acHideTimer == this)
        acHideTimer = nullptr;
    FreeAnimation();
    TacThreadedTimer::BeforeDestruction();
}

void TacHideTimer::FreeAnimation()
{
    if (Form)
        Form->Free();
    Form = nullptr;
    SrcBmp.reset();
    DstBmp.reset();
}

void TacHideTimer::OnTimerProc(TObject*)
{
    if (i > StepCount) {
        SetInterval(65535);
        SetOnTimer(TNotifyEvent());
        FreeAnimation();
        return;
    }
    if (!Form || !SrcBmp || !DstBmp || size_t(i) >= Frames.size())
        return;
    const TAnimFrame& frame = Frames[size_t(i)];
    BuildAnimFrame(DstBmp.get(), SrcBmp.get(), frame);
    SetFormBlendValue(Form->Handle(), DstBmp.get(), frame.Alpha);
    ++i;
}

void StartHideAnimation(TForm* Cover, std::unique_ptr<TBitmap> Bmp, unsigned TimeMs, int StartBlendValue,
                        TacAnimType AnimType)
{
    if (acHideTimer && acHideTimer->Form) {
        acHideTimer->Form->Free();
        acHideTimer->Form = nullptr;
    }
    const int steps = int(TimeMs / acAnimStepMs);
    if (steps == 0) {
        Cover->Free();
        return;
    }
    if (!acHideTimer)
        acHideTimer = Create<TacHideTimer>(Application);
    TacHideTimer& timer = *acHideTimer;
    const TSize size(Bmp->Width(), Bmp->Height());
    timer.SetEnabled(false);
    timer.i = 0;
    timer.StepCount = steps;
    timer.Frames = HideFrames(size, steps, StartBlendValue, AnimType);
    timer.SrcBmp = std::move(Bmp);
    timer.DstBmp = CreateBmp32(size.cx, size.cy);
    timer.Form = Cover;
    timer.SetInterval(acAnimStepMs);

    const HWND wnd = Cover->Handle();
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
    SetFormBlendValue(wnd, timer.SrcBmp.get(), StartBlendValue);
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    SetWindowPos(wnd, HWND_TOPMOST, Cover->Left(), Cover->Top(), size.cx, size.cy,
                 SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW);

    if (ApplicationTerminating()) {
        // The message loop delivers no more ticks: every frame now, the cover left to the timer.
        while (timer.i <= timer.StepCount) {
            timer.OnTimerProc(nullptr);
            Sleep(acAnimStepMs);
        }
        return;
    }
    timer.SetOnTimer(TNotifyEvent(&timer, &TacHideTimer::OnTimerProc));
    timer.OnTimerProc(nullptr);
    timer.SetEnabled(true);
}

}  // namespace skin
