#pragma once
// The framework's grids. TCustomGrid is a window of cells in rows and columns: fixed rows and
// columns that stay in place, a scrollable area behind them, a current cell with a selection
// anchored to it, keyboard and mouse navigation, sizing and moving of rows and columns with the
// mouse, and an in-place editor shown over the current cell. It paints through the virtual
// DrawCell and asks its virtual protocol (SelectCell, CanEditShow, GetEditText ...) before it
// acts, so that descendants change only what they override. TCustomDrawGrid/TDrawGrid turn the
// protocol into events, TCustomStringGrid gives every view of a cell one set of virtual
// accessors, TStringGrid keeps a text and an object per cell, and TInplaceEdit is the
// masked edit the grid shows over the cell being edited.
//
// The sources are split by concern: GridCore (dimensions, geometry, current cell, selection),
// GridPaint, GridScroll (view and scroll bars), GridInput (keys, mouse, wheel, sizing, moving),
// GridEdit (the grid's side of editing), InplaceEdit, DrawGrid and StringGrid.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/MaskEdit.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/system/Exceptions.h"
#include "framework/classes/StringList.h"

KVL_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

// Registers the published properties of the grid classes for the form reader (GridsProperties.cpp).
void RegisterGridsClasses();

class TCustomGrid;

// A cell position: X the column, Y the row.
struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A block of cells, both corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    TGridCoord TopLeft() const { return {Left, Top}; }
    TGridCoord BottomRight() const { return {Right, Bottom}; }
    bool operator==(const TGridRect&) const = default;
};

inline TGridRect GridRect(TGridCoord Coord1, TGridCoord Coord2)
{
    TGridRect r;
    r.Left = Coord1.X < Coord2.X ? Coord1.X : Coord2.X;
    r.Right = Coord1.X < Coord2.X ? Coord2.X : Coord1.X;
    r.Top = Coord1.Y < Coord2.Y ? Coord1.Y : Coord2.Y;
    r.Bottom = Coord1.Y < Coord2.Y ? Coord2.Y : Coord1.Y;
    return r;
}

inline bool PointInGridRect(int Col, int Row, const TGridRect& Rect)
{
    return Col >= Rect.Left && Col <= Rect.Right && Row >= Rect.Top && Row <= Rect.Bottom;
}

enum TGridOption {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
    goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
    goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TEnumSet<TGridOption>;

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TEnumSet<TGridDrawStateFlag>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TGridScrollDirectionFlag { sdLeft, sdRight, sdUp, sdDown };
using TGridScrollDirection = TEnumSet<TGridScrollDirectionFlag>;

// How fixed cells are filled: flat in FixedColor, or a vertical gradient from
// GradientStartColor to GradientEndColor. Themed fixed cells are painted as classic ones.
enum TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };

// One axis of the layout as it is on the screen now (columns: Horz, rows: Vert).
struct TGridAxisDrawInfo {
    int EffectiveLineWidth = 0;  // GridLineWidth when lines are drawn on this axis, else 0
    int FixedBoundary = 0;       // end of the fixed cells (their lines included)
    int GridBoundary = 0;        // end of the last cell drawn (the extent when it is cut)
    int GridExtent = 0;          // client width or height
    int LastFullVisibleCell = 0; // last cell seen whole (the first scrollable one at least)
    int FullVisBoundary = 0;     // end of LastFullVisibleCell
    int FixedCellCount = 0;
    int FirstGridCell = 0;       // LeftCol or TopRow
    int GridCellCount = 0;       // ColCount or RowCount
    std::function<int(int Index)> GetExtent;
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

// The sizes of a grid's rows (or columns) and the sums of runs of them. A grid of a million rows
// scrolled to its middle needs the height above its top row on every paint: the sums come from a
// Fenwick tree, built on the first sum after the sizes were rearranged and kept up to date by
// single changes and by growing or shrinking at the end, so a sum costs O(log n).
class TGridExtents {
public:
    int operator[](int Index) const { return FSizes[static_cast<size_t>(Index)]; }
    int Size() const { return static_cast<int>(FSizes.size()); }
    void Set(int Index, int Value);
    void Assign(int Count, int Value);
    // Entries added at the end take Value.
    void Resize(int Count, int Value);
    void Move(int FromIndex, int ToIndex);
    // As std::rotate over [First, Last): Middle becomes First.
    void Rotate(int First, int Middle, int Last);
    // The sizes of From .. To - 1 added up; the indexes are clamped to the entries, an empty or
    // reversed run is 0.
    long long Sum(int From, int To) const;
    // Changes with every change of the sizes: equal versions mean equal sizes.
    unsigned Version() const { return FVersion; }

private:
    long long Prefix(int Count) const;
    void BuildTree() const;
    void GrowTree() const;

    std::vector<int> FSizes;
    // FTree covers FSizes' first FTree.size() entries; while FTreeValid is false it is rebuilt.
    mutable std::vector<long long> FTree;
    mutable bool FTreeValid = false;
    unsigned FVersion = 0;
};

class TInplaceEdit;

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // ---- Dimensions ------------------------------------------------------------------------
    // The counts, the current cell and the settings that descendants re-define are virtual, so
    // that a grid answers the same through any pointer to it.
    int ColCount() const { return FColCount; }
    // Below 1 becomes 1; a count at or below FixedCols lowers FixedCols to count - 1.
    virtual void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    virtual void SetRowCount(int Value);
    virtual int FixedCols() const { return FFixedCols; }
    // EInvalidGridOperation "Fixed column count must be less than column count"; resets the
    // view, the current cell and the selection to the first scrollable cell.
    virtual void SetFixedCols(int Value);
    virtual int FixedRows() const { return FFixedRows; }
    virtual void SetFixedRows(int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    // Every column takes the new width.
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    virtual void SetDefaultRowHeight(int Value);
    // EInvalidGridOperation "Grid index out of range" for an index outside the count.
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    // The widths of columns From .. To - 1 (heights of rows From .. To - 1) added up, without
    // grid lines; indexes outside the grid count nothing.
    long long ColWidthsSum(int From, int To) const { return FColWidths.Sum(From, To); }
    long long RowHeightsSum(int From, int To) const { return FRowHeights.Sum(From, To); }
    // Columns that Tab stops at (all by default).
    bool TabStops(int Index) const;
    void SetTabStops(int Index, bool Value);
    virtual int GridLineWidth() const { return FGridLineWidth; }
    virtual void SetGridLineWidth(int Value);
    // The width and height of all cells with their lines, cut at the client area.
    int GridWidth();
    int GridHeight();

    // ---- Current cell, selection and view --------------------------------------------------
    int Col() const { return FCurrent.X; }
    // Moves the current cell (and the anchor); "Grid index out of range" outside the counts.
    virtual void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    virtual void SetRow(int Value);
    // The block between the current cell and the anchor.
    TGridRect Selection() const;
    // The anchor goes to the top-left corner and the current cell to the bottom-right one.
    void SetSelection(const TGridRect& Value);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);
    int TopRow() const { return FTopLeft.Y; }
    virtual void SetTopRow(int Value);
    // The scrollable columns (rows) seen whole, at least one.
    int VisibleColCount();
    int VisibleRowCount();
    TGridState GridState() const { return FGridState; }

    // ---- Looks and behaviour ---------------------------------------------------------------
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    virtual bool DefaultDrawing() const { return FDefaultDrawing; }
    virtual void SetDefaultDrawing(bool Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TGridDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TGridDrawingStyle Value);
    TColor GradientStartColor() const { return FGradientStartColor; }
    void SetGradientStartColor(TColor Value);
    TColor GradientEndColor() const { return FGradientEndColor; }
    void SetGradientEndColor(TColor Value);

    // ---- Editing ---------------------------------------------------------------------------
    bool EditorMode() const { return FEditorMode; }
    // True shows the editor over the current cell (when CanEditShow allows) with the caret at
    // the end; False hides it.
    void SetEditorMode(bool Value);
    // Null until the grid first needed its editor.
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
    void ShowEditor();
    void HideEditor();
    // Shows the editor and types Ch into it (posted, so it arrives after the text is loaded).
    void ShowEditorChar(wchar_t Ch);
    // Loads the editor again from the current cell.
    void InvalidateEditor();

    // ---- Geometry --------------------------------------------------------------------------
    // The cell's rectangle in client coordinates without its lines, cut at the client area;
    // (0, 0, 0, 0) for a cell out of view or outside the counts.
    TRect CellRect(int ACol, int ARow);
    // The rectangle of a block of cells (the part in view).
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom);
    // The cell under a client point; -1, -1 outside every cell.
    void MouseToCell(int X, int Y, int& ACol, int& ARow);
    TGridCoord MouseCoord(int X, int Y);
    void CalcDrawInfo(TGridDrawInfo& DrawInfo);
    void CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight);
    void CalcFixedInfo(TGridDrawInfo& DrawInfo);
    TGridCoord CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo);
    // The largest top-left cell that still shows Coord at the bottom-right of the view.
    TGridCoord CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& DrawInfo);
    void GridRectToScreenRect(TGridRect GridRect, TRect& ScreenRect, bool IncludeLine);

    // ---- Moving the current cell, rows and columns -----------------------------------------
    // Makes (ACol, ARow) current when SelectCell allows; MoveAnchor (or no goRangeSelect)
    // collapses the selection to it; Show scrolls it into view. "Grid index out of range".
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    // MoveColRow with Show, then the editor follows and Click runs.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    // Extends the selection to NewAnchor (goRangeSelect without goEditing), else moves there.
    void MoveAnchor(const TGridCoord& NewAnchor);
    void MoveTopLeft(int ALeft, int ATop);
    // Scrolls so that Coord is seen whole.
    void ClampInView(const TGridCoord& Coord);
    // Moves a column (row) with its width (height); the current cell follows; ColumnMoved.
    virtual void MoveColumn(int FromIndex, int ToIndex);
    virtual void MoveRow(int FromIndex, int ToIndex);
    // Moves the column (row) to the end and drops the last one.
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);
    // ACount DeleteRow (ARow) calls: the same RowMoved notifications in the same order, with
    // the rows (heights, and a descendant's rows through RowBlockToEnd) moved once.
    void DeleteRows(int ARow, int ACount);

    // ---- Invalidation ----------------------------------------------------------------------
    void InvalidateCell(int ACol, int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRow(int ARow);
    void InvalidateGrid() { Invalidate(); }
    // The whole window, once until it paints: a whole window already waiting for its paint is
    // not asked again (nor are the parents told again), so that a run of row operations costs
    // one invalidation, not one per row.
    void Invalidate() override;
    // The cells of a block (and their lines).
    void InvalidateRect(const TGridRect& ARect);

    // ---- Scrolling -------------------------------------------------------------------------
    void ScrollData(int DX, int DY);
    void ScrollDataInfo(int DX, int DY, TGridDrawInfo& DrawInfo);
    // The scroll bars follow LeftCol and TopRow (positions 0 .. 127).
    void UpdateScrollPos();
    // The scroll bars are shown when there is something to scroll; the view is kept inside.
    void UpdateScrollRange();
    // One scroll-bar action (SB_LINEUP ...), as the bars and the moving code send them.
    void ModifyScrollBar(UINT ScrollBar, UINT ScrollCode, UINT Pos, bool UseRightToLeft);
    // Extends the selection one cell towards Direction (selecting beyond the view).
    void TimedScroll(TGridScrollDirection Direction);

    // ---- The virtual protocol --------------------------------------------------------------
    void Paint() override;
    // Paints one cell into ARect (its lines are painted by the grid).
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
    // May (ACol, ARow) become the current cell.
    virtual bool SelectCell(int ACol, int ARow);
    // May the editor show now: goEditing without goRowSelect, editor mode, a window, and the
    // focus (or goAlwaysShowEditor).
    virtual bool CanEditShow();
    virtual bool CanEditModify();
    virtual bool CanEditAcceptKey(wchar_t Key);
    virtual bool CanGridAcceptKey(WORD Key, TShiftState Shift);
    virtual TInplaceEdit* CreateEditor();
    virtual String GetEditText(int ACol, int ARow);
    // Called with the editor's text whenever it changes and when the edit ends.
    virtual void SetEditText(int ACol, int ARow, const String& Value);
    // The editor's MaxLength (0: no limit).
    virtual int GetEditLimit();
    virtual String GetEditMask(int ACol, int ARow);
    // After LeftCol or TopRow changed (the editor is moved or hidden with its cell).
    virtual void TopLeftChanged();
    // After ColCount or RowCount changed.
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // DeleteRows moves the rows ARow .. ARow + ACount - 1 to the end at once; the RowMoved
    // notifications that follow (RowMovesDone true) must not move them again.
    virtual void RowBlockToEnd(int ARow, int ACount) {}
    bool RowMovesDone() const { return FRowMovesDone; }
    // True while the window draws nothing and a whole repaint is due anyway (an update lock):
    // invalidating cells one by one would only cost time then.
    virtual bool InvalidationSuspended() const { return false; }
    // Which sizing (if any) a press at (X, Y) would start, and where.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                 TGridDrawInfo& FixedInfo);
    // The dotted line shown (and removed, by XOR) while a row or column is sized.
    virtual void DrawSizingLine(const TGridDrawInfo& DrawInfo);
    // The wide dotted line that marks where a moved row or column would land.
    virtual void DrawMove();
    // Column and row moving: may it start, may it go to Destination, may it end there.
    virtual bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool CheckColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool CheckRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    // Ends a sizing, moving or selecting drag.
    virtual void CancelMode();

    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // One wheel notch moves the current row.
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void DoExit() override;
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    // Keeps what the grid knows of its window (waiting for a paint, what its scroll bars show)
    // in step with the messages that change it.
    void WndProc(TMessage& Message) override;

    // ---- Message handlers ------------------------------------------------------------------
    virtual void WMGetDlgCode(TMessage& Message);
    virtual void WMTimer(TMessage& Message);
    void WMChar(TMessage& Message) override;
    void WMCommand(TMessage& Message) override;
    void WMHScroll(TMessage& Message) override;
    void WMVScroll(TMessage& Message) override;
    void WMSetCursor(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMCancelMode(TMessage& Message) override;
    virtual void CMCancelMode(TMessage& Message);
    virtual void CMWantSpecialKey(TMessage& Message);
    void CMFontChanged(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;

protected:
    // Current cell, anchor and view back to the first scrollable cell.
    void Initialize();
    void ChangeSize(int NewColCount, int NewRowCount);
    // The view moved from OldTopLeft: scroll bars, the window's pixels, TopLeftChanged.
    void TopLeftMoved(const TGridCoord& OldTopLeft);
    void SelectionMoved(const TGridRect& OldSel);
    void MoveAndScroll(int Mouse, int CellHit, TGridDrawInfo& DrawInfo, bool Horizontal, const TPoint& MousePt);
    // Picks up a column (row) for moving when Begin*Drag allows; true when the move line shows.
    bool StartMoveDrag(bool Columns, int Index, const TPoint& MousePt);
    // The window of the grid or its editor has the focus (the form's active control).
    bool IsActiveControl();
    // Takes the focus before scrolling; false when it could not.
    bool AcquireFocus();
    void UpdateEdit();
    void HideEdit();
    void UpdateText();
    // Escape: the cell gets back the text the edit started with and the editor closes (with
    // goAlwaysShowEditor it stays, with that text selected).
    void CancelEdit();
    void ResizeCol(int Index, int OldSize, int NewSize);
    void ResizeRow(int Index, int OldSize, int NewSize);
    [[noreturn]] static void InvalidOp(const String& Message);
    // Whoever sets the window's scroll bars other than UpdateScrollRange and UpdateScrollPos
    // calls this afterwards: the grid asks the window again instead of trusting what it set.
    void ForgetScrollBars();

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TGridExtents FColWidths;
    TGridExtents FRowHeights;
    std::vector<bool> FTabStops;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    bool FDefaultDrawing = true;
    TColor FFixedColor = clBtnFace;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    TGridDrawingStyle FDrawingStyle = gdsClassic;
    TColor FGradientStartColor = clWhite;
    TColor FGradientEndColor = 0xDDDDDD;
    TGridCoord FCurrent;
    TGridCoord FAnchor;
    TGridCoord FTopLeft;
    TGridState FGridState = gsNormal;
    // Sizing: the row or column, the line's position and the press's offset from it.
    int FSizingIndex = -1;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    // Moving: the row or column picked up and where it would land.
    int FMoveIndex = -1;
    int FMovePos = -1;
    bool FEditorMode = false;
    TInplaceEdit* FInplaceEdit = nullptr;
    // The cell whose text the editor holds; -1 while it holds none.
    int FInplaceCol = -1;
    int FInplaceRow = -1;
    // The text the editor started with, for Escape.
    String FEditStartText;
    bool FCanEditModify = true;
    bool FAcquireFocus = true;
    bool FRowMovesDone = false;

private:
    friend class TInplaceEdit;

    // The inputs of the scroll bars other than the rows' count and heights.
    struct TScrollInputs {
        int ClientWidth = 0;
        int ClientHeight = 0;
        int ColCount = 0;
        int FixedCols = 0;
        int FixedRows = 0;
        TGridCoord TopLeft;
        int GridLineWidth = 0;
        TGridOptions Options;
        TScrollStyle ScrollBars = ssNone;
        unsigned ColWidthsVersion = 0;
        bool operator==(const TScrollInputs&) const = default;
    };
    TScrollInputs CurrentScrollInputs();
    // True when a change of rows since the last full update (to RowCount rows) cannot have
    // changed what the bars show: nothing else changed, the vertical bar scrolls and more than two screens of rows lie
    // below the top row (so the top row stays in range and the bar stays). Then the vertical
    // position is all that can differ.
    bool RowsChangeLeavesBars(const TScrollInputs& Inputs, int RowCount);
    // One step of DeleteRows: the count one lower.
    void ShrinkByOneRow();
    void SetBarPos(int Bar, int Value);

    // What the grid knows of its window. Scroll bars: what UpdateScrollRange and UpdateScrollPos
    // last set (-1: not known, ask the window); SB_HORZ and SB_VERT index them.
    struct TGridWindowState {
        bool WholeInvalid = false;
        int BarMax[2] = {-1, -1};
        int BarPos[2] = {-1, -1};
        bool InputsKnown = false;
        TScrollInputs Inputs;
    };
    TGridWindowState FWindow;
};

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// The grid's protocol as events.
class TCustomDrawGrid : public TCustomGrid {
public:
    using TCustomGrid::TCustomGrid;

    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    String GetEditMask(int ACol, int ARow) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    void TopLeftChanged() override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TNotifyEvent OnTopLeftChanged;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
};

class TDrawGrid : public TCustomDrawGrid {
public:
    using TCustomDrawGrid::TCustomDrawGrid;
};

class TCustomStringGrid;

// One row or one column of a string grid as a list: its lines are the cells, the list's
// objects the cells' objects. A row has RowViewCount() lines, a column RowCount(); lines can be
// changed but not inserted or deleted.
class TStringGridStrings : public TStrings {
public:
    // Index >= 0: that row; Index < 0: column -Index - 1.
    TStringGridStrings(TCustomStringGrid* AGrid, int AIndex) : FGrid(AGrid), FIndex(AIndex) {}

    String Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObjectAt(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObjectAt(int Index, TObject* AObject) override;
    // Fills the first empty line (no text, no object); -1 when there is none.
    int Add(const String& S) override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    // Empties every line.
    void Clear() override;
    // Writes the source's lines and objects into the first lines (no more than there are).
    void Assign(TPersistent* Source) override;

protected:
    void SetUpdateState(bool Updating) override;

private:
    void CellOf(int Index, int& ACol, int& ARow) const;
    TCustomStringGrid* FGrid;
    int FIndex;
};

// A grid of texts and objects without a store of its own. Every view of the cells (Cells,
// Objects, the Rows and Cols lists, the editor's text, the default drawing) goes through the
// four virtual accessors, so a descendant that keeps its cells elsewhere overrides those and
// every view sees its store.
class TCustomStringGrid : public TDrawGrid {
public:
    using TDrawGrid::TDrawGrid;
    ~TCustomStringGrid() override;

    virtual String Cells(int ACol, int ARow) = 0;
    virtual void SetCells(int ACol, int ARow, const String& Value) = 0;
    virtual TObject* Objects(int ACol, int ARow) = 0;
    virtual void SetObjects(int ACol, int ARow, TObject* Value) = 0;
    // The lines of a row view (ColCount here; a store with columns beyond the count says so).
    virtual int RowViewCount() { return ColCount(); }
    // Views of one column or row ("Grid index out of range" for a negative index).
    TStrings* Cols(int Index);
    void SetCols(int Index, TStrings* Value);
    TStrings* Rows(int Index);
    void SetRows(int Index, TStrings* Value);

    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;

protected:
    friend class TStringGridStrings;
    // A write repaints the cell unless a list view is being updated (the grid repaints at the end).
    void CellChanged(int ACol, int ARow);
    void BeginListUpdate();
    void EndListUpdate();

    int FListUpdate = 0;
    // Non-zero while the editor's own text is being written back into its cell.
    int FEditUpdate = 0;
    std::vector<std::unique_ptr<TStringGridStrings>> FRowLists;
    std::vector<std::unique_ptr<TStringGridStrings>> FColLists;
};

// A grid that keeps a text and an object for every cell inside its counts. Cells outside the
// counts read "" and nil and ignore writes; shrinking the grid drops what lies beyond.
class TStringGrid : public TCustomStringGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    String Cells(int ACol, int ARow) override;
    // Stores and repaints the cell (the editor follows when it shows that cell).
    void SetCells(int ACol, int ARow, const String& Value) override;
    TObject* Objects(int ACol, int ARow) override;
    void SetObjects(int ACol, int ARow, TObject* Value) override;

    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;

protected:
    struct TCellData {
        String Text;
        TObject* Object = nullptr;
    };
    bool InRange(int ACol, int ARow) const
    {
        // The storage follows the counts in SizeChanged: until then only what both cover exists.
        return ACol >= 0 && ARow >= 0 && ACol < FColCount && ARow < FRowCount && ACol < FDataCols && ARow < FDataRows;
    }
    TCellData& Data(int ACol, int ARow) { return FData[static_cast<size_t>(ARow) * FDataCols + ACol]; }
    const TCellData& Data(int ACol, int ARow) const { return FData[static_cast<size_t>(ARow) * FDataCols + ACol]; }

    std::vector<TCellData> FData;
    int FDataCols = 0;
    int FDataRows = 0;
};

// The editor a grid shows over its current cell: a borderless masked edit living in the grid's
// window. Its window is multi-line so that setting its text does not notify, and shows and
// hides itself with SetWindowPos instead of through Visible. Keys that move between cells (and
// Escape, F2, Tab) go back to the grid's KeyDown; Enter goes to the grid's KeyPress.
class TInplaceEdit : public TCustomMaskEdit {
public:
    explicit TInplaceEdit(TComponent* AOwner);

    TCustomGrid* Grid() const { return FGrid; }
    void SetGrid(TCustomGrid* Value) { FGrid = Value; }

    // Caret after the text, nothing selected.
    void Deselect();
    // Hides the window (the focus goes back to the grid when the editor had it).
    void Hide();
    void Invalidate() override;
    // Places the window over Loc and shows it (an empty Loc hides it); redraws it.
    void Move(const TRect& Loc);
    // The same without forcing a redraw of a window that already shows.
    void UpdateLoc(const TRect& Loc);
    bool PosEqual(const TRect& Rect);
    void SetFocus() override;
    // The window shows.
    bool Visible();

    // Text, mask and length limit from the grid's current cell.
    virtual void UpdateContents();
    // After the window was placed: the formatting rectangle inside it.
    virtual void BoundsChanged();

    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    bool EditCanModify() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void CMShowingChanged(TMessage& Message) override;
    virtual void WMGetDlgCode(TMessage& Message);
    // Which of Tab, the arrows, Enter and Escape the editor keeps from the form (the edit's answer).
    virtual void CMWantSpecialKey(TMessage& Message);

protected:
    void InternalMove(const TRect& Loc, bool Redraw);

    friend class TCustomGrid;
    TCustomGrid* FGrid = nullptr;
    DWORD FClickTime = 0;
};
