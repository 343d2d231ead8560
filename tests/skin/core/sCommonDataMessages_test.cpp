// The skin commands and ordinary messages a skin state handles for its control: which are
// consumed, what each changes, which messages go on to the control's children, and the copy of
// the cache to a DC with children clipped out.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/Forms.h"
#include "framework/stdctrls/Edit.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "support/PixelBuffer.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;

namespace {

TMessage SkinCmd(int Sub, LPARAM LParam = 0, int Arg = 0)
{
    return TMessage{SM_LUMACMD, MakeSkinWParam(Sub, Arg), LParam, 0};
}

// A skinned panel-like control on the test parent, its skin state and two child controls.
struct SkinnedOwner : ::testing::Test {
    TForm* Host = TForm::CreateNew(nullptr);  // gives the test parent a window when one is needed
    SkinnedManager Skin;
    int Panel = Skin.AddSection(L"PANEL", 0x00C0C0C0);
    TStateTestPanel Owner{nullptr};
    TsCommonData Data{&Owner, true};
    TStateTestControl* Left = new TStateTestControl(nullptr);
    TStateTestControl* RightAnchored = new TStateTestControl(nullptr);

    SkinnedOwner()
    {
        Skin.Parent.SetParent(Host);
        Owner.SetParent(&Skin.Parent);
        Owner.SetBounds(0, 0, 80, 40);
        Left->SetParent(&Owner);
        RightAnchored->SetParent(&Owner);
        RightAnchored->SetAnchors(TAnchors{akLeft, akTop, akRight});
        Data.COC = 51;
        Data.SetSkinSection(L"PANEL");
        Left->Subs.clear();
        RightAnchored->Subs.clear();
    }
    ~SkinnedOwner() override
    {
        Owner.SetParent(nullptr);
        Skin.Parent.SetParent(nullptr);
        delete Host;
    }
    bool Handle(TMessage& M) { return HandleCommonMessage(M, &Data); }
};

} // namespace

TEST_F(SkinnedOwner, QueriesAreConsumedWithTheirAnswerAndSwitchesAreNot)
{
    struct Case {
        int Sub;
        bool Consumed;
    } cases[] = {{AC_QUERYSKINNED, true},  {AC_QUERYBUSY, true},   {AC_QUERYHALFSHOWN, true},
                 {AC_QUERYSTATEBITS, true}, {AC_QUERYAPP, false},  {AC_MARKDIRTY, false},
                 {AC_UPDATINGSTATE, false}, {AC_CHILDPAINTING, false}, {AC_HOTON, false}};
    for (const Case& c : cases) {
        TMessage m = SkinCmd(c.Sub);
        EXPECT_EQ(HandleSkinCmd(m, &Data), c.Consumed) << c.Sub;
    }
    TMessage skinned = SkinCmd(AC_QUERYSKINNED);
    HandleSkinCmd(skinned, &Data);
    EXPECT_EQ(skinned.Result, 1);
    TMessage app = SkinCmd(AC_QUERYAPP);
    HandleSkinCmd(app, &Data);
    EXPECT_EQ(app.Result, reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application)));

    TMessage other{WM_USER, MakeSkinWParam(AC_QUERYSKINNED), 0, 0};
    EXPECT_FALSE(HandleSkinCmd(other, &Data));
    EXPECT_FALSE(HandleSkinCmd(skinned, nullptr));
    EXPECT_FALSE(HandleCommonMessage(skinned, nullptr));
}

TEST_F(SkinnedOwner, OnlyArgumentOneSwitchesOn)
{
    for (int arg : {1, 2, 0}) {
        TMessage updating = SkinCmd(AC_UPDATINGSTATE, 0, arg);
        TMessage urgency = SkinCmd(AC_SETURGENCY, 0, arg);
        Handle(updating);
        Handle(urgency);
        EXPECT_EQ(Data.Updating(), arg == 1) << arg;
        EXPECT_EQ(Data.UrgentPainting, arg == 1) << arg;
    }
}

TEST_F(SkinnedOwner, ASkinOfAnotherManagerIsIgnored)
{
    TsSkinManager other(nullptr);
    Data.SkinIndex = 77;  // would be re-resolved by the own manager
    for (int sub : {AC_SKINLOADED, AC_SKINUNLOADED, AC_RESKIN}) {
        TMessage m = SkinCmd(sub, reinterpret_cast<LPARAM>(&other));
        EXPECT_FALSE(Handle(m));
    }
    EXPECT_EQ(Data.SkinIndex, 77);

    SkinChangeRunning = true;
    TMessage loaded = SkinCmd(AC_SKINLOADED, reinterpret_cast<LPARAM>(&Skin.Manager));
    Handle(loaded);
    EXPECT_EQ(Data.SkinIndex, Panel);
    EXPECT_FALSE(SkinChangeRunning);
}

TEST_F(SkinnedOwner, ARemovedSkinDropsIndexesAndCacheAndGivesAnEditItsColoursBack)
{
    Data.InitCacheBitmap();
    ASSERT_EQ(Data.CacheBmp()->Width(), 80);
    TMessage unloaded = SkinCmd(AC_SKINUNLOADED, reinterpret_cast<LPARAM>(&Skin.Manager));
    EXPECT_FALSE(Handle(unloaded));
    EXPECT_EQ(Data.SkinIndex, -1);
    EXPECT_EQ(Data.BorderIndex, -1);
    EXPECT_EQ(Data.CacheBmp()->Width(), 0);
    EXPECT_TRUE(Data.Updating());

    Skin.AddSection(L"EDIT", EditColor);
    for (bool custom : {false, true}) {
        TEdit edit(nullptr);
        edit.SetParent(&Skin.Parent);
        edit.SetColor(EditColor);
        edit.Font()->SetColor(EditFontColor);
        TsCommonData editData(&edit, true);
        editData.SetSkinSection(L"EDIT");
        editData.SetCustomColor(custom);
        TMessage m = SkinCmd(AC_SKINUNLOADED, reinterpret_cast<LPARAM>(&Skin.Manager));
        HandleSkinCmd(m, &editData);
        EXPECT_EQ(edit.Color(), custom ? EditColor : clWindow) << custom;
        EXPECT_EQ(edit.Font()->Color(), clWindowText);
    }
}

TEST_F(SkinnedOwner, PrintDCSwitchesThePrintingBit)
{
    TMessage start = SkinCmd(AC_SETPRINTDC, 0x1234);
    EXPECT_TRUE(Handle(start));
    EXPECT_EQ(Data.PrintDC, reinterpret_cast<HDC>(0x1234));
    EXPECT_TRUE(Data.CtrlSkinState & ACS_PRINTING);
    TMessage end = SkinCmd(AC_SETPRINTDC, 0);
    EXPECT_TRUE(Handle(end));
    EXPECT_EQ(Data.PrintDC, nullptr);
    EXPECT_FALSE(Data.CtrlSkinState & ACS_PRINTING);
}

TEST_F(SkinnedOwner, SectionQueriesAndAssignments)
{
    std::int32_t index = -5;
    TMessage query = SkinCmd(AC_QUERYSKININDEX, reinterpret_cast<LPARAM>(&index));
    EXPECT_TRUE(Handle(query));
    EXPECT_EQ(index, Panel);

    const int button = Skin.AddSection(L"BUTTON", clBtnFace);
    TacSectionInfo info;
    info.Name = L"button";
    TMessage assign = SkinCmd(AC_ASSIGNSECTION, reinterpret_cast<LPARAM>(&info));
    Handle(assign);
    EXPECT_EQ(Data.SkinIndex, button);

    // A changed section repaints only the controls that show it.
    SkinChangeRunning = true;
    UpdatedSkinSection = L"PANEL";
    TMessage changed = SkinCmd(AC_SECTIONCHANGED);
    Handle(changed);
    EXPECT_TRUE(SkinChangeRunning);
    UpdatedSkinSection = L"BUTTON";
    Handle(changed);
    EXPECT_FALSE(SkinChangeRunning);
}

TEST_F(SkinnedOwner, AHalfTransparentSectionMixesItsColourWithTheParentsAnswer)
{
    Skin.Manager.gd[Panel].Color = 0x000000;
    Skin.Manager.gd[Panel].Transparency = 50;
    Skin.Parent.BgColorAnswer = 0xFFFFFF;
    Skin.Parent.HandleNeeded();
    TMessage m = SkinCmd(AC_QUERYBGCOLOR);
    EXPECT_TRUE(Handle(m));
    EXPECT_EQ(m.Result, 0x313131);
}

TEST_F(SkinnedOwner, ResizingAGradientOwnerTellsOnlyChildrenThatKeepTheirPlace)
{
    TMessage size{WM_SIZE, 0, 0, 0};
    EXPECT_FALSE(Handle(size));  // no gradient: nothing for the children
    EXPECT_TRUE(Left->Subs.empty());

    Skin.Manager.gd[Panel].GradientPercent = 100;
    Handle(size);
    EXPECT_EQ(Left->Subs, std::vector<int>{AC_MOVEDREPAINT});
    EXPECT_TRUE(RightAnchored->Subs.empty());
    EXPECT_TRUE(Data.BGChanged);
}

TEST_F(SkinnedOwner, MovingAnOwnerThatRepaintsWhenMovedRedrawsItsChildren)
{
    Data.UrgentPainting = true;  // repaints when moved
    TMessage move{WM_MOVE, 0, 0, 0};
    Handle(move);
    // The owner's own handler gets sub-command 20, which the skin state then passes on.
    TMessage moved = SkinCmd(AC_MOVEDREPAINT, 0, 1);
    Handle(moved);
    EXPECT_EQ(Left->Subs, std::vector<int>{AC_MOVEDREPAINT});
    EXPECT_EQ(RightAnchored->Subs, std::vector<int>{AC_MOVEDREPAINT});
}

TEST_F(SkinnedOwner, EnteringAContainerMakesItActiveWithoutAHotLook)
{
    Skin.Parent.HandleNeeded();
    TMessage enter{CM_MOUSEENTER, 0, 0, 0};
    EXPECT_FALSE(Handle(enter));
    EXPECT_EQ(Skin.Manager.ActiveControl(), Owner.Handle());
    EXPECT_FALSE(Data.FMouseAbove);

    Data.COC = 3;  // an edit shows the mouse
    Handle(enter);
    EXPECT_TRUE(Data.FMouseAbove);
    TMessage leave{CM_MOUSELEAVE, 0, 0, 0};
    Handle(leave);
    EXPECT_FALSE(Data.FMouseAbove);
    Skin.Manager.SetActiveControl(nullptr);
}

TEST_F(SkinnedOwner, EnteringLetsOtherHotSpeedButtonsGo)
{
    Skin.Parent.HandleNeeded();
    std::vector<TControl*> leaving;
    for (TStateTestControl* c : {Left, RightAnchored}) {
        TWndMethod old = c->WindowProc;
        c->WindowProc = [c, old, &leaving](TMessage& M) {
            if (M.Msg == CM_MOUSELEAVE) leaving.push_back(c);
            old(M);
        };
    }
    SpeedButtonHotTest = [this](TControl* c) { return c == RightAnchored || c == Left; };
    TMessage enter{CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Left), 0};  // the pointer is on Left
    Handle(enter);
    SpeedButtonHotTest = nullptr;
    Skin.Manager.SetActiveControl(nullptr);
    EXPECT_EQ(leaving, std::vector<TControl*>{RightAnchored});
}

TEST_F(SkinnedOwner, FocusCuesAreConsumedOnlyWhileSkinned)
{
    TMessage cues{WM_UPDATEUISTATE, 0, 0, 0};
    EXPECT_TRUE(Handle(cues));
    Data.SetSkinSection(L"NOSUCH");
    EXPECT_FALSE(Handle(cues));
}

TEST_F(SkinnedOwner, HidingEmptiesTheCacheAndShowingMarksItDirty)
{
    Data.InitCacheBitmap();
    TMessage hidden{CM_VISIBLECHANGED, 0, 0, 0};
    Handle(hidden);
    EXPECT_EQ(Data.CacheBmp()->Width(), 0);
    Data.BGChanged = false;
    Data.SetUpdating(true);
    TMessage shown{CM_VISIBLECHANGED, 1, 0, 0};
    Handle(shown);
    EXPECT_TRUE(Data.BGChanged);
    EXPECT_FALSE(Data.Updating());
}

// ---- Copying the cache out ----

namespace {

constexpr std::uint32_t CacheInk = 0xFF2040A0u;  // a pixel of the cache, as stored (BGRA)

void FillCache(TsCommonData& Data, int W, int H)
{
    TBitmap* cache = Data.CacheBmp();
    cache->SetSize(W, H);
    for (int y = 0; y < H; ++y) {
        auto* row = static_cast<std::uint32_t*>(cache->ScanLine(y));
        for (int x = 0; x < W; ++x) row[x] = CacheInk;
    }
}

constexpr COLORREF CacheColour = RGB(0x20, 0x40, 0xA0);

} // namespace

TEST(CacheCopy, ChildrenThatCoverTheControlAreClippedOut)
{
    TStateTestPanel owner(nullptr);
    owner.SetBounds(0, 0, 60, 40);
    auto* graphic = new TStateTestControl(nullptr);  // windowed, not opaque: painted over
    graphic->SetParent(&owner);
    graphic->SetBounds(5, 5, 10, 10);
    auto* opaque = new TStateTestControl(nullptr);
    opaque->SetParent(&owner);
    opaque->SetBounds(30, 5, 10, 10);
    opaque->SetControlStyle(TControlStyle(opaque->ControlStyle()).Include(csOpaque));
    TsCommonData data(&owner, true);
    FillCache(data, 60, 40);

    kvltest::TPixelBuffer target(60, 40, false);
    CopyCacheToDC(&owner, &data, TRect{0, 0, 60, 40}, 2, 0, false, target.DC(), TRect{0, 0, 60, 40});
    EXPECT_EQ(target.At(0, 0), CacheColour);
    EXPECT_EQ(target.At(7, 7), CacheColour);        // a plain windowed child leaves the copy alone
    EXPECT_EQ(target.At(32, 7), 0u);                 // the opaque child, moved down by 2
    EXPECT_EQ(target.At(32, 6), CacheColour);
    EXPECT_EQ(target.At(59, 39), CacheColour);

    TsCommonData noCache(&owner, false);
    kvltest::TPixelBuffer untouched(10, 10, false);
    CopyCacheToDC(&owner, &noCache, TRect{0, 0, 10, 10}, 0, 0, false, untouched.DC(), TRect{0, 0, 10, 10});
    EXPECT_EQ(untouched.At(5, 5), 0u);
}

TEST(CacheCopy, AGroupBoxWindowShowsTheCacheInsideItsFrame)
{
    SkinnedManager skin;
    const int box = skin.AddSection(L"GROUPBOX", clBtnFace);
    skin.Manager.gd[box].BorderIndex = skin.AddBorder(3, 3, 3, 3);
    TForm* form = TForm::CreateNew(nullptr);
    form->SetBounds(0, 0, 200, 120);
    HWND host = form->Handle();
    HWND group = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 60, 50, host,
                                 nullptr, nullptr, nullptr);
    HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 100, 10, 30, 30, host, nullptr, nullptr,
                                 nullptr);
    form->Show();  // only visible children cover the window
    TsCommonData data(nullptr, true);
    FillCache(data, 200, 120);

    kvltest::TPixelBuffer target(200, 120, false);
    CopyCacheToWndDC(host, &data, TRect{0, 0, 200, 120}, 0, 0, false, target.DC(), TRect{0, 0, 200, 120});
    EXPECT_EQ(target.At(5, 5), CacheColour);
    EXPECT_EQ(target.At(11, 30), 0u);            // left band of the frame
    EXPECT_EQ(target.At(40, 30), CacheColour);   // inside the box
    EXPECT_EQ(target.At(40, 58), 0u);            // bottom band
    EXPECT_EQ(target.At(110, 20), 0u);           // the plain child is clipped out whole
    DestroyWindow(group);
    DestroyWindow(plain);
    delete form;
}
