// The paint messages of a skinned form copy parts of the form image to the screen: the frame on
// WM_NCPAINT, the client background on WM_ERASEBKGND and WM_PAINT. Also the maximized size, the
// conversion from screen points to form-image points, and the rubber band that border-mode
// moving and sizing draw on the desktop.
#include <windowsx.h>

#include <algorithm>

#include "framework/graphics/DrawingGuards.h"
#include "framework/system/ScopeGuards.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace {

// One band at a time: moving and sizing with the mouse is modal.
struct TRubberBand {
    bool Active = false;
    bool Moving = false;
    bool FirstPointPending = false;
    int HitCode = 0;
    HWND Desktop = nullptr;
    HDC DC = nullptr;
    int SavedDC = 0;
    TRect Band{0, 0, 0, 0};
    TPoint Last{0, 0};
    int MinWidth = 0;
    int MinHeight = 0;
};
TRubberBand RubberBand;

// The form image's client part onto a client DC, child windows left out.
void CopyClientFromCache(TsSkinProvider* P, HDC DC, const TRect& R)
{
    const TRect source{P->OffsetX() + R.left, P->OffsetY() + R.top, P->OffsetX() + R.right, P->OffsetY() + R.bottom};
    CopyCacheToWndDC(P->Form->Handle(), P->SkinData(), source, 0, 0, false, DC, R);
}

void PaintGraphicChildren(TCustomForm* Form, HDC DC)
{
    DrawGraphicChildren(DC, Form, TPoint{0, 0}, true);
}

} // namespace

void TsSkinProvider::FormScreenOrigin(TPoint& P)
{
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    P = {r.left, r.top};
}

void TsSkinProvider::ScreenToFormPoint(int X, int Y, TPoint& P)
{
    TPoint origin;
    FormScreenOrigin(origin);
    P = {X - origin.x, Y - origin.y};
}

void TsSkinProvider::WMNCPaint()
{
    if (!FDrawNonClientArea) return;
    if (IsCompositionActive() && FResizeMode == rmBorder) FResizeMode = rmStandard;
    HWND wnd = Form->Handle();
    if (!RgnChanging && RgnChanged) {
        if (HasFrame() || HasSizingFrame(wnd) || Iconic()) {
            FillRegionRects();
            RgnChanged = false;
            if (Form->Showing() && Form->Position() != poDefault && !Zoomed()) {
                SetFrameRegion(false);
            } else {
                SetFrameRegion(true);
                // The new region brings its own WM_NCPAINT.
                return;
            }
        } else {
            SetWindowRgn(wnd, nullptr, TRUE);
        }
    }
    FCommonData->SetUpdating(false);
    if (FCommonData->CacheBmp() == nullptr || FCommonData->CacheBmp()->Width() == 0) FCommonData->BGChanged = true;
    // However the painting ends, the region may change again and the DC goes back as it was.
    TScopeExit regionFree([this] { RgnChanging = false; });
    TWindowDCGuard windowDC(wnd, TWindowDCGuard::WholeWindow);
    HDC dc = windowDC.DC();
    TSavedDC savedDC(dc);
    if (BorderForm == nullptr && !HasFrame() && HasSizingFrame(wnd) && !Iconic()) {
        if (FCommonData->BGChanged) PaintFormCache();
        TBitmap* cache = FCommonData->CacheBmp();
        int e = BorderWidth(true) + 3;
        HDC src = cache->Canvas()->Handle();
        int w = Form->Width(), h = Form->Height(), ch = cache->Height(), cw = cache->Width();
        BitBlt(dc, 0, 0, w, e, src, 0, 0, SRCCOPY);
        BitBlt(dc, 0, e, e, ch, src, 0, e, SRCCOPY);
        BitBlt(dc, e, h - e, w - e, e, src, e, ch - e, SRCCOPY);
        BitBlt(dc, cw - e, e, e, ch, src, cw - e, e, SRCCOPY);
    } else {
        PrintFrame(dc);
    }
}

void TsSkinProvider::PrintFrame(HDC DC)
{
    bool rebuild = FCommonData->BGChanged || !FCommonData->FullPaintNeeded();
    if (rebuild) {
        ControlsChanged = !FirstInitialized || MenuChanged || FCommonData->CacheBmp() == nullptr ||
                          IsSingleImageMask(FCommonData->BorderIndex) || CacheSizeChanged() || !HasFrame();
        PaintFormCache();
    }
    FCommonData->BGChanged = false;
    FCommonData->SetUpdating(false);
    TBitmap* cache = FCommonData->CacheBmp();
    if (cache == nullptr) return;
    HWND wnd = Form->Handle();
    bool captioned = (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    int h = captioned ? HeaderHeight() : BorderHeight(true);
    int w = BorderWidth(true);
    int s = (Iconic() ? 1 : 0) + StdFrameWidth(wnd, BorderForm, true) + CaptionHeight(true) +
            (MenuPresent() ? LinesCount() * MenuHeight() + 1 : 0) + Form->BorderWidth();
    int cw = cache->Width(), ch = cache->Height(), fh = Form->Height();
    int bh = BorderHeight(true);
    HDC src = cache->Canvas()->Handle();
    BitBlt(DC, 0, 0, CaptionWidth(), h, src, 0, 0, SRCCOPY);
    BitBlt(DC, 0, h, w, ch - h, src, 0, s, SRCCOPY);
    BitBlt(DC, w, fh - bh, CaptionWidth() - w, bh, src, WindowFrameWidth(wnd, BorderForm, true) + Form->BorderWidth(), fh - bh,
           SRCCOPY);
    BitBlt(DC, cw - w, h, w, ch - h, src, cw - w, s, SRCCOPY);
}

void TsSkinProvider::PaintClient(HDC DC, bool RefreshChildren)
{
    TRect r = Form->ClientRect();
    if (!(FCommonData->CtrlSkinState & ACS_FAST)) {
        bool changed = FCommonData->BGChanged;
        if (!FCommonData->UrgentPainting) PaintFormCache();
        if (!IsMDIForm()) {
            CopyClientFromCache(this, DC, r);
            (void)changed;
            PaintGraphicChildren(Form, DC);
        }
        if (RefreshChildren) RefreshChildControls(Form);
    } else if (!IsMDIForm()) {
        PaintColorRect(DC, r, FormColor());
        PaintGraphicChildren(Form, DC);
    }
    ControlsChanged = false;
}

void TsSkinProvider::WMEraseBkgnd(HDC DC)
{
    if (InAero && DC != nullptr) {
        RECT clip{};
        if (GetClipBox(DC, &clip) == NULLREGION) DC = nullptr;
    }
    HWND wnd = Form->Handle();
    bool own = DC == nullptr || DC != FCommonData->PrintDC;
    HDC dc = own ? GetDC(wnd) : DC;
    FCommonData->SetUpdating(false);
    if (!fAnimating && !Form->ComponentState().Contains(csDestroying)) {
        int saved = SaveDC(dc);
        ClipOutChildren(dc, Form, 0, 0);
        PaintClient(dc, true);
        if (GripVisible()) {
            int gripSaved = SaveDC(dc);
            SetWindowOrgEx(dc, OffsetX(), OffsetY(), nullptr);
            PaintGrip(dc);
            RestoreDC(dc, gripSaved);
        }
        RestoreDC(dc, saved);
    }
    if (own) ReleaseDC(wnd, dc);
}

void TsSkinProvider::WMPaint(TMessage& Message)
{
    HWND wnd = Form->Handle();
    PAINTSTRUCT ps{};
    if (fAnimating || Form->ComponentState().Contains(csDestroying)) {
        BeginPaint(wnd, &ps);
        EndPaint(wnd, &ps);
        return;
    }
    HDC dc = Message.WParam != 0 ? reinterpret_cast<HDC>(Message.WParam) : BeginPaint(wnd, &ps);
    int saved = SaveDC(dc);
    FCommonData->SetUpdating(false);
    PaintClient(dc, true);
    if (GripVisible()) {
        int gripSaved = SaveDC(dc);
        SetWindowOrgEx(dc, OffsetX(), OffsetY(), nullptr);
        PaintGrip(dc);
        RestoreDC(dc, gripSaved);
    }
    RestoreDC(dc, saved);
    if (Message.WParam == 0) EndPaint(wnd, &ps);
}

void TsSkinProvider::WMGetMinMaxInfo(TMessage& Message)
{
    if (FDrawNonClientArea && Form->BorderStyle() != bsNone && !IsMDIChild() && Form->Parent() == nullptr) {
        TRect work;
        FormWorkArea(Form, work);
        int a = WindowFrameWidth(Form->Handle(), BorderForm, false);
        int c = 0;
        auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
        info->ptMaxPosition = {-a, -a - c};
        info->ptMaxSize = {work.right - work.left + 2 * a, work.bottom - work.top + 2 * a + c};
        Message.Result = 0;
    }
    CallOld(Message);
}

// ---- Rubber band (ResizeMode rmBorder) ----

void TsSkinProvider::StartRubberBand(int X, int Y)
{
    if (!Form->Enabled()) return;
    RubberBand.Active = true;
    RubberBand.Desktop = GetDesktopWindow();
    RubberBand.DC = GetWindowDC(RubberBand.Desktop);
    RubberBand.SavedDC = SaveDC(RubberBand.DC);
    SetROP2(RubberBand.DC, R2_NOT);
    RubberBand.Band.left = Form->Left();
    RubberBand.Band.top = Form->Top();
    if (RubberBand.Moving) {
        RubberBand.Last = {X, Y};
        DrawRubberBand(RubberBand.Band.left, RubberBand.Band.top);
    } else {
        RubberBand.MinWidth = Form->Constraints()->MinWidth();
        RubberBand.MinHeight = Form->Constraints()->MinHeight();
        RubberBand.Band.right = RubberBand.Band.left + Form->Width();
        RubberBand.Band.bottom = RubberBand.Band.top + Form->Height();
        RubberBand.FirstPointPending = true;
        DrawRubberBand(0, 0);
    }
}

void TsSkinProvider::DrawRubberBand(int X, int Y)
{
    if (RubberBand.DC == nullptr) return;
    POINT points[5];
    if (RubberBand.Moving) {
        int w = Form->Width(), h = Form->Height();
        points[0] = {X, Y};
        points[1] = {X, Y + h};
        points[2] = {X + w, Y + h};
        points[3] = {X + w, Y};
    } else {
        const TRect& b = RubberBand.Band;
        points[0] = {b.left, b.top};
        points[1] = {b.left, b.bottom};
        points[2] = {b.right, b.bottom};
        points[3] = {b.right, b.top};
    }
    points[4] = points[0];
    Polyline(RubberBand.DC, points, 5);
}

void TsSkinProvider::EndRubberBand(int X, int Y)
{
    ReleaseCapture();
    if (!RubberBand.Active) return;
    RubberBand.Active = false;
    if (RubberBand.Moving) DrawRubberBand(RubberBand.Band.left, RubberBand.Band.top);
    else DrawRubberBand(0, 0);
    RestoreDC(RubberBand.DC, RubberBand.SavedDC);
    ReleaseDC(RubberBand.Desktop, RubberBand.DC);
    RubberBand.DC = nullptr;
    if (RubberBand.Moving) {
        Form->SetBounds(RubberBand.Band.left, RubberBand.Band.top, Form->Width(), Form->Height());
    } else if (!RubberBand.FirstPointPending) {
        const TRect& b = RubberBand.Band;
        MoveWindow(Form->Handle(), b.left, b.top, b.right - b.left, b.bottom - b.top, TRUE);
    }
    RubberBand.FirstPointPending = false;
}

// The mouse moved while a band runs: the band follows it.
void TsSkinProvider::HandleMouseMove(TMessage& Message)
{
    CallOld(Message);
    if (FResizeMode != rmBorder || !Form->Enabled() || !RubberBand.Active) return;
    POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    ClientToScreen(Form->Handle(), &p);
    if (RubberBand.Moving) {
        DrawRubberBand(RubberBand.Band.left, RubberBand.Band.top);
        RubberBand.Band.left += p.x - RubberBand.Last.x;
        RubberBand.Band.top += p.y - RubberBand.Last.y;
        RubberBand.Last = {p.x, p.y};
        DrawRubberBand(RubberBand.Band.left, RubberBand.Band.top);
        return;
    }
    if (RubberBand.FirstPointPending) {
        RubberBand.FirstPointPending = false;
        RubberBand.Last = {p.x, p.y};
        return;
    }
    DrawRubberBand(0, 0);
    int dx = p.x - RubberBand.Last.x, dy = p.y - RubberBand.Last.y;
    RubberBand.Last = {p.x, p.y};
    TRect& b = RubberBand.Band;
    int code = RubberBand.HitCode;
    if (code == HTLEFT || code == HTTOPLEFT || code == HTBOTTOMLEFT) b.left = std::min<int>(b.left + dx, b.right - RubberBand.MinWidth);
    if (code == HTTOP || code == HTTOPLEFT || code == HTTOPRIGHT) b.top = std::min<int>(b.top + dy, b.bottom - RubberBand.MinHeight);
    if (code == HTRIGHT || code == HTTOPRIGHT || code == HTBOTTOMRIGHT) b.right = std::max<int>(b.right + dx, b.left + RubberBand.MinWidth);
    if (code == HTBOTTOM || code == HTBOTTOMLEFT || code == HTBOTTOMRIGHT) b.bottom = std::max<int>(b.bottom + dy, b.top + RubberBand.MinHeight);
    DrawRubberBand(0, 0);
}

// Shared with the mouse handling of the window procedure.
bool RubberBandActive()
{
    return RubberBand.Active;
}

void RubberBandPrepare(bool Moving, int HitCode, TPoint Point)
{
    RubberBand.Moving = Moving;
    if (HitCode >= 0) RubberBand.HitCode = HitCode;
    RubberBand.Last = Point;
}

void RubberBandClear()
{
    RubberBand.Active = false;
}
