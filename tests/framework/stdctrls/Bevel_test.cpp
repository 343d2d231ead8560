// Bevels: every shape draws its lines in the colours of its style.
#include "framework/stdctrls/Bevel.h"
#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TEST_F(Panels, BevelShapesDrawTheirLines)
{
    struct TCase {
        TBevelShape Shape;
        TBevelStyle Style;
        POINT First, Second; // a pixel of the first colour and one of the second
    };
    COLORREF light = SysColor(COLOR_BTNHIGHLIGHT), shadow = SysColor(COLOR_BTNSHADOW);
    const TCase cases[] = {
        {bsTopLine, bsLowered, {10, 0}, {10, 1}},   {bsBottomLine, bsLowered, {10, 18}, {10, 19}},
        {bsLeftLine, bsRaised, {0, 10}, {1, 10}},   {bsRightLine, bsRaised, {38, 10}, {39, 10}},
        {bsBox, bsLowered, {0, 10}, {39, 10}},      {bsFrame, bsLowered, {0, 10}, {1, 10}},
    };
    for (const TCase& c : cases) {
        auto* bevel = Add<TBevel>(Form, 0, 0, 40, 20);
        bevel->SetShape(c.Shape);
        bevel->SetStyle(c.Style);
        TPixelBuffer pixels(40, 20);
        bevel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(pixels.DC()), 0);
        COLORREF first = c.Style == bsLowered ? shadow : light;
        COLORREF second = c.Style == bsLowered ? light : shadow;
        EXPECT_EQ(pixels.At(c.First.x, c.First.y), first) << c.Shape;
        EXPECT_EQ(pixels.At(c.Second.x, c.Second.y), second) << c.Shape;
        EXPECT_EQ(pixels.At(20, 10), RGB(255, 255, 255)) << c.Shape;
        delete bevel;
    }
}

} // namespace
