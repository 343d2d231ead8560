// The state side of the grid's check boxes and radio buttons: adding them, reading, setting and
// toggling their state (a data check box's state is its cell text), the column-wide operations,
// the change hooks, the edit permission the toggles ask for, and the check-glyph hit test.
#include <algorithm>

#include "grid/control/AdvGrid.h"

namespace {

bool IsCheckKind(TCellType Kind)
{
    return Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctVirtCheckBox || Kind == ctRowCheckBox;
}

} // namespace

// ---- Hooks -----------------------------------------------------------------------------------

void TAdvStringGrid::DoGetCheckTrue(int ACol, int ARow, String& Value)
{
    Value = CheckTrue;
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TAdvStringGrid::DoGetCheckFalse(int ACol, int ARow, String& Value)
{
    Value = CheckFalse;
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

void TAdvStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State)
{
    if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

bool TAdvStringGrid::DoRatingChange(int ACol, int ARow, double& NewRate)
{
    bool allow = true;
    if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, allow);
    return allow;
}

void TAdvStringGrid::DoColorSelect(TColor Color, const String& Text)
{
    if (OnColorSelect) OnColorSelect(this, Col(), Row(), Color, Text);
}

void TAdvStringGrid::DoImageSelect(int ItemIndex)
{
    if (OnImageSelect) OnImageSelect(this, Col(), Row(), ItemIndex);
}

void TAdvStringGrid::DoCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TAdvStringGrid::CanEditCellAt(int ACol, int ARow, bool& CanEdit)
{
    TPoint base = ACol >= 0 && ARow >= 0 ? BaseCell(ACol, ARow) : TPoint{ACol, ARow};
    if (TCellProperties* props = GetStoredObject(base.x, base.y); props != nullptr && CanEdit) {
        CanEdit = !props->ReadOnly();
        if (!Options().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit) CanEdit = false;
    }
    if (base.x < TotalColCount())
        DoCanEditCell(base.x, base.y, CanEdit);
    else
        CanEdit = true;
}

// ---- Lookup ----------------------------------------------------------------------------------

TCellVAlign TAdvStringGrid::CheckVAlign() const
{
    return CellVAlignOf(FVAlignment);
}

TCellGraphic* TAdvStringGrid::CheckObjectAt(int ACol, int ARow, int& DisplayRow, String* Text)
{
    DisplayRow = ARow;
    if (ACol < 0 || ARow < 0) return nullptr;
    if (NumHiddenRows() > 0 && IsHiddenRow(ARow)) {
        DisplayRow = -1;
        for (int i = 0; i < NumHiddenRows(); ++i) {
            TGridItem* item = HiddenRowItem(i);
            if (item->Idx != ARow || ACol >= item->Items()->Count()) continue;
            if (Text != nullptr) *Text = item->Items()->Strings(ACol);
            if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
                TCellGraphic* shared = FCellGraphic.get();
                shared->SetCellType(ctRowCheckBox);
                shared->SetCellBoolean(RowSelect(ARow));
                return shared;
            }
            auto* props = dynamic_cast<TCellProperties*>(item->Items()->Objects(ACol));
            return props ? dynamic_cast<TCellGraphic*>(props->GraphicObject()) : nullptr;
        }
        return nullptr;
    }
    if (NumHiddenRows() > 0) DisplayRow = RealToDisplRow(ARow);
    if (DisplayRow >= RowCount()) return nullptr;
    if (Text != nullptr) *Text = Cells(ACol, DisplayRow);
    return GetCellGraphic(ACol, DisplayRow);
}

void TAdvStringGrid::WriteCheckText(int ACol, int ARow, int DisplayRow, const String& Text)
{
    if (DisplayRow >= 0) {
        SetCells(ACol, DisplayRow, Text);
        return;
    }
    for (int i = 0; i < NumHiddenRows(); ++i) {
        TGridItem* item = HiddenRowItem(i);
        if (item->Idx == ARow && ACol < item->Items()->Count()) item->Items()->SetStrings(ACol, Text);
    }
}

// ---- Check boxes -----------------------------------------------------------------------------

void TAdvStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    CheckCellInGrid(ACol, ARow, L"Invalid cell");
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, CheckVAlign());
    if (!Data) return;
    String trueText, falseText;
    DoGetCheckTrue(ACol, ARow, trueText);
    DoGetCheckFalse(ACol, ARow, falseText);
    const String text = Cells(ACol, ARow);
    if (text != trueText && text != falseText) SetCells(ACol, ARow, State ? trueText : falseText);
}

void TAdvStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    const int first = FMouseActions->CheckAllCheck ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r) AddCheckBox(ACol, r, DefaultState, DataCheckBox);
}

void TAdvStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    TCellType kind = GetCellType(ACol, ARow);
    if (kind != ctCheckBox && kind != ctDataCheckBox) return;
    // The object frees an attached balloon's texts with itself.
    RemoveCellGraphic(ACol, ARow);
    RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::RemoveCheckBoxColumn(int ACol)
{
    const int first = FMouseActions->CheckAllCheck ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r) RemoveCheckBox(ACol, r);
}

bool TAdvStringGrid::HasCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    TPoint base = BaseCell(ACol, ARow);
    return IsCheckKind(GetCellType(base.x, base.y));
}

bool TAdvStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    TPoint base = BaseCell(ACol, ARow);
    TCellType kind = GetCellType(base.x, base.y);
    return kind == ctDataCheckBox || kind == ctVirtCheckBox || kind == ctRowCheckBox;
}

bool TAdvStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    int displayRow = 0;
    String text;
    TCellGraphic* graphic = CheckObjectAt(ACol, ARow, displayRow, &text);
    if (graphic == nullptr) return false;
    switch (graphic->CellType()) {
    case ctCheckBox:
        State = graphic->CellBoolean();
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        String trueText;
        DoGetCheckTrue(ACol, ARow, trueText);
        State = text == trueText;
        return true;
    }
    case ctRowCheckBox:
        State = graphic->CellBoolean();
        return true;
    default:
        return false;
    }
}

bool TAdvStringGrid::IsChecked(int ACol, int ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

bool TAdvStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    int displayRow = 0;
    TCellGraphic* graphic = CheckObjectAt(ACol, ARow, displayRow, nullptr);
    if (graphic == nullptr) return false;
    switch (graphic->CellType()) {
    case ctCheckBox:
        graphic->SetCellBoolean(State);
        if (displayRow >= 0) RepaintRealCell(ACol, displayRow);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        String text;
        if (State)
            DoGetCheckTrue(ACol, ARow, text);
        else
            DoGetCheckFalse(ACol, ARow, text);
        WriteCheckText(ACol, ARow, displayRow, text);
        return true;
    }
    case ctRowCheckBox:
        SetRowSelect(ARow, State);
        if (displayRow >= 0) RepaintRow(displayRow);
        return true;
    default:
        return false;
    }
}

bool TAdvStringGrid::ChangeCheckBoxState(int ACol, int ARow, bool State)
{
    const int real = NumHiddenRows() > 0 ? DisplToRealRow(ARow) : ARow;
    bool old = false;
    if (!GetCheckBoxState(ACol, real, old)) return false;
    SetCheckBoxState(ACol, real, State);
    if (old != State) DoCheckBoxChange(ACol, ARow, State);
    return true;
}

void TAdvStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, true);
    if (NumHiddenColumns() > 0) RepaintCol(RealToDisplCol(ACol));
}

void TAdvStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, false);
}

bool TAdvStringGrid::ToggleCheckCell(int ACol, int ARow, bool ByUser)
{
    TCellType kind = GetCellType(ACol, ARow);
    if (!IsCheckKind(kind)) return false;
    if (ByUser && !FControlLook->CheckAlwaysActive) {
        bool allow = true;
        CanEditCellAt(ACol, ARow, allow);
        if (!allow) return false;
    }
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    bool state = false;
    if (kind == ctCheckBox) {
        state = !graphic->CellBoolean();
        graphic->SetCellBoolean(state);
    } else if (kind == ctRowCheckBox) {
        // The row check box shows the row's selection; the cell's text is the row's data.
        const int real = DisplToRealRow(ARow);
        state = !RowSelect(real);
        SetRowSelect(real, state);
        RepaintRow(ARow);
    } else {
        String trueText, falseText;
        DoGetCheckTrue(ACol, ARow, trueText);
        DoGetCheckFalse(ACol, ARow, falseText);
        state = Cells(ACol, ARow) != trueText;
        SetCells(ACol, ARow, state ? trueText : falseText);
    }
    RepaintRealCell(ACol, ARow);
    DoCheckBoxChange(ACol, ARow, state);
    return true;
}

// ---- Radio buttons ---------------------------------------------------------------------------

void TAdvStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    CheckCellInGrid(ACol, ARow, L"Invalid cell");
    CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, CheckVAlign());
}

void TAdvStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TAdvStringGrid::RemoveRadioButton(int ACol, int ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctRadioButton)) RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) RemoveRadioButton(ACol, r);
}

bool TAdvStringGrid::HasRadioButton(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    TPoint base = BaseCell(ACol, ARow);
    return GetCellType(base.x, base.y) == ctRadioButton;
}

bool TAdvStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    if (!HasRadioButton(ACol, ARow)) return false;
    TPoint base = BaseCell(ACol, ARow);
    return GetCellGraphic(base.x, base.y)->CellBoolean();
}

bool TAdvStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    if (!HasRadioButton(ACol, ARow)) return false;
    TPoint base = BaseCell(ACol, ARow);
    TCellGraphic* graphic = GetCellGraphic(base.x, base.y);
    if (graphic->CellBoolean() != State) {
        graphic->SetCellBoolean(State);
        RepaintRealCell(base.x, base.y);
    }
    return true;
}

void TAdvStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = FixedRows(); r < RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

int TAdvStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r)) return r;
    return -1;
}

bool TAdvStringGrid::ToggleRadioCell(int ACol, int ARow, bool ByUser)
{
    if (GetCellType(ACol, ARow) != ctRadioButton) return false;
    if (ByUser && !FControlLook->CheckAlwaysActive) {
        bool allow = true;
        CanEditCellAt(ACol, ARow, allow);
        if (!allow) return false;
    }
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic->CellBoolean()) {
        graphic->SetCellBoolean(true);
        RepaintRealCell(ACol, ARow);
        for (int r = 0; r < RowCount(); ++r) {
            if (r == ARow || GetCellType(ACol, r) != ctRadioButton) continue;
            TCellGraphic* other = GetCellGraphic(ACol, r);
            if (!other->CellBoolean()) continue;
            other->SetCellBoolean(false);
            RepaintRealCell(ACol, r);
        }
    }
    return true;
}

// ---- Hit test ----------------------------------------------------------------------------------

bool TAdvStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    TCellType kind = GetCellType(ACol, ARow);
    if (!IsCheckKind(kind) && kind != ctRadioButton) return false;
    if (!FMouseActions->PreciseCheckBoxCheck) return true;
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    const TRect r = CellRect(RealToDisplCol(ACol), ARow);
    const int s = FControlLook->CheckSize();
    int top = r.top + 2;
    if (graphic->CellVAlign() == vaBottom) top = r.bottom - s - 2;
    if (graphic->CellVAlign() == vaCenter) top = r.top + (r.bottom - r.top - s) / 2;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    GetCellAlignment(ACol, ARow, ha, va);
    int left = r.left + 2;
    if (ha == taRightJustify) {
        left = r.right - s - 2;
        const String text = Cells(ACol, ARow);
        if (!text.empty()) {
            Canvas()->Font()->Assign(Font());
            left -= Canvas()->TextWidth(text);
        }
    } else if (ha == taCenter) {
        left = r.left + (r.right - r.left - s) / 2;
    }
    return XPos >= left && XPos < left + s && YPos >= top && YPos < top + s;
}
