#pragma once
// Text drawn in a font without selecting that font into the target DC. Selecting a font costs far
// more than drawing a short text (under Wine the font is realised for the DC again at every
// selection, even of the font already there: about 7 us, against about 1 us for drawing a word),
// so text that changes font run by run spends most of its time selecting. Here each font keeps a
// memory DC of its own with the font selected for good; a text is drawn there over a copy of the
// target's pixels, and the pixels are copied back. The target ends up exactly as DrawText on it
// would have left it. Targets where that cannot be promised are refused, and the caller draws as
// usual: anything but a memory DC with a 32-bit bitmap, a mapping mode, a world transform, a
// mirrored layout, a text alignment or a rotated font.
#include <windows.h>

#include "framework/graphics/Canvas.h"

// What drawing a line needs to know of its target DC. Reading it costs several GDI calls, so a
// caller that draws many lines on one DC in a row reads it once and passes it on; it holds while
// the DC keeps its bitmap, mapping mode, transform, layout and text alignment.
struct TTextTarget {
    explicit TTextTarget(HDC Target);

    // The selected bitmap's format, as far as it decides the bytes text leaves on it. The font DCs'
    // bitmaps are made compatible with it; a target of another format starts them afresh.
    struct TFormat {
        bool Dib = false;
        bool TopDown = false;
        DWORD Compression = BI_RGB;
        DWORD Masks[3] = {0, 0, 0};
        bool operator==(const TFormat&) const = default;
    };

    HDC DC = nullptr;
    bool PlacesText = false;     // lines are placed from the fonts' widths
    bool DrawsInFontDCs = false; // text may be drawn in font DCs (a memory DC over a 32-bit bitmap)
    TFormat Format;
};

// DrawTextW(Text, Format) into Rect on the canvas's DC, in the canvas's font and font colour, with
// the background the canvas's brush gives text (opaque for a solid brush, else transparent). True
// when drawn; false when the caller must draw through the canvas instead: the target is refused,
// the canvas's font is already the DC's current one (drawing there is cheaper), or the text or
// Format is one this path does not take (tabs, line breaks, several lines, DT_CALCRECT,
// DT_MODIFYSTRING). Target: the canvas's DC as read before (optional).
bool DrawTextInFontDC(TCanvas* Canvas, const TRect& Rect, const String& Text, UINT Format,
                      const TTextTarget* Target = nullptr);

// DrawTextW(Text, Format) into Rect on the canvas, in its font, font colour and brush, drawn the
// cheapest way that leaves the same pixels: a single left-aligned line whose place is known is
// drawn with one ExtTextOut (DrawText's own last step), in a font DC when the canvas's font is
// not the DC's current one, and in an underlined or struck-out font as the text in the same font
// without lines and the lines filled where GDI puts them; anything else through DrawText. Target:
// the canvas's DC as read before (optional).
void DrawTextLine(TCanvas* Canvas, const TRect& Rect, const String& Text, UINT Format,
                  const TTextTarget* Target = nullptr);

// Frees the DCs and bitmaps kept for the fonts (they are made again on the next use).
void ReleaseFontDCs();
