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
#include "framework/grids/Grids.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/RadioGroup.h"
#include "framework/classes/StringList.h"
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

// The floating footer's settings (the strip itself is the TFooterPanel).
class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TAdvStringGrid* AGrid) : FGrid(AGrid) {}
    TAdvStringGrid* Grid() const { return FGrid; }

    int Height = 0;
    bool Visible = false;
    TColor Color = clBtnFace;
    TFooterStyle FooterStyle = fsFixedLastRow;
    int Column = 0;
    TCalcFooterEvent OnCalcFooter;
    String CustomTemplate;
    bool CalculateHiddenRows = true;
    bool EnableCalculation = true;
    bool ShowHint = false;
    TColor BorderColor = clNone;

private:
    TAdvStringGrid* FGrid;
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

class TPrintSettings : public TPersistent {
public:
    explicit TPrintSettings(TCustomGrid* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TFont* Font() const { return FFont.get(); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    TStringList* TitleLines() const { return FTitleLines.get(); }

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

class THTMLSettings : public TPersistent {
public:
    THTMLSettings() : FColWidths(std::make_unique<TIntList>()) {}
    TIntList* ColWidths() const { return FColWidths.get(); }
    bool SaveColor = true, SaveFonts = true, ExportImages = true;
    int BorderSize = 1, CellSpacing = 0, CellPadding = 0, Width = 100;

private:
    std::unique_ptr<TIntList> FColWidths;
};

// Sorting settings; what they drive arrives with sorting.
class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TAdvStringGrid* AGrid) : FGrid(AGrid) {}
    TAdvStringGrid* Grid() const { return FGrid; }

private:
    TAdvStringGrid* FGrid;
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

class TControlLook : public TPersistent {
public:
    explicit TControlLook(TAdvStringGrid* AGrid) : FGrid(AGrid) {}
    TColor Color = 0;
    TColor CommentColor = clRed;
    int CheckSize = 15, RadioSize = 10;
    bool CheckAlwaysActive = false, RadioAlwaysActive = false;
    TGridControlStyle ControlStyle = csTheme;
    bool DropDownAlwaysVisible = false, SpinButtonsAlwaysVisible = false, FlatButton = false,
         NoDisabledCheckRadioLook = false, NoDisabledButtonLook = false, ProgressXP = false, FixedDropDownButton = false;
    TColor ProgressBorderColor = clGray;
    int ProgressMarginX = 2, ProgressMarginY = 2;
    // The fixed-cell gradient; a colour other than clNone becomes the grid's own fixed-cell
    // gradient colour (QRXGradientFrom, QRXGradientTo), which is what the cells paint with.
    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor Value);
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor Value);
    TColor FixedGradientMirrorFrom = clNone, FixedGradientMirrorTo = clNone;
    TColor FixedGradientHoverFrom = clWhite, FixedGradientHoverTo = clGray, FixedGradientHoverMirrorFrom = clNone,
           FixedGradientHoverMirrorTo = clNone, FixedGradientHoverBorder = clSilver;
    TColor FixedGradientDownFrom = clSilver, FixedGradientDownTo = clGray, FixedGradientDownMirrorFrom = clNone,
           FixedGradientDownMirrorTo = clNone, FixedGradientDownBorder = clGray;

private:
    TAdvStringGrid* FGrid;
    TColor FFixedGradientFrom = clNone, FFixedGradientTo = clNone;
};

// Where column states are kept and how columns follow the grid's width.
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

private:
    TCustomGrid* FOwner;
};

// Outline node settings; the nodes arrive with outlining.
class TCellNode : public TPersistent {
public:
    explicit TCellNode(TAdvStringGrid* AGrid) : FGrid(AGrid) {}

private:
    TAdvStringGrid* FGrid;
};

class TSizeWhileTyping : public TPersistent {
public:
    bool Height = false;
    bool Width = false;
};

class TGrouping : public TPersistent {
public:
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

class TBackGround : public TPersistent {
public:
    explicit TBackGround(TAdvStringGrid* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}
    TBitmap* Bitmap() const { return FBitmap.get(); }
    int Top = 0, Left = 0;
    TBackGroundDisplay Display = bdTile;
    TBackGroundCells Cells = bcNormal;
    TColor Color = clWindow;
    TColor ColorTo = clBtnFace;

private:
    TAdvStringGrid* FGrid;
    std::unique_ptr<TBitmap> FBitmap;
};

class TGridProgressAppearance : public TPersistent {
public:
    TNotifyEvent OnChange;
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

class TFilterData : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
};

// The filter conditions; applying them arrives with filtering.
class TFilter : public TOwnedCollection {
public:
    explicit TFilter(TAdvStringGrid* AGrid);
};

class TBalloonSettings : public TPersistent {
public:
    bool Init = false;
    TColor BackgroundColor = clNone, TextColor = clNone;
    int ReshowDelay = -1, InitialDelay = -1, AutoHideDelay = -1;
    int Transparency = 0;
    bool Enable = false;
    TNotifyEvent OnEnableChange;
};

class TShowModified : public TPersistent {
public:
    bool Enabled = false;
    TColor Color = clYellow;
    TNotifyEvent OnChange;
};

class TFilterDropDown : public TPersistent {
public:
    TFilterDropDown() : FFont(std::make_unique<TFont>()) {}
    TFont* Font() const { return FFont.get(); }
    bool AutoSize = false;
    int Height = 150, Width = 150;
    TColor Color = clWindow;
    TNotifyEvent OnChange;

private:
    std::unique_ptr<TFont> FFont;
};

using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

// The list shown under a header's filter button.
class TDropList : public TListBox {
public:
    using TListBox::TListBox;
    TDropSelectEvent OnSelect;
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
