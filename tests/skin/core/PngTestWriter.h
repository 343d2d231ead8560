#pragma once
// A small PNG writer for the reader's tests: images of known samples in every colour type and
// depth, interlaced or not, with every row filter in turn, and the chunk surgery the error
// tests need. Everything stays in memory.
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace PngTest {

using Bytes = std::vector<std::uint8_t>;

inline int SamplesOf(int ColorType)
{
    switch (ColorType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
    }
}

struct Image {
    int Width = 0, Height = 0, ColorType = 0, BitDepth = 8;
    std::vector<unsigned> Samples; // Width * Height * SamplesOf(ColorType), row-major
    unsigned At(int X, int Y, int S) const { return Samples[(static_cast<size_t>(Y) * Width + X) * SamplesOf(ColorType) + S]; }
};

// Samples from a fixed formula, so every test can rebuild the expected pixels.
inline Image MakeImage(int Width, int Height, int ColorType, int BitDepth, unsigned Seed = 1)
{
    Image im{Width, Height, ColorType, BitDepth, {}};
    unsigned max = (1u << BitDepth) - 1, state = Seed * 2654435761u + 12345;
    for (int i = 0; i < Width * Height * SamplesOf(ColorType); ++i) {
        state = state * 1103515245u + 12345u;
        im.Samples.push_back((state >> 8) & max);
    }
    return im;
}

inline void Put32(Bytes& b, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline Bytes Chunk(const std::string& Type, const Bytes& Data)
{
    Bytes out;
    Put32(out, static_cast<std::uint32_t>(Data.size()));
    Bytes body(Type.begin(), Type.end());
    body.insert(body.end(), Data.begin(), Data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
    return out;
}

inline Bytes Header(std::uint32_t Width, std::uint32_t Height, int BitDepth, int ColorType, int Interlace)
{
    Bytes d;
    Put32(d, Width);
    Put32(d, Height);
    d.push_back(static_cast<std::uint8_t>(BitDepth));
    d.push_back(static_cast<std::uint8_t>(ColorType));
    d.push_back(0);
    d.push_back(0);
    d.push_back(static_cast<std::uint8_t>(Interlace));
    return Chunk("IHDR", d);
}

// One packed row of the given pixel columns, with its filter byte applied against Prior.
inline Bytes PackRow(const Image& im, int Y, const std::vector<int>& Columns)
{
    int spp = SamplesOf(im.ColorType);
    Bytes row;
    unsigned acc = 0;
    int bits = 0;
    for (int x : Columns) {
        for (int s = 0; s < spp; ++s) {
            unsigned v = im.At(x, Y, s);
            if (im.BitDepth == 16) {
                row.push_back(static_cast<std::uint8_t>(v >> 8));
                row.push_back(static_cast<std::uint8_t>(v));
            } else if (im.BitDepth == 8) {
                row.push_back(static_cast<std::uint8_t>(v));
            } else {
                acc = (acc << im.BitDepth) | v;
                bits += im.BitDepth;
                if (bits == 8) {
                    row.push_back(static_cast<std::uint8_t>(acc));
                    acc = 0;
                    bits = 0;
                }
            }
        }
    }
    if (bits > 0) row.push_back(static_cast<std::uint8_t>(acc << (8 - bits)));
    return row;
}

inline int Paeth(int a, int b, int c)
{
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

// Appends filter byte and filtered row; Prior is the unfiltered previous row of the pass.
inline void FilterRow(Bytes& Out, const Bytes& Row, const Bytes& Prior, int Filter, int Bpp)
{
    Out.push_back(static_cast<std::uint8_t>(Filter));
    for (size_t i = 0; i < Row.size(); ++i) {
        int a = i >= size_t(Bpp) ? Row[i - Bpp] : 0, b = Prior.empty() ? 0 : Prior[i],
            c = (i >= size_t(Bpp) && !Prior.empty()) ? Prior[i - Bpp] : 0;
        int pred = 0;
        switch (Filter) {
        case 1: pred = a; break;
        case 2: pred = b; break;
        case 3: pred = (a + b) / 2; break;
        case 4: pred = Paeth(a, b, c); break;
        }
        Out.push_back(static_cast<std::uint8_t>(Row[i] - pred));
    }
}

// The decompressed image data; rows use filters 0..4 in turn (FixedFilter >= 0 forces one).
inline Bytes RawData(const Image& im, bool Interlaced, int FixedFilter = -1)
{
    static const int rs[7] = {0, 0, 4, 0, 2, 0, 1}, ri[7] = {8, 8, 8, 4, 4, 2, 2};
    static const int cs[7] = {0, 4, 0, 2, 0, 1, 0}, ci[7] = {8, 8, 4, 4, 2, 2, 1};
    int bpp = std::max(1, SamplesOf(im.ColorType) * im.BitDepth / 8);
    Bytes out;
    int n = 0;
    auto pass = [&](int r0, int rstep, int c0, int cstep) {
        std::vector<int> cols;
        for (int x = c0; x < im.Width; x += cstep) cols.push_back(x);
        if (cols.empty()) return;
        Bytes prior;
        for (int y = r0; y < im.Height; y += rstep) {
            Bytes row = PackRow(im, y, cols);
            FilterRow(out, row, prior, FixedFilter >= 0 ? FixedFilter : n++ % 5, bpp);
            prior = row;
        }
    };
    if (!Interlaced) pass(0, 1, 0, 1);
    else
        for (int p = 0; p < 7; ++p) pass(rs[p], ri[p], cs[p], ci[p]);
    return out;
}

inline Bytes Deflate(const Bytes& Raw)
{
    uLongf size = compressBound(static_cast<uLong>(Raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, Raw.data(), static_cast<uLong>(Raw.size()), 6);
    out.resize(size);
    return out;
}

inline const Bytes& Signature()
{
    static const Bytes sig = {137, 80, 78, 71, 13, 10, 26, 10};
    return sig;
}

// A palette of Count entries (colour i = i*3, i*5, i*7 mod 256).
inline Bytes Palette(int Count)
{
    Bytes d;
    for (int i = 0; i < Count; ++i) {
        d.push_back(static_cast<std::uint8_t>(i * 3));
        d.push_back(static_cast<std::uint8_t>(i * 5));
        d.push_back(static_cast<std::uint8_t>(i * 7));
    }
    return d;
}

struct Options {
    bool Interlaced = false;
    Bytes BeforeData;        // chunks written between the header (and palette) and IDAT
    size_t SplitData = 0;    // IDAT chunk size; 0 = one chunk
    int FixedFilter = -1;
};

inline Bytes Concat(std::initializer_list<Bytes> Parts)
{
    Bytes out;
    for (const Bytes& p : Parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes WritePNG(const Image& im, const Options& o = {})
{
    Bytes out = Concat({Signature(), Header(im.Width, im.Height, im.BitDepth, im.ColorType, o.Interlaced ? 1 : 0)});
    if (im.ColorType == 3) {
        Bytes plte = Chunk("PLTE", Palette(1 << im.BitDepth));
        out.insert(out.end(), plte.begin(), plte.end());
    }
    out.insert(out.end(), o.BeforeData.begin(), o.BeforeData.end());
    Bytes z = Deflate(RawData(im, o.Interlaced, o.FixedFilter));
    size_t step = o.SplitData ? o.SplitData : z.size();
    for (size_t at = 0; at < z.size(); at += step) {
        Bytes part(z.begin() + at, z.begin() + std::min(z.size(), at + step));
        Bytes c = Chunk("IDAT", part);
        out.insert(out.end(), c.begin(), c.end());
    }
    Bytes end = Chunk("IEND", {});
    out.insert(out.end(), end.begin(), end.end());
    return out;
}

// Offset of the first chunk of that type (its length field), or npos.
inline size_t FindChunk(const Bytes& Png, const std::string& Type)
{
    for (size_t at = 8; at + 8 <= Png.size();) {
        std::uint32_t len = std::uint32_t(Png[at]) << 24 | Png[at + 1] << 16 | Png[at + 2] << 8 | Png[at + 3];
        if (std::memcmp(&Png[at + 4], Type.data(), 4) == 0) return at;
        at += 12 + static_cast<size_t>(len);
    }
    return std::string::npos;
}

// Recomputes the CRC of the chunk at At after its data was changed.
inline void FixCRC(Bytes& Png, size_t At)
{
    std::uint32_t len = std::uint32_t(Png[At]) << 24 | Png[At + 1] << 16 | Png[At + 2] << 8 | Png[At + 3];
    if (At + 12 + len > Png.size()) return;
    std::uint32_t c = static_cast<std::uint32_t>(crc32(0, &Png[At + 4], static_cast<uInt>(len + 4)));
    for (int i = 0; i < 4; ++i) Png[At + 8 + len + i] = static_cast<std::uint8_t>(c >> (24 - 8 * i));
}

} // namespace PngTest
