// The published properties of the grid classes and the identifiers of their types, for the
// form reader. RegisterGridsClasses is called by the registration entry point.
#include "framework/classes/PropertyRegistry.h"
#include "framework/grids/Grids.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

namespace {

void RegisterGridTypes()
{
    RegisterEnumType(L"TGridOption", {L"goFixedVertLine", L"goFixedHorzLine", L"goVertLine", L"goHorzLine", L"goRangeSelect",
                                      L"goDrawFocusSelected", L"goRowSizing", L"goColSizing", L"goRowMoving", L"goColMoving",
                                      L"goEditing", L"goTabs", L"goRowSelect", L"goAlwaysShowEditor", L"goThumbTracking"});
    RegisterEnumType(L"TGridDrawingStyle", {L"gdsClassic", L"gdsThemed", L"gdsGradient"});
    RegisterEnumType(L"TScrollStyle", {L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"});
}

void RegisterGrids()
{
    RegisterPublishedClass<TCustomGrid>(L"TCustomGrid", L"TCustomControl")
        .Integer(L"ColCount", [](TCustomGrid* g, int v) { g->SetColCount(v); }, L"5")
        .Integer(L"RowCount", [](TCustomGrid* g, int v) { g->SetRowCount(v); }, L"5")
        .Integer(L"FixedCols", [](TCustomGrid* g, int v) { g->SetFixedCols(v); }, L"1")
        .Integer(L"FixedRows", [](TCustomGrid* g, int v) { g->SetFixedRows(v); }, L"1")
        .Integer(L"DefaultColWidth", [](TCustomGrid* g, int v) { g->SetDefaultColWidth(v); }, L"64")
        .Integer(L"DefaultRowHeight", [](TCustomGrid* g, int v) { g->SetDefaultRowHeight(v); }, L"24")
        .Integer(L"GridLineWidth", [](TCustomGrid* g, int v) { g->SetGridLineWidth(v); }, L"1")
        .Boolean(L"DefaultDrawing", [](TCustomGrid* g, bool v) { g->SetDefaultDrawing(v); }, L"True")
        .Integer(L"FixedColor", [](TCustomGrid* g, TColor v) { g->SetFixedColor(v); }, L"clBtnFace", L"TColor")
        .Set(L"Options", L"TGridOption", [](TCustomGrid* g, uint64_t v) { g->SetOptions(TGridOptions::FromBits(v)); },
             L"[goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect]")
        .Enum<TScrollStyle>(L"ScrollBars", L"TScrollStyle", [](TCustomGrid* g, TScrollStyle v) { g->SetScrollBars(v); }, L"ssBoth")
        .Enum<TBorderStyle>(L"BorderStyle", L"TFormBorderStyle", [](TCustomGrid* g, TBorderStyle v) { g->SetBorderStyle(v); },
                            L"bsSingle")
        .Enum<TGridDrawingStyle>(L"DrawingStyle", L"TGridDrawingStyle",
                                 [](TCustomGrid* g, TGridDrawingStyle v) { g->SetDrawingStyle(v); }, L"gdsClassic")
        .Integer(L"GradientStartColor", [](TCustomGrid* g, TColor v) { g->SetGradientStartColor(v); }, L"clWhite", L"TColor")
        .Integer(L"GradientEndColor", [](TCustomGrid* g, TColor v) { g->SetGradientEndColor(v); }, L"$00DDDDDD", L"TColor");

    RegisterPublishedClass<TCustomDrawGrid>(L"TCustomDrawGrid", L"TCustomGrid")
        .Event<TDrawCellEvent>(L"OnDrawCell", [](TCustomDrawGrid* g) -> TDrawCellEvent& { return g->OnDrawCell; })
        .Event<TSelectCellEvent>(L"OnSelectCell", [](TCustomDrawGrid* g) -> TSelectCellEvent& { return g->OnSelectCell; })
        .Event<TGetEditEvent>(L"OnGetEditMask", [](TCustomDrawGrid* g) -> TGetEditEvent& { return g->OnGetEditMask; })
        .Event<TGetEditEvent>(L"OnGetEditText", [](TCustomDrawGrid* g) -> TGetEditEvent& { return g->OnGetEditText; })
        .Event<TSetEditEvent>(L"OnSetEditText", [](TCustomDrawGrid* g) -> TSetEditEvent& { return g->OnSetEditText; })
        .Event<TNotifyEvent>(L"OnTopLeftChanged", [](TCustomDrawGrid* g) -> TNotifyEvent& { return g->OnTopLeftChanged; })
        .Event<TMovedEvent>(L"OnColumnMoved", [](TCustomDrawGrid* g) -> TMovedEvent& { return g->OnColumnMoved; })
        .Event<TMovedEvent>(L"OnRowMoved", [](TCustomDrawGrid* g) -> TMovedEvent& { return g->OnRowMoved; });

    RegisterPublishedClass<TDrawGrid>(L"TDrawGrid", L"TCustomDrawGrid");
    RegisterPublishedClass<TCustomStringGrid>(L"TCustomStringGrid", L"TDrawGrid");
    RegisterPublishedClass<TStringGrid>(L"TStringGrid", L"TCustomStringGrid");
}

} // namespace

void RegisterGridsClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterStdControlsClasses();
    RegisterGridTypes();
    RegisterGrids();
}
