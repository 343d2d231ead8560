#include "framework/graphics/Icon.h"

#include <cstdlib>
#include <cstring>

#include "framework/classes/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ByteOrder.h"
#include "framework/graphics/DrawingGuards.h"

namespace {

[[noreturn]] void InvalidIcon()
{
    throw EInvalidGraphic(L"Icon image is not valid");
}

// The pixels of an icon: 32-bit colour (bottom-up, alpha as stored) and the AND mask as one
// flag per pixel (true = transparent), both with rows from the bottom.
struct TIconPixels {
    int Width = 0, Height = 0;
    std::vector<std::uint32_t> Color;
    std::vector<bool> Transparent;
    bool HasAlpha = false;
};

bool ReadIconPixels(HICON Icon, TIconPixels& Pixels)
{
    ICONINFO ii{};
    if (Icon == nullptr || !GetIconInfo(Icon, &ii)) return false;
    BITMAP bm{};
    GetObjectW(ii.hbmMask, sizeof(bm), &bm);
    int w = bm.bmWidth, h = ii.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2;
    Pixels.Width = w;
    Pixels.Height = h;
    TWindowDCGuard screenDC(nullptr);
    HDC screen = screenDC.DC();

    // The mask (twice as tall for a monochrome icon: AND rows on top, XOR rows below).
    int maskRows = ii.hbmColor != nullptr ? h : 2 * h;
    int maskStride = ((w + 31) / 32) * 4;
    std::vector<std::uint8_t> mask(static_cast<size_t>(maskStride) * maskRows);
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[2];
    } monoInfo{};
    monoInfo.Header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, maskRows, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(screen, ii.hbmMask, 0, static_cast<UINT>(maskRows), mask.data(), reinterpret_cast<BITMAPINFO*>(&monoInfo), DIB_RGB_COLORS);
    auto maskBit = [&](int row, int x) { return (mask[static_cast<size_t>(row) * maskStride + x / 8] >> (7 - x % 8)) & 1; };

    Pixels.Color.assign(static_cast<size_t>(w) * h, 0);
    Pixels.Transparent.assign(static_cast<size_t>(w) * h, false);
    int andBase = ii.hbmColor != nullptr ? 0 : h; // bottom-up: the AND half is the upper rows
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Pixels.Transparent[static_cast<size_t>(y) * w + x] = maskBit(andBase + y, x) != 0;

    if (ii.hbmColor != nullptr) {
        BITMAPINFOHEADER bi{sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        GetDIBits(screen, ii.hbmColor, 0, static_cast<UINT>(h), Pixels.Color.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
        for (std::uint32_t c : Pixels.Color)
            if (c >> 24) Pixels.HasAlpha = true;
    } else {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                Pixels.Color[static_cast<size_t>(y) * w + x] = maskBit(y, x) ? 0x00FFFFFFu : 0;
    }
    if (ii.hbmColor != nullptr) DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    return true;
}

} // namespace

TIcon::TIcon() = default;

TIcon::~TIcon()
{
    Clear();
}

void TIcon::Clear()
{
    if (FHandle != nullptr) DestroyIcon(FHandle);
    FHandle = nullptr;
    FWidth = FHeight = 0;
    FData.clear();
}

void TIcon::ReadSize()
{
    FWidth = FHeight = 0;
    ICONINFO ii{};
    if (FHandle == nullptr || !GetIconInfo(FHandle, &ii)) return;
    BITMAP bm{};
    GetObjectW(ii.hbmMask, sizeof(bm), &bm);
    FWidth = bm.bmWidth;
    FHeight = ii.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2;
    if (ii.hbmColor != nullptr) DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
}

void TIcon::SetSize(int AWidth, int AHeight)
{
    if (AWidth == FRequestedWidth && AHeight == FRequestedHeight) return;
    if (FHandle != nullptr && FData.empty())
        throw EInvalidGraphicOperation(L"Cannot change the size of an icon");
    FRequestedWidth = AWidth;
    FRequestedHeight = AHeight;
    if (!FData.empty()) {
        std::vector<std::uint8_t> data = FData;
        LoadFromBytes(data.data(), data.size());
    }
}

void TIcon::LoadFromBytes(const std::uint8_t* Data, std::size_t Size)
{
    if (Size < 6 || Rd16(Data) != 0 || Rd16(Data + 2) != 1) InvalidIcon();
    int count = Rd16(Data + 4);
    if (count == 0 || 6 + 16 * static_cast<size_t>(count) > Size) InvalidIcon();
    int wantW = FRequestedWidth > 0 ? FRequestedWidth : GetSystemMetrics(SM_CXICON);
    int wantH = FRequestedHeight > 0 ? FRequestedHeight : FRequestedWidth > 0 ? FRequestedWidth : GetSystemMetrics(SM_CYICON);

    // The entry closest to the wanted size, the deepest colour among equals.
    int best = -1, bestDiff = 0, bestBits = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* e = Data + 6 + 16 * i;
        int w = e[0] != 0 ? e[0] : 256, h = e[1] != 0 ? e[1] : 256;
        std::uint32_t bytes = Rd32(e + 8), offset = Rd32(e + 12);
        if (bytes < 8 || offset > Size || bytes > Size - offset) InvalidIcon();
        int bits = Rd16(e + 6);
        if (bits == 0 && bytes >= 16 && Rd32(Data + offset) == 40) bits = Rd16(Data + offset + 14);
        int diff = std::abs(w - wantW) + std::abs(h - wantH);
        if (best < 0 || diff < bestDiff || (diff == bestDiff && bits > bestBits)) {
            best = i;
            bestDiff = diff;
            bestBits = bits;
        }
    }
    const std::uint8_t* e = Data + 6 + 16 * best;
    std::uint32_t bytes = Rd32(e + 8), offset = Rd32(e + 12);
    HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(Data + offset), bytes, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (icon == nullptr) InvalidIcon();
    std::vector<std::uint8_t> data(Data, Data + Size);
    Clear();
    FHandle = icon;
    FData = std::move(data);
    ReadSize();
    Changed(this);
}

std::vector<std::uint8_t> TIcon::SaveToBytes()
{
    if (!FData.empty()) return FData;
    TIconPixels pixels;
    if (!ReadIconPixels(FHandle, pixels)) return {};
    int w = pixels.Width, h = pixels.Height;
    int maskStride = ((w + 31) / 32) * 4;
    std::uint32_t imageSize = static_cast<std::uint32_t>(40 + 4 * w * h + maskStride * h);
    std::vector<std::uint8_t> out;
    Wr16(out, 0);
    Wr16(out, 1);
    Wr16(out, 1);
    out.push_back(static_cast<std::uint8_t>(w >= 256 ? 0 : w));
    out.push_back(static_cast<std::uint8_t>(h >= 256 ? 0 : h));
    out.push_back(0);
    out.push_back(0);
    Wr16(out, 1);
    Wr16(out, 32);
    Wr32(out, imageSize);
    Wr32(out, 22);
    Wr32(out, 40);
    Wr32(out, static_cast<std::uint32_t>(w));
    Wr32(out, static_cast<std::uint32_t>(2 * h));
    Wr16(out, 1);
    Wr16(out, 32);
    Wr32(out, BI_RGB);
    Wr32(out, imageSize - 40);
    for (int i = 0; i < 4; ++i) Wr32(out, 0);
    for (std::uint32_t c : pixels.Color) Wr32(out, c);
    for (int y = 0; y < h; ++y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if (pixels.Transparent[static_cast<size_t>(y) * w + x]) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void TIcon::LoadFromStream(TStream* Stream)
{
    std::vector<std::uint8_t> bytes = ReadStreamRest(Stream);
    LoadFromBytes(bytes.data(), bytes.size());
}

void TIcon::SaveToStream(TStream* Stream)
{
    WriteStreamBytes(Stream, SaveToBytes());
}

void TIcon::LoadGroup(HINSTANCE Instance, LPCWSTR Name)
{
    HRSRC group = FindResourceW(Instance, Name, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    if (group == nullptr) {
        String shown = IS_INTRESOURCE(Name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(Name)) : String(Name);
        throw EInvalidGraphic(L"Resource " + shown + L" not found");
    }
    const auto* dir = static_cast<const std::uint8_t*>(LockResource(LoadResource(Instance, group)));
    DWORD dirSize = SizeofResource(Instance, group);
    if (dir == nullptr || dirSize < 6) InvalidIcon();
    int count = Rd16(dir + 4);
    if (6 + 14 * static_cast<size_t>(count) > dirSize) InvalidIcon();

    // Rebuild the .ico file the group was made from: the same entries, each image appended.
    std::vector<std::uint8_t> file;
    Wr16(file, 0);
    Wr16(file, 1);
    Wr16(file, static_cast<std::uint16_t>(count));
    std::vector<std::uint8_t> images;
    size_t base = 6 + 16 * static_cast<size_t>(count);
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* e = dir + 6 + 14 * i;
        HRSRC image = FindResourceW(Instance, MAKEINTRESOURCEW(Rd16(e + 12)), MAKEINTRESOURCEW(3) /* RT_ICON */);
        const auto* data = image != nullptr ? static_cast<const std::uint8_t*>(LockResource(LoadResource(Instance, image))) : nullptr;
        DWORD size = image != nullptr ? SizeofResource(Instance, image) : 0;
        if (data == nullptr) InvalidIcon();
        file.insert(file.end(), e, e + 8);
        Wr32(file, size);
        Wr32(file, static_cast<std::uint32_t>(base + images.size()));
        images.insert(images.end(), data, data + size);
    }
    file.insert(file.end(), images.begin(), images.end());
    LoadFromBytes(file.data(), file.size());
}

void TIcon::LoadFromResourceName(HINSTANCE Instance, const String& ResName)
{
    LoadGroup(Instance, ResName.c_str());
}

void TIcon::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    LoadGroup(Instance, MAKEINTRESOURCEW(ResID));
}

void TIcon::SetHandle(HICON Value)
{
    if (Value == FHandle && Value != nullptr) return;
    Clear();
    FHandle = Value;
    ReadSize();
    Changed(this);
}

HICON TIcon::ReleaseHandle()
{
    HICON handle = FHandle;
    FHandle = nullptr;
    Clear();
    Changed(this);
    return handle;
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (FHandle == nullptr) return;
    DrawIconEx(ACanvas->Handle(), Rect.left, Rect.top, FHandle, Rect.right - Rect.left, Rect.bottom - Rect.top, 0,
               nullptr, DI_NORMAL);
}

void TIcon::Assign(TPersistent* Source)
{
    auto* icon = AssignableSource<TIcon>(Source, [this] { Clear(); });
    if (icon == nullptr) return;
    Clear();
    FRequestedWidth = icon->FRequestedWidth;
    FRequestedHeight = icon->FRequestedHeight;
    if (icon->FHandle != nullptr) FHandle = CopyIcon(icon->FHandle);
    FData = icon->FData;
    ReadSize();
    Changed(this);
}

void TIcon::AssignTo(TPersistent* Dest)
{
    auto* bitmap = dynamic_cast<TBitmap*>(Dest);
    if (bitmap == nullptr) {
        TGraphic::AssignTo(Dest);
        return;
    }
    TIconPixels pixels;
    bitmap->SetAlphaFormat(afIgnored);
    bitmap->SetPixelFormat(pf32bit);
    if (!ReadIconPixels(FHandle, pixels)) {
        bitmap->SetSize(0, 0);
        return;
    }
    // Straight alpha: the icon's own, or opaque where the mask shows the image.
    bitmap->SetSize(pixels.Width, pixels.Height);
    for (int y = 0; y < pixels.Height; ++y) {
        auto* row = static_cast<std::uint32_t*>(bitmap->ScanLine(y));
        size_t base = static_cast<size_t>(pixels.Height - 1 - y) * pixels.Width;
        for (int x = 0; x < pixels.Width; ++x) {
            std::uint32_t c = pixels.Color[base + x];
            bool clear = pixels.Transparent[base + x];
            if (!pixels.HasAlpha) c = clear ? 0 : (c | 0xFF000000u);
            row[x] = c;
        }
    }
    bitmap->SetAlphaFormat(afDefined);
}
