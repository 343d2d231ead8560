#include "grid/control/paint/GridGlyphBitmaps.h"

#include <map>
#include <memory>

#include "framework/system/Exceptions.h"

namespace {

constexpr TColor SeeThrough = 0xFF00FF;

struct TGlyphState {
    bool Checked, Enabled;
};

// Resources 1..4 of a family: checked, unchecked, checked disabled, unchecked disabled.
TGlyphState StateOf(int Number) { return {Number % 2 == 1, Number <= 2}; }

std::unique_ptr<TBitmap> NewPicture(int W, int H)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(W, H);
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(SeeThrough);
    c->FillRect(TRect{0, 0, W, H});
    c->Pen()->SetWidth(1);
    return bitmap;
}

void Box(TCanvas* C, const TRect& R, TColor Pen, TColor Fill)
{
    C->Pen()->SetColor(Pen);
    C->Brush()->SetColor(Fill);
    C->Rectangle(R);
}

void Tick(TCanvas* C, int X, int Y, int Size, TColor Color)
{
    // Two strokes, two pixels thick: down to the bottom point, then up to the right.
    C->Pen()->SetColor(Color);
    for (int d = 0; d < 2; ++d) {
        C->MoveTo(X, Y + d);
        C->LineTo(X + Size / 3, Y + Size / 3 + d);
        C->LineTo(X + Size, Y - Size / 3 + d);
    }
}

std::unique_ptr<TBitmap> CheckPicture(int Size, bool Rounded, TGlyphState S)
{
    auto bitmap = NewPicture(Size, Size);
    TCanvas* c = bitmap->Canvas();
    const TColor frame = S.Enabled ? (Rounded ? TColor(0x8A6A4A) : TColor(0x80511C)) : TColor(0xA0A0A0);
    const TColor fill = S.Enabled ? clWhite : TColor(0xE6E6E6);
    const int inset = Rounded ? 2 : 0;
    const TRect box{inset, inset, Size - inset, Size - inset};
    if (Rounded) {
        c->Pen()->SetColor(frame);
        c->Brush()->SetColor(fill);
        c->RoundRect(box.left, box.top, box.right, box.bottom, 4, 4);
    } else {
        Box(c, box, frame, fill);
    }
    if (S.Checked) Tick(c, box.left + 3, box.top + (box.bottom - box.top) / 2, box.right - box.left - 7,
                        S.Enabled ? TColor(0x21A121) : TColor(0x909090));
    return bitmap;
}

std::unique_ptr<TBitmap> RadioPicture(bool Shaded, TGlyphState S)
{
    auto bitmap = NewPicture(16, 16);
    TCanvas* c = bitmap->Canvas();
    const TColor ring = S.Enabled ? (Shaded ? TColor(0x8A6A4A) : TColor(0x80511C)) : TColor(0xA0A0A0);
    c->Pen()->SetColor(ring);
    c->Brush()->SetColor(S.Enabled ? clWhite : TColor(0xE6E6E6));
    c->Ellipse(TRect{1, 1, 15, 15});
    if (Shaded) {
        c->Pen()->SetColor(0xD8C8B8);
        c->Brush()->SetStyle(bsClear);
        c->Ellipse(TRect{2, 2, 14, 14});
        c->Brush()->SetStyle(bsSolid);
    }
    if (S.Checked) {
        const TColor dot = S.Enabled ? TColor(0x21A121) : TColor(0x909090);
        c->Pen()->SetColor(dot);
        c->Brush()->SetColor(dot);
        c->Ellipse(TRect{5, 5, 11, 11});
    }
    return bitmap;
}

// A small folder-like leaf: a page with a fold (open) or a closed box with a plus.
std::unique_ptr<TBitmap> LeafPicture(bool Open)
{
    auto bitmap = NewPicture(16, 16);
    TCanvas* c = bitmap->Canvas();
    Box(c, TRect{2, 3, 14, 13}, 0x606060, Open ? TColor(0x9CE0F8) : TColor(0x60C0E8));
    c->Pen()->SetColor(0x303030);
    c->MoveTo(5, 8);
    c->LineTo(11, 8);
    if (!Open) {
        c->MoveTo(8, 5);
        c->LineTo(8, 11);
    }
    return bitmap;
}

std::unique_ptr<TBitmap> BoxedNodePicture(bool Open)
{
    auto bitmap = NewPicture(9, 9);
    TCanvas* c = bitmap->Canvas();
    Box(c, TRect{0, 0, 9, 9}, 0x9C7A5A, 0xF7F4F0);
    c->Pen()->SetColor(clBlack);
    c->MoveTo(2, 4);
    c->LineTo(7, 4);
    if (!Open) {
        c->MoveTo(4, 2);
        c->LineTo(4, 7);
    }
    return bitmap;
}

// A funnel: the header's filter button.
std::unique_ptr<TBitmap> FilterPicture()
{
    auto bitmap = NewPicture(16, 16);
    TCanvas* c = bitmap->Canvas();
    c->Pen()->SetColor(0x404040);
    for (int y = 4, half = 5; y < 9; ++y, --half) {
        c->MoveTo(8 - half, y);
        c->LineTo(8 + half, y);
    }
    c->MoveTo(7, 9);
    c->LineTo(7, 13);
    c->MoveTo(8, 9);
    c->LineTo(8, 12);
    return bitmap;
}

std::unique_ptr<TBitmap> DrawnPicture(const String& Name)
{
    auto numbered = [&](const wchar_t* Prefix) {
        const String prefix = Prefix;
        if (Name.size() != prefix.size() + 2 || Name.compare(0, prefix.size(), prefix) != 0) return 0;
        const int n = (Name[prefix.size()] - L'0') * 10 + (Name[prefix.size() + 1] - L'0');
        return n >= 1 && n <= 8 ? n : 0;
    };
    if (int n = numbered(L"ASGCHK")) return n <= 4 ? CheckPicture(20, true, StateOf(n)) : CheckPicture(16, false, StateOf(n - 4));
    if (int n = numbered(L"ASGRAD")) return n <= 4 ? RadioPicture(true, StateOf(n)) : RadioPicture(false, StateOf(n - 4));
    if (Name == L"ASGLEAFOPEN" || Name == L"ASGLEAFCLOSE") return LeafPicture(Name == L"ASGLEAFOPEN");
    if (Name == L"XPNODEO" || Name == L"XPNODEC") return BoxedNodePicture(Name == L"XPNODEO");
    if (Name == L"ASGFILT") return FilterPicture();
    return nullptr;
}

std::unique_ptr<TBitmap> ResourcePicture(const String& Name)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    if (FindResourceW(module, Name.c_str(), RT_BITMAP) == nullptr) return nullptr;
    auto bitmap = std::make_unique<TBitmap>();
    try {
        bitmap->LoadFromResourceName(module, Name);
    } catch (const Exception&) {
        return nullptr;
    }
    return bitmap;
}

} // namespace

TBitmap* GridGlyphBitmap(const String& Name)
{
    static std::map<String, std::unique_ptr<TBitmap>> pictures;
    auto found = pictures.find(Name);
    if (found != pictures.end()) return found->second.get();
    std::unique_ptr<TBitmap> picture = ResourcePicture(Name);
    if (picture == nullptr) picture = DrawnPicture(Name);
    if (picture == nullptr) return nullptr;
    picture->SetTransparent(true);
    picture->SetTransparentMode(tmAuto);
    return pictures.emplace(Name, std::move(picture)).first->second.get();
}

void PaintGridGlyph(TCanvas* Canvas, int X, int Y, const String& Name)
{
    if (TBitmap* picture = GridGlyphBitmap(Name)) Canvas->Draw(X, Y, picture);
}
