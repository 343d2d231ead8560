// Fades between a control's old and new look: the step levels, the messages the faded control
// gets, restarts, stopping, and the end of the session. Ticks are driven by the test (Timer()).
#include "skin/controls/sFading.h"

#include <gtest/gtest.h>

#include "framework/controls/Forms.h"
#include "skin/core/sCommonData.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;
using skintest::Bmp32;
using skintest::Px;

namespace {

// A windowed control being faded: its cache holds Old until it is asked to build it, New after.
class TFadeProbe : public TCustomControl {
public:
    explicit TFadeProbe(TComponent* AOwner) : TCustomControl(AOwner), Data(this, true) {}
    ~TFadeProbe() override { FreeFadeTimer(Timer, &Data); }

    TsCommonData Data;
    TsFadeTimer* Timer = nullptr;
    std::vector<int> Subs;
    // Blue channel of each step shown.
    std::vector<int> Steps;
    LRESULT StepAnswer = 1;
    bool FreesTimerOnEnd = true;
    std::uint32_t Old = 0xFF000000u, New = 0xFFFFFFFFu;

    void FillCache(std::uint32_t Pixel)
    {
        Data.CacheBmp()->SetSize(4, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) static_cast<std::uint32_t*>(Data.CacheBmp()->ScanLine(y))[x] = Pixel;
    }
    void WndProc(TMessage& M) override
    {
        if (M.Msg == SM_LUMACMD) {
            const int sub = SkinCmdSub(M.WParam);
            Subs.push_back(sub);
            if (sub == AC_BUILDCACHE) FillCache(New);
            if (sub == AC_PAINTFADESTEP) {
                Steps.push_back(Px(*reinterpret_cast<TBitmap*>(M.LParam), 0, 0) & 0xFF);
                M.Result = StepAnswer;
            }
            if (sub == AC_ENDFADE && FreesTimerOnEnd) FreeFadeTimer(Timer, &Data);
            return;
        }
        TCustomControl::WndProc(M);
    }
    void Tick(int Count)
    {
        for (int i = 0; i < Count && Timer != nullptr; ++i) Timer->Timer();
    }
};

struct FadeSetup {
    SkinnedManager M;
    std::unique_ptr<TForm> Form{TForm::CreateNew(nullptr)};
    TFadeProbe Probe{nullptr};
    explicit FadeSetup(bool FadingEnabled = true, int Iterations = 5)
    {
        const int button = M.AddSection(L"BUTTON", clBtnFace);
        M.Manager.gd[button].FadingEnabled = FadingEnabled;
        M.Manager.gd[button].FadingIterations = Iterations;
        Form->SetBounds(50, 50, 100, 100);
        Probe.SetBounds(0, 0, 4, 4);
        Probe.SetParent(Form.get());
        Probe.Data.SetSkinSection(L"BUTTON");
        Probe.FillCache(Probe.Old);
        Probe.Data.BGChanged = false;
        Probe.Subs.clear();
    }
};

// The blue byte of a step from black to white at a level.
int StepByte(int Level)
{
    return (255 * (255 - Level) + 127) >> 8;
}

TEST(Fading, StepLevelsRunFromTheOldImageToTheNewOne)
{
    const struct { int Iterations; std::vector<int> Levels; } cases[] = {
        {5, {204, 153, 102, 51, 0}}, {1, {0}}, {2, {127, 0}}};
    for (const auto& c : cases) {
        std::vector<int> levels;
        for (int step = 1; step <= c.Iterations; ++step) levels.push_back(FadeStepLevel(step, c.Iterations));
        EXPECT_EQ(levels, c.Levels) << c.Iterations << " steps";
    }
}

TEST(Fading, AFadeShowsEachStepThenEndsWithEndFade)
{
    FadeSetup s;
    FadeRepaint(s.Probe.Timer, &s.Probe.Data, false, true, fdUp);
    ASSERT_NE(s.Probe.Timer, nullptr);
    EXPECT_TRUE(s.Probe.Timer->Enabled());
    EXPECT_EQ(s.Probe.Timer->Interval(), 10u);
    s.Probe.Tick(10);
    EXPECT_EQ(s.Probe.Steps, (std::vector<int>{StepByte(204), StepByte(153), StepByte(102), StepByte(51), StepByte(0)}));
    EXPECT_EQ(s.Probe.Subs, (std::vector<int>{AC_BUILDCACHE, AC_PAINTFADESTEP, AC_PAINTFADESTEP, AC_PAINTFADESTEP,
                                              AC_PAINTFADESTEP, AC_PAINTFADESTEP, AC_ENDFADE}));
    EXPECT_EQ(s.Probe.Timer, nullptr) << "the owner freed it on AC_ENDFADE";
    EXPECT_EQ(LiveFadeTimerCount(), 0);
}

TEST(Fading, APressDuringAnEnterFadeReusesTheTimerAndRestartsWithHalfTheSteps)
{
    FadeSetup s;
    FadeRepaint(s.Probe.Timer, &s.Probe.Data, false, true, fdUp);
    TsFadeTimer* running = s.Probe.Timer;
    s.Probe.Tick(2);
    s.Probe.Data.BGChanged = false;
    FadeRepaint(s.Probe.Timer, &s.Probe.Data, true, true, fdUp);
    EXPECT_EQ(s.Probe.Timer, running);
    EXPECT_EQ(s.Probe.Timer->Iterations, 2);
    EXPECT_EQ(s.Probe.Timer->FadeLevel, 1);
    s.Probe.Steps.clear();
    s.Probe.Tick(5);
    EXPECT_EQ(s.Probe.Steps.size(), 2u);
    EXPECT_EQ(s.Probe.Timer, nullptr);
}

TEST(Fading, WithoutFadingOrAnimationTheControlRepaintsAtOnceAndDropsItsTimer)
{
    const struct { bool Enabled; bool Animate; } cases[] = {{false, true}, {true, false}};
    for (const auto& c : cases) {
        FadeSetup s(c.Enabled);
        s.Probe.Timer = new TsFadeTimer(&s.Probe);
        FadeRepaint(s.Probe.Timer, &s.Probe.Data, false, c.Animate, fdUp);
        EXPECT_EQ(s.Probe.Timer, nullptr);
        EXPECT_TRUE(s.Probe.Data.BGChanged);
        EXPECT_TRUE(s.Probe.Subs.empty());
    }
}

TEST(Fading, AStepTheControlShowsItselfIsNotCopiedToItsWindow)
{
    for (LRESULT answer : {0, 1}) {
        FadeSetup s;
        s.Form->Show();
        s.Probe.Show();
        s.Probe.Update();
        s.Probe.StepAnswer = answer;
        HDC dc = GetWindowDC(s.Probe.Handle());
        SetPixel(dc, 1, 1, RGB(0, 0, 255));
        FadeRepaint(s.Probe.Timer, &s.Probe.Data, false, true, fdUp);
        s.Probe.Tick(1);
        const COLORREF after = GetPixel(dc, 1, 1);
        ReleaseDC(s.Probe.Handle(), dc);
        if (answer == 0) EXPECT_EQ(GetBValue(after), StepByte(204)) << "copied by the timer";
        else EXPECT_EQ(after, RGB(0, 0, 255)) << "left to the control";
    }
}

TEST(Fading, ADisabledControlEndsItsFadeAndIsInvalidated)
{
    FadeSetup s;
    FadeRepaint(s.Probe.Timer, &s.Probe.Data, false, true, fdUp);
    s.Probe.SetEnabled(false);
    s.Probe.Data.BGChanged = false;
    s.Probe.Subs.clear();
    s.Probe.Tick(1);
    EXPECT_EQ(s.Probe.Timer->Iterations, 0);
    EXPECT_FALSE(s.Probe.Timer->Enabled());
    EXPECT_TRUE(s.Probe.Data.BGChanged);
    EXPECT_TRUE(s.Probe.Steps.empty());
}

TEST(Fading, EndingTheSessionEndsEveryFadeAtOnceAndWaitsOnlySoLong)
{
    {
        FadeSetup s;
        FadeRepaint(s.Probe.Timer, &s.Probe.Data, false, true, fdUp);
        ASSERT_EQ(LiveFadeTimerCount(), 1);
        EXPECT_TRUE(StopAllFades(1000));
        EXPECT_EQ(s.Probe.Timer, nullptr);
        EXPECT_EQ(s.Probe.Subs.back(), AC_ENDFADE);
        s.Probe.Data.BGChanged = false;
        FadeRepaint(s.Probe.Timer, &s.Probe.Data, false, true, fdUp);
        EXPECT_EQ(s.Probe.Timer, nullptr) << "no fade starts once the session ends";
        AppShuttingDown = false;
    }
    {
        // An owner that never frees its timer: the wait still ends.
        FadeSetup s;
        s.Probe.FreesTimerOnEnd = false;
        FadeRepaint(s.Probe.Timer, &s.Probe.Data, false, true, fdUp);
        const DWORD start = GetTickCount();
        EXPECT_FALSE(StopAllFades(50));
        EXPECT_LT(GetTickCount() - start, 1000u);
        AppShuttingDown = false;
    }
}

TEST(Fading, AnEventAnimatesWhenListedOrWhenTheManagerSaysSo)
{
    SkinnedManager m;
    m.Manager.AnimEffects()->Buttons()->SetEvents(TacBtnEvents{beMouseDown});
    EXPECT_TRUE(IsAnimatedEvent(aeMouseEnter, TacAnimatEvents{aeMouseEnter}, &m.Manager));
    EXPECT_FALSE(IsAnimatedEvent(aeMouseEnter, TacAnimatEvents{aeMouseLeave}, &m.Manager));
    EXPECT_TRUE(IsAnimatedEvent(aeMouseDown, TacAnimatEvents{aeGlobalDef}, &m.Manager));
    EXPECT_FALSE(IsAnimatedEvent(aeMouseEnter, TacAnimatEvents{aeGlobalDef}, &m.Manager));
    EXPECT_TRUE(IsAnimatedEvent(aeMouseDown, TacAnimatEvents{aeGlobalDef}, nullptr)) << "the default manager";
}

} // namespace
