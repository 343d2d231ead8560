// PNG decoding speed: TPNGGraphic against the system's imaging codecs (WIC) on the same files
// in the same run. The files are made here: photo-like RGB and RGBA pictures, a 256-colour
// palette picture and an interlaced one. Prints each ratio ours / system (goal: at most 1.0).
#include <initguid.h>
#include <wincodec.h>
#include <windows.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/classes/Streams.h"
#include "skin/core/acPNG.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void AddChunk(Bytes& out, const char* type, const Bytes& data)
{
    Put32(out, static_cast<std::uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

// Smooth gradients with a little noise, as photographs compress.
std::uint8_t Sample(int x, int y, int c, unsigned& state)
{
    state = state * 1103515245u + 12345u;
    double v = 128 + 60 * std::sin(x * 0.013 * (c + 1)) + 50 * std::cos(y * 0.017 * (c + 2)) + ((state >> 16) % 9) - 4;
    return static_cast<std::uint8_t>(std::fmin(255, std::fmax(0, v)));
}

// Writes an 8-bit PNG; rows use the Paeth filter (or Sub for palette data), as encoders pick.
Bytes MakePng(int w, int h, int colorType, bool interlaced)
{
    int spp = colorType == 2 ? 3 : colorType == 6 ? 4 : 1;
    std::vector<Bytes> rows(h, Bytes(static_cast<size_t>(w) * spp));
    unsigned state = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < spp; ++c)
                rows[y][x * spp + c] = colorType == 3 ? static_cast<std::uint8_t>((x / 4 + y / 3) & 255) : Sample(x, y, c, state);
    Bytes raw;
    auto emit = [&](const std::vector<int>& cols, const std::vector<int>& ys) {
        Bytes prior;
        for (int y : ys) {
            Bytes row;
            for (int x : cols)
                for (int c = 0; c < spp; ++c) row.push_back(rows[y][x * spp + c]);
            int filter = colorType == 3 ? 1 : 4;
            raw.push_back(static_cast<std::uint8_t>(filter));
            for (size_t i = 0; i < row.size(); ++i) {
                int a = i >= size_t(spp) ? row[i - spp] : 0, b = prior.empty() ? 0 : prior[i],
                    cc = (i >= size_t(spp) && !prior.empty()) ? prior[i - spp] : 0;
                int pred = a;
                if (filter == 4) {
                    int p = a + b - cc, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - cc);
                    pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : cc);
                }
                raw.push_back(static_cast<std::uint8_t>(row[i] - pred));
            }
            prior = row;
        }
    };
    const int rs[7] = {0, 0, 4, 0, 2, 0, 1}, ri[7] = {8, 8, 8, 4, 4, 2, 2}, cs[7] = {0, 4, 0, 2, 0, 1, 0}, ci[7] = {8, 8, 4, 4, 2, 2, 1};
    for (int p = 0; p < (interlaced ? 7 : 1); ++p) {
        std::vector<int> cols, ys;
        for (int x = interlaced ? cs[p] : 0; x < w; x += interlaced ? ci[p] : 1) cols.push_back(x);
        for (int y = interlaced ? rs[p] : 0; y < h; y += interlaced ? ri[p] : 1) ys.push_back(y);
        if (!cols.empty()) emit(cols, ys);
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes z(size);
    compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6);
    z.resize(size);

    Bytes out = {137, 80, 78, 71, 13, 10, 26, 10};
    Bytes ihdr;
    Put32(ihdr, static_cast<std::uint32_t>(w));
    Put32(ihdr, static_cast<std::uint32_t>(h));
    ihdr.insert(ihdr.end(), {8, static_cast<std::uint8_t>(colorType), 0, 0, static_cast<std::uint8_t>(interlaced ? 1 : 0)});
    AddChunk(out, "IHDR", ihdr);
    if (colorType == 3) {
        Bytes plte;
        for (int i = 0; i < 256; ++i) plte.insert(plte.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)});
        AddChunk(out, "PLTE", plte);
    }
    for (size_t at = 0; at < z.size(); at += 65536)
        AddChunk(out, "IDAT", Bytes(z.begin() + at, z.begin() + std::min(z.size(), at + 65536)));
    AddChunk(out, "IEND", {});
    return out;
}

double Now()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(freq.QuadPart);
}

double DecodeOurs(const Bytes& png)
{
    TMemoryStream stream;
    stream.WriteBuffer(png.data(), static_cast<int>(png.size()));
    double start = Now();
    stream.SetPosition(0);
    TPNGGraphic g;
    g.LoadFromStream(&stream);
    return Now() - start;
}

// Stops the benchmark with the failing call and its HRESULT: a ratio against a decoder that did
// nothing would be meaningless.
void Check(HRESULT Result, const char* What)
{
    if (SUCCEEDED(Result)) return;
    std::printf("the system codec failed: %s returned 0x%08lX\n", What, static_cast<unsigned long>(Result));
    std::exit(1);
}

double DecodeSystem(IWICImagingFactory* factory, const Bytes& png)
{
    double start = Now();
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    Check(factory->CreateStream(&stream), "IWICImagingFactory::CreateStream");
    Check(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size())),
          "IWICStream::InitializeFromMemory");
    Check(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder),
          "IWICImagingFactory::CreateDecoderFromStream");
    Check(decoder->GetFrame(0, &frame), "IWICBitmapDecoder::GetFrame");
    UINT w = 0, h = 0;
    Check(frame->GetSize(&w, &h), "IWICBitmapFrameDecode::GetSize");
    WICPixelFormatGUID format;
    Check(frame->GetPixelFormat(&format), "IWICBitmapFrameDecode::GetPixelFormat");
    UINT bpp = IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed) ? 8 : IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) ? 24 : 32;
    UINT stride = (w * bpp + 31) / 32 * 4;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * h);
    Check(frame->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data()),
          "IWICBitmapFrameDecode::CopyPixels");
    frame->Release();
    decoder->Release();
    stream->Release();
    return Now() - start;
}

} // namespace

int main()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory)))) {
        std::printf("the system imaging codecs are not available (CoCreateInstance of the WIC factory failed)\n");
        return 1;
    }
    struct Case {
        const char* Name;
        Bytes Png;
    } cases[] = {
        {"photo RGB 1024x768", MakePng(1024, 768, 2, false)},
        {"photo RGBA 1024x768", MakePng(1024, 768, 6, false)},
        {"palette 256 colours 1024x768", MakePng(1024, 768, 3, false)},
        {"interlaced RGB 1024x768", MakePng(1024, 768, 2, true)},
    };
    const int runs = 10;
    double oursTotal = 0, systemTotal = 0;
    for (Case& c : cases) {
        DecodeOurs(c.Png);
        DecodeSystem(factory, c.Png);
        double ours = 1e9, system = 1e9;
        for (int i = 0; i < runs; ++i) {
            ours = std::fmin(ours, DecodeOurs(c.Png));
            system = std::fmin(system, DecodeSystem(factory, c.Png));
        }
        oursTotal += ours;
        systemTotal += system;
        std::printf("%-30s %7zu bytes  ours %7.2f ms  system %7.2f ms  ratio %.2f\n", c.Name, c.Png.size(), ours * 1e3,
                    system * 1e3, ours / system);
    }
    std::printf("%-30s %13s  ours %7.2f ms  system %7.2f ms  ratio %.2f\n", "all", "", oursTotal * 1e3, systemTotal * 1e3,
                oursTotal / systemTotal);
    factory->Release();
    CoUninitialize();
    return 0;
}
