// TLZ77Decoder: the inflate wrapper the PNG reader feeds image-data chunks through; zlib does
// the work.
#include "skin/core/acPNG.h"

namespace {
const wchar_t* const SDecompressionError = L"LZ77 decompression error.";
}

TLZ77Decoder::TLZ77Decoder(int FlushMode, bool AutoReset) : FFlushMode(FlushMode), FAutoReset(AutoReset) {}

TLZ77Decoder::~TLZ77Decoder()
{
    // A load that failed half-way may not have ended the stream.
    if (FInitialised) inflateEnd(&FStream);
}

void TLZ77Decoder::DecodeInit()
{
    FStream = z_stream{};
    FZLibResult = inflateInit(&FStream);
    if (FZLibResult < 0) throw EGraphicCompression(SDecompressionError);
    FInitialised = true;
}

void TLZ77Decoder::Decode(const std::uint8_t*& Source, std::uint8_t*& Target, int PackedSize, int UnpackedSize)
{
    FStream.next_in = const_cast<Bytef*>(Source);
    FStream.avail_in = static_cast<uInt>(PackedSize);
    if (FAutoReset) {
        FZLibResult = inflateReset(&FStream);
        if (FZLibResult != Z_OK) return;
    }
    FStream.next_out = Target;
    FStream.avail_out = static_cast<uInt>(UnpackedSize);
    FZLibResult = inflate(&FStream, FFlushMode);
    Source = FStream.next_in;
    Target = FStream.next_out;
}

void TLZ77Decoder::DecodeEnd()
{
    if (!FInitialised) return;
    FInitialised = false;
    FZLibResult = inflateEnd(&FStream);
    if (FZLibResult < 0) throw EGraphicCompression(SDecompressionError);
}
