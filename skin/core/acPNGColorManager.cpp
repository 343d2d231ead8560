// TColorManager: the row converters between colour schemes and sample depths, the gamma table
// and the palettes. A converter is chosen once per change of schemes or depths and then runs
// for every row; the per-row choices (gamma, swapping, scaling) are made before the pixel loop.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "skin/core/acPNG.h"

namespace {

const wchar_t* const SInvalidBPS = L"Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
const wchar_t* const SInvalidSPP = L"Sample count per pixel does not correspond to the given color scheme.";
const wchar_t* const SIndexedMix = L"Conversion between indexed and non-indexed pixel formats is not supported.";
const wchar_t* const SNoConverter = L"Color conversion failed. Could not find a proper method.";

// Pixel i of a row is written when bit 7 - (i mod 8) of the mask is set: the walk tests bit 7 of
// the mask turned left once per pixel.
inline std::uint8_t Rotate(std::uint8_t Mask) { return static_cast<std::uint8_t>((Mask << 1) | (Mask >> 7)); }

// 16-bit samples are read and written byte by byte: the rows come straight from the file and
// have no alignment (a filter byte leads every PNG row).
inline unsigned Read16(const std::uint8_t* P, bool Swap) { return Swap ? (P[0] << 8 | P[1]) : (P[0] | P[1] << 8); }
inline void Write16(std::uint8_t* P, unsigned V, bool Swap)
{
    if (Swap) {
        P[0] = static_cast<std::uint8_t>(V >> 8);
        P[1] = static_cast<std::uint8_t>(V);
    } else {
        P[0] = static_cast<std::uint8_t>(V);
        P[1] = static_cast<std::uint8_t>(V >> 8);
    }
}
inline unsigned Scale16To8(unsigned V) { return V * 255 / 65535; }
inline unsigned Scale8To16(unsigned V) { return V * 65535 / 255; }
inline std::uint8_t Clamp255(int V) { return static_cast<std::uint8_t>(std::clamp(V, 0, 255)); }

bool IsPaletteLike(TColorScheme Scheme, bool Target)
{
    if (Target) return Scheme == csIndexed || Scheme == csG;
    return Scheme == csIndexed || Scheme == csG || Scheme == csGA;
}
bool HasAlphaSample(TColorScheme Scheme) { return Scheme == csGA || Scheme == csRGBA || Scheme == csBGRA; }
bool IsRGBPair(TColorScheme Scheme) { return Scheme == csRGB || Scheme == csRGBA; }
bool IsBGRPair(TColorScheme Scheme) { return Scheme == csBGR || Scheme == csBGRA; }
bool Is8Or16(int Bits) { return Bits == 8 || Bits == 16; }

// Where each sample of the next pixel is, for interleaved rows and for planes alike.
struct TSampleWalk {
    const std::uint8_t* P[4] = {};
    int Step = 0;

    TSampleWalk(TSourceRows Source, int Samples, int BytesPerSample)
    {
        if (Source.size() == 1) {
            for (int s = 0; s < Samples; ++s)
                P[s] = static_cast<const std::uint8_t*>(Source[0]) + s * BytesPerSample;
            Step = Samples * BytesPerSample;
        } else {
            if (Source.size() < static_cast<size_t>(Samples)) throw EColorConversionError(SNoConverter);
            for (int s = 0; s < Samples; ++s) P[s] = static_cast<const std::uint8_t*>(Source[s]);
            Step = BytesPerSample;
        }
    }
    void Next(int Samples)
    {
        for (int s = 0; s < Samples; ++s) P[s] += Step;
    }
};

// Reads samples of 1 to 8 bits, most significant bits first.
inline unsigned ReadBits(const std::uint8_t* Row, std::size_t Index, int Bits)
{
    std::size_t bit = Index * Bits;
    const std::uint8_t* p = Row + (bit >> 3);
    int offset = static_cast<int>(bit & 7);
    unsigned word = static_cast<unsigned>(p[0]) << 8;
    if (offset + Bits > 8) word |= p[1];
    return (word >> (16 - offset - Bits)) & ((1u << Bits) - 1);
}

// Writes a sample of 1 to 8 bits at walked pixel X of a packed row, keeping the other bits.
inline void WriteBits(std::uint8_t* Row, unsigned X, int Bits, unsigned Value)
{
    unsigned perByte = 8 / Bits;
    std::uint8_t* p = Row + X / perByte;
    int shift = 8 - Bits * static_cast<int>(X % perByte + 1);
    unsigned mask = ((1u << Bits) - 1) << shift;
    *p = static_cast<std::uint8_t>((*p & ~mask) | ((Value << shift) & mask));
}

} // namespace

TColorManager::TColorManager()
{
    SetGamma(1.0f, 2.2f);
}

void TColorManager::Error(const String& Msg)
{
    throw EColorConversionError(Msg);
}

void TColorManager::SetSourceBitsPerSample(std::uint8_t Value)
{
    if (Value < 1 || Value > 16) Error(SInvalidBPS);
    if (Value != FSourceBPS) FChanged = true;
    FSourceBPS = Value;
}

void TColorManager::SetTargetBitsPerSample(std::uint8_t Value)
{
    if (Value < 1 || Value > 16) Error(SInvalidBPS);
    if (Value != FTargetBPS) FChanged = true;
    FTargetBPS = Value;
}

void TColorManager::SetSourceSamplesPerPixel(std::uint8_t Value)
{
    if (Value < 1 || Value > 4) Error(SInvalidSPP);
    if (Value != FSourceSPP) FChanged = true;
    FSourceSPP = Value;
}

void TColorManager::SetTargetSamplesPerPixel(std::uint8_t Value)
{
    if (Value < 1 || Value > 4) Error(SInvalidSPP);
    if (Value != FTargetSPP) FChanged = true;
    FTargetSPP = Value;
}

void TColorManager::SetSourceColorScheme(TColorScheme Value)
{
    if (Value != FSourceScheme) FChanged = true;
    FSourceScheme = Value;
}

void TColorManager::SetTargetColorScheme(TColorScheme Value)
{
    if (Value != FTargetScheme) FChanged = true;
    FTargetScheme = Value;
}

TPixelFormat TColorManager::GetPixelFormat(int Index) const
{
    int samples = Index == 0 ? FSourceSPP : FTargetSPP;
    int bits = Index == 0 ? FSourceBPS : FTargetBPS;
    switch (samples) {
    case 1:
        if (bits == 1) return pf1bit;
        if (bits >= 2 && bits <= 4) return pf4bit;
        if (bits >= 8 && bits <= 16) return pf8bit;
        break;
    case 3: return bits <= 5 ? pf15bit : pf24bit;
    case 4:
        if (bits >= 8) return pf32bit;
        break;
    }
    return pfCustom;
}

void TColorManager::SetGamma(float MainGamma, float DisplayGamma)
{
    FMainGamma = MainGamma > 0 ? MainGamma : 1.0f;
    FDisplayGamma = DisplayGamma > 0 ? DisplayGamma : 2.2f;
    double g = 1.0 / (static_cast<double>(FMainGamma) * FDisplayGamma);
    // The table has 256 entries: a target of more than 8 bits (a low source depth widened to
    // 16 bits) must not stretch its index range past them.
    unsigned targetMax = FTargetBPS >= 8 ? 255u : (1u << FTargetBPS) - 1;
    unsigned n = FSourceBPS >= 8 ? 255u : targetMax;
    unsigned m = targetMax;
    for (unsigned i = 0; i <= n; ++i)
        FGammaTable[i] = static_cast<std::uint8_t>(std::nearbyint(std::pow(double(i) / n, g) * m));
}

HPALETTE TColorManager::CreateGrayscalePalette(bool MinimumIsWhite)
{
    int bits = std::min(FTargetBPS * FTargetSPP, 8);
    int n = 1 << bits;
    int step = n > 1 ? 255 / (n - 1) : 255;
    std::vector<std::uint8_t> block(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(block.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(n);
    bool gamma = TargetOptions.Contains(coApplyGamma);
    for (int i = 0; i < n; ++i) {
        std::uint8_t v = static_cast<std::uint8_t>(i * step);
        if (gamma) v = Gamma(v);
        PALETTEENTRY& e = log->palPalEntry[MinimumIsWhite ? n - 1 - i : i];
        e.peRed = e.peGreen = e.peBlue = v;
        e.peFlags = 0;
    }
    return CreatePalette(log);
}

HPALETTE TColorManager::CreateColorPalette(TSourceRows Data, int DataFormat, unsigned ColorCount, bool BGR)
{
    unsigned n = std::min(ColorCount, 256u);
    std::vector<std::uint8_t> block(sizeof(LOGPALETTE) + std::max(n, 1u) * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(block.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(n);
    bool gamma = TargetOptions.Contains(coApplyGamma);
    bool swap = SourceOptions.Contains(coNeedByteSwap);
    auto put = [&](unsigned i, unsigned r, unsigned g, unsigned b) {
        if (gamma) {
            r = Gamma(r);
            g = Gamma(g);
            b = Gamma(b);
        }
        log->palPalEntry[i] = PALETTEENTRY{static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b), 0};
    };
    if (n > 0 && !Data.empty()) {
        bool planes = DataFormat == 2 || DataFormat == 3 || DataFormat == 6 || DataFormat == 7;
        if (planes && Data.size() < 3) return CreatePalette(log);
        const auto* p0 = static_cast<const std::uint8_t*>(Data[0]);
        switch (DataFormat) {
        case 0:
        case 1: {
            int stride = DataFormat == 0 ? 3 : 4;
            for (unsigned i = 0; i < n; ++i, p0 += stride)
                BGR ? put(i, p0[2], p0[1], p0[0]) : put(i, p0[0], p0[1], p0[2]);
            break;
        }
        case 2:
        case 3: {
            const auto* r = static_cast<const std::uint8_t*>(Data[0]);
            const auto* g = static_cast<const std::uint8_t*>(Data[1]);
            const auto* b = static_cast<const std::uint8_t*>(Data[2]);
            for (unsigned i = 0; i < n; ++i) put(i, r[i], g[i], b[i]);
            break;
        }
        case 4:
        case 5: {
            int stride = DataFormat == 4 ? 6 : 8;
            for (unsigned i = 0; i < n; ++i, p0 += stride) {
                unsigned a = Scale16To8(Read16(p0, swap)), b = Scale16To8(Read16(p0 + 2, swap)),
                         c = Scale16To8(Read16(p0 + 4, swap));
                BGR ? put(i, c, b, a) : put(i, a, b, c);
            }
            break;
        }
        case 6:
        case 7: {
            const auto* r = static_cast<const std::uint8_t*>(Data[0]);
            const auto* g = static_cast<const std::uint8_t*>(Data[1]);
            const auto* b = static_cast<const std::uint8_t*>(Data[2]);
            for (unsigned i = 0; i < n; ++i)
                put(i, Scale16To8(Read16(r + 2 * i, swap)), Scale16To8(Read16(g + 2 * i, swap)),
                    Scale16To8(Read16(b + 2 * i, swap)));
            break;
        }
        default: break;
        }
    }
    return CreatePalette(log);
}

void TColorManager::BuildChromaTables(bool PhotoYCC)
{
    double kr = FYCbCrCoefficients[0], kg = FYCbCrCoefficients[1], kb = FYCbCrCoefficients[2];
    FCrToRedTable.assign(256, 0);
    FCbToBlueTable.assign(256, 0);
    FCrToGreenTable.assign(256, 0);
    FCbToGreenTable.assign(256, 0);
    for (int i = 0; i < 256; ++i) {
        double dr = PhotoYCC ? i - 137 : i - 128;
        double db = PhotoYCC ? i - 156 : i - 128;
        FCrToRedTable[i] = static_cast<int>(std::lround((2 - 2 * kr) * dr));
        FCbToBlueTable[i] = static_cast<int>(std::lround((2 - 2 * kb) * db));
        FCrToGreenTable[i] = -static_cast<int>(std::lround(kr * (2 - 2 * kr) / kg * dr));
        FCbToGreenTable[i] = -static_cast<int>(std::lround(kb * (2 - 2 * kb) / kg * db));
    }
}

void TColorManager::PrepareConversion()
{
    FRowConversion = nullptr;
    if (IsPaletteLike(FSourceScheme, false) != IsPaletteLike(FTargetScheme, true)) Error(SIndexedMix);
    if (HasAlphaSample(FSourceScheme)) SourceOptions.Include(coAlpha);
    else SourceOptions.Exclude(coAlpha);
    if (HasAlphaSample(FTargetScheme)) TargetOptions.Include(coAlpha);
    else TargetOptions.Exclude(coAlpha);
    FChanged = false;

    int sb = FSourceBPS, tb = FTargetBPS;
    bool toRGB = IsRGBPair(FTargetScheme), toBGR = IsBGRPair(FTargetScheme);
    bool deep = Is8Or16(sb) && Is8Or16(tb);
    switch (FSourceScheme) {
    case csIndexed:
        if (sb == 16 && tb == 16) FRowConversion = &TColorManager::RowCopy16;
        else if (sb == 16 && tb <= 8) FRowConversion = &TColorManager::Row16ToPacked;
        else if (sb <= 8 && tb == 16) FRowConversion = &TColorManager::RowPackedTo16;
        else if (sb <= 8 && tb <= 8) FRowConversion = &TColorManager::RowPacked;
        break;
    case csG:
        if (sb <= 8 && tb <= 8) FRowConversion = &TColorManager::RowPacked;
        else if (deep) FRowConversion = &TColorManager::RowGrey;
        break;
    case csGA:
        if (deep) FRowConversion = &TColorManager::RowGrey;
        break;
    case csRGB:
    case csRGBA:
        if (deep && toRGB) FRowConversion = &TColorManager::RowRGB<false, false>;
        else if (deep && toBGR) FRowConversion = &TColorManager::RowRGB<false, true>;
        break;
    case csBGR:
    case csBGRA:
        if (deep && toRGB) FRowConversion = &TColorManager::RowRGB<true, false>;
        else if (deep && toBGR) FRowConversion = &TColorManager::RowRGB<true, true>;
        break;
    case csCMYK:
        if (deep && toRGB) FRowConversion = &TColorManager::RowCMYK<false>;
        else if (deep && toBGR) FRowConversion = &TColorManager::RowCMYK<true>;
        break;
    case csCIELab:
        if (deep && toRGB) FRowConversion = &TColorManager::RowLab<false>;
        else if (deep && toBGR) FRowConversion = &TColorManager::RowLab<true>;
        break;
    case csYCbCr:
        BuildChromaTables(false);
        if (deep && toRGB) FRowConversion = &TColorManager::RowYCbCr<false>;
        else if (deep && toBGR) FRowConversion = &TColorManager::RowYCbCr<true>;
        break;
    case csPhotoYCC:
        BuildChromaTables(true);
        if (deep && toRGB) FRowConversion = &TColorManager::RowPhotoYCC<false>;
        else if (deep && toBGR) FRowConversion = &TColorManager::RowPhotoYCC<true>;
        break;
    default: break;
    }
}

void TColorManager::ConvertRow(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    if (FChanged) PrepareConversion();
    if (FRowConversion == nullptr) Error(SNoConverter);
    if (Source.empty() || Source[0] == nullptr || Target == nullptr) Error(SNoConverter);
    (this->*FRowConversion)(Source, Target, Count, Mask);
}

// --- palette-like rows ---------------------------------------------------------------------------

void TColorManager::RowPacked(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    const auto* src = static_cast<const std::uint8_t*>(Source[0]);
    auto* dst = static_cast<std::uint8_t*>(Target);
    int sb = FSourceBPS, tb = FTargetBPS;
    if (sb == tb && Mask == 0xFF) {
        std::memcpy(dst, src, (static_cast<std::size_t>(Count) * sb + 7) / 8);
        return;
    }
    bool scale = FSourceScheme == csG;
    unsigned smax = (1u << sb) - 1, tmax = (1u << tb) - 1;
    std::size_t si = 0;
    for (unsigned x = 0; x < Count; ++x, Mask = Rotate(Mask)) {
        if (!(Mask & 0x80)) continue;
        unsigned v = ReadBits(src, si++, sb);
        if (scale) v = v * tmax / smax;
        if (tb == 8) dst[x] = static_cast<std::uint8_t>(v);
        else WriteBits(dst, x, tb, v);
    }
}

void TColorManager::RowCopy16(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    const auto* src = static_cast<const std::uint8_t*>(Source[0]);
    auto* dst = static_cast<std::uint8_t*>(Target);
    bool swap = SourceOptions.Contains(coNeedByteSwap);
    if (Mask == 0xFF && !swap) {
        std::memmove(dst, src, static_cast<std::size_t>(Count) * 2);
        return;
    }
    for (unsigned x = 0; x < Count; ++x, dst += 2, Mask = Rotate(Mask)) {
        if (!(Mask & 0x80)) continue;
        Write16(dst, Read16(src, swap), false);
        src += 2;
    }
}

void TColorManager::Row16ToPacked(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    const auto* src = static_cast<const std::uint8_t*>(Source[0]);
    auto* dst = static_cast<std::uint8_t*>(Target);
    bool swap = SourceOptions.Contains(coNeedByteSwap);
    int tb = FTargetBPS;
    unsigned tmax = (1u << tb) - 1;
    for (unsigned x = 0; x < Count; ++x, Mask = Rotate(Mask)) {
        if (!(Mask & 0x80)) continue;
        unsigned v = Read16(src, swap) * tmax / 65535;
        src += 2;
        if (tb == 8) dst[x] = static_cast<std::uint8_t>(v);
        else WriteBits(dst, x, tb, v);
    }
}

void TColorManager::RowPackedTo16(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    const auto* src = static_cast<const std::uint8_t*>(Source[0]);
    auto* dst = static_cast<std::uint8_t*>(Target);
    bool swap = SourceOptions.Contains(coNeedByteSwap);
    int sb = FSourceBPS;
    unsigned smax = (1u << sb) - 1;
    std::size_t si = 0;
    for (unsigned x = 0; x < Count; ++x, dst += 2, Mask = Rotate(Mask)) {
        if (!(Mask & 0x80)) continue;
        Write16(dst, ReadBits(src, si++, sb) * 65535 / smax, swap);
    }
}

void TColorManager::RowGrey(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    int sb = FSourceBPS / 8, tb = FTargetBPS / 8;
    int samples = SourceOptions.Contains(coAlpha) ? 2 : 1;
    TSampleWalk walk(Source, samples, sb);
    auto* dst = static_cast<std::uint8_t*>(Target);
    bool swap = SourceOptions.Contains(coNeedByteSwap);
    for (unsigned x = 0; x < Count; ++x, dst += tb, Mask = Rotate(Mask)) {
        if (!(Mask & 0x80)) continue;
        const std::uint8_t* p = walk.P[0];
        if (sb == 1 && tb == 1) *dst = *p;
        else if (sb == 1) Write16(dst, Scale8To16(*p), swap);
        else if (tb == 1) *dst = static_cast<std::uint8_t>(Scale16To8(Read16(p, swap)));
        else Write16(dst, Read16(p, swap), false);
        walk.Next(samples);
    }
}

// --- colour rows ---------------------------------------------------------------------------------

template <bool SourceBGR, bool TargetBGR>
void TColorManager::RowRGB(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    bool sourceAlpha = SourceOptions.Contains(coAlpha), targetAlpha = TargetOptions.Contains(coAlpha);
    bool gamma = TargetOptions.Contains(coApplyGamma), swap = SourceOptions.Contains(coNeedByteSwap);
    int samples = sourceAlpha ? 4 : 3;
    int sb = FSourceBPS / 8, tb = FTargetBPS / 8;
    int targetStep = (targetAlpha ? 4 : 3) * tb;
    TSampleWalk walk(Source, samples, sb);
    auto* dst = static_cast<std::uint8_t*>(Target);
    // Source sample index of red, green, blue and target byte offsets of the same.
    constexpr int sr = SourceBGR ? 2 : 0, sbl = SourceBGR ? 0 : 2;
    constexpr int tr = TargetBGR ? 2 : 0, tbl = TargetBGR ? 0 : 2;

    if (sb == 1 && tb == 1 && !gamma && Mask == 0xFF && Source.size() == 1) {
        // The common case (8-bit colour rows of a PNG): a straight reorder.
        const std::uint8_t* s = walk.P[0];
        for (unsigned x = 0; x < Count; ++x, s += samples, dst += targetStep) {
            dst[tr] = s[sr];
            dst[1] = s[1];
            dst[tbl] = s[sbl];
            if (targetAlpha && sourceAlpha) dst[3] = s[3];
        }
        return;
    }
    // A colour sample as an 8-bit value through the gamma table, or as it is at full depth.
    auto colour = [&](const std::uint8_t* p) -> unsigned {
        unsigned v = sb == 1 ? *p : Read16(p, swap);
        if (gamma) {
            v = Gamma(sb == 1 ? v : Scale16To8(v));
            return tb == 1 ? v : Scale8To16(v);
        }
        if (sb == tb) return v;
        return sb == 1 ? Scale8To16(v) : Scale16To8(v);
    };
    auto alpha = [&](const std::uint8_t* p) -> unsigned {
        unsigned v = sb == 1 ? *p : Read16(p, swap);
        if (sb == tb) return v;
        return sb == 1 ? Scale8To16(v) : Scale16To8(v);
    };
    // 16-bit targets from 8-bit values are swapped on writing; 16-bit sources were on reading.
    bool swapOut = swap && sb == 1;
    auto put = [&](std::uint8_t* d, int channel, unsigned v) {
        if (tb == 1) d[channel] = static_cast<std::uint8_t>(v);
        else Write16(d + 2 * channel, v, swapOut);
    };
    for (unsigned x = 0; x < Count; ++x, dst += targetStep, Mask = Rotate(Mask)) {
        if (!(Mask & 0x80)) continue;
        put(dst, tr, colour(walk.P[sr]));
        put(dst, 1, colour(walk.P[1]));
        put(dst, tbl, colour(walk.P[sbl]));
        if (targetAlpha && sourceAlpha) put(dst, 3, alpha(walk.P[3]));
        walk.Next(samples);
    }
}

// The converters from other colour spaces share one walk: Compute gets the 8-bit samples and
// answers red, green and blue; results are widened for 16-bit targets.
template <class F>
void TColorManager::RowThreeChannel(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask,
                                    int Samples, bool TargetBGR, F Compute)
{
    bool swap = SourceOptions.Contains(coNeedByteSwap);
    int sb = FSourceBPS / 8, tb = FTargetBPS / 8;
    int targetStep = (TargetOptions.Contains(coAlpha) ? 4 : 3) * tb;
    TSampleWalk walk(Source, Samples, sb);
    auto* dst = static_cast<std::uint8_t*>(Target);
    int tr = TargetBGR ? 2 : 0, tbl = TargetBGR ? 0 : 2;
    for (unsigned x = 0; x < Count; ++x, dst += targetStep, Mask = Rotate(Mask)) {
        if (!(Mask & 0x80)) continue;
        unsigned s[4] = {};
        for (int i = 0; i < Samples; ++i) s[i] = sb == 1 ? *walk.P[i] : Scale16To8(Read16(walk.P[i], swap));
        std::uint8_t rgb[3];
        Compute(s, rgb);
        const int offsets[3] = {tr, 1, tbl};
        for (int c = 0; c < 3; ++c) {
            if (tb == 1) dst[offsets[c]] = rgb[c];
            else Write16(dst + 2 * offsets[c], Scale8To16(rgb[c]), false);
        }
        walk.Next(Samples);
    }
}

template <bool TargetBGR>
void TColorManager::RowCMYK(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    RowThreeChannel(Source, Target, Count, Mask, 4, TargetBGR, [](const unsigned* s, std::uint8_t* rgb) {
        for (int c = 0; c < 3; ++c)
            rgb[c] = Clamp255(static_cast<int>(s[c] * s[3] / 255) - static_cast<int>(s[c]) - static_cast<int>(s[3]) + 255);
    });
}

template <bool TargetBGR>
void TColorManager::RowLab(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    bool byteRange = SourceOptions.Contains(coLabByteRange), chromaOffset = SourceOptions.Contains(coLabChromaOffset);
    RowThreeChannel(Source, Target, Count, Mask, 3, TargetBGR, [&](const unsigned* s, std::uint8_t* rgb) {
        double L = byteRange ? s[0] / 2.55 : s[0];
        double a = chromaOffset ? double(s[1]) - 128 : double(static_cast<std::int8_t>(s[1]));
        double b = chromaOffset ? double(s[2]) - 128 : double(static_cast<std::int8_t>(s[2]));
        double X, Y, Z;
        if (L < 7.9996) {
            Y = L / 903.3;
            X = Y + a / 3893.5;
            Z = Y - b / 1557.4;
        } else {
            double f = (L + 16) / 116;
            X = std::pow(f + a / 500, 3);
            Y = f * f * f;
            Z = std::pow(f - b / 200, 3);
        }
        double r = 2.998 * X - 1.458 * Y - 0.541 * Z, g = -0.952 * X + 1.893 * Y + 0.059 * Z,
               bl = 0.099 * X - 0.198 * Y + 1.099 * Z;
        rgb[0] = Clamp255(static_cast<int>(std::lround(r * 255)));
        rgb[1] = Clamp255(static_cast<int>(std::lround(g * 255)));
        rgb[2] = Clamp255(static_cast<int>(std::lround(bl * 255)));
    });
}

template <bool TargetBGR>
void TColorManager::RowYCbCr(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    RowThreeChannel(Source, Target, Count, Mask, 3, TargetBGR, [this](const unsigned* s, std::uint8_t* rgb) {
        int y = static_cast<int>(s[0]);
        rgb[0] = Clamp255(y + FCrToRedTable[s[2]]);
        rgb[1] = Clamp255(y + FCbToGreenTable[s[1]] + FCrToGreenTable[s[2]]);
        rgb[2] = Clamp255(y + FCbToBlueTable[s[1]]);
    });
}

template <bool TargetBGR>
void TColorManager::RowPhotoYCC(TSourceRows Source, void* Target, unsigned Count, std::uint8_t Mask)
{
    if (FSourceBPS != 16 || FTargetBPS != 16) {
        RowYCbCr<TargetBGR>(Source, Target, Count, Mask);
        return;
    }
    bool swap = SourceOptions.Contains(coNeedByteSwap);
    int targetStep = (TargetOptions.Contains(coAlpha) ? 4 : 3) * 2;
    TSampleWalk walk(Source, 3, 2);
    auto* dst = static_cast<std::uint8_t*>(Target);
    constexpr int tr = TargetBGR ? 2 : 0, tbl = TargetBGR ? 0 : 2;
    auto word = [](double v) { return static_cast<unsigned>(std::clamp(std::lround(v), 0L, 65535L)); };
    for (unsigned x = 0; x < Count; ++x, dst += targetStep, Mask = Rotate(Mask)) {
        if (!(Mask & 0x80)) continue;
        double y = Read16(walk.P[0], swap) * 1.3584;
        double c1 = double(Read16(walk.P[1], swap)) - 40092, c2 = double(Read16(walk.P[2], swap)) - 35209;
        Write16(dst + 2 * tbl, word(y + 2.2179 * c1), false);
        Write16(dst + 2, word(y - 0.9271435 * c2 - 0.4302726 * c1), false);
        Write16(dst + 2 * tr, word(y + 1.8215 * c2), false);
        walk.Next(3);
    }
}
