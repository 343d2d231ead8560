#pragma once
// TBitmap: an image held in a DIB section, so every pixel format is exact and its rows are
// reachable through ScanLine; its canvas is a memory DC with the bitmap selected, created on
// demand. Reads BMP files of 1, 4, 8, 16, 24 and 32 bits (RLE included) and writes them in the
// bitmap's own format.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Graphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };
// How the fourth byte of a pf32bit pixel is used when drawing: not at all, as straight alpha,
// or as alpha the colour bytes are already multiplied with.
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };

// BMP data as the bitmap reader checks it, before a pixel is decoded: one reading of the format
// for every reader of BMP files, so that a file is valid for all of them or for none. The file
// header's size bounds the data when it is plausible; a pixel offset into the headers or the
// colour table is not believed (the pixels follow them).
struct TBmpLayout {
    int Width = 0, Height = 0;          // Height counts rows, whichever way they run
    bool TopDown = false;
    int BitCount = 0;                   // 1, 4, 8, 16, 24 or 32
    std::uint32_t Compression = 0;      // BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS
    std::uint32_t Masks[4] = {0, 0, 0, 0};
    std::vector<RGBQUAD> Table;         // bit counts up to 8
    const std::uint8_t* Pixels = nullptr;
    std::size_t Available = 0;          // bytes from Pixels to the data's end; uncompressed
                                        // rows (Stride each) always fit
    int Stride = 0;
};
// Raises EInvalidGraphic "Bitmap image is not valid" for anything the reader refuses.
TBmpLayout ReadBmpLayout(const std::uint8_t* Data, std::size_t Size);

class TBitmapCanvas;

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int AWidth, int AHeight);
    ~TBitmap() override;

    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int Value) override { SetSize(Value, FHeight); }
    void SetHeight(int Value) override { SetSize(FWidth, Value); }
    // Keeps the overlapping top-left part of the image; new area is white.
    void SetSize(int AWidth, int AHeight) override;

    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    void DrawTransparent(TCanvas* ACanvas, const TRect& Rect, unsigned char Opacity) override;

    // BMP data (file header included). Bad data raises EInvalidGraphic "Bitmap image is not valid".
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromBytes(const std::uint8_t* Data, std::size_t Size);
    std::vector<std::uint8_t> SaveToBytes();
    // A bitmap resource (RT_BITMAP) of a module.
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);

    // The memory-DC canvas, created on first use.
    TCanvas* Canvas();
    // The DIB section (null for an empty bitmap). The bitmap keeps owning it.
    HBITMAP Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Takes over a bitmap handle (DIB or DDB; it is converted to a DIB section and freed).
    void SetHandle(HBITMAP Value);
    // Gives up the image: the caller owns the returned DIB section; the bitmap becomes empty.
    HBITMAP ReleaseHandle();
    // Every image is a DIB section; bmDDB is accepted and ignored.
    TBitmapHandleType HandleType() const { return bmDIB; }
    void SetHandleType(TBitmapHandleType) {}

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the image (colours reduced through the format's palette, alpha set to 0 when
    // widening to 32 bits).
    void SetPixelFormat(TPixelFormat Value);
    int BitsPerPixel() const { return FBitCount; }
    bool Monochrome() const { return FBitCount == 1; }
    void SetMonochrome(bool Value);
    // The colour table of a 1/4/8-bit image.
    std::vector<RGBQUAD> ColorTable() const { return FColorTable; }
    void SetColorTable(const std::vector<RGBQUAD>& Value);

    // Row Row of the pixels, counted from the top whatever the DIB's orientation. Pending GDI
    // drawing is flushed first. Raises EInvalidGraphicOperation "Scan line index out of range".
    void* ScanLine(int Row);
    // Bytes from one row to the next in memory (rows are DWORD aligned).
    int RowStride() const { return FStride; }

    // Transparency for Draw: the transparent colour is the bottom-left pixel (tmAuto) or the
    // fixed TransparentColor (setting it switches to tmFixed).
    TColor TransparentColor();
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
    // Switching to afPremultiplied multiplies the colour bytes by their alpha; switching away
    // from it divides them back.
    void SetAlphaFormat(TAlphaFormat Value);

    // A monochrome mask: bits set where the image has TransparentColor. MaskHandle builds it
    // for the current transparent colour; Mask makes the image itself that mask.
    HBITMAP MaskHandle();
    HBITMAP ReleaseMaskHandle();
    void Mask(TColor TransparentColor);

    // Drops the memory DC (the handle may then be selected elsewhere); the canvas gets a new
    // DC on its next use.
    void FreeContext();
    // Frees the GDI objects while keeping the pixels in memory.
    void Dormant();
    // Drops cached derivatives (the mask).
    void FreeImage();

protected:
    void Changed(TObject* Sender) override;

private:
    friend class TBitmapCanvas;
    struct TDib;
    void TakeDib(TDib&& Dib);
    void ClearImage();
    void EnsureHandle();
    void FreeMask();
    HDC SourceDC();

    HBITMAP FHandle = nullptr;
    std::uint8_t* FBits = nullptr;
    std::vector<std::uint8_t> FDormantBits; // the pixels while the image is dormant
    int FWidth = 0;
    int FHeight = 0;
    int FBitCount = 32;
    int FStride = 0;
    std::vector<RGBQUAD> FColorTable;
    TPixelFormat FPixelFormat = pfDevice;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    TAlphaFormat FAlphaFormat = afIgnored;
    HBITMAP FMaskHandle = nullptr;
    TColor FMaskColor = clNone;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

// Releases the memory DCs of every bitmap canvas that is not locked (an idle-time clean-up so
// many bitmaps do not hold many DCs).
void FreeMemoryContexts();

// Default colour table of a palette format (1, 4 or 8 bits per pixel).
std::vector<RGBQUAD> DefaultColorTable(int BitCount);
