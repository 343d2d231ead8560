// Track bars: the position kept within the range, and OnChange for the user's moves.
#include "framework/comctrls/TrackBar.h"

#include <commctrl.h>
#include <string>
#include <vector>

#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class TrackBars : public FormTest {};

TEST_F(TrackBars, PositionKeepsWithinTheRangeAndUserMovesFireOnChange)
{
    auto* track = new TTrackBar(Form);
    track->SetMax(20);
    track->SetPosition(25);
    EXPECT_EQ(track->Position(), 20);
    track->SetPosition(-3);
    EXPECT_EQ(track->Position(), 0);
    track->SetPosition(7);
    track->SetBounds(10, 10, 200, 45);
    track->SetParent(Form);
    int changes = 0;
    track->OnChange = [&](TObject*) { ++changes; };
    ShowActive();
    HWND wnd = track->Handle();
    EXPECT_EQ(SendMessageW(wnd, TBM_GETPOS, 0, 0), 7);
    EXPECT_EQ(SendMessageW(wnd, TBM_GETRANGEMAX, 0, 0), 20);

    track->SetPosition(9);
    EXPECT_EQ(changes, 0);
    track->SetFocus();
    SendMessageW(wnd, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(track->Position(), 10);
    SendMessageW(wnd, WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(track->Position(), 12);
    EXPECT_GE(changes, 2);

    track->SetMax(11);
    EXPECT_EQ(track->Position(), 11);
    track->SetOrientation(trVertical);
    EXPECT_NE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_VERT, 0);
    EXPECT_EQ(track->Width(), 45);
    EXPECT_EQ(track->Position(), 11);
}

} // namespace
