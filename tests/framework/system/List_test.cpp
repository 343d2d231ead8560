#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/system/List.h"

namespace {

int items[8] = {0, 1, 2, 3, 4, 5, 6, 7};
void* P(int i) { return &items[i]; }

std::vector<int> Values(const TList& list)
{
    std::vector<int> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i] ? *static_cast<int*>(list[i]) : -1);
    return out;
}

// A list that owns its items the way descendants do: it records what Notify hears.
class TRecordingList : public TList {
public:
    ~TRecordingList() override { Clear(); }
    std::vector<std::pair<int, TListNotification>> Heard;

protected:
    void Notify(void* Ptr, TListNotification Action) override { Heard.push_back({*static_cast<int*>(Ptr), Action}); }
};

} // namespace

TEST(List, EditingOperationsKeepOrder)
{
    TList list;
    EXPECT_EQ(0, list.Add(P(1)));
    EXPECT_EQ(1, list.Add(P(3)));
    list.Insert(1, P(2));
    list.Insert(0, P(0));
    list.Insert(4, P(4));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), Values(list));
    EXPECT_EQ(P(0), list.First());
    EXPECT_EQ(P(4), list.Last());
    EXPECT_EQ(3, list.IndexOf(P(3)));
    EXPECT_EQ(-1, list.IndexOf(P(7)));

    list.Exchange(0, 4);
    EXPECT_EQ((std::vector<int>{4, 1, 2, 3, 0}), Values(list));
    list.Move(0, 3);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 0}), Values(list));
    EXPECT_EQ(1, list.Remove(P(2)));
    EXPECT_EQ(-1, list.Remove(P(2)));
    list.Delete(0);
    EXPECT_EQ((std::vector<int>{3, 4, 0}), Values(list));

    list.SetCount(5);
    EXPECT_EQ((std::vector<int>{3, 4, 0, -1, -1}), Values(list));
    list.SetItems(3, P(6));
    list.Pack();
    EXPECT_EQ((std::vector<int>{3, 4, 0, 6}), Values(list));

    list.Sort([](void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
    EXPECT_EQ((std::vector<int>{0, 3, 4, 6}), Values(list));

    TList copy;
    copy.Add(P(7));
    copy.Assign(&list);
    EXPECT_EQ(Values(list), Values(copy));
    list.Clear();
    EXPECT_EQ(0, list.Count());
}

TEST(List, BadIndexRaisesListErrorWithTheIndex)
{
    TList list;
    list.Add(P(0));
    list.Add(P(1));
    struct Case {
        const char* what;
        std::function<void()> call;
        const wchar_t* message;
    } cases[] = {
        {"Items(-1)", [&] { list.Items(-1); }, L"List index out of bounds (-1)"},
        {"Items(Count)", [&] { list.Items(2); }, L"List index out of bounds (2)"},
        {"Insert past end", [&] { list.Insert(3, P(2)); }, L"List index out of bounds (3)"},
        {"Delete(Count)", [&] { list.Delete(2); }, L"List index out of bounds (2)"},
        {"SetItems", [&] { list.SetItems(5, P(2)); }, L"List index out of bounds (5)"},
        {"Exchange", [&] { list.Exchange(0, 9); }, L"List index out of bounds (9)"},
        {"Move", [&] { list.Move(-4, 0); }, L"List index out of bounds (-4)"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const EListError& e) {
            EXPECT_EQ(c.message, e.Message()) << c.what;
        }
    }
    EXPECT_EQ(2, list.Count());

    TList empty;
    EXPECT_THROW(empty.First(), EListError);
    EXPECT_THROW(empty.Last(), EListError);
    EXPECT_THROW(list.SetCapacity(1), EListError);
}

TEST(List, NotifyHearsEveryItemEnteringAndLeaving)
{
    using H = std::vector<std::pair<int, TListNotification>>;
    TRecordingList list;
    list.Add(P(1));
    list.Add(nullptr); // nulls are not announced
    list.Insert(0, P(2));
    EXPECT_EQ((H{{1, lnAdded}, {2, lnAdded}}), list.Heard);

    list.Heard.clear();
    EXPECT_EQ(P(1), list.Extract(P(1)));
    EXPECT_EQ(nullptr, list.Extract(P(5)));
    list.SetItems(0, P(3));
    list.Remove(nullptr);
    EXPECT_EQ((H{{1, lnExtracted}, {2, lnDeleted}, {3, lnAdded}}), list.Heard);

    list.Heard.clear();
    list.Add(P(4));
    list.Add(P(5));
    list.SetCount(1);
    list.Clear();
    EXPECT_EQ((H{{4, lnAdded}, {5, lnAdded}, {5, lnDeleted}, {4, lnDeleted}, {3, lnDeleted}}), list.Heard);
}
