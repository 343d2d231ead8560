// The system facts: overrides replace the answers and give the previous facts back, and the real
// system answers plausibly under Wine.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/facts/SystemFacts.h"

namespace {

struct TFixedTicks : TSystemFacts {
    explicit TFixedTicks(DWORD Ticks) : Ticks(Ticks) {}
    DWORD TickCount() override { return Ticks; }
    DWORD Ticks;
};

struct TNoTheme : TForwardingFacts {
    bool ThemeActive() override { return false; }
};

TEST(SystemFactsOverride, ReplacesTheFactsForItsScopeAndNestedOnesGiveTheOuterBack)
{
    TSystemFacts& real = SystemFacts();
    TFixedTicks outer(100), inner(200);
    {
        TSystemFactsOverride useOuter(outer);
        EXPECT_EQ(&outer, &SystemFacts());
        EXPECT_EQ(100u, SystemFacts().TickCount());
        // What the test subclass leaves alone still comes from the system.
        EXPECT_EQ(real.CommonControlsVersion(), SystemFacts().CommonControlsVersion());
        {
            TSystemFactsOverride useInner(inner);
            EXPECT_EQ(200u, SystemFacts().TickCount());
        }
        EXPECT_EQ(&outer, &SystemFacts());
        EXPECT_EQ(100u, SystemFacts().TickCount());
    }
    EXPECT_EQ(&real, &SystemFacts());
}

TEST(SystemFactsOverride, ForwardingFactsChangeOneAnswerAndKeepTheOuterOverridesOthers)
{
    TFixedTicks ticks(42);
    TSystemFactsOverride useTicks(ticks);
    TNoTheme noTheme;
    TSystemFactsOverride useNoTheme(noTheme);
    EXPECT_FALSE(SystemFacts().ThemeActive());
    EXPECT_EQ(42u, SystemFacts().TickCount());
}

TEST(WindowsVersion, ComparesMajorBeforeMinor)
{
    struct TCase {
        DWORD Major, Minor, AtMajor, AtMinor;
        bool Expected;
    } cases[] = {
        {5, 1, 5, 1, true}, {5, 0, 5, 1, false}, {5, 2, 6, 0, false}, {6, 0, 5, 1, true}, {10, 0, 6, 1, true},
    };
    for (const TCase& c : cases) {
        TWindowsVersion v;
        v.Major = c.Major;
        v.Minor = c.Minor;
        EXPECT_EQ(c.Expected, v.AtLeast(c.AtMajor, c.AtMinor)) << c.Major << "." << c.Minor << " >= " << c.AtMajor << "." << c.AtMinor;
    }
}

// Wine: a recent Windows, comctl32 5.81 (6 with a manifest), its built-in theme active, no DWM
// composition, no office suite.
TEST(RealSystemFacts, AnswerAsWineDoes)
{
    TSystemFacts& facts = SystemFacts();
    TWindowsVersion windows = facts.WindowsVersion();
    EXPECT_TRUE(windows.AtLeast(5, 1)) << windows.Major << "." << windows.Minor;
    EXPECT_NE(0u, windows.Build);
    EXPECT_GE(facts.CommonControlsVersion(), MakeVersion(5, 0));
    EXPECT_TRUE(facts.ThemeActive());
    String file = facts.ThemeFileName(), name = facts.ThemeName();
    EXPECT_FALSE(file.empty());
    EXPECT_FALSE(name.empty());
    EXPECT_NE(String::npos, file.find(name));
    EXPECT_EQ(String::npos, name.find_first_of(L"\\/."));
    EXPECT_FALSE(facts.CompositionEnabled());
    EXPECT_EQ(0, facts.OfficeVersion());
    DWORD before = GetTickCount();
    DWORD ticks = facts.TickCount();
    EXPECT_LE(ticks - before, 1000u);
    std::vector<TMonitorFacts> monitors = facts.Monitors();
    ASSERT_FALSE(monitors.empty());
    EXPECT_EQ(1, std::count_if(monitors.begin(), monitors.end(), [](const TMonitorFacts& m) { return m.Primary; }));
    for (const TMonitorFacts& m : monitors) {
        EXPECT_NE(nullptr, m.Handle);
        EXPECT_GT(m.Bounds.right - m.Bounds.left, 0);
    }
}

} // namespace
