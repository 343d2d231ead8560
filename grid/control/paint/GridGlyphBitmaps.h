#pragma once
// Unit GridGlyphBitmaps: the grid's named glyph pictures (check boxes and radio buttons of the
// bitmap styles, outline node glyphs). A bitmap resource of the program by that name wins;
// otherwise the grid draws its own picture of the same size once and keeps it. Each picture's
// corners hold its see-through colour, so it draws transparent in automatic mode.
//
//   "ASGCHK01".."ASGCHK04"  20 x 20  rounded check box: checked, unchecked, checked disabled,
//                                    unchecked disabled
//   "ASGCHK05".."ASGCHK08"  16 x 16  square check box, same order
//   "ASGRAD01".."ASGRAD04"  16 x 16  radio button with a shaded ring, same order
//   "ASGRAD05".."ASGRAD08"  16 x 16  radio button with a plain ring, same order
//   "ASGLEAFOPEN", "ASGLEAFCLOSE"  16 x 16  expanded and collapsed outline node
//   "XPNODEO", "XPNODEC"    9 x 9    expanded and collapsed outline node, boxed
//   "ASGFILT"               16 x 16  the header's filter button
#include "framework/graphics/Bitmap.h"

// The picture, or nullptr for a name the grid does not know. It stays the grid's own.
TBitmap* GridGlyphBitmap(const String& Name);

// Draws the named picture transparent with its top-left at (X, Y).
void PaintGridGlyph(TCanvas* Canvas, int X, int Y, const String& Name);
