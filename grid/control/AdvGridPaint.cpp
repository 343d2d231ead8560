// Cell painting of the grid control: the precedence order that decides a cell's colours, font,
// alignment and word wrap (GetVisualProperties), and the content of a cell drawn inside the
// frame the base grid painted: fixed-cell looks, plain text and the focus rectangle.
//
// Markup, rich text, cell graphics, in-cell controls, URL/filter/sort glyphs and outline tree
// lines have their own painters; where they would run, the steps below stop or skip.
#include <algorithm>
#include <cmath>

#include "grid/control/AdvGrid.h"
#include "grid/foundation/AdvUtil.h"

namespace {

// 0 plain, 1 markup, 2 rich text, 3 formula (the order of the tests matters).
int PaintTextKind(const String& Text, bool DetectMarkup)
{
    if (Text.empty()) return 0;
    if (Text[0] == L'=') return 3;
    if (Text.size() >= 2 && Text[0] == L'|' && Text[1] == L'\\') return 0;
    if (Text.size() >= 2 && Text[0] == L'{' && Text[1] == L'\\') return 2;
    if (DetectMarkup) {
        for (const wchar_t* tag : {L"</", L"<B", L"<I", L"<C"})
            if (Text.find(tag) != String::npos) return 1;
    }
    return 0;
}

void PaintLine(TCanvas* Canvas, TColor Color, std::initializer_list<TPoint> Points)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Pen()->SetWidth(1);
    Canvas->Polyline(Points);
}

} // namespace

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

void TAdvStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                                         TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                                         TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                                         TCellGradientDirection& GD)
{
    bool normal = ACol >= FixedCols() && ARow >= FixedRows();
    // Printing with its own fonts comes with the print settings; until then the display fonts serve.
    AFont->Assign(normal ? Font() : FFixedFont.get());
    int rcol = Remap ? DisplToRealCol(ACol) : ACol;
    bool realRows = (MouseActions()->DisjunctRowSelect && MouseActions()->RowSelectPersistent) || UseEnabledRows;
    int rrow = realRows ? DisplToRealRow(ARow) : ARow;

    ABrush->SetColor(clNone);
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;

    bool coloured = false;
    if (TCellProperties* props = GetStoredObject(rcol, ARow)) {
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
        WW = props->WordWrap();
        AColorTo = props->BrushColorTo();
        GD = props->GradientDirection();
    }
    if (AState.Contains(gdSelected)) GD = GradientVertical;

    if (ABrush->Color() == clNone) {
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

    bool fixed = IsFixedForPaint(ACol, ARow);
    if (fixed && !coloured) {
        if (!Print) {
            ABrush->SetColor(FixedColor());
            AFont->Assign(FFixedFont.get());
            AState.Include(gdFixed);
        }
        if (Look > glClassic) {
            ABrush->SetColor(FQRXGradientFrom);
            AColorTo = FQRXGradientTo;
            AMirrorColor = FQRXGradientMirrorFrom;
            AMirrorColorTo = FQRXGradientMirrorTo;
        }
    }

    // The print colour hook arrives with printing; on screen the colour hook decides.
    if (!Print) DoGetCellColor(rcol, ARow, AState, ABrush, AFont);

    TColor unselectedBrush = ABrush->Color(), unselectedFont = AFont->Color();
    auto selectCell = [&] {
        AState = TGridDrawState{gdSelected};
        ABrush->SetColor(FSelectionColor);
        AColorTo = FSelectionColorTo;
        AMirrorColor = FSelectionMirrorColor;
        AMirrorColorTo = FSelectionMirrorColorTo;
        if (FSelectionTextColor != clNone) AFont->SetColor(FSelectionTextColor);
    };
    // Painting sees the mouse button as up: the pressed-button variants of the selection rules
    // belong to the mouse handling, which keeps no pressed state for painting yet.
    bool onScreenSelect = Select && !Print && FShowSelection && !fixed;
    TMouseActions* mouse = MouseActions();
    if (onScreenSelect && mouse->DisjunctRowSelect && normal) {
        if (RowSelect(rrow)) selectCell();
        else AState.Exclude(gdSelected);
    }
    if (onScreenSelect && mouse->DisjunctColSelect && normal && ColSelect(ACol)) selectCell();
    if (onScreenSelect && !mouse->DisjunctRowSelect && !mouse->DisjunctColSelect) {
        TGridRect sel = Selection();
        if (ACol >= sel.Left && ACol <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom) {
            ABrush->SetColor(MixSelectionColor(FSelectionColor, ABrush->Color(), FSelectionColorMixer));
            AColorTo = FSelectionColorTo;
            AMirrorColor = FSelectionMirrorColor;
            AMirrorColorTo = FSelectionMirrorColorTo;
            if (FSelectionTextColor != clNone) AFont->SetColor(FSelectionTextColor);
            AState.Include(gdSelected);
        }
    }
    if (mouse->DisjunctCellSelect && FShowSelection) {
        int key = (ACol & 0xFFFF) | (ARow << 16);
        if (FSelectedCells->HasValue(key)) {
            selectCell();
        } else if (ACol == Col() && ARow == Row()) {
            AState.Exclude(gdSelected);
            ABrush->SetColor(unselectedBrush);
            AFont->SetColor(unselectedFont);
        }
    }

    if (UseEnabledRows && !IsRowEnabled(rrow)) AFont->SetColor(DisabledFontColor);

    DoGetWordWrap(rcol, ARow, WW);
    GetCellAlignment(rcol, ARow, HA, VA);
}

void TAdvStringGrid::DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    int rcol = DisplToRealCol(ACol);
    // In-cell scroll bars are placed by their own painter; without one the text has no offset.

    TColor colorTo = clNone, mirrorColor = clNone, mirrorColorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrapEx;
    TCellGradientDirection gd = GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, false, true, ACanvas->Brush(), colorTo, mirrorColor, mirrorColorTo,
                        ACanvas->Font(), ha, va, ww, gd);

    if (AState.Contains(gdSelected) && !AState.Contains(gdFocused) && FSelectionColor == clNone)
        ACanvas->Brush()->SetColor(clHighlight);
    if (ZoomFactor != 0) ACanvas->Font()->SetSize(ACanvas->Font()->Size() + ZoomFactor);
    TColor savedBrush = ACanvas->Brush()->Color(), savedFont = ACanvas->Font()->Color();

    bool fixed = IsFixedForPaint(ACol, ARow);
    int dcol = ACol;
    if (fixed && !FFlat && (Look == glQRX || Look == glXP || Look == glVista || Look == glWin7 || Look == glOffice2007)) {
        // Hovered and pressed headers and sorted-header colours come with the mouse handling
        // and sorting; the active-cell header and the plain look are drawn here.
        bool activeHeader = ActiveCellShow && ((ARow == Row() && dcol + 1 == FixedCols() && FixedCols() > 0) ||
                                               (dcol == Col() && ARow + 1 == FixedRows() && FixedRows() > 0));
        if (activeHeader)
            PaintMirrorGradient(ACanvas, ARect, ActiveCellColor, true, false, clNone, true, clNone, clNone,
                                ActiveCellColorTo);
        else
            PaintMirrorGradient(ACanvas, ARect, ACanvas->Brush()->Color(), true, true,
                                Look == glVista ? clWhite : clNone, true, mirrorColorTo, mirrorColor, colorTo);
    }
    if (fixed && !FFlat && Look == glListView) {
        ACanvas->Brush()->SetColor(clBtnFace);
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->Rectangle(ARect);
    }
    ACanvas->Brush()->SetColor(savedBrush);

    bool customDraw = static_cast<bool>(OnDrawCell);
    if (!customDraw || !NoDefaultDraw)
        DrawCellText(ACanvas, ACol, ARow, rcol, ARect, AState, ha, va, ww, savedBrush, savedFont);

    ACanvas->Brush()->SetColor(savedBrush);
    ACanvas->Font()->SetColor(savedFont);
    InflateRect(&ARect, 1, 1);
    // Custom cell borders come with the border hooks; no cell has any yet.

    TGridOptions options = Options();
    if (fixed && !FFlat) {
        TColor dark = HalveColor(FixedColor());
        if (Look == glClassic) {
            TRect r = ARect;
            r.left += 1;
            r.top += 1;
            r.bottom += 1;
            DrawEdge(ACanvas->Handle(), &r, BDR_RAISEDINNER, BF_LEFT);
            DrawEdge(ACanvas->Handle(), &r, BDR_RAISEDINNER, BF_TOP);
            DrawEdge(ACanvas->Handle(), &r, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
            PaintLine(ACanvas, clBlack, {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left - 1, r.bottom - 1}});
        } else if (Look == glQRX || Look == glXP) {
            TRect r = ARect;
            r.bottom += 1;
            if (options.Contains(goFixedHorzLine)) {
                PaintLine(ACanvas, dark, {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}});
                PaintLine(ACanvas, clWhite, {{r.right - 2, r.top + 1}, {r.left + 1, r.top + 1}, {r.left + 1, r.bottom - 1}});
            }
        } else if (Look == glSoft) {
            TRect r = ARect;
            r.right += 1;
            r.bottom += 1;
            if (options.Contains(goFixedHorzLine)) {
                PaintLine(ACanvas, dark, {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}});
                PaintLine(ACanvas, clWhite, {{r.right, r.top + 1}, {r.left + 1, r.top + 1}, {r.left + 1, r.bottom - 1}});
            }
            if (options.Contains(goFixedVertLine)) {
                PaintLine(ACanvas, dark, {{r.right - 2, r.top}, {r.right - 2, r.bottom - 1}});
                PaintLine(ACanvas, clWhite, {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}});
            }
        }
    }
    if (FFlat && FFixedRightCols > 0 && rcol >= AllColCount() - FFixedRightCols && Look != glClassic) {
        ACanvas->Pen()->SetColor(static_cast<TColor>(0x808080));
        ACanvas->Pen()->SetWidth(1);
        if (options.Contains(goFixedHorzLine)) {
            PaintLine(ACanvas, 0x808080, {{ARect.left, ARect.top - 1}, {ARect.right, ARect.top - 1}});
            PaintLine(ACanvas, 0x808080, {{ARect.left, ARect.bottom}, {ARect.right, ARect.bottom}});
        }
        if (options.Contains(goFixedVertLine)) {
            PaintLine(ACanvas, 0x808080, {{ARect.left - 1, ARect.top}, {ARect.left - 1, ARect.bottom}});
            PaintLine(ACanvas, 0x808080, {{ARect.right, ARect.top}, {ARect.right, ARect.bottom}});
        }
    }
    // Outline tree lines and cell graphics have their own painters and are not drawn here.

    if (customDraw) {
        TRect r{ARect.left + 1, ARect.top + 1, ARect.right - FDrawnLineWidth, ARect.bottom - FDrawnLineWidth};
        OnDrawCell(this, rcol, ARow, r, AState);
    }

    if (!HideFocusRect) {
        TPoint base = BaseCell(ACol, ARow);
        if (base.x == Col() && base.y == Row() && Focused() && !options.Contains(goRowSelect) && Row() >= FixedRows() &&
            Col() >= FixedCols()) {
            TRect r = ARect;
            InflateRect(&r, FDrawnLineWidth - 1, FDrawnLineWidth - 1);
            r.right -= 1;
            r.bottom -= 1;
            ACanvas->DrawFocusRect(r);
        }
    }
}

void TAdvStringGrid::DrawCellText(TCanvas* Canvas, int ACol, int ARow, int RCol, TRect ARect, TGridDrawState AState,
                                  TAlignment HA, TVAlignment VA, bool WW, TColor SavedBrush, TColor SavedFont)
{
    bool isFixed = IsFixed(ACol, ARow);
    TColor linkColor = URLColor;
    bool rowSelected = false;
    if (Options().Contains(goRowSelect) && MouseActions()->DisjunctRowSelect && RCol >= FixedCols() &&
        RCol < ColCount() - FFixedRightCols) {
        int rrow = DisplToRealRow(ARow);
        rowSelected = rrow >= 0 && rrow < AllRowCount() && RowSelect(rrow);
    }
    if ((AState.Contains(gdSelected) || rowSelected) && !isFixed) {
        if (FShowSelection) {
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
    int kind = PaintTextKind(text, EnableHTML);
    // Markup and rich text are drawn by their renderers, which are not part of this painter.
    if (kind == 1 || kind == 2) return;

    TRect r = ARect;
    if (isFixed) {
        r.left += FDrawnLineWidth;
        r.top += FDrawnLineWidth;
    }
    if (text.empty()) return;

    // No cell graphic shares the cell yet, so the text has the whole rectangle less the offsets.
    r.left += XYOffset.x;
    r.right -= XYOffset.x;
    r.top += XYOffset.y;

    bool underline = false;
    if (URLShow && (text.find(L"://") != String::npos || text.find(L"mailto:") != String::npos)) {
        if (!URLFull) {
            size_t p = text.find(L"://");
            if (p != String::npos) text.erase(0, p + 3);
            else if (text.compare(0, 7, L"mailto:") == 0) text.erase(0, 7);
        }
        TFontStyles style = Canvas->Font()->Style();
        style.Include(fsUnderline);
        Canvas->Font()->SetStyle(style);
        Canvas->Font()->SetColor(linkColor);
        underline = true;
    }

    static const UINT wrapFlags[2] = {DT_SINGLELINE, DT_EDITCONTROL | DT_WORDBREAK};
    static const UINT horzFlags[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    static const UINT vertFlags[3] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    UINT wrap = WW ? wrapFlags[1] : (Multilinecells ? 0u : wrapFlags[0]);
    bool multiLine = Multilinecells && text.find(L'\n') != String::npos;
    UINT format = 0;
    if (multiLine || WW) {
        format = DT_EDITCONTROL;
        if (WW && EnhTextSize && !Multilinecells) format |= DT_END_ELLIPSIS;
    } else {
        size_t eol = text.find_first_of(L"\r\n");
        if (eol != String::npos) text.erase(eol);
        format = DT_SINGLELINE;
        if (EnhTextSize) format |= DT_END_ELLIPSIS;
    }
    UINT vflag = vertFlags[VA];
    FVAlign = vflag;
    format |= DT_EXPANDTABS | DT_NOPREFIX | wrap | horzFlags[HA] | vflag;
    if (format & DT_SINGLELINE) format &= ~static_cast<UINT>(DT_EDITCONTROL);
    if (UseRightToLeftAlignment()) format |= DT_RTLREADING;

    Canvas->Brush()->SetStyle(bsClear);
    // The system centres and bottom-aligns only single lines; wrapped text is measured and moved.
    if (!(format & DT_SINGLELINE) && VA != vtaTop) {
        TRect calc = r;
        Canvas->TextRect(calc, text, format | DT_CALCRECT);
        int room = (r.bottom - r.top) - (calc.bottom - calc.top);
        if (room > 0) r.top += VA == vtaCenter ? room / 2 : room;
    }
    Canvas->TextRect(r, text, format);
    Canvas->Brush()->SetStyle(bsSolid);

    if (underline) {
        TFontStyles style = Canvas->Font()->Style();
        style.Exclude(fsUnderline);
        Canvas->Font()->SetStyle(style);
    }
}
