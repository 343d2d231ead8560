// The animations of skinned windows: the frame procedure, show animations on a layered cover,
// the hide animations on the shared threaded timer, snapshots of controls, and the look change
// from a control's old image to its new one.
#include <algorithm>
#include <cmath>

#include "framework/controls/Forms.h"
#include "framework/graphics/DrawingGuards.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sConst.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"

namespace {

// Rounds halves to even, as the alpha steps were always rounded.
BYTE RoundAlpha(double Value)
{
    return static_cast<BYTE>(std::clamp(std::nearbyint(Value), 0.0, 255.0));
}

TacAnimationOutput GRealOutput;
TacAnimationOutput* GOutput = &GRealOutput;

TacHideTimer* GHideTimer = nullptr;

std::unique_ptr<TOutputWindow> GOutputWindow;
std::unique_ptr<TBitmap> GOldSnapshot;

void MakeLayeredCover(HWND Wnd)
{
    LONG_PTR ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
    SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
}

// Tells the wait between frames; the frames themselves are counted, never timed.
void FrameDelay()
{
    Sleep(acAnimFrameMs);
}

} // namespace

// ---- Output -----------------------------------------------------------------------------------

void TacAnimationOutput::ShowLayered(HWND Wnd, TBitmap* Image, const BLENDFUNCTION& Blend)
{
    if (UpdateLayeredWindowFunc == nullptr || Wnd == nullptr || Image == nullptr) return;
    TWindowDCGuard screen(nullptr);
    SIZE size{Image->Width(), Image->Height()};
    POINT origin{0, 0};
    BLENDFUNCTION blend = Blend;
    UpdateLayeredWindowFunc(Wnd, screen.DC(), nullptr, &size, Image->Canvas()->Handle(), &origin, 0, &blend, ULW_ALPHA);
}

void TacAnimationOutput::ShowMix(HWND Wnd, TBitmap* Image, int)
{
    if (Wnd == nullptr || Image == nullptr) return;
    TWindowDCGuard dc(Wnd, TWindowDCGuard::WholeWindow);
    BitBlt(dc.DC(), 0, 0, Image->Width(), Image->Height(), Image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

TacAnimationOutput& AnimationOutput()
{
    return *GOutput;
}

TacAnimationOutputScope::TacAnimationOutputScope(TacAnimationOutput& Output) : FPrevious(GOutput)
{
    GOutput = &Output;
}

TacAnimationOutputScope::~TacAnimationOutputScope()
{
    GOutput = FPrevious;
}

// ---- The frame procedure ----------------------------------------------------------------------

void TacAnimFrames::Init(int W, int H, double StartAlpha, double Range, int Divisor)
{
    Trans = StartAlpha;
    p = Divisor > 0 ? Range / Divisor : Range;
    dx = dy = l = t = r = b = 0;
    if (AnimType != atAero) return;
    const double steps = 8.0 * std::max(StepCount, 1);
    if (Hiding) {
        dx = -W / steps;
        dy = -H / steps;
        r = W;
        b = H;
    } else {
        dx = W / steps;
        dy = H / steps;
        l = W / 8.0;
        t = H / 8.0;
        r = W - W / 8.0;
        b = H - H / 8.0;
    }
}

void TacAnimFrames::DoNext(TBitmap* Src, TBitmap* Dst)
{
    Trans = Hiding ? std::max(0.0, Trans - p) : std::min(AlphaValue, Trans + p);
    Blend.SourceConstantAlpha = RoundAlpha(Trans);
    if (AnimType == atFading) {
        // The image is the same in every frame: only the alpha changes after the first.
        if (l == 0) {
            BitBlt(Dst->Canvas()->Handle(), 0, 0, Src->Width(), Src->Height(), Src->Canvas()->Handle(), 0, 0, SRCCOPY);
            l = 1;
        }
        return;
    }
    HDC dst = Dst->Canvas()->Handle();
    if (l >= 0 && t >= 0) {
        if (Hiding) FillBitmapRect(Dst, TRect{0, 0, Dst->Width(), Dst->Height()}, 0);
        if (Hiding) SetRectOpacity(Dst, TRect{0, 0, Dst->Width(), Dst->Height()}, 0, false);
        const int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
        StretchBlt(dst, static_cast<int>(std::lround(l)), static_cast<int>(std::lround(t)),
                   static_cast<int>(std::lround(r - l)), static_cast<int>(std::lround(b - t)), Src->Canvas()->Handle(), 0,
                   0, Src->Width(), Src->Height(), SRCCOPY);
        SetStretchBltMode(dst, oldMode);
    } else {
        BitBlt(dst, 0, 0, Src->Width(), Src->Height(), Src->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
}

void TacAnimFrames::GoToNext()
{
    if (AnimType != atAero) return;
    l -= dx;
    t -= dy;
    r += dx;
    b += dy;
}

// ---- Show -------------------------------------------------------------------------------------

void PlayShowAnimation(TForm* Cover, TBitmap* Image, unsigned Time, int AlphaValue, TacAnimType AnimType,
                       bool DialogSteps)
{
    if (Cover == nullptr || Image == nullptr) return;
    HWND cover = Cover->Handle();
    TacAnimFrames frames;
    frames.AnimType = AnimType;
    frames.StepCount = AnimStepCount(Time);
    frames.AlphaValue = AlphaValue;
    frames.Blend.SourceConstantAlpha = static_cast<BYTE>(frames.StepCount < 1 ? AlphaValue : 0);
    MakeLayeredCover(cover);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    SetWindowPos(cover, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                     SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    if (frames.StepCount > 0) {
        auto work = MakeBitmap32(Image->Width(), Image->Height());
        FillBitmapRect(work.get(), TRect{0, 0, work->Width(), work->Height()}, 0);
        SetRectOpacity(work.get(), TRect{0, 0, work->Width(), work->Height()}, 0, false);
        frames.Init(Image->Width(), Image->Height(), 0, AlphaValue,
                    DialogSteps ? frames.StepCount + 1 : frames.StepCount);
        for (int frame = 0; frame <= frames.StepCount; ++frame) {
            frames.DoNext(Image, work.get());
            AnimationOutput().ShowLayered(cover, work.get(), frames.Blend);
            frames.GoToNext();
            FrameDelay();
        }
    }
    frames.Blend.SourceConstantAlpha = static_cast<BYTE>(AlphaValue);
    AnimationOutput().ShowLayered(cover, Image, frames.Blend);
}

// ---- Hide -------------------------------------------------------------------------------------

TacHideTimer::TacHideTimer(TComponent* AOwner) : TacThreadedTimer(AOwner, false) {}

TacHideTimer::~TacHideTimer()
{
    // The worker goes first: no tick may reach the images while they are freed.
    SetOnTimer(nullptr);
    SetEnabled(false);
}

void TacHideTimer::Anim_Init()
{
    Frames.Hiding = true;
    Frames.AlphaValue = StartBlendValue;
    Frames.Init(FBmpSize.cx, FBmpSize.cy, StartBlendValue, StartBlendValue, Frames.StepCount);
}

void TacHideTimer::Anim_DoNext()
{
    Frames.DoNext(SrcBmp.get(), DstBmp.get());
}

void TacHideTimer::Anim_GoToNext()
{
    Frames.GoToNext();
}

void TacHideTimer::OnTimerProc(TObject*)
{
    if (i > Frames.StepCount) {
        // Rests until the next hide animation.
        SetInterval(65535);
        SetOnTimer(nullptr);
        Form.reset();
        SrcBmp.reset();
        DstBmp.reset();
        return;
    }
    Anim_DoNext();
    if (Form != nullptr) AnimationOutput().ShowLayered(Form->Handle(), DstBmp.get(), Frames.Blend);
    Anim_GoToNext();
    ++i;
}

TacHideTimer* HideAnimationTimer()
{
    return GHideTimer;
}

void StartHideAnimation(std::unique_ptr<TForm> Cover, std::unique_ptr<TBitmap> Image, unsigned Time,
                        TacAnimType AnimType, int StartAlpha)
{
    // Only one hide animation plays: the earlier cover goes now.
    if (GHideTimer != nullptr) GHideTimer->Form.reset();
    const int steps = AnimStepCount(Time);
    if (steps == 0 || Cover == nullptr || Image == nullptr) return;
    if (GHideTimer == nullptr) {
        // Owned by the application, which frees it with the other components at the end.
        GHideTimer = new TacHideTimer(Application);
    }
    TacHideTimer* timer = GHideTimer;
    timer->i = 0;
    timer->SrcBmp = std::move(Image);
    timer->StartBlendValue = StartAlpha;
    timer->Form = std::move(Cover);
    timer->Frames.AnimType = AnimType;
    timer->SetInterval(acAnimFrameMs);
    timer->DelayValue = acAnimFrameMs;
    timer->Frames.StepCount = steps;
    timer->FBmpSize = TSize{timer->SrcBmp->Width(), timer->SrcBmp->Height()};
    timer->FBmpTopLeft = TPoint{0, 0};
    timer->Frames.Blend.SourceConstantAlpha = static_cast<BYTE>(StartAlpha);

    HWND cover = timer->Form->Handle();
    MakeLayeredCover(cover);
    AnimationOutput().ShowLayered(cover, timer->SrcBmp.get(), timer->Frames.Blend);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    SetWindowPos(cover, HWND_TOPMOST, 0, 0, timer->FBmpSize.cx, timer->FBmpSize.cy,
                 SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW);
    timer->DstBmp = MakeBitmap32(timer->FBmpSize.cx, timer->FBmpSize.cy);
    timer->Anim_Init();
    if (Application->Terminated()) {
        while (timer->i <= timer->Frames.StepCount) {
            timer->OnTimerProc(timer);
            FrameDelay();
        }
        timer->OnTimerProc(timer);
        return;
    }
    timer->SetOnTimer([timer](TObject* Sender) { timer->OnTimerProc(Sender); });
    timer->OnTimerProc(timer);
    timer->SetEnabled(true);
}

// ---- Snapshots --------------------------------------------------------------------------------

void SnapshotControl(TBitmap* Bmp, TControl* Control, int X, int Y)
{
    if (Bmp == nullptr || Control == nullptr) return;
    HDC dc = Bmp->Canvas()->Handle();
    if (!Control->Visible() && Control->Parent() != nullptr) {
        // A hidden control shows what lies behind it.
        TBackgroundQuery query;
        QueryControlBackground(query, Control->Parent(), false);
        if (query.Kind == bgkBitmap && query.Bitmap != nullptr)
            BitBlt(dc, X, Y, Control->Width(), Control->Height(), query.Bitmap->Canvas()->Handle(),
                   query.OffsetX + Control->Left(), query.OffsetY + Control->Top(), SRCCOPY);
        else
            FillBitmapRect(Bmp, TRect{X, Y, X + Control->Width(), Y + Control->Height()}, query.Color);
        return;
    }
    TSavedDC saved(dc);
    POINT origin{};
    SetWindowOrgEx(dc, -X, -Y, &origin);
    IntersectClipRect(dc, 0, 0, Control->Width(), Control->Height());
    auto* win = dynamic_cast<TWinControl*>(Control);
    if (win == nullptr) {
        Control->Perform(SM_LUMACMD, MakeSkinWParam(AC_SETPRINTDC), reinterpret_cast<LPARAM>(dc));
        Control->Perform(WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT);
        Control->Perform(SM_LUMACMD, MakeSkinWParam(AC_SETPRINTDC), 0);
        return;
    }
    if (win->HandleAllocated() && WndAnswersSkinCmd(win->Handle(), AC_QUERYSKINNED)) {
        SendSkinCmd(win->Handle(), AC_SETPRINTDC, reinterpret_cast<LPARAM>(dc));
        SendMessageW(win->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
        SendSkinCmd(win->Handle(), AC_SETPRINTDC, 0);
    } else {
        win->PaintTo(dc, 0, 0);
    }
    // Children sit in the client area, which a framed window (a form) starts inside its frame.
    const TRect client = win->HandleAllocated() ? ClientRectInWindow(win->Handle()) : TRect{0, 0, 0, 0};
    for (int index = 0; index < win->ControlCount(); ++index) {
        auto* child = dynamic_cast<TWinControl*>(win->Controls(index));
        if (child == nullptr || !child->Visible()) continue;
        // A child form without parent window keeps the origin.
        const bool ownPlace = dynamic_cast<TCustomForm*>(child) == nullptr || child->Parent() != nullptr;
        SnapshotControl(Bmp, child, X + (ownPlace ? client.left + child->Left() : 0),
                        Y + (ownPlace ? client.top + child->Top() : 0));
    }
}

// ---- The look change --------------------------------------------------------------------------

std::function<bool(TCustomForm* Form, unsigned Time, int AlphaValue, TacAnimType AnimType)> FormLookChangeAnimator;

TOutputWindow::TOutputWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    SetCaption(L"acOutputWindow");
    SetColor(0xFF00FF);
    SetTag(NoSkinTag);
}

void TOutputWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (Parent() == nullptr && Params.WndParent == nullptr) {
        Params.Style = WS_POPUP;
        Params.WndParent = Application->Handle();
        TWinControl* owner = CoveredControl;
        if (owner != nullptr && owner->HandleAllocated() && (GetWindowLongPtrW(owner->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
            Params.ExStyle |= WS_EX_TOPMOST;
    }
}

void TOutputWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_PAINT: ValidateRect(Handle(), nullptr); return;
    default: TCustomControl::WndProc(Message);
    }
}

TOutputWindow* LookChangeOutputWindow()
{
    return GOutputWindow.get();
}

TBitmap* LookChangeSnapshot()
{
    return GOldSnapshot.get();
}

void ReleaseLookChangeCover()
{
    GOutputWindow.reset();
    GOldSnapshot.reset();
}

void PlaceAfterSibling(TControl* Control, TControl* Sibling)
{
    TWinControl* parent = Control != nullptr ? Control->Parent() : nullptr;
    if (parent == nullptr || Sibling == nullptr || Sibling->Parent() != parent) return;
    auto* win = dynamic_cast<TWinControl*>(Control);
    auto* sibling = dynamic_cast<TWinControl*>(Sibling);
    // Windows stack in their parent's z-order: just under the sibling is just after it.
    if (win != nullptr && sibling != nullptr && win->HandleAllocated() && sibling->HandleAllocated())
        SetWindowPos(win->Handle(), sibling->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CoverControlSnapshot(TControl* Control)
{
    if (Control == nullptr) return;
    TRect screenRect{0, 0, Control->Width(), Control->Height()};
    if (auto* win = dynamic_cast<TWinControl*>(Control); win != nullptr && win->HandleAllocated()) {
        RECT r;
        GetWindowRect(win->Handle(), &r);
        screenRect = r;
    } else if (Control->Parent() != nullptr) {
        TPoint at = Control->Parent()->ClientToScreen(TPoint{Control->Left(), Control->Top()});
        screenRect = TRect{at.x, at.y, at.x + Control->Width(), at.y + Control->Height()};
    }
    const int w = screenRect.right - screenRect.left, h = screenRect.bottom - screenRect.top;
    if (GOldSnapshot == nullptr) GOldSnapshot = MakeBitmap32(w, h);
    {
        TWindowDCGuard screen(nullptr);
        BitBlt(GOldSnapshot->Canvas()->Handle(), 0, 0, w, h, screen.DC(), screenRect.left, screenRect.top, SRCCOPY);
    }
    if (GOutputWindow == nullptr) {
        // Owned here, not by the control: it goes when the look change ends.
        GOutputWindow = std::make_unique<TOutputWindow>(nullptr);
        GOutputWindow->CoveredControl = dynamic_cast<TWinControl*>(Control);
    }
    TOutputWindow* output = GOutputWindow.get();
    if (Control->Parent() != nullptr) {
        output->SetParent(Control->Parent());
        output->SetBoundsRect(Control->BoundsRect());
        output->HandleNeeded();
        PlaceAfterSibling(output, Control);
        ShowWindow(output->Handle(), SW_SHOWNOACTIVATE);
        output->SetVisible(true);
    } else {
        output->SetBoundsRect(screenRect);
        SetWindowPos(output->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
}

void AnimateLookChange(TControl* Control, unsigned Time, int AlphaValue, TacAnimType AnimType)
{
    if (Control == nullptr) return;
    auto* form = dynamic_cast<TCustomForm*>(Control);
    if (form != nullptr && LayeredWindowsAvailable() && FormLookChangeAnimator &&
        FormLookChangeAnimator(form, Time, AlphaValue, AnimType))
        return;
    if (GOutputWindow == nullptr) CoverControlSnapshot(Control);
    if (GOutputWindow == nullptr || GOldSnapshot == nullptr) return;
    AnimationInProgress = true;
    const int steps = AnimStepCount(Time);
    auto fresh = MakeBitmap32(Control->Width(), Control->Height());
    SnapshotControl(fresh.get(), Control, 0, 0);
    HWND output = GOutputWindow->Handle();
    if (steps > 0 && GOldSnapshot->Width() == fresh->Width() && GOldSnapshot->Height() == fresh->Height()) {
        auto mix = MakeBitmap32(fresh->Width(), fresh->Height());
        const int step = 255 / steps;
        int weight = 255;
        for (int frame = 0; frame <= steps; ++frame) {
            const auto w = static_cast<std::uint8_t>(std::max(0, weight));
            BitBlt(mix->Canvas()->Handle(), 0, 0, mix->Width(), mix->Height(), GOldSnapshot->Canvas()->Handle(), 0, 0,
                   SRCCOPY);
            BlendBitmapsWhole(mix.get(), fresh.get(), w);
            AnimationOutput().ShowMix(output, mix.get(), w);
            weight -= step;
            FrameDelay();
        }
    }
    AnimationOutput().ShowMix(output, fresh.get(), 0);
    AnimationInProgress = false;
    if (Control->Visible()) {
        if (auto* win = dynamic_cast<TWinControl*>(Control); win != nullptr && win->HandleAllocated()) {
            SendMessageW(win->Handle(), WM_SETREDRAW, 1, 0);
            RedrawWindow(win->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        }
        ShowWindow(output, SW_HIDE);
    }
    GOutputWindow.reset();
    GOldSnapshot.reset();
}
