// Loading a packed skin of 60 sections and about 5 MB of images through the skin manager,
// against the floor of that work in the same run: reading the same file, inflating its entries
// with plain zlib and decoding its bitmaps into 32-bit device-independent bitmaps. Prints both
// times and their ratio.
#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "framework/classes/Streams.h"
#include "skin/core/sSkinManager.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

void PutInt(Bytes& out, int32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

// A 24-bit bottom-up BMP with skin-like content: smooth ramps with a little noise.
Bytes Bmp(int W, int H, unsigned Seed)
{
    std::mt19937 rnd(Seed);
    int stride = (W * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = W;
    ih.biHeight = H;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + stride * H;
    Bytes out(fh.bfSize);
    std::memcpy(out.data(), &fh, sizeof fh);
    std::memcpy(out.data() + sizeof fh, &ih, sizeof ih);
    for (int y = 0; y < H; ++y) {
        uint8_t* row = out.data() + fh.bfOffBits + y * stride;
        for (int x = 0; x < W; ++x) {
            row[3 * x] = static_cast<uint8_t>(x * 255 / W + rnd() % 6);
            row[3 * x + 1] = static_cast<uint8_t>(y * 255 / H);
            row[3 * x + 2] = static_cast<uint8_t>((x + y) / 4 + (x % 16 == 0 ? 40 : 0));
        }
    }
    return out;
}

struct TEntry {
    std::string Name;
    Bytes Content;
};

std::vector<TEntry> MakeSkin()
{
    std::vector<TEntry> entries;
    std::string options = "[GLOBALINFO]\r\nVERSION=7.5\r\nMASTERBITMAP=MASTER.BMP\r\nCOLOR=$00D0D0D0\r\n"
                          "BOXCHECKED=@0000@0000@0060@0020@3@0\r\n";
    const char* names[] = {"FORM", "BUTTON", "EDIT", "COMBOBOX", "PANEL", "GROUPBOX", "PAGECONTROL", "TABTOP",
                           "SCROLLBTNTOP", "SCROLLBAR1H", "SCROLLSLIDERH", "MENUITEM", "SELECTION", "CHECKBOX"};
    for (int s = 0; s < 59; ++s) {
        std::string name = s < 14 ? names[s] : "SECTION" + std::to_string(s);
        char region[128];
        int x = (s % 10) * 100, y = (s / 10) * 120;
        options += "[" + name + "]\r\n";
        if (s > 0) options += "PARENTCLASS=FORM\r\n";
        options += "COLOR=$00" + std::to_string(100000 + s) + "\r\nFONTCOLOR=$00202020\r\nHOTCOLOR=$00FFE0C0\r\n"
                   "TRANSPARENCY=0\r\nGRADIENTDATA=16777215;13421772;50;0;0;13421772;16777215;50;0;0\r\n"
                   "GRADIENTPERCENT=30\r\nSTATES=3\r\nGLOW=0\r\n";
        std::snprintf(region, sizeof region, "BORDERSMASK=^%04d^%04d^%04d^%04d^0004^0004^0004^0004^3^1^1^0\r\n", x, y,
                      x + 90, y + 60);
        options += region;
        std::snprintf(region, sizeof region, "GLYPHMASK=@%04d@%04d@%04d@%04d@3@0\r\n", x, y + 60, x + 48, y + 76);
        options += region;
        std::snprintf(region, sizeof region, "PATTERN=~%04d~%04d~%04d~%04d~01\r\n", x, y + 80, x + 40, y + 110);
        options += region;
        if (s < 40) options += "HOTGLYPH=!IMG" + std::to_string(s) + ".BMP!3!1!0!0008!0008!0008!0008!1\r\n";
    }
    entries.push_back({"Options.dat", Bytes(options.begin(), options.end())});
    entries.push_back({"MASTER.BMP", Bmp(1024, 1024, 1)});
    for (int i = 0; i < 40; ++i) entries.push_back({"IMG" + std::to_string(i) + ".BMP", Bmp(132, 132, 10 + i)});
    return entries;
}

Bytes Pack(const std::vector<TEntry>& Entries)
{
    Bytes out{'V', 'T', 'z', 'f'};
    PutInt(out, static_cast<int32_t>(Entries.size()));
    for (const TEntry& e : Entries) {
        uLongf size = compressBound(static_cast<uLong>(e.Content.size()));
        Bytes z(size);
        compress2(z.data(), &size, e.Content.data(), static_cast<uLong>(e.Content.size()), 9);
        z.resize(size);
        PutInt(out, static_cast<int32_t>(e.Name.size()));
        out.insert(out.end(), e.Name.begin(), e.Name.end());
        PutInt(out, static_cast<int32_t>(e.Content.size()));
        out.insert(out.end(), z.begin(), z.end());
    }
    return out;
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

int32_t GetInt(const uint8_t*& p)
{
    int32_t v = 0;
    std::memcpy(&v, p, 4);
    p += 4;
    return v;
}

// A 24-bit BMP into a 32-bit top-down DIB section with alpha 255: the least a loader must do.
HBITMAP Decode(const Bytes& Data)
{
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    std::memcpy(&fh, Data.data(), sizeof fh);
    std::memcpy(&ih, Data.data() + sizeof fh, sizeof ih);
    int w = ih.biWidth, h = std::abs(ih.biHeight), stride = (w * 3 + 3) & ~3;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = Data.data() + fh.bfOffBits + (h - 1 - y) * stride;
        auto* dst = static_cast<uint32_t*>(bits) + y * w;
        for (int x = 0; x < w; ++x) dst[x] = 0xFF000000u | src[3 * x] | src[3 * x + 1] << 8 | src[3 * x + 2] << 16;
    }
    return bmp;
}

// The floor: the file read, every entry inflated, every image decoded.
double TimeFloor(const std::wstring& File)
{
    auto start = Clock::now();
    TMemoryStream file;
    file.LoadFromFile(File);
    const auto* p = static_cast<const uint8_t*>(file.Memory());
    const uint8_t* end = p + file.Size();
    p += 4;
    int count = GetInt(p);
    std::vector<HBITMAP> images;
    for (int i = 0; i < count; ++i) {
        int nameLength = GetInt(p);
        std::string name(reinterpret_cast<const char*>(p), nameLength);
        p += nameLength;
        Bytes content(GetInt(p));
        z_stream z{};
        inflateInit(&z);
        z.next_in = const_cast<Bytef*>(p);
        z.avail_in = static_cast<uInt>(end - p);
        z.next_out = content.data();
        z.avail_out = static_cast<uInt>(content.size());
        inflate(&z, Z_FINISH);
        p += z.total_in;
        inflateEnd(&z);
        if (name.find(".BMP") != std::string::npos) images.push_back(Decode(content));
    }
    for (HBITMAP b : images) DeleteObject(b);
    return Seconds(Clock::now() - start);
}

double TimeManager(TsSkinManager& Manager)
{
    auto start = Clock::now();
    Manager.SetSkinName(L"Bench");
    double t = Seconds(Clock::now() - start);
    if (Manager.gd.size() != 60 || Manager.MasterBitmap->Width() != 1024) std::printf("skin did not load\n");
    return t;
}

}  // namespace

int main()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"kvlbench-skinload-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(dir.c_str(), nullptr);
    std::wstring file = dir + L"\\Bench.vtz";
    std::vector<TEntry> entries = MakeSkin();
    Bytes packed = Pack(entries);
    size_t images = 0;
    for (const TEntry& e : entries)
        if (e.Name != "Options.dat") images += e.Content.size();
    {
        TMemoryStream out;
        out.WriteBuffer(packed.data(), static_cast<int>(packed.size()));
        out.SaveToFile(file);
    }

    TsSkinManager manager(nullptr);
    manager.SetSkinDirectory(dir);
    double load = 1e9, floor = 1e9;
    for (int round = 0; round < 9; ++round) {
        // Alternate so that neither side profits from a warmer cache.
        load = std::min(load, TimeManager(manager));
        floor = std::min(floor, TimeFloor(file));
    }
    std::printf("skin: 60 sections, %.1f MB of images, %.1f MB packed\n", images / 1048576.0, packed.size() / 1048576.0);
    std::printf("skin manager load    %8.2f ms\n", load * 1000);
    std::printf("inflate and decode   %8.2f ms\n", floor * 1000);
    std::printf("ratio load/floor: %.3f (goal <= 1.3)\n", load / floor);
    DeleteFileW(file.c_str());
    RemoveDirectoryW(dir.c_str());
    return 0;
}
