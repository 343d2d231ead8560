#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/classes/UtilityWindow.h"
#include "tests/support/MessagePump.h"

TEST(UtilityWindow, MessagesReachTheMethodAndItMayDeallocateItsOwnWindow)
{
    std::vector<UINT> seen;
    auto alive = std::make_shared<int>(0);   // owned by the method: shows when it is freed
    std::weak_ptr<int> watch = alive;
    HWND wnd = nullptr;
    wnd = AllocateHWnd([&, alive](HWND w, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg >= WM_APP) {
            seen.push_back(msg);
            if (msg == WM_APP + 2)
                DeallocateHWnd(w);
            return 40 + static_cast<LRESULT>(wParam);
        }
        return DefWindowProcW(w, msg, wParam, lParam);
    });
    alive.reset();
    ASSERT_NE(nullptr, wnd);
    // Message-only: hidden, and not among the top-level windows.
    EXPECT_FALSE(IsWindowVisible(wnd));
    struct Search { HWND Wanted; bool Found; } search{wnd, false};
    EnumWindows([](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        s->Found |= (w == s->Wanted);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    EXPECT_FALSE(search.Found);

    EXPECT_EQ(42, SendMessageW(wnd, WM_APP, 2, 0));
    PostMessageW(wnd, WM_APP + 1, 0, 0);
    EXPECT_TRUE(kvltest::PumpUntil([&] { return seen.size() == 2; }));

    // Deallocating from inside keeps the method alive until it returns, then frees it.
    EXPECT_EQ(40, SendMessageW(wnd, WM_APP + 2, 0, 0));
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ((std::vector<UINT>{WM_APP, WM_APP + 1, WM_APP + 2}), seen);

    DeallocateHWnd(nullptr);
    HWND plain = AllocateHWnd(nullptr);   // no method: default handling
    EXPECT_EQ(0, SendMessageW(plain, WM_APP, 0, 0));
    DeallocateHWnd(plain);
    EXPECT_FALSE(IsWindow(plain));
}
