#include <gtest/gtest.h>

#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/GraphicsObjects.h"
#include "tests/framework/forms/ProbeClasses.h"

namespace {

class TPictureProbe : public TComponent {
public:
    using TComponent::TComponent;
    TPicture Picture;
    TBitmap Glyph;
    TFont Font;
};

void RegisterPictureProbe()
{
    RegisterPublishedClass<TPictureProbe>(L"TPictureProbe", L"TComponent")
        .Object(L"Picture", L"TPicture", [](TPictureProbe* p) { return &p->Picture; })
        .Object(L"Glyph", L"TBitmap", [](TPictureProbe* p) { return &p->Glyph; })
        .Object(L"Font", L"TFont", [](TPictureProbe* p) { return &p->Font; });
}

// The 2 x 2 fixture image: red, green over blue, white.
void ExpectFixtureImage(TBitmap* bitmap)
{
    ASSERT_EQ(2, bitmap->Width());
    ASSERT_EQ(2, bitmap->Height());
    EXPECT_EQ(clRed, bitmap->Canvas()->Pixels(0, 0));
    EXPECT_EQ(clLime, bitmap->Canvas()->Pixels(1, 0));
    EXPECT_EQ(clBlue, bitmap->Canvas()->Pixels(0, 1));
    EXPECT_EQ(clWhite, bitmap->Canvas()->Pixels(1, 1));
}

} // namespace

TEST(GraphicsProperties, PictureAndBitmapDataAndFontSubProperties)
{
    RegisterPictureProbe();
    TPictureProbe probe(nullptr);
    ReadComponentFromText(&probe, probe::ReadFixture(L"Picture.form"), L"Picture.form");

    auto* bitmap = dynamic_cast<TBitmap*>(probe.Picture.Graphic());
    ASSERT_NE(nullptr, bitmap);
    ExpectFixtureImage(bitmap);
    ExpectFixtureImage(&probe.Glyph);
    auto* empty = dynamic_cast<TPictureProbe*>(probe.FindComponent(L"Empty"));
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(nullptr, empty->Picture.Graphic());

    EXPECT_EQ(L"宋体", probe.Font.Name());
    EXPECT_EQ(-12, probe.Font.Height());
    EXPECT_EQ((TFontStyles{fsBold, fsItalic}), probe.Font.Style());
    EXPECT_EQ(clMaroon, probe.Font.Color());
    EXPECT_EQ(GB2312_CHARSET, probe.Font.Charset());
}

TEST(GraphicsProperties, DamagedPictureDataIsAReadError)
{
    RegisterPictureProbe();
    const wchar_t* cases[] = {
        L"object P: TPictureProbe\n  Picture.Data = { 09 5442 }\nend\n",              // class name cut short
        L"object P: TPictureProbe\n  Picture.Data = { 07544269746D6170 0102 }\nend\n", // not a .bmp
        L"object P: TPictureProbe\n  Font.Charset = NO_CHARSET\nend\n",
    };
    for (const wchar_t* text : cases) {
        TPictureProbe probe(nullptr);
        try {
            ReadComponentFromText(&probe, text, L"Damaged.form");
            ADD_FAILURE() << "accepted";
        } catch (const EReadError& e) {
            EXPECT_EQ(0u, std::string(e.what()).find("Damaged.form line 2: P.")) << e.what();
        }
    }
}
