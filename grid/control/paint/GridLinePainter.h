#pragma once
// Unit GridLinePainter: the grid lines, which each cell draws inside itself along its right and
// bottom edge (the framework grid's own lines stay off), so that a merged area or a cell with a
// colour of its own keeps its lines where the neighbours have them.
#include "grid/foundation/CellVisual.h"

void PaintCellGridLines(TCanvas* Canvas, const TCellVisual& Visual, const TRect& Rect);
