#pragma once
// The settings objects and small classes TAdvStringGrid owns (part of unit AdvGrid, kept in a
// header of their own). Each holds its settings with the defaults the grid starts with; the grid
// code that reads a setting does what it means, and the behaviour of each class beyond its
// settings arrives with the part of the grid that owns it.
#include <windows.h>

#include <functional>
#include <memory>

#include "framework/classes/Collection.h"
#include "framework/classes/Component.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/printers/Printers.h"
#include "framework/grids/Grids.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/RadioGroup.h"
#include "framework/classes/StringList.h"
#include "grid/dropdown/AdvDropDown.h"
#include "grid/foundation/AdvObj.h"
#include "grid/foundation/BaseGrid.h"

class TAdvStringGrid;

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };
// The look of check boxes, radio buttons and buttons in cells.
enum TGridControlStyle { csClassic, csFlat, csWinXP, csVelmark, csQRX, csGlyph, csTheme };
enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };
enum TColumnSizeLocation { clRegistry, clIniFile };
enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders { pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal, pbCustom };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

// The floating footer's settings (the strip itself is the TFooterPanel). The look setters repaint
// the panel; Visible also decides the grid's footer row.
class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TAdvStringGrid* AGrid) : FGrid(AGrid) {}
    TAdvStringGrid* Grid() const { return FGrid; }
    // From another floating footer: its settings, Visible through the setter (not BorderColor,
    // Height, EnableCalculation or the event); any other source is ignored.
    void Assign(TPersistent* Source) override;
    // Repaints the footer panel.
    void Invalidate();

    int Height() const { return FHeight; }
    // The panel takes the height less its one-pixel top line, also while the footer is hidden.
    void SetHeight(int Value);
    bool Visible() const { return FVisible; }
    // The panel shows or hides; with the fixed-last-row style the grid's last row becomes its
    // footer row.
    void SetVisible(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    int Column() const { return FColumn; }
    void SetColumn(int Value);
    String CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const String& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);

    TCalcFooterEvent OnCalcFooter;
    bool CalculateHiddenRows = true;
    bool EnableCalculation = true;

private:
    // The grid hides the footer for a moment while it moves rows, without touching the panel.
    friend class TAdvStringGrid;
    bool FixedLastRow() const { return FVisible && FFooterStyle == fsFixedLastRow; }
    TAdvStringGrid* FGrid;
    int FHeight = 0;
    bool FVisible = false;
    TColor FColor = clBtnFace;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    int FColumn = 0;
    String FCustomTemplate;
    bool FShowHint = false;
    TColor FBorderColor = clNone;
};

// The strip at the bottom of the grid that shows the floating footer.
class TFooterPanel : public TCustomPanel {
public:
    explicit TFooterPanel(TComponent* AOwner);
};

// The strip at the bottom of the grid that holds the search footer's edit and buttons.
class TSearchPanel : public TCustomPanel {
public:
    explicit TSearchPanel(TComponent* AOwner);
    TNotifyEvent OnEditChange;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighLightClick;
};

// Settings handed over as a class they are not.
KVL_DECLARE_EXCEPTION(EInvalidCast, Exception);

// Page layout, header and footer items, fonts and borders of printing.
class TPrintSettings : public TPersistent {
public:
    explicit TPrintSettings(TCustomGrid* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    // Copies every setting of another TPrintSettings (fonts and title lines into the own ones);
    // FixedCellsAlways and the owner stay. Another class raises EInvalidCast.
    void Assign(TPersistent* Source) override;
    TFont* Font() const { return FFont.get(); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    TStringList* TitleLines() const { return FTitleLines.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
    void SetFooterFont(TFont* Value) { FFooterFont->Assign(Value); }
    void SetFixedFont(TFont* Value) { FFixedFont->Assign(Value); }
    void SetTitleLines(TStrings* Value) { FTitleLines->Assign(Value); }

    TPenStyle BorderStyle = psSolid;
    int FooterSize = 0, HeaderSize = 0, LeftSize = 0, RightSize = 0, ColumnSpacing = 0, RowSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    int FixedHeight = 0, FixedWidth = 0;
    bool FixedCellsAlways = false;

    String PagePrefix, PageSuffix;
    String PageNumSep = L"/";
    String DateFormat = L"dd/mm/yyyy";
    int TitleSpacing = 0, PageNumberOffset = 0, MaxPagesOffset = 0;
    TPrintBorders Borders = pbSingle;
    bool Centered = true;
    bool UseDisplayFont = true;
    bool RepeatFixedRows = false, RepeatFixedCols = false;
    TColor BorderColor = 0;
    TPrintPosition Time = ppNone, Date = ppNone, PageNr = ppNone, Title = ppNone;
    TFitToPage FitToPage = fpNever;
    bool UseFixedHeight = false, UseFixedWidth = false, NoAutoSize = false, NoAutoSizeRow = false, PrintGraphics = false,
         UseDefaultOrientation = false;
    String TitleText, JobName;

private:
    TCustomGrid* FOwner;
    std::unique_ptr<TFont> FFont, FHeaderFont, FFooterFont, FFixedFont;
    std::unique_ptr<TStringList> FTitleLines;
};

// Options of the HTML export.
class THTMLSettings : public TPersistent {
public:
    THTMLSettings() : FColWidths(std::make_unique<TIntList>()) {}
    // Copies the table and page options of another THTMLSettings; ExportImages and the column
    // widths stay. Any other source is ignored.
    void Assign(TPersistent* Source) override;
    TIntList* ColWidths() const { return FColWidths.get(); }
    bool AutoPreview = false, ConvertSpecialChars = false, NonBreakingText = false;
    bool SaveColor = true, SaveFonts = true, ExportImages = true, XHTML = false;
    String FooterFile, HeaderFile, TableStyle, PrefixTag, SuffixTag, Summary;
    int BorderSize = 1, CellSpacing = 0, CellPadding = 0, Width = 100;

private:
    std::unique_ptr<TIntList> FColWidths;
};

// Sorting settings; what they drive arrives with sorting.
enum TSortDirection { sdAscending, sdDescending };
enum TSortBlankPosition { blFirst, blLast };
enum TIndexSortKey { ikShift, ikCtrl };

// The sort settings that the header shows: the sort column and row, the direction, the glyphs and
// the header colours of the sorted column.
class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TAdvStringGrid* AGrid);
    TAdvStringGrid* Grid() const { return FGrid; }

    bool Show() const { return FShow; }
    // Repaints the grid on change.
    void SetShow(bool Value);
    // The glyphs are the settings' own; the setters copy the caller's bitmap.
    TBitmap* UpGlyph() const { return FUpGlyph.get(); }
    void SetUpGlyph(TBitmap* Value) { FUpGlyph->Assign(Value); }
    TBitmap* DownGlyph() const { return FDownGlyph.get(); }
    void SetDownGlyph(TBitmap* Value) { FDownGlyph->Assign(Value); }
    TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
    void SetIndexUpGlyph(TBitmap* Value) { FIndexUpGlyph->Assign(Value); }
    TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
    void SetIndexDownGlyph(TBitmap* Value) { FIndexDownGlyph->Assign(Value); }

    // Copies every setting of another TSortSettings (the glyphs into the own bitmaps) except
    // VirtualCells and IgnoreCase; any other source is ignored.
    void Assign(TPersistent* Source) override;

    bool IndexShow = false;
    bool Full = true;         // equal cells fall through to the next column or index entry
    bool SingleColumn = false; // a swap exchanges only the sort column's cells
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool AutoFormat = true;
    TSortDirection Direction = sdAscending;
    bool NormalCellsOnly = false;
    bool FixedCols = false; // fixed columns' headers sort and show the indicator too
    int Column = -1;        // -1: no sort column
    int Row = 0;            // the fixed row that shows the indicators
    bool AutoColumnMerge = false;
    TColor IndexColor = 0x00FFFF;
    TSortDirection InitSortDirection = sdAscending;
    bool UndoSort = false;
    bool AutoSortForGrouping = true;
    bool VirtualCells = true; // compare the display texts (SortOnVirtualCells)
    bool IgnoreCase = false;
    TColor HeaderColor = clNone, HeaderColorTo = clNone, HeaderMirrorColor = clNone, HeaderMirrorColorTo = clNone;
    TIndexSortKey IndexSortKey = ikShift;

private:
    TAdvStringGrid* FGrid;
    bool FShow = false;
    std::unique_ptr<TBitmap> FUpGlyph, FDownGlyph, FIndexUpGlyph, FIndexDownGlyph;
};

class TDragDropSettings : public TPersistent {
public:
    explicit TDragDropSettings(TAdvStringGrid* AGrid) : FGrid(AGrid) {}
    void Assign(TPersistent* Source) override;
    bool OleDropRTF = false, OleAcceptText = true, OleEntireRows = false, OleDropSource = false, OleRemoveRows = false,
         OleAcceptFiles = true, OleAcceptURLs = true, OleDropTarget = false, OleInsertRows = false, OleCopyAlways = false,
         OleColumnDragDrop = false, ShowCells = true;

private:
    TAdvStringGrid* FGrid;
};

class TDragScrollOptions : public TPersistent {
public:
    void Assign(TPersistent* Source) override;
    bool Active = false;
    int InitialDelay = 1000, RepeatDelay = 250;
    int TopMargin = 50, BottomMargin = 50, LeftMargin = 50, RightMargin = 50;
};

// The look of in-cell controls and the fixed-cell gradients. The look setters repaint the grid;
// the fixed gradient colours go on to the grid's own gradient colours, which the cells paint with.
class TControlLook : public TPersistent {
public:
    explicit TControlLook(TAdvStringGrid* AGrid);
    ~TControlLook() override;
    // Copies the settings without repainting or forwarding (another class is ignored).
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value);
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(TBitmap* Value);
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(TBitmap* Value);
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(TBitmap* Value);
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(TBitmap* Value);
    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int Value);
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int Value);
    TGridControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TGridControlStyle Value);
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool Value);
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool Value);
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool Value);
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool Value);
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool Value);
    int ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(int Value);
    int ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(int Value);
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool Value);
    // The header and footer bars of the grid's drop-down editors; the setters copy the given
    // settings (no repaint: the bars are drawn when a drop-down opens).
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }

    // Read where they act (toggling, painting, the header button); storing is all they need.
    bool CheckAlwaysActive = false, RadioAlwaysActive = false, FixedDropDownButton = false;
    TColor ProgressBorderColor = clGray;

    // The fixed-cell gradient, forwarded to the grid's gradient colours: From, To and the hover
    // and down colours only when not clNone, the mirror colours always.
    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor Value);
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor Value);
    TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor Value);
    TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(TColor Value);
    TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(TColor Value);
    TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(TColor Value);
    TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor Value);
    TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor Value);
    TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(TColor Value);
    TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(TColor Value);
    TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(TColor Value);
    TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor Value);
    TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor Value);
    TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(TColor Value);

private:
    void Changed();
    void SetGlyph(std::unique_ptr<TBitmap>& Glyph, TBitmap* Value);

    TAdvStringGrid* FGrid;
    TColor FColor = 0;
    TColor FCommentColor = clRed;
    std::unique_ptr<TBitmap> FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    int FCheckSize = 15, FRadioSize = 10;
    TGridControlStyle FControlStyle = csTheme;
    bool FDropDownAlwaysVisible = false, FSpinButtonsAlwaysVisible = false, FFlatButton = false,
         FNoDisabledCheckRadioLook = false, FNoDisabledButtonLook = false, FProgressXP = false;
    int FProgressMarginX = 2, FProgressMarginY = 2;
    TColor FFixedGradientFrom = clNone, FFixedGradientTo = clNone, FFixedGradientMirrorFrom = clNone,
           FFixedGradientMirrorTo = clNone;
    TColor FFixedGradientHoverFrom = clWhite, FFixedGradientHoverTo = clGray, FFixedGradientHoverMirrorFrom = clNone,
           FFixedGradientHoverMirrorTo = clNone, FFixedGradientHoverBorder = clSilver;
    TColor FFixedGradientDownFrom = clSilver, FFixedGradientDownTo = clGray, FFixedGradientDownMirrorFrom = clNone,
           FFixedGradientDownMirrorTo = clNone, FFixedGradientDownBorder = clGray;
};

// Where column states are kept and how columns follow the grid's width.
enum TAutoSizeRows { arAll, arNormal, arFixed };

class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TCustomGrid* AOwner) : FOwner(AOwner) {}
    TPersistent* GetOwner() override { return FOwner; }
    void Assign(TPersistent* Source) override;
    bool Save = false;
    String Key, Section;
    bool Stretch = false;
    int StretchColumn = -1;
    bool SynchWithGrid = false, SynchNormalCellsOnly = false;
    TColumnSizeLocation Location = clRegistry;
    // The rows whose cells automatic column sizing measures.
    TAutoSizeRows Rows = arAll;

private:
    TCustomGrid* FOwner;
};

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

// The look of outline nodes: the expand/contract glyph and the tree lines. The look setters
// repaint the grid.
class TCellNode : public TPersistent {
public:
    explicit TCellNode(TAdvStringGrid* AGrid);
    void Assign(TPersistent* Source) override;

    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType Value);
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool Value);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor Value);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int Value);
    // The glyphs are the settings' own; the setters copy the caller's bitmap.
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(TBitmap* Value) { FExpandGlyph->Assign(Value); }
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(TBitmap* Value) { FContractGlyph->Assign(Value); }

    TColor Color = 0xC0C0C0;
    TColor NodeColor = 0;
    bool ExpandOne = false; // expanding one node contracts every other

private:
    void Changed();
    TAdvStringGrid* FGrid;
    TNodeType FNodeType = cnXP;
    std::unique_ptr<TBitmap> FExpandGlyph, FContractGlyph;
    bool FShowTree = true, FShowTreeFull = true;
    int FNodeIndent = 12;
    TColor FTreeColor = 0x808080;
};

class TSizeWhileTyping : public TPersistent {
public:
    bool Height = false;
    bool Width = false;
};

// Group header and summary looks: plain values, read at the next grouping or paint.
class TGrouping : public TPersistent {
public:
    // Copies the colours, merging and counting; not Summary, AutoSelectGroup or the line settings.
    void Assign(TPersistent* Source) override;
    bool MergeHeader = false, MergeSummary = false;
    TColor HeaderColor = clNone, SummaryColor = clNone, HeaderColorTo = clNone, HeaderTextColor = clNone;
    bool Summary = false;
    TColor SummaryTextColor = clNone, SummaryColorTo = clNone;
    bool HeaderUnderline = false, SummaryLine = false;
    int SummaryLineWidth = 2, HeaderLineWidth = 2;
    TColor SummaryLineColor = clBlue, HeaderLineColor = clBlue;
    bool ShowGroupCount = false;
    String GroupCountFormat;
    bool AutoSelectGroup = false;
};

// The grid's background picture or gradient; every setter repaints the grid.
class TBackGround : public TPersistent {
public:
    explicit TBackGround(TAdvStringGrid* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}
    int Top() const { return FTop; }
    void SetTop(int Value);
    int Left() const { return FLeft; }
    void SetLeft(int Value);
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay Value);
    TBackGroundCells Cells() const { return FBackgroundCells; }
    void SetCells(TBackGroundCells Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Copies the given bitmap (the caller keeps it).
    void SetBitmap(TBitmap* Value);

private:
    void Changed();
    TAdvStringGrid* FGrid;
    int FTop = 0, FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    TBackGroundCells FBackgroundCells = bcNormal;
    TColor FColorTo = clBtnFace;
    TColor FColor = clWindow;
    std::unique_ptr<TBitmap> FBitmap;
};

enum TProgressStyle { psXP, psClassic };

// How progress cells look; every change that alters a value is reported through OnChange.
class TGridProgressAppearance : public TPersistent {
public:
    // Copies every value from another appearance, then reports one change.
    void Assign(TPersistent* Source) override;

#define KVL_PROGRESS_PROPERTY(Type, Name)                                                                      \
    Type Name() const { return FValues.Name; }                                                                          \
    void Set##Name(Type Value) { Store(FValues.Name, Value); }
    KVL_PROGRESS_PROPERTY(TColor, CompleteColor)
    KVL_PROGRESS_PROPERTY(TColor, CompleteFontColor)
    KVL_PROGRESS_PROPERTY(TColor, UnCompleteColor)
    KVL_PROGRESS_PROPERTY(TColor, UnCompleteFontColor)
    KVL_PROGRESS_PROPERTY(TColor, Level0Color)
    KVL_PROGRESS_PROPERTY(TColor, Level0ColorTo)
    KVL_PROGRESS_PROPERTY(TColor, Level1Color)
    KVL_PROGRESS_PROPERTY(TColor, Level1ColorTo)
    KVL_PROGRESS_PROPERTY(TColor, Level2Color)
    KVL_PROGRESS_PROPERTY(TColor, Level2ColorTo)
    KVL_PROGRESS_PROPERTY(TColor, Level3Color)
    KVL_PROGRESS_PROPERTY(TColor, Level3ColorTo)
    KVL_PROGRESS_PROPERTY(int, Level1Perc)
    KVL_PROGRESS_PROPERTY(int, Level2Perc)
    KVL_PROGRESS_PROPERTY(TColor, BorderColor)
    KVL_PROGRESS_PROPERTY(bool, ShowBorder)
    KVL_PROGRESS_PROPERTY(bool, Stacked)
    KVL_PROGRESS_PROPERTY(bool, ShowPercentage)
    KVL_PROGRESS_PROPERTY(bool, CompletionSmooth)
    KVL_PROGRESS_PROPERTY(bool, ShowGradient)
    KVL_PROGRESS_PROPERTY(int, Steps)
    KVL_PROGRESS_PROPERTY(TProgressStyle, Style)
#undef KVL_PROGRESS_PROPERTY

    TNotifyEvent OnChange;

private:
    template <class T> void Store(T& Field, T Value)
    {
        if (Field == Value) return;
        Field = Value;
        if (OnChange) OnChange(this);
    }
    struct TValues {
        TColor CompleteColor = clRed, CompleteFontColor = clBlue, UnCompleteColor = clNone,
               UnCompleteFontColor = clWindowText;
        TColor Level0Color = clLime, Level0ColorTo = 0xE1FFE1, Level1Color = clYellow, Level1ColorTo = 0xCAFFFF,
               Level2Color = 0x53A9FF, Level2ColorTo = 0xA8D3FF, Level3Color = clRed, Level3ColorTo = 0xCACAFF;
        int Level1Perc = 70, Level2Perc = 90;
        TColor BorderColor = clBlack;
        bool ShowBorder = false, Stacked = false, ShowPercentage = true, CompletionSmooth = true, ShowGradient = true;
        int Steps = 11;
        TProgressStyle Style = psXP;
    } FValues;
};

// One hidden row: its cells (texts with their property objects, every stored column), its height,
// the real index it had and the filter level that hid it. The item owns the property objects of
// its row and frees them with itself.
class TGridItem : public TCollectionItem {
public:
    explicit TGridItem(TCollection* Collection);
    ~TGridItem() override;

    int Idx = 0;
    int Height = 0;
    int Level = 0;
    // The cells as a string list; objects are the cells' TCellProperties (or null). The cells stay
    // in the grid's row form, which moves in and out of the grid whole, until the list is first
    // asked for: from then on the list holds them.
    TStringList* Items() const;
    // Takes the cells' objects out of the item (they are going back into the grid).
    void ReleaseObjects();
    // Frees the cells' objects and empties the texts; the row stays hidden.
    void ClearCells();

private:
    friend class TAdvStringGrid;
    mutable TBaseGrid::TStoredRow FRow;
    mutable std::unique_ptr<TStringList> FItems;
};

enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };

// One filter condition: which text of which column it tests, and how its match combines with the
// conditions before it.
class TFilterData : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    void Assign(TPersistent* Source) override;
    int Column = 0;
    String Condition;
    bool CaseSensitive = true;
    // Removed from the end and the start of the cell text before matching.
    String Suffix, Prefix;
    TFilterOperation Operation = foSHORT;
    TFilterCells Data = fcVirtual;
};

// The grid's filter conditions, tested in order (ApplyFilter).
class TFilter : public TOwnedCollection {
public:
    explicit TFilter(TAdvStringGrid* AGrid);
    TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
    // Conditions are only ever appended, whatever the index.
    TFilterData* Insert(int) { return Add(); }
    TFilterData* Items(int Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
    // The first condition on the column, or a new one made for it.
    TFilterData* GetColumnFilter(int Col);
    bool HasFilter(int Col) const;
    // Removes every condition on the column and repaints its header cell.
    void RemoveColumnFilter(int Col);

private:
    TAdvStringGrid* FGrid;
};

class TBalloonSettings : public TPersistent {
public:
    // Copies colours, delays and Enable (without the event); not Transparency.
    void Assign(TPersistent* Source) override;
    bool Init = false; // the balloon window has been set up
    TColor BackgroundColor = clNone, TextColor = clNone;
    int ReshowDelay = -1, InitialDelay = -1, AutoHideDelay = -1; // milliseconds; -1: the system's
    int Transparency = 0;
    bool Enable() const { return FEnable; }
    // Reports every assignment, also of the same value.
    void SetEnable(bool Value);
    TNotifyEvent OnEnableChange;

private:
    bool FEnable = false;
};

// Marking of modified rows; Enabled is read where rows are marked, Color reports each assignment.
class TShowModified : public TPersistent {
public:
    void Assign(TPersistent* Source) override;
    bool Enabled = false;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TNotifyEvent OnChange;

private:
    TColor FColor = clYellow;
};

class TFilterDropDown : public TPersistent {
public:
    TFilterDropDown()
        : FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>()),
          FGlyphActive(std::make_unique<TBitmap>())
    {
    }
    TFont* Font() const { return FFont.get(); }
    // The header filter button's pictures, normal and while the column is filtered; each setter
    // copies the given bitmap (the caller keeps it) and reports the change.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TBitmap* GlyphActive() const { return FGlyphActive.get(); }
    void SetGlyphActive(TBitmap* Value);
    bool AutoSize = false;
    int Height = 150, Width = 150;
    TColor Color = clWindow;
    TNotifyEvent OnChange;

private:
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBitmap> FGlyph, FGlyphActive;
};

using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

// The list shown under a header's filter button.
// A form that never takes the focus: it carries the picture of cells being dragged or moved.
class TNoActiveForm : public TForm {
public:
    using TForm::TForm;
    static TNoActiveForm* CreateNew(TComponent* AOwner);
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
};

// The list of a column's filter drop-down: Enter or a click picks the item (the list hides and
// reports it through OnSelect); a click elsewhere closes it without a pick.
class TDropList : public TListBox {
public:
    using TListBox::TListBox;
    TDropSelectEvent OnSelect;
    void WndProc(TMessage& Message) override;
    void KeyPress(wchar_t& Key) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void Pick();
};

// A component that hears of the grid's cell changes (RegisterNotifier).
class TGridChangeNotifier : public TComponent {
public:
    using TComponent::TComponent;
    virtual void CellsChanged(TRect R) {}
};

// The grid's hint window class.
class THTMLHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
};

// The grid's default in-place text editor.
class TAdvInplaceEdit : public TInplaceEdit {
public:
    using TInplaceEdit::TInplaceEdit;
};
