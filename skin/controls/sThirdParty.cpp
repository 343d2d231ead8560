#include "skin/controls/sThirdParty.h"

#include <algorithm>
#include <memory>

#include "framework/graphics/DrawingGuards.h"
#include "skin/core/acAlphaImageList.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sSkinManager.h"

namespace {

constexpr std::uint32_t ListKeyPixel = 0x00FF00FFu;
constexpr TColor ListKeyColor = 0xFF00FF;

std::uint32_t& PixelAt(TBitmap* Bmp, int X, int Y)
{
    return static_cast<std::uint32_t*>(Bmp->ScanLine(Y))[X];
}

bool HasOpaquePixel(TBitmap* Bmp)
{
    for (int y = 0; y < Bmp->Height(); ++y)
        for (int x = 0; x < Bmp->Width(); ++x)
            if ((PixelAt(Bmp, x, y) >> 24) == 0xFF) return true;
    return false;
}

// The glyph as it is drawn: a 32-bit glyph without a single opaque pixel carries no usable alpha
// and is drawn as an ordinary keyed glyph. The button's own bitmap is never changed by painting.
std::unique_ptr<TBitmap> NormalisedGlyph(TBitmap* Glyph)
{
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(Glyph);
    if (copy->PixelFormat() == pf32bit && !HasOpaquePixel(copy.get())) copy->SetPixelFormat(pf24bit);
    return copy;
}

bool Skinned(const TacButtonGlyphInputs& In)
{
    return In.SkinData != nullptr && In.SkinData->Skinned();
}

TBitmap* CacheOf(const TacButtonGlyphInputs& In)
{
    return In.SkinData != nullptr ? In.SkinData->CacheBmp() : nullptr;
}

// $1FFFFFFF (none) or the colour a greyed glyph is tinted with.
TColor GrayColorOf(const TacButtonGlyphInputs& In)
{
    const bool gray = (In.State == 0 && In.Grayed) || (!In.Enabled && In.DisabledGlyphKind.Contains(dgGrayed));
    if (!gray) return clNone;
    if (Skinned(In)) return In.SkinData->SkinManager()->gd[In.SkinData->SkinIndex].Color;
    return ColorToRGB(clBtnFace);
}

// Draws a 32-bit bitmap with its own alpha at (X, Y) of the canvas.
void AlphaDraw(TCanvas* Canvas, TBitmap* Image, int X, int Y)
{
    TBitmap premultiplied;
    premultiplied.Assign(Image);
    for (int y = 0; y < premultiplied.Height(); ++y)
        for (int x = 0; x < premultiplied.Width(); ++x) {
            std::uint32_t& p = PixelAt(&premultiplied, x, y);
            const std::uint32_t a = p >> 24;
            auto ch = [&](int shift) { return ((p >> shift & 0xFF) * a / 255) << shift; };
            p = (a << 24) | ch(16) | ch(8) | ch(0);
        }
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(Canvas->Handle(), X, Y, premultiplied.Width(), premultiplied.Height(), premultiplied.Canvas()->Handle(),
               0, 0, premultiplied.Width(), premultiplied.Height(), blend);
}

void PaintAlphaGlyph(const TacButtonGlyphInputs& In, TBitmap* Glyph, TCanvas* Canvas)
{
    const TRect& R = In.ImgRect;
    const int w = R.right - R.left;
    const int frame = std::max(0, std::min(In.State, In.NumGlyphs - 1));
    const TRect src{frame * w, 0, frame * w + w, Glyph->Height()};
    if (Canvas == nullptr) {
        CopyKeyedBitmapBlend(R, src, CacheOf(In), Glyph, EmptyCI, false, GrayColorOf(In), In.State == 0 ? In.Blend : 0,
                             In.Reflected);
        return;
    }
    // The frame with its own alpha; a reflection would fall below R and is not part of it.
    auto image = MakeBitmap32(w, R.bottom - R.top);
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x) {
            const int sx = src.left + x;
            PixelAt(image.get(), x, y) = sx < Glyph->Width() && y < Glyph->Height() ? PixelAt(Glyph, sx, y) : 0;
        }
    int blend = In.Blend;
    if (!In.Enabled && In.DisabledGlyphKind.Contains(dgBlended)) blend = std::max(50, blend);
    // On a plain canvas the blend is the share of the glyph's own alpha that stays.
    if (In.State == 0 && blend != 0)
        for (int y = 0; y < image->Height(); ++y)
            for (int x = 0; x < image->Width(); ++x) {
                std::uint32_t& p = PixelAt(image.get(), x, y);
                p = (p & 0x00FFFFFFu) | ((p >> 24) * std::min(blend, 100) / 100) << 24;
            }
    if ((!In.Enabled && In.DisabledGlyphKind.Contains(dgGrayed)) || (In.State == 0 && In.Grayed))
        MakeBitmapGray(image.get());
    AlphaDraw(Canvas, image.get(), R.left, R.top);
}

// A keyed (non-alpha) glyph strip: the frame of the state is cut out and drawn alone.
void PaintKeyedGlyph(const TacButtonGlyphInputs& In, TBitmap* Glyph, TBitmap* Target)
{
    const int frames = std::max(1, In.NumGlyphs);
    const int frameWidth = Glyph->Width() / frames;
    if (frameWidth < 1) return;
    const int frame = In.Enabled ? std::min(In.State, frames - 1) : 0;
    TBitmap one;
    one.SetPixelFormat(Glyph->PixelFormat() == pf32bit ? pf32bit : pf24bit);
    one.SetSize(frameWidth, Glyph->Height());
    BitBlt(one.Canvas()->Handle(), 0, 0, frameWidth, Glyph->Height(), Glyph->Canvas()->Handle(), frame * frameWidth, 0,
           SRCCOPY);
    const int kind = In.State > 0 ? 1 : 0;
    DrawGlyphState(&one, Target, In.ImgRect, In.State, In.Blend, kind,
                   static_cast<int>(In.DisabledGlyphKind.Bits()), In.Enabled, 1);
}

void PaintGlyphBitmap(const TacButtonGlyphInputs& In, TSize Size, TCanvas* Canvas)
{
    auto glyph = NormalisedGlyph(In.Glyph);
    if (glyph->PixelFormat() == pf32bit) {
        PaintAlphaGlyph(In, glyph.get(), Canvas);
        return;
    }
    if (Canvas == nullptr) {
        PaintKeyedGlyph(In, glyph.get(), CacheOf(In));
        return;
    }
    // A plain canvas has no alpha: the glyph is composed over a copy of the button's area.
    if (Size.cx <= 0 || Size.cy <= 0) return;
    auto area = MakeBitmap32(Size.cx, Size.cy);
    BitBlt(area->Canvas()->Handle(), 0, 0, Size.cx, Size.cy, Canvas->Handle(), 0, 0, SRCCOPY);
    PaintKeyedGlyph(In, glyph.get(), area.get());
    BitBlt(Canvas->Handle(), 0, 0, Size.cx, Size.cy, area->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The list's image on its background colour, clNone becoming the key.
std::unique_ptr<TBitmap> ListImage(TCustomImageList* List, int Index)
{
    auto image = MakeBitmap32(List->Width(), List->Height());
    const TColor back = List->BkColor();
    const std::uint32_t fill = back == clNone ? ListKeyPixel : SwapRedBlue(static_cast<std::uint32_t>(ColorToRGB(back)));
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x) PixelAt(image.get(), x, y) = fill;
    List->Draw(image->Canvas(), 0, 0, Index, true);
    GdiFlush();
    return image;
}

void GrayExceptCorner(TBitmap* Image)
{
    MakeBitmapGrayExcept(Image, PixelAt(Image, 0, 0));
}

// An alpha image list keeps its alpha and holds NumGlyphs state frames per image.
void PaintAlphaListImage(const TacButtonGlyphInputs& In, TsAlphaImageList* List, TCanvas* Canvas)
{
    const int x = In.ImgRect.left, y = In.ImgRect.top;
    const int disabledBlend = !In.Enabled && In.DisabledGlyphKind.Contains(dgBlended) ? 50 : 0;
    const int blend = std::max(In.State == 0 ? In.Blend : 0, disabledBlend);
    const int frame = (In.Down ? 1 : 0) + In.State;
    TBitmap* cache = CacheOf(In);
    if (Skinned(In) && Canvas == nullptr && cache != nullptr) {
        TSize size{0, 0};
        DrawListImage(List, cache, x, y, In.ImageIndex, blend, GrayColorOf(In), frame, In.NumGlyphs, In.Reflected, size);
    } else if (Canvas != nullptr) {
        DrawListImageToDC(List, Canvas->Handle(), x, y, In.ImageIndex, blend, GrayColorOf(In), frame, In.NumGlyphs,
                          In.Reflected);
    }
}

void PaintListImage(const TacButtonGlyphInputs& In, TCanvas* Canvas)
{
    if (auto* alpha = dynamic_cast<TsAlphaImageList*>(In.Images)) {
        PaintAlphaListImage(In, alpha, Canvas);
        return;
    }
    const int x = In.ImgRect.left, y = In.ImgRect.top;
    auto image = ListImage(In.Images, In.ImageIndex);
    const TRect whole{0, 0, image->Width() - 1, image->Height() - 1};
    TBitmap* cache = CacheOf(In);
    if (!Skinned(In) || Canvas != nullptr || cache == nullptr) {
        if (Canvas == nullptr) return;
        if (!In.Enabled && In.DisabledGlyphKind.Contains(dgGrayed)) GrayExceptCorner(image.get());
        TransparentBlt(Canvas->Handle(), x, y, image->Width(), image->Height(), image->Canvas()->Handle(), 0, 0,
                       image->Width(), image->Height(), ListKeyColor);
        return;
    }
    if (In.Enabled) {
        if (In.State == 0 && In.Grayed) GrayExceptCorner(image.get());
        if (In.SkinData->HotStateActive() || In.Blend < 1) PutBitmapTransparent(cache, image.get(), x, y, ListKeyColor);
        else BlendBitmapKeyed(cache, x, y, image.get(), whole, In.Blend / 100.0, ListKeyPixel);
        return;
    }
    if (In.DisabledGlyphKind.Contains(dgGrayed)) GrayExceptCorner(image.get());
    if (In.DisabledGlyphKind.Contains(dgBlended)) BlendBitmapKeyed(cache, x, y, image.get(), whole, 0.5, ListKeyPixel);
    else PutBitmapTransparent(cache, image.get(), x, y, ListKeyColor);
}

} // namespace

int ImageCount(TCustomImageList* List)
{
    return List != nullptr ? List->Count() : 0;
}

void PaintButtonGlyph(const TacButtonGlyphInputs& In, TSize Size, TCanvas* Canvas)
{
    if (Canvas == nullptr && CacheOf(In) == nullptr) return;
    if (In.Glyph != nullptr && !In.Glyph->Empty()) {
        PaintGlyphBitmap(In, Size, Canvas);
        return;
    }
    if (In.Images != nullptr && In.ImageIndex >= 0 && In.ImageIndex < ImageCount(In.Images)) PaintListImage(In, Canvas);
}

void PaintButtonGlyph(TControl* Button, TCanvas* Canvas)
{
    auto* source = dynamic_cast<IacGlyphButton*>(Button);
    if (source == nullptr) return;
    PaintButtonGlyph(source->GlyphInputs(), TSize{Button->Width(), Button->Height()}, Canvas);
}

TRect ToolButtonImageRect(TToolBar* ToolBar, TToolButton* Button, TCustomDrawState State, TBitmap* Bmp, TCustomImageList* List)
{
    const int iw = List->Width(), ih = List->Height();
    const bool pressed = State.Contains(cdsSelected) || State.Contains(cdsChecked);
    TRect r;
    if (ToolBar->List()) {
        r.left = 5;
        r.top = (Button->Height() - ih) / 2;
    } else {
        const int dropDown = Button->Style() == tbsDropDown ? 8 : 0;
        r.left = (Button->Width() - iw) / 2 - dropDown + 1;
        const int captionBand = ToolBar->ShowCaptions() ? CanvasTextHeight(Bmp->Canvas(), L"A") + 3 : 0;
        r.top = (Button->Height() - ih - captionBand) / 2;
    }
    r.right = r.left + iw;
    r.bottom = r.top + ih;
    if (pressed) OffsetRect(&r, 1, 1);
    return r;
}

void PaintToolButtonImage(TToolBar* ToolBar, TToolButton* Button, TCustomDrawState State, TBitmap* Bmp)
{
    if (ToolBar == nullptr || Button == nullptr || Bmp == nullptr) return;
    const int state = (State.Empty() || State == TCustomDrawState{cdsDisabled}) ? 0
                      : (State.Contains(cdsSelected) || State.Contains(cdsChecked)) ? 2
                                                                                      : 1;
    TCustomImageList* list = ToolBar->Images();
    if (state != 0 && ToolBar->HotImages() != nullptr && Button->ImageIndex() < ImageCount(ToolBar->HotImages()))
        list = ToolBar->HotImages();
    if (list == nullptr || Button->ImageIndex() < 0 || Button->ImageIndex() >= ImageCount(list)) return;
    const TRect r = ToolButtonImageRect(ToolBar, Button, State, Bmp, list);
    auto image = ListImage(list, Button->ImageIndex());
    const TColor back = ToolBar->Images() != nullptr ? ToolBar->Images()->BkColor() : clNone;
    PutBitmapTransparent(Bmp, image.get(), r.left, r.top, back == clNone ? ListKeyColor : ColorToRGB(back));
}

TStringList& HookSkipList()
{
    static const std::unique_ptr<TStringList> list = [] {
        auto l = std::make_unique<TStringList>();
        l->SetCaseSensitive(true);
        l->SetSorted(true);
        l->Add(L"TApplication");
        l->Add(L"TfcPopup");
        return l;
    }();
    return *list;
}
