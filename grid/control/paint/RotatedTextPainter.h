#pragma once
// Unit RotatedTextPainter: a cell text turned by an angle: where its start point goes so that the
// turned text keeps the cell's alignment, and the drawing with a turned copy of the canvas font.
#include "framework/graphics/Canvas.h"

// The turned text's extents a = |cos x height|, b = |sin x width|, c = |sin x height|,
// d = |cos x width| (each truncated).
struct TRotatedExtents {
    int A = 0, B = 0, C = 0, D = 0;
};
TRotatedExtents MeasureRotatedText(TCanvas* Canvas, const String& Text, int Angle);

// Moves R's left and top to the start point of a text turned by Angle degrees (0 .. 360) with
// the alignments HAlign (0 left, 1 right, 2 centre) and VAlign (0 top, 1 centre, 2 bottom).
void RotatedTextOrigin(TRect& R, int HAlign, int VAlign, const TRotatedExtents& E, int Angle);
// Measures Text, deflates R by 2 and places its start point (the two steps above).
void PositionRotatedText(TCanvas* Canvas, TRect& R, int Angle, const String& Text, int HAlign, int VAlign);

// Draws Text turned by Angle degrees in Rect (clipped to it), aligned as above, transparent.
void PaintRotatedText(TCanvas* Canvas, const TRect& Rect, int Angle, const String& Text, int HAlign, int VAlign);
