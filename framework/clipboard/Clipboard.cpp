#include "framework/clipboard/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "framework/classes/UtilityWindow.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"

namespace {

// Another program (a clipboard viewer, the X bridge) may hold the clipboard for a moment.
constexpr int OpenAttempts = 5;
constexpr DWORD OpenRetryDelayMs = 10;

// Frees a global block unless ownership was handed on.
class TGlobalBlock {
public:
    explicit TGlobalBlock(std::size_t Size) : FHandle(GlobalAlloc(GMEM_MOVEABLE, Size == 0 ? 1 : Size)) {}
    ~TGlobalBlock()
    {
        if (FHandle != nullptr) GlobalFree(FHandle);
    }
    TGlobalBlock(const TGlobalBlock&) = delete;
    TGlobalBlock& operator=(const TGlobalBlock&) = delete;
    HGLOBAL Get() const { return FHandle; }
    HGLOBAL Release()
    {
        HGLOBAL h = FHandle;
        FHandle = nullptr;
        return h;
    }

private:
    HGLOBAL FHandle;
};

// Closes what Open opened when the scope ends, also on an exception.
class TOpenScope {
public:
    explicit TOpenScope(TClipboard* Clipboard) : FClipboard(Clipboard) { FClipboard->Open(); }
    ~TOpenScope() { FClipboard->Close(); }
    TOpenScope(const TOpenScope&) = delete;
    TOpenScope& operator=(const TOpenScope&) = delete;

private:
    TClipboard* FClipboard;
};

std::unique_ptr<TClipboard>& GlobalClipboard()
{
    static std::unique_ptr<TClipboard> clipboard;
    return clipboard;
}

// Size of the header and colour table in front of a DIB's pixels.
std::size_t DibHeaderSize(const std::uint8_t* Dib, std::size_t Size)
{
    if (Size < sizeof(BITMAPINFOHEADER)) return 0;
    BITMAPINFOHEADER header;
    std::memcpy(&header, Dib, sizeof(header));
    std::size_t result = header.biSize;
    if (header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS) result += 3 * sizeof(DWORD);
    DWORD colors = header.biClrUsed;
    if (colors == 0 && header.biBitCount <= 8) colors = 1u << header.biBitCount;
    result += colors * sizeof(RGBQUAD);
    return result;
}

} // namespace

TClipboard::TClipboard() = default;

TClipboard::~TClipboard()
{
    if (FOpenRefCount > 0) CloseClipboard();
    DeallocateHWnd(FHandle);
}

HWND TClipboard::Handle()
{
    if (FHandle == nullptr) FHandle = AllocateHWnd({});
    return FHandle;
}

void TClipboard::Open()
{
    if (FOpenRefCount == 0) {
        HWND owner = Handle();
        bool opened = false;
        for (int attempt = 0; attempt < OpenAttempts && !opened; ++attempt) {
            if (attempt > 0) Sleep(OpenRetryDelayMs);
            opened = OpenClipboard(owner) != FALSE;
        }
        if (!opened) throw EClipboardException(L"Cannot open clipboard");
        FEmptied = false;
    }
    ++FOpenRefCount;
}

void TClipboard::Close()
{
    if (FOpenRefCount == 0) return;
    if (--FOpenRefCount == 0) CloseClipboard();
}

void TClipboard::Clear()
{
    TOpenScope scope(this);
    EmptyClipboard();
    FEmptied = true;
}

void TClipboard::Adding()
{
    if (FOpenRefCount != 0 && !FEmptied) {
        EmptyClipboard();
        FEmptied = true;
    }
}

bool TClipboard::HasFormat(UINT Format) const
{
    return IsClipboardFormatAvailable(Format) != FALSE;
}

int TClipboard::FormatCount() const
{
    return CountClipboardFormats();
}

UINT TClipboard::Formats(int Index)
{
    if (Index < 0) return 0;
    TOpenScope scope(this);
    UINT format = 0;
    for (int i = 0; i <= Index; ++i) {
        format = EnumClipboardFormats(format);
        if (format == 0) return 0;
    }
    return format;
}

String TClipboard::AsText()
{
    TOpenScope scope(this);
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) return String();
    auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (text == nullptr) return String();
    std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    String result(text, wcsnlen(text, capacity));
    GlobalUnlock(data);
    return result;
}

void TClipboard::SetAsText(const String& Value)
{
    SetBuffer(CF_UNICODETEXT, Value.c_str(), (Value.size() + 1) * sizeof(wchar_t));
}

int TClipboard::GetTextBuf(wchar_t* Buffer, int BufSize)
{
    if (Buffer == nullptr || BufSize <= 0) return 0;
    String text = AsText();
    int count = std::min(static_cast<int>(text.size()), BufSize - 1);
    std::memcpy(Buffer, text.data(), count * sizeof(wchar_t));
    Buffer[count] = L'\0';
    return count;
}

void TClipboard::SetTextBuf(const wchar_t* Buffer)
{
    SetAsText(Buffer != nullptr ? String(Buffer) : String());
}

HANDLE TClipboard::GetAsHandle(UINT Format)
{
    TOpenScope scope(this);
    return GetClipboardData(Format);
}

void TClipboard::SetAsHandle(UINT Format, HANDLE Value)
{
    TOpenScope scope(this);
    Adding();
    if (SetClipboardData(Format, Value) == nullptr) throw EClipboardException(L"Cannot place data on the clipboard");
}

std::vector<std::uint8_t> TClipboard::GetAsBytes(UINT Format)
{
    TOpenScope scope(this);
    HANDLE data = GetClipboardData(Format);
    if (data == nullptr) return {};
    auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(data));
    if (bytes == nullptr) return {};
    std::vector<std::uint8_t> result(bytes, bytes + GlobalSize(data));
    GlobalUnlock(data);
    return result;
}

void TClipboard::SetAsBytes(UINT Format, const void* Data, std::size_t Size)
{
    SetBuffer(Format, Data, Size);
}

void TClipboard::SetBuffer(UINT Format, const void* Buffer, std::size_t Size)
{
    TGlobalBlock block(Size);
    if (block.Get() == nullptr) throw EOutOfResources(L"Out of memory for the clipboard");
    void* target = GlobalLock(block.Get());
    if (Size > 0) std::memcpy(target, Buffer, Size);
    GlobalUnlock(block.Get());
    SetAsHandle(Format, block.Get());
    block.Release();
}

void TClipboard::Assign(TPersistent* Source)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        AssignBitmap(bitmap);
    } else if (auto* picture = dynamic_cast<TPicture*>(Source); picture != nullptr && dynamic_cast<TBitmap*>(picture->Graphic())) {
        AssignBitmap(static_cast<TBitmap*>(picture->Graphic()));
    } else {
        TPersistent::Assign(Source);
    }
}

void TClipboard::AssignTo(TPersistent* Dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        AssignToBitmap(bitmap);
    } else if (auto* picture = dynamic_cast<TPicture*>(Dest)) {
        TBitmap bitmap;
        AssignToBitmap(&bitmap);
        picture->SetGraphic(&bitmap);
    } else {
        TPersistent::AssignTo(Dest);
    }
}

// A DIB is the bitmap file without its file header.
void TClipboard::AssignBitmap(TBitmap* Bitmap)
{
    std::vector<std::uint8_t> file = Bitmap->SaveToBytes();
    if (file.size() <= sizeof(BITMAPFILEHEADER)) throw EClipboardException(L"Cannot copy an empty bitmap to the clipboard");
    SetBuffer(CF_DIB, file.data() + sizeof(BITMAPFILEHEADER), file.size() - sizeof(BITMAPFILEHEADER));
}

void TClipboard::AssignToBitmap(TBitmap* Bitmap)
{
    std::vector<std::uint8_t> dib = GetAsBytes(CF_DIB);
    std::size_t header = DibHeaderSize(dib.data(), dib.size());
    if (header == 0 || header > dib.size()) throw EClipboardException(L"The clipboard holds no picture");
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42; // "BM"
    fileHeader.bfSize = static_cast<DWORD>(sizeof(fileHeader) + dib.size());
    fileHeader.bfOffBits = static_cast<DWORD>(sizeof(fileHeader) + header);
    std::vector<std::uint8_t> file(sizeof(fileHeader));
    std::memcpy(file.data(), &fileHeader, sizeof(fileHeader));
    file.insert(file.end(), dib.begin(), dib.end());
    Bitmap->LoadFromBytes(file.data(), file.size());
}

UINT TClipboard::RegisterFormat(const String& Name)
{
    return RegisterClipboardFormatW(Name.c_str());
}

String TClipboard::FormatName(UINT Format)
{
    wchar_t name[256];
    int length = GetClipboardFormatNameW(Format, name, 256);
    return String(name, length > 0 ? length : 0);
}

TClipboard* Clipboard()
{
    std::unique_ptr<TClipboard>& clipboard = GlobalClipboard();
    if (!clipboard) clipboard = std::make_unique<TClipboard>();
    return clipboard.get();
}

std::unique_ptr<TClipboard> SetClipboard(std::unique_ptr<TClipboard> NewClipboard)
{
    std::unique_ptr<TClipboard> old = std::move(GlobalClipboard());
    GlobalClipboard() = std::move(NewClipboard);
    return old;
}
