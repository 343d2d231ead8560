#include "framework/classes/Streams.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>

#include "framework/system/StringUtils.h"

namespace {

// The system's text for an error code, without the trailing full stop and line break, so that
// it can end a sentence of ours.
String SystemMessage(DWORD code)
{
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    String text = n != 0 && buffer != nullptr ? String(buffer, n) : String();
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
    if (text.empty()) text = L"System error " + std::to_wstring(code);
    return text;
}

int ClampCount(int64_t count)
{
    return static_cast<int>(std::min<int64_t>(count, std::numeric_limits<int>::max()));
}

} // namespace

// TStream ---------------------------------------------------------------------------------------

int64_t TStream::Size()
{
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t)
{
    // A stream that cannot change its size ignores the request, as a pipe would.
}

void TStream::ReadBuffer(void* Buffer, int Count)
{
    if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count)
{
    if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count)
{
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    const int bufferSize = 64 * 1024;
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[bufferSize]);
    int64_t done = 0;
    while (done < Count) {
        int n = ClampCount(std::min<int64_t>(Count - done, bufferSize));
        Source->ReadBuffer(buffer.get(), n);
        WriteBuffer(buffer.get(), n);
        done += n;
    }
    return done;
}

// THandleStream ---------------------------------------------------------------------------------

int THandleStream::Read(void* Buffer, int Count)
{
    if (Count <= 0) return 0;
    DWORD done = 0;
    if (!ReadFile(FHandle, Buffer, static_cast<DWORD>(Count), &done, nullptr)) return 0;
    return static_cast<int>(done);
}

int THandleStream::Write(const void* Buffer, int Count)
{
    if (Count <= 0) return 0;
    DWORD done = 0;
    if (!WriteFile(FHandle, Buffer, static_cast<DWORD>(Count), &done, nullptr)) return 0;
    return static_cast<int>(done);
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance, result;
    distance.QuadPart = Offset;
    if (!SetFilePointerEx(FHandle, distance, &result, methods[Origin])) return -1;
    return result.QuadPart;
}

void THandleStream::SetSize(int64_t NewSize)
{
    Seek(NewSize, soBeginning);
    if (!SetEndOfFile(FHandle)) throw EStreamError(L"Cannot set the stream size. " + SystemMessage(GetLastError()));
}

// TFileStream -----------------------------------------------------------------------------------

TFileStream::TFileStream(const String& AFileName, unsigned Mode) : THandleStream(INVALID_HANDLE_VALUE), FFileName(AFileName)
{
    static const DWORD shareModes[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    unsigned shareIndex = (Mode & 0xF0) >> 4;
    DWORD share = shareIndex < 5 ? shareModes[shareIndex] : 0;
    if ((Mode & fmCreate) == fmCreate) {
        FHandle = CreateFileW(AFileName.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (FHandle == INVALID_HANDLE_VALUE)
            throw EFCreateError(L"Cannot create file \"" + AFileName + L"\". " + SystemMessage(GetLastError()));
        return;
    }
    static const DWORD accessModes[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    unsigned accessIndex = Mode & 0x03;
    DWORD access = accessIndex < 3 ? accessModes[accessIndex] : GENERIC_READ;
    FHandle = CreateFileW(AFileName.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE)
        throw EFOpenError(L"Cannot open file \"" + AFileName + L"\". " + SystemMessage(GetLastError()));
}

TFileStream::~TFileStream()
{
    if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

// TMemoryStream ---------------------------------------------------------------------------------

int TMemoryStream::Read(void* Buffer, int Count)
{
    if (Count <= 0 || FPosition >= FSize) return 0;
    size_t n = std::min(static_cast<size_t>(Count), FSize - FPosition);
    std::memcpy(Buffer, FData.data() + FPosition, n);
    FPosition += n;
    return static_cast<int>(n);
}

int TMemoryStream::Write(const void* Buffer, int Count)
{
    if (Count <= 0) return 0;
    size_t end = FPosition + static_cast<size_t>(Count);
    if (end > FSize) SetSize(static_cast<int64_t>(end));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? static_cast<int64_t>(FPosition) : static_cast<int64_t>(FSize);
    int64_t pos = base + Offset;
    // Past the end is allowed (a later write fills the gap with zeros); before the start is not.
    if (pos < 0) pos = 0;
    FPosition = static_cast<size_t>(pos);
    return pos;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
    if (NewSize < 0) NewSize = 0;
    size_t size = static_cast<size_t>(NewSize);
    if (size > FData.size()) {
        // Grow in steps, so that writing byte by byte stays linear.
        size_t capacity = std::max(size, FData.size() + FData.size() / 4);
        FData.resize(capacity, 0);
    }
    if (size < FSize) std::fill(FData.begin() + size, FData.begin() + FSize, 0);
    FSize = size;
    if (FPosition > FSize) FPosition = FSize;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    FSize = 0;
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    int64_t count = Stream->Size();
    SetSize(count);
    if (count != 0) Stream->ReadBuffer(FData.data(), ClampCount(count));
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TMemoryStream::SaveToStream(TStream* Stream) const
{
    if (FSize != 0) Stream->WriteBuffer(FData.data(), ClampCount(static_cast<int64_t>(FSize)));
}

void TMemoryStream::SaveToFile(const String& FileName) const
{
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}

TBytesStream::TBytesStream(const std::vector<uint8_t>& ABytes)
{
    FData = ABytes;
    FSize = ABytes.size();
}

TStringStream::TStringStream(const String& AString, TTextEncoding AEncoding) : FEncoding(AEncoding)
{
    // The stream holds the bare text; a byte-order mark belongs to files.
    if (FEncoding == teUTF8BOM) FEncoding = teUTF8;
    WriteString(AString);
    FPosition = 0;
}

String TStringStream::DataString() const
{
    std::string_view bytes(reinterpret_cast<const char*>(FData.data()), FSize);
    switch (FEncoding) {
    case teANSI:
        return AnsiToString(bytes);
    case teUTF16LE:
    case teUTF16BE: {
        String text(FSize / 2, L'\0');
        bool little = FEncoding == teUTF16LE;
        for (size_t i = 0; i < text.size(); ++i) {
            unsigned lo = FData[2 * i + (little ? 0 : 1)], hi = FData[2 * i + (little ? 1 : 0)];
            text[i] = static_cast<wchar_t>(lo | (hi << 8));
        }
        return text;
    }
    default:
        return Utf8ToString(bytes);
    }
}

void TStringStream::WriteString(const String& AString)
{
    std::string bytes = EncodeText(AString, FEncoding);
    // EncodeText puts a byte-order mark before UTF-16; a string stream holds none.
    size_t skip = (FEncoding == teUTF16LE || FEncoding == teUTF16BE) ? 2 : 0;
    if (bytes.size() > skip) WriteBuffer(bytes.data() + skip, static_cast<int>(bytes.size() - skip));
}

// TStreamAdapter --------------------------------------------------------------------------------

TStreamAdapter::TStreamAdapter(TStream* Stream, TStreamOwnership Ownership) : FStream(Stream), FOwnership(Ownership) {}

TStreamAdapter::~TStreamAdapter()
{
    if (FOwnership == soOwned) delete FStream;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::QueryInterface(REFIID riid, void** ppvObject)
{
    if (ppvObject == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) || IsEqualIID(riid, IID_IStream)) {
        *ppvObject = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TStreamAdapter::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&FRefCount));
}

ULONG STDMETHODCALLTYPE TStreamAdapter::Release()
{
    LONG count = InterlockedDecrement(&FRefCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

// No exception may cross the COM boundary: each method turns one into an error code.
HRESULT STDMETHODCALLTYPE TStreamAdapter::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (pv == nullptr) return STG_E_INVALIDPOINTER;
    try {
        int n = FStream->Read(pv, ClampCount(cb));
        if (pcbRead != nullptr) *pcbRead = static_cast<ULONG>(n);
        return static_cast<ULONG>(n) < cb ? S_FALSE : S_OK;
    } catch (...) {
        return S_FALSE;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    if (pv == nullptr) return STG_E_INVALIDPOINTER;
    try {
        int n = FStream->Write(pv, ClampCount(cb));
        if (pcbWritten != nullptr) *pcbWritten = static_cast<ULONG>(n);
        return static_cast<ULONG>(n) < cb ? STG_E_MEDIUMFULL : S_OK;
    } catch (...) {
        return STG_E_CANTSAVE;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition)
{
    if (dwOrigin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    try {
        int64_t pos = FStream->Seek(dlibMove.QuadPart, static_cast<TSeekOrigin>(dwOrigin));
        if (pos < 0) return STG_E_INVALIDFUNCTION;
        if (plibNewPosition != nullptr) plibNewPosition->QuadPart = static_cast<ULONGLONG>(pos);
        return S_OK;
    } catch (...) {
        return STG_E_INVALIDPOINTER;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::SetSize(ULARGE_INTEGER libNewSize)
{
    try {
        FStream->SetSize(static_cast<int64_t>(libNewSize.QuadPart));
        return FStream->Size() == static_cast<int64_t>(libNewSize.QuadPart) ? S_OK : E_FAIL;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten)
{
    if (pstm == nullptr) return STG_E_INVALIDPOINTER;
    ULONGLONG totalRead = 0, totalWritten = 0;
    HRESULT result = S_OK;
    try {
        const ULONG chunk = 64 * 1024;
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[chunk]);
        while (totalRead < cb.QuadPart) {
            ULONG want = static_cast<ULONG>(std::min<ULONGLONG>(chunk, cb.QuadPart - totalRead));
            int n = FStream->Read(buffer.get(), static_cast<int>(want));
            if (n <= 0) break;
            totalRead += static_cast<ULONG>(n);
            ULONG written = 0;
            result = pstm->Write(buffer.get(), static_cast<ULONG>(n), &written);
            totalWritten += written;
            if (FAILED(result)) break;
            if (written != static_cast<ULONG>(n)) {
                result = E_FAIL;
                break;
            }
            if (static_cast<ULONG>(n) < want) break;
        }
    } catch (...) {
        result = E_UNEXPECTED;
    }
    if (pcbRead != nullptr) pcbRead->QuadPart = totalRead;
    if (pcbWritten != nullptr) pcbWritten->QuadPart = totalWritten;
    return result;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Commit(DWORD)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Revert()
{
    return STG_E_REVERTED;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Stat(STATSTG* pstatstg, DWORD)
{
    if (pstatstg == nullptr) return STG_E_INVALIDPOINTER;
    try {
        std::memset(pstatstg, 0, sizeof(*pstatstg));
        pstatstg->type = STGTY_STREAM;
        pstatstg->cbSize.QuadPart = static_cast<ULONGLONG>(FStream->Size());
        pstatstg->grfMode = STGM_READWRITE;
        pstatstg->grfLocksSupported = LOCK_WRITE;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Clone(IStream** ppstm)
{
    if (ppstm != nullptr) *ppstm = nullptr;
    return E_NOTIMPL;
}

// Global memory ---------------------------------------------------------------------------------

HGLOBAL GlobalAllocBytes(const void* Data, size_t Size, UINT Flags)
{
    // A zero-sized moveable block would be discarded; keep one byte so the handle stays valid.
    HGLOBAL handle = GlobalAlloc(Flags, Size != 0 ? Size : 1);
    if (handle == nullptr) throw EStreamError(L"Out of global memory");
    if (Size != 0) {
        void* p = GlobalLock(handle);
        std::memcpy(p, Data, Size);
        GlobalUnlock(handle);
    }
    return handle;
}

std::vector<uint8_t> GlobalBytes(HGLOBAL Handle)
{
    std::vector<uint8_t> bytes;
    if (Handle == nullptr) return bytes;
    SIZE_T size = GlobalSize(Handle);
    const void* p = GlobalLock(Handle);
    if (p != nullptr) {
        bytes.assign(static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size);
        GlobalUnlock(Handle);
    }
    return bytes;
}

IStream* CreateGlobalMemoryStream(const void* Data, size_t Size)
{
    HGLOBAL handle = GlobalAllocBytes(Data, Size);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(handle, TRUE, &stream))) {
        GlobalFree(handle);
        throw EStreamError(L"Cannot create a stream on global memory");
    }
    // The block may be larger than the data; the stream's size is the data's.
    ULARGE_INTEGER size;
    size.QuadPart = Size;
    stream->SetSize(size);
    return stream;
}

IStream* CreateGlobalMemoryStream(TStream* Source)
{
    TMemoryStream copy;
    copy.LoadFromStream(Source);
    return CreateGlobalMemoryStream(copy.Memory(), static_cast<size_t>(copy.Size()));
}

std::vector<uint8_t> IStreamBytes(IStream* Source)
{
    std::vector<uint8_t> bytes;
    LARGE_INTEGER zero{};
    if (FAILED(Source->Seek(zero, STREAM_SEEK_SET, nullptr))) throw EReadError(L"Stream read error");
    uint8_t buffer[64 * 1024];
    for (;;) {
        ULONG n = 0;
        HRESULT hr = Source->Read(buffer, sizeof buffer, &n);
        if (FAILED(hr)) throw EReadError(L"Stream read error");
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (n == 0 || hr == S_FALSE) break;
    }
    return bytes;
}

int64_t ReadIStream(IStream* Source, TStream* Dest)
{
    std::vector<uint8_t> bytes = IStreamBytes(Source);
    if (!bytes.empty()) Dest->WriteBuffer(bytes.data(), ClampCount(static_cast<int64_t>(bytes.size())));
    return static_cast<int64_t>(bytes.size());
}
