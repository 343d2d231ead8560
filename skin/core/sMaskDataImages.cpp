// The images of a skin: the master bitmap, the masks its options text names (regions of the
// master bitmap in several written forms, and image files of their own) and the JPEG patterns,
// read from a skin folder or from the entries of an unpacked archive.
#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "framework/classes/Streams.h"
#include "framework/graphics/Graphic.h"
#include "framework/system/Conversions.h"
#include "framework/system/StringUtils.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskData.h"

namespace {

const wchar_t* const sGlobalInfo = L"GLOBALINFO";

// Small JPEGs become texture masks; larger ones stay patterns drawn from their own image.
constexpr long long MaxTexturePixels = 899999;

bool Contains(const String& S, const wchar_t* Part)
{
    return S.find(Part) != String::npos;
}

std::int16_t ToInt16(int Value)
{
    return static_cast<std::int16_t>(std::clamp(Value, -32768, 32767));
}

// n characters at the 1-based position p of a fixed-position value, as a decimal number. A
// value too short or not a number there is a fault of the skin: the conversion error ends
// the load.
int FixedNumber(const String& Value, int P, int N)
{
    String part = static_cast<size_t>(P - 1) < Value.size() ? Value.substr(P - 1, N) : String();
    return StrToInt(part);
}

TRect FixedRect(const String& Value)
{
    return TRect{FixedNumber(Value, 2, 4), FixedNumber(Value, 7, 4), FixedNumber(Value, 12, 4), FixedNumber(Value, 17, 4)};
}

// ---- Image sources ----

// The stream of an image of the skin, rewound; null when the skin has no such image.
class TImageSource {
public:
    explicit TImageSource(const TsSkinSource& Source) : FSource(Source) {}

    bool Packed() const { return FSource.Archive != nullptr; }

    TStream* Open(const String& Name)
    {
        if (Packed()) {
            String wanted = UpperCase(Name);
            for (TacImageItem& item : FSource.Archive->Files) {
                if (item.FileStream && UpperCase(item.FileName) == wanted) {
                    item.FileStream->SetPosition(0);
                    return item.FileStream.get();
                }
            }
            return nullptr;
        }
        String path = Contains(Name, L":") ? Name : FSource.SkinPath + Name;
        if (!FileExists(path)) return nullptr;
        FFile = std::make_unique<TMemoryStream>();
        try {
            FFile->LoadFromFile(path);
        } catch (const Exception&) {
            return nullptr;
        }
        return FFile.get();
    }

private:
    const TsSkinSource& FSource;
    std::unique_ptr<TMemoryStream> FFile;
};

void SetOpaque(TBitmap* Bmp)
{
    SetRectOpacity(Bmp, TRect{0, 0, Bmp->Width(), Bmp->Height()}, 255, false);
}

// A graphic of any registered kind as a 32-bit bitmap; an image without alpha gets alpha 255.
std::unique_ptr<TBitmap> To32Bit(TGraphic* Graphic)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->Assign(Graphic);
    if (bmp->PixelFormat() != pf32bit) {
        bmp->SetPixelFormat(pf32bit);
        SetOpaque(bmp.get());
    }
    return bmp;
}

// Uncompressed 24- and 32-bit BMPs, what skins are mostly made of, straight into a 32-bit
// bitmap (24-bit pixels opaque) in one pass, where the picture registry would copy the image
// three times. The file is read by the bitmap reader's own checks, so that what the picture
// refuses the skin refuses too (EInvalidGraphic); null for the other kinds of BMP, which the
// registry decodes, and for data that is no BMP.
std::unique_ptr<TBitmap> DecodePlainBmp(TStream* Stream)
{
    auto* memory = dynamic_cast<TMemoryStream*>(Stream);
    if (memory == nullptr || memory->Position() < 0 || memory->Position() >= memory->Size()) return nullptr;
    const auto* data = static_cast<const std::uint8_t*>(memory->Memory()) + memory->Position();
    const auto size = static_cast<std::size_t>(memory->Size() - memory->Position());
    if (size < 2 || data[0] != 'B' || data[1] != 'M') return nullptr;
    const TBmpLayout bmp = ReadBmpLayout(data, size);
    if ((bmp.BitCount != 24 && bmp.BitCount != 32) || bmp.Compression != BI_RGB) return nullptr;
    std::unique_ptr<TBitmap> out = MakeBitmap32(bmp.Width, bmp.Height);
    for (int y = 0; y < bmp.Height; ++y) {
        const std::uint8_t* src =
            bmp.Pixels + static_cast<std::size_t>(bmp.Stride) * (bmp.TopDown ? y : bmp.Height - 1 - y);
        auto* dst = static_cast<std::uint32_t*>(out->ScanLine(y));
        if (bmp.BitCount == 32) {
            std::memcpy(dst, src, static_cast<size_t>(bmp.Width) * 4);
            continue;
        }
        for (int x = 0; x < bmp.Width; ++x, src += 3) dst[x] = 0xFF000000u | src[0] | src[1] << 8 | src[2] << 16;
    }
    return out;
}

// Decodes through the picture registry (BMP, and PNG once its class is registered).
std::unique_ptr<TBitmap> DecodeImage(TStream* Stream)
{
    if (std::unique_ptr<TBitmap> plain = DecodePlainBmp(Stream)) return plain;
    TPicture picture;
    picture.LoadFromStream(Stream);
    if (picture.Graphic() == nullptr) return nullptr;
    return To32Bit(picture.Graphic());
}

// PNG images keep no colour under full transparency: white there is cleared to nothing.
void ClearTransparentWhite(TBitmap* Bmp)
{
    for (int y = 0; y < Bmp->Height(); ++y) {
        auto* row = static_cast<std::uint32_t*>(Bmp->ScanLine(y));
        for (int x = 0; x < Bmp->Width(); ++x)
            if (row[x] == 0x00FFFFFFu) row[x] = 0;
    }
}

// JPEG through the platform's codecs; null when it does not decode.
std::unique_ptr<TBitmap> DecodeJpeg(TStream* Stream)
{
    using namespace Gdiplus;
    static ULONG_PTR token = [] {
        GdiplusStartupInput input;
        ULONG_PTR t = 0;
        return GdiplusStartup(&t, &input, nullptr) == Ok ? t : 0;
    }();
    if (token == 0) return nullptr;
    Stream->SetPosition(0);
    std::vector<std::uint8_t> bytes = ReadStreamRest(Stream);
    if (bytes.empty()) return nullptr;
    IStream* memory = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    if (memory == nullptr) return nullptr;
    GpBitmap* image = nullptr;
    GpStatus status = DllExports::GdipCreateBitmapFromStream(memory, &image);
    memory->Release();
    if (status != Ok || image == nullptr) return nullptr;
    std::unique_ptr<TBitmap> result;
    UINT w = 0, h = 0;
    DllExports::GdipGetImageWidth(image, &w);
    DllExports::GdipGetImageHeight(image, &h);
    GpRect rect(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    BitmapData data{};
    if (w > 0 && h > 0 &&
        DllExports::GdipBitmapLockBits(image, &rect, ImageLockModeRead, PixelFormat32bppARGB, &data) == Ok) {
        result = MakeBitmap32(static_cast<int>(w), static_cast<int>(h));
        for (UINT y = 0; y < h; ++y) {
            auto* src = static_cast<const std::uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
            std::memcpy(result->ScanLine(static_cast<int>(y)), src, static_cast<size_t>(w) * 4);
        }
        DllExports::GdipBitmapUnlockBits(image, &data);
        SetOpaque(result.get());
    }
    DllExports::GdipDisposeImage(image);
    return result;
}

// ---- Mask values ----

class TMaskReader {
public:
    TMaskReader(TsSkin& Skin, TImageSource& Images, TsSkinManager* Manager)
        : FSkin(Skin), FImages(Images), FManager(Manager)
    {
    }

    void Read(const String& Section, const String& Key, const String& Value)
    {
        try {
            ReadValue(Section, Key, Value);
        } catch (const EConvertError& e) {
            throw SkinValueError(Section, Key, e);
        }
    }

    // A common section's value in the old forms only.
    void ReadCommon(const String& Section, const String& Key, const String& Value, const String& SkinPath)
    {
        try {
            if (Contains(Value, L"#")) {
                if (Value != L"#" && HasMaster()) OldRegion(Section, Key, Value);
            } else if (Contains(UpperCase(Value), L".BMP") && FileExists(SkinPath + UpperCase(Value))) {
                OldBitmap(Section, Key, UpperCase(Value));
            }
        } catch (const EConvertError& e) {
            throw SkinValueError(Section, Key, e);
        }
    }

private:
    void ReadValue(const String& Section, const String& Key, const String& Value)
    {
        if (Value.empty()) return;
        switch (Value[0]) {
        case L'@': Glyph(Section, Key, Value); return;
        case L'^': Border(Section, Key, Value); return;
        case L'~': Texture(Section, Key, Value); return;
        case L'!': File(Section, Key, Value); return;
        default: break;
        }
        if (Contains(Value, L"#")) {
            if (Value != L"#") OldRegion(Section, Key, Value);
        } else if (Contains(UpperCase(Value), L".BMP")) {
            OldBitmap(Section, Key, Value);
        }
    }

    // A plain bitmap file name: its own image of three frames in two rows.
    void OldBitmap(const String& Section, const String& Key, const String& FileName)
    {
        std::unique_ptr<TBitmap> bmp = LoadFile(FileName, false);
        if (!bmp) return;
        TsMaskData m = NewMask(UpperCase(Section), Key);
        m.R = TRect{0, 0, bmp->Width(), bmp->Height()};
        m.Bmp = std::move(bmp);
        m.ImageCount = 3;
        m.MaskType = 1;
        m.WL = m.WR = ToInt16(m.R.right / 9);
        m.WT = m.WB = ToInt16(m.R.bottom / 6);
        Append(std::move(m));
    }

    // #NAME (Left,Top,Right,Bottom) (ImageCount,MaskType,BorderWidth,DrawMode)
    void OldRegion(const String& Section, const String& Key, const String& Value)
    {
        std::vector<String> words = OldWords(Value);
        auto numbers = [&](size_t Word) {
            std::vector<int> out;
            if (Word >= words.size()) return out;
            String number;
            for (wchar_t c : words[Word] + L",") {
                if (c == L',' || c == L' ') {
                    int v = 0;
                    if (!number.empty()) out.push_back(TryStrToInt(number, v) ? v : 0);
                    number.clear();
                } else {
                    number += c;
                }
            }
            return out;
        };
        std::vector<int> r = numbers(1), p = numbers(2);
        r.resize(4, 0);
        TsMaskData m = NewMask(UpperCase(Section), UpperCase(Key));
        m.R = TRect{r[0], r[1], r[2], r[3]};
        m.ImageCount = ToInt16(std::max(p.size() > 0 ? p[0] : 1, 1));
        m.MaskType = ToInt16(std::max(p.size() > 1 ? p[1] : 0, 0));
        m.BorderWidth = ToInt16(std::max(p.size() > 2 ? p[2] : 0, 0));
        m.DrawMode = ToInt16(p.size() > 3 ? p[3] : 1);
        ClipToMaster(m);
        DeriveWidths(m);
        Append(std::move(m));
    }

    bool HasMaster() const { return !FSkin.MasterBitmap->Empty(); }

private:
    void Glyph(const String& Section, const String& Key, const String& Value)
    {
        TsMaskData m = NewMask(Section, Key);
        m.ImgType = itisaGlyph;
        m.R = FixedRect(Value);
        m.ImageCount = ToInt16(FixedNumber(Value, 22, 1));
        m.MaskType = ToInt16(FixedNumber(Value, 24, 1));
        ClipToMaster(m);
        Append(std::move(m));
    }

    void Border(const String& Section, const String& Key, const String& Value)
    {
        TsMaskData m = NewMask(Section, Key);
        m.ImgType = itisaBorder;
        m.R = FixedRect(Value);
        m.WL = ToInt16(FixedNumber(Value, 22, 4));
        m.WT = ToInt16(FixedNumber(Value, 27, 4));
        m.WR = ToInt16(FixedNumber(Value, 32, 4));
        m.WB = ToInt16(FixedNumber(Value, 37, 4));
        m.ImageCount = ToInt16(FixedNumber(Value, 42, 1));
        m.MaskType = ToInt16(FixedNumber(Value, 44, 1));
        m.DrawMode = ToInt16(FixedNumber(Value, 46, 1));
        m.BorderWidth = ToInt16(FixedNumber(Value, 48, 1));
        ClipToMaster(m);
        DeriveWidths(m);
        Append(std::move(m));
    }

    void Texture(const String& Section, const String& Key, const String& Value)
    {
        TsMaskData m = NewMask(Section, Key);
        m.ImgType = itisaTexture;
        m.R = FixedRect(Value);
        m.ImageCount = 1;
        m.DrawMode = ToInt16(FixedNumber(Value, 22, 2));
        m.MaskType = Value.size() < 25 ? 0 : ToInt16(FixedNumber(Value, 25, 1));
        ClipToMaster(m);
        Append(std::move(m));
    }

    // !FILE!ImageCount!MaskType!ImageType!WL!WT!WR!WB!DrawMode
    void File(const String& Section, const String& Key, const String& Value)
    {
        std::vector<String> fields;
        size_t start = 0;
        while (start <= Value.size()) {
            size_t end = Value.find(L'!', start);
            if (end == String::npos) end = Value.size();
            if (end > start) fields.push_back(Value.substr(start, end - start));
            start = end + 1;
        }
        if (fields.empty()) return;
        const String& name = fields[0];
        bool png = Contains(name, L".PNG");
        if (!png && !Contains(name, L".BMP")) return;
        auto field = [&](size_t I) {
            int v = 0;
            return I < fields.size() && TryStrToInt(fields[I], v) ? v : 0;
        };
        std::unique_ptr<TBitmap> bmp = LoadFile(name, png);
        if (!bmp) return;
        TsMaskData m = NewMask(Section, Key);
        m.R = TRect{0, 0, bmp->Width(), bmp->Height()};
        m.Bmp = std::move(bmp);
        m.ImageCount = ToInt16(field(1));
        m.MaskType = ToInt16(field(2));
        m.ImgType = static_cast<TacImgType>(std::clamp(field(3), 0, 4));
        if (fields.size() < 5) {
            NormaliseCount(m);
            m.WL = m.WR = ToInt16(m.R.right / (m.ImageCount * 3));
            m.WT = m.WB = ToInt16(m.R.bottom / (RowCount(m) * 3));
        } else {
            m.WL = ToInt16(field(4));
            m.WT = ToInt16(field(5));
            m.WR = ToInt16(field(6));
            m.WB = ToInt16(field(7));
        }
        m.DrawMode = ToInt16(fields.size() < 9 ? 1 : field(8));
        Append(std::move(m));
    }

    // The image file of a mask as a 32-bit bitmap; null when it is missing, unreadable or empty.
    // A PNG the decoder rejects is an error of the skin.
    std::unique_ptr<TBitmap> LoadFile(const String& Name, bool Png)
    {
        TStream* stream = FImages.Open(Name);
        if (stream == nullptr) return nullptr;
        std::unique_ptr<TBitmap> bmp;
        try {
            bmp = DecodeImage(stream);
        } catch (const Exception& e) {
            if (Png) throw EacSkinLoadError(L"Image " + Name + L" cannot be read: " + e.Message());
            return nullptr;
        }
        if (!bmp || bmp->Width() <= 0) return nullptr;
        if (Png) ClearTransparentWhite(bmp.get());
        bmp->Canvas()->Lock();
        return bmp;
    }

    TsMaskData NewMask(const String& Section, const String& Key)
    {
        TsMaskData m;
        m.ClassName = Section;
        m.PropertyName = Key;
        m.Manager = FManager;
        return m;
    }

    // A region reaching outside the master bitmap is cut to it, so that nothing drawn from the
    // mask can read beyond the image.
    void ClipToMaster(TsMaskData& M)
    {
        TRect bounds{0, 0, FSkin.MasterBitmap->Width(), FSkin.MasterBitmap->Height()};
        TRect r = M.R;
        r.left = std::clamp(static_cast<int>(r.left), 0, static_cast<int>(bounds.right));
        r.top = std::clamp(static_cast<int>(r.top), 0, static_cast<int>(bounds.bottom));
        r.right = std::clamp(static_cast<int>(r.right), static_cast<int>(r.left), static_cast<int>(bounds.right));
        r.bottom = std::clamp(static_cast<int>(r.bottom), static_cast<int>(r.top), static_cast<int>(bounds.bottom));
        M.R = r;
    }

    // A count of no frames would divide by zero; such a value is one frame.
    static void NormaliseCount(TsMaskData& M)
    {
        if (M.ImageCount < 1) M.ImageCount = 1;
    }

    static int RowCount(const TsMaskData& M) { return M.MaskType < 0 ? 1 : M.MaskType + 1; }

    // Border widths when none is written: BorderWidth on every side, else a third of a frame.
    static void DeriveWidths(TsMaskData& M)
    {
        NormaliseCount(M);
        if (M.WL + M.WT + M.WR + M.WB != 0) return;
        if (M.BorderWidth != 0) {
            M.WL = M.WT = M.WR = M.WB = M.BorderWidth;
            return;
        }
        int width = M.R.right - M.R.left, height = M.R.bottom - M.R.top;
        M.WL = M.WR = ToInt16(width / (M.ImageCount * 3));
        M.WT = M.WB = ToInt16(height / (RowCount(M) * 3));
    }

    void Append(TsMaskData M)
    {
        NormaliseCount(M);
        FSkin.ma.push_back(std::move(M));
    }

    // The words of an old region value: the groups in brackets after the name, or, without
    // brackets, the words between spaces.
    static std::vector<String> OldWords(const String& Value)
    {
        std::vector<String> words;
        bool brackets = Contains(Value, L"(");
        String word;
        auto flush = [&] {
            String w = Trim(word);
            if (!w.empty()) words.push_back(w);
            word.clear();
        };
        for (wchar_t c : Value) {
            bool separator = c == L'(' || c == L')' || (!brackets && c == L' ');
            if (separator) flush();
            else word += c;
        }
        flush();
        return words;
    }

    TsSkin& FSkin;
    TImageSource& FImages;
    TsSkinManager* FManager;
};

void LoadMasterBitmap(TsSkin& Skin, const TsSkinOptions& Options, TImageSource& Images)
{
    String name = Options.ReadString(sGlobalInfo, L"MASTERBITMAP", L"");
    Skin.MasterBitmap = std::make_unique<TBitmap>();
    if (Trim(name).empty()) return;
    TStream* stream = Images.Open(name);
    if (stream == nullptr) return;
    std::unique_ptr<TBitmap> bmp;
    try {
        bmp = DecodeImage(stream);
    } catch (const Exception& e) {
        throw EacSkinLoadError(L"Master bitmap " + name + L" cannot be read: " + e.Message());
    }
    if (!bmp) return;
    bmp->SetTransparentColor(0xFF00FF);
    bmp->SetTransparent(true);
    bmp->Canvas()->Lock();
    Skin.MasterBitmap = std::move(bmp);
}

void AddPattern(TsSkin& Skin, std::unique_ptr<TBitmap> Img, const String& Section, const String& Key, bool KeepLarge,
                TsSkinManager* Manager)
{
    long long pixels = static_cast<long long>(Img->Width()) * Img->Height();
    if (KeepLarge || pixels > MaxTexturePixels) {
        Skin.pa.push_back(TsPatternData{std::move(Img), UpperCase(Section), UpperCase(Key)});
        return;
    }
    TsMaskData m;
    m.R = TRect{0, 0, Img->Width(), Img->Height()};
    m.Bmp = std::move(Img);
    m.ImgType = itisaTexture;
    m.ImageCount = 1;
    m.ClassName = UpperCase(Section);
    m.PropertyName = UpperCase(Key);
    m.Manager = Manager;
    Skin.ma.push_back(std::move(m));
}

bool IsJpegName(const String& Upper)
{
    return Contains(Upper, L".JPG") || Contains(Upper, L".JPEG");
}

// The application's common sections, read as a second options text.
std::unique_ptr<TsSkinOptions> CommonOptions(const TsSkinLoadSettings& Settings)
{
    if (Settings.CommonSections == nullptr || Settings.CommonSections->Count() == 0) return nullptr;
    auto options = std::make_unique<TsSkinOptions>();
    options->LoadFromStrings(Settings.CommonSections);
    return options;
}

}  // namespace

int TsMaskData::FrameWidth() const
{
    int width = R.right - R.left;
    if (ImageCount <= 0) return 0;
    return ImageCount == 1 ? width : width / ImageCount;
}

int TsMaskData::FrameHeight() const
{
    int height = R.bottom - R.top;
    if (MaskType < 0) return 0;
    return MaskType == 0 ? height : height / (MaskType + 1);
}

void LoadSkinMasks(TsSkin& Skin, const TsSkinOptions& Options, const TsSkinSource& Source,
                   const TsSkinLoadSettings& Settings)
{
    Skin.ma.clear();
    Skin.SkinIsPacked = Source.Archive != nullptr;
    TImageSource images(Source);
    LoadMasterBitmap(Skin, Options, images);
    TMaskReader reader(Skin, images, Settings.Manager);
    for (int s = 0; s < Options.SectionCount(); ++s) {
        const String& section = Options.SectionName(s);
        for (int k = 0; k < Options.KeyCount(s); ++k) {
            const String& key = Options.KeyName(s, k);
            if (section == sGlobalInfo && key == L"MASTERBITMAP") continue;
            reader.Read(section, key, Options.KeyValue(s, k));
        }
    }
    std::unique_ptr<TsSkinOptions> common = CommonOptions(Settings);
    if (!common) return;
    // Common sections name their images as files of the skin folder.
    TsSkinSource folder{Source.SkinPath, nullptr, nullptr};
    TImageSource files(folder);
    TMaskReader commonReader(Skin, files, Settings.Manager);
    for (int s = 0; s < common->SectionCount(); ++s) {
        const String& section = common->SectionName(s);
        if (section == sGlobalInfo) continue;
        for (int k = 0; k < common->KeyCount(s); ++k) {
            String value = common->KeyValue(s, k);
            if (value.empty()) value = L"-";
            commonReader.ReadCommon(section, common->KeyName(s, k), value, Source.SkinPath);
        }
    }
}

void LoadSkinPatterns(TsSkin& Skin, const TsSkinOptions& Options, const TsSkinSource& Source,
                      const TsSkinLoadSettings& Settings)
{
    Skin.pa.clear();
    TImageSource images(Source);
    for (int s = 0; s < Options.SectionCount(); ++s) {
        for (int k = 0; k < Options.KeyCount(s); ++k) {
            String value = UpperCase(Options.KeyValue(s, k));
            if (!IsJpegName(value)) continue;
            TStream* stream = images.Open(value);
            if (stream == nullptr) continue;
            std::unique_ptr<TBitmap> img = DecodeJpeg(stream);
            if (!img || img->Width() == 0) continue;
            AddPattern(Skin, std::move(img), Options.SectionName(s), Options.KeyName(s, k), false, Settings.Manager);
        }
    }
    std::unique_ptr<TsSkinOptions> common = CommonOptions(Settings);
    if (!common) return;
    TsSkinSource folder{Source.SkinPath, nullptr, nullptr};
    TImageSource files(folder);
    for (int s = 0; s < common->SectionCount(); ++s) {
        for (int k = 0; k < common->KeyCount(s); ++k) {
            String value = UpperCase(common->KeyValue(s, k));
            if (!IsJpegName(value) || !FileExists(Source.SkinPath + value)) continue;
            TStream* stream = files.Open(value);
            std::unique_ptr<TBitmap> img = stream ? DecodeJpeg(stream) : nullptr;
            if (!img || img->Width() == 0) continue;
            AddPattern(Skin, std::move(img), common->SectionName(s), common->KeyName(s, k), true, Settings.Manager);
        }
    }
}
