#pragma once
// The replaced scroll bars of unit acSBUtils: the state of one bar, the geometry every bar
// shares (sizes, thumb metrics, the part under a point), the composition of a whole bar
// (arrows, track halves and thumb) into one off-screen bitmap, and TacScrollWnd, the handler
// that owns a window's two bars, takes their room out of the client area, paints them into the
// non-client area and steers the mouse on them.
#include <windows.h>

#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/system/SystemTypes.h"
#include "skin/core/sConst.h"
#include "skin/subclass/acSBUtils.h"

class TsSkin;
class TacScrollWnd;

inline constexpr int SB_BAR_HORZ = 0;
inline constexpr int SB_BAR_VERT = 1;

// Parts of a bar; they double as the scroll request codes sent for them.
inline constexpr int sbpNone = -1;
inline constexpr int sbpArrowBefore = 0;  // up or left arrow (SB_LINEUP)
inline constexpr int sbpArrowAfter = 1;   // down or right arrow (SB_LINEDOWN)
inline constexpr int sbpPageBefore = 2;   // track before the thumb (SB_PAGEUP)
inline constexpr int sbpPageAfter = 3;    // track after the thumb (SB_PAGEDOWN)
inline constexpr int sbpThumb = 5;        // SB_THUMBTRACK

// fScrollFlags bits.
inline constexpr std::uint16_t sbfArrowBeforeDisabled = 1;
inline constexpr std::uint16_t sbfArrowAfterDisabled = 2;
inline constexpr std::uint16_t sbfEnabledWhenScrollable = 4;
inline constexpr std::uint16_t sbfStyleShowsBar = 8;

// The state of one replaced bar.
class TacScrollBar : public TObject {
public:
    std::uint16_t fScrollFlags = 0;
    bool fScrollVisible = false;
    SCROLLINFO ScrollInfo{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    // Negative: that many times the default (see ScrollBarSize).
    int nArrowLength = -1;
    int nArrowWidth = -1;
    int nButSizeBefore = 0;
    int nButSizeAfter = 0;
    bool fButVisibleBefore = false;
    bool fButVisibleAfter = false;
    std::uint16_t nBarType = SB_BAR_HORZ;
    std::uint16_t fFlatScrollbar = 0;
    int nMinThumbSize = DefaultMinThumbSize();
    TacScrollWnd* sw = nullptr;

    bool Vertical() const { return nBarType == SB_BAR_VERT; }
    // Reads the window's scroll information for this bar.
    void ReadScrollInfo(HWND Wnd);
};

// Thickness (Thickness set) or arrow length of a bar. The arrow length follows the arrow
// images of a skin that asks for it (Skin given); without a skin the system's size counts.
int ScrollBarSize(const TacScrollBar& Bar, bool Thickness, const TsSkin* Skin);

// Thumb length and start (in R's coordinates) of the bar filling R.
void GetThumbMetrics(const TacScrollBar& Bar, const TRect& R, int& ThumbSize, int& ThumbStart);

// Whether a thumb shows on a bar Length long with arrows ArrowLength long: the page's share of
// the track (at least the minimal thumb) must fit between the arrows.
bool ThumbFits(const TacScrollBar& Bar, int Length, int ArrowLength, int ThumbSize);

// The part of the bar filling R under the point (X, Y), both in one coordinate space.
int ScrollBarPortion(const TacScrollBar& Bar, const TRect& R, int X, int Y);

// The scroll position a thumb dragged to Offset pixels past the track's start stands for, on a
// track TrackLength pixels long: nMin plus the scaled offset, never past the last position a
// page can start at.
int ThumbDragPosition(const SCROLLINFO& Info, int Offset, int TrackLength, int ThumbSize);

// How one bar is to look, in the coordinates of its own bitmap (the bar's start is 0).
struct TacScrollBarLook {
    bool Vertical = false;
    int Length = 0;
    int Thickness = 0;
    // Arrow buttons, each this long (with the skin's arrow images).
    int ArrowLength = 0;
    // Thumb and its states; no thumb while ThumbShown is false.
    bool ThumbShown = false;
    int ThumbStart = 0;
    int ThumbSize = 0;
    int ThumbState = 0;
    int ArrowStates[2] = {0, 0};
    int PageStates[2] = {0, 0};
};

// Composes the bar into Bmp (Length x Thickness, or the reverse for a vertical bar). Origin is
// where the bar's start lies in the background BG describes. A bar shorter than its two arrows
// gets two halves, each with its track part and its arrow.
void ComposeScrollBar(TBitmap* Bmp, const TacScrollBarLook& Look, const TsSkin* Skin, const TCacheInfo& BG,
                      TPoint Origin);

// A disabled bar's look: 40 per cent bar over 60 per cent background (BG at Origin).
void FadeScrollBar(TBitmap* Bmp, const TCacheInfo& BG, TPoint Origin);

// Draws the size grip of the skin with its bottom-right corner on Corner.
void DrawSizeGrip(TBitmap* Bmp, const TsSkin* Skin, TPoint Corner);

// ---- The scroll-bar handler ----

// Takes over a window's scroll bars: keeps the window's WS_HSCROLL/WS_VSCROLL and its scroll
// information, takes the bars' room out of the client area itself and paints the bars and the
// corner box between them from the skin; steers the mouse on them (acSBUtilsScrollInput.cpp).
class TacScrollWnd : public TacMainWnd {
public:
    TacScrollWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                 bool Repaint = true);
    ~TacScrollWnd() override;

    void acWndProc(TMessage& Message) override;

    // Screen rectangles of the bars (empty thickness for a bar that takes no room).
    void HorzScrollRect(HWND Wnd, TRect& R) const;
    void VertScrollRect(HWND Wnd, TRect& R) const;
    // Paints both bars and the corner box; ThumbPos -1: the thumb where the scroll information
    // puts it; DC null: the window's DC.
    LRESULT DrawScrollBars(HWND Wnd, int ThumbPos, HDC DC);
    // The corner box between the bars lies on the client corner of a top-level parent.
    bool CornerIsGrip(HWND Wnd) const;

    std::uint16_t bars = 0;
    std::unique_ptr<TacScrollBar> sBarHorz;
    std::unique_ptr<TacScrollBar> sBarVert;
    bool fThumbTracking = false;
    bool fLeftScrollbar = false;
    int cxLeftEdge = 0;
    int cxRightEdge = 0;
    int cyTopEdge = 0;
    int cyBottomEdge = 0;
    bool bPreventStyleChange = false;

protected:
    // For descendants that set themselves up before the bars are installed (Install).
    TacScrollWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                 TInstallLater);
    // Installs the handler with its bars; with an owner control, makes the control opaque.
    void Install(bool Repaint);

    // A drop-down list of a foreign combo box keeps the mouse captured after a click on its bar
    // and swallows the button release.
    virtual bool ListKeepsCapture() const { return false; }

    TacScrollBar* BarOf(int Bar) const { return Bar == SB_BAR_VERT ? sBarVert.get() : sBarHorz.get(); }
    void BarRect(int Bar, TRect& R) const;

    bool HandleSkinCommand(TMessage& Message) override;
    // Passes the message to the replaced procedure, its answer becoming the result.
    void PassOn(TMessage& Message);
    // WM_NCCALCSIZE: the window's own edges measured, the bars' room taken from the client.
    void CalcNonClientSize(TMessage& Message);

private:
    void NonClientHitTest(TMessage& Message);
    void NonClientMouseMove(TMessage& Message);
    void NonClientButtonDown(TMessage& Message);
    void MouseMove(TMessage& Message);
    void ButtonUp(TMessage& Message);
    void Timer(TMessage& Message);
    void GeneralMessage(TMessage& Message);
    // Sets a timer on the window through the system facts; its id, 0 when it failed.
    UINT_PTR StartTimer(UINT_PTR Id, UINT Elapse);
    // The pointer moved to Screen while an arrow, a page or the thumb is held.
    void TrackPointer(POINT Screen);
    void DragThumbTo(POINT Screen);
    // The bar painted now with its pressed part and hover.
    void RepaintBar(int Bar);
    // The bar painted with the dragged thumb at Start (screen).
    void PaintDraggedThumb(int Start);
    // Scroll messages sent while the handler keeps its bars from repainting in between.
    void SendScrollQuietly(int Code, int Pos);
};

// The horizontal (Bar 0) or vertical (Bar 1) bar of the window's scroll-bar handler; null for
// another Bar or a window without one.
TacScrollBar* GetHandlerScrollBar(HWND Wnd, int Bar);
// Sets the smallest thumb of the horizontal (Bar 0), vertical (1) or both (3) bars; false when
// the window has no scroll-bar handler.
bool SetMinThumbSize(HWND Wnd, int Bar, int Size);
// Detaches a scroll-bar handler as UninstallWndHandler does and frees its bars; with
// FreeHandler frees it and clears Handler.
void DetachWndHandler(HWND Wnd, bool FreeHandler, bool Repaint, TacScrollWnd*& Handler);
// Creates the bar records of a new handler and installs it on Wnd.
void InstallScrollHandler(TacScrollWnd* Handler, HWND Wnd, bool Repaint);
// Keeps a scroll-bar handler on a skinned control's window while its state is skinned.
void AttachScrollWnd(TsCommonData* SkinData, TacScrollWnd*& ScrollWnd);
// Re-reads both bars' scroll information and, with Repaint, paints them.
void SyncScrollBars(TacScrollWnd* ScrollWnd, bool Repaint);
// ScrollBarSize with the skin of the bar's handler (UseSkin) or without.
int ScrollBarSize(const TacScrollBar& Bar, bool Thickness, bool UseSkin);
// Paints one bar into R (window coordinates) of DC; 1 when it painted.
int PaintScrollBar(TacScrollBar* Bar, HWND Wnd, HDC DC, int ThumbPos, int PressedPortion, const TRect& R);
bool IsBarEnabled(const TacScrollBar& Bar);
// The part of a bar filling the screen rectangle R under the screen point (X, Y).
int HorzScrollPortion(const TacScrollBar& Bar, HWND Wnd, const TRect& R, int Y, int X);
int VertScrollPortion(const TacScrollBar& Bar, HWND Wnd, const TRect& R, int Y, int X);
// Sends a scroll request (Msg WM_HSCROLL or WM_VSCROLL, Code the request) between the skin's
// scroll start and end notices; a receiver that answers the start notice with 1 gets the whole
// position in LParam.
void SendScrollMsg(HWND Wnd, UINT Msg, int Code, int Pos);

// Timers the handler sets on its window.
inline constexpr UINT_PTR HoverTimerId = 0xFFF2;
inline constexpr UINT_PTR RepeatDelayTimerId = 0xFFFD;
inline constexpr UINT_PTR RepeatTimerId = 0xFFFE;
inline constexpr UINT HoverTimerPeriod = 20;
inline constexpr UINT RepeatDelay = 300;
inline constexpr UINT RepeatPeriod = 55;

// Which bar is pressed, dragged or hovered: one set for the process, since only one bar can be.
struct TacScrollTracking {
    HWND CurrentWnd = nullptr;
    int CurrentBar = -1;
    UINT ScrollMsg = 0;
    int PressedPortion = sbpNone;
    int DrawPortion = sbpNone;
    UINT_PTR RepeatTimer = 0;
    int HoverBar = -1;
    int HoverPortion = sbpNone;
    int LastHoverPortion = sbpNone;
    TRect HoverRect{0, 0, 0, 0};
    UINT_PTR HoverTimer = 0;
    int ThumbSize = 0;
    int ThumbStart = 0;
    TRect ThumbBounds{0, 0, 0, 0};
    int ThumbMouseOffset = 0;
    int LastPos = -1;
};
extern TacScrollTracking ScrollTracking;
