#pragma once
// Unit AdvGrid: TAdvStringGrid, the grid control of the system, and the unit-wide state all grids
// share (the call-window-procedure hook that keeps the current grid's focus frame on its cell,
// the registered clipboard format and window messages).
//
// The sources are split by concern: AdvGridCore (unit start-up, construction, lifecycle, window
// procedure, timer, focus frame, update lock and hints), AdvGridDimensions (dimension and look
// properties), AdvGridHidden (hidden rows and columns, display and real indexes, the current and
// top row), AdvGridStructure (clearing, inserting and removing rows and columns, merging by text,
// the cell-change notification), AdvGridLook (cell look accessors, zoom, sizing permission, the
// pan marker, controls in cells), AdvGridCellAccess (cells by real row, the current cell, the sort
// cross-reference), AdvGridHooks (display hooks), AdvGridHeaders (header lists), AdvGridFilter
// (filtering), AdvGridAutoSize (automatic sizing), AdvGridScroll (proportional scroll bars),
// AdvGridBalloon (the balloon tooltip), AdvGridDragImage (the picture of dragged cells) and
// AdvGridProperties (the published properties for the form reader).
//
// Indexes: rows are display rows (hidden rows are moved out of the grid into a store of
// TGridItem) unless an operation says real row; cell access by column (Cells, properties) takes
// real columns (hidden columns stay in the cell store at their index), painting and navigation
// display columns.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/comctrls/UpDown.h"
#include "framework/controls/Forms.h"
#include "framework/stdctrls/ScrollBar.h"
#include "grid/control/AdvGridSettings.h"
#include "grid/foundation/AdvHintInfo.h"
#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/PictureContainer.h"

struct TRadioGlyphLook;
struct TCellMarkupOptions;

enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum THoverFixedCells { hfNone, hfFixedRows, hfFixedColumns, hfAll };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };

using TCellsChangedEvent = std::function<void(TObject* Sender, TRect R)>;
using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TComboChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection)>;
using TComboObjectChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection, TObject* AObject)>;
using TComboCloseUpEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& HintStr)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& HintStr)>;
using TGridColorEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGridAlignEvent = std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TWordWrapEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& WordWrap)>;
using TGridGradientEvent = std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo,
                                              TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen,
                                                TPen* RightPen, TPen* BottomPen)>;
using TFloatFormatEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, String& FloatFormat)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using THasComboEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasSpinEdit)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TRowSizeEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& NewUnit)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& Anchor)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, int ARow, bool& AcceptRow)>;
using TFilterProgressEvent = std::function<void(TObject* Sender, int Progress)>;
using TFilterSelectEvent =
    std::function<void(TObject* Sender, int Column, int ItemIndex, const String& FriendlyName, String& FilterCondition)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStrings* Filter)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;

// ---- Unit-wide state ---------------------------------------------------------------------------

// The unit's start-up: OLE for the thread, the call-window-procedure hook, the date-picker flag
// and the registered clipboard format and messages. Runs once (the first grid runs it too).
void AdvGridInitialization();
// The unit's shut-down: OLE released, the hook removed.
void AdvGridFinalization();
UINT GridCellsClipboardFormat();
// "GridEditDone": posted to a grid (WParam column, LParam row) when an edit is done.
UINT GridEditDoneMessage();
UINT DTPShiftFocusMessage();
// The common controls are newer than 4.69 (date editors usable).
bool GridDatePickersAvailable();
// The grid whose focus frame shows, or null.
TAdvStringGrid* FocusFrameGrid();
// The next item of a radio group cell (the Space key): asks the can-edit hook when ByUser, wraps
// after the last item and writes the item into the cell.
void SelectNextRadio(TAdvStringGrid* Grid, int ACol, int ARow, bool ByUser);
// Registers the grid's published classes and types with the form reader (once).
void RegisterGridClasses();

class TAdvStringGrid : public TBaseGrid {
public:
    explicit TAdvStringGrid(TComponent* AOwner);
    ~TAdvStringGrid() override;

    // ---- Lifecycle -------------------------------------------------------------------------
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Resize() override;
    void Invalidate() override;
    // From another TAdvStringGrid: its settings, then its cells; other sources are ignored.
    void Assign(TPersistent* Source) override;
    virtual void AssignCells(TPersistent* Source);
    TInplaceEdit* CreateEditor() override;
    String GetEditMask(int ACol, int ARow) override;

    // ---- Cell painting (AdvGridPaint) ------------------------------------------------------
    // Draws a cell's content into the rectangle the base grid left inside the lines, through the
    // painters in order: fixed-cell fill, text, fixed-cell edges, OnDrawCell, focus rectangle.
    void DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    // The one place that decides a cell's brush, gradient, font, alignment and word wrap, in a
    // fixed order of precedence (GetVisualProperties hands out the same decision in pieces).
    void GetCellVisual(int ACol, int ARow, bool Print, bool Select, bool Remap, TBrush* ABrush, TFont* AFont,
                       TCellVisual& Visual) override;
    // A new cell's properties start from the cell's current look; fixed, banded, gradient-backed
    // and selected cells get no brush colour of their own, so they keep following the grid.
    void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                         TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TCellGradientDirection& GD) override;
    // The font-only part of GetVisualProperties.
    void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush, bool Remap);
    // The text that is drawn for a cell (ACol a real column).
    virtual String GetFormattedText(int ACol, int ARow);
    // The effective alignment of a cell (ACol a real column).
    void GetCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA);
    virtual void DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    // The colour hook of printed cells (OnGetCellPrintColor).
    virtual void DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    // A password cell shows PasswordChar for every character of its text.
    virtual bool DoIsPasswordCell(int ACol, int ARow);
    // Whether a cell shows a combo button (spin buttons) while no editor is open.
    virtual bool DoHasComboBox(int ACol, int ARow);
    virtual bool DoHasSpinEdit(int ACol, int ARow);
    virtual void DoGetAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA);
    virtual void DoGetWordWrap(int ACol, int ARow, bool& WW);
    // Whether a display cell is painted as fixed: fixed rows and columns, footers, right fixed columns.
    bool IsFixedForPaint(int ACol, int ARow);
    // Sel when Mix is off; else the two colours multiplied per component.
    static TColor MixSelectionColor(TColor Sel, TColor Cell, bool Mix);
    // A cell's graphic and how it shares the cell with the text: the graphic's painted size, whether
    // the text is drawn at all, and where the graphic stands (ACol a real column).
    struct TCellGraphicLayout {
        TCellGraphic* Graphic = nullptr;
        int Width = 0, Height = 0;
        bool DrawText = true;
        TCellHAlign HAlign = haLeft;
        TCellVAlign VAlign = vaTop;
    };
    TCellGraphicLayout GetCellGraphicLayout(int ACol, int ARow);
    // The size a cell's text needs (ACol a real column): VS measures the wrapped height at the
    // cell's width, SB leaves room for a 17-pixel button; rotated cells measure their turned box.
    TSize GetCellTextSize(int ACol, int ARow, bool VS, bool SB);
    // The same for real column ACol shown at display column DCol.
    TSize CalcCellTextSize(int ACol, int DCol, int ARow, bool VS, bool SB);

    // ---- Grid painting around the cells (AdvGridPaintGrid) --------------------------------
    // The cells, then the edited cell's frame, the empty area's background and OnPainted.
    void Paint() override;
    // The background picture or gradient in the client area beyond the last column and row.
    void PaintOuterBackground();
    // The sort indicator of header column ACol (a real column) about (X, Y).
    void DrawSortIndicator(TCanvas* Canvas, int ACol, int X, int Y);
    // Dotted XOR lines while a column or row is sized: drawing the same line again removes it.
    void DrawColSizingLine(int X);
    void DrawRowSizingLine(int Y);
    void WMNCPaint(TMessage& Message) override;
    // The one-pixel border of the modern looks, drawn over the system's edge.
    void PaintThemedBorder();

    // ---- Cell look accessors (AdvGridLook) -------------------------------------------------
    // ACol is a real column; each setter repaints the cell (or row) it changes.
    void SetCellBrushColor(int ACol, int ARow, TColor Value);
    void SetCellBrushColorTo(int ACol, int ARow, TColor Value);
    void SetCellFontColor(int ACol, int ARow, TColor Value);
    void SetCellAlignment(int ACol, int ARow, TAlignment Value);
    // clNone for a cell without properties (none is made).
    TColor GetCellBrushColor(int ACol, int ARow);
    // clNone removes the properties of the row's normal cells (all of them, for the brush colours;
    // for the font colour only those without a brush colour of their own).
    void SetRowBrushColor(int ARow, TColor Value);
    void SetRowBrushColorTo(int ARow, TColor Value);
    void SetRowFontColor(int ARow, TColor Value);
    // The cell's text without its markup.
    String GetCellPlainText(int ACol, int ARow);
    // Grows fonts, column widths and row heights by X pixels; ZoomFactor stays within -10 .. 10.
    void Zoom(int X);
    // The version number's four bytes, most significant first: "5.8.0.2"; the version string adds
    // the release date ("5.8.0.2 Mar, 2011"). Writing Version does nothing (a stored value is ignored).
    int GetVersionNr() const;
    String GetVersionString() const;
    String Version() const;
    void SetVersion(const String&) {}
    // The read-only flag of a cell (its properties are made when missing) and the control placed
    // in it (none without properties).
    bool GetCellReadOnly(int ACol, int ARow);
    TControl* GetCellControl(int ACol, int ARow);
    // A picture of the cells ARect spans (display cells), on a translucent form that never takes
    // the focus, owned by the grid and returned hidden (drag and move images).
    TNoActiveForm* SelectionToForm(TGridRect ARect);
    // The 32 x 32 marker at the middle-button pan origin, drawn by the pan direction it allows.
    void DrawPanMarker();
    void InvalidatePanMarker();
    // Remembers every column's width and the grid's width, the reference of proportional sizing.
    void InitOrigColSizes();
    // An automatic in-cell scroll bar follows the text: page the row height, range the text height.
    void CellTextUpdated(int ACol, int ARow) override;
    // Gives a control placed in a cell the grid's window procedure: with goTabs the control also
    // takes arrows, Tab and characters, so the keys reach it instead of moving between cells.
    void InstallCellControlProc(TWinControl* Control);
    // The framework's sizing decision, which OnColumnSize (fixed rows) and OnRowSize (fixed
    // columns) may refuse.
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                         TGridDrawInfo& FixedInfo) override;

    // ---- Cells by real row, the current cell, the sort order (AdvGridCellAccess) ----------
    // Real rows reach hidden rows too: their cells are read from the hidden-row store.
    String GetCellAtRealRow(int ACol, int RealRow);
    TObject* GetObjectAtRealRow(int ACol, int RealRow);
    // The cells kept for a hidden real row; null when the row is shown.
    TStringList* HiddenRowStrings(int RealRow) const;
    // The raw text of the current cell, or of the base cell of its merged area.
    String CurrentCell();
    void SetCurrentCell(const String& Value);
    // The same through the cell text accessors (the in-place editors use these).
    virtual String GetCurrentCellText();
    virtual void SetCurrentCellText(const String& Value);
    // Display row to the real row it was before sorting, and back.
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const;
    TIntList* SortRowXRef() const { return FSortRowXRef.get(); }

    // ---- Column and row headers (AdvGridHeaders) --------------------------------------------
    // The header lists' entries written into row 0 (column 0); only with fixed rows (columns).
    void ShowColumnHeaders();
    void ClearColumnHeaders();
    void SetColumnHeaders(TStringList* Value);
    void ShowRowHeaders();
    void ClearRowHeaders();
    void SetRowHeaders(TStringList* Value);
    // Called before the column headers are written again after their list changed.
    virtual void BeforeShowHeaders();

    // ---- Balloon tooltip (AdvGridBalloon) ---------------------------------------------------
    // Sets the balloon window up once (until BalloonDone) when the grid has its window.
    void BalloonInit();
    void BalloonDone();
    HWND BalloonWindow() const { return FToolTip; }

    // ---- Filtering (AdvGridFilter) -----------------------------------------------------------
    // Whether a display row passes the conditions (then OnCustomFilter may decide otherwise).
    virtual bool MatchFilterRow(int ARow);
    // Hides the display row when it fails.
    void FilterRow(int ARow);
    // Hides the rows that fail the conditions as one new filter level.
    void ApplyFilter();
    // Shows the rows of the top level again; true while more than one level remains.
    bool RemoveLastFilter();
    // Every level taken back (keeping the conditions); without levels the conditions go.
    void RemoveAllFilters();
    // Filters as the user types: one more letter narrows the shown rows, one less widens them.
    // AColumn -1 searches whole rows.
    void NarrowDown(const String& ACondition, int AColumn);
    // Fills FilterList with the column's values for its filter drop-down; true when it has any.
    virtual bool DoGetColumnFilter(int Column);
    // Takes over the entry picked in the column's filter drop-down.
    virtual void DoFilterSelect(TObject* Sender, int ItemIndex);
    virtual void DoFilterDone();
    // The column whose filter drop-down is open (-1 none).
    int FilterColumn() const { return FFilterCol; }
    void SetFilterColumn(int Value) { FFilterCol = Value; }
    TCustomFilterEvent OnCustomFilter;
    TFilterProgressEvent OnFilterProgress;
    TFilterSelectEvent OnFilterSelect;
    TGetColumnFilterEvent OnGetColumnFilter;
    TNotifyEvent OnFilterDone;

    // ---- Proportional scroll bars (AdvGridScroll) --------------------------------------------
    // With ScrollProportional the thumbs cover the part of the columns (rows) in view.
    void UpdateProportionalHorz();
    void UpdateProportionalVert();

    // ---- Automatic sizing (AdvGridAutoSize) ------------------------------------------------
    // Columns grow to their widest cell and rows to their highest (padding added to each).
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    // Each column sized to its widest cell, then Padding added, within MinColWidth .. MaxColWidth.
    void AutoSizeColumns(bool DoFixedCols, int Padding);
    void AutoSizeCol(int ACol, int Padding);
    void AutoSizeColumnWidth(int ACol, bool GrowOnly);
    int TotalXOffset() const;

    // ---- Display hooks (AdvGridHooks) ------------------------------------------------------
    // Footer rows and right fixed columns are fixed; else DoIsFixedCell decides for the base cell.
    bool IsFixed(int ACol, int ARow) override;
    virtual void DoIsFixedCell(int ACol, int ARow, bool& IsFixed);
    TIsFixedCellEvent OnIsFixedCell;
    TColumnSizeEvent OnColumnSize;
    TRowSizeEvent OnRowSize;
    // The unit edit-button editor's change of unit, reported for the current cell.
    void UnitChanged(TObject* Sender, const String& NewUnit);
    TUnitChangedEvent OnUnitChanged;
    TAnchorHintEvent OnAnchorHint;

    // The form's resize handler the grid installs (SizeWithForm, then the form's own handler).
    void FormResize(TObject* Sender);

    // ---- Update lock -----------------------------------------------------------------------
    // While locked the grid paints nothing; the EndUpdate that unlocks repaints it once. Both do
    // nothing on an invisible grid.
    void BeginUpdate();
    void EndUpdate();
    // Lock and unlock without stopping redraw and without the final repaint.
    void StartUpdate();
    void ResetUpdate();
    bool LockUpdate() const { return FUpdate.Count != 0; }
    void SetLockUpdate(bool Value);
    int UpdateCount() const { return FUpdate.Count; }

    // ---- Window procedure and messages -----------------------------------------------------
    void WndProc(TMessage& Message) override;
    void WMTimer(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMSetCursor(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMHintShow(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMCursorChanged(TMessage& Message) override;
    void DoEnter() override;
    void DoExit() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void ResetFixedCellHighlight();
    // The wheel turned (rows moved, as far as the grid moved them); Handled starts True.
    virtual void ScrollHook(int RowsMoved, bool& Handled);
    virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    virtual void DoGridHint(int ACol, int ARow, String& WideHint, String& HintText);
    int TimerTicks() const { return FTimer.Ticks; }
    bool GridBlink() const { return FTimer.Blink; }
    UINT WheelMessage() const { return FWheel.Message; }
    int WheelLines() const { return FWheel.Lines; }
    bool Panning() const { return FWheel.Panning; }

    // ---- Focus frame -----------------------------------------------------------------------
    TGridFocusWindow* FocusWindow() const { return FFocusWindow; }
    // The frame round the current cell: 4 pixels outside it, in screen coordinates.
    void MoveFocusFrame();
    void ShowFocusFrame(TRect R);
    void HideFocusFrame();

    // ---- Dimensions (counts are display counts) --------------------------------------------
    void SetRowCount(int Value) override;
    void SetColCount(int Value) override;
    void SetCol(int Value) override;
    // With FixedRowAlways a grid without fixed rows still answers 1 (FixedColAlways likewise).
    int FixedRows() const override;
    void SetFixedRows(int Value) override;
    int FixedCols() const override;
    void SetFixedCols(int Value) override;
    int AllRowCount() const { return RowCount() + NumHiddenRows(); }
    int AllColCount() const { return ColCount() + NumHiddenColumns(); }
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value);
    void SetDefaultRowHeight(int Value) override;
    // A scaled form scales the grid's fixed and active-cell fonts with the grid.
    void ChangeScale(int M, int D) override;
    int FixedColWidth();
    void SetFixedColWidth(int Value);
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    bool WordWrap() const { return FWordWrapEx; }
    void SetWordWrap(bool Value);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    // The DrawText vertical flag of VAlignment: 0, DT_VCENTER or DT_BOTTOM.
    UINT VAlign() const { return FVAlign; }
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    // The colours of highlighted markup (HI tags). The markup renderer keeps one pair for the
    // whole process: the grid that set them last decides for every grid.
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value);
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value);
    TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
    void SetSelectionMirrorColor(TColor Value);
    TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
    void SetSelectionMirrorColorTo(TColor Value);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    bool SelectionColorMixer() const { return FSelectionColorMixer; }
    void SetSelectionColorMixer(bool Value);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value);
    bool SelectionResizer() const { return FSelectionResizer; }
    void SetSelectionResizer(bool Value);
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    int MaxEditLength() const { return FMaxEditLength; }
    void SetMaxEditLength(int Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool SpreadSheet() const { return FSpreadSheet; }
    void SetSpreadSheet(bool Value);
    int FilterDropDownRow() const { return FFilterRow; }
    void SetFilterDropDownRow(int Value);
    bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
    void SetFilterDropDownAuto(bool Value);
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    TColor QRXGradientFrom() const { return FQRXGradientFrom; }
    void SetQRXGradientFrom(TColor Value);
    TColor QRXGradientTo() const { return FQRXGradientTo; }
    void SetQRXGradientTo(TColor Value);
    TColor QRXGradientMirrorFrom() const { return FQRXGradientMirrorFrom; }
    void SetQRXGradientMirrorFrom(TColor Value);
    TColor QRXGradientMirrorTo() const { return FQRXGradientMirrorTo; }
    void SetQRXGradientMirrorTo(TColor Value);
    // The hovered and pressed fixed cells' gradients (the styles and the control look set them).
    TColor QRXGradientHoverFrom = clNone, QRXGradientHoverTo = clNone, QRXGradientHoverMirrorFrom = clNone,
           QRXGradientHoverMirrorTo = clNone, QRXGradientHoverBorder = clNone;
    TColor QRXGradientDownFrom = clNone, QRXGradientDownTo = clNone, QRXGradientDownMirrorFrom = clNone,
           QRXGradientDownMirrorTo = clNone, QRXGradientDownBorder = clNone;
    TCursor Cursor() const { return TBaseGrid::Cursor(); }
    void SetCursor(TCursor Value);
    int MaxRowCount() const { return FMaxRowCount; }
    int MaxColCount() const { return FMaxColCount; }

    // ---- Hidden rows and columns -----------------------------------------------------------
    void HideRow(int RowIndex) { HideRows(RowIndex, RowIndex); }
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    // Display rows, ascending, hidden as one filter level.
    void HideRowList(TIntList* RowList);
    void UnHideRow(int RowIndex);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    // Shows the rows of the top filter level again (the caller lowers the level).
    void UnHideRowList();
    bool IsHiddenRow(int RowIndex) const;
    bool IsHiddenRow(int RowIndex, std::unique_ptr<TIntList>& ListHidden) const;
    int NumHiddenRows() const { return FGridItems->Count(); }
    int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    int DisplToRealRow(int ARow) const;
    int RealToDisplRow(int ARow) const;
    int RealRowIndex(int ARow) const { return DisplToRealRow(ARow); }
    int DisplRowIndex(int ARow) const { return RealToDisplRow(ARow); }
    TGridItem* HiddenRowItem(int Index) const { return static_cast<TGridItem*>(FGridItems->Items(Index)); }
    int FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(int Value) { FFilterLevel = Value; }

    void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int ColIndex) const;
    int NumHiddenColumns() const { return FHiddenCols.Count; }
    int TotalColCount() const { return ColCount() + FHiddenCols.Count; }
    int DisplToRealCol(int ACol) const;
    int RealToDisplCol(int ACol) const;
    int RealColIndex(int ACol) const override { return DisplToRealCol(ACol); }
    int DisplColIndex(int ACol) override { return RealToDisplCol(ACol); }
    void SetColVisible(int ACol, bool Value);
    bool GetColVisible(int ACol) const;
    bool IsIgnoredColumn(int ACol) const { return IgnoreColumns->HasValue(ACol); }

    // The current row (display index); the setter fires OnRowChanged when the row changed.
    void SetRow(int Value) override { SetRowEx(Value); }
    int GetRowEx() const { return TBaseGrid::Row(); }
    void SetRowEx(int Value);
    void SetTopRow(int Value) override { SetTopRowEx(Value); }
    int GetTopRowEx() const { return TBaseGrid::TopRow(); }
    // Only FixedRows .. RowCount - 1.
    void SetTopRowEx(int Value);
    int RealRow() const { return DisplToRealRow(Row()); }
    int RealCol() const { return DisplToRealCol(Col()); }

    TRect UsedCells() { return GetUsedCells(); }
    virtual TRect GetUsedCells();
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const;
    int SaveRowCount() const;
    void ScrollInView(int ColIndex, int RowIndex);
    void MoveColumn(int FromIndex, int ToIndex) override;
    void MoveRow(int FromIndex, int ToIndex) override;
    // The in-cell controls follow a moved column (row).
    void MoveCellControls(bool Columns, int FromIndex, int ToIndex);
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelHidden; }
    void UpdateEditMode();
    // Records the current column order 0 .. ColCount - 1.
    void SetColumnOrder();

    // ---- Clearing, inserting and removing --------------------------------------------------
    void ClearAll();
    void Clear();
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearRows(int RowIndex, int RCount);
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    void ClearSelection();
    void ClearModifiedRows();
    void ClearSelectedCells();
    void AddRow();
    void AddColumn() { InsertCols(ColCount(), 1); }
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    virtual void InsertCols(int ColIndex, int CCount);
    virtual void RemoveRows(int RowIndex, int RCount);
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void DeleteRowRange(int ARow, int ACount);
    virtual void RemoveCols(int ColIndex, int CCount);
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void MergeCols(int ColIndex1, int ColIndex2, const String& Separator);
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    bool IsCell(const String& SubStr, int& ACol, int& ARow);
    bool IsWideCell(int ACol, int ARow);
    // OnCellsChanged, then the registered notifiers in registration order.
    virtual void DoCellsChanged(TRect R);
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);

    // ---- Row and column marks --------------------------------------------------------------
    // EAdvGridError "Invalid row accessed" outside 0 .. RowCount + hidden rows - 1.
    bool RowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    void ClearRowSelect();
    int RowSelectCount() const;
    void SelectRows(int RowIndex, int RCount);
    // EAdvGridError "Invalid column accessed" outside 0 .. ColCount + hidden columns - 1.
    bool ColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    void ClearColSelect();
    bool RowModified(int ARow) const;
    void SetRowModified(int ARow, bool Value);
    bool IsRowEnabled(int ARow) const;
    TIntList* ModifiedRows() const { return FModifiedRows.get(); }
    TIntList* EnabledRows() const { return FEnabledRows.get(); }
    bool UseEnabledRows = false;

    // ---- Repaint helpers -------------------------------------------------------------------
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintRect(TRect R);
    void FocusCell(int ACol, int ARow);
    using TBaseGrid::FocusCell;
    void GotoCell(int ACol, int ARow) { FocusCell(ACol, ARow); }
    void InvalidateFooterPanel();
    // Places the in-cell controls on their cells, hiding those of hidden or scrolled-out cells.
    void CellControlsUpdate(bool Rebuild);

    // ==== Cell objects, check boxes, radio buttons, graphic sizes and hit tests ================
    // (AdvGridCellObjects.cpp, AdvGridCheckBoxes.cpp). Columns are real columns unless a
    // declaration says display column, rows are display rows. Adding to a cell outside the grid
    // (hidden rows and columns counted) raises EAdvGridError and changes nothing; queries on such
    // cells answer nothing. An Add or Create replaces, and frees, the object the cell had; what a
    // caller passes in (bitmap, picture, icon, interfaced object) stays the caller's.
    virtual TCellType GetCellType(int ACol, int ARow);
    // The cell's own object, or the shared row check box in column 0 under HotmailRowSelect.
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    // The graphic's size for automatic sizing and painting, and for printing.
    virtual TPoint GetCellGraphicSize(int ACol, int ARow);
    virtual TPoint GetCellGraphicPrintSize(int ACol, int ARow, int Width, int Height, double Factor);
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    // The object CreateCellGraphic puts into a cell (a derived grid may count or extend them).
    virtual TCellGraphic* NewCellGraphic() { return new TCellGraphic(); }
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType Kind);

    void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* GetBitmap(int ACol, int ARow);
    bool RemoveBitmap(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                            TCellHAlign hal, TCellVAlign val);
    TPicture* GetPicture(int ACol, int ARow);
    bool RemovePicture(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctPicture); }
    void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign hal, TCellVAlign val);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    bool RemoveFilePicture(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    bool RemoveIcon(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctIcon); }
    // The image-list kinds need GridImages; without it they are not made.
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool GetImageIdx(int ACol, int ARow, int& Idx);
    void SetImageIdx(int ACol, int ARow, int Idx);
    bool RemoveImageIdx(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctImageList); }
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool HasDataImage(int ACol, int ARow);
    bool RemoveDataImage(int ACol, int ARow);
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    TIntList* GetMultiImageList(int ACol, int ARow);
    bool RemoveMultiImage(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctImages); }
    TCustomImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList* Value);
    virtual TCustomImageList* GetGridImages() { return FGridImages; }

    // Buttons: GetButtonText, SetButtonText, PushButton and GetCellButtonRect take a display column.
    void AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                             TCellVAlign val);
    bool HasButton(int ACol, int ARow);
    String GetButtonText(int ACol, int ARow);
    void SetButtonText(int ACol, int ARow, const String& Caption);
    void PushButton(int ACol, int ARow, bool Push);
    bool RemoveButton(int ACol, int ARow);
    void RemoveAllButtons();
    TRect GetCellButtonRect(int ACol, int ARow);

    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const String& Fmt, double Min, double Max);
    bool HasProgress(int ACol, int ARow);
    bool RemoveProgress(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctProgress); }
    void AddAdvProgress(int ACol, int ARow, double Min, double Max);
    bool RemoveAdvProgress(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    bool RemoveProgressPie(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    bool RemoveRangeIndicator(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator); }
    void AddComment(int ACol, int ARow, const String& Comment);
    void AddColorComment(int ACol, int ARow, const String& Comment, TColor Color);
    bool IsComment(int ACol, int ARow, String& Comment);
    bool RemoveComment(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctComment); }
    void RemoveAllComments();
    void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    TColor GetShapeColor(int ACol, int ARow);
    void SetShapeColor(int ACol, int ARow, TColor FillColor);
    bool RemoveShape(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctShape); }
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    bool HasRating(int ACol, int ARow);
    bool RemoveRating(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRating); }
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    bool HasScrollBar(int ACol, int ARow);
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    TScrollProp GetScrollProp(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    bool RemoveScrollBar(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }
    void AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent* AObject);
    TInterfacedPersistent* GetInterfacedCell(int ACol, int ARow);
    bool RemoveInterfacedCell(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctInterface); }
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    // Cells worked by click or Space instead of the text editor.
    bool IsClickableCell(int ACol, int ARow);
    // The sort key of an image cell: image index, or the identity of the bitmap or icon; else -1.
    intptr_t GetCellImageKey(int ACol, int ARow);
    // Data-bound cells (data check boxes, data images), which printing leaves to the data.
    friend bool IsDataObjectCell(TAdvStringGrid* Grid, int ACol, int ARow);

    // Check boxes. With hidden rows the state operations take a real row.
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void RemoveCheckBox(int ACol, int ARow);
    void RemoveCheckBoxColumn(int ACol);
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    bool IsChecked(int ACol, int ARow);
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    // Sets the state without an event.
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheckCell(ACol, ARow, false); }
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    // Takes a display row; fires DoCheckBoxChange only when the state really changes.
    bool ChangeCheckBoxState(int ACol, int ARow, bool State);
    virtual bool ToggleCheckCell(int ACol, int ARow, bool ByUser);

    // Radio buttons: a column's radio buttons are one group.
    void AddRadioButton(int ACol, int ARow, bool State = false);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButton(int ACol, int ARow);
    void RemoveRadioButtonColumn(int ACol);
    bool HasRadioButton(int ACol, int ARow);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    virtual bool ToggleRadioCell(int ACol, int ARow, bool ByUser);

    // Radio groups: the items of a list drawn as radio buttons in one cell, side by side when
    // DirRadio is not 0; the chosen item is also the cell's text. AddRadio keeps the caller's list
    // (the caller frees it); CreateRadio makes one the cell owns and hands it out for filling.
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl);
    TStrings* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    // Only for a radio group: selects an item (-1 none, which empties the text) and repaints.
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TStrings* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    // Rotated cells: the text drawn at an angle in degrees (0 .. 360).
    void AddRotated(int ACol, int ARow, short AAngle, const String& s);
    void SetRotated(int ACol, int ARow, short AAngle);
    void RemoveRotated(int ACol, int ARow);
    bool IsRotated(int ACol, int ARow, int& aAngle);

    // Whether (XPos, YPos) hits the check glyph of the cell (always, without PreciseCheckBoxCheck).
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);

    virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
    virtual bool DoRatingChange(int ACol, int ARow, double& NewRate);
    // The colour and image drop-downs hand over their selection.
    virtual void DoColorSelect(TColor Color, const String& Text);
    virtual void DoImageSelect(int ItemIndex);
    // Whether the cell may be edited; CanEdit holds the caller's start value.
    void CanEditCellAt(int ACol, int ARow, bool& CanEdit);
    virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
    // The texts that stand for a checked and an unchecked data check box.
    virtual void DoGetCheckTrue(int ACol, int ARow, String& Value);
    virtual void DoGetCheckFalse(int ACol, int ARow, String& Value);

    TCheckBoxChangeEvent OnCheckBoxChange;
    TRatingChangeEvent OnRatingChange;
    TColorSelectEvent OnColorSelect;
    TImageSelectEvent OnImageSelect;
    TCanEditCellEvent OnCanEditCell;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;

private:
    // The check-box object of a cell and the row the cell shows at, looked up in the hidden-row
    // store when the real row ARow is hidden.
    TCellGraphic* CheckObjectAt(int ACol, int ARow, int& DisplayRow, String* Text);
    void WriteCheckText(int ACol, int ARow, int DisplayRow, const String& Text);
    // Raises EAdvGridError for a cell beyond the grid (hidden rows and columns counted).
    void CheckCellInGrid(int ACol, int ARow, const wchar_t* Message) const;
    TCellVAlign CheckVAlign() const;
    void RepaintRealCell(int ACol, int ARow);
    TCustomImageList* FGridImages = nullptr;
    TPictureContainer* FPictureContainer = nullptr;

public:
    // ==== end of cell objects ===================================================================

    // ---- Owned objects ---------------------------------------------------------------------
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TCellNode* CellNode() const { return FCellNode.get(); }
    TBands* Bands() const { return FBands.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TGrouping* Grouping() const { return FGrouping.get(); }
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
    // Named pictures that markup cells show (IMG SRC="name"); not owned.
    TPictureContainer* PictureContainer() const { return FPictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TFont* FixedFont() const { return FFixedFont.get(); }
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    TStringList* Sortlist() const { return FSortlist.get(); }
    TStringList* LookupItems() const { return FLookupItems.get(); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    TControlList* ControlList() const { return FControlList.get(); }
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    TFilter* Filter() const { return FFilter.get(); }
    TBalloonSettings* Balloon() const { return FBalloon.get(); }
    TShowModified* ShowModified() const { return FShowModified.get(); }
    TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    TDropList* DropList() const { return FDropList; }
    TStringList* FilterList() const { return FFilterList.get(); }
    TIntList* ColumnOrder() const { return FColumnOrder.get(); }
    TCellGraphic* SharedCellGraphic() const { return FCellGraphic.get(); }
    TArrowWindow* ArrowWindow(TArrowDirection Direction) const { return FArrows[Direction]; }
    TPopupButton* MoveButton() const { return FMoveButton; }
    TScrollBar* CellScrollBar() const { return FScrollBar; }
    TScrollBar* PaintScrollBar() const { return FPaintScrollBar; }
    TAdvInplaceEdit* NormalEdit() const;
    THTMLHintWindow* ScrollHintWindow() const { return FScrollHintWnd; }
    std::unique_ptr<TIntList> IgnoreColumns;

    // ---- Settings without side effects ------------------------------------------------------
    TColor HintColor = clInfoBk;
    bool HintShowCells = false, HintShowLargeText = false, HintShowSizing = false, HTMLHint = false, OemConvert = false,
         AnchorHint = false;
    bool ActiveCellShow = false;
    TColor ActiveCellColor = clGray;
    TColor ActiveCellColorTo = clNone;
    bool AutoNumAlign = false, AutoThemeAdapt = false, AutoFilterUpdate = true;
    TColor DisabledFontColor = clSilver;
    bool EditWithTags = false, EnableBlink = false, EnableHTML = true, EnableWheel = true, EnhTextSize = false,
         EnhRowColMove = true, ExcelStyleDecimalSeparator = false;
    String FilterDropDownClear = L"(All)";
    bool FilterIncremental = false;
    bool FixedAsButtons = false;
    bool FixedRowAlways = false, FixedColAlways = false;
    String FloatFormat = L"%.2f";
    bool HideFocusRect = false, Hovering = false;
    THoverFixedCells HoverFixedCells = hfNone;
    TIntelliPan IntelliPan = ipVertical;
    bool IntelliZoom = true;
    String InvalidEntryTitle, InvalidEntryText;
    TInvalidEntryIcon InvalidEntryIcon = ieWarning;
    TGridLook Look = glXP;
    bool Lookup = false, LookupCaseSensitive = false, LookupHistory = false;
    int MaxComboLength = 0;
    bool Multilinecells = false;
    TScrollBarAlways ScrollBarAlways = saNone;
    TColor ScrollColor = clNone;
    bool ScrollProportional = false, ScrollSynch = false;
    TScrollType ScrollType = ssNormal;
    int ScrollWidth = 17;
    TScrollHintType ScrollHints = shNone;
    bool SelectionRTFKeep = false;
    bool SizeWithForm = false;
    TColor URLColor = clBlue;
    bool URLShow = false, URLShowInText = false, URLFull = false, URLEdit = false;
    bool UseInternalHintClass = true;
    String ValidChars;
    String EditMask;
    String XMLEncoding = L"ISO-8859-1";
    wchar_t PasswordChar = L'*';
    String CheckTrue = L"Y", CheckFalse = L"N";
    bool ShowNullDates = true, SaveFixedCells = true, SaveVirtCells = true, SaveWithHTML = true, LoadFirstRow = true,
         QuoteEmptyCells = true, FitCellsInGrid = true, ShowDesignHelper = true;
    bool SaveHiddenCells = false, AlwaysQuotes = false, ClearTextOnly = false, ExcelClipboardFormat = false,
         PrinterDriverFix = false, JavaCSV = false, NoDefaultDraw = false, SizeGrowOnly = false;
    // A cell with a graphic shows the graphic alone.
    bool NoImageAndText = false;
    TEditorType DefaultEditor = edNormal;
    wchar_t Delimiter = 0;
    int ZoomFactor = 0;
    int GroupColumn = -1;
    int MinRowHeight = 0, MaxRowHeight = 0, MinColWidth = 0, MaxColWidth = 0;
    TPoint XYOffset{2, 2};
    // The offset moves the text in from the left and top only, not from the right and bottom.
    bool XYOffsetTopLeftOnly = false;
    // The type-ahead text of the incremental search; the grid timer clears it on the fourth tick
    // after it was last set.
    String IncrSearchText;
    void SetIncrSearchText(const String& Value);
    int SearchTicks() const { return FTimer.SearchTicks; }

    // ---- Events ----------------------------------------------------------------------------
    TCellsChangedEvent OnCellsChanged;
    TRowChangedEvent OnRowChanged;
    TEditCellDoneEvent OnEditCellDone;
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TComboCloseUpEvent OnComboCloseUp;
    TGridHintEvent OnGridHint;
    TGridWideHintEvent OnGridWideHint;
    TGridColorEvent OnGetCellColor;
    TGridAlignEvent OnGetAlignment;
    TWordWrapEvent OnGetWordWrap;
    TGridGradientEvent OnGetCellGradient;
    TFloatFormatEvent OnGetFloatFormat;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TNotifyEvent OnPainted;
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TGridColorEvent OnGetCellPrintColor;
    TIsPasswordCellEvent OnIsPasswordCell;
    THasComboEvent OnHasComboBox;
    THasSpinEditEvent OnHasSpinEdit;

protected:
    bool InvalidationSuspended() const override { return FUpdate.Count > 0 && FUpdate.RedrawOff; }
    int HiddenStoreCols() const override { return FHiddenCols.Count; }
    bool OwnsCellGraphic(TObject* Graphic) const override;
    void LastRowChanged() override;

    // Row blocks as the hiding, removal and insertion code moves them.
    void InsertRowBlock(int RowIndex, int RCount, bool UpdateCellControls);
    void DeleteRowBlock(int RowIndex, int RCount, bool UpdateFlag);
    // Moves the cells of ToRow's stored row out into Items (objects leave the grid).
    void TakeRowCells(int ARow, TStringList* Items);
    // Puts stored cells back into a row (objects enter the grid).
    void PutRowCells(int ARow, TStringList* Items);
    // The same for a hidden row's item, whose cells move whole. KeepRow leaves blank cells in the
    // row (it is removed later, by steps that may read it); otherwise the row is left without
    // cells for the caller to fill or drop at once. Cols is the width of the store's rows: an
    // item's cells beyond it are freed.
    void TakeRowCells(int ARow, TGridItem* Item, bool KeepRow);
    void PutRowCells(int ARow, TGridItem* Item, int Cols);
    void ApplySelection(const TGridRect& R);
    int NormalLastRow() const { return RowCount() - FFixedFooters - 1; }

private:
    friend class TGridItem;
    // False when the wheel message is swallowed.
    bool WheelMessageStep(TMessage& Message);
    // The anchor of a markup cell (display column) under the client point P.
    bool MarkupAnchorAt(int ACol, int ARow, TPoint P, String& Href, String& Title);
    // The window procedure's handlers, one per message.
    void WhileDestroying(TMessage& Message);
    void Destroy(TMessage& Message);
    void CancelModeMessage(TMessage& Message);
    void RecalculateProportionalScroll(const TMessage& Message);
    void EditCellDone(TMessage& Message);
    void Command(TMessage& Message);
    void MouseWheel(TMessage& Message);
    void ButtonOrKeyDown(TMessage& Message);
    void Timer(TMessage& Message);
    void StopWindowTimers();
    void NotifySelectionMoved(const TGridRect& OldSelection);
    bool PanningAllowed() const;
    void StartPanning(TPoint Origin);
    // One step of panning; true when the current cell moved.
    bool PanningStep();
    void StopPanning();
    void GridTimerTick();
    void BandsChanged(TObject* Sender) { Invalidate(); }
    void FilterDropDownChanged(TObject* Sender) { Invalidate(); }
    void AppearanceChanged(TObject* Sender) { Invalidate(); }
    void ShowModifiedChanged(TObject* Sender);
    void ColumnHeadersChanged(TObject* Sender);
    void RowHeadersChanged(TObject* Sender);
    void MergedColumnsChanged();
    void SearchFooterChanged(TObject* Sender);
    void BalloonEnableChanged(TObject* Sender);
    void AddBalloonTool(WPARAM Icon, const String& Title);
    String FilterCellText(const TFilterData& Condition, int ARow);
    bool ProportionalScrollActive() const;
    void MouseActionsChanged(TObject* Sender) {}
    void NavigationChanged(TObject* Sender) {}
    void MouseActionsInvalidate(TObject* Sender) { Invalidate(); }
    void GetIsDesigning(TObject* Sender, bool& IsDesigning);
    void ApplyColumnStretch();
    // The extent of a multi-image cell's row (or column) of grid images; 0 x 0 without images.
    TPoint MultiImageSize(TCellGraphic* Graphic);
    // Gives the base grid the painters of a cell's frame (background, grid lines).
    void InstallCellPainters();
    // The steps of the visual decision (GetCellVisual). ApplyCellProperties answers whether the
    // cell has a brush colour of its own.
    bool ApplyCellProperties(int RCol, int ARow, TBrush* ABrush, TFont* AFont, TCellVisual& Visual);
    void ApplyDefaultColour(int ACol, int ARow, bool Print, TBrush* ABrush);
    void ApplySelection(int ACol, int ARow, int RRow, bool Select, bool Print, TBrush* ABrush, TFont* AFont,
                        TCellVisual& Visual);
    void DecideFixedLook(int ACol, int ARow, int RCol, TCellVisual& Visual);
    // The text step of DrawGridCell; answers the width of the drawn text + 2 (0 without text).
    int DrawCellText(TCanvas* Canvas, int ACol, int ARow, int RCol, TRect ARect, const TCellVisual& Visual,
                     TColor SavedBrush, TColor SavedFont, const TCellGraphicLayout& Layout, int ScrollOffset);
    // The steps of DrawGridCell between the fixed look and the text: the current row's indicator
    // (answers how far it pushes the content right), the modified-row mark, the always-visible
    // combo and spin buttons (answers how far they take the text's right edge in).
    int DrawRowIndicator(TCanvas* Canvas, int RCol, int ARow, const TRect& Rect);
    // A scroll-bar cell's bar at the cell's right edge (Rect loses its width); answers the
    // scroll position, by which the cell's text moves up.
    int DrawCellScrollBar(TCanvas* Canvas, int RCol, int ARow, TRect& Rect);
    void DrawModifiedMark(TCanvas* Canvas, int ACol, int ARow, const TRect& Rect);
    int DrawCellButtons(TCanvas* Canvas, int ACol, int ARow, int RCol, const TRect& Rect);
    // The text step's filter glyph and the frame of the selection rectangle.
    bool DrawFilterGlyph(TCanvas* Canvas, int RCol, int ARow, const TRect& Rect);
    void DrawSelectionFrame(TCanvas* Canvas, int ACol, int ARow, const TRect& Rect);
    // The cell's share of the grid's background picture or gradient (before the text).
    void DrawCellBackGround(TCanvas* Canvas, int ACol, int ARow, int RCol, const TRect& Rect, const TCellVisual& Visual,
                            const TCellGraphicLayout& Layout);
    // The column's place in the sort index (-1 when not listed); whether (RCol, ARow) is a header
    // cell that shows a sort indicator; whether a listed column's glyph is drawn.
    int SortIndexPosition(int RCol) const;
    bool IsSortedHeader(int RCol, int ARow);
    bool ShowsSortGlyph(int RCol);
    void DrawSizingLine(TPoint From, TPoint To);
    // Makes the focus frame a translucent rounded ring around Cell (client coordinates).
    void ShapeFocusFrame(HWND Frame, const TRect& Cell);
    // How far into a tile of Tile's size a cell starts when tiles run on from the first counted
    // column and row (a tiled background).
    TPoint TilePhase(int ACol, int ARow, int FirstCol, int FirstRow, TSize Tile);
    // The border step of DrawGridCell: the borders and pens the hooks give the cell.
    virtual void DoGetCellBorder(int ACol, int ARow, TCellBorders& Borders, TPen* APen);
    void DrawCellBorders(TCanvas* Canvas, int RCol, int ARow, TRect Rect);
    // The graphic step of DrawGridCell (AdvGridPaintGraphics).
    void DrawCellGraphic(TCanvas* Canvas, int ARow, int RCol, TRect Rect, const TCellGraphicLayout& Layout,
                         const TCellVisual& Visual, int TextWidth);
    // The progress appearance as the bar painter takes it.
    TXPProgressAppearance ProgressLook();
    // The radio glyphs' look from the control look (one cell's painting at a time).
    TRadioGlyphLook RadioLook();
    // What the markup renderer needs of the grid for a cell's markup.
    TCellMarkupOptions CellMarkupOptions(TColor LinkColor, bool InSelection);
    // The cell's text as a number; 0 when it is none.
    double CellFloatValue(int ACol, int ARow);
    // Applies Change to the properties of the row's normal cells, or frees them where Free says.
    void ForRowCells(int ARow, const std::function<bool(TCellProperties*)>& FreeInstead, TColor Value,
                     void (TCellProperties::*Setter)(TColor));

    // Owned objects, in the order the constructor makes them.
    TFooterPanel* FFooterPanel = nullptr;
    TSearchPanel* FSearchPanel = nullptr;
    std::unique_ptr<TFont> FCalcFont;
    std::unique_ptr<TFocusHelper> FFocusHelper;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TGrouping> FGrouping;
    std::unique_ptr<TStringList> FColumnHeaders;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    std::unique_ptr<TIntList> FOrigColSizes;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FActiveCellFont;
    std::unique_ptr<TStringList> FRowHeaders;
    std::unique_ptr<TStringList> FSortlist;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TIntList> FRowSelect;
    std::unique_ptr<TIntList> FColSelect;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TIntList> FSortRowXRef, FUnSortRowXRef, FMergedColumns, FSelectedCells, FSelectedRows, FModifiedRows,
        FEnabledRows;
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TBackGround> FBackGround;
    THTMLHintWindow* FScrollHintWnd = nullptr;
    std::unique_ptr<TControlList> FControlList;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    std::unique_ptr<TOwnedCollection> FGridItems;
    // The real indexes of the hidden rows, sorted (with and without repeats), rebuilt once after the
    // store changed so that the index maps and IsHiddenRow search instead of walking every row.
    mutable std::vector<int> FHiddenIdx, FHiddenIdxUnique;
    mutable bool FHiddenIdxDirty = true;
    // Whether the store itself is in ascending Idx order (HideRows keeps it so, HideRowList and
    // HideRowsEx append): only then are the rows of a real range one block of the store.
    mutable bool FHiddenStoreSorted = true;
    void HiddenRowsChanged() { FHiddenIdxDirty = true; }
    // Gives every hidden row at or after real row From the real index Shift makes of its own (an
    // ascending one-to-one map of those rows, as inserting or removing shown rows is), keeping
    // the index tables in step: in an ordered store only the rows from From on are visited.
    void ShiftHiddenRows(int From, const std::function<int(int)>& Shift);
    const std::vector<int>& HiddenRealRows() const;
    // Brings back the store's items First .. Last - 1 (ascending, distinct Idx) in one pass, as
    // UnHideRows does row by row; false (nothing done) where that would differ.
    bool UnHideItemBlock(int First, int Last);
    // Every hidden row back, from a store out of order, in one pass (false where the rows would
    // not land at their real indexes, or the enabled-row marks would differ).
    bool UnHideAllOutOfOrder();
    // Whether Ascending (by Idx) restored row by row lands each row at its Idx less First.
    bool PlacesRise(const std::vector<TGridItem*>& Ascending, int First) const;
    // Moves the Ascending items' rows in at their Idx less First in one pass, drops the items
    // (DropItems) and tells the changed rows in the order Events lists them.
    void RestoreHiddenRows(const std::vector<TGridItem*>& Ascending, int First, const std::vector<int>& Events,
                           const std::function<void()>& DropItems);
    // The rows of the range row by row, for stores the block cannot take.
    void UnHideRowsOneByOne(int FromRow, int ToRow);
    // The enabled-row marks for rows restored at Targets (ascending display rows), as inserting
    // them one by one leaves the marks.
    void InsertEnabledMarks(const std::vector<int>& Targets);
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TBalloonSettings> FBalloon;
    std::unique_ptr<TShowModified> FShowModified;
    std::vector<TGridChangeNotifier*> FNotifierList;
    std::unique_ptr<TIntList> FColumnOrder;
    std::unique_ptr<TCellGraphic> FCellGraphic;
    std::unique_ptr<TAdvHintInfo> FOfficeHint;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    TDropList* FDropList = nullptr;
    std::unique_ptr<TStringList> FFilterList;
    // Made at run time only.
    TGridFocusWindow* FFocusWindow = nullptr;
    TArrowWindow* FArrows[4] = {nullptr, nullptr, nullptr, nullptr};
    TPopupButton* FMoveButton = nullptr;
    TScrollBar* FScrollBar = nullptr;
    TScrollBar* FPaintScrollBar = nullptr;

    // Dimensions and looks.
    int FFixedRowsMin = 1, FFixedColsMin = 1;
    int FMaxRowCount = 0, FMaxColCount = 0;
    int FFixedRowHeight = 22;
    bool FWordWrapEx = true;
    TVAlignment FVAlignment = vtaTop;
    UINT FVAlign = 0;
    TAlignment FDefaultAlignment = taLeftJustify;
    TColor FHighlightColor = clHighlight, FHighlightTextColor = clHighlightText;
    TColor FSelectionColor = 0xEACAB6;
    TColor FSelectionColorTo = clNone, FSelectionMirrorColor = clNone, FSelectionMirrorColorTo = clNone;
    TColor FSelectionTextColor = 0;
    TColor FSelectionRectangleColor = 0;
    bool FSelectionColorMixer = false, FSelectionRectangle = false, FSelectionResizer = false;
    bool FShowSelection = true;
    bool FFlat = false;
    int FMaxEditLength = 0;
    bool FAutoSize = false;
    bool FSpreadSheet = false;
    int FFilterRow = 0;
    bool FFilterDropDownAuto = false, FFilterActive = false;
    bool FIntegralHeight = false;
    TColor FQRXGradientFrom = clWhite, FQRXGradientTo = ColorToRGB(clBtnFace), FQRXGradientMirrorFrom = clNone,
           FQRXGradientMirrorTo = clNone;
    int FFixedFooters = 0, FFixedRightCols = 0;
    TCursor FOldCursor = crDefault;
    TCursor FLoadedCursor = crDefault;

    // Hidden columns: they stay in the cell store at their real index.
    struct THiddenColumns {
        bool Visible[513];
        short Widths[513];
        int Count = 0;
    };
    // The wheel and middle-button panning.
    struct TWheelState {
        UINT Message = 0;  // 0 until the window exists
        int Lines = 0;     // rows per notch
        bool Moved = false; // the window procedure moved the rows for the current notch
        bool Panning = false;
        TPoint PanOrigin{0, 0};
        UINT_PTR PanTimer = 0;
        HCURSOR SavedCursor = nullptr;
        HCURSOR PanCursor = nullptr; // the cursor while the mouse stays near the origin
    };
    // Focus changes the grid blocks or causes itself, and the Ctrl-marked cell.
    struct TFocusState {
        bool BlockEnter = false;
        bool BlockKill = false;
        bool InvokedChange = false;
        bool CtrlDown = false;
        TPoint CtrlCell{-1, -1};
    };
    // The update lock and the first paint.
    struct TUpdateState {
        int Count = 0;
        int PaintCount = 0;
        // BeginUpdate switched the window's drawing off; the EndUpdate that unlocks repaints it whole.
        bool RedrawOff = false;
    };
    // The 500 ms grid timer: ticks, the incremental search's ticks and the blink phase.
    struct TGridTimer {
        UINT_PTR Id = 0;
        int Ticks = 0;
        int SearchTicks = 0;
        bool Blink = false;
    };
    // Sizing from and hovering over fixed cells.
    struct TFixedCellState {
        bool SizeCol = false, SizingCol = false, SizeRow = false, SizingRow = false;
        int HoverCol = -1, HoverRow = -1;
        bool NoMouseLeave = false;
    };
    // The owning form's resize handler while the grid holds the form's OnResize.
    struct TFormResizeHook {
        TCustomForm* Form = nullptr;
        TNotifyEvent OldHandler;
        bool HadHandler = false;
        int PrevWidth = 0, PrevHeight = 0;
    };

    THiddenColumns FHiddenCols;
    TWheelState FWheel;
    TFocusState FFocus;
    TUpdateState FUpdate;
    TGridTimer FTimer;
    TFixedCellState FFixedCells;
    TFormResizeHook FFormResize;

    // Filtering, selection and nodes.
    int FFilterLevel = 0;
    TGridRect FOldSelection;
    bool FSelHidden = false;
    int FOldRowSel = -1;
    bool FNilObjects = false;
    bool FBlockCellChange = false;
    bool FEntered = false;
    int FNumNodes = 0;

    // Window state.
    bool FLoaded = false;
    bool FEditChange = false;
    bool FInvokedCursorChange = false;
    TMouseSelectMode FMouseSelectMode = msNormal;
    // The cell and anchor the last hint was built for.
    TPoint FLastHintCell{-1, -1};
    String FLastAnchorHint;
    HWND FToolTip = nullptr;
    // FixedRows as it was when the filter was last applied; the last incremental filter text; the
    // column whose filter drop-down is open.
    int FFilterFixedRows = 0;
    String FLastFilter;
    int FFilterCol = -1;
    int FOldSize = -1;
    bool FDisableSize = false;
    bool FCellSelectorMode = false;
    bool FEditMode = false;
    // Operating-system facts taken at construction.
    bool FIsWinXP = false, FIsWin7 = false, FIsWinVista = false, FIsComCtl6 = false, FIsFlat = false;
};
