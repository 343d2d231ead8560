#include <gtest/gtest.h>

#include "framework/classes/Persistent.h"

namespace {
class TPoint : public TPersistent {
public:
    int X = 0;
    void Assign(TPersistent* Source) override
    {
        if (auto* p = dynamic_cast<TPoint*>(Source)) { X = p->X; return; }
        TPersistent::Assign(Source);
    }
};
class TOther : public TPersistent {};
} // namespace

TEST(Persistent, AssignCopiesKnownClassAndNamesBothClassesOtherwise)
{
    TPoint a, b;
    b.X = 7;
    a.Assign(&b);
    EXPECT_EQ(7, a.X);

    TOther other;
    try {
        a.Assign(&other);
        FAIL() << "expected EConvertError";
    } catch (const EConvertError& e) {
        EXPECT_NE(String::npos, e.Message().find(L"TOther"));
        EXPECT_NE(String::npos, e.Message().find(L"TPoint"));
    }
    EXPECT_THROW(a.Assign(nullptr), EConvertError);
}
