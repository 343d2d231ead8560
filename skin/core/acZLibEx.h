#pragma once
// Unit acZLibEx: a read-only stream that inflates one zlib stream (RFC 1950) out of another
// stream, and the zlib errors as exceptions. The packed skin reader inflates each archive entry
// through it; the source position is kept exactly after the zlib stream's trailer, because the
// archive stores no compressed lengths.
#include <zlib.h>

#include <cstdint>

#include "framework/classes/Streams.h"

enum TZError { zeError, zeStreamError, zeDataError, zeMemoryError, zeBufferError, zeVersionError };

class EZLibError : public Exception {
public:
    // The message is zlib's text for the code ("data error" for Z_DATA_ERROR).
    explicit EZLibError(int Code);
    explicit EZLibError(TZError Error);
    EZLibError(int Code, const String& Message) : Exception(Message), ErrorCode(Code) {}
    int ErrorCode;
};

class EZDecompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
};

// zlib's return code for a TZError (zeError -> Z_ERRNO ... zeVersionError -> Z_VERSION_ERROR).
int ZErrorCode(TZError Error);
// The text of a zlib return code; empty for codes outside 2 .. -6.
String ZErrorMessage(int Code);

class TCustomZStream : public TStream {
public:
    TNotifyEvent OnProgress;

protected:
    explicit TCustomZStream(TStream* Source);

    TStream* FStream;        // not owned
    int64_t FStreamPos;      // where the inflater last left the source
    z_stream FZStream{};
    static constexpr int BufferSize = 131072;
    uint8_t FBuffer[BufferSize];
};

class TZDecompressionStream : public TCustomZStream {
public:
    // Inflates from Source's current position. EZDecompressionError when zlib cannot start.
    explicit TZDecompressionStream(TStream* Source);
    TZDecompressionStream(TStream* Source, int WindowBits);
    ~TZDecompressionStream() override;

    // Fewer bytes than Count only when the zlib stream or the source has ended.
    int Read(void* Buffer, int Count) override;
    // EZDecompressionError "Invalid ZStream operation!".
    int Write(const void* Buffer, int Count) override;
    // Forward only (by inflating and discarding), or back to the start of the zlib stream;
    // answers the number of bytes inflated so far.
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;

    // The zlib stream's end (its checksum trailer included) has been read.
    bool StreamEnded() const { return FLastResult == Z_STREAM_END; }

private:
    void Check(int Result);
    void Discard(int64_t Count);

    int64_t FStartPos;  // where the zlib stream begins in the source
    int FLastResult = Z_OK;
};
