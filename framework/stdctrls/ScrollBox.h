#pragma once
// Scrolling containers: TScrollingWinControl keeps a virtual area larger than its client area,
// shown through the window's own scroll bars (TControlScrollBar, one per direction); scrolling
// moves the children. With AutoScroll the range follows the children's extent. TScrollBox
// publishes it with a border.
#include <windows.h>

#include <memory>

#include "framework/controls/Controls.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
// The parts of a scroll bar message, in the order of the SB_ codes.
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

class TScrollingWinControl;

// One of the two scroll bars of a scrolling control.
class TControlScrollBar : public TPersistent {
public:
    TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind);

    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override;

    TScrollBarKind Kind() const { return FKind; }
    // Pixels scrolled, 0 .. Range - client extent.
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    // The extent of the virtual area in this direction (0: nothing to scroll).
    int Range() const { return FRange; }
    void SetRange(int Value);
    // Space kept behind the last child when the range is computed (and around a control
    // scrolled into view).
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    // Pixels per line step.
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value > 0 ? Value : 1; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Dragging the thumb scrolls at once (otherwise when it is let go).
    bool Tracking() const { return FTracking; }
    void SetTracking(bool Value) { FTracking = Value; }
    // The largest position (Range less the visible extent), as of the last update.
    int ScrollPos() const { return FCalcRange; }
    // The bar is shown now.
    bool IsScrollBarVisible() const { return FShown; }

    // A scroll message of this bar (WM_HSCROLL / WM_VSCROLL of the control's own bars).
    void ScrollMessage(TMessage& Message);

private:
    friend class TScrollingWinControl;
    void DoSetRange(int Value);
    int Bar() const { return FKind == sbHorizontal ? SB_HORZ : SB_VERT; }

    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FPosition = 0;
    int FRange = 0;
    int FCalcRange = 0;
    int FMargin = 0;
    int FIncrement = 8;
    bool FVisible = true;
    bool FTracking = false;
    bool FShown = false;
};

class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }
    // The range follows the children (and a focused child is scrolled into view).
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);

    // Moves every child by (DeltaX, DeltaY) and repaints.
    virtual void ScrollBy(int DeltaX, int DeltaY);
    // Scrolls so that AControl (a descendant) is wholly visible, with the bars' margins.
    void ScrollInView(TControl* AControl);
    // Recomputes the ranges from the children (AutoScroll) and updates both bars.
    void UpdateScrollBars();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void AdjustClientRect(TRect& Rect) override;
    void WMSize(TMessage& Message) override;
    void WMHScroll(TMessage& Message) override;
    void WMVScroll(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;

protected:
    friend class TControlScrollBar;
    virtual bool AutoScrollEnabled() const { return true; }
    void CalcAutoRange();
    // Shows, hides and sizes both bars for the current ranges and client size.
    void ApplyScrollBars();

    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
    bool FAutoScroll = true;
    int FUpdatingScrollBars = 0;
};

class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    void CreateParams(TCreateParams& Params) override;

private:
    TBorderStyle FBorderStyle = bsSingle;
};
