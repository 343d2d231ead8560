#include "framework/graphics/Graphic.h"

#include <algorithm>
#include <mutex>
#include <typeinfo>

#include "framework/classes/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/system/StringUtils.h"

// --- stream helpers ---------------------------------------------------------------------------

std::vector<std::uint8_t> ReadStreamRest(TStream* Stream)
{
    int64_t rest = Stream->Size() - Stream->Position();
    if (rest <= 0) return {};
    if (rest > 0x7FFFFFFF) throw EInvalidGraphic(L"Image is too large");
    std::vector<std::uint8_t> bytes(static_cast<size_t>(rest));
    Stream->ReadBuffer(bytes.data(), static_cast<int>(rest));
    return bytes;
}

void WriteStreamBytes(TStream* Stream, const std::vector<std::uint8_t>& Bytes)
{
    if (!Bytes.empty()) Stream->WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
}

// --- TGraphic ---------------------------------------------------------------------------------

void TGraphic::SetSize(int AWidth, int AHeight)
{
    SetWidth(AWidth);
    SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    Changed(this);
}

void TGraphic::SetModified(bool Value)
{
    if (Value) Changed(this);
    else FModified = false;
}

void TGraphic::Changed(TObject*)
{
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::DrawTransparent(TCanvas* ACanvas, const TRect& Rect, unsigned char Opacity)
{
    if (Opacity == 255) {
        Draw(ACanvas, Rect);
        return;
    }
    int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    if (w <= 0 || h <= 0 || Opacity == 0) return;
    HDC dest = ACanvas->Handle();
    TBitmap layer;
    layer.SetPixelFormat(pf32bit);
    layer.SetSize(w, h);
    HDC layerDC = layer.Canvas()->Handle();
    BitBlt(layerDC, 0, 0, w, h, dest, Rect.left, Rect.top, SRCCOPY);
    Draw(layer.Canvas(), Bounds(0, 0, w, h));
    BLENDFUNCTION blend{AC_SRC_OVER, 0, Opacity, 0};
    GdiAlphaBlend(dest, Rect.left, Rect.top, w, h, layerDC, 0, 0, w, h, blend);
}

void TGraphic::LoadFromFile(const String& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName)
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream);
}

// --- the format registry ----------------------------------------------------------------------

namespace {

struct TFormatRegistry {
    std::mutex Lock;
    std::vector<TFileFormat> Formats;

    TFormatRegistry()
    {
        Formats.push_back({L"bmp", L"Bitmaps", [] { return std::unique_ptr<TGraphic>(new TBitmap); },
                           [](const std::uint8_t* d, std::size_t n) { return n >= 2 && d[0] == 'B' && d[1] == 'M'; }});
        Formats.push_back({L"ico", L"Icons", [] { return std::unique_ptr<TGraphic>(new TIcon); },
                           [](const std::uint8_t* d, std::size_t n) {
                               return n >= 4 && d[0] == 0 && d[1] == 0 && d[2] == 1 && d[3] == 0;
                           }});
    }
};

TFormatRegistry& Registry()
{
    static TFormatRegistry* registry = new TFormatRegistry;
    return *registry;
}

String NormalExtension(const String& Extension)
{
    String ext = LowerCase(Extension);
    if (!ext.empty() && ext[0] == L'.') ext.erase(0, 1);
    return ext;
}

bool FindFormat(const String& Extension, TFileFormat& Format)
{
    String ext = NormalExtension(Extension);
    TFormatRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.Lock);
    for (const TFileFormat& f : registry.Formats) {
        if (f.Extension == ext) {
            Format = f;
            return true;
        }
    }
    return false;
}

// A new, empty graphic of the same class as Source.
std::unique_ptr<TGraphic> NewGraphicLike(TGraphic* Source)
{
    if (typeid(*Source) == typeid(TBitmap)) return std::make_unique<TBitmap>();
    if (typeid(*Source) == typeid(TIcon)) return std::make_unique<TIcon>();
    for (const TFileFormat& f : TPicture::FileFormats()) {
        if (!f.Factory) continue;
        std::unique_ptr<TGraphic> g = f.Factory();
        if (g && typeid(*g) == typeid(*Source)) return g;
    }
    throw EInvalidGraphic(L"Cannot create a copy of a " + Source->ClassName());
}

} // namespace

void TPicture::RegisterFileFormat(const String& Extension, const String& Description,
                                  TGraphicFactory Factory, TGraphicSignature Signature)
{
    String ext = NormalExtension(Extension);
    TFormatRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.Lock);
    TFileFormat format{ext, Description, std::move(Factory), std::move(Signature)};
    for (TFileFormat& f : registry.Formats) {
        if (f.Extension == ext) {
            f = std::move(format);
            return;
        }
    }
    registry.Formats.push_back(std::move(format));
}

void TPicture::UnregisterFileFormat(const String& Extension)
{
    String ext = NormalExtension(Extension);
    TFormatRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.Lock);
    std::erase_if(registry.Formats, [&](const TFileFormat& f) { return f.Extension == ext; });
}

std::vector<TFileFormat> TPicture::FileFormats()
{
    TFormatRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.Lock);
    return registry.Formats;
}

String TPicture::GraphicFilter()
{
    std::vector<TFileFormat> formats = FileFormats();
    String all, each;
    for (const TFileFormat& f : formats) {
        String mask = L"*." + f.Extension;
        if (!all.empty()) all += L";";
        all += mask;
        each += L"|" + f.Description + L" (" + mask + L")|" + mask;
    }
    return L"All (" + all + L")|" + all + each;
}

// --- TPicture ---------------------------------------------------------------------------------

TPicture::TPicture() = default;

TPicture::~TPicture()
{
    if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::Adopt(std::unique_ptr<TGraphic> Graphic)
{
    if (FGraphic) FGraphic->OnChange = nullptr;
    FGraphic = std::move(Graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject* Sender) { Changed(Sender); };
}

void TPicture::Changed(TObject*)
{
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* Value)
{
    if (Value == FGraphic.get() && Value != nullptr) return;
    std::unique_ptr<TGraphic> copy;
    if (Value != nullptr) {
        copy = NewGraphicLike(Value);
        copy->Assign(Value);
    }
    Adopt(std::move(copy));
    Changed(this);
}

TBitmap* TPicture::Bitmap()
{
    auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get());
    if (bitmap == nullptr) {
        auto created = std::make_unique<TBitmap>();
        bitmap = created.get();
        Adopt(std::move(created));
        Changed(this);
    }
    return bitmap;
}

void TPicture::SetBitmap(TBitmap* Value) { SetGraphic(Value); }

TIcon* TPicture::Icon()
{
    auto* icon = dynamic_cast<TIcon*>(FGraphic.get());
    if (icon == nullptr) {
        auto created = std::make_unique<TIcon>();
        icon = created.get();
        Adopt(std::move(created));
        Changed(this);
    }
    return icon;
}

void TPicture::SetIcon(TIcon* Value) { SetGraphic(Value); }

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const String& FileName)
{
    String ext = NormalExtension(ExtractFileExt(FileName));
    TFileFormat format;
    if (!FindFormat(ext, format)) throw EInvalidGraphic(L"Unknown picture file extension (." + ext + L")");
    std::unique_ptr<TGraphic> graphic = format.Factory();
    graphic->LoadFromFile(FileName);
    Adopt(std::move(graphic));
    Changed(this);
}

void TPicture::SaveToFile(const String& FileName)
{
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream)
{
    std::uint8_t head[64] = {};
    int64_t start = Stream->Position();
    int got = Stream->Read(head, sizeof(head));
    Stream->SetPosition(start);
    for (const TFileFormat& f : FileFormats()) {
        if (f.Signature && f.Factory && f.Signature(head, static_cast<std::size_t>(std::max(got, 0)))) {
            std::unique_ptr<TGraphic> graphic = f.Factory();
            graphic->LoadFromStream(Stream);
            Adopt(std::move(graphic));
            Changed(this);
            return;
        }
    }
    throw EInvalidGraphic(L"Unsupported stream format");
}

void TPicture::SaveToStream(TStream* Stream)
{
    if (FGraphic) FGraphic->SaveToStream(Stream);
}

void TPicture::Assign(TPersistent* Source)
{
    if (Source == nullptr) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        if (picture != this) SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(Source);
    }
}

void TPicture::AssignTo(TPersistent* Dest)
{
    if (FGraphic && dynamic_cast<TGraphic*>(Dest) != nullptr) {
        Dest->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(Dest);
}
