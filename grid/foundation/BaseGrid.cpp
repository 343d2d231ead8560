#include "grid/foundation/BaseGrid.h"

#include <algorithm>
#include <optional>

#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/AdvUtilDraw.h"

// ---- Wide texts ------------------------------------------------------------------------------

String EncodeWideCellText(const String& Wide)
{
    String s = L"|\\";
    s.reserve(2 + Wide.size() * 2);
    for (wchar_t ch : Wide) {
        s += static_cast<wchar_t>((static_cast<unsigned>(ch) >> 8) & 0xFF);
        s += static_cast<wchar_t>(static_cast<unsigned>(ch) & 0xFF);
    }
    return s;
}

String DecodeWideCellText(const String& Text)
{
    if (Text.size() < 2 || Text[0] != L'|' || Text[1] != L'\\') return Text;
    String wide;
    wide.reserve((Text.size() - 2) / 2);
    for (size_t i = 2; i + 1 < Text.size(); i += 2)
        wide += static_cast<wchar_t>(((static_cast<unsigned>(Text[i]) & 0xFF) << 8) | (static_cast<unsigned>(Text[i + 1]) & 0xFF));
    return wide;
}

// ---- TCellProperties -------------------------------------------------------------------------

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow) : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow)
{
    if (AOwner != nullptr) {
        FWordWrap = AOwner->FWordWrap;
        AOwner->FHasCellProps = true;
    }
}

void TCellProperties::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TCellProperties*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FIsBaseCell = src->FIsBaseCell;
    FCellSpanX = src->FCellSpanX;
    FCellSpanY = src->FCellSpanY;
    FOwnerRow = src->FOwnerRow;
    FOwnerCol = src->FOwnerCol;
    FObject = src->FObject;
    FAlignment = src->FAlignment;
    FBorderColor = src->FBorderColor;
    FBorderWidth = src->FBorderWidth;
    FBrushColor = src->FBrushColor;
    FBrushStyle = src->FBrushStyle;
    FFontColor = src->FFontColor;
    FFontStyle = src->FFontStyle;
    FFontName = src->FFontName;
    FFontSize = src->FFontSize;
    FReadOnly = src->FReadOnly;
    FEditor = src->FEditor;
    FVAlignment = src->FVAlignment;
    FWordWrap = src->FWordWrap;
    FNodeLevel = src->FNodeLevel;
    FControl = src->FControl;
}

void TCellProperties::Repaint()
{
    if (FOwnerGrid != nullptr) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value)
{
    FBrushColor = Value;
    Repaint();
}

void TCellProperties::SetBrushColorTo(TColor Value)
{
    FBrushColorTo = Value;
    Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    Repaint();
}

void TCellProperties::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    Repaint();
}

// ---- TBaseGrid: life cycle and store ---------------------------------------------------------

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    TCustomGrid::SetDefaultDrawing(false);
    TCustomGrid::SetGridLineWidth(0);
    FitStore();
}

TBaseGrid::~TBaseGrid()
{
    for (TStoredRow& row : FStore)
        for (TCellSlot& slot : row) {
            TCellProperties* props = slot.Props;
            slot.Props = nullptr;
            if (props != nullptr) FreeCellObjects(props);
        }
}

void TBaseGrid::FitStore()
{
    int cols = std::max(ColCount() + HiddenStoreCols(), 1);
    int rows = std::max(RowCount(), 1);
    auto freeSlots = [this](TStoredRow& row, size_t from) {
        for (size_t i = from; i < row.size(); ++i)
            if (TCellProperties* props = row[i].Props) {
                row[i].Props = nullptr;
                FreeCellObjects(props);
            }
    };
    while (static_cast<int>(FStore.size()) > rows) {
        freeSlots(FStore.back(), 0);
        FStore.pop_back();
    }
    // Every stored row is FStoreCols wide, so a change of the row count alone touches only the
    // rows that come or go: adding rows one at a time stays linear.
    if (cols != FStoreCols)
        for (TStoredRow& row : FStore) {
            if (static_cast<int>(row.size()) > cols) freeSlots(row, static_cast<size_t>(cols));
            row.resize(static_cast<size_t>(cols));
        }
    while (static_cast<int>(FStore.size()) < rows)
        FStore.emplace_back(static_cast<size_t>(cols));
    FStoreCols = cols;
}

void TBaseGrid::AppendEmptyRows(int Count)
{
    if (Count > 0) FStore.resize(FStore.size() + static_cast<size_t>(Count));
}

void TBaseGrid::DropMovedRows(int First)
{
    First = std::clamp(First, 0, StoreRows());
    FStore.resize(static_cast<size_t>(std::max(First, 1)));
    if (FStore.front().empty()) FStore.front().resize(static_cast<size_t>(FStoreCols));
}

void TBaseGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    TObjStringGrid::SizeChanged(OldColCount, OldRowCount);
    FitStore();
}

void TBaseGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    TObjStringGrid::ColumnMoved(FromIndex, ToIndex);
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= StoreCols() || ToIndex >= StoreCols()) return;
    for (TStoredRow& row : FStore) {
        TCellSlot moved = std::move(row[FromIndex]);
        row.erase(row.begin() + FromIndex);
        row.insert(row.begin() + ToIndex, std::move(moved));
    }
}

void TBaseGrid::RowMoved(int FromIndex, int ToIndex)
{
    TObjStringGrid::RowMoved(FromIndex, ToIndex);
    if (RowMovesDone()) return;
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= StoreRows() || ToIndex >= StoreRows()) return;
    TStoredRow moved = std::move(FStore[FromIndex]);
    FStore.erase(FStore.begin() + FromIndex);
    FStore.insert(FStore.begin() + ToIndex, std::move(moved));
}

void TBaseGrid::RowBlockToEnd(int ARow, int ACount)
{
    if (ARow < 0 || ACount <= 0 || ARow + ACount > StoreRows()) return;
    std::rotate(FStore.begin() + ARow, FStore.begin() + ARow + ACount, FStore.end());
}

void TBaseGrid::RotateRows(int First, int Middle, int Last)
{
    Last = std::min({Last, StoreRows(), RowCount()});
    if (First < 0 || First >= Middle || Middle >= Last) return;
    std::rotate(FStore.begin() + First, FStore.begin() + Middle, FStore.begin() + Last);
    FRowHeights.Rotate(First, Middle, Last);
    RowHeightsChanged();
}

bool TBaseGrid::OwnsCellGraphic(TObject* Graphic) const
{
    return dynamic_cast<TGridOwnedCellObject*>(Graphic) != nullptr;
}

void TBaseGrid::FreeCellObjects(TCellProperties* Props)
{
    if (Props == nullptr) return;
    TObject* graphic = Props->GraphicObject();
    Props->SetGraphicObject(nullptr);
    if (OwnsCellGraphic(graphic)) delete graphic;
    delete Props;
}

// ---- Texts -----------------------------------------------------------------------------------

String TBaseGrid::GetStoredCell(int ACol, int ARow) const
{
    const TCellSlot* slot = Slot(ACol, ARow);
    return slot ? slot->Text : String();
}

void TBaseGrid::SetStoredCell(int ACol, int ARow, const String& Value)
{
    if (TCellSlot* slot = Slot(ACol, ARow)) slot->Text = Value;
}

TCellProperties* TBaseGrid::GetStoredObject(int ACol, int ARow) const
{
    const TCellSlot* slot = Slot(ACol, ARow);
    return slot ? slot->Props : nullptr;
}

void TBaseGrid::SetStoredObject(int ACol, int ARow, TCellProperties* Value)
{
    if (TCellSlot* slot = Slot(ACol, ARow)) slot->Props = Value;
}

String TBaseGrid::ReadCellText(int ACol, int ARow)
{
    if (!InStore(ACol, ARow)) return String();
    TPoint base = BaseCell(ACol, ARow);
    String value = GetStoredCell(base.x, base.y);
    if (base.y < FNormalRowCount) DoGetDisplText(base.x, base.y, value);
    if (OnGetDisplWideText) {
        String wide = DecodeWideCellText(value);
        DoGetDisplWideText(base.x, base.y, wide);
        value = EncodeWideCellText(wide);
    }
    return value;
}

void TBaseGrid::WriteCellText(int ACol, int ARow, const String& Value)
{
    if (!InStore(ACol, ARow)) return;
    if (HasCellProperties(ACol, ARow)) {
        TPoint base = BaseCell(ACol, ARow);
        SetStoredCell(base.x, base.y, Value);
        CellTextUpdated(base.x, base.y);
        if (Parent() != nullptr) RepaintCell(ACol, ARow);
    } else {
        SetStoredCell(ACol, ARow, Value);
        // An import writes millions of cells without a window or inside the update lock.
        if (HandleAllocated() && !InvalidationSuspended()) InvalidateCell(DisplColIndex(ACol), ARow);
    }
    if (FHideLastRow && ARow == RowCount() - 1) LastRowChanged();
}

String TBaseGrid::GetEditText(int ACol, int ARow)
{
    return GetStoredCell(RealColIndex(ACol), ARow);
}

void TBaseGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    int realCol = RealColIndex(ACol);
    if (!InStore(realCol, ARow)) return;
    SetStoredCell(realCol, ARow, Value);
    InvalidateCell(ACol, ARow);
}

void TBaseGrid::SetObjects(int ACol, int ARow, TObject* Value)
{
    if (Value == nullptr && !HasCellProperties(ACol, ARow)) return;
    SetCellGraphic(ACol, ARow, Value);
}

// ---- Property objects ------------------------------------------------------------------------

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow)
{
    TCellSlot* slot = Slot(ACol, ARow);
    if (slot == nullptr) {
        if (ACol < 0 || ACol >= StoreCols()) throw EAdvGridError(L"Invalid column accessed");
        throw EAdvGridError(L"Invalid row accessed");
    }
    if (slot->Props != nullptr) return slot->Props;

    TCellProperties* props = CreateCellProperties(ACol, ARow);
    slot->Props = props;
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrap;
    TCellGradientDirection gd = GradientVertical;
    GetCellDefaults(ACol, ARow, &font, &brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
    props->SetCalcType(acNONE);
    props->SetAlignment(ha);
    props->SetVAlignment(va);
    props->SetWordWrap(ww);
    props->SetFontName(font.Name());
    props->SetFontSize(font.Size());
    props->SetFontStyle(font.Style());
    props->SetFontColor(font.Color());
    props->SetBrushColor(brush.Color());
    props->SetBrushColorTo(colorTo);
    props->SetGradientDirection(gd);
    return props;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties* Value)
{
    TCellSlot* slot = Slot(ACol, ARow);
    if (slot == nullptr) return;
    TCellProperties* old = slot->Props;
    slot->Props = Value;
    if (old != nullptr && old != Value) FreeCellObjects(old);
}

void TBaseGrid::FreeCellProperties(int ACol, int ARow)
{
    TCellSlot* slot = Slot(ACol, ARow);
    if (slot == nullptr || slot->Props == nullptr) return;
    TCellProperties* props = slot->Props;
    slot->Props = nullptr;
    FreeCellObjects(props);
}

void TBaseGrid::FreeCellPropertiesRect(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!FHasCellProps) return;
    FromCol = std::max(FromCol, 0);
    FromRow = std::max(FromRow, 0);
    ToCol = std::min(ToCol, StoreCols() - 1);
    ToRow = std::min(ToRow, StoreRows() - 1);
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            FreeCellProperties(c, r);
}

void TBaseGrid::ClearColCells(int ACol)
{
    for (int r = 0; r < StoreRows(); ++r)
        EraseCell(ACol, r);
}

void TBaseGrid::ClearRowCells(int ARow)
{
    for (int c = 0; c < StoreCols(); ++c)
        EraseCell(c, ARow);
}

void TBaseGrid::EraseCell(int ACol, int ARow)
{
    TCellSlot* slot = Slot(ACol, ARow);
    if (slot == nullptr) return;
    if (!slot->Text.empty()) {
        slot->Text.clear();
        InvalidateCell(DisplColIndex(ACol), ARow);
    }
    slot->Props = nullptr;
}

int TBaseGrid::GetCellObject(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    return props ? props->CellObject() : 0;
}

void TBaseGrid::SetCellObject(int ACol, int ARow, int Value)
{
    if (!InStore(ACol, ARow)) return;
    GetCellProperties(ACol, ARow)->SetCellObject(Value);
}

TObject* TBaseGrid::GetCellGraphic(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    return props ? props->GraphicObject() : nullptr;
}

void TBaseGrid::SetCellGraphic(int ACol, int ARow, TObject* Graphic)
{
    if (ComponentState().Contains(csDestroying) || !InStore(ACol, ARow)) return;
    GetCellProperties(ACol, ARow)->SetGraphicObject(Graphic);
}

// ---- Merged cells ----------------------------------------------------------------------------

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    ++FMergeCount;
    if (spanx < 1 || spany < 1 || !InStore(c, r)) return;
    spanx = std::min(spanx, StoreCols() - c);
    spany = std::min(spany, StoreRows() - r);
    for (int y = r; y < r + spany; ++y)
        for (int x = c; x < c + spanx; ++x) {
            TCellProperties* props = GetCellProperties(x, y);
            if (x == c && y == r) {
                props->SetIsBaseCell(true);
                props->SetCellSpanX(spanx - 1);
                props->SetCellSpanY(spany - 1);
            } else {
                props->SetIsBaseCell(false);
                props->SetCellSpanX(x - c);
                props->SetCellSpanY(y - r);
            }
        }
    for (int y = r; y < r + spany; ++y)
        for (int x = c; x < c + spanx; ++x)
            RepaintCell(x, y);
}

void TBaseGrid::SplitCells(int c, int r)
{
    if (InStore(c, r)) {
        TPoint base = BaseCell(c, r);
        TCellProperties* baseProps = GetCellProperties(base.x, base.y);
        int lastCol = std::min<int>(base.x + std::max(baseProps->CellSpanX(), 0), StoreCols() - 1);
        int lastRow = std::min<int>(base.y + std::max(baseProps->CellSpanY(), 0), StoreRows() - 1);
        for (int y = base.y; y <= lastRow; ++y)
            for (int x = base.x; x <= lastCol; ++x) {
                TCellProperties* props = GetCellProperties(x, y);
                props->SetIsBaseCell(true);
                props->SetCellSpanX(-1);
                props->SetCellSpanY(-1);
            }
        for (int y = base.y; y <= lastRow; ++y)
            for (int x = base.x; x <= lastCol; ++x)
                RepaintCell(x, y);
    }
    --FMergeCount;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    if (props != nullptr && !props->IsBaseCell() && props->CellSpanX() != -1 && props->CellSpanY() != -1) {
        TPoint base{ACol - props->CellSpanX(), ARow - props->CellSpanY()};
        // Spans that point outside the grid (a damaged area) leave the cell its own base.
        if (InStore(base.x, base.y)) return base;
    }
    return TPoint{ACol, ARow};
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    return props == nullptr || props->IsBaseCell();
}

bool TBaseGrid::ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const
{
    TPoint base = BaseCell(ACol, ARow);
    BaseCol = base.x;
    BaseRow = base.y;
    return base.x == ACol && base.y == ARow;
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    return props != nullptr && (props->CellSpanX() > 0 || props->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const
{
    return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    if (PropsAt(ACol, ARow) == nullptr) return false;
    TPoint base = BaseCell(ACol, ARow);
    const TCellProperties* baseProps = PropsAt(base.x, base.y);
    return baseProps != nullptr && baseProps->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    if (PropsAt(ACol, ARow) == nullptr) return false;
    TPoint base = BaseCell(ACol, ARow);
    const TCellProperties* baseProps = PropsAt(base.x, base.y);
    return baseProps != nullptr && baseProps->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    if (props == nullptr || props->CellSpanX() == -1 || props->CellSpanY() == -1) return TPoint{0, 0};
    TPoint base = BaseCell(ACol, ARow);
    const TCellProperties* baseProps = PropsAt(base.x, base.y);
    if (baseProps == nullptr) return TPoint{0, 0};
    return TPoint{std::max(baseProps->CellSpanX(), 0), std::max(baseProps->CellSpanY(), 0)};
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    if (props == nullptr || props->CellSpanX() == -1 || props->CellSpanY() == -1) return TPoint{0, 0};
    TPoint base = BaseCell(ACol, ARow);
    TPoint span = CellSpan(ACol, ARow);
    return TPoint{base.x + span.x - ACol, base.y + span.y - ARow};
}

TRect TBaseGrid::FullCell(int c, int r) const
{
    TPoint base = BaseCell(c, r);
    TPoint span = CellSpan(c, r);
    return Rect(base.x, base.y, base.x + span.x, base.y + span.y);
}

TRect TBaseGrid::RectFromSizes(int c, int r)
{
    int lineX = Options().Contains(goVertLine) ? TCustomGrid::GridLineWidth() : 0;
    int lineY = Options().Contains(goHorzLine) ? TCustomGrid::GridLineWidth() : 0;
    // Summed, not walked: a cell deep in a long grid lies behind a million rows, and painting
    // asks for merged cells' and pictures' rectangles on every paint.
    auto offset = [](long long Sizes, int Count, int Line) { return Sizes + static_cast<long long>(Count) * Line; };
    long long x = offset(ColWidthsSum(0, c), c, lineX);
    if (c >= FFixedCols && LeftCol() > FFixedCols)
        x -= offset(ColWidthsSum(FFixedCols, LeftCol()), LeftCol() - FFixedCols, lineX);
    long long y = offset(RowHeightsSum(0, r), r, lineY);
    if (r >= FFixedRows && TopRow() > FFixedRows)
        y -= offset(RowHeightsSum(FFixedRows, TopRow()), TopRow() - FFixedRows, lineY);
    return Bounds(static_cast<int>(x), static_cast<int>(y), ColWidths(c), RowHeights(r));
}

TRect TBaseGrid::CellRect(int c, int r)
{
    if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) return Rect(0, 0, 0, 0);
    if (IsMergedCell(c, r)) {
        TPoint base = BaseCell(c, r);
        TPoint span = CellSpan(c, r);
        int lastCol = std::min<int>(base.x + span.x, ColCount() - 1);
        int lastRow = std::min<int>(base.y + span.y, RowCount() - 1);
        TRect first = RectFromSizes(std::min<int>(base.x, ColCount() - 1), std::min<int>(base.y, RowCount() - 1));
        TRect last = RectFromSizes(lastCol, lastRow);
        return Rect(first.left, first.top, last.right, last.bottom);
    }
    const TCellProperties* props = PropsAt(c, r);
    if (props != nullptr && props->Control() != nullptr) return RectFromSizes(c, r);
    TRect framework = TCustomGrid::CellRect(c, r);
    return Bounds(framework.left, framework.top, ColWidths(c), RowHeights(r));
}

TPoint TBaseGrid::CellSize(int c, int r)
{
    if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) return TPoint{0, 0};
    TRect rect = IsMergedCell(c, r) ? CellRect(c, r) : RectFromSizes(c, r);
    return TPoint{rect.right - rect.left, rect.bottom - rect.top};
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int result = -1;
    for (int c = 0; c < ColCount(); ++c) {
        int span = CellSpan(c, ARow).y;
        if (span > 0 && (result < 0 || span < result)) result = span;
    }
    return result < 0 ? RowCount() : result;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int result = 0;
    for (int c = 0; c < ColCount(); ++c)
        result = std::max(result, static_cast<int>(CellSpan(c, ARow).y));
    return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, ARow1).y > 0 && CellSpan(c, ARow2).y > 0) {
            found = true;
            if (BaseCell(c, ARow1).y != BaseCell(c, ARow2).y) return false;
        }
    }
    return found;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    bool found = false;
    for (int r = 0; r < RowCount(); ++r) {
        int x1 = CellSpan(ACol1, r).x, x2 = CellSpan(ACol2, r).x;
        if (x1 > 0 && x2 > 0) {
            found = true;
            if (BaseCell(ACol1, r).x != BaseCell(ACol2, r).x) return false;
        } else if (x1 != x2) {
            return false;
        }
    }
    return found;
}

void TBaseGrid::RepaintCell(int c, int r)
{
    if (!HandleAllocated() || InvalidationSuspended()) return;
    TRect rect = CellRect(c, r);
    if (rect.right > rect.left && rect.bottom > rect.top) ::InvalidateRect(FHandle, &rect, TRUE);
}

void TBaseGrid::SnapToBaseCell()
{
    if (!HasCellProperties(Col(), Row())) return;
    TPoint base = BaseCell(Col(), Row());
    if ((base.x != Col() || base.y != Row()) && base.x < ColCount() && base.y < RowCount())
        MoveColRow(base.x, base.y, true, true);
}

// ---- Hooks -----------------------------------------------------------------------------------

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::GetNodeIndent() { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::LastRowChanged() {}
void TBaseGrid::CellTextUpdated(int, int) {}
bool TBaseGrid::HasCustomBorders() { return false; }
int TBaseGrid::DisplColIndex(int ACol) { return ACol; }

void TBaseGrid::DoGetDisplText(int ACol, int ARow, String& Value)
{
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::DoGetDisplWideText(int ACol, int ARow, String& Value)
{
    if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetCellDefaults(int, int, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW, TCellGradientDirection& GD)
{
    AFont->Assign(Font());
    ABrush->SetColor(Color());
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    HA = taLeftJustify;
    VA = vtaTop;
    WW = FWordWrap;
    GD = GradientVertical;
}

void TBaseGrid::GetCellVisual(int, int, bool, bool, bool, TBrush* ABrush, TFont* AFont, TCellVisual& Visual)
{
    Visual.Color = ABrush->Color();
    Visual.Font = AFont;
}

void TBaseGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                                    TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                                    TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW, TCellGradientDirection& GD)
{
    TCellVisual visual;
    visual.State = AState;
    visual.Color = ABrush->Color();
    visual.ColorTo = AColorTo;
    visual.MirrorColor = AMirrorColor;
    visual.MirrorColorTo = AMirrorColorTo;
    visual.HAlign = HA;
    visual.VAlign = VA;
    visual.WordWrap = WW;
    visual.Direction = GD;
    GetCellVisual(ACol, ARow, Print, Select, Remap, ABrush, AFont, visual);
    AState = visual.State;
    AColorTo = visual.ColorTo;
    AMirrorColor = visual.MirrorColor;
    AMirrorColorTo = visual.MirrorColorTo;
    HA = visual.HAlign;
    VA = visual.VAlign;
    WW = visual.WordWrap;
    GD = visual.Direction;
}

// ---- Painting --------------------------------------------------------------------------------

void TBaseGrid::Paint()
{
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::ApplyRowHighlights(int ACol, int ARow, TCellVisual& Visual)
{
    if (ARow == FHoverRowIdx && FHoverRow && !Visual.Selected()) {
        Visual.Color = FHoverRowColor;
        Visual.ColorTo = FHoverRowColorTo;
        Visual.MirrorColor = clNone;
        Visual.MirrorColorTo = clNone;
        Visual.Direction = GradientVertical;
    }
    if (FActiveRowShow && ARow == Row() && (ACol != Col() || !FShowSel) && ACol >= FFixedCols) {
        Visual.Color = FActiveRowColor;
        Visual.ColorTo = FActiveRowColorTo;
        Visual.MirrorColor = FActiveRowMirrorColor;
        Visual.MirrorColorTo = FActiveRowMirrorColorTo;
    }
}

void TBaseGrid::DecideSelectionBox(int ACol, const TRect& Rect, TCellVisual& Visual)
{
    TCellSelectionBox& box = Visual.SelectionBox;
    box.Style = FShowSel ? FSelectionStyle : ssDefault;
    if (box.Style == ssDefault || !Visual.Selected()) return;
    TGridRect sel = Selection();
    box.Part = sbpWhole;
    if (sel.Right > sel.Left) {
        if (ACol == sel.Left) box.Part = sbpLeft;
        else if (ACol == sel.Right) box.Part = sbpRight;
        else if (ACol > sel.Left && ACol < sel.Right) box.Part = sbpMiddle;
    }
    box.Rect = Rect;
    if (!Options().Contains(goHorzLine)) box.Rect.bottom += 1;
    if (!Options().Contains(goVertLine)) box.Rect.right += 1;
    if (HasCustomBorders()) {
        box.Rect.left += 1;
        box.Rect.right -= 1;
        box.Rect.bottom -= 1;
    }
    if (UseRightToLeftAlignment()) {
        box.Rect.right += 1;
        box.Rect.bottom += 1;
    }
    box.Focused = Focused() || Options().Contains(goDrawFocusSelected);
    box.OuterCornerColor = Color();
}

void TBaseGrid::DecideGridLines(int BaseCol, TCellVisual& Visual)
{
    TCellGridLines& lines = Visual.Lines;
    bool fixed = Visual.Fixed();
    if (fixed) {
        lines.Color = FGridFixedLineColor;
        lines.Width = 1;
        lines.Half = 1;
    } else if (FDrawnLineWidth > 0) {
        lines.Color = FGridLineColor;
        lines.Width = FDrawnLineWidth;
        lines.Half = (FDrawnLineWidth + 1) / 2;
    }
    lines.Draw = lines.Width > 0;
    TGridOptions options = Options();
    lines.Horizontal = (fixed ? options.Contains(goFixedHorzLine) : options.Contains(goHorzLine)) &&
                       !(BaseCol == 0 && HasNodes());
    lines.Vertical = fixed ? options.Contains(goFixedVertLine) : options.Contains(goVertLine);
    lines.RightToLeft = UseRightToLeftAlignment();
}

TRect TBaseGrid::ContentRect(const TCellVisual& Visual, const TRect& Rect) const
{
    TRect inner = Rect;
    if (Visual.Fixed()) {
        inner.right -= 1;
        inner.bottom -= 2;
    } else if (FDrawnLineWidth > 0) {
        InflateRect(&inner, -FDrawnLineWidth, -FDrawnLineWidth);
    }
    return inner;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TCanvas* canvas = Canvas();
    if (FHideLastRow && ARow == RowCount() - 1) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Pen()->SetColor(Color());
        canvas->FillRect(ARect);
        return;
    }

    // A merged area is painted by its base cell, once per paint, whichever of its cells the
    // framework asks for first. The base cell marks the generation too when it comes first, or
    // a later cell of the area would paint the whole area a second time.
    TPoint base = BaseCell(ACol, ARow);
    int baseCol = base.x, baseRow = base.y;
    if (baseCol != ACol || baseRow != ARow || IsMergedCell(ACol, ARow)) {
        TCellProperties* baseProps = GetStoredObject(baseCol, baseRow);
        if (baseCol != ACol || baseRow != ARow) {
            if (baseProps != nullptr && baseProps->PaintID() != FPaintID) DrawCell(baseCol, baseRow, ARect, AState);
            return;
        }
        if (baseProps != nullptr) {
            if (baseProps->PaintID() == FPaintID) return;
            baseProps->SetPaintID(FPaintID);
        }
    }

    if (IsFixed(ACol, ARow)) {
        AState.Include(gdFixed);
        AState.Exclude(gdSelected);
    }

    TRect rect = CellRect(ACol, ARow);
    if (rect.right <= rect.left || rect.bottom <= rect.top) rect = ARect;

    // An area reaching under the fixed cells (scrolled half out of view) must not paint over them.
    // The clip narrows the caller's (a grid painted into a parent's bitmap keeps its bounds) and
    // is in logical coordinates, so a grid painted at an offset clips where its cells are.
    int fixedWidth = 0, fixedHeight = 0;
    if (ACol >= FFixedCols)
        for (int c = 0; c < FFixedCols; ++c) fixedWidth += ColWidths(c);
    if (ARow >= FFixedRows)
        for (int r = 0; r < FFixedRows; ++r) fixedHeight += RowHeights(r);
    std::optional<advutil::TClipToRect> clip;
    if ((fixedWidth > 0 && rect.left < fixedWidth) || (fixedHeight > 0 && rect.top < fixedHeight))
        clip.emplace(canvas, TRect{fixedWidth, fixedHeight, Width(), Height()});

    canvas->Pen()->SetWidth(1);
    canvas->SetFont(Font());

    TCellVisual visual;
    visual.State = AState;
    visual.WordWrap = FWordWrap;
    visual.Color = canvas->Brush()->Color();
    visual.Font = canvas->Font();
    GetCellVisual(ACol, ARow, false, true, true, canvas->Brush(), canvas->Font(), visual);
    ApplyRowHighlights(ACol, ARow, visual);
    DecideSelectionBox(ACol, rect, visual);
    DecideGridLines(baseCol, visual);

    for (TCellPaintStep paint : FFramePainters) paint(canvas, visual, rect);
    canvas->Brush()->SetColor(visual.Color);
    canvas->Pen()->SetColor(visual.Color);
    canvas->Pen()->SetWidth(1);

    DrawGridCell(canvas, ACol, ARow, ContentRect(visual, rect), visual.State);

    clip.reset();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetStyle(psSolid);
}

void TBaseGrid::DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState)
{
    String text = ReadCellText(ACol, ARow);
    if (text.empty()) return;
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->TextRect(ARect, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ACanvas->Brush()->SetStyle(bsSolid);
}

// ---- Selection, keys and wheel ---------------------------------------------------------------

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    if (UseRightToLeftAlignment()) {
        bool result = TObjStringGrid::SelectCell(ACol, ARow);
        Invalidate();
        return result;
    }
    RepaintCell(Col(), Row());
    bool result = TObjStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return result;
}

void TBaseGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    int col = Col(), row = Row();
    TCellProperties* props = GetStoredObject(col, row);
    if (props != nullptr) {
        TPoint base = BaseCell(col, row);
        const TCellProperties* baseProps = PropsAt(base.x, base.y);
        int spanX = baseProps ? baseProps->CellSpanX() : -1;
        int spanY = baseProps ? baseProps->CellSpanY() : -1;
        switch (Key) {
        case VK_RIGHT:
            if (base.x + spanX >= col && col < ColCount() - 1 && base.x < ColCount() - 1 && base.x + spanX < ColCount()) {
                FCurrent.X = base.x + spanX;
                FAnchor.X = FCurrent.X;
            }
            break;
        case VK_DOWN:
            if (base.y + spanY >= row && row < RowCount() - 1 && base.y < RowCount() - 1 && base.y + spanY < RowCount()) {
                FCurrent.Y = base.y + spanY;
                FAnchor.Y = FCurrent.Y;
            }
            break;
        // From inside an area the cursor steps out from the area's first column (row), so the
        // framework's step lands just before the area.
        case VK_LEFT:
            if (!props->IsBaseCell() && base.x > 0 && col > base.x && base.x > FFixedCols) {
                FCurrent.X = base.x;
                FAnchor.X = base.x;
            }
            break;
        case VK_UP:
            if (!props->IsBaseCell() && base.y > 0 && row > base.y && base.y > FFixedRows) {
                FCurrent.Y = base.y;
                FAnchor.Y = base.y;
            }
            break;
        default: break;
        }
    }
    if (Key == VK_NEXT && FHideLastRow && RowCount() > 1 && TopRow() + VisibleRowCount() - FFixedRows == RowCount() - 1) {
        FCurrent.Y = RowCount() - 2;
        FAnchor.Y = FCurrent.Y;
    }
    TObjStringGrid::KeyDown(Key, Shift);
    SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (Row() > TopRow() + VisibleRowCount() && Row() != RowCount() - 1 && FHideLastRow) TCustomGrid::SetTopRow(TopRow() + 1);
    SnapToBaseCell();
    return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    SnapToBaseCell();
    return result;
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    int lastRow = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
    int lastCol = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
    for (int c = 0; c < FFixedCols; ++c)
        for (int r = TopRow(); r <= lastRow; ++r)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
    for (int r = 0; r < FFixedRows; ++r)
        for (int c = LeftCol(); c <= lastCol; ++c)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
}

// ---- Settings --------------------------------------------------------------------------------

void TBaseGrid::SetDefaultDrawing(bool Value)
{
    TCustomGrid::SetDefaultDrawing(false);
    FCellDefaultDrawing = Value;
}

void TBaseGrid::SetGridLineWidth(int Value)
{
    FDrawnLineWidth = Value;
    TCustomGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
    FGridLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value)
{
    FGridFixedLineColor = Value;
    Invalidate();
}

namespace {

template <class T>
bool StoreChanged(T& Field, T Value)
{
    if (Field == Value) return false;
    Field = Value;
    return true;
}

} // namespace

void TBaseGrid::SetActiveRowShow(bool Value)
{
    if (StoreChanged(FActiveRowShow, Value)) Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor Value)
{
    if (StoreChanged(FActiveRowColor, Value)) Invalidate();
}

void TBaseGrid::SetActiveRowColorTo(TColor Value)
{
    if (StoreChanged(FActiveRowColorTo, Value)) Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColor(TColor Value)
{
    if (StoreChanged(FActiveRowMirrorColor, Value)) Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value)
{
    if (StoreChanged(FActiveRowMirrorColorTo, Value)) Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value)
{
    if (StoreChanged(FSelectionStyle, Value)) Invalidate();
}
