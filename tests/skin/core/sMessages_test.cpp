#include <gtest/gtest.h>

#include "skin/core/sMessages.h"

namespace {

// A real window that answers AC_QUERYBGCOLOR with a colour the test chooses.
LRESULT Answer = 0;
int Asked = 0;

LRESULT CALLBACK ParentProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == SM_LUMACMD && SkinCmdSub(WParam) == AC_QUERYBGCOLOR) {
        ++Asked;
        return Answer;
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

struct TParentWindow {
    HWND Handle = nullptr;
    TParentWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SkinCmdParent";
        RegisterClassW(&wc);
        Handle = CreateWindowExW(0, L"SkinCmdParent", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~TParentWindow() { DestroyWindow(Handle); }
};

} // namespace

TEST(sMessages, TheSubCommandRidesInTheHighWordAndOnlyArgOneSwitchesOn)
{
    EXPECT_EQ(0xA100u, SM_LUMACMD);
    EXPECT_EQ(static_cast<WPARAM>(21u << 16), MakeSkinWParam(AC_QUERYBGCOLOR));
    WPARAM w = MakeSkinWParam(AC_UPDATINGSTATE, 0x12345);
    EXPECT_EQ(AC_UPDATINGSTATE, SkinCmdSub(w));
    EXPECT_EQ(0x2345, SkinCmdArg(w));
    EXPECT_TRUE(SkinCmdSwitchOn(MakeSkinWParam(AC_UPDATINGSTATE, 1)));
    EXPECT_FALSE(SkinCmdSwitchOn(MakeSkinWParam(AC_UPDATINGSTATE, 2)));
    // Arg is cut to its low 16 bits, and only the low word is compared.
    EXPECT_TRUE(SkinCmdSwitchOn(MakeSkinWParam(AC_UPDATINGSTATE, 0x10001)));
    EXPECT_FALSE(SkinCmdSwitchOn(MakeSkinWParam(AC_UPDATINGSTATE, 0x10000)));
    TacSectionInfo info;
    EXPECT_EQ(-1, info.SkinIndex);
}

TEST(sMessages, DispatchHandlesKnownSubCommandsOfTheSkinMessageOnly)
{
    TacSkinCmdDispatcher d;
    d.Add(AC_QUERYSKINNED, [](TMessage& m) { m.Result = 1; return true; });
    d.Add(AC_QUERYAPP, [](TMessage& m) { m.Result = 60; return false; });  // answers and lets it pass on
    struct Case { UINT Msg; int Sub; bool Handled; LRESULT Result; } cases[] = {
        {SM_LUMACMD, AC_QUERYSKINNED, true, 1},
        {SM_LUMACMD, AC_QUERYBUSY, false, -5},
        {SM_LUMACMD, AC_QUERYAPP, false, 60},
        {SM_LUMACMD + 1, AC_QUERYSKINNED, false, -5},
        {WM_USER, AC_QUERYSKINNED, false, -5},
    };
    for (const Case& c : cases) {
        TMessage m;
        m.Msg = c.Msg;
        m.WParam = MakeSkinWParam(c.Sub);
        m.Result = -5;
        EXPECT_EQ(c.Handled, d.Dispatch(m)) << c.Msg << "/" << c.Sub;
        EXPECT_EQ(c.Result, m.Result) << c.Msg << "/" << c.Sub;
    }
}

TEST(sMessages, BackgroundColourAnswerFollowsTheSectionsTransparency)
{
    TParentWindow parent;
    ASSERT_NE(nullptr, parent.Handle);
    TacBgColorSource s;
    s.OwnerColor = clBtnFace;
    s.SectionColor = 0x000000;
    s.ParentWnd = parent.Handle;
    s.ParentControlColor = 0x00ABCDEF;
    LRESULT r = 0;

    // Half transparent black over white: (50 * 255 + 0) shr 8 = 49 per byte.
    Answer = 0xFFFFFF;
    s.Transparency = 50;
    ASSERT_TRUE(AnswerBgColorQuery(s, r));
    EXPECT_EQ(0x313131, r);
    Answer = 0x0000FF;
    s.SectionColor = 0x204060;
    s.Transparency = 25;
    ASSERT_TRUE(AnswerBgColorQuery(s, r));
    EXPECT_EQ(0x1C396F, r);  // per byte: (25 * (P - C) + 256 * C) shr 8

    struct Case { int Transparency; LRESULT ParentAnswer; bool Skinned; LRESULT Expected; bool AsksParent; } cases[] = {
        {0, 0xFFFFFF, true, 0x204060, false},
        {100, 0x123456, true, 0x123456, true},
        {100, 0xFF00FF, true, 0x00ABCDEF, true},
        {50, 0xFFFFFF, false, static_cast<LRESULT>(GetSysColor(COLOR_BTNFACE)), false},
    };
    for (const Case& c : cases) {
        s.Transparency = c.Transparency;
        s.Skinned = c.Skinned;
        Answer = c.ParentAnswer;
        Asked = 0;
        ASSERT_TRUE(AnswerBgColorQuery(s, r));
        EXPECT_EQ(c.Expected, r) << c.Transparency;
        EXPECT_EQ(c.AsksParent ? 1 : 0, Asked) << c.Transparency;
    }

    // Without a parent the owner's own colour stands in for the parent's answer.
    s.Skinned = true;
    s.ParentWnd = nullptr;
    s.OwnerColor = 0xFFFFFF;
    s.SectionColor = 0;
    s.Transparency = 100;
    ASSERT_TRUE(AnswerBgColorQuery(s, r));
    EXPECT_EQ(0xFFFFFF, r);
    s.Transparency = 50;
    ASSERT_TRUE(AnswerBgColorQuery(s, r));
    EXPECT_EQ(0x313131, r);

    s.HasOwner = false;
    r = 7;
    EXPECT_FALSE(AnswerBgColorQuery(s, r));
    EXPECT_EQ(7, r);
}
