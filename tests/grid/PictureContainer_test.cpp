// Markup pictures: GIF frames are counted, selected, stepped and wrap; pictures load from
// streams, files and the program's resources and draw at size or stretched; bytes that are no
// picture leave it empty without an exception; the container finds pictures by name, the cache
// by address, and a container given a collection copies it.
#include <gtest/gtest.h>

#include "framework/graphics/Canvas.h"
#include "grid/foundation/PictureContainer.h"
#include "tests/grid/PictureFixtures.h"
#include "tests/support/PixelBuffer.h"

namespace {

using namespace picturetest;
using kvltest::TPixelBuffer;

void Load(THTMLPicture& Picture, const std::vector<std::uint8_t>& Bytes)
{
    TBytesStream stream(Bytes);
    Picture.LoadFromStream(&stream);
}

COLORREF DrawnAt(THTMLPicture& Picture, TRect Rect, int X, int Y)
{
    TPixelBuffer pixels(80, 60);
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    Picture.Draw(&canvas, Rect);
    canvas.SetHandle(nullptr);
    return pixels.At(X, Y);
}

const std::vector<TGifFrame> ThreeFrames = {{0, 20}, {1, 20}, {2, 20}};

TEST(HTMLPicture, GifFramesAreCountedShownAndWrap)
{
    THTMLPicture one;
    Load(one, MakeGif(8, 6, {{0}}));
    EXPECT_TRUE(one.IsGIF());
    EXPECT_FALSE(one.Empty());
    EXPECT_EQ(one.FrameCount(), 1);
    EXPECT_EQ(one.Width(), 8);
    EXPECT_EQ(one.Height(), 6);
    EXPECT_FALSE(one.Step());

    THTMLPicture three;
    int frameChanges = 0;
    three.OnFrameChange = [&](TObject*) { ++frameChanges; };
    Load(three, MakeGif(8, 6, ThreeFrames));
    EXPECT_EQ(three.FrameCount(), 3);
    EXPECT_EQ(three.MaxWidth(), 8);
    EXPECT_EQ(three.MaxHeight(), 6);
    EXPECT_EQ(DrawnAt(three, {0, 0, 8, 6}, 3, 3), GifColor(0));
    three.SetFrame(3);
    EXPECT_EQ(DrawnAt(three, {0, 0, 8, 6}, 3, 3), GifColor(2));
    three.FrameNext();
    EXPECT_EQ(three.Frame(), 1);
    three.FramePrev();
    EXPECT_EQ(three.Frame(), 3);
    three.FramePrev();
    EXPECT_EQ(three.Frame(), 2);
    EXPECT_EQ(DrawnAt(three, {0, 0, 8, 6}, 3, 3), GifColor(1));
    EXPECT_EQ(three.FrameWidth(), 8);
    EXPECT_EQ(frameChanges, 4);
    three.SetFrame(7); // no such frame
    EXPECT_EQ(three.Frame(), 2);
    EXPECT_FALSE(three.Empty());
}

TEST(HTMLPicture, StepsFollowTheFrameDelays)
{
    THTMLPicture picture;
    Load(picture, MakeGif(4, 4, ThreeFrames)); // 20 hundredths each: a change every second tick
    std::vector<bool> steps;
    std::vector<int> frames;
    for (int i = 0; i < 8; ++i) {
        steps.push_back(picture.Step());
        frames.push_back(picture.Frame());
    }
    EXPECT_EQ(steps, (std::vector<bool>{false, false, false, true, false, true, false, true}));
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 1, 2, 2, 3, 3, 1}));
}

TEST(HTMLPicture, DrawsAtItsSizeOrStretched)
{
    THTMLPicture picture;
    Load(picture, MakeGif(4, 4, {{0}}));
    TRect rect{10, 10, 50, 50};
    EXPECT_EQ(DrawnAt(picture, rect, 11, 11), GifColor(0));
    EXPECT_EQ(DrawnAt(picture, rect, 20, 20), RGB(255, 255, 255));
    picture.SetStretch(true);
    EXPECT_EQ(DrawnAt(picture, rect, 45, 45), GifColor(0));
    EXPECT_EQ(DrawnAt(picture, rect, 55, 55), RGB(255, 255, 255));
}

TEST(HTMLPicture, BytesThatAreNoPictureLeaveItEmpty)
{
    std::vector<std::uint8_t> gif = MakeGif(8, 6, ThreeFrames);
    struct {
        const char* Name;
        std::vector<std::uint8_t> Bytes;
    } cases[] = {
        {"nothing", {}},
        {"header only", std::vector<std::uint8_t>(gif.begin(), gif.begin() + 5)},
        {"cut inside a frame's descriptor", std::vector<std::uint8_t>(gif.begin(), gif.begin() + 30)},
        {"GIF8 then noise", {'G', 'I', 'F', '8', '9', 'a', 0x21, 0xF9, 4, 0, 0, 0, 0, 0, 0x2C, 1, 2}},
        {"not an image", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        THTMLPicture picture;
        Load(picture, MakeGif(4, 4, {{1}}));
        ASSERT_FALSE(picture.Empty());
        EXPECT_NO_THROW(Load(picture, c.Bytes));
        EXPECT_TRUE(picture.Empty());
        EXPECT_EQ(picture.Width(), 0);
        EXPECT_EQ(DrawnAt(picture, {0, 0, 8, 8}, 2, 2), RGB(255, 255, 255));
        EXPECT_FALSE(picture.Step());
    }
    THTMLPicture missing;
    EXPECT_NO_THROW(missing.LoadFromFile(L"Z:\\no\\such\\picture.gif"));
    EXPECT_TRUE(missing.Empty());
}

TEST(HTMLPicture, LoadsFromResourcesFilesAndKeepsOtherAddresses)
{
    THTMLPicture resource;
    resource.LoadFromURL(L"res://BITMAP1");
    EXPECT_FALSE(resource.Empty());
    EXPECT_EQ(resource.ID, L"res://BITMAP1");
    EXPECT_EQ(resource.Width(), 5);
    EXPECT_EQ(resource.Height(), 3);
    EXPECT_EQ(resource.FrameCount(), -1);
    EXPECT_FALSE(resource.Step());

    wchar_t dir[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"kvl", 0, file);
    {
        TFileStream out(file, fmCreate);
        std::vector<std::uint8_t> gif = MakeGif(6, 5, ThreeFrames);
        out.WriteBuffer(gif.data(), static_cast<int>(gif.size()));
    }
    THTMLPicture fromFile;
    fromFile.LoadFromURL(String(L"FILE://") + file);
    DeleteFileW(file);
    EXPECT_FALSE(fromFile.Empty());
    EXPECT_EQ(fromFile.FrameCount(), 3);
    EXPECT_EQ(fromFile.ID, String(L"FILE://") + file);

    THTMLPicture web;
    web.Asynch = false;
    web.LoadFromURL(L"http://example.invalid/a.gif");
    EXPECT_TRUE(web.Empty());
    EXPECT_EQ(web.ID, L"http://example.invalid/a.gif");
    EXPECT_FALSE(web.Busy());
}

TEST(HTMLPicture, AssignCopiesBytesFrameStretchAndIDAndKeepsItselfOnSelfAssignment)
{
    THTMLPicture source;
    Load(source, MakeGif(8, 6, ThreeFrames));
    source.SetFrame(2);
    source.SetStretch(true);
    source.ID = L"pic";
    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_FALSE(copy.Empty());
    EXPECT_EQ(copy.Frame(), 2);
    EXPECT_TRUE(copy.Stretch());
    EXPECT_EQ(copy.ID, L"pic");
    EXPECT_EQ(copy.Bytes(), source.Bytes());
    EXPECT_EQ(DrawnAt(copy, {0, 0, 8, 6}, 3, 3), GifColor(1));
    EXPECT_EQ(changes, 1);

    // Onto itself it stays as it is.
    copy.Assign(&copy);
    EXPECT_FALSE(copy.Empty());
    EXPECT_EQ(copy.Frame(), 2);
    EXPECT_EQ(copy.Bytes(), source.Bytes());
    EXPECT_EQ(DrawnAt(copy, {0, 0, 8, 6}, 3, 3), GifColor(1));
    EXPECT_EQ(changes, 1);

    TMemoryStream saved;
    copy.SaveToStream(&saved);
    EXPECT_EQ(saved.Bytes(), source.Bytes());

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_TRUE(copy.Bytes().empty());
}

TEST(PictureCache, FindsPicturesByTheirExactAddressAndAnimatesThem)
{
    THTMLPictureCache cache;
    THTMLPicture* still = cache.AddPicture();
    still->ID = L"res://STILL";
    Load(*still, MakeGif(4, 4, {{0}}));
    THTMLPicture* moving = cache.AddPicture();
    moving->ID = L"res://MOVING";
    Load(*moving, MakeGif(4, 4, {{0, 0}, {1, 0}}));
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_EQ(cache.FindPicture(L"res://MOVING"), moving);
    EXPECT_EQ(cache.FindPicture(L"RES://MOVING"), nullptr);
    EXPECT_EQ(cache.FindPicture(L"res://NONE"), nullptr);
    bool changed = false;
    for (int i = 0; i < 3 && !changed; ++i) changed = cache.Animate();
    EXPECT_TRUE(changed);
    EXPECT_EQ(moving->Frame(), 2);
    EXPECT_EQ(still->Frame(), 1);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
}

TEST(PictureContainer, FindsNamedPicturesIgnoringCase)
{
    TPictureContainer container(nullptr);
    EXPECT_EQ(container.Version(), L"1.0.0.0");
    TPictureItem* logo = container.Items()->Add();
    logo->SetName(L"logo");
    Load(*logo->Picture(), MakeGif(4, 4, {{2}}));
    container.Items()->Add()->SetName(L"other");
    EXPECT_EQ(container.FindPicture(L"LOGO"), logo->Picture());
    EXPECT_EQ(container.FindPicture(L"missing"), nullptr);
    EXPECT_EQ(container.Items()->GetOwner(), &container);
}

TEST(PictureContainer, AGivenCollectionIsCopiedNotAdopted)
{
    auto container = std::make_unique<TPictureContainer>(nullptr);
    {
        TPictureCollection given(nullptr);
        TPictureItem* item = given.Add();
        item->SetName(L"a");
        item->SetTag(7);
        Load(*item->Picture(), MakeGif(4, 4, {{1}}));
        container->SetItems(&given);
        EXPECT_NE(container->Items(), &given);
        EXPECT_EQ(given.Count(), 1);
    } // the caller frees its collection; the container's copy lives on
    ASSERT_EQ(container->Items()->Count(), 1);
    EXPECT_EQ(container->Items()->Items(0)->Tag(), 7);
    THTMLPicture* copy = container->FindPicture(L"A");
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->Empty());
    container->SetItems(container->Items());
    EXPECT_EQ(container->Items()->Count(), 1);
    container.reset(); // frees its own collection once
}

} // namespace
