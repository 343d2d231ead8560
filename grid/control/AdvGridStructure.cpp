// Emptying cells and changing the grid's row and column structure: the clear family, inserting,
// adding and removing rows and columns, hiding selected rows, merging and splitting by equal
// texts, two small cell searches, the row and column marks these operations keep in step, and
// the cell-change notification every structural change ends with.
//
// Rows move with their texts, property objects and heights together; a removed cell's property
// object (and the cell object it owns) is freed exactly once, by the operation that removes it.
#include <algorithm>
#include <set>

#include "grid/control/AdvGrid.h"

namespace {

// The update lock, released however the block ends.
class TUpdateLock {
public:
    explicit TUpdateLock(TAdvStringGrid* Grid) : FGrid(Grid) { FGrid->BeginUpdate(); }
    ~TUpdateLock() { FGrid->EndUpdate(); }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
    TAdvStringGrid* FGrid;
};

String UpperCase(String S)
{
    if (!S.empty()) CharUpperBuffW(S.data(), static_cast<DWORD>(S.size()));
    return S;
}

String TrimText(const String& S)
{
    size_t first = 0, last = S.size();
    while (first < last && S[first] <= L' ') ++first;
    while (last > first && S[last - 1] <= L' ') --last;
    return S.substr(first, last - first);
}

// Count zero marks go in at Index in one pass; marks that end before Index take none, as with
// inserting them one at a time.
void InsertMarks(TList* List, int Index, int Count)
{
    int old = List->Count();
    if (Count <= 0 || Index < 0 || Index >= old) return;
    List->SetCount(old + Count);
    for (int i = old - 1; i >= Index; --i)
        List->SetItems(i + Count, List->Items(i));
    for (int i = Index; i < Index + Count; ++i)
        List->SetItems(i, nullptr);
}

// Up to Count marks leave from Index in one pass.
void DeleteMarks(TList* List, int Index, int Count)
{
    int n = std::min(Count, List->Count() - Index);
    if (n <= 0 || Index < 0) return;
    for (int i = Index; i + n < List->Count(); ++i)
        List->SetItems(i, List->Items(i + n));
    List->SetCount(List->Count() - n);
}

void GrowTo(TIntList* List, int Count)
{
    while (List->Count() < Count)
        List->Insert(List->Count(), 0);
}

} // namespace

// ---- Change notification ---------------------------------------------------------------------

void TAdvStringGrid::DoCellsChanged(TRect R)
{
    if (OnCellsChanged) OnCellsChanged(this, R);
    // A notifier may unregister itself while it is told.
    std::vector<TGridChangeNotifier*> notifiers = FNotifierList;
    for (TGridChangeNotifier* notifier : notifiers)
        if (std::find(FNotifierList.begin(), FNotifierList.end(), notifier) != FNotifierList.end()) notifier->CellsChanged(R);
}

void TAdvStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier)
{
    if (ANotifier == nullptr || std::find(FNotifierList.begin(), FNotifierList.end(), ANotifier) != FNotifierList.end()) return;
    FNotifierList.push_back(ANotifier);
    ANotifier->FreeNotification(this);
}

void TAdvStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    auto it = std::find(FNotifierList.begin(), FNotifierList.end(), ANotifier);
    if (it == FNotifierList.end()) return;
    FNotifierList.erase(it);
    ANotifier->RemoveFreeNotification(this);
}

// ---- Clearing --------------------------------------------------------------------------------

void TAdvStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    bool destroying = ComponentState().Contains(csDestroying);
    int fromRow = std::max(ARow1, 0), toRow = std::min(ARow2, RowCount() - 1);
    int fromCol = std::max(ACol1, 0), toCol = std::min(ACol2, StoreCols() - 1);
    for (int r = fromRow; r <= toRow; ++r)
        for (int c = fromCol; c <= toCol; ++c) {
            int cell = SaveHiddenCells ? RealColIndex(c) : c;
            if (!ClearTextOnly) {
                if (TCellProperties* props = GetStoredObject(cell, r)) {
                    SetStoredObject(cell, r, nullptr);
                    if (FNilObjects)
                        SetStoredCell(cell, r, String());
                    else
                        FreeCellObjects(props);
                }
            }
            if (!destroying && !ReadCellText(cell, r).empty()) {
                WriteCellText(cell, r, String());
                if (cell != c) RepaintCell(c, r);
            }
        }
    // Property objects that ClearTextOnly keeps still count.
    if (!ClearTextOnly && ACol2 >= ColCount() - 1 && ARow2 >= RowCount() - 1 && ACol1 <= 0 && ARow1 <= 0) FHasCellProps = false;
    if (!destroying && !FBlockCellChange) {
        // The rectangle in real columns: given as display columns only under SaveHiddenCells.
        int left = SaveHiddenCells ? RealColIndex(ACol1) : ACol1;
        int right = SaveHiddenCells ? RealColIndex(ACol2) : ACol2;
        DoCellsChanged(Rect(left, ARow1, right, ARow2));
    }
}

void TAdvStringGrid::Clear()
{
    if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, ColCount() + FHiddenCols.Count - 1, RowCount() - 1);
    IncrSearchText.clear();
    if (FHiddenCols.Count > 0) Invalidate();
}

void TAdvStringGrid::ClearAll()
{
    Clear();
    // Hidden rows stay hidden with their heights; their cells go.
    for (int i = 0; i < FGridItems->Count(); ++i)
        HiddenRowItem(i)->ClearCells();
}

void TAdvStringGrid::ClearRows(int RowIndex, int RCount)
{
    ClearRect(0, RowIndex, ColCount() + FHiddenCols.Count - 1, RowIndex + RCount - 1);
}

void TAdvStringGrid::ClearCols(int ColIndex, int CCount)
{
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TAdvStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    ClearRect(TBaseGrid::FixedCols(), RowIndex, ColCount() + FHiddenCols.Count - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TAdvStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    ClearRect(ColIndex, TBaseGrid::FixedRows(), ColIndex + CCount - 1, NormalLastRow());
}

void TAdvStringGrid::ClearNormalCells()
{
    ClearRect(TBaseGrid::FixedCols(), TBaseGrid::FixedRows(), ColCount() + FHiddenCols.Count - FFixedRightCols - 1, NormalLastRow());
}

void TAdvStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
            if (RowSelect(FMouseActions->RowSelectPersistent ? DisplToRealRow(r) : r)) ClearRows(r, 1);
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = TBaseGrid::FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c)) ClearCols(c, 1);
    } else {
        TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
    }
}

void TAdvStringGrid::ClearModifiedRows()
{
    FModifiedRows->Clear();
    Invalidate();
}

void TAdvStringGrid::ClearSelectedCells()
{
    int col = std::min(TBaseGrid::FixedCols(), ColCount() - 1), row = std::min(TBaseGrid::FixedRows(), RowCount() - 1);
    SetSelection(TGridRect{col, row, col, row});
    FSelectedCells->Clear();
    Invalidate();
}

// ---- Inserting -------------------------------------------------------------------------------

void TAdvStringGrid::AddRow()
{
    if (FFloatingFooter->Visible()) {
        InsertRows(RowCount() - 1, 1, true);
        if (FFloatingFooter->FooterStyle() == fsFixedLastRow) ClearRows(RowCount() - 2, 1);
    } else {
        InsertRows(RowCount(), 1, true);
        ClearRows(RowCount() - 1, 1);
    }
}

void TAdvStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0) return;
    // New rows push the hidden rows after them down, so the real indexes stay in step. (Rows
    // coming back from hiding go through InsertRowBlock alone: their real indexes never changed.)
    int realIndex = DisplToRealRow(std::clamp(RowIndex, 0, RowCount()));
    // Rows added after every hidden one (an import appending line by line) move none of them.
    const std::vector<int>& hidden = HiddenRealRows();
    if (!hidden.empty() && hidden.back() >= realIndex) ShiftHiddenRows(realIndex, [RCount](int Idx) { return Idx + RCount; });
    InsertRowBlock(RowIndex, RCount, UpdateCellControls);
}

void TAdvStringGrid::InsertRowBlock(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0) return;
    RowIndex = std::clamp(RowIndex, 0, RowCount());
    int lastWidth = ColWidths(ColCount() - 1);
    if (FSelHidden || Col() >= ColCount() || Row() >= RowCount()) UnHideSelection();

    SetRowCount(RowCount() + RCount);
    // The new rows (last, before a floating footer) rotate to the insertion point.
    int end = RowCount() - (FFloatingFooter->Visible() ? 1 : 0);
    RotateRows(RowIndex, end - RCount, end);
    for (int r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r) {
        SetRowHeights(r, DefaultRowHeight());
        for (TCellSlot& slot : StoredRow(r)) {
            slot.Text.clear();
            slot.Props = nullptr;
        }
    }
    if (FShowModified->Enabled) InsertMarks(FModifiedRows.get(), RowIndex, RCount);
    if (UseEnabledRows) InsertMarks(FEnabledRows.get(), RowIndex, RCount);
    SetColWidths(ColCount() - 1, lastWidth);
    if (UpdateCellControls && FControlList->Count() > 0) {
        int realIndex = DisplToRealRow(RowIndex);
        for (int i = 0; i < FControlList->Count(); ++i)
            if (FControlList->Items(i)->Y >= realIndex) FControlList->Items(i)->Y += RCount;
        CellControlsUpdate(false);
    }
    Invalidate();
    if (!ComponentState().Contains(csDestroying)) DoCellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TAdvStringGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount <= 0) return;
    ColIndex = std::clamp(ColIndex, 0, ColCount() + FHiddenCols.Count);
    SetColCount(ColCount() + CCount);
    // The new (empty) store columns are the last ones: they rotate to the insertion point.
    for (int r = 0; r < StoreRows(); ++r) {
        TStoredRow& row = StoredRow(r);
        std::rotate(row.begin() + ColIndex, row.end() - CCount, row.end());
    }
    for (int c = ColCount() - 1; c >= ColIndex + CCount; --c)
        SetColWidths(c, ColWidths(c - CCount));
    for (int c = 512; c >= ColIndex + CCount; --c) {
        FHiddenCols.Visible[c] = FHiddenCols.Visible[c - CCount];
        FHiddenCols.Widths[c] = FHiddenCols.Widths[c - CCount];
    }
    for (int c = ColIndex; c < ColIndex + CCount; ++c) {
        if (c < ColCount()) SetColWidths(c, DefaultColWidth());
        if (c < 513) FHiddenCols.Visible[c] = true;
    }
    Invalidate();
}

// ---- Removing rows ---------------------------------------------------------------------------

void TAdvStringGrid::RemoveRows(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    RCount = std::min(RCount, RowCount() - RowIndex);

    // The real rows that go, for the positions of hidden rows and in-cell controls.
    std::vector<int> removedReal;
    for (int r = RowIndex; r < RowIndex + RCount; ++r)
        removedReal.push_back(DisplToRealRow(r));
    // Ascending, as the display rows are.
    auto removedBelow = [&removedReal](int Real) {
        return static_cast<int>(std::lower_bound(removedReal.begin(), removedReal.end(), Real) - removedReal.begin());
    };
    int realAfter = DisplToRealRow(RowIndex + RCount);
    for (int i = 0; i < FControlList->Count(); ++i)
        if (FControlList->Items(i)->Y >= realAfter) FControlList->Items(i)->Y -= RCount;

    FreeCellPropertiesRect(0, RowIndex, StoreCols() - 1, RowIndex + RCount - 1);
    int lastWidth = ColWidths(ColCount() - 1);
    bool entered = FEntered;
    FEntered = false;
    SelectCell(Col(), Row());
    {
        TUpdateLock lock(this);
        int oldTop = TopRow(), oldRow = Row();
        bool footerVisible = FFloatingFooter->Visible();
        int fixedFooters = FFixedFooters;
        FFloatingFooter->FVisible = false;

        ShiftHiddenRows(removedReal.front(), [&removedBelow](int Idx) { return Idx - removedBelow(Idx); });
        if (FShowModified->Enabled) DeleteMarks(FModifiedRows.get(), RowIndex, RCount);
        if (UseEnabledRows) DeleteMarks(FEnabledRows.get(), RowIndex, RCount);
        if (FMouseActions->DisjunctRowSelect()) DeleteMarks(FRowSelect.get(), RowIndex, RCount);
        // The removed rows (their objects freed above) go to the end, where the count drops them.
        RotateRows(RowIndex, RowIndex + RCount, RowCount());
        for (int r = std::max(RowIndex, RowCount() - RCount); r < RowCount(); ++r)
            for (TCellSlot& slot : StoredRow(r)) {
                slot.Text.clear();
                slot.Props = nullptr;
            }
        SetRowCount(RowCount() - RCount);
        if (Row() >= RowCount() && RowCount() - 1 >= TBaseGrid::FixedRows()) SetRowEx(RowCount() - 1);
        FMaxRowCount = std::max(FMaxRowCount - RCount, RowCount());

        if (oldRow < RowCount() - FFixedFooters) {
            SetRowEx(oldRow);
            SetTopRowEx(std::min(oldTop, RowCount() - 1));
            FSelHidden = false;
        } else if (RowCount() - FFixedFooters > TBaseGrid::FixedRows()) {
            SetRowEx(RowCount() - FFixedFooters - 1);
            FSelHidden = false;
        } else {
            HideSelection();
        }
        SetColWidths(ColCount() - 1, lastWidth);
        FFloatingFooter->FVisible = footerVisible;
        FFixedFooters = fixedFooters;
    }
    FEntered = entered;
    if (FMouseActions->DisjunctRowSelect()) {
        FSelectedRows->Clear();
        for (int r = 0; r < RowCount() && r < FRowSelect->Count(); ++r)
            if (FRowSelect->Items(r) != 0) FSelectedRows->Insert(FSelectedRows->Count(), r);
    }
    DoCellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    int topLimit = RowCount() + TBaseGrid::FixedRows() - VisibleRowCount() - 2;
    if (TopRow() >= topLimit && RowCount() - VisibleRowCount() - 1 > 0) SetTopRowEx(topLimit);
    if (FControlList->Count() > 0) CellControlsUpdate(false);
}

void TAdvStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    int lastWidth = ColWidths(ColCount() - 1);
    int oldRow = Row(), oldTop = TopRow();
    {
        TUpdateLock lock(this);
        // The caller has taken the rows' cells; the rows move to the end with their heights.
        RotateRows(RowIndex, RowIndex + RCount, RowCount());
        if (FMouseActions->DisjunctRowSelect()) DeleteMarks(FRowSelect.get(), RowIndex, RCount);
        SetRowCount(RowCount() - RCount);
        FMaxRowCount = std::max(FMaxRowCount - RCount, RowCount());
        SetColWidths(ColCount() - 1, lastWidth);
        if (oldRow < RowCount()) {
            SetRowEx(oldRow);
            SetTopRowEx(std::min(oldTop, RowCount() - 1));
        } else if (TBaseGrid::FixedRows() < RowCount()) {
            SetRowEx(TBaseGrid::FixedRows());
            SetTopRowEx(TBaseGrid::FixedRows());
        }
    }
    DoCellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TAdvStringGrid::DeleteRowRange(int ARow, int ACount)
{
    if (ARow < 0 || ARow >= RowCount() || ACount <= 0) return;
    FreeCellPropertiesRect(0, ARow, StoreCols() - 1, ARow + ACount - 1);
    DeleteRowBlock(ARow, ACount, true);
}

void TAdvStringGrid::DeleteRowBlock(int RowIndex, int RCount, bool UpdateFlag)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    // Only a removal (not hiding) moves the in-cell controls and the hidden rows after it.
    std::vector<int> removedReal;
    if (UpdateFlag)
        for (int r = RowIndex; r < RowIndex + RCount; ++r)
            removedReal.push_back(DisplToRealRow(r));

    if (UpdateFlag)
        for (int i = FControlList->Count() - 1; i >= 0; --i) {
            TControlItem* item = FControlList->Items(i);
            if (!std::binary_search(removedReal.begin(), removedReal.end(), item->Y)) continue;
            if (item->Control != nullptr) item->Control->SetVisible(false);
            FControlList->RemoveControl(i);
        }

    int fixedFooters = FFixedFooters;
    FFixedFooters = 0;
    bool footerVisible = FFloatingFooter->Visible();
    if (footerVisible) {
        BeginUpdate();
        FFloatingFooter->FVisible = false;
    }
    bool disjunct = FMouseActions->DisjunctRowSelect();
    FMouseActions->SetDisjunctRowSelect(false);
    int lastWidth = ColWidths(ColCount() - 1);
    bool entered = FEntered;
    FEntered = false;
    {
        TUpdateLock lock(this);
        int oldTop = TopRow(), oldRow = Row();
        bool rowSelectOff = Options().Contains(goRowSelect) && TBaseGrid::FixedRows() < RowCount() - 1;
        if (rowSelectOff) SetOptions(Options() - TGridOptions{goRowSelect});

        if (UpdateFlag) {
            // removedReal is ascending, as the display rows are.
            ShiftHiddenRows(removedReal.front(), [&removedReal](int Idx) {
                return Idx - static_cast<int>(std::lower_bound(removedReal.begin(), removedReal.end(), Idx) - removedReal.begin());
            });
        }
        TBaseGrid::DeleteRows(RowIndex, RCount);
        FNormalRowCount = RowCount();

        if (oldRow < RowCount()) {
            SetRowEx(oldRow);
            SetTopRowEx(std::min(oldTop, RowCount() - 1));
        } else if (TBaseGrid::FixedRows() < RowCount()) {
            SetRowEx(RowCount() - 1);
            if (Row() >= RowCount()) HideSelection();
            FSelHidden = false;
        } else {
            HideSelection();
            FSelHidden = false;
        }
        SetColWidths(ColCount() - 1, lastWidth);
        FEntered = entered;
        DoCellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
        if (TopRow() >= RowCount() - 1) SetTopRowEx(RowCount() - 1);
        if (Row() >= RowCount() && TBaseGrid::FixedRows() < RowCount()) {
            FocusCell(TBaseGrid::FixedCols(), TBaseGrid::FixedRows());
            if (rowSelectOff) SetOptions(Options() + TGridOptions{goRowSelect});
            HideSelection();
            FSelHidden = false;
        } else if (rowSelectOff && TBaseGrid::FixedRows() < RowCount()) {
            SetOptions(Options() + TGridOptions{goRowSelect});
        }
    }
    FMouseActions->SetDisjunctRowSelect(disjunct);
    if (footerVisible) {
        FFloatingFooter->FVisible = true;
        EndUpdate();
    }
    if (FControlList->Count() > 0) CellControlsUpdate(false);
    FFixedFooters = fixedFooters;
}

// ---- Removing columns ------------------------------------------------------------------------

void TAdvStringGrid::RemoveCols(int ColIndex, int CCount)
{
    CCount = std::min(CCount, ColCount() + FHiddenCols.Count - ColIndex);
    if (ColIndex < 0 || CCount <= 0) return;
    ClearCols(ColIndex, CCount);
    // Hidden columns among the removed ones leave the hidden count, not the shown one.
    int hiddenRemoved = 0;
    for (int c = ColIndex; c < ColIndex + CCount && c < 513; ++c)
        if (!FHiddenCols.Visible[c]) ++hiddenRemoved;
    int shownRemoved = CCount - hiddenRemoved;
    int firstDisplay = RealToDisplCol(ColIndex);
    for (int r = 0; r < StoreRows(); ++r) {
        TStoredRow& row = StoredRow(r);
        std::rotate(row.begin() + ColIndex, row.begin() + ColIndex + CCount, row.end());
    }
    for (int e = firstDisplay; e + shownRemoved < ColCount(); ++e)
        SetColWidths(e, ColWidths(e + shownRemoved));
    for (int c = ColIndex; c < 513; ++c) {
        bool inside = c + CCount < 513;
        FHiddenCols.Visible[c] = inside ? FHiddenCols.Visible[c + CCount] : true;
        FHiddenCols.Widths[c] = inside ? FHiddenCols.Widths[c + CCount] : static_cast<short>(0);
    }
    FHiddenCols.Count -= hiddenRemoved;
    if (shownRemoved > 0) SetColCount(std::max(ColCount() - shownRemoved, 1));
    else FitStore();
    Invalidate();
    DoCellsChanged(Rect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}

// ---- Removing and hiding by selection --------------------------------------------------------

void TAdvStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    int col = RealColIndex(ACol);
    TUpdateLock lock(this);
    TStringList kept;
    int r = TBaseGrid::FixedRows();
    while (r < RowCount() - FFixedFooters) {
        String text = Cells(col, r);
        bool seen = false;
        for (int i = 0; i < kept.Count() && !seen; ++i)
            seen = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, kept[i].c_str(), -1, text.c_str(), -1) == CSTR_EQUAL;
        if (!seen) {
            kept.Add(DoCase ? text : UpperCase(text));
            ++r;
        } else {
            DeleteRowRange(r, 1);
        }
    }
}

void TAdvStringGrid::RemoveSelectedRows()
{
    TUpdateLock lock(this);
    if (FMouseActions->DisjunctRowSelect()) {
        std::set<int> chosen;
        for (int r = RowCount() - FFixedFooters - 1; r >= TBaseGrid::FixedRows(); --r) {
            int decide = FMouseActions->RowSelectPersistent ? DisplToRealRow(r) : r;
            if (RowSelect(decide)) chosen.insert(decide);
        }
        for (int r = RowCount() - FFixedFooters - 1; r >= TBaseGrid::FixedRows(); --r) {
            int decide = FMouseActions->RowSelectPersistent ? DisplToRealRow(r) : r;
            if (chosen.count(decide)) DeleteRowRange(r, 1);
        }
        ClearRowSelect();
    } else {
        TGridRect s = Selection();
        for (int r = std::min(s.Bottom, RowCount() - 1); r >= s.Top && r >= 0; --r)
            DeleteRowRange(r, 1);
    }
}

void TAdvStringGrid::RemoveUnSelectedRows()
{
    TUpdateLock lock(this);
    std::vector<bool> selected(static_cast<size_t>(RowCount()), false);
    for (int r = 0; r < RowCount(); ++r)
        selected[r] = RowSelect(r);
    for (int r = RowCount() - FFixedFooters - 1; r >= TBaseGrid::FixedRows(); --r)
        if (!selected[r]) DeleteRowRange(r, 1);
    if (FMouseActions->RowSelectPersistent)
        SelectRows(TBaseGrid::FixedRows(), RowCount() - TBaseGrid::FixedRows());
    else
        ClearRowSelect();
}

void TAdvStringGrid::RemoveSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= TBaseGrid::FixedCols(); --c)
            if (ColSelect(c)) {
                RemoveCols(c, 1);
                if (c < FColSelect->Count()) FColSelect->TList::Delete(c);
            }
    } else {
        TGridRect s = Selection();
        RemoveCols(s.Left, s.Right - s.Left + 1);
    }
}

void TAdvStringGrid::RemoveUnSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= TBaseGrid::FixedCols(); --c)
            if (!ColSelect(c)) {
                RemoveCols(c, 1);
                if (c < FColSelect->Count()) FColSelect->TList::Delete(c);
            }
    } else {
        TGridRect s = Selection();
        RemoveCols(s.Right + 1, ColCount() - s.Right);
        RemoveCols(TBaseGrid::FixedCols(), s.Left - TBaseGrid::FixedCols());
    }
    ClearColSelect();
}

namespace {

// The real rows whose selection state is Selected, decided before any row moves: hiding a row
// brings the next one to its index, which must not change whether that one is selected.
std::vector<int> RowsBySelection(TAdvStringGrid* Grid, bool Selected)
{
    std::vector<int> rows;
    for (int r = Grid->FixedRows(); r < Grid->RowCount(); ++r) {
        int decide = Grid->MouseActions()->RowSelectPersistent ? Grid->DisplToRealRow(r) : r;
        if (Grid->RowSelect(decide) == Selected) rows.push_back(Grid->DisplToRealRow(r));
    }
    return rows;
}

} // namespace

void TAdvStringGrid::HideSelectedRows()
{
    TUpdateLock lock(this);
    for (int real : RowsBySelection(this, true))
        HideRows(real, real);
}

void TAdvStringGrid::HideUnSelectedRows()
{
    TUpdateLock lock(this);
    for (int real : RowsBySelection(this, false))
        HideRows(real, real);
}

// ---- Merging and splitting by text -----------------------------------------------------------

void TAdvStringGrid::MergeCols(int ColIndex1, int ColIndex2, const String& Separator)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
        SetCells(ColIndex1, r, TrimText(Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)));
    RemoveCols(ColIndex2, 1);
}

void TAdvStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    int start = TBaseGrid::FixedRows(), length = 1;
    int last = RowCount() - FFixedFooters - 1;
    for (int r = start + 1; r <= last; ++r) {
        if (Cells(ColIndex, r) == Cells(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1))) {
            ++length;
            continue;
        }
        if (length > 1) MergeCells(ColIndex, start, 1, length);
        start = r;
        length = 1;
    }
    if (length > 1) MergeCells(ColIndex, start, 1, length);
}

void TAdvStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    int start = TBaseGrid::FixedCols(), length = 1;
    int last = ColCount() - FFixedRightCols - 1;
    for (int c = start + 1; c <= last; ++c) {
        if (Cells(c, RowIndex) == Cells(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c, c - 1))) {
            ++length;
            continue;
        }
        MergeCells(start, RowIndex, length, 1);
        start = c;
        length = 1;
    }
    if (length > 1) MergeCells(start, RowIndex, length, 1);
}

void TAdvStringGrid::SplitColumnCells(int ColIndex)
{
    int r = 0;
    while (r < RowCount() - FFixedFooters - 1) {
        if (IsYMergedCell(ColIndex, r)) {
            int span = CellSpan(ColIndex, r).y;
            SplitCells(ColIndex, r);
            r += span + 1;
        } else {
            ++r;
        }
    }
}

void TAdvStringGrid::SplitRowCells(int RowIndex)
{
    int c = 0;
    while (c < ColCount() - FFixedRightCols - 1) {
        if (IsMergedCell(c, RowIndex)) {
            int span = CellSpan(c, RowIndex).x;
            SplitCells(c, RowIndex);
            c += span + 1;
        } else {
            ++c;
        }
    }
}

void TAdvStringGrid::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r)) SplitCells(c, r);
}

bool TAdvStringGrid::IsCell(const String& SubStr, int& ACol, int& ARow)
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (GetStoredCell(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

bool TAdvStringGrid::IsWideCell(int ACol, int ARow)
{
    String text = Cells(ACol, ARow);
    return text.size() >= 2 && text[0] == L'|' && text[1] == L'\\';
}

// ---- Row and column marks --------------------------------------------------------------------

bool TAdvStringGrid::RowSelect(int ARow)
{
    if (ARow < 0 || ARow >= RowCount() + NumHiddenRows()) throw EAdvGridError(L"Invalid row accessed");
    if (FMouseActions->DisjunctRowSelect()) return ARow < FRowSelect->Count() && FRowSelect->Items(ARow) != 0;
    TGridRect s = Selection();
    return ARow >= s.Top && ARow <= s.Bottom;
}

void TAdvStringGrid::SetRowSelect(int ARow, bool Value)
{
    if (ARow < 0 || ARow >= RowCount() + NumHiddenRows()) throw EAdvGridError(L"Invalid row accessed");
    GrowTo(FRowSelect.get(), ARow + 1);
    FRowSelect->SetItems(ARow, Value ? 1 : 0);
    int index = -1;
    for (int i = 0; i < FSelectedRows->Count(); ++i)
        if (FSelectedRows->Items(i) == ARow) index = i;
    if (Value && index < 0) FSelectedRows->Insert(FSelectedRows->Count(), ARow);
    if (!Value && index >= 0) FSelectedRows->TList::Delete(index);
    RepaintRow(ARow);
}

void TAdvStringGrid::ClearRowSelect()
{
    for (int i = 0; i < FRowSelect->Count(); ++i)
        FRowSelect->TList::SetItems(i, nullptr);
    FSelectedRows->Clear();
    Invalidate();
}

int TAdvStringGrid::RowSelectCount() const
{
    int count = 0;
    for (int i = 0; i < FRowSelect->Count(); ++i)
        if (FRowSelect->Items(i) != 0) ++count;
    return count;
}

void TAdvStringGrid::SelectRows(int RowIndex, int RCount)
{
    if (RCount <= 0 || RowIndex < 0 || RowIndex >= RowCount()) return;
    int bottom = std::min(RowIndex + RCount - 1, RowCount() - 1);
    SetSelection(TGridRect{TBaseGrid::FixedCols(), RowIndex, ColCount() - 1, bottom});
}

bool TAdvStringGrid::ColSelect(int ACol)
{
    if (ACol < 0 || ACol >= ColCount() + FHiddenCols.Count) throw EAdvGridError(L"Invalid column accessed");
    if (FMouseActions->DisjunctColSelect()) return ACol < FColSelect->Count() && FColSelect->Items(ACol) != 0;
    TGridRect s = Selection();
    return ACol >= s.Left && ACol <= s.Right;
}

void TAdvStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount() + FHiddenCols.Count) throw EAdvGridError(L"Invalid column accessed");
    GrowTo(FColSelect.get(), ACol + 1);
    FColSelect->SetItems(ACol, Value ? 1 : 0);
    RepaintCol(ACol);
}

void TAdvStringGrid::ClearColSelect()
{
    for (int i = 0; i < FColSelect->Count(); ++i)
        FColSelect->TList::SetItems(i, nullptr);
    Invalidate();
}

bool TAdvStringGrid::RowModified(int ARow) const
{
    return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->Items(ARow) == 1;
}

void TAdvStringGrid::SetRowModified(int ARow, bool Value)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    GrowTo(FModifiedRows.get(), ARow + 1);
    FModifiedRows->SetItems(ARow, Value ? 1 : 0);
    RepaintCell(0, ARow);
}

bool TAdvStringGrid::IsRowEnabled(int ARow) const
{
    return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->Items(ARow) != 0;
}

// ---- Repaint helpers -------------------------------------------------------------------------

void TAdvStringGrid::RepaintRow(int ARow)
{
    InvalidateRow(ARow);
}

void TAdvStringGrid::RepaintCol(int ACol)
{
    InvalidateCol(ACol);
}

void TAdvStringGrid::RepaintRect(TRect R)
{
    InvalidateRect(TGridRect{static_cast<int>(R.left), static_cast<int>(R.top), static_cast<int>(R.right), static_cast<int>(R.bottom)});
}

void TAdvStringGrid::FocusCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    TBaseGrid::FocusCell(ACol, ARow, true);
}
