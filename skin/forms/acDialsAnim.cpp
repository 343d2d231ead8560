// The show and hide animations of a skinned dialog, and the image they play: the dialog's window
// image with its child windows printed over the client area.
#include "skin/forms/acDials.h"

#include "framework/graphics/DrawingGuards.h"
#include "skin/core/acGlow.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sConst.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace {

TSize ClientSize(HWND Wnd)
{
    RECT r{};
    GetClientRect(Wnd, &r);
    return TSize{r.right - r.left, r.bottom - r.top};
}

// A borderless cover over the dialog's window rectangle that the hook and the adapters leave
// alone. Still to come, the border window: with extended borders it is the cover, shadow included.
std::unique_ptr<TForm> MakeDialogCover(HWND Dialog)
{
    std::unique_ptr<TForm> cover(TForm::CreateNew(nullptr));
    cover->SetTag(NoSkinTag);
    cover->SetBorderStyle(bsNone);
    RECT r{};
    GetWindowRect(Dialog, &r);
    cover->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    HWND wnd = cover->Handle();
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    return cover;
}

} // namespace

std::unique_ptr<TBitmap> DialogImage(TacDialogWnd* Dlg)
{
    if (Dlg == nullptr || Dlg->SkinData == nullptr) return nullptr;
    Dlg->PaintAll();
    TBitmap* cache = Dlg->SkinData->CacheBmp();
    auto image = MakeBitmap32(cache->Width(), cache->Height());
    BitBlt(image->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    SnapshotDialog(Dlg, image.get(), false);
    return image;
}

void SnapshotDialog(TacDialogWnd* Dlg, TBitmap* Bmp, bool FromWindow)
{
    if (Dlg == nullptr || Bmp == nullptr) return;
    HWND wnd = Dlg->CtrlHandle;
    const int x = Dlg->OffsetX(), y = Dlg->OffsetY();
    const TSize client = ClientSize(wnd);
    HDC dc = Bmp->Canvas()->Handle();
    if (FromWindow) {
        const TRect inWindow = ClientRectInWindow(wnd);
        HDC windowDC = GetWindowDC(wnd);
        BitBlt(dc, x, y, client.cx, client.cy, windowDC, inWindow.left, inWindow.top, SRCCOPY);
        ReleaseDC(wnd, windowDC);
        SetRectOpacity(Bmp, TRect{x, y, x + client.cx, y + client.cy}, 255, false);
        return;
    }
    if (Dlg->Provider != nullptr) {
        TSavedDC saved(dc);
        SetWindowOrgEx(dc, -x, -y, nullptr);
        IntersectClipRect(dc, 0, 0, client.cx, client.cy);
        Dlg->Provider->PrintHwndControls(wnd, dc);
    }
    GdiFlush();
    // Without a border window nothing of the image is see-through.
    SetRectOpacity(Bmp, TRect{0, 0, Bmp->Width(), Bmp->Height()}, 255, false);
}

void AnimShowDialog(TacDialogWnd* Dlg, unsigned Time, int AlphaValue, TacAnimType AnimType)
{
    if (Dlg == nullptr || Dlg->SkinData == nullptr) return;
    HWND wnd = Dlg->CtrlHandle;
    AnimationInProgress = true;
    std::unique_ptr<TBitmap> image = DialogImage(Dlg);
    std::unique_ptr<TForm> cover = MakeDialogCover(wnd);
    HWND coverWnd = cover->Handle();
    // The cover goes just above the dialog, or stays on top over a topmost one.
    const bool topmost = (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    HWND above = topmost ? HWND_TOPMOST : GetWindow(wnd, GW_HWNDPREV);
    SetWindowPos(coverWnd, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
    PlayShowAnimation(cover.get(), image.get(), Time, AlphaValue, AnimType, true);
    RECT r{};
    GetWindowRect(wnd, &r);
    SetWindowPos(coverWnd, nullptr, r.left, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
    SendMessageW(wnd, WM_SETREDRAW, 1, 0);
    AnimationInProgress = false;
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    SetWindowPos(coverWnd, wnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
}

void AnimHideDialog(TacDialogWnd* Dlg)
{
    if (Dlg == nullptr || Dlg->SkinData == nullptr) return;
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    if (manager == nullptr) return;
    AnimationInProgress = true;
    FreeAllGlowEffects(false);
    std::unique_ptr<TBitmap> image = DialogImage(Dlg);
    std::unique_ptr<TForm> cover = MakeDialogCover(Dlg->CtrlHandle);
    const TacFormAnimation* hide = manager->AnimEffects()->DialogHide();
    StartHideAnimation(std::move(cover), std::move(image), hide->Time(), hide->Mode(), 255);
    AnimationInProgress = false;
}
