#include "framework/stdctrls/Image.h"

#include <algorithm>

// ---- TImage ---------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    FControlStyle.Include(csReplicatable);
    FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage()
{
    FPicture->OnChange = nullptr;
}

TCanvas* TImage::ImageCanvas()
{
    if (FPicture->Graphic() == nullptr) {
        TBitmap bitmap(Width(), Height());
        FPicture->SetGraphic(&bitmap);
    }
    return FPicture->Bitmap()->Canvas();
}

void TImage::SetStretch(bool Value)
{
    if (FStretch == Value) return;
    FStretch = Value;
    PictureChanged(this);
}

void TImage::SetCenter(bool Value)
{
    if (FCenter == Value) return;
    FCenter = Value;
    PictureChanged(this);
}

void TImage::SetProportional(bool Value)
{
    if (FProportional == Value) return;
    FProportional = Value;
    PictureChanged(this);
}

void TImage::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    PictureChanged(this);
}

void TImage::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value) PictureChanged(this);
}

void TImage::PictureChanged(TObject*)
{
    TGraphic* graphic = FPicture->Graphic();
    if (FAutoSize && graphic != nullptr && graphic->Width() > 0 && graphic->Height() > 0)
        SetBounds(Left(), Top(), graphic->Width(), graphic->Height());
    if (graphic != nullptr) {
        if (graphic->Transparent() != FTransparent) graphic->SetTransparent(FTransparent);
        // An opaque picture that fills the control hides what is under it.
        bool covers = !graphic->Transparent() && (FStretch || (graphic->Width() >= Width() && graphic->Height() >= Height()));
        if (covers) FControlStyle.Include(csOpaque);
        else FControlStyle.Exclude(csOpaque);
    } else {
        FControlStyle.Exclude(csOpaque);
    }
    if (!FDrawing) Invalidate();
}

TRect TImage::DestRect()
{
    int w = FPicture->Width(), h = FPicture->Height();
    int cw = ClientWidth(), ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<int>(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = static_cast<int>(ch * aspect);
                }
            } else {
                h = ch;
                w = static_cast<int>(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = static_cast<int>(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (FCenter) OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    if (ComponentState().Contains(csDesigning)) {
        TCanvas* c = Canvas();
        c->Pen()->SetStyle(psDash);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(0, 0, Width(), Height());
        c->Pen()->SetStyle(psSolid);
    }
    TGraphic* graphic = FPicture->Graphic();
    if (graphic == nullptr || graphic->Empty()) return;
    bool saved = FDrawing;
    FDrawing = true;
    Canvas()->StretchDraw(DestRect(), graphic);
    FDrawing = saved;
}
