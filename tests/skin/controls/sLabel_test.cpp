// Skinned labels: the text colour from the skin (the parent's section or the global font colour),
// what a removed skin leaves, the web label's fonts and its link, and the edit label's owner.
#include "skin/controls/sLabel.h"
#include "tests/skin/core/SkinStateFixture.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

constexpr TColor GlobalFont = 0x00123456;
constexpr TColor SectionFont = 0x00207010;

class SkinnedLabels : public FormTest {
protected:
    skinstate_test::SkinnedManager Skin;
    int Global = -1;

    void SetUp() override
    {
        FormTest::SetUp();
        Global = Skin.AddSection(L"GLOBALINFO", clWhite);
        Skin.Manager.gd[Global].FontColor.Color = GlobalFont;
        Skin.Manager.ConstData.IndexGLobalInfo = Global;
    }
    template <class T>
    T* MakeLabel(TWinControl* Parent, const String& Caption = L"Label")
    {
        auto* label = Add<T>(Parent, 4, 4, 60, 16);
        label->Font()->SetColor(clBlack);
        label->SetCaption(Caption);
        return label;
    }
    static void Paint(TControl* Label, TPixelBuffer& Pixels)
    {
        Label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Pixels.DC()), 0);
    }
    static int InkOf(TControl* Label, TColor Color)
    {
        TPixelBuffer pixels(Label->Width(), Label->Height());
        Paint(Label, pixels);
        return FindInk(pixels, Label->Width(), Label->Height(), [&](COLORREF c) { return c == COLORREF(Color); }).Count;
    }
    void Unload()
    {
        TMessage m{SM_LUMACMD, MakeSkinWParam(AC_SKINUNLOADED), reinterpret_cast<LPARAM>(&Skin.Manager), 0};
        Form->Broadcast(m);
    }
};

TEST_F(SkinnedLabels, TextTakesTheParentSectionFontOrTheGlobalFontColour)
{
    auto* parent = Add<TStateTestParent>(Form, 0, 0, 200, 100);
    int own = Skin.AddSection(L"GROUPBOX", clWhite);
    Skin.Manager.gd[own].GiveOwnFont = true;
    Skin.Manager.gd[own].FontColor.Color = SectionFont;
    parent->SectionAnswer = own;

    TsLabel* onForm = MakeLabel<TsLabel>(Form);
    TsLabel* onSection = MakeLabel<TsLabel>(parent);
    EXPECT_GT(InkOf(onForm, GlobalFont), 0);
    EXPECT_EQ(onForm->Font()->Color(), GlobalFont);
    EXPECT_GT(InkOf(onSection, SectionFont), 0);

    // A section that does not give its own font leaves the global colour.
    Skin.Manager.gd[own].GiveOwnFont = false;
    EXPECT_GT(InkOf(onSection, GlobalFont), 0);
}

TEST_F(SkinnedLabels, OwnColourIsKeptWithoutSkinColourAndRemovingTheSkinGivesWindowText)
{
    TsLabel* follows = MakeLabel<TsLabel>(Form);
    TsLabel* keeps = MakeLabel<TsLabel>(Form);
    keeps->SetUseSkinColor(false);
    keeps->Font()->SetColor(0x0000C0);
    EXPECT_GT(InkOf(keeps, 0x0000C0), 0);
    EXPECT_GT(InkOf(follows, GlobalFont), 0);

    Unload();
    EXPECT_EQ(follows->Font()->Color(), clWindowText);
    EXPECT_EQ(keeps->Font()->Color(), TColor(0x0000C0));
    // Another manager's removal is not ours to follow.
    TsLabel* other = MakeLabel<TsLabel>(Form);
    other->Font()->SetColor(GlobalFont);
    other->Perform(SM_LUMACMD, MakeSkinWParam(AC_SKINUNLOADED), 0);
    EXPECT_EQ(other->Font()->Color(), GlobalFont);
}

TEST_F(SkinnedLabels, DisabledTextFadesIntoTheParentsBackground)
{
    Form->SetColor(clWhite);
    TsLabel* label = MakeLabel<TsLabel>(Form, L"Grey");
    label->SetUseSkinColor(false);
    label->SetEnabled(false);
    // Black text, 40 % of it over a white parent.
    EXPECT_GT(InkOf(label, RGB(153, 153, 153)), 0);
    EXPECT_EQ(InkOf(label, clBlack), 0);
    // Without a skin the framework's embossed look stays.
    Skin.Manager.SkinData.Active = false;
    EXPECT_EQ(InkOf(label, RGB(153, 153, 153)), 0);
}

TEST_F(SkinnedLabels, SkinSectionIsPaintedUnderTheText)
{
    Skin.AddSection(L"PADDING", clWhite);
    int back = Skin.AddSection(L"LABELBACK", 0x00FF8000);
    (void)back;
    TsLabel* label = MakeLabel<TsLabel>(Form, L"x");
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 40, 16);
    label->SetSkinSection(L"LABELBACK");
    TPixelBuffer pixels(40, 16);
    Paint(label, pixels);
    EXPECT_EQ(pixels.At(35, 2), COLORREF(0x00FF8000));
}

TEST_F(SkinnedLabels, WebLabelShowsItsFontsAndTheSkinContourColours)
{
    TsWebLabel* link = MakeLabel<TsWebLabel>(Form, L"link");
    TFont normal;
    normal.SetColor(0x000080);
    link->SetFont(&normal);
    link->HoverFont()->SetColor(0x008000);
    link->SetUseSkinColor(false);
    EXPECT_GT(InkOf(link, 0x000080), 0);
    link->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(link->MouseAbove);
    EXPECT_GT(InkOf(link, 0x008000), 0);

    // The skin's contour colours, -1 in this skin: red under the mouse, blue away from it.
    link->SetUseSkinColor(true);
    EXPECT_GT(InkOf(link, 0x0000FF), 0);
    link->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(link->MouseAbove);
    EXPECT_GT(InkOf(link, 0xFF0000), 0);
    Skin.Manager.gd[Global].FontColor.Bottom = 0x00404040;
    EXPECT_GT(InkOf(link, 0x00404040), 0);
}

TEST_F(SkinnedLabels, WebLabelOpensItsAddressWithItsShowModeAndNothingWithoutOne)
{
    struct TRecordedOpens : TForwardingFacts {
        std::vector<std::pair<String, int>> Opened;
        bool ShellOpen(const String& Target, int ShowCmd, HWND) override
        {
            Opened.emplace_back(Target, ShowCmd);
            return true;
        }
    } facts;
    TSystemFactsOverride use(facts);
    TsWebLabel* link = MakeLabel<TsWebLabel>(Form, L"link");
    EXPECT_EQ(link->Cursor(), crHandPoint);
    link->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(facts.Opened.empty());

    link->SetURL(L"https://www.example.org/");
    link->SetShowMode(soMaximize);
    link->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ASSERT_EQ(facts.Opened.size(), 1u);
    EXPECT_EQ(facts.Opened[0].first, L"https://www.example.org/");
    EXPECT_EQ(facts.Opened[0].second, SW_MAXIMIZE);
}

TEST_F(SkinnedLabels, EditLabelWithoutBoundSettingsIsAPlainSkinnedLabel)
{
    TsEditLabel label(nullptr, nullptr);
    EXPECT_EQ(label.BoundLabel, nullptr);
    EXPECT_TRUE(label.UseSkinColor());
    EXPECT_TRUE(label.Transparent());
}

} // namespace
