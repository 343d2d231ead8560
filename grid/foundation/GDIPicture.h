#pragma once
// TGDIPPicture: a graphic that keeps an image file's bytes and draws them through GDI+ (any
// format its codecs read), stretched into the rectangle it is given. Bitmaps are drawn by the
// framework instead, with their bottom-left colour transparent. A picture that cannot be read
// stays empty; loading never raises.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/graphics/Graphic.h"
#include "grid/foundation/AdvGDIP.h"

class TGDIPPicture : public TGraphic {
public:
    TGDIPPicture() = default;

    // From null: cleared (OnClear); from a TGDIPPicture its bytes; from a framework bitmap or
    // picture the graphic's saved form.
    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool Empty() const override { return FIsEmpty; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}

    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromFile(const String& FileName) override;
    void ReadData(TStream* Stream) { LoadFromStream(Stream); }
    void WriteData(TStream* Stream) { SaveToStream(Stream); }
    void LoadFromClipboardFormat(WORD, HANDLE, HPALETTE) {}
    void SaveToClipboardFormat(WORD&, HANDLE&, HPALETTE&) {}
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    // "RES://name" and "FILE://path" as THTMLPicture; other addresses do nothing.
    void LoadFromURL(const String& URL);

    // The image at its own size, or stretched into the rectangle, on a GDI+ surface.
    void DrawImage(TGPGraphics* Graphics, int X, int Y);
    void DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H);
    // Reads the image's width and height; false when the bytes are no image GDI+ reads.
    bool GetImageSizes();

    const std::vector<std::uint8_t>& Bytes() const { return FDatastream; }

    bool DoubleBuffered = false;
    TColor BackgroundColor = 0;
    TNotifyEvent OnClear;

private:
    // Takes the bytes as the new image; bytes GDI+ cannot read leave the picture empty.
    void TakeBytes(std::vector<std::uint8_t> Bytes);
    void Clear();

    std::vector<std::uint8_t> FDatastream;
    bool FIsEmpty = true;
    int FWidth = 0;
    int FHeight = 0;
};
