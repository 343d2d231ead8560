#include "skin/core/sGradient.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/system/Conversions.h"
#include "skin/core/sGraphUtilsPixels.h"

namespace {

using TGradientFillFunc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// The library and its entry point live from start-up to shut-down; a second initialisation
// through another path only counts.
struct TGradientEntryPoint {
    static inline int Users = 0;
    static inline HMODULE Library = nullptr;
    static inline TGradientFillFunc Fill = nullptr;
    TGradientEntryPoint()
    {
        if (Users++ > 0) return;
        Library = LoadLibraryW(L"msimg32.dll");
        if (Library != nullptr)
            Fill = reinterpret_cast<TGradientFillFunc>(reinterpret_cast<void*>(GetProcAddress(Library, "GradientFill")));
    }
    ~TGradientEntryPoint()
    {
        if (--Users > 0) return;
        Fill = nullptr;
        if (Library != nullptr) FreeLibrary(Library);
        Library = nullptr;
    }
};

TGradientEntryPoint GradientEntryPoint;

using skinpixels::TRows;

std::uint32_t PixelOf(int R, int G, int B)
{
    return 0xFF000000u | static_cast<std::uint32_t>(R) << 16 | static_cast<std::uint32_t>(G) << 8 | static_cast<std::uint32_t>(B);
}

// A linear ramp from C1 to C2 over N steps in single precision, so that step 0 is C1 and step N is C2.
class TRamp {
public:
    TRamp(TColor C1, TColor C2, int N)
    {
        float n = static_cast<float>(N > 0 ? N : 1);
        for (int i = 0; i < 3; ++i) {
            float a = static_cast<float>((C1 >> (8 * i)) & 0xFF);
            float b = static_cast<float>((C2 >> (8 * i)) & 0xFF);
            FValue[i] = a;
            FDelta[i] = (b - a) / n;
        }
    }
    std::uint32_t Pixel() const
    {
        return PixelOf(Channel(0), Channel(1), Channel(2));
    }
    void Next()
    {
        for (int i = 0; i < 3; ++i) FValue[i] += FDelta[i];
    }

private:
    int Channel(int I) const { return std::clamp(static_cast<int>(std::lrintf(FValue[I])), 0, 255); }
    float FValue[3];
    float FDelta[3];
};

// R held inside the bitmap; false when nothing of it is left.
bool ClipToBitmap(TRect& R, const TRows& Rows)
{
    R.left = std::max<LONG>(R.left, 0);
    R.top = std::max<LONG>(R.top, 0);
    R.right = std::min<LONG>(R.right, Rows.Width);
    R.bottom = std::min<LONG>(R.bottom, Rows.Height);
    return R.left < R.right && R.top < R.bottom;
}

// The vertical chain: Row(y, pixel) is called for each painted row with that row's colour.
template <class F>
void WalkVertical(const TRect& R, const TsGradArray& Steps, F Row)
{
    const int height = R.bottom - R.top;
    const int limit = R.bottom - 1;
    int y = R.top;
    for (size_t i = 0; i < Steps.size(); ++i) {
        int end = i + 1 == Steps.size() ? limit : std::min(y + height * Steps[i].Percent / 100, limit);
        if (end <= y) break;
        TRamp ramp(Steps[i].Color1, Steps[i].Color2, end - y);
        for (int row = y; row <= end; ++row) {
            Row(row, ramp.Pixel());
            ramp.Next();
        }
        y = end;
    }
}

// The horizontal chain, written into row R.top only.
void HorizontalRow(const TRows& Rows, const TRect& R, const TsGradArray& Steps)
{
    const int width = R.right - R.left;
    const int limit = R.right - 1;
    std::uint32_t* line = Rows.Row32(R.top);
    int x = R.left;
    for (size_t i = 0; i < Steps.size(); ++i) {
        int end = limit;
        if (i + 1 < Steps.size()) {
            end = static_cast<int>(std::lrint(Steps[i].Percent * width / 100.0 + x));
            end = std::min(end, limit);
        }
        if (end <= x) break;
        TRamp ramp(Steps[i].Color1, Steps[i].Color2, end - x);
        for (int col = x; col <= end; ++col) {
            line[col] = ramp.Pixel();
            ramp.Next();
        }
        x = end;
    }
}

// Copies the block of Height rows from R.top down the rest of R (the last copy clipped).
void RepeatRows(const TRows& Rows, const TRect& R, int Height)
{
    const size_t bytes = static_cast<size_t>(R.right - R.left) * 4;
    for (int y = R.top + Height; y < R.bottom; ++y)
        std::memcpy(Rows.Row32(y) + R.left, Rows.Row32(R.top + (y - R.top) % Height) + R.left, bytes);
}

void PaintTriangles(TBitmap* Bmp, const TRect& R, const TsGradArray& Steps)
{
    if (TGradientEntryPoint::Fill == nullptr) return;
    const LONG xs[5] = {R.left, R.left + (R.right - R.left) / 2, R.right, R.right, R.left};
    const LONG ys[5] = {R.top, R.top + (R.bottom - R.top) / 2, R.top, R.bottom, R.bottom};
    TRIVERTEX v[5];
    TColor color = Steps[0].Color1;
    for (int i = 0; i < 5; ++i) {
        if (i < static_cast<int>(Steps.size())) color = Steps[i].Color1;
        v[i].x = xs[i];
        v[i].y = ys[i];
        v[i].Red = static_cast<COLOR16>((color & 0xFF) << 8);
        v[i].Green = static_cast<COLOR16>(((color >> 8) & 0xFF) << 8);
        v[i].Blue = static_cast<COLOR16>(((color >> 16) & 0xFF) << 8);
        v[i].Alpha = 0xFF00;
    }
    // A, B, C / B, C, D / A, B, E / E, B, D
    GRADIENT_TRIANGLE tri[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
    TGradientEntryPoint::Fill(Bmp->Canvas()->Handle(), v, 5, tri, 4, GRADIENT_FILL_TRIANGLE);
    GdiFlush();
    // The triangles cover R whole; what the system wrote in the alpha byte is not ours to trust.
    TRows rows;
    if (!rows.Attach(Bmp)) return;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x) rows.At(x, y) |= 0xFF000000u;
}

} // namespace

bool GradientFillAvailable()
{
    return TGradientEntryPoint::Fill != nullptr;
}

void ParseGradientData(const String& Text, TsGradArray& Steps)
{
    Steps.clear();
    if (Text.empty()) return;
    std::vector<String> fields;
    size_t start = 0;
    while (start <= Text.size()) {
        size_t stop = Text.find(L';', start);
        if (stop == String::npos) stop = Text.size();
        if (stop > start) fields.push_back(Text.substr(start, stop - start));
        start = stop + 1;
    }
    for (size_t i = 0; i + 5 <= fields.size(); i += 5) {
        TsGradPie step;
        step.Color1 = static_cast<TColor>(std::max(StrToInt(fields[i]), 0));
        step.Color2 = static_cast<TColor>(std::max(StrToInt(fields[i + 1]), 0));
        step.Percent = static_cast<TPercent>(std::clamp(StrToInt(fields[i + 2]), 0, 100));
        step.Mode1 = StrToInt(fields[i + 3]);
        Steps.push_back(step);
    }
}

void PaintGradient(TBitmap* Bmp, const TRect& R, const TsGradArray& Steps)
{
    TRows rows;
    TRect r = R;
    if (Steps.empty() || !rows.Attach(Bmp) || !ClipToBitmap(r, rows)) return;
    switch (Steps[0].Mode1) {
    case 0:
        WalkVertical(r, Steps, [&](int y, std::uint32_t pixel) { std::fill(rows.Row32(y) + r.left, rows.Row32(y) + r.right, pixel); });
        break;
    case 1:
        HorizontalRow(rows, r, Steps);
        RepeatRows(rows, r, 1);
        break;
    case 2:
        PaintTriangles(Bmp, r, Steps);
        break;
    default:
        break;
    }
}

void PaintGradientTextured(TBitmap* Bmp, const TRect& R, const TsGradArray& Steps, int TextureWeight,
                           const TRect& TexRect, TBitmap* TexBmp)
{
    TRows rows, tex;
    TRect r = R;
    if (Steps.empty() || !rows.Attach(Bmp) || !tex.Attach(TexBmp) || !ClipToBitmap(r, rows)) return;
    TRect t = TexRect;
    if (t.right <= t.left || t.bottom <= t.top) t = TRect{0, 0, tex.Width, tex.Height};
    // The tile stops one pixel short of the texture's right and bottom edges.
    int wt = std::min(t.right - t.left, tex.Width - 1 - t.left);
    int ht = std::min(t.bottom - t.top, tex.Height - 1 - t.top);
    // A tile of no width or height would be a division by zero below; it paints nothing either.
    if (wt <= 0 || ht <= 0 || t.left < 0 || t.top < 0) return;
    const std::uint32_t w = static_cast<std::uint32_t>(std::clamp(TextureWeight, 0, 255));
    auto compose = [&](int x, int y, std::uint32_t g) {
        std::uint32_t s = tex.At(x % wt + t.left, y % ht + t.top);
        using skinpixels::BlendByte;
        return 0xFF000000u | BlendByte(g >> 16 & 0xFF, s >> 16 & 0xFF, w) << 16 | BlendByte(g >> 8 & 0xFF, s >> 8 & 0xFF, w) << 8 |
               BlendByte(g & 0xFF, s & 0xFF, w);
    };
    switch (Steps[0].Mode1) {
    case 0:
        WalkVertical(r, Steps, [&](int y, std::uint32_t pixel) {
            std::uint32_t* line = rows.Row32(y);
            for (int x = r.left; x < r.right; ++x) line[x] = compose(x, y, pixel);
        });
        break;
    case 1: {
        HorizontalRow(rows, r, Steps);
        const int block = std::min<int>(ht, r.bottom - r.top);
        // Row R.top holds the plain gradient until the rows under it have been composed from it.
        const std::uint32_t* gradient = rows.Row32(r.top);
        for (int y = r.top + 1; y < r.top + block; ++y)
            for (int x = r.left; x < r.right; ++x) rows.At(x, y) = compose(x, y, gradient[x]);
        for (int x = r.left; x < r.right; ++x) rows.At(x, r.top) = compose(x, r.top, gradient[x]);
        RepeatRows(rows, r, block);
        break;
    }
    default:
        break;
    }
}
