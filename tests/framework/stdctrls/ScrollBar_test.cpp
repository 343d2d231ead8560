// Scroll bars: parameters checked, and OnChange for every new position from keys and clicks.
#include "framework/stdctrls/ScrollBar.h"

#include <commctrl.h>
#include <string>
#include <vector>

#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class ScrollBars : public FormTest {};

TEST_F(ScrollBars, ParamsAreCheckedAndEveryNewPositionFiresOnChange)
{
    auto* bar = Add<TScrollBar>(Form, 10, 10, 150, 17);
    std::vector<std::pair<TScrollCode, int>> scrolls;
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    bar->OnScroll = [&](TObject*, TScrollCode code, int& pos) { scrolls.push_back({code, pos}); };
    ShowActive();
    EXPECT_THROW(bar->SetParams(5, 10, 0), EScrollBarError);
    EXPECT_THROW(bar->SetPageSize(200), EScrollBarError);
    bar->SetParams(50, 0, 60);
    EXPECT_EQ(changes, 1);
    bar->SetPosition(50);
    EXPECT_EQ(changes, 1);
    bar->SetPosition(99);
    EXPECT_EQ(bar->Position(), 60);
    bar->SetPageSize(11);
    EXPECT_EQ(bar->Position(), 50);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar->Handle(), SB_CTL, &info);
    EXPECT_EQ(info.nMax, 60);
    EXPECT_EQ(info.nPage, 11u);
    EXPECT_EQ(info.nPos, 50);

    changes = 0;
    bar->SetSmallChange(3);
    bar->SetLargeChange(10);
    bar->SetPosition(20);
    bar->SetFocus();
    SendMessageW(bar->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageW(bar->Handle(), WM_KEYDOWN, VK_NEXT, 1);
    SendMessageW(bar->Handle(), WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(bar->Position(), 30);
    std::vector<std::pair<TScrollCode, int>> expected = {{scLineDown, 23}, {scPageDown, 33}, {scLineUp, 30}};
    std::vector<std::pair<TScrollCode, int>> moves;
    for (auto& s : scrolls)
        if (s.first != scEndScroll) moves.push_back(s);
    EXPECT_EQ(moves, expected);
    EXPECT_EQ(changes, 4);
    // OnScroll may change where the thumb goes.
    bar->OnScroll = [](TObject*, TScrollCode, int& pos) { pos = 5; };
    SendMessageW(bar->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(bar->Position(), 5);

    bar->SetKind(sbVertical);
    EXPECT_NE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBS_VERT, 0);
    EXPECT_EQ(bar->Height(), 150);
    GetScrollInfo(bar->Handle(), SB_CTL, &info);
    EXPECT_EQ(info.nPos, 5);
}

} // namespace
