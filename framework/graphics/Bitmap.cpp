#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <mutex>

#include "framework/classes/Streams.h"
#include "framework/graphics/ByteOrder.h"
#include "framework/graphics/DrawingGuards.h"

// The memory DC of a bitmap: created when the canvas is first used, with the bitmap's DIB
// section selected; given up whenever the DIB section is replaced or must be free to be
// selected elsewhere.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
    ~TBitmapCanvas() override { FreeContext(); }
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap* FBitmap;
    HDC FDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

namespace {

struct TCanvasList {
    std::mutex Lock;
    std::vector<TBitmapCanvas*> Items;
};

TCanvasList& BitmapCanvases()
{
    static TCanvasList* list = new TCanvasList;
    return *list;
}

[[noreturn]] void InvalidBitmap()
{
    throw EInvalidGraphic(L"Bitmap image is not valid");
}

int StrideOf(int Width, int BitCount)
{
    return ((Width * BitCount + 31) / 32) * 4;
}

int DeviceBitCount()
{
    static int bits = [] {
        HDC dc = GetDC(nullptr);
        int n = dc != nullptr ? GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) : 32;
        if (dc != nullptr) ReleaseDC(nullptr, dc);
        return (n == 16 || n == 24 || n == 32) ? n : 32;
    }();
    return bits;
}

int BitCountOf(TPixelFormat Format)
{
    switch (Format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit:
    case pfCustom: return 32;
    default: return DeviceBitCount();
    }
}

bool Is565(TPixelFormat Format, int BitCount)
{
    return BitCount == 16 && Format != pf15bit;
}

COLORREF ColorRef(TColor Color)
{
    return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFFu;
}

// BITMAPINFOHEADER plus masks or colour table, as CreateDIBSection and BMP files want them.
std::vector<std::uint8_t> BuildInfo(int Width, int Height, int BitCount, bool Rgb565, const std::vector<RGBQUAD>& Table)
{
    std::vector<std::uint8_t> info;
    Wr32(info, sizeof(BITMAPINFOHEADER));
    Wr32(info, static_cast<std::uint32_t>(Width));
    Wr32(info, static_cast<std::uint32_t>(Height));
    Wr16(info, 1);
    Wr16(info, static_cast<std::uint16_t>(BitCount));
    Wr32(info, Rgb565 ? BI_BITFIELDS : BI_RGB);
    Wr32(info, static_cast<std::uint32_t>(StrideOf(Width, BitCount) * Height));
    Wr32(info, 0);
    Wr32(info, 0);
    Wr32(info, BitCount <= 8 ? static_cast<std::uint32_t>(Table.size()) : 0);
    Wr32(info, 0);
    if (Rgb565) {
        Wr32(info, 0xF800);
        Wr32(info, 0x07E0);
        Wr32(info, 0x001F);
    } else if (BitCount <= 8) {
        for (const RGBQUAD& q : Table) {
            info.push_back(q.rgbBlue);
            info.push_back(q.rgbGreen);
            info.push_back(q.rgbRed);
            info.push_back(0);
        }
    }
    // Room for GDI to write a full colour table (GetDIBits).
    info.resize(std::max<size_t>(info.size(), sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)), 0);
    return info;
}

int NearestIndex(const std::vector<RGBQUAD>& Table, COLORREF Color)
{
    int best = 0;
    long bestDistance = -1;
    for (size_t i = 0; i < Table.size(); ++i) {
        long dr = Table[i].rgbRed - GetRValue(Color), dg = Table[i].rgbGreen - GetGValue(Color),
             db = Table[i].rgbBlue - GetBValue(Color);
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

unsigned GetIndex(const std::uint8_t* Row, int X, int BitCount)
{
    switch (BitCount) {
    case 1: return (Row[X >> 3] >> (7 - (X & 7))) & 1;
    case 4: return (X & 1) ? (Row[X >> 1] & 0x0F) : (Row[X >> 1] >> 4);
    default: return Row[X];
    }
}

void SetIndex(std::uint8_t* Row, int X, int BitCount, unsigned Index)
{
    switch (BitCount) {
    case 1: {
        std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (X & 7));
        if (Index & 1) Row[X >> 3] |= bit;
        else Row[X >> 3] &= static_cast<std::uint8_t>(~bit);
        break;
    }
    case 4:
        if (X & 1) Row[X >> 1] = static_cast<std::uint8_t>((Row[X >> 1] & 0xF0) | (Index & 0x0F));
        else Row[X >> 1] = static_cast<std::uint8_t>((Row[X >> 1] & 0x0F) | ((Index & 0x0F) << 4));
        break;
    default: Row[X] = static_cast<std::uint8_t>(Index);
    }
}

// Reads one channel described by a bit mask and scales it to 0..255.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;
    explicit TChannel(std::uint32_t AMask) : Mask(AMask)
    {
        if (Mask != 0) {
            Shift = std::countr_zero(Mask);
            Max = Mask >> Shift;
        }
    }
    std::uint8_t Get(std::uint32_t Pixel) const
    {
        if (Max == 0) return 0;
        return static_cast<std::uint8_t>((((Pixel & Mask) >> Shift) * 255 + Max / 2) / Max);
    }
};

} // namespace

struct TBitmap::TDib {
    HBITMAP Handle = nullptr;
    std::uint8_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int BitCount = 32;
    int Stride = 0;
    std::vector<RGBQUAD> Table;

    std::uint8_t* Row(int MemoryRow) const { return Bits + static_cast<size_t>(MemoryRow) * Stride; }

    // A bottom-up DIB section; raises EOutOfResources when GDI cannot make it.
    static TDib Create(int AWidth, int AHeight, int ABitCount, bool Rgb565, std::vector<RGBQUAD> ATable)
    {
        TDib d;
        d.Width = AWidth;
        d.Height = AHeight;
        d.BitCount = ABitCount;
        d.Stride = StrideOf(AWidth, ABitCount);
        if (ABitCount <= 8) {
            if (ATable.empty()) ATable = DefaultColorTable(ABitCount);
            if (ATable.size() > (1u << ABitCount)) ATable.resize(1u << ABitCount);
            d.Table = std::move(ATable);
        }
        if (AWidth <= 0 || AHeight <= 0) return d;
        std::vector<std::uint8_t> info = BuildInfo(AWidth, AHeight, ABitCount, Rgb565, d.Table);
        void* bits = nullptr;
        d.Handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
        if (d.Handle == nullptr || bits == nullptr) throw EOutOfResources(L"Out of system resources");
        d.Bits = static_cast<std::uint8_t*>(bits);
        return d;
    }

    void FillWhite(bool Rgb565)
    {
        if (Bits == nullptr) return;
        size_t total = static_cast<size_t>(Stride) * Height;
        switch (BitCount) {
        case 32:
            for (int y = 0; y < Height; ++y) {
                auto* p = reinterpret_cast<std::uint32_t*>(Row(y));
                std::fill(p, p + Width, 0x00FFFFFFu);
            }
            break;
        case 24: std::memset(Bits, 0xFF, total); break;
        case 16:
            if (Rgb565) {
                std::memset(Bits, 0xFF, total);
            } else {
                for (int y = 0; y < Height; ++y) {
                    auto* p = reinterpret_cast<std::uint16_t*>(Row(y));
                    std::fill(p, p + Width, std::uint16_t(0x7FFF));
                }
            }
            break;
        default: {
            unsigned index = static_cast<unsigned>(NearestIndex(Table, RGB(255, 255, 255)));
            std::uint8_t pattern = BitCount == 8 ? static_cast<std::uint8_t>(index)
                                   : BitCount == 4 ? static_cast<std::uint8_t>(index << 4 | index)
                                                   : static_cast<std::uint8_t>(index ? 0xFF : 0);
            std::memset(Bits, pattern, total);
        }
        }
    }
};

// --- TBitmapCanvas ----------------------------------------------------------------------------

void TBitmapCanvas::CreateHandle()
{
    FBitmap->EnsureHandle();
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return;
    FDC = dc;
    FOldBitmap = FBitmap->FHandle != nullptr ? SelectObject(dc, FBitmap->FHandle) : nullptr;
    SetHandle(dc);
    TCanvasList& list = BitmapCanvases();
    std::lock_guard<std::mutex> guard(list.Lock);
    list.Items.push_back(this);
}

void TBitmapCanvas::FreeContext()
{
    if (FDC == nullptr) return;
    {
        TCanvasList& list = BitmapCanvases();
        std::lock_guard<std::mutex> guard(list.Lock);
        std::erase(list.Items, this);
    }
    SetHandle(nullptr);
    if (FOldBitmap != nullptr) SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
    FDC = nullptr;
    FOldBitmap = nullptr;
}

void FreeMemoryContexts()
{
    std::vector<TBitmapCanvas*> items;
    {
        TCanvasList& list = BitmapCanvases();
        std::lock_guard<std::mutex> guard(list.Lock);
        items = list.Items;
    }
    for (TBitmapCanvas* canvas : items) {
        if (canvas->TryLock()) {
            if (canvas->LockCount() == 1) canvas->FreeContext();
            canvas->Unlock();
        }
    }
}

std::vector<RGBQUAD> DefaultColorTable(int BitCount)
{
    std::vector<RGBQUAD> table;
    auto add = [&](int r, int g, int b) {
        table.push_back(RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0});
    };
    if (BitCount == 1) {
        add(0, 0, 0);
        add(255, 255, 255);
    } else if (BitCount == 4) {
        const COLORREF vga[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                  0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                  0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
        for (COLORREF c : vga) add(GetRValue(c), GetGValue(c), GetBValue(c));
    } else if (BitCount == 8) {
        // A 6x6x6 colour cube followed by a grey ramp.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b) add(r * 51, g * 51, b * 51);
        for (int i = 0; i < 40; ++i) {
            int v = (i + 1) * 255 / 41;
            add(v, v, v);
        }
    }
    return table;
}

// --- TBitmap ----------------------------------------------------------------------------------

TBitmap::TBitmap() : FBitCount(DeviceBitCount()) {}

TBitmap::TBitmap(int AWidth, int AHeight) : TBitmap()
{
    SetSize(AWidth, AHeight);
}

TBitmap::~TBitmap()
{
    FCanvas.reset();
    FreeMask();
    if (FHandle != nullptr) DeleteObject(FHandle);
}

void TBitmap::FreeContext()
{
    if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::FreeMask()
{
    if (FMaskHandle != nullptr) DeleteObject(FMaskHandle);
    FMaskHandle = nullptr;
    FMaskColor = clNone;
}

void TBitmap::FreeImage()
{
    FreeMask();
}

void TBitmap::TakeDib(TDib&& Dib)
{
    FreeContext();
    FreeMask();
    if (FHandle != nullptr) DeleteObject(FHandle);
    FHandle = Dib.Handle;
    FBits = Dib.Bits;
    FWidth = Dib.Handle != nullptr ? Dib.Width : 0;
    FHeight = Dib.Handle != nullptr ? Dib.Height : 0;
    FBitCount = Dib.BitCount;
    FStride = Dib.Stride;
    FColorTable = std::move(Dib.Table);
    FDormantBits.clear();
    Dib.Handle = nullptr;
}

void TBitmap::ClearImage()
{
    TDib empty;
    empty.BitCount = FBitCount;
    empty.Table = FColorTable;
    TakeDib(std::move(empty));
}

void TBitmap::EnsureHandle()
{
    if (FHandle != nullptr || Empty()) return;
    TDib d = TDib::Create(FWidth, FHeight, FBitCount, Is565(FPixelFormat, FBitCount), FColorTable);
    if (FDormantBits.size() == static_cast<size_t>(d.Stride) * d.Height)
        std::memcpy(d.Bits, FDormantBits.data(), FDormantBits.size());
    FHandle = d.Handle;
    FBits = d.Bits;
    FStride = d.Stride;
    FDormantBits.clear();
}

void TBitmap::Dormant()
{
    if (FHandle == nullptr) return;
    FreeContext();
    FreeMask();
    GdiFlush();
    FDormantBits.assign(FBits, FBits + static_cast<size_t>(FStride) * FHeight);
    DeleteObject(FHandle);
    FHandle = nullptr;
    FBits = nullptr;
}

HDC TBitmap::SourceDC()
{
    return Canvas()->Handle();
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->OnChange = [this](TObject*) { Changed(this); };
    }
    return FCanvas.get();
}

HBITMAP TBitmap::Handle()
{
    EnsureHandle();
    return FHandle;
}

void TBitmap::Changed(TObject* Sender)
{
    FreeMask();
    TGraphic::Changed(Sender);
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight) return;
    EnsureHandle();
    GdiFlush();
    bool rgb565 = Is565(FPixelFormat, FBitCount);
    TDib d = TDib::Create(AWidth, AHeight, FBitCount, rgb565, FColorTable);
    d.FillWhite(rgb565);
    if (d.Bits != nullptr && FBits != nullptr) {
        int rows = std::min(AHeight, FHeight), cols = std::min(AWidth, FWidth);
        for (int r = 0; r < rows; ++r) {
            const std::uint8_t* src = FBits + static_cast<size_t>(FHeight - 1 - r) * FStride;
            std::uint8_t* dst = d.Row(AHeight - 1 - r);
            if (FBitCount >= 8) {
                std::memcpy(dst, src, static_cast<size_t>(cols) * (FBitCount / 8));
            } else {
                for (int x = 0; x < cols; ++x) SetIndex(dst, x, FBitCount, GetIndex(src, x, FBitCount));
            }
        }
    }
    TakeDib(std::move(d));
    Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (Value == FPixelFormat) return;
    int bits = BitCountOf(Value);
    bool rgb565 = Is565(Value, bits);
    if (Empty() || (bits == FBitCount && rgb565 == Is565(FPixelFormat, FBitCount) && bits > 8)) {
        FPixelFormat = Value;
        if (Empty()) {
            FBitCount = bits;
            FColorTable = bits <= 8 ? DefaultColorTable(bits) : std::vector<RGBQUAD>{};
        }
        Changed(this);
        return;
    }
    EnsureHandle();
    GdiFlush();
    TDib d = TDib::Create(FWidth, FHeight, bits, rgb565, bits <= 8 ? DefaultColorTable(bits) : std::vector<RGBQUAD>{});
    std::vector<std::uint8_t> info = BuildInfo(FWidth, FHeight, FBitCount, Is565(FPixelFormat, FBitCount), FColorTable);
    HDC screen = GetDC(nullptr);
    SetDIBits(screen, d.Handle, 0, static_cast<UINT>(FHeight), FBits, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    FPixelFormat = Value;
    TakeDib(std::move(d));
    Changed(this);
}

void TBitmap::SetMonochrome(bool Value)
{
    if (Value && FBitCount != 1) SetPixelFormat(pf1bit);
    else if (!Value && FBitCount == 1) SetPixelFormat(pfDevice);
}

void TBitmap::SetColorTable(const std::vector<RGBQUAD>& Value)
{
    if (FBitCount > 8) return;
    FColorTable = Value;
    if (FColorTable.size() > (1u << FBitCount)) FColorTable.resize(1u << FBitCount);
    if (Empty()) return;
    EnsureHandle();
    HDC dc = Canvas()->Handle();
    SetDIBColorTable(dc, 0, static_cast<UINT>(FColorTable.size()), FColorTable.data());
    Changed(this);
}

void* TBitmap::ScanLine(int Row)
{
    if (Row < 0 || Row >= FHeight) throw EInvalidGraphicOperation(L"Scan line index out of range");
    EnsureHandle();
    GdiFlush();
    return FBits + static_cast<size_t>(FHeight - 1 - Row) * FStride;
}

namespace {

// The colour of pixel (X, Y) (Y from the top) read straight from the bits.
COLORREF PixelOf(const std::uint8_t* Bits, int Height, int Stride, int BitCount, bool Rgb565,
                 const std::vector<RGBQUAD>& Table, int X, int Y)
{
    const std::uint8_t* row = Bits + static_cast<size_t>(Height - 1 - Y) * Stride;
    switch (BitCount) {
    case 32:
    case 24: {
        const std::uint8_t* p = row + X * (BitCount / 8);
        return RGB(p[2], p[1], p[0]);
    }
    case 16: {
        std::uint16_t v = reinterpret_cast<const std::uint16_t*>(row)[X];
        unsigned r, g, b;
        if (Rgb565) {
            r = (v >> 11) & 31;
            g = (v >> 5) & 63;
            b = v & 31;
            return RGB((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
        }
        r = (v >> 10) & 31;
        g = (v >> 5) & 31;
        b = v & 31;
        return RGB((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
    }
    default: {
        unsigned i = GetIndex(row, X, BitCount);
        if (i >= Table.size()) return 0;
        return RGB(Table[i].rgbRed, Table[i].rgbGreen, Table[i].rgbBlue);
    }
    }
}

} // namespace

TColor TBitmap::TransparentColor()
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    EnsureHandle();
    GdiFlush();
    return static_cast<TColor>(PixelOf(FBits, FHeight, FStride, FBitCount, Is565(FPixelFormat, FBitCount), FColorTable, 0, FHeight - 1));
}

void TBitmap::SetTransparentColor(TColor Value)
{
    if (Value == FTransparentColor) return;
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == FTransparentMode) return;
    if (Value == tmAuto) SetTransparentColor(clDefault);
    else SetTransparentColor(TransparentColor());
}

HBITMAP TBitmap::MaskHandle()
{
    if (Empty()) return nullptr;
    TColor color = TransparentColor();
    if (FMaskHandle != nullptr && FMaskColor == color) return FMaskHandle;
    FreeMask();
    COLORREF key = ColorRef(color);
    TDib mask = TDib::Create(FWidth, FHeight, 1, false, DefaultColorTable(1));
    bool rgb565 = Is565(FPixelFormat, FBitCount);
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* row = mask.Row(FHeight - 1 - y);
        std::memset(row, 0, mask.Stride);
        for (int x = 0; x < FWidth; ++x)
            if (PixelOf(FBits, FHeight, FStride, FBitCount, rgb565, FColorTable, x, y) == key) SetIndex(row, x, 1, 1);
    }
    FMaskHandle = mask.Handle;
    FMaskColor = color;
    return FMaskHandle;
}

HBITMAP TBitmap::ReleaseMaskHandle()
{
    HBITMAP mask = MaskHandle();
    FMaskHandle = nullptr;
    FMaskColor = clNone;
    return mask;
}

void TBitmap::Mask(TColor TransparentColor)
{
    if (Empty()) return;
    TColor savedColor = FTransparentColor;
    TTransparentMode savedMode = FTransparentMode;
    FTransparentColor = TransparentColor;
    FTransparentMode = tmFixed;
    FreeMask();
    HBITMAP maskHandle = ReleaseMaskHandle();
    FTransparentColor = savedColor;
    FTransparentMode = savedMode;

    DIBSECTION ds{};
    GetObjectW(maskHandle, sizeof(ds), &ds);
    TDib d;
    d.Handle = maskHandle;
    d.Bits = static_cast<std::uint8_t*>(ds.dsBm.bmBits);
    d.Width = FWidth;
    d.Height = FHeight;
    d.BitCount = 1;
    d.Stride = StrideOf(FWidth, 1);
    d.Table = DefaultColorTable(1);
    FPixelFormat = pf1bit;
    TakeDib(std::move(d));
    Changed(this);
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value)
{
    if (Value == FAlphaFormat) return;
    bool premultiply = Value == afPremultiplied, unpremultiply = FAlphaFormat == afPremultiplied;
    FAlphaFormat = Value;
    if (FBitCount == 32 && !Empty() && (premultiply || unpremultiply)) {
        EnsureHandle();
        GdiFlush();
        for (int y = 0; y < FHeight; ++y) {
            std::uint8_t* p = FBits + static_cast<size_t>(y) * FStride;
            for (int x = 0; x < FWidth; ++x, p += 4) {
                unsigned a = p[3];
                for (int c = 0; c < 3; ++c) {
                    if (premultiply) p[c] = static_cast<std::uint8_t>((p[c] * a + 127) / 255);
                    else if (a != 0) p[c] = static_cast<std::uint8_t>(std::min(255u, (p[c] * 255 + a / 2) / a));
                }
            }
        }
    }
    Changed(this);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (Empty()) return;
    HDC dest = ACanvas->Handle();
    HDC src = SourceDC();
    int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    if (FBitCount == 32 && FAlphaFormat != afIgnored) {
        DrawTransparent(ACanvas, Rect, 255);
        return;
    }
    if (Transparent()) {
        GdiTransparentBlt(dest, Rect.left, Rect.top, w, h, src, 0, 0, FWidth, FHeight, ColorRef(TransparentColor()));
        return;
    }
    int oldMode = 0;
    bool stretched = w != FWidth || h != FHeight;
    if (stretched) oldMode = SetStretchBltMode(dest, COLORONCOLOR);
    COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(dest, RGB(255, 255, 255));
    StretchBlt(dest, Rect.left, Rect.top, w, h, src, 0, 0, FWidth, FHeight, ACanvas->CopyMode());
    SetTextColor(dest, oldText);
    SetBkColor(dest, oldBack);
    if (stretched) SetStretchBltMode(dest, oldMode);
}

void TBitmap::DrawTransparent(TCanvas* ACanvas, const TRect& Rect, unsigned char Opacity)
{
    if (Empty()) return;
    if (FBitCount != 32 || FAlphaFormat == afIgnored) {
        TGraphic::DrawTransparent(ACanvas, Rect, Opacity);
        return;
    }
    HDC dest = ACanvas->Handle();
    int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, Opacity, AC_SRC_ALPHA};
    if (FAlphaFormat == afPremultiplied) {
        GdiAlphaBlend(dest, Rect.left, Rect.top, w, h, SourceDC(), 0, 0, FWidth, FHeight, blend);
        return;
    }
    // Straight alpha: blend from a premultiplied copy.
    EnsureHandle();
    GdiFlush();
    TDib copy = TDib::Create(FWidth, FHeight, 32, false, {});
    for (int y = 0; y < FHeight; ++y) {
        const std::uint8_t* s = FBits + static_cast<size_t>(y) * FStride;
        std::uint8_t* d = copy.Row(y);
        for (int x = 0; x < FWidth; ++x, s += 4, d += 4) {
            unsigned a = s[3];
            d[0] = static_cast<std::uint8_t>((s[0] * a + 127) / 255);
            d[1] = static_cast<std::uint8_t>((s[1] * a + 127) / 255);
            d[2] = static_cast<std::uint8_t>((s[2] * a + 127) / 255);
            d[3] = static_cast<std::uint8_t>(a);
        }
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, copy.Handle);
    GdiAlphaBlend(dest, Rect.left, Rect.top, w, h, dc, 0, 0, FWidth, FHeight, blend);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(copy.Handle);
}

void TBitmap::SetHandle(HBITMAP Value)
{
    if (Value == FHandle && Value != nullptr) return;
    if (Value == nullptr) {
        ClearImage();
        Changed(this);
        return;
    }
    DIBSECTION ds{};
    int got = GetObjectW(Value, sizeof(ds), &ds);
    if (got < static_cast<int>(sizeof(BITMAP))) InvalidBitmap();
    bool isDib = got == static_cast<int>(sizeof(DIBSECTION));
    int w = ds.dsBm.bmWidth, h = std::abs(ds.dsBm.bmHeight);
    int source = ds.dsBm.bmBitsPixel * ds.dsBm.bmPlanes;
    int bits = source <= 1 ? 1 : source <= 4 ? 4 : source <= 8 ? 8 : source <= 16 ? 16 : source <= 24 ? 24 : 32;
    bool rgb565 = bits == 16 && isDib && ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[1] == 0x07E0;
    TPixelFormat format = bits == 1 ? pf1bit : bits == 4 ? pf4bit : bits == 8 ? pf8bit
                        : bits == 16 ? (rgb565 ? pf16bit : pf15bit) : bits == 24 ? pf24bit : pf32bit;

    TDib d;
    {
        TWindowDCGuard screenDC(nullptr);
        HDC screen = screenDC.DC();
        std::vector<std::uint8_t> info = BuildInfo(w, h, bits, rgb565, {});
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
        std::vector<RGBQUAD> table;
        if (bits <= 8) {
            // The first call fills in the source's colour table.
            header->biClrUsed = 0;
            GetDIBits(screen, Value, 0, static_cast<UINT>(h), nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
            auto* colors = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
            table.assign(colors, colors + (1 << bits));
            info = BuildInfo(w, h, bits, false, table);
        }
        d = TDib::Create(w, h, bits, rgb565, table);
        if (d.Bits != nullptr)
            GetDIBits(screen, Value, 0, static_cast<UINT>(h), d.Bits, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    }
    DeleteObject(Value);
    FPixelFormat = format;
    TakeDib(std::move(d));
    Changed(this);
}

HBITMAP TBitmap::ReleaseHandle()
{
    EnsureHandle();
    FreeContext();
    FreeMask();
    GdiFlush();
    HBITMAP handle = FHandle;
    FHandle = nullptr;
    FBits = nullptr;
    FWidth = FHeight = 0;
    Changed(this);
    return handle;
}

void TBitmap::Assign(TPersistent* Source)
{
    auto* bitmap = AssignableSource<TBitmap>(Source, [this] { ClearImage(); });
    if (bitmap == nullptr) return;
    bitmap->EnsureHandle();
    GdiFlush();
    bool rgb565 = Is565(bitmap->FPixelFormat, bitmap->FBitCount);
    TDib d = TDib::Create(bitmap->FWidth, bitmap->FHeight, bitmap->FBitCount, rgb565, bitmap->FColorTable);
    if (d.Bits != nullptr) std::memcpy(d.Bits, bitmap->FBits, static_cast<size_t>(d.Stride) * d.Height);
    FPixelFormat = bitmap->FPixelFormat;
    TakeDib(std::move(d));
    FTransparentColor = bitmap->FTransparentColor;
    FTransparentMode = bitmap->FTransparentMode;
    FAlphaFormat = bitmap->FAlphaFormat;
    if (Transparent() != bitmap->Transparent()) TGraphic::SetTransparent(bitmap->Transparent());
    Changed(this);
}

// --- BMP reading and writing ------------------------------------------------------------------

namespace {

struct TParsedDib {
    int Width = 0, Height = 0, BitCount = 0;
    TPixelFormat Format = pf32bit;
    bool Rgb565 = false;
    std::vector<RGBQUAD> Table;
};

void DecodeRle(const std::uint8_t* Data, size_t Size, int BitCount, std::uint8_t* Bits, int Width, int Height, int Stride)
{
    int x = 0, y = 0; // y counts rows from the bottom, as RLE data does
    auto put = [&](unsigned index) {
        if (x < Width && y < Height) SetIndex(Bits + static_cast<size_t>(y) * Stride, x, BitCount, index);
        ++x;
    };
    size_t i = 0;
    while (i + 1 < Size && y < Height) {
        unsigned count = Data[i], value = Data[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count; ++k)
                put(BitCount == 8 ? value : (k & 1) ? (value & 0x0F) : (value >> 4));
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (i + 1 >= Size) break;
            x += Data[i];
            y += Data[i + 1];
            i += 2;
        } else {
            size_t bytes = BitCount == 8 ? value : (value + 1) / 2;
            if (i + bytes > Size) break;
            for (unsigned k = 0; k < value; ++k)
                put(BitCount == 8 ? Data[i + k] : (k & 1) ? (Data[i + k / 2] & 0x0F) : (Data[i + k / 2] >> 4));
            i += (bytes + 1) & ~size_t(1);
        }
    }
}

} // namespace

TBmpLayout ReadBmpLayout(const std::uint8_t* Data, std::size_t Size)
{
    if (Size < 14 + 12 || Data[0] != 'B' || Data[1] != 'M') InvalidBitmap();
    // The file header says how long the image is: what lies beyond is not the image's. Writers
    // that leave the size 0 (or write nonsense) get all of the data.
    std::uint32_t total = Rd32(Data + 2);
    if (total >= 14 + 12 && total < Size) Size = total;
    std::uint32_t offBits = Rd32(Data + 10);
    const std::uint8_t* p = Data + 14;
    size_t n = Size - 14;
    size_t bitsOffset = offBits >= 14 + 12 && offBits < Size ? offBits - 14 : 0;

    TBmpLayout l;
    std::uint32_t headerSize = Rd32(p);
    int w, h, planes, bits;
    std::uint32_t compression = BI_RGB, clrUsed = 0;
    bool haveMasks = false, core = false;
    size_t pos;
    if (headerSize == 12) {
        core = true;
        w = Rd16(p + 4);
        h = static_cast<std::int16_t>(Rd16(p + 6));
        planes = Rd16(p + 8);
        bits = Rd16(p + 10);
        pos = 12;
    } else if (headerSize >= 40 && headerSize <= n) {
        w = static_cast<std::int32_t>(Rd32(p + 4));
        h = static_cast<std::int32_t>(Rd32(p + 8));
        planes = Rd16(p + 12);
        bits = Rd16(p + 14);
        compression = Rd32(p + 16);
        clrUsed = Rd32(p + 32);
        pos = headerSize;
        if (headerSize >= 52) {
            l.Masks[0] = Rd32(p + 40);
            l.Masks[1] = Rd32(p + 44);
            l.Masks[2] = Rd32(p + 48);
            if (headerSize >= 56) l.Masks[3] = Rd32(p + 52);
            haveMasks = true;
        } else if (compression == BI_BITFIELDS || compression == 6 /* BI_ALPHABITFIELDS */) {
            size_t count = compression == 6 ? 4 : 3;
            if (pos + count * 4 > n) InvalidBitmap();
            for (size_t k = 0; k < count; ++k) l.Masks[k] = Rd32(p + pos + 4 * k);
            pos += count * 4;
            haveMasks = true;
        }
        if (compression == 6) compression = BI_BITFIELDS;
    } else {
        InvalidBitmap();
    }

    bool topDown = h < 0;
    int absH = topDown ? -h : h;
    if (planes != 1 || w <= 0 || absH <= 0 || w > 0x8000 || absH > 0x8000 ||
        static_cast<std::uint64_t>(w) * absH > 0x4000000ull)
        InvalidBitmap();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) InvalidBitmap();
    bool rle = compression == BI_RLE8 || compression == BI_RLE4;
    if (compression == BI_RLE8 && bits != 8) InvalidBitmap();
    if (compression == BI_RLE4 && bits != 4) InvalidBitmap();
    if (rle && topDown) InvalidBitmap();
    if (compression == BI_BITFIELDS && (bits != 16 && bits != 32)) InvalidBitmap();
    const std::uint32_t* masks = l.Masks;
    if (compression == BI_BITFIELDS && (!haveMasks || masks[0] == 0 || masks[1] == 0 || masks[2] == 0)) InvalidBitmap();
    if (compression != BI_RGB && compression != BI_BITFIELDS && !rle) InvalidBitmap();

    if (bits <= 8) {
        std::uint64_t stored = clrUsed != 0 ? clrUsed : (1u << bits);
        size_t entry = core ? 3 : 4;
        if (stored > 0x10000 || pos + stored * entry > n) InvalidBitmap();
        size_t used = std::min<std::uint64_t>(stored, 1u << bits);
        for (size_t k = 0; k < used; ++k) {
            const std::uint8_t* q = p + pos + k * entry;
            l.Table.push_back(RGBQUAD{q[0], q[1], q[2], 0});
        }
        pos += static_cast<size_t>(stored) * entry;
    } else if (clrUsed != 0 && clrUsed < 0x10000 && pos + clrUsed * 4 <= n) {
        pos += clrUsed * 4;
    }
    // An offset into the headers or the colour table is not believed: the pixels follow them.
    size_t start = bitsOffset != 0 && bitsOffset >= pos ? bitsOffset : pos;
    if (start > n) InvalidBitmap();
    l.Width = w;
    l.Height = absH;
    l.TopDown = topDown;
    l.BitCount = bits;
    l.Compression = compression;
    l.Pixels = p + start;
    l.Available = n - start;
    l.Stride = StrideOf(w, bits);
    if (!rle && l.Available < static_cast<size_t>(l.Stride) * absH) InvalidBitmap();
    return l;
}

void TBitmap::LoadFromBytes(const std::uint8_t* Data, std::size_t Size)
{
    if (Size == 0) {
        ClearImage();
        Changed(this);
        return;
    }
    const TBmpLayout l = ReadBmpLayout(Data, Size);
    const int w = l.Width, absH = l.Height, bits = l.BitCount, srcStride = l.Stride;
    const bool topDown = l.TopDown, rle = l.Compression == BI_RLE8 || l.Compression == BI_RLE4;
    const std::uint32_t compression = l.Compression;
    const std::uint32_t* masks = l.Masks;
    const std::vector<RGBQUAD>& table = l.Table;
    const std::uint8_t* src = l.Pixels;
    const size_t available = l.Available;

    // Decide the image's format and whether the rows can be copied as they are.
    TPixelFormat format;
    int targetBits = bits;
    bool rgb565 = false, convert = false;
    switch (bits) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 24: format = pf24bit; break;
    case 16:
        if (compression == BI_RGB || (masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F)) {
            format = pf15bit;
        } else if (masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F) {
            format = pf16bit;
            rgb565 = true;
        } else {
            format = pf32bit;
            targetBits = 32;
            convert = true;
        }
        break;
    default:
        format = pf32bit;
        convert = compression == BI_BITFIELDS &&
                  !(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF);
    }

    TDib d = TDib::Create(w, absH, targetBits, rgb565, table);
    if (rle) {
        std::memset(d.Bits, 0, static_cast<size_t>(d.Stride) * absH);
        DecodeRle(src, available, bits, d.Bits, w, absH, d.Stride);
    } else {
        TChannel r(masks[0]), g(masks[1]), b(masks[2]), a(masks[3]);
        for (int row = 0; row < absH; ++row) {
            const std::uint8_t* s = src + static_cast<size_t>(row) * srcStride;
            std::uint8_t* t = d.Row(topDown ? absH - 1 - row : row);
            if (!convert) {
                std::memcpy(t, s, static_cast<size_t>(std::min(srcStride, d.Stride)));
                continue;
            }
            for (int x = 0; x < w; ++x) {
                std::uint32_t v = bits == 16 ? Rd16(s + 2 * x) : Rd32(s + 4 * x);
                t[4 * x] = b.Get(v);
                t[4 * x + 1] = g.Get(v);
                t[4 * x + 2] = r.Get(v);
                t[4 * x + 3] = a.Get(v);
            }
        }
    }
    FPixelFormat = format;
    TakeDib(std::move(d));
    Changed(this);
}

std::vector<std::uint8_t> TBitmap::SaveToBytes()
{
    if (Empty()) return {};
    EnsureHandle();
    GdiFlush();
    bool rgb565 = Is565(FPixelFormat, FBitCount);
    std::vector<std::uint8_t> info = BuildInfo(FWidth, FHeight, FBitCount, rgb565, FColorTable);
    size_t infoSize = sizeof(BITMAPINFOHEADER) + (rgb565 ? 12 : FBitCount <= 8 ? FColorTable.size() * 4 : 0);
    size_t bitsSize = static_cast<size_t>(FStride) * FHeight;
    std::vector<std::uint8_t> out;
    out.reserve(14 + infoSize + bitsSize);
    out.push_back('B');
    out.push_back('M');
    Wr32(out, static_cast<std::uint32_t>(14 + infoSize + bitsSize));
    Wr32(out, 0);
    Wr32(out, static_cast<std::uint32_t>(14 + infoSize));
    out.insert(out.end(), info.begin(), info.begin() + infoSize);
    out.insert(out.end(), FBits, FBits + bitsSize);
    return out;
}

void TBitmap::LoadFromStream(TStream* Stream)
{
    int64_t rest = Stream->Size() - Stream->Position();
    if (rest <= 0) {
        LoadFromBytes(nullptr, 0);
        return;
    }
    if (rest < 14) InvalidBitmap();
    std::vector<std::uint8_t> bytes(14);
    Stream->ReadBuffer(bytes.data(), 14);
    if (bytes[0] != 'B' || bytes[1] != 'M') InvalidBitmap();
    // The file header says how long the image is, so a bitmap inside a longer stream is read
    // without its neighbours; writers that leave the size 0 get the rest of the stream.
    std::uint32_t total = Rd32(bytes.data() + 2);
    int64_t length = total >= 14 + 12 && total <= rest ? total : rest;
    if (length > 0x7FFFFFFF) InvalidBitmap();
    bytes.resize(static_cast<size_t>(length));
    Stream->ReadBuffer(bytes.data() + 14, static_cast<int>(length - 14));
    LoadFromBytes(bytes.data(), bytes.size());
}

void TBitmap::SaveToStream(TStream* Stream)
{
    WriteStreamBytes(Stream, SaveToBytes());
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName)
{
    HRSRC res = FindResourceW(Instance, ResName.c_str(), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    if (res == nullptr) throw EInvalidGraphic(L"Resource " + ResName + L" not found");
    HGLOBAL global = LoadResource(Instance, res);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(global));
    DWORD size = SizeofResource(Instance, res);
    if (data == nullptr || size < 12) InvalidBitmap();
    // A bitmap resource is a BMP file without its file header.
    std::vector<std::uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    Wr32(file, 14 + size);
    Wr32(file, 0);
    Wr32(file, 0); // bits follow the colour table
    file.insert(file.end(), data, data + size);
    LoadFromBytes(file.data(), file.size());
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    LoadFromResourceName(Instance, L"#" + std::to_wstring(ResID));
}
