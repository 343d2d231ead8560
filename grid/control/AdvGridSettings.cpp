#include "grid/control/AdvGridSettings.h"

#include <algorithm>

#include "grid/control/AdvGrid.h"

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomPanel(AOwner)
{
    SetAlign(alBottom);
    SetHeight(0);
    SetBorderWidth(0);
    SetVisible(false);
}

// ---- Floating footer -------------------------------------------------------------------------

void TFloatingFooter::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TFloatingFooter*>(Source);
    if (src == nullptr) return;
    CalculateHiddenRows = src->CalculateHiddenRows;
    FColor = src->FColor;
    FColumn = src->FColumn;
    FCustomTemplate = src->FCustomTemplate;
    FFooterStyle = src->FFooterStyle;
    SetVisible(src->FVisible);
    FShowHint = src->FShowHint;
}

void TFloatingFooter::Invalidate()
{
    if (FGrid != nullptr && FGrid->FooterPanel() != nullptr) FGrid->FooterPanel()->Invalidate();
}

void TFloatingFooter::SetHeight(int Value)
{
    FHeight = Value;
    if (FGrid != nullptr && FGrid->FooterPanel() != nullptr && Value > 0) FGrid->FooterPanel()->SetHeight(Value - 1);
}

void TFloatingFooter::SetVisible(bool Value)
{
    FVisible = Value;
    if (FGrid == nullptr) return;
    if (TFooterPanel* panel = FGrid->FooterPanel()) {
        panel->SetHeight(Value ? std::max(FHeight - 1, 0) : 0);
        panel->SetVisible(Value);
    }
    FGrid->SetFixedFooters(FixedLastRow() ? 1 : 0);
    FGrid->SetHideLastRow(FixedLastRow());
    FGrid->Invalidate();
}

void TFloatingFooter::SetColor(TColor Value)
{
    FColor = Value;
    Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FFooterStyle = Value;
    if (FGrid == nullptr) return;
    FGrid->SetHideLastRow(FixedLastRow());
    FGrid->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetColumn(int Value)
{
    FColumn = Value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const String& Value)
{
    FCustomTemplate = Value;
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value)
{
    FShowHint = Value;
    if (FGrid != nullptr && FGrid->FooterPanel() != nullptr) FGrid->FooterPanel()->SetShowHint(Value);
}

void TFloatingFooter::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Invalidate();
}

TSearchPanel::TSearchPanel(TComponent* AOwner) : TCustomPanel(AOwner)
{
    SetAlign(alBottom);
    SetHeight(0);
    SetBorderWidth(0);
    SetVisible(false);
}

TPrintSettings::TPrintSettings(TCustomGrid* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()), FFixedFont(std::make_unique<TFont>()), FTitleLines(std::make_unique<TStringList>())
{
}

void TPrintSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TPrintSettings*>(Source);
    if (Source != nullptr && src == nullptr) throw EInvalidCast(L"Invalid class typecast");
    // Nothing to copy from no settings at all.
    if (src == nullptr || src == this) return;
    Time = src->Time;
    Date = src->Date;
    PageNr = src->PageNr;
    PageNumSep = src->PageNumSep;
    DateFormat = src->DateFormat;
    Title = src->Title;
    FFont->Assign(src->FFont.get());
    FHeaderFont->Assign(src->FHeaderFont.get());
    FFooterFont->Assign(src->FFooterFont.get());
    Borders = src->Borders;
    BorderStyle = src->BorderStyle;
    TitleText = src->TitleText;
    FTitleLines->Assign(src->FTitleLines.get());
    Centered = src->Centered;
    RepeatFixedRows = src->RepeatFixedRows;
    RepeatFixedCols = src->RepeatFixedCols;
    FooterSize = src->FooterSize;
    HeaderSize = src->HeaderSize;
    LeftSize = src->LeftSize;
    RightSize = src->RightSize;
    ColumnSpacing = src->ColumnSpacing;
    RowSpacing = src->RowSpacing;
    TitleSpacing = src->TitleSpacing;
    Orientation = src->Orientation;
    PagePrefix = src->PagePrefix;
    PageSuffix = src->PageSuffix;
    FixedHeight = src->FixedHeight;
    UseFixedHeight = src->UseFixedHeight;
    FixedWidth = src->FixedWidth;
    UseFixedWidth = src->UseFixedWidth;
    FitToPage = src->FitToPage;
    NoAutoSize = src->NoAutoSize;
    PrintGraphics = src->PrintGraphics;
    JobName = src->JobName;
    NoAutoSizeRow = src->NoAutoSizeRow;
    PageNumberOffset = src->PageNumberOffset;
    MaxPagesOffset = src->MaxPagesOffset;
    FFixedFont->Assign(src->FFixedFont.get());
    UseDisplayFont = src->UseDisplayFont;
    UseDefaultOrientation = src->UseDefaultOrientation;
    BorderColor = src->BorderColor;
}

void THTMLSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<THTMLSettings*>(Source);
    if (src == nullptr) return;
    BorderSize = src->BorderSize;
    CellSpacing = src->CellSpacing;
    CellPadding = src->CellPadding;
    SaveColor = src->SaveColor;
    SaveFonts = src->SaveFonts;
    FooterFile = src->FooterFile;
    HeaderFile = src->HeaderFile;
    TableStyle = src->TableStyle;
    PrefixTag = src->PrefixTag;
    SuffixTag = src->SuffixTag;
    Summary = src->Summary;
    Width = src->Width;
    XHTML = src->XHTML;
    ConvertSpecialChars = src->ConvertSpecialChars;
    AutoPreview = src->AutoPreview;
    NonBreakingText = src->NonBreakingText;
}

void TDragDropSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TDragDropSettings*>(Source);
    if (src == nullptr) return;
    OleDropRTF = src->OleDropRTF;
    OleAcceptText = src->OleAcceptText;
    OleEntireRows = src->OleEntireRows;
    OleDropSource = src->OleDropSource;
    OleRemoveRows = src->OleRemoveRows;
    OleAcceptFiles = src->OleAcceptFiles;
    OleAcceptURLs = src->OleAcceptURLs;
    OleDropTarget = src->OleDropTarget;
    OleInsertRows = src->OleInsertRows;
    OleCopyAlways = src->OleCopyAlways;
    OleColumnDragDrop = src->OleColumnDragDrop;
    ShowCells = src->ShowCells;
}

void TDragScrollOptions::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TDragScrollOptions*>(Source);
    if (src == nullptr) return;
    Active = src->Active;
    InitialDelay = src->InitialDelay;
    RepeatDelay = src->RepeatDelay;
    TopMargin = src->TopMargin;
    BottomMargin = src->BottomMargin;
    LeftMargin = src->LeftMargin;
    RightMargin = src->RightMargin;
}

void TColumnSize::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TColumnSize*>(Source);
    if (src == nullptr) return;
    Save = src->Save;
    Key = src->Key;
    Section = src->Section;
    Stretch = src->Stretch;
    StretchColumn = src->StretchColumn;
    SynchWithGrid = src->SynchWithGrid;
    SynchNormalCellsOnly = src->SynchNormalCellsOnly;
    Location = src->Location;
    Rows = src->Rows;
}

// ---- Control look ----------------------------------------------------------------------------

TControlLook::TControlLook(TAdvStringGrid* AGrid)
    : FGrid(AGrid), FCheckedGlyph(std::make_unique<TBitmap>()), FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()), FRadioOffGlyph(std::make_unique<TBitmap>()),
      FDropDownHeader(std::make_unique<THeaderAppearance>(AGrid)), FDropDownFooter(std::make_unique<TFooterAppearance>(AGrid))
{
    // The hover and down colours reach the grid as a setter would send them, so the grid's own
    // hover and down gradients start from these defaults.
    SetFixedGradientHoverFrom(FFixedGradientHoverFrom);
    SetFixedGradientHoverTo(FFixedGradientHoverTo);
    SetFixedGradientHoverMirrorFrom(FFixedGradientHoverMirrorFrom);
    SetFixedGradientHoverMirrorTo(FFixedGradientHoverMirrorTo);
    SetFixedGradientHoverBorder(FFixedGradientHoverBorder);
    SetFixedGradientDownFrom(FFixedGradientDownFrom);
    SetFixedGradientDownTo(FFixedGradientDownTo);
    SetFixedGradientDownMirrorFrom(FFixedGradientDownMirrorFrom);
    SetFixedGradientDownMirrorTo(FFixedGradientDownMirrorTo);
    SetFixedGradientDownBorder(FFixedGradientDownBorder);
}

TControlLook::~TControlLook() = default;

void TControlLook::Changed()
{
    if (FGrid != nullptr) FGrid->Invalidate();
}

void TControlLook::SetGlyph(std::unique_ptr<TBitmap>& Glyph, TBitmap* Value)
{
    Glyph->Assign(Value);
    Changed();
}

void TControlLook::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TControlLook*>(Source);
    if (src == nullptr) return;
    FCheckSize = src->FCheckSize;
    FRadioSize = src->FRadioSize;
    FControlStyle = src->FControlStyle;
    FCheckedGlyph->Assign(src->FCheckedGlyph.get());
    FUnCheckedGlyph->Assign(src->FUnCheckedGlyph.get());
    FRadioOnGlyph->Assign(src->FRadioOnGlyph.get());
    FRadioOffGlyph->Assign(src->FRadioOffGlyph.get());
    FProgressMarginX = src->FProgressMarginX;
    FProgressMarginY = src->FProgressMarginY;
    FCommentColor = src->FCommentColor;
    FColor = src->FColor;
    ProgressBorderColor = src->ProgressBorderColor;
    CheckAlwaysActive = src->CheckAlwaysActive;
    RadioAlwaysActive = src->RadioAlwaysActive;
    FFixedGradientFrom = src->FFixedGradientFrom;
    FFixedGradientTo = src->FFixedGradientTo;
    FFixedGradientMirrorFrom = src->FFixedGradientMirrorFrom;
    FFixedGradientMirrorTo = src->FFixedGradientMirrorTo;
    FFixedGradientHoverFrom = src->FFixedGradientHoverFrom;
    FFixedGradientHoverTo = src->FFixedGradientHoverTo;
    FFixedGradientHoverMirrorFrom = src->FFixedGradientHoverMirrorFrom;
    FFixedGradientHoverMirrorTo = src->FFixedGradientHoverMirrorTo;
    FFixedGradientHoverBorder = src->FFixedGradientHoverBorder;
    FFixedGradientDownFrom = src->FFixedGradientDownFrom;
    FFixedGradientDownTo = src->FFixedGradientDownTo;
    FFixedGradientDownMirrorFrom = src->FFixedGradientDownMirrorFrom;
    FFixedGradientDownMirrorTo = src->FFixedGradientDownMirrorTo;
    FFixedGradientDownBorder = src->FFixedGradientDownBorder;
    FDropDownAlwaysVisible = src->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = src->FSpinButtonsAlwaysVisible;
    FDropDownFooter->Assign(src->FDropDownFooter.get());
    FDropDownHeader->Assign(src->FDropDownHeader.get());
}

void TControlLook::SetColor(TColor Value) { FColor = Value; Changed(); }
void TControlLook::SetCommentColor(TColor Value) { FCommentColor = Value; Changed(); }
void TControlLook::SetCheckedGlyph(TBitmap* Value) { SetGlyph(FCheckedGlyph, Value); }
void TControlLook::SetUnCheckedGlyph(TBitmap* Value) { SetGlyph(FUnCheckedGlyph, Value); }
void TControlLook::SetRadioOnGlyph(TBitmap* Value) { SetGlyph(FRadioOnGlyph, Value); }
void TControlLook::SetRadioOffGlyph(TBitmap* Value) { SetGlyph(FRadioOffGlyph, Value); }
void TControlLook::SetCheckSize(int Value) { FCheckSize = Value; Changed(); }
void TControlLook::SetRadioSize(int Value) { FRadioSize = Value; Changed(); }
void TControlLook::SetControlStyle(TGridControlStyle Value) { FControlStyle = Value; Changed(); }
void TControlLook::SetDropDownAlwaysVisible(bool Value) { FDropDownAlwaysVisible = Value; Changed(); }
void TControlLook::SetSpinButtonsAlwaysVisible(bool Value) { FSpinButtonsAlwaysVisible = Value; Changed(); }
void TControlLook::SetFlatButton(bool Value) { FFlatButton = Value; Changed(); }
void TControlLook::SetNoDisabledCheckRadioLook(bool Value) { FNoDisabledCheckRadioLook = Value; Changed(); }
void TControlLook::SetNoDisabledButtonLook(bool Value) { FNoDisabledButtonLook = Value; Changed(); }
void TControlLook::SetProgressMarginX(int Value) { FProgressMarginX = Value; Changed(); }
void TControlLook::SetProgressMarginY(int Value) { FProgressMarginY = Value; Changed(); }
void TControlLook::SetProgressXP(bool Value) { FProgressXP = Value; Changed(); }

void TControlLook::SetFixedGradientFrom(TColor Value)
{
    FFixedGradientFrom = Value;
    if (Value != clNone) FGrid->SetQRXGradientFrom(Value);
}

void TControlLook::SetFixedGradientTo(TColor Value)
{
    FFixedGradientTo = Value;
    if (Value != clNone) FGrid->SetQRXGradientTo(Value);
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value)
{
    FFixedGradientMirrorFrom = Value;
    FGrid->SetQRXGradientMirrorFrom(Value);
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value)
{
    FFixedGradientMirrorTo = Value;
    FGrid->SetQRXGradientMirrorTo(Value);
}

namespace {

// The hover and down colours go straight into the grid's fields: the grid paints them only
// while the mouse is over or down on a header, which repaints that header anyway.
void ForwardUnlessNone(TColor& GridColor, TColor Value)
{
    if (Value != clNone) GridColor = Value;
}

} // namespace

void TControlLook::SetFixedGradientHoverFrom(TColor Value)
{
    FFixedGradientHoverFrom = Value;
    ForwardUnlessNone(FGrid->QRXGradientHoverFrom, Value);
}

void TControlLook::SetFixedGradientHoverTo(TColor Value)
{
    FFixedGradientHoverTo = Value;
    ForwardUnlessNone(FGrid->QRXGradientHoverTo, Value);
}

void TControlLook::SetFixedGradientHoverMirrorFrom(TColor Value)
{
    FFixedGradientHoverMirrorFrom = Value;
    FGrid->QRXGradientHoverMirrorFrom = Value;
}

void TControlLook::SetFixedGradientHoverMirrorTo(TColor Value)
{
    FFixedGradientHoverMirrorTo = Value;
    FGrid->QRXGradientHoverMirrorTo = Value;
}

void TControlLook::SetFixedGradientHoverBorder(TColor Value)
{
    FFixedGradientHoverBorder = Value;
    ForwardUnlessNone(FGrid->QRXGradientHoverBorder, Value);
}

void TControlLook::SetFixedGradientDownFrom(TColor Value)
{
    FFixedGradientDownFrom = Value;
    ForwardUnlessNone(FGrid->QRXGradientDownFrom, Value);
}

void TControlLook::SetFixedGradientDownTo(TColor Value)
{
    FFixedGradientDownTo = Value;
    ForwardUnlessNone(FGrid->QRXGradientDownTo, Value);
}

void TControlLook::SetFixedGradientDownMirrorFrom(TColor Value)
{
    FFixedGradientDownMirrorFrom = Value;
    FGrid->QRXGradientDownMirrorFrom = Value;
}

void TControlLook::SetFixedGradientDownMirrorTo(TColor Value)
{
    FFixedGradientDownMirrorTo = Value;
    FGrid->QRXGradientDownMirrorTo = Value;
}

void TControlLook::SetFixedGradientDownBorder(TColor Value)
{
    FFixedGradientDownBorder = Value;
    ForwardUnlessNone(FGrid->QRXGradientDownBorder, Value);
}

// ---- Grouping, background, progress, balloons, modified rows -------------------------------

void TGrouping::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TGrouping*>(Source);
    if (src == nullptr) return;
    GroupCountFormat = src->GroupCountFormat;
    HeaderColor = src->HeaderColor;
    HeaderColorTo = src->HeaderColorTo;
    HeaderTextColor = src->HeaderTextColor;
    HeaderUnderline = src->HeaderUnderline;
    MergeHeader = src->MergeHeader;
    MergeSummary = src->MergeSummary;
    ShowGroupCount = src->ShowGroupCount;
    SummaryColor = src->SummaryColor;
    SummaryColorTo = src->SummaryColorTo;
    SummaryTextColor = src->SummaryTextColor;
    SummaryLine = src->SummaryLine;
}

TSortSettings::TSortSettings(TAdvStringGrid* AGrid)
    : FGrid(AGrid), FUpGlyph(std::make_unique<TBitmap>()), FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()), FIndexDownGlyph(std::make_unique<TBitmap>())
{
}

void TSortSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSortSettings*>(Source);
    if (src == nullptr || src == this) return;
    FShow = src->FShow;
    IndexShow = src->IndexShow;
    Full = src->Full;
    SingleColumn = src->SingleColumn;
    IgnoreBlanks = src->IgnoreBlanks;
    BlankPos = src->BlankPos;
    AutoFormat = src->AutoFormat;
    Direction = src->Direction;
    FUpGlyph->Assign(src->FUpGlyph.get());
    FDownGlyph->Assign(src->FDownGlyph.get());
    FIndexUpGlyph->Assign(src->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(src->FIndexDownGlyph.get());
    NormalCellsOnly = src->NormalCellsOnly;
    FixedCols = src->FixedCols;
    Column = src->Column;
    Row = src->Row;
    AutoColumnMerge = src->AutoColumnMerge;
    IndexColor = src->IndexColor;
    InitSortDirection = src->InitSortDirection;
    UndoSort = src->UndoSort;
    AutoSortForGrouping = src->AutoSortForGrouping;
    HeaderColor = src->HeaderColor;
    HeaderColorTo = src->HeaderColorTo;
    HeaderMirrorColor = src->HeaderMirrorColor;
    HeaderMirrorColorTo = src->HeaderMirrorColorTo;
    IndexSortKey = src->IndexSortKey;
    FGrid->Invalidate();
}

void TSortSettings::SetShow(bool Value)
{
    if (Value == FShow) return;
    FShow = Value;
    FGrid->Invalidate();
}

TCellNode::TCellNode(TAdvStringGrid* AGrid)
    : FGrid(AGrid), FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>())
{
}

void TCellNode::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TCellNode*>(Source);
    if (src == nullptr) return;
    Color = src->Color;
    NodeColor = src->NodeColor;
    ExpandOne = src->ExpandOne;
    FExpandGlyph->Assign(src->FExpandGlyph.get());
    FContractGlyph->Assign(src->FContractGlyph.get());
    FNodeType = src->FNodeType;
    FShowTree = src->FShowTree;
    FShowTreeFull = src->FShowTreeFull;
    FNodeIndent = src->FNodeIndent;
    FTreeColor = src->FTreeColor;
    Changed();
}

void TCellNode::Changed() { FGrid->Invalidate(); }

void TCellNode::SetNodeType(TNodeType Value)
{
    if (Value == FNodeType) return;
    FNodeType = Value;
    Changed();
}

void TCellNode::SetShowTree(bool Value)
{
    if (Value == FShowTree) return;
    FShowTree = Value;
    Changed();
}

void TCellNode::SetShowTreeFull(bool Value)
{
    if (Value == FShowTreeFull) return;
    FShowTreeFull = Value;
    Changed();
}

void TCellNode::SetTreeColor(TColor Value)
{
    if (Value == FTreeColor) return;
    FTreeColor = Value;
    Changed();
}

void TCellNode::SetNodeIndent(int Value)
{
    if (Value == FNodeIndent) return;
    FNodeIndent = Value;
    Changed();
}

void TBackGround::Changed()
{
    if (FGrid != nullptr) FGrid->Invalidate();
}

void TBackGround::SetTop(int Value) { FTop = Value; Changed(); }
void TBackGround::SetLeft(int Value) { FLeft = Value; Changed(); }
void TBackGround::SetDisplay(TBackGroundDisplay Value) { FDisplay = Value; Changed(); }
void TBackGround::SetCells(TBackGroundCells Value) { FBackgroundCells = Value; Changed(); }
void TBackGround::SetColor(TColor Value) { FColor = Value; Changed(); }
void TBackGround::SetColorTo(TColor Value) { FColorTo = Value; Changed(); }

void TBackGround::SetBitmap(TBitmap* Value)
{
    FBitmap->Assign(Value);
    Changed();
}

void TGridProgressAppearance::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TGridProgressAppearance*>(Source);
    if (src == nullptr) return;
    FValues = src->FValues;
    if (OnChange) OnChange(this);
}

void TBalloonSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TBalloonSettings*>(Source);
    if (src == nullptr) return;
    TextColor = src->TextColor;
    BackgroundColor = src->BackgroundColor;
    InitialDelay = src->InitialDelay;
    AutoHideDelay = src->AutoHideDelay;
    ReshowDelay = src->ReshowDelay;
    FEnable = src->FEnable;
}

void TBalloonSettings::SetEnable(bool Value)
{
    FEnable = Value;
    if (OnEnableChange) OnEnableChange(this);
}

void TShowModified::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TShowModified*>(Source);
    if (src == nullptr) return;
    FColor = src->FColor;
    Enabled = src->Enabled;
}

void TShowModified::SetColor(TColor Value)
{
    FColor = Value;
    if (OnChange) OnChange(this);
}

// ---- Filter drop-down list --------------------------------------------------------------------

void TFilterDropDown::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    if (OnChange) OnChange(this);
}

void TFilterDropDown::SetGlyphActive(TBitmap* Value)
{
    FGlyphActive->Assign(Value);
    if (OnChange) OnChange(this);
}

void TDropList::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_CANCELMODE) {
        POINT cursor;
        GetCursorPos(&cursor);
        TPoint p = ScreenToClient(TPoint{cursor.x, cursor.y});
        if (p.x < 0 || p.y < 0 || p.x >= Width() || p.y >= Height()) {
            if (auto* grid = dynamic_cast<TAdvStringGrid*>(Owner())) grid->SetFilterColumn(-1);
            SetVisible(false);
        }
    }
    TListBox::WndProc(Message);
}

void TDropList::KeyPress(wchar_t& Key)
{
    TListBox::KeyPress(Key);
    if (Key == L'\r') Pick();
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TListBox::MouseUp(Button, Shift, X, Y);
    Pick();
}

void TDropList::Pick()
{
    SetVisible(false);
    if (OnSelect) OnSelect(this, ItemIndex());
}

// ---- Filter conditions -----------------------------------------------------------------------

void TFilterData::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TFilterData*>(Source);
    if (src == nullptr) return;
    Column = src->Column;
    Condition = src->Condition;
    CaseSensitive = src->CaseSensitive;
    Suffix = src->Suffix;
    Prefix = src->Prefix;
    Operation = src->Operation;
    Data = src->Data;
}

TFilter::TFilter(TAdvStringGrid* AGrid) : TOwnedCollection(AGrid, ItemClassOf<TFilterData>()), FGrid(AGrid) {}

TFilterData* TFilter::GetColumnFilter(int Col)
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column == Col) return Items(i);
    TFilterData* added = Add();
    added->Column = Col;
    return added;
}

bool TFilter::HasFilter(int Col) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column == Col) return true;
    return false;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->Column == Col) Delete(i);
    if (FGrid != nullptr) FGrid->RepaintCell(FGrid->DisplColIndex(Col), 0);
}
