// Window handlers on real windows: a foreign EDIT subclassed through its window procedure and a
// framework control through its WindowProc, traced by a spy procedure installed before (the
// "previous" procedure) or after (a later subclasser) the handler; visual styles switched off
// and on; detaching on destruction.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/Forms.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/subclass/acSBUtils.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;

namespace {

// A spy window procedure: records what reaches it and passes everything on to what it replaced.
struct TSpy {
    static std::vector<TSpy*>& All()
    {
        static std::vector<TSpy*> all;
        return all;
    }
    HWND Wnd = nullptr;
    WNDPROC Previous = nullptr;
    std::vector<MSG> Seen;

    explicit TSpy(HWND W) : Wnd(W)
    {
        All().push_back(this);
        Previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(W, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~TSpy() { std::erase(All(), this); }
    int Count(UINT Msg) const
    {
        return static_cast<int>(std::count_if(Seen.begin(), Seen.end(), [Msg](const MSG& m) { return m.message == Msg; }));
    }
    static LRESULT CALLBACK Proc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam)
    {
        // The spies of one window form a chain; each call enters the spy installed last that has
        // not been passed yet, which is the last one whose procedure is not the caller's.
        for (auto it = All().rbegin(); it != All().rend(); ++it) {
            TSpy* spy = *it;
            if (spy->Wnd != W || spy->Busy) continue;
            spy->Seen.push_back(MSG{W, Msg, WParam, LParam, 0, {}});
            spy->Busy = true;
            const LRESULT r = CallWindowProcW(spy->Previous, W, Msg, WParam, LParam);
            spy->Busy = false;
            return r;
        }
        return DefWindowProcW(W, Msg, WParam, LParam);
    }
    bool Busy = false;
};

// Records the calls of the visual-styles entry point.
struct TThemeCall {
    HWND Wnd;
    bool Off;  // " " names: styles off; null names: back on
};
std::vector<TThemeCall> ThemeCalls;
HRESULT WINAPI RecordTheme(HWND Wnd, LPCWSTR App, LPCWSTR List)
{
    ThemeCalls.push_back({Wnd, App != nullptr && List != nullptr && App[0] == L' ' && List[0] == L' '});
    return S_OK;
}

struct ForeignEdit : ::testing::Test {
    SkinnedManager Skin;
    int EditSection = Skin.AddSection(L"EDIT", 0x00FFFFFF);
    HWND Host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    HWND Edit = CreateWindowExW(0, L"EDIT", L"old", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20, Host, nullptr, nullptr,
                                nullptr);
    TSetWindowThemeProc SavedTheme = SetWindowThemeProc;

    ForeignEdit()
    {
        SetWindowThemeProc = &RecordTheme;
        ThemeCalls.clear();
    }
    ~ForeignEdit() override
    {
        SetWindowThemeProc = SavedTheme;
        if (IsWindow(Host)) DestroyWindow(Host);
    }
};

} // namespace

TEST_F(ForeignEdit, TheHandlerIsFoundThroughItsPropertyAndAnswersWhileTheSkinIsActive)
{
    TSpy previous(Edit);
    auto* handler = new TacMainWnd(Edit, nullptr, &Skin.Manager, L"EDIT");
    EXPECT_EQ(GetWndHandler(Edit), handler);
    EXPECT_TRUE(handler->OwnSkinData);
    EXPECT_EQ(handler->Caption, L"old");
    EXPECT_EQ(handler->SkinData->SkinSection(), L"EDIT");
    EXPECT_EQ(handler->SkinData->SkinIndex, EditSection);

    EXPECT_EQ(SendMessageW(Edit, SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED), 0), 1);
    EXPECT_EQ(previous.Count(SM_LUMACMD), 0);
    // Another manager's refresh is only passed on.
    TsSkinManager other(nullptr);
    SendMessageW(Edit, SM_LUMACMD, MakeSkinWParam(AC_RESKIN), reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(previous.Count(SM_LUMACMD), 1);

    Skin.Manager.SetActive(false);  // inactive: everything goes straight through
    EXPECT_EQ(SendMessageW(Edit, SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED), 0), 0);
    EXPECT_EQ(previous.Count(SM_LUMACMD), 2);

    TacMainWnd* h = handler;
    UninstallWndHandler(Edit, true, false, h);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(GetWndHandler(Edit), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Edit, GWLP_WNDPROC)), &TSpy::Proc);
}

TEST_F(ForeignEdit, TextReachesThePreviousProcedureOnceAndCuesNever)
{
    TSpy previous(Edit);
    TacMainWnd handler(Edit, nullptr, &Skin.Manager, L"EDIT");
    SetWindowTextW(Edit, L"new");
    EXPECT_EQ(previous.Count(WM_SETTEXT), 1);
    EXPECT_EQ(handler.Caption, L"new");

    SendMessageW(Edit, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    EXPECT_EQ(previous.Count(WM_UPDATEUISTATE), 0);

    // WM_PRINT becomes a WM_PAINT that carries the DC.
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(Edit, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    DeleteDC(dc);
    ASSERT_EQ(previous.Count(WM_PAINT), 1);
    EXPECT_EQ(previous.Count(WM_PRINT), 0);
    auto paint = std::find_if(previous.Seen.begin(), previous.Seen.end(), [](const MSG& m) { return m.message == WM_PAINT; });
    EXPECT_EQ(paint->wParam, reinterpret_cast<WPARAM>(dc));
}

TEST_F(ForeignEdit, DestroyingTheWindowDetachesUnlessSomeoneSubclassedItLater)
{
    auto* alone = new TacMainWnd(Edit, nullptr, &Skin.Manager, L"EDIT");
    DestroyWindow(Edit);
    EXPECT_TRUE(alone->Destroyed);
    delete alone;

    HWND edit2 = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, Host, nullptr, nullptr, nullptr);
    auto* covered = new TacMainWnd(edit2, nullptr, &Skin.Manager, L"EDIT");
    TSpy later(edit2);  // subclasses after the handler
    DestroyWindow(edit2);
    EXPECT_FALSE(covered->Destroyed);
    EXPECT_EQ(later.Count(WM_NCDESTROY), 1);  // the later subclasser kept its place to the end
    delete covered;                           // and freeing the handler afterwards is safe
}

TEST_F(ForeignEdit, NoWindowOrADestroyedOneIsRefusedQuietly)
{
    auto* none = new TacMainWnd(nullptr, nullptr, &Skin.Manager, L"EDIT");
    EXPECT_EQ(GetWndHandler(nullptr), nullptr);
    delete none;

    HWND gone = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, Host, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    auto* late = new TacMainWnd(gone, nullptr, &Skin.Manager, L"EDIT");
    EXPECT_EQ(GetWndHandler(gone), nullptr);
    TacMainWnd* h = late;
    UninstallWndHandler(gone, true, true, h);
    EXPECT_EQ(h, nullptr);
    // The living edit is untouched by all of it.
    EXPECT_EQ(GetWndHandler(Edit), nullptr);
    SetWindowTextW(Edit, L"still");
    wchar_t text[16] = {};
    GetWindowTextW(Edit, text, 16);
    EXPECT_STREQ(text, L"still");
}

TEST_F(ForeignEdit, VisualStylesGoOffForTheHandlersLifetimeExceptForDialogs)
{
    {
        TacMainWnd handler(Edit, nullptr, &Skin.Manager, L"EDIT");
        ASSERT_EQ(ThemeCalls.size(), 1u);
        EXPECT_TRUE(ThemeCalls[0].Off);
    }
    ASSERT_EQ(ThemeCalls.size(), 2u);
    EXPECT_FALSE(ThemeCalls[1].Off);

    ThemeCalls.clear();
    auto* dialog = new TacMainWnd(Edit, nullptr, &Skin.Manager, L"DIALOG");
    EXPECT_TRUE(ThemeCalls.empty());
    delete dialog;
}

TEST_F(ForeignEdit, AGivenStateObjectOutlivesItsHandler)
{
    TsCommonData data(nullptr, true);
    data.SetSkinSection(L"EDIT");
    {
        TacMainWnd handler(Edit, &data, nullptr, L"BUTTON");
        EXPECT_FALSE(handler.OwnSkinData);
        EXPECT_EQ(handler.SkinManager, &Skin.Manager);  // taken from the state object
        EXPECT_EQ(data.SkinSection(), L"EDIT");          // an own section stays
    }
    data.BGChanged = false;  // still alive
    EXPECT_EQ(data.SkinIndex, EditSection);
}

TEST_F(ForeignEdit, BackgroundAndStateQueriesAreAnswered)
{
    TacMainWnd handler(Edit, nullptr, &Skin.Manager, L"EDIT");
    EXPECT_EQ(SendMessageW(Edit, SM_LUMACMD, MakeSkinWParam(AC_QUERYBGCOLOR), 0), 0x00FFFFFF);
    handler.SkinData->SetUpdating(true);
    EXPECT_EQ(SendMessageW(Edit, SM_LUMACMD, MakeSkinWParam(AC_QUERYBUSY), 0), 1);
    SendMessageW(Edit, SM_LUMACMD, MakeSkinWParam(AC_SETPRINTDC), 0x77);
    EXPECT_TRUE(handler.SkinData->CtrlSkinState & ACS_PRINTING);
    TBackgroundQuery query;
    SendMessageW(Edit, SM_LUMACMD, MakeSkinWParam(AC_QUERYBGINFO), reinterpret_cast<LPARAM>(&query));
    EXPECT_EQ(query.Kind, bgkColor);
    EXPECT_EQ(query.Color, TColor(0x00FFFFFF));
    EXPECT_EQ(DefaultMinThumbSize(), 10);
}

TEST(FrameworkControlHandler, ReplacesWindowProcAndGivesItBackWithItsStyle)
{
    SkinnedManager skin;
    skin.AddSection(L"PANEL", clBtnFace);
    TForm* form = TForm::CreateNew(nullptr);
    auto* control = new TStateTestControl(form);
    control->SetParent(form);
    control->SetBounds(0, 0, 50, 50);
    TsCommonData data(control, true);
    data.SetSkinSection(L"PANEL");
    const bool wasOpaque = control->ControlStyle().Contains(csOpaque);

    auto* handler = new TacMainWnd(control->Handle(), &data, nullptr, L"PANEL");
    EXPECT_EQ(GetWndHandler(control->Handle()), handler);
    EXPECT_TRUE(control->ControlStyle().Contains(csOpaque));
    EXPECT_EQ(control->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED)), 1);
    control->Subs.clear();
    control->Perform(SM_LUMACMD, MakeSkinWParam(AC_MARKDIRTY));  // not the handler's: passed on
    EXPECT_EQ(control->Subs, std::vector<int>{AC_MARKDIRTY});

    delete handler;
    EXPECT_EQ(control->ControlStyle().Contains(csOpaque), wasOpaque);
    EXPECT_EQ(GetWndHandler(control->Handle()), nullptr);
    EXPECT_EQ(control->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED)), 0);  // the control's own answer
    delete form;
}
