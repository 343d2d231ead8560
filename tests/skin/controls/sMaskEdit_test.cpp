// The skinned edit: the cache holds the "EDIT" frame and the text, a focused edit shows the hot
// frame around the system's own client, and WM_PRINT paints into its DC only.
#include "skin/controls/sMaskEdit.h"

#include <gtest/gtest.h>

#include "framework/system/StringUtils.h"
#include "skin/controls/sLabel.h"
#include "tests/framework/controls/ControlFixtures.h"
#include "tests/support/ControlTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;
using skinpaint_test::PixelOf;
using skintest::Bmp32;
using skintest::Px;

using namespace kvltest;

namespace {

constexpr TColor EditFace = 0x00F0E0D0, EditHotFace = 0x00D0F0E0, FrameNormal = 0x000000C0, FrameHot = 0x0000C000;

std::uint32_t Opaque(std::uint32_t Pixel) { return Pixel | 0xFF000000u; }

class SkinnedEdits : public FormTest {
protected:
    SkinnedManager M;
    void SetUp() override
    {
        FormTest::SetUp();
        const int section = M.AddSection(L"EDIT", EditFace);
        M.Manager.gd[section].HotColor = EditHotFace;
        M.Manager.gd[section].FontColor.Color = clBlack;
        // A border of 2 pixels on each side, a frame per state: normal, hot.
        TsMaskData mask;
        mask.Bmp = Bmp32(10, 5, [](int X, int) { return X < 5 ? PixelOf(FrameNormal) : PixelOf(FrameHot); });
        mask.R = TRect{0, 0, 10, 5};
        mask.ImageCount = 2;
        mask.WL = mask.WT = mask.WR = mask.WB = 2;
        mask.Manager = &M.Manager;
        M.Manager.ma.push_back(std::move(mask));
        M.Manager.gd[section].BorderIndex = static_cast<int>(M.Manager.ma.size()) - 1;
    }
    TsEdit* AddEdit(const String& Text)
    {
        auto* edit = new TsEdit(Form);
        edit->SetBounds(10, 10, 80, 22);
        edit->SetParent(Form);
        edit->SkinData()->UpdateIndexes();
        edit->SetText(Text);
        return edit;
    }
    std::uint32_t CacheAt(TsEdit* Edit, int X, int Y)
    {
        return Opaque(Px(*Edit->SkinData()->CacheBmp(), X, Y));
    }
    // Some pixel of the text row is dark.
    bool HasInk(TsEdit* Edit)
    {
        TBitmap* cache = Edit->SkinData()->CacheBmp();
        for (int y = 3; y < cache->Height() - 3; ++y)
            for (int x = 3; x < cache->Width() - 3; ++x)
                if ((Px(*cache, x, y) & 0xFF) < 0x60) return true;
        return false;
    }
};

TEST_F(SkinnedEdits, TheCacheHoldsTheFrameTheFaceAndTheText)
{
    TsEdit* edit = AddEdit(L"Wide");
    ASSERT_TRUE(edit->SkinData()->Skinned());
    edit->PrepareCache();
    EXPECT_EQ(CacheAt(edit, 0, 0), PixelOf(FrameNormal));
    EXPECT_EQ(CacheAt(edit, 79, 21), PixelOf(FrameNormal));
    EXPECT_EQ(CacheAt(edit, 60, 11), PixelOf(EditFace));
    EXPECT_EQ(edit->EditBorderWidth(), 3);
    EXPECT_TRUE(HasInk(edit));

    TsEdit* empty = AddEdit(L"");
    empty->PrepareCache();
    EXPECT_FALSE(HasInk(empty)) << "an empty text leaves the face bare";
}

TEST_F(SkinnedEdits, AnEditWithoutBorderHasNoStrips)
{
    TsEdit* edit = AddEdit(L"x");
    edit->SetBorderStyle(bsNone);
    edit->PrepareCache();
    EXPECT_EQ(edit->EditBorderWidth(), 0);
    EXPECT_EQ(CacheAt(edit, 0, 0), PixelOf(EditFace));
    ShowActive();
    HDC dc = GetWindowDC(edit->Handle());
    SetPixel(dc, 0, 0, RGB(1, 2, 3));
    edit->PaintBorder(nullptr);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(1, 2, 3)) << "PaintBorder draws nothing";
    ReleaseDC(edit->Handle(), dc);
}

TEST_F(SkinnedEdits, AFocusedEditShowsTheHotFrameAroundTheSystemsClient)
{
    TsEdit* edit = AddEdit(L"x");
    ShowActive();
    edit->SetFocus();
    PumpPending();
    ASSERT_TRUE(edit->IsActive());
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    HDC dc = GetWindowDC(edit->Handle());
    const COLORREF frame = GetPixel(dc, 0, 0);
    const COLORREF client = GetPixel(dc, 60, 11);
    ReleaseDC(edit->Handle(), dc);
    EXPECT_EQ(frame, ColorToRGB(FrameHot));
    EXPECT_EQ(CacheAt(edit, 0, 0), PixelOf(FrameHot));
    EXPECT_EQ(client, ColorToRGB(EditFace)) << "the system edit paints its client in the edit's colour";
    EXPECT_EQ(CacheAt(edit, 60, 11), PixelOf(EditHotFace)) << "not the hot face of the cache";
}

TEST_F(SkinnedEdits, ADisabledEditIsBlendedWithItsParent)
{
    TsEdit* edit = AddEdit(L"x");
    edit->SetEnabled(false);
    edit->PrepareCache();
    const std::uint32_t face = CacheAt(edit, 60, 11);
    EXPECT_NE(face, PixelOf(EditFace));
    EXPECT_NE(face, PixelOf(Form->Color()));
}

TEST_F(SkinnedEdits, APasswordShowsOneCharacterPerCharacter)
{
    TsEdit* secret = AddEdit(L"abcd");
    secret->SetPasswordChar(L'*');
    TsEdit* stars = AddEdit(L"****");
    secret->PrepareCache();
    stars->PrepareCache();
    TBitmap* a = secret->SkinData()->CacheBmp();
    TBitmap* b = stars->SkinData()->CacheBmp();
    int differing = 0;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x) differing += Px(*a, x, y) != Px(*b, x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(HasInk(secret));
}

TEST_F(SkinnedEdits, PrintPaintsIntoItsDCOnly)
{
    TsEdit* edit = AddEdit(L"x");
    ShowActive();
    edit->Update();
    HDC wdc = GetWindowDC(edit->Handle());
    SetPixel(wdc, 0, 0, RGB(1, 2, 3));
    auto target = Bmp32(80, 22, 0xFFFFFFFFu);
    SendMessageW(edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(target->Canvas()->Handle()),
                 PRF_CLIENT | PRF_NONCLIENT);
    GdiFlush();
    EXPECT_EQ(GetPixel(wdc, 0, 0), RGB(1, 2, 3)) << "the screen is left alone";
    ReleaseDC(edit->Handle(), wdc);
    // The look of the moment (the edit may be hot), from the cache.
    EXPECT_TRUE(CacheAt(edit, 0, 0) == PixelOf(FrameNormal) || CacheAt(edit, 0, 0) == PixelOf(FrameHot));
    EXPECT_EQ(Opaque(Px(*target, 0, 0)), CacheAt(edit, 0, 0));
    EXPECT_EQ(Opaque(Px(*target, 60, 11)), CacheAt(edit, 60, 11));
    EXPECT_NE(Opaque(Px(*target, 60, 11)), 0xFFFFFFFFu);
}

TEST_F(SkinnedEdits, AnotherManagersSkinIsNotTheEditsOwn)
{
    TsEdit* edit = AddEdit(L"x");
    ShowActive();
    edit->Update();
    TsSkinManager other(nullptr);
    for (auto [manager, invalidated] : {std::pair{&other, false}, {&M.Manager, true}}) {
        ValidateRect(edit->Handle(), nullptr);
        SendMessageW(edit->Handle(), SM_LUMACMD, MakeSkinWParam(AC_SKINUNLOADED), reinterpret_cast<LPARAM>(manager));
        EXPECT_EQ(GetUpdateRect(edit->Handle(), nullptr, FALSE) != 0, invalidated);
    }
}

TEST_F(SkinnedEdits, TheBoundLabelStaysEnabledOnlyWithoutTheBlendedLook)
{
    TsEdit* edit = AddEdit(L"x");
    edit->SetName(L"FirstDay");
    edit->BoundLabel()->SetActive(true);
    auto* label = dynamic_cast<TsEditLabel*>(edit->BoundLabel()->TheLabel());
    ASSERT_NE(label, nullptr);
    for (auto [kind, labelEnabled] : {std::pair{TsDisabledKind{dkBlended}, false}, {TsDisabledKind{}, true}}) {
        edit->SetEnabled(true);
        edit->SetDisabledKind(kind);
        edit->SetEnabled(false);
        EXPECT_EQ(label->Enabled(), labelEnabled);
    }
    edit->SetVisible(false);
    EXPECT_FALSE(label->Visible());
}

} // namespace

namespace {

// A change to a skin name that finds nothing takes the skin away: the edit hears of it and is
// back in the system's colours with no cache of the old skin.
TEST_F(SkinnedEdits, ASkinNameThatFindsNothingGivesTheEditTheSystemsColours)
{
    TsEdit* edit = AddEdit(L"x");
    edit->SkinData()->ApplySkinColors(true);
    ASSERT_EQ(edit->Color(), EditFace);
    // The test's form belongs to no application: it hears the manager as a skinned form.
    RegisterSkinnedForm(Form);
    M.Manager.SetSkinDirectory(ExcludeTrailingPathDelimiter(kvltest::TempDir(L"noskins")));
    M.Manager.SetSkinName(L"NoSuchSkin");
    UnregisterSkinnedForm(Form);
    EXPECT_FALSE(M.Manager.Active());
    EXPECT_EQ(edit->SkinData()->SkinIndex, -1);
    EXPECT_EQ(edit->Color(), clWindow);
    EXPECT_EQ(edit->Font()->Color(), clWindowText);
}

} // namespace
