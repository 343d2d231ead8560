// Row conversion with settings from a fixed seed: every scheme, depth, sample count, option set,
// pixel count, mask and source layout. Source and target rows end right before a page that may
// not be touched, so a converter that reads or writes one byte past its row faults and the test
// fails. Each conversion ends in EColorConversionError or in a row whose unmasked pixels are
// untouched.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "skin/core/acPNG.h"

namespace {

// Size bytes that end exactly where an inaccessible page begins.
class TGuardedRow {
public:
    explicit TGuardedRow(size_t Size)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        size_t page = info.dwPageSize, body = (Size + page - 1) / page * page;
        FBase = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, body + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(FBase + body, page, PAGE_NOACCESS, &old);
        FData = FBase + body - Size;
    }
    ~TGuardedRow() { VirtualFree(FBase, 0, MEM_RELEASE); }
    TGuardedRow(const TGuardedRow&) = delete;
    TGuardedRow& operator=(const TGuardedRow&) = delete;
    std::uint8_t* Data() const { return FData; }

private:
    std::uint8_t* FBase = nullptr;
    std::uint8_t* FData = nullptr;
};

bool HasAlpha(TColorScheme S) { return S == csGA || S == csRGBA || S == csBGRA; }

// What a successful conversion of Written source pixels into Count target pixels may touch.
struct TRowSizes {
    size_t SourcePerPlane = 0;  // bytes of the one interleaved row (a plane holds its share)
    int Planes = 1;             // pointers the converter takes when the rows are planar
    size_t Target = 0;
    int TargetPixelBytes = 0;   // 0 when pixels are packed below a byte
};

size_t Packed(size_t Pixels, int Bits) { return (Pixels * Bits + 7) / 8; }

TRowSizes SizesFor(TColorScheme Source, TColorScheme Target, int SB, int TB, unsigned Written, unsigned Count)
{
    TRowSizes s;
    bool palette = Source == csIndexed || Source == csG || Source == csGA;
    if (palette) {
        int samples = Source == csGA ? 2 : 1;
        bool bytes = (SB == 8 || SB == 16) && (TB == 8 || TB == 16) && (Source == csGA || SB == 16 || TB == 16);
        s.SourcePerPlane = SB == 16 ? size_t(Written) * 2 * samples : bytes ? size_t(Written) * samples * SB / 8 : Packed(Written, SB);
        s.Planes = samples;
        if (TB == 16 || TB == 8) {
            s.TargetPixelBytes = TB / 8;
            s.Target = size_t(Count) * s.TargetPixelBytes;
        } else if (TB > 8) {
            s.Target = 0;  // no converter writes samples of these depths
        } else {
            // Sub-byte targets start a new byte after every 8 / depth pixels.
            s.Target = (Count + (8 / TB) - 1) / (8 / TB);
        }
        // Equal depths under a full mask are copied as one packed block.
        if (SB == TB && SB < 8) s.Target = std::max(s.Target, Packed(Count, SB));
        return s;
    }
    int samples = Source == csCMYK ? 4 : (Source == csRGBA || Source == csBGRA) ? 4 : 3;
    s.Planes = samples;
    s.SourcePerPlane = size_t(Written) * samples * SB / 8;
    s.TargetPixelBytes = (HasAlpha(Target) ? 4 : 3) * TB / 8;
    s.Target = size_t(Count) * s.TargetPixelBytes;
    return s;
}

unsigned WrittenPixels(unsigned Count, std::uint8_t Mask)
{
    unsigned n = 0;
    for (unsigned x = 0; x < Count; ++x)
        if (Mask & (0x80 >> (x % 8))) ++n;
    return n;
}

} // namespace

TEST(PixelRowFuzz, EveryConversionStaysInsideItsRowsOrRaises)
{
    const int depths[] = {0, 1, 2, 3, 4, 5, 7, 8, 12, 16, 17};
    const TConvertOption options[] = {coApplyGamma, coNeedByteSwap, coLabByteRange, coLabChromaOffset};
    std::mt19937 random(20261211);
    int converted = 0, refused = 0;
    for (int round = 0; round < 4000; ++round) {
        TColorManager cm;
        auto source = static_cast<TColorScheme>(random() % (csPhotoYCC + 1));
        auto target = static_cast<TColorScheme>(random() % (csPhotoYCC + 1));
        int sb = depths[random() % std::size(depths)], tb = depths[random() % std::size(depths)];
        // Most rounds take settings that have a converter, so that the rows are really walked.
        if (random() % 4 != 0) {
            const bool palette = source == csIndexed || source == csG || source == csGA;
            const TColorScheme paletteTargets[] = {csIndexed, csG}, colourTargets[] = {csRGB, csRGBA, csBGR, csBGRA};
            const int paletteDepths[] = {1, 2, 4, 8, 16}, colourDepths[] = {8, 16};
            target = palette ? paletteTargets[random() % 2] : colourTargets[random() % 4];
            sb = palette ? paletteDepths[random() % 5] : colourDepths[random() % 2];
            tb = palette ? paletteDepths[random() % 5] : colourDepths[random() % 2];
        }
        try {
            cm.SetSourceColorScheme(source);
            cm.SetTargetColorScheme(target);
            cm.SetSourceBitsPerSample(static_cast<std::uint8_t>(sb));
            cm.SetTargetBitsPerSample(static_cast<std::uint8_t>(tb));
            cm.SetSourceSamplesPerPixel(static_cast<std::uint8_t>(random() % 6));
            cm.SetTargetSamplesPerPixel(static_cast<std::uint8_t>(random() % 6));
        } catch (const EColorConversionError&) {
            ++refused;
            continue;
        }
        for (TConvertOption o : options) {
            if (random() % 3 == 0) cm.SourceOptions.Include(o);
            if (random() % 3 == 0) cm.TargetOptions.Include(o);
        }
        if (cm.TargetOptions.Contains(coApplyGamma)) cm.SetGamma(0.3f + (random() % 30) / 10.0f);
        unsigned count = random() % 70;
        auto mask = static_cast<std::uint8_t>(random() % 4 == 0 ? 0xFF : random());
        TRowSizes sizes = SizesFor(source, target, sb, tb, WrittenPixels(count, mask), count);
        bool planar = sizes.Planes > 1 && random() % 4 == 0;

        std::vector<std::unique_ptr<TGuardedRow>> rows;
        std::vector<const void*> pointers;
        for (int p = 0; p < (planar ? sizes.Planes : 1); ++p) {
            size_t bytes = planar ? sizes.SourcePerPlane / sizes.Planes : sizes.SourcePerPlane;
            rows.push_back(std::make_unique<TGuardedRow>(bytes));
            for (size_t i = 0; i < bytes; ++i) rows.back()->Data()[i] = static_cast<std::uint8_t>(random());
            pointers.push_back(rows.back()->Data());
        }
        TGuardedRow out(sizes.Target);
        std::memset(out.Data(), 0xA5, sizes.Target);
        try {
            cm.ConvertRow(TSourceRows(pointers.data(), pointers.size()), out.Data(), count, mask);
            ++converted;
        } catch (const EColorConversionError& e) {
            ++refused;
            EXPECT_FALSE(e.Message().empty());
            continue;
        }
        if (sizes.TargetPixelBytes == 0) continue;
        for (unsigned x = 0; x < count; ++x) {
            if (mask & (0x80 >> (x % 8))) continue;
            for (int b = 0; b < sizes.TargetPixelBytes; ++b)
                ASSERT_EQ(out.Data()[x * sizes.TargetPixelBytes + b], 0xA5) << "round " << round << " pixel " << x;
        }
    }
    EXPECT_GT(converted, 300);
    EXPECT_GT(refused, 300);
}
