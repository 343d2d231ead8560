#pragma once
// Unit sFading: the fade between a button's old and new look. When a skinned button changes state
// its previous image is blended into the new one in a few steps, one every 10 ms: TsFadeTimer
// hands each step to a windowed control (or copies it onto its window), TsAnimTimer leaves it in
// a bitmap that a windowless control paints itself. The number of steps comes from the skin
// section (FADINGENABLED, FADINGITERATIONS).
//
// Every live timer is counted. When the session ends, StopAllFades ends every running fade at
// once (each owner frees its timer on AC_ENDFADE) and waits, for a bounded time, until none is
// left; no fade is started after that (AppShuttingDown).
#include <memory>

#include "framework/classes/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/sControlTypes.h"
#include "skin/core/sConst.h"

class TsCommonData;
class TsSkinManager;

enum TFadeDirection { fdNone, fdUp, fdDown };

// Fade and animation timers alive now.
int LiveFadeTimerCount();
// Ends every live fade (AC_ENDFADE to each owner), stops fading for good, and processes messages
// until no timer is left or MaxWaitMs has passed. Answers whether none is left.
bool StopAllFades(unsigned MaxWaitMs = 500);

// Blend level of step FadeLevel of Iterations: 255 shows only the old image, 0 only the new one.
int FadeStepLevel(int FadeLevel, int Iterations);

class TsFadeTimer : public TTimer {
public:
    // AOwner is the control being faded.
    explicit TsFadeTimer(TComponent* AOwner);
    ~TsFadeTimer() override;

    TFadeDirection Direction() const { return FDirection; }
    // Enables the timer exactly when Value is not fdNone.
    void SetDirection(TFadeDirection Value);
    TsCommonData* OwnerData() const { return FOwnerData; }
    // Takes the control's current cache as the image to fade from and the step count from its
    // section.
    void SetOwnerData(TsCommonData* Value);
    // Shows the current step.
    void Change();
    // True once the fade is over (the control has been sent AC_ENDFADE).
    bool ToEnd();
    void Timer() override;

    int Iterations = 0;
    // The step to show next, 1 first.
    int FadeLevel = 0;
    std::unique_ptr<TBitmap> BmpFrom;

private:
    TFadeDirection FDirection = fdNone;
    TsCommonData* FOwnerData = nullptr;
};

class TsAnimTimer : public TTimer {
public:
    explicit TsAnimTimer(TComponent* AOwner);
    ~TsAnimTimer() override;

    TsCommonData* OwnerData() const { return FOwnerData; }
    void SetOwnerData(TsCommonData* Value);
    // Computes the current step into TmpBmp and has the control repaint.
    void DoFade();
    void Repaint();
    bool ToEnd();
    void Timer() override;

    bool FadeInProcess = false;
    std::unique_ptr<TBitmap> BmpFrom;
    // The step the control paints instead of its cache while the timer is enabled.
    std::unique_ptr<TBitmap> TmpBmp;
    int Iterations = 0;
    int FadeLevel = 0;

private:
    TsCommonData* FOwnerData = nullptr;
};

// Event in Events; with aeGlobalDef, the manager's button events decide (null: the default
// manager).
bool IsAnimatedEvent(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* Manager = nullptr);
void StartFade(TsFadeTimer*& Timer, TsCommonData* SkinData, bool HalfSteps, TFadeDirection Direction);
// The one call a control makes after its state changed: fades when Animate allows it, else
// repaints at once.
void FadeRepaint(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Flag, bool Animate, TFadeDirection Direction);
void FreeFadeTimer(TsFadeTimer*& Timer, TsCommonData* SkinData);

// Whether the skin section of SkinData fades, and in how many steps.
bool SectionFades(TsCommonData* SkinData);
int SectionFadeIterations(TsCommonData* SkinData);
