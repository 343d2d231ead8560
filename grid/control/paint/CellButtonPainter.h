#pragma once
// Unit CellButtonPainter: a push button in a cell (ctButton, ctBitButton): its face pressed,
// flat or disabled, an optional glyph at its left and the caption centred on it.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

struct TCellButtonLook {
    bool Pressed = false;
    bool Enabled = true;
    bool Flat = false;
    TBitmap* Glyph = nullptr; // drawn transparent at the face's left when not empty
    bool Themed = false;      // the face comes from the visual styles (the frame control without them)
    HWND Window = nullptr;
};

void PaintCellButton(TCanvas* Canvas, TRect Dest, const String& Caption, const TCellButtonLook& Look);
