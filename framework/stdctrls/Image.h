#pragma once
// TImage: a windowless picture, stretched, centred, proportional or transparent.
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    // The picture's bitmap canvas (an empty picture gets a bitmap of the control's size).
    TCanvas* ImageCanvas();
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    // Stretching (or shrinking a picture that does not fit) keeps the aspect ratio.
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // Where the picture is drawn in the client area.
    TRect DestRect();

    void Paint() override;

    TNotifyEvent OnProgress;

protected:
    void PictureChanged(TObject* Sender);

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
    bool FDrawing = false;
};
