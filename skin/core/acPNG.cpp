// TPNGGraphic: reads a PNG stream chunk by chunk, inflates the image data row by row straight
// into a row buffer, undoes the row filters in place and converts every row into the bitmap's
// scan line. Sizes from the file are checked against the stream and against fixed caps before
// anything is allocated, so a damaged file ends in EInvalidGraphic, never in a read outside a
// buffer or a huge allocation.
#include "skin/core/acPNG.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "framework/classes/Streams.h"
#include "framework/system/ScopeGuards.h"

namespace {

const std::uint8_t PNGMagic[8] = {137, 80, 78, 71, 13, 10, 26, 10};

// Adam7, passes 1 to 7; bit 7 of a pass mask stands for the first pixel of a group of eight.
const int RowStart[7] = {0, 0, 4, 0, 2, 0, 1};
const int RowIncrement[7] = {8, 8, 8, 4, 4, 2, 2};
const int ColumnStart[7] = {0, 4, 0, 2, 0, 1, 0};
const int ColumnIncrement[7] = {8, 8, 4, 4, 2, 2, 1};
const std::uint8_t PassMask[7] = {0x80, 0x08, 0x88, 0x22, 0xAA, 0x55, 0xFF};

// Deflate cannot pack more than about 1032 bytes into one; image data that would need more
// than that of what the stream still holds cannot be complete.
constexpr std::uint64_t MaxDeflateRatio = 1040;

String PNGText(const wchar_t* Pattern, const wchar_t* Arg = L"PNG")
{
    String s = Pattern;
    size_t at = s.find(L"%s");
    if (at != String::npos) s.replace(at, 2, Arg);
    return s;
}

[[noreturn]] void Invalid(const wchar_t* Pattern, const wchar_t* Arg = L"PNG")
{
    throw EInvalidGraphic(PNGText(Pattern, Arg));
}

const wchar_t* const SInvalidImage = L"Cannot load image. Invalid or unexpected %s image format.";
const wchar_t* const SCRCError = L"Cannot load image. CRC error found in %s file.";
const wchar_t* const SNotSupported = L"Cannot load image. %s not supported for PNG files.";
const wchar_t* const SInvalidPalette = L"Cannot load image. Palette in %s file is invalid.";
const wchar_t* const SExtraData = L"Cannot load image. Extra compressed data found in %s file.";
const wchar_t* const SCompression = L"Cannot load image. Compression error found in %s file.";
const wchar_t* const SCriticalChunk = L"Cannot load PNG image. Unexpected but critical chunk detected.";
const wchar_t* const SInvalidColor = L"Invalid color format in %s file.";
const wchar_t* const STruncated = L"Cannot load image. Image data in %s file is truncated.";
const wchar_t* const SChunkLength = L"Cannot load image. Invalid chunk length in %s file.";
const wchar_t* const STooLarge = L"Cannot load image. Image size in %s file is too large.";

// The standard CRC-32, its table built once from the polynomial's terms.
const std::uint32_t* CRCTable()
{
    static const std::array<std::uint32_t, 256> table = [] {
        const int terms[] = {0, 1, 2, 4, 5, 7, 8, 10, 11, 12, 16, 22, 23, 26};
        std::uint32_t poly = 0;
        for (int t : terms) poly |= 1u << (31 - t);
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? poly ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table.data();
}

std::uint32_t UpdateCRC(std::uint32_t CRC, const std::uint8_t* P, std::size_t N)
{
    const std::uint32_t* t = CRCTable();
    std::uint32_t c = ~CRC;
    auto step = [&](std::uint8_t b) { c = t[(c ^ b) & 0xFF] ^ (c >> 8); };
    for (; N >= 8; N -= 8, P += 8) {
        step(P[0]); step(P[1]); step(P[2]); step(P[3]);
        step(P[4]); step(P[5]); step(P[6]); step(P[7]);
    }
    while (N--) step(*P++);
    return ~c;
}

std::uint32_t BigEndian32(const std::uint8_t* P) { return std::uint32_t(P[0]) << 24 | P[1] << 16 | P[2] << 8 | P[3]; }
unsigned BigEndian16(const std::uint8_t* P) { return P[0] << 8 | P[1]; }

std::vector<RGBQUAD> PaletteTable(HPALETTE Palette)
{
    PALETTEENTRY entries[256];
    UINT n = GetPaletteEntries(Palette, 0, 256, entries);
    std::vector<RGBQUAD> table(n);
    for (UINT i = 0; i < n; ++i) table[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return table;
}

TPixelFormat PackedFormat(int Bits) { return Bits == 1 ? pf1bit : Bits == 4 ? pf4bit : pf8bit; }

// Decompressed bytes of the whole image, filter bytes included.
std::uint64_t ImageDataSize(std::uint64_t Width, std::uint64_t Height, int BitDepth, int S, bool Interlaced)
{
    auto rows = [&](std::uint64_t w, std::uint64_t h) { return w == 0 || h == 0 ? 0 : h * (((w * BitDepth + 7) / 8) * S + 1); };
    if (!Interlaced) return rows(Width, Height);
    std::uint64_t total = 0;
    for (int p = 0; p < 7; ++p) {
        if (Width <= std::uint64_t(ColumnStart[p]) || Height <= std::uint64_t(RowStart[p])) continue;
        total += rows((Width - ColumnStart[p] + ColumnIncrement[p] - 1) / ColumnIncrement[p],
                      (Height - RowStart[p] + RowIncrement[p] - 1) / RowIncrement[p]);
    }
    return total;
}

struct TPNGRegistration {
    TPNGRegistration()
    {
        TPicture::RegisterFileFormat(L"png", L"Portable network graphics (Lumacore)",
                                     [] { return std::unique_ptr<TGraphic>(new TPNGGraphic); },
                                     [](const std::uint8_t* d, std::size_t n) {
                                         return n > 8 && std::memcmp(d, PNGMagic, 8) == 0;
                                     });
    }
    ~TPNGRegistration() { TPicture::UnregisterFileFormat(L"png"); }
} PNGRegistration;

} // namespace

TPNGGraphic::TPNGGraphic() : FColorManager(std::make_unique<TColorManager>()) {}

TPNGGraphic::~TPNGGraphic()
{
    if (FPalette != nullptr) DeleteObject(FPalette);
    FColorManager.reset();
}

void TPNGGraphic::Assign(TPersistent* Source)
{
    if (auto* png = dynamic_cast<TPNGGraphic*>(Source)) FImageProperties = png->FImageProperties;
    TBitmap::Assign(Source);
}

bool TPNGGraphic::CanLoad(const String& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    return CanLoad(&stream);
}

bool TPNGGraphic::CanLoad(TStream* Stream)
{
    std::int64_t start = Stream->Position();
    bool result = false;
    if (Stream->Size() - start > 8) {
        std::uint8_t head[8];
        result = Stream->Read(head, 8) == 8 && std::memcmp(head, PNGMagic, 8) == 0;
    }
    Stream->SetPosition(start);
    return result;
}

// --- chunks ----------------------------------------------------------------------------------

std::int64_t TPNGGraphic::Remaining()
{
    return FStreamEnd - FStream->Position();
}

void TPNGGraphic::ReadExact(void* Buffer, std::uint32_t Count)
{
    if (Count > 0 && FStream->Read(Buffer, static_cast<int>(Count)) != static_cast<int>(Count)) Invalid(STruncated);
}

std::uint32_t TPNGGraphic::ReadChunkHeader()
{
    std::uint8_t raw[8];
    ReadExact(raw, 8);
    std::memcpy(FHeader.ChunkType, raw + 4, 4);
    FHeader.Length = BigEndian32(raw);
    // A length past the data and its CRC is a damaged file, whatever the chunk.
    if (FHeader.Length > 0x7FFFFFFFu || std::int64_t(FHeader.Length) + 4 > Remaining()) Invalid(SChunkLength);
    return UpdateCRC(0, raw + 4, 4);
}

bool TPNGGraphic::IsChunk(const char* Type) const
{
    for (int i = 0; i < 4; ++i)
        if ((FHeader.ChunkType[i] & 0xDF) != (Type[i] & 0xDF)) return false;
    return true;
}

void TPNGGraphic::ReadChunkData()
{
    FRawBuffer.resize(FHeader.Length);
    ReadExact(FRawBuffer.data(), FHeader.Length);
    std::uint8_t crc[4];
    ReadExact(crc, 4);
    FCurrentCRC = UpdateCRC(FCurrentCRC, FRawBuffer.data(), FRawBuffer.size());
    if (FCurrentCRC != BigEndian32(crc)) Invalid(SCRCError);
}

void TPNGGraphic::SkipChunk()
{
    FStream->Seek(std::int64_t(FHeader.Length) + 4, soCurrent);
}

// --- properties ------------------------------------------------------------------------------

bool TPNGGraphic::ReadImageProperties(TStream* Stream, unsigned ImageIndex)
{
    FImageProperties = TImageProperties{};
    FImageProperties.FileGamma = 1;
    FStream = Stream;
    FStreamEnd = Stream->Size();
    std::uint8_t magic[8];
    if (Stream->Read(magic, 8) != 8 || std::memcmp(magic, PNGMagic, 8) != 0) return false;
    try {
        FCurrentCRC = ReadChunkHeader();
    } catch (const EInvalidGraphic&) {
        return false;
    }
    if (!IsChunk("IHDR")) return false;
    FImageProperties.Options.Include(ioBigEndian);
    if (FHeader.Length < 13) return false;
    ReadChunkData();
    const std::uint8_t* d = FRawBuffer.data();
    TImageProperties& p = FImageProperties;
    p.Width = BigEndian32(d);
    p.Height = BigEndian32(d + 4);
    if (p.Width == 0 || p.Height == 0) return false;
    p.Compression = d[10] == 0 ? ctLZ77 : ctUnknown;
    p.BitsPerSample = d[8];
    p.SamplesPerPixel = 1;
    switch (d[9]) {
    case 0: p.ColorScheme = csG; break;
    case 2: p.ColorScheme = csRGB; p.SamplesPerPixel = 3; break;
    case 3: p.ColorScheme = csIndexed; break;
    case 4: p.ColorScheme = csGA; break;
    case 6: p.ColorScheme = csRGBA; p.SamplesPerPixel = 4; break;
    default: p.ColorScheme = csUnknown;
    }
    p.BitsPerPixel = static_cast<std::uint8_t>(p.SamplesPerPixel * p.BitsPerSample);
    p.FilterMode = d[11];
    p.Interlaced = d[12] != 0;
    p.HasAlpha = p.ColorScheme == csGA || p.ColorScheme == csRGBA || p.ColorScheme == csBGRA;
    // The header is known; a damaged chunk further on is the load's to report.
    try {
        for (;;) {
            FCurrentCRC = ReadChunkHeader();
            if (IsChunk("gAMA") && FHeader.Length >= 4) {
                ReadChunkData();
                p.FileGamma = BigEndian32(FRawBuffer.data()) / 100000.0f;
                return true;
            }
            if (IsChunk("IEND")) return true;
            SkipChunk();
        }
    } catch (const EInvalidGraphic&) {
    }
    return true;
}

// --- loading ---------------------------------------------------------------------------------

void TPNGGraphic::LoadFromStream(TStream* Stream)
{
    // Each load starts from nothing: the pixel format too, so that the rows of this image are
    // never converted into the layout of the previous one.
    SetSize(0, 0);
    SetPixelFormat(pfDevice);
    SetAlphaFormat(afIgnored);
    SetTransparent(false);
    FStream = Stream;
    FBasePosition = static_cast<std::uint32_t>(Stream->Position());
    FDecoder.reset();
    if (!ReadImageProperties(Stream, 0)) Invalid(SInvalidImage);
    const TImageProperties& props = FImageProperties;
    if (props.Width > MaxPNGSide || props.Height > MaxPNGSide ||
        std::uint64_t(props.Width) * props.Height > MaxPNGPixels)
        Invalid(STooLarge);
    Stream->SetPosition(FBasePosition + 8);
    FProgressRect = Rect(0, 0, static_cast<int>(props.Width), 1);
    Progress(this, psStarting, 0, false, FProgressRect, L"Preparing...");

    if (FPalette != nullptr) DeleteObject(FPalette);
    FPalette = nullptr;
    FTransparency.clear();
    FBackgroundColor = 0xFFFFFF;
    FTransparentColor = 0x1FFFFFFF;
    FImageRead = false;
    // Gamma belongs to the image that has a gAMA chunk, not to the graphic.
    FColorManager->TargetOptions.Exclude(coApplyGamma);
    FCurrentCRC = ReadChunkHeader();
    FColorManager->SourceOptions = {coNeedByteSwap};

    TScopeExit cleanUp([this] {
        FRawBuffer = {};
        FCurrentSource = nullptr;
        Progress(this, psEnding, 0, false, FProgressRect, L"");
        std::unique_ptr<TLZ77Decoder> decoder = std::move(FDecoder);
        if (decoder) decoder->DecodeEnd();
    });
    ReadChunkData();
    int bitDepth = FRawBuffer[8], colorType = FRawBuffer[9];
    bool interlaced = FRawBuffer[12] != 0;
    if (props.Compression != ctLZ77) Invalid(SNotSupported, L"The compression scheme is");
    FDecoder = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
    FDecoder->DecodeInit();

    for (;;) {
        FCurrentCRC = ReadChunkHeader();
        if (IsChunk("IDAT") && !FImageRead) {
            Progress(this, psEnding, 0, false, FProgressRect, L"");
            ReadDataAndCheckForLZ77(colorType, bitDepth, interlaced);
            FImageRead = true;
        } else if (IsChunk("PLTE")) {
            if (FHeader.Length % 3 != 0) Invalid(SInvalidPalette);
            ReadChunkData();
            if (colorType == 3) {
                FSourceBPP = SetupColorDepth(colorType, bitDepth);
                if (FPalette != nullptr) DeleteObject(FPalette);
                const void* rows[1] = {FRawBuffer.data()};
                FPalette = FColorManager->CreateColorPalette(rows, 0, FHeader.Length / 3, false);
            }
            continue;
        } else if (IsChunk("gAMA")) {
            ReadChunkData();
            if (FRawBuffer.size() >= 4) {
                float gamma = BigEndian32(FRawBuffer.data()) / 100000.0f;
                FColorManager->SetGamma(gamma, 2.2f);
                FColorManager->TargetOptions.Include(coApplyGamma);
                FImageProperties.Options.Include(ioUseGamma);
            }
            continue;
        } else if (IsChunk("bKGD")) {
            ReadBackgroundColor(colorType, bitDepth);
            continue;
        } else if (IsChunk("tRNS")) {
            ReadTransparency(colorType, bitDepth);
            continue;
        }
        // Any other chunk, and the one that follows the image data.
        if (IsChunk("IEND")) break;
        bool critical = (FHeader.ChunkType[0] & 0x20) == 0;
        if (critical && !IsChunk("IDAT")) throw EInvalidGraphic(SCriticalChunk);
        SkipChunk();
    }
    if (!FImageRead) Invalid(STruncated);
}

int TPNGGraphic::SetupColorDepth(int ColorType, int BitDepth)
{
    TColorManager& cm = *FColorManager;
    auto scheme = [&](TColorScheme source, TColorScheme target, int spp, int targetBits) {
        cm.SetSourceColorScheme(source);
        cm.SetTargetColorScheme(target);
        cm.SetSourceSamplesPerPixel(static_cast<std::uint8_t>(spp));
        cm.SetTargetSamplesPerPixel(static_cast<std::uint8_t>(spp));
        cm.SetSourceBitsPerSample(static_cast<std::uint8_t>(BitDepth));
        cm.SetTargetBitsPerSample(static_cast<std::uint8_t>(targetBits));
    };
    auto greyRamp = [&] {
        if (FPalette != nullptr) DeleteObject(FPalette);
        FPalette = cm.CreateGrayscalePalette(false);
    };
    switch (ColorType) {
    case 0:
        if (BitDepth == 1 || BitDepth == 2 || BitDepth == 4 || BitDepth == 8 || BitDepth == 16) {
            int target = BitDepth == 2 ? 4 : BitDepth == 16 ? 8 : BitDepth;
            scheme(csG, csG, 1, target);
            SetPixelFormat(PackedFormat(target));
            greyRamp();
            return (BitDepth + 7) / 8;
        }
        break;
    case 2:
        if (BitDepth == 8 || BitDepth == 16) {
            scheme(csRGB, csBGR, 3, 8);
            SetPixelFormat(pf24bit);
            return BitDepth * 3 / 8;
        }
        break;
    case 3:
        if (BitDepth == 1 || BitDepth == 2 || BitDepth == 4 || BitDepth == 8) {
            int target = BitDepth == 2 ? 4 : BitDepth;
            scheme(csIndexed, csIndexed, 1, target);
            SetPixelFormat(PackedFormat(target));
            return 1;
        }
        break;
    case 4:
        if (BitDepth == 8 || BitDepth == 16) {
            scheme(csGA, csIndexed, 1, 8);
            SetPixelFormat(pf8bit);
            greyRamp();
            return BitDepth * 2 / 8;
        }
        break;
    case 6:
        if (BitDepth == 8 || BitDepth == 16) {
            scheme(csRGBA, csBGRA, 4, 8);
            SetPixelFormat(pf32bit);
            SetAlphaFormat(afDefined);
            return BitDepth * 4 / 8;
        }
        break;
    }
    Invalid(SInvalidColor);
}

void TPNGGraphic::ReadDataAndCheckForLZ77(int ColorType, int BitDepth, bool Interlaced)
{
    Progress(this, psStarting, 0, false, FProgressRect, L"Transfering...");
    if (PixelFormat() == pfDevice) FSourceBPP = SetupColorDepth(ColorType, BitDepth);
    int s = BitDepth == 16 ? FSourceBPP / 2 : FSourceBPP;
    std::uint64_t width = FImageProperties.Width, height = FImageProperties.Height;
    std::uint64_t rowLength = ((width * BitDepth + 7) / 8) * s + 1;
    std::uint64_t needed = ImageDataSize(width, height, BitDepth, s, Interlaced);
    std::uint64_t available = static_cast<std::uint64_t>(std::max<std::int64_t>(Remaining(), 0)) + FHeader.Length;
    if (needed > available * MaxDeflateRatio + 65536) Invalid(STruncated);

    if (FPalette != nullptr) SetColorTable(PaletteTable(FPalette));
    SetSize(static_cast<int>(width), static_cast<int>(height));
    {
        TCanvas* canvas = Canvas();
        canvas->Lock();
        TScopeExit unlock([canvas] { canvas->Unlock(); });
        canvas->Brush()->SetColor(FBackgroundColor);
        canvas->FillRect(Rect(0, 0, static_cast<int>(width), static_cast<int>(height)));
    }
    if (FTransparentColor != 0x1FFFFFFF) {
        SetTransparentColor(FTransparentColor);
        SetTransparent(true);
    }

    std::vector<std::uint8_t> rowA(rowLength, 0), rowB(rowLength, 0);
    std::uint8_t* current = rowA.data();
    std::uint8_t* prior = rowB.data();
    unsigned count = static_cast<unsigned>(width);
    if (!Interlaced) {
        for (unsigned y = 0; y < height; ++y) {
            ReadRow(current, rowLength);
            ApplyFilter(current[0], current + 1, prior + 1, rowLength - 1);
            const void* rows[1] = {current + 1};
            FColorManager->ConvertRow(rows, ScanLine(static_cast<int>(y)), count, 0xFF);
            OffsetRect(&FProgressRect, 0, 1);
            std::swap(current, prior);
        }
    } else {
        for (int p = 0; p < 7; ++p) {
            if (width <= std::uint64_t(ColumnStart[p])) continue;
            std::uint64_t passWidth = (width + ColumnIncrement[p] - ColumnStart[p] - 1) / ColumnIncrement[p];
            std::uint64_t passLength = ((passWidth * BitDepth + 7) / 8) * s + 1;
            std::fill(prior, prior + passLength, 0);
            for (std::uint64_t y = RowStart[p]; y < height; y += RowIncrement[p]) {
                ReadRow(current, passLength);
                ApplyFilter(current[0], current + 1, prior + 1, passLength - 1);
                const void* rows[1] = {current + 1};
                FColorManager->ConvertRow(rows, ScanLine(static_cast<int>(y)), count, PassMask[p]);
                if (p == 6) OffsetRect(&FProgressRect, 0, 1);
                std::swap(current, prior);
            }
        }
    }
    Changed(this);
    // Image data left after the last row is passed over.
    while (IsChunk("IDAT")) {
        ReadChunkData();
        FCurrentCRC = ReadChunkHeader();
    }
}

void TPNGGraphic::ReadRow(std::uint8_t* Buffer, std::size_t Count)
{
    std::uint8_t* target = Buffer;
    std::size_t left = Count;
    while (left > 0) {
        if (FDecoder->AvailableInput() == 0) {
            FIDATSize = 0;
            while (FIDATSize == 0) {
                // The rows are not all there: say so rather than show a half image.
                if (!IsChunk("IDAT")) Invalid(STruncated);
                ReadChunkData();
                FCurrentSource = FRawBuffer.data();
                FIDATSize = static_cast<std::int32_t>(FHeader.Length);
                FCurrentCRC = ReadChunkHeader();
            }
        }
        int packed = static_cast<int>(FRawBuffer.data() + FIDATSize - FCurrentSource);
        FDecoder->Decode(FCurrentSource, target, packed, static_cast<int>(left));
        left = Count - static_cast<std::size_t>(target - Buffer);
        int result = FDecoder->ZLibResult();
        if (result == Z_STREAM_END) {
            if (left > 0) Invalid(STruncated);
            if (FDecoder->AvailableInput() > 0) Invalid(SExtraData);
            return;
        }
        if (result != Z_OK) Invalid(SCompression);
    }
}

void TPNGGraphic::ApplyFilter(std::uint8_t Filter, std::uint8_t* Line, const std::uint8_t* PrevLine, std::size_t Count)
{
    std::size_t bpp = static_cast<std::size_t>(std::max(FSourceBPP, 1));
    std::size_t lead = std::min(bpp, Count);
    switch (Filter) {
    case 1:
        for (std::size_t x = bpp; x < Count; ++x) Line[x] = static_cast<std::uint8_t>(Line[x] + Line[x - bpp]);
        break;
    case 2:
        for (std::size_t x = 0; x < Count; ++x) Line[x] = static_cast<std::uint8_t>(Line[x] + PrevLine[x]);
        break;
    case 3:
        for (std::size_t x = 0; x < lead; ++x) Line[x] = static_cast<std::uint8_t>(Line[x] + (PrevLine[x] >> 1));
        for (std::size_t x = bpp; x < Count; ++x)
            Line[x] = static_cast<std::uint8_t>(Line[x] + ((Line[x - bpp] + PrevLine[x]) >> 1));
        break;
    case 4:
        // With no left neighbours the predictor is the byte above.
        for (std::size_t x = 0; x < lead; ++x) Line[x] = static_cast<std::uint8_t>(Line[x] + PrevLine[x]);
        for (std::size_t x = bpp; x < Count; ++x) {
            int a = Line[x - bpp], b = PrevLine[x], c = PrevLine[x - bpp];
            int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
            int pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
            Line[x] = static_cast<std::uint8_t>(Line[x] + pred);
        }
        break;
    default: break; // 0 None; unknown types leave the row as it is
    }
}

void TPNGGraphic::ReadBackgroundColor(int ColorType, int BitDepth)
{
    ReadChunkData();
    const std::uint8_t* d = FRawBuffer.data();
    std::size_t n = FRawBuffer.size();
    auto sample = [&](const std::uint8_t* p) -> unsigned {
        unsigned v = BigEndian16(p);
        if (BitDepth == 16) return v * 255 / 65535;
        return v & 0xFF;
    };
    switch (ColorType) {
    case 0:
    case 4:
        if (n < 2) return;
        // A grey level, not a colour.
        FBackgroundColor = static_cast<TColor>(BitDepth == 2 ? (BigEndian16(d) & 0xFF) * 15 / 3 : sample(d));
        break;
    case 2:
    case 6:
        if (n < 6) return;
        FBackgroundColor = static_cast<TColor>(RGB(sample(d), sample(d + 2), sample(d + 4)));
        break;
    default:
        if (n < 1) return;
        FBackgroundColor = d[0];
    }
}

void TPNGGraphic::ReadTransparency(int ColorType, int BitDepth)
{
    ReadChunkData();
    const std::uint8_t* d = FRawBuffer.data();
    std::size_t n = FRawBuffer.size();
    auto sample = [&](const std::uint8_t* p) -> unsigned {
        unsigned v = BigEndian16(p);
        if (BitDepth == 16) return v * 255 / 65535;
        return v & 0xFF;
    };
    switch (ColorType) {
    case 0: {
        if (n < 2) return;
        // The key must be the colour the grey ramp shows for that level, also below 8 bits.
        unsigned v = BitDepth < 8 ? (BigEndian16(d) & ((1u << BitDepth) - 1)) * 255 / ((1u << BitDepth) - 1) : sample(d);
        FTransparentColor = static_cast<TColor>(RGB(v, v, v));
        break;
    }
    case 2:
        if (n < 6) return;
        FTransparentColor = static_cast<TColor>(RGB(sample(d), sample(d + 2), sample(d + 4)));
        break;
    case 4:
    case 6: break;
    default:
        FTransparency.assign(256, 255);
        std::copy_n(d, std::min<std::size_t>(n, 256), FTransparency.begin());
    }
}
