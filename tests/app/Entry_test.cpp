// The program's entry: a real start of KVL2.exe that finds no calendar library beside it, and the
// order of the shut-down after the message loop.
#include "tests/app/AppTestSupport.h"

#include <ole2.h>

#include <cstdio>
#include <cstdlib>

#include "app/KVLProgram.h"
#include "grid/control/AdvGrid.h"
#include "tests/support/MessagePump.h"

using namespace kvltest;

namespace {

// A program started for a test; still running when the test ends, it is ended.
class TStartedProgram {
public:
    explicit TStartedProgram(const String& Path)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        String command = L"\"" + Path + L"\"";
        if (!CreateProcessW(Path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &FInfo))
            FInfo = PROCESS_INFORMATION{};
    }
    ~TStartedProgram()
    {
        if (FInfo.hProcess == nullptr) return;
        if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(FInfo.hProcess, 99);
        CloseHandle(FInfo.hThread);
        CloseHandle(FInfo.hProcess);
    }
    TStartedProgram(const TStartedProgram&) = delete;
    TStartedProgram& operator=(const TStartedProgram&) = delete;

    bool Started() const { return FInfo.hProcess != nullptr; }
    DWORD Id() const { return FInfo.dwProcessId; }
    // The exit code once the program has ended within TimeoutMs; STILL_ACTIVE otherwise.
    DWORD ExitCode(DWORD TimeoutMs)
    {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(FInfo.hProcess, TimeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(FInfo.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION FInfo{};
};

struct TDialogSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindDialog(HWND Wnd, LPARAM Param)
{
    auto* search = reinterpret_cast<TDialogSearch*>(Param);
    DWORD owner = 0;
    GetWindowThreadProcessId(Wnd, &owner);
    wchar_t name[16] = {};
    GetClassNameW(Wnd, name, 16);
    if (owner != search->ProcessId || !IsWindowVisible(Wnd) || wcscmp(name, L"#32770") != 0) return TRUE;
    search->Found = Wnd;
    return FALSE;
}

// The visible dialog window (a message box's class) of a process, or null.
HWND DialogOf(DWORD ProcessId)
{
    TDialogSearch search{ProcessId, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

String WindowText(HWND Wnd)
{
    wchar_t text[1024] = {};
    SendMessageTimeoutW(Wnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

TEST(ProgramEntry, WithoutTheCalendarLibraryItRefusesToStartAndNamesTheMissingFile)
{
    // The program alone in a folder: no Library\initialize.dll beside it.
    String folder = TempDir(L"entry");
    String program = folder + L"KVL2.exe";
    ASSERT_TRUE(CopyFileW((ExeDir() + L"KVL2.exe").c_str(), program.c_str(), FALSE)) << "KVL2.exe is not beside the tests";

    {
        TStartedProgram started(program);
        ASSERT_TRUE(started.Started());
        HWND box = nullptr;
        PumpUntil([&] { return (box = DialogOf(started.Id())) != nullptr || started.ExitCode(0) != STILL_ACTIVE; }, 30000);
        ASSERT_NE(box, nullptr) << "no message box; exit code " << started.ExitCode(0);
        EXPECT_EQ(WindowText(box), L"Kelvane v2.0");
        // The message box's text is its static control 0xFFFF.
        String told = WindowText(GetDlgItem(box, 0xFFFF));
        EXPECT_NE(told.find(folder + L"Library\\initialize.dll"), String::npos) << told;

        // Answered, the box lets the program end at once, refused: no form was made.
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(started.ExitCode(30000), 1u);
    }
    RemoveFolder(folder);
}

// Ends the child process of the shut-down test: 0 when the order held, a message otherwise.
[[noreturn]] void Finish(const char* Failure)
{
    if (Failure != nullptr) std::fprintf(stderr, "%s\n", Failure);
    std::fflush(stderr);
    std::_Exit(Failure == nullptr ? 0 : 1);
}

// Whether OLE is started on this thread (probed without changing that).
bool OleStarted()
{
    HRESULT started = OleInitialize(nullptr);
    if (SUCCEEDED(started)) OleUninitialize();
    return started == S_FALSE;
}

// The grid unit's finalization is seen through OLE, which it releases. The form holds two grids,
// as the program's does: the unit starts once for both and its one finalization undoes it.
void ShutDownWithTwoGrids()
{
    if (!CalendarBound()) Finish("the calendar library is missing beside the test program");
    if (OleStarted()) Finish("OLE was started on the thread before the grid");
    TForm* form = TForm::CreateNew(Application);
    for (int i = 0; i < 2; ++i) {
        auto* grid = new TAdvStringGrid(form);
        grid->SetParent(form);
    }
    if (!OleStarted()) Finish("the grid unit did not start OLE");
    bool oleAtDestroy = true, libraryAtDestroy = false, destroyed = false;
    form->OnDestroy = [&](TObject*) {
        destroyed = true;
        oleAtDestroy = OleStarted();
        libraryAtDestroy = CalendarLibraryBound();
    };

    ShutDownProgram();

    if (!destroyed) Finish("the forms were not destroyed");
    if (oleAtDestroy) Finish("the grid unit was finalized after the forms were destroyed");
    if (!libraryAtDestroy) Finish("the calendar library was unbound before the forms were destroyed");
    if (CalendarLibraryBound()) Finish("the calendar library is still bound");
    Finish(nullptr);
}

TEST(ProgramShutDownDeathTest, TheGridUnitIsFinalizedBeforeTheFormsGoAndTheLibraryLast)
{
    // The shut-down ends the process's application and needs the grid unit fresh: it runs in a
    // process of its own.
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(ShutDownWithTwoGrids(), ::testing::ExitedWithCode(0), "");
}

} // namespace
