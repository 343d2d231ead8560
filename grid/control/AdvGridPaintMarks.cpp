// The marks a cell carries besides its content: the current row's indicator, the modified-row
// mark, the combo and spin buttons shown before an editor opens, the header's filter button and
// the frame of the selection rectangle; and the hooks that say which cells have them.
#include <algorithm>

#include "grid/control/AdvGrid.h"
#include "grid/control/paint/GridGlyphBitmaps.h"
#include "grid/foundation/AdvUtil.h"

namespace {

// A picture of the grid's own settings, drawn with its see-through colour taken from itself.
void DrawGlyphTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Glyph)
{
    Glyph->SetTransparentMode(tmAuto);
    Glyph->SetTransparent(true);
    Canvas->Draw(X, Y, Glyph);
}

// A vertical scroll bar drawn from the system's parts: arrows at both ends, the thumb sized by
// the page and placed by the position. (A hidden bar control paints nothing, so the cells'
// bars are drawn here rather than copied from one.)
void PaintCellScrollBar(TCanvas* Canvas, const TRect& Bar, int Position, int Page, int Range)
{
    const HDC dc = Canvas->Handle();
    const int height = Bar.bottom - Bar.top;
    if (height <= 0 || Bar.right <= Bar.left) return;
    const int arrow = std::min<int>(Bar.right - Bar.left, height / 2);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clScrollBar);
    Canvas->FillRect(Bar);
    RECT up{Bar.left, Bar.top, Bar.right, Bar.top + arrow};
    RECT down{Bar.left, Bar.bottom - arrow, Bar.right, Bar.bottom};
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP);
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN);
    const int track = down.top - up.bottom;
    if (track <= 0 || Range <= 0) return;
    const int page = std::max(1, Page);
    const int thumb = std::min(track, std::max(8, static_cast<int>(static_cast<long long>(track) * page / (Range + 1))));
    const int steps = std::max(1, Range - page + 1);
    const int offset = static_cast<int>(static_cast<long long>(track - thumb) * std::clamp(Position, 0, steps) / steps);
    RECT knob{Bar.left, up.bottom + offset, Bar.right, up.bottom + offset + thumb};
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(TRect{knob.left, knob.top, knob.right, knob.bottom});
    DrawEdge(dc, &knob, EDGE_RAISED, BF_RECT);
}

} // namespace

void TAdvStringGrid::DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

bool TAdvStringGrid::DoIsPasswordCell(int ACol, int ARow)
{
    bool password = false;
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, password);
    return password;
}

bool TAdvStringGrid::DoHasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (OnHasComboBox) {
        OnHasComboBox(this, ACol, ARow, has);
        return has;
    }
    // The per-cell editor choice arrives with the editing cycle; until then the grid's default
    // editor decides for every cell.
    if (FControlLook->DropDownAlwaysVisible()) has = DefaultEditor == edComboEdit || DefaultEditor == edComboList;
    return has;
}

bool TAdvStringGrid::DoHasSpinEdit(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows()) return false;
    bool has = false;
    if (OnHasSpinEdit) {
        OnHasSpinEdit(this, ACol, ARow, has);
        return has;
    }
    if (FControlLook->SpinButtonsAlwaysVisible())
        has = DefaultEditor == edSpinEdit || DefaultEditor == edFloatSpinEdit || DefaultEditor == edTimeSpinEdit ||
              DefaultEditor == edDateSpinEdit;
    return has;
}

int TAdvStringGrid::DrawCellScrollBar(TCanvas* Canvas, int RCol, int ARow, TRect& Rect)
{
    const int position = GetScrollPosition(RCol, ARow);
    const TScrollProp prop = GetScrollProp(RCol, ARow);
    if (prop.PageSize >= prop.Range) return position;
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    PaintCellScrollBar(Canvas, TRect{Rect.right - width, Rect.top, Rect.right, Rect.bottom}, position, prop.PageSize,
                       prop.Range);
    Rect.right -= width;
    return position;
}

int TAdvStringGrid::DrawRowIndicator(TCanvas* Canvas, int RCol, int ARow, const TRect& Rect)
{
    TBitmap* glyph = FRowIndicator.get();
    if (RCol != 0 || ARow != Row() || FixedCols() <= 0 || glyph->Empty()) return 0;
    int y = Rect.top;
    if (FVAlignment == vtaCenter) y = Rect.top + (Rect.bottom - Rect.top - glyph->Height()) / 2;
    else if (FVAlignment == vtaBottom) y = Rect.bottom - glyph->Height();
    DrawGlyphTransparent(Canvas, Rect.left + 2, y, glyph);
    return glyph->Width() + 2;
}

void TAdvStringGrid::DrawModifiedMark(TCanvas* Canvas, int ACol, int ARow, const TRect& Rect)
{
    if (ACol != 0 || !FShowModified->Enabled || !RowModified(DisplToRealRow(ARow))) return;
    const TColor color = FShowModified->Color();
    Canvas->Brush()->SetColor(color);
    Canvas->Pen()->SetColor(color);
    Canvas->Rectangle(TRect{Rect.right - 4, Rect.top, Rect.right, Rect.bottom});
}

int TAdvStringGrid::DrawCellButtons(TCanvas* Canvas, int ACol, int ARow, int RCol, const TRect& Rect)
{
    if (IsFixed(ACol, ARow)) return 0;
    const bool combo = FControlLook->DropDownAlwaysVisible() && DoHasComboBox(RCol, ARow);
    const bool spin = !combo && FControlLook->SpinButtonsAlwaysVisible() && DoHasSpinEdit(RCol, ARow);
    if (!combo && !spin) return 0;
    bool enabled = Options().Contains(goEditing);
    CanEditCellAt(RCol, ARow, enabled);
    HWND window = HandleAllocated() ? Handle() : nullptr;
    if (combo)
        PaintComboButton(Canvas, window, TRect{Rect.left - 2, Rect.top - 1, Rect.right + 1, Rect.bottom}, enabled,
                         FIsWinXP && FIsComCtl6);
    else
        PaintSpinButtons(Canvas, window, Rect, enabled, FIsWinXP);
    return 16;
}

bool TAdvStringGrid::DrawFilterGlyph(TCanvas* Canvas, int RCol, int ARow, const TRect& Rect)
{
    if (ARow != FilterDropDownRow()) return false;
    // Asking fills the grid's filter list; the list an open drop-down was made from stays.
    TStringList kept;
    kept.Assign(FFilterList.get());
    const bool listed = DoGetColumnFilter(RCol);
    // The list always starts with the clear-filter entry; only a column with values of its own
    // to pick from gets a button (else every header of every grid would show one).
    const int own = FFilterList->Count() - (FilterDropDownClear.empty() ? 0 : 1);
    FFilterList->Assign(&kept);
    if (!listed || own <= 0) return false;
    TBitmap* glyph = FFilter->HasFilter(RCol) ? FFilterDropDown->GlyphActive() : FFilterDropDown->Glyph();
    if (glyph->Empty()) {
        TBitmap* drawn = GridGlyphBitmap(L"ASGFILT");
        PaintBitmapTransparent(Canvas, drawn, FixedColor(),
                               TRect{Rect.right - 16, Rect.top, Rect.right, Rect.top + drawn->Height()});
    } else {
        DrawGlyphTransparent(Canvas, Rect.right - 16, Rect.top, glyph);
    }
    return true;
}

void TAdvStringGrid::DrawSelectionFrame(TCanvas* Canvas, int ACol, int ARow, const TRect& Rect)
{
    if (!FSelectionRectangle || IsFixed(ACol, ARow)) return;
    TGridRect sel = Selection();
    // A merged area at the corner counts from its base cell.
    const TPoint base = BaseCell(sel.Left, sel.Top);
    sel.Left = base.x;
    sel.Top = base.y;
    if (ACol < sel.Left || ACol > sel.Right || ARow < sel.Top || ARow > sel.Bottom) return;
    const int lw = FDrawnLineWidth;
    const int right = ACol == sel.Right ? Rect.right - 1 : Rect.right;
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(FSelectionRectangleColor);
    Canvas->Pen()->SetWidth(2);
    if (ACol == sel.Left) {
        Canvas->MoveTo(Rect.left - lw + 1, Rect.bottom);
        Canvas->LineTo(Rect.left - lw + 1, Rect.top - lw);
    }
    if (ACol == sel.Right) {
        Canvas->MoveTo(Rect.right - 1, Rect.bottom);
        Canvas->LineTo(Rect.right - 1, Rect.top - lw);
    }
    if (ARow == sel.Top) {
        Canvas->MoveTo(Rect.left - lw, Rect.top - lw + 1);
        Canvas->LineTo(right, Rect.top - lw + 1);
    }
    if (ARow == sel.Bottom) {
        Canvas->MoveTo(Rect.left - lw, Rect.bottom);
        Canvas->LineTo(right, Rect.bottom);
    }
    if (FSelectionResizer && ACol == sel.Right && ARow == sel.Bottom) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FSelectionRectangleColor);
        Canvas->FillRect(TRect{Rect.right - 4, Rect.bottom - 4, Rect.right, Rect.bottom});
    }
    Canvas->Pen()->SetWidth(1);
}
