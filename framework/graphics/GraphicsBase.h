#pragma once
// Ground of the graphics layer: the geometry types every painting routine takes (plain Win32
// RECT/POINT/SIZE under their framework names), the graphics errors, and the one place the
// screen's pixels-per-inch is read from.
#include <windows.h>

#include "framework/system/Exceptions.h"
#include "framework/system/SystemTypes.h"

using TRect = RECT;
using TPoint = POINT;
using TSize = SIZE;

inline TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) { return TRect{Left, Top, Left + Width, Top + Height}; }
inline TPoint Point(int X, int Y) { return TPoint{X, Y}; }

KVL_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
KVL_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

// Logical pixels per inch of the screen (96 under Wine), read from the display once and cached.
// Fonts turn point sizes into pixel heights with it.
int ScreenPixelsPerInch();
// Replaces the cached value (tests, or a process that changes its DPI awareness); 0 re-reads
// the display on the next call.
void SetScreenPixelsPerInch(int Value);
