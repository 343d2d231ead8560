// Skin records and images, read from skins the tests make: a small options text and images
// drawn here, written to a folder or packed into an archive.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <map>
#include <memory>
#include <string>

#include "TestSkins.h"
#include "framework/classes/Streams.h"
#include "framework/system/Exceptions.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskData.h"
#include "support/TestSupport.h"

namespace {

using namespace skinpack_test;
using namespace testskins;

std::unique_ptr<TsSkin> FromText(const std::string& Options, const TStrings* Common = nullptr)
{
    return TTestSkin(Options).FromFolder(Common);
}

// ---- Sections ----

const std::string InheritanceSkin =
    "[FORM]\r\n"
    "COLOR=$FF00000F\r\n"          // system colour: button face
    "FONTCOLOR=$FF000008\r\n"      // system colour: window text
    "TRANSPARENCY=20\r\n"
    "GLOW=3\r\n"
    "HOTCOLOR=$0000FF\r\n"
    "GRADIENTDATA=N/A\r\n"
    "GRADIENTPERCENT=40\r\n"
    "FADINGENABLED=true\r\n"
    "[DIALOG]\r\n"
    "PARENTCLASS=FORM\r\n"
    "[PANEL]\r\n"
    "PARENTCLASS=FORM\r\n"
    "TRANSPARENCY=100\r\n"
    "FONTCOLOR=$FF000008\r\n"
    "UNKNOWNKEY=17\r\n"
    "[EDIT]\r\n"
    "STATES=1\r\n"
    "COLOR=$102030\r\n"
    "HOTCOLOR=$405060\r\n"
    "GRADIENTDATA=\r\n"
    "GRADIENTPERCENT=50\r\n"
    "[LOOPA]\r\n"
    "PARENTCLASS=LOOPB\r\n"
    "[LOOPB]\r\n"
    "PARENTCLASS=LOOPC\r\n"
    "[LOOPC]\r\n"
    "PARENTCLASS=LOOPA\r\n"
    "GLOW=7\r\n"
    "[SELF]\r\n"
    "PARENTCLASS=SELF\r\n"
    "[RANGE]\r\n"
    "TRANSPARENCY=250\r\n"
    "GSIZE=999\r\n"
    "IMAGEPERCENT=-5\r\n"
    "COLOR=not a colour\r\n";

TEST(SkinSections, InheritFromParentWithSystemColoursConverted)
{
    auto skin = FromText(InheritanceSkin);
    const TsGeneralData& form = Section(*skin, L"FORM");
    const TsGeneralData& dialog = Section(*skin, L"DIALOG");
    // COLOR is converted everywhere; FONTCOLOR only when it comes from a parent.
    EXPECT_EQ(form.Color, static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(form.FontColor.Color, static_cast<TColor>(0xFF000008u));
    EXPECT_EQ(dialog.ParentClass, L"FORM");
    EXPECT_EQ(dialog.Color, form.Color);
    EXPECT_EQ(dialog.FontColor.Color, static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(dialog.Transparency, 20);
    EXPECT_EQ(dialog.GlowCount, 3);
    EXPECT_EQ(dialog.HotColor, 0x0000FF);
    EXPECT_EQ(dialog.GradientData, L"N/A");
    EXPECT_EQ(dialog.GradientPercent, 40);
    EXPECT_TRUE(dialog.FadingEnabled);
    EXPECT_EQ(dialog.States, 4);
    EXPECT_TRUE(SameState(dialog.Props[1], TsGenState{dialog.HotColor, dialog.HotFontColor, dialog.HotGradientPercent,
                                                      dialog.HotGradientData, dialog.HotGradientArray,
                                                      dialog.HotImagePercent,
                                                      dialog.HotGlowColor, dialog.HotGlowSize,
                                                      dialog.HotTransparency}));

    const TsGeneralData& panel = Section(*skin, L"PANEL");
    EXPECT_EQ(panel.Transparency, 100);
    EXPECT_EQ(panel.Color, form.Color);
    EXPECT_EQ(panel.FontColor.Color, static_cast<TColor>(0xFF000008u));
    EXPECT_EQ(panel.Props[0].Transparency, 100);
}

TEST(SkinSections, OneStateCopiesNormalIntoHot)
{
    auto skin = FromText(InheritanceSkin);
    const TsGeneralData& edit = Section(*skin, L"EDIT");
    EXPECT_EQ(edit.States, 1);
    EXPECT_EQ(edit.HotColor, 0);
    EXPECT_EQ(edit.Color, 0x102030);
    // An empty gradient keeps the one-space default and switches the gradient off.
    EXPECT_EQ(edit.GradientData, L" ");
    EXPECT_EQ(edit.GradientPercent, 0);
    EXPECT_TRUE(SameState(edit.Props[1], edit.Props[0]));
    EXPECT_EQ(edit.Props[1].Color, 0x102030);
}

TEST(SkinSections, ParentCyclesEndWithTheDefaults)
{
    auto skin = FromText(InheritanceSkin);
    // LOOPA -> LOOPB -> LOOPC -> LOOPA: the value on the way is found, the cycle then stops.
    EXPECT_EQ(Section(*skin, L"LOOPA").GlowCount, 7);
    EXPECT_EQ(Section(*skin, L"LOOPB").GlowCount, 7);
    EXPECT_EQ(Section(*skin, L"LOOPA").Color, 0xFFFFFF);
    EXPECT_EQ(Section(*skin, L"LOOPA").FadingIterations, 5);
    EXPECT_EQ(Section(*skin, L"SELF").Color, 0xFFFFFF);
    EXPECT_EQ(Section(*skin, L"SELF").States, 4);
}

TEST(SkinSections, OutOfRangeAndUnreadableValuesAreHeldOrDefaulted)
{
    auto skin = FromText(InheritanceSkin);
    const TsGeneralData& range = Section(*skin, L"RANGE");
    EXPECT_EQ(range.Transparency, 100);
    EXPECT_EQ(range.GlowSize, 255);
    EXPECT_EQ(range.ImagePercent, 0);
    EXPECT_EQ(range.Color, 0xFFFFFF);
}

TEST(SkinSections, SectionsKeepTheirOrderAndLookupsAreExact)
{
    auto skin = FromText(InheritanceSkin);
    ASSERT_EQ(skin->gd.size(), 9u);
    EXPECT_EQ(skin->gd[0].ClassName, L"FORM");
    EXPECT_EQ(skin->gd[8].ClassName, L"RANGE");
    EXPECT_EQ(skin->GetSkinIndex(L"form"), -1);
    EXPECT_EQ(skin->GetSkinIndex(L"EDIT"), 3);
}

TEST(SkinGlobalInfo, KeysAndDefaults)
{
    auto skin = FromText("[GLOBALINFO]\r\nVERSION=7.5\r\nAUTHOR=Tests\r\nTITLEHEIGHT=22\r\nMAXHEIGHT=0\r\n"
                         "SHADOW1BLUR=6\r\nBICONCLOSEGLOW=$10\r\n");
    const TsSkinData& d = skin->SkinData;
    EXPECT_DOUBLE_EQ(d.Version, 7.5);
    EXPECT_EQ(d.Author, L"Tests");
    EXPECT_EQ(d.ExTitleHeight, 22);
    EXPECT_EQ(d.ExMaxHeight, 22);
    EXPECT_EQ(d.ExBorderWidth, 4);
    EXPECT_EQ(d.ExContentOffs, GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(d.Shadow1Blur, 6);
    EXPECT_EQ(d.Shadow1Offset, 0);
    EXPECT_EQ(d.BICloseGlow, 16);
    // GLOBALINFO is a section like any other, but has no mask indexes of its own.
    EXPECT_EQ(skin->gd.size(), 1u);

    auto defaults = FromText("[GLOBALINFO]\r\n");
    EXPECT_EQ(defaults->SkinData.Shadow1Blur, -1);
    EXPECT_EQ(defaults->SkinData.ExMaxHeight, 30);
}

TEST(SkinGlobalInfo, TextNumberThatIsNoNumberEndsTheLoad)
{
    EXPECT_THROW(FromText("[GLOBALINFO]\r\nSHADOW1OFFSET=abc\r\n"), EConvertError);
}

TEST(SkinCommonSections, AddOnlyWhatTheSkinLacks)
{
    TStringList common;
    common.SetText(L"; application sections\r\n[MYPANEL]\r\nCOLOR=$00FF00\r\nPARENTCLASS=panel\r\n"
                   L"[PANEL]\r\nCOLOR=$123456\r\n[LONELY]\r\nGLOW=0x10\r\n");
    auto skin = FromText(InheritanceSkin, &common);
    ASSERT_EQ(skin->gd.size(), 11u);
    const TsGeneralData& panel = Section(*skin, L"PANEL");
    const TsGeneralData& mine = Section(*skin, L"MYPANEL");
    EXPECT_EQ(mine.ParentClass, L"PANEL");
    EXPECT_EQ(mine.Color, 0x00FF00);
    EXPECT_EQ(mine.Transparency, panel.Transparency);
    EXPECT_EQ(mine.FontColor.Color, panel.FontColor.Color);
    EXPECT_EQ(mine.States, panel.States);
    EXPECT_EQ(mine.Props[0].Color, 0x00FF00);
    EXPECT_EQ(panel.Color, Section(*skin, L"FORM").Color);   // the skin wins

    const TsGeneralData& lonely = Section(*skin, L"LONELY");
    EXPECT_EQ(lonely.ParentClass, L"-1");
    EXPECT_EQ(lonely.GlowCount, 16);
    EXPECT_EQ(lonely.Color, 0xFFFFFF);
    EXPECT_EQ(lonely.States, 4);
}

TEST(SkinCommonSections, LargeTextsMergeByName)
{
    // Both texts large: a merge that searched the section table per common section ran far
    // past a test's time here. Every other common section is one the skin has.
    const int n = 20000;
    std::string skinText;
    for (int s = 0; s < n; ++s) skinText += "[S" + std::to_string(s) + "]\r\nCOLOR=" + std::to_string(s) + "\r\n";
    String commonText;
    for (int c = 0; c < n; ++c)
        commonText += c % 2 ? L"[APP" + std::to_wstring(c) + L"]\r\nPARENTCLASS=s" + std::to_wstring(c) + L"\r\n"
                            : L"[S" + std::to_wstring(c) + L"]\r\nCOLOR=1\r\n";
    TStringList common;
    common.SetText(commonText);
    auto skin = FromText(skinText, &common);
    ASSERT_EQ(skin->gd.size(), static_cast<size_t>(n + n / 2));
    EXPECT_EQ(Section(*skin, L"S10").Color, 10);   // the skin wins
    const TsGeneralData& app = Section(*skin, L"APP12345");
    EXPECT_EQ(app.ParentClass, L"S12345");
    EXPECT_EQ(app.Color, 12345);
}

// ---- Images ----

// A master bitmap of 300 x 300 and the image files the values below name.
TTestSkin ImageSkin(const std::string& Values)
{
    return TTestSkin("[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n" + Values,
                     {{"MASTER.BMP", BmpBytes(300, 300)},
                      {"BUTTONHUGE.BMP", BmpBytes(288, 192)},
                      {"GLYPH.BMP", BmpBytes(40, 20)},
                      {"OLD.BMP", BmpBytes(90, 60)},
                      {"BROKEN.BMP", Text("BM and no more")}});
}

TEST(SkinImages, ValueForms)
{
    struct TCase {
        const char* Value;
        TRect R;
        int ImageCount, MaskType, DrawMode, BorderWidth, WL, WT, WR, WB;
        TacImgType Type;
        int FrameW, FrameH;
    };
    const TCase cases[] = {
        {"@0106@0000@0145@0013@3@0", {106, 0, 145, 13}, 3, 0, 0, 0, 0, 0, 0, 0, itisaGlyph, 13, 13},
        {"^0078^0006^0086^0008^0002^0000^0000^0000^1^1^1^1", {78, 6, 86, 8}, 1, 1, 1, 1, 2, 0, 0, 0, itisaBorder, 8, 1},
        {"^0010^0010^0040^0040^0000^0000^0000^0000^1^0^0^3", {10, 10, 40, 40}, 1, 0, 0, 3, 3, 3, 3, 3, itisaBorder, 30, 30},
        {"^0010^0010^0070^0040^0000^0000^0000^0000^2^0^0^0", {10, 10, 70, 40}, 2, 0, 0, 0, 10, 10, 10, 10, itisaBorder, 30, 30},
        {"~0067~0141~0069~0145~10", {67, 141, 69, 145}, 1, 0, 10, 0, 0, 0, 0, 0, itisaTexture, 2, 4},
        {"~0067~0141~0069~0145~10~1", {67, 141, 69, 145}, 1, 1, 10, 0, 0, 0, 0, 0, itisaTexture, 2, 2},
        {"!BUTTONHUGE.BMP!3!1!0!0032!0032!0032!0032!0", {0, 0, 288, 192}, 3, 1, 0, 0, 32, 32, 32, 32, itisaBorder, 96, 96},
        {"!GLYPH.BMP!2", {0, 0, 40, 20}, 2, 0, 1, 0, 6, 6, 6, 6, itisaBorder, 20, 20},
        {"!GLYPH.BMP!1!0!9", {0, 0, 40, 20}, 1, 0, 1, 0, 13, 6, 13, 6, itisaPngGlyph, 40, 20},
        {"#FRAME (0,0,30,30) (3,1,2,1)", {0, 0, 30, 30}, 3, 1, 1, 2, 2, 2, 2, 2, itisaBorder, 10, 15},
        {"#FRAME (0,0,30,30) (0,-1)", {0, 0, 30, 30}, 1, 0, 1, 0, 10, 10, 10, 10, itisaBorder, 30, 30},
        {"OLD.BMP", {0, 0, 90, 60}, 3, 1, 0, 0, 10, 10, 10, 10, itisaBorder, 30, 30},
        // No frames: taken as one frame instead of dividing by zero.
        {"^0000^0000^0030^0030^0000^0000^0000^0000^0^0^0^0", {0, 0, 30, 30}, 1, 0, 0, 0, 10, 10, 10, 10, itisaBorder, 30, 30},
        {"!GLYPH.BMP!0", {0, 0, 40, 20}, 1, 0, 1, 0, 13, 6, 13, 6, itisaBorder, 40, 20},
        {"!GLYPH.BMP", {0, 0, 40, 20}, 1, 0, 1, 0, 13, 6, 13, 6, itisaBorder, 40, 20},
        {"!GLYPH.BMP!0!-1", {0, 0, 40, 20}, 1, -1, 1, 0, 13, 6, 13, 6, itisaBorder, 40, 0},
        {"@0000@0000@0020@0010@0@0", {0, 0, 20, 10}, 1, 0, 0, 0, 0, 0, 0, 0, itisaGlyph, 20, 10},
        // A region reaching beyond the master bitmap is cut to it.
        {"@0280@0290@0400@0400@1@0", {280, 290, 300, 300}, 1, 0, 0, 0, 0, 0, 0, 0, itisaGlyph, 20, 10},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Value);
        auto skin = ImageSkin(std::string("[BUTTON]\r\nBORDERSMASK=") + c.Value + "\r\n").FromFolder();
        const TsMaskData& m = Mask(*skin, L"BUTTON", L"BORDERSMASK");
        EXPECT_EQ(m.R.left, c.R.left);
        EXPECT_EQ(m.R.top, c.R.top);
        EXPECT_EQ(m.R.right, c.R.right);
        EXPECT_EQ(m.R.bottom, c.R.bottom);
        EXPECT_EQ(m.ImageCount, c.ImageCount);
        EXPECT_EQ(m.MaskType, c.MaskType);
        EXPECT_EQ(m.DrawMode, c.DrawMode);
        EXPECT_EQ(m.BorderWidth, c.BorderWidth);
        EXPECT_EQ(m.WL, c.WL);
        EXPECT_EQ(m.WT, c.WT);
        EXPECT_EQ(m.WR, c.WR);
        EXPECT_EQ(m.WB, c.WB);
        EXPECT_EQ(m.ImgType, c.Type);
        EXPECT_EQ(m.FrameWidth(), c.FrameW);
        EXPECT_EQ(m.FrameHeight(), c.FrameH);
        EXPECT_EQ(m.Bmp != nullptr, c.Value[0] == '!' || c.Value[0] == 'O');
    }
}

TEST(SkinImages, ValuesThatNameNoImageAreSkipped)
{
    auto skin = ImageSkin("[BUTTON]\r\nA=!MISSING.BMP!3\r\nB=MISSING.BMP\r\nC=!NOTE.TXT!1\r\nD=#\r\nE=$FFFFFF\r\n"
                          "F=!BROKEN.BMP!1\r\nCOLOR=12\r\n")
                    .FromFolder();
    EXPECT_TRUE(skin->ma.empty());
    EXPECT_EQ(skin->GetMaskIndex(L"BUTTON", L"A"), -1);
}

TEST(SkinImages, MalformedFixedValueIsAConversionError)
{
    for (const char* value : {"@01", "^0078^0006^0086^0008^00x2^0000^0000^0000^1^1^1^1", "~abcd~0141~0069~0145~10"}) {
        SCOPED_TRACE(value);
        EXPECT_THROW(ImageSkin(std::string("[BUTTON]\r\nBORDERSMASK=") + value + "\r\n").FromFolder(), EConvertError);
    }
}

TEST(SkinImages, MaskWidthsFallBackToBorderWidthThenFrame)
{
    auto skin = ImageSkin("[B]\r\nW=^0000^0000^0030^0030^0004^0000^0000^0000^1^0^0^5\r\n"
                          "F=@0000@0000@0060@0030@3@1\r\n")
                    .FromFolder();
    int w = skin->GetMaskIndex(L"B", L"W"), f = skin->GetMaskIndex(L"B", L"F");
    EXPECT_EQ(skin->MaskWidthLeft(w), 4);
    EXPECT_EQ(skin->MaskWidthTop(w), 5);
    EXPECT_EQ(skin->MaskWidthLeft(f), 20);
    EXPECT_EQ(skin->MaskWidthBottom(f), 15);
    EXPECT_EQ(skin->MaskWidthRight(-1), 0);
}

TEST(SkinImages, MaskLookupFollowsParentsAndStopsAtCycles)
{
    auto skin = ImageSkin("[SPEEDBUTTON_SMALL]\r\nBORDERSMASK=@0000@0000@0030@0010@3@0\r\n"
                          "[SPLITTER]\r\nPARENTCLASS=SPEEDBUTTON_SMALL\r\n"
                          "[CYCLEA]\r\nPARENTCLASS=CYCLEB\r\n[CYCLEB]\r\nPARENTCLASS=CYCLEA\r\n")
                    .FromFolder();
    int parentMask = skin->GetMaskIndex(L"SPEEDBUTTON_SMALL", L"BORDERSMASK");
    ASSERT_GE(parentMask, 0);
    EXPECT_EQ(skin->GetMaskIndex(skin->GetSkinIndex(L"SPLITTER"), L"SPLITTER", L"BORDERSMASK"), parentMask);
    EXPECT_EQ(skin->GetMaskIndex(L"SPLITTER", L"BORDERSMASK"), -1);
    EXPECT_EQ(Section(*skin, L"SPLITTER").BorderIndex, parentMask);
    EXPECT_EQ(skin->GetMaskIndex(skin->GetSkinIndex(L"CYCLEA"), L"CYCLEA", L"BORDERSMASK"), -1);
    EXPECT_EQ(skin->GetMaskIndex(-1, L"SPLITTER", L"BORDERSMASK"), -1);
    EXPECT_EQ(skin->GetMaskIndex(0, L"", L"BORDERSMASK"), -1);
}

TEST(SkinImages, FolderAndArchiveGiveTheSameSkin)
{
    TTestSkin source = ImageSkin("[BUTTON]\r\nCOLOR=$0000FF\r\nBORDERSMASK=!BUTTONHUGE.BMP!3!1!0!0032!0032!0032!0032!0\r\n"
                                 "GLYPHMASK=@0106@0000@0145@0013@3@0\r\n[PANEL]\r\nPARENTCLASS=BUTTON\r\n");
    auto folder = source.FromFolder();
    auto packed = source.FromArchive();
    EXPECT_FALSE(folder->SkinIsPacked);
    EXPECT_TRUE(packed->SkinIsPacked);
    ASSERT_EQ(folder->MasterBitmap->Width(), 300);
    ASSERT_EQ(packed->MasterBitmap->Width(), 300);
    EXPECT_EQ(packed->MasterBitmap->PixelFormat(), pf32bit);
    EXPECT_EQ(packed->MasterBitmap->TransparentColor(), 0xFF00FF);
    // Widened to 32 bits with every pixel opaque; the marker pixel came through.
    EXPECT_EQ(*static_cast<uint32_t*>(packed->MasterBitmap->ScanLine(0)), 0xFF0000FFu);
    EXPECT_EQ(*static_cast<uint32_t*>(folder->MasterBitmap->ScanLine(0)), 0xFF0000FFu);
    EXPECT_EQ(static_cast<uint32_t*>(packed->MasterBitmap->ScanLine(5))[5], 0xFFCC6633u);
    ASSERT_EQ(folder->ma.size(), packed->ma.size());
    for (size_t i = 0; i < folder->ma.size(); ++i) EXPECT_TRUE(SameMask(folder->ma[i], packed->ma[i])) << i;
    ASSERT_EQ(folder->gd.size(), packed->gd.size());
    for (size_t i = 0; i < folder->gd.size(); ++i) {
        EXPECT_EQ(folder->gd[i].ClassName, packed->gd[i].ClassName);
        EXPECT_TRUE(SameState(folder->gd[i].Props[0], packed->gd[i].Props[0]));
        EXPECT_EQ(folder->gd[i].BorderIndex, packed->gd[i].BorderIndex);
    }
    EXPECT_EQ(Section(*packed, L"PANEL").BorderIndex, packed->GetMaskIndex(L"BUTTON", L"BORDERSMASK"));
}

// A 2 x 2 BMP written by hand: rows bottom-up (Height > 0) or top-down (Height < 0).
Bytes HandBmp(int Bits, int Height, const std::vector<uint8_t>& Pixels)
{
    Bytes out{'B', 'M'};
    auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i))); };
    auto put16 = [&](uint16_t v) { out.push_back(static_cast<uint8_t>(v)); out.push_back(static_cast<uint8_t>(v >> 8)); };
    put32(static_cast<uint32_t>(54 + Pixels.size()));
    put32(0);
    put32(54);
    put32(40);
    put32(2);
    put32(static_cast<uint32_t>(Height));
    put16(1);
    put16(static_cast<uint16_t>(Bits));
    for (int i = 0; i < 6; ++i) put32(0);
    out.insert(out.end(), Pixels.begin(), Pixels.end());
    return out;
}

// Plain BMPs of the kinds a skin's images come in, each row where it belongs.
TEST(SkinImages, PlainBitmapsKeepTheirRowsAndAlpha)
{
    // Blue, green, red bytes; 24-bit rows padded to 8 bytes.
    const std::vector<uint8_t> rows24{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    const std::vector<uint8_t> rows32{1, 2, 3, 0x80, 4, 5, 6, 0, 7, 8, 9, 0xFF, 10, 11, 12, 0x10};
    struct TCase {
        const char* Name;
        Bytes Image;
        uint32_t TopLeft, BottomRight;
    } cases[] = {
        {"24-bit bottom-up", HandBmp(24, 2, rows24), 0xFF090807u, 0xFF060504u},
        {"24-bit top-down", HandBmp(24, -2, rows24), 0xFF030201u, 0xFF0C0B0Au},
        {"32-bit keeps its alpha", HandBmp(32, 2, rows32), 0xFF090807u, 0x00060504u},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto skin = TTestSkin("[GLOBALINFO]\r\nMASTERBITMAP=M.BMP\r\n", {{"M.BMP", c.Image}}).FromArchive();
        ASSERT_EQ(skin->MasterBitmap->Width(), 2);
        ASSERT_EQ(skin->MasterBitmap->Height(), 2);
        EXPECT_EQ(static_cast<uint32_t*>(skin->MasterBitmap->ScanLine(0))[0], c.TopLeft);
        EXPECT_EQ(static_cast<uint32_t*>(skin->MasterBitmap->ScanLine(1))[1], c.BottomRight);
    }
    // Pixels cut short: the decoder reports the file rather than reading past it.
    Bytes cut = HandBmp(24, 2, rows24);
    cut.resize(cut.size() - 4);
    EXPECT_THROW(TTestSkin("[GLOBALINFO]\r\nMASTERBITMAP=M.BMP\r\n", {{"M.BMP", cut}}).FromArchive(), Exception);
}

// The skin reads its BMPs by the bitmap reader's checks: a file is an image for both or for
// neither, and where both take it they see the same pixels.
TEST(SkinImages, BitmapsAreReadAsThePictureReadsThem)
{
    const std::vector<uint8_t> rows24{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    auto patched = [&](size_t At, uint32_t V) {
        Bytes b = HandBmp(24, 2, rows24);
        for (int i = 0; i < 4; ++i) b[At + i] = static_cast<uint8_t>(V >> (8 * i));
        return b;
    };
    // Two colour-table entries that a 24-bit file may carry before its pixels.
    Bytes withTable = patched(46, 2);
    withTable.insert(withTable.begin() + 54, {0xEE, 0xEE, 0xEE, 0, 0xDD, 0xDD, 0xDD, 0});
    for (int i = 0; i < 4; ++i) {
        withTable[2 + i] = static_cast<uint8_t>(withTable.size() >> (8 * i));
        withTable[10 + i] = 0;   // no pixel offset: they follow the table
    }
    struct TCase {
        const char* Name;
        Bytes Image;
        bool Valid;
    } cases[] = {
        {"pixel offset into the headers", patched(10, 14), true},
        {"pixel offset of zero", patched(10, 0), true},
        {"colour count of a 24-bit file", withTable, true},
        {"header size 0xFFFFFFFE", patched(14, 0xFFFFFFFEu), false},
        {"file size shorter than the pixels", patched(2, 54 + 8), false},
        {"header size past the data", patched(14, 200), false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap picture;
        bool pictureReads = true;
        try {
            picture.LoadFromBytes(c.Image.data(), c.Image.size());
        } catch (const EInvalidGraphic&) {
            pictureReads = false;
        }
        EXPECT_EQ(pictureReads, c.Valid);
        TTestSkin source("[GLOBALINFO]\r\nMASTERBITMAP=M.BMP\r\n", {{"M.BMP", c.Image}});
        if (!c.Valid) {
            EXPECT_THROW(source.FromArchive(), EacSkinLoadError);
            EXPECT_THROW(source.FromFolder(), EacSkinLoadError);
            continue;
        }
        auto skin = source.FromArchive();
        ASSERT_EQ(skin->MasterBitmap->Width(), 2);
        EXPECT_EQ(static_cast<uint32_t*>(skin->MasterBitmap->ScanLine(0))[0], 0xFF090807u);
        EXPECT_EQ(static_cast<uint32_t*>(skin->MasterBitmap->ScanLine(1))[1], 0xFF060504u);
        EXPECT_EQ(picture.Canvas()->Pixels(0, 0), 0x070809);
        EXPECT_EQ(picture.Canvas()->Pixels(1, 1), 0x040506);
    }
}

TEST(SkinImages, MissingMasterBitmapLeavesItEmptyAndABrokenOneFails)
{
    auto skin = TTestSkin("[GLOBALINFO]\r\nMASTERBITMAP=NONE.BMP\r\n[B]\r\nG=@0000@0000@0020@0010@1@0\r\n").FromFolder();
    EXPECT_TRUE(skin->MasterBitmap->Empty());
    EXPECT_EQ(skin->ma.size(), 1u);
    EXPECT_TRUE(IsRectEmpty(&skin->ma[0].R));

    TTestSkin broken("[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n", {{"MASTER.BMP", Text("BM not a bitmap")}});
    EXPECT_THROW(broken.FromFolder(), EacSkinLoadError);
    EXPECT_THROW(broken.FromArchive(), EacSkinLoadError);
}

TEST(SkinImages, SmallJpegBecomesATextureLargeOneStaysAPattern)
{
    TTestSkin source("[FORM]\r\nPATTERN=small.jpg\r\nHOTPATTERN=LARGE.JPEG\r\nBAD=BROKEN.JPG\r\n"
                     "[CHILD]\r\nPARENTCLASS=FORM\r\n",
                     {{"SMALL.JPG", JpegBytes(100, 100)}, {"LARGE.JPEG", JpegBytes(1000, 1000)},
                      {"BROKEN.JPG", Text("not a jpeg")}});
    for (bool packed : {false, true}) {
        SCOPED_TRACE(packed ? "archive" : "folder");
        auto skin = packed ? source.FromArchive() : source.FromFolder();
        ASSERT_EQ(skin->pa.size(), 1u);
        EXPECT_EQ(skin->pa[0].ClassName, L"FORM");
        EXPECT_EQ(skin->pa[0].PropertyName, L"HOTPATTERN");
        EXPECT_EQ(skin->pa[0].Img->Width(), 1000);
        int child = skin->GetSkinIndex(L"CHILD");
        EXPECT_EQ(skin->GetPatternIndex(child, L"CHILD", L"HOTPATTERN"), 0);
        EXPECT_EQ(skin->GetPatternIndex(child, L"CHILD", L"PATTERN"), -1);
        int texture = skin->GetTextureIndex(child, L"CHILD", L"PATTERN");
        ASSERT_GE(texture, 0);
        const TsMaskData& m = skin->ma[texture];
        EXPECT_EQ(m.ImgType, itisaTexture);
        EXPECT_EQ(m.R.right, 100);
        ASSERT_TRUE(m.Bmp);
        EXPECT_EQ(static_cast<uint32_t*>(m.Bmp->ScanLine(50))[50] >> 24, 0xFFu);
        EXPECT_EQ(skin->ma.size(), 1u);
    }
}

// ---- Constant indexes ----

TEST(SkinConstants, IndexesOfTheNamedSections)
{
    auto skin = ImageSkin("[TABTOP]\r\nBORDERSMASK=@0000@0000@0030@0010@3@0\r\n"
                          "[SCROLLBTNLEFT]\r\nGLYPHMASK=@0000@0010@0030@0020@3@0\r\nPATTERN=~0000~0000~0002~0002~01\r\n"
                          "[COMBOBTN]\r\nPARENTCLASS=TABTOP\r\nPATTERN=~0000~0000~0002~0002~01\r\n"
                          "[COMBOBOX]\r\nPARENTCLASS=SCROLLBTNLEFT\r\n")
                    .FromFolder();
    const TConstantSkinData& c = skin->ConstData;
    EXPECT_EQ(c.IndexGLobalInfo, 0);
    EXPECT_EQ(c.IndexTabTop, 1);
    EXPECT_EQ(c.MaskTabTop, skin->GetMaskIndex(L"TABTOP", L"BORDERSMASK"));
    EXPECT_EQ(c.IndexTabBottom, -1);
    EXPECT_EQ(c.MaskArrowLeft, skin->GetMaskIndex(L"SCROLLBTNLEFT", L"GLYPHMASK"));
    EXPECT_EQ(c.IndexBGScrollLeft, skin->GetMaskIndex(L"SCROLLBTNLEFT", L"PATTERN"));
    EXPECT_EQ(c.MaskArrowRight, -1);
    EXPECT_EQ(c.ComboBtnIndex, 3);
    EXPECT_EQ(c.ComboBtnBorder, -1);   // no parent step for the combo button's border
    EXPECT_EQ(c.ComboBtnBG, skin->GetMaskIndex(L"COMBOBTN", L"PATTERN"));
    EXPECT_EQ(c.ComboGlyph, -1);
    EXPECT_EQ(c.CheckBoxChecked, -1);
    EXPECT_EQ(Section(*skin, L"COMBOBTN").BorderIndex, c.MaskTabTop);
}

TEST(SkinConstants, IndexesBeyondSixteenBitsAreNotFound)
{
    // The constant indexes are 16-bit: an index past that range once wrapped to another item
    // (65,536 sections gave GLOBALINFO the first section's index).
    struct TCase {
        int SectionsBefore, MasksBefore;
        int Index, Mask;
    } cases[] = {
        {32767, 0, 32767, 0}, {0, 32767, 0, 32767},   // the last that fit
        {40000, 0, -1, -1},   {65536, 0, -1, -1},     // GLOBALINFO beyond
        {0, 40000, 0, -1},    {0, 65536, 0, -1},      // its checked box beyond
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(std::to_string(k.SectionsBefore) + " sections, " + std::to_string(k.MasksBefore) + " masks");
        TsSkin skin;
        skin.gd.resize(k.SectionsBefore + 1);
        for (int i = 0; i < k.SectionsBefore; ++i) skin.gd[i].ClassName = L"S" + std::to_wstring(i);
        skin.gd.back().ClassName = L"GLOBALINFO";
        skin.ma.resize(k.MasksBefore + 1);
        for (int i = 0; i < k.MasksBefore; ++i) {
            skin.ma[i].ClassName = L"GLOBALINFO";
            skin.ma[i].PropertyName = L"M" + std::to_wstring(i);
        }
        skin.ma.back().ClassName = L"GLOBALINFO";
        skin.ma.back().PropertyName = L"BOXCHECKED";
        skin.BuildIndexes();
        skin.InitConstantIndexes();
        EXPECT_EQ(skin.ConstData.IndexGLobalInfo, k.Index);
        EXPECT_EQ(skin.ConstData.CheckBoxChecked, k.Mask);
    }
}

// ---- Sources that hold no skin ----

TEST(SkinSources, MissingEmptyOrHugeOptionsText)
{
    std::wstring empty = kvltest::TempDir(L"skinrec-none");
    EXPECT_THROW(LoadSkin(TsSkinSource{empty, nullptr, nullptr}), EacSkinLoadError);
    EXPECT_THROW(FromText(""), EacSkinLoadError);
    EXPECT_THROW(FromText("; only a comment\r\nKEY=1\r\n"), EacSkinLoadError);

    TacSkinConvertor noOptions;
    EXPECT_THROW(LoadSkin(TsSkinSource{L"", &noOptions, nullptr}), EacSkinLoadError);

    // About 10 MB of sections loads in one pass.
    std::string huge;
    huge.reserve(10u << 20);
    for (int i = 0; huge.size() < (10u << 20); ++i)
        huge += "[S" + std::to_string(i) + "]\r\nPARENTCLASS=S" + std::to_string(i % 8) +
                "\r\nCOLOR=$123456\r\nGRADIENTDATA=" + std::string(2000, 'x') + "\r\n";
    auto skin = FromText(huge);
    EXPECT_GT(skin->gd.size(), 5000u);
    EXPECT_EQ(skin->gd[13].ParentClass, L"S5");
}

}  // namespace
