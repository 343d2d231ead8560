/* kvldrive: starts KVL2.exe and, once its main window is up, works it the way a user would, so a
 * screenshot can show more than the first page:
 *
 *   kvldrive.exe PROGRAM            just runs it
 *   kvldrive.exe PROGRAM holiday    the holiday page, lunar holidays, 除夕 chosen
 *   kvldrive.exe PROGRAM about      the About window over the main window
 *   kvldrive.exe PROGRAM abc        the message box of a year typed as "abc"
 *   kvldrive.exe PROGRAM calendar   the first duty day's drop-down calendar open
 *   kvldrive.exe PROGRAM february   the month page of February 2026 after 2026/02/01 was picked
 *                                   as the first duty day in the drop-down calendar
 *
 * Everything goes through messages posted to the program's windows (a click on the second tab,
 * a click on a radio button, the Down key in the holiday list, a click on the About button); the
 * windows are found by the class names the program gives them and by their texts.
 * kvldrive ends when the program ends. */
#include <windows.h>
#include <shellapi.h>

#include <string.h>
#include <wchar.h>

static const wchar_t *MainCaption = L"Kelvane v2.0";

struct Search {
    const wchar_t *className; /* NULL: any class */
    const wchar_t *text;      /* NULL: any text */
    int wantEmptyText;
    HWND found;
};

static BOOL CALLBACK FindChild(HWND wnd, LPARAM param)
{
    struct Search *s = (struct Search *)param;
    wchar_t name[64], text[64];
    if (!IsWindowVisible(wnd)) return TRUE;
    GetClassNameW(wnd, name, 64);
    if (s->className && _wcsicmp(name, s->className) != 0) return TRUE;
    /* WM_GETTEXT, not GetWindowText: a combo box's text is its edit's, which only the control knows. */
    text[0] = 0;
    SendMessageTimeoutW(wnd, WM_GETTEXT, 64, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL);
    if (s->text && wcscmp(text, s->text) != 0) return TRUE;
    if (s->wantEmptyText && text[0] != 0) return TRUE;
    s->found = wnd;
    return FALSE;
}

static HWND Child(HWND top, const wchar_t *className, const wchar_t *text, int wantEmptyText)
{
    struct Search s = {className, text, wantEmptyText, NULL};
    EnumChildWindows(top, FindChild, (LPARAM)&s);
    return s.found;
}

static void Click(HWND wnd, int x, int y)
{
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

static void Key(HWND wnd, WORD key)
{
    PostMessageW(wnd, WM_KEYDOWN, key, 1);
    PostMessageW(wnd, WM_KEYUP, key, (LPARAM)0xC0000001);
}

static void Settle(HANDLE process)
{
    WaitForInputIdle(process, 5000);
    Sleep(400);
}

static void ShowHolidayPage(HWND main, HANDLE process)
{
    HWND tabs = Child(main, L"TsPageControl", NULL, 0);
    HWND lunar, list, edit;
    int i;
    if (!tabs) return;
    /* The second tab: right of the first one ("每月轮班", about 56 pixels wide). */
    Click(tabs, 85, 10);
    Settle(process);
    lunar = Child(main, NULL, L"阴历", 0);
    if (lunar) PostMessageW(lunar, BM_CLICK, 0, 0);
    Settle(process);
    /* The holiday list is the combo box that shows no text yet. */
    list = Child(main, L"TsComboBox", NULL, 1);
    edit = list ? GetWindow(list, GW_CHILD) : NULL;
    if (!edit) return;
    for (i = 0; i < 6; ++i) Key(edit, VK_DOWN);
    Settle(process);
}

static void ShowCalendar(HWND main)
{
    /* Alt+Down, the date edit's key for its drop-down. */
    HWND date = Child(main, L"TsDateEdit", NULL, 0);
    const LPARAM altDown = 1 | (1 << 29);
    if (!date) return;
    PostMessageW(date, WM_SYSKEYDOWN, VK_DOWN, altDown);
    PostMessageW(date, WM_SYSKEYUP, VK_DOWN, altDown | (LPARAM)0xC0000000);
}

static void ShowAbout(HWND main)
{
    HWND about = Child(main, NULL, L"关 于", 0);
    if (about) PostMessageW(about, BM_CLICK, 0, 0);
}

/* Selects a combo box's whole text and types Text over it, key by key. */
static void TypeOver(HWND combo, const wchar_t *text)
{
    HWND edit = combo ? GetWindow(combo, GW_CHILD) : NULL;
    if (!edit) return;
    SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 2000, NULL);
    for (; *text; ++text) PostMessageW(edit, WM_CHAR, *text, 1);
}

/* The window that has the keyboard focus in the program's thread. */
static HWND FocusOf(DWORD thread)
{
    GUITHREADINFO info = {sizeof(info)};
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : NULL;
}

/* February 2026 on the month page, then 2026/02/01 picked in the drop-down calendar, which opens
 * on today: Page Up/Down walk the months, Left the days, Enter takes the day. */
static void ShowFebruary(HWND main, PROCESS_INFORMATION *program)
{
    SYSTEMTIME now;
    wchar_t year[8], month[4];
    HWND days;
    int months, i;
    GetLocalTime(&now);
    swprintf(year, 8, L"%d", now.wYear);
    swprintf(month, 4, L"%d", now.wMonth);
    TypeOver(Child(main, L"TsComboBox", month, 0), L"2");
    Settle(program->hProcess);
    if (now.wYear != 2026) {
        TypeOver(Child(main, L"TsComboBox", year, 0), L"2026");
        Settle(program->hProcess);
    }
    ShowCalendar(main);
    Settle(program->hProcess);
    days = FocusOf(program->dwThreadId);
    if (!days) return;
    months = (now.wYear - 2026) * 12 + now.wMonth - 2;
    for (i = 0; i < months; ++i) Key(days, VK_PRIOR);
    for (i = 0; i > months; --i) Key(days, VK_NEXT);
    for (i = 1; i < (now.wDay < 28 ? now.wDay : 28); ++i) Key(days, VK_LEFT);
    Key(days, VK_RETURN);
    Settle(program->hProcess);
}

/* The year box of the month page shows this year; "abc" is pasted over its text in one edit, so
 * that the program answers with one message box (typed key by key, every key would). The paste
 * is posted: the program shows the box inside its handling. */
static void TypeYearAbc(HWND main)
{
    SYSTEMTIME now;
    wchar_t year[8];
    HWND combo, edit;
    HGLOBAL text;
    GetLocalTime(&now);
    swprintf(year, 8, L"%d", now.wYear);
    combo = Child(main, L"TsComboBox", year, 0);
    edit = combo ? GetWindow(combo, GW_CHILD) : NULL;
    if (!edit) return;
    text = GlobalAlloc(GMEM_MOVEABLE, sizeof(L"abc"));
    if (!text) return;
    memcpy(GlobalLock(text), L"abc", sizeof(L"abc"));
    GlobalUnlock(text);
    if (!OpenClipboard(NULL)) {
        GlobalFree(text);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, text)) GlobalFree(text);
    CloseClipboard();
    SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 2000, NULL);
    PostMessageW(edit, WM_PASTE, 0, 0);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION info;
    wchar_t command[MAX_PATH + 8];
    HWND main = NULL;
    int waited;
    if (argc < 2) return 2;
    swprintf(command, MAX_PATH + 8, L"\"%ls\"", argv[1]);
    if (!CreateProcessW(argv[1], command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) return 1;
    for (waited = 0; waited < 30000 && !main; waited += 100) {
        if (WaitForSingleObject(info.hProcess, 100) == WAIT_OBJECT_0) return 1;
        main = FindWindowW(NULL, MainCaption);
    }
    if (main) {
        Settle(info.hProcess);
        if (argc > 2 && wcscmp(argv[2], L"holiday") == 0) ShowHolidayPage(main, info.hProcess);
        if (argc > 2 && wcscmp(argv[2], L"about") == 0) ShowAbout(main);
        if (argc > 2 && wcscmp(argv[2], L"abc") == 0) TypeYearAbc(main);
        if (argc > 2 && wcscmp(argv[2], L"calendar") == 0) ShowCalendar(main);
        if (argc > 2 && wcscmp(argv[2], L"february") == 0) ShowFebruary(main, &info);
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    return 0;
}
