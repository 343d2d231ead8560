#pragma once
// Unit CellVisual: the visual decision for one grid cell, made once per cell and handed as one
// value to the cell painters (grid/control/paint), which draw it in a fixed order. Later cell
// kinds (markup, pictures, in-cell controls, the skin) add fields here and painters to the
// sequence instead of growing one drawing function.
#include <windows.h>

#include "framework/graphics/GraphicsObjects.h"
#include "framework/grids/Grids.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "grid/foundation/AdvObj.h"

enum TGridLook { glStandard, glSoft, glClassic, glQRX, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };

// The rounded selection box that replaces the plain selection colour for the styles other than
// ssDefault. Part is a TSelectionBoxPart (whole box, left end, right end, middle piece).
struct TCellSelectionBox {
    TGridSelectionStyle Style = ssDefault;
    int Part = 0;
    bool Focused = false;
    TColor OuterCornerColor = clNone; // the grid's colour, shown in the box's outermost corners
    TRect Rect{};
};

// The grid lines a cell draws inside itself at its right and bottom edge.
struct TCellGridLines {
    bool Draw = false;
    TColor Color = clNone;
    int Width = 0;
    int Half = 0; // (width + 1) div 2; 1 for fixed cells
    bool Horizontal = false, Vertical = false;
    bool RightToLeft = false;
};

// How a fixed cell looks beyond its colours: the grid look, flat grids, the edges the look
// draws and the highlighted header of the current cell.
struct TFixedCellLook {
    TGridLook Look = glXP;
    bool Flat = false;
    TColor FixedColor = clBtnFace;
    bool HorzLines = false, VertLines = false;
    bool ActiveHeader = false;
    TColor ActiveColor = clNone, ActiveColorTo = clNone;
    // glListView headers drawn by the visual styles' "header" class: its part and state (0: none).
    int ThemedHeaderPart = 0, ThemedHeaderState = 0;
    HWND Window = nullptr;
    // The header of the sort column in the sort settings' header colours.
    bool SortedHeader = false;
    TColor HeaderColor = clNone, HeaderColorTo = clNone, HeaderMirrorColor = clNone, HeaderMirrorColorTo = clNone;
    // A right fixed column of a flat grid gets grey lines around it.
    bool RightFixedOfFlat = false;
};

struct TCellVisual {
    TGridDrawState State;
    // Brush colour (the gradient's start), the gradient's end and the lower half of a mirrored
    // gradient; clNone means none.
    TColor Color = clNone;
    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    TCellGradientDirection Direction = GradientVertical;
    // The font the decision filled (while painting, the canvas's own).
    TFont* Font = nullptr;
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    bool WordWrap = true;

    TCellSelectionBox SelectionBox;
    TCellGridLines Lines;
    TFixedCellLook FixedLook;

    bool Fixed() const { return State.Contains(gdFixed); }
    bool Selected() const { return State.Contains(gdSelected); }
};

// One step of a cell's painting: draws part of the decision into the rectangle.
using TCellPaintStep = void (*)(TCanvas* Canvas, const TCellVisual& Visual, const TRect& Rect);
