#pragma once
// The grid's small shared vocabulary and helpers: the enumerations every grid unit speaks
// (editor kinds, sort styles, alignments ...), the string grid the grid is built on, the integer,
// sort and control lists, the option groups the grid publishes as sub-properties, and the small
// windows the grid makes for itself (the focus frame, the drop arrows and the caption button),
// and the cell object (TCellGraphic) with its kinds.
//
// The option groups are plain settings here: the grid reads their fields and owns their change
// events; what each setting does is the business of the grid code that reads it.
#include <windows.h>

#include <functional>
#include <memory>
#include <variant>

#include "framework/classes/Component.h"
#include "framework/classes/StringList.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/ImageList.h"
#include "framework/grids/Grids.h"
#include "framework/stdctrls/Bevel.h"
#include "framework/stdctrls/GroupBox.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/RadioGroup.h"
#include "framework/system/List.h"
#include "grid/foundation/AdvUtil.h"

// ---- Enumerations (the value order is the stored order) ------------------------------------

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TEnumSet<TCellBorder>;
enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };
enum TAdvGridButtonStyle { tasButton, tasCheck };
enum TSearchDirection { sdTopBottom, sdLeftRight };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum TClipboardPasteAction { paReplace, paInsert };
enum TAdvanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TWheelAction { waMoveSelection, waScroll };

// The in-place editor kinds a cell may ask for.
enum TEditorType {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars,
    edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edAdvGridDropDown, edPositiveFloat
};

enum TSortStyle {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox,
    ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase
};

// A cell object the grid owns (a picture, check box ... of the grid control): the cell frees it
// with its properties. Objects a caller puts into cells are not of this kind and stay the caller's.
class TGridOwnedCellObject : public TPersistent {};

// ---- The string grid the grid builds on ----------------------------------------------------

// Keeps no cells of its own: the base grid's store answers every view of them.
class TObjStringGrid : public TCustomStringGrid {
public:
    using TCustomStringGrid::TCustomStringGrid;
};

// ---- Lists ---------------------------------------------------------------------------------

// (Sender, column, row): a list bound to a cell reports its changes with that cell.
using TImageChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// A list of integers kept in the pointer slots of a TList. Add, Delete, DeleteValue and writes
// through SetItems fire OnChange with the list's cell; Insert and Clear do not. An index outside
// 0 .. Count - 1 raises the list's EListError.
class TIntList : public TList {
public:
    explicit TIntList(int ACol = 0, int ARow = 0) : FCol(ACol), FRow(ARow) {}

    int Add(int Value);
    void Insert(int Index, int Value);
    void Delete(int Index);
    void DeleteValue(int Value);
    bool HasValue(int Value) const;
    int Items(int Index) const;
    void SetItems(int Index, int Value);
    // The items as decimal numbers joined by "," / replaces the items by such a text.
    String StrValue() const;
    void SetStrValue(const String& Value);

    TImageChangeEvent OnChange;

protected:
    void Changed();

private:
    int FCol;
    int FRow;
};

// Sort columns: each item a column index, bit 31 set when that column sorts descending.
class TSortIndexList : public TIntList {
public:
    using TIntList::TIntList;

    void AddIndex(int ColumnIndex, bool Ascending);
    // Position of the first item for the column (either direction), -1 when none.
    int FindIndex(int ColumnIndex) const;
    int GetSortColumn(int Index) const;
    // Flips the direction of the column's first item; nothing when it is not listed.
    void ToggleIndex(int ColumnIndex);
    // "u1;d3": direction letter and column number per item.
    String SaveToString() const;
    void LoadFromString(const String& S);
};

// A control placed in a cell.
class TControlItem : public TObject {
public:
    TControlItem(int AX, int AY, TControl* AControl) : X(AX), Y(AY), Control(AControl) {}
    int X;
    int Y;
    TControl* Control;
};

// The controls placed in cells; owns its items (not the controls).
class TControlList : public TList {
public:
    TControlList() = default;
    ~TControlList() override;

    void AddControl(int X, int Y, TControl* AObject);
    int ControlIndex(int X, int Y) const;
    void RemoveControl(int Index);
    bool HasHandle(HWND Handle) const;
    TControlItem* Items(int Index) const { return static_cast<TControlItem*>(TList::Items(Index)); }

protected:
    void Notify(void* Ptr, TListNotification Action) override;
};

// Lines read one after another and written piece by piece, over a string list.
class TFileStringList : public TStringList {
public:
    // Back to the first line, with nothing pending.
    void Reset();
    bool Eof() const { return fp >= Count(); }
    // The line at the read position, which then moves on; at the end the list's index error.
    void ReadLn(String& S);
    // Adds to the line being written / ends it with S.
    void Write(const String& S);
    void WriteLn(const String& S);

private:
    int fp = 0;
    String cache;
};

// ---- Cell objects ----------------------------------------------------------------------------

// The kinds of cell object; the values are stored (binary cell stream).
enum TCellType : unsigned char {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
    ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
    ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating
};
enum TCellHAlign : unsigned char { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign : unsigned char { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };

// Where a cell graphic sits for a text alignment of the grid's vertical kind.
inline TCellVAlign CellVAlignOf(TVAlignment Value)
{
    switch (Value) {
    case vtaCenter:
        return vaCenter;
    case vtaBottom:
        return vaBottom;
    default:
        return vaTop;
    }
}
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

// A picture read from its file whenever it is needed, so that a cell does not hold the image.
// A missing or unreadable file has size 0 x 0 and draws nothing.
class TFilePicture : public TPersistent {
public:
    const String& Filename() const { return FFilename; }
    void SetFilename(const String& Value);
    int Width();
    int Height();
    void Assign(TPersistent* Source) override;
    void DrawPicture(TCanvas* Canvas, const TRect& R);

private:
    // Loads the file once per name; false when it cannot be read.
    bool Load();
    String FFilename;
    std::unique_ptr<TPicture> FPicture;
    bool FLoaded = false;
};

// The drawing and size operations a caller's own cell object offers (kind ctInterface).
class ICellObject {
public:
    virtual ~ICellObject() = default;
    virtual void Draw(TCanvas* Canvas, const TRect& R, int Col, int Row, bool Selected, TObject* Grid) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
};

// The base of the caller's objects that implement ICellObject.
class TInterfacedPersistent : public TPersistent {};

// The events of the cell objects (check-box, radio, button and combo events take the column first).
using TCheckBoxChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TRatingChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)>;
using TColorSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor Color, const String& Text)>;
using TImageSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ImageIndex)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

// An in-cell scroll bar's page size and range.
struct TScrollProp {
    int PageSize;
    int Range;
};

// Radio group selection or node value.
using TCellVariant = std::variant<std::monostate, int, double, String>;

// The one optional object of a cell. One layout serves every kind; each kind gives the general
// fields its own meaning (see the grid's Add operations). CellBitmap and CellIcon hold either an
// object or, for the coloured kinds (progress, range indicator, shape, rating ...), a colour; the
// kind says which. What the fields reference is the caller's unless CellCreated says the grid made
// it, except the lists the grid always makes (ctImages, ctBalloon, a check box's balloon texts).
class TCellGraphic : public TGridOwnedCellObject {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;

    // Copies the plain fields; the referenced objects and CellVar stay with the source.
    void Assign(TPersistent* Source) override;

    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType Value) { FCellType = Value; }
    TObject* CellBitmap() const { return FCellBitmap.Object; }
    void SetCellBitmap(TObject* Value) { FCellBitmap = {Value, 0}; }
    TColor CellBitmapColor() const { return FCellBitmap.Color; }
    void SetCellBitmapColor(TColor Value) { FCellBitmap = {nullptr, Value}; }
    TObject* CellIcon() const { return FCellIcon.Object; }
    void SetCellIcon(TObject* Value) { FCellIcon = {Value, 0}; }
    TColor CellIconColor() const { return FCellIcon.Color; }
    void SetCellIconColor(TColor Value) { FCellIcon = {nullptr, Value}; }
    TCellVAlign CellVAlign() const { return FCellVAlign; }
    void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
    TCellHAlign CellHAlign() const { return FCellHAlign; }
    void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
    int CellIndex() const { return FCellIndex; }
    void SetCellIndex(int Value) { FCellIndex = Value; }
    bool CellTransparent() const { return FCellTransparent; }
    void SetCellTransparent(bool Value) { FCellTransparent = Value; }
    bool CellCreated() const { return FCellCreated; }
    void SetCellCreated(bool Value) { FCellCreated = Value; }
    bool CellBoolean() const { return FCellBoolean; }
    void SetCellBoolean(bool Value) { FCellBoolean = Value; }
    int CellAngle() const { return FCellAngle; }
    void SetCellAngle(int Value) { FCellAngle = Value; }
    double CellValue() const { return FCellValue; }
    void SetCellValue(double Value) { FCellValue = Value; }
    int CellErrFrom() const { return FCellErrFrom; }
    void SetCellErrFrom(int Value) { FCellErrFrom = Value; }
    int CellErrLen() const { return FCellErrLen; }
    void SetCellErrLen(int Value) { FCellErrLen = Value; }
    const String& CellText() const { return FCellText; }
    void SetCellText(const String& Value) { FCellText = Value; }
    const TCellVariant& CellVar() const { return FCellVar; }
    void SetCellVar(const TCellVariant& Value) { FCellVar = Value; }

    // The kind setters: each sets CellType and the fields of its kind.
    void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int Idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int Idx, TCellHAlign hal, TCellVAlign val);
    void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding, TCellHAlign hal,
                    TCellVAlign val);
    void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                        TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetButton(int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal, TCellVAlign val);
    // Makes the cell's image index list (always freed with the object); Notifier hears its changes.
    void SetMultiImage(int Col, int Row, int Dir, TCellHAlign hal, TCellVAlign val, TImageChangeEvent Notifier);
    void SetInterfacedCell(TInterfacedPersistent* AObject);
    void SetAngle(int AAngle);

    // The size a picture kind draws at in a cell of cw x rh (stretch mode and padding applied);
    // (0, 0) for other kinds.
    TPoint GetPictureSize(int cw, int rh, bool HasText) const;

    // The check glyph's third state belongs to the partial row check box alone: on the other
    // check kinds CellAngle 1 only marks an attached balloon.
    bool IsGrayedCheck() const { return FCellType == ctRowCheckBox && FCellAngle > 0; }

protected:
    struct TCellRef {
        TObject* Object = nullptr;
        TColor Color = 0;
    };
    // Frees what the object owns and forgets it (the kind setters start from a clean slot).
    void FreeOwnedReferences();
    void BecomeKind(TCellType Kind);

    TCellType FCellType = ctNone;
    TCellRef FCellBitmap;
    TCellRef FCellIcon;
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    int FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    int FCellAngle = 0;
    double FCellValue = 0;
    int FCellErrFrom = 0;
    int FCellErrLen = 0;
    String FCellText;
    TCellVariant FCellVar;
};

// ---- Option groups -------------------------------------------------------------------------

// The search footer's settings. Captions and hints are filled only for a grid being designed
// (InitDesign), so a grid made in code starts with empty ones. Every setter stores and reports
// through OnChange: the button switches and Visible only when they change, the rest always (the
// grid then lays its search panel out again).
class TSearchFooter : public TPersistent {
public:
    TSearchFooter(TPersistent* AOwner, bool InitDesign);
    // Copies every setting but AutoSearch and SearchFixedCells, without reporting.
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override { return FOwner; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);

#define KVL_FOOTER_PROPERTY(Type, Name, WhenChanged)                                                               \
    const Type& Name() const { return F##Name; }                                                                   \
    void Set##Name(const Type& Value) { Store(F##Name, Value, WhenChanged); }
    KVL_FOOTER_PROPERTY(bool, Visible, true)
    KVL_FOOTER_PROPERTY(TColor, Color, false)
    KVL_FOOTER_PROPERTY(TColor, ColorTo, false)
    KVL_FOOTER_PROPERTY(bool, ShowFindNext, true)
    KVL_FOOTER_PROPERTY(bool, ShowFindPrev, true)
    KVL_FOOTER_PROPERTY(bool, ShowMatchCase, true)
    KVL_FOOTER_PROPERTY(bool, ShowHighLight, true)
    KVL_FOOTER_PROPERTY(bool, ShowClose, false)
    KVL_FOOTER_PROPERTY(String, FindNextCaption, false)
    KVL_FOOTER_PROPERTY(String, FindPrevCaption, false)
    KVL_FOOTER_PROPERTY(String, MatchCaseCaption, false)
    KVL_FOOTER_PROPERTY(String, HighLightCaption, false)
    KVL_FOOTER_PROPERTY(String, HintClose, false)
    KVL_FOOTER_PROPERTY(String, HintFindNext, false)
    KVL_FOOTER_PROPERTY(String, HintFindPrev, false)
    KVL_FOOTER_PROPERTY(String, HintHighlight, false)
    KVL_FOOTER_PROPERTY(bool, AutoSearch, false)
    KVL_FOOTER_PROPERTY(bool, AlwaysHighLight, false)
    KVL_FOOTER_PROPERTY(bool, SearchActiveColumnOnly, false)
    KVL_FOOTER_PROPERTY(bool, SearchMatchStart, false)
    KVL_FOOTER_PROPERTY(bool, SearchFixedCells, false)
    KVL_FOOTER_PROPERTY(bool, SearchHiddenRows, false)
    KVL_FOOTER_PROPERTY(int, SearchColumn, false)
    KVL_FOOTER_PROPERTY(TSearchDirection, SearchDirection, false)
    KVL_FOOTER_PROPERTY(bool, AutoThemeAdapt, false)
#undef KVL_FOOTER_PROPERTY

    // The text last searched for.
    String LastSearch;
    TNotifyEvent OnChange;

private:
    template <class T> void Store(T& Field, const T& Value, bool WhenChanged)
    {
        if (WhenChanged && Field == Value) return;
        Field = Value;
        if (OnChange) OnChange(this);
    }
    TPersistent* FOwner;
    std::unique_ptr<TFont> FFont;
    bool FVisible = false;
    TColor FColor = 0xFFFFFF;
    TColor FColorTo = clBtnFace;
    bool FShowFindNext = true, FShowFindPrev = true, FShowMatchCase = true, FShowHighLight = true, FShowClose = true;
    String FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHighLightCaption;
    String FHintClose, FHintFindNext, FHintFindPrev, FHintHighlight;
    bool FAutoSearch = true;
    bool FAlwaysHighLight = false, FSearchActiveColumnOnly = false, FSearchMatchStart = false, FSearchFixedCells = false,
         FSearchHiddenRows = false;
    int FSearchColumn = -1;
    TSearchDirection FSearchDirection = sdTopBottom;
    bool FAutoThemeAdapt = false;
};

// How the keyboard moves and edits. AdvanceDirection and AdvanceInsert report their changes
// through OnChange; switching AdvanceAuto on switches AdvanceOnEnter on too; the rest store only.
class TNavigation : public TPersistent {
public:
    // Copies every setting but KeepScrollOnSort, without reporting.
    void Assign(TPersistent* Source) override;

    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection Value);
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool Value);
    bool AdvanceAuto() const { return FAdvanceAuto; }
    void SetAdvanceAuto(bool Value);

    bool AllowClipboardRowGrow = true, AllowClipboardColGrow = true, CopyHTMLTagsToClipboard = true,
         EditSelectAll = true, SkipFixedCells = true, SkipDisabledRows = true, AllowCtrlEnter = true,
         CursorWalkAlwaysEdit = true, AdvanceAutoEdit = true, LeftRightRowSelect = true, ComboGetUpDown = true;
    bool AllowInsertRow = false, AllowDeleteRow = false, AlwaysEdit = false, AdvanceOnEnter = false,
         AutoGotoWhenSorted = false, AutoGotoIncremental = false,
         AutoComboDropSize = false, AllowClipboardShortCuts = false, AllowSmartClipboard = false,
         AllowRTFClipboard = false, AllowFmtClipboard = false, AllowClipboardAlways = false,
         AppendOnArrowDown = false, CursorWalkEditor = false, MoveRowOnSort = false, KeepScrollOnSort = false,
         MoveScrollOnly = false, ImproveMaskSel = false, KeepHorizScroll = false, LineFeedOnEnter = false,
         TabToNextAtEnd = false;
    TAdvanceDirection TabAdvanceDirection = adLeftRight;
    TInsertPosition InsertPosition = pInsertBefore;
    TClipboardPasteAction ClipboardPasteAction = paReplace;
    THomeEndAction HomeEndKey = heFirstLastColumn;
    TNotifyEvent OnChange;

private:
    void Changed();
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceInsert = false, FAdvanceAuto = false;
};

using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;

// What the mouse does in the grid. The settings with consequences report them: HotmailRowSelect
// through OnInvalidate, EditOnDblClickOnly through OnDisableEdit, WheelAction through OnChange;
// at design time the three disjunct selections exclude each other. The rest store only.
class TMouseActions : public TPersistent {
public:
    explicit TMouseActions(TCustomGrid* AOwner) : FOwner(AOwner) {}
    // Copies every setting but EditOnDblClickOnly, HotmailRowSelect and SizeFixedRow, without
    // reporting.
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override { return FOwner; }

    // On also turns on DisjunctRowSelect and CheckAllCheck; either way the grid repaints.
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    void SetHotmailRowSelect(bool Value);
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool Value);
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction Value);

    bool AutoSizeColOnDblClick = true, PreciseNodeClick = true;
    bool AllColumnSize = false, AllRowSize = false, AllSelect = false, CaretPositioning = false,
         CheckAllCheck = false, ColSelect = false, DirectComboClose = false, DirectComboDrop = false,
         DirectDateClose = false, DirectDateDrop = false, DirectEdit = false, DisjunctRowSelectNoCtrl = false,
         MoveRowOnNodeClick = false, NoAutoRangeScroll = false, NodeAllExpandContract = false,
         NoScrollOnPartialRow = false, PreciseCheckBoxCheck = false, RangeSelectAndEdit = false, RowSelect = false,
         RowSelectPersistent = false, SelectOnRightClick = false, SizeFixedCol = false, SizeFixedRow = false;
    TGridFixedCellEdit FixedRowsEdit = fceNone;
    TGridFixedCellEdit FixedColsEdit = fceNone;
    int WheelIncrement = 0;
    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDisableEdit;
    TIsDesigningEvent OnIsDesigning;

private:
    bool IsDesigning();
    TCustomGrid* FOwner;
    bool FHotmailRowSelect = false, FEditOnDblClickOnly = false, FDisjunctRowSelect = false,
         FDisjunctColSelect = false, FDisjunctCellSelect = false;
    TWheelAction FWheelAction = waMoveSelection;
};

// Another grid kept in step with the owner grid.
class TSyncGrid : public TPersistent {
public:
    explicit TSyncGrid(TCustomGrid* AOwner) : FOwner(AOwner) {}
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override { return FOwner; }

    TCustomGrid* Grid() const { return FGrid; }
    // The owner grid itself is refused.
    void SetGrid(TCustomGrid* Value);

    bool ScrollVertical = false, ScrollHorizontal = false, SelectionColumn = false, SelectionRow = false,
         MoveColumn = false, MoveRow = false;

private:
    TCustomGrid* FOwner;
    TCustomGrid* FGrid = nullptr;
};

// Banded row colours. Active reports its changes through OnChange; the colours and lengths
// store when changed, keep TotalLength their sum, and report only while the bands are active.
class TBands : public TPersistent {
public:
    // Copies the settings without reporting and without recomputing TotalLength.
    void Assign(TPersistent* Source) override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int Value);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int Value);
    int TotalLength() const { return FTotalLength; }

    bool Print = false;
    TNotifyEvent OnChange;

private:
    template <class T> void Store(T& Field, T Value)
    {
        if (Field == Value) return;
        Field = Value;
        FTotalLength = FPrimaryLength + FSecondaryLength;
        if (FActive && OnChange) OnChange(this);
    }
    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    TColor FSecondaryColor = clWindow;
    int FPrimaryLength = 1;
    int FSecondaryLength = 1;
    int FTotalLength = 2;
};

// Whether the grid shows its focus frame round the cell being edited.
class TFocusHelper : public TPersistent {
public:
    explicit TFocusHelper(TCustomGrid* AOwner) : FOwner(AOwner) {}
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override { return FOwner; }

    bool Enabled = false;

private:
    TCustomGrid* FOwner;
};

// ---- Small windows -------------------------------------------------------------------------

// A lime arrow-shaped pop-up that marks where a moved column or row would land.
class TArrowWindow : public TPanel {
public:
    TArrowWindow(TWinControl* AOwner, TArrowDirection Direction);

    TArrowDirection Dir() const { return FDir; }
    const POINT* Arrow() const { return FArrow; }

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;

private:
    TArrowDirection FDir;
    POINT FArrow[7]{};
};

// A floating caption button shown while a column is dragged.
class TPopupButton : public TCustomControl {
public:
    explicit TPopupButton(TComponent* AOwner);

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TColor GradFrom = clNone;
    TColor GradTo = clNone;
    TColor GradMirrorFrom = 0;
    TColor GradMirrorTo = 0;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;

private:
    String FCaption;
    bool FFlat = false;
};

// The top-most tool window the grid moves round the cell being edited; it paints nothing.
class TGridFocusWindow : public TCustomControl {
public:
    explicit TGridFocusWindow(TComponent* AOwner);
    void CreateParams(TCreateParams& Params) override;
};
