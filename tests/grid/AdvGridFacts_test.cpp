// The grid on other systems than this one: the system facts say which Windows runs, whether a
// theme is active, and the grid takes the branch such a system would.
#include "framework/facts/SystemFacts.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

struct TOtherSystem : TSystemFacts {
    TWindowsVersion Windows;
    bool Theme = true;
    TWindowsVersion WindowsVersion() override { return Windows; }
    bool ThemeActive() override { return Theme; }
};

class AdvGridFacts : public GridTest {};

// A themed look needs Windows XP or later with a theme active; anything else falls back to the
// classic look when the grid is loaded.
TEST_F(AdvGridFacts, ThemedLookNeedsXPAndAnActiveTheme)
{
    struct TCase {
        const char* System;
        DWORD Major, Minor;
        bool Theme;
        TGridControlStyle Expected;
    } cases[] = {
        {"Windows 10, themed", 10, 0, true, csTheme},
        {"Windows XP, themed", 5, 1, true, csTheme},
        {"Windows 10, classic", 10, 0, false, csClassic},
        {"Windows 2000", 5, 0, true, csClassic},
    };
    ShowForm();
    for (const TCase& c : cases) {
        TOtherSystem facts;
        facts.Windows.Major = c.Major;
        facts.Windows.Minor = c.Minor;
        facts.Theme = c.Theme;
        TSystemFactsOverride use(facts);
        TCountingGrid* grid = Add();
        ASSERT_TRUE(grid->HandleAllocated()) << c.System;
        ASSERT_EQ(csTheme, grid->ControlLook()->ControlStyle()) << c.System;
        grid->Loaded();
        EXPECT_EQ(c.Expected, grid->ControlLook()->ControlStyle()) << c.System;
        delete grid;
    }
}

} // namespace
