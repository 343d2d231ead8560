// Cell graphics in the grid's cell painting: the layout that keeps a cell's graphic and text
// apart, and the graphic drawn by the painter of its kind (pictures, in-cell controls, the
// progress family) with the values the grid holds for it.
#include <algorithm>
#include <cmath>

#include "framework/system/Conversions.h"
#include "framework/system/StringUtils.h"
#include "grid/control/AdvGrid.h"
#include "grid/control/paint/CellButtonPainter.h"
#include "grid/control/paint/CellGraphicPainter.h"
#include "grid/control/paint/CellProgressPainter.h"
#include "grid/control/paint/CheckGlyphPainter.h"
#include "grid/control/paint/NodeGlyphPainter.h"
#include "grid/control/paint/RotatedTextPainter.h"
#include "grid/foundation/AdvUtil.h"

namespace {

int PictureWidth(TObject* Object)
{
    auto* graphic = dynamic_cast<TGraphic*>(Object);
    return graphic != nullptr && !graphic->Empty() ? graphic->Width() : 0;
}

int PictureHeight(TObject* Object)
{
    auto* graphic = dynamic_cast<TGraphic*>(Object);
    return graphic != nullptr && !graphic->Empty() ? graphic->Height() : 0;
}

bool IsCheckOrRadio(TCellType Kind)
{
    return Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctVirtCheckBox || Kind == ctRowCheckBox ||
           Kind == ctRadioButton;
}

} // namespace

TAdvStringGrid::TCellGraphicLayout TAdvStringGrid::GetCellGraphicLayout(int ACol, int ARow)
{
    TCellGraphicLayout layout;
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic == nullptr) return layout;
    layout.Graphic = graphic;
    layout.HAlign = graphic->CellHAlign();
    layout.VAlign = graphic->CellVAlign();
    TPoint size{0, 0};
    switch (graphic->CellType()) {
    case ctBitmap:
        size = {PictureWidth(graphic->CellBitmap()), PictureHeight(graphic->CellBitmap())};
        break;
    case ctIcon:
        size = {PictureWidth(graphic->CellIcon()), PictureHeight(graphic->CellIcon())};
        break;
    case ctDataImage:
        layout.DrawText = false;
        [[fallthrough]];
    case ctImageList:
        if (TCustomImageList* images = GetGridImages()) size = {images->Width(), images->Height()};
        break;
    case ctCheckBox:
        size = {FControlLook->CheckSize(), FControlLook->CheckSize()};
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        size = {FControlLook->CheckSize(), FControlLook->CheckSize()};
        layout.DrawText = false;
        break;
    case ctNode:
        // The glyph takes the row's indent in the first column.
        if (ACol == 0) {
            TCellProperties* props = GetStoredObject(0, ARow);
            size = {(props != nullptr ? props->NodeLevel() : 0) * 12 + 4, 0};
        }
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        layout.DrawText = false;
        break;
    case ctImages:
        size = MultiImageSize(graphic);
        break;
    case ctPicture:
    case ctFilePicture: {
        TPoint cell = CellSize(RealToDisplCol(ACol), ARow);
        size = graphic->GetPictureSize(cell.x, cell.y, !Cells(ACol, ARow).empty());
        break;
    }
    case ctButton:
    case ctBitButton:
        size = {graphic->CellIndex() & 0xFFFF, (graphic->CellIndex() >> 16) & 0xFFFF};
        break;
    case ctProgressPie:
        size = {20, 20};
        break;
    case ctInterface:
        if (auto* object = dynamic_cast<ICellObject*>(graphic->CellBitmap()))
            size = {object->GetWidth(), object->GetHeight()};
        break;
    case ctRadioButton:
        size = {FControlLook->RadioSize() + 4, FControlLook->RadioSize() + 4};
        break;
    case ctShape: {
        const int side = RowHeights(ARow) - 2 * XYOffset.y;
        size = {side, side};
        break;
    }
    case ctRating:
        size = {graphic->CellAngle() * 18, 16};
        layout.DrawText = false;
        break;
    default:
        break;
    }
    layout.Width = size.x;
    layout.Height = size.y;
    return layout;
}

TXPProgressAppearance TAdvStringGrid::ProgressLook()
{
    const TGridProgressAppearance& a = *FProgressAppearance;
    TXPProgressAppearance look;
    look.BackgroundColor = a.UnCompleteColor() == clNone ? Color() : a.UnCompleteColor();
    look.ShowBorder = a.ShowBorder();
    look.BorderColor = a.BorderColor();
    look.Level1Percent = a.Level1Perc();
    look.Level2Percent = a.Level2Perc();
    look.Level0Color = a.Level0Color();
    look.Level0ColorTo = a.Level0ColorTo();
    look.Level1Color = a.Level1Color();
    look.Level1ColorTo = a.Level1ColorTo();
    look.Level2Color = a.Level2Color();
    look.Level2ColorTo = a.Level2ColorTo();
    look.Level3Color = a.Level3Color();
    look.Level3ColorTo = a.Level3ColorTo();
    look.Stacked = a.Stacked();
    look.Gradient = a.ShowGradient();
    look.Segmented = !a.CompletionSmooth();
    look.ShowPercentage = a.ShowPercentage();
    look.TextColor = a.CompleteFontColor();
    return look;
}

double TAdvStringGrid::CellFloatValue(int ACol, int ARow)
{
    double value = 0;
    if (!TryStrToFloat(Trim(ReadCellText(ACol, ARow)), value) || !std::isfinite(value)) return 0;
    return value;
}

void TAdvStringGrid::DrawCellGraphic(TCanvas* Canvas, int ARow, int RCol, TRect Rect, const TCellGraphicLayout& Layout,
                                     const TCellVisual& Visual, int TextWidth)
{
    TCellGraphic& graphic = *Layout.Graphic;
    const TCellType kind = graphic.CellType();

    TCellGraphicPlace place;
    place.Cell = Rect;
    place.Size = {Layout.Width, Layout.Height};
    place.TextHAlign = Visual.HAlign;
    place.TextWidth = TextWidth;
    place.XYOffset = XYOffset;
    place.Inset = kind != ctNode && kind != ctProgress && kind != ctRangeIndicator && kind != ctXPProgress;
    if (IsCheckOrRadio(kind)) {
        place.Control = kind == ctCheckBox || kind == ctRadioButton ? TCellGraphicPlace::ckBesideText
                                                                    : TCellGraphicPlace::ckData;
        place.TextVAlignDiffers = Visual.VAlign != FVAlignment;
        place.TextVAlign = Visual.VAlign;
    }
    TRect dest = PlaceCellGraphic(graphic, place);

    bool enabled = true;
    CanEditCellAt(RCol, ARow, enabled);
    const bool shownSelected = Visual.Selected() && FShowSelection;

    switch (kind) {
    case ctCheckBox:
    case ctRowCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        bool checked = graphic.CellBoolean();
        if (kind == ctDataCheckBox || kind == ctVirtCheckBox) {
            String checkTrue;
            DoGetCheckTrue(RCol, ARow, checkTrue);
            checked = ReadCellText(RCol, ARow) == checkTrue;
        }
        if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->CheckAlwaysActive) enabled = true;
        TCheckGlyphLook look;
        look.Style = FControlLook->ControlStyle();
        look.Themed = FIsWinXP && FIsComCtl6;
        look.Window = HandleAllocated() ? Handle() : nullptr;
        look.Size = FControlLook->CheckSize();
        look.MarkColor = FControlLook->Color();
        look.CheckedGlyph = FControlLook->CheckedGlyph();
        look.UnCheckedGlyph = FControlLook->UnCheckedGlyph();
        // Only the partial row check box is grayed; CellAngle on the other kinds marks a balloon.
        PaintStyledCheckGlyph(Canvas, dest, checked, enabled, graphic.IsGrayedCheck(), look);
        return;
    }
    case ctRadioButton: {
        if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive) enabled = true;
        const int s = FControlLook->RadioSize();
        TRadioGroupItems item;
        item.SelectedIndex = graphic.CellBoolean() ? 0 : -1;
        item.Disabled = !enabled;
        PaintRadioGroupGlyphs(Canvas, TRect{dest.left + XYOffset.x, dest.top, dest.left + XYOffset.x + s, dest.top + s},
                              item, RadioLook());
        return;
    }
    case ctRadio: {
        if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive) enabled = true;
        TRadioGroupItems items;
        items.Captions = GetRadioStrings(RCol, ARow);
        items.Count = items.Captions != nullptr ? items.Captions->Count() : 0;
        items.SelectedIndex = graphic.CellIndex();
        items.Horizontal = graphic.CellBoolean();
        items.Disabled = !enabled;
        items.CellText = ReadCellText(RCol, ARow);
        if (Visual.Selected() && FShowSelection) items.CaptionColor = FSelectionTextColor;
        PaintRadioGroupGlyphs(Canvas, Rect, items, RadioLook());
        return;
    }
    case ctNode: {
        // A row's level is the number of nodes over it, kept in its first column's properties.
        auto level = [this](int Row) {
            if (Row < 0 || Row >= RowCount()) return -1;
            TCellProperties* props = GetStoredObject(0, Row);
            return props != nullptr ? props->NodeLevel() : 0;
        };
        const TCellNode& node = *FCellNode;
        TNodeGlyphLook look;
        look.NodeType = node.NodeType();
        look.Color = node.Color;
        look.NodeColor = node.NodeColor;
        look.ShowTree = node.ShowTree();
        look.TreeColor = node.TreeColor();
        look.NodeIndent = node.NodeIndent();
        look.ExpandGlyph = node.ExpandGlyph();
        look.ContractGlyph = node.ContractGlyph();
        TNodeGlyphRow row;
        row.Level = std::max(1, level(ARow));
        row.Collapsed = graphic.CellBoolean();
        row.TreeRow = ARow >= FixedRows();
        const int next = level(ARow + 1), previous = level(ARow - 1);
        row.NextIndented = next > 0;
        row.NextLessIndented = next >= 0 && next < row.Level;
        row.PrevAsDeep = previous >= row.Level;
        row.ShiftArea = RCol < FixedCols() && !FFlat && (Look == glSoft || Look == glQRX || Look == glXP || Look == glListView);
        TColor background = Canvas->Brush()->Color();
        if (background == clNone) background = FixedCols() == 0 ? Color() : FixedColor();
        row.Background = shownSelected ? FSelectionColor : background;
        PaintNodeGlyph(Canvas, Rect, row, look);
        return;
    }
    case ctRotated: {
        // The text step left the text to this one, which turns it.
        TRect r = Rect;
        Canvas->Brush()->SetStyle(bsClear);
        PaintRotatedText(Canvas, r, graphic.CellAngle(), GetFormattedText(RCol, ARow), Visual.HAlign, Visual.VAlign);
        Canvas->Brush()->SetStyle(bsSolid);
        const TSortSettings& sort = *FSortSettings;
        if (sort.Show() && ARow == sort.Row && RowCount() >= 3 && FixedRows() >= 1 &&
            (RCol >= FixedCols() || sort.FixedCols) && (RCol == sort.Column || SortIndexPosition(RCol) >= 0) &&
            ShowsSortGlyph(RCol))
            DrawSortIndicator(Canvas, RCol, dest.right - 10, dest.top + 8);
        return;
    }
    case ctButton:
    case ctBitButton: {
        // The button's offset in the cell, for the hit test of a click.
        graphic.SetCellValue(((dest.top - Rect.top) << 16) | ((dest.left - Rect.left) & 0xFFFF));
        TCellButtonLook look;
        look.Enabled = enabled || FControlLook->NoDisabledButtonLook();
        look.Pressed = graphic.CellBoolean() && look.Enabled;
        look.Flat = FControlLook->FlatButton();
        look.Themed = FIsWinXP;
        look.Window = HandleAllocated() ? Handle() : nullptr;
        if (kind == ctBitButton) look.Glyph = dynamic_cast<TBitmap*>(graphic.CellBitmap());
        PaintCellButton(Canvas, dest, graphic.CellText(), look);
        return;
    }
    default:
        break;
    }

    TCellValuePaint values;
    values.Value = CellFloatValue(RCol, ARow);
    values.MarginX = FControlLook->ProgressMarginX();
    values.MarginY = FControlLook->ProgressMarginY();
    values.ProgressBorderColor = FControlLook->ProgressBorderColor;
    values.CommentColor = FControlLook->CommentColor();
    values.Appearance = ProgressLook();
    values.Font = Font();
    const TGridControlStyle style = FControlLook->ControlStyle();
    values.ThemedProgress = (style == csWinXP || style == csTheme) && FIsWinXP && FControlLook->ProgressXP();
    values.Window = HandleAllocated() ? Handle() : nullptr;
    if (PaintCellValueGraphic(Canvas, graphic, Rect, dest, values)) return;

    TCellPictureContext context;
    context.Images = GetGridImages();
    context.Background = shownSelected ? FSelectionColor : Canvas->Brush()->Color();
    context.Value = static_cast<int>(std::nearbyint(values.Value));
    context.Col = RCol;
    context.Row = ARow;
    context.Selected = Visual.Selected();
    context.Grid = this;
    PaintCellPicture(Canvas, graphic, Rect, dest, context);
}

TRadioGlyphLook TAdvStringGrid::RadioLook()
{
    TRadioGlyphLook look;
    look.Style = FControlLook->ControlStyle();
    look.RadioSize = FControlLook->RadioSize();
    look.Themed = FIsWinXP && FIsComCtl6;
    look.Window = HandleAllocated() ? Handle() : nullptr;
    look.MarkColor = FControlLook->Color();
    look.OnGlyph = FControlLook->RadioOnGlyph();
    look.OffGlyph = FControlLook->RadioOffGlyph();
    return look;
}
