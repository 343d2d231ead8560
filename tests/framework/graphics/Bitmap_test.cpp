#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "framework/classes/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/GraphicsTestSupport.h"
#include "tests/support/TestSupport.h"

using gtest_graphics::MakeCanvasBitmap;
using gtest_graphics::Pixel32;

namespace {

// A pf24bit or pf32bit bitmap whose every byte is distinct enough to catch a swapped channel,
// a flipped row or a lost alpha byte.
void FillPattern(TBitmap& bmp, TPixelFormat format, int w, int h)
{
    bmp.SetPixelFormat(format);
    bmp.SetSize(w, h);
    int bytes = format == pf32bit ? 4 : 3;
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<std::uint8_t*>(bmp.ScanLine(y));
        for (int x = 0; x < w * bytes; ++x) row[x] = static_cast<std::uint8_t>(x * 7 + y * 31 + 1);
    }
}

bool SamePixels(TBitmap& a, TBitmap& b, int bytesPerPixel)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<size_t>(a.Width()) * bytesPerPixel) != 0) return false;
    return true;
}

} // namespace

TEST(Bitmap, ScanLineRowsRunTopDownAndMatchGdi)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 4, 3);
    bmp.Canvas()->SetPixels(1, 0, clRed);
    bmp.Canvas()->SetPixels(2, 2, clBlue);
    EXPECT_EQ(clRed, Pixel32(bmp, 1, 0));
    EXPECT_EQ(clBlue, Pixel32(bmp, 2, 2));
    EXPECT_EQ(16, bmp.RowStride());
    EXPECT_THROW(bmp.ScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(bmp.ScanLine(-1), EInvalidGraphicOperation);

    auto* row = static_cast<std::uint32_t*>(bmp.ScanLine(1));
    row[3] = 0x0000FF00; // green, written directly
    EXPECT_EQ(clLime, bmp.Canvas()->Pixels(3, 1));
}

TEST(Bitmap, SetSizeKeepsTheTopLeftAndWhitensNewArea)
{
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        TBitmap bmp;
        bmp.SetPixelFormat(format);
        bmp.SetSize(3, 2);
        bmp.Canvas()->Brush()->SetColor(clBlack);
        bmp.Canvas()->FillRect(Rect(0, 0, 3, 2));
        bmp.SetSize(5, 4);
        EXPECT_EQ(format, bmp.PixelFormat());
        EXPECT_EQ(clBlack, bmp.Canvas()->Pixels(2, 1)) << format;
        EXPECT_EQ(clWhite, bmp.Canvas()->Pixels(3, 1)) << format;
        EXPECT_EQ(clWhite, bmp.Canvas()->Pixels(0, 2)) << format;
        bmp.SetWidth(1);
        EXPECT_EQ(clBlack, bmp.Canvas()->Pixels(0, 1)) << format;
    }
}

TEST(Bitmap, SaveAndLoadKeepTrueColourPixelsExactly)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap original;
        FillPattern(original, format, 7, 5); // odd width: padded rows for pf24bit
        TMemoryStream stream;
        original.SaveToStream(&stream);
        stream.SetPosition(0);
        TBitmap loaded;
        loaded.LoadFromStream(&stream);
        EXPECT_EQ(format, loaded.PixelFormat());
        EXPECT_TRUE(SamePixels(original, loaded, format == pf32bit ? 4 : 3)) << format;
        EXPECT_EQ(stream.Size(), stream.Position());
    }

    TBitmap original, loaded;
    FillPattern(original, pf32bit, 3, 9);
    std::wstring file = kvltest::TempDir(L"bmp") + L"pattern.bmp";
    original.SaveToFile(file);
    loaded.LoadFromFile(file);
    EXPECT_TRUE(SamePixels(original, loaded, 4));
    DeleteFileW(file.c_str());
}

TEST(Bitmap, PaletteFormatsRoundTrip)
{
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit}) {
        TBitmap original;
        original.SetPixelFormat(format);
        original.SetSize(9, 3);
        original.Canvas()->Brush()->SetColor(clBlack);
        original.Canvas()->FillRect(Rect(2, 1, 7, 3));
        std::vector<std::uint8_t> bytes = original.SaveToBytes();
        TBitmap loaded;
        loaded.LoadFromBytes(bytes.data(), bytes.size());
        EXPECT_EQ(format, loaded.PixelFormat());
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 9; ++x)
                EXPECT_EQ(original.Canvas()->Pixels(x, y), loaded.Canvas()->Pixels(x, y)) << format << " " << x << "," << y;
    }
}

TEST(Bitmap, ReadsEveryKindOfBmpFile)
{
    const int W = 5, H = 3;
    auto pal1 = [](int x, int y) { return (x + y) % 2 ? RGB(200, 100, 50) : RGB(10, 20, 30); };
    auto pal4 = [](int x, int y) {
        int i = (x + 2 * y) % 16;
        return RGB(i * 16, 255 - i * 16, i * 8);
    };
    auto pal8 = [](int x, int y) {
        int i = (x * 40 + y * 7) % 256;
        return RGB(i, 255 - i, (i * 7) & 255);
    };
    auto rgb24 = [](int x, int y) { return RGB(x * 50, y * 80, 7); };
    auto rgb565 = [](int x, int y) { return RGB((x % 2) * 255, (y % 2) * 255, ((x + y) % 3 == 0) * 255); };
    auto rgba = [](int x, int y) { return RGB(x * 60, 255 - y * 100, 30); };
    struct Case {
        const wchar_t* File;
        TPixelFormat Format;
        std::function<COLORREF(int, int)> Expected;
    } cases[] = {
        {L"pal1.bmp", pf1bit, pal1},        {L"pal4.bmp", pf4bit, pal4},
        {L"pal8.bmp", pf8bit, pal8},        {L"rle4.bmp", pf4bit, pal4},
        {L"rle8.bmp", pf8bit, pal8},        {L"topdown24.bmp", pf24bit, rgb24},
        {L"core24.bmp", pf24bit, rgb24},    {L"bitfields565.bmp", pf16bit, rgb565},
        {L"v5_32.bmp", pf32bit, rgba},
    };
    for (const Case& c : cases) {
        TBitmap bmp;
        bmp.LoadFromFile(kvltest::DataPath(L"graphics\\") + c.File);
        ASSERT_EQ(W, bmp.Width()) << c.File;
        ASSERT_EQ(H, bmp.Height()) << c.File;
        EXPECT_EQ(c.Format, bmp.PixelFormat()) << c.File;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                EXPECT_EQ(static_cast<TColor>(c.Expected(x, y)), bmp.Canvas()->Pixels(x, y))
                    << std::string(c.File, c.File + wcslen(c.File)) << " at " << x << "," << y;
    }
    // The straight alpha of the 32-bit file survives in the fourth byte.
    TBitmap bmp;
    bmp.LoadFromFile(kvltest::DataPath(L"graphics\\v5_32.bmp"));
    EXPECT_EQ(40 * 4 + 20 * 2, static_cast<std::uint8_t*>(bmp.ScanLine(2))[4 * 4 + 3]);
}

TEST(Bitmap, CorruptDataRaisesInvalidGraphic)
{
    TBitmap good;
    FillPattern(good, pf24bit, 4, 4);
    const std::vector<std::uint8_t> bytes = good.SaveToBytes();
    auto patched = [&](size_t offset, std::vector<std::uint8_t> values) {
        std::vector<std::uint8_t> b = bytes;
        std::copy(values.begin(), values.end(), b.begin() + offset);
        return b;
    };
    std::vector<std::vector<std::uint8_t>> bad = {
        std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 10),   // cut in the file header
        std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 5),      // pixels missing
        patched(0, {'X', 'M'}),                                          // signature
        patched(14, {99, 0, 0, 0}),                                      // header size
        patched(18, {0, 0, 0, 0}),                                       // width 0
        patched(22, {0, 0, 0, 0x40}),                                    // absurd height
        patched(26, {2, 0}),                                             // planes
        patched(28, {7, 0}),                                             // bit count
        patched(30, {4, 0, 0, 0}),                                       // JPEG compression
        patched(30, {1, 0, 0, 0}),                                       // RLE8 on 24 bits
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        TBitmap bmp;
        try {
            bmp.LoadFromBytes(bad[i].data(), bad[i].size());
            ADD_FAILURE() << "case " << i << " loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(L"Bitmap image is not valid", e.Message()) << "case " << i;
        }
    }
    TMemoryStream stream;
    stream.WriteBuffer("BM\x10\0\0\0", 6);
    stream.SetPosition(0);
    TBitmap bmp;
    EXPECT_THROW(bmp.LoadFromStream(&stream), EInvalidGraphic);
}

TEST(Bitmap, BmpInsideALongerStreamIsReadAlone)
{
    TBitmap a;
    FillPattern(a, pf24bit, 3, 3);
    TMemoryStream stream;
    a.SaveToStream(&stream);
    int64_t end = stream.Position();
    stream.WriteBuffer("tail", 4);
    stream.SetPosition(0);
    TBitmap b;
    b.LoadFromStream(&stream);
    EXPECT_EQ(end, stream.Position());
    EXPECT_TRUE(SamePixels(a, b, 3));
}

TEST(Bitmap, PixelFormatConversionKeepsColours)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 4, 4, clRed);
    bmp.Canvas()->SetPixels(0, 0, clBlue);
    for (TPixelFormat format : {pf24bit, pf8bit, pf4bit, pf16bit, pf15bit, pf32bit}) {
        bmp.SetPixelFormat(format);
        EXPECT_EQ(format, bmp.PixelFormat());
        EXPECT_EQ(clRed, bmp.Canvas()->Pixels(2, 2)) << format;
        EXPECT_EQ(clBlue, bmp.Canvas()->Pixels(0, 0)) << format;
    }
    bmp.SetMonochrome(true);
    EXPECT_EQ(pf1bit, bmp.PixelFormat());
    EXPECT_TRUE(bmp.Monochrome());
}

TEST(Bitmap, AssignMakesAnIndependentCopy)
{
    TBitmap a;
    FillPattern(a, pf32bit, 6, 2);
    a.SetTransparent(true);
    a.SetTransparentColor(clFuchsia);
    TBitmap b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_GE(changes, 1);
    EXPECT_TRUE(SamePixels(a, b, 4));
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(clFuchsia, b.TransparentColor());
    EXPECT_NE(a.Handle(), b.Handle());
    static_cast<std::uint8_t*>(b.ScanLine(0))[0] ^= 0xFF;
    EXPECT_FALSE(SamePixels(a, b, 4));
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 4, 4, clGreen);
    bmp.Canvas()->SetPixels(0, 3, clAqua);
    EXPECT_EQ(tmAuto, bmp.TransparentMode());
    EXPECT_EQ(clAqua, bmp.TransparentColor());
    bmp.SetTransparentColor(clGreen);
    EXPECT_EQ(tmFixed, bmp.TransparentMode());
    EXPECT_EQ(clGreen, bmp.TransparentColor());
    bmp.SetTransparentMode(tmAuto);
    EXPECT_EQ(clAqua, bmp.TransparentColor());
}

TEST(Bitmap, TransparentDrawLeavesTheKeyColourPixelsUntouched)
{
    TBitmap sprite;
    MakeCanvasBitmap(sprite, 6, 6, clFuchsia); // bottom-left pixel: the key colour
    sprite.Canvas()->Brush()->SetColor(clBlue);
    sprite.Canvas()->FillRect(Rect(2, 2, 4, 4));
    sprite.SetTransparent(true);

    TBitmap target;
    MakeCanvasBitmap(target, 10, 10, clYellow);
    target.Canvas()->SetPixels(3, 3, clGreen);
    target.Canvas()->Draw(2, 2, &sprite);
    EXPECT_EQ(clBlue, Pixel32(target, 4, 4));
    EXPECT_EQ(clBlue, Pixel32(target, 5, 5));
    EXPECT_EQ(clGreen, Pixel32(target, 3, 3));
    EXPECT_EQ(clYellow, Pixel32(target, 2, 2));
    EXPECT_EQ(clYellow, Pixel32(target, 7, 7));

    sprite.SetTransparent(false);
    target.Canvas()->Draw(2, 2, &sprite);
    EXPECT_EQ(clFuchsia, Pixel32(target, 2, 2));

    target.Canvas()->StretchDraw(Rect(0, 0, 10, 10), &sprite);
    EXPECT_EQ(clBlue, Pixel32(target, 5, 5));
    EXPECT_EQ(clFuchsia, Pixel32(target, 0, 9));
}

TEST(Bitmap, AlphaFormatDrawsBlended)
{
    TBitmap sprite;
    sprite.SetPixelFormat(pf32bit);
    sprite.SetSize(2, 1);
    auto* row = static_cast<std::uint32_t*>(sprite.ScanLine(0));
    row[0] = 0xFF0000FF; // opaque blue
    row[1] = 0x800000FF; // half-transparent blue, straight alpha
    sprite.SetAlphaFormat(afDefined);

    TBitmap target;
    MakeCanvasBitmap(target, 2, 1, clRed);
    target.Canvas()->Draw(0, 0, &sprite);
    EXPECT_EQ(clBlue, Pixel32(target, 0, 0));
    TColor mixed = Pixel32(target, 1, 0);
    EXPECT_NEAR(0x80, GetBValue(mixed), 2);
    EXPECT_NEAR(0x7F, GetRValue(mixed), 2);

    sprite.SetAlphaFormat(afPremultiplied); // converts the colour bytes
    EXPECT_NEAR(0x80, static_cast<std::uint8_t*>(sprite.ScanLine(0))[4], 1);

    TBitmap plain;
    MakeCanvasBitmap(plain, 2, 1, clBlue);
    MakeCanvasBitmap(target, 2, 1, clRed);
    target.Canvas()->Draw(0, 0, &plain, 128);
    EXPECT_NEAR(0x80, GetBValue(Pixel32(target, 0, 0)), 2);
}

TEST(Bitmap, MaskMarksTheTransparentColour)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 9, 2, clWhite);
    bmp.Canvas()->SetPixels(8, 0, clRed);
    bmp.Mask(clWhite);
    EXPECT_EQ(pf1bit, bmp.PixelFormat());
    EXPECT_EQ(clWhite, bmp.Canvas()->Pixels(0, 0));
    EXPECT_EQ(clBlack, bmp.Canvas()->Pixels(8, 0));
}

TEST(Bitmap, HandlesCanBeTakenOverAndGivenAway)
{
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 3, 2);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, ddb);
    RECT all{0, 0, 3, 2};
    HBRUSH brush = CreateSolidBrush(RGB(0, 128, 255));
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    TBitmap bmp;
    bmp.SetHandle(ddb);
    EXPECT_EQ(3, bmp.Width());
    EXPECT_EQ(2, bmp.Height());
    EXPECT_EQ(static_cast<TColor>(RGB(0, 128, 255)), bmp.Canvas()->Pixels(2, 1));

    HBITMAP released = bmp.ReleaseHandle();
    EXPECT_TRUE(bmp.Empty());
    BITMAP info{};
    ASSERT_NE(0, GetObjectW(released, sizeof(info), &info));
    EXPECT_EQ(3, info.bmWidth);
    DeleteObject(released);
}

TEST(Bitmap, DormantKeepsThePixels)
{
    TBitmap bmp;
    FillPattern(bmp, pf24bit, 5, 5);
    TBitmap copy;
    copy.Assign(&bmp);
    bmp.Dormant();
    EXPECT_FALSE(bmp.HandleAllocated());
    EXPECT_TRUE(SamePixels(bmp, copy, 3));
    EXPECT_TRUE(bmp.HandleAllocated());
}

TEST(Bitmap, FreeMemoryContextsReleasesUnlockedCanvasesOnly)
{
    TBitmap idle, busy;
    MakeCanvasBitmap(idle, 4, 4, clRed);
    MakeCanvasBitmap(busy, 4, 4, clRed);
    busy.Canvas()->Lock();
    FreeMemoryContexts();
    EXPECT_FALSE(idle.Canvas()->HandleAllocated());
    EXPECT_TRUE(busy.Canvas()->HandleAllocated());
    busy.Canvas()->Unlock();
    // The canvas comes back on its next use, with its settings.
    idle.Canvas()->FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(clRed, Pixel32(idle, 1, 1));
    EXPECT_EQ(clRed, Pixel32(idle, 3, 3));
}

TEST(Bitmap, LoadsBitmapResources)
{
    // The system's own bitmaps (user32 carries the classic window-frame glyphs).
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    TBitmap bmp;
    bmp.LoadFromResourceID(user32, 32754); // OBM_CLOSE
    EXPECT_FALSE(bmp.Empty());
    EXPECT_THROW(bmp.LoadFromResourceName(user32, L"NO_SUCH_BITMAP"), EInvalidGraphic);
}
