// THTMLPicture: the image bytes, the OLE picture made from them, and the GIF frames.
#include "grid/foundation/PictureContainer.h"

#include <algorithm>

#include "framework/system/StringUtils.h"

namespace {

// Bytes that make a frame start: a graphic control extension (0x21 0xF9, block size 4) followed,
// after its four data bytes and terminator, by an image descriptor (0x2C).
bool IsFrameStart(const std::vector<std::uint8_t>& B, size_t P)
{
    return P + 9 < B.size() && B[P] == 0x21 && B[P + 1] == 0xF9 && B[P + 2] == 4 && B[P + 8] == 0x2C;
}

// A little-endian 16-bit value, 0 past the end (a corrupt file never reads beyond its bytes).
int Word(const std::vector<std::uint8_t>& B, size_t P)
{
    if (P + 1 >= B.size()) return 0;
    return B[P] | (B[P + 1] << 8);
}

struct TComRelease {
    void operator()(IUnknown* Object) const
    {
        if (Object != nullptr) Object->Release();
    }
};

} // namespace

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture()
{
    if (FPicture != nullptr) FPicture->Release();
}

void THTMLPicture::ResetFrames()
{
    if (FPicture != nullptr) FPicture->Release();
    FPicture = nullptr;
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
    FFrame = 1;
    FFrameXPos = FFrameYPos = FFrameWidth = FFrameHeight = 0;
    FFrameTransp = false;
    FFrameDisposal = 0;
    FGIFWidth = FGIFHeight = 0;
}

bool THTMLPicture::IsGIF() const
{
    return FDatastream.size() >= 5 && FDatastream[0] == 'G' && FDatastream[1] == 'I' && FDatastream[2] == 'F' &&
           FDatastream[3] == '8';
}

std::vector<size_t> THTMLPicture::FrameStarts() const
{
    std::vector<size_t> starts;
    for (size_t p = 0; p + 9 < FDatastream.size(); ++p)
        if (IsFrameStart(FDatastream, p)) starts.push_back(p);
    return starts;
}

int THTMLPicture::FrameCount()
{
    if (!IsGIF()) return -1;
    if (FFrameCount == -1) FFrameCount = static_cast<int>(FrameStarts().size());
    return FFrameCount;
}

int THTMLPicture::FrameDelay(int Frame) const
{
    std::vector<size_t> starts = FrameStarts();
    if (Frame < 1 || Frame > static_cast<int>(starts.size())) return 0;
    return Word(FDatastream, starts[static_cast<size_t>(Frame - 1)] + 4);
}

void THTMLPicture::LoadPicture()
{
    if (FPicture != nullptr) FPicture->Release();
    FPicture = nullptr;

    const std::vector<std::uint8_t>* source = &FDatastream;
    std::vector<std::uint8_t> frameBytes;
    std::vector<size_t> starts = IsGIF() ? FrameStarts() : std::vector<size_t>();
    if (!starts.empty()) {
        // The loader shows a GIF's first image: leave out the frames before the selected one.
        FGIFWidth = Word(FDatastream, 6);
        FGIFHeight = Word(FDatastream, 8);
        size_t selected = starts[static_cast<size_t>(std::clamp(FFrame, 1, static_cast<int>(starts.size())) - 1)];
        frameBytes.assign(FDatastream.begin(), FDatastream.begin() + static_cast<std::ptrdiff_t>(starts[0]));
        frameBytes.insert(frameBytes.end(), FDatastream.begin() + static_cast<std::ptrdiff_t>(selected), FDatastream.end());
        std::uint8_t packed = FDatastream[selected + 3];
        FFrameTransp = (packed & 1) != 0;
        FFrameDisposal = (packed >> 2) & 7;
        FFrameXPos = Word(FDatastream, selected + 9);
        FFrameYPos = Word(FDatastream, selected + 11);
        FFrameWidth = Word(FDatastream, selected + 13);
        FFrameHeight = Word(FDatastream, selected + 15);
        source = &frameBytes;
    }
    if (source->empty()) throw Exception(L"Could not load image. Invalid format");

    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, source->size());
    if (memory == nullptr) throw Exception(L"Could not allocate memory for image");
    void* data = GlobalLock(memory);
    if (data == nullptr) {
        GlobalFree(memory);
        throw Exception(L"Could not allocate memory for image");
    }
    std::copy(source->begin(), source->end(), static_cast<std::uint8_t*>(data));
    GlobalUnlock(memory);
    IStream* raw = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &raw))) {
        GlobalFree(memory);
        throw Exception(L"Could not create image stream");
    }
    if (raw == nullptr) throw Exception(L"Empty image stream created");
    std::unique_ptr<IStream, TComRelease> stream(raw);
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(source->size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture))))
        throw Exception(L"Could not load image. Invalid format");
    if (picture == nullptr) throw Exception(L"Could not load image");
    FPicture = picture;
}

bool THTMLPicture::TryLoadPicture()
{
    try {
        LoadPicture();
        return true;
    } catch (...) {
        // Whatever the bytes were, a picture that cannot be shown is an empty picture.
        if (FPicture != nullptr) FPicture->Release();
        FPicture = nullptr;
        FDatastream.clear();
        FFrameCount = -1;
        FIsEmpty = true;
        return false;
    }
}

void THTMLPicture::TakeBytes(std::vector<std::uint8_t> Bytes)
{
    ResetFrames();
    FDatastream = std::move(Bytes);
    FIsEmpty = false;
    TryLoadPicture();
    Changed(this);
}

void THTMLPicture::Assign(TPersistent* Source)
{
    // Copying onto itself must not empty the picture it would copy from.
    if (Source == this) return;
    FIsEmpty = true;
    ResetFrames();
    if (Source == nullptr) {
        FDatastream.clear();
        return;
    }
    auto* source = dynamic_cast<THTMLPicture*>(Source);
    if (source == nullptr) return;
    FStretched = source->FStretched;
    FFrame = source->FFrame;
    ID = source->ID;
    FDatastream = source->FDatastream;
    if (!FDatastream.empty()) {
        FIsEmpty = false;
        TryLoadPicture();
    }
    Changed(this);
}

void THTMLPicture::LoadFromStream(TStream* Stream)
{
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadStreamRest(Stream);
    } catch (const Exception&) {
        bytes.clear();
    }
    TakeBytes(std::move(bytes));
}

void THTMLPicture::SaveToStream(TStream* Stream) { WriteStreamBytes(Stream, FDatastream); }

void THTMLPicture::LoadFromFile(const String& FileName)
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

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName)
{
    HRSRC resource = FindResourceW(Instance, ResName.c_str(), RT_RCDATA);
    if (resource == nullptr) return;
    HGLOBAL loaded = LoadResource(Instance, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(Instance, resource);
    if (data == nullptr) size = 0;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    TakeBytes(std::vector<std::uint8_t>(bytes, bytes + size));
}

void THTMLPicture::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    HRSRC resource = FindResourceW(Instance, MAKEINTRESOURCEW(ResID), RT_RCDATA);
    if (resource == nullptr) return;
    HGLOBAL loaded = LoadResource(Instance, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    DWORD size = data != nullptr ? SizeofResource(Instance, resource) : 0;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    TakeBytes(std::vector<std::uint8_t>(bytes, bytes + size));
}

void THTMLPicture::LoadFromURL(const String& URL)
{
    FURL = URL;
    String upper = UpperCase(URL);
    if (upper.rfind(L"RES://", 0) == 0) {
        ID = URL;
        LoadFromResourceName(GetModuleHandleW(nullptr), URL.substr(6));
        return;
    }
    if (upper.rfind(L"FILE://", 0) == 0) {
        ID = URL;
        LoadFromFile(URL.substr(7));
        return;
    }
    if (!Asynch) {
        ID = URL;
        return;
    }
    if (FBusy) return;
    FBusy = true;
    TThread::Create<TDownLoadThread>();
}

int THTMLPicture::Width() const
{
    if (FPicture == nullptr) return 0;
    OLE_XSIZE_HIMETRIC w = 0;
    FPicture->get_Width(&w);
    return MulDiv(w, FLogPixX, 2540);
}

int THTMLPicture::Height() const
{
    if (FPicture == nullptr) return 0;
    OLE_YSIZE_HIMETRIC h = 0;
    FPicture->get_Height(&h);
    return MulDiv(h, FLogPixY, 2540);
}

int THTMLPicture::MaxWidth()
{
    if (IsGIF() && FGIFWidth > 0) return FGIFWidth;
    return Width();
}

int THTMLPicture::MaxHeight()
{
    if (IsGIF() && FGIFHeight > 0) return FGIFHeight;
    return Height();
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (FIsEmpty || FPicture == nullptr) return;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    FPicture->get_Width(&hmWidth);
    FPicture->get_Height(&hmHeight);
    HDC dc = ACanvas->Handle();
    int width = Rect.right - Rect.left;
    int height = Rect.bottom - Rect.top;
    if (!FStretched) {
        width = MulDiv(hmWidth, GetDeviceCaps(dc, LOGPIXELSX), 2540);
        height = MulDiv(hmHeight, GetDeviceCaps(dc, LOGPIXELSY), 2540);
    }
    FPicture->Render(dc, Rect.left, Rect.top, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
}

void THTMLPicture::SetFrame(int Value)
{
    int count = FrameCount();
    if (count > 0 && (Value < 1 || Value > count)) return;
    FFrame = Value;
    if (!FDatastream.empty()) {
        TryLoadPicture();
        if (OnFrameChange) OnFrameChange(this);
    }
}

void THTMLPicture::FrameNext()
{
    int count = FrameCount();
    SetFrame(FFrame < count ? FFrame + 1 : 1);
}

void THTMLPicture::FramePrev()
{
    int count = FrameCount();
    SetFrame(FFrame > 1 ? FFrame - 1 : std::max(count, 1));
}

bool THTMLPicture::Step()
{
    if (FIsEmpty || FrameCount() < 2) return false;
    bool changed = false;
    if (FNextCount == -1) FNextCount = FrameDelay(FFrame);
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        FNextCount += FrameDelay(FFrame);
        changed = true;
    }
    ++FTimerCount;
    return changed;
}
