// Hidden rows and columns with the display and real indexes, the current and top row, the save
// range, scrolling a cell into view, moving rows and columns, and hiding the selection.
//
// A hidden row leaves the grid: its cells (texts with their property objects) and height go into
// a TGridItem of the hidden-row store, which owns them until the row comes back. A hidden column
// stays in the cell store at its real index; the visibility table marks it and ColCount shrinks.
#include <algorithm>

#include "grid/control/AdvGrid.h"

namespace {

constexpr int VisibilityTableSize = 513;

} // namespace

// ---- TGridItem -------------------------------------------------------------------------------

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection) {}

TGridItem::~TGridItem()
{
    ClearCells();
}

TStringList* TGridItem::Items() const
{
    if (FItems == nullptr) {
        FItems = std::make_unique<TStringList>();
        for (TBaseGrid::TCellSlot& slot : FRow)
            FItems->AddObject(slot.Text, slot.Props);
        FRow = TBaseGrid::TStoredRow();
    }
    return FItems.get();
}

void TGridItem::ReleaseObjects()
{
    for (TBaseGrid::TCellSlot& slot : FRow)
        slot.Props = nullptr;
    if (FItems != nullptr)
        for (int i = 0; i < FItems->Count(); ++i)
            FItems->SetObjects(i, nullptr);
}

void TGridItem::ClearCells()
{
    // A row that went back into the grid left nothing behind.
    if (FRow.empty() && FItems == nullptr) return;
    TBaseGrid* grid = Collection() != nullptr ? dynamic_cast<TBaseGrid*>(Collection()->Owner()) : nullptr;
    auto freeProps = [grid](TObject* object) {
        auto* props = static_cast<TCellProperties*>(object);
        if (props == nullptr) return;
        if (grid != nullptr)
            grid->FreeCellObjects(props);
        else
            delete props;
    };
    for (TBaseGrid::TCellSlot& slot : FRow) {
        TCellProperties* props = slot.Props;
        slot.Props = nullptr;
        freeProps(props);
    }
    for (TBaseGrid::TCellSlot& slot : FRow)
        slot.Text.clear();
    if (FItems == nullptr) return;
    for (int i = 0; i < FItems->Count(); ++i) {
        TObject* props = FItems->Objects(i);
        FItems->SetObjects(i, nullptr);
        freeProps(props);
    }
    for (int i = 0; i < FItems->Count(); ++i)
        FItems->SetStrings(i, String());
}

// ---- Moving row cells in and out -------------------------------------------------------------

void TAdvStringGrid::TakeRowCells(int ARow, TStringList* Items)
{
    Items->Clear();
    if (ARow < 0 || ARow >= StoreRows()) return;
    TStoredRow& row = StoredRow(ARow);
    for (TCellSlot& slot : row) {
        Items->AddObject(slot.Text, slot.Props);
        slot.Text.clear();
        slot.Props = nullptr;
    }
}

void TAdvStringGrid::PutRowCells(int ARow, TStringList* Items)
{
    if (ARow < 0 || ARow >= StoreRows()) return;
    TStoredRow& row = StoredRow(ARow);
    for (int c = 0; c < Items->Count(); ++c) {
        auto* props = static_cast<TCellProperties*>(Items->Objects(c));
        Items->SetObjects(c, nullptr);
        if (c >= static_cast<int>(row.size())) {
            // The grid has fewer columns now: what does not fit is freed.
            FreeCellObjects(props);
            continue;
        }
        TCellSlot& slot = row[c];
        if (slot.Props != nullptr && slot.Props != props) FreeCellObjects(slot.Props);
        slot.Text = Items->Strings(c);
        slot.Props = props;
        if (props != nullptr) props->SetOwnerRow(ARow);
    }
}

void TAdvStringGrid::TakeRowCells(int ARow, TGridItem* Item, bool KeepRow)
{
    Item->FItems.reset();
    Item->FRow.clear();
    if (ARow < 0 || ARow >= StoreRows()) return;
    TStoredRow& row = StoredRow(ARow);
    if (KeepRow) {
        TStoredRow blank(row.size());
        std::swap(blank, row);
        Item->FRow = std::move(blank);
    } else {
        Item->FRow = std::move(row);
        row = TStoredRow();
    }
}

void TAdvStringGrid::PutRowCells(int ARow, TGridItem* Item, int Cols)
{
    if (ARow < 0 || ARow >= StoreRows()) return;
    TStoredRow& row = StoredRow(ARow);
    size_t cols = static_cast<size_t>(Cols);
    if (Item->FItems != nullptr) {
        if (row.size() < cols) row.resize(cols);
        PutRowCells(ARow, Item->FItems.get());
        return;
    }
    TStoredRow cells = std::move(Item->FRow);
    Item->FRow = TStoredRow();
    for (size_t c = 0; c < cells.size(); ++c) {
        TCellProperties* props = cells[c].Props;
        if (c >= cols) {
            // The grid has fewer columns now: what does not fit is freed.
            cells[c].Props = nullptr;
            FreeCellObjects(props);
            continue;
        }
        if (c < row.size() && row[c].Props != nullptr && row[c].Props != props) FreeCellObjects(row[c].Props);
        if (props != nullptr) props->SetOwnerRow(ARow);
    }
    if (cells.size() > cols) cells.resize(cols);
    // Columns added since the row was hidden keep what the row has there.
    for (size_t c = cells.size(); c < cols; ++c)
        cells.push_back(c < row.size() ? std::move(row[c]) : TCellSlot());
    row = std::move(cells);
}

// ---- Hidden rows -----------------------------------------------------------------------------

const std::vector<int>& TAdvStringGrid::HiddenRealRows() const
{
    if (FHiddenIdxDirty) {
        FHiddenIdx.clear();
        FHiddenIdx.reserve(static_cast<size_t>(FGridItems->Count()));
        for (int i = 0; i < FGridItems->Count(); ++i)
            FHiddenIdx.push_back(HiddenRowItem(i)->Idx);
        FHiddenStoreSorted = std::is_sorted(FHiddenIdx.begin(), FHiddenIdx.end());
        if (!FHiddenStoreSorted) std::sort(FHiddenIdx.begin(), FHiddenIdx.end());
        FHiddenIdxUnique = FHiddenIdx;
        FHiddenIdxUnique.erase(std::unique(FHiddenIdxUnique.begin(), FHiddenIdxUnique.end()), FHiddenIdxUnique.end());
        FHiddenIdxDirty = false;
    }
    return FHiddenIdx;
}

void TAdvStringGrid::ShiftHiddenRows(int From, const std::function<int(int)>& Shift)
{
    if (FGridItems->Count() == 0) return;
    const std::vector<int>& hidden = HiddenRealRows();
    if (!FHiddenStoreSorted) {
        for (int i = 0; i < FGridItems->Count(); ++i) {
            TGridItem* item = HiddenRowItem(i);
            if (item->Idx >= From) item->Idx = Shift(item->Idx);
        }
        HiddenRowsChanged();
        return;
    }
    // An ordered store lists its rows in the table's order: the rows from From on are its last ones.
    size_t first = static_cast<size_t>(std::lower_bound(hidden.begin(), hidden.end(), From) - hidden.begin());
    for (size_t i = first; i < FHiddenIdx.size(); ++i) {
        FHiddenIdx[i] = Shift(FHiddenIdx[i]);
        HiddenRowItem(static_cast<int>(i))->Idx = FHiddenIdx[i];
    }
    auto unique = std::lower_bound(FHiddenIdxUnique.begin(), FHiddenIdxUnique.end(), From);
    for (auto it = unique; it != FHiddenIdxUnique.end(); ++it)
        *it = Shift(*it);
    // A map that merged two rows (a hidden row given as removed) leaves repeats: count afresh.
    if (unique != FHiddenIdxUnique.end() &&
        std::adjacent_find(unique == FHiddenIdxUnique.begin() ? unique : unique - 1, FHiddenIdxUnique.end(),
                           [](int a, int b) { return a >= b; }) != FHiddenIdxUnique.end())
        HiddenRowsChanged();
}

bool TAdvStringGrid::IsHiddenRow(int RowIndex) const
{
    const std::vector<int>& hidden = HiddenRealRows();
    return std::binary_search(hidden.begin(), hidden.end(), RowIndex);
}

bool TAdvStringGrid::IsHiddenRow(int RowIndex, std::unique_ptr<TIntList>& ListHidden) const
{
    if (ListHidden == nullptr) {
        ListHidden = std::make_unique<TIntList>();
        for (int i = 0; i < FGridItems->Count(); ++i)
            ListHidden->Add(HiddenRowItem(i)->Idx);
    }
    return ListHidden->HasValue(RowIndex);
}

int TAdvStringGrid::DisplToRealRow(int ARow) const
{
    if (FGridItems->Count() == 0 || ARow < 0) return ARow;
    HiddenRealRows();
    // h[i] - i shown rows lie below the i-th hidden row (counting from 0 with negative indexes
    // ignored), a non-decreasing measure: the display row lands after every hidden row whose
    // measure does not exceed it.
    const std::vector<int>& h = FHiddenIdxUnique;
    int below = 0; // hidden rows under 0 never hold back a display row
    while (below < static_cast<int>(h.size()) && h[below] < 0) ++below;
    int lo = below, hi = static_cast<int>(h.size());
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (h[mid] - (mid - below) <= ARow)
            lo = mid + 1;
        else
            hi = mid;
    }
    return ARow + (lo - below);
}

int TAdvStringGrid::RealToDisplRow(int ARow) const
{
    const std::vector<int>& hidden = HiddenRealRows();
    return ARow - static_cast<int>(std::lower_bound(hidden.begin(), hidden.end(), ARow) - hidden.begin());
}

void TAdvStringGrid::HideRows(int FromRow, int ToRow)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, TotalRowCount() - 1);
    if (FromRow > ToRow) return;
    const std::vector<int>& hidden = HiddenRealRows();
    auto lower = std::lower_bound(hidden.begin(), hidden.end(), FromRow);
    int before = static_cast<int>(lower - hidden.begin());
    int already = static_cast<int>(std::upper_bound(lower, hidden.end(), ToRow) - lower);
    if (already == ToRow - FromRow + 1) return;
    int first = FromRow - before;
    int count = 0;
    if (already == 0 && FHiddenStoreSorted) {
        // The new items form one block of the ordered store, right after the rows above.
        count = std::min(ToRow - FromRow + 1, RowCount() - first);
        if (count > 0) FGridItems->InsertBlock(before, count);
        for (int k = 0; k < count; ++k) {
            TGridItem* item = HiddenRowItem(before + k);
            TakeRowCells(first + k, item, true);
            item->Idx = FromRow + k;
            item->Height = RowHeights(first + k);
        }
    } else {
        // The store stays in ascending order of real rows. The first item at or after a row only
        // moves on as the rows rise (each new item sits before the next row), so one walk finds
        // every place.
        int insertAt = 0;
        for (int r = FromRow; r <= ToRow; ++r) {
            if (IsHiddenRow(r)) continue;
            int displayRow = first + count;
            if (displayRow >= RowCount()) break;
            while (insertAt < FGridItems->Count() && HiddenRowItem(insertAt)->Idx < r)
                ++insertAt;
            auto* item = static_cast<TGridItem*>(FGridItems->Insert(insertAt));
            TakeRowCells(displayRow, item, true);
            item->Idx = r;
            item->Height = RowHeights(displayRow);
            ++insertAt;
            ++count;
        }
    }
    HiddenRowsChanged();
    if (count > 0) DeleteRowBlock(first, count, false);
    CellControlsUpdate(false);
}

void TAdvStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    for (int i = 0; i < FGridItems->Count(); ++i)
        if (HiddenRowItem(i)->Idx == FromRow) return;
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, TotalRowCount() - 1);
    if (FromRow > ToRow) return;
    int first = RealToDisplRow(FromRow);
    int count = 0;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (IsHiddenRow(r)) continue;
        int displayRow = first + count;
        if (displayRow >= RowCount()) break;
        auto* item = static_cast<TGridItem*>(FGridItems->Add());
        TakeRowCells(displayRow, item, true);
        item->Idx = r;
        item->Height = RowHeights(displayRow);
        ++count;
    }
    HiddenRowsChanged();
    if (count > 0) RemoveRowsEx(first, count);
    CellControlsUpdate(false);
}

void TAdvStringGrid::HideRowList(TIntList* RowList)
{
    if (RowList == nullptr || RowList->Count() == 0) return;
    std::vector<bool> listed(static_cast<size_t>(RowCount()), false);
    std::vector<int> rows;
    for (int i = 0; i < RowList->Count(); ++i) {
        int row = RowList->Items(i);
        if (row < 0 || row >= RowCount() || listed[row]) continue;
        listed[row] = true;
        rows.push_back(row);
    }
    // The index tables take the new rows at their end when they stay ordered; built first (from
    // the rows hidden before) so that nothing walks the whole store again afterwards.
    HiddenRealRows();
    bool appendTables = FHiddenStoreSorted && std::is_sorted(rows.begin(), rows.end()) &&
                        (rows.empty() || FHiddenIdx.empty() || FHiddenIdx.back() <= rows.front());
    int first = FGridItems->Count();
    int hiddenCount = static_cast<int>(rows.size());
    if (hiddenCount > 0) FGridItems->InsertBlock(first, hiddenCount);
    for (int k = 0; k < hiddenCount; ++k) {
        TGridItem* item = HiddenRowItem(first + k);
        TakeRowCells(rows[k], item, false);
        item->Idx = rows[k];
        item->Height = RowHeights(rows[k]);
        item->Level = FFilterLevel;
    }
    HiddenRowsChanged();
    if (appendTables) {
        for (int row : rows) {
            FHiddenIdx.push_back(row);
            if (FHiddenIdxUnique.empty() || FHiddenIdxUnique.back() != row) FHiddenIdxUnique.push_back(row);
        }
        FHiddenIdxDirty = false;
    }
    ++FFilterLevel;
    // One pass: every row not in the list moves up to the next free position (the rows hidden
    // left theirs without cells), then the store drops the rows left over at its end.
    int target = 0;
    for (int r = 0; r < RowCount(); ++r) {
        if (listed[r]) continue;
        if (target != r) {
            StoredRow(target) = std::move(StoredRow(r));
            SetRowHeights(target, RowHeights(r));
        }
        ++target;
    }
    DropMovedRows(target);
    TBaseGrid::SetRowCount(std::max(RowCount() - hiddenCount, 1));
    FNormalRowCount = RowCount();
    CellControlsUpdate(false);
}

void TAdvStringGrid::UnHideRow(int RowIndex)
{
    bool showModified = FShowModified->Enabled;
    FShowModified->Enabled = false;
    int found = -1;
    for (int i = 0; i < FGridItems->Count(); ++i)
        if (HiddenRowItem(i)->Idx == RowIndex) found = i;
    if (found >= 0) {
        int display = RowIndex;
        for (int i = 0; i < FGridItems->Count(); ++i)
            if (HiddenRowItem(i)->Idx < RowIndex) --display;
        TGridItem* item = HiddenRowItem(found);
        InsertRowBlock(display, 1, false);
        PutRowCells(display, item, StoreCols());
        SetRowHeights(display, item->Height);
        FGridItems->Delete(found);
        HiddenRowsChanged();
    }
    FShowModified->Enabled = showModified;
    CellControlsUpdate(false);
}

void TAdvStringGrid::InsertEnabledMarks(const std::vector<int>& Targets)
{
    // Row by row each restored row takes a zero mark while the marks reach its place; the places
    // rise, so the rows that take one are the first ones, and the marks merge in one pass.
    int oldCount = FEnabledRows->Count();
    size_t taking = 0;
    while (taking < Targets.size() && Targets[taking] < oldCount + static_cast<int>(taking)) ++taking;
    if (taking == 0) return;
    std::vector<void*> merged;
    merged.reserve(static_cast<size_t>(oldCount) + taking);
    int source = 0;
    for (size_t next = 0; next < taking || source < oldCount;) {
        if (next < taking && Targets[next] == static_cast<int>(merged.size())) {
            merged.push_back(nullptr);
            ++next;
        } else {
            merged.push_back(FEnabledRows->TList::Items(source++));
        }
    }
    FEnabledRows->TList::SetCount(static_cast<int>(merged.size()));
    for (int i = 0; i < static_cast<int>(merged.size()); ++i)
        FEnabledRows->TList::SetItems(i, merged[static_cast<size_t>(i)]);
}

bool TAdvStringGrid::UnHideItemBlock(int First, int Last)
{
    int n = Last - First;
    if (n <= 0 || !FHiddenStoreSorted || FFloatingFooter->Visible()) return false;
    // Row by row, the item at First + j lands at its Idx less the items left below the range;
    // with distinct ascending indexes those places rise, so each row lands where it ends up.
    std::vector<TGridItem*> items;
    items.reserve(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j)
        items.push_back(HiddenRowItem(First + j));
    if (!PlacesRise(items, First)) return false;
    std::vector<int> targets;
    targets.reserve(items.size());
    for (TGridItem* item : items)
        targets.push_back(item->Idx - First);
    RestoreHiddenRows(items, First, targets, [this, First, n] { FGridItems->DeleteBlock(First, n); });
    return true;
}

bool TAdvStringGrid::UnHideAllOutOfOrder()
{
    int n = FGridItems->Count();
    if (n == 0 || FFloatingFooter->Visible() || UseEnabledRows) return false;
    std::vector<int> byIdx(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        byIdx[i] = i;
    std::stable_sort(byIdx.begin(), byIdx.end(), [this](int a, int b) { return HiddenRowItem(a)->Idx < HiddenRowItem(b)->Idx; });
    std::vector<TGridItem*> ascending;
    ascending.reserve(static_cast<size_t>(n));
    for (int i : byIdx)
        ascending.push_back(HiddenRowItem(i));
    if (!PlacesRise(ascending, 0)) return false;
    // Row by row the items come back in the store's order (run by run), each at its Idx less
    // the items still hidden below it: those are the later items of lower rank, counted from the
    // back of the store in a Fenwick tree over the ranks.
    std::vector<int> rank(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j)
        rank[byIdx[j]] = j;
    std::vector<int> tree(static_cast<size_t>(n) + 1, 0);
    std::vector<int> events(static_cast<size_t>(n));
    for (int i = n - 1; i >= 0; --i) {
        int below = 0;
        for (int k = rank[i]; k > 0; k -= k & -k)
            below += tree[k];
        events[i] = HiddenRowItem(i)->Idx - below;
        for (int k = rank[i] + 1; k <= n; k += k & -k)
            ++tree[k];
    }
    RestoreHiddenRows(ascending, 0, events, [this] { FGridItems->Clear(); });
    return true;
}

bool TAdvStringGrid::PlacesRise(const std::vector<TGridItem*>& Ascending, int First) const
{
    int lastTarget = -1;
    for (size_t j = 0; j < Ascending.size(); ++j) {
        int target = Ascending[j]->Idx - First;
        if (target <= lastTarget || target > RowCount() + static_cast<int>(j)) return false;
        lastTarget = target;
    }
    return true;
}

void TAdvStringGrid::RestoreHiddenRows(const std::vector<TGridItem*>& Ascending, int First, const std::vector<int>& Events,
                                       const std::function<void()>& DropItems)
{
    int n = static_cast<int>(Ascending.size());
    int lastWidth = ColWidths(ColCount() - 1);
    if (FSelHidden || Col() >= ColCount() || Row() >= RowCount()) UnHideSelection();
    int oldCount = RowCount();
    int cols = StoreCols();
    bool wholeRows = StoreRows() == oldCount;
    // One pass from the bottom: each row moves down past the restored rows below it, into the
    // rows added without cells, and every restored row moves in whole. The cells are in place
    // before the count grows, so that nothing reads a row still without cells.
    if (wholeRows) {
        AppendEmptyRows(n);
        int source = oldCount - 1;
        int next = n - 1;
        for (int t = oldCount + n - 1; t >= 0 && next >= 0; --t) {
            TGridItem* item = Ascending[next];
            if (item->Idx - First == t) {
                PutRowCells(t, item, cols);
                --next;
            } else {
                StoredRow(t) = std::move(StoredRow(source));
                --source;
            }
        }
    }
    SetRowCount(oldCount + n);
    int source = oldCount - 1;
    int next = n - 1;
    for (int t = RowCount() - 1; t >= 0 && next >= 0; --t) {
        TGridItem* item = Ascending[next];
        if (item->Idx - First == t) {
            if (!wholeRows) PutRowCells(t, item, cols);
            FRowHeights.Set(t, item->Height);
            --next;
        } else {
            if (!wholeRows) std::swap(StoredRow(t), StoredRow(source));
            FRowHeights.Set(t, FRowHeights[source]);
            --source;
        }
    }
    RowHeightsChanged();
    for (TGridItem* item : Ascending)
        item->ReleaseObjects();
    if (UseEnabledRows) InsertEnabledMarks(Events);
    DropItems();
    HiddenRowsChanged();
    if (FGridItems->Count() == 0) {
        FHiddenIdx.clear();
        FHiddenIdxUnique.clear();
        FHiddenStoreSorted = true;
        FHiddenIdxDirty = false;
    }
    SetColWidths(ColCount() - 1, lastWidth);
    Invalidate();
    // The notifications the row-by-row insertions give, in their order.
    if (!ComponentState().Contains(csDestroying))
        for (int target : Events)
            DoCellsChanged(Rect(0, target, ColCount() - 1, target + 1));
}

void TAdvStringGrid::UnHideRowsOneByOne(int FromRow, int ToRow)
{
    // Of the items holding a real row of the range the last in the store comes back; the others
    // stay hidden and keep counting above the rows after them. One walk of the store finds them
    // all, so each row costs its insertion and no search.
    struct TRangeItem {
        int Idx;
        int Position;
        TGridItem* Item;
    };
    std::vector<TRangeItem> inRange;
    int above = 0;
    for (int i = 0; i < FGridItems->Count(); ++i) {
        TGridItem* item = HiddenRowItem(i);
        if (item->Idx < FromRow)
            ++above;
        else if (item->Idx <= ToRow)
            inRange.push_back({item->Idx, i, item});
    }
    std::sort(inRange.begin(), inRange.end(),
              [](const TRangeItem& a, const TRangeItem& b) { return a.Idx != b.Idx ? a.Idx < b.Idx : a.Position < b.Position; });
    int staying = 0;
    for (size_t k = 0; k < inRange.size();) {
        size_t end = k + 1;
        while (end < inRange.size() && inRange[end].Idx == inRange[k].Idx) ++end;
        TGridItem* item = inRange[end - 1].Item;
        // The row lands after the rows, shown or restored, that are above it.
        int display = std::clamp(inRange[k].Idx - above - staying, 0, RowCount());
        InsertRowBlock(display, 1, false);
        PutRowCells(display, item, StoreCols());
        SetRowHeights(display, item->Height);
        FGridItems->Delete(item->Index());
        HiddenRowsChanged();
        staying += static_cast<int>(end - k) - 1;
        k = end;
    }
}

void TAdvStringGrid::UnHideRows(int FromRow, int ToRow)
{
    bool showModified = FShowModified->Enabled;
    FShowModified->Enabled = false;
    const std::vector<int>& hidden = HiddenRealRows();
    if (std::binary_search(hidden.begin(), hidden.end(), FromRow)) {
        int first = static_cast<int>(std::lower_bound(hidden.begin(), hidden.end(), FromRow) - hidden.begin());
        int last = static_cast<int>(std::upper_bound(hidden.begin(), hidden.end(), ToRow) - hidden.begin());
        bool distinct = std::adjacent_find(hidden.begin() + first, hidden.begin() + last) == hidden.begin() + last;
        if (!distinct || !UnHideItemBlock(first, last)) UnHideRowsOneByOne(FromRow, ToRow);
    }
    FShowModified->Enabled = showModified;
    CellControlsUpdate(false);
}

void TAdvStringGrid::UnHideRowsAll()
{
    // Run by run every row lands at its own real index (the rows above it are back by then):
    // an ordered store without repeats comes back in one pass.
    const std::vector<int>& hidden = HiddenRealRows();
    if (!hidden.empty() && hidden.front() >= 0 && std::adjacent_find(hidden.begin(), hidden.end()) == hidden.end()) {
        bool showModified = FShowModified->Enabled;
        FShowModified->Enabled = false;
        bool done = FHiddenStoreSorted ? UnHideItemBlock(0, FGridItems->Count()) : UnHideAllOutOfOrder();
        FShowModified->Enabled = showModified;
        if (done) {
            CellControlsUpdate(false);
            return;
        }
    }
    while (FGridItems->Count() > 0) {
        // A run of consecutive real indexes in the store comes back in one call.
        int first = HiddenRowItem(0)->Idx;
        int last = first;
        for (int i = 1; i < FGridItems->Count() && HiddenRowItem(i)->Idx == last + 1; ++i)
            last = HiddenRowItem(i)->Idx;
        int before = FGridItems->Count();
        UnHideRows(first, last);
        if (FGridItems->Count() == before) FGridItems->Delete(0); // cannot happen; never loop for ever
        HiddenRowsChanged();
    }
}

void TAdvStringGrid::UnHideRowList()
{
    if (FFilterLevel <= 0) return;
    int level = FFilterLevel - 1;
    std::vector<TGridItem*> items;
    for (int i = 0; i < FGridItems->Count(); ++i)
        if (HiddenRowItem(i)->Level == level) items.push_back(HiddenRowItem(i));
    if (items.empty()) return;
    if (Row() >= RowCount()) FocusCell(TBaseGrid::FixedCols(), TBaseGrid::FixedRows());
    // The rows of the level go back to the display positions they were hidden from; the
    // others close in around them in their order.
    std::sort(items.begin(), items.end(), [](TGridItem* a, TGridItem* b) { return a->Idx < b->Idx; });
    int footer = FFloatingFooter->Visible() ? 1 : 0;
    int oldCount = RowCount();
    int n = static_cast<int>(items.size());
    TBaseGrid::SetRowCount(oldCount + n);
    FNormalRowCount = RowCount();
    if (footer) std::swap(StoredRow(oldCount - 1), StoredRow(RowCount() - 1));
    int cols = StoreCols();
    int source = oldCount - 1 - footer;
    int next = n - 1;
    for (int t = RowCount() - 1 - footer; t >= 0; --t) {
        if (next >= 0 && items[next]->Idx == t) {
            PutRowCells(t, items[next], cols);
            SetRowHeights(t, items[next]->Height);
            --next;
        } else if (source >= 0 && source < t) {
            std::swap(StoredRow(t), StoredRow(source));
            SetRowHeights(t, RowHeights(source));
            --source;
        } else if (source == t) {
            --source;
        }
    }
    if (FFilterLevel < 2) {
        for (TGridItem* item : items)
            item->ReleaseObjects();
        FGridItems->Clear();
    } else {
        for (TGridItem* item : items) {
            item->ReleaseObjects();
            delete item;
        }
    }
    HiddenRowsChanged();
    CellControlsUpdate(false);
}

// ---- Hidden columns --------------------------------------------------------------------------

void TAdvStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideEditor();
    FromCol = std::max(FromCol, 0);
    ToCol = std::min(ToCol, VisibilityTableSize - 1);
    for (int c = FromCol; c <= ToCol; ++c) {
        if (!FHiddenCols.Visible[c] || c >= ColCount() + FHiddenCols.Count || ColCount() <= 1) continue;
        int display = RealToDisplCol(c);
        FHiddenCols.Widths[c] = static_cast<short>(ColWidths(display));
        for (int e = display; e < ColCount() - 1; ++e)
            SetColWidths(e, ColWidths(e + 1));
        ++FHiddenCols.Count;
        FHiddenCols.Visible[c] = false;
        if (Col() == ColCount() - 1 && Col() > 0) TBaseGrid::SetCol(Col() - 1);
        TBaseGrid::SetColCount(ColCount() - 1);
    }
    Invalidate();
}

void TAdvStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideEditor();
    FromCol = std::max(FromCol, 0);
    ToCol = std::min(ToCol, VisibilityTableSize - 1);
    for (int c = FromCol; c <= ToCol; ++c) {
        if (FHiddenCols.Visible[c]) continue;
        --FHiddenCols.Count;
        FHiddenCols.Visible[c] = true;
        TBaseGrid::SetColCount(ColCount() + 1);
        int display = RealToDisplCol(c);
        for (int e = ColCount() - 1; e > display; --e)
            SetColWidths(e, ColWidths(e - 1));
        if (display < ColCount()) SetColWidths(display, FHiddenCols.Widths[c]);
    }
    Invalidate();
}

void TAdvStringGrid::UnHideColumnsAll()
{
    UnHideColumns(0, ColCount() + FHiddenCols.Count);
}

bool TAdvStringGrid::IsHiddenColumn(int ColIndex) const
{
    if (ColIndex < 0 || ColIndex > 511) return false;
    return !FHiddenCols.Visible[ColIndex];
}

int TAdvStringGrid::RealToDisplCol(int ACol) const
{
    if (FHiddenCols.Count == 0 || ACol >= 512 || ACol < 0) return ACol;
    int result = ACol;
    for (int c = 0; c < ACol; ++c)
        if (!FHiddenCols.Visible[c]) --result;
    return result;
}

int TAdvStringGrid::DisplToRealCol(int ACol) const
{
    if (FHiddenCols.Count == 0 || ACol >= 512 || ACol < 0) return ACol;
    int visible = 0;
    for (int c = 0; c < 512; ++c)
        if (FHiddenCols.Visible[c] && visible++ == ACol) return c;
    return 0;
}

void TAdvStringGrid::SetColVisible(int ACol, bool Value)
{
    if (ACol >= 0 && ACol < VisibilityTableSize) FHiddenCols.Visible[ACol] = Value;
}

bool TAdvStringGrid::GetColVisible(int ACol) const
{
    return ACol >= 0 && ACol < VisibilityTableSize ? FHiddenCols.Visible[ACol] : true;
}

// ---- Current row, top row --------------------------------------------------------------------

void TAdvStringGrid::SetRowEx(int Value)
{
    if (Value < 0 || Value >= RowCount()) return;
    if (Col() < 0 || Col() >= ColCount()) {
        FocusCell(TBaseGrid::FixedCols(), Value);
    }
    TBaseGrid::SetRow(Value);
    if (Row() != FOldRowSel && OnRowChanged) {
        int old = FOldRowSel;
        FOldRowSel = Row();
        OnRowChanged(this, old, Row());
    }
    if (FSyncGrid->Grid() != nullptr && FSyncGrid->SelectionRow && Row() < FSyncGrid->Grid()->RowCount())
        FSyncGrid->Grid()->SetRow(Row());
}

void TAdvStringGrid::SetTopRowEx(int Value)
{
    if (Value >= TBaseGrid::FixedRows() && Value <= RowCount() - 1) TBaseGrid::SetTopRow(Value);
}

// ---- Ranges and view -------------------------------------------------------------------------

TRect TAdvStringGrid::GetUsedCells()
{
    TRect used{-1, -1, -1, -1};
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) {
            if (ReadCellText(RealColIndex(c), r).empty()) continue;
            if (used.left < 0 || c < used.left) used.left = c;
            if (used.top < 0 || r < used.top) used.top = r;
            used.right = std::max<LONG>(used.right, c);
            used.bottom = std::max<LONG>(used.bottom, r);
        }
    if (used.left < 0) return Rect(0, 0, 0, 0);
    return used;
}

int TAdvStringGrid::SaveStartCol() const { return SaveFixedCells ? 0 : TBaseGrid::FixedCols(); }
int TAdvStringGrid::SaveStartRow() const { return SaveFixedCells ? 0 : TBaseGrid::FixedRows(); }
int TAdvStringGrid::SaveEndCol() const { return SaveFixedCells ? ColCount() - 1 : ColCount() - FFixedRightCols - 1; }
int TAdvStringGrid::SaveEndRow() const { return SaveFixedCells ? RowCount() - 1 : RowCount() - FFixedFooters - 1; }

int TAdvStringGrid::SaveColCount() const
{
    return SaveFixedCells ? ColCount() : ColCount() - TBaseGrid::FixedCols() - FFixedRightCols;
}

int TAdvStringGrid::SaveRowCount() const
{
    return SaveFixedCells ? RowCount() : RowCount() - TBaseGrid::FixedRows() - FFixedFooters;
}

void TAdvStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount() || ColIndex < 0 || RowIndex < 0) return;
    int left = LeftCol(), top = TopRow();
    int visCols = VisibleColCount(), visRows = VisibleRowCount();
    if (ColIndex < left || ColIndex >= left + visCols) {
        SetCol(ColIndex);
        left = std::max(ColIndex - visCols / 2, TBaseGrid::FixedCols());
    }
    if (RowIndex < top || RowIndex >= top + visRows) {
        SetRowEx(RowIndex);
        top = std::max(RowIndex - visRows / 2, TBaseGrid::FixedRows());
    }
    left = std::min(left, ColCount() - visCols + 1);
    top = std::min(top, RowCount() - visRows + 1);
    left = std::clamp(left, TBaseGrid::FixedCols(), ColCount() - 1);
    top = std::clamp(top, TBaseGrid::FixedRows(), RowCount() - 1);
    if (TBaseGrid::FixedCols() + visCols < ColCount()) SetLeftCol(left);
    if (TBaseGrid::FixedRows() + visRows < RowCount()) {
        TBaseGrid::SetTopRow(top);
        if (FSearchFooter->Visible() && RowCount() - visRows == TopRow() && top + 1 < RowCount()) TBaseGrid::SetTopRow(top + 1);
    }
}

void TAdvStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (int i = 0; i < ColCount(); ++i)
        FColumnOrder->Insert(i, i);
}

void TAdvStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount()) return;
    if (FColumnOrder->Count() == 0) SetColumnOrder();
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
    MoveCellControls(true, FromIndex, ToIndex);
}

void TAdvStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount()) return;
    TBaseGrid::MoveRow(FromIndex, ToIndex);
    MoveCellControls(false, FromIndex, ToIndex);
}

void TAdvStringGrid::MoveCellControls(bool Columns, int FromIndex, int ToIndex)
{
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* item = FControlList->Items(i);
        int& index = Columns ? item->X : item->Y;
        if (index == FromIndex)
            index = ToIndex;
        else if (ToIndex < FromIndex && index >= ToIndex && index < FromIndex)
            ++index;
        else if (ToIndex > FromIndex && index > FromIndex && index <= ToIndex)
            --index;
    }
    CellControlsUpdate(false);
}

void TAdvStringGrid::HideSelection()
{
    FOldSelection = Selection();
    SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
    FSelHidden = true;
}

void TAdvStringGrid::UnHideSelection()
{
    FSelHidden = false;
    if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount() && FOldSelection.Bottom < RowCount() &&
        FOldSelection.Right < ColCount() && FOldSelection.Top >= 0 && FOldSelection.Left >= 0) {
        SetSelection(FOldSelection);
        return;
    }
    int top = (FixedRowAlways && TBaseGrid::FixedRows() == RowCount()) ? 0 : TBaseGrid::FixedRows();
    int left = (FixedColAlways && TBaseGrid::FixedCols() == ColCount()) ? 0 : TBaseGrid::FixedCols();
    top = std::min(top, RowCount() - 1);
    left = std::min(left, ColCount() - 1);
    SetSelection(TGridRect{left, top, left, top});
}

void TAdvStringGrid::UpdateEditMode()
{
    SelectCell(Col(), Row());
}
