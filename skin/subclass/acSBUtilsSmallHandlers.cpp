// acSBUtils: the up-down, size-grip, transparent-panel, link and icon handlers.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "framework/controls/Forms.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtils.h"

namespace {

bool CursorInWindow(HWND Wnd, POINT& Cursor)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    const TPoint p = ScreenCursorPos();
    Cursor = POINT{p.x, p.y};
    return PtInRect(&r, Cursor) != FALSE;
}

TsSkinManager* ActiveDefaultManager()
{
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    return manager != nullptr && !manager->ComponentState().Contains(csDesigning) ? manager : nullptr;
}

void RedrawNow(HWND Wnd)
{
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
}

} // namespace

// ---- Up-down ---------------------------------------------------------------------------------------

TacSpinWnd::TacSpinWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                       bool Repaint)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint)
{
}

bool TacSpinWnd::IsVertical()
{
    return (GetWindowLongW(CtrlHandle, GWL_STYLE) & UDS_HORZ) == 0;
}

void TacSpinWnd::acWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        AC_WMPaint(Message);
        Message.Result = 0;
        return;
    case WM_ERASEBKGND:
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_LBUTTONDOWN: bMousePressed = true; break;
    case WM_LBUTTONUP: bMousePressed = false; break;
    case WM_MOUSELEAVE: InvalidateRect(CtrlHandle, nullptr, FALSE); break;
    default: break;
    }
    TacMainWnd::acWndProc(Message);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: RedrawNow(CtrlHandle); break;
    case WM_MOUSEMOVE: {
        TsSkinManager* manager = ActiveDefaultManager();
        if (manager == nullptr || !IsWindowEnabled(CtrlHandle)) break;
        POINT cursor{};
        if (CursorInWindow(CtrlHandle, cursor)) {
            if (manager->ActiveControl() != CtrlHandle)
                manager->SetActiveControl(CtrlHandle);
            else
                RedrawNow(CtrlHandle);
        } else if (manager->ActiveControl() == CtrlHandle) {
            manager->SetActiveControl(nullptr);
        }
        break;
    }
    default: break;
    }
}

void TacSpinWnd::ReadButtonStates()
{
    Btn1State = Btn2State = 0;
    POINT cursor{};
    if (!CursorInWindow(CtrlHandle, cursor)) return;
    // The first button owns the shared middle row or column of an odd size.
    const bool first = IsVertical() ? cursor.y < WndRect.bottom - WndSize.cy / 2 : cursor.x < WndRect.right - WndSize.cx / 2;
    (first ? Btn1State : Btn2State) = bMousePressed ? 2 : 1;
}

void TacSpinWnd::AC_WMPaint(TMessage& Message)
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    ReadButtonStates();
    PAINTSTRUCT ps{};
    HDC given = reinterpret_cast<HDC>(Message.WParam);
    if (given == nullptr) BeginPaint(CtrlHandle, &ps);
    if (!SkinData->Updating()) {
        HDC dc = given != nullptr ? given : GetDC(CtrlHandle);
        SkinData->BGChanged = true;
        PrepareCache();
        HDC cache = SkinData->CacheBmp()->Canvas()->Handle();
        if (IsVertical())
            BitBlt(dc, lOffset, 0, SkinData->CacheBmp()->Width() - lOffset, WndSize.cy, cache, lOffset, 0, SRCCOPY);
        else
            BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, cache, 0, 0, SRCCOPY);
        if (given == nullptr) ReleaseDC(CtrlHandle, dc);
    }
    if (given == nullptr) EndPaint(CtrlHandle, &ps);
}

void TacSpinWnd::PrepareCache()
{
    TsSkinManager* manager = SkinData->GetSkinManager();
    if (manager != nullptr && manager->GetSkinIndex(SkinData->SkinSection()) < 0) SkinData->SetSkinSection(L"BUTTON");
    const int cx = WndSize.cx, cy = WndSize.cy;
    const bool vertical = IsVertical();
    const TRect r1 = vertical ? TRect{lOffset, 0, cx, cy - cy / 2} : TRect{0, 0, cx - cx / 2, cy};
    const TRect r2 = vertical ? TRect{lOffset, cy / 2, cx, cy} : TRect{cx / 2, 0, cx, cy};
    TBackgroundQuery query;
    QueryWndBackground(query, GetParent(CtrlHandle), false);
    const TCacheInfo ci = BackgroundToCacheInfo(query);
    SkinData->InitCacheBitmap();
    TBitmap* cache = SkinData->CacheBmp();
    cache->SetSize(cx, cy);

    TsSkinManager* defaultManager = TsSkinManager::DefaultSkinManager();
    const TsSkin* skin = defaultManager != nullptr ? &defaultManager->Skin() : nullptr;
    const int arrows[2] = {skin == nullptr ? -1 : vertical ? skin->ConstData.MaskArrowTop : skin->ConstData.MaskArrowLeft,
                           skin == nullptr ? -1 : vertical ? skin->ConstData.MaskArrowBottom : skin->ConstData.MaskArrowRight};
    const TRect rects[2] = {r1, r2};
    const int states[2] = {Btn1State, Btn2State};
    for (int i = 0; i < 2; ++i) {
        const TRect& r = rects[i];
        // The background answer is the parent's own picture: this button's place in it.
        DrawControlSkin(SkinData, ci, false, cache, TPoint{WndPos.x + r.left, WndPos.y + r.top}, r, states[i]);
        const TsMaskData* arrow = SkinMask(skin, arrows[i]);
        if (arrow == nullptr || arrow->ImageCount <= 0) continue;
        const int fw = (arrow->R.right - arrow->R.left) / arrow->ImageCount;
        const int fh = (arrow->R.bottom - arrow->R.top) / (arrow->MaskType + 1);
        const TPoint at{r.left + (r.right - r.left - fw) / 2, r.top + (r.bottom - r.top - fh) / 2};
        DrawMaskImage(cache, at, states[i], MakeCacheInfo(cache, 0, 0), *arrow, 1, skin);
    }
}

// ---- Size grip ---------------------------------------------------------------------------------------

void TacSizerWnd::acWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: AC_WMPaint(Message); return;
    case WM_ERASEBKGND:
    case WM_NCPAINT: return;
    default: break;
    }
    TacMainWnd::acWndProc(Message);
    if (Message.Msg == WM_NCHITTEST && IsWindowEnabled(CtrlHandle)) {
        if (TsSkinManager* manager = TsSkinManager::DefaultSkinManager()) manager->SetActiveControl(nullptr);
        Message.Result = HTBOTTOMRIGHT;
    }
}

void TacSizerWnd::AC_WMPaint(TMessage& Message)
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    PAINTSTRUCT ps{};
    HDC given = reinterpret_cast<HDC>(Message.WParam);
    if (given == nullptr) BeginPaint(CtrlHandle, &ps);
    // A printed grip paints into the DC it is given.
    HDC dc = given != nullptr ? given : GetDC(CtrlHandle);
    auto bmp = MakeBitmap32(std::max(0L, WndSize.cx), std::max(0L, WndSize.cy));
    TsSkinManager* manager = SkinData->GetSkinManager();
    const int grip = manager != nullptr ? manager->GetMaskIndex(L"GLOBALINFO", L"GRIPIMAGE") : -1;
    const TsMaskData* mask = manager != nullptr ? SkinMask(&manager->Skin(), grip) : nullptr;
    if (mask != nullptr && !bmp->Empty()) {
        TBackgroundQuery query;
        query.DC = bmp->Canvas()->Handle();
        query.Rect = TRect{0, 0, WndSize.cx, WndSize.cy};
        query.OffsetX = WndPos.x;
        query.OffsetY = WndPos.y;
        query.DrawRequested = 1;
        SendSkinCmd(GetParent(CtrlHandle), AC_QUERYBGINFO, reinterpret_cast<LPARAM>(&query));
        const TPoint at{std::max(0L, WndSize.cx - mask->FrameWidth()), std::max(0L, WndSize.cy - mask->FrameHeight())};
        DrawMaskImage(bmp.get(), at, 0, MakeCacheInfo(bmp.get(), 0, 0), *mask, 1, &manager->Skin());
        BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    if (given == nullptr) {
        ReleaseDC(CtrlHandle, dc);
        EndPaint(CtrlHandle, &ps);
    }
}

// ---- Transparent panel --------------------------------------------------------------------------------

void TacTransPanelWnd::acWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        AC_WMPaint(Message);
        Message.Result = 1;
        return;
    case WM_NCPAINT: Message.Result = 0; return;
    default: TacMainWnd::acWndProc(Message);
    }
}

void TacTransPanelWnd::AC_WMPaint(TMessage& Message)
{
    RECT r{};
    GetWindowRect(CtrlHandle, &r);
    WndRect = TRect{r.left, r.top, r.right, r.bottom};
    WndSize = TSize{r.right - r.left, r.bottom - r.top};
    PAINTSTRUCT ps{};
    HDC given = reinterpret_cast<HDC>(Message.WParam);
    if (given == nullptr) BeginPaint(CtrlHandle, &ps);
    HDC dc = given != nullptr ? given : GetWindowDC(CtrlHandle);
    SkinData->BGChanged = true;
    SendSkinCmd(CtrlHandle, AC_BUILDCACHE, 0);
    const TRect all{0, 0, WndSize.cx, WndSize.cy};
    CopyCacheToWndDC(CtrlHandle, SkinData, all, 0, 0, false, dc, all);
    if (given == nullptr) {
        ReleaseDC(CtrlHandle, dc);
        EndPaint(CtrlHandle, &ps);
    }
}

// ---- Link --------------------------------------------------------------------------------------------------

String StripLinkTags(const String& Caption)
{
    String text = Caption;
    for (const wchar_t* tag : {L"<A>", L"</A>"}) {
        const String t = tag;
        for (size_t at = text.find(t); at != String::npos; at = text.find(t, at)) text.erase(at, t.size());
    }
    return text;
}

void TacLinkWnd::acWndProc(TMessage& Message)
{
    if ((GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_STATICEDGE) != 0) {
        TacStaticWnd::acWndProc(Message);
        return;
    }
    auto redraw = [this] { RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); };
    switch (Message.Msg) {
    case WM_MOVE:
        SkinData->BGChanged = true;
        Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        redraw();
        return;
    case WM_SETTEXT: {
        Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        Caption = WindowText(CtrlHandle);
        SkinData->BGChanged = true;
        redraw();
        return;
    }
    case WM_PAINT: {
        // Painting happens on erase; the paint only validates.
        PAINTSTRUCT ps{};
        BeginPaint(CtrlHandle, &ps);
        EndPaint(CtrlHandle, &ps);
        return;
    }
    case WM_ERASEBKGND:
        if (!IsWindowVisible(CtrlHandle)) break;
        AC_WMPaint(Message);
        Message.Result = 1;
        return;
    case WM_NCPAINT: return;
    default: break;
    }
    TacStaticWnd::acWndProc(Message);
}

bool TacLinkWnd::PaintText()
{
    TCanvas* canvas = SkinData->CacheBmp()->Canvas();
    canvas->Brush()->SetStyle(bsClear);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 504;  // the size of the structure before the padded-border field
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        if (HFONT font = CreateFontIndirectW(&metrics.lfMessageFont)) {
            canvas->Font()->SetHandle(font);
            DeleteObject(font);
        }
    }
    TFontStyles style = canvas->Font()->Style();
    style.Include(fsUnderline);
    canvas->Font()->SetStyle(style);
    DrawControlText(canvas, StripLinkTags(Caption), true, false, SkinData, DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP,
                    TRect{0, 0, WndSize.cx + 4, WndSize.cy});
    return true;
}

// ---- Icon and bitmap statics ---------------------------------------------------------------------------------

TacIconWnd::TacIconWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                       bool Repaint)
    : TacStaticWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint),
      IsBmp((GetWindowLongW(AHandle, GWL_STYLE) & 3) != SS_ICON)
{
}

namespace {

// A copy of a bitmap someone else owns; empty without one.
std::unique_ptr<TBitmap> CopyOfBitmap(HBITMAP Image)
{
    BITMAP info{};
    if (Image == nullptr || GetObjectW(Image, sizeof(info), &info) == 0) return MakeBitmap32(0, 0);
    auto copy = MakeBitmap32(info.bmWidth, std::abs(info.bmHeight));
    HDC src = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(src, Image);
    BitBlt(copy->Canvas()->Handle(), 0, 0, copy->Width(), copy->Height(), src, 0, 0, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
    return copy;
}

} // namespace

bool TacIconWnd::PaintText()
{
    HDC cache = SkinData->CacheBmp()->Canvas()->Handle();
    if (!IsBmp) {
        HICON icon = reinterpret_cast<HICON>(SendMessageW(CtrlHandle, STM_GETICON, 0, 0));
        if (icon == nullptr) return false;
        DrawIconEx(cache, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        return true;
    }
    // The image stays the window's: it is copied, never adopted.
    if (FBmp == nullptr)
        FBmp = CopyOfBitmap(reinterpret_cast<HBITMAP>(SendMessageW(CtrlHandle, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    if (FBmp->Empty()) return false;
    BitBlt(cache, 0, 0, std::min<int>(WndSize.cx, FBmp->Width()), std::min<int>(WndSize.cy, FBmp->Height()),
           FBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    return true;
}
