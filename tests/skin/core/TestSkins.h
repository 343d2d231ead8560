#pragma once
// Skins the tests make: images drawn in code, an options text, written to a folder or packed
// with the test packer; and comparisons of the records they load into.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <cstring>
#include <memory>
#include <string>

#include "SkinPacker.h"
#include "framework/classes/Streams.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/sMaskData.h"
#include "support/TestSupport.h"

namespace testskins {

using namespace skinpack_test;

// A 24-bit BMP of one colour (TColor), with a marker pixel so that images differ.
inline Bytes BmpBytes(int W, int H, TColor Color = 0x3366CC)
{
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(W, H);
    auto* row0 = static_cast<uint8_t*>(bmp.ScanLine(0));
    for (int y = 0; y < H; ++y) {
        auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
        for (int x = 0; x < W; ++x) {
            row[3 * x] = static_cast<uint8_t>(Color >> 16);
            row[3 * x + 1] = static_cast<uint8_t>(Color >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(Color);
        }
    }
    row0[0] = 0xFF;
    row0[1] = row0[2] = 0;
    return bmp.SaveToBytes();
}

// A JPEG encoded through the platform's codecs.
inline Bytes JpegBytes(int W, int H)
{
    using namespace Gdiplus;
    static ULONG_PTR token = [] {
        GdiplusStartupInput input;
        ULONG_PTR t = 0;
        GdiplusStartup(&t, &input, nullptr);
        return t;
    }();
    (void)token;
    std::vector<uint32_t> pixels(static_cast<size_t>(W) * H, 0xFF4080C0u);
    GpBitmap* image = nullptr;
    EXPECT_EQ(DllExports::GdipCreateBitmapFromScan0(W, H, W * 4, PixelFormat32bppARGB,
                                                     reinterpret_cast<BYTE*>(pixels.data()), &image),
              Ok);
    const CLSID jpegEncoder = {0x557cf401, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    IStream* stream = SHCreateMemStream(nullptr, 0);
    EXPECT_EQ(DllExports::GdipSaveImageToStream(image, stream, &jpegEncoder, nullptr), Ok);
    DllExports::GdipDisposeImage(image);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    Bytes out(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(out.data(), static_cast<ULONG>(out.size()), &read);
    stream->Release();
    return out;
}

inline void WriteFile(const std::wstring& Path, const Bytes& Data)
{
    TMemoryStream stream;
    if (!Data.empty()) stream.WriteBuffer(Data.data(), static_cast<int>(Data.size()));
    stream.SaveToFile(Path);
}

// One skin as named files, loadable from a folder or from its packed archive.
struct TTestSkin {
    std::vector<TEntry> Files;

    explicit TTestSkin(const std::string& Options, std::vector<TEntry> Images = {})
    {
        Files.push_back({"Options.dat", Text(Options)});
        for (auto& e : Images) Files.push_back(std::move(e));
    }

    // Into Dir, an existing folder named with a trailing backslash.
    void WriteTo(const std::wstring& Dir) const
    {
        for (const TEntry& e : Files) WriteFile(Dir + std::wstring(e.Name.begin(), e.Name.end()), e.Content);
    }

    std::wstring WriteFolder() const
    {
        std::wstring dir = kvltest::TempDir(L"skinrec");
        WriteTo(dir);
        return dir;
    }

    Bytes Packed() const { return Pack(Files); }

    std::unique_ptr<TsSkin> FromFolder(const TStrings* Common = nullptr) const
    {
        return LoadSkin(TsSkinSource{WriteFolder(), nullptr, nullptr}, TsSkinLoadSettings{nullptr, Common});
    }

    std::unique_ptr<TsSkin> FromArchive() const
    {
        Bytes archive = Pack(Files);
        auto* data = new TMemoryStream();
        data->WriteBuffer(archive.data(), static_cast<int>(archive.size()));
        auto* convertor = new TacSkinConvertor();
        convertor->SetPackedData(data, true);
        UnpackSkinFile(convertor);
        std::unique_ptr<TacSkinConvertor> owner(convertor);
        return LoadSkin(TsSkinSource{L"", convertor, nullptr});
    }
};

inline const TsGeneralData& Section(const TsSkin& Skin, const wchar_t* Name)
{
    int i = Skin.GetSkinIndex(Name);
    EXPECT_GE(i, 0) << "no section " << std::string(Name, Name + wcslen(Name));
    static TsGeneralData none;
    return i >= 0 ? Skin.gd[i] : none;
}

inline const TsMaskData& Mask(const TsSkin& Skin, const wchar_t* SectionName, const wchar_t* Name)
{
    int i = Skin.GetMaskIndex(SectionName, Name);
    EXPECT_GE(i, 0) << "no mask " << std::string(Name, Name + wcslen(Name));
    static TsMaskData none;
    return i >= 0 ? Skin.ma[i] : none;
}

inline bool SameState(const TsGenState& A, const TsGenState& B)
{
    return A.Color == B.Color && A.FontColor.Color == B.FontColor.Color && A.FontColor.Left == B.FontColor.Left &&
           A.GradientPercent == B.GradientPercent && A.GradientData == B.GradientData &&
           A.ImagePercent == B.ImagePercent && A.GlowColor == B.GlowColor && A.GlowSize == B.GlowSize &&
           A.Transparency == B.Transparency;
}

inline bool SameMask(const TsMaskData& A, const TsMaskData& B)
{
    return A.ClassName == B.ClassName && A.PropertyName == B.PropertyName && EqualRect(&A.R, &B.R) &&
           A.ImageCount == B.ImageCount && A.MaskType == B.MaskType && A.DrawMode == B.DrawMode &&
           A.ImgType == B.ImgType && A.WL == B.WL && A.WT == B.WT && A.WR == B.WR && A.WB == B.WB &&
           (A.Bmp == nullptr) == (B.Bmp == nullptr);
}


}  // namespace testskins
