// The library exports exactly the entry points the program binds, under undecorated names.
#include "tests/calendar/CalendarLibrary.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::set<std::string> ExportedNames(HMODULE module)
{
    auto base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::set<std::string> names;
    if (dir.VirtualAddress == 0) return names;
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.insert(reinterpret_cast<const char*>(base + nameRvas[i]));
    return names;
}

TEST(CalendarExports, ExactlyTheThirteenUndecoratedNames)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    const std::set<std::string> expected = {
        "ThisYear", "ThisMonth", "WeekOfFirstDay", "LastDay", "DaysOfFeb", "DaysOfBegin", "DateOfBegin",
        "H_judget_72", "H_judget_48", "H_judget_36", "L_judget_72", "L_judget_48", "L_judget_36",
    };
    EXPECT_EQ(ExportedNames(lib.Module), expected);
}

} // namespace
