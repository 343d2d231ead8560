#pragma once
// TTrackBar over msctls_trackbar32: keeps Min, Max, Position, ticks and selection while it has
// no window and writes them into the window when it is made; the parent reflects its scroll
// messages (CN_HSCROLL, CN_VSCROLL), which become OnChange.
#include <windows.h>
#include <commctrl.h>
#include <functional>

#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/controls/Controls.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    // Kept within Min .. Max.
    int Position() const;
    void SetPosition(int Value);
    // Distance between automatic ticks.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int Value);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int Value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation Value);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark Value);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle Value);
    int SelStart() const { return FSelStart; }
    void SetSelStart(int Value);
    int SelEnd() const { return FSelEnd; }
    void SetSelEnd(int Value);
    bool SliderVisible() const { return FSliderVisible; }
    void SetSliderVisible(bool Value);
    int ThumbLength() const { return FThumbLength; }
    void SetThumbLength(int Value);
    // A manual tick (tsManual) at Value.
    void SetTick(int Value);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    // The thumb moved (OnChange).
    virtual void Changed();

    TNotifyEvent OnChange;

private:
    void UpdateSelection();

    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FFrequency = 1;
    int FLineSize = 1;
    int FPageSize = 2;
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
    int FSelStart = 0;
    int FSelEnd = 0;
    bool FSliderVisible = true;
    int FThumbLength = 20;
};
