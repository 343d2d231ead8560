// The skinned panel: its section following the outer bevel, the background it describes to its
// children, what it paints in plain mode, and the drag bar moving its form.
#include <gtest/gtest.h>

#include "framework/controls/Forms.h"
#include "skin/controls/sPanel.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/SkinStateFixture.h"
#include "support/ControlTestSupport.h"
#include "support/PixelBuffer.h"

using namespace kvltest;
using namespace skinstate_test;

namespace {

constexpr TColor PanelColor = 0x00336699;
constexpr TColor LowColor = 0x00224466;
constexpr TColor FormColor = 0x00F0E0D0;
// The section's font colour: skinned captions are written in it.
constexpr TColor TextColor = 0x00000080;

class SkinnedPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        Skin.AddSection(L"PANEL", PanelColor);
        Skin.AddSection(L"PANEL_LOW", LowColor);
        Skin.AddSection(L"CHECKBOX", PanelColor);
        Skin.Manager.gd[0].Props[0].FontColor.Color = TextColor;
        Form = TForm::CreateNew(nullptr);
        Form->SetBounds(60, 60, 260, 200);
        Form->SetColor(FormColor);
        Panel = new TsPanel(Form);
        Panel->SetParent(Form);
        Panel->SetBounds(10, 10, 120, 60);
    }
    void TearDown() override { delete Form; }

    // The panel as WM_PRINTCLIENT paints it.
    std::unique_ptr<TPixelBuffer> Print()
    {
        auto pixels = std::make_unique<TPixelBuffer>(Panel->Width(), Panel->Height());
        SendMessageW(Panel->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pixels->DC()), PRF_CLIENT);
        return pixels;
    }

    SkinnedManager Skin;
    TForm* Form = nullptr;
    TsPanel* Panel = nullptr;
};

TEST_F(SkinnedPanel, OuterBevelChoosesTheSectionUnlessTheSectionIsItsOwn)
{
    struct TCase {
        const wchar_t* Section;
        TBevelCut Bevel;
        const wchar_t* Expected;
    };
    const TCase cases[] = {
        {L"PANEL", bvLowered, L"PANEL_LOW"},
        {L"PANEL", bvNone, L"CHECKBOX"},
        {L"PANEL", bvRaised, L"PANEL"},
        {L"MYPANEL", bvLowered, L"MYPANEL"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Section);
        auto* panel = new TsPanel(Form);
        panel->SetParent(Form);
        panel->Loaded();
        panel->SkinData()->SetSkinSection(c.Section);
        panel->SetBevelOuter(c.Bevel);
        EXPECT_EQ(panel->SkinData()->SkinSection(), c.Expected);
        delete panel;
    }
}

TEST_F(SkinnedPanel, ChildrenFindTheirBackgroundAtTheirOwnPlaceInThePanel)
{
    Skin.Manager.gd[0].GradientPercent = 100;
    Panel->SetBorderWidth(4);
    Panel->SetBevelWidth(1);
    Panel->SetBevelOuter(bvRaised);
    Panel->HandleNeeded();
    Panel->SkinData()->InitCacheBitmap();
    EXPECT_TRUE(SameRect(Panel->TextRect(), TRect{5, 5, 115, 55}));

    // Without a window border the client is the whole panel: the offset stays.
    TBackgroundQuery query;
    SendMessageW(Panel->Handle(), SM_LUMACMD, MakeSkinWParam(AC_QUERYBGINFO), reinterpret_cast<LPARAM>(&query));
    ASSERT_EQ(query.Kind, bgkBitmap);
    EXPECT_EQ(query.Bitmap, Panel->SkinData()->CacheBmp());
    EXPECT_EQ(query.OffsetX, 0);
    EXPECT_EQ(query.OffsetY, 0);

    // A bordered panel moves it by its border band and its one bevel: 4 + 1.
    Panel->SetBorderStyle(bsSingle);
    Panel->HandleNeeded();
    ASSERT_NE(Panel->ClientWidth(), Panel->Width());
    query = TBackgroundQuery{};
    SendMessageW(Panel->Handle(), SM_LUMACMD, MakeSkinWParam(AC_QUERYBGINFO), reinterpret_cast<LPARAM>(&query));
    EXPECT_EQ(query.OffsetX, 5);
    EXPECT_EQ(query.OffsetY, 5);
    EXPECT_EQ(SendMessageW(Panel->Handle(), SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED), 0), 1);
}

TEST_F(SkinnedPanel, PlainModeFillsWithTheSectionColourMixedByTransparencyAndWritesTheCaption)
{
    Form->Show();
    Panel->SetCaption(L"WWW");
    struct TCase {
        int Transparency;
        TColor Fill;
    };
    const TCase cases[] = {
        {0, PanelColor},
        {100, FormColor},
        {50, MixColors(FormColor, PanelColor, 0.5)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Transparency);
        Skin.Manager.gd[0].Transparency = c.Transparency;
        Panel->SkinData()->UpdateIndexes();
        auto pixels = Print();
        EXPECT_EQ(pixels->At(2, 2), static_cast<COLORREF>(c.Fill));
        EXPECT_EQ(pixels->At(Panel->Width() - 3, Panel->Height() - 3), static_cast<COLORREF>(c.Fill));
        const RECT text = pixels->Find(RECT{0, 0, Panel->Width(), Panel->Height()},
                                       [](COLORREF p) { return p == static_cast<COLORREF>(TextColor); });
        EXPECT_GT(text.right, text.left) << "caption";
    }
    // Without ShowCaption no text is written.
    Panel->SetShowCaption(false);
    auto pixels = Print();
    const RECT text = pixels->Find(RECT{0, 0, Panel->Width(), Panel->Height()},
                                   [](COLORREF p) { return p == static_cast<COLORREF>(TextColor); });
    EXPECT_LE(text.right, text.left) << "no caption";
}

// A windowless child that fills itself with one colour.
class TSwatch : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect(TRect{0, 0, Width(), Height()});
    }
};

TEST_F(SkinnedPanel, PlainModePaintsItsWindowlessChildrenOverItsFace)
{
    auto* swatch = new TSwatch(Form);
    swatch->SetParent(Panel);
    swatch->SetBounds(20, 20, 10, 10);
    Form->Show();
    auto pixels = Print();
    EXPECT_EQ(pixels->At(25, 25), static_cast<COLORREF>(clLime));
    EXPECT_EQ(pixels->At(2, 2), static_cast<COLORREF>(PanelColor));
}

// A form that records the system commands it is sent instead of running them (a move would
// wait for the mouse button).
class TMoveSpyForm : public TForm {
public:
    using TForm::TForm;
    std::vector<WPARAM> Commands;
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_SYSCOMMAND) {
            Commands.push_back(Message.WParam);
            return;
        }
        TForm::WndProc(Message);
    }
};

TEST(DragBar, ALeftPressMovesItsFormThenReportsClickAndRelease)
{
    auto* form = new TMoveSpyForm(nullptr);
    form->AfterConstruction();
    form->SetBounds(80, 80, 200, 120);
    auto* bar = new TsDragBar(form);
    bar->SetParent(form);
    bar->Loaded();
    EXPECT_EQ(bar->DraggedControl(), form);
    EXPECT_EQ(bar->Align(), alTop);
    EXPECT_EQ(bar->Height(), 20);
    EXPECT_EQ(bar->Color(), clActiveCaption);
    form->Show();
    std::vector<String> events;
    bar->OnClick = [&](TObject*) { events.push_back(L"click"); };
    bar->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back(L"up"); };

    SendMessageW(bar->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(form->Commands.empty());
    SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(form->Commands.size(), 1u);
    EXPECT_EQ(form->Commands[0], static_cast<WPARAM>(SC_MOVE | HTCAPTION));
    EXPECT_EQ(events, (std::vector<String>{L"click", L"up"}));
    delete form;
}

} // namespace
