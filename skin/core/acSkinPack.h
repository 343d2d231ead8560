#pragma once
// Unit acSkinPack: the reader of packed skins. A packed skin ("VTzf", an entry count, then for
// each entry a name, its unpacked size and one zlib stream) holds a skin folder's options text
// and images in one file or in the form resource; the reader unpacks every entry into a memory
// stream that the skin manager then reads instead of files.
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"
#include "framework/classes/Streams.h"

struct TacImageItem {
    String FileName;   // as stored, case kept
    bool IsBitmap = false;   // the extension is ".bmp", in any case
    std::unique_ptr<TMemoryStream> FileStream;   // unpacked content, positioned at its end
};
using TacImageItems = std::vector<TacImageItem>;

class TacSkinConvertor : public TPersistent {
public:
    ~TacSkinConvertor() override;

    // Entries other than the options text.
    int ImageCount = 0;
    TacImageItems Files;
    // The unpacked options text, or none.
    std::unique_ptr<TMemoryStream> Options;
    // The raw archive, or none.
    TMemoryStream* PackedData() const { return FPackedData; }
    // Owned: the reader frees it with itself or in Clear. A stream that is not owned (a skin
    // stored in a form) is never freed by the reader, also not when unpacking fails.
    void SetPackedData(TMemoryStream* Stream, bool Owned);

    // Frees the image streams (last first), the options text and the packed data.
    void Clear();

private:
    TMemoryStream* FPackedData = nullptr;
    std::unique_ptr<TMemoryStream> FOwnedPackedData;
};

// Unpacks Convertor's PackedData from its start. On any fault (not a packed skin, a damaged
// header, damaged or short compressed data) the reader is freed, Convertor becomes null and the
// exception passes on, so no partly unpacked skin reaches the caller.
void UnpackSkinFile(TacSkinConvertor*& Convertor);

// Reads the archive file into a reader (Convertor, cleared, or a new one) and unpacks it; with
// FreePackedData the raw archive is freed afterwards. Nothing happens when the file does not
// exist. Faults as UnpackSkinFile.
void LoadSkinFile(const String& FileName, TacSkinConvertor*& Convertor, bool FreePackedData);
