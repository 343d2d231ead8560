// The per-control skin state against a manager holding a skin made here: section names and
// their announcements, default sections, update nesting, background state, skin colours, the
// cache bitmap and the background a control describes to its children.
#include <gtest/gtest.h>

#include <vector>

#include "skin/core/sBorders.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "support/ControlTestSupport.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinpaint_test;
using namespace skinstate_test;
using skintest::Bmp32;
using skintest::Px;


TEST(sCommonData, SectionNamesAreUpperCasedAndAnEmptyOneIsUnknown)
{
    SkinnedManager m;
    int button = m.AddSection(L"BUTTON", clBtnFace);
    TStateTestControl control(nullptr);
    control.SetParent(&m.Parent);
    TsCommonData data(&control, true);

    data.SetSkinSection(L"button");
    EXPECT_EQ(data.SkinSection(), L"BUTTON");
    EXPECT_EQ(data.SkinIndex, button);
    EXPECT_TRUE(data.Skinned());
    EXPECT_EQ(control.Subs, std::vector<int>{AC_RESKIN});

    data.SetSkinSection(L"");
    EXPECT_EQ(data.SkinSection(), L"UNKNOWN");
    EXPECT_EQ(data.SkinIndex, -1);
    EXPECT_FALSE(data.Skinned());
    EXPECT_EQ(control.Subs, (std::vector<int>{AC_RESKIN, AC_SKINUNLOADED}));
    data.SetSkinSection(L"UNKNOWN");  // unchanged: nothing is announced
    EXPECT_EQ(control.Subs.size(), 2u);
}

TEST(sCommonData, AControlWithoutSectionTakesTheDefaultOfItsTypeCode)
{
    SkinnedManager m;
    struct Case {
        int COC;
        const wchar_t* Section;
    } cases[] = {{19, L"BAR"},        {3, L"EDIT"},           {12, L"COMBOBOX"},
                 {93, L"BUTTON"},     {226, L"GROUPBOX"},     {141, L"PAGECONTROL"},
                 {52, L"PANEL_LOW"},  {300, L"TSTATETESTCONTROL"}, {0, L"TSTATETESTCONTROL"}};
    for (const Case& c : cases) {
        TStateTestControl control(nullptr);
        TsCommonData data(&control, false);
        data.COC = c.COC;
        data.Loaded();
        EXPECT_EQ(data.SkinSection(), c.Section) << "code " << c.COC;
    }
}

TEST(sCommonData, NestedUpdatesEndOnlyWithTheOutermostEndUpdate)
{
    TStateTestControl control(nullptr);
    TsCommonData data(&control, false);
    data.BeginUpdate();
    data.BeginUpdate();
    EXPECT_TRUE(data.CtrlSkinState & ACS_LOCKED);
    data.EndUpdate();
    EXPECT_EQ(control.Subs, (std::vector<int>{AC_UPDATESTART, AC_UPDATESTART}));
    data.EndUpdate();
    EXPECT_EQ(control.Subs, (std::vector<int>{AC_UPDATESTART, AC_UPDATESTART, AC_UPDATEDONE}));
    EXPECT_FALSE(data.CtrlSkinState & ACS_LOCKED);
}

TEST(sCommonData, BackgroundStateFollowsTransparencyBordersAndTheParentsState)
{
    SkinnedManager m;
    int panel = m.AddSection(L"PANEL", clBtnFace, 100);
    TStateTestPanel owner(nullptr);
    owner.SetParent(&m.Parent);
    TsCommonData data(&owner, true);

    // See-through over a parent with a plain background: plain, and the panel says so.
    m.Parent.StateBits = ACS_FAST;
    data.SetSkinSection(L"PANEL");
    EXPECT_FALSE(data.HasComplexBackground());
    EXPECT_TRUE(data.CtrlSkinState & ACS_FAST);
    // Over a parent whose background is not plain: complex.
    m.Parent.StateBits = 0;
    data.UpdateIndexes();
    EXPECT_TRUE(data.HasComplexBackground());
    EXPECT_FALSE(data.CtrlSkinState & ACS_FAST);

    struct Case {
        int Transparency, ImagePercent, GradientPercent;
        bool Complex;
    } cases[] = {{0, 0, 0, false}, {30, 0, 0, true}, {0, 10, 0, true}, {0, 0, 5, true}};
    for (const Case& c : cases) {
        m.Manager.gd[panel].Transparency = c.Transparency;
        m.Manager.gd[panel].ImagePercent = c.ImagePercent;
        m.Manager.gd[panel].GradientPercent = c.GradientPercent;
        data.UpdateIndexes();
        EXPECT_EQ(data.HasComplexBackground(), c.Complex) << c.Transparency << "/" << c.ImagePercent;
    }
    // A wide border makes any background complex.
    m.Manager.gd[panel].Transparency = m.Manager.gd[panel].ImagePercent = m.Manager.gd[panel].GradientPercent = 0;
    m.Manager.gd[panel].BorderIndex = m.AddBorder(12, 1, 9, 1);
    data.UpdateIndexes();
    EXPECT_TRUE(data.HasComplexBackground());
}

TEST(sCommonData, CustomColorKeepsTheOwnersColorButTakesTheSkinsFontColor)
{
    SkinnedManager m;
    int edit = m.AddSection(L"EDIT", EditColor);
    m.Manager.gd[edit].FontColor.Color = EditFontColor;
    for (bool custom : {false, true}) {
        TStateTestControl owner(nullptr);
        owner.SetParent(&m.Parent);
        owner.SetColor(clYellow);
        TsCommonData data(&owner, true);
        data.COC = 3;
        data.SetCustomColor(custom);
        data.Loaded();
        EXPECT_EQ(data.SkinSection(), L"EDIT");
        EXPECT_EQ(owner.Color(), custom ? clYellow : EditColor);
        EXPECT_EQ(owner.Font()->Color(), EditFontColor);
    }
}

TEST(sCommonData, MaxBorderWidthIsTheWidestSideUnlessTheBorderIsHotOnly)
{
    SkinnedManager m;
    int section = m.AddSection(L"EDIT", EditColor);
    TStateTestControl owner(nullptr);
    TsCommonData data(&owner, true);
    EXPECT_EQ(data.MaxBorderWidth(), 0);
    for (int mode : {0, 2, 4, 6}) {
        m.Manager.gd[section].BorderIndex = m.AddBorder(2, 5, 3, 1, mode);
        data.SetSkinSection(L"EDIT");
        data.UpdateIndexes();
        EXPECT_EQ(data.MaxBorderWidth(), (mode & 2) ? 0 : 5) << "draw mode " << mode;
    }
}

TEST(sCommonData, TheCacheFollowsTheOwnersSizeAndEmptiesToNothing)
{
    TStateTestControl owner(nullptr);
    TsCommonData data(&owner, true);
    ASSERT_NE(data.CacheBmp(), nullptr);
    EXPECT_TRUE(data.CacheBmp()->Empty());
    owner.SetBounds(0, 0, 30, 12);
    data.InitCacheBitmap();
    EXPECT_EQ(data.CacheBmp()->Width(), 30);
    EXPECT_EQ(data.CacheBmp()->Height(), 12);
    EXPECT_EQ(data.CacheBmp()->BitsPerPixel(), 32);
    data.EmptyCache();
    EXPECT_TRUE(data.CacheBmp()->Empty());
}

TEST(sCommonData, ADescribedBackgroundIsAColourABitmapOrTheParentsOwn)
{
    SkinnedManager m;
    int panel = m.AddSection(L"PANEL", EditColor);
    TStateTestPanel owner(nullptr);
    owner.SetParent(&m.Parent);
    owner.SetBounds(4, 6, 10, 10);
    TsCommonData data(&owner, true);
    data.SetSkinSection(L"PANEL");

    TBackgroundQuery plain;
    data.DescribeBackground(plain, false);
    EXPECT_EQ(plain.Kind, bgkColor);
    EXPECT_EQ(plain.Color, EditColor);

    // A gradient: the cache itself, at its origin.
    m.Manager.gd[panel].GradientPercent = 50;
    data.InitCacheBitmap();
    TBackgroundQuery cached;
    data.DescribeBackground(cached, false);
    EXPECT_EQ(cached.Kind, bgkBitmap);
    EXPECT_EQ(cached.Bitmap, data.CacheBmp());

    // See-through with its cache out of date: the parent's bitmap, moved to the owner's place.
    m.Manager.gd[panel].Transparency = 100;
    auto parentCache = Bmp32(40, 40, 0xFF123456u);
    m.Parent.AnswerBitmap = parentCache.get();
    data.BGChanged = true;
    TBackgroundQuery passed;
    data.DescribeBackground(passed, false);
    EXPECT_EQ(passed.Kind, bgkBitmap);
    EXPECT_EQ(passed.Bitmap, parentCache.get());
    EXPECT_EQ(passed.OffsetX, 4);
    EXPECT_EQ(passed.OffsetY, 6);
    TCacheInfo ci = data.GetParentCacheInfo();
    EXPECT_TRUE(ci.Ready);
    EXPECT_EQ(ci.Bmp, parentCache.get());
    EXPECT_EQ(ci.X, 4);
}

TEST(sCommonData, WithoutManagerOrSectionNothingIsSkinned)
{
    TStateTestControl owner(nullptr);
    owner.SetColor(clAqua);
    TsCommonData data(&owner, true);
    data.SetSkinSection(L"EDIT");
    EXPECT_FALSE(data.Skinned());
    EXPECT_EQ(data.SkinIndex, -1);
    EXPECT_EQ(data.StateBackColor(false), clAqua);
    EXPECT_FALSE(data.HasComplexBackground());
    TBackgroundQuery q;
    data.DescribeBackground(q, true);
    EXPECT_EQ(q.Kind, bgkColor);
    EXPECT_EQ(q.Color, clAqua);
    auto bmp = Bmp32(4, 4, 0x11223344u);
    DrawControlSkin(&data, EmptyCI, true, bmp.get(), TPoint{0, 0}, TRect{0, 0, 4, 4}, 0);
    EXPECT_EQ(Px(*bmp, 2, 2), 0x11223344u);
}

TEST(sCommonData, BorderFromMaskFillsTheBandUpToTheBorderWidthAndCopiesTheRing)
{
    SkinnedManager m;
    int panel = m.AddSection(L"PANEL", EditColor);
    TStateTestPanel owner(nullptr);
    owner.SetParent(&m.Parent);
    owner.SetBounds(0, 0, 20, 20);
    TsCommonData data(&owner, true);
    data.SetSkinSection(L"PANEL");
    const TRect r{0, 0, 20, 20};

    // No border mask and no width: nothing painted, the client area left as it was.
    auto screen = Bmp32(20, 20, 0x11223344u);
    TRect client{1, 2, 3, 4};
    PaintBorderFromMask(screen->Canvas()->Handle(), r, 0, client, 0, &data);
    GdiFlush();
    EXPECT_TRUE(kvltest::SameRect(client, TRect{1, 2, 3, 4}));
    EXPECT_TRUE(skintest::All(*screen, 0x11223344u));

    // A 3-pixel mask border inside a 5-pixel border width: a 2-pixel band of the state colour.
    m.Manager.gd[panel].BorderIndex = m.AddBorder(3, 3, 3, 3);
    data.UpdateIndexes();
    PaintBorderFromMask(screen->Canvas()->Handle(), r, 5, client, 0, &data);
    GdiFlush();
    EXPECT_TRUE(kvltest::SameRect(client, TRect{5, 5, 15, 15}));
    TBitmap& cache = *data.CacheBmp();
    EXPECT_EQ(Px(cache, 2, 10), 0xFF000000u);  // the mask's own border
    EXPECT_EQ(Px(cache, 3, 10), PixelOf(EditColor));
    EXPECT_EQ(Px(cache, 4, 10), PixelOf(EditColor));
    EXPECT_EQ(Px(cache, 10, 16), PixelOf(EditColor));
    EXPECT_NE(Px(cache, 5, 10), PixelOf(EditColor));
    // The ring of the border width reaches the device context; the inside does not.
    EXPECT_EQ(Px(*screen, 4, 10) & 0x00FFFFFFu, PixelOf(EditColor) & 0x00FFFFFFu);
    EXPECT_EQ(Px(*screen, 10, 10), 0x11223344u);
}

TEST(sCommonData, GdiObjectsStayFlatOverTenThousandPaints)
{
    SkinnedManager m;
    int panel = m.AddSection(L"PANEL", EditColor, 40);
    m.Manager.gd[panel].BorderIndex = m.AddBorder(2, 2, 2, 2);
    TStateTestPanel owner(nullptr);
    owner.SetParent(&m.Parent);
    owner.SetBounds(0, 0, 24, 16);
    TsCommonData data(&owner, true);
    data.SetSkinSection(L"PANEL");
    auto screen = Bmp32(24, 16, 0x11223344u);
    HDC dc = screen->Canvas()->Handle();
    const TRect r{0, 0, 24, 16};
    auto paint = [&](int I) {
        data.InitCacheBitmap();
        TCacheInfo onColour;
        onColour.FillColor = clWhite;
        DrawControlSkin(&data, onColour, true, data.CacheBmp(), TPoint{0, 0}, r, I % 2);
        TRect client = r;
        PaintBorderFromMask(dc, r, 3, client, I % 2, &data);
        DrawSectionToDC(data.SkinIndex, L"PANEL", onColour, data.Skin(), dc, TPoint{0, 0}, TRect{2, 2, 10, 10}, I % 2);
    };
    paint(0);
    const unsigned before = GdiObjectCount();
    ASSERT_GT(before, 0u) << "the process's GDI objects cannot be counted here";
    for (int i = 0; i < 10000; ++i) paint(i);
    EXPECT_LE(GdiObjectCount(), before + 2);
}

TEST(sCommonData, CacheCornersTakeTheParentsPixelsWhereTheBorderIsTransparent)
{
    SkinnedManager m;
    int panel = m.AddSection(L"PANEL", EditColor);
    int border = m.AddBorder(1, 1, 1, 1);
    skintest::SetPx(*m.Manager.ma[border].Bmp, 0, 0, Key);
    m.Manager.gd[panel].BorderIndex = border;
    auto parentCache = Bmp32(40, 40, [](int X, int Y) { return Coded(X, Y, 0x99); });
    m.Parent.AnswerBitmap = parentCache.get();
    TStateTestPanel owner(nullptr);
    owner.SetParent(&m.Parent);
    owner.SetBounds(4, 6, 10, 10);
    TsCommonData data(&owner, true);
    data.SetSkinSection(L"PANEL");
    data.InitCacheBitmap();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) skintest::SetPx(*data.CacheBmp(), x, y, 0xFF000000u);
    FillCacheCorners(&data, 0);
    EXPECT_EQ(Px(*data.CacheBmp(), 0, 0), Coded(4, 6, 0x99) & 0x00FFFFFFu);  // a plain border: alpha 0
    EXPECT_EQ(Px(*data.CacheBmp(), 9, 0), 0xFF000000u);
    EXPECT_EQ(Px(*data.CacheBmp(), 1, 1), 0xFF000000u);
}

TEST(sCommonData, ControlSkinShiftsHueOnlyWhereTheSectionIsOpaqueOrBordered)
{
    SkinnedManager m;
    int panel = m.AddSection(L"PANEL", EditColor);
    TStateTestPanel owner(nullptr);
    owner.SetBounds(0, 0, 4, 4);
    TsCommonData data(&owner, true);
    data.SetSkinSection(L"PANEL");
    data.SetHUEOffset(120);
    TCacheInfo onBlack;
    onBlack.FillColor = clBlack;
    auto opaque = Bmp32(4, 4, 0x11223344u);
    DrawControlSkin(&data, onBlack, true, opaque.get(), TPoint{0, 0}, TRect{0, 0, 4, 4}, 0);
    EXPECT_NE(Px(*opaque, 1, 1), PixelOf(EditColor));
    m.Manager.gd[panel].Transparency = 50;
    auto seeThrough = Bmp32(4, 4, 0x11223344u);
    DrawControlSkin(&data, onBlack, true, seeThrough.get(), TPoint{0, 0}, TRect{0, 0, 4, 4}, 0);
    EXPECT_EQ(Px(*seeThrough, 1, 1), PixelOf(MixColors(clBlack, EditColor, 0.5)));
}

TEST(sCommonData, AParentThatDoesNotAnswerReportsItsColourOrItsColourAnswer)
{
    TStateTestParent parent(nullptr);
    parent.SetColor(clTeal);
    TBackgroundQuery q;
    EXPECT_FALSE(QueryControlBackground(q, &parent, false));
    EXPECT_EQ(q.Kind, bgkColor);
    EXPECT_EQ(q.Color, ColorToRGB(clTeal));
    parent.BgColorAnswer = 0x00345678;
    EXPECT_FALSE(QueryControlBackground(q, &parent, false));
    EXPECT_EQ(q.Color, static_cast<TColor>(0x00345678));
    TCacheInfo ci = BackgroundToCacheInfo(q);
    EXPECT_FALSE(ci.Ready);
    EXPECT_EQ(ci.FillColor, static_cast<TColor>(0x00345678));
}

namespace {

// Stands for the component that skins a form: owned by the form, its skin state has no control.
class TFormSkinner : public TComponent {
public:
    using TComponent::TComponent;
};

} // namespace

TEST(sCommonData, AFormsSkinStateReportsAPlainBackgroundAndPaintsInTheFormsColour)
{
    SkinnedManager m;
    const int section = m.AddSection(L"FORM", 0x00C08040);
    std::unique_ptr<TForm> form(TForm::CreateNew(nullptr));
    auto* skinner = new TFormSkinner(form.get());
    TsCommonData data(skinner, true);
    ASSERT_EQ(data.ProviderForm(), form.get());

    data.SetSkinSection(L"FORM");
    EXPECT_TRUE(data.CtrlSkinState & ACS_FAST);
    m.Manager.gd[section].Transparency = 30;
    data.UpdateIndexes();
    EXPECT_FALSE(data.CtrlSkinState & ACS_FAST);
    m.Manager.gd[section].Transparency = 0;
    form->SetFormStyle(fsMDIForm);
    data.UpdateIndexes();
    EXPECT_FALSE(data.CtrlSkinState & ACS_FAST);

    // A form that keeps its own colour is painted, and described to its children, in that colour.
    form->SetColor(clRed);
    data.SetCustomColor(true);
    auto bmp = Bmp32(4, 4, 0x11223344u);
    DrawControlBackground(&data, EmptyCI, 0, bmp.get(), TPoint{0, 0}, TRect{0, 0, 4, 4});
    EXPECT_TRUE(skintest::All(*bmp, PixelOf(clRed)));
    TBackgroundQuery query;
    data.DescribeBackground(query, false);
    EXPECT_EQ(query.Kind, bgkColor);
    EXPECT_EQ(query.Color, clRed);
}

TEST(sCommonData, SectionPaintersGivenNoSkinPaintTheDefaultManagersSkin)
{
    SkinnedManager m;
    const int section = m.AddSection(L"PANEL", 0x00408020);
    ASSERT_EQ(TsSkinManager::DefaultSkinManager(), &m.Manager);
    auto bmp = Bmp32(4, 4, 0x11223344u);
    DrawSection(section, L"PANEL", EmptyCI, -1, -1, nullptr, bmp.get(), TPoint{0, 0}, TRect{0, 0, 4, 4}, 0);
    EXPECT_TRUE(skintest::All(*bmp, PixelOf(0x00408020)));
    auto other = Bmp32(4, 4, 0x11223344u);
    EXPECT_EQ(DrawSectionByName(other.get(), L"PANEL", L"", nullptr, clWhite, TRect{0, 0, 4, 4}, nullptr, 0), section);
    EXPECT_TRUE(skintest::All(*other, PixelOf(0x00408020)));
}
