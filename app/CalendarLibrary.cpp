#include "app/CalendarLibrary.h"

#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <type_traits>

#include "calendar/initialize.h"

namespace {

using TEntryPoints = TCalendarEntryPoints;

TEntryPoints GLibrary;

const TEntryPoints& Bound()
{
    if (GLibrary.Module == nullptr) throw EInvalidOperation(L"The calendar library is not loaded");
    return GLibrary;
}

// Takes over a BSTR answer: its text, the BSTR freed.
String Take(BSTR Text)
{
    if (Text == nullptr) return String();
    String result(Text, SysStringLen(Text));
    SysFreeString(Text);
    return result;
}

} // namespace

String BindCalendarLibrary(const String& Folder)
{
    UnbindCalendarLibrary();
    String folder = Folder;
    if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    String path = folder + L"\\Library\\initialize.dll";

    TEntryPoints library;
    library.Module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library.Module == nullptr)
        return L"找不到日历库 " + path + L"，程序无法启动。\n(The calendar library " + path + L" could not be loaded.)";

    String missing;
    library.Bind([&](const char* name) {
        missing += (missing.empty() ? L"" : L", ") + String(name, name + strlen(name));
    });
    if (!missing.empty()) {
        FreeLibrary(library.Module);
        return L"日历库 " + path + L" 缺少函数 " + missing + L"，程序无法启动。\n(The calendar library lacks " +
               missing + L".)";
    }
    GLibrary = library;
    return String();
}

void UnbindCalendarLibrary()
{
    if (GLibrary.Module != nullptr) FreeLibrary(GLibrary.Module);
    GLibrary = TEntryPoints();
}

bool CalendarLibraryBound()
{
    return GLibrary.Module != nullptr;
}

String ThisYear() { return Take(Bound().ThisYear()); }
String ThisMonth() { return Take(Bound().ThisMonth()); }
String WeekOfFirstDay(const String& Month, const String& Year) { return Take(Bound().WeekOfFirstDay(Month.c_str(), Year.c_str())); }
String LastDay(const String& Month, const String& Year) { return Take(Bound().LastDay(Month.c_str(), Year.c_str())); }
int DaysOfFeb(int Year) { return Bound().DaysOfFeb(Year); }
int DaysOfBegin(int YearIndex, int HolidayIndex) { return Bound().DaysOfBegin(YearIndex, HolidayIndex); }
TDateTime DateOfBegin(int YearIndex, int HolidayIndex) { return Bound().DateOfBegin(YearIndex, HolidayIndex); }

String H_judget_72(TDateTime Day, TDateTime FirstDutyDay) { return Take(Bound().H_judget_72(Day, FirstDutyDay)); }
String H_judget_48(TDateTime Day, TDateTime FirstDutyDay) { return Take(Bound().H_judget_48(Day, FirstDutyDay)); }
String H_judget_36(TDateTime Day, TDateTime FirstDutyDay) { return Take(Bound().H_judget_36(Day, FirstDutyDay)); }

String L_judget_72(int Offset, int YearIndex, int HolidayIndex, TDateTime FirstDutyDay)
{
    return Take(Bound().L_judget_72(Offset, YearIndex, HolidayIndex, FirstDutyDay));
}
String L_judget_48(int Offset, int YearIndex, int HolidayIndex, TDateTime FirstDutyDay)
{
    return Take(Bound().L_judget_48(Offset, YearIndex, HolidayIndex, FirstDutyDay));
}
String L_judget_36(int Offset, int YearIndex, int HolidayIndex, TDateTime FirstDutyDay)
{
    return Take(Bound().L_judget_36(Offset, YearIndex, HolidayIndex, FirstDutyDay));
}
