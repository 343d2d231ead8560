// acAlphaImageList: the image list that keeps its images' source files, and the drawing of list
// images into 32-bit bitmaps.
#include "skin/core/acAlphaImageList.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/classes/PropertyRegistry.h"
#include "framework/facts/SystemFacts.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Icon.h"
#include "framework/system/StringUtils.h"
#include "skin/core/acPNG.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sGraphUtils.h"

namespace {

const std::uint8_t PngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

std::unique_ptr<TPNGGraphic> DecodePng(TMemoryStream* Data)
{
    auto png = std::make_unique<TPNGGraphic>();
    Data->SetPosition(0);
    png->LoadFromStream(Data);
    return png;
}

// The system list's background as RGB for composing icons over it (none: white).
TColor ListBackground(HIMAGELIST List)
{
    const COLORREF c = ImageList_GetBkColor(List);
    return c == CLR_NONE ? TColor(0xFFFFFF) : static_cast<TColor>(c);
}

// Each pixel is 32 bits, blue, green, red, alpha.
std::uint32_t* Pixels(TBitmap* Bmp, int Y) { return static_cast<std::uint32_t*>(Bmp->ScanLine(Y)); }

bool AnyAlpha(TBitmap* Bmp)
{
    for (int y = 0; y < Bmp->Height(); ++y) {
        const std::uint32_t* row = Pixels(Bmp, y);
        for (int x = 0; x < Bmp->Width(); ++x)
            if ((row[x] & 0xFF000000u) != 0) return true;
    }
    return false;
}

// A 32-bit image without any alpha: every pixel but those of the bottom-left colour becomes opaque.
void RestoreAlpha(TBitmap* Bmp)
{
    if (Bmp->Width() < 2 || Bmp->Height() < 2 || AnyAlpha(Bmp)) return;
    const std::uint32_t key = Pixels(Bmp, Bmp->Height() - 1)[0] & 0xFFFFFFu;
    for (int y = 0; y < Bmp->Height(); ++y) {
        std::uint32_t* row = Pixels(Bmp, y);
        for (int x = 0; x < Bmp->Width(); ++x)
            if ((row[x] & 0xFFFFFFu) != key) row[x] |= 0xFF000000u;
    }
}

// The colour bitmap of an icon as a 32-bit bitmap of the given size; empty when the icon has none.
std::unique_ptr<TBitmap> IconColorBitmap(HICON Icon, int Width, int Height)
{
    auto bmp = MakeBitmap32(Width, Height);
    ICONINFO info{};
    if (!GetIconInfo(Icon, &info)) return bmp;
    HDC src = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(src, info.hbmColor);
    BitBlt(bmp->Canvas()->Handle(), 0, 0, Width, Height, src, 0, 0, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    // The copy went through GDI, which keeps the colour bitmap's alpha bytes as they are.
    return bmp;
}

// An icon made from a 32-bit bitmap with its alpha.
HICON IconOfBitmap32(TBitmap* Bmp)
{
    HBITMAP mask = CreateBitmap(Bmp->Width(), Bmp->Height(), 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = Bmp->Handle();
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    return icon;
}

HICON FirstIconOfFile(const String& FileName)
{
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), FileName.c_str(), 0);
    return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr;
}

} // namespace

// ---- Items -------------------------------------------------------------------------------------------

TsImgListItem::TsImgListItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImgData(std::make_unique<TMemoryStream>())
{
}

void TsImgListItem::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TsImgListItem*>(Source);
    if (other == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FImageFormat = other->FImageFormat;
    FPixelFormat = other->FPixelFormat;
    FImgData->LoadFromStream(other->FImgData.get());
}

TsImgListItems::TsImgListItems(TsAlphaImageList* AOwner) : TCollection(ItemClassOf<TsImgListItem>()), FOwner(AOwner) {}

TPersistent* TsImgListItems::GetOwner()
{
    return FOwner;
}

// ---- The list ----------------------------------------------------------------------------------------

TsAlphaImageList::TsAlphaImageList(TComponent* AOwner)
    : TImageList(AOwner), FItems(std::make_unique<TsImgListItems>(this))
{
    // A list made in code builds its system list at once; one read from a form waits for Loaded.
    if (!ComponentState().Contains(csLoading)) {
        Handle();
        if (!StdListIsGenerated) GenerateStdList();
    }
}

TsAlphaImageList::~TsAlphaImageList()
{
    AcChanging = true;
    FItems.reset();
}

bool TsAlphaImageList::KeepsData() const
{
    return DoubleData || ComponentState().Contains(csDesigning);
}

void TsAlphaImageList::Loaded()
{
    TImageList::Loaded();
    Handle();
    if (!StdListIsGenerated) GenerateStdList();
    StdListIsGenerated = true;
}

void TsAlphaImageList::GenerateStdList()
{
    // A new image size frees the system list; building it again makes a new one.
    HIMAGELIST list = Handle();
    AcChanging = true;
    ImageList_Remove(list, -1);
    for (int i = 0; i < FItems->Count(); ++i) {
        TsImgListItem* item = FItems->Items(i);
        HICON icon = nullptr;
        if (item->ImageFormat() == ifPNG) {
            std::unique_ptr<TPNGGraphic> png = DecodePng(item->ImgData());
            icon = SystemFacts().WindowsVersion().AtLeast(5, 1) ? CreatePNGIconOnColor(png.get(), ListBackground(list))
                                                                 : CreatePNGIcon(png.get(), false);
        } else {
            TIcon ico;
            item->ImgData()->SetPosition(0);
            ico.LoadFromStream(item->ImgData());
            icon = ico.ReleaseHandle();
        }
        if (icon != nullptr) {
            ImageList_ReplaceIcon(list, -1, icon);
            DestroyIcon(icon);
        }
    }
    if (FItems->Count() > 0) {
        StdListIsGenerated = true;
        if (!KeepsData()) FItems->Clear();
    }
    AcChanging = false;
}

bool TsAlphaImageList::GetBitmap32(int Index, TBitmap* Image)
{
    if (!HandleAllocated() || Image == nullptr || Index < 0 || Index >= Count()) return false;
    if (KeepsData() && Index < FItems->Count() && FItems->Items(Index)->ImageFormat() == ifPNG &&
        FItems->Items(Index)->ImgData()->Size() > 0) {
        std::unique_ptr<TPNGGraphic> png = DecodePng(FItems->Items(Index)->ImgData());
        if (png->Width() == Width() && png->Height() == Height()) {
            Image->Assign(png.get());
        } else {
            Image->SetPixelFormat(pf32bit);
            ResampleBitmap(png.get(), Image, Image->Width(), 6, Image->Height());
        }
        if (Image->PixelFormat() != pf32bit) {
            Image->SetPixelFormat(pf32bit);
            RestoreAlpha(Image);
        }
        return true;
    }
    HICON icon = ImageList_GetIcon(Handle(), Index, ILD_NORMAL);
    if (icon == nullptr) return false;
    const int w = Image->Width() > 0 ? Image->Width() : Width();
    const int h = Image->Height() > 0 ? Image->Height() : Height();
    std::unique_ptr<TBitmap> colour = IconColorBitmap(icon, w, h);
    if (!SystemFacts().WindowsVersion().AtLeast(6, 0) && ScreenBitsPerPixel() < 32) RestoreAlpha(colour.get());
    Image->Assign(colour.get());
    DestroyIcon(icon);
    return true;
}

bool TsAlphaImageList::AddImageFromFile(const String& FileName)
{
    TsImageFormat format = ifPNG;
    if (!HandleAllocated() || !DetectImageFormat(FileName, format)) return false;
    HICON icon = nullptr;
    if (KeepsData()) {
        TsImgListItem* item = FItems->Add();
        item->ImgData()->LoadFromFile(FileName);
        item->SetImageFormat(format);
        if (format == ifPNG) {
            item->SetPixelFormat(pf32bit);
            std::unique_ptr<TPNGGraphic> png = DecodePng(item->ImgData());
            icon = CreatePNGIcon(png.get(), false);
        } else {
            icon = FirstIconOfFile(FileName);
            item->SetPixelFormat(pf24bit);
            if (icon != nullptr) {
                ICONINFO info{};
                if (GetIconInfo(icon, &info)) {
                    BITMAP bm{};
                    if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof(bm), &bm) && bm.bmBitsPixel == 32) {
                        std::unique_ptr<TBitmap> colour = IconColorBitmap(icon, bm.bmWidth, bm.bmHeight);
                        if (AnyAlpha(colour.get())) item->SetPixelFormat(pf32bit);
                    }
                    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
                    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
                }
            }
        }
    } else if (format == ifPNG) {
        TPNGGraphic png;
        png.LoadFromFile(FileName);
        icon = CreatePNGIcon(&png, false);
    } else {
        icon = FirstIconOfFile(FileName);
    }
    bool added = false;
    if (icon != nullptr) {
        added = ImageList_ReplaceIcon(Handle(), -1, icon) >= 0;
        DestroyIcon(icon);
    }
    Change();
    return added;
}

void TsAlphaImageList::LoadFromFile(const String& FileName)
{
    if (!AddImageFromFile(FileName))
        ShowErrorBox(L"Cannot load " + FileName + L"\r\nInvalid or unexpected image format.");
}

void TsAlphaImageList::SetNewDimensions(HIMAGELIST Value)
{
    int w = 0, h = 0;
    if (Value != nullptr && ImageList_GetIconSize(Value, &w, &h)) SetSize(w, h);
}

void TsAlphaImageList::AcEndUpdate(bool DoChange)
{
    AcChanging = false;
    if (DoChange) Change();
}

void TsAlphaImageList::FixImagesAlpha()
{
    HIMAGELIST list = Handle();
    for (int i = 0; i < Count(); ++i) {
        HICON icon = ImageList_GetIcon(list, i, ILD_NORMAL);
        if (icon == nullptr) continue;
        std::unique_ptr<TBitmap> colour = IconColorBitmap(icon, Width(), Height());
        DestroyIcon(icon);
        if (AnyAlpha(colour.get())) continue;
        for (int y = 0; y < colour->Height(); ++y) {
            std::uint32_t* row = Pixels(colour.get(), y);
            for (int x = 0; x < colour->Width(); ++x)
                if (row[x] != 0x00FF00FFu) row[x] |= 0xFF000000u;
        }
        HICON fixed = IconOfBitmap32(colour.get());
        if (fixed != nullptr) {
            ImageList_ReplaceIcon(list, i, fixed);
            DestroyIcon(fixed);
        }
    }
}

void TsAlphaImageList::Change()
{
    if (AcChanging || !HandleAllocated() || ComponentState().Contains(csLoading) || !StdListIsGenerated) return;
    const bool designing = ComponentState().Contains(csDesigning);
    if (!KeepsData() || Count() > FItems->Count() || designing) PassChangeOn();
    if (designing) return;
    if (KeepsData() && FItems->Count() >= Count()) {
        if (FItems->Count() == Count()) return;
        AcBeginUpdate();
        GenerateStdList();
        AcEndUpdate(false);
        PassChangeOn();
        return;
    }
    AcBeginUpdate();
    FixImagesAlpha();
    AcEndUpdate(false);
}

void TsAlphaImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled)
{
    if (!HandleAllocated() || Canvas == nullptr) return;
    const bool png = Index >= 0 && Index < FItems->Count() && FItems->Items(Index)->ImageFormat() == ifPNG;
    if (!png) {
        ImageList_SetBkColor(Handle(), CLR_NONE);
        HICON icon = ImageList_GetIcon(Handle(), Index, ILD_TRANSPARENT);
        if (icon == nullptr) return;
        DrawIconEx(Canvas->Handle(), X, Y, icon, Width(), Height(), 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
        return;
    }
    auto image = MakeBitmap32(Width(), Height());
    if (!GetBitmap32(Index, image.get())) return;
    auto under = MakeBitmap32(Width(), Height());
    BitBlt(under->Canvas()->Handle(), 0, 0, Width(), Height(), Canvas->Handle(), X, Y, SRCCOPY);
    const TRect all{0, 0, Width(), Height()};
    CopyKeyedBitmapBlend(all, all, under.get(), image.get(), MakeCacheInfo(under.get(), 0, 0), false, clNone, 0, false);
    BitBlt(Canvas->Handle(), X, Y, Width(), Height(), under->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsAlphaImageList::CopyImages(TsAlphaImageList* Source)
{
    if (!HandleAllocated() || Source == nullptr) return;
    ImageList_SetBkColor(Source->Handle(), CLR_NONE);
    if (KeepsData()) {
        FItems->Clear();
        for (int i = 0; i < Source->Items()->Count(); ++i) FItems->Add()->Assign(Source->Items()->Items(i));
        GenerateStdList();
        return;
    }
    Clear();
    ImageList_SetBkColor(Handle(), CLR_NONE);
    for (int i = 0; i < Source->Count(); ++i) {
        HICON icon = ImageList_GetIcon(Source->Handle(), i, ILD_TRANSPARENT);
        if (icon == nullptr) continue;
        ImageList_ReplaceIcon(Handle(), -1, icon);
        DestroyIcon(icon);
    }
}

void TsAlphaImageList::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TsAlphaImageList*>(Source);
    if (Source == nullptr) {
        if (HandleAllocated()) ImageList_Destroy(ReleaseHandle());
        Change();
        return;
    }
    if (other == nullptr) {
        TImageList::Assign(Source);
        return;
    }
    AcBeginUpdate();
    Clear();
    SetMasked(other->Masked());
    SetImageType(other->ImageType());
    SetDrawingStyle(other->DrawingStyle());
    SetSize(other->Width(), other->Height());
    SetBkColor(other->BkColor());
    SetBlendColor(other->BlendColor());
    Handle();
    CopyImages(other);
    AcEndUpdate(false);
}

// ---- Drawing ---------------------------------------------------------------------------------------------

void DrawListImage(TCustomImageList* List, TBitmap* Bmp, int X, int Y, int Index, int Transparency, TColor TintColor,
                   int State, int StateCount, bool Reflected, TSize& Size)
{
    Size = TSize{0, 0};
    if (List == nullptr || Bmp == nullptr || Bmp->Width() == 0 || !List->HandleAllocated()) return;
    StateCount = std::max(StateCount, 1);
    const int w = List->Width() / StateCount, h = List->Height();
    State = std::max(0, std::min(State, StateCount - 1));
    const TRect dst{X, Y, X + w, Y + h};
    const TRect src{w * State, 0, w * State + w, h};
    Size = TSize{w, h};
    if (auto* alpha = dynamic_cast<TsAlphaImageList*>(List)) {
        auto image = MakeBitmap32(List->Width(), List->Height());
        if (!alpha->GetBitmap32(Index, image.get())) return;
        TCacheInfo none;
        none.Bmp = nullptr;
        none.FillColor = 0xFF00FF;
        none.Ready = false;
        CopyKeyedBitmapBlend(dst, src, Bmp, image.get(), none, false, TintColor, Transparency, Reflected);
        return;
    }
    auto image = MakeBitmap32(List->Width(), List->Height());
    BitBlt(image->Canvas()->Handle(), src.left, 0, w, h, Bmp->Canvas()->Handle(), X, Y, SRCCOPY);
    List->Draw(image->Canvas(), 0, 0, Index, true);
    BitBlt(Bmp->Canvas()->Handle(), X, Y, w, h, image->Canvas()->Handle(), src.left, 0, SRCCOPY);
}

void DrawListImageToDC(TCustomImageList* List, HDC DC, int X, int Y, int Index, int Transparency, TColor TintColor,
                       int State, int StateCount, bool Reflected)
{
    if (List == nullptr || DC == nullptr) return;
    const int w = List->Width(), h = List->Height() + (Reflected ? List->Height() / 2 : 0);
    auto bmp = MakeBitmap32(w, h);
    BitBlt(bmp->Canvas()->Handle(), 0, 0, w, h, DC, X, Y, SRCCOPY);
    TSize size{};
    DrawListImage(List, bmp.get(), 0, 0, Index, Transparency, TintColor, State, StateCount, Reflected, size);
    BitBlt(DC, X, Y, w, h, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

bool FileStartsWith(const String& FileName, const std::uint8_t* Bytes, int Count)
{
    Count = std::min(Count, 8);
    HANDLE file = CreateFileW(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    std::uint8_t head[8] = {};
    DWORD read = 0;
    const bool ok = GetFileSizeEx(file, &size) && size.QuadPart > Count && ReadFile(file, head, Count, &read, nullptr) &&
                    static_cast<int>(read) == Count && std::memcmp(head, Bytes, Count) == 0;
    CloseHandle(file);
    return ok;
}

bool DetectImageFormat(const String& FileName, TsImageFormat& Format)
{
    if (FileStartsWith(FileName, PngSignature, 8)) {
        Format = ifPNG;
        return true;
    }
    static const std::uint8_t iconStart[2] = {0, 0};
    const String ext = LowerCase(ExtractFileExt(FileName));
    if (FileStartsWith(FileName, iconStart, 2) && ext == L".ico") {
        Format = ifICO;
        return true;
    }
    return false;
}

int ScreenBitsPerPixel()
{
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

void RegisterAlphaImageListClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterGraphicsClasses();
    RegisterEnumType(L"TsImageFormat", {L"ifPNG", L"ifICO"});
    RegisterEnumType(L"TPixelFormat",
                     {L"pfDevice", L"pf1bit", L"pf4bit", L"pf8bit", L"pf15bit", L"pf16bit", L"pf24bit", L"pf32bit", L"pfCustom"});
    RegisterPublishedClass<TsImgListItem>(L"TsImgListItem", L"TPersistent")
        .Enum<TsImageFormat>(L"ImageFormat", L"TsImageFormat",
                             [](TsImgListItem* i, TsImageFormat v) { i->SetImageFormat(v); })
        .Enum<TPixelFormat>(L"PixelFormat", L"TPixelFormat", [](TsImgListItem* i, TPixelFormat v) { i->SetPixelFormat(v); },
                            L"pf32bit")
        .Binary(L"ImgData", [](TsImgListItem* i, const std::vector<uint8_t>& v) {
            i->ImgData()->Clear();
            if (!v.empty()) i->ImgData()->Write(v.data(), static_cast<int>(v.size()));
            i->ImgData()->SetPosition(0);
        });
    RegisterPublishedClass<TsAlphaImageList>(L"TsAlphaImageList", L"TComponent")
        .Collection(L"Items", L"TsImgListItem", [](TsAlphaImageList* l) { return l->Items(); });
}
