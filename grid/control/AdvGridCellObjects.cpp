// The grid's cell objects: attaching, replacing, querying and removing the one optional
// TCellGraphic of a cell for every kind, and the sizes painting, automatic sizing and printing
// give a cell's graphic. The cell owns its object; the shared row check box is the grid's.
#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/system/Conversions.h"
#include "grid/control/AdvGrid.h"

// ---- Attachment ------------------------------------------------------------------------------

void TAdvStringGrid::CheckCellInGrid(int ACol, int ARow, const wchar_t* Message) const
{
    // Rows are display rows: a cell object can only hang on a row the grid holds.
    const bool colOk = ACol >= 0 && ACol < TotalColCount();
    const bool rowOk = ARow >= 0 && ARow < RowCount();
    if (colOk && rowOk) return;
    if (Message != nullptr) throw EAdvGridError(Message);
    throw EAdvGridError(colOk ? L"Invalid row accessed" : L"Invalid column accessed");
}

void TAdvStringGrid::RepaintRealCell(int ACol, int ARow)
{
    RepaintCell(RealToDisplCol(ACol), ARow);
}

TCellType TAdvStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return ctEmpty;
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) return ctRowCheckBox;
    TCellGraphic* graphic = dynamic_cast<TCellGraphic*>(TBaseGrid::GetCellGraphic(ACol, ARow));
    return graphic ? graphic->CellType() : ctEmpty;
}

TCellGraphic* TAdvStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (ACol == 0 && ARow >= 0 && FMouseActions->HotmailRowSelect()) {
        TCellGraphic* shared = FCellGraphic.get();
        shared->SetCellType(ctRowCheckBox);
        const int selected = RowSelectCount();
        shared->SetCellAngle(ARow == 0 && selected != 0 && selected != RowCount() ? 1 : 0);
        shared->SetCellTransparent(FControlLook->ControlStyle() == csFlat);
        const int real = DisplToRealRow(ARow);
        shared->SetCellBoolean(real < TotalRowCount() && RowSelect(real));
        return shared;
    }
    return dynamic_cast<TCellGraphic*>(TBaseGrid::GetCellGraphic(ACol, ARow));
}

TCellGraphic* TAdvStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    CheckCellInGrid(ACol, ARow, nullptr);
    std::unique_ptr<TCellGraphic> graphic(NewCellGraphic());
    RemoveCellGraphic(ACol, ARow);
    // The text is left as it was; the cell keeps its properties with the object.
    SetCellGraphic(ACol, ARow, graphic.get());
    TCellGraphic* result = graphic.release();
    if (NumHiddenColumns() > 0 && RealToDisplCol(ACol) != ACol) RepaintRealCell(ACol, ARow);
    return result;
}

bool TAdvStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    TCellProperties* props = GetStoredObject(ACol, ARow);
    if (props == nullptr) return false;
    TObject* graphic = props->GraphicObject();
    if (dynamic_cast<TCellGraphic*>(graphic) == nullptr) return false;
    props->SetGraphicObject(nullptr);
    // Every object in a cell's slot is that cell's own; the shared row check box never is.
    if (OwnsCellGraphic(graphic)) delete graphic;
    return true;
}

bool TAdvStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType Kind)
{
    if (GetCellType(ACol, ARow) != Kind) return false;
    return RemoveCellGraphic(ACol, ARow);
}

namespace {

template <class T>
T* ObjectOfKind(TCellGraphic* Graphic, TCellType Kind)
{
    if (Graphic == nullptr || Graphic->CellType() != Kind) return nullptr;
    return dynamic_cast<T*>(Graphic->CellBitmap());
}

} // namespace

// ---- Pictures and images ---------------------------------------------------------------------

void TAdvStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TAdvStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    auto* bitmap = new TBitmap();
    graphic->SetBitmap(bitmap, Transparent, hal, val);
    graphic->SetCellCreated(true);
    return bitmap;
}

TBitmap* TAdvStringGrid::GetBitmap(int ACol, int ARow)
{
    return ObjectOfKind<TBitmap>(GetCellGraphic(ACol, ARow), ctBitmap);
}

void TAdvStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                                int Padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, hal, val);
}

TPicture* TAdvStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                        TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    auto* picture = new TPicture();
    graphic->SetPicture(picture, Transparent, StretchMode, Padding, hal, val);
    graphic->SetCellCreated(true);
    return picture;
}

TPicture* TAdvStringGrid::GetPicture(int ACol, int ARow)
{
    return ObjectOfKind<TPicture>(GetCellGraphic(ACol, ARow), ctPicture);
}

void TAdvStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                    TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, StretchMode, Padding, hal, val);
}

TFilePicture* TAdvStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                                int Padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    auto* picture = new TFilePicture();
    graphic->SetFilePicture(picture, Transparent, StretchMode, Padding, hal, val);
    graphic->SetCellCreated(true);
    return picture;
}

TFilePicture* TAdvStringGrid::GetFilePicture(int ACol, int ARow)
{
    return ObjectOfKind<TFilePicture>(GetCellGraphic(ACol, ARow), ctFilePicture);
}

void TAdvStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

TIcon* TAdvStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    auto* icon = new TIcon();
    graphic->SetIcon(icon, hal, val);
    graphic->SetCellCreated(true);
    return icon;
}

void TAdvStringGrid::SetGridImages(TCustomImageList* Value)
{
    if (Value == FGridImages) return;
    if (FGridImages != nullptr) FGridImages->RemoveFreeNotification(this);
    FGridImages = Value;
    if (FGridImages != nullptr) FGridImages->FreeNotification(this);
    Invalidate();
}

void TAdvStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (FGridImages == nullptr) return;
    CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

bool TAdvStringGrid::GetImageIdx(int ACol, int ARow, int& Idx)
{
    if (FGridImages == nullptr || GetCellType(ACol, ARow) != ctImageList) return false;
    Idx = GetCellGraphic(ACol, ARow)->CellIndex();
    return true;
}

void TAdvStringGrid::SetImageIdx(int ACol, int ARow, int Idx)
{
    if (FGridImages == nullptr || GetCellType(ACol, ARow) != ctImageList) return;
    GetCellGraphic(ACol, ARow)->SetCellIndex(Idx);
    RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (FGridImages == nullptr) return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
    if (Cells(ACol, ARow).empty()) SetCells(ACol, ARow, IntToStr(Aidx));
}

bool TAdvStringGrid::HasDataImage(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    TPoint base = BaseCell(ACol, ARow);
    return GetCellType(base.x, base.y) == ctDataImage;
}

bool TAdvStringGrid::RemoveDataImage(int ACol, int ARow)
{
    bool removed = RemoveCellGraphicOfType(ACol, ARow, ctDataImage);
    if (removed) RepaintRealCell(ACol, ARow);
    return removed;
}

void TAdvStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
    if (FGridImages == nullptr) return;
    CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val, [this](TObject*, int c, int r) {
        RepaintRealCell(c, r);
    });
}

TIntList* TAdvStringGrid::GetMultiImageList(int ACol, int ARow)
{
    return ObjectOfKind<TIntList>(GetCellGraphic(ACol, ARow), ctImages);
}

// ---- Buttons ---------------------------------------------------------------------------------

void TAdvStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                               TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TAdvStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph,
                                  TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap* TAdvStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                                         TCellVAlign val)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    auto* glyph = new TBitmap();
    graphic->SetBitButton(bw, bh, Caption, glyph, hal, val);
    graphic->SetCellCreated(true);
    return glyph;
}

bool TAdvStringGrid::HasButton(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    TPoint base = BaseCell(ACol, ARow);
    TCellType kind = GetCellType(base.x, base.y);
    return kind == ctButton || kind == ctBitButton;
}

String TAdvStringGrid::GetButtonText(int ACol, int ARow)
{
    int real = RealColIndex(ACol);
    if (!HasButton(real, ARow)) return String();
    return GetCellGraphic(real, ARow)->CellText();
}

void TAdvStringGrid::SetButtonText(int ACol, int ARow, const String& Caption)
{
    int real = RealColIndex(ACol);
    if (!HasButton(real, ARow)) return;
    GetCellGraphic(real, ARow)->SetCellText(Caption);
    RepaintCell(ACol, ARow);
}

void TAdvStringGrid::PushButton(int ACol, int ARow, bool Push)
{
    int real = RealColIndex(ACol);
    if (!HasButton(real, ARow)) return;
    GetCellGraphic(real, ARow)->SetCellBoolean(Push);
    RepaintCell(ACol, ARow);
}

bool TAdvStringGrid::RemoveButton(int ACol, int ARow)
{
    TCellType kind = GetCellType(ACol, ARow);
    if (kind != ctButton && kind != ctBitButton) return false;
    RemoveCellGraphic(ACol, ARow);
    RepaintRealCell(ACol, ARow);
    return true;
}

void TAdvStringGrid::RemoveAllButtons()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) RemoveButton(c, r);
}

TRect TAdvStringGrid::GetCellButtonRect(int ACol, int ARow)
{
    TRect result{0, 0, 0, 0};
    TCellGraphic* graphic = GetCellGraphic(RealColIndex(ACol), ARow);
    if (graphic == nullptr) return result;
    TRect r = CellRect(ACol, ARow);
    const long long p = std::llround(graphic->CellValue());
    const int size = graphic->CellIndex();
    result.left = r.left + static_cast<int>(p & 0xFFFF);
    result.top = r.top + static_cast<int>(p / 65536);
    result.right = result.left + (size & 0xFFFF);
    result.bottom = result.top + size / 65536;
    if (graphic->CellVAlign() == vaFull) {
        result.top = r.top;
        result.bottom = r.bottom;
    }
    if (graphic->CellHAlign() == haFull) {
        result.left = r.left;
        result.right = r.right;
    }
    return result;
}

// ---- Progress, comments, shapes, ratings, scroll bars --------------------------------------------

void TAdvStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                          TColor BKTextColor, const String& Fmt, double Min, double Max)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetCellType(ctProgress);
    graphic->SetCellBitmapColor(FGColor);
    graphic->SetCellIconColor(BKColor);
    graphic->SetCellIndex(FGTextColor);
    graphic->SetCellAngle(BKTextColor);
    graphic->SetCellErrFrom(static_cast<int>(Min));
    graphic->SetCellErrLen(static_cast<int>(Max));
    graphic->SetCellText(Fmt);
    graphic->SetCellBoolean(true);
    graphic->SetCellHAlign(haLeft);
    graphic->SetCellVAlign(vaTop);
    if (AutoNumAlign) {
        GetCellProperties(ACol, ARow)->SetAlignment(taRightJustify);
        RepaintRealCell(ACol, ARow);
    }
}

void TAdvStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                   TColor BKTextColor)
{
    AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, String(), 0, 100);
}

void TAdvStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    AddProgressEx(ACol, ARow, FGColor, 0, BKColor, 0);
    GetCellGraphic(ACol, ARow)->SetCellBoolean(false);
}

bool TAdvStringGrid::HasProgress(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    TPoint base = BaseCell(ACol, ARow);
    return GetCellType(base.x, base.y) == ctProgress;
}

void TAdvStringGrid::AddAdvProgress(int ACol, int ARow, double Min, double Max)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetCellType(ctXPProgress);
    graphic->SetCellErrFrom(static_cast<int>(Min));
    graphic->SetCellErrLen(static_cast<int>(Max));
    graphic->SetCellHAlign(haLeft);
    graphic->SetCellVAlign(vaTop);
}

void TAdvStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetCellType(ctProgressPie);
    graphic->SetCellBitmapColor(Color);
    graphic->SetCellAngle(Value);
    graphic->SetCellHAlign(haBeforeText);
    graphic->SetCellVAlign(vaTop);
}

void TAdvStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
    if (GetCellType(ACol, ARow) != ctProgressPie) return;
    GetCellGraphic(ACol, ARow)->SetCellAngle(Value);
    RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetCellType(ctRangeIndicator);
    graphic->SetCellIndex(Range);
    graphic->SetCellBitmapColor(NegColor);
    graphic->SetCellIconColor(PosColor);
    graphic->SetCellBoolean(ShowValue);
    graphic->SetCellHAlign(haLeft);
    graphic->SetCellVAlign(vaTop);
}

void TAdvStringGrid::AddColorComment(int ACol, int ARow, const String& Comment, TColor Color)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetCellType(ctComment);
    graphic->SetCellText(Comment);
    graphic->SetCellIndex(Color);
    graphic->SetCellHAlign(haLeft);
    graphic->SetCellVAlign(vaTop);
}

void TAdvStringGrid::AddComment(int ACol, int ARow, const String& Comment)
{
    AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor());
}

bool TAdvStringGrid::IsComment(int ACol, int ARow, String& Comment)
{
    if (GetCellType(ACol, ARow) != ctComment) return false;
    Comment = GetCellGraphic(ACol, ARow)->CellText();
    return true;
}

void TAdvStringGrid::RemoveAllComments()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) RemoveComment(c, r);
}

void TAdvStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                              TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetCellType(ctShape);
    graphic->SetCellAngle(Shape);
    graphic->SetCellIndex(FillColor);
    graphic->SetCellBitmapColor(LineColor);
    graphic->SetCellHAlign(hal);
    graphic->SetCellVAlign(val);
}

TColor TAdvStringGrid::GetShapeColor(int ACol, int ARow)
{
    if (GetCellType(ACol, ARow) != ctShape) return clNone;
    return static_cast<TColor>(GetCellGraphic(ACol, ARow)->CellIndex());
}

void TAdvStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor)
{
    if (GetCellType(ACol, ARow) != ctShape) return;
    GetCellGraphic(ACol, ARow)->SetCellIndex(FillColor);
    RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetCellType(ctRating);
    graphic->SetCellAngle(Scale);
    graphic->SetCellIndex(FillColor);
    graphic->SetCellBitmapColor(EmptyColor);
    graphic->SetCellHAlign(haFull);
}

bool TAdvStringGrid::HasRating(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    TPoint base = BaseCell(ACol, ARow);
    return GetCellType(base.x, base.y) == ctRating;
}

void TAdvStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetCellType(ctScrollbar);
    graphic->SetCellIndex(0);
    graphic->SetCellAngle(0);
    graphic->SetCellErrFrom(100);
    graphic->SetCellBoolean(AutoRange);
    if (AutoRange) CellTextUpdated(ACol, ARow);
}

bool TAdvStringGrid::HasScrollBar(int ACol, int ARow) { return GetCellType(ACol, ARow) == ctScrollbar; }

bool TAdvStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    return HasScrollBar(ACol, ARow) && GetCellGraphic(ACol, ARow)->CellBoolean();
}

int TAdvStringGrid::GetScrollPosition(int ACol, int ARow)
{
    return HasScrollBar(ACol, ARow) ? GetCellGraphic(ACol, ARow)->CellIndex() : -1;
}

void TAdvStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
    if (!HasScrollBar(ACol, ARow)) return;
    GetCellGraphic(ACol, ARow)->SetCellIndex(Pos);
    RepaintRealCell(ACol, ARow);
}

TScrollProp TAdvStringGrid::GetScrollProp(int ACol, int ARow)
{
    if (!HasScrollBar(ACol, ARow)) return TScrollProp{-1, -1};
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    return TScrollProp{graphic->CellAngle(), graphic->CellErrFrom()};
}

void TAdvStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
    if (!HasScrollBar(ACol, ARow)) return;
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    graphic->SetCellAngle(Prop.PageSize);
    graphic->SetCellErrFrom(Prop.Range);
}

void TAdvStringGrid::AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent* AObject)
{
    CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TInterfacedPersistent* TAdvStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    return ObjectOfKind<TInterfacedPersistent>(GetCellGraphic(ACol, ARow), ctInterface);
}

// ---- Error markers -------------------------------------------------------------------------------

void TAdvStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic* graphic = GetCellType(ACol, ARow) == ctEmpty || ACol == 0 && FMouseActions->HotmailRowSelect()
                                ? nullptr
                                : GetCellGraphic(ACol, ARow);
    if (graphic == nullptr) {
        graphic = CreateCellGraphic(ACol, ARow);
        graphic->SetCellType(ctEmpty);
    }
    graphic->SetCellErrFrom(ErrPos);
    graphic->SetCellErrLen(ErrLen);
    RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen)
{
    ErrPos = 0;
    ErrLen = 0;
    TCellGraphic* graphic = dynamic_cast<TCellGraphic*>(TBaseGrid::GetCellGraphic(ACol, ARow));
    if (graphic == nullptr) return;
    ErrPos = graphic->CellErrFrom();
    ErrLen = graphic->CellErrLen();
}

void TAdvStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* graphic = dynamic_cast<TCellGraphic*>(TBaseGrid::GetCellGraphic(ACol, ARow));
    if (graphic == nullptr) return;
    if (graphic->CellType() == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
    } else {
        graphic->SetCellErrFrom(0);
        graphic->SetCellErrLen(0);
    }
    RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::RemoveAllMarkers()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) RemoveMarker(c, r);
}

// ---- Queries ---------------------------------------------------------------------------------

bool TAdvStringGrid::IsClickableCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    TPoint base = BaseCell(ACol, ARow);
    switch (GetCellType(base.x, base.y)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
        return true;
    default:
        return false;
    }
}

bool IsDataObjectCell(TAdvStringGrid* Grid, int ACol, int ARow)
{
    if (Grid == nullptr || ACol < 0 || ARow < 0) return false;
    TPoint base = Grid->BaseCell(ACol, ARow);
    switch (Grid->GetCellType(base.x, base.y)) {
    case ctDataCheckBox:
    case ctDataImage:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        return true;
    default:
        return false;
    }
}

intptr_t TAdvStringGrid::GetCellImageKey(int ACol, int ARow)
{
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic == nullptr) return -1;
    switch (graphic->CellType()) {
    case ctImageList:
        return graphic->CellIndex();
    case ctBitmap:
        return reinterpret_cast<intptr_t>(graphic->CellBitmap());
    case ctIcon:
        return reinterpret_cast<intptr_t>(graphic->CellIcon());
    default:
        return -1;
    }
}

// ---- Graphic sizes ---------------------------------------------------------------------------

namespace {

int TextWidthIn(TCanvas* Canvas, TFont* Font, const String& Text)
{
    Canvas->Font()->Assign(Font);
    return Canvas->TextWidth(Text);
}

int TextHeightIn(TCanvas* Canvas, TFont* Font)
{
    Canvas->Font()->Assign(Font);
    return Canvas->TextHeight(L"gh");
}

int GraphicWidth(TObject* Object)
{
    auto* graphic = dynamic_cast<TGraphic*>(Object);
    return graphic ? graphic->Width() : 0;
}

int GraphicHeight(TObject* Object)
{
    auto* graphic = dynamic_cast<TGraphic*>(Object);
    return graphic ? graphic->Height() : 0;
}

} // namespace

TPoint TAdvStringGrid::MultiImageSize(TCellGraphic* Graphic)
{
    TCustomImageList* images = GetGridImages();
    if (images == nullptr) return TPoint{0, 0};
    auto* list = dynamic_cast<TIntList*>(Graphic->CellBitmap());
    const int count = list != nullptr ? list->Count() : 0;
    // CellBoolean lays the images out side by side, else one above the other.
    return Graphic->CellBoolean() ? TPoint{count * images->Width(), images->Height()}
                                  : TPoint{images->Width(), count * images->Height()};
}

TPoint TAdvStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic == nullptr) return TPoint{0, 0};
    const bool noText = Cells(ACol, ARow).empty();
    const bool beside = noText || graphic->CellHAlign() == haBeforeText || graphic->CellHAlign() == haAfterText;
    const bool above = noText || graphic->CellVAlign() == vaUnderText || graphic->CellVAlign() == vaAboveText;
    TPoint size{0, 0};
    bool keepWidth = false;
    TCanvas* canvas = Canvas();
    switch (graphic->CellType()) {
    case ctBitmap:
        size = {beside ? GraphicWidth(graphic->CellBitmap()) : 0, above ? GraphicHeight(graphic->CellBitmap()) : 0};
        break;
    case ctIcon:
        size = {beside ? GraphicWidth(graphic->CellIcon()) : 0, GraphicHeight(graphic->CellIcon())};
        break;
    case ctImageList:
    case ctDataImage:
        if (TCustomImageList* images = GetGridImages())
            size = {beside ? images->Width() : 0, above ? images->Height() : 0};
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        size = {FControlLook->CheckSize(), FControlLook->CheckSize()};
        break;
    case ctRadioButton:
        size = {FControlLook->RadioSize(), FControlLook->RadioSize()};
        break;
    case ctRadio: {
        auto* items = dynamic_cast<TStrings*>(graphic->CellBitmap());
        if (items == nullptr) break;
        const int th = TextHeightIn(canvas, Font());
        if (graphic->CellBoolean()) {
            for (int i = 0; i < items->Count(); ++i) size.x += TextWidthIn(canvas, Font(), items->Strings(i)) + 12;
            size.y = th;
        } else {
            size.x = 12;
            for (int i = 0; i < items->Count(); ++i)
                size.x = std::max<int>(size.x, TextWidthIn(canvas, Font(), items->Strings(i)) + 12);
            size.y = items->Count() * std::max(16, th);
        }
        break;
    }
    case ctImages:
        size = MultiImageSize(graphic);
        break;
    case ctPicture:
    case ctFilePicture: {
        TPoint cell = CellSize(RealToDisplCol(ACol), ARow);
        size = graphic->GetPictureSize(cell.x, cell.y, !noText);
        break;
    }
    case ctButton:
    case ctBitButton: {
        size = {graphic->CellIndex() & 0xFFFF, graphic->CellIndex() / 65536};
        if (!noText) {
            if (graphic->CellHAlign() == haCenter) size.x = 0;
            if (graphic->CellHAlign() == haFull) size.x = TextWidthIn(canvas, Font(), graphic->CellText()) + 4;
            if (above)
                size.x = 0;
            else
                size.y = 0;
        } else if (graphic->CellHAlign() == haFull) {
            size.x = TextWidthIn(canvas, Font(), graphic->CellText()) + 4;
            keepWidth = !graphic->CellText().empty();
        }
        break;
    }
    case ctProgressPie:
        size = {20, 20};
        break;
    case ctRating:
        size = {graphic->CellAngle() * 18, 16};
        keepWidth = true;
        break;
    case ctInterface:
        if (auto* object = dynamic_cast<ICellObject*>(graphic->CellBitmap()))
            size = {object->GetWidth(), object->GetHeight()};
        break;
    default:
        break;
    }
    if (graphic->CellVAlign() == vaFull || (graphic->CellHAlign() == haFull && !keepWidth)) {
        TRect r = CellRect(RealToDisplCol(ACol), ARow);
        if (graphic->CellVAlign() == vaFull) size.y = r.bottom - r.top;
        if (graphic->CellHAlign() == haFull && !keepWidth) size.x = r.right - r.left;
    }
    return size;
}

TPoint TAdvStringGrid::GetCellGraphicPrintSize(int ACol, int ARow, int Width, int Height, double Factor)
{
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic == nullptr) return TPoint{0, 0};
    const bool noText = Cells(ACol, ARow).empty();
    const bool beside = noText || graphic->CellHAlign() == haBeforeText || graphic->CellHAlign() == haAfterText;
    const int displCol = RealToDisplCol(ACol);
    switch (graphic->CellType()) {
    case ctBitmap:
        return {GraphicWidth(graphic->CellBitmap()), GraphicHeight(graphic->CellBitmap())};
    case ctIcon:
        return {GraphicWidth(graphic->CellIcon()), GraphicHeight(graphic->CellIcon())};
    case ctImageList:
        if (TCustomImageList* images = GetGridImages()) return {beside ? images->Width() : 0, images->Height()};
        return {0, 0};
    case ctDataImage:
        if (TCustomImageList* images = GetGridImages()) return {images->Width(), images->Height()};
        return {0, 0};
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctRadio:
    case ctImages: {
        // Without the full-cell step that the screen size applies.
        const TCellHAlign ha = graphic->CellHAlign();
        const TCellVAlign va = graphic->CellVAlign();
        if (ha != haFull && va != vaFull) return GetCellGraphicSize(ACol, ARow);
        graphic->SetCellHAlign(ha == haFull ? haLeft : ha);
        graphic->SetCellVAlign(va == vaFull ? vaTop : va);
        TPoint size = GetCellGraphicSize(ACol, ARow);
        graphic->SetCellHAlign(ha);
        graphic->SetCellVAlign(va);
        return size;
    }
    case ctNode:
    case ctProgressPie:
        return {20, 20};
    case ctPicture:
    case ctFilePicture: {
        TPoint size = graphic->GetPictureSize(Width, Height, !noText);
        if (Factor == 0) return size;
        return {static_cast<int>(std::nearbyint(size.x / Factor)), static_cast<int>(std::nearbyint(size.y / Factor))};
    }
    case ctProgress:
    case ctXPProgress:
        return {ColWidths(displCol), RowHeights(ARow)};
    case ctButton:
    case ctBitButton:
        return {graphic->CellIndex() & 0xFFFF, graphic->CellIndex() / 65536};
    case ctInterface: {
        auto* object = dynamic_cast<ICellObject*>(graphic->CellBitmap());
        if (object == nullptr) return {0, 0};
        TRect r = CellRect(displCol, ARow);
        int w = object->GetWidth(), h = object->GetHeight();
        return {w == 0 ? r.right - r.left : w, h == 0 ? r.bottom - r.top : h};
    }
    case ctShape: {
        const int side = RowHeights(ARow) - 2 * XYOffset.y;
        return {side, side};
    }
    default:
        return {0, 0};
    }
}
