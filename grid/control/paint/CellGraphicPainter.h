#pragma once
// Unit CellGraphicPainter: where a cell's graphic goes beside its text, and the picture kinds
// drawn there (bitmaps, icons, image-list images, pictures, a caller's own cell object). The
// in-cell controls and the progress family have painters of their own; the grid chooses by kind.
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "grid/foundation/AdvObj.h"

// What placing a graphic needs to know of the cell and its text.
struct TCellGraphicPlace {
    TRect Cell{};                  // the rectangle the cell painting draws in
    TPoint Size{};                 // the graphic's width and height
    TAlignment TextHAlign = taLeftJustify;
    int TextWidth = 0;             // width of the drawn text + 2; 0 without text
    TPoint XYOffset{};
    bool Inset = true;             // all kinds but nodes and the progress bars keep off the cell edge by the offset
    // Check boxes and radio buttons follow the text's alignment instead of their own: a box beside
    // its text (ctCheckBox, ctRadioButton) stops before the text, a data box (its state is the
    // text, which is not drawn) stands alone.
    enum TControlKind { ckNone, ckBesideText, ckData } Control = ckNone;
    bool TextVAlignDiffers = false; // the cell's vertical alignment is not the grid's: it places controls
    TVAlignment TextVAlign = vtaTop;
};

// The destination rectangle of the graphic (its right and bottom are left/top plus the size, or
// the full cell edge for haFull and vaFull).
TRect PlaceCellGraphic(const TCellGraphic& Graphic, const TCellGraphicPlace& Place);

// Draws the picture kinds at Dest: ctBitmap (over Background when transparent), ctIcon,
// ctImageList, ctDataImage (Value added to the index), ctImages, ctPicture, ctFilePicture and
// ctInterface (drawn into Cell). Missing or empty pictures draw nothing. Answers false for a kind
// that is not a picture.
struct TCellPictureContext {
    TCustomImageList* Images = nullptr;
    TColor Background = clWindow;
    int Value = 0; // the cell's integer value (data images)
    int Col = 0, Row = 0;
    bool Selected = false;
    TObject* Grid = nullptr;
};
bool PaintCellPicture(TCanvas* Canvas, const TCellGraphic& Graphic, const TRect& Cell, const TRect& Dest,
                      const TCellPictureContext& Context);
