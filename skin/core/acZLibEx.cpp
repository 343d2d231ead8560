#include "skin/core/acZLibEx.h"

#include <cstdlib>

namespace {

const wchar_t* const InvalidOperation = L"Invalid ZStream operation!";

// zlib's codes 2 .. -7, indexed by 2 - code.
const wchar_t* const ZMessages[] = {
    L"need dictionary", L"stream end", L"ok", L"file error", L"stream error",
    L"data error", L"insufficient memory", L"buffer error", L"incompatible version", L"",
};

voidpf ZAlloc(voidpf, uInt Items, uInt Size)
{
    if (Size != 0 && Items > SIZE_MAX / Size) return Z_NULL;
    return std::malloc(static_cast<size_t>(Items) * Size);
}

void ZFree(voidpf, voidpf Block)
{
    std::free(Block);
}

} // namespace

int ZErrorCode(TZError Error)
{
    return -1 - static_cast<int>(Error);
}

String ZErrorMessage(int Code)
{
    int index = 2 - Code;
    if (index < 0 || index >= static_cast<int>(std::size(ZMessages))) return String();
    return ZMessages[index];
}

EZLibError::EZLibError(int Code) : Exception(ZErrorMessage(Code)), ErrorCode(Code) {}

EZLibError::EZLibError(TZError Error) : EZLibError(ZErrorCode(Error)) {}

TCustomZStream::TCustomZStream(TStream* Source) : FStream(Source), FStreamPos(Source->Position())
{
    FZStream.zalloc = ZAlloc;
    FZStream.zfree = ZFree;
    FZStream.opaque = Z_NULL;
    FZStream.next_in = FBuffer;
    FZStream.avail_in = 0;
}

TZDecompressionStream::TZDecompressionStream(TStream* Source) : TCustomZStream(Source), FStartPos(FStreamPos)
{
    // The macro passes the linked zlib's own version and record size.
    int result = inflateInit(&FZStream);
    if (result < 0) throw EZDecompressionError(result);
}

TZDecompressionStream::TZDecompressionStream(TStream* Source, int WindowBits)
    : TCustomZStream(Source), FStartPos(FStreamPos)
{
    int result = inflateInit2(&FZStream, WindowBits);
    if (result < 0) throw EZDecompressionError(result);
}

TZDecompressionStream::~TZDecompressionStream()
{
    inflateEnd(&FZStream);
}

void TZDecompressionStream::Check(int Result)
{
    // A preset dictionary is never supplied here; waiting for one would spin for ever.
    if (Result < 0 || Result == Z_NEED_DICT) throw EZDecompressionError(Result);
}

int TZDecompressionStream::Read(void* Buffer, int Count)
{
    if (Count <= 0) return 0;
    FZStream.next_out = static_cast<Bytef*>(Buffer);
    FZStream.avail_out = static_cast<uInt>(Count);
    // Several decompression streams may take turns on one source.
    if (FStream->Position() != FStreamPos) FStream->SetPosition(FStreamPos);

    while (FZStream.avail_out > 0 && FLastResult != Z_STREAM_END) {
        if (FZStream.avail_in == 0) {
            int got = FStream->Read(FBuffer, BufferSize);
            if (got <= 0) return Count - static_cast<int>(FZStream.avail_out);
            FZStream.next_in = FBuffer;
            FZStream.avail_in = static_cast<uInt>(got);
            FStreamPos = FStream->Position();
            if (OnProgress) OnProgress(this);
        }
        FLastResult = inflate(&FZStream, Z_NO_FLUSH);
        Check(FLastResult);
    }

    // Give back what was read past the trailer: the next record of the source starts there.
    if (FLastResult == Z_STREAM_END && FZStream.avail_in > 0) {
        FStreamPos = FStream->Seek(FStreamPos - FZStream.avail_in, soBeginning);
        FZStream.avail_in = 0;
    }
    return Count - static_cast<int>(FZStream.avail_out);
}

int TZDecompressionStream::Write(const void*, int)
{
    throw EZDecompressionError(Z_STREAM_ERROR, InvalidOperation);
}

void TZDecompressionStream::Discard(int64_t Count)
{
    uint8_t piece[16384];
    for (; Count >= static_cast<int64_t>(sizeof piece); Count -= sizeof piece) ReadBuffer(piece, sizeof piece);
    ReadBuffer(piece, static_cast<int>(Count));
}

int64_t TZDecompressionStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    const int64_t done = static_cast<int64_t>(FZStream.total_out);
    if (Offset == 0 && Origin == soBeginning) {
        Check(inflateReset(&FZStream));
        FZStream.next_in = FBuffer;
        FZStream.avail_in = 0;
        FLastResult = Z_OK;
        // Back to where this zlib stream begins, not to the source's start: the source is
        // usually a whole archive.
        FStreamPos = FStartPos;
        FStream->SetPosition(FStartPos);
    } else if (Offset >= 0 && Origin == soCurrent) {
        Discard(Offset);
    } else if (Origin == soBeginning && Offset >= done) {
        Discard(Offset - done);
    } else if (Offset == 0 && Origin == soEnd) {
        uint8_t piece[16384];
        while (Read(piece, sizeof piece) != 0) {
        }
    } else {
        throw EZDecompressionError(Z_STREAM_ERROR, InvalidOperation);
    }
    return static_cast<int64_t>(FZStream.total_out);
}
