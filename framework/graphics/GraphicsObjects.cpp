#include "framework/graphics/GraphicsObjects.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>

#include "framework/graphics/Bitmap.h"

struct TPenData {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TBrushData {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    HBITMAP Pattern = nullptr;
};

enum TResourceKind { rkFont, rkPen, rkBrush };

// The settings of one font, pen or brush and the GDI handle made from them. Cached resources
// are found by Key; adopted ones (SetHandle, pattern brushes) are private to their owner.
class TGdiResource {
public:
    TResourceKind Kind = rkFont;
    TFontData Font;
    TPenData Pen;
    TBrushData Brush;
    std::wstring Key;
    bool Cached = false;

    HGDIOBJ Handle();
    bool HasHandle();
    void Adopt(HGDIOBJ Value);
    TGdiResource() = default;
    TGdiResource(const TGdiResource&) = delete;
    TGdiResource& operator=(const TGdiResource&) = delete;
    ~TGdiResource();

private:
    HGDIOBJ Create() const;
    // Read without the lock once made: a font's handle is asked for at every text drawn.
    std::atomic<HGDIOBJ> FHandle{nullptr};
};

namespace {

// Never destroyed: fonts in static objects may be released after the end of main.
struct TResourceCache {
    std::mutex Lock;
    std::unordered_map<std::wstring, std::weak_ptr<TGdiResource>> Map;
};

TResourceCache& Cache()
{
    static TResourceCache* cache = new TResourceCache;
    return *cache;
}

COLORREF ColorRef(TColor Color)
{
    return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFFu;
}

// Keys are the settings' raw values packed into characters, built without any number
// formatting into one buffer that the cache's lock guards: finding a resource that exists
// allocates nothing, and fonts change style often enough (a markup text does it at every tag)
// for that to count.
void AppendValue(std::wstring& Key, uint32_t Value)
{
    Key += static_cast<wchar_t>(Value & 0xFFFF);
    Key += static_cast<wchar_t>(Value >> 16);
}

void FontKey(std::wstring& Key, const TFontData& d)
{
    Key = L'F';
    AppendValue(Key, static_cast<uint32_t>(d.Height));
    AppendValue(Key, static_cast<uint32_t>(d.Orientation));
    AppendValue(Key, static_cast<uint32_t>(d.Style.Bits()) | (static_cast<uint32_t>(d.Charset) << 8) |
                         (static_cast<uint32_t>(d.Pitch) << 16) | (static_cast<uint32_t>(d.Quality) << 24));
    Key += d.Name;
}

void PenKey(std::wstring& Key, const TPenData& d)
{
    Key = L'P';
    AppendValue(Key, static_cast<uint32_t>(d.Color));
    AppendValue(Key, static_cast<uint32_t>(d.Width));
    AppendValue(Key, static_cast<uint32_t>(d.Style));
}

void BrushKey(std::wstring& Key, const TBrushData& d)
{
    Key = L'B';
    AppendValue(Key, static_cast<uint32_t>(d.Color));
    AppendValue(Key, static_cast<uint32_t>(d.Style));
}

template <class MakeKey, class Fill> TGdiResourceRef Acquire(TResourceKind kind, MakeKey BuildKey, Fill FillIn)
{
    TResourceCache& cache = Cache();
    std::lock_guard<std::mutex> guard(cache.Lock);
    static std::wstring key;
    BuildKey(key);
    auto it = cache.Map.find(key);
    if (it != cache.Map.end()) {
        if (TGdiResourceRef existing = it->second.lock()) return existing;
    }
    auto created = std::make_shared<TGdiResource>();
    created->Kind = kind;
    created->Key = key;
    created->Cached = true;
    FillIn(*created);
    cache.Map[key] = created;
    return created;
}

TGdiResourceRef AcquireFont(const TFontData& data)
{
    return Acquire(rkFont, [&](std::wstring& k) { FontKey(k, data); }, [&](TGdiResource& r) { r.Font = data; });
}

TGdiResourceRef AcquirePen(const TPenData& data)
{
    return Acquire(rkPen, [&](std::wstring& k) { PenKey(k, data); }, [&](TGdiResource& r) { r.Pen = data; });
}

TGdiResourceRef AcquireBrush(const TBrushData& data)
{
    if (data.Pattern != nullptr) {
        // Pattern brushes are not shared: a bitmap handle may be reused for another image.
        auto r = std::make_shared<TGdiResource>();
        r->Kind = rkBrush;
        r->Brush = data;
        r->Adopt(CreatePatternBrush(data.Pattern));
        return r;
    }
    return Acquire(rkBrush, [&](std::wstring& k) { BrushKey(k, data); }, [&](TGdiResource& r) { r.Brush = data; });
}

BYTE QualityToGdi(TFontQuality q)
{
    switch (q) {
    case fqDraft: return DRAFT_QUALITY;
    case fqProof: return PROOF_QUALITY;
    case fqNonAntialiased: return NONANTIALIASED_QUALITY;
    case fqAntialiased: return ANTIALIASED_QUALITY;
    case fqClearType: return CLEARTYPE_QUALITY;
    case fqClearTypeNatural: return 6; // CLEARTYPE_NATURAL_QUALITY
    default: return DEFAULT_QUALITY;
    }
}

TFontQuality QualityFromGdi(BYTE q)
{
    switch (q) {
    case DRAFT_QUALITY: return fqDraft;
    case PROOF_QUALITY: return fqProof;
    case NONANTIALIASED_QUALITY: return fqNonAntialiased;
    case ANTIALIASED_QUALITY: return fqAntialiased;
    case CLEARTYPE_QUALITY: return fqClearType;
    case 6: return fqClearTypeNatural;
    default: return fqDefault;
    }
}

const UINT GPenStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};

} // namespace

HGDIOBJ TGdiResource::Create() const
{
    switch (Kind) {
    case rkFont: {
        LOGFONTW lf{};
        lf.lfHeight = Font.Height;
        lf.lfEscapement = Font.Orientation;
        lf.lfOrientation = Font.Orientation;
        lf.lfWeight = Font.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = Font.Style.Contains(fsItalic);
        lf.lfUnderline = Font.Style.Contains(fsUnderline);
        lf.lfStrikeOut = Font.Style.Contains(fsStrikeOut);
        lf.lfCharSet = Font.Charset;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = QualityToGdi(Font.Quality);
        lf.lfPitchAndFamily = Font.Pitch == fpFixed ? FIXED_PITCH : Font.Pitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
        wcsncpy(lf.lfFaceName, Font.Name.c_str(), LF_FACESIZE - 1);
        return CreateFontIndirectW(&lf);
    }
    case rkPen: {
        LOGPEN lp{};
        lp.lopnStyle = GPenStyles[Pen.Style];
        lp.lopnWidth.x = Pen.Width;
        lp.lopnColor = ColorRef(Pen.Color);
        return CreatePenIndirect(&lp);
    }
    case rkBrush: {
        LOGBRUSH lb{};
        lb.lbColor = ColorRef(Brush.Color);
        if (Brush.Style == bsSolid) {
            lb.lbStyle = BS_SOLID;
        } else if (Brush.Style == bsClear) {
            lb.lbStyle = BS_HOLLOW;
        } else {
            lb.lbStyle = BS_HATCHED;
            lb.lbHatch = static_cast<ULONG_PTR>(Brush.Style - bsHorizontal);
        }
        return CreateBrushIndirect(&lb);
    }
    }
    return nullptr;
}

HGDIOBJ TGdiResource::Handle()
{
    if (HGDIOBJ handle = FHandle.load(std::memory_order_acquire)) return handle;
    std::lock_guard<std::mutex> guard(Cache().Lock);
    if (FHandle.load(std::memory_order_relaxed) == nullptr) FHandle.store(Create(), std::memory_order_release);
    return FHandle.load(std::memory_order_relaxed);
}

bool TGdiResource::HasHandle()
{
    return FHandle.load(std::memory_order_acquire) != nullptr;
}

void TGdiResource::Adopt(HGDIOBJ Value)
{
    FHandle = Value;
}

TGdiResource::~TGdiResource()
{
    if (Cached) {
        TResourceCache& cache = Cache();
        std::lock_guard<std::mutex> guard(cache.Lock);
        auto it = cache.Map.find(Key);
        if (it != cache.Map.end() && it->second.expired()) cache.Map.erase(it);
    }
    if (HGDIOBJ handle = FHandle.load()) DeleteObject(handle);
}

// --- TGraphicsObject --------------------------------------------------------------------------

TGdiResourceRef TGraphicsObject::ResourceRef() const
{
    if (FResource) FResource->Handle();
    return FResource;
}

bool TGraphicsObject::HandleAllocated() const
{
    return FResource && FResource->HasHandle();
}

void TGraphicsObject::Changed()
{
    if (OnChange) OnChange(this);
}

void TGraphicsObject::SetResource(TGdiResourceRef Resource, bool Force)
{
    if (Resource == FResource && !Force) return;
    FResource = std::move(Resource);
    Changed();
}

// --- TFont ------------------------------------------------------------------------------------

TFont::TFont() : FPixelsPerInch(ScreenPixelsPerInch())
{
    TFontData data;
    data.Height = -MulDiv(8, FPixelsPerInch, 72);
    SetResource(AcquireFont(data));
}

TFontData TFont::Data() const { return Resource()->Font; }

void TFont::SetData(const TFontData& Value) { SetResource(AcquireFont(Value)); }

void TFont::Assign(TPersistent* Source)
{
    if (auto* font = dynamic_cast<TFont*>(Source)) {
        if (font == this) return;
        TGdiResourceRef resource = font->Resource();
        if (FPixelsPerInch != font->FPixelsPerInch) {
            TFontData data = font->Data();
            data.Height = -MulDiv(font->Size(), FPixelsPerInch, 72);
            resource = AcquireFont(data);
        }
        bool changed = resource != Resource() || FColor != font->FColor;
        FColor = font->FColor;
        if (changed) SetResource(std::move(resource), true);
        return;
    }
    TGraphicsObject::Assign(Source);
}

HFONT TFont::Handle() const { return static_cast<HFONT>(Resource()->Handle()); }

void TFont::SetHandle(HFONT Value)
{
    LOGFONTW lf{};
    if (Value == nullptr || GetObjectW(Value, sizeof(lf), &lf) == 0) return;
    auto r = std::make_shared<TGdiResource>();
    r->Kind = rkFont;
    r->Font.Name = lf.lfFaceName;
    r->Font.Height = lf.lfHeight;
    r->Font.Orientation = lf.lfEscapement;
    TFontStyles style;
    if (lf.lfWeight >= FW_SEMIBOLD) style.Include(fsBold);
    if (lf.lfItalic) style.Include(fsItalic);
    if (lf.lfUnderline) style.Include(fsUnderline);
    if (lf.lfStrikeOut) style.Include(fsStrikeOut);
    r->Font.Style = style;
    r->Font.Charset = lf.lfCharSet;
    int pitch = lf.lfPitchAndFamily & 3;
    r->Font.Pitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    r->Font.Quality = QualityFromGdi(lf.lfQuality);
    r->Adopt(Value);
    SetResource(std::move(r), true);
}

String TFont::Name() const { return Data().Name; }
int TFont::Height() const { return Data().Height; }
int TFont::Size() const { return -MulDiv(Data().Height, 72, FPixelsPerInch); }
TFontStyles TFont::Style() const { return Data().Style; }
TFontCharset TFont::Charset() const { return Data().Charset; }
TFontPitch TFont::Pitch() const { return Data().Pitch; }
TFontQuality TFont::Quality() const { return Data().Quality; }
int TFont::Orientation() const { return Data().Orientation; }

void TFont::SetName(const String& Value)
{
    if (Value.empty()) return;
    TFontData d = Data();
    d.Name = Value;
    SetData(d);
}

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetHeight(int Value)
{
    TFontData d = Data();
    d.Height = Value;
    SetData(d);
}

void TFont::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value)
{
    TFontData d = Data();
    d.Style = Value;
    SetData(d);
}

void TFont::SetCharset(TFontCharset Value)
{
    TFontData d = Data();
    d.Charset = Value;
    SetData(d);
}

void TFont::SetPitch(TFontPitch Value)
{
    TFontData d = Data();
    d.Pitch = Value;
    SetData(d);
}

void TFont::SetQuality(TFontQuality Value)
{
    TFontData d = Data();
    d.Quality = Value;
    SetData(d);
}

void TFont::SetOrientation(int Value)
{
    TFontData d = Data();
    d.Orientation = Value;
    SetData(d);
}

// --- TPen -------------------------------------------------------------------------------------

TPen::TPen() { SetResource(AcquirePen(TPenData{})); }

void TPen::Assign(TPersistent* Source)
{
    if (auto* pen = dynamic_cast<TPen*>(Source)) {
        if (pen == this) return;
        bool changed = pen->Resource() != Resource() || FMode != pen->FMode;
        FMode = pen->FMode;
        if (changed) SetResource(pen->Resource(), true);
        return;
    }
    TGraphicsObject::Assign(Source);
}

HPEN TPen::Handle() const { return static_cast<HPEN>(Resource()->Handle()); }

void TPen::SetHandle(HPEN Value)
{
    LOGPEN lp{};
    if (Value == nullptr || GetObjectW(Value, sizeof(lp), &lp) == 0) return;
    auto r = std::make_shared<TGdiResource>();
    r->Kind = rkPen;
    r->Pen.Color = static_cast<TColor>(lp.lopnColor);
    r->Pen.Width = lp.lopnWidth.x;
    r->Pen.Style = psSolid;
    for (int i = 0; i < 7; ++i)
        if (GPenStyles[i] == (lp.lopnStyle & PS_STYLE_MASK)) r->Pen.Style = static_cast<TPenStyle>(i);
    r->Adopt(Value);
    SetResource(std::move(r), true);
}

TColor TPen::Color() const { return Resource()->Pen.Color; }
int TPen::Width() const { return Resource()->Pen.Width; }
TPenStyle TPen::Style() const { return Resource()->Pen.Style; }

void TPen::SetData(TColor Color, int Width, TPenStyle Style)
{
    TPenData d{Color, Width, Style};
    SetResource(AcquirePen(d));
}

void TPen::SetColor(TColor Value) { SetData(Value, Width(), Style()); }
void TPen::SetWidth(int Value) { SetData(Color(), Value, Style()); }
void TPen::SetStyle(TPenStyle Value) { SetData(Color(), Width(), Value); }

void TPen::SetMode(TPenMode Value)
{
    if (FMode == Value) return;
    FMode = Value;
    Changed();
}

int PenModeToRop2(TPenMode Mode)
{
    static const int rops[] = {R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN,
                               R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,
                               R2_MERGEPEN, R2_NOTMERGEPEN, R2_MASKPEN, R2_NOTMASKPEN, R2_XORPEN,
                               R2_NOTXORPEN};
    return rops[Mode];
}

// --- TBrush -----------------------------------------------------------------------------------

TBrush::TBrush() { SetResource(AcquireBrush(TBrushData{})); }

void TBrush::Assign(TPersistent* Source)
{
    if (auto* brush = dynamic_cast<TBrush*>(Source)) {
        if (brush == this) return;
        bool changed = brush->Resource() != Resource() || FBitmap != brush->FBitmap;
        FBitmap = brush->FBitmap;
        if (changed) SetResource(brush->Resource(), true);
        return;
    }
    TGraphicsObject::Assign(Source);
}

HBRUSH TBrush::Handle() const { return static_cast<HBRUSH>(Resource()->Handle()); }

void TBrush::SetHandle(HBRUSH Value)
{
    LOGBRUSH lb{};
    if (Value == nullptr || GetObjectW(Value, sizeof(lb), &lb) == 0) return;
    auto r = std::make_shared<TGdiResource>();
    r->Kind = rkBrush;
    r->Brush.Color = static_cast<TColor>(lb.lbColor);
    if (lb.lbStyle == BS_HOLLOW) r->Brush.Style = bsClear;
    else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= HS_DIAGCROSS)
        r->Brush.Style = static_cast<TBrushStyle>(bsHorizontal + lb.lbHatch);
    else r->Brush.Style = bsSolid;
    r->Adopt(Value);
    FBitmap = nullptr;
    SetResource(std::move(r), true);
}

TColor TBrush::Color() const { return Resource()->Brush.Color; }
TBrushStyle TBrush::Style() const { return Resource()->Brush.Style; }

void TBrush::SetData(TColor Color, TBrushStyle Style, HBITMAP Pattern)
{
    TBrushData d{Color, Style, Pattern};
    SetResource(AcquireBrush(d));
}

HBITMAP TBrush::PatternHandle() const
{
    return FBitmap != nullptr && !FBitmap->Empty() ? FBitmap->Handle() : nullptr;
}

void TBrush::SetColor(TColor Value)
{
    TBrushStyle style = Style();
    if (Value == Color() && style != bsClear) return;
    SetData(Value, style == bsClear ? bsSolid : style, PatternHandle());
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (Value == Style()) return;
    SetData(Color(), Value, PatternHandle());
}

void TBrush::SetBitmap(TBitmap* Value)
{
    if (Value == FBitmap && Value == nullptr) return;
    FBitmap = Value;
    SetData(Color(), Style(), PatternHandle());
}
