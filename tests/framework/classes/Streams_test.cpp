#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/classes/Streams.h"
#include "tests/support/TestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(const char* text)
{
    return Bytes(text, text + std::strlen(text));
}

Bytes ReadAll(TStream& stream)
{
    Bytes out(static_cast<size_t>(stream.Size()));
    stream.SetPosition(0);
    if (!out.empty()) stream.ReadBuffer(out.data(), static_cast<int>(out.size()));
    return out;
}

// A memory stream that tells when it is destroyed.
class TWatchedStream : public TMemoryStream {
public:
    explicit TWatchedStream(bool& destroyed) : FDestroyed(destroyed) {}
    ~TWatchedStream() override { FDestroyed = true; }

private:
    bool& FDestroyed;
};

// A 2 x 1 pixel, 24-bit Windows bitmap file.
Bytes TinyBitmapFile()
{
    Bytes file(62, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&file[at], &v, 2); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, 62);
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, 1);
    put16(26, 1);
    put16(28, 24);
    put32(34, 8);
    file[54] = 0xFF; // first pixel blue
    file[59] = 0xFF; // second pixel red
    return file;
}

} // namespace

TEST(Streams, MemoryStreamReadsWritesAndSeeks)
{
    TMemoryStream m;
    m.WriteBuffer("hello world", 11);
    EXPECT_EQ(11, m.Size());
    EXPECT_EQ(11, m.Position());
    EXPECT_EQ(6, m.Seek(-5, soEnd));
    char buf[8] = {};
    EXPECT_EQ(5, m.Read(buf, 8)); // short read at the end
    EXPECT_STREQ("world", buf);
    EXPECT_EQ(0, m.Read(buf, 8));
    EXPECT_EQ(3, m.Seek(-8, soCurrent));

    // Writing past the end fills the gap with zeros.
    m.SetPosition(13);
    m.WriteBuffer("!", 1);
    EXPECT_EQ(14, m.Size());
    EXPECT_EQ(0, static_cast<const char*>(m.Memory())[11]);
    m.SetSize(5);
    EXPECT_EQ(5, m.Position()); // the position never stays past a shrunk end
    EXPECT_EQ(B("hello"), m.Bytes());

    m.SetPosition(3);
    try {
        m.ReadBuffer(buf, 3);
        FAIL() << "expected EReadError";
    } catch (const EReadError& e) {
        EXPECT_EQ(L"Stream read error", e.Message());
    }
    m.Clear();
    EXPECT_EQ(0, m.Size());
    EXPECT_EQ(0, m.Position());
}

TEST(Streams, CopyFromTakesCountFromPositionOrEverythingForZero)
{
    TMemoryStream source;
    source.WriteBuffer("0123456789", 10);
    source.SetPosition(4);
    TMemoryStream dest;
    EXPECT_EQ(3, dest.CopyFrom(&source, 3));
    EXPECT_EQ(B("456"), dest.Bytes());
    EXPECT_EQ(7, source.Position());

    EXPECT_EQ(10, dest.CopyFrom(&source, 0));
    EXPECT_EQ(B("4560123456789"), dest.Bytes());
    EXPECT_THROW(dest.CopyFrom(&source, 1), EReadError); // source is at its end
}

TEST(Streams, FileStreamsCreateOpenAndReportFailures)
{
    const std::wstring dir = kvltest::TempDir(L"streams");
    const std::wstring path = dir + L"data.bin";
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("abcdef", 6);
        EXPECT_EQ(6, f.Size());
        f.SetSize(4);
    }
    {
        TFileStream f(path, fmOpenReadWrite | fmShareExclusive);
        EXPECT_EQ(B("abcd"), ReadAll(f));
        f.Seek(0, soEnd);
        f.WriteBuffer("XY", 2);
        // An exclusive open keeps everyone else out.
        EXPECT_THROW({ TFileStream other(path, fmOpenRead | fmShareDenyNone); }, EFOpenError);
    }
    {
        TFileStream f(path, fmOpenRead | fmShareDenyWrite);
        TFileStream g(path, fmOpenRead | fmShareDenyWrite); // readers may share
        EXPECT_EQ(B("abcdXY"), ReadAll(g));
        try {
            f.WriteBuffer("z", 1);
            FAIL() << "expected EWriteError";
        } catch (const EWriteError& e) {
            EXPECT_EQ(L"Stream write error", e.Message());
        }
    }

    const std::wstring missing = dir + L"missing.bin";
    try {
        TFileStream f(missing, fmOpenRead);
        FAIL() << "expected EFOpenError";
    } catch (const EFOpenError& e) {
        String prefix = L"Cannot open file \"" + missing + L"\". ";
        EXPECT_EQ(0u, e.Message().find(prefix)) << e.what();
        EXPECT_GT(e.Message().size(), prefix.size()) << "the system's reason follows";
    }
    const std::wstring noFolder = dir + L"no\\such\\folder.bin";
    try {
        TFileStream f(noFolder, fmCreate);
        FAIL() << "expected EFCreateError";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(0u, e.Message().find(L"Cannot create file \"" + noFolder + L"\". ")) << e.what();
    }
}

TEST(Streams, MemoryStreamsLoadAndSaveWholeContent)
{
    const std::wstring path = kvltest::TempDir(L"streams") + L"memory.bin";
    TMemoryStream m;
    m.WriteBuffer("content", 7);
    m.SetPosition(3); // saving ignores the position
    m.SaveToFile(path);
    TMemoryStream back;
    back.LoadFromFile(path);
    EXPECT_EQ(B("content"), back.Bytes());
    EXPECT_EQ(0, back.Position());

    TMemoryStream target;
    target.WriteBuffer(">", 1);
    m.SaveToStream(&target);
    EXPECT_EQ(B(">content"), target.Bytes());
    TMemoryStream loaded;
    target.SetPosition(5); // loading reads from the source's beginning
    loaded.LoadFromStream(&target);
    EXPECT_EQ(B(">content"), loaded.Bytes());
    EXPECT_THROW(back.LoadFromFile(path + L".none"), EFOpenError);
}

TEST(Streams, StringAndBytesStreamsHoldEncodedText)
{
    const String text = L"A\x672C\x6708"; // A本月
    TStringStream utf8(text);
    EXPECT_EQ(7, utf8.Size());
    EXPECT_EQ(0, utf8.Position());
    EXPECT_EQ(text, utf8.DataString());
    utf8.Seek(0, soEnd);
    utf8.WriteString(L"z");
    EXPECT_EQ(text + L"z", utf8.DataString());

    TStringStream wide(text, teUTF16LE);
    EXPECT_EQ(6, wide.Size()); // no byte-order mark
    EXPECT_EQ(text, wide.DataString());

    TBytesStream bytes(B("xyz"));
    EXPECT_EQ(B("xyz"), ReadAll(bytes));
}

TEST(Streams, AdapterServesAStreamThroughIStream)
{
    bool destroyed = false;
    auto* stream = new TWatchedStream(destroyed);
    stream->WriteBuffer("0123456789", 10);
    stream->SetPosition(0);
    IStream* com = new TStreamAdapter(stream, soOwned);

    ISequentialStream* sequential = nullptr;
    ASSERT_EQ(S_OK, com->QueryInterface(IID_ISequentialStream, reinterpret_cast<void**>(&sequential)));
    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK, com->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    IPersist* notThere = nullptr;
    EXPECT_EQ(E_NOINTERFACE, com->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&notThere)));
    EXPECT_EQ(nullptr, notThere);

    char buf[16] = {};
    ULONG n = 0;
    EXPECT_EQ(S_OK, sequential->Read(buf, 4, &n));
    EXPECT_EQ(4u, n);
    EXPECT_EQ(std::string("0123"), std::string(buf, 4));

    LARGE_INTEGER move;
    ULARGE_INTEGER pos;
    move.QuadPart = -3;
    EXPECT_EQ(S_OK, com->Seek(move, STREAM_SEEK_END, &pos));
    EXPECT_EQ(7u, pos.QuadPart);
    move.QuadPart = 1;
    EXPECT_EQ(S_OK, com->Seek(move, STREAM_SEEK_CUR, &pos));
    EXPECT_EQ(8u, pos.QuadPart);
    EXPECT_EQ(S_FALSE, com->Read(buf, 10, &n)); // fewer bytes than asked: the end
    EXPECT_EQ(2u, n);
    EXPECT_EQ(STG_E_INVALIDFUNCTION, com->Seek(move, 7, &pos));
    EXPECT_EQ(STG_E_INVALIDPOINTER, com->Read(nullptr, 1, &n));

    STATSTG stat;
    EXPECT_EQ(S_OK, com->Stat(&stat, STATFLAG_NONAME));
    EXPECT_EQ(static_cast<DWORD>(STGTY_STREAM), stat.type);
    EXPECT_EQ(10u, stat.cbSize.QuadPart);
    EXPECT_EQ(nullptr, stat.pwcsName);

    move.QuadPart = 10;
    com->Seek(move, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(S_OK, com->Write("AB", 2, &n));
    ULARGE_INTEGER size;
    size.QuadPart = 11;
    EXPECT_EQ(S_OK, com->SetSize(size));
    EXPECT_EQ(B("0123456789A"), stream->Bytes());

    IStream* clone = reinterpret_cast<IStream*>(1);
    EXPECT_EQ(E_NOTIMPL, com->Clone(&clone));
    EXPECT_EQ(nullptr, clone);

    // CopyTo another IStream from the current position.
    IStream* target = CreateGlobalMemoryStream(nullptr, 0);
    move.QuadPart = 2;
    com->Seek(move, STREAM_SEEK_SET, nullptr);
    ULARGE_INTEGER want, read, written;
    want.QuadPart = 100;
    EXPECT_EQ(S_OK, com->CopyTo(target, want, &read, &written));
    EXPECT_EQ(9u, read.QuadPart);
    EXPECT_EQ(9u, written.QuadPart);
    EXPECT_EQ(B("23456789A"), IStreamBytes(target));
    target->Release();

    // Three references: the creator's and the two QueryInterface gave out.
    EXPECT_EQ(2u, unknown->Release());
    EXPECT_EQ(1u, sequential->Release());
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(0u, com->Release());
    EXPECT_TRUE(destroyed);

    // A referenced stream outlives its adapter.
    TMemoryStream kept;
    IStream* borrowed = new TStreamAdapter(&kept);
    borrowed->Release();
    kept.WriteBuffer("still here", 10);
    EXPECT_EQ(10, kept.Size());
}

TEST(Streams, GlobalMemoryStreamsCarryBytesBothWays)
{
    HGLOBAL handle = GlobalAllocBytes("abc", 3);
    EXPECT_EQ(B("abc"), GlobalBytes(handle));
    GlobalFree(handle);
    EXPECT_TRUE(GlobalBytes(nullptr).empty());

    TMemoryStream source;
    source.WriteBuffer("payload", 7);
    source.SetPosition(3); // the whole stream is taken, whatever its position
    IStream* com = CreateGlobalMemoryStream(&source);
    STATSTG stat;
    ASSERT_EQ(S_OK, com->Stat(&stat, STATFLAG_NONAME));
    EXPECT_EQ(7u, stat.cbSize.QuadPart);
    ULARGE_INTEGER pos;
    LARGE_INTEGER zero{};
    com->Seek(zero, STREAM_SEEK_CUR, &pos);
    EXPECT_EQ(0u, pos.QuadPart);

    // What the clipboard or a drop target would get: the memory behind the stream.
    HGLOBAL behind = nullptr;
    ASSERT_EQ(S_OK, GetHGlobalFromStream(com, &behind));
    Bytes memory = GlobalBytes(behind);
    ASSERT_GE(memory.size(), 7u); // the block may have room to spare
    memory.resize(7);
    EXPECT_EQ(B("payload"), memory);

    TMemoryStream back;
    back.WriteBuffer("#", 1);
    EXPECT_EQ(7, ReadIStream(com, &back));
    EXPECT_EQ(B("#payload"), back.Bytes());
    com->Release();
}

TEST(Streams, OleLoadsAPictureThroughTheAdapter)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    Bytes file = TinyBitmapFile();
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<int>(file.size()));
    stream.SetPosition(0);
    IStream* com = new TStreamAdapter(&stream);
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(com, static_cast<LONG>(file.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    ASSERT_EQ(S_OK, hr);
    SHORT type = 0;
    picture->get_Type(&type);
    EXPECT_EQ(PICTYPE_BITMAP, type);
    OLE_XSIZE_HIMETRIC width = 0;
    picture->get_Width(&width);
    EXPECT_GT(width, 0);
    picture->Release();
    com->Release();
    CoUninitialize();
}
