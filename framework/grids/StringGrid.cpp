// TCustomStringGrid: the views of the cells (row and column lists, the editor's text, the text
// drawn in each cell) over the virtual accessors; TStringGrid: a text and an object per cell,
// stored row by row for exactly the cells inside the counts.
#include <algorithm>

#include "framework/grids/Grids.h"
#include "framework/system/ScopeGuards.h"

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomStringGrid(AOwner)
{
    FDataCols = FColCount;
    FDataRows = FRowCount;
    FData.resize(static_cast<size_t>(FDataCols) * FDataRows);
}

TStringGrid::~TStringGrid() = default;

TCustomStringGrid::~TCustomStringGrid() = default;

String TStringGrid::Cells(int ACol, int ARow)
{
    return InRange(ACol, ARow) ? Data(ACol, ARow).Text : String();
}

void TStringGrid::SetCells(int ACol, int ARow, const String& Value)
{
    if (!InRange(ACol, ARow)) return;
    Data(ACol, ARow).Text = Value;
    CellChanged(ACol, ARow);
    // A program writing the cell being edited: the editor shows the new text (unless it is
    // the editor's own text coming back).
    if (FEditUpdate == 0 && FEditorMode && ACol == Col() && ARow == Row() && FInplaceEdit != nullptr &&
        FInplaceEdit->Visible() && FInplaceEdit->Text() != Value)
        InvalidateEditor();
}

TObject* TStringGrid::Objects(int ACol, int ARow)
{
    return InRange(ACol, ARow) ? Data(ACol, ARow).Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value)
{
    if (!InRange(ACol, ARow)) return;
    Data(ACol, ARow).Object = Value;
}

void TCustomStringGrid::CellChanged(int ACol, int ARow)
{
    if (FListUpdate == 0) InvalidateCell(ACol, ARow);
}

void TCustomStringGrid::BeginListUpdate()
{
    ++FListUpdate;
}

void TCustomStringGrid::EndListUpdate()
{
    if (FListUpdate > 0 && --FListUpdate == 0) InvalidateGrid();
}

TStrings* TCustomStringGrid::Cols(int Index)
{
    if (Index < 0) InvalidOp(L"Grid index out of range");
    if (static_cast<size_t>(Index) >= FColLists.size()) FColLists.resize(Index + 1);
    auto& list = FColLists[Index];
    if (!list) list = std::make_unique<TStringGridStrings>(this, -Index - 1);
    return list.get();
}

void TCustomStringGrid::SetCols(int Index, TStrings* Value)
{
    Cols(Index)->Assign(Value);
}

TStrings* TCustomStringGrid::Rows(int Index)
{
    if (Index < 0) InvalidOp(L"Grid index out of range");
    if (static_cast<size_t>(Index) >= FRowLists.size()) FRowLists.resize(Index + 1);
    auto& list = FRowLists[Index];
    if (!list) list = std::make_unique<TStringGridStrings>(this, Index);
    return list.get();
}

void TCustomStringGrid::SetRows(int Index, TStrings* Value)
{
    Rows(Index)->Assign(Value);
}

void TCustomStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (FDefaultDrawing) Canvas()->TextRect(ARect, ARect.left + 2, ARect.top + 2, Cells(ACol, ARow));
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TCustomStringGrid::GetEditText(int ACol, int ARow)
{
    String result = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, result);
    return result;
}

void TCustomStringGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    {
        ++FEditUpdate;
        TScopeExit editDone([this] { --FEditUpdate; });
        if (Value != Cells(ACol, ARow)) SetCells(ACol, ARow, Value);
    }
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (FColCount != FDataCols || FRowCount != FDataRows) {
        std::vector<TCellData> data(static_cast<size_t>(FColCount) * FRowCount);
        int cols = std::min(FColCount, FDataCols), rows = std::min(FRowCount, FDataRows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) data[static_cast<size_t>(r) * FColCount + c] = std::move(Data(c, r));
        FData = std::move(data);
        FDataCols = FColCount;
        FDataRows = FRowCount;
    }
    TCustomStringGrid::SizeChanged(OldColCount, OldRowCount);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (FromIndex >= 0 && ToIndex >= 0 && FromIndex < FDataCols && ToIndex < FDataCols) {
        for (int r = 0; r < FDataRows; ++r) {
            auto rowBegin = FData.begin() + static_cast<ptrdiff_t>(r) * FDataCols;
            if (FromIndex < ToIndex)
                std::rotate(rowBegin + FromIndex, rowBegin + FromIndex + 1, rowBegin + ToIndex + 1);
            else
                std::rotate(rowBegin + ToIndex, rowBegin + FromIndex, rowBegin + FromIndex + 1);
        }
    }
    TCustomStringGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (FromIndex >= 0 && ToIndex >= 0 && FromIndex < FDataRows && ToIndex < FDataRows) {
        auto row = [this](int r) { return FData.begin() + static_cast<ptrdiff_t>(r) * FDataCols; };
        if (FromIndex < ToIndex)
            std::rotate(row(FromIndex), row(FromIndex + 1), row(ToIndex + 1));
        else
            std::rotate(row(ToIndex), row(FromIndex), row(FromIndex + 1));
    }
    TCustomStringGrid::RowMoved(FromIndex, ToIndex);
}

// ---- TStringGridStrings --------------------------------------------------------------------

void TStringGridStrings::CellOf(int Index, int& ACol, int& ARow) const
{
    if (FIndex >= 0) {
        ACol = Index;
        ARow = FIndex;
    } else {
        ACol = -FIndex - 1;
        ARow = Index;
    }
}

int TStringGridStrings::GetCount() const
{
    return FIndex >= 0 ? FGrid->RowViewCount() : FGrid->RowCount();
}

String TStringGridStrings::Get(int Index) const
{
    int c, r;
    CellOf(Index, c, r);
    return FGrid->Cells(c, r);
}

TObject* TStringGridStrings::GetObjectAt(int Index) const
{
    int c, r;
    CellOf(Index, c, r);
    return FGrid->Objects(c, r);
}

void TStringGridStrings::Put(int Index, const String& S)
{
    int c, r;
    CellOf(Index, c, r);
    FGrid->SetCells(c, r, S);
}

void TStringGridStrings::PutObjectAt(int Index, TObject* AObject)
{
    int c, r;
    CellOf(Index, c, r);
    FGrid->SetObjects(c, r, AObject);
}

int TStringGridStrings::Add(const String& S)
{
    for (int i = 0; i < Count(); ++i) {
        if (Get(i).empty() && GetObjectAt(i) == nullptr) {
            Put(i, S);
            return i;
        }
    }
    return -1;
}

void TStringGridStrings::Insert(int, const String&)
{
    throw EInvalidGridOperation(L"Lines cannot be inserted into or deleted from a grid row or column");
}

void TStringGridStrings::Delete(int)
{
    throw EInvalidGridOperation(L"Lines cannot be inserted into or deleted from a grid row or column");
}

void TStringGridStrings::Clear()
{
    BeginUpdate();
    TScopeExit endUpdate([this] { EndUpdate(); });
    for (int i = 0; i < Count(); ++i) {
        Put(i, L"");
        PutObjectAt(i, nullptr);
    }
}

void TStringGridStrings::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TStrings*>(Source);
    if (source == nullptr) {
        TStrings::Assign(Source);
        return;
    }
    BeginUpdate();
    TScopeExit endUpdate([this] { EndUpdate(); });
    int n = std::min(source->Count(), Count());
    for (int i = 0; i < n; ++i) {
        Put(i, source->Strings(i));
        PutObjectAt(i, source->Objects(i));
    }
}

void TStringGridStrings::SetUpdateState(bool Updating)
{
    if (Updating)
        FGrid->BeginListUpdate();
    else
        FGrid->EndListUpdate();
}
