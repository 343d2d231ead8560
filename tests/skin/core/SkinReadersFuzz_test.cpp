// Damaged skins from a fixed seed: the packed archive itself (headers, names, counts, compressed
// data), and, packed soundly, a damaged options text, common sections and master bitmap. Every
// one must load or be refused with an error that says what is wrong in printable text; nothing
// may crash or run away. See support/FuzzSupport.h for a longer run.
#include <gtest/gtest.h>

#include "TestSkins.h"
#include "framework/system/Exceptions.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/sMaskData.h"
#include "support/FuzzSupport.h"

namespace {

using namespace skinpack_test;
using namespace testskins;

const std::string SeedOptions =
    "[GLOBALINFO]\r\nVERSION=7.5\r\nMASTERBITMAP=MASTER.BMP\r\nSHADOW1OFFSET=2\r\nBORDERWIDTH=4\r\n"
    "BOXCHECKED=@0000@0000@0030@0010@3@0\r\n"
    "[FORM]\r\nCOLOR=$00D0D0D0\r\nGRADIENTDATA=16777215;13421772;50;0;0\r\nGRADIENTPERCENT=30\r\nSTATES=3\r\n"
    "BORDERSMASK=^0000^0010^0030^0040^0004^0004^0004^0004^3^1^1^0\r\n"
    "[BUTTON]\r\nPARENTCLASS=FORM\r\nPATTERN=~0000~0040~0010~0050~01\r\nGLYPHMASK=!GLYPH.BMP!2\r\n"
    "HOTGLYPH=!GLYPH.BMP!3!1!0!0004!0004!0004!0004!1\r\nOLD=OLD(0)(0)(8)(8)\r\n"
    "[EDIT]\r\nPARENTCLASS=BUTTON\r\nTRANSPARENCY=20\r\nGLOW=2\r\nGSIZE=3\r\n";

const std::string SeedCommon = "[MYPANEL]\r\nPARENTCLASS=FORM\r\nCOLOR=$00FF00\r\n[FORM]\r\nCOLOR=1\r\n";

TTestSkin SeedSkin(const std::string& Options = SeedOptions, Bytes Master = BmpBytes(64, 64))
{
    return TTestSkin(Options, {{"MASTER.BMP", std::move(Master)}, {"GLYPH.BMP", BmpBytes(24, 8)}});
}

std::unique_ptr<TsSkin> LoadArchive(const Bytes& Archive, const TStrings* Common = nullptr)
{
    auto* data = new TMemoryStream();
    if (!Archive.empty()) data->WriteBuffer(Archive.data(), static_cast<int>(Archive.size()));
    auto* convertor = new TacSkinConvertor();
    convertor->SetPackedData(data, true);
    UnpackSkinFile(convertor);
    std::unique_ptr<TacSkinConvertor> owner(convertor);
    return LoadSkin(TsSkinSource{L"", convertor, nullptr}, TsSkinLoadSettings{nullptr, Common});
}

std::string AsText(const Bytes& B)
{
    return std::string(B.begin(), B.end());
}

}  // namespace

TEST(SkinReadersFuzz, DamagedArchivesLoadOrAreRefusedInPrintableText)
{
    const Bytes seed = SeedSkin().Packed();
    ASSERT_NO_THROW(LoadArchive(seed));
    kvlfuzz::TMutator mutator(kvlfuzz::Seed(5505));
    int loaded = 0, refused = 0;
    for (int i = 0; i < kvlfuzz::Rounds(4000); ++i) {
        Bytes damaged = mutator.Mutate(seed);
        try {
            auto skin = LoadArchive(damaged);
            ++loaded;
            EXPECT_FALSE(skin->gd.empty()) << "mutation " << i;
        } catch (const Exception& e) {
            ++refused;
            EXPECT_FALSE(e.Message().empty()) << "mutation " << i;
            EXPECT_TRUE(kvlfuzz::Printable(e.Message())) << "mutation " << i;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "mutation " << i << " raised " << e.what();
        }
    }
    // Most damage breaks the compressed data; some leaves a skin that loads.
    EXPECT_GT(loaded, 10);
    EXPECT_GT(refused, 1000);
}

TEST(SkinReadersFuzz, DamagedOptionsCommonSectionsAndImagesLoadOrAreRefused)
{
    const Bytes options = Text(SeedOptions), common = Text(SeedCommon), master = BmpBytes(64, 64);
    kvlfuzz::TMutator mutator(kvlfuzz::Seed(6606));
    int loaded = 0, refused = 0;
    for (int i = 0; i < kvlfuzz::Rounds(600); ++i) {
        // Mostly the options text; now and then the common sections or the master bitmap too.
        Bytes o = mutator.Mutate(options);
        Bytes c = i % 3 == 0 ? mutator.Mutate(common) : common;
        Bytes m = i % 4 == 0 ? mutator.Mutate(master) : master;
        TStringList commonLines;
        commonLines.SetText(String(c.begin(), c.end()));
        try {
            auto skin = LoadArchive(SeedSkin(AsText(o), m).Packed(), &commonLines);
            ++loaded;
            for (const TsMaskData& mask : skin->ma) {
                // Regions of the master bitmap stay inside it.
                if (mask.Bmp) continue;
                EXPECT_LE(mask.R.right, skin->MasterBitmap->Width()) << "mutation " << i;
                EXPECT_LE(mask.R.bottom, skin->MasterBitmap->Height()) << "mutation " << i;
            }
        } catch (const EConvertError& e) {
            ++refused;
            // A value that does not convert names where it was read.
            EXPECT_EQ(0u, e.Message().find(L"Section [")) << "mutation " << i;
            EXPECT_TRUE(kvlfuzz::Printable(e.Message())) << "mutation " << i;
        } catch (const Exception& e) {
            ++refused;
            EXPECT_FALSE(e.Message().empty()) << "mutation " << i;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "mutation " << i << " raised " << e.what();
        }
    }
    EXPECT_GT(loaded, 100);
    EXPECT_GT(refused, 20);
}
