// The form image: one 32-bit picture of the whole window (frame and background, title bar with
// icon, caption and buttons, size grip) in the cache bitmap of the provider's skin state, and
// the geometry every painter shares (image size, client offset, icon place).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/core/acntUtils.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sBorders.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace {

bool MinimizedChildForm(TsSkinProvider* P)
{
    return P->Iconic() && !P->IsMainForm();
}

// GDI text clears the alpha of every pixel it writes into a 32-bit image, which would leave holes
// in the form image wherever it is shown with its alpha (animations, thumbnails): the text takes
// the alpha of what it is written on.
class TTextAlphaKeeper {
public:
    TTextAlphaKeeper(TBitmap* Bmp, const TRect& R) : FBmp(Bmp)
    {
        FRect = TRect{std::max<int>(0, R.left), std::max<int>(0, R.top), std::min<int>(Bmp->Width(), R.right),
                      std::min<int>(Bmp->Height(), R.bottom)};
        for (int y = FRect.top; y < FRect.bottom; ++y) {
            const auto* row = static_cast<const std::uint32_t*>(Bmp->ScanLine(y));
            for (int x = FRect.left; x < FRect.right; ++x) FAlpha.push_back(static_cast<std::uint8_t>(row[x] >> 24));
        }
    }
    ~TTextAlphaKeeper()
    {
        size_t i = 0;
        for (int y = FRect.top; y < FRect.bottom; ++y) {
            auto* row = static_cast<std::uint32_t*>(FBmp->ScanLine(y));
            for (int x = FRect.left; x < FRect.right; ++x)
                row[x] = (row[x] & 0x00FFFFFFu) | static_cast<std::uint32_t>(FAlpha[i++]) << 24;
        }
    }
    TTextAlphaKeeper(const TTextAlphaKeeper&) = delete;
    TTextAlphaKeeper& operator=(const TTextAlphaKeeper&) = delete;

private:
    TBitmap* FBmp;
    TRect FRect;
    std::vector<std::uint8_t> FAlpha;
};

} // namespace

int TsSkinProvider::CaptionWidth()
{
    TRect shadow;
    ShadowSize(shadow);
    int width = MinimizedChildForm(this) ? WindowPixelWidth(Form->Handle()) : Form->Width();
    return width + shadow.left + shadow.right + 2 * ExtraBorderWidth(BorderForm);
}

void TsSkinProvider::ShadowSize(TRect& R) const
{
    R = BorderForm != nullptr && Manager() != nullptr ? Manager()->FormShadowSize : TRect{0, 0, 0, 0};
}

int TsSkinProvider::OffsetX()
{
    if (BorderForm != nullptr) {
        TRect shadow;
        ShadowSize(shadow);
        return BorderWidth(true) + shadow.left;
    }
    HWND wnd = Form->Handle();
    // Still to come: less the width of a shown replaced vertical scroll bar.
    return (WindowPixelWidth(wnd) - ClientPixelWidth(wnd)) / 2;
}

int TsSkinProvider::OffsetY()
{
    HWND wnd = Form->Handle();
    if (BorderForm != nullptr) {
        TRect shadow;
        ShadowSize(shadow);
        return CaptionHeight(true) + LinesCount() * MenuHeight() + Form->BorderWidth() + shadow.top +
               (MenuHeight() != 0 ? 1 : 0);
    }
    int border = (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_BORDER) ? BorderWidth(true) : 0;
    return WindowPixelHeight(wnd) - ClientPixelHeight(wnd) - border;
}

TColor TsSkinProvider::FormColor()
{
    if (Skinned() && !FCommonData->CustomColor()) {
        const TsGeneralData& gd = Manager()->gd[FCommonData->SkinIndex];
        return FormActive && gd.States > 1 ? gd.HotColor : gd.Color;
    }
    return ColorToRGB(Form->Color());
}

int TsSkinProvider::TitleSkinIndex()
{
    if (FTitleSkinIndex < 0 && Manager() != nullptr) FTitleSkinIndex = Manager()->GetSkinIndex(TitleSkinSection());
    return FTitleSkinIndex;
}

int TsSkinProvider::FormPaintState()
{
    if (!FormActive || Manager() == nullptr || !Manager()->IsValidSkinIndex(FCommonData->SkinIndex)) return 0;
    return std::min(1, Manager()->gd[FCommonData->SkinIndex].States - 1);
}

int TsSkinProvider::HeaderHeight()
{
    return BorderHeight(true) + CaptionHeight(true) + (MenuPresent() ? LinesCount() * MenuHeight() + 1 : 0);
}

void TsSkinProvider::IconRect(TRect& R)
{
    TRect shadow;
    ShadowSize(shadow);
    HWND wnd = Form->Handle();
    int bileft = Manager() != nullptr ? Manager()->SkinData.BILeftMargin : 0;
    int w = TitleIconWidth(), h = TitleIconHeight();
    R.left = WindowFrameWidth(wnd, BorderForm, true) + bileft + shadow.left;
    R.right = R.left + w;
    R.top = WindowFrameWidth(wnd, BorderForm, false) / 2 + shadow.top - 1;
    R.top += (StdFrameWidth(wnd, BorderForm, false) + CaptionHeight(true) + shadow.top - R.top - h) / 2;
    R.bottom = R.top + h;
}

bool TsSkinProvider::CacheSizeChanged()
{
    TBitmap* cache = FCommonData->CacheBmp();
    return cache == nullptr || cache->Width() != CaptionWidth() || cache->Height() != Form->Height();
}

void TsSkinProvider::GripPosition(int MaskIndex, TPoint& P)
{
    TBitmap* cache = FCommonData->CacheBmp();
    const TsMaskData* mask = SkinMask(&Manager()->Skin(), MaskIndex);
    if (cache == nullptr || mask == nullptr) {
        P = {0, 0};
        return;
    }
    TRect shadow;
    ShadowSize(shadow);
    int frame = WindowFrameWidth(Form->Handle(), BorderForm, true);
    P.x = cache->Width() - mask->FrameWidth() - frame - shadow.right - 1;
    P.y = cache->Height() - mask->FrameHeight() - frame - shadow.bottom - 1;
}

void TsSkinProvider::SaveButtonsBackground(bool Full)
{
    TBitmap* cache = FCommonData->CacheBmp();
    if (cache == nullptr || !TempBmp) return;
    TRect shadow;
    ShadowSize(shadow);
    HWND wnd = Form->Handle();
    int titleRows = StdFrameWidth(wnd, BorderForm, true) + CaptionHeight(true);
    TempBmp->SetPixelFormat(pf32bit);
    TempBmp->SetSize(WindowFrameWidth(wnd, BorderForm, true) + ButtonsWidth() + shadow.right + 10,
                     titleRows + WindowFrameWidth(wnd, BorderForm, false) + MenuHeight() + shadow.top);
    int rows = Full ? TempBmp->Height() : titleRows;
    BitBlt(TempBmp->Canvas()->Handle(), 0, 0, TempBmp->Width(), rows, cache->Canvas()->Handle(),
           CaptionWidth() - TempBmp->Width() - 1, 0, SRCCOPY);
}

void TsSkinProvider::RestoreButtonsBackground()
{
    TBitmap* cache = FCommonData->CacheBmp();
    if (!TempBmp || TempBmp->Empty() || cache == nullptr) return;
    BitBlt(cache->Canvas()->Handle(), CaptionWidth() - TempBmp->Width() - 1, 0, TempBmp->Width(), TempBmp->Height(),
           TempBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsSkinProvider::PaintFormCache()
{
    if (Form->ControlState().Contains(csCreating) || (FormState & 0x80) != 0 || FCommonData->SkinIndex < 0) return;
    TsSkinManager* manager = Manager();
    if (manager == nullptr) return;
    int width = CaptionWidth();
    int height = MinimizedChildForm(this) ? StdFrameWidth(Form->Handle(), BorderForm, false) + CaptionHeight(true) + 2
                                          : Form->Height();
    if (FCommonData->CacheBmp() == nullptr) {
        FCommonData->InitCacheBitmap();
        FCommonData->CacheBmp()->SetSize(width, height);
        FCommonData->EvalBackgroundState(false);
        if (!Loading()) {
            TMessage bits{SM_LUMACMD, MakeSkinWParam(AC_QUERYSTATEBITS), 1, 0};
            BroadcastToControls(Form, bits);
        }
    }
    if (FCommonData->BGChanged) {
        RgnChanged = true;
        TBitmap* cache = FCommonData->CacheBmp();
        cache->SetSize(width, height);
        if (manager->IsValidSkinIndex(FCommonData->SkinIndex)) {
            TRect shadow;
            ShadowSize(shadow);
            const TRect formRect{shadow.left, shadow.top, width - shadow.right, height - shadow.bottom};
            TCacheInfo ci;
            if (Form->Parent() != nullptr) {
                TBackgroundQuery query;
                QueryControlBackground(query, Form->Parent(), false);
                ci = BackgroundToCacheInfo(query);
            }
            int state = FormPaintState();
            if (FCommonData->CtrlSkinState & ACS_FAST) {
                TRect header{0, 0, width, CaptionHeight(true) + BorderWidth(true) + LinesCount() * MenuHeight() + 1};
                FillBitmapRect(cache, header, FormColor());
                TRect client;
                PaintBorderFromMask(cache->Canvas()->Handle(), formRect, BorderWidth(true), client, state, FCommonData.get());
            } else if (HasFrame() || Form->Parent() != nullptr) {
                RECT screen{};
                GetWindowRect(Form->Handle(), &screen);
                DrawControlSkin(FCommonData.get(), ci, false, cache, TPoint{screen.left, screen.top}, formRect, state);
            } else {
                DrawSectionBackground(FCommonData->SkinIndex, FCommonData->SkinSection(), ci, state, formRect,
                                      TPoint{0, 0}, cache, &manager->Skin(), FCommonData->Texture, FCommonData->HotTexture);
            }
            if (GripVisible() && FCommonData->FullPaintNeeded()) {
                FCommonData->BGChanged = false;
                PaintGrip(cache->Canvas()->Handle());
            }
            PaintTitleBar(MakeCacheInfo(cache, OffsetX(), OffsetY()));
            // Still to come: the menu line and its items, the MDI client area
            // ("MDIAREA") and the extended border with its shadow.
            PaintCaptionText();
            if (CaptionHeight(true) != 0 && FDrawNonClientArea) {
                SaveButtonsBackground(true);
                PaintTitleButtons();
            }
            MenuChanged = false;
            FCommonData->BGChanged = false;
            if (Form->OnPaint && FCommonData->FullPaintNeeded()) {
                HDC dc = cache->Canvas()->Handle();
                int saved = SaveDC(dc);
                SetWindowOrgEx(dc, -OffsetX(), -OffsetY(), nullptr);
                static_cast<TControlCanvas*>(Form->Canvas())->PaintOn(dc, [this] { Form->OnPaint(Form); });
                RestoreDC(dc, saved);
            }
            FirstInitialized = true;
        }
    }
    FCommonData->BGChanged = false;
    FCommonData->SetUpdating(false);
}

void TsSkinProvider::PaintTitleBar(const TCacheInfo& CI)
{
    if (CaptionHeight(true) == 0 || !FDrawNonClientArea) return;
    TsSkinManager* manager = Manager();
    TBitmap* cache = FCommonData->CacheBmp();
    TRect shadow;
    ShadowSize(shadow);
    HWND wnd = Form->Handle();
    int titleBottom = StdFrameWidth(wnd, BorderForm, false) + CaptionHeight(true) + shadow.top;
    int index = TitleSkinIndex();
    if (manager->IsValidSkinIndex(index)) {
        const TsGeneralData& title = manager->gd[index];
        int state = FormActive ? std::min(1, title.States - 1) : 0;
        TRect r{shadow.left, shadow.top, cache->Width() - shadow.right,
                MinimizedChildForm(this) ? cache->Height() - shadow.bottom : titleBottom};
        DrawSection(index, TitleSkinSection(), CI, -1, -1, &manager->Skin(), cache,
                    TPoint{r.left - CI.X, r.top - CI.Y}, r, std::max(0, state));
    }
    PaintTitleIcon();
    if (VisibleButtonCount() > 0) {
        int mask = manager->GetMaskIndex(FCommonData->SkinIndex, FCommonData->SkinSection(), L"TITLEBAR");
        if (const TsMaskData* bar = SkinMask(&manager->Skin(), mask)) {
            TRect r{CaptionWidth() - (2 * bar->FrameWidth() + ButtonsWidth()), 0, cache->Width(),
                    CaptionHeight(true) + StdFrameWidth(wnd, BorderForm, false)};
            DrawMaskBorder(cache, r, CI, *bar, FormPaintState(), false, &manager->Skin());
        }
    }
}

void TsSkinProvider::PaintCaptionText()
{
    if (CaptionHeight(true) == 0 || !FDrawNonClientArea) return;
    TsSkinManager* manager = Manager();
    TBitmap* cache = FCommonData->CacheBmp();
    HWND wnd = Form->Handle();
    TRect shadow;
    ShadowSize(shadow);
    const TsSkinData& sd = manager->SkinData;
    TRect r;
    r.left = WindowFrameWidth(wnd, BorderForm, true) + (ShowsAppIcon() ? TitleIconWidth() : 0) + sd.BILeftMargin +
             shadow.left + (FCaptionSkinIndex >= 0 ? 2 : 0) + 4;
    r.right = cache->Width() - ButtonsWidth() - shadow.right - 12;
    r.bottom = StdFrameWidth(wnd, BorderForm, false) + CaptionHeight(true) + shadow.top;
    r.top = Zoomed() ? 3 : shadow.top + 2;
    if (r.right <= r.left || r.bottom <= r.top) return;

    TCanvas* canvas = cache->Canvas();
    HFONT captionFont = MakeCaptionFont();
    TSize mainSize{0, 0}, addedSize{0, 0};
    String caption = Form->Caption();
    const String& added = FAddedTitle->Text();
    if (!added.empty()) FontTextSize(FAddedTitle->Font(), added, addedSize);
    if (FAddedTitle->ShowMainCaption()) {
        HGDIOBJ old = SelectObject(canvas->Handle(), captionFont);
        DCTextSize(canvas->Handle(), caption, mainSize);
        SelectObject(canvas->Handle(), old);
    } else {
        mainSize = addedSize;
    }
    int textHeight = std::max(mainSize.cy, addedSize.cy);
    r.top += (r.bottom - r.top - textHeight) / 2;
    r.bottom = r.top + textHeight;

    TAlignment alignment = FCaptionAlignment;
    if (Form->UseRightToLeftAlignment()) {
        if (alignment == taLeftJustify) alignment = taRightJustify;
        else if (alignment == taRightJustify) alignment = taLeftJustify;
    }
    int wanted = mainSize.cx + addedSize.cx + 4;
    if (alignment == taRightJustify) {
        if (wanted < r.right - r.left) r.left = r.right - wanted;
    } else if (alignment == taCenter) {
        r.left = std::max<int>(r.left, r.left + (r.right - r.left - wanted) / 2);
        r.right = std::min<int>(r.left + mainSize.cx, r.right);
    }
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (Form->UseRightToLeftReading()) format |= DT_RTLREADING;

    int textSection = TitleSkinIndex();
    if (FAddedTitle->ShowMainCaption()) {
        canvas->Font()->SetHandle(captionFont);
        captionFont = nullptr;
        TRect measured = r;
        DCDrawText(canvas->Handle(), caption, measured, format | DT_CALCRECT);
        if (FCaptionSkinIndex >= 0) {
            TRect plate{measured.left - 4, measured.top - 2, measured.right + 4, measured.bottom + 2};
            auto strip = MakeBitmap32(cache->Width(), r.bottom + 2);
            BitBlt(strip->Canvas()->Handle(), 0, 0, strip->Width(), strip->Height(), canvas->Handle(), 0, 0, SRCCOPY);
            int state = FormActive ? std::min(1, manager->gd[FCaptionSkinIndex].States - 1) : 0;
            DrawSection(FCaptionSkinIndex, L"CAPTION", MakeCacheInfo(strip.get(), 0, 0), -1, -1, &manager->Skin(), cache,
                        TPoint{plate.left, plate.top}, plate, std::max(0, state));
            textSection = FCaptionSkinIndex;
        }
        if (manager->IsValidSkinIndex(textSection)) {
            const TsGeneralData& gd = manager->gd[textSection];
            int glow = FormActive ? gd.HotGlowSize : gd.GlowSize;
            if (glow != 0)
                PaintTextGlow(cache, caption, r, FormActive ? FGlow1 : FGlow2, FormActive ? gd.HotGlowColor : gd.GlowColor,
                              glow, gsAll, format);
        }
        SetBkMode(canvas->Handle(), TRANSPARENT);
        {
            TTextAlphaKeeper alpha(cache, r);
            DrawSectionText(canvas, caption, Form->Enabled(), manager, FormActive, textSection, format, r);
        }
        r.left = measured.right;
    }
    if (captionFont != nullptr) DeleteObject(captionFont);
    if (!added.empty()) {
        r.left += 4;
        r.right = r.left + addedSize.cx + 4;
        if (addedSize.cx <= 4) return;
        TColor color = FAddedTitle->Font()->Color();
        int title = TitleSkinIndex();
        if (manager->IsValidSkinIndex(title)) {
            const TsGeneralData& gd = manager->gd[title];
            TColor skinColor = FormActive ? gd.HotFontColor.Color : gd.FontColor.Color;
            if (color == static_cast<TColor>(0x1FFFFFFF) || color == clWindowText) color = skinColor;
            else if (!FormActive) color = MixColors(gd.FontColor.Color, ColorToRGB(color), 0.5);
        }
        canvas->Font()->Assign(FAddedTitle->Font());
        canvas->Font()->SetColor(ColorToRGB(color));
        SetBkMode(canvas->Handle(), TRANSPARENT);
        TTextAlphaKeeper alpha(cache, r);
        DCDrawText(canvas->Handle(), added, r, format);
    }
}
