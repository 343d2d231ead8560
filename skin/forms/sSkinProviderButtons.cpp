// The caption buttons (system and user title buttons): their skin images, their place in the
// title bar, their hot and pressed states, the non-client hit test that finds them, the title
// icon and the size grip.
#include <windowsx.h>

#include <algorithm>

#include "skin/core/acGlow.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

bool ButtonPressed = false;

namespace {

const TsSkin* SkinOf(const TsSkinProvider* P)
{
    return P->Manager() != nullptr ? &P->Manager()->Skin() : nullptr;
}

bool HasHelp(TCustomForm* Form)
{
    return Form->BorderIcons().Contains(biHelp);
}

} // namespace

// ---- Masks ----

void TsSkinProvider::InitTitleButtonMasks()
{
    TsSkinManager* manager = Manager();
    if (manager == nullptr || !manager->IsValidSkinIndex(manager->GetSkinIndex(L"GLOBALINFO"))) return;
    auto mask = [manager](const wchar_t* Name) { return manager->GetMaskIndex(L"GLOBALINFO", Name); };
    ButtonMin.HitCode = HTMINBUTTON;
    ButtonMax.HitCode = HTMAXBUTTON;
    ButtonClose.HitCode = HTCLOSE;
    ButtonHelp.HitCode = HTHELP;
    if (IsNormalBorder()) {
        ButtonMin.ImageIndex = mask(L"BICONMIN");
        ButtonMax.ImageIndex = mask(L"BICONMAX");
        bool alone = !SystemMenu || (!SystemMenu->VisibleMax() && !SystemMenu->VisibleMin());
        ButtonClose.ImageIndex = alone ? mask(L"BICLOSEALONE") : -1;
        if (ButtonClose.ImageIndex < 0) ButtonClose.ImageIndex = mask(L"BICONCLOSE");
        ButtonHelp.ImageIndex = mask(L"BICONHELP");
        ButtonMin.HaveAlignment = ButtonMax.HaveAlignment = ButtonClose.HaveAlignment = true;
    } else {
        ButtonClose.ImageIndex = mask(L"SICONCLOSE");
        ButtonMin.ImageIndex = mask(L"SICONMIN");
        ButtonMax.ImageIndex = mask(L"SICONMAX");
        ButtonHelp.ImageIndex = mask(L"SICONHELP");
        if (ButtonHelp.ImageIndex < 0) ButtonHelp.ImageIndex = mask(L"BICONHELP");
        ButtonMin.HaveAlignment = ButtonMax.HaveAlignment = ButtonClose.HaveAlignment = false;
    }
    ButtonHelp.HaveAlignment = false;
    if (ButtonClose.ImageIndex < 0) {
        ButtonClose.ImageIndex = mask(L"BICONCLOSE");
        ButtonMin.ImageIndex = mask(L"BICONMIN");
        ButtonMax.ImageIndex = mask(L"BICONMAX");
        ButtonHelp.ImageIndex = mask(L"BICONHELP");
        ButtonMin.HaveAlignment = ButtonMax.HaveAlignment = ButtonClose.HaveAlignment = ButtonHelp.HaveAlignment = true;
    }
    UserBtnIndex = mask(L"TITLEBUTTON");
}

// ---- Measures ----

int TsSkinProvider::ButtonHeight()
{
    const TsMaskData* mask = SkinMask(SkinOf(this), ButtonClose.ImageIndex);
    return mask != nullptr ? mask->FrameHeight() : 21;
}

int TsSkinProvider::ButtonWidth(const TsCaptionButton& Button)
{
    const TsMaskData* mask = SkinMask(SkinOf(this), Button.ImageIndex);
    if (mask == nullptr) return 21;
    if (mask->Bmp && mask->ImageCount > 0) return mask->Bmp->Width() / mask->ImageCount;
    return mask->FrameWidth();
}

int TsSkinProvider::UserButtonWidth(TsTitleButton* Button)
{
    int glyph = Button->Glyph()->Empty() ? 0 : Button->Glyph()->Width() + 2;
    const TsMaskData* mask = SkinMask(SkinOf(this), UserBtnIndex);
    return std::max(glyph, mask != nullptr ? mask->FrameWidth() : 21);
}

int TsSkinProvider::VisibleButtonCount()
{
    if (!SystemMenu || !SystemMenu->VisibleClose()) return 0;
    return 3 + (HasHelp(Form) ? 1 : 0) - (SystemMenu->VisibleMin() ? 0 : 1) - (SystemMenu->VisibleMax() ? 0 : 1);
}

int TsSkinProvider::ButtonsWidth()
{
    TsSkinManager* manager = Manager();
    int spacing = manager != nullptr && IsNormalBorder() ? manager->SkinData.BISpacing : 0;
    int width = manager != nullptr ? manager->SkinData.BIRightMargin : 0;
    if (SystemMenu && SystemMenu->VisibleClose()) {
        width += ButtonWidth(ButtonClose);
        if (SystemMenu->VisibleMax()) width += ButtonWidth(ButtonMax) + spacing;
        if (SystemMenu->VisibleMin()) width += ButtonWidth(ButtonMin) + spacing;
        if (HasHelp(Form)) width += ButtonWidth(ButtonHelp) + spacing;
    }
    if (FTitleButtons->Count() > 0) {
        width += 8;
        for (int i = 0; i < FTitleButtons->Count(); ++i) width += UserButtonWidth(FTitleButtons->Items(i)) + spacing;
    }
    return width;
}

int TsSkinProvider::TitleReservedWidth(int MaskIndex)
{
    const TsMaskData* mask = SkinMask(SkinOf(this), MaskIndex);
    return 2 * (mask != nullptr ? mask->FrameWidth() : 0) + ButtonsWidth();
}

bool TsSkinProvider::ShowsAppIcon()
{
    auto style = Form->BorderStyle();
    return (style == bsSingle || style == bsSizeable) && FShowAppIcon && Form->HandleAllocated() &&
           GetSystemMenu(Form->Handle(), FALSE) != nullptr;
}

int TsSkinProvider::TitleIconSize(int H)
{
    if (H <= 8) return 1;
    if (H <= 16) return 8;
    return 16;
}

int TsSkinProvider::TitleIconWidth()
{
    if (!ShowsAppIcon()) return 0;
    return FTitleIcon->Width != 0 ? FTitleIcon->Width : TitleIconSize(CaptionHeight(true));
}

int TsSkinProvider::TitleIconHeight()
{
    if (!ShowsAppIcon()) return 0;
    return FTitleIcon->Height != 0 ? FTitleIcon->Height : TitleIconSize(CaptionHeight(true));
}

// ---- Painting into the form image ----

void TsSkinProvider::PaintTitleIcon()
{
    if (!ShowsAppIcon()) return;
    TBitmap* cache = FCommonData->CacheBmp();
    TRect r;
    IconRect(r);
    if (r.right <= r.left || r.bottom <= r.top) return;
    TBitmap* glyph = FTitleIcon->Glyph();
    if (!glyph->Empty()) {
        if (glyph->PixelFormat() == pf32bit) {
            CopyKeyedBitmap(TRect{r.left, r.top, r.left + glyph->Width(), r.top + glyph->Height()},
                            TRect{0, 0, glyph->Width(), glyph->Height()}, cache, glyph, EmptyCI, true);
        } else {
            int size = TitleIconSize(HeaderHeight() - 2);
            int w = FTitleIcon->Width != 0 ? FTitleIcon->Width : size;
            int h = FTitleIcon->Height != 0 ? FTitleIcon->Height : size;
            auto stretched = MakeBitmap32(w, h);
            StretchBlt(stretched->Canvas()->Handle(), 0, 0, w, h, glyph->Canvas()->Handle(), 0, 0, glyph->Width(),
                       glyph->Height(), SRCCOPY);
            PutBitmapTransparent(cache, stretched.get(), r.left, r.top, static_cast<TColor>(0xFF00FF));
        }
        return;
    }
    int w = r.right - r.left, h = r.bottom - r.top;
    auto saved = MakeBitmap32(w, h);
    BitBlt(saved->Canvas()->Handle(), 0, 0, w, h, cache->Canvas()->Handle(), r.left, r.top, SRCCOPY);
    HICON icon = nullptr;
    if (!Form->Icon()->Empty()) icon = Form->Icon()->Handle();
    if (icon == nullptr) icon = reinterpret_cast<HICON>(SendMessageW(Application->Handle(), WM_GETICON, ICON_SMALL2, 0));
    if (icon == nullptr) icon = h > 16 ? ApplicationIcons().Large : ApplicationIcons().Small;
    if (icon == nullptr) icon = LoadIconW(nullptr, IDI_APPLICATION);
    DrawIconEx(cache->Canvas()->Handle(), r.left, r.top, icon, w, h, 0, nullptr, DI_NORMAL);
    // DrawIconEx leaves the alpha of the 32-bit image undefined: pixels it did not change get
    // their saved alpha back, every changed pixel becomes opaque.
    for (int y = 0; y < h; ++y) {
        auto* now = static_cast<std::uint32_t*>(cache->ScanLine(r.top + y)) + r.left;
        auto* before = static_cast<std::uint32_t*>(saved->ScanLine(y));
        for (int x = 0; x < w; ++x) {
            if ((now[x] & 0xFFFFFF) == (before[x] & 0xFFFFFF)) now[x] = before[x];
            else now[x] |= 0xFF000000u;
        }
    }
}

void TsSkinProvider::PaintGrip(HDC DC)
{
    TsSkinManager* manager = Manager();
    if (manager == nullptr) return;
    int index = manager->GetMaskIndex(L"GLOBALINFO", L"GRIPIMAGE");
    const TsMaskData* mask = SkinMask(&manager->Skin(), index);
    TBitmap* cache = FCommonData->CacheBmp();
    if (mask == nullptr || cache == nullptr) return;
    TPoint at;
    GripPosition(index, at);
    auto grip = MakeBitmap32(mask->FrameWidth(), mask->FrameHeight());
    BitBlt(grip->Canvas()->Handle(), 0, 0, grip->Width(), grip->Height(), cache->Canvas()->Handle(), at.x, at.y, SRCCOPY);
    if (FCommonData->CtrlSkinState & ACS_FAST) {
        // A plain client: the grip stands on the form colour, the frame parts under it stay.
        TRect client{0, 0, grip->Width(), grip->Height()};
        int frame = WindowFrameWidth(Form->Handle(), BorderForm, true);
        client.right = std::min<int>(client.right, cache->Width() - frame - at.x);
        client.bottom = std::min<int>(client.bottom, cache->Height() - frame - at.y);
        FillBitmapRect(grip.get(), client, FormColor());
    }
    DrawMaskImage(grip.get(), TPoint{0, 0}, 0, MakeCacheInfo(grip.get(), 0, 0), *mask, 1, &manager->Skin());
    BitBlt(DC, at.x, at.y, grip->Width(), grip->Height(), grip->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsSkinProvider::DrawButtonImage(TsCaptionButton& Button, int MaskIndex, bool Enabled)
{
    const TsMaskData* mask = SkinMask(SkinOf(this), MaskIndex);
    TBitmap* cache = FCommonData->CacheBmp();
    if (mask == nullptr || cache == nullptr) return;
    int state = Button.Timer != nullptr ? 0 : std::max(0, Button.State);
    bool dim = (!FormActive || !Enabled) && (Button.State <= 0 || Button.Timer != nullptr);
    DrawMaskImage(cache, TPoint{Button.Rect.left, Button.Rect.top}, state, MakeCacheInfo(cache, 0, 0), *mask,
                  dim ? 2 : 1, SkinOf(this));
}

void TsSkinProvider::PaintCaptionButton(TsCaptionButton& Button, int& X, int Width, bool Enabled, int MaskOverride)
{
    TsSkinManager* manager = Manager();
    const TsSkinData& sd = manager->SkinData;
    HWND wnd = Form->Handle();
    TRect shadow;
    ShadowSize(shadow);
    int height = Button.ImageIndex >= 0 || MaskOverride >= 0 ? ButtonHeight() : ButtonHeight();
    int top;
    if (!Button.HaveAlignment || sd.BIVAlign != 1) {
        top = (StdFrameWidth(wnd, BorderForm, true) + CaptionHeight(true) - height) / 2 + shadow.top;
        if (IsNormalBorder() && height < 16) top += 2;
    } else {
        top = Zoomed() ? 3 : 0;
    }
    Button.Rect = TRect{X - Width, top, X, top + height};
    int spacing = IsNormalBorder() ? sd.BISpacing : 0;
    X = Button.Rect.left - spacing;
    int mask = MaskOverride >= 0 ? MaskOverride : Button.ImageIndex;
    if (mask >= 0) DrawButtonImage(Button, mask, Enabled);
}

void TsSkinProvider::PaintTitleButtons()
{
    if (!HasFrame() || Form->BorderStyle() == bsNone) return;
    TsSkinManager* manager = Manager();
    if (manager == nullptr) return;
    TRect shadow;
    ShadowSize(shadow);
    HWND wnd = Form->Handle();
    int x = CaptionWidth() - manager->SkinData.BIRightMargin - shadow.right - WindowFrameWidth(wnd, BorderForm, true);
    RestoreButtonsBackground();
    for (auto* button : {&ButtonClose, &ButtonMax, &ButtonMin, &ButtonHelp})
        if (button->State < 0) button->State = 0;
    if (SystemMenu && SystemMenu->VisibleClose()) {
        if (ButtonClose.ImageIndex >= 0) PaintCaptionButton(ButtonClose, x, ButtonWidth(ButtonClose), true);
        if (SystemMenu->VisibleMax()) {
            if (Zoomed()) {
                int norm = manager->GetMaskIndex(L"GLOBALINFO", L"BICONNORM");
                ButtonMax.ImageIndex = norm;
                if (norm < 0) norm = manager->GetMaskIndex(FCommonData->SkinIndex, FCommonData->SkinSection(), L"BICONNORM");
                PaintCaptionButton(ButtonMax, x, ButtonWidth(ButtonMax), SystemMenu->EnabledRestore(), norm);
            } else {
                ButtonMax.ImageIndex = manager->GetMaskIndex(L"GLOBALINFO", L"BICONMAX");
                PaintCaptionButton(ButtonMax, x, ButtonWidth(ButtonMax), SystemMenu->EnabledMax());
            }
        } else {
            ButtonMax.State = -1;
        }
        if (SystemMenu->VisibleMin()) {
            if (Iconic()) {
                int norm = manager->GetMaskIndex(L"GLOBALINFO", L"BICONNORM");
                PaintCaptionButton(ButtonMin, x, ButtonWidth(ButtonMin), SystemMenu->EnabledRestore(), norm);
            } else {
                PaintCaptionButton(ButtonMin, x, ButtonWidth(ButtonMin), SystemMenu->EnabledMin());
            }
        } else {
            ButtonMin.State = -1;
        }
        if (HasHelp(Form) && ButtonHelp.ImageIndex >= 0) PaintCaptionButton(ButtonHelp, x, ButtonWidth(ButtonHelp), true);
        else ButtonHelp.State = -1;
    } else {
        ButtonClose.State = ButtonMax.State = ButtonMin.State = ButtonHelp.State = -1;
    }
    if (FTitleButtons->Count() == 0) return;
    x -= 8;
    TBitmap* cache = FCommonData->CacheBmp();
    for (int i = 0; i < FTitleButtons->Count(); ++i) {
        TsTitleButton* item = FTitleButtons->Items(i);
        if (!item->Visible()) continue;
        TsCaptionButton& data = item->BtnData;
        if (data.State < 0) data.State = 0;
        data.ImageIndex = item->UseSkinData() && manager->IsValidImgIndex(UserBtnIndex) ? UserBtnIndex : -1;
        data.HaveAlignment = true;
        PaintCaptionButton(data, x, UserButtonWidth(item), item->Enabled());
        data.HitCode = HTUDBTN + i;
        TBitmap* glyph = item->Glyph();
        if (glyph->Empty()) continue;
        int gx = data.Rect.left + (data.Rect.right - data.Rect.left - glyph->Width()) / 2;
        int gy = data.Rect.top + (data.Rect.bottom - data.Rect.top - glyph->Height()) / 2;
        if (data.State == 2) ++gx, ++gy;
        if (glyph->PixelFormat() == pf32bit)
            CopyKeyedBitmap(TRect{gx, gy, gx + glyph->Width(), gy + glyph->Height()},
                            TRect{0, 0, glyph->Width(), glyph->Height()}, cache, glyph, EmptyCI, true);
        else
            PutBitmapTransparent(cache, glyph, gx, gy, glyph->Canvas()->Pixels(0, glyph->Height() - 1));
    }
}

// ---- States ----

TsCaptionButton* TsSkinProvider::ButtonOfHit(int HitCode)
{
    switch (HitCode) {
    case HTMINBUTTON: return &ButtonMin;
    case HTMAXBUTTON: return &ButtonMax;
    case HTCLOSE: return &ButtonClose;
    case HTHELP: return &ButtonHelp;
    case HTMDICLOSE: return &MDIClose;
    case HTMDIMAX: return &MDIMax;
    case HTMDIMIN: return &MDIMin;
    default: break;
    }
    int index = HitCode - HTUDBTN;
    if (index >= 0 && index < FTitleButtons->Count() && FTitleButtons->Items(index)->Visible())
        return &FTitleButtons->Items(index)->BtnData;
    return nullptr;
}

void TsSkinProvider::SetHotHT(int HitCode, bool Repaint)
{
    if (!FDrawNonClientArea) return;
    if (HitCode == CurrentHT || (CurrentHT == -1 && HitCode == 0)) return;
    if (CurrentHT > 0) {
        if (TsCaptionButton* old = ButtonOfHit(CurrentHT)) {
            old->State = 0;
            if (CurrentHT >= HTUDBTN) FTitleButtons->Items(CurrentHT - HTUDBTN)->HideHintWindow();
            if (Repaint) RepaintButton(CurrentHT);
        }
    }
    CurrentHT = HitCode;
    if (TsCaptionButton* now = ButtonOfHit(HitCode)) {
        now->State = 1;
        if (HitCode >= HTUDBTN) FTitleButtons->Items(HitCode - HTUDBTN)->ShowHintWindow();
        if (Repaint) RepaintButton(HitCode);
    }
}

void TsSkinProvider::SetPressedHT(int HitCode)
{
    if (HitCode != CurrentHT && CurrentHT > 0) {
        if (TsCaptionButton* old = ButtonOfHit(CurrentHT)) {
            old->State = 0;
            RepaintButton(CurrentHT);
        }
    }
    CurrentHT = HitCode;
    if (HitCode == HTMAXBUTTON && SystemMenu &&
        !(SystemMenu->EnabledMax() || (Zoomed() && SystemMenu->EnabledRestore()))) {
        CurrentHT = 0;
        return;
    }
    if (HitCode == HTMDIMAX && SystemMenu && !SystemMenu->EnabledMax()) {
        CurrentHT = 0;
        return;
    }
    TsCaptionButton* button = ButtonOfHit(HitCode);
    if (button == nullptr) return;
    button->State = 2;
    ButtonPressed = true;
    RepaintButton(HitCode);
}

void TsSkinProvider::KillAnimations()
{
    // Caption-button state animations are not run yet, so there are no timers to free.
    for (auto* button : {&ButtonMin, &ButtonMax, &ButtonClose, &ButtonHelp}) button->Timer = nullptr;
    if (FTitleButtons)
        for (int i = 0; i < FTitleButtons->Count(); ++i) FTitleButtons->Items(i)->BtnData.Timer = nullptr;
}

// ---- One button onto the screen ----

void TsSkinProvider::CopyCacheRectToWindow(const TRect& R)
{
    TBitmap* cache = FCommonData->CacheBmp();
    if (cache == nullptr || !Form->HandleAllocated()) return;
    HDC dc = GetWindowDC(Form->Handle());
    BitBlt(dc, R.left, R.top, R.right - R.left, R.bottom - R.top, cache->Canvas()->Handle(), R.left, R.top, SRCCOPY);
    ReleaseDC(Form->Handle(), dc);
}

void TsSkinProvider::RepaintButton(int HitCode)
{
    TsCaptionButton* button = ButtonOfHit(HitCode);
    TBitmap* cache = FCommonData->CacheBmp();
    TsSkinManager* manager = Manager();
    if (button == nullptr || cache == nullptr || manager == nullptr || button->State == -1) {
        if (button != nullptr && button->GlowID >= 0) {
            FreeGlowEffect(button->GlowID);
            button->GlowID = -1;
        }
        return;
    }
    if (HitCode >= HTMDICLOSE && HitCode <= HTMDIMIN) return;  // no MDI buttons are shown yet
    TRect icon;
    IconRect(icon);
    if (button->Rect.left < icon.right) return;
    // The clean title under the button, kept by SaveButtonsBackground.
    if (TempBmp && !TempBmp->Empty()) {
        const TRect& r = button->Rect;
        BitBlt(cache->Canvas()->Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, TempBmp->Canvas()->Handle(),
               TempBmp->Width() + r.left - CaptionWidth() + 1, r.top, SRCCOPY);
    }
    int mask = button->ImageIndex;
    bool enabled = true;
    if (HitCode == HTMAXBUTTON) {
        if (Zoomed()) {
            mask = manager->GetMaskIndex(L"GLOBALINFO", L"BICONNORM");
            enabled = !SystemMenu || SystemMenu->EnabledRestore();
        } else if (Iconic()) {
            mask = manager->GetMaskIndex(L"GLOBALINFO", L"BICONMAX");
            enabled = !SystemMenu || SystemMenu->EnabledMax();
        } else {
            enabled = !SystemMenu || SystemMenu->EnabledMax();
        }
    } else if (HitCode == HTMINBUTTON) {
        if (Iconic()) mask = manager->GetMaskIndex(L"GLOBALINFO", L"BICONNORM");
        else enabled = !SystemMenu || SystemMenu->EnabledMin();
    } else if (HitCode >= HTUDBTN) {
        enabled = FTitleButtons->Items(HitCode - HTUDBTN)->Enabled();
    }
    if (mask >= 0) DrawButtonImage(*button, mask, enabled);
    if (HitCode >= HTUDBTN) {
        TBitmap* glyph = FTitleButtons->Items(HitCode - HTUDBTN)->Glyph();
        if (!glyph->Empty()) {
            int gx = button->Rect.left + (button->Rect.right - button->Rect.left - glyph->Width()) / 2;
            int gy = button->Rect.top + (button->Rect.bottom - button->Rect.top - glyph->Height()) / 2;
            if (button->State == 2) ++gx, ++gy;
            PutBitmapTransparent(cache, glyph, gx, gy, glyph->Canvas()->Pixels(0, glyph->Height() - 1));
        }
    }
    CopyCacheRectToWindow(button->Rect);

    // Hot glow: minimize, maximize and close only, on top-level forms.
    const TsSkinData& sd = manager->SkinData;
    int glowSize = HitCode == HTMINBUTTON ? sd.BIMinGlow : HitCode == HTMAXBUTTON ? sd.BIMaxGlow : HitCode == HTCLOSE ? sd.BICloseGlow : 0;
    int glowMargin = HitCode == HTMINBUTTON ? sd.BIMinGlowMargin
                     : HitCode == HTMAXBUTTON ? sd.BIMaxGlowMargin
                                              : sd.BICloseGlowMargin;
    if (button->State == 1 && glowSize > 0 && manager->AllowGlowing() && Form->Parent() == nullptr && !IsMDIChild()) {
        RECT wr{};
        GetWindowRect(Form->Handle(), &wr);
        TRect screen = button->Rect;
        OffsetRect(&screen, wr.left, wr.top);
        const TsMaskData* m = SkinMask(SkinOf(this), mask);
        if (m != nullptr && button->GlowID < 0)
            button->GlowID = ShowGlowEffect(screen, screen, L"GLOBALINFO", m->PropertyName + L"GLOW", glowMargin,
                                            Form->Handle(), manager);
    } else if (button->GlowID >= 0) {
        FreeGlowEffect(button->GlowID);
        button->GlowID = -1;
    }
}

// ---- Hit test ----

int TsSkinProvider::HitTest(TMessage& Message)
{
    TPoint p;
    ScreenToFormPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam), p);
    HWND wnd = Form->Handle();
    bool showsClose = SystemMenu && SystemMenu->VisibleClose();
    bool showsMax = SystemMenu && SystemMenu->VisibleMax();
    bool showsMin = SystemMenu && SystemMenu->VisibleMin();
    bool help = HasHelp(Form);
    bool iconic = Iconic();

    if (BorderForm == nullptr) {
        // Buttons in the order they are counted: close, maximize, minimize, help, user buttons.
        std::vector<TsCaptionButton*> order;
        if (showsClose) {
            order.push_back(&ButtonClose);
            if (showsMax) order.push_back(&ButtonMax);
            if (showsMin) order.push_back(&ButtonMin);
            if (help) order.push_back(&ButtonHelp);
        }
        int systemCount = static_cast<int>(order.size());
        int n = 0;
        for (int i = 0; i < systemCount && n == 0; ++i)
            if (PtInRect(&order[i]->Rect, p)) n = i + 1;
        for (int i = 0; i < FTitleButtons->Count() && n == 0; ++i) {
            TsTitleButton* item = FTitleButtons->Items(i);
            if (item->Visible() && PtInRect(&item->BtnData.Rect, p)) n = systemCount + i + 1;
        }
        if (n > 0) {
            int c = (showsClose ? 1 : 0) + (showsClose && showsMax ? 1 : 0) + (showsClose && (showsMin || iconic) ? 1 : 0) +
                    (showsClose && help ? 1 : 0);
            int code;
            if (n > c) {
                int index = n - c - 1;
                code = index < FTitleButtons->Count() && FTitleButtons->Items(index)->Enabled() ? HTUDBTN + index : HTCLIENT;
            } else if (n == 1) {
                code = showsClose ? HTCLOSE : HTCLIENT;
            } else if (n == 2) {
                if (showsMax) {
                    code = HTMAXBUTTON;
                    if (!SystemMenu->EnabledMax() && (!SystemMenu->EnabledRestore() || iconic)) code = HTCAPTION;
                } else if (showsMin || iconic) {
                    code = SystemMenu->EnabledMin() ? HTMINBUTTON : HTCAPTION;
                } else {
                    code = help ? HTHELP : HTCLIENT;
                }
            } else if (n == 3) {
                if (showsMin || iconic) code = iconic || SystemMenu->EnabledMin() ? HTMINBUTTON : HTCAPTION;
                else code = help ? HTHELP : HTCLIENT;
            } else {
                code = help && showsMax ? HTHELP : HTCLIENT;
            }
            if (code != HTCLIENT) {
                SetHotHT(code);
                return code;
            }
        }
    }

    int width = WindowPixelWidth(wnd), height = WindowPixelHeight(wnd);
    if (!Zoomed() && HasSizingFrame(wnd) && BorderForm == nullptr) {
        int b = WindowFrameWidth(wnd, BorderForm, true);
        int t = StdFrameWidth(wnd, BorderForm, false);
        int code = p.y > height - b ? HTBOTTOM : p.y < t ? HTTOP : HTCLIENT;
        if (p.x < b) code = code == HTBOTTOM ? HTBOTTOMLEFT : code == HTTOP ? HTTOPLEFT : HTLEFT;
        else if (p.x > width - b) code = code == HTBOTTOM ? HTBOTTOMRIGHT : code == HTTOP ? HTTOPRIGHT : HTRIGHT;
        if (code != HTCLIENT) {
            SetHotHT(-1);
            return code;
        }
    }
    int titleBottom = StdCaptionHeight(Form) + StdFrameWidth(wnd, BorderForm, true);
    if (p.y >= 0 && p.y <= titleBottom) {
        int frame = StdFrameWidth(wnd, BorderForm, false);
        if (p.y > frame + StdCaptionHeight(Form) && p.y <= frame + CaptionHeight(false) + MenuHeight()) return HTMENU;
        TRect icon;
        IconRect(icon);
        return PtInRect(&icon, p) ? HTSYSMENU : HTCAPTION;
    }
    if (p.y > titleBottom + LinesCount() * MenuHeight()) {
        int code = HTCLIENT;
        if (GripVisible()) {
            int mask = Manager()->GetMaskIndex(L"GLOBALINFO", L"GRIPIMAGE");
            if (mask >= 0) {
                TPoint grip;
                GripPosition(mask, grip);
                if (p.x > grip.x && p.y > grip.y) code = HTBOTTOMRIGHT;
            }
        }
        SetHotHT(code == HTCLIENT ? 0 : code);
        return code;
    }
    return HTMENU;
}

void TsSkinProvider::DropSysMenu(int X, int Y)
{
    if (SystemMenu) SystemMenu->Popup(X, Y);
}

void TsSkinProvider::UpdateSysMenuStyle(bool Skinned)
{
    if (!Form->HandleAllocated()) return;
    HWND wnd = Form->Handle();
    LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
    if ((style & WS_SYSMENU) || HaveSysMenu) {
        // While the provider draws the title the system must not draw its own buttons into it.
        if (Skinned && FDrawNonClientArea) style &= ~WS_SYSMENU;
        else style |= WS_SYSMENU;
        SetWindowLongPtrW(wnd, GWL_STYLE, style);
        HaveSysMenu = true;
    } else {
        HaveSysMenu = false;
    }
}
