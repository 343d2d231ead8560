#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "skin/core/acSkinPack.h"
#include "skin/core/acZLibEx.h"
#include "support/TestSupport.h"
#include "SkinPacker.h"

namespace {

using namespace skinpack_test;

// Sample content that compresses only in part, so that the streams are several kilobytes.
Bytes Noise(size_t size, unsigned seed)
{
    std::mt19937 rnd(seed);
    Bytes out(size);
    for (auto& b : out) b = static_cast<uint8_t>(rnd() % 16 + 'a');
    return out;
}

Bytes StreamBytes(TMemoryStream* s)
{
    return s ? s->Bytes() : Bytes();
}

// Unpacks bytes through a reader that owns them; the reader (or null after a fault) is returned.
TacSkinConvertor* UnpackBytes(const Bytes& archive)
{
    auto* data = new TMemoryStream();
    data->WriteBuffer(archive.data(), static_cast<int>(archive.size()));
    auto* convertor = new TacSkinConvertor();
    convertor->SetPackedData(data, true);
    UnpackSkinFile(convertor);
    return convertor;
}

// The message of the fault the archive raises, "" when it unpacks.
std::wstring FaultOf(const Bytes& archive)
{
    try {
        delete UnpackBytes(archive);
        return L"";
    } catch (const Exception& e) {
        return e.Message();
    }
}

const TEntry OptionsEntry{"Options.dat", Text("[BUTTON]\r\nFontColor=0\r\n")};
const TEntry MasterEntry{"Master.bmp", Noise(20000, 1)};

TEST(acSkinPack, TwoEntriesBackToBackUnpackIntoTheirStreams)
{
    Bytes archive = Pack({MasterEntry, OptionsEntry, {"Glyph.png", Noise(3000, 2)}});
    std::unique_ptr<TacSkinConvertor> c(UnpackBytes(archive));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(StreamBytes(c->Options.get()), OptionsEntry.Content);
    EXPECT_EQ(c->ImageCount, 2);
    ASSERT_EQ(c->Files.size(), 2u);
    EXPECT_EQ(c->Files[0].FileName, L"Master.bmp");
    EXPECT_TRUE(c->Files[0].IsBitmap);
    EXPECT_EQ(StreamBytes(c->Files[0].FileStream.get()), MasterEntry.Content);
    EXPECT_EQ(c->Files[0].FileStream->Position(), 20000);
    EXPECT_EQ(c->Files[1].FileName, L"Glyph.png");
    EXPECT_FALSE(c->Files[1].IsBitmap);
    EXPECT_EQ(c->Files[1].FileStream->Size(), 3000);
}

TEST(acSkinPack, EntryNamesAreMatchedWithoutRegardToCase)
{
    struct {
        std::string Name;
        bool IsOptions, IsBitmap;
    } cases[] = {{"options.DAT", true, false}, {"OPTIONS.dat", true, false}, {"Options.dat.bak", false, false},
                 {"glyph.BMP", false, true}, {"bmp", false, false}, {"Skin.bmp.png", false, false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        std::unique_ptr<TacSkinConvertor> c(UnpackBytes(Pack({{k.Name, Text("x")}})));
        EXPECT_EQ(c->Options != nullptr, k.IsOptions);
        ASSERT_EQ(c->Files.size(), k.IsOptions ? 0u : 1u);
        EXPECT_EQ(c->ImageCount, k.IsOptions ? 0 : 1);
        if (!k.IsOptions) EXPECT_EQ(c->Files[0].IsBitmap, k.IsBitmap);
    }
}

TEST(acSkinPack, EmptyEntriesAndALaterOptionsTextThatReplacesTheFirst)
{
    std::unique_ptr<TacSkinConvertor> c(
        UnpackBytes(Pack({{"Options.dat", Text("first")}, {"Empty.bmp", {}}, {"options.dat", Text("second")}})));
    EXPECT_EQ(StreamBytes(c->Options.get()), Text("second"));
    ASSERT_EQ(c->Files.size(), 1u);
    EXPECT_EQ(c->Files[0].FileStream->Size(), 0);
}

TEST(acSkinPack, WrongMagicFreesTheReaderWithTheExactText)
{
    for (const char* magic : {"VTzF", "vTzf", "VTZf", "PK\3\4"}) {
        Bytes archive = Pack({OptionsEntry}, magic);
        auto* data = new TMemoryStream();
        data->WriteBuffer(archive.data(), static_cast<int>(archive.size()));
        auto* c = new TacSkinConvertor();
        c->SetPackedData(data, true);
        try {
            UnpackSkinFile(c);
            ADD_FAILURE() << magic << " was accepted";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), L"Loaded data is not a packed Veltrix file");
        }
        EXPECT_EQ(c, nullptr);
    }
    EXPECT_EQ(FaultOf(Text("VTz")), L"Loaded data is not a packed Veltrix file");
}

TEST(acSkinPack, DamagedHeadersAndDataGiveAClearError)
{
    Bytes good = Pack({OptionsEntry, MasterEntry});
    const size_t masterAt = 8 + 4 + 11 + 4 + Deflate(OptionsEntry.Content).size();
    auto with = [&](size_t at, int32_t v) {
        Bytes b = good;
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
        return b;
    };
    const std::wstring damaged = L"Packed skin is damaged: ";
    struct {
        const char* What;
        Bytes Archive;
        std::wstring Message;   // the start of the message
    } cases[] = {
        {"count only half there", Bytes(good.begin(), good.begin() + 6), damaged + L"it ends inside an entry header"},
        {"negative count", with(4, -1), damaged + L"it cannot hold -1 entries"},
        {"huge count", with(4, 0x7FFFFFFF), damaged + L"it cannot hold 2147483647 entries"},
        {"huge name length", with(8, 0x7FFFFFF0), damaged + L"an entry name of 2147483632 bytes runs past its end"},
        {"negative name length", with(8, -5), damaged + L"an entry name of -5 bytes runs past its end"},
        {"huge size", with(8 + 4 + 11, 0x7FFFFFFF),
         damaged + L"entry \"Options.dat\" cannot unpack to 2147483647 bytes"},
        {"negative size", with(8 + 4 + 11, -1), damaged + L"entry \"Options.dat\" cannot unpack to -1 bytes"},
        {"size larger than the data", Pack({OptionsEntry}, "VTzf", {100}),
         damaged + L"entry \"Options.dat\" unpacks to 23 bytes instead of 100"},
        {"size smaller than the data", Pack({OptionsEntry}, "VTzf", {10}),
         damaged + L"entry \"Options.dat\" holds more than 10 bytes"},
        {"second stream cut short", Bytes(good.begin(), good.end() - 500), damaged + L"entry \"Master.bmp\" unpacks to "},
        {"trailer missing", Bytes(good.begin(), good.end() - 2),
         damaged + L"entry \"Master.bmp\" ends before its compressed data does"},
        {"corrupt deflate data", with(masterAt + 4 + 10 + 4 + 20, 0x7F7F7F7F),
         damaged + L"entry \"Master.bmp\" has corrupt compressed data (data error)"},
        {"count one short", with(4, 1),
         damaged + std::to_wstring(good.size() - masterAt) +
             L" bytes follow its last entry, which its entry count of 1 does not account for"},
        {"bytes after the last entry", [&] { Bytes b = good; b.push_back(0); return b; }(),
         damaged + L"1 bytes follow its last entry, which its entry count of 2 does not account for"},
        {"control characters in a name", Pack({{std::string("Ma\0s\x1F\x7Ft.bmp", 11), Text("x")}}, "VTzf", {5}),
         damaged + L"entry \"Ma\\x00s\\x1F\\x7Ft.bmp\" unpacks to 1 bytes instead of 5"},
    };
    for (const auto& k : cases) {
        std::wstring got = FaultOf(k.Archive);
        EXPECT_EQ(got.substr(0, k.Message.size()), k.Message) << k.What;
    }
}

TEST(acSkinPack, EveryTruncationIsRefused)
{
    Bytes good = Pack({OptionsEntry, {"Small.bmp", Noise(300, 3)}});
    for (size_t n = 0; n < good.size(); ++n) {
        std::wstring got = FaultOf(Bytes(good.begin(), good.begin() + n));
        EXPECT_FALSE(got.empty()) << "accepted " << n << " of " << good.size() << " bytes";
    }
    EXPECT_EQ(FaultOf(good), L"");
}

TEST(acSkinPack, AStoredSkinIsNotFreedWhenItFailsToUnpack)
{
    Bytes archive = Pack({OptionsEntry}, "VTzF");
    TMemoryStream stored;
    stored.WriteBuffer(archive.data(), static_cast<int>(archive.size()));
    auto* c = new TacSkinConvertor();
    c->SetPackedData(&stored, false);
    EXPECT_THROW(UnpackSkinFile(c), Exception);
    EXPECT_EQ(c, nullptr);
    EXPECT_EQ(stored.Size(), static_cast<int64_t>(archive.size()));   // still alive and whole

    Bytes good = Pack({OptionsEntry});
    TMemoryStream stored2;
    stored2.WriteBuffer(good.data(), static_cast<int>(good.size()));
    std::unique_ptr<TacSkinConvertor> ok(new TacSkinConvertor());
    ok->SetPackedData(&stored2, false);
    TacSkinConvertor* p = ok.get();
    UnpackSkinFile(p);
    ok->SetPackedData(nullptr, false);
    EXPECT_EQ(StreamBytes(ok->Options.get()), OptionsEntry.Content);
}

TEST(acSkinPack, LoadsAFileAndLeavesTheReaderAloneWhenTheFileIsMissing)
{
    std::wstring dir = kvltest::TempDir(L"skinpack");
    std::wstring path = dir + L"\\Blue.vtz";
    Bytes archive = Pack({OptionsEntry, MasterEntry});
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, archive.data(), static_cast<DWORD>(archive.size()), &written, nullptr);
    CloseHandle(f);

    TacSkinConvertor* c = nullptr;
    LoadSkinFile(path, c, false);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->PackedData()->Size(), static_cast<int64_t>(archive.size()));
    EXPECT_EQ(c->Files.size(), 1u);

    TacSkinConvertor* before = c;
    LoadSkinFile(dir + L"\\Missing.vtz", c, true);
    EXPECT_EQ(c, before);
    EXPECT_EQ(c->Files.size(), 1u);
    EXPECT_NE(c->PackedData(), nullptr);

    LoadSkinFile(path, c, true);   // an existing reader is cleared and reused
    EXPECT_EQ(c, before);
    EXPECT_EQ(c->Files.size(), 1u);
    EXPECT_EQ(c->PackedData(), nullptr);
    delete c;
    kvltest::RemoveFolder(dir);
}

// Mutations of a valid archive from a fixed seed: every one must unpack or raise an Exception,
// never crash, hang or touch memory outside its buffers (every read of the reader goes through
// the memory stream's bounded Read).
TEST(acSkinPack, FuzzedArchivesGiveAClearErrorOrAValidResult)
{
    const Bytes good = Pack({OptionsEntry, {"Master.bmp", Noise(4000, 4)}, {"Glyph.png", Noise(500, 5)}});
    std::mt19937 rnd(20240616);
    const int32_t lengths[] = {0, 1, -1, 0x7FFFFFFF, static_cast<int32_t>(0x80000000), 0x10000, 4000, 24};
    // Offsets of the header fields, where a wrong length matters most.
    const size_t fields[] = {4, 8, 8 + 4 + 11};
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes b = good;
        switch (rnd() % 4) {
        case 0:
            b.resize(rnd() % b.size());
            break;
        case 1:
            for (int n = 1 + rnd() % 4; n > 0; --n) b[rnd() % b.size()] ^= static_cast<uint8_t>(1u << (rnd() % 8));
            break;
        case 2: {
            size_t at = rnd() % 2 ? fields[rnd() % 3] : rnd() % (b.size() - 4);
            int32_t v = lengths[rnd() % std::size(lengths)];
            std::memcpy(&b[at], &v, 4);
            break;
        }
        default:
            b[rnd() % b.size()] = static_cast<uint8_t>(rnd());
            b.resize(b.size() - rnd() % 64);
            break;
        }
        try {
            std::unique_ptr<TacSkinConvertor> c(UnpackBytes(b));
            ++accepted;
            for (const auto& item : c->Files) EXPECT_EQ(item.FileStream->Position(), item.FileStream->Size());
        } catch (const Exception& e) {
            EXPECT_FALSE(e.Message().empty()) << "round " << round;
        }
    }
    EXPECT_GT(accepted, 0);
}

} // namespace
