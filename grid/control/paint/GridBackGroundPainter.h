#pragma once
// Unit GridBackGroundPainter: a cell's share of the grid's background picture or gradient. A
// tiled picture runs on across cells (the phase follows the cells' sizes), a placed picture
// shows the part that overlaps the cell, and a gradient spans the whole control so that each
// cell shows its slice of it.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

struct TGridBackGroundLook {
    enum TKind { Tiled, Placed, GradientHorizontal, GradientVertical } Kind = Tiled;
    TBitmap* Bitmap = nullptr;
    TPoint Position{};   // where a placed picture's top-left is, in client coordinates
    TPoint Phase{};      // how far into the tile the cell starts (tiled pictures)
    TColor Color = clWindow, ColorTo = clBtnFace;
    TSize Control{};     // the control's size (gradients span it)
};

void PaintGridBackGround(TCanvas* Canvas, const TRect& Rect, const TGridBackGroundLook& Look);
