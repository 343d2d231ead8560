// The animations of a skinned form: it fades (or zooms) in on a layered cover when it is shown,
// fades out on the shared hide timer when it is hidden, and fades into a new skin's look. Every
// one of them works on the form image with the controls rendered in, never on the live window.
#include <memory>

#include "framework/graphics/DrawingGuards.h"
#include "skin/core/acGlow.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sConst.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace {

// A borderless, non-activating window at the form's place that the frames are shown on.
std::unique_ptr<TForm> NewCoverForm(TCustomForm* Form)
{
    std::unique_ptr<TForm> cover(TForm::CreateNew(nullptr));
    cover->SetTag(NoSkinTag);
    cover->SetBorderStyle(bsNone);
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    cover->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    HWND wnd = cover->Handle();
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    return cover;
}

// Right above the form; a topmost form takes its cover to the top of the topmost band.
void PlaceCoverAbove(HWND Cover, HWND Form)
{
    HWND after = HWND_TOPMOST;
    if (!(GetWindowLongPtrW(Form, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        after = GetWindow(Form, GW_HWNDPREV);
        if (after == nullptr || after == Cover) after = HWND_TOP;
    }
    SetWindowPos(Cover, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

std::unique_ptr<TBitmap> OpaqueCopy(TBitmap* Source)
{
    auto copy = MakeBitmap32(Source->Width(), Source->Height());
    BitBlt(copy->Canvas()->Handle(), 0, 0, Source->Width(), Source->Height(), Source->Canvas()->Handle(), 0, 0, SRCCOPY);
    SetRectOpacity(copy.get(), TRect{0, 0, copy->Width(), copy->Height()}, 255, false);
    return copy;
}

// The form's new look faded in on a cover above the form (the screen keeps showing the old one
// under it while the form's redraw is off). The cover is handed back still showing that look,
// so that the form can be redrawn under it.
std::unique_ptr<TForm> FadeInNewLook(TsSkinProvider* Provider, unsigned Time, int AlphaValue, TacAnimType AnimType)
{
    TCustomForm* form = Provider->Form;
    TBitmap* cache = Provider->SkinData()->CacheBmp();
    Provider->SkinData()->BGChanged = true;
    Provider->PaintFormCache();
    if (cache == nullptr || cache->Empty()) return nullptr;
    auto image = MakeBitmap32(cache->Width(), cache->Height());
    RenderFormImage(image.get(), Provider);
    std::unique_ptr<TForm> cover = NewCoverForm(form);
    PlaceCoverAbove(cover->Handle(), form->Handle());
    PlayShowAnimation(cover.get(), image.get(), Time, AlphaValue, AnimType, false);
    return cover;
}

// The form takes over from the cover: it goes right under it, is redrawn whole, and the cover
// goes under the form and away.
void RevealForm(TCustomForm* Form, std::unique_ptr<TForm> Cover, int AlphaValue)
{
    HWND wnd = Form->Handle();
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (Form->AlphaBlend()) Form->SetAlphaBlendValue(static_cast<BYTE>(AlphaValue));
    // Redraw on first: it also gives the window back the visible style a show took away.
    SendMessageW(wnd, WM_SETREDRAW, 1, 0);
    if (Cover) SetWindowPos(wnd, Cover->Handle(), 0, 0, 0, 0, keep);
    AnimationInProgress = false;
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    if (IsCompositionActive()) Sleep(acAnimFrameMs);
    if (Cover) SetWindowPos(Cover->Handle(), wnd, 0, 0, 0, 0, keep);
}

TsSkinProvider* ProviderOf(TCustomForm* Form)
{
    return Form != nullptr && Form->HandleAllocated() ? FindFormProvider(Form) : nullptr;
}

// ---- The skin change, as the skin manager hands it over ----

bool TakesPartInSkinChange(TCustomForm* Form, TsSkinManager* Manager)
{
    TsSkinProvider* provider = ProviderOf(Form);
    return provider != nullptr && provider->Manager() == Manager;
}

// Held: the provider paints nothing until the new look is in place.
void HoldForSkinChange(TCustomForm* Form)
{
    if (TsSkinProvider* provider = ProviderOf(Form)) provider->fAnimating = true;
}

void FinishSkinChange(TCustomForm* Form, TsSkinManager* Manager, bool Allow)
{
    TsSkinProvider* provider = ProviderOf(Form);
    if (provider == nullptr) return;
    HWND wnd = Form->Handle();
    if (!Allow) {
        provider->FormState &= ~0x1000u;
        provider->fAnimating = false;
        SendMessageW(wnd, WM_SETREDRAW, 1, 0);
        return;
    }
    provider->fAnimating = false;
    TacSkinChanging* animation = Manager->AnimEffects()->SkinChanging();
    if (animation->Active()) {
        if (provider->DrawNonClientArea()) AnimateLookChange(Form, animation->Time(), 255, animation->Mode());
        else AnimateLookChange(Form, 0, 255, atFading);
    }
    provider->FormState &= ~0x1000u;
    if (provider->DrawNonClientArea()) {
        provider->FillRegionRects();
        provider->SetFrameRegion(false);
    }
    // The frame too: while the form was held nothing repainted it in the new skin.
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace

void RenderFormImage(TBitmap* Bmp, TsSkinProvider* Provider)
{
    if (Bmp == nullptr || Provider == nullptr || Provider->Form == nullptr || !Provider->Form->HandleAllocated()) return;
    TBitmap* cache = Provider->SkinData()->CacheBmp();
    if (cache == nullptr || cache->Empty()) return;
    auto image = MakeBitmap32(cache->Width(), cache->Height());
    {
        TSavedDC saved(image->Canvas()->Handle());
        SnapshotControl(image.get(), Provider->Form, 0, 0);
    }
    BitBlt(Bmp->Canvas()->Handle(), 0, 0, image->Width(), image->Height(), image->Canvas()->Handle(), 0, 0, SRCCOPY);
    if (Provider->BorderForm == nullptr) SetRectOpacity(Bmp, TRect{0, 0, Bmp->Width(), Bmp->Height()}, 255, false);
}

void AnimShowSkinnedForm(TsSkinProvider* Provider, unsigned Time, int AlphaValue, TacAnimType AnimType)
{
    if (Provider == nullptr || Provider->SkinData() == nullptr || Provider->SkinData()->CacheBmp() == nullptr) return;
    AnimationInProgress = true;
    std::unique_ptr<TForm> cover = FadeInNewLook(Provider, Time, AlphaValue, AnimType);
    Provider->FInAnimation = false;
    RevealForm(Provider->Form, std::move(cover), AlphaValue);
    if (Provider->OnAfterAnimation) Provider->OnAfterAnimation(aeShowing);
}

void AnimHideSkinnedForm(TsSkinProvider* Provider)
{
    FreeAllGlowEffects(true);
    if (Provider == nullptr || Provider->IsMDIChild()) return;
    TBitmap* cache = Provider->SkinData()->CacheBmp();
    TsSkinManager* manager = Provider->Manager();
    if (cache == nullptr || manager == nullptr || !Provider->Form->HandleAllocated()) return;
    TacFormHide* hide = manager->AnimEffects()->FormHide();
    if (AnimStepCount(hide->Time()) == 0) {
        // Not one frame to play: a picture prepared for it goes at once.
        delete Provider->CoverForm;
        Provider->CoverForm = nullptr;
        return;
    }
    AnimationInProgress = true;
    if (!(Provider->FormState & 0x200)) {
        if (Provider->SkinData()->BGChanged || cache->Empty()) Provider->PaintFormCache();
        RenderFormImage(cache, Provider);
    }
    if (cache->Empty()) {
        AnimationInProgress = false;
        return;
    }
    std::unique_ptr<TForm> cover(Provider->CoverForm);
    Provider->CoverForm = nullptr;
    if (!cover) cover.reset(MakeCoverForm(Provider->Form->Handle()));
    StartHideAnimation(std::move(cover), OpaqueCopy(cache), hide->Time(), hide->Mode(), 255);
    AnimationInProgress = false;
}

bool AnimateFormLookChange(TCustomForm* Form, unsigned Time, int AlphaValue, TacAnimType AnimType)
{
    TsSkinProvider* provider = ProviderOf(Form);
    if (provider == nullptr || provider->SkinData()->CacheBmp() == nullptr) return false;
    AnimationInProgress = true;
    RevealForm(Form, FadeInNewLook(provider, Time, AlphaValue, AnimType), AlphaValue);
    return true;
}

void LinkFormAnimations()
{
    FormLookChangeAnimator = AnimateFormLookChange;
    TacSkinHookLinks& links = SkinHookLinks();
    links.AnimatesSkinChange = TakesPartInSkinChange;
    links.PrepareSkinChange = HoldForSkinChange;
    links.LockSkinChange = HoldForSkinChange;
    links.FinishSkinChange = FinishSkinChange;
}
