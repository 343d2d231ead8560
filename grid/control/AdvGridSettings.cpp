#include "grid/control/AdvGridSettings.h"

#include "grid/control/AdvGrid.h"

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomPanel(AOwner)
{
    SetAlign(alBottom);
    SetHeight(0);
    SetBorderWidth(0);
    SetVisible(false);
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
}

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

TFilter::TFilter(TAdvStringGrid* AGrid) : TOwnedCollection(AGrid, ItemClassOf<TFilterData>()) {}
