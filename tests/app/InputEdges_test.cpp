// Typed inputs the pages cannot compute from: texts that are no decimal year or month, unfinished
// (empty) entries, holiday names that are not in the list and first duty days that are no date.
// Each must leave both pages exactly as they were (cell texts and looks, date line, counts) and be
// told in the program's one style, or not at all; a good entry afterwards computes as usual.
#include "tests/app/AppTestSupport.h"

#include <algorithm>
#include <ostream>

#include "framework/system/StringUtils.h"

using namespace kvltest;

namespace {

// Everything the two pages show.
struct TPages {
    std::vector<String> MonthCells, HolidayCells; // text, then colour and alignment of own properties
    String MonthDuty, MonthFree, HolidayLine, HolidayDuty, HolidayFree;
    bool operator==(const TPages&) const = default;
};

void PrintTo(const TPages& P, std::ostream* Out)
{
    *Out << ::testing::PrintToString(P.MonthCells) << ' ' << ::testing::PrintToString(P.MonthDuty) << ' '
         << ::testing::PrintToString(P.MonthFree) << ' ' << ::testing::PrintToString(P.HolidayCells) << ' '
         << ::testing::PrintToString(P.HolidayLine) << ' ' << ::testing::PrintToString(P.HolidayDuty) << ' '
         << ::testing::PrintToString(P.HolidayFree);
}

std::vector<String> Cells(TAdvStringGrid* Grid)
{
    std::vector<String> cells;
    for (int r = 0; r < Grid->RowCount(); ++r)
        for (int c = 0; c < Grid->ColCount(); ++c) {
            String cell = Grid->Cells(c, r);
            if (Grid->HasCellProperties(c, r)) {
                TCellProperties* props = Grid->GetCellProperties(c, r);
                cell += L"|" + IntToStr(static_cast<int>(props->FontColor())) + L"/" +
                        IntToStr(static_cast<int>(props->Alignment()));
            }
            cells.push_back(cell);
        }
    return cells;
}

// Keys as the keyboard delivers them; '\b' is a whole Backspace press (the masked date edit acts
// on the key, the combo boxes on the character).
void TypeKeys(HWND Wnd, const String& Keys)
{
    for (wchar_t c : Keys) {
        if (c != L'\b') {
            SendMessageW(Wnd, WM_CHAR, c, 1);
            continue;
        }
        SendMessageW(Wnd, WM_KEYDOWN, VK_BACK, 1);
        SendMessageW(Wnd, WM_CHAR, L'\b', 1);
        SendMessageW(Wnd, WM_KEYUP, VK_BACK, 0xC0000001);
    }
}

// Text pasted from the clipboard over the selection (the box learns of it only as a change).
void Paste(HWND Wnd, const String& Text)
{
    ASSERT_TRUE(OpenClipboard(Wnd));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (Text.size() + 1) * sizeof(wchar_t));
    std::copy(Text.c_str(), Text.c_str() + Text.size() + 1, static_cast<wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
    SendMessageW(Wnd, WM_PASTE, 0, 0);
}

struct TBox {
    String Text, Caption;
    UINT Flags;
};

using TBoxField = TsComboBox* TForm1::*;

class InputEdges : public MainFormTest {
protected:
    // Both pages computed: May 2013 and 元旦 2013, first duty day 1 May 2013, 24-hour rotation.
    void SetUp() override
    {
        MainFormTest::SetUp();
        SetMessageBoxFunction([this](HWND, const String& Text, const String& Caption, UINT Flags) {
            Shown.push_back({Text, Caption, Flags});
            return IDOK;
        });
        TypeDate(Form->sDateEdit1, L"20130501");
        for (TBoxField box : {&TForm1::sComboBox3, &TForm1::sComboBox4, &TForm1::sComboBox2, &TForm1::sComboBox1})
            Type(box, Baseline(box));
        ASSERT_EQ(Form->sLabel3->Caption(), L"2013年元旦是1号");
        ASSERT_EQ(Form->Label1->Caption(), L"本月共工作11天");
        ASSERT_TRUE(Shown.empty());
    }

    static String Baseline(TBoxField Box)
    {
        if (Box == &TForm1::sComboBox4) return L"5";
        if (Box == &TForm1::sComboBox1) return L"元旦";
        return L"2013";
    }
    // Selects the box's whole text and types Keys over it.
    void Type(TBoxField Box, const String& Keys)
    {
        TsComboBox* combo = Form->*Box;
        combo->HandleNeeded();
        SendMessageW(combo->EditHandle(), EM_SETSEL, 0, -1);
        TypeKeys(combo->EditHandle(), Keys);
    }
    TPages Pages()
    {
        return {Cells(Form->caleGrid),       Cells(Form->AdvStringGrid1), Form->Label1->Caption(),
                Form->Label2->Caption(),     Form->sLabel3->Caption(),    Form->Label3->Caption(),
                Form->Label4->Caption()};
    }
    // The pages a plain entry gives, seen from the baseline (which is typed back afterwards).
    TPages PagesFor(TBoxField Box, const String& Text)
    {
        Type(Box, Text);
        TPages pages = Pages();
        Type(Box, Baseline(Box));
        return pages;
    }
    // Makes the form the active window (no window manager does) with the focus in Control.
    void FocusIn(TWinControl* Control)
    {
        SetForegroundWindow(Form->Handle());
        SetActiveWindow(Form->Handle());
        Control->SetFocus();
        Application->ProcessMessages();
        ASSERT_TRUE(Control->Focused());
    }

    std::vector<TBox> Shown;
};

TEST_F(InputEdges, TextsThatAreNoEntryLeaveBothPagesAsTheyWere)
{
    struct TCase {
        TBoxField Box;
        const wchar_t* Keys;
        const wchar_t* Told; // a part of the one message box; nullptr: none
        const wchar_t* Next; // a good entry afterwards
    };
    const TCase cases[] = {
        // Years and months are decimal: other notations are refused and named.
        {&TForm1::sComboBox4, L"0x0A", L"月份“0x0A”不是整数", L"6"},
        {&TForm1::sComboBox4, L"$0B", L"月份“$0B”不是整数", L"6"},
        {&TForm1::sComboBox3, L"0x7E8", L"年份“0x7E8”不是整数", L"2014"},
        {&TForm1::sComboBox3, L"abc", L"年份“abc”不是整数", L"2014"},
        {&TForm1::sComboBox2, L"0x7E8", L"年份“0x7E8”不是整数", L"2014"},
        {&TForm1::sComboBox2, L"$7E8", L"年份“$7E8”不是整数", L"2014"},
        // Range errors speak the same way.
        {&TForm1::sComboBox4, L"13", L"月份“13”超出范围", L"6"},
        {&TForm1::sComboBox3, L"-1", L"年份“-1”超出范围", L"2014"},
        // An emptied box is an entry not yet finished.
        {&TForm1::sComboBox3, L"\b", nullptr, L"2014"},
        {&TForm1::sComboBox4, L"\b", nullptr, L"6"},
        {&TForm1::sComboBox2, L"\b", nullptr, L"2014"},
        {&TForm1::sComboBox1, L"\b", nullptr, L"国庆节"},
        // A holiday name that is no entry chooses nothing.
        {&TForm1::sComboBox1, L"元x", nullptr, L"国庆节"},
        {&TForm1::sComboBox1, L"元旦x", nullptr, L"国庆节"},
    };
    const TPages baseline = Pages();
    for (const TCase& c : cases) {
        String keys = c.Keys;
        SCOPED_TRACE(::testing::PrintToString(keys));
        TPages next = PagesFor(c.Box, c.Next);
        ASSERT_EQ(Pages(), baseline);
        ASSERT_NE(next, baseline);

        // All but the last key may already be a good (or a refused) entry: the pages before the
        // last key are the ones that must stay.
        Type(c.Box, keys.substr(0, keys.size() - 1));
        TPages before = Pages();
        Shown.clear();
        TypeKeys((Form->*c.Box)->EditHandle(), keys.substr(keys.size() - 1));
        if (c.Told == nullptr) {
            EXPECT_TRUE(Shown.empty()) << Shown.front().Text;
        } else {
            ASSERT_EQ(Shown.size(), 1u);
            EXPECT_NE(Shown[0].Text.find(c.Told), String::npos) << Shown[0].Text;
            EXPECT_EQ(Shown[0].Caption, L"Kelvane v2.0");
            EXPECT_EQ(Shown[0].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
        }
        EXPECT_EQ(Pages(), before);

        // A good entry after the refused one computes as usual.
        Shown.clear();
        Type(c.Box, c.Next);
        EXPECT_TRUE(Shown.empty());
        EXPECT_EQ(Pages(), next);
        Type(c.Box, Baseline(c.Box));
    }
}

TEST_F(InputEdges, BlanksAroundANumberAndATypedHolidayNameAreGoodEntries)
{
    struct TCase {
        TBoxField Box;
        const wchar_t* Keys;
        const wchar_t* Same; // the plain entry that gives the same pages
        bool Pasted = false;
    };
    const TCase cases[] = {
        {&TForm1::sComboBox4, L" 6", L"6"},
        {&TForm1::sComboBox4, L"6 ", L"6"},
        {&TForm1::sComboBox3, L" 2014", L"2014"},
        {&TForm1::sComboBox3, L"2014 ", L"2014"},
        // The date line names the year as a number, not as typed.
        {&TForm1::sComboBox2, L" 2014 ", L"2014"},
        // Typed back to an entry's name, or pasted: that entry is chosen.
        {&TForm1::sComboBox1, L"国庆节x\b", L"国庆节"},
        {&TForm1::sComboBox1, L"国庆节", L"国庆节", true},
    };
    for (const TCase& c : cases) {
        String keys = c.Keys;
        SCOPED_TRACE(::testing::PrintToString(keys));
        TPages same = PagesFor(c.Box, c.Same);
        Shown.clear();
        if (c.Pasted) {
            SendMessageW((Form->*c.Box)->EditHandle(), EM_SETSEL, 0, -1);
            Paste((Form->*c.Box)->EditHandle(), keys);
        } else {
            Type(c.Box, keys);
        }
        EXPECT_TRUE(Shown.empty()) << Shown.front().Text;
        EXPECT_EQ(Pages(), same);
        if (c.Box == &TForm1::sComboBox1) EXPECT_EQ(Form->sComboBox1->ItemIndex(), 4);
        Type(c.Box, Baseline(c.Box));
    }
}

TEST_F(InputEdges, AFirstDutyDayThatIsNoDateKeepsThePagesAndIsRefusedOnLeaving)
{
    struct TCase {
        const wchar_t* Name;
        int From;          // where the keys start; -1: over the whole text
        const wchar_t* Keys;
        const wchar_t* Told; // how the message begins
    };
    const TCase cases[] = {
        {L"month 13", 0, L"20131301", L"上班日期“"},
        {L"emptied", -1, L"\b", L"上班日期不能为空"},
    };
    TsDateEdit* edit = Form->sDateEdit1;
    FocusIn(edit);
    const TPages baseline = Pages();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Shown.clear();
        SendMessageW(edit->Handle(), EM_SETSEL, c.From < 0 ? 0 : c.From, c.From);
        TypeKeys(edit->Handle(), c.Keys);
        ASSERT_FALSE(edit->HasValidDate()) << edit->Text();
        // Nothing recomputes from a made-up date while the field holds none, whatever changes.
        EXPECT_EQ(Pages(), baseline);
        Type(&TForm1::sComboBox4, L"6");
        EXPECT_EQ(Pages(), baseline);
        Type(&TForm1::sComboBox4, L"5");
        EXPECT_TRUE(Shown.empty());

        // Leaving the field is refused: told in the program's words and style, naming what was
        // typed, and the focus is back in it.
        const String typed = edit->TextEntered() ? Trim(edit->Text()) : String();
        Form->sComboBox3->SetFocus();
        Application->ProcessMessages();
        ASSERT_EQ(Shown.size(), 1u);
        EXPECT_EQ(Shown[0].Text.rfind(c.Told, 0), 0u) << Shown[0].Text;
        if (!typed.empty()) EXPECT_NE(Shown[0].Text.find(L"“" + typed + L"”不是有效的日期"), String::npos) << Shown[0].Text;
        EXPECT_EQ(Shown[0].Caption, L"Kelvane v2.0");
        EXPECT_EQ(Shown[0].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
        EXPECT_TRUE(edit->Focused());
        EXPECT_EQ(Pages(), baseline);
    }

    // A good date computes both pages from it; leaving the field then says nothing.
    Shown.clear();
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 0);
    TypeKeys(edit->Handle(), DateDigitsFor(edit, L"20130502"));
    ASSERT_EQ(edit->Date(), EncodeDate(2013, 5, 2));
    TDateTime firstDuty = EncodeDate(2013, 5, 2);
    int duty = 0;
    for (int day = 1; day <= 31; ++day) duty += IsDuty(TRotation::Hours24, EncodeDate(2013, 5, day), firstDuty) ? 1 : 0;
    EXPECT_EQ(Form->Label1->Caption(), L"本月共工作" + IntToStr(duty) + L"天");
    EXPECT_EQ(Form->sLabel3->Caption(), L"2013年元旦是1号");
    EXPECT_NE(Pages().HolidayCells, baseline.HolidayCells);
    Form->sComboBox3->SetFocus();
    Application->ProcessMessages();
    EXPECT_TRUE(Shown.empty());
    EXPECT_TRUE(Form->sComboBox3->Focused());
}

} // namespace
