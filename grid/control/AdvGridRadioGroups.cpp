// Radio groups and rotated cells: two cell-object kinds whose content is drawn from the cell's
// text (the chosen item of a group, the turned text of a rotated cell).
#include "framework/classes/StringList.h"
#include "grid/control/AdvGrid.h"

namespace {

TCellGraphic* RadioGroupOf(TAdvStringGrid* Grid, int ACol, int ARow)
{
    TCellGraphic* graphic = Grid->GetCellGraphic(ACol, ARow);
    return graphic != nullptr && graphic->CellType() == ctRadio ? graphic : nullptr;
}

void MakeRadioGroup(TCellGraphic* Graphic, TStrings* Items, bool Owned, int DirRadio, int IdxRadio)
{
    Graphic->SetCellType(ctRadio);
    Graphic->SetCellBitmap(Items);
    Graphic->SetCellCreated(Owned);
    Graphic->SetCellAngle(Owned ? 0 : Items->Count());
    Graphic->SetCellBoolean(DirRadio != 0);
    Graphic->SetCellIndex(IdxRadio);
    Graphic->SetCellVar(IdxRadio);
}

} // namespace

void TAdvStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl)
{
    if (sl == nullptr) return;
    MakeRadioGroup(CreateCellGraphic(ACol, ARow), sl, false, DirRadio, IdxRadio);
    RepaintRealCell(ACol, ARow);
}

TStrings* TAdvStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    auto* items = new TStringList();
    MakeRadioGroup(graphic, items, true, DirRadio, IdxRadio);
    RepaintRealCell(ACol, ARow);
    return items;
}

bool TAdvStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio)
{
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic == nullptr) return false;
    IdxRadio = graphic->CellIndex();
    return graphic->CellType() == ctRadio;
}

bool TAdvStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    TCellGraphic* graphic = RadioGroupOf(this, ACol, ARow);
    if (graphic == nullptr) return false;
    graphic->SetCellIndex(IdxRadio);
    if (IdxRadio == -1) SetCells(ACol, ARow, L"");
    RepaintRealCell(ACol, ARow);
    return true;
}

TStrings* TAdvStringGrid::GetRadioStrings(int ACol, int ARow)
{
    const TPoint base = BaseCell(RealToDisplCol(ACol), ARow);
    TCellGraphic* graphic = RadioGroupOf(this, DisplToRealCol(base.x), base.y);
    return graphic != nullptr ? dynamic_cast<TStrings*>(graphic->CellBitmap()) : nullptr;
}

bool TAdvStringGrid::IsRadio(int ACol, int ARow)
{
    const TPoint base = BaseCell(RealToDisplCol(ACol), ARow);
    return RadioGroupOf(this, DisplToRealCol(base.x), base.y) != nullptr;
}

void TAdvStringGrid::RemoveRadio(int ACol, int ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctRadio)) RepaintRealCell(ACol, ARow);
}

void SelectNextRadio(TAdvStringGrid* Grid, int ACol, int ARow, bool ByUser)
{
    if (Grid == nullptr) return;
    TCellGraphic* graphic = RadioGroupOf(Grid, ACol, ARow);
    auto* items = graphic != nullptr ? dynamic_cast<TStrings*>(graphic->CellBitmap()) : nullptr;
    if (items == nullptr || items->Count() == 0) return;
    if (ByUser && !Grid->ControlLook()->RadioAlwaysActive) {
        bool allow = true;
        Grid->CanEditCellAt(ACol, ARow, allow);
        if (!allow) return;
    }
    int next = graphic->CellIndex() >= 0 ? graphic->CellIndex() + 1 : items->IndexOf(Grid->Cells(ACol, ARow)) + 1;
    if (next >= items->Count()) next = 0;
    if (graphic->CellIndex() >= -1) graphic->SetCellIndex(next);
    graphic->SetCellVar(next);
    Grid->SetCells(ACol, ARow, items->Strings(next));
}

void TAdvStringGrid::AddRotated(int ACol, int ARow, short AAngle, const String& s)
{
    CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
    SetCells(ACol, ARow, s);
}

void TAdvStringGrid::SetRotated(int ACol, int ARow, short AAngle)
{
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic == nullptr) graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetAngle(AAngle);
    RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::RemoveRotated(int ACol, int ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctRotated)) RepaintRealCell(ACol, ARow);
}

bool TAdvStringGrid::IsRotated(int ACol, int ARow, int& aAngle)
{
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic == nullptr || graphic->CellType() != ctRotated) return false;
    aAngle = graphic->CellAngle();
    return true;
}
