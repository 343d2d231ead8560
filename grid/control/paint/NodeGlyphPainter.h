#pragma once
// Unit NodeGlyphPainter: the expand/contract button of an outline node row in column 0, drawn
// by the node type (flat or 3-D box with plus and minus, leaf or boxed pictures, the caller's
// glyphs), with the short tree-line stubs above and below it.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

struct TNodeGlyphLook {
    int NodeType = 4;           // a TNodeType ordinal: cnFlat, cn3D, cnGlyph, cnLeaf, cnXP
    TColor Color = 0xC0C0C0;    // the box (and the cn3D band)
    TColor NodeColor = 0;       // the cnFlat frame
    bool ShowTree = true;
    TColor TreeColor = 0x808080;
    int NodeIndent = 12;
    TBitmap* ExpandGlyph = nullptr;
    TBitmap* ContractGlyph = nullptr;
};

// What the node's row and its neighbours say about the glyph.
struct TNodeGlyphRow {
    int Level = 1;              // the row's nesting level (a top-level node is 1)
    bool Collapsed = false;
    bool TreeRow = true;        // a row at or below the fixed rows: tree stubs are drawn
    bool NextIndented = false;  // the next row exists and is indented deeper than 0
    bool NextLessIndented = false;
    bool PrevAsDeep = false;    // the previous row is indented at least as deep
    bool ShiftArea = false;     // a fixed column of a grid whose fixed look draws a left edge
    TColor Background = clWindow;
};

void PaintNodeGlyph(TCanvas* Canvas, const TRect& Cell, const TNodeGlyphRow& Row, const TNodeGlyphLook& Look);
