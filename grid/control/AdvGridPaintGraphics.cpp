// Cell graphics in the grid's cell painting: the layout that keeps a cell's graphic and text
// apart, and the graphic drawn by the painter of its kind (pictures, in-cell controls, the
// progress family) with the values the grid holds for it.
#include <cmath>

#include "framework/system/Conversions.h"
#include "framework/system/StringUtils.h"
#include "grid/control/AdvGrid.h"
#include "grid/control/paint/CellButtonPainter.h"
#include "grid/control/paint/CellGraphicPainter.h"
#include "grid/control/paint/CellProgressPainter.h"
#include "grid/control/paint/CheckGlyphPainter.h"
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
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        layout.DrawText = false;
        break;
    case ctImages:
        if (TCustomImageList* images = GetGridImages()) {
            auto* list = dynamic_cast<TIntList*>(graphic->CellBitmap());
            const int count = list != nullptr ? list->Count() : 0;
            size = graphic->CellBoolean() ? TPoint{count * images->Width(), images->Height()}
                                          : TPoint{images->Width(), count * images->Height()};
        }
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
        TRect r{dest.left + XYOffset.x, dest.top, dest.left + XYOffset.x + s, dest.top + s};
        PaintRadioGlyph(Canvas, r, graphic.CellBoolean(), enabled, FControlLook->ControlStyle() == csFlat);
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
