#pragma once
// Unit AdvUtil: drawing routines the grid pack shares (stepped and mirrored gradients, the
// rounded selection box). They draw on a canvas the caller owns and leave its pen and brush
// colours changed; callers save what they need. clNone ($1FFFFFFF) means "no colour" throughout.
#include <windows.h>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"

// Bands from ColorFrom to ColorTo across Rect (left to right when Horizontal, else top to
// bottom); a solid fill when ColorTo is clNone.
void PaintStepGradient(TCanvas* Canvas, TColor ColorFrom, TColor ColorTo, bool Horizontal, TRect Rect, int Steps);

// Solid, one gradient or two half gradients (mirror), then an optional border (SidesOnly: just
// the left and right edges).
void PaintMirrorGradient(TCanvas* Canvas, TRect Rect, TColor Color, bool Fill, bool SidesOnly, TColor BorderColor,
                         bool Vertical, TColor MirrorColorTo, TColor MirrorColor, TColor ColorTo);

// Colour at Step of the range Start..End between two colours.
TColor InterpolateColor(TColor ColorFrom, TColor ColorTo, int Start, int Step, int End);

// Which piece of a selection that spans several columns a cell shows: the whole box, the left
// end, the right end or a middle piece (no rounded corners).
enum TSelectionBoxPart { sbpWhole = 0, sbpLeft = 1, sbpRight = 2, sbpMiddle = 3 };

void PaintSelectionBox(TCanvas* Canvas, TColor Color, TColor ColorTo, int Part, TRect Rect, TColor OuterCornerColor,
                       TColor InnerCornerColor, TColor BorderColor, TColor LowerInnerLineColor,
                       TColor UpperInnerLineColor, TColor MirrorColorTo, TColor MirrorColor);
