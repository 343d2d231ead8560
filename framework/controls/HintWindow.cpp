// THintWindow: the small popup a hint shows in. It never activates, never takes the focus and
// lets mouse clicks through to what lies under it.
#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/graphics/DrawingGuards.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    FVisible = false;
    FParentColor = false;
    FParentFont = false;
    SetColor(clInfoBk);
    FFont->Assign(Screen->HintFont());
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WindowClass.style |= CS_SAVEBITS | CS_DROPSHADOW;
    if (UseRightToLeftReading()) Params.ExStyle |= WS_EX_RTLREADING;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*)
{
    // Measured on a screen DC: asking the window would make it.
    TRect r = Rect(0, 0, MaxWidth, 0);
    {
        TWindowDCGuard dc(nullptr);
        TSelectedObject font(dc.DC(), FFont->Handle());
        UINT flags = DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | (UseRightToLeftReading() ? DT_RTLREADING : 0);
        DrawTextW(dc.DC(), AHint.c_str(), static_cast<int>(AHint.size()), &r, flags);
    }
    r.right += 6;
    r.bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint)
{
    FActivating = true;
    {
        // A hint that fails to show is not left activating; one that shows is cleared below,
        // once its time is taken.
        TScopeExit failed([this] { FActivating = false; });
        SetCaption(AHint);
        Rect.bottom += 4;
        int width = Rect.right - Rect.left, height = Rect.bottom - Rect.top;
        int left = Rect.left, top = Rect.top;
        // Kept on the desktop.
        int desktopRight = Screen->DesktopLeft() + Screen->DesktopWidth();
        int desktopBottom = Screen->DesktopTop() + Screen->DesktopHeight();
        if (top + height > desktopBottom) top = desktopBottom - height;
        if (left + width > desktopRight) left = desktopRight - width;
        if (left < Screen->DesktopLeft()) left = Screen->DesktopLeft();
        if (top < Screen->DesktopTop()) top = Screen->DesktopTop();
        UpdateBoundsRect(Bounds(left, top, width, height));
        if (FParentWindow == nullptr) FParentWindow = Application->Handle();
        HandleNeeded();
        SetWindowPos(FHandle, HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        FVisible = true;
        FShowing = true;
        Invalidate();
        failed.Dismiss();
    }
    FLastActive = SystemFacts().TickCount();
    FActivating = false;
}

void THintWindow::ActivateHintData(TRect Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

bool THintWindow::IsHintMsg(const MSG& Msg)
{
    UINT m = Msg.message;
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == CM_ACTIVATE || m == CM_DEACTIVATE || m == CM_APPKEYDOWN ||
           m == CM_APPSYSCOMMAND || m == WM_COMMAND || (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) || m == WM_NCMOUSEMOVE;
}

void THintWindow::ReleaseHandle()
{
    FVisible = false;
    FShowing = false;
    DestroyHandle();
}

void THintWindow::Paint()
{
    TRect r = ClientRect();
    r.left += 2;
    r.top += 2;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(FFont.get());
    canvas->Font()->SetColor(Screen->HintFont()->Color());
    canvas->Brush()->SetStyle(bsClear);
    String text = Caption();
    canvas->TextRect(r, text, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | (UseRightToLeftReading() ? DT_RTLREADING : 0));
}

void THintWindow::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    default: TCustomControl::Dispatch(Message); break;
    }
}

void THintWindow::WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }

void THintWindow::WMNCPaint(TMessage&)
{
    if (FHandle == nullptr) return;
    TWindowDCGuard dc(FHandle, TWindowDCGuard::WholeWindow);
    RECT r{0, 0, FWidth, FHeight};
    DrawEdge(dc.DC(), &r, BDR_RAISEDOUTER, BF_RECT);
}

void THintWindow::CMTextChanged(TMessage&)
{
    // ActivateHint sets the size itself.
    if (FActivating) return;
    TRect r = CalcHintRect(Screen->Width(), Caption(), nullptr);
    SetBounds(FLeft, FTop, r.right - r.left, r.bottom - r.top + 4);
}
