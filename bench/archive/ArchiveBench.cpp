// Unpacking a packed skin of about 5 MB with the skin reader, against plain zlib inflate of the
// same entry streams into fresh buffers in the same run. Prints both times and their ratio.
#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "skin/core/acSkinPack.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

void PutInt(Bytes& out, int32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

// Skin-like images: smooth gradients with noise, which deflate packs to about a third.
Bytes Image(size_t size, unsigned seed)
{
    std::mt19937 rnd(seed);
    Bytes out(size);
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<uint8_t>((i / 3 % 640) / 3 + (i % 3 == 0 ? rnd() % 8 : 0));
    return out;
}

struct TPacked {
    Bytes Archive;
    std::vector<Bytes> Streams;   // each entry's zlib stream
    std::vector<size_t> Sizes;
};

TPacked MakeArchive()
{
    TPacked p;
    p.Archive = {'V', 'T', 'z', 'f'};
    std::vector<std::pair<std::string, Bytes>> entries;
    entries.push_back({"Options.dat", Bytes(60000, 'k')});
    for (int i = 0; i < 10; ++i) entries.push_back({"Image" + std::to_string(i) + ".bmp", Image(1200000, i)});
    PutInt(p.Archive, static_cast<int32_t>(entries.size()));
    for (auto& [name, content] : entries) {
        uLongf size = compressBound(static_cast<uLong>(content.size()));
        Bytes z(size);
        compress2(z.data(), &size, content.data(), static_cast<uLong>(content.size()), 9);
        z.resize(size);
        PutInt(p.Archive, static_cast<int32_t>(name.size()));
        p.Archive.insert(p.Archive.end(), name.begin(), name.end());
        PutInt(p.Archive, static_cast<int32_t>(content.size()));
        p.Archive.insert(p.Archive.end(), z.begin(), z.end());
        p.Streams.push_back(std::move(z));
        p.Sizes.push_back(content.size());
    }
    return p;
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double TimeReader(TMemoryStream& stored)
{
    auto start = Clock::now();
    auto* c = new TacSkinConvertor();
    c->SetPackedData(&stored, false);
    UnpackSkinFile(c);
    c->SetPackedData(nullptr, false);
    delete c;
    return Seconds(Clock::now() - start);
}

double TimeInflate(const TPacked& p)
{
    auto start = Clock::now();
    // Every entry stays in memory until all are unpacked, as the reader hands them all over.
    std::vector<Bytes> entries;
    for (size_t i = 0; i < p.Streams.size(); ++i) {
        Bytes& out = entries.emplace_back(p.Sizes[i]);
        uLongf size = static_cast<uLongf>(out.size());
        if (uncompress(out.data(), &size, p.Streams[i].data(), static_cast<uLong>(p.Streams[i].size())) != Z_OK)
            std::printf("inflate failed\n");
    }
    entries.clear();
    return Seconds(Clock::now() - start);
}

} // namespace

int main()
{
    TPacked p = MakeArchive();
    TMemoryStream stored;
    stored.WriteBuffer(p.Archive.data(), static_cast<int>(p.Archive.size()));
    size_t unpacked = 0;
    for (size_t s : p.Sizes) unpacked += s;

    double reader = 1e9, inflate = 1e9;
    for (int round = 0; round < 15; ++round) {
        // Alternate so that neither side profits from a warmer cache.
        reader = std::min(reader, TimeReader(stored));
        inflate = std::min(inflate, TimeInflate(p));
    }
    std::printf("archive: %.1f MB packed, %.1f MB unpacked, %zu entries\n", p.Archive.size() / 1048576.0,
                unpacked / 1048576.0, p.Sizes.size());
    std::printf("skin reader   %8.2f ms\n", reader * 1000);
    std::printf("plain inflate %8.2f ms\n", inflate * 1000);
    std::printf("ratio reader/inflate: %.3f (goal <= 1.1)\n", reader / inflate);
    return 0;
}
