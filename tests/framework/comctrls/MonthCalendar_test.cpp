// Month calendars: the selection by a click on a day, with OnChange.
#include "framework/comctrls/MonthCalendar.h"

#include <commctrl.h>
#include <string>
#include <vector>

#include "framework/system/DateTimeUtils.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class MonthCalendars : public FormTest {};

TEST_F(MonthCalendars, ClickOnADaySelectsItAndFiresOnChange)
{
    auto* calendar = Add<TMonthCalendar>(Form, 10, 10, 225, 160);
    calendar->SetDate(EncodeDate(2012, 5, 7) + 0.5);
    int changes = 0;
    calendar->OnChange = [&](TObject*) { ++changes; };
    ShowActive();
    EXPECT_EQ(calendar->Date(), EncodeDate(2012, 5, 7));
    SYSTEMTIME st{};
    SendMessageW(calendar->Handle(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    EXPECT_EQ(SystemTimeToDateTime(st), EncodeDate(2012, 5, 7));
    calendar->SetMinDate(EncodeDate(2012, 5, 1));
    EXPECT_THROW(calendar->SetMaxDate(EncodeDate(2012, 4, 30)), ECommonCalendarError);
    calendar->SetMinDate(0);

    // Find a point on another day of May and click it.
    TRect size = calendar->MinReqRect();
    ASSERT_GT(size.right, 0);
    MCHITTESTINFO hit{};
    hit.cbSize = offsetof(MCHITTESTINFO, st) + sizeof(SYSTEMTIME);
    bool found = false;
    for (int y = 40; y < calendar->Height() && !found; y += 4)
        for (int x = 10; x < calendar->Width() - 10 && !found; x += 4) {
            hit.pt = Point(x, y);
            SendMessageW(calendar->Handle(), MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            found = hit.uHit == MCHT_CALENDARDATE && hit.st.wMonth == 5 && hit.st.wDay != 7;
        }
    ASSERT_TRUE(found);
    ClickAt(calendar->Handle(), hit.pt.x, hit.pt.y);
    EXPECT_EQ(calendar->Date(), EncodeDate(2012, 5, hit.st.wDay));
    EXPECT_EQ(changes, 1);
}

} // namespace
