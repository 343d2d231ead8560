#include <gtest/gtest.h>

#include <cstring>

#include "framework/classes/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/Icon.h"
#include "tests/framework/graphics/GraphicsTestSupport.h"
#include "tests/support/TestSupport.h"

using gtest_graphics::MakeCanvasBitmap;
using gtest_graphics::Pixel32;

namespace {

// A stand-in for a format another unit registers: any stream starting with "FAKE".
class TFakeGraphic : public TGraphic {
public:
    bool Empty() const override { return !FLoaded; }
    int Width() const override { return 3; }
    int Height() const override { return 2; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void Draw(TCanvas*, const TRect&) override {}
    void LoadFromStream(TStream* Stream) override
    {
        ReadStreamRest(Stream);
        FLoaded = true;
    }
    void SaveToStream(TStream* Stream) override { Stream->WriteBuffer("FAKE", 4); }
    void Assign(TPersistent* Source) override
    {
        if (auto* fake = dynamic_cast<TFakeGraphic*>(Source)) FLoaded = fake->FLoaded;
        else TGraphic::Assign(Source);
    }

private:
    bool FLoaded = false;
};

struct FakeFormat {
    FakeFormat()
    {
        TPicture::RegisterFileFormat(L".FAKE", L"Fake pictures", [] { return std::make_unique<TFakeGraphic>(); },
                                     [](const std::uint8_t* d, std::size_t n) { return n >= 4 && std::memcmp(d, "FAKE", 4) == 0; });
    }
    ~FakeFormat() { TPicture::UnregisterFileFormat(L"fake"); }
};

} // namespace

TEST(Picture, FileFormatRegistryPicksTheClassByExtension)
{
    FakeFormat fake;
    std::wstring dir = kvltest::TempDir(L"picture");
    TFakeGraphic().SaveToFile(dir + L"x.fake");

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(dir + L"x.fake");
    EXPECT_NE(nullptr, dynamic_cast<TFakeGraphic*>(picture.Graphic()));
    EXPECT_EQ(3, picture.Width());
    EXPECT_GE(changes, 1);

    picture.LoadFromFile(kvltest::DataPath(L"graphics\\pal8.bmp"));
    EXPECT_NE(nullptr, dynamic_cast<TBitmap*>(picture.Graphic()));
    picture.LoadFromFile(kvltest::DataPath(L"graphics\\twosizes.ico"));
    EXPECT_NE(nullptr, dynamic_cast<TIcon*>(picture.Graphic()));

    try {
        picture.LoadFromFile(dir + L"x.xyz");
        FAIL() << "expected EInvalidGraphic";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(L"Unknown picture file extension (.xyz)", e.Message());
    }
    EXPECT_NE(String::npos, TPicture::GraphicFilter().find(L"Fake pictures (*.fake)|*.fake"));
    DeleteFileW((dir + L"x.fake").c_str());
}

TEST(Picture, StreamsAreRecognisedByTheirFirstBytes)
{
    FakeFormat fake;
    TPicture picture;
    TMemoryStream fakeStream;
    fakeStream.WriteBuffer("FAKE....", 8);
    fakeStream.SetPosition(0);
    picture.LoadFromStream(&fakeStream);
    EXPECT_NE(nullptr, dynamic_cast<TFakeGraphic*>(picture.Graphic()));

    TBitmap bmp;
    MakeCanvasBitmap(bmp, 2, 2, clRed);
    TMemoryStream bmpStream;
    bmp.SaveToStream(&bmpStream);
    bmpStream.SetPosition(0);
    picture.LoadFromStream(&bmpStream);
    ASSERT_NE(nullptr, dynamic_cast<TBitmap*>(picture.Graphic()));
    EXPECT_EQ(clRed, picture.Bitmap()->Canvas()->Pixels(1, 1));

    TMemoryStream junk;
    junk.WriteBuffer("????", 4);
    junk.SetPosition(0);
    EXPECT_THROW(picture.LoadFromStream(&junk), EInvalidGraphic);
}

TEST(Picture, HoldsCopiesAndMakesBitmapsOnDemand)
{
    TPicture picture;
    EXPECT_EQ(nullptr, picture.Graphic());
    TBitmap* created = picture.Bitmap();
    ASSERT_NE(nullptr, created);
    EXPECT_TRUE(created->Empty());

    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    created->SetSize(4, 4); // changes of the held graphic reach the picture
    EXPECT_GE(changes, 1);

    TBitmap source;
    MakeCanvasBitmap(source, 3, 3, clTeal);
    picture.SetGraphic(&source);
    ASSERT_NE(&source, picture.Graphic());
    EXPECT_EQ(clTeal, picture.Bitmap()->Canvas()->Pixels(0, 0));

    TPicture other;
    other.Assign(&picture);
    EXPECT_EQ(3, other.Width());
    TBitmap target;
    target.Assign(&other); // a picture assigns its graphic
    EXPECT_EQ(clTeal, target.Canvas()->Pixels(2, 2));

    other.Icon(); // switches the held class
    EXPECT_NE(nullptr, dynamic_cast<TIcon*>(other.Graphic()));
    other.Assign(nullptr);
    EXPECT_EQ(nullptr, other.Graphic());
}

TEST(Icon, PicksTheRequestedSizeAndDrawsWithItsMask)
{
    TIcon small;
    small.SetSize(16, 16);
    small.LoadFromFile(kvltest::DataPath(L"graphics\\twosizes.ico"));
    EXPECT_EQ(16, small.Width());

    TIcon large;
    large.LoadFromFile(kvltest::DataPath(L"graphics\\twosizes.ico"));
    EXPECT_EQ(32, large.Width());
    EXPECT_EQ(32, large.Height());

    TBitmap target;
    MakeCanvasBitmap(target, 40, 40, clWhite);
    target.Canvas()->Draw(4, 4, &small);
    EXPECT_EQ(clRed, Pixel32(target, 12, 12));
    EXPECT_EQ(clWhite, Pixel32(target, 4, 4)); // the see-through corner
    target.Canvas()->Draw(4, 4, &large);
    EXPECT_EQ(clBlue, Pixel32(target, 30, 30));

    TMemoryStream bad;
    bad.WriteBuffer("\0\0\1\0\1\0", 6);
    bad.SetPosition(0);
    EXPECT_THROW(small.LoadFromStream(&bad), EInvalidGraphic);
}

TEST(Icon, SavesLoadedIconsUnchangedAndHandleIconsAsImages)
{
    TIcon icon;
    icon.LoadFromFile(kvltest::DataPath(L"graphics\\twosizes.ico"));
    TMemoryStream original;
    original.LoadFromFile(kvltest::DataPath(L"graphics\\twosizes.ico"));
    EXPECT_EQ(original.Bytes(), icon.SaveToBytes());

    TIcon fromHandle;
    fromHandle.SetHandle(CopyIcon(icon.Handle()));
    EXPECT_EQ(32, fromHandle.Width());
    std::vector<std::uint8_t> saved = fromHandle.SaveToBytes();
    TIcon reloaded;
    reloaded.LoadFromBytes(saved.data(), saved.size());
    EXPECT_EQ(32, reloaded.Width());
    TBitmap target;
    MakeCanvasBitmap(target, 32, 32, clWhite);
    target.Canvas()->Draw(0, 0, &reloaded);
    EXPECT_EQ(clBlue, Pixel32(target, 16, 16));
    EXPECT_EQ(clWhite, Pixel32(target, 0, 0)); // the see-through corner survived
    EXPECT_EQ(clBlue, Pixel32(target, 0, 31));

    TBitmap asBitmap;
    asBitmap.Assign(&icon);
    EXPECT_EQ(pf32bit, asBitmap.PixelFormat());
    EXPECT_EQ(afDefined, asBitmap.AlphaFormat());
    EXPECT_EQ(0xFF, static_cast<std::uint8_t*>(asBitmap.ScanLine(16))[16 * 4 + 3]);
}
