#pragma once
// Byte streams: the abstract TStream with its buffer and copy helpers, file and handle streams,
// memory streams, and the bridges to COM: an IStream over any TStream (TStreamAdapter) and
// IStreams over global memory, which OLE pictures, GDI+ and the clipboard consume.
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/system/Exceptions.h"
#include "framework/classes/StringList.h"
#include "framework/system/SystemTypes.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Read and Write move at most Count bytes and return how many they moved.
    virtual int Read(void* Buffer, int Count) = 0;
    virtual int Write(const void* Buffer, int Count) = 0;
    // Returns the new position.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize);

    // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* Buffer, int Count);
    void WriteBuffer(const void* Buffer, int Count);
    template <typename T> void ReadData(T& Value) { ReadBuffer(&Value, static_cast<int>(sizeof(T))); }
    template <typename T> void WriteData(const T& Value) { WriteBuffer(&Value, static_cast<int>(sizeof(T))); }
    // Copies Count bytes from Source's position; Count 0 copies the whole of Source from its
    // beginning. Returns the number of bytes copied.
    int64_t CopyFrom(TStream* Source, int64_t Count);
};

class THandleStream : public TStream {
public:
    explicit THandleStream(HANDLE AHandle) : FHandle(AHandle) {}

    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;
    HANDLE Handle() const { return FHandle; }

protected:
    HANDLE FHandle;
};

// File open modes: one access mode or fmCreate, combined with one share mode.
constexpr unsigned fmCreate = 0xFF00;
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

class TFileStream : public THandleStream {
public:
    // EFCreateError "Cannot create file "name". <reason>" / EFOpenError "Cannot open file ...".
    TFileStream(const String& AFileName, unsigned Mode);
    ~TFileStream() override;
    const String& FileName() const { return FFileName; }

private:
    String FFileName;
};

class TMemoryStream : public TStream {
public:
    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return static_cast<int64_t>(FSize); }
    void SetSize(int64_t NewSize) override;

    void* Memory() { return FData.data(); }
    const void* Memory() const { return FData.data(); }
    void Clear();
    // Replaces the content with the whole of Stream (read from its beginning).
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const String& FileName);
    // Writes the whole content at Stream's position.
    void SaveToStream(TStream* Stream) const;
    void SaveToFile(const String& FileName) const;
    // A copy of the content.
    std::vector<uint8_t> Bytes() const { return std::vector<uint8_t>(FData.begin(), FData.begin() + FSize); }

protected:
    std::vector<uint8_t> FData;
    size_t FSize = 0;
    size_t FPosition = 0;
};

class TBytesStream : public TMemoryStream {
public:
    TBytesStream() = default;
    explicit TBytesStream(const std::vector<uint8_t>& ABytes);
};

// A memory stream holding text in one encoding (no byte-order mark).
class TStringStream : public TBytesStream {
public:
    explicit TStringStream(const String& AString = String(), TTextEncoding AEncoding = teUTF8);
    String DataString() const;
    void WriteString(const String& AString);
    TTextEncoding Encoding() const { return FEncoding; }

private:
    TTextEncoding FEncoding;
};

enum TStreamOwnership { soReference, soOwned };

// An IStream over a TStream, reference counted like any COM object: it starts with a count of
// 1, which the creator owns. With soOwned the adapter deletes the stream with itself.
class TStreamAdapter : public IStream {
public:
    TStreamAdapter(TStream* Stream, TStreamOwnership Ownership = soReference);
    TStream* Stream() const { return FStream; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD grfCommitFlags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override;

private:
    virtual ~TStreamAdapter();
    TStream* FStream;
    TStreamOwnership FOwnership;
    LONG FRefCount = 1;
};

// Global memory (moveable) holding a copy of the bytes; the caller owns the handle.
HGLOBAL GlobalAllocBytes(const void* Data, size_t Size, UINT Flags = GMEM_MOVEABLE);
// The bytes of a global memory block (empty for a null handle).
std::vector<uint8_t> GlobalBytes(HGLOBAL Handle);

// An IStream over new global memory holding a copy of the bytes (or of the whole of Source),
// positioned at its start; it frees the memory on its last Release. The caller owns the one
// reference. EStreamError when memory runs out.
IStream* CreateGlobalMemoryStream(const void* Data, size_t Size);
IStream* CreateGlobalMemoryStream(TStream* Source);
// Everything an IStream holds, from its start, leaving its position at the end.
std::vector<uint8_t> IStreamBytes(IStream* Source);
// Writes everything an IStream holds at Dest's position; returns the number of bytes.
int64_t ReadIStream(IStream* Source, TStream* Dest);
