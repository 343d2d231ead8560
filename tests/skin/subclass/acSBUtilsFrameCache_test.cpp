// The frame cache of handlers that paint a window's border: the plain frame against the skin's
// border colour, the section over the parent's background, a window without parent, and the
// border mask's key-coloured corners showing the parent through.
#include <gtest/gtest.h>

#include "framework/controls/Forms.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtils.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;
using skinpaint_test::Key;
using skinpaint_test::PixelOf;
using skintest::Bmp32;
using skintest::Px;

namespace {

constexpr TColor SectionColor = 0x00406080;
// The parent's picture names each pixel's place, so that a wrong offset shows.
constexpr std::uint32_t ParentAt(int X, int Y) { return skinpaint_test::Coded(X, Y); }
constexpr std::uint32_t CacheInk = 0xFF445566u;

// A shown form holding a parent control that describes its background as a bitmap of one
// colour, and a STATIC window on it with a handler of the "EDIT" section.
struct FrameCache : ::testing::Test {
    SkinnedManager Skin;
    int Edit = Skin.AddSection(L"EDIT", SectionColor);
    TForm* Form = TForm::CreateNew(nullptr);
    std::unique_ptr<TBitmap> ParentPicture = Bmp32(200, 100, [](int X, int Y) { return ParentAt(X, Y); });
    HWND Wnd = nullptr;
    TacMainWnd* Handler = nullptr;

    FrameCache()
    {
        Form->SetBounds(0, 0, 220, 140);
        Skin.Parent.SetParent(Form);
        Skin.Parent.SetBounds(0, 0, 200, 100);
        Skin.Parent.AnswerBitmap = ParentPicture.get();
        Wnd = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 10, 40, 20, Skin.Parent.Handle(), nullptr,
                              nullptr, nullptr);
        Handler = new TacMainWnd(Wnd, nullptr, &Skin.Manager, L"EDIT");
        ReadWndPlacement(Wnd, Handler->ParentWnd, Handler->WndRect, Handler->ParentRect, Handler->WndSize, Handler->WndPos);
    }
    ~FrameCache() override
    {
        delete Handler;
        DestroyWindow(Wnd);
        Skin.Parent.SetParent(nullptr);
        delete Form;
    }
    TBitmap& Cache() { return *Handler->SkinData->CacheBmp(); }
};

} // namespace

TEST_F(FrameCache, APlainFrameNeedsTheSkinsBorderColour)
{
    Skin.Manager.SkinData.BorderColor = 0x000000FF;
    PrepareFrameCache(Handler->SkinData, Wnd, true);
    ASSERT_EQ(Cache().Width(), 40);
    EXPECT_EQ(Px(Cache(), 0, 0), PixelOf(0x000000FF));
    EXPECT_EQ(Px(Cache(), 20, 10), PixelOf(ColorToRGB(clWindow)));
    EXPECT_FALSE(Handler->SkinData->BGChanged);

    Skin.Manager.SkinData.BorderColor = 0xFF00FF;  // none: the section is painted instead
    Handler->SkinData->BGChanged = true;
    PrepareFrameCache(Handler->SkinData, Wnd, true);
    EXPECT_EQ(Px(Cache(), 20, 10), PixelOf(SectionColor));
}

TEST_F(FrameCache, AWindowWithoutParentStaysUnpaintedAndChanged)
{
    HWND top = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 30, 30, nullptr, nullptr, nullptr, nullptr);
    TsCommonData data(nullptr, true);
    data.SetSkinSection(L"EDIT");
    PrepareFrameCache(&data, top, false);
    EXPECT_TRUE(data.BGChanged);
    EXPECT_NE(Px(*data.CacheBmp(), 5, 5), PixelOf(SectionColor));  // sized, never painted
    DestroyWindow(top);

    data.BGChanged = false;  // nothing to do while the cache is current
    PrepareFrameCache(&data, Wnd, false);
    EXPECT_EQ(data.CacheBmp()->Width(), 30);
}

TEST_F(FrameCache, OnlyKeyColouredCornerPixelsShowTheParent)
{
    // Two 5 x 5 border images (corners 2 wide): the first has the key at its top-left pixel, the
    // second at the pixel right of it and at its bottom-right pixel.
    const int mask = Skin.AddBorder(2, 2, 2, 2);
    TsMaskData& m = Skin.Manager.ma[mask];
    m.Bmp = Bmp32(10, 5, [](int X, int Y) {
        if (X == 0 && Y == 0) return Key;
        if ((X == 6 && Y == 0) || (X == 9 && Y == 4)) return Key;
        return 0xFF000000u;
    });
    m.R = TRect{0, 0, 10, 5};
    m.ImageCount = 2;
    Skin.Manager.gd[Edit].BorderIndex = mask;
    Handler->SkinData->UpdateIndexes();
    Cache().SetSize(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) skintest::SetPx(Cache(), x, y, CacheInk);

    RestoreCornerBackground(Handler->SkinData, 0, Handler);
    EXPECT_EQ(Px(Cache(), 0, 0), ParentAt(20, 10));  // the window stands at (20, 10)
    EXPECT_EQ(Px(Cache(), 1, 0), CacheInk);
    EXPECT_EQ(Px(Cache(), 39, 19), CacheInk);

    RestoreCornerBackground(Handler->SkinData, 7, Handler);  // past the last image: the last
    EXPECT_EQ(Px(Cache(), 1, 0), ParentAt(21, 10));
    EXPECT_EQ(Px(Cache(), 39, 19), ParentAt(59, 29));
    EXPECT_EQ(Px(Cache(), 38, 19), CacheInk);

    skintest::SetPx(Cache(), 0, 0, CacheInk);
    Handler->DlgMode = true;  // dialogs paint their own corners
    RestoreCornerBackground(Handler->SkinData, 0, Handler);
    EXPECT_EQ(Px(Cache(), 0, 0), CacheInk);
}

TEST_F(FrameCache, AHotLookNeedsMoreThanOneImageOrState)
{
    EXPECT_FALSE(HasHotLook(Handler->SkinData));  // no border
    const int mask = Skin.AddBorder(1, 1, 1, 1);
    Skin.Manager.gd[Edit].BorderIndex = mask;
    Handler->SkinData->UpdateIndexes();
    Skin.Manager.gd[Edit].States = 1;
    EXPECT_FALSE(HasHotLook(Handler->SkinData));
    Skin.Manager.gd[Edit].States = 2;
    EXPECT_TRUE(HasHotLook(Handler->SkinData));
    Skin.Manager.gd[Edit].States = 1;
    Skin.Manager.ma[mask].ImageCount = 3;
    EXPECT_TRUE(HasHotLook(Handler->SkinData));
}
