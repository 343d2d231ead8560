// The combo edit: where its popup opens, the button and its glyph, read-only and direct input,
// the click key, and the text clear of the button.
#include "skin/controls/sCustomComboEdit.h"

#include <gtest/gtest.h>

#include "tests/framework/controls/ControlFixtures.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;
using skintest::Px;

using namespace kvltest;

namespace {

TEST(PopupPlacement, BelowOrAboveAlignedAndHeldInsideTheDesktop)
{
    const TRect desktop{0, 0, 1024, 768};
    const TSize popup{197, 166};
    const struct {
        TPoint Edit;
        int EditWidth;
        TPopupWindowAlign Align;
        TPoint Expected;
    } cases[] = {
        {{100, 100}, 120, pwaRight, {23, 121}},   // right edges aligned, below
        {{100, 700}, 120, pwaRight, {23, 534}},   // no room below: above
        {{10, 100}, 120, pwaRight, {10, 121}},    // left of the desktop: left edges aligned
        {{100, 100}, 120, pwaLeft, {100, 121}},   // left edges aligned
        {{950, 100}, 120, pwaLeft, {827, 121}},   // turned round, then held inside
        {{-50, 100}, 120, pwaLeft, {0, 121}},     // held at the left edge
    };
    for (const auto& c : cases) {
        const TPoint at = PlacePopup(c.Edit, TSize{c.EditWidth, 21}, popup, desktop, c.Align);
        EXPECT_EQ(at.x, c.Expected.x) << c.Edit.x << "," << c.Edit.y;
        EXPECT_EQ(at.y, c.Expected.y) << c.Edit.x << "," << c.Edit.y;
    }
}

// A combo edit with a popup form and the date glyph, as the date edit has them.
class TPopupComboEdit : public TsCustomComboEdit {
public:
    explicit TPopupComboEdit(TComponent* AOwner) : TsCustomComboEdit(AOwner)
    {
        FDefBmpID = 2;
        FPopup.reset(TForm::CreateNew(nullptr));
        FPopup->SetBorderStyle(bsNone);
        FPopupWindow = FPopup.get();
    }
    std::unique_ptr<TForm> FPopup;
};

class ComboEdits : public FormTest {
protected:
    SkinnedManager M;
    void SetUp() override
    {
        FormTest::SetUp();
        M.AddSection(L"EDIT", 0x00F0F0F0);
        M.AddSection(L"SPEEDBUTTON_SMALL", 0x00F0F0F0);
    }
    template <class T>
    T* AddCombo()
    {
        auto* edit = new T(Form);
        edit->SetBounds(20, 20, 120, 21);
        edit->SetParent(Form);
        return edit;
    }
};

TEST_F(ComboEdits, WithoutPopupTheButtonOnlyTellsTheApplication)
{
    auto* edit = AddCombo<TsCustomComboEdit>();
    int clicks = 0;
    edit->OnButtonClick = [&](TObject*) { ++clicks; };
    edit->Button()->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(ComboEdits, TheButtonOpensAndClosesThePopupAndChangesWaitMeanwhile)
{
    auto* edit = AddCombo<TPopupComboEdit>();
    ShowActive();
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->Button()->Click();
    ASSERT_TRUE(edit->DroppedDown());
    EXPECT_EQ(edit->PopupWindow()->Width(), 197);
    EXPECT_EQ(edit->PopupWindow()->Height(), 166);
    edit->SetText(L"while open");
    EXPECT_EQ(changes, 0);
    edit->Button()->Click();
    PumpPending();
    EXPECT_FALSE(edit->DroppedDown());
    edit->SetText(L"closed");
    EXPECT_EQ(changes, 1);
}

TEST_F(ComboEdits, ReadOnlyBlocksButtonAndTypingDirectInputOffOnlyTyping)
{
    auto* edit = AddCombo<TPopupComboEdit>();
    ShowActive();
    int clicks = 0;
    edit->OnButtonClick = [&](TObject*) { ++clicks; };
    edit->SetReadOnly(true);
    edit->Button()->Click();
    edit->DropDown();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_READONLY);

    edit->SetReadOnly(false);
    edit->SetDirectInput(false);
    EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_READONLY);
    edit->SetText(L"kept");
    SendMessageW(edit->Handle(), WM_CUT, 0, 0);
    SendMessageW(edit->Handle(), EM_SETSEL, 0, -1);
    SendMessageW(edit->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(edit->Text(), L"kept");
    edit->Button()->Click();
    EXPECT_TRUE(edit->DroppedDown()) << "the button still opens the popup";
    edit->CloseUp();
}

TEST_F(ComboEdits, TheClickKeyOpensThePopup)
{
    auto* edit = AddCombo<TPopupComboEdit>();
    ShowActive();
    WORD key = VK_DOWN;
    edit->KeyDown(key, TShiftState{ssAlt});
    EXPECT_EQ(key, 0);
    EXPECT_TRUE(edit->DroppedDown());
    edit->CloseUp();
    PumpPending();
    edit->SetClickKey(ShortCut(VK_F4, TShiftState{}));
    key = VK_F4;
    edit->KeyDown(key, TShiftState{});
    EXPECT_TRUE(edit->DroppedDown());
    edit->CloseUp();
}

TEST_F(ComboEdits, ACustomImageListSetsTheButtonAndItsRemovalBringsBackTheStandardGlyph)
{
    auto* edit = AddCombo<TPopupComboEdit>();
    EXPECT_EQ(edit->GlyphMode()->ImageCount(), 3);
    EXPECT_EQ(edit->GlyphMode()->Width(), 16);
    auto* list = new TImageList(Form);
    list->SetSize(16, 16);
    TBitmap image(16, 16);
    list->Add(&image, nullptr);
    edit->GlyphMode()->SetImages(list);
    edit->GlyphMode()->SetImageIndex(0);
    EXPECT_EQ(edit->GlyphMode()->ImageCount(), 1);
    EXPECT_EQ(edit->Button()->Width(), 18);
    EXPECT_EQ(edit->Button()->NumGlyphs(), 1);
    delete list;
    EXPECT_EQ(edit->GlyphMode()->Images(), nullptr);
    EXPECT_EQ(edit->Button()->NumGlyphs(), 3);
}

TEST_F(ComboEdits, TheButtonShowsTheStandardGlyphOverTheEditsFace)
{
    auto* edit = AddCombo<TPopupComboEdit>();
    ShowActive();
    edit->PrepareCache();
    TsEditButton* button = edit->Button();
    button->PrepareCache();
    TBitmap* cache = button->SkinData()->CacheBmp();
    int ink = 0;
    for (int y = 0; y < cache->Height(); ++y)
        for (int x = 0; x < cache->Width(); ++x) ink += (Px(*cache, x, y) & 0xFFFFFF) == 0x404040;
    EXPECT_GT(ink, 10) << "the normal frame of the date glyph";
    EXPECT_EQ(button->Images(), nullptr) << "the glyph list is let go after painting";
}

TEST_F(ComboEdits, WithoutTheButtonTheTextTakesTheWholeWidth)
{
    auto* edit = AddCombo<TPopupComboEdit>();
    ShowActive();
    edit->SetEditRect();
    RECT withButton, without;
    SendMessageW(edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&withButton));
    const int buttonWidth = edit->Button()->Width();
    ASSERT_GT(buttonWidth, 0);
    edit->SetShowButton(false);
    edit->SetEditRect();
    SendMessageW(edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&without));
    EXPECT_EQ(without.right - withButton.right, buttonWidth);
    EXPECT_FALSE(edit->Button()->Visible());
}

} // namespace
