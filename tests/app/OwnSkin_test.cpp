// The program's own skin as the built KVL2.exe carries it: read from the main form's resource
// through the skin manager's stored skins, unpacked by the archive reader and loaded into skin
// records, with every section and image the program's controls and forms use, pictures and
// masks that line up, and colours that keep its texts readable.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>

#include "framework/classes/FormDescription.h"
#include "framework/classes/FormReader.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "tests/support/TestSupport.h"

namespace {

// The description of the main form as KVL2.exe holds it.
std::string MainFormResource()
{
    HMODULE exe = LoadLibraryExW((kvltest::ExeDir() + L"KVL2.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (exe == nullptr) return {};
    std::string text;
    if (HRSRC res = FindResourceW(exe, L"TFORM1", MAKEINTRESOURCEW(10) /* RT_RCDATA */)) {
        HGLOBAL data = LoadResource(exe, res);
        text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(exe, res));
    }
    FreeLibrary(exe);
    return text;
}

struct TRgb {
    int R, G, B;
};

TRgb Rgb(TColor Color)
{
    Color = SkinColorToRGB(Color);
    return {static_cast<int>(Color & 0xFF), static_cast<int>((Color >> 8) & 0xFF), static_cast<int>((Color >> 16) & 0xFF)};
}

double Luminance(TRgb C)
{
    auto channel = [](int V) {
        double c = V / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(C.R) + 0.7152 * channel(C.G) + 0.0722 * channel(C.B);
}

double Contrast(TColor A, TColor B)
{
    double a = Luminance(Rgb(A)), b = Luminance(Rgb(B));
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The red of the accent: hot and focused states, the active tab, the selected radio button.
bool IsAccentRed(TRgb C)
{
    return C.R > 150 && C.G < 90 && C.B < 90;
}

class OwnSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterSkinManagerClasses();
        std::string text = MainFormResource();
        ASSERT_FALSE(text.empty()) << "KVL2.exe has no main form resource";
        auto form = ParseFormDescriptionUtf8(text, L"KVLUnit.form");
        const TFormObject* managerObject = nullptr;
        for (const auto& child : form->Children)
            if (child->Name == L"sSkinManager1") managerObject = child.get();
        ASSERT_NE(managerObject, nullptr);
        // The manager streams itself from its own block, exactly as the form reader streams it
        // while the main form is read.
        Manager = new TsSkinManager(nullptr);
        ReadComponentFromTree(Manager, *managerObject, L"KVLUnit.form");

        int stored = Manager->InternalSkins()->IndexOf(Manager->SkinName());
        ASSERT_GE(stored, 0) << "SkinName names no stored skin";
        TMemoryStream* packed = Manager->InternalSkins()->Items(stored)->PackedData.get();
        ASSERT_GT(packed->Size(), 0);
        TacSkinConvertor* convertor = new TacSkinConvertor;
        convertor->SetPackedData(packed, false);
        UnpackSkinFile(convertor);
        ASSERT_NE(convertor, nullptr);
        std::unique_ptr<TacSkinConvertor> owned(convertor);
        Skin = LoadSkin(TsSkinSource{L"", convertor, nullptr}, TsSkinLoadSettings{Manager, Manager->CommonSections()})
                   .release();
    }

    static void TearDownTestSuite()
    {
        delete Skin;
        Skin = nullptr;
        delete Manager;
        Manager = nullptr;
    }

    void SetUp() override { ASSERT_NE(Skin, nullptr); }

    const TsGeneralData& Section(const wchar_t* Name)
    {
        int index = Skin->GetSkinIndex(Name);
        EXPECT_GE(index, 0) << Name;
        static TsGeneralData none;
        return index >= 0 ? Skin->gd[index] : none;
    }

    // A pixel of a mask's frame: its picture colour and its opacity (255 = opaque).
    struct TMaskPixel {
        TRgb Color;
        int Opacity;
        bool Key;
    };
    TMaskPixel MaskPixel(int MaskIndex, int Frame, int X, int Y)
    {
        const TsMaskData& m = Skin->ma[MaskIndex];
        int x = m.R.left + Frame * m.FrameWidth() + X;
        int y = m.R.top + Y;
        auto* picture = static_cast<const std::uint32_t*>(Skin->MasterBitmap->ScanLine(y));
        auto* mask = static_cast<const std::uint32_t*>(Skin->MasterBitmap->ScanLine(y + m.FrameHeight()));
        std::uint32_t p = picture[x] & 0xFFFFFF;
        TRgb color{static_cast<int>(p >> 16), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
        return {color, 255 - static_cast<int>((mask[x] >> 16) & 0xFF), p == 0xFF00FF};
    }

    static TsSkinManager* Manager;
    static TsSkin* Skin;
};

TsSkinManager* OwnSkin::Manager = nullptr;
TsSkin* OwnSkin::Skin = nullptr;

TEST_F(OwnSkin, TheMainFormStoresOneSkinAndNamesIt)
{
    EXPECT_EQ(1, Manager->InternalSkins()->Count());
    EXPECT_EQ(L"Kelvane", Manager->SkinName());
    EXPECT_TRUE(Manager->Active());
    EXPECT_TRUE(Skin->SkinIsPacked);
    // A version the engine supports fully: no notice at start-up.
    EXPECT_GE(Skin->SkinData.Version, 7.0);
    EXPECT_LE(Skin->SkinData.Version, 7.99);
}

TEST_F(OwnSkin, HasEverySectionTheProgramsControlsAndFormsUse)
{
    struct TUse {
        const wchar_t* Section;
        bool Border;   // paints a border mask
    };
    const TUse uses[] = {
        {L"GLOBALINFO", false}, {L"FORM", true}, {L"FORMTITLE", false}, {L"DIALOG", true},
        {L"BUTTON", true}, {L"SPEEDBUTTON", true}, {L"SPEEDBUTTON_SMALL", true}, {L"TOOLBUTTON", true},
        {L"WEBBUTTON", false}, {L"UPDOWNBTN", true}, {L"CHECKBOX", false}, {L"RADIOBUTTON", false},
        {L"GROUPBOX", true}, {L"PANEL", true}, {L"PANEL_LOW", true}, {L"DRAGBAR", false}, {L"HINT", true},
        {L"SELECTION", false}, {L"EDIT", true}, {L"COMBOBOX", true}, {L"COMBOBTN", false},
        {L"PAGECONTROL", true}, {L"PAGECONTROLBOTTOM", true}, {L"PAGECONTROLLEFT", true},
        {L"PAGECONTROLRIGHT", true}, {L"TABSHEET", false}, {L"TABTOP", true}, {L"TABBOTTOM", true},
        {L"TABLEFT", true}, {L"TABRIGHT", true}, {L"SCROLLBAR1H", false}, {L"SCROLLBAR1V", false},
        {L"SCROLLBAR2H", false}, {L"SCROLLBAR2V", false}, {L"SCROLLSLIDERH", true}, {L"SCROLLSLIDERV", true},
        {L"SCROLLBTNTOP", false}, {L"SCROLLBTNBOTTOM", false}, {L"SCROLLBTNLEFT", false},
        {L"SCROLLBTNRIGHT", false}, {L"MAINMENU", true}, {L"MENUITEM", false}, {L"MENULINE", false},
        {L"ICOLINE", false}, {L"DIVIDER", true}, {L"COLHEADER", true}, {L"STATUSBAR", false},
        {L"TOOLBAR", false}, {L"MDIAREA", false},
    };
    for (const TUse& use : uses) {
        const TsGeneralData& s = Section(use.Section);
        if (use.Border) {
            EXPECT_TRUE(Skin->IsValidImgIndex(s.BorderIndex)) << use.Section;
        }
    }
    // Sections that only name a parent take its looks.
    EXPECT_EQ(Section(L"DIALOG").Props[1].Color, Section(L"FORM").Props[1].Color);
    EXPECT_EQ(Section(L"RADIOBUTTON").Props[0].Transparency, 100);
}

TEST_F(OwnSkin, ResolvesTheImagesTheControlsLookUpByIndex)
{
    const TConstantSkinData& c = Skin->ConstData;
    const int indexes[] = {
        c.CheckBoxChecked, c.CheckBoxUnChecked, c.CheckBoxGrayed, c.RadioButtonChecked, c.RadioButtonUnChecked,
        c.RadioButtonGrayed, c.SmallCheckBoxChecked, c.SmallCheckBoxUnChecked, c.SmallCheckBoxGrayed,
        c.MaskTabTop, c.MaskTabBottom, c.MaskTabLeft, c.MaskTabRight, c.MaskArrowTop, c.MaskArrowBottom,
        c.MaskArrowLeft, c.MaskArrowRight, c.MaskSliderVert, c.MaskSliderHorz, c.ComboGlyph,
    };
    for (size_t i = 0; i < std::size(indexes); ++i) EXPECT_TRUE(Skin->IsValidImgIndex(indexes[i])) << "constant " << i;
    // The page control paints its tabs only when the tab section is not the first section.
    EXPECT_GT(c.IndexTabTop, 0);
    EXPECT_GE(c.ComboBtnIndex, 0);

    const int global = c.IndexGLobalInfo;
    for (const wchar_t* name : {L"BICONCLOSE", L"BICONMAX", L"BICONNORM", L"BICONMIN", L"SICONCLOSE", L"SICONMAX",
                                L"SICONNORM", L"SICONMIN", L"TITLEBUTTON", L"GRIPIMAGE"})
        EXPECT_GE(Skin->GetMaskIndex(global, L"GLOBALINFO", name), 0) << name;
    // Caption buttons and check marks have a normal, a hot and a pressed frame.
    for (int i : {int(c.RadioButtonChecked), int(c.CheckBoxChecked), Skin->GetMaskIndex(L"GLOBALINFO", L"BICONCLOSE")})
        EXPECT_EQ(3, Skin->ma[i].ImageCount);
}

TEST_F(OwnSkin, PicturesAndOpacityMasksLineUpInsideTheMasterBitmap)
{
    ASSERT_EQ(pf32bit, Skin->MasterBitmap->PixelFormat());
    ASSERT_FALSE(Skin->ma.empty());
    for (size_t i = 0; i < Skin->ma.size(); ++i) {
        const TsMaskData& m = Skin->ma[i];
        SCOPED_TRACE(m.ClassName + L"." + m.PropertyName);
        // Every image comes from the master bitmap, as a picture row with its mask row below.
        ASSERT_EQ(nullptr, m.Bmp);
        ASSERT_EQ(1, m.MaskType);
        ASSERT_GE(m.R.left, 0);
        ASSERT_GE(m.R.top, 0);
        ASSERT_LE(m.R.right, Skin->MasterBitmap->Width());
        ASSERT_LE(m.R.bottom, Skin->MasterBitmap->Height());
        ASSERT_GT(m.FrameWidth(), 0);
        ASSERT_GT(m.FrameHeight(), 0);
        ASSERT_EQ(m.R.right - m.R.left, m.FrameWidth() * m.ImageCount);
        if (m.ImgType == itisaBorder) {
            EXPECT_GE(m.FrameWidth() - m.WL - m.WR, 1);
            EXPECT_GE(m.FrameHeight() - m.WT - m.WB, 1);
        }
        int drawn = 0;
        for (int f = 0; f < m.ImageCount; ++f)
            for (int y = 0; y < m.FrameHeight(); ++y)
                for (int x = 0; x < m.FrameWidth(); ++x) {
                    TMaskPixel p = MaskPixel(static_cast<int>(i), f, x, y);
                    // Where the picture holds the key colour the mask shows what lies behind.
                    if (p.Key) {
                        ASSERT_EQ(0, p.Opacity) << f << ": " << x << "," << y;
                    }
                    drawn += p.Opacity > 0;
                }
        // Every image draws something (a flat button's normal frame may be empty, not all frames).
        EXPECT_GT(drawn, 0);
    }
}

TEST_F(OwnSkin, TheAccentMarksHotFocusedActiveAndSelectedStates)
{
    const TConstantSkinData& c = Skin->ConstData;
    // The selected radio button: a red dot in every frame.
    const TsMaskData& radio = Skin->ma[c.RadioButtonChecked];
    for (int f = 0; f < 3; ++f) {
        TMaskPixel centre = MaskPixel(c.RadioButtonChecked, f, radio.FrameWidth() / 2, radio.FrameHeight() / 2);
        EXPECT_TRUE(IsAccentRed(centre.Color)) << f;
        EXPECT_EQ(255, centre.Opacity);
    }
    // The active tab (state 2) wears a red cap, the others do not.
    const TsMaskData& tab = Skin->ma[c.MaskTabTop];
    EXPECT_FALSE(IsAccentRed(MaskPixel(c.MaskTabTop, 0, tab.FrameWidth() / 2, 0).Color));
    EXPECT_TRUE(IsAccentRed(MaskPixel(c.MaskTabTop, 2, tab.FrameWidth() / 2, 0).Color));
    EXPECT_TRUE(IsAccentRed(MaskPixel(c.MaskTabTop, 2, tab.FrameWidth() / 2, 1).Color));
    // Buttons and edits: a grey border at rest, a red one while hot (or focused).
    for (const wchar_t* name : {L"BUTTON", L"EDIT"}) {
        int border = Section(name).BorderIndex;
        ASSERT_TRUE(Skin->IsValidImgIndex(border)) << name;
        int middle = Skin->ma[border].FrameHeight() / 2;
        EXPECT_FALSE(IsAccentRed(MaskPixel(border, 0, 0, middle).Color)) << name;
        EXPECT_TRUE(IsAccentRed(MaskPixel(border, 1, 0, middle).Color)) << name;
    }
}

TEST_F(OwnSkin, TextsStayReadableOnTheirSurfaces)
{
    // Chinese at 8 pt has thin strokes: every text colour keeps at least 7:1 against its surface.
    struct TText {
        const wchar_t* Section;
        int State;
    };
    const TText texts[] = {{L"GLOBALINFO", 0}, {L"FORM", 1}, {L"FORMTITLE", 1}, {L"BUTTON", 0}, {L"BUTTON", 1},
                           {L"EDIT", 0}, {L"PANEL", 0}, {L"TABTOP", 1}, {L"MENUITEM", 0}, {L"MENUITEM", 1},
                           {L"SELECTION", 0}, {L"HINT", 0}, {L"DRAGBAR", 0}};
    for (const TText& t : texts) {
        const TsGenState& s = Section(t.Section).Props[t.State];
        EXPECT_GE(Contrast(s.FontColor.Color, s.Color), 7.0) << t.Section << " state " << t.State;
    }
    // Inactive tabs, the inactive title and the focused selection are quieter, still above 4.5:1.
    for (const TText& t : {TText{L"TABTOP", 0}, TText{L"FORMTITLE", 0}, TText{L"SELECTION", 1}}) {
        const TsGenState& s = Section(t.Section).Props[t.State];
        EXPECT_GE(Contrast(s.FontColor.Color, s.Color), 4.5) << t.Section << " state " << t.State;
    }
    // Light surfaces under a dark title bar.
    EXPECT_GT(Luminance(Rgb(Section(L"FORM").Props[1].Color)), 0.8);
    EXPECT_LT(Luminance(Rgb(Section(L"FORMTITLE").Props[1].Color)), 0.05);
}

} // namespace
