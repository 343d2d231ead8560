#include "framework/graphics/ImageList.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

// comctl32's image-list functions, looked up at run time so the framework library needs no
// import library for them.
struct TComCtl {
    decltype(&ImageList_Create) Create = nullptr;
    decltype(&ImageList_Destroy) Destroy = nullptr;
    decltype(&ImageList_GetImageCount) GetImageCount = nullptr;
    decltype(&ImageList_Add) Add = nullptr;
    decltype(&ImageList_AddMasked) AddMasked = nullptr;
    decltype(&ImageList_ReplaceIcon) ReplaceIcon = nullptr;
    decltype(&ImageList_Replace) Replace = nullptr;
    decltype(&ImageList_Remove) Remove = nullptr;
    decltype(&ImageList_SetBkColor) SetBkColor = nullptr;
    decltype(&ImageList_DrawEx) DrawEx = nullptr;
    decltype(&ImageList_GetIcon) GetIcon = nullptr;
    decltype(&ImageList_GetIconSize) GetIconSize = nullptr;
    decltype(&ImageList_Copy) Copy = nullptr;
    decltype(&ImageList_Duplicate) Duplicate = nullptr;
    bool Loaded = false;

    TComCtl()
    {
        HMODULE module = LoadLibraryW(L"comctl32.dll");
        if (module == nullptr) return;
        auto load = [module](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(reinterpret_cast<void*>(GetProcAddress(module, name)));
            return fn != nullptr;
        };
        Loaded = load(Create, "ImageList_Create") && load(Destroy, "ImageList_Destroy") &&
                 load(GetImageCount, "ImageList_GetImageCount") && load(Add, "ImageList_Add") &&
                 load(AddMasked, "ImageList_AddMasked") && load(ReplaceIcon, "ImageList_ReplaceIcon") &&
                 load(Replace, "ImageList_Replace") && load(Remove, "ImageList_Remove") &&
                 load(SetBkColor, "ImageList_SetBkColor") && load(DrawEx, "ImageList_DrawEx") &&
                 load(GetIcon, "ImageList_GetIcon") && load(GetIconSize, "ImageList_GetIconSize") &&
                 load(Copy, "ImageList_Copy") && load(Duplicate, "ImageList_Duplicate");
    }
};

const TComCtl& ComCtl()
{
    static TComCtl functions;
    if (!functions.Loaded) throw EOutOfResources(L"Image lists are not available (comctl32)");
    return functions;
}

COLORREF ListColor(TColor Color)
{
    if (Color == clNone) return CLR_NONE;
    if (Color == clDefault) return CLR_DEFAULT;
    return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFFu;
}

UINT StyleFlags(TDrawingStyle DrawingStyle, TImageType ImageType)
{
    static const UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    return styles[DrawingStyle] | (ImageType == itMask ? ILD_MASK : 0);
}

} // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(int AWidth, int AHeight) : TComponent(nullptr), FWidth(AWidth), FHeight(AHeight) {}

TCustomImageList::~TCustomImageList()
{
    for (TChangeLink* link : FClients) link->FSender = nullptr;
    FClients.clear();
    FreeList();
}

TChangeLink::~TChangeLink()
{
    if (FSender != nullptr) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
    if (OnChange) OnChange(FSender);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value)
{
    if (Value == nullptr || Value->FSender == this) return;
    if (Value->FSender != nullptr) Value->FSender->UnRegisterChanges(Value);
    Value->FSender = this;
    FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value)
{
    if (Value == nullptr) return;
    auto it = std::find(FClients.begin(), FClients.end(), Value);
    if (it == FClients.end()) return;
    FClients.erase(it);
    Value->FSender = nullptr;
}

void TCustomImageList::CreateList()
{
    if (FHandle != nullptr) return;
    UINT flags = ILC_COLOR32 | (FMasked ? ILC_MASK : 0);
    FHandle = ComCtl().Create(FWidth, FHeight, flags, 4, 4);
    if (FHandle == nullptr) throw EOutOfResources(L"Out of system resources");
    ComCtl().SetBkColor(FHandle, ListColor(FBkColor));
}

void TCustomImageList::FreeList()
{
    if (FHandle != nullptr) ComCtl().Destroy(FHandle);
    FHandle = nullptr;
}

HIMAGELIST TCustomImageList::Handle()
{
    CreateList();
    return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST Value)
{
    if (Value == FHandle) return;
    FreeList();
    FHandle = Value;
    if (FHandle != nullptr) ComCtl().GetIconSize(FHandle, &FWidth, &FHeight);
    Change();
}

HIMAGELIST TCustomImageList::ReleaseHandle()
{
    HIMAGELIST handle = FHandle;
    FHandle = nullptr;
    Change();
    return handle;
}

void TCustomImageList::Change()
{
    if (FUpdateCount > 0) {
        FChanged = true;
        return;
    }
    if (OnChange) OnChange(this);
    // A client may unregister (or free another link) from its handler: walk a copy and skip
    // links that left meanwhile.
    const std::vector<TChangeLink*> clients = FClients;
    for (TChangeLink* link : clients)
        if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
}

void TCustomImageList::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0 && FChanged) {
        FChanged = false;
        Change();
    }
}

void TCustomImageList::Assign(TPersistent* Source)
{
    auto* list = dynamic_cast<TCustomImageList*>(Source);
    if (list == nullptr) {
        TComponent::Assign(Source);
        return;
    }
    if (list == this) return;
    FreeList();
    FWidth = list->FWidth;
    FHeight = list->FHeight;
    FMasked = list->FMasked;
    FBkColor = list->FBkColor;
    FBlendColor = list->FBlendColor;
    FDrawingStyle = list->FDrawingStyle;
    FImageType = list->FImageType;
    if (list->FHandle != nullptr) FHandle = ComCtl().Duplicate(list->FHandle);
    Change();
}

void TCustomImageList::SetSize(int AWidth, int AHeight)
{
    if (AWidth == FWidth && AHeight == FHeight) return;
    FreeList();
    FWidth = AWidth;
    FHeight = AHeight;
    Change();
}

int TCustomImageList::Count() const
{
    return FHandle != nullptr ? ComCtl().GetImageCount(FHandle) : 0;
}

void TCustomImageList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EInvalidOperation(L"Invalid ImageList Index");
}

HBITMAP TCustomImageList::ImageHandle(TBitmap* Image)
{
    if (Image == nullptr) return nullptr;
    // comctl32 selects the bitmap into its own DC, which fails while ours holds it.
    Image->FreeContext();
    return Image->Handle();
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (Image == nullptr || Image->Empty()) return -1;
    HIMAGELIST handle = Handle();
    int index = ComCtl().Add(handle, ImageHandle(Image), ImageHandle(Mask));
    Change();
    return index;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (Image == nullptr || Image->Empty()) return -1;
    // comctl32 blackens the masked pixels of the bitmap it is given: give it a copy.
    TBitmap copy;
    copy.Assign(Image);
    HIMAGELIST handle = Handle();
    int index = ComCtl().AddMasked(handle, ImageHandle(&copy), ListColor(MaskColor));
    Change();
    return index;
}

int TCustomImageList::AddIcon(TIcon* Image)
{
    if (Image == nullptr || Image->Empty()) return -1;
    int index = ComCtl().ReplaceIcon(Handle(), -1, Image->Handle());
    Change();
    return index;
}

void TCustomImageList::AddImages(TCustomImageList* Value)
{
    if (Value == nullptr || Value->Count() == 0) return;
    HIMAGELIST handle = Handle();
    for (int i = 0, n = Value->Count(); i < n; ++i) {
        HICON icon = ComCtl().GetIcon(Value->FHandle, i, ILD_NORMAL);
        if (icon == nullptr) continue;
        ComCtl().ReplaceIcon(handle, -1, icon);
        DestroyIcon(icon);
    }
    Change();
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask)
{
    CheckIndex(Index);
    if (Image == nullptr) return;
    ComCtl().Replace(FHandle, Index, ImageHandle(Image), ImageHandle(Mask));
    Change();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor)
{
    CheckIndex(Index);
    if (NewImage == nullptr || NewImage->Empty()) return;
    TBitmap mask;
    mask.Assign(NewImage);
    mask.Mask(MaskColor);
    // The image must be black wherever the mask lets the background through.
    TBitmap image;
    image.Assign(NewImage);
    image.SetPixelFormat(pf32bit);
    COLORREF key = static_cast<COLORREF>(ColorToRGB(MaskColor)) & 0x00FFFFFFu;
    for (int y = 0; y < image.Height(); ++y) {
        auto* row = static_cast<std::uint32_t*>(image.ScanLine(y));
        for (int x = 0; x < image.Width(); ++x) {
            std::uint32_t c = row[x];
            if (RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF) == key) row[x] = 0;
        }
    }
    ComCtl().Replace(FHandle, Index, ImageHandle(&image), ImageHandle(&mask));
    Change();
}

void TCustomImageList::ReplaceIcon(int Index, TIcon* Image)
{
    CheckIndex(Index);
    if (Image == nullptr || Image->Empty()) return;
    ComCtl().ReplaceIcon(FHandle, Index, Image->Handle());
    Change();
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask)
{
    int count = Count();
    if (Index < 0 || Index > count) throw EInvalidOperation(L"Invalid ImageList Index");
    int added = Add(Image, Mask);
    if (added >= 0 && Index < added) Move(added, Index);
}

void TCustomImageList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    // Shift the images between the two places by one with plain copies, then put the moved
    // image back from an icon (ILCF_SWAP is not dependable across comctl32 versions).
    HICON moved = ComCtl().GetIcon(FHandle, CurIndex, ILD_NORMAL);
    int step = CurIndex < NewIndex ? 1 : -1;
    for (int i = CurIndex; i != NewIndex; i += step) ComCtl().Copy(FHandle, i, FHandle, i + step, ILCF_MOVE);
    ComCtl().ReplaceIcon(FHandle, NewIndex, moved);
    DestroyIcon(moved);
    Change();
}

void TCustomImageList::Delete(int Index)
{
    CheckIndex(Index);
    ComCtl().Remove(FHandle, Index);
    Change();
}

void TCustomImageList::Clear()
{
    if (FHandle != nullptr) ComCtl().Remove(FHandle, -1);
    Change();
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
    if (Image == nullptr) return;
    CheckIndex(Index);
    Image->SetPixelFormat(pf32bit);
    Image->SetSize(FWidth, FHeight);
    TCanvas* canvas = Image->Canvas();
    canvas->Brush()->SetColor(FBkColor == clNone ? clWhite : FBkColor);
    canvas->FillRect(Bounds(0, 0, FWidth, FHeight));
    ComCtl().DrawEx(FHandle, Index, canvas->Handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    Image->SetModified(true);
}

void TCustomImageList::GetIcon(int Index, TIcon* Image)
{
    if (Image == nullptr) return;
    CheckIndex(Index);
    Image->SetHandle(ComCtl().GetIcon(FHandle, Index, ILD_NORMAL));
}

void TCustomImageList::SetBkColor(TColor Value)
{
    if (Value == FBkColor) return;
    FBkColor = Value;
    if (FHandle != nullptr) ComCtl().SetBkColor(FHandle, ListColor(Value));
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value)
{
    if (Value == FDrawingStyle) return;
    FDrawingStyle = Value;
    Change();
}

void TCustomImageList::SetImageType(TImageType Value)
{
    if (Value == FImageType) return;
    FImageType = Value;
    Change();
}

void TCustomImageList::SetMasked(bool Value)
{
    if (Value == FMasked) return;
    FMasked = Value;
    FreeList();
    Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled)
{
    if (Canvas == nullptr || FHandle == nullptr || Index < 0 || Index >= Count()) return;
    DoDraw(Index, Canvas, X, Y, StyleFlags(ADrawingStyle, AImageType), Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled)
{
    HDC dc = Canvas->Handle();
    if (Enabled) {
        ComCtl().DrawEx(FHandle, Index, dc, X, Y, 0, 0, ListColor(FBkColor), ListColor(FBlendColor), Style);
        return;
    }
    // Disabled: every pixel the image darkens becomes ink, drawn once in the highlight colour
    // one pixel down and right, then in the shadow colour on top.
    TBitmap face(FWidth, FHeight);
    face.SetPixelFormat(pf32bit);
    HDC faceDC = face.Canvas()->Handle();
    ComCtl().DrawEx(FHandle, Index, faceDC, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    TBitmap ink;
    ink.SetPixelFormat(pf1bit);
    ink.SetSize(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y) {
        const auto* src = static_cast<const std::uint32_t*>(face.ScanLine(y));
        auto* dst = static_cast<std::uint8_t*>(ink.ScanLine(y));
        std::memset(dst, 0, ink.RowStride());
        for (int x = 0; x < FWidth; ++x)
            if ((src[x] & 0x00FFFFFFu) != 0x00FFFFFFu) dst[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
    HDC inkDC = ink.Canvas()->Handle();
    COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    const DWORD ropDSPDxax = 0x00E20746; // pattern where the source is white (ink), destination elsewhere
    HBRUSH highlight = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    HBRUSH shadow = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    HGDIOBJ oldBrush = SelectObject(dc, highlight);
    BitBlt(dc, X + 1, Y + 1, FWidth, FHeight, inkDC, 0, 0, ropDSPDxax);
    SelectObject(dc, shadow);
    BitBlt(dc, X, Y, FWidth, FHeight, inkDC, 0, 0, ropDSPDxax);
    SelectObject(dc, oldBrush);
    DeleteObject(highlight);
    DeleteObject(shadow);
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}
