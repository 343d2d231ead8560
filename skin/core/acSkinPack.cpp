#include "skin/core/acSkinPack.h"

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "framework/system/StringUtils.h"
#include "skin/core/acZLibEx.h"
#include "skin/core/acntUtils.h"

namespace {

const char Magic[4] = {'V', 'T', 'z', 'f'};
const wchar_t* const OptionsName = L"Options.dat";

// The smallest entry: name length, size, and a zlib stream of an empty block (header, two bytes
// of deflate data, checksum).
constexpr int64_t MinEntryBytes = 4 + 4 + 8;
// Deflate cannot expand data by more than this, so a size beyond it is a lie of the header.
constexpr int64_t MaxInflateRatio = 1032;

[[noreturn]] void Damaged(const String& What)
{
    throw Exception(L"Packed skin is damaged: " + What);
}

int64_t Remaining(TStream& S)
{
    return S.Size() - S.Position();
}

int32_t ReadInt(TStream& S)
{
    uint8_t b[4];
    if (S.Read(b, 4) != 4) Damaged(L"it ends inside an entry header");
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
}

// A name read from a damaged header may hold any byte: it is shown in printable form.
String Quoted(const String& Name)
{
    return L"entry \"" + PrintableText(Name) + L"\"";
}

// Inflates exactly Size bytes, and the zlib stream must end there.
std::unique_ptr<TMemoryStream> UnpackEntry(TMemoryStream& Source, const String& Name, int32_t Size)
{
    auto content = std::make_unique<TMemoryStream>();
    content->SetSize(Size);
    try {
        TZDecompressionStream z(&Source);
        int got = z.Read(content->Memory(), Size);
        if (got != Size)
            Damaged(Quoted(Name) + L" unpacks to " + std::to_wstring(got) + L" bytes instead of " +
                    std::to_wstring(Size));
        if (!z.StreamEnded()) {
            uint8_t probe;
            if (z.Read(&probe, 1) != 0)
                Damaged(Quoted(Name) + L" holds more than " + std::to_wstring(Size) + L" bytes");
            if (!z.StreamEnded()) Damaged(Quoted(Name) + L" ends before its compressed data does");
        }
    } catch (const EZLibError& e) {
        // zlib alone says only "data error": the message names the entry it came from.
        Damaged(Quoted(Name) + L" has corrupt compressed data (" + e.Message() + L")");
    }
    content->Seek(0, soEnd);
    return content;
}

void Unpack(TacSkinConvertor& Convertor)
{
    TMemoryStream* source = Convertor.PackedData();
    if (source == nullptr) throw Exception(L"Loaded data is not a packed Veltrix file");
    source->SetPosition(0);
    char magic[4];
    if (source->Read(magic, 4) != 4 || std::memcmp(magic, Magic, 4) != 0)
        throw Exception(L"Loaded data is not a packed Veltrix file");

    int32_t count = ReadInt(*source);
    if (count < 0 || count > Remaining(*source) / MinEntryBytes)
        Damaged(L"it cannot hold " + std::to_wstring(count) + L" entries");

    for (int32_t i = 0; i < count; ++i) {
        int32_t nameLength = ReadInt(*source);
        if (nameLength < 0 || nameLength > Remaining(*source) - (MinEntryBytes - 4))
            Damaged(L"an entry name of " + std::to_wstring(nameLength) + L" bytes runs past its end");
        std::string rawName(static_cast<size_t>(nameLength), '\0');
        source->ReadBuffer(rawName.data(), nameLength);
        String name = AnsiToString(rawName);

        int32_t size = ReadInt(*source);
        if (size < 0 || size > Remaining(*source) * MaxInflateRatio)
            Damaged(Quoted(name) + L" cannot unpack to " + std::to_wstring(size) + L" bytes");

        std::unique_ptr<TMemoryStream> content = UnpackEntry(*source, name, size);
        if (SameText(name, OptionsName)) {
            Convertor.Options = std::move(content);
        } else {
            TacImageItem item;
            item.FileName = name;
            item.IsBitmap = SameText(ExtractFileExt(name), L".bmp");
            item.FileStream = std::move(content);
            Convertor.Files.push_back(std::move(item));
        }
    }
    // The entries end where the file does: bytes left over mean a count that is too small,
    // and the entries it leaves out would be lost without a word.
    if (int64_t rest = Remaining(*source); rest != 0)
        Damaged(std::to_wstring(rest) + L" bytes follow its last entry, which its entry count of " +
                std::to_wstring(count) + L" does not account for");
    // Counted, not taken as the entry count less one: an archive without an options text (or
    // with two) then still tells the truth.
    Convertor.ImageCount = static_cast<int>(Convertor.Files.size());
}

} // namespace

TacSkinConvertor::~TacSkinConvertor()
{
    Clear();
}

void TacSkinConvertor::SetPackedData(TMemoryStream* Stream, bool Owned)
{
    if (FOwnedPackedData.get() != Stream)
        FOwnedPackedData.reset();
    else if (!Owned)
        (void)FOwnedPackedData.release();
    if (Owned && FOwnedPackedData.get() != Stream) FOwnedPackedData.reset(Stream);
    FPackedData = Stream;
}

void TacSkinConvertor::Clear()
{
    while (!Files.empty()) Files.pop_back();
    ImageCount = 0;
    Options.reset();
    SetPackedData(nullptr, false);
}

void UnpackSkinFile(TacSkinConvertor*& Convertor)
{
    if (Convertor == nullptr) return;
    // A convertor that fails to unpack is freed, and the caller's pointer is cleared with it.
    std::unique_ptr<TacSkinConvertor> owner(std::exchange(Convertor, nullptr));
    Unpack(*owner);
    Convertor = owner.release();
}

void LoadSkinFile(const String& FileName, TacSkinConvertor*& Convertor, bool FreePackedData)
{
    if (!FileExists(FileName)) return;
    if (Convertor != nullptr)
        Convertor->Clear();
    else
        Convertor = new TacSkinConvertor();
    // A file that fails to load or unpack leaves no convertor behind.
    std::unique_ptr<TacSkinConvertor> owner(std::exchange(Convertor, nullptr));
    auto data = std::make_unique<TMemoryStream>();
    data->LoadFromFile(FileName);
    owner->SetPackedData(data.release(), true);
    Unpack(*owner);
    Convertor = owner.release();
    if (FreePackedData) Convertor->SetPackedData(nullptr, false);
}
