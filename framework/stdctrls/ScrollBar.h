#pragma once
// TScrollBar over the system SCROLLBAR class: keeps Min, Max, Position and the page while it
// has no window and writes them into the window when it is made; the parent reflects its scroll
// messages (CN_HSCROLL, CN_VSCROLL), which become OnScroll and OnChange.
#include <windows.h>
#include <functional>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/ScrollBox.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

KVL_DECLARE_EXCEPTION(EScrollBarError, EInvalidOperation);

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
    int Position() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    // The thumb's size in positions (0: a square thumb).
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; }
    // EScrollBarError "Scroll bar property out of range" when AMax < AMin or the page does not fit.
    // A new position fires OnChange.
    void SetParams(int APosition, int AMin, int AMax);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

private:
    void DoScroll(TMessage& Message);
    void UpdateScrollInfo();
    int MaxPosition() const;

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};
