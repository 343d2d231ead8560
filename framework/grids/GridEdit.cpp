// The grid's side of editing: when the editor may show, loading it from the current cell,
// placing it over the cell (and hiding it when the cell scrolls away), taking its text back on
// every change and when it closes, and giving the old text back on Escape.
#include "framework/grids/Grids.h"

void TCustomGrid::SetEditorMode(bool Value)
{
    if (!Value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (FInplaceEdit != nullptr) FInplaceEdit->Deselect();
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::ShowEditorChar(wchar_t Ch)
{
    ShowEditor();
    // Posted: it must arrive after the editor has its text (and replaces the selected text).
    if (FInplaceEdit != nullptr && FInplaceEdit->HandleAllocated() && FInplaceEdit->Visible())
        PostMessageW(FInplaceEdit->Handle(), WM_CHAR, Ch, 0);
}

void TCustomGrid::InvalidateEditor()
{
    FInplaceCol = -1;
    FInplaceRow = -1;
    UpdateEdit();
}

void TCustomGrid::UpdateEdit()
{
    auto updateEditor = [this] {
        // Loading the editor is no edit: its notifications must not write the cell.
        FInplaceCol = -1;
        FInplaceRow = -1;
        FInplaceEdit->UpdateContents();
        FInplaceCol = Col();
        FInplaceRow = Row();
        FCanEditModify = GetEditLimit() != -1;
        FEditStartText = FInplaceEdit->Text();
        FInplaceEdit->SelectAll();
    };
    if (!CanEditShow()) return;
    if (FInplaceEdit == nullptr) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetGrid(this);
        FInplaceEdit->SetParent(this);
        updateEditor();
    } else if (Col() != FInplaceCol || Row() != FInplaceRow) {
        HideEdit();
        updateEditor();
    }
    if (CanEditShow()) FInplaceEdit->Move(CellRect(Col(), Row()));
}

void TCustomGrid::HideEdit()
{
    if (FInplaceEdit == nullptr) return;
    struct THide {
        TCustomGrid* Grid;
        ~THide()
        {
            Grid->FInplaceCol = -1;
            Grid->FInplaceRow = -1;
            Grid->FInplaceEdit->Hide();
        }
    } hide{this};
    UpdateText();
}

void TCustomGrid::UpdateText()
{
    if (FInplaceEdit != nullptr && FInplaceCol != -1 && FInplaceRow != -1)
        SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::CancelEdit()
{
    if (!FEditorMode || FInplaceEdit == nullptr || FInplaceCol == -1 || FInplaceRow == -1) return;
    if (FInplaceEdit->Text() != FEditStartText) {
        FInplaceEdit->SetText(FEditStartText);
        UpdateText();
    }
    if (FOptions.Contains(goAlwaysShowEditor))
        FInplaceEdit->SelectAll();
    else
        HideEditor();
}

// ---- The editing protocol ------------------------------------------------------------------

bool TCustomGrid::CanEditShow()
{
    return (TGridOptions{goRowSelect, goEditing} * FOptions) == TGridOptions{goEditing} && FEditorMode &&
           !ComponentState().Contains(csDesigning) && HandleAllocated() &&
           (FOptions.Contains(goAlwaysShowEditor) || IsActiveControl());
}

bool TCustomGrid::CanEditModify()
{
    return FCanEditModify;
}

bool TCustomGrid::CanEditAcceptKey(wchar_t)
{
    return true;
}

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

String TCustomGrid::GetEditText(int, int)
{
    return L"";
}

void TCustomGrid::SetEditText(int, int, const String&) {}

int TCustomGrid::GetEditLimit()
{
    return 0;
}

String TCustomGrid::GetEditMask(int, int)
{
    return L"";
}

void TCustomGrid::TopLeftChanged()
{
    if (FEditorMode && FInplaceEdit != nullptr) FInplaceEdit->UpdateLoc(CellRect(Col(), Row()));
}

// ---- Messages ------------------------------------------------------------------------------

void TCustomGrid::WMCommand(TMessage& Message)
{
    // The editor's notifications stop here: the grid takes its text; nothing is reflected.
    if (FInplaceEdit != nullptr && FInplaceEdit->HandleAllocated() &&
        reinterpret_cast<HWND>(Message.LParam) == FInplaceEdit->Handle() && HIWORD(Message.WParam) == EN_CHANGE)
        UpdateText();
}

void TCustomGrid::WMSetFocus(TMessage& Message)
{
    TCustomControl::WMSetFocus(Message);
    HWND from = reinterpret_cast<HWND>(Message.WParam);
    if (FInplaceEdit == nullptr || !FInplaceEdit->HandleAllocated() || from != FInplaceEdit->Handle()) {
        InvalidateRect(Selection());
        UpdateEdit();
    }
}

void TCustomGrid::WMKillFocus(TMessage& Message)
{
    TCustomControl::WMKillFocus(Message);
    InvalidateRect(Selection());
    HWND to = reinterpret_cast<HWND>(Message.WParam);
    if (FInplaceEdit != nullptr && FInplaceEdit->HandleAllocated() && to != FInplaceEdit->Handle()) FInplaceEdit->Hide();
}

void TCustomGrid::CMFontChanged(TMessage& Message)
{
    if (FInplaceEdit != nullptr) FInplaceEdit->SetFont(Font());
    TCustomControl::CMFontChanged(Message);
}
