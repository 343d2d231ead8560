// Damaged PNG files from a fixed seed: truncations, flipped bytes, huge chunk lengths and zero
// or huge sizes, most with their CRCs repaired so that the damage reaches the inflater, the
// filters and the row converters. Every one must end in a clear error or a valid picture.
#include <gtest/gtest.h>

#include <random>

#include "skin/core/PngTestSupport.h"

using namespace PngTest;

namespace {

std::vector<Bytes> Seeds()
{
    const int formats[][2] = {{0, 1}, {0, 2}, {0, 16}, {2, 8}, {2, 16}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    std::vector<Bytes> seeds;
    int n = 0;
    for (const auto& f : formats) {
        Options o;
        o.Interlaced = n % 2 == 1;
        o.SplitData = n % 3 == 0 ? 16 : 0;
        if (f[0] == 3) o.BeforeData = Chunk("tRNS", {0, 9, 200});
        if (f[0] == 0) o.BeforeData = Concat({Chunk("gAMA", {0, 0, 0xB1, 0x8F}), Chunk("bKGD", {0, 1}), Chunk("tRNS", {0, 1})});
        if (f[0] == 2) o.BeforeData = Chunk("tRNS", {0, 1, 0, 2, 0, 3});
        seeds.push_back(WritePNG(MakeImage(9 + n, 7, f[0], f[1], n), o));
        ++n;
    }
    return seeds;
}

// Offsets of every chunk's length field.
std::vector<size_t> ChunkStarts(const Bytes& Png)
{
    std::vector<size_t> starts;
    for (size_t at = 8; at + 12 <= Png.size();) {
        starts.push_back(at);
        std::uint32_t len = std::uint32_t(Png[at]) << 24 | Png[at + 1] << 16 | Png[at + 2] << 8 | Png[at + 3];
        at += 12 + static_cast<size_t>(len);
    }
    return starts;
}

void Put32At(Bytes& Png, size_t At, std::uint32_t V)
{
    for (int i = 0; i < 4; ++i) Png[At + i] = static_cast<std::uint8_t>(V >> (24 - 8 * i));
}

Bytes Mutate(const Bytes& Seed, std::mt19937& Random)
{
    Bytes png = Seed;
    std::vector<size_t> chunks = ChunkStarts(png);
    auto pick = [&](size_t n) { return static_cast<size_t>(Random() % n); };
    size_t chunk = chunks[pick(chunks.size())];
    bool repair = Random() % 4 != 0;
    switch (Random() % 6) {
    case 0: // truncation
        png.resize(pick(png.size()));
        return png;
    case 1: // flipped bytes anywhere
        for (int i = 0, n = 1 + Random() % 4; i < n; ++i) png[pick(png.size())] ^= static_cast<std::uint8_t>(1 + Random() % 255);
        return png;
    case 2: { // flipped bytes inside one chunk's data
        std::uint32_t len = std::uint32_t(png[chunk]) << 24 | png[chunk + 1] << 16 | png[chunk + 2] << 8 | png[chunk + 3];
        if (len == 0) return png;
        for (int i = 0, n = 1 + Random() % 3; i < n; ++i) png[chunk + 8 + pick(len)] ^= static_cast<std::uint8_t>(1 + Random() % 255);
        break;
    }
    case 3: { // huge or slightly wrong lengths
        const std::uint32_t lengths[] = {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 0, 1, 13, 1000};
        Put32At(png, chunk, lengths[pick(std::size(lengths))]);
        return png;
    }
    case 4: { // zero, odd and huge sizes in the header
        const std::uint32_t sizes[] = {0, 1, 2, 33, 65535, 65536, 0x7FFFFFFFu, 0xFFFFFFFFu, 3000};
        Put32At(png, 16 + 4 * pick(2), sizes[pick(std::size(sizes))]);
        chunk = 8;
        break;
    }
    default: { // other depths, colour types and interlace methods
        png[24 + pick(5)] = static_cast<std::uint8_t>(Random() % 20);
        chunk = 8;
        break;
    }
    }
    if (repair) FixCRC(png, chunk);
    return png;
}

} // namespace

TEST(PNGFuzz, DamagedFilesEndInAClearErrorOrAValidPicture)
{
    std::vector<Bytes> seeds = Seeds();
    for (const Bytes& s : seeds) ASSERT_EQ(LoadError(s), L"");
    std::mt19937 random(20240611);
    int loaded = 0, refused = 0;
    for (int i = 0; i < 3000; ++i) {
        Bytes png = Mutate(seeds[i % seeds.size()], random);
        TPNGGraphic g;
        try {
            Load(g, png);
            ++loaded;
            EXPECT_GT(g.Width(), 0) << "mutation " << i;
            EXPECT_LE(static_cast<std::uint64_t>(g.Width()) * g.Height(), MaxPNGPixels) << "mutation " << i;
        } catch (const EInvalidGraphic& e) {
            ++refused;
            EXPECT_FALSE(e.Message().empty());
        } catch (const EColorConversionError&) {
            ++refused;
        } catch (const EGraphicCompression&) {
            ++refused;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "mutation " << i << " raised " << e.what();
        }
    }
    // Both outcomes are reached, so the damage got past the signature and the CRCs.
    EXPECT_GT(loaded, 100);
    EXPECT_GT(refused, 100);
}
