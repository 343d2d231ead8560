#include "skin/controls/sFading.h"

#include <algorithm>
#include <vector>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/graphics/DrawingGuards.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"

namespace {

// The live timers, so that the end of the session can reach each one.
std::vector<TTimer*>& LiveTimers()
{
    static std::vector<TTimer*> timers;
    return timers;
}

void Register(TTimer* Timer) { LiveTimers().push_back(Timer); }

void Unregister(TTimer* Timer)
{
    auto& timers = LiveTimers();
    timers.erase(std::remove(timers.begin(), timers.end(), Timer), timers.end());
}

const TsGeneralData* SectionOf(TsCommonData* SkinData)
{
    if (SkinData == nullptr) return nullptr;
    TsSkinManager* manager = SkinData->SkinManager();
    if (manager == nullptr || SkinData->SkinIndex < 0 || SkinData->SkinIndex >= static_cast<int>(manager->gd.size()))
        return nullptr;
    return &manager->gd[SkinData->SkinIndex];
}

TControl* OwnerControlOf(TsCommonData* SkinData)
{
    return SkinData != nullptr ? SkinData->FOwnerControl : nullptr;
}

bool BeingDestroyed(TComponent* Component)
{
    return Component == nullptr || Component->ComponentState().Contains(csDestroying);
}

LRESULT SendSkinCmdTo(TControl* Control, int Sub, LPARAM LParam = 0, int Arg = 0)
{
    return Control->Perform(SM_LUMACMD, MakeSkinWParam(Sub, Arg), LParam);
}

// A copy of From blended with the control's cache at the step's level.
std::unique_ptr<TBitmap> BlendedStep(TBitmap* From, TBitmap* Cache, int Level)
{
    auto step = std::make_unique<TBitmap>();
    step->Assign(From);
    step->SetPixelFormat(pf32bit);
    if (Cache != nullptr) BlendBitmapsWhole(step.get(), Cache, static_cast<std::uint8_t>(Level));
    return step;
}

bool ApplicationEnding()
{
    return AppShuttingDown || Application->Terminated();
}

} // namespace

int LiveFadeTimerCount()
{
    return static_cast<int>(LiveTimers().size());
}

bool StopAllFades(unsigned MaxWaitMs)
{
    AppShuttingDown = true;
    // Each owner frees its timer on AC_ENDFADE; a copy, since the list shrinks meanwhile.
    const std::vector<TTimer*> timers = LiveTimers();
    for (TTimer* timer : timers) {
        if (std::find(LiveTimers().begin(), LiveTimers().end(), timer) == LiveTimers().end()) continue;
        timer->SetEnabled(false);
        TsCommonData* data = nullptr;
        if (auto* fade = dynamic_cast<TsFadeTimer*>(timer)) data = fade->OwnerData();
        else if (auto* anim = dynamic_cast<TsAnimTimer*>(timer)) data = anim->OwnerData();
        TControl* control = OwnerControlOf(data);
        if (control != nullptr && !BeingDestroyed(control)) SendSkinCmdTo(control, AC_ENDFADE);
    }
    const DWORD start = SystemFacts().TickCount();
    while (LiveFadeTimerCount() > 0 && SystemFacts().TickCount() - start < MaxWaitMs) {
        Application->ProcessMessages();
        if (LiveFadeTimerCount() > 0) Sleep(1);
    }
    return LiveFadeTimerCount() == 0;
}

int FadeStepLevel(int FadeLevel, int Iterations)
{
    if (Iterations <= 0) return 0;
    return LimitToByte(255 - FadeLevel * 256 / Iterations);
}

bool SectionFades(TsCommonData* SkinData)
{
    const TsGeneralData* section = SectionOf(SkinData);
    return section != nullptr && section->FadingEnabled;
}

int SectionFadeIterations(TsCommonData* SkinData)
{
    const TsGeneralData* section = SectionOf(SkinData);
    return section != nullptr ? section->FadingIterations : 0;
}

// ---- TsFadeTimer ----

TsFadeTimer::TsFadeTimer(TComponent* AOwner) : TTimer(AOwner), BmpFrom(std::make_unique<TBitmap>())
{
    SetEnabled(false);
    // The tick does the work; a handler must be assigned for the timer to run at all.
    OnTimer = [](TObject*) {};
    Register(this);
}

TsFadeTimer::~TsFadeTimer()
{
    Unregister(this);
}

void TsFadeTimer::SetDirection(TFadeDirection Value)
{
    FDirection = Value;
    if (FadeLevel < 0) FadeLevel = 1;
    SetEnabled(Value != fdNone);
}

void TsFadeTimer::SetOwnerData(TsCommonData* Value)
{
    FOwnerData = Value;
    if (Value == nullptr) return;
    TControl* control = OwnerControlOf(Value);
    if (Value->BGChanged && (Value->CacheBmp() == nullptr || Value->CacheBmp()->Empty()) && control != nullptr)
        SendSkinCmdTo(control, AC_BUILDCACHE);
    if (Value->CacheBmp() != nullptr) BmpFrom->Assign(Value->CacheBmp());
    SetInterval(10);
    const int steps = SectionFadeIterations(Value);
    Iterations = steps;
    if (FDirection == fdUp) Iterations = FadeLevel;
    else if (FDirection == fdDown) Iterations = steps - FadeLevel;
}

void TsFadeTimer::Timer()
{
    if (FOwnerData == nullptr || BeingDestroyed(this) || AppShuttingDown || ToEnd()) return;
    if (FDirection == fdUp || FDirection == fdDown) Change();
}

bool TsFadeTimer::ToEnd()
{
    TControl* control = OwnerControlOf(FOwnerData);
    if (FOwnerData == nullptr || BeingDestroyed(control) || Application->Terminated()) {
        FDirection = fdNone;
        return false;
    }
    if (FadeLevel >= 0 && FadeLevel <= Iterations) return false;
    // The owner frees this timer here.
    SendSkinCmdTo(control, AC_ENDFADE);
    return true;
}

void TsFadeTimer::Change()
{
    TControl* control = OwnerControlOf(FOwnerData);
    if (BeingDestroyed(control) || Iterations == 0 || AppShuttingDown) return;
    if (!control->Enabled()) {
        SetEnabled(false);
        Iterations = 0;
        FOwnerData->Invalidate();
        return;
    }
    auto step = BlendedStep(BmpFrom.get(), FOwnerData->CacheBmp(), FadeStepLevel(FadeLevel, Iterations));
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed != nullptr && windowed->HandleAllocated()) {
        HWND wnd = windowed->Handle();
        HDC dc = GetWindowDC(wnd);
        const int saved = SaveDC(dc);
        if (SendSkinCmdTo(control, AC_PAINTFADESTEP, reinterpret_cast<LPARAM>(step.get())) == 0)
            BitBlt(dc, 0, 0, step->Width(), step->Height(), step->Canvas()->Handle(), 0, 0, SRCCOPY);
        if (IsWindow(wnd)) {
            RestoreDC(dc, saved);
            ReleaseDC(wnd, dc);
        }
    } else {
        SendSkinCmdTo(control, AC_PAINTFADESTEP, reinterpret_cast<LPARAM>(step.get()));
    }
    ++FadeLevel;
}

// ---- TsAnimTimer ----

TsAnimTimer::TsAnimTimer(TComponent* AOwner)
    : TTimer(AOwner), BmpFrom(std::make_unique<TBitmap>()), TmpBmp(std::make_unique<TBitmap>())
{
    SetEnabled(false);
    OnTimer = [](TObject*) {};
    Register(this);
}

TsAnimTimer::~TsAnimTimer()
{
    Unregister(this);
}

void TsAnimTimer::SetOwnerData(TsCommonData* Value)
{
    FOwnerData = Value;
    SetInterval(10);
    Iterations = SectionFadeIterations(Value);
}

void TsAnimTimer::Timer()
{
    if (!BeingDestroyed(this) && !ToEnd()) DoFade();
}

bool TsAnimTimer::ToEnd()
{
    TControl* control = OwnerControlOf(FOwnerData);
    if (BeingDestroyed(this) || BeingDestroyed(control) || ApplicationEnding()) return true;
    if (FadeLevel < 0 || FadeLevel > Iterations) {
        SendSkinCmdTo(control, AC_ENDFADE);
        return true;
    }
    return false;
}

void TsAnimTimer::DoFade()
{
    TControl* control = OwnerControlOf(FOwnerData);
    if (FadeInProcess || BeingDestroyed(control) || Iterations == 0 || FadeLevel < 0) {
        ++FadeLevel;
        return;
    }
    FadeInProcess = true;
    TmpBmp = BlendedStep(BmpFrom.get(), FOwnerData->CacheBmp(), FadeStepLevel(FadeLevel, Iterations));
    Repaint();
    ++FadeLevel;
    FadeInProcess = false;
}

void TsAnimTimer::Repaint()
{
    TControl* control = OwnerControlOf(FOwnerData);
    if (control == nullptr) return;
    SendSkinCmdTo(control, AC_UPDATINGSTATE, 0, 0);
    SendSkinCmdTo(control, AC_REDRAWGRAPHIC);
}

// ---- Entry points ----

bool IsAnimatedEvent(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* Manager)
{
    if (Events.Contains(Event)) return true;
    if (!Events.Contains(aeGlobalDef)) return false;
    if (Manager == nullptr) Manager = TsSkinManager::DefaultSkinManager();
    if (Manager == nullptr) return false;
    TacBtnEvent mapped;
    switch (Event) {
    case aeMouseEnter: mapped = beMouseEnter; break;
    case aeMouseLeave: mapped = beMouseLeave; break;
    case aeMouseDown: mapped = beMouseDown; break;
    case aeMouseUp: mapped = beMouseUp; break;
    default: return false;
    }
    return Manager->AnimEffects()->Buttons()->Events().Contains(mapped);
}

void StartFade(TsFadeTimer*& Timer, TsCommonData* SkinData, bool HalfSteps, TFadeDirection Direction)
{
    if (!SectionFades(SkinData)) return;
    TControl* control = OwnerControlOf(SkinData);
    if (Timer == nullptr) {
        Timer = new TsFadeTimer(control);
        Timer->FadeLevel = 1;
    } else {
        Timer->FadeLevel = SectionFadeIterations(SkinData);
    }
    Timer->SetOwnerData(SkinData);
    if (HalfSteps) Timer->Iterations /= 2;
    if (Timer->FadeLevel >= Timer->Iterations || Timer->FadeLevel <= 0) Timer->FadeLevel = 1;
    if (control != nullptr) SendSkinCmdTo(control, AC_BUILDCACHE);
    Timer->SetDirection(Direction);
}

void FadeRepaint(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Flag, bool Animate, TFadeDirection Direction)
{
    if (SkinData == nullptr || !SkinData->Skinned()) return;
    const bool fades = Animate && !SkinLoading() && SectionFades(SkinData) && !AppShuttingDown &&
                       SkinData->CacheBmp() != nullptr && !SkinData->BGChanged;
    SkinData->BGChanged = true;
    if (fades) {
        StartFade(Timer, SkinData, Flag, Direction);
    } else {
        FreeFadeTimer(Timer, SkinData);
        if (SkinData->FOwnerControl != nullptr) SkinData->FOwnerControl->Repaint();
    }
    SkinData->RefreshGlow(Flag);
}

void FreeFadeTimer(TsFadeTimer*& Timer, TsCommonData*)
{
    if (Timer == nullptr || BeingDestroyed(Timer)) return;
    Timer->SetEnabled(false);
    Timer->SetDirection(fdNone);
    delete Timer;
    Timer = nullptr;
}
