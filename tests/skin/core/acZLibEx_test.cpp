#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

#include "skin/core/acZLibEx.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Sample(size_t size)
{
    Bytes b(size);
    for (size_t i = 0; i < size; ++i) b[i] = static_cast<uint8_t>((i * 7) ^ (i >> 5));
    return b;
}

Bytes Deflate(const Bytes& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 9);
    out.resize(size);
    return out;
}

void Append(TMemoryStream& s, const Bytes& b)
{
    s.WriteBuffer(b.data(), static_cast<int>(b.size()));
}

TEST(acZLibEx, ErrorTextsFollowZlibsCodes)
{
    struct {
        int Code;
        const wchar_t* Text;
    } codes[] = {{2, L"need dictionary"}, {1, L"stream end"}, {0, L"ok"}, {-1, L"file error"},
                 {-2, L"stream error"}, {-3, L"data error"}, {-4, L"insufficient memory"},
                 {-5, L"buffer error"}, {-6, L"incompatible version"}, {-7, L""}, {-8, L""}, {3, L""}};
    for (const auto& c : codes) {
        EZLibError e(c.Code);
        EXPECT_EQ(e.Message(), c.Text) << c.Code;
        EXPECT_EQ(e.ErrorCode, c.Code);
    }
    EZDecompressionError v(zeVersionError);
    EXPECT_EQ(v.ErrorCode, Z_VERSION_ERROR);
    EXPECT_EQ(v.Message(), L"incompatible version");
    EXPECT_EQ(ZErrorCode(zeError), -1);
    EXPECT_EQ(ZErrorCode(zeDataError), Z_DATA_ERROR);
}

// Two streams back to back in one source: each leaves the source right after its own trailer,
// and they may take turns on it.
TEST(acZLibEx, StreamsSharingASourceEachStopAtTheirTrailer)
{
    Bytes a = Sample(70000), b = Sample(300000);
    Bytes za = Deflate(a), zb = Deflate(b);
    TMemoryStream src;
    Append(src, za);
    Append(src, zb);
    Append(src, {0xEE});
    src.SetPosition(0);

    TZDecompressionStream first(&src);
    Bytes got(a.size() + 10);
    EXPECT_EQ(first.Read(got.data(), static_cast<int>(got.size())), static_cast<int>(a.size()));
    EXPECT_TRUE(first.StreamEnded());
    EXPECT_EQ(src.Position(), static_cast<int64_t>(za.size()));
    got.resize(a.size());
    EXPECT_EQ(got, a);

    TZDecompressionStream second(&src);
    Bytes half(1000);
    ASSERT_EQ(second.Read(half.data(), 1000), 1000);
    src.SetPosition(0);   // someone else moved the shared source
    Bytes rest(b.size() - 1000);
    ASSERT_EQ(second.Read(rest.data(), static_cast<int>(rest.size())), static_cast<int>(rest.size()));
    half.insert(half.end(), rest.begin(), rest.end());
    EXPECT_EQ(half, b);
    uint8_t x;
    EXPECT_EQ(second.Read(&x, 1), 0);
    EXPECT_EQ(src.Position(), static_cast<int64_t>(za.size() + zb.size()));
}

TEST(acZLibEx, SeekMovesForwardRewindsAndRefusesTheRest)
{
    Bytes data = Sample(50000);
    Bytes z = Deflate(data);
    TMemoryStream src;
    Append(src, {1, 2, 3});   // the zlib stream does not start at the source's beginning
    Append(src, z);
    src.SetPosition(3);
    TZDecompressionStream s(&src);
    uint8_t x;

    EXPECT_EQ(s.Seek(20000, soCurrent), 20000);
    s.ReadBuffer(&x, 1);
    EXPECT_EQ(x, data[20000]);
    EXPECT_EQ(s.Seek(30000, soBeginning), 30000);
    s.ReadBuffer(&x, 1);
    EXPECT_EQ(x, data[30000]);
    EXPECT_EQ(s.Seek(0, soEnd), 50000);
    EXPECT_EQ(s.Seek(0, soBeginning), 0);
    s.ReadBuffer(&x, 1);
    EXPECT_EQ(x, data[0]);
    EXPECT_THROW(s.Seek(60000, soCurrent), EReadError);

    for (auto [offset, origin] : {std::pair{-1, soCurrent}, {5, soBeginning}, {-10, soEnd}}) {
        try {
            s.Seek(0, soBeginning);
            s.Seek(10, soCurrent);
            s.Seek(offset, origin);
            ADD_FAILURE() << offset;
        } catch (const EZDecompressionError& e) {
            EXPECT_EQ(e.Message(), L"Invalid ZStream operation!");
        }
    }
    try {
        s.Write(&x, 1);
        ADD_FAILURE();
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message(), L"Invalid ZStream operation!");
    }
}

TEST(acZLibEx, BadDataRaisesAndProgressIsReported)
{
    Bytes z = Deflate(Sample(400000));
    TMemoryStream src;
    Append(src, z);
    src.SetPosition(0);
    TZDecompressionStream s(&src);
    int progress = 0;
    s.OnProgress = [&](TObject* sender) {
        EXPECT_EQ(sender, &s);
        ++progress;
    };
    Bytes out(400000);
    EXPECT_EQ(s.Read(out.data(), 400000), 400000);
    EXPECT_EQ(progress, static_cast<int>((z.size() + 131071) / 131072));

    struct {
        const char* What;
        Bytes Data;
        int Code;
    } bad[] = {
        {"not zlib", {0x12, 0x34, 0x56, 0x78}, Z_DATA_ERROR},
        // A header asking for a preset dictionary, which nobody gives: raised, not waited for.
        {"dictionary", {0x78, 0xBB, 0, 0, 0, 1, 0x03, 0x00}, Z_NEED_DICT},
    };
    for (const auto& k : bad) {
        TMemoryStream bs;
        Append(bs, k.Data);
        bs.SetPosition(0);
        TZDecompressionStream d(&bs);
        try {
            d.Read(out.data(), 100);
            ADD_FAILURE() << k.What;
        } catch (const EZDecompressionError& e) {
            EXPECT_EQ(e.ErrorCode, k.Code) << k.What;
            EXPECT_EQ(e.Message(), ZErrorMessage(k.Code)) << k.What;
        }
    }
}

} // namespace
