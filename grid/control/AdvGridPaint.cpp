// Cell painting of the grid control: the precedence order that decides a cell's colours, font,
// alignment and word wrap (GetCellVisual), and the content of a cell drawn inside the frame the
// base grid painted, by the painters of grid/control/paint in their order.
//
// Markup, rich text, cell graphics, in-cell controls, URL/filter/sort glyphs and outline tree
// lines get painters of their own; where they would run, the steps below stop or skip.
#include <algorithm>
#include <cmath>
#include <optional>

#include "framework/facts/SystemFacts.h"
#include "framework/system/Conversions.h"
#include "framework/system/StringUtils.h"
#include "grid/control/AdvGrid.h"
#include "grid/control/paint/CellBackgroundPainter.h"
#include "grid/control/paint/CellBorderPainter.h"
#include "grid/control/paint/CellMarkupPainter.h"
#include "grid/control/paint/CellTextPainter.h"
#include "grid/control/paint/FixedCellLookPainter.h"
#include "grid/control/paint/FocusRectPainter.h"
#include "grid/control/paint/GridBackGroundPainter.h"
#include "grid/control/paint/GridLinePainter.h"
#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/AdvUtilDraw.h"

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

namespace {

int SortGlyphY(const TRect& R, TVAlignment VA)
{
    if (VA == vtaTop) return R.top + 8;
    if (VA == vtaBottom) return R.bottom - 8;
    return R.top + (R.bottom - R.top) / 2;
}

} // namespace

bool TAdvStringGrid::IsFixedForPaint(int ACol, int ARow)
{
    return IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows() || ARow >= RowCount() - FFixedFooters ||
           ACol >= ColCount() - FFixedRightCols;
}

String TAdvStringGrid::GetFormattedText(int ACol, int ARow)
{
    String text = ReadCellText(ACol, ARow);
    if (!OnGetFloatFormat) return text;
    const int kind = NumberTextKind(Trim(text));
    if (kind != 0 && kind != 1 && kind != 5) return text;
    bool isFloat = true;
    String format = FloatFormat;
    OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (!isFloat) return text;
    try {
        const double value = CellFloatValue(ACol, ARow);
        if (format.find(L'd') != String::npos) return Format(format, {static_cast<int>(std::trunc(value))});
        return Format(format, {value});
    } catch (const Exception&) {
        // A format that does not fit the number shows the number as it is stored.
        return text;
    }
}

void TAdvStringGrid::DoGetAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA)
{
    if (MouseActions()->HotmailRowSelect() && ACol == 0) HA = taCenter;
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
    if (AutoNumAlign) {
        // A formula counts by its result, which the display-text hook gives.
        String text = ReadCellText(ACol, ARow);
        if ((!text.empty() && text[0] == L'=') || (text.size() > 3 && text.compare(0, 2, L"|\\") == 0 && text[3] == L'='))
            DoGetDisplText(ACol, ARow, text);
        const int kind = NumberTextKind(Trim(text));
        if (kind == 0 || kind == 1 || kind == 5) HA = taRightJustify;
    } else if (TCellProperties* props = GetStoredObject(ACol, ARow)) {
        HA = props->Alignment();
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
        // Text, icon, image and comment cells keep their own colour even where they are fixed;
        // in-cell controls keep the colour their own painter gives them.
        const auto* graphic = dynamic_cast<const TCellGraphic*>(props->GraphicObject());
        const TCellType kind = graphic != nullptr ? graphic->CellType() : ctNone;
        const bool ownColour = kind == ctIcon || kind == ctNone || kind == ctImageList || kind == ctEmpty ||
                               kind == ctImages || kind == ctComment;
        if (ownColour && props->BrushColor() != clNone) ABrush->SetColor(props->BrushColor());
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
    // Cells that show text (plain, rotated, or with an error marker) keep a colour of their own
    // even where they are fixed; cells holding anything else take theirs and the fixed look decides.
    const TCellType kind = GetCellType(RCol, ARow);
    const bool textCell = kind == ctNone || kind == ctRotated || kind == ctEmpty;
    bool coloured = false;
    if (textCell) {
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
    if (bands->Active() && (!Print || bands->Print)) {
        int total = bands->PrimaryLength() + bands->SecondaryLength();
        bool body = ACol >= FixedCols() && ACol < AllColCount() - FFixedRightCols && ARow >= FixedRows() &&
                    ARow < RowCount() - FFixedFooters;
        if (body && total > 0)
            ABrush->SetColor((ARow - FixedRows()) % total < bands->PrimaryLength() ? bands->PrimaryColor()
                                                                                 : bands->SecondaryColor());
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
    if (onScreenSelect && mouse->DisjunctRowSelect() && normal) {
        if (RowSelect(RRow)) selectCell();
        else Visual.State.Exclude(gdSelected);
    }
    if (onScreenSelect && mouse->DisjunctColSelect() && normal && ColSelect(ACol)) selectCell();
    if (onScreenSelect && !mouse->DisjunctRowSelect() && !mouse->DisjunctColSelect()) {
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
    if (mouse->DisjunctCellSelect() && FShowSelection) {
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
    if (FIsWinXP) {
        // Header item right, normal, with the mouse elsewhere; the item pressed or hot under it.
        const bool hovered = FFixedCells.HoverCol == ACol && FFixedCells.HoverRow == ARow;
        const bool pressed = hovered && (SystemFacts().KeyState(VK_LBUTTON) & 0x8000) != 0;
        look.ThemedHeaderPart = hovered ? 1 : 3;
        look.ThemedHeaderState = !hovered ? 1 : pressed ? 3 : 2;
        look.Window = HandleAllocated() ? Handle() : nullptr;
    }
    const TSortSettings& sort = *FSortSettings;
    look.SortedHeader = sort.Column != -1 && sort.HeaderColor != clNone && sort.Column == RCol &&
                        ARow + 1 == FixedRows() && (ACol + 1 > FixedCols() || sort.FixedCols);
    look.HeaderColor = sort.HeaderColor;
    look.HeaderColorTo = sort.HeaderColorTo;
    look.HeaderMirrorColor = sort.HeaderMirrorColor;
    look.HeaderMirrorColorTo = sort.HeaderMirrorColorTo;
}

void TAdvStringGrid::GetCellVisual(int ACol, int ARow, bool Print, bool Select, bool Remap, TBrush* ABrush, TFont* AFont,
                                   TCellVisual& Visual)
{
    bool normal = ACol >= FixedCols() && ARow >= FixedRows();
    const bool printFonts = Print && !FPrintSettings->UseDisplayFont;
    if (normal) AFont->Assign(printFonts ? FPrintSettings->Font() : Font());
    else AFont->Assign(printFonts ? FPrintSettings->FixedFont() : FFixedFont.get());
    int rcol = Remap ? DisplToRealCol(ACol) : ACol;
    bool realRows = (MouseActions()->DisjunctRowSelect() && MouseActions()->RowSelectPersistent) || UseEnabledRows;
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

    if (Print) DoGetCellPrintColor(rcol, ARow, Visual.State, ABrush, AFont);
    else DoGetCellColor(rcol, ARow, Visual.State, ABrush, AFont);
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

void TAdvStringGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                     TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD)
{
    // The look is the one the cell has without properties: the new, still empty object steps
    // aside meanwhile, or its own word wrap and alignment would decide. An object a colour event
    // makes for the cell in between is dropped for it.
    TCellProperties* fresh = GetStoredObject(ACol, ARow);
    SetStoredObject(ACol, ARow, nullptr);
    struct TRestore {
        TAdvStringGrid* Grid;
        int Col, Row;
        TCellProperties* Props;
        ~TRestore()
        {
            Grid->FreeCellProperties(Col, Row);
            Grid->SetStoredObject(Col, Row, Props);
        }
    } restore{this, ACol, ARow, fresh};

    TGridDrawState state;
    GetVisualProperties(ACol, ARow, state, false, false, false, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, AFont, HA,
                        VA, WW, GD);
    const TBackGroundDisplay display = BackGround()->Display();
    if (IsFixedForPaint(ACol, ARow) || Bands()->Active() || display == bdGradientHorz || display == bdGradientVert ||
        state.Contains(gdSelected)) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

void TAdvStringGrid::DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    int rcol = DisplToRealCol(ACol);
    const int scrollOffset = HasScrollBar(rcol, ARow) ? DrawCellScrollBar(ACanvas, rcol, ARow, ARect) : 0;

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
    const int indicator = DrawRowIndicator(ACanvas, rcol, ARow, ARect);
    ARect.left += indicator;
    int buttons = 0;
    {
        TPen savedPen;
        savedPen.Assign(ACanvas->Pen());
        DrawModifiedMark(ACanvas, ACol, ARow, ARect);
        ACanvas->Brush()->SetColor(savedBrush);
        if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, ACanvas, rcol, ARow, AState, ARect, false);
        buttons = DrawCellButtons(ACanvas, ACol, ARow, rcol, ARect);
        ARect.right -= buttons;
        ACanvas->Pen()->Assign(&savedPen);
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(savedBrush);
        ACanvas->Font()->SetColor(savedFont);
    }

    const TCellGraphicLayout layout = GetCellGraphicLayout(rcol, ARow);
    const bool customDraw = OnDrawCell || OnCustomCellDraw;
    int textWidth = 0;
    if (!customDraw || !NoDefaultDraw) DrawCellBackGround(ACanvas, ACol, ARow, rcol, ARect, visual, layout);
    if ((!customDraw || !NoDefaultDraw) && (layout.Graphic == nullptr || !NoImageAndText))
        textWidth = DrawCellText(ACanvas, ACol, ARow, rcol, ARect, visual, savedBrush, savedFont, layout, scrollOffset);

    ACanvas->Brush()->SetColor(savedBrush);
    ACanvas->Font()->SetColor(savedFont);
    ARect.right += buttons;
    InflateRect(&ARect, 1, 1);
    DrawCellBorders(ACanvas, rcol, ARow, ARect);
    ARect.left -= indicator;
    PaintFixedCellEdges(ACanvas, visual, ARect);
    // Outline tree lines have their own painter and are not drawn here.

    if (layout.Graphic != nullptr) {
        TRect r = ARect;
        if (visual.Fixed()) r.top += 1;
        DrawCellGraphic(ACanvas, ARow, rcol, r, layout, visual, textWidth);
    }

    if (OnDrawCell) {
        TRect r{ARect.left + 1, ARect.top + 1, ARect.right - FDrawnLineWidth, ARect.bottom - FDrawnLineWidth};
        OnDrawCell(this, rcol, ARow, r, AState);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, rcol, ARow, AState, ARect, false);

    if (!HideFocusRect) {
        TPoint base = BaseCell(ACol, ARow);
        if (base.x == Col() && base.y == Row() && Focused() && !Options().Contains(goRowSelect) &&
            Row() >= FixedRows() && Col() >= FixedCols())
            PaintCellFocus(ACanvas, ARect, FDrawnLineWidth);
    }
}

int TAdvStringGrid::DrawCellText(TCanvas* Canvas, int ACol, int ARow, int RCol, TRect ARect, const TCellVisual& Visual,
                                 TColor SavedBrush, TColor SavedFont, const TCellGraphicLayout& Layout,
                                 int ScrollOffset)
{
    bool isFixed = IsFixed(ACol, ARow);
    TColor linkColor = URLColor;
    bool selectedLook = false;
    bool rowSelected = false;
    if (Options().Contains(goRowSelect) && MouseActions()->DisjunctRowSelect() && RCol >= FixedCols() &&
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
    if (kind == 3) {
        // A formula shows its result.
        DoGetDisplText(RCol, ARow, text);
        kind = CellTextKind(text, EnableHTML);
    }
    int errorStart = 0, errorLength = 0;
    GetMarker(RCol, ARow, errorStart, errorLength);
    if (DoIsPasswordCell(RCol, ARow)) text.assign(text.size(), PasswordChar);

    TRect r = ARect;
    if (isFixed) {
        r.left += FDrawnLineWidth;
        r.top += FDrawnLineWidth;
    }
    // A scrolled cell shows the part of its text below the scroll position.
    std::optional<advutil::TClipToRect> scrolledClip;
    if (ScrollOffset > 0) {
        scrolledClip.emplace(Canvas, r);
        r.top -= ScrollOffset;
    }
    const bool filterGlyph = DrawFilterGlyph(Canvas, RCol, ARow, r);
    DrawSelectionFrame(Canvas, ACol, ARow, r);
    // Rich text is drawn by its own renderer, which is not part of this painter.
    if (kind == 2) return 0;
    if (!Layout.DrawText) return 0;
    r.left += XYOffset.x;
    if (!XYOffsetTopLeftOnly) r.right -= XYOffset.x;
    r.top += XYOffset.y;
    // The text keeps clear of a graphic that stands beside, above or under it.
    if (Layout.Graphic != nullptr) {
        if (Layout.HAlign == haBeforeText) r.left += Layout.Width;
        if (Layout.HAlign == haAfterText) r.right -= Layout.Width;
        if (Layout.VAlign == vaAboveText) r.top += Layout.Height;
        if (Layout.VAlign == vaUnderText) r.bottom -= Layout.Height;
    }

    // A graphic left of left-aligned text pushes the text's sort glyph right by its width.
    const int glyphOffset = Layout.Graphic != nullptr && (Layout.HAlign == haLeft ||
                                                          (Layout.HAlign == haBeforeText && Visual.HAlign == taLeftJustify))
                                ? Layout.Width
                                : 0;
    const TSortSettings& sort = *FSortSettings;
    const bool sortedHeader = IsSortedHeader(RCol, ARow);

    if (kind == 1) {
        const bool glyphRoom = sortedHeader && FixedRows() > 0 && (RCol >= FixedCols() || sort.FixedCols);
        if (filterGlyph) r.right -= 18;
        r.left -= 1;
        if (glyphRoom) r.right -= 10;
        const TCellMarkupOptions markup = CellMarkupOptions(linkColor, selectedLook);
        const int width = PaintCellMarkup(Canvas, r, text, markup);
        if (glyphRoom && ShowsSortGlyph(RCol)) DrawSortIndicator(Canvas, RCol, r.right + 2, SortGlyphY(r, Visual.VAlign));
        return width;
    }

    if (sortedHeader) {
        // Room for the glyph beside the header text.
        if (ARow == sort.Row && RCol == sort.Column && Visual.HAlign == taCenter) r.left += 10;
        if (ARow == 0) {
            if (Visual.HAlign == taLeftJustify) r.right -= 14;
            else if (Visual.HAlign == taRightJustify) r.left += 14;
        }
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

    if (filterGlyph) r.right -= 16;

    TCellTextOptions options;
    options.Multilinecells = Multilinecells;
    options.EnhTextSize = EnhTextSize;
    options.RightToLeft = UseRightToLeftAlignment();
    int textWidth = 0;
    if ((Layout.Graphic != nullptr || sortedHeader) && !text.empty()) {
        // The graphic beside the text and the sort glyph are placed by the width the text takes.
        TRect measured = r;
        String measuredText = text;
        Canvas->TextRect(measured, measuredText,
                         DT_CALCRECT | CellTextFormat(text, Visual.WordWrap, Visual.HAlign, Visual.VAlign, options));
        textWidth = measured.right - measured.left + 2;
    }
    FVAlign = PaintCellText(Canvas, Visual, r, text, options);
    const TCellType graphicKind = Layout.Graphic != nullptr ? Layout.Graphic->CellType() : ctNone;
    if (errorLength > 0 && (graphicKind == ctEmpty || graphicKind == ctValue))
        PaintErrorUnderline(HandleAllocated() ? Handle() : nullptr, Canvas, text, errorLength, errorStart,
                            Canvas->TextHeight(L"hg"), r);
    if (sortedHeader && ShowsSortGlyph(RCol)) {
        const int shown = std::max(0, std::min<int>(r.right - r.left - 16, textWidth > 0 ? textWidth - 2 : 0));
        int x = r.left + 8;
        if (Visual.HAlign == taLeftJustify) x = r.left + shown + 10 + glyphOffset;
        else if (Visual.HAlign == taRightJustify) x = r.right - shown - 10;
        DrawSortIndicator(Canvas, RCol, x, SortGlyphY(r, Visual.VAlign));
    }
    if (Layout.Graphic == nullptr) textWidth = 0;

    if (underline) {
        TFontStyles style = Canvas->Font()->Style();
        style.Exclude(fsUnderline);
        Canvas->Font()->SetStyle(style);
    }
    return textWidth;
}

TCellMarkupOptions TAdvStringGrid::CellMarkupOptions(TColor LinkColor, bool InSelection)
{
    TCellMarkupOptions markup;
    markup.Images = GetGridImages();
    markup.Pictures = FPictureContainer;
    markup.Cache = ImageCache();
    markup.LinkColor = LinkColor;
    markup.InSelection = InSelection;
    markup.BlinkVisible = !EnableBlink || GridBlink();
    markup.EnhTextSize = EnhTextSize;
    markup.Window = HandleAllocated() ? Handle() : nullptr;
    markup.BiDi = UseRightToLeftAlignment() ? 1 : 0;
    return markup;
}

void TAdvStringGrid::DoGetCellBorder(int ACol, int ARow, TCellBorders& Borders, TPen* APen)
{
    // Group header and summary lines join here once outline nodes are kept.
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TAdvStringGrid::DrawCellBorders(TCanvas* Canvas, int RCol, int ARow, TRect Rect)
{
    if (!OnGetCellBorder && !OnGetCellBorderProp) return;
    TPen saved;
    saved.Assign(Canvas->Pen());
    TCellBorders borders;
    DoGetCellBorder(RCol, ARow, borders, Canvas->Pen());
    TPen left, top, right, bottom;
    for (TPen* pen : {&left, &top, &right, &bottom}) pen->Assign(Canvas->Pen());
    if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, RCol, &left, &top, &right, &bottom);
    PaintCellBorders(Canvas, Rect, borders, {&left, &top, &right, &bottom}, Canvas->Pen()->Width(), FDrawnLineWidth,
                     Options().Contains(goVertLine), Options().Contains(goHorzLine));
    Canvas->Pen()->Assign(&saved);
}

void TAdvStringGrid::DrawCellBackGround(TCanvas* Canvas, int ACol, int ARow, int RCol, const TRect& Rect,
                                        const TCellVisual& Visual, const TCellGraphicLayout& Layout)
{
    const TBackGround& bg = *FBackGround;
    const bool covered = bg.Cells() == bcAll || (bg.Cells() == bcFixed) == Visual.Fixed();
    if (!covered) return;
    const bool ownBrush = GetCellBrushColor(RCol, ARow) != clNone;
    const int lineWidth = FDrawnLineWidth;
    TGridBackGroundLook look;
    look.Bitmap = bg.Bitmap();
    look.Color = bg.Color();
    look.ColorTo = bg.ColorTo();
    look.Control = {Width(), Height()};

    if (bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert) {
        const TCellType kind = Layout.Graphic != nullptr ? Layout.Graphic->CellType() : ctNone;
        // In-cell controls stand on the gradient even when the cell has a colour of its own.
        const bool control = kind == ctCheckBox || kind == ctDataCheckBox || kind == ctRadio || kind == ctButton ||
                             kind == ctRadioButton;
        const bool focused = Visual.State.Contains(gdFocused);
        const bool showsGradient =
            ((!Visual.Selected() || focused) && (!focused || !Options().Contains(goDrawFocusSelected))) || !FShowSelection;
        if ((ownBrush && !control) || !showsGradient) return;
        look.Kind = bg.Display() == bdGradientHorz ? TGridBackGroundLook::GradientHorizontal
                                                   : TGridBackGroundLook::GradientVertical;
        PaintGridBackGround(Canvas, TRect{Rect.left - 1, Rect.top - lineWidth, Rect.right, Rect.bottom + lineWidth - 1},
                            look);
        return;
    }
    if (bg.Bitmap()->Empty() || ownBrush || (FShowSelection && Visual.Selected())) return;
    look.Kind = bg.Display() == bdTile ? TGridBackGroundLook::Tiled : TGridBackGroundLook::Placed;
    look.Position = {bg.Left(), bg.Top()};
    if (look.Kind == TGridBackGroundLook::Tiled) {
        // The tiles follow the content: the phase is the size of the cells before this one.
        const int firstCol = bg.Cells() != bcNormal ? 0 : FixedCols();
        const int firstRow = bg.Cells() != bcNormal ? 0 : FixedRows();
        look.Phase = TilePhase(ACol, ARow, firstCol, firstRow, {bg.Bitmap()->Width(), bg.Bitmap()->Height()});
    }
    PaintGridBackGround(Canvas, TRect{Rect.left - lineWidth + 1, Rect.top - lineWidth + 1, Rect.right, Rect.bottom},
                        look);
}

TPoint TAdvStringGrid::TilePhase(int ACol, int ARow, int FirstCol, int FirstRow, TSize Tile)
{
    auto phase = [](long long Before, int TileSize) { return TileSize > 0 ? static_cast<int>(Before % TileSize) : 0; };
    return {phase(ColWidthsSum(FirstCol, ACol), Tile.cx), phase(RowHeightsSum(FirstRow, ARow), Tile.cy)};
}

void TAdvStringGrid::SetPictureContainer(TPictureContainer* Value)
{
    if (Value == FPictureContainer) return;
    if (FPictureContainer != nullptr) FPictureContainer->RemoveFreeNotification(this);
    FPictureContainer = Value;
    if (FPictureContainer != nullptr) FPictureContainer->FreeNotification(this);
    Invalidate();
}
