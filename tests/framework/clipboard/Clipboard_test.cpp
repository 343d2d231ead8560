// TClipboard against the real system clipboard: text (Chinese included), registered formats,
// several formats in one bracket, nesting, pictures, and the error when another window holds it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "framework/clipboard/Clipboard.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"

namespace {

// The clipboard is shared by every process on the desktop and ctest runs tests side by side:
// each test holds a named mutex for its whole run.
class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FLock = CreateMutexW(nullptr, FALSE, L"KelvaneTestClipboardLock");
        ASSERT_NE(FLock, nullptr);
        ASSERT_NE(WaitForSingleObject(FLock, 30000), WAIT_TIMEOUT);
    }
    void TearDown() override
    {
        ReleaseMutex(FLock);
        CloseHandle(FLock);
    }
    HANDLE FLock = nullptr;
};

TEST_F(ClipboardTest, TextRoundTripsWithChinese)
{
    const String text = L"本月共工作 22 天\r\n第二行";
    Clipboard()->SetAsText(text);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_EQ(Clipboard()->AsText(), text);

    wchar_t buffer[4];
    EXPECT_EQ(Clipboard()->GetTextBuf(buffer, 4), 3);
    EXPECT_EQ(String(buffer), L"本月共");

    Clipboard()->SetTextBuf(L"plain");
    EXPECT_EQ(Clipboard()->AsText(), L"plain");
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_EQ(Clipboard()->AsText(), L"");
}

TEST_F(ClipboardTest, RegisteredFormatTravelsBesideText)
{
    for (const wchar_t* name : {CFNameRichText, CFNameHTML, CFNameGridColumn, CFNameGridCells, CFNameURL}) {
        UINT format = TClipboard::RegisterFormat(name);
        EXPECT_GE(format, 0xC000u) << name;
        EXPECT_EQ(TClipboard::RegisterFormat(name), format) << name;
        EXPECT_EQ(TClipboard::FormatName(format), name);
    }
    const UINT cells = TClipboard::RegisterFormat(CFNameGridCells);
    const std::vector<std::uint8_t> block{1, 2, 3, 0, 255, 7};

    // One bracket: the first format empties the clipboard, the second is added beside it.
    Clipboard()->Open();
    Clipboard()->SetAsText(L"a\tb");
    Clipboard()->SetAsBytes(cells, block);
    Clipboard()->Close();

    EXPECT_TRUE(Clipboard()->HasFormat(cells));
    EXPECT_EQ(Clipboard()->AsText(), L"a\tb");
    std::vector<std::uint8_t> read = Clipboard()->GetAsBytes(cells);
    ASSERT_GE(read.size(), block.size());  // the system may round a block up
    EXPECT_TRUE(std::equal(block.begin(), block.end(), read.begin()));

    std::vector<UINT> formats;
    for (int i = 0; i < Clipboard()->FormatCount(); ++i) formats.push_back(Clipboard()->Formats(i));
    EXPECT_NE(std::find(formats.begin(), formats.end(), cells), formats.end());
    EXPECT_NE(std::find(formats.begin(), formats.end(), UINT(CF_UNICODETEXT)), formats.end());
    EXPECT_EQ(Clipboard()->Formats(Clipboard()->FormatCount() + 5), 0u);

    // Outside a bracket every placement starts afresh.
    Clipboard()->SetAsText(L"alone");
    EXPECT_FALSE(Clipboard()->HasFormat(cells));
}

TEST_F(ClipboardTest, HandlesGoToTheSystem)
{
    const UINT url = TClipboard::RegisterFormat(CFNameURL);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
    std::memcpy(GlobalLock(block), "http", 5);
    GlobalUnlock(block);
    Clipboard()->SetAsHandle(url, block);

    Clipboard()->Open();
    HANDLE held = Clipboard()->GetAsHandle(url);
    ASSERT_NE(held, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(held)), "http");
    GlobalUnlock(held);
    Clipboard()->Close();
    EXPECT_EQ(Clipboard()->GetAsHandle(TClipboard::RegisterFormat(L"Kelvane never placed")), nullptr);
}

TEST_F(ClipboardTest, OpenNestsAndCloseIsMatched)
{
    TClipboard* clip = Clipboard();
    clip->Open();
    clip->Open();
    EXPECT_EQ(GetOpenClipboardWindow(), clip->Handle());
    clip->Close();
    EXPECT_EQ(clip->OpenCount(), 1);
    EXPECT_EQ(GetOpenClipboardWindow(), clip->Handle());
    clip->Close();
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    clip->Close();  // unmatched: nothing
    EXPECT_EQ(clip->OpenCount(), 0);
}

TEST_F(ClipboardTest, OpenFailsWhileAnotherWindowHoldsIt)
{
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND wnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        if (OpenClipboard(wnd)) {
            SetEvent(opened);
            WaitForSingleObject(release, 10000);
            CloseClipboard();
        }
        DestroyWindow(wnd);
    });
    bool held = WaitForSingleObject(opened, 5000) == WAIT_OBJECT_0;
    EXPECT_TRUE(held);
    if (held) {
        try {
            Clipboard()->Open();
            Clipboard()->Close();
            ADD_FAILURE() << "no EClipboardException";
        } catch (const EClipboardException& e) {
            EXPECT_EQ(e.Message(), L"Cannot open clipboard");
        }
        EXPECT_THROW(Clipboard()->SetAsText(L"x"), EClipboardException);
        EXPECT_EQ(Clipboard()->OpenCount(), 0);
    }
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    EXPECT_NO_THROW(Clipboard()->SetAsText(L"free again"));
}

TEST_F(ClipboardTest, BitmapsTravelAsDib)
{
    TBitmap source(3, 2);
    source.SetPixelFormat(pf24bit);
    source.Canvas()->SetPixels(0, 0, RGB(255, 0, 0));
    source.Canvas()->SetPixels(2, 1, RGB(0, 0, 255));
    Clipboard()->Assign(&source);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_DIB));

    TBitmap copy;
    copy.Assign(Clipboard());
    ASSERT_EQ(copy.Width(), 3);
    ASSERT_EQ(copy.Height(), 2);
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(copy.Canvas()->Pixels(2, 1), RGB(0, 0, 255));

    TPicture picture;
    picture.Assign(Clipboard());
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 3);

    Clipboard()->SetAsText(L"no picture");
    EXPECT_THROW(copy.Assign(Clipboard()), EClipboardException);
    // A picture without a bitmap cannot go: the usual assignment error.
    TPicture empty;
    EXPECT_THROW(Clipboard()->Assign(&empty), EConvertError);
}

TEST_F(ClipboardTest, SetClipboardSwapsTheGlobalObject)
{
    TClipboard* first = Clipboard();
    std::unique_ptr<TClipboard> old = SetClipboard(std::make_unique<TClipboard>());
    EXPECT_EQ(old.get(), first);
    EXPECT_NE(Clipboard(), first);
    Clipboard()->SetAsText(L"from the new object");
    EXPECT_EQ(old->AsText(), L"from the new object");
    SetClipboard(std::move(old));
    EXPECT_EQ(Clipboard(), first);
}

} // namespace
