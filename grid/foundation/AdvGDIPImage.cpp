// AdvGDIP: images, bitmaps and image attributes.
#include "grid/foundation/AdvGDIP.h"

#include "grid/foundation/AdvGDIPFlat.h"

namespace {

// The published raw-format identifiers of GDI+'s codecs ({b96b3caX-0728-11d3-9d7b-0000f81ef32e}).
GUID RawFormat(unsigned long First) { return GUID{First, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}}; }

} // namespace

Status TGPImage::SetStatus(Status Value)
{
    if (Value != Ok) lastResult = Value;
    return Value;
}

TGPImage::TGPImage(const String& FileName, bool UseEmbeddedColorManagement)
{
    lastResult = UseEmbeddedColorManagement ? GdipLoadImageFromFileICM(FileName.c_str(), &nativeImage)
                                            : GdipLoadImageFromFile(FileName.c_str(), &nativeImage);
}

TGPImage::TGPImage(IStream* Stream, bool UseEmbeddedColorManagement)
{
    lastResult = UseEmbeddedColorManagement ? GdipLoadImageFromStreamICM(Stream, &nativeImage)
                                            : GdipLoadImageFromStream(Stream, &nativeImage);
}

TGPImage::~TGPImage() { GdipDisposeImage(nativeImage); }

TGPImageFormat TGPImage::GetFormat()
{
    GUID format{};
    if (GdipGetImageRawFormat(nativeImage, &format) != Ok) return ifUndefined;
    static const struct {
        unsigned long First;
        TGPImageFormat Format;
    } formats[] = {{0xb96b3caa, ifMemoryBMP}, {0xb96b3cab, ifBMP},  {0xb96b3cac, ifEMF},
                   {0xb96b3cad, ifWMF},       {0xb96b3cae, ifJPEG}, {0xb96b3caf, ifPNG},
                   {0xb96b3cb0, ifGIF},       {0xb96b3cb1, ifTIFF}, {0xb96b3cb2, ifEXIF},
                   {0xb96b3cb5, ifIcon}};
    for (const auto& f : formats)
        if (IsEqualGUID(format, RawFormat(f.First))) return f.Format;
    return ifUndefined;
}

UINT TGPImage::Width()
{
    UINT result = 0;
    SetStatus(GdipGetImageWidth(nativeImage, &result));
    return result;
}

UINT TGPImage::Height()
{
    UINT result = 0;
    SetStatus(GdipGetImageHeight(nativeImage, &result));
    return result;
}

int TGPImage::GetPixelFormat()
{
    INT result = 0;
    SetStatus(GdipGetImagePixelFormat(nativeImage, &result));
    return result;
}

int TGPImage::GetPixelDepth() { return (GetPixelFormat() >> 8) & 0xFF; }
bool TGPImage::HasAlphaChannel() { return (GetPixelFormat() & 0x40000) != 0; }
bool TGPImage::HasPalette() { return (GetPixelFormat() & 0x10000) != 0; }

TGPImage* TGPImage::GetThumbnailImage(UINT ThumbWidth, UINT ThumbHeight, ImageAbort Callback, void* CallbackData)
{
    void* thumb = nullptr;
    Status status = SetStatus(GdipGetImageThumbnail(nativeImage, ThumbWidth, ThumbHeight, &thumb, Callback, CallbackData));
    return new TGPImage(thumb, status);
}

Status TGPImage::Save(const String& FileName, const CLSID& Encoder, const TEncoderParameters* Params)
{
    return SetStatus(GdipSaveImageToFile(nativeImage, FileName.c_str(), &Encoder, Params));
}

Status TGPImage::Save(IStream* Stream, const CLSID& Encoder, const TEncoderParameters* Params)
{
    return SetStatus(GdipSaveImageToStream(nativeImage, Stream, &Encoder, Params));
}

Status TGPImage::SaveAdd(TGPImage* NewImage, const TEncoderParameters* Params)
{
    if (NewImage == nullptr) return SetStatus(InvalidParameter);
    return SetStatus(GdipSaveAddImage(nativeImage, NewImage->nativeImage, Params));
}

Status TGPImage::RotateFlip(RotateFlipType Type) { return SetStatus(GdipImageRotateFlip(nativeImage, Type)); }

// ---- Bitmap ------------------------------------------------------------------------------------

TGPBitmap::TGPBitmap(IStream* Stream, bool UseEmbeddedColorManagement) : TGPImage(nullptr, Ok)
{
    lastResult = UseEmbeddedColorManagement ? GdipCreateBitmapFromStreamICM(Stream, &nativeImage)
                                            : GdipCreateBitmapFromStream(Stream, &nativeImage);
}

TGPBitmap::TGPBitmap(int Width, int Height, int Format) : TGPImage(nullptr, Ok)
{
    lastResult = GdipCreateBitmapFromScan0(Width, Height, 0, Format, nullptr, &nativeImage);
}

TGPBitmap* TGPBitmap::FromStream(IStream* Stream, bool UseEmbeddedColorManagement)
{
    return new TGPBitmap(Stream, UseEmbeddedColorManagement);
}

Status TGPBitmap::GetHBITMAP(ARGB Background, HBITMAP& Bitmap)
{
    return SetStatus(GdipCreateHBITMAPFromBitmap(nativeImage, &Bitmap, Background));
}

Status TGPBitmap::GetPixel(int X, int Y, ARGB& Color) { return SetStatus(GdipBitmapGetPixel(nativeImage, X, Y, &Color)); }
Status TGPBitmap::SetPixel(int X, int Y, ARGB Color) { return SetStatus(GdipBitmapSetPixel(nativeImage, X, Y, Color)); }

// ---- Image attributes --------------------------------------------------------------------------

Status TGPImageAttributes::SetStatus(Status Value)
{
    if (Value != Ok) lastResult = Value;
    return Value;
}

TGPImageAttributes::TGPImageAttributes() { lastResult = GdipCreateImageAttributes(&nativeImageAttr); }
TGPImageAttributes::~TGPImageAttributes() { GdipDisposeImageAttributes(nativeImageAttr); }

TGPImageAttributes* TGPImageAttributes::Clone()
{
    void* clone = nullptr;
    Status status = SetStatus(GdipCloneImageAttributes(nativeImageAttr, &clone));
    return new TGPImageAttributes(clone, status);
}

Status TGPImageAttributes::SetToIdentity(ColorAdjustType Type) { return SetStatus(GdipSetImageAttributesToIdentity(nativeImageAttr, Type)); }
Status TGPImageAttributes::Reset(ColorAdjustType Type) { return SetStatus(GdipResetImageAttributes(nativeImageAttr, Type)); }
Status TGPImageAttributes::SetColorMatrix(const TColorMatrix& Matrix, ColorMatrixFlags Mode, ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, Type, TRUE, &Matrix, nullptr, Mode));
}
Status TGPImageAttributes::ClearColorMatrix(ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, Type, FALSE, nullptr, nullptr, ColorMatrixFlagsDefault));
}
Status TGPImageAttributes::SetColorMatrices(const TColorMatrix& ColorMatrix, const TColorMatrix& GrayMatrix,
                                            ColorMatrixFlags Mode, ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, Type, TRUE, &ColorMatrix, &GrayMatrix, Mode));
}
Status TGPImageAttributes::ClearColorMatrices(ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, Type, FALSE, nullptr, nullptr, ColorMatrixFlagsDefault));
}
Status TGPImageAttributes::SetThreshold(float Threshold, ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesThreshold(nativeImageAttr, Type, TRUE, Threshold));
}
Status TGPImageAttributes::ClearThreshold(ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesThreshold(nativeImageAttr, Type, FALSE, 0.0f));
}
Status TGPImageAttributes::SetGamma(float Gamma, ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesGamma(nativeImageAttr, Type, TRUE, Gamma));
}
Status TGPImageAttributes::ClearGamma(ColorAdjustType Type) { return SetStatus(GdipSetImageAttributesGamma(nativeImageAttr, Type, FALSE, 0.0f)); }
Status TGPImageAttributes::SetNoOp(ColorAdjustType Type) { return SetStatus(GdipSetImageAttributesNoOp(nativeImageAttr, Type, TRUE)); }
Status TGPImageAttributes::ClearNoOp(ColorAdjustType Type) { return SetStatus(GdipSetImageAttributesNoOp(nativeImageAttr, Type, FALSE)); }
Status TGPImageAttributes::SetColorKey(ARGB ColorLow, ARGB ColorHigh, ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesColorKeys(nativeImageAttr, Type, TRUE, ColorLow, ColorHigh));
}
Status TGPImageAttributes::ClearColorKey(ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesColorKeys(nativeImageAttr, Type, FALSE, 0, 0));
}
Status TGPImageAttributes::SetOutputChannel(ColorChannelFlags Flags, ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesOutputChannel(nativeImageAttr, Type, TRUE, Flags));
}
Status TGPImageAttributes::ClearOutputChannel(ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesOutputChannel(nativeImageAttr, Type, FALSE, ColorChannelFlagsLast));
}
Status TGPImageAttributes::SetOutputChannelColorProfile(const String& ColorProfileFileName, ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesOutputChannelColorProfile(nativeImageAttr, Type, TRUE, ColorProfileFileName.c_str()));
}
Status TGPImageAttributes::ClearOutputChannelColorProfile(ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesOutputChannelColorProfile(nativeImageAttr, Type, FALSE, nullptr));
}
Status TGPImageAttributes::SetRemapTable(int MapSize, const TColorMap* Map, ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesRemapTable(nativeImageAttr, Type, TRUE, static_cast<UINT>(MapSize), Map));
}
Status TGPImageAttributes::ClearRemapTable(ColorAdjustType Type)
{
    return SetStatus(GdipSetImageAttributesRemapTable(nativeImageAttr, Type, FALSE, 0, nullptr));
}
Status TGPImageAttributes::SetBrushRemapTable(int MapSize, const TColorMap* Map) { return SetRemapTable(MapSize, Map, ColorAdjustTypeBrush); }
Status TGPImageAttributes::ClearBrushRemapTable() { return ClearRemapTable(ColorAdjustTypeBrush); }
Status TGPImageAttributes::SetWrapMode(WrapMode Wrap, ARGB Color, bool Clamp)
{
    return SetStatus(GdipSetImageAttributesWrapMode(nativeImageAttr, Wrap, Color, Clamp));
}
Status TGPImageAttributes::GetAdjustedPalette(TColorPalette* Palette, ColorAdjustType Type)
{
    return SetStatus(GdipGetImageAttributesAdjustedPalette(nativeImageAttr, Palette, Type));
}
Status TGPImageAttributes::GetLastStatus()
{
    Status result = lastResult;
    lastResult = Ok;
    return result;
}
