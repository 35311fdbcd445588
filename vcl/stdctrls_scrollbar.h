#pragma once
// Scroll bar controls over the system's SCROLLBAR class (included by vcl/stdctrls.h).
#include "vcl/stdctrls.h"

namespace vcl {

using TScrollEvent = TDelegate<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
    CL_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* AOwner);

    // A window style: a change re-creates the window and turns the bar's size around.
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);
    int Min() const { return FMin; }
    void SetMin(int value) { SetParams(FPosition, value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int value) { SetParams(FPosition, FMin, value); }
    // Always within [Min, Max]; a change by code fires OnChange too.
    int Position() const { return FPosition; }
    void SetPosition(int value) { SetParams(value, FMin, FMax); }
    void SetParams(int APosition, int AMin, int AMax);
    // The steps of the arrows and of the track.
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value) { FSmallChange = value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value) { FLargeChange = value; }
    // The thumb's share of the range (0: a square thumb).
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);

    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }
    // Every request of the user, with the position it asks for (the handler may change it).
    TScrollEvent OnScroll() const { return FOnScroll; }
    void SetOnScroll(TScrollEvent value) { FOnScroll = value; }

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

private:
    void CNScroll(TMessage& Message);
    void ApplyScrollInfo();

    TScrollBarKind FKind = TScrollBarKind::sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    int FPageSize = 0;
    TNotifyEvent FOnChange;
    TScrollEvent FOnScroll;
};

}  // namespace vcl
