// Group boxes frame their children below the caption.
#include "framework/stdctrls/GroupBox.h"
#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TEST_F(Panels, GroupBoxFramesItsChildrenBelowTheCaption)
{
    auto* box = Add<TGroupBox>(Form, 0, 0, 120, 80);
    box->SetCaption(L"Shift");
    box->HandleNeeded();
    auto* child = Add<TBox>(box, 0, 0, 10, 10);
    child->SetAlign(alClient);
    EXPECT_GE(child->Top(), 10);
    EXPECT_EQ(child->Left(), 2);
    TPixelBuffer pixels(120, 80);
    box->PaintTo(pixels.DC(), 0, 0);
    EXPECT_EQ(pixels.At(60, 79 - 1), SysColor(COLOR_BTNSHADOW));
}

} // namespace
