// The glow window around a hot control and the list of shown glows.
#include "skin/core/acGlow.h"

#include <algorithm>
#include <cstring>

#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sSkinManager.h"

BLENDFUNCTION GlowBlend{};

namespace {

// The engine's mark on windows of its own that no skin component may take over.
constexpr intptr_t EngineWindowTag = -98;
constexpr LONG_PTR GlowExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

struct TGlowUnit {
    TGlowUnit() { GlowBlend = BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA}; }
    // At the program's end the framework's application and screen may already be gone, so the
    // glows' windows are not freed through them: each window is left to the system, which
    // reclaims it with the process, and only the glow objects are freed.
    ~TGlowUnit()
    {
        for (TacGlowEffect*& glow : List) {
            if (glow == nullptr) continue;
            if (glow->Wnd != nullptr) glow->Wnd->WindowProc = glow->OldWndProc;
            glow->Wnd = nullptr;
            delete glow;
            glow = nullptr;
        }
        List.clear();
    }
    TacGlowEffects List;
};

TGlowUnit& Unit()
{
    static TGlowUnit unit;
    return unit;
}

// Sets up the blend description with the unit, before anyone shows a glow.
const bool UnitInitialized = (Unit(), true);

// A new picture holding the Width x Height part of Src from (X, Y).
std::unique_ptr<TBitmap> CopyPart(TBitmap* Src, int X, int Y, int Width, int Height)
{
    auto part = MakeBitmap32(Width, Height);
    skinpixels::TRows s, d;
    if (!s.Attach(Src) || !d.Attach(part.get())) return part;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            d.At(x, y) = s.Inside(X + x, Y + y) ? s.At(X + x, Y + y) : 0;
    return part;
}

} // namespace

TacGlowEffects& GlowEffects() { return Unit().List; }

// --- TacGlowEffect ------------------------------------------------------------------------------

TacGlowEffect::TacGlowEffect(TsSkinManager* Manager) : SkinManager(Manager) {}

TacGlowEffect::~TacGlowEffect()
{
    if (Wnd == nullptr) return;
    const bool managerGoing = SkinManager != nullptr && SkinManager->ComponentState().Contains(csDestroying);
    if (managerGoing || Application->Terminated()) {
        FreeWindowNow();
        return;
    }
    Wnd->WindowProc = OldWndProc;
    Wnd->Release();
    Wnd = nullptr;
}

void TacGlowEffect::FreeWindowNow()
{
    if (Wnd == nullptr) return;
    Wnd->WindowProc = OldWndProc;
    delete Wnd;
    Wnd = nullptr;
}

void TacGlowEffect::CreateAlphaBmp(int Width, int Height)
{
    AlphaBmp = MakeBitmap32(std::max(Width, 0), std::max(Height, 0));
    skinpixels::TRows rows;
    if (!rows.Attach(AlphaBmp.get())) return;
    for (int y = 0; y < rows.Height; ++y) std::memset(rows.Row(y), 0, static_cast<size_t>(rows.Width) * 4);
    if (MaskIndex < 0 || SkinManager == nullptr) return;
    const TsSkin* skin = &SkinManager->Skin();
    if (const TsMaskData* mask = SkinMask(skin, MaskIndex))
        DrawMaskBorder(AlphaBmp.get(), TRect{0, 0, rows.Width, rows.Height}, EmptyCI, *mask, 0, false, skin);
}

void TacGlowEffect::NewWndProc(TMessage& Message)
{
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    if (OldWndProc) OldWndProc(Message);
}

void TacGlowEffect::Show(const TRect& R, const TRect& RealRect, HWND Wnd_)
{
    if (Wnd != nullptr || SkinManager == nullptr) return;
    Wnd = TForm::CreateNew(nullptr);
    Wnd->SetTag(EngineWindowTag);
    OldWndProc = Wnd->WindowProc;
    Wnd->WindowProc = [this](TMessage& M) { NewWndProc(M); };
    TControlStyle style = Wnd->ControlStyle();
    style.Exclude(csCaptureMouse);
    Wnd->SetControlStyle(style);
    Wnd->SetBorderStyle(bsNone);
    Wnd->SetVisible(false);

    const int wl = SkinManager->MaskWidthLeft(MaskIndex), wt = SkinManager->MaskWidthTop(MaskIndex);
    const int wr = SkinManager->MaskWidthRight(MaskIndex), wb = SkinManager->MaskWidthBottom(MaskIndex);
    const int rw = R.right - R.left, rh = R.bottom - R.top;
    int w = rw + wl + wr - 2 * Margin, h = rh + wt + wb - 2 * Margin;
    CreateAlphaBmp(w, h);

    // A partly covered control shows only the glow around its visible part.
    int cropLeft = 0, cropTop = 0;
    const int realW = RealRect.right - RealRect.left, realH = RealRect.bottom - RealRect.top;
    if (realW != rw || realH != rh) {
        cropLeft = RealRect.left != 0 ? wl + RealRect.left - Margin : 0;
        cropTop = RealRect.top != 0 ? wt + RealRect.top - Margin : 0;
        const int cropRight = rw == RealRect.right ? 0
                              : cropLeft != 0     ? w - cropLeft - realW
                                                  : rw + wr - realW - Margin;
        const int cropBottom = rh == RealRect.bottom ? 0
                               : cropTop != 0       ? h - cropTop - realH
                                                    : rh + wb - realH - Margin;
        w = std::max(0, w - cropLeft - cropRight);
        h = std::max(0, h - cropTop - cropBottom);
        if (cropLeft != 0 || cropTop != 0) AlphaBmp = CopyPart(AlphaBmp.get(), cropLeft, cropTop, w, h);
    }

    Wnd->SetWidth(w);
    Wnd->SetHeight(h);
    const HWND glow = Wnd->Handle();
    if (GetWindowLongPtrW(Wnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) {
        Wnd->SetFormStyle(fsStayOnTop);
        SetWindowPos(glow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        const HWND previous = GetWindow(Wnd_, GW_HWNDPREV);
        SetWindowPos(glow, previous != nullptr ? previous : Wnd_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowLongPtrW(glow, GWL_EXSTYLE, GetWindowLongPtrW(glow, GWL_EXSTYLE) | GlowExStyle);
    // The order was settled above; moving must not undo it.
    SetWindowPos(glow, nullptr, R.left + cropLeft + Margin - wl, R.top + cropTop + Margin - wt, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_NOZORDER);

    HDC screen = GetDC(nullptr);
    if (UpdateLayeredWindowFunc != nullptr && AlphaBmp != nullptr && !AlphaBmp->Empty()) {
        SIZE size{w, h};
        POINT origin{0, 0};
        UpdateLayeredWindowFunc(glow, screen, nullptr, &size, AlphaBmp->Canvas()->Handle(), &origin, 0, &GlowBlend,
                                ULW_ALPHA);
    }
    ShowWindow(glow, SW_SHOWNOACTIVATE);
    ReleaseDC(nullptr, screen);
    AlphaBmp.reset();
}

// --- The list -----------------------------------------------------------------------------------

int ShowGlowEffect(const TRect& R, const TRect& RealRect, const String& SkinSection, const String& MaskPrefix,
                   int Margin, HWND Wnd, TsSkinManager* Manager)
{
    if (!LayeredWindowsAvailable()) return -1;
    if (Manager == nullptr) Manager = TsSkinManager::DefaultSkinManager();
    if (Manager == nullptr) return -1;
    auto glow = std::make_unique<TacGlowEffect>(Manager);
    const int mask = Manager->GetMaskIndex(SkinSection, MaskPrefix + L"0");
    if (mask < 0) return -1;
    TacGlowEffects& list = GlowEffects();
    list.push_back(glow.get());
    TacGlowEffect* shown = glow.release();
    shown->Margin = Margin;
    shown->MaskIndex = mask;
    shown->Show(R, RealRect, Wnd);
    return static_cast<int>(list.size()) - 1;
}

void FreeGlowEffect(int Index)
{
    TacGlowEffects& list = GlowEffects();
    if (Index < 0 || Index >= static_cast<int>(list.size()) || list[Index] == nullptr) return;
    TacGlowEffect* glow = list[Index];
    list[Index] = nullptr;
    delete glow;
}

void FreeAllGlowEffects(bool RestoreWndProcs)
{
    TacGlowEffects& list = GlowEffects();
    // Emptied first: a window freed here may send messages that reach the list again.
    TacGlowEffects glows;
    glows.swap(list);
    for (TacGlowEffect* glow : glows) {
        if (glow == nullptr) continue;
        if (RestoreWndProcs) glow->FreeWindowNow();
        delete glow;
    }
}
