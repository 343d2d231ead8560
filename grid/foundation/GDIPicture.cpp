// TGDIPPicture: loading the bytes, reading their size and drawing them through GDI+.
#include "grid/foundation/GDIPicture.h"

#include <memory>

#include "framework/classes/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/system/StringUtils.h"

namespace {

struct TComRelease {
    void operator()(IUnknown* Object) const
    {
        if (Object != nullptr) Object->Release();
    }
};
using TStreamPtr = std::unique_ptr<IStream, TComRelease>;

// A stream on movable global memory holding the bytes, as GDI+ reads images.
TStreamPtr BytesStream(const std::vector<std::uint8_t>& Bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, Bytes.empty() ? 1 : Bytes.size());
    void* data = memory != nullptr ? GlobalLock(memory) : nullptr;
    if (data == nullptr) {
        if (memory != nullptr) GlobalFree(memory);
        throw Exception(L"Could not allocate memory for image");
    }
    std::copy(Bytes.begin(), Bytes.end(), static_cast<std::uint8_t*>(data));
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    return TStreamPtr(stream);
}

} // namespace

void TGDIPPicture::Clear()
{
    FDatastream.clear();
    FIsEmpty = true;
    FWidth = FHeight = 0;
}

bool TGDIPPicture::GetImageSizes()
{
    if (FDatastream.empty()) return false;
    TStreamPtr stream;
    try {
        stream = BytesStream(FDatastream);
    } catch (const Exception&) {
        return false;
    }
    if (!stream) return false;
    TGPImage image(stream.get());
    if (image.NativeHandle() == nullptr) return false;
    FWidth = static_cast<int>(image.Width());
    FHeight = static_cast<int>(image.Height());
    return true;
}

void TGDIPPicture::TakeBytes(std::vector<std::uint8_t> Bytes)
{
    FDatastream = std::move(Bytes);
    FIsEmpty = false;
    if (OnClear) OnClear(this);
    if (!GetImageSizes()) Clear();
    Changed(this);
}

void TGDIPPicture::Assign(TPersistent* Source)
{
    if (Source == nullptr) {
        Clear();
        if (OnClear) OnClear(this);
        return;
    }
    if (auto* source = dynamic_cast<TGDIPPicture*>(Source)) {
        if (source == this) return;
        FDatastream = source->FDatastream;
        FIsEmpty = source->FIsEmpty;
    } else if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        FDatastream = bitmap->SaveToBytes();
        FIsEmpty = bitmap->Empty();
    } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        TMemoryStream stream;
        if (picture->Graphic() != nullptr) picture->Graphic()->SaveToStream(&stream);
        FDatastream = stream.Bytes();
        FIsEmpty = FDatastream.empty();
    } else {
        TGraphic::Assign(Source);
        return;
    }
    if (FIsEmpty || !GetImageSizes()) Clear();
    Changed(this);
}

void TGDIPPicture::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (FIsEmpty || FDatastream.empty()) return;
    TStreamPtr stream = BytesStream(FDatastream);
    if (!stream) return;
    TGPImage image(stream.get());
    if (image.GetFormat() == ifBMP) {
        TBitmap bitmap;
        try {
            bitmap.LoadFromBytes(FDatastream.data(), FDatastream.size());
        } catch (const Exception&) {
            return;
        }
        bitmap.SetTransparent(true);
        bitmap.SetTransparentMode(tmAuto);
        ACanvas->StretchDraw(Rect, &bitmap);
        return;
    }
    FWidth = static_cast<int>(image.Width());
    FHeight = static_cast<int>(image.Height());
    TGPGraphics graphics(ACanvas->Handle());
    graphics.DrawImageRect(&image, Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
}

void TGDIPPicture::DrawImage(TGPGraphics* Graphics, int X, int Y)
{
    if (FIsEmpty || FDatastream.empty() || Graphics == nullptr) return;
    TStreamPtr stream = BytesStream(FDatastream);
    if (!stream) return;
    TGPImage image(stream.get());
    Graphics->DrawImageRect(&image, X, Y, static_cast<int>(image.Width()), static_cast<int>(image.Height()));
}

void TGDIPPicture::DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H)
{
    if (FIsEmpty || FDatastream.empty() || Graphics == nullptr) return;
    TStreamPtr stream = BytesStream(FDatastream);
    if (!stream) return;
    TGPImage image(stream.get());
    Graphics->DrawImageRect(&image, X, Y, W, H);
}

void TGDIPPicture::LoadFromStream(TStream* Stream)
{
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadStreamRest(Stream);
    } catch (const Exception&) {
        bytes.clear();
    }
    TakeBytes(std::move(bytes));
}

void TGDIPPicture::SaveToStream(TStream* Stream) { WriteStreamBytes(Stream, FDatastream); }

void TGDIPPicture::LoadFromFile(const String& FileName)
{
    std::vector<std::uint8_t> bytes;
    try {
        TMemoryStream file;
        file.LoadFromFile(FileName);
        bytes = file.Bytes();
    } catch (const Exception&) {
        bytes.clear();
    }
    TakeBytes(std::move(bytes));
}

void TGDIPPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName)
{
    HRSRC resource = FindResourceW(Instance, ResName.c_str(), RT_RCDATA);
    if (resource == nullptr) return;
    HGLOBAL loaded = LoadResource(Instance, resource);
    const auto* data = static_cast<const std::uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    DWORD size = data != nullptr ? SizeofResource(Instance, resource) : 0;
    TakeBytes(std::vector<std::uint8_t>(data, data + size));
}

void TGDIPPicture::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    HRSRC resource = FindResourceW(Instance, MAKEINTRESOURCEW(ResID), RT_RCDATA);
    if (resource == nullptr) return;
    HGLOBAL loaded = LoadResource(Instance, resource);
    const auto* data = static_cast<const std::uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    DWORD size = data != nullptr ? SizeofResource(Instance, resource) : 0;
    TakeBytes(std::vector<std::uint8_t>(data, data + size));
}

void TGDIPPicture::LoadFromURL(const String& URL)
{
    String upper = UpperCase(URL);
    if (upper.rfind(L"RES://", 0) == 0)
        LoadFromResourceName(GetModuleHandleW(nullptr), URL.substr(6));
    else if (upper.rfind(L"FILE://", 0) == 0)
        LoadFromFile(URL.substr(7));
}
