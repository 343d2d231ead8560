#pragma once
// Unit BaseGrid: the layer between the framework's string grid and the grid control. It keeps a
// text and one optional property object (TCellProperties) per cell, routes every read and write
// of a merged area to the area's base cell, passes texts through the display hooks, and keeps
// the current cell on base cells while the keyboard and the wheel move it.
//
// The cell store is the grid's own: the grid control keeps the cells of hidden columns behind
// the shown ones (real column indexes up to ColCount plus the hidden columns), which a store that
// drops everything beyond ColCount could not hold. The framework's string grid keeps no cells; it
// reaches them through the accessors overridden here, so Cells, Objects, the Rows and Cols lists
// and the editor's text all see this one store. Cells outside the store read empty and ignore
// writes.
//
// The views index as Cells does: by real column. A row view (Rows) therefore holds every stored
// column, hidden ones included, at its real index (ColCount plus the hidden columns lines), so
// that Rows(r)->Strings(c) is always Cells(c, r) and writing a row back loses no hidden cell. A
// column view (Cols) holds the grid's rows (hidden rows live outside the grid). A cell's object
// (Objects) is the caller's object kept in its property object (GraphicObject).
//
// Ownership: each cell owns its TCellProperties, and through it its cell object when that is a
// grid cell object (OwnsCellGraphic). Code that moves cells elsewhere empties the source slots
// first (ClearRowCells, EraseCell, SetStoredObject) so that nothing is freed twice.
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/graphics/GraphicsObjects.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/system/Exceptions.h"
#include "grid/foundation/AdvObj.h"
#include "grid/foundation/CellVisual.h"

// The grid's own failures ("Invalid row accessed", "Invalid column accessed" ...).
KVL_DECLARE_EXCEPTION(EAdvGridError, Exception);

enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM };

// The stored form of a text with characters outside the ANSI range: "|\" followed by two
// characters per character, its high byte and its low byte. Decoding returns a text that does
// not start with "|\" unchanged and ignores an odd trailing character.
String EncodeWideCellText(const String& Wide);
String DecodeWideCellText(const String& Text);

class TBaseGrid;

// One cell's looks, merge state and user data. Of the setters only those of the brush colours,
// the vertical alignment and word wrap repaint the cell; the others just store.
class TCellProperties : public TPersistent {
public:
    TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);

    // From another TCellProperties: the merge state, position, user value, looks and editor
    // (not the owner grid, the cell object, BrushColorTo, GradientDirection, the calculation
    // and the paint generation); nothing is repainted.
    void Assign(TPersistent* Source) override;

    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
    int OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int Value) { FOwnerCol = Value; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int Value) { FOwnerRow = Value; }
    int CellObject() const { return FObject; }
    void SetCellObject(int Value) { FObject = Value; }
    // The cell object (a picture, check box ... of the grid control), or a caller's object.
    TObject* GraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }

    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor Value);
    int FontSize() const { return FFontSize; }
    void SetFontSize(int Value) { FFontSize = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
    const String& FontName() const { return FFontName; }
    void SetFontName(const String& Value) { FFontName = Value; }
    int CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int Value) { FCellSpanX = Value; }
    int CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(int Value) { FCellSpanY = Value; }
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    int PaintID() const { return FPaintID; }
    void SetPaintID(int Value) { FPaintID = Value; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
    TObject* CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* Value) { FCalcObject = Value; }
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int Value) { FNodeLevel = Value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value) { FEditor = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }

private:
    void Repaint();

    TBaseGrid* FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    int FObject = 0;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    int FFontSize = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintID = 0;
    bool FWordWrap = true;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    String FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    TControl* FControl = nullptr;
};

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

class TBaseGrid : public TObjStringGrid {
public:
    explicit TBaseGrid(TComponent* AOwner);
    // Frees every cell's property object (and owned cell object) still in the store.
    ~TBaseGrid() override;

    // ---- Texts -----------------------------------------------------------------------------
    String Cells(int ACol, int ARow) override { return ReadCellText(ACol, ARow); }
    void SetCells(int ACol, int ARow, const String& Value) override { WriteCellText(ACol, ARow, Value); }
    TObject* Objects(int ACol, int ARow) override { return GetCellGraphic(ACol, ARow); }
    // Nil on a cell without properties makes none.
    void SetObjects(int ACol, int ARow, TObject* Value) override;
    int RowViewCount() override { return StoreCols(); }
    // The text stored at the base cell, through the display hooks (rows below NormalRowCount)
    // and, when OnGetDisplWideText is assigned, through that hook in the wide form.
    String ReadCellText(int ACol, int ARow);
    // Stores at the base cell of a cell with a property object (CellTextUpdated, repaint),
    // else at the cell itself; LastRowChanged when the hidden last row was written.
    void WriteCellText(int ACol, int ARow, const String& Value);
    // The raw store, without base-cell routing, hooks or repaint.
    String GetStoredCell(int ACol, int ARow) const;
    void SetStoredCell(int ACol, int ARow, const String& Value);
    // The object slot; setting it frees nothing.
    TCellProperties* GetStoredObject(int ACol, int ARow) const;
    void SetStoredObject(int ACol, int ARow, TCellProperties* Value);
    // The editor's text is the raw stored text (no display hooks) of the display cell's real column.
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    // The real (store) column of a display column.
    virtual int RealColIndex(int ACol) const { return ACol; }

    // ---- Property objects ------------------------------------------------------------------
    bool HasCellProperties(int ACol, int ARow) const { return GetStoredObject(ACol, ARow) != nullptr; }
    // The cell's properties, created on first use with the grid's defaults (GetCellDefaults).
    // EAdvGridError for a cell outside the grid.
    TCellProperties* GetCellProperties(int ACol, int ARow);
    // Frees the slot's object (unless it is Value) and stores Value.
    void SetCellProperties(int ACol, int ARow, TCellProperties* Value);
    void FreeCellProperties(int ACol, int ARow);
    // Nothing while no property object was made since the grid was last cleared as a whole.
    void FreeCellPropertiesRect(int FromCol, int FromRow, int ToCol, int ToRow);
    // Frees a property object that is in no slot, with its cell object when the grid owns it.
    void FreeCellObjects(TCellProperties* Props);
    // Empty the slots (nothing freed) and the texts: the objects have moved elsewhere.
    void ClearColCells(int ACol);
    void ClearRowCells(int ARow);
    void EraseCell(int ACol, int ARow);
    int GetCellObject(int ACol, int ARow) const;
    void SetCellObject(int ACol, int ARow, int Value);
    TObject* GetCellGraphic(int ACol, int ARow) const;
    // Does not free a previous graphic; nothing while the grid is being destroyed.
    void SetCellGraphic(int ACol, int ARow, TObject* Graphic);
    static TObject* GraphicFromProperties(TCellProperties* Props) { return Props ? Props->GraphicObject() : nullptr; }

    // ---- Merged cells ----------------------------------------------------------------------
    // spanx x spany cells with their base at (c, r); a span below 1 merges nothing. The area is
    // cut at the edge of the grid.
    virtual void MergeCells(int c, int r, int spanx, int spany);
    virtual void SplitCells(int c, int r);
    TPoint BaseCell(int ACol, int ARow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    bool ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsMergedNonBaseCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    TPoint CellSpan(int ACol, int ARow) const;
    TPoint CellExt(int ACol, int ARow) const;
    // In cells: base column and row, base plus spans.
    TRect FullCell(int c, int r) const;
    // In pixels: a merged area as a whole; other cells at the framework's position with their
    // full width and height. Empty for a cell outside the counts.
    TRect CellRect(int c, int r);
    TPoint CellSize(int c, int r);
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    void RepaintCell(int c, int r);
    void SnapToBaseCell();

    // ---- Hooks (the grid control overrides most of them) -----------------------------------
    virtual bool IsFixed(int ACol, int ARow);
    virtual int GetNodeIndent();
    virtual bool HasNodes();
    virtual void DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual void LastRowChanged();
    virtual void DoGetDisplText(int ACol, int ARow, String& Value);
    virtual void DoGetDisplWideText(int ACol, int ARow, String& Value);
    virtual void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                 TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                                 TCellGradientDirection& GD);
    virtual void CellTextUpdated(int ACol, int ARow);
    virtual bool HasCustomBorders();
    // The visual decision for a cell, filled into Visual (State on entry: the framework's draw
    // state). ABrush and AFont are the objects the colour hooks write into (the canvas's while
    // painting); Visual.Color and Visual.Font follow them. Empty in TBaseGrid: the grid control
    // decides.
    virtual void GetCellVisual(int ACol, int ARow, bool Print, bool Select, bool Remap, TBrush* ABrush, TFont* AFont,
                               TCellVisual& Visual);
    // The same decision in separate values, for callers that keep them apart (printing, the
    // exporters). WW holds the default on entry.
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                                     TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                                     TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW, TCellGradientDirection& GD);
    // The display position of a column.
    virtual int DisplColIndex(int ACol);

    // ---- Framework overrides ---------------------------------------------------------------
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void RowBlockToEnd(int ARow, int ACount) override;

    // ---- Published settings ----------------------------------------------------------------
    bool DefaultDrawing() const override { return FCellDefaultDrawing; }
    // Stores the value; the framework grid's own default drawing stays off.
    void SetDefaultDrawing(bool Value) override;
    // The width of the lines the grid draws. The framework's layout keeps a line width of 0 (its
    // FGridLineWidth): the grid draws its lines itself, inside the cells.
    int GridLineWidth() const override { return FDrawnLineWidth; }
    void SetGridLineWidth(int Value) override;
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor Value);
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool Value);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor Value);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor Value);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor Value);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor Value);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle Value);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }

    // ---- State the grid control keeps here -------------------------------------------------
    bool HasCellProps() const { return FHasCellProps; }
    int MergeCount() const { return FMergeCount; }
    int PaintID() const { return FPaintID; }
    bool HideLastRow() const { return FHideLastRow; }
    void SetHideLastRow(bool Value) { FHideLastRow = Value; }
    int NormalRowCount() const { return FNormalRowCount; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

    // One stored cell and one stored row. Public so that a hidden row can be kept aside in the
    // same form and move back whole.
    struct TCellSlot {
        String Text;
        TCellProperties* Props = nullptr;
    };
    using TStoredRow = std::vector<TCellSlot>;

protected:
    friend class TCellProperties;

    // The painters of a cell's frame, in order (background, grid lines); the cell's content
    // follows through DrawGridCell. They live in the layer above, so the grid control installs them.
    std::vector<TCellPaintStep> FFramePainters;
    // The frame decision of DrawCell: hover and active rows over the cell's own colours, the
    // selection box, the grid lines.
    void ApplyRowHighlights(int ACol, int ARow, TCellVisual& Visual);
    void DecideSelectionBox(int ACol, const TRect& Rect, TCellVisual& Visual);
    void DecideGridLines(int BaseCol, TCellVisual& Visual);
    // Where DrawGridCell draws: inside the lines (fixed cells: 1 pixel off the right, 2 off the bottom).
    TRect ContentRect(const TCellVisual& Visual, const TRect& Rect) const;

    // Makes the property object of a cell (descendants may use a class of their own).
    virtual TCellProperties* CreateCellProperties(int ACol, int ARow) { return new TCellProperties(this, ACol, ARow); }
    // Columns kept in the store beyond ColCount (the grid control's hidden columns).
    virtual int HiddenStoreCols() const { return 0; }
    // Whether a cell's object is a grid cell object that the cell frees with its properties.
    virtual bool OwnsCellGraphic(TObject* Graphic) const;

    int StoreCols() const { return FStore.empty() ? FStoreCols : static_cast<int>(FStore.front().size()); }
    int StoreRows() const { return static_cast<int>(FStore.size()); }
    bool InStore(int ACol, int ARow) const { return ACol >= 0 && ARow >= 0 && ARow < StoreRows() && ACol < StoreCols(); }
    TCellSlot* Slot(int ACol, int ARow) { return InStore(ACol, ARow) ? &FStore[ARow][ACol] : nullptr; }
    const TCellSlot* Slot(int ACol, int ARow) const { return InStore(ACol, ARow) ? &FStore[ARow][ACol] : nullptr; }
    // Fits the store to RowCount rows and ColCount + HiddenStoreCols() columns; what is dropped
    // is freed.
    void FitStore();
    // A whole stored row (texts and objects; every store column).
    TStoredRow& StoredRow(int ARow) { return FStore[ARow]; }
    // Whole rows leave and join the store by move (hiding and showing rows), so that no cell is
    // made or copied on the way. AppendEmptyRows adds Count rows without cells, which the caller
    // fills whole before anything reads them and before RowCount takes them in; DropMovedRows
    // cuts the store at First, after the rows from there on were moved out (the store keeps one
    // row, given blank cells when it was moved out too).
    void AppendEmptyRows(int Count);
    void DropMovedRows(int First);
    // std::rotate of the rows First .. Last - 1 (cells and heights) so that row Middle comes
    // first: block insertions and removals move every row once.
    void RotateRows(int First, int Middle, int Last);
    // The pixel rectangle of a cell computed from the widths and heights (valid, possibly
    // negative, also for cells out of view).
    TRect RectFromSizes(int c, int r);

    bool FCellDefaultDrawing = false;
    int FDrawnLineWidth = 1;
    TColor FGridLineColor = clSilver;
    TColor FGridFixedLineColor = clGray;
    int FPaintID = 1;
    bool FCustomSelect = true;
    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    int FHoverRowIdx = -1;
    bool FHoverRow = false;
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    int FMergeCount = 0;

private:
    const TCellProperties* PropsAt(int ACol, int ARow) const
    {
        const TCellSlot* slot = Slot(ACol, ARow);
        return slot ? slot->Props : nullptr;
    }
    std::vector<TStoredRow> FStore;
    int FStoreCols = 0;
};
