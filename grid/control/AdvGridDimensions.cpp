// The dimension properties of TAdvStringGrid (row and column counts, fixed rows and columns,
// footers, row heights and column widths) and the look properties that painting reads.
#include <algorithm>

#include "framework/graphics/Colors.h"
#include "framework/system/ScopeGuards.h"
#include "grid/control/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"

namespace {

template <class T>
bool StoreChanged(T& Field, T Value)
{
    if (Field == Value) return false;
    Field = Value;
    return true;
}

} // namespace

void TAdvStringGrid::SetRowCount(int Value)
{
    int oldCount = RowCount();
    if (oldCount == TBaseGrid::FixedRows() && FixedRowAlways && FSelHidden) UnHideSelection();
    if (Value < 1) Value = 1;

    // With a visible floating footer the last row is the footer: it moves to the new last row.
    bool moveFooter = FFloatingFooter->Visible() && Value != oldCount && oldCount > 0;
    TStringList footer;
    if (moveFooter) TakeRowCells(oldCount - 1, &footer);

    TBaseGrid::SetRowCount(Value);
    if (FixedRowAlways && FFixedRowsMin < Value && TBaseGrid::FixedRows() != FFixedRowsMin) TBaseGrid::SetFixedRows(FFixedRowsMin);
    FMaxRowCount = std::max(FMaxRowCount, Value);
    FNormalRowCount = Value;
    InvalidateFooterPanel();

    if (moveFooter) {
        int last = RowCount() - 1;
        // Whatever the new last row held is replaced by the footer row.
        for (int c = 0; c < StoreCols(); ++c)
            if (TCellProperties* props = GetStoredObject(c, last)) {
                SetStoredObject(c, last, nullptr);
                FreeCellObjects(props);
            }
        PutRowCells(last, &footer);
        Invalidate();
    }
}

void TAdvStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (FixedColAlways && FFixedColsMin < ColCount() && TBaseGrid::FixedCols() != FFixedColsMin) TBaseGrid::SetFixedCols(FFixedColsMin);
    FMaxColCount = std::max(FMaxColCount, ColCount());
    InvalidateFooterPanel();
    // Sizing rules (IntegralHeight, SizeWithForm) apply to the new layout.
    SetBounds(Left(), Top(), Width(), Height());
}

void TAdvStringGrid::SetCol(int Value)
{
    TBaseGrid::SetCol(Value);
    if (FSyncGrid->Grid() != nullptr && FSyncGrid->SelectionColumn && Value < FSyncGrid->Grid()->ColCount())
        FSyncGrid->Grid()->SetCol(Value);
}

int TAdvStringGrid::FixedRows() const
{
    int count = TBaseGrid::FixedRows();
    return count == 0 && FixedRowAlways ? 1 : count;
}

void TAdvStringGrid::SetFixedRows(int Value)
{
    if (FixedRowAlways && Value >= RowCount()) Value = RowCount() - 1;
    TBaseGrid::SetFixedRows(Value);
    if (!ComponentState().Contains(csLoading)) FFixedRowsMin = Value;
}

int TAdvStringGrid::FixedCols() const
{
    int count = TBaseGrid::FixedCols();
    return count == 0 && FixedColAlways ? 1 : count;
}

void TAdvStringGrid::SetFixedCols(int Value)
{
    if (FixedColAlways && Value >= ColCount()) Value = ColCount() - 1;
    TBaseGrid::SetFixedCols(Value);
    if (!ComponentState().Contains(csLoading)) FFixedColsMin = Value;
}

void TAdvStringGrid::SetFixedFooters(int Value)
{
    FFixedFooters = std::max(Value, 0);
    Invalidate();
}

void TAdvStringGrid::SetFixedRightCols(int Value)
{
    FFixedRightCols = std::max(Value, 0);
    Invalidate();
}

void TAdvStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    if (ComponentState().Contains(csDesigning)) FFixedRowHeight = Value;
    FFloatingFooter->FHeight = Value;
    if (FFloatingFooter->Visible() && FFooterPanel != nullptr) FFooterPanel->SetHeight(Value);
}

int TAdvStringGrid::FixedColWidth()
{
    return ColWidths(0);
}

void TAdvStringGrid::SetFixedColWidth(int Value)
{
    if (ComponentState().Contains(csLoading) || Value == DefaultColWidth()) return;
    for (int i = 0; i < TBaseGrid::FixedCols(); ++i)
        SetColWidths(i, Value);
}

void TAdvStringGrid::SetFixedRowHeight(int Value)
{
    FFixedRowHeight = Value;
    if (ComponentState().Contains(csLoading)) return;
    if (Value == DefaultRowHeight()) {
        TBaseGrid::SetDefaultRowHeight(Value);
        return;
    }
    for (int i = 0; i < TBaseGrid::FixedRows(); ++i)
        SetRowHeights(i, Value);
}

void TAdvStringGrid::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    FWordWrapEx = Value;
    if (FUpdate.Count == 0) Invalidate();
}

void TAdvStringGrid::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    FVAlign = Value == vtaCenter ? DT_VCENTER : Value == vtaBottom ? DT_BOTTOM : 0;
    if (FUpdate.Count == 0) Invalidate();
}

void TAdvStringGrid::SetDefaultAlignment(TAlignment Value)
{
    if (StoreChanged(FDefaultAlignment, Value)) Invalidate();
}

void TAdvStringGrid::SetHighlightColor(TColor Value)
{
    if (!StoreChanged(FHighlightColor, Value)) return;
    SetMarkupHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TAdvStringGrid::SetHighlightTextColor(TColor Value)
{
    if (!StoreChanged(FHighlightTextColor, Value)) return;
    SetMarkupHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TAdvStringGrid::SetSelectionColor(TColor Value)
{
    if (StoreChanged(FSelectionColor, Value)) Invalidate();
}

void TAdvStringGrid::SetSelectionColorTo(TColor Value)
{
    if (StoreChanged(FSelectionColorTo, Value)) Invalidate();
}

void TAdvStringGrid::SetSelectionMirrorColor(TColor Value)
{
    if (StoreChanged(FSelectionMirrorColor, Value)) Invalidate();
}

void TAdvStringGrid::SetSelectionMirrorColorTo(TColor Value)
{
    if (StoreChanged(FSelectionMirrorColorTo, Value)) Invalidate();
}

void TAdvStringGrid::SetSelectionTextColor(TColor Value)
{
    if (StoreChanged(FSelectionTextColor, Value)) Invalidate();
}

void TAdvStringGrid::SetSelectionColorMixer(bool Value)
{
    if (StoreChanged(FSelectionColorMixer, Value)) Invalidate();
}

void TAdvStringGrid::SetSelectionRectangle(bool Value)
{
    if (StoreChanged(FSelectionRectangle, Value)) Invalidate();
}

void TAdvStringGrid::SetSelectionResizer(bool Value)
{
    if (StoreChanged(FSelectionResizer, Value)) Invalidate();
}

void TAdvStringGrid::SetShowSelection(bool Value)
{
    if (!StoreChanged(FShowSelection, Value)) return;
    FShowSel = Value;
    Invalidate();
}

void TAdvStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    if (!ComponentState().Contains(csLoading)) Invalidate();
}

void TAdvStringGrid::SetMaxEditLength(int Value)
{
    FMaxEditLength = Value;
    if (TAdvInplaceEdit* editor = NormalEdit()) editor->SetMaxLength(Value);
}

void TAdvStringGrid::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value && !ComponentState().Contains(csLoading)) AutoSizeColumns(false, 10);
}

void TAdvStringGrid::SetSpreadSheet(bool Value)
{
    FSpreadSheet = Value;
    if (!Value) return;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation->AllowSmartClipboard = true;
    SetOptions(Options() + TGridOptions{goRangeSelect, goEditing});
    FMouseActions->RangeSelectAndEdit = true;
}

void TAdvStringGrid::SetFilterDropDownRow(int Value)
{
    if (Value < TBaseGrid::FixedRows()) FFilterRow = Value;
    Invalidate();
}

void TAdvStringGrid::SetFilterDropDownAuto(bool Value)
{
    FFilterDropDownAuto = Value;
    Invalidate();
}

void TAdvStringGrid::SetFilterActive(bool Value)
{
    if (Value == FFilterActive) return;
    FFilterActive = Value;
    if (Value) {
        if (Row() >= RowCount() || Col() >= ColCount()) FocusCell(FixedCols(), FixedRows());
        {
            TUpdateGuard<TAdvStringGrid> update(*this);
            ApplyFilter();
        }
        FSelHidden = false;
    } else {
        UnHideRowList();
        if (FFilterLevel > 0) --FFilterLevel;
        SetFixedRows(FFilterFixedRows);
        if (FSelHidden) UnHideSelection();
    }
    SetTopRowEx(FixedRows());
}

void TAdvStringGrid::SetIntegralHeight(bool Value)
{
    FIntegralHeight = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

void TAdvStringGrid::SetQRXGradientFrom(TColor Value)
{
    FQRXGradientFrom = Value == clNone ? Value : ColorToRGB(Value);
    Invalidate();
}

void TAdvStringGrid::SetQRXGradientTo(TColor Value)
{
    FQRXGradientTo = Value == clNone ? Value : ColorToRGB(Value);
    Invalidate();
}

void TAdvStringGrid::SetQRXGradientMirrorFrom(TColor Value)
{
    FQRXGradientMirrorFrom = Value == clNone ? Value : ColorToRGB(Value);
    Invalidate();
}

void TAdvStringGrid::SetQRXGradientMirrorTo(TColor Value)
{
    FQRXGradientMirrorTo = Value == clNone ? Value : ColorToRGB(Value);
    Invalidate();
}

void TAdvStringGrid::SetCursor(TCursor Value)
{
    TBaseGrid::SetCursor(Value);
    FOldCursor = Value;
}

void TAdvStringGrid::ChangeScale(int M, int D)
{
    TBaseGrid::ChangeScale(M, D);
    if (ComponentState().Contains(csDesigning) || M == D) return;
    for (TFont* font : {FFixedFont.get(), FActiveCellFont.get()})
        font->SetSize(MulDiv(font->Size(), M, D));
}
