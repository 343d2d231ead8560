#pragma once
// Unit acPNG: the skin engine's own reader of PNG files. TPNGGraphic loads a PNG stream into a
// DIB of the nearest pixel format (colour images with alpha keep it, in pf32bit) and is the
// picture class's graphic for "png"; TLZ77Decoder is the thin inflate wrapper over zlib;
// TColorManager turns decoded sample rows into the bitmap's pixel layout and builds palettes.
// The unit also turns decoded images into icons and cleans fully transparent white out of
// 32-bit skin images. It reads only; it never writes PNG.
#include <zlib.h>

#include <cstdint>
#include <span>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/graphics/Bitmap.h"

KVL_DECLARE_EXCEPTION(EColorConversionError, Exception);
KVL_DECLARE_EXCEPTION(EGraphicCompression, Exception);

// --- pixel-format conversion --------------------------------------------------------------------

enum TColorScheme {
    csUnknown, csIndexed, csG, csGA, csRGB, csRGBA, csBGR, csBGRA, csCMY, csCMYK, csCIELab, csYCbCr, csPhotoYCC
};

enum TConvertOption { coAlpha, coApplyGamma, coNeedByteSwap, coLabByteRange, coLabChromaOffset };
using TConvertOptions = TEnumSet<TConvertOption>;

// The rows a converter reads: one pointer for interleaved samples, or one plane per sample.
using TSourceRows = std::span<const void* const>;

class TColorManager;
using TConversionMethod = void (TColorManager::*)(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);

class TColorManager : public TObject {
public:
    TColorManager();

    std::uint8_t SourceBitsPerSample() const { return FSourceBPS; }
    void SetSourceBitsPerSample(std::uint8_t Value);
    std::uint8_t TargetBitsPerSample() const { return FTargetBPS; }
    void SetTargetBitsPerSample(std::uint8_t Value);
    std::uint8_t SourceSamplesPerPixel() const { return FSourceSPP; }
    void SetSourceSamplesPerPixel(std::uint8_t Value);
    std::uint8_t TargetSamplesPerPixel() const { return FTargetSPP; }
    void SetTargetSamplesPerPixel(std::uint8_t Value);
    TColorScheme SourceColorScheme() const { return FSourceScheme; }
    void SetSourceColorScheme(TColorScheme Value);
    TColorScheme TargetColorScheme() const { return FTargetScheme; }
    void SetTargetColorScheme(TColorScheme Value);
    TConvertOptions SourceOptions = {};
    TConvertOptions TargetOptions = {};
    TPixelFormat SourcePixelFormat() const { return GetPixelFormat(0); }
    TPixelFormat TargetPixelFormat() const { return GetPixelFormat(1); }

    // Converts Count target pixels from Source; Mask selects (from bit 7, rotating) the target
    // pixels written, the others keep their content.
    void ConvertRow(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    void SetGamma(float MainGamma, float DisplayGamma = 2.2f);
    // Palettes (version $300); the caller owns the handle.
    HPALETTE CreateGrayscalePalette(bool MinimumIsWhite);
    HPALETTE CreateColorPalette(TSourceRows Data, int DataFormat, unsigned ColorCount, bool BGR);
    [[noreturn]] void Error(const String& Msg);

private:
    TPixelFormat GetPixelFormat(int Index) const;
    void PrepareConversion();
    void BuildChromaTables(bool PhotoYCC);
    std::uint8_t Gamma(unsigned Value) const { return FGammaTable[Value]; }

    void RowPacked(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    void RowCopy16(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    void Row16ToPacked(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    void RowPackedTo16(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    void RowGrey(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    template <bool SourceBGR, bool TargetBGR>
    void RowRGB(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    template <bool TargetBGR>
    void RowCMYK(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    template <bool TargetBGR>
    void RowLab(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    template <bool TargetBGR>
    void RowYCbCr(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    template <bool TargetBGR>
    void RowPhotoYCC(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask);
    template <class F>
    void RowThreeChannel(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask, int Samples,
                         bool TargetBGR, F Compute);

    bool FChanged = true;
    std::uint8_t FSourceBPS = 8, FTargetBPS = 8;
    std::uint8_t FSourceSPP = 3, FTargetSPP = 3;
    float FMainGamma = 1.0f, FDisplayGamma = 2.2f;
    std::uint8_t FGammaTable[256] = {};
    float FYCbCrCoefficients[3] = {0.299f, 0.587f, 0.114f};
    std::uint8_t FHSubsampling = 1, FVSubSampling = 1;
    std::vector<int> FCrToRedTable, FCbToBlueTable, FCrToGreenTable, FCbToGreenTable;
    TColorScheme FSourceScheme = csRGB, FTargetScheme = csBGR;
    TConversionMethod FRowConversion = nullptr;
};

// Icons of a decoded image for the alpha image list: with the image's own alpha (or, for images
// without it or with KeyMask, the top-left colour as the transparent key), or composed over Color.
class TPNGGraphic;
HICON CreatePNGIcon(TPNGGraphic* PNG, bool KeyMask);
HICON CreatePNGIconOnColor(TPNGGraphic* PNG, TColor Color);
// Fully transparent white pixels of a pf32bit bitmap become 0 in all four bytes.
void ClearTransparentWhite(TBitmap* Bitmap);

// --- inflate -----------------------------------------------------------------------------------

class TLZ77Decoder : public TObject {
public:
    TLZ77Decoder(int FlushMode, bool AutoReset);
    ~TLZ77Decoder() override;

    void DecodeInit();
    // Inflates from Source into Target and moves both pointers past what was consumed and made.
    void Decode(const std::uint8_t*& Source, std::uint8_t*& Target, int PackedSize, int UnpackedSize);
    void DecodeEnd();
    void Encode(const std::uint8_t*& Source, std::uint8_t*& Target, int Count, int& BytesStored) {}

    int ZLibResult() const { return FZLibResult; }
    unsigned AvailableInput() const { return FStream.avail_in; }
    unsigned AvailableOutput() const { return FStream.avail_out; }

private:
    z_stream FStream{};
    int FZLibResult = Z_OK;
    int FFlushMode;
    bool FAutoReset;
    bool FInitialised = false;
};

// --- the PNG graphic -----------------------------------------------------------------------------

enum TImageOption { ioBigEndian, ioUseGamma };
using TImageOptions = TEnumSet<TImageOption>;
enum TCompressionType { ctUnknown, ctNone, ctLZ77 };

struct TImageProperties {
    TImageOptions Options;
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    TColorScheme ColorScheme = csUnknown;
    std::uint8_t BitsPerSample = 0;
    std::uint8_t SamplesPerPixel = 0;
    std::uint8_t BitsPerPixel = 0;
    TCompressionType Compression = ctUnknown;
    float FileGamma = 0;
    bool Interlaced = false;
    bool HasAlpha = false;
    std::uint8_t FilterMode = 0;
};

struct TPNGChunkHeader {
    std::uint32_t Length = 0;
    char ChunkType[4] = {};
};

// The largest image the reader allocates: each side, and the pixel count.
constexpr std::uint32_t MaxPNGSide = 65535;
constexpr std::uint64_t MaxPNGPixels = std::uint64_t(1) << 26;

class TPNGGraphic : public TBitmap {
public:
    TPNGGraphic();
    ~TPNGGraphic() override;

    void Assign(TPersistent* Source) override;
    static bool CanLoad(const String& FileName);
    static bool CanLoad(TStream* Stream);
    bool ReadImageProperties(TStream* Stream, unsigned ImageIndex);
    void LoadFromStream(TStream* Stream) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    const TImageProperties& ImageProperties() const { return FImageProperties; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    const std::vector<std::uint8_t>& Transparency() const { return FTransparency; }
    bool Reflected = false;

private:
    std::uint32_t ReadChunkHeader();
    bool IsChunk(const char* Type) const;
    void ReadChunkData();
    void SkipChunk();
    void ReadExact(void* Buffer, std::uint32_t Count);
    std::int64_t Remaining();
    int SetupColorDepth(int ColorType, int BitDepth);
    void ReadDataAndCheckForLZ77(int ColorType, int BitDepth, bool Interlaced);
    void ReadRow(std::uint8_t* Buffer, std::size_t Count);
    void ApplyFilter(std::uint8_t Filter, std::uint8_t* Line, const std::uint8_t* PrevLine, std::size_t Count);
    void ReadBackgroundColor(int ColorType, int BitDepth);
    void ReadTransparency(int ColorType, int BitDepth);

    std::unique_ptr<TColorManager> FColorManager;
    TRect FProgressRect{};
    std::uint32_t FBasePosition = 0;
    TStream* FStream = nullptr;
    TImageProperties FImageProperties;
    std::unique_ptr<TLZ77Decoder> FDecoder;
    std::int32_t FIDATSize = 0;
    std::vector<std::uint8_t> FRawBuffer;
    const std::uint8_t* FCurrentSource = nullptr;
    TPNGChunkHeader FHeader;
    std::uint32_t FCurrentCRC = 0;
    std::int32_t FSourceBPP = 1;
    HPALETTE FPalette = nullptr;
    std::vector<std::uint8_t> FTransparency;
    TColor FTransparentColor = 0x1FFFFFFF;
    TColor FBackgroundColor = 0xFFFFFF;
    std::int64_t FStreamEnd = 0;
    bool FImageRead = false;
};
