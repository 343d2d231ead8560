// The grid's small lists: integers that report their changes for a cell, sort columns with their
// directions and text form, the controls placed in cells, and lines read and written in order.
#include "framework/stdctrls/Panel.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

struct TChangeLog {
    int Count = 0, Col = -1, Row = -1;
    void Watch(TIntList& List)
    {
        List.OnChange = [this](TObject*, int ACol, int ARow) {
            ++Count;
            Col = ACol;
            Row = ARow;
        };
    }
};

String Items(const TIntList& List) { return List.StrValue(); }

TEST(IntList, ChangesReportTheirCellInsertAndMissingValuesDoNot)
{
    TIntList list(3, 4);
    TChangeLog log;
    log.Watch(list);
    list.Add(7);
    list.Add(-2);
    EXPECT_EQ(2, log.Count);
    EXPECT_EQ(3, log.Col);
    EXPECT_EQ(4, log.Row);
    list.Insert(0, 5);
    EXPECT_EQ(2, log.Count) << "inserting reports nothing";
    list.SetItems(1, 8);
    list.Delete(2);
    EXPECT_EQ(4, log.Count);
    EXPECT_EQ(L"5,8", Items(list));
    list.DeleteValue(42);
    EXPECT_EQ(4, log.Count) << "an absent value changes nothing";
    EXPECT_EQ(L"5,8", Items(list));
    list.DeleteValue(8);
    EXPECT_EQ(5, log.Count);
    EXPECT_TRUE(list.HasValue(5));
    EXPECT_FALSE(list.HasValue(8));

    list.SetStrValue(L"1,-20,300");
    EXPECT_EQ(L"1,-20,300", Items(list));
    EXPECT_EQ(8, log.Count) << "one report per item read";
    EXPECT_THROW(list.Items(3), EListError);
}

TEST(SortIndexList, TextFormAndDirections)
{
    TSortIndexList list;
    EXPECT_EQ(L"", list.SaveToString());
    list.LoadFromString(L"");
    EXPECT_EQ(0, list.Count());

    list.AddIndex(1, true);
    list.AddIndex(3, false);
    EXPECT_EQ(L"u1;d3", list.SaveToString());
    EXPECT_EQ(1, list.FindIndex(3)) << "found whatever its direction";
    EXPECT_EQ(3, list.GetSortColumn(1));
    EXPECT_EQ(-1, list.FindIndex(2));
    list.ToggleIndex(3);
    EXPECT_EQ(L"u1;u3", list.SaveToString());
    list.ToggleIndex(3);
    EXPECT_EQ(L"u1;d3", list.SaveToString());
    list.ToggleIndex(9);
    EXPECT_EQ(L"u1;d3", list.SaveToString());

    // Parts it cannot read are passed over; what was read before and after them stays.
    struct Case {
        const wchar_t* Text;
        const wchar_t* Read;
    } cases[] = {
        {L"u2;;x;d7", L"u2;d7"},
        {L"u2;dX;d7", L"u2;d7"},
        {L"d4;", L"d4"},
        {L"x12", L"d12"}, // any first letter but "u" sorts descending
        {L";;", L""},
    };
    for (const Case& c : cases) {
        list.LoadFromString(c.Text);
        EXPECT_EQ(c.Read, list.SaveToString()) << Narrow(c.Text);
    }
}

TEST(FileStringList, LinesWrittenInPiecesAndReadInOrder)
{
    TFileStringList lines;
    lines.Write(L"a");
    lines.Write(L"b");
    lines.WriteLn(L"c");
    lines.WriteLn(L"second");
    EXPECT_EQ(2, lines.Count());
    EXPECT_EQ(L"abc", lines.Strings(0));

    lines.Reset();
    String s;
    ASSERT_FALSE(lines.Eof());
    lines.ReadLn(s);
    EXPECT_EQ(L"abc", s);
    lines.ReadLn(s);
    EXPECT_EQ(L"second", s);
    EXPECT_TRUE(lines.Eof());
    EXPECT_THROW(lines.ReadLn(s), EStringListError);

    lines.Write(L"left over");
    lines.Reset();
    lines.WriteLn(L"x");
    EXPECT_EQ(L"x", lines.Strings(2)) << "Reset drops the pending text";
}

class ControlList : public GridTest {};

TEST_F(ControlList, FindsControlsByCellAndWindow)
{
    auto* windowed = new TPanel(Form);
    windowed->SetParent(Form);
    auto* other = new TPanel(Form);
    other->SetParent(Form);
    ShowForm();
    TControlList list;
    list.AddControl(2, 3, windowed);
    list.AddControl(4, 1, nullptr);
    EXPECT_EQ(0, list.ControlIndex(2, 3));
    EXPECT_EQ(1, list.ControlIndex(4, 1));
    EXPECT_EQ(-1, list.ControlIndex(3, 2));
    EXPECT_TRUE(list.HasHandle(windowed->Handle()));
    EXPECT_FALSE(list.HasHandle(other->Handle()));
    list.RemoveControl(0);
    EXPECT_EQ(0, list.ControlIndex(4, 1));
    EXPECT_FALSE(list.HasHandle(windowed->Handle()));
}

} // namespace
