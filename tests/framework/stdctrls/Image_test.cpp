// Images: the picture's destination rectangle under Stretch, Proportional and Center, and AutoSize.
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/Image.h"
#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TEST_F(Panels, ImageDestRectFollowsStretchProportionalAndCenter)
{
    auto* image = Add<TImage>(Form, 0, 0, 100, 50);
    TBitmap bitmap(40, 20);
    image->Picture()->SetGraphic(&bitmap);
    struct TCase {
        bool Stretch, Proportional, Center;
        TRect Expected;
    };
    const TCase cases[] = {
        {false, false, false, Rect(0, 0, 40, 20)}, {false, false, true, Rect(30, 15, 70, 35)},
        {true, false, false, Rect(0, 0, 100, 50)}, {true, true, false, Rect(0, 0, 100, 50)},
        {true, true, true, Rect(0, 0, 100, 50)},
    };
    for (const TCase& c : cases) {
        image->SetStretch(c.Stretch);
        image->SetProportional(c.Proportional);
        image->SetCenter(c.Center);
        EXPECT_TRUE(SameRect(image->DestRect(), c.Expected)) << c.Stretch << c.Proportional << c.Center;
    }
    // A picture too large for the control shrinks, keeping its shape.
    TBitmap tall(50, 100);
    image->Picture()->SetGraphic(&tall);
    image->SetStretch(false);
    image->SetProportional(true);
    image->SetCenter(true);
    EXPECT_TRUE(SameRect(image->DestRect(), Rect(37, 0, 62, 50)));
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 50);
    EXPECT_EQ(image->Height(), 100);
}

} // namespace
