// acSBUtils: the static-text and push-button handlers.
#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/BitBtn.h"
#include "skin/core/acAlphaImageList.h"
#include "skin/core/acGlow.h"
#include "skin/core/acPNG.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sConst.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtils.h"

namespace {

HDC DCOfMessage(const TMessage& Message) { return reinterpret_cast<HDC>(Message.WParam); }

bool CursorInside(HWND Wnd)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    const TPoint p = ScreenCursorPos();
    return PtInRect(&r, POINT{p.x, p.y}) != FALSE;
}

TsSkinManager* ActiveDefaultManager()
{
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    return manager != nullptr && !manager->ComponentState().Contains(csDesigning) ? manager : nullptr;
}

// Keeps a window from drawing while its previous procedure changes it.
class TRedrawOff {
public:
    explicit TRedrawOff(HWND Wnd) : FWnd(Wnd) { SendMessageW(FWnd, WM_SETREDRAW, 0, 0); }
    ~TRedrawOff() { SendMessageW(FWnd, WM_SETREDRAW, 1, 0); }
    TRedrawOff(const TRedrawOff&) = delete;
    TRedrawOff& operator=(const TRedrawOff&) = delete;

private:
    HWND FWnd;
};

} // namespace

// ---- Static text ------------------------------------------------------------------------------------

bool TacStaticWnd::PaintsItself() const
{
    return (GetWindowLongW(CtrlHandle, GWL_STYLE) & WS_TABSTOP) != 0 ||
           (GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_STATICEDGE) != 0;
}

void TacStaticWnd::acWndProc(TMessage& Message)
{
    if (PaintsItself()) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    const bool visible = IsWindowVisible(CtrlHandle) != FALSE;
    auto redraw = [this] { RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); };
    switch (Message.Msg) {
    case WM_MOVE:
    case WM_ENABLE:
        if (!visible) break;
        SkinData->BGChanged = true;
        Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        redraw();
        return;
    case WM_SETTEXT:
        if (!visible) break;
        {
            TRedrawOff off(CtrlHandle);
            Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
            Caption = WindowText(CtrlHandle);
            SkinData->BGChanged = true;
        }
        redraw();
        return;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        BeginPaint(CtrlHandle, &ps);
        if (visible) AC_WMPaint(Message);
        EndPaint(CtrlHandle, &ps);
        return;
    }
    case WM_ERASEBKGND:
        if (!visible) break;
        Message.Result = 1;
        return;
    case WM_NCPAINT: return;
    case WM_PRINT: AC_WMPaint(Message); return;
    default: break;
    }
    TacMainWnd::acWndProc(Message);
}

void TacStaticWnd::AC_WMPaint(TMessage& Message)
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    HDC dc = DCOfMessage(Message);
    const bool own = dc == nullptr;
    if (own) dc = GetWindowDC(CtrlHandle);
    const int saved = SaveDC(dc);
    SkinData->BGChanged = true;
    SkinData->InitCacheBitmap();
    SkinData->CacheBmp()->SetSize(WndSize.cx, WndSize.cy);
    PrepareFrameCache(SkinData, CtrlHandle, false);
    if (PaintText())
        BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    if (own) ReleaseDC(CtrlHandle, dc);
}

bool TacStaticWnd::PaintText()
{
    if (Caption.empty()) return true;
    TCanvas* canvas = SkinData->CacheBmp()->Canvas();
    canvas->Brush()->SetStyle(bsClear);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0))) canvas->Font()->SetHandle(font);
    UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP;
    if ((GetWindowLongW(CtrlHandle, GWL_STYLE) & SS_NOPREFIX) != 0) flags |= DT_NOPREFIX;
    if ((GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RIGHT) != 0) flags |= DT_RIGHT;
    DrawControlText(canvas, Caption, true, false, SkinData, flags, TRect{0, 0, WndSize.cx, WndSize.cy});
    return true;
}

// ---- Push buttons ------------------------------------------------------------------------------------

TacBtnWnd::TacBtnWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                     bool Repaint)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection.empty() ? String(L"BUTTON") : SkinSection, Repaint)
{
}

LONG TacBtnWnd::CtrlStyle() const
{
    return GetWindowLongW(CtrlHandle, GWL_STYLE);
}

bool TacBtnWnd::Down() const
{
    return (SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

void TacBtnWnd::Repaint()
{
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

int TacBtnWnd::CurrentState()
{
    if (Down()) {
        FreeAllGlowEffects(false);
        SkinData->GlowID = -1;
        return 2;
    }
    if (!IsWindowEnabled(CtrlHandle)) return 0;
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    if (GetFocus() == CtrlHandle || (manager != nullptr && manager->ActiveControl() == CtrlHandle)) return 1;
    const bool isDefault = SkinData->FOwnerControl != nullptr ? (CtrlStyle() & 0xF) == BS_DEFPUSHBUTTON
                                                              : (CtrlStyle() & 1) != 0;
    return isDefault ? 1 : 0;
}

bool TacBtnWnd::OnSkinCommand(TMessage& Message)
{
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_RESUMEPAINT: {
        if (!SkinData->UpdatingFlag()) return false;
        SkinData->SetUpdating(false);
        const bool updating = SkinData->Updating();
        SkinData->SetUpdating(updating);
        if (!updating)
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
        return true;
    }
    case AC_HOTON:
        if (!SkinData->FMouseAbove && manager != nullptr && manager->ActiveControl() == CtrlHandle) {
            // The pointer may have left before the news arrived.
            if (!CursorInside(CtrlHandle)) return true;
            SkinData->FMouseAbove = true;
            SkinData->BGChanged = true;
            SkinData->SetUpdating(false);
            Repaint();
            SkinData->RefreshGlow(false, CtrlHandle);
        }
        return false;
    case AC_HOTOFF:
        if (SkinData->FMouseAbove) {
            FreeAllGlowEffects(false);
            SkinData->GlowID = -1;
            SkinData->FMouseAbove = false;
            SkinData->SetUpdating(false);
            SkinData->BGChanged = true;
            Repaint();
        }
        return false;
    default: return false;
    }
}

void TacBtnWnd::PassOnUnseen(TMessage& Message)
{
    {
        TRedrawOff off(CtrlHandle);
        TacMainWnd::acWndProc(Message);
    }
    SkinData->BGChanged = true;
    Repaint();
}

void TacBtnWnd::TrackHover()
{
    TsSkinManager* manager = ActiveDefaultManager();
    if (manager == nullptr || !IsWindowEnabled(CtrlHandle)) return;
    const bool inside = CursorInside(CtrlHandle);
    if (inside && manager->ActiveControl() != CtrlHandle)
        manager->SetActiveControl(CtrlHandle);
    else if (!inside && manager->ActiveControl() == CtrlHandle)
        manager->SetActiveControl(nullptr);
}

void TacBtnWnd::acWndProc(TMessage& Message)
{
    const bool visible = IsWindowVisible(CtrlHandle) != FALSE;
    switch (Message.Msg) {
    case SM_LUMACMD:
        if (OnSkinCommand(Message)) return;
        break;
    case WM_MOVE: {
        const TsSkin* skin = SkinData->Skin();
        if (skin != nullptr && skin->IsValidSkinIndex(SkinData->SkinIndex)) {
            const TsGeneralData& gd = skin->gd[SkinData->SkinIndex];
            if (gd.Transparency > 0 || (gd.HotTransparency > 0 && SkinData->HotStateActive())) {
                SkinData->BGChanged = true;
                Repaint();
            }
        }
        break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (!IsWindowEnabled(CtrlHandle)) break;
        {
            TRedrawOff off(CtrlHandle);
            TacMainWnd::acWndProc(Message);
        }
        SkinData->FFocused = Message.Msg == WM_SETFOCUS;
        SkinData->BGChanged = true;
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return;
    case WM_ENABLE:
    case WM_SETTEXT:
        if (!visible) break;
        PassOnUnseen(Message);
        return;
    case BM_SETSTATE:
        if (!visible) break;
        {
            TRedrawOff off(CtrlHandle);
            Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        }
        SkinData->BGChanged = true;
        Repaint();
        return;
    case WM_PAINT:
        if (!visible && (SkinData->CtrlSkinState & ACS_PRINTING) == 0) break;
        if (!ParamsChanged) SetSkinParams();
        AC_WMPaint(Message);
        return;
    case WM_PRINT: AC_WMPaint(Message); return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_UPDATEUISTATE: Message.Result = 1; return;
    case WM_MOUSEHOVER: SendSkinCmd(CtrlHandle, AC_HOTON, 0); break;
    case WM_MOUSELEAVE:
        if (TsSkinManager* manager = TsSkinManager::DefaultSkinManager(); manager != nullptr && manager->ActiveControl() == CtrlHandle)
            manager->SetActiveControl(nullptr);
        break;
    default: break;
    }
    TacMainWnd::acWndProc(Message);
    if (Message.Msg == WM_MOUSEMOVE) TrackHover();
}

void TacBtnWnd::AC_WMPaint(TMessage& Message)
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    PAINTSTRUCT ps{};
    // A print DC comes with the message: nothing to validate then.
    const bool painting = Message.Msg == WM_PAINT && DCOfMessage(Message) == nullptr;
    if (painting) BeginPaint(CtrlHandle, &ps);
    const bool holdBack = FormAnimating && SkinData->PrintDC == nullptr;
    if (!holdBack) {
        SkinData->SetUpdating(SkinData->Updating() && !FormAnimating);
        if (!SkinData->UpdatingFlag()) {
            HDC dc = DCOfMessage(Message);
            const bool own = dc == nullptr;
            if (own) dc = GetDC(CtrlHandle);
            SkinData->BGChanged = true;
            PrepareCache();
            BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, CacheCanvas()->Handle(), 0, 0, SRCCOPY);
            if (own) ReleaseDC(CtrlHandle, dc);
        }
    }
    if (painting) EndPaint(CtrlHandle, &ps);
}

void TacBtnWnd::PrepareCache()
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    // The parent's background comes already placed at the window's position.
    const TCacheInfo ci = WndParentCacheInfo(CtrlHandle);
    SkinData->InitCacheBitmap();
    TBitmap* cache = SkinData->CacheBmp();
    cache->SetSize(WndSize.cx, WndSize.cy);
    DrawControlSkin(SkinData, ci, true, cache, TPoint{0, 0}, TRect{0, 0, WndSize.cx, WndSize.cy}, CurrentState());
    DrawCaption();
    DrawGlyph();
    if (!IsWindowEnabled(CtrlHandle)) {
        // 40 percent of the button over 60 percent of what lies behind it.
        if (ci.Ready && ci.Bmp != nullptr) {
            auto own = MakeBitmap32(cache->Width(), cache->Height());
            BitBlt(own->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
            BitBlt(cache->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), ci.Bmp->Canvas()->Handle(), ci.X, ci.Y,
                   SRCCOPY);
            BlendBitmapKeyed(cache, 0, 0, own.get(), TRect{0, 0, cache->Width() - 1, cache->Height() - 1}, 0.6,
                             0x00FF00FFu);
        } else {
            TintBitmap(cache, ci.FillColor, 0.4);
        }
    }
    SkinData->BGChanged = false;
}

void TacBtnWnd::TakeCaptionFont()
{
    if (SkinData->FOwnerControl != nullptr)
        CacheCanvas()->Font()->Assign(SkinData->FOwnerControl->Font());
    else if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0)))
        CacheCanvas()->Font()->SetHandle(font);
}

void TacBtnWnd::DrawCaption()
{
    TakeCaptionFont();
    TRect r = CaptionRect();
    UINT flags = DT_CENTER | DT_EXPANDTABS;
    if ((CtrlStyle() & BS_MULTILINE) == 0) flags |= DT_WORDBREAK;
    if ((GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0) flags |= DT_RTLREADING;
    DoDrawText(r, flags);
    const TsSkin* skin = SkinData->Skin();
    const bool showFocus = skin != nullptr && skin->IsValidSkinIndex(SkinData->SkinIndex) && skin->gd[SkinData->SkinIndex].ShowFocus;
    if (IsWindowEnabled(CtrlHandle) && (SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_FOCUS) != 0 && !Caption.empty() &&
        showFocus) {
        InflateRect(&r, 1, 1);
        DrawDottedFrame(CacheCanvas(), r, clBtnFace, clBtnFace);
    }
}

void TacBtnWnd::DoDrawText(TRect& R, UINT Flags)
{
    CacheCanvas()->Brush()->SetStyle(bsClear);
    DrawControlText(CacheCanvas(), Caption, true, CurrentState() != 0, SkinData, Flags, R);
}

TSize TacBtnWnd::TextRectSize()
{
    TakeCaptionFont();
    RECT r{0, 0, MaxCaptionWidth(), 0};
    UINT flags = DT_CENTER | DT_EXPANDTABS | DT_CALCRECT | DT_NOPREFIX;
    if ((CtrlStyle() & BS_MULTILINE) == 0) flags |= DT_WORDBREAK;
    DrawTextW(CacheCanvas()->Handle(), Caption.c_str(), static_cast<int>(Caption.size()), &r, flags);
    return TSize{std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top)};
}

int TacBtnWnd::MaxCaptionWidth()
{
    if (Caption.empty()) return 0;
    const TSize glyph = GlyphSize();
    return glyph.cx == 0 ? WndSize.cx - 2 : std::max(0L, WndSize.cx - glyph.cx);
}

TRect TacBtnWnd::CaptionRect()
{
    const TSize t = TextRectSize();
    const int dx = (WndSize.cx - t.cx) / 2, dy = (WndSize.cy - t.cy) / 2;
    TRect r{dx - 1, dy, WndSize.cx - dx + 2, WndSize.cy - dy};
    if (Down()) OffsetRect(&r, 1, 1);
    return r;
}

// ---- Bit buttons ----------------------------------------------------------------------------------------

namespace {

TBitBtn* BitBtnOf(TsCommonData* Data) { return dynamic_cast<TBitBtn*>(Data->FOwnerControl); }

} // namespace

TSize TacBitBtnWnd::GlyphSize()
{
    if (TBitBtn* btn = BitBtnOf(SkinData)) {
        TBitmap* glyph = btn->Glyph();
        if (glyph == nullptr || glyph->Empty()) return TSize{0, 0};
        return TSize{glyph->Width() / std::max<int>(btn->NumGlyphs(), 1), glyph->Height()};
    }
    HANDLE image = reinterpret_cast<HANDLE>(SendMessageW(CtrlHandle, BM_GETIMAGE, IMAGE_BITMAP, 0));
    SIZE size{0, 0};
    if (image == nullptr || !GetBitmapDimensionEx(static_cast<HBITMAP>(image), &size)) return TSize{0, 0};
    return size;
}

TRect TacBitBtnWnd::CaptionRect()
{
    TBitBtn* btn = BitBtnOf(SkinData);
    if (btn == nullptr) {
        TRect r = TacBtnWnd::CaptionRect();
        const TSize g = GlyphSize();
        if (g.cx != 0) OffsetRect(&r, g.cx / 2 + 1, 0);
        return r;
    }
    TRect text{};
    TPoint glyphAt{};
    CalcGlyphTextLayout(TRect{0, 0, WndSize.cx, WndSize.cy}, GlyphSize(), TextRectSize(), 1, text, glyphAt, 0, 0, 2,
                        static_cast<int>(btn->Layout()));
    if (CurrentState() == 2) OffsetRect(&text, 1, 1);
    return text;
}

TRect TacBitBtnWnd::GlyphRect()
{
    TBitBtn* btn = BitBtnOf(SkinData);
    const TSize g = GlyphSize(), t = TextRectSize();
    const int w = WndSize.cx, h = WndSize.cy;
    const int s = btn != nullptr && g.cx > 0 && !Caption.empty() ? btn->Spacing() : 0;
    const int hx = (w - g.cx - t.cx - s) / 2, vy = (h - g.cy - t.cy - s) / 2;
    int x = 0, y = 0;
    switch (btn != nullptr ? btn->Layout() : blGlyphLeft) {
    case blGlyphLeft: x = hx; y = (h - g.cy) / 2; break;
    case blGlyphRight: x = (w - g.cx + s + t.cx) / 2; y = (h - g.cy) / 2; break;
    case blGlyphTop: x = (w - g.cx) / 2 + 1; y = vy; break;
    case blGlyphBottom: x = (w - g.cx) / 2 + 1; y = h - vy - g.cy; break;
    }
    if (CurrentState() == 2) {
        ++x;
        ++y;
    }
    return TRect{x, y, x + g.cx, y + g.cy};
}

int TacBitBtnWnd::MaxCaptionWidth()
{
    TBitBtn* btn = BitBtnOf(SkinData);
    if (btn == nullptr) return TacBtnWnd::MaxCaptionWidth();
    if (Caption.empty()) return 0;
    const TSize g = GlyphSize();
    int width = btn->Width() - 2 * btn->Margin();
    if ((btn->Layout() == blGlyphLeft || btn->Layout() == blGlyphRight) && g.cy != 0) width -= g.cx + btn->Spacing();
    return width;
}

void TacBitBtnWnd::DrawGlyph()
{
    TBitBtn* btn = BitBtnOf(SkinData);
    if (btn == nullptr || btn->Glyph() == nullptr || btn->Glyph()->Empty()) return;
    TBitmap* glyph = btn->Glyph();
    if (glyph->PixelFormat() == pfDevice) glyph->SetHandleType(bmDIB);
    const TRect r = GlyphRect();
    if (btn->NumGlyphs() == 1 && glyph->PixelFormat() == pf32bit) {
        TPNGGraphic png;
        png.Assign(glyph);
        png.SetPixelFormat(pf32bit);
        CopyKeyedBitmapBlend(TRect{r.left, r.top, r.left + png.Width(), r.top + png.Height()},
                             TRect{0, 0, png.Width(), png.Height()}, SkinData->CacheBmp(), &png,
                             MakeCacheInfo(SkinData->CacheBmp(), 0, 0), false, clNone, 0, false);
        return;
    }
    // The disabled frame is the skin's blend, as for the other skinned buttons.
    DrawGlyphState(glyph, SkinData->CacheBmp(), r, CurrentState(), 0, 2, 1, btn->Enabled(), btn->NumGlyphs());
}

// ---- Buttons with an image list ---------------------------------------------------------------------

TacButtonWnd::TacButtonWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                           const String& SkinSection, bool Repaint)
    : TacBtnWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint)
{
    Btn = ASkinData != nullptr ? ASkinData->FOwnerControl : nullptr;
}

namespace {

TCustomImageList* ImagesOf(TControl* Btn)
{
    return Btn != nullptr ? dynamic_cast<TCustomImageList*>(ReadObjectProp(Btn, L"Images")) : nullptr;
}

int OrdProp(TObject* Object, const wchar_t* Name) { return static_cast<int>(ReadOrdProp(Object, Name)); }

enum TImageAlignmentOrdinal { iaLeft, iaRight, iaTop, iaBottom, iaCenter };

struct TImageMarginsRead {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

TImageMarginsRead ImageMarginsOf(TControl* Btn)
{
    TImageMarginsRead m;
    if (TPersistent* margins = Btn != nullptr ? ReadObjectProp(Btn, L"ImageMargins") : nullptr) {
        m.Left = std::max(0, OrdProp(margins, L"Left"));
        m.Top = std::max(0, OrdProp(margins, L"Top"));
        m.Right = std::max(0, OrdProp(margins, L"Right"));
        m.Bottom = std::max(0, OrdProp(margins, L"Bottom"));
    }
    return m;
}

int ImageAlignmentOf(TControl* Btn)
{
    const int a = OrdProp(Btn, L"ImageAlignment");
    return a < 0 ? iaLeft : a;
}

} // namespace

bool TacButtonWnd::HaveImage()
{
    TCustomImageList* images = ImagesOf(Btn);
    if (images == nullptr) return false;
    const int index = OrdProp(Btn, L"ImageIndex");
    return index >= 0 && index < images->Count();
}

TSize TacButtonWnd::GlyphSize()
{
    if (!HaveImage()) return TSize{0, 0};
    TCustomImageList* images = ImagesOf(Btn);
    return TSize{images->Width(), images->Height()};
}

TRect TacButtonWnd::GlyphRect()
{
    if (!HaveImage()) return TRect{0, 0, 0, 0};
    TCustomImageList* images = ImagesOf(Btn);
    const int w = Btn->Width(), h = Btn->Height(), iw = images->Width(), ih = images->Height();
    const TImageMarginsRead m = ImageMarginsOf(Btn);
    int x = (w - iw) / 2, y = (h - ih) / 2;
    switch (ImageAlignmentOf(Btn)) {
    case iaLeft: x = m.Left + 3; break;
    case iaRight: x = w - m.Right - 3 - iw; break;
    case iaTop: y = m.Top + 3; break;
    case iaBottom: y = h - m.Bottom - 3 - ih; break;
    default: break;
    }
    TRect r{x, y, x + iw, y + ih};
    if (CurrentState() == 2) OffsetRect(&r, 1, 1);
    return r;
}

TRect TacButtonWnd::CaptionRect()
{
    if (Btn != nullptr) CacheCanvas()->Font()->Assign(Btn->Font());
    const TSize t = TextRectSize();
    const int w = Btn != nullptr ? Btn->Width() : WndSize.cx, h = Btn != nullptr ? Btn->Height() : WndSize.cy;
    int l = (w - t.cx) / 2, r = w - l, tp = (h - t.cy) / 2, b = h - tp;
    if (HaveImage()) {
        TCustomImageList* images = ImagesOf(Btn);
        const int iw = images->Width(), ih = images->Height();
        const TImageMarginsRead m = ImageMarginsOf(Btn);
        int a = 0;
        switch (ImageAlignmentOf(Btn)) {
        case iaLeft:
            a = m.Left + 3 + iw;
            l = a + (w - a - t.cx) / 2;
            r = l + t.cx;
            break;
        case iaRight:
            a = m.Right + 3 + iw;
            l = (w - a - t.cx) / 2;
            r = l + t.cx;
            break;
        case iaTop:
            a = m.Top + 3 + ih;
            tp = a + (h - a - t.cy) / 2;
            b = tp + t.cy;
            break;
        case iaBottom:
            a = m.Bottom + 3 + ih;
            tp = (h - a - t.cy) / 2;
            b = tp + t.cy;
            break;
        default: break;
        }
    }
    TRect rect{l - 1, tp, r + 2, b};
    if (CurrentState() == 2) OffsetRect(&rect, 1, 1);
    return rect;
}

int TacButtonWnd::GlyphIndex()
{
    int state = CurrentState();
    auto* win = dynamic_cast<TWinControl*>(Btn);
    if (Btn != nullptr && !Btn->Enabled())
        state = 4;
    else if (state != 2 && win != nullptr && win->HandleAllocated() && GetFocus() == win->Handle())
        state = 3;
    static const wchar_t* const indexNames[] = {L"ImageIndex", L"HotImageIndex", L"PressedImageIndex",
                                                L"SelectedImageIndex", L"DisabledImageIndex"};
    const int imageIndex = OrdProp(Btn, L"ImageIndex");
    TCustomImageList* images = ImagesOf(Btn);
    const int index = OrdProp(Btn, indexNames[state]);
    return images != nullptr && index >= 0 && index < images->Count() ? index : imageIndex;
}

void TacButtonWnd::DrawGlyph()
{
    if (!HaveImage()) return;
    TCustomImageList* images = ImagesOf(Btn);
    const TRect r = GlyphRect();
    if (dynamic_cast<TsAlphaImageList*>(images) != nullptr) {
        TSize size{};
        DrawListImage(images, SkinData->CacheBmp(), r.left, r.top, GlyphIndex(), 0, clNone, 0, 1, false, size);
        return;
    }
    images->Draw(CacheCanvas(), r.left, r.top, GlyphIndex(), true);
}
