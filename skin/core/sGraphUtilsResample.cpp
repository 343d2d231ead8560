// sGraphUtils: resampling with selectable filters, in two separable passes (rows, then
// columns) over precomputed 16.16 fixed-point contributions.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"

using namespace skinpixels;

namespace {

struct TFilterDef {
    double Support;
    double (*Weight)(double);
};

double Box(double) { return 1; } // its edge is decided in Contributions
double Triangle(double x) { return x < 1 ? 1 - x : 0; }
double Hermite(double x) { return x < 1 ? (2 * x - 3) * x * x + 1 : 0; }
double Bell(double x) { return x < 0.5 ? 0.75 - x * x : x < 1.5 ? 0.5 * (x - 1.5) * (x - 1.5) : 0; }
double Spline(double x)
{
    if (x < 1) return x * x * (x / 2 - 1) + 2.0 / 3;
    return x < 2 ? (2 - x) * (2 - x) * (2 - x) / 6 : 0;
}
double WindowedSinc(double x)
{
    if (x == 0) return 1;
    if (x >= 3) return 0;
    return std::sin(std::numbers::pi * x) * std::sin(x) / (std::numbers::pi * x * x);
}
double Mitchell(double x)
{
    if (x < 1) return x * x * (7 * x / 6 - 2) + 8.0 / 9;
    return x < 2 ? x * x * (2 - 7 * x / 18) - 10 * x / 3 + 16.0 / 9 : 0;
}

const TFilterDef Filters[] = {{0.51, Box},    {1.0, Triangle},     {1.0, Hermite}, {1.5, Bell},
                              {2.0, Spline}, {3.0, WindowedSinc}, {2.0, Mitchell}};

struct TTap {
    int Index;
    int Weight; // 16.16
};

// For each of N outputs, the input indexes (mirrored at the ends and kept inside the input)
// and their weights.
std::vector<std::vector<TTap>> Contributions(int N, int M, const TFilterDef& F, bool IsBox)
{
    std::vector<std::vector<TTap>> list(static_cast<size_t>(N));
    const double scale = std::min(double(N) / M, 1.0), halfWidth = F.Support / scale;
    for (int i = 0; i < N; ++i) {
        const double center = double(M) * i / N;
        const int first = static_cast<int>(std::floor(center - halfWidth)), last = static_cast<int>(std::ceil(center + halfWidth));
        for (int j = first; j <= last; ++j) {
            const double distance = std::abs(center - j) * scale;
            double w = 0;
            if (distance < F.Support) {
                if (!IsBox) w = F.Weight(distance);
                else w = distance < 0.5 || (distance == 0.5 && j > center) ? 1 : 0;
            }
            const int fixed = static_cast<int>(std::lrint(w * scale * 65536));
            if (fixed == 0) continue;
            // Mirrored at both ends; a wide filter over a tiny input can reach past the mirror,
            // so the index is kept inside the input as well.
            int k = j < 0 ? -j : j >= M ? 2 * M - 1 - j : j;
            list[static_cast<size_t>(i)].push_back(TTap{std::clamp(k, 0, M - 1), fixed});
        }
    }
    return list;
}

std::uint8_t FixedToByte(long long Sum)
{
    if (Sum < 0) return 0;
    if (Sum >= 0xFF0001) return 255;
    return static_cast<std::uint8_t>(Sum >> 16);
}

// One pass: Count lines of Length inputs each into lines of the taps' outputs. Step is the
// distance in pixels between neighbouring inputs (and outputs) of a line, Line the distance
// between lines, for reading along rows or columns alike.
void Pass(const TRows& In, const TRows& Out, bool AlongRows, const std::vector<std::vector<TTap>>& Taps)
{
    const int channels = In.Bytes;
    const int lines = AlongRows ? In.Height : In.Width;
    for (int line = 0; line < lines; ++line) {
        for (size_t o = 0; o < Taps.size(); ++o) {
            long long sum[4] = {0, 0, 0, 0};
            for (const TTap& t : Taps[o]) {
                const std::uint8_t* p = AlongRows ? In.Row(line) + t.Index * channels : In.Row(t.Index) + line * channels;
                for (int c = 0; c < channels; ++c) sum[c] += static_cast<long long>(p[c]) * t.Weight;
            }
            const int oi = static_cast<int>(o);
            std::uint8_t* q = AlongRows ? Out.Row(line) + oi * channels : Out.Row(oi) + line * channels;
            for (int c = 0; c < channels; ++c) q[c] = FixedToByte(sum[c]);
        }
    }
}

} // namespace

void ResampleBitmap(TBitmap* Src, TBitmap* Dst, int NewWidth, int Filter, int NewHeight)
{
    if (Src == nullptr || Src->Width() < 2 || Src->Height() < 2) throw Exception(L"Source bitmap is too small");
    if (Dst == nullptr || NewHeight <= 0 || NewWidth <= 0) return;
    if (Filter < 0 || Filter >= static_cast<int>(std::size(Filters)))
        throw EInvalidGraphicOperation(L"Unknown resampling filter " + std::to_wstring(Filter));
    if (NewWidth == Src->Width() && NewHeight == Src->Height()) {
        if (Dst != Src) Dst->Assign(Src);
        return;
    }
    const TPixelFormat format = Src->BitsPerPixel() == 32 ? pf32bit : pf24bit;
    const int bytes = format == pf32bit ? 4 : 3;
    Src->SetPixelFormat(format);
    const int w = Src->Width(), h = Src->Height();
    TBitmap work;
    work.SetPixelFormat(format);
    work.SetSize(NewWidth, h);
    const TFilterDef& f = Filters[Filter];
    TRows in, mid;
    in.Attach(Src, bytes);
    mid.Attach(&work, bytes);
    Pass(in, mid, true, Contributions(NewWidth, w, f, Filter == 0));

    Dst->SetPixelFormat(format);
    Dst->SetSize(NewWidth, NewHeight);
    TRows out;
    out.Attach(Dst, bytes);
    Pass(mid, out, false, Contributions(NewHeight, h, f, Filter == 0));
}
