// The skinned combo box: the closed box from its cache (text, frame, button and glyph per state),
// what a focused drop-down box leaves to its inner edit, the lines of the open list, the list
// handler only for a list that scrolls, read-only, skin removal, and texts that must stay clipped.
#include "skin/controls/sComboBox.h"

#include <gtest/gtest.h>

#include <string>

#include "skin/core/sMessages.h"
#include "skin/subclass/acSBUtilsComboWnd.h"
#include "tests/framework/controls/ControlFixtures.h"
#include "tests/skin/subclass/HandlerTestWindows.h"

using namespace handlertest;
using namespace kvltest;
using skinpaint_test::PixelOf;
using skintest::Bmp32;
using skintest::Px;

namespace {

constexpr TColor BoxColor = 0x00D0E0C8;
constexpr TColor SelectionColor = 0x00405060, SelectionHotColor = 0x00607080;
constexpr std::uint32_t Glyph0 = 0xFF0000C0u, Glyph1 = 0xFF00C000u, Glyph2 = 0xFFC00000u;
constexpr int GlyphSize = 6;
constexpr int ComboWidth = 120;
constexpr std::uint32_t Marker = 0x123456u;

class SkinnedCombos : public FormTest {
protected:
    TTestSkinManager Skin;
    // First in the tab order, so that the form starts with the focus away from the boxes.
    TFocusBox* Other = nullptr;

    void SetUp() override
    {
        FormTest::SetUp();
        Other = Add<TFocusBox>(Form, 300, 200, 40, 20);
        Skin.AddSection(L"COMBOBOX", BoxColor, BoxColor, 2);
        // A glyph whose three frames tell the button state apart.
        TsMaskData glyph;
        glyph.ClassName = L"COMBOBOX";
        glyph.PropertyName = L"GLYPHMASK";
        glyph.Bmp = Bmp32(3 * GlyphSize, GlyphSize,
                          [](int X, int) { return X < GlyphSize ? Glyph0 : X < 2 * GlyphSize ? Glyph1 : Glyph2; });
        glyph.R = TRect{0, 0, 3 * GlyphSize, GlyphSize};
        glyph.ImageCount = 3;
        Skin.Manager.ma.push_back(std::move(glyph));
        Skin.Manager.ConstData.ComboGlyph = static_cast<int>(Skin.Manager.ma.size()) - 1;
    }

    TsComboBox* AddCombo(TComboBoxStyle Style, int Items = 0, int Top = 20)
    {
        auto* combo = Add<TsComboBox>(Form, 20, Top, ComboWidth, 21);
        combo->SetStyle(Style);
        for (int i = 0; i < Items; ++i) combo->Items()->Add(L"item " + std::to_wstring(i));
        return combo;
    }

    static std::uint32_t At(TBitmap& B, int X, int Y) { return Rgb(Px(B, X, Y)); }

    // Pixels of the text area (left of the button, inside the frame) that are not the box colour.
    static int Ink(TsComboBox* Combo, TBitmap& B)
    {
        int inked = 0;
        for (int y = 4; y < Combo->Height() - 4; ++y)
            for (int x = 4; x < Combo->ButtonRect().left - 2; ++x) inked += At(B, x, y) != RgbOf(BoxColor);
        return inked;
    }

    // The centre of the glyph and a button pixel beside it.
    static TPoint GlyphCentre(TsComboBox* Combo)
    {
        const TRect r = Combo->ButtonRect();
        return TPoint{r.left + (r.right - r.left - GlyphSize) / 2 + GlyphSize / 2, (Combo->Height() - GlyphSize) / 2 + GlyphSize / 2};
    }
    static TPoint ButtonFace(TsComboBox* Combo) { return TPoint{Combo->ButtonRect().left + 1, Combo->Height() / 2}; }

    // A line of the open list drawn through the owner-draw message into a bitmap of its own.
    static std::unique_ptr<TBitmap> DrawnLine(TsComboBox* Combo, int Index, UINT ItemState)
    {
        auto bmp = Bmp32(100, 16, 0xFF000000u | Marker);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_COMBOBOX;
        dis.itemID = static_cast<UINT>(Index);
        dis.itemState = ItemState;
        dis.hDC = bmp->Canvas()->Handle();
        dis.rcItem = RECT{0, 0, 100, 16};
        Combo->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        GdiFlush();
        return bmp;
    }
};

} // namespace

TEST_F(SkinnedCombos, ClosedDropDownShowsItsTextFromTheCacheAndFocusedLeavesTheTextToTheEdit)
{
    TsComboBox* combo = AddCombo(csDropDown, 3);
    combo->SetItemIndex(-1);
    combo->SetText(L"2012");
    ShowActive();
    EXPECT_EQ(SendMessageW(combo->Handle(), SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED), 0), 1);

    auto closed = PrintedWindow(combo->Handle());
    EXPECT_GT(Ink(combo, *closed), 0) << "the text is drawn in the cache";
    EXPECT_EQ(At(*closed, combo->ButtonRect().left - 4, combo->Height() / 2), RgbOf(BoxColor)) << "beyond the text";

    combo->SetFocus();
    ASSERT_EQ(GetFocus(), combo->EditHandle());
    auto focused = PrintedWindow(combo->Handle());
    EXPECT_EQ(At(*focused, 10, combo->Height() / 2), Marker) << "the inner edit paints the text area itself";
    EXPECT_EQ(At(*focused, 1, combo->Height() / 2), At(*closed, 1, combo->Height() / 2)) << "the frame still comes from the cache";
    const TPoint glyph = GlyphCentre(combo);
    EXPECT_EQ(Px(*focused, glyph.x, glyph.y) | 0xFF000000u, Glyph1) << "and the button, hot while focused";
}

TEST_F(SkinnedCombos, TheButtonShowsNormalHotAndDroppedAndClosingRepaintsIt)
{
    TsComboBox* combo = AddCombo(csDropDownList, 5);
    ShowActive();
    SetCursorPos(0, 0);
    const TPoint glyph = GlyphCentre(combo);
    const TPoint face = ButtonFace(combo);
    auto expect = [&](std::uint32_t Glyph, TColor Face, const char* What) {
        auto bmp = PrintedWindow(combo->Handle());
        EXPECT_EQ(Px(*bmp, glyph.x, glyph.y) | 0xFF000000u, Glyph) << What;
        EXPECT_EQ(At(*bmp, face.x, face.y), RgbOf(Face)) << What;
    };
    expect(Glyph0, ComboButtonColor, "normal");
    combo->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(Skin.Manager.ActiveControl(), combo->Handle());
    expect(Glyph1, ComboButtonHotColor, "under the mouse");
    SendMessageW(combo->Handle(), SM_LUMACMD, MakeSkinWParam(AC_HOTOFF), reinterpret_cast<LPARAM>(&Skin.Manager));
    expect(Glyph0, ComboButtonColor, "the mouse went elsewhere");

    combo->SetDroppedDown(true);
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_TRUE(combo->DropDownShown());
    EXPECT_EQ(SendMessageW(combo->Handle(), SM_LUMACMD, MakeSkinWParam(AC_POPUPSTATE), 0), 1);
    expect(Glyph2, ComboButtonHotColor, "dropped: pressed");
    combo->SetDroppedDown(false);
    PumpPending();
    EXPECT_FALSE(combo->DropDownShown());
    EXPECT_EQ(Px(*combo->SkinData()->CacheBmp(), glyph.x, glyph.y) | 0xFF000000u, Glyph0) << "closing recomposed the cache";
}

TEST_F(SkinnedCombos, OnlyAListLongerThanDropDownCountGetsAHandler)
{
    const struct {
        int Items;
        bool Handled;
    } cases[] = {{12, false}, {21, true}};
    ShowActive();
    for (const auto& c : cases) {
        TsComboBox* combo = AddCombo(csDropDown, c.Items);
        EXPECT_EQ(combo->DropDownCount(), 16);
        combo->SetDroppedDown(true);
        UpdateWindow(combo->ListHandle());
        PumpPending();
        EXPECT_EQ(combo->ListHandler() != nullptr, c.Handled) << c.Items << " items";
        EXPECT_EQ(combo->ListBoxHandle() != nullptr, c.Handled) << c.Items << " items";
        combo->SetDroppedDown(false);
        if (c.Handled) {
            // However often the list asks, it gets the box's one brush.
            const unsigned objects = skinpaint_test::GdiObjectCount();
            HDC dc = GetDC(combo->ListHandle());
            for (int i = 0; i < 300; ++i)
                SendMessageW(combo->Handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(combo->ListHandle()));
            ReleaseDC(combo->ListHandle(), dc);
            EXPECT_EQ(skinpaint_test::GdiObjectCount(), objects);
        }
        delete combo;
    }
}

TEST_F(SkinnedCombos, SkinRemovalRestoresTheListBorderAndTheColoursUnlessCustom)
{
    TsComboBox* plain = AddCombo(csDropDown, 21);
    TsComboBox* custom = AddCombo(csDropDown, 1, 60);
    custom->SkinData()->SetCustomColor(true);
    custom->SkinData()->SetCustomFont(true);
    custom->SetColor(0x00112233);
    custom->Font()->SetColor(0x00445566);
    ShowActive();
    EXPECT_EQ(plain->Color(), BoxColor) << "skinned, the box takes the section's colour";

    SendMessageW(plain->Handle(), WM_CTLCOLORLISTBOX, 0, reinterpret_cast<LPARAM>(plain->ListHandle()));
    ASSERT_NE(plain->ListHandler(), nullptr);
    HWND list = plain->ListHandle();
    SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) | WS_THICKFRAME);

    for (TsComboBox* c : {plain, custom})
        SendMessageW(c->Handle(), SM_LUMACMD, MakeSkinWParam(AC_SKINUNLOADED), reinterpret_cast<LPARAM>(&Skin.Manager));
    EXPECT_EQ(plain->ListHandler(), nullptr);
    EXPECT_EQ(plain->ListBoxHandle(), nullptr);
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    EXPECT_NE(style & WS_BORDER, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(plain->Color(), clWindow);
    EXPECT_EQ(plain->Font()->Color(), clWindowText);
    EXPECT_EQ(custom->Color(), 0x00112233);
    EXPECT_EQ(custom->Font()->Color(), 0x00445566);
}

TEST_F(SkinnedCombos, ALongItemStaysLeftOfTheButtonAndNoItemDrawsNoText)
{
    TsComboBox* combo = AddCombo(csDropDownList);
    ShowActive();
    auto empty = PrintedWindow(combo->Handle());
    EXPECT_EQ(Ink(combo, *empty), 0) << "no items";
    combo->Items()->Add(L"one");
    SendMessageW(combo->Handle(), CB_SETCURSEL, static_cast<WPARAM>(-2), 0);
    EXPECT_EQ(Ink(combo, *PrintedWindow(combo->Handle())), 0) << "an index of -2";

    combo->Items()->Add(std::wstring(5000, L'W'));
    combo->SetItemIndex(1);
    auto selected = PrintedWindow(combo->Handle());
    EXPECT_GT(Ink(combo, *selected), 0);
    const int buttonLeft = combo->ButtonRect().left;
    for (int y = 0; y < combo->Height(); ++y)
        for (int x = buttonLeft - 1; x < ComboWidth; ++x)
            ASSERT_EQ(At(*selected, x, y), At(*empty, x, y)) << "the text ran into (" << x << "," << y << ")";

    // Lines asked for with an index outside the items write nothing either.
    const std::uint32_t lineColor = RgbOf(Skin.Manager.GetActiveEditColor());
    for (int index : {-2, -1, 2, 7}) {
        auto line = DrawnLine(combo, index, 0);
        for (int x = 0; x < 100; ++x) ASSERT_EQ(At(*line, x, 8), lineColor) << "index " << index << " x " << x;
    }
}

TEST_F(SkinnedCombos, ListLinesUseTheSelectionSectionOrTheHighlightWithAFocusFrame)
{
    TsComboBox* combo = AddCombo(csDropDownList, 2);
    ShowActive();
    auto background = [&](TBitmap& B) { return At(B, 50, 1); };
    auto inked = [&](TBitmap& B) {
        int n = 0;
        for (int x = 2; x < 98; ++x) n += At(B, x, 8) != background(B);
        return n;
    };

    auto plain = DrawnLine(combo, 0, 0);
    EXPECT_EQ(background(*plain), RgbOf(Skin.Manager.GetActiveEditColor()));
    EXPECT_GT(inked(*plain), 0);

    auto highlighted = DrawnLine(combo, 0, ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(background(*highlighted), RgbOf(ColorToRGB(Skin.Manager.GetHighLightColor(true))));
    int frame = 0;
    for (int y = 0; y < 16; ++y) frame += At(*highlighted, 0, y) != background(*highlighted);
    EXPECT_GT(frame, 0) << "a focus frame without a selection section";

    Skin.AddSection(L"SELECTION", SelectionColor, SelectionHotColor, 2);
    const struct {
        UINT State;
        TColor Expected;
    } cases[] = {{ODS_SELECTED | ODS_FOCUS, SelectionHotColor}, {ODS_SELECTED, SelectionColor}};
    for (const auto& c : cases) {
        auto line = DrawnLine(combo, 1, c.State);
        EXPECT_EQ(background(*line), RgbOf(c.Expected)) << c.State;
        EXPECT_EQ(At(*line, 0, 8), RgbOf(c.Expected)) << "no focus frame over the section";
        EXPECT_GT(inked(*line), 0);
    }
}

TEST_F(SkinnedCombos, ReadOnlyClicksOnlyFocusAndKeysChangeNothing)
{
    TsComboBox* list = AddCombo(csDropDownList, 5);
    TsComboBox* edit = AddCombo(csDropDown, 5, 60);
    list->SetItemIndex(1);
    edit->SetText(L"kept");
    for (TsComboBox* c : {list, edit}) c->SetReadOnly(true);
    ShowActive();

    const TPoint button = ButtonFace(list);
    SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
    SendMessageW(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(button.x, button.y));
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(GetFocus(), list->Handle());
    for (WPARAM key : {WPARAM(VK_DOWN), WPARAM(VK_NEXT), WPARAM(VK_END), WPARAM(VK_F4), WPARAM('I')}) {
        SendMessageW(list->Handle(), WM_KEYDOWN, key, 0);
        SendMessageW(list->Handle(), WM_SYSKEYDOWN, key, 1 << 29);
    }
    SendMessageW(list->Handle(), WM_CHAR, 'i', 0);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_FALSE(list->DroppedDown());

    HWND inner = edit->EditHandle();
    SendMessageW(inner, WM_CHAR, 'x', 0);
    SendMessageW(inner, EM_SETSEL, 0, -1);
    SendMessageW(inner, WM_CUT, 0, 0);
    SendMessageW(inner, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(edit->Text(), L"kept");
    EXPECT_EQ(edit->ItemIndex(), -1);
}
