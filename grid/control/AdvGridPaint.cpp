// Cell painting of the grid control: the precedence order that decides a cell's colours, font,
// alignment and word wrap (GetCellVisual), and the content of a cell drawn inside the frame the
// base grid painted, by the painters of grid/control/paint in their order.
//
// Markup, rich text, cell graphics, in-cell controls, URL/filter/sort glyphs and outline tree
// lines get painters of their own; where they would run, the steps below stop or skip.
#include <algorithm>
#include <cmath>

#include "grid/control/AdvGrid.h"
#include "grid/control/paint/CellBackgroundPainter.h"
#include "grid/control/paint/CellMarkupPainter.h"
#include "grid/control/paint/CellTextPainter.h"
#include "grid/control/paint/FixedCellLookPainter.h"
#include "grid/control/paint/FocusRectPainter.h"
#include "grid/control/paint/GridLinePainter.h"
#include "grid/foundation/AdvUtil.h"

TColor TAdvStringGrid::MixSelectionColor(TColor Sel, TColor Cell, bool Mix)
{
    if (!Mix) return Sel;
    if (Sel == clNone) return Cell;
    if (Cell == clNone) return Sel;
    TColor s = ColorToRGB(Sel), c = ColorToRGB(Cell);
    auto mul = [](int a, int b) { return static_cast<int>(std::nearbyint(a / 255.0 * b / 255.0 * 255.0)); };
    return static_cast<TColor>(
        RGB(mul(GetRValue(s), GetRValue(c)), mul(GetGValue(s), GetGValue(c)), mul(GetBValue(s), GetBValue(c))));
}

bool TAdvStringGrid::IsFixedForPaint(int ACol, int ARow)
{
    return IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows() || ARow >= RowCount() - FFixedFooters ||
           ACol >= ColCount() - FFixedRightCols;
}

String TAdvStringGrid::GetFormattedText(int ACol, int ARow) { return ReadCellText(ACol, ARow); }

void TAdvStringGrid::DoGetAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA)
{
    if (MouseActions()->HotmailRowSelect && ACol == 0) HA = taCenter;
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HA, VA);
}

void TAdvStringGrid::DoGetWordWrap(int ACol, int ARow, bool& WW)
{
    if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WW);
}

void TAdvStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA)
{
    HA = FDefaultAlignment;
    VA = FVAlignment;
    if (!AutoNumAlign) {
        if (TCellProperties* props = GetStoredObject(ACol, ARow)) HA = props->Alignment();
    }
    DoGetAlignment(ACol, ARow, HA, VA);
}

void TAdvStringGrid::DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    int dcol = RealToDisplCol(ACol);
    if (ActiveCellShow &&
        ((ARow == Row() && dcol + 1 == FixedCols() && FixedCols() > 0) ||
         (dcol == Col() && ARow + 1 == FixedRows() && FixedRows() > 0))) {
        AFont->Assign(FActiveCellFont.get());
        ABrush->SetColor(ActiveCellColor);
    }
    if (TCellProperties* props = GetStoredObject(ACol, ARow)) {
        // Only text cells here; cell graphics keep the colour their own painter gives them.
        if (props->GraphicObject() == nullptr && props->BrushColor() != clNone) ABrush->SetColor(props->BrushColor());
        if (props->FontColor() != clNone) AFont->SetColor(props->FontColor());
        if (!props->FontStyle().Empty()) AFont->SetStyle(props->FontStyle());
        if (props->FontSize() != 0) AFont->SetSize(props->FontSize());
        if (!props->FontName().empty()) AFont->SetName(props->FontName());
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TAdvStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                                       bool)
{
    AFont->Assign(IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows() ? FFixedFont.get() : Font());
    if (TCellProperties* props = GetStoredObject(RCol, ARow)) {
        if (props->FontColor() != clNone) AFont->SetColor(props->FontColor());
        if (!props->FontStyle().Empty()) AFont->SetStyle(props->FontStyle());
        if (props->FontSize() != 0) AFont->SetSize(props->FontSize());
        if (!props->FontName().empty()) AFont->SetName(props->FontName());
    }
    DoGetCellColor(RCol, ARow, AState, ABrush, AFont);
}

void TAdvStringGrid::InstallCellPainters() { FFramePainters = {PaintCellBackground, PaintCellGridLines}; }

bool TAdvStringGrid::ApplyCellProperties(int RCol, int ARow, TBrush* ABrush, TFont* AFont, TCellVisual& Visual)
{
    TCellProperties* props = GetStoredObject(RCol, ARow);
    if (props == nullptr) return false;
    bool coloured = false;
    if (props->GraphicObject() == nullptr) {
        if (props->BrushColor() != clNone) {
            ABrush->SetColor(props->BrushColor());
            coloured = true;
        }
    } else {
        ABrush->SetColor(props->BrushColor());
    }
    if (props->FontColor() != clNone) AFont->SetColor(props->FontColor());
    if (!props->FontStyle().Empty()) AFont->SetStyle(props->FontStyle());
    if (props->FontSize() != 0) AFont->SetSize(props->FontSize());
    if (!props->FontName().empty()) AFont->SetName(props->FontName());
    Visual.WordWrap = props->WordWrap();
    Visual.ColorTo = props->BrushColorTo();
    Visual.Direction = props->GradientDirection();
    return coloured;
}

void TAdvStringGrid::ApplyDefaultColour(int ACol, int ARow, bool Print, TBrush* ABrush)
{
    ABrush->SetColor(Color());
    TBands* bands = Bands();
    if (bands->Active && (!Print || bands->Print)) {
        int total = bands->PrimaryLength + bands->SecondaryLength;
        bool body = ACol >= FixedCols() && ACol < AllColCount() - FFixedRightCols && ARow >= FixedRows() &&
                    ARow < RowCount() - FFixedFooters;
        if (body && total > 0)
            ABrush->SetColor((ARow - FixedRows()) % total < bands->PrimaryLength ? bands->PrimaryColor
                                                                                 : bands->SecondaryColor);
    }
    if (ACol < FixedCols() || ARow < FixedRows() || ACol >= ColCount() - FFixedRightCols ||
        ARow >= RowCount() - FFixedFooters)
        ABrush->SetColor(FixedColor());
}

void TAdvStringGrid::ApplySelection(int ACol, int ARow, int RRow, bool Select, bool Print, TBrush* ABrush, TFont* AFont,
                                    TCellVisual& Visual)
{
    bool normal = ACol >= FixedCols() && ARow >= FixedRows();
    bool fixed = IsFixedForPaint(ACol, ARow);
    TColor unselectedBrush = ABrush->Color(), unselectedFont = AFont->Color();
    auto selectCell = [&] {
        Visual.State = TGridDrawState{gdSelected};
        ABrush->SetColor(FSelectionColor);
        Visual.ColorTo = FSelectionColorTo;
        Visual.MirrorColor = FSelectionMirrorColor;
        Visual.MirrorColorTo = FSelectionMirrorColorTo;
        if (FSelectionTextColor != clNone) AFont->SetColor(FSelectionTextColor);
    };
    // Painting sees the mouse button as up: the pressed-button variants of the selection rules
    // belong to the mouse handling, which keeps no pressed state for painting yet.
    bool onScreenSelect = Select && !Print && FShowSelection && !fixed;
    TMouseActions* mouse = MouseActions();
    if (onScreenSelect && mouse->DisjunctRowSelect && normal) {
        if (RowSelect(RRow)) selectCell();
        else Visual.State.Exclude(gdSelected);
    }
    if (onScreenSelect && mouse->DisjunctColSelect && normal && ColSelect(ACol)) selectCell();
    if (onScreenSelect && !mouse->DisjunctRowSelect && !mouse->DisjunctColSelect) {
        TGridRect sel = Selection();
        if (ACol >= sel.Left && ACol <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom) {
            ABrush->SetColor(MixSelectionColor(FSelectionColor, ABrush->Color(), FSelectionColorMixer));
            Visual.ColorTo = FSelectionColorTo;
            Visual.MirrorColor = FSelectionMirrorColor;
            Visual.MirrorColorTo = FSelectionMirrorColorTo;
            if (FSelectionTextColor != clNone) AFont->SetColor(FSelectionTextColor);
            Visual.State.Include(gdSelected);
        }
    }
    if (mouse->DisjunctCellSelect && FShowSelection) {
        int key = (ACol & 0xFFFF) | (ARow << 16);
        if (FSelectedCells->HasValue(key)) {
            selectCell();
        } else if (ACol == Col() && ARow == Row()) {
            Visual.State.Exclude(gdSelected);
            ABrush->SetColor(unselectedBrush);
            AFont->SetColor(unselectedFont);
        }
    }
}

void TAdvStringGrid::DecideFixedLook(int ACol, int ARow, int RCol, TCellVisual& Visual)
{
    TFixedCellLook& look = Visual.FixedLook;
    look.Look = Look;
    look.Flat = FFlat;
    look.FixedColor = FixedColor();
    look.HorzLines = Options().Contains(goFixedHorzLine);
    look.VertLines = Options().Contains(goFixedVertLine);
    look.ActiveHeader = ActiveCellShow && ((ARow == Row() && ACol + 1 == FixedCols() && FixedCols() > 0) ||
                                           (ACol == Col() && ARow + 1 == FixedRows() && FixedRows() > 0));
    look.ActiveColor = ActiveCellColor;
    look.ActiveColorTo = ActiveCellColorTo;
    look.RightFixedOfFlat = FFixedRightCols > 0 && RCol >= AllColCount() - FFixedRightCols;
}

void TAdvStringGrid::GetCellVisual(int ACol, int ARow, bool Print, bool Select, bool Remap, TBrush* ABrush, TFont* AFont,
                                   TCellVisual& Visual)
{
    bool normal = ACol >= FixedCols() && ARow >= FixedRows();
    // Printing with its own fonts comes with the print settings; until then the display fonts serve.
    AFont->Assign(normal ? Font() : FFixedFont.get());
    int rcol = Remap ? DisplToRealCol(ACol) : ACol;
    bool realRows = (MouseActions()->DisjunctRowSelect && MouseActions()->RowSelectPersistent) || UseEnabledRows;
    int rrow = realRows ? DisplToRealRow(ARow) : ARow;

    ABrush->SetColor(clNone);
    Visual.ColorTo = clNone;
    Visual.MirrorColor = clNone;
    Visual.MirrorColorTo = clNone;

    bool coloured = ApplyCellProperties(rcol, ARow, ABrush, AFont, Visual);
    if (Visual.Selected()) Visual.Direction = GradientVertical;
    if (ABrush->Color() == clNone) ApplyDefaultColour(ACol, ARow, Print, ABrush);

    if (IsFixedForPaint(ACol, ARow) && !coloured) {
        if (!Print) {
            ABrush->SetColor(FixedColor());
            AFont->Assign(FFixedFont.get());
            Visual.State.Include(gdFixed);
        }
        if (Look > glClassic) {
            ABrush->SetColor(FQRXGradientFrom);
            Visual.ColorTo = FQRXGradientTo;
            Visual.MirrorColor = FQRXGradientMirrorFrom;
            Visual.MirrorColorTo = FQRXGradientMirrorTo;
        }
    }

    // The print colour hook arrives with printing; on screen the colour hook decides.
    if (!Print) DoGetCellColor(rcol, ARow, Visual.State, ABrush, AFont);
    if (OnGetCellGradient) {
        TColor color = ABrush->Color();
        OnGetCellGradient(this, ARow, rcol, color, Visual.ColorTo, Visual.MirrorColor, Visual.MirrorColorTo,
                          Visual.Direction);
        ABrush->SetColor(color);
    }

    ApplySelection(ACol, ARow, rrow, Select, Print, ABrush, AFont, Visual);
    if (UseEnabledRows && !IsRowEnabled(rrow)) AFont->SetColor(DisabledFontColor);

    DoGetWordWrap(rcol, ARow, Visual.WordWrap);
    GetCellAlignment(rcol, ARow, Visual.HAlign, Visual.VAlign);
    DecideFixedLook(ACol, ARow, rcol, Visual);
    Visual.Color = ABrush->Color();
    Visual.Font = AFont;
}

void TAdvStringGrid::DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    int rcol = DisplToRealCol(ACol);
    // In-cell scroll bars are placed by their own painter; without one the text has no offset.

    TCellVisual visual;
    visual.State = AState;
    visual.WordWrap = FWordWrapEx;
    GetCellVisual(ACol, ARow, false, false, true, ACanvas->Brush(), ACanvas->Font(), visual);

    if (visual.Selected() && !visual.State.Contains(gdFocused) && FSelectionColor == clNone)
        ACanvas->Brush()->SetColor(clHighlight);
    if (ZoomFactor != 0) ACanvas->Font()->SetSize(ACanvas->Font()->Size() + ZoomFactor);
    visual.Color = ACanvas->Brush()->Color();
    TColor savedBrush = visual.Color, savedFont = ACanvas->Font()->Color();

    // The fixed look is tested on the display column, as the fixed colours were.
    if (IsFixedForPaint(ACol, ARow)) visual.State.Include(gdFixed);
    else visual.State.Exclude(gdFixed);
    PaintFixedCellFill(ACanvas, visual, ARect);
    ACanvas->Brush()->SetColor(savedBrush);

    bool customDraw = static_cast<bool>(OnDrawCell);
    if (!customDraw || !NoDefaultDraw) DrawCellText(ACanvas, ACol, ARow, rcol, ARect, visual, savedBrush, savedFont);

    ACanvas->Brush()->SetColor(savedBrush);
    ACanvas->Font()->SetColor(savedFont);
    InflateRect(&ARect, 1, 1);
    // Custom cell borders come with the border hooks; no cell has any yet.
    PaintFixedCellEdges(ACanvas, visual, ARect);
    // Outline tree lines and cell graphics have their own painters and are not drawn here.

    if (customDraw) {
        TRect r{ARect.left + 1, ARect.top + 1, ARect.right - FDrawnLineWidth, ARect.bottom - FDrawnLineWidth};
        OnDrawCell(this, rcol, ARow, r, AState);
    }

    if (!HideFocusRect) {
        TPoint base = BaseCell(ACol, ARow);
        if (base.x == Col() && base.y == Row() && Focused() && !Options().Contains(goRowSelect) &&
            Row() >= FixedRows() && Col() >= FixedCols())
            PaintCellFocus(ACanvas, ARect, FDrawnLineWidth);
    }
}

void TAdvStringGrid::DrawCellText(TCanvas* Canvas, int ACol, int ARow, int RCol, TRect ARect, const TCellVisual& Visual,
                                  TColor SavedBrush, TColor SavedFont)
{
    bool isFixed = IsFixed(ACol, ARow);
    TColor linkColor = URLColor;
    bool selectedLook = false;
    bool rowSelected = false;
    if (Options().Contains(goRowSelect) && MouseActions()->DisjunctRowSelect && RCol >= FixedCols() &&
        RCol < ColCount() - FFixedRightCols) {
        int rrow = DisplToRealRow(ARow);
        rowSelected = rrow >= 0 && rrow < AllRowCount() && RowSelect(rrow);
    }
    if ((Visual.Selected() || rowSelected) && !isFixed) {
        if (FShowSelection) {
            selectedLook = true;
            if (FSelectionColor != clNone) Canvas->Brush()->SetColor(FSelectionColor);
            if (FSelectionTextColor != clNone) Canvas->Font()->SetColor(FSelectionTextColor);
            linkColor = FSelectionTextColor;
        } else if (!Focused()) {
            Canvas->Brush()->SetColor(SavedBrush);
            Canvas->Font()->SetColor(SavedFont);
            linkColor = URLColor;
        }
    }

    String text = GetFormattedText(RCol, ARow);
    int kind = CellTextKind(text, EnableHTML);
    // Rich text is drawn by its own renderer, which is not part of this painter.
    if (kind == 2) return;
    if (text.empty()) return;

    TRect r = ARect;
    if (isFixed) {
        r.left += FDrawnLineWidth;
        r.top += FDrawnLineWidth;
    }
    // No cell graphic shares the cell yet, so the text has the whole rectangle less the offsets.
    r.left += XYOffset.x;
    r.right -= XYOffset.x;
    r.top += XYOffset.y;

    if (kind == 1) {
        TCellMarkupOptions markup;
        markup.Images = GetGridImages();
        markup.Pictures = FPictureContainer;
        markup.Cache = ImageCache();
        markup.LinkColor = linkColor;
        markup.InSelection = selectedLook;
        markup.BlinkVisible = !EnableBlink || GridBlink();
        markup.EnhTextSize = EnhTextSize;
        markup.Window = HandleAllocated() ? Handle() : nullptr;
        markup.BiDi = UseRightToLeftAlignment() ? 1 : 0;
        PaintCellMarkup(Canvas, r, text, markup);
        return;
    }

    bool underline = false;
    if (URLShow && LooksLikeURL(text)) {
        if (!URLFull) StripURLScheme(text);
        TFontStyles style = Canvas->Font()->Style();
        style.Include(fsUnderline);
        Canvas->Font()->SetStyle(style);
        Canvas->Font()->SetColor(linkColor);
        underline = true;
    }

    TCellTextOptions options;
    options.Multilinecells = Multilinecells;
    options.EnhTextSize = EnhTextSize;
    options.RightToLeft = UseRightToLeftAlignment();
    FVAlign = PaintCellText(Canvas, Visual, r, text, options);

    if (underline) {
        TFontStyles style = Canvas->Font()->Style();
        style.Exclude(fsUnderline);
        Canvas->Font()->SetStyle(style);
    }
}

void TAdvStringGrid::SetPictureContainer(TPictureContainer* Value)
{
    if (Value == FPictureContainer) return;
    if (FPictureContainer != nullptr) FPictureContainer->RemoveFreeNotification(this);
    FPictureContainer = Value;
    if (FPictureContainer != nullptr) FPictureContainer->FreeNotification(this);
    Invalidate();
}
