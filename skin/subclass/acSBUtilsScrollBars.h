#pragma once
// The replaced scroll bars of unit acSBUtils: the state of one bar, the geometry every bar
// shares (sizes, thumb metrics, the part under a point) and the composition of a whole bar,
// arrows, track halves and thumb, into one off-screen bitmap. The window handler that owns the
// bars, measures the window's edges and steers the mouse builds on these.
#include <windows.h>

#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/system/SystemTypes.h"
#include "skin/core/sConst.h"

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

// A thumb never gets shorter than this many pixels unless asked to.
int DefaultMinThumbSize();

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
