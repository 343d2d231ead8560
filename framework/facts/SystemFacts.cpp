// The real system's answers. Optional system functions are looked up by name once, the first time
// they are needed; a library or function that is missing switches its fact off.
#include "framework/facts/SystemFacts.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cwctype>

namespace {

template <class TFunction>
TFunction Lookup(HMODULE Module, const char* Name)
{
    if (Module == nullptr) return nullptr;
    return reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(Module, Name)));
}

// The libraries stay loaded for the process's lifetime, so what was looked up stays valid.
struct TOptionalFunctions {
    using TRtlGetVersion = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    using TIsThemeActive = BOOL(WINAPI*)();
    using TGetCurrentThemeName = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
    using TDwmIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);

    TRtlGetVersion RtlGetVersion = nullptr;
    DLLGETVERSIONPROC ComCtlGetVersion = nullptr;
    TIsThemeActive IsThemeActive = nullptr;
    TGetCurrentThemeName GetCurrentThemeName = nullptr;
    TDwmIsCompositionEnabled DwmIsCompositionEnabled = nullptr;

    TOptionalFunctions()
    {
        RtlGetVersion = Lookup<TRtlGetVersion>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
        ComCtlGetVersion = Lookup<DLLGETVERSIONPROC>(LoadLibraryW(L"comctl32.dll"), "DllGetVersion");
        HMODULE theme = LoadLibraryW(L"uxtheme.dll");
        IsThemeActive = Lookup<TIsThemeActive>(theme, "IsThemeActive");
        GetCurrentThemeName = Lookup<TGetCurrentThemeName>(theme, "GetCurrentThemeName");
        DwmIsCompositionEnabled = Lookup<TDwmIsCompositionEnabled>(LoadLibraryW(L"dwmapi.dll"), "DwmIsCompositionEnabled");
    }
};

const TOptionalFunctions& Optional()
{
    static const TOptionalFunctions functions;
    return functions;
}

BOOL CALLBACK CollectMonitor(HMONITOR Monitor, HDC, LPRECT, LPARAM Data)
{
    TMonitorFacts facts;
    facts.Handle = Monitor;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(Monitor, &info)) {
        facts.Bounds = info.rcMonitor;
        facts.WorkArea = info.rcWork;
        facts.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    }
    reinterpret_cast<std::vector<TMonitorFacts>*>(Data)->push_back(facts);
    return TRUE;
}

String RegistryText(HKEY Root, const wchar_t* Key)
{
    wchar_t value[256];
    DWORD size = sizeof(value);
    if (RegGetValueW(Root, Key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return String();
    return value;
}

TSystemFacts RealFacts;
TSystemFacts* Current = &RealFacts;

} // namespace

TWindowsVersion TSystemFacts::WindowsVersion()
{
    TWindowsVersion version;
    RTL_OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (Optional().RtlGetVersion != nullptr && Optional().RtlGetVersion(&info) == 0) {
        version.Major = info.dwMajorVersion;
        version.Minor = info.dwMinorVersion;
        version.Build = info.dwBuildNumber;
    }
    return version;
}

DWORD TSystemFacts::CommonControlsVersion()
{
    if (Optional().ComCtlGetVersion == nullptr) return 0;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    if (FAILED(Optional().ComCtlGetVersion(&info))) return 0;
    return MakeVersion(info.dwMajorVersion, info.dwMinorVersion);
}

bool TSystemFacts::ThemeActive()
{
    return Optional().IsThemeActive != nullptr && Optional().IsThemeActive() != FALSE;
}

String TSystemFacts::ThemeFileName()
{
    if (!ThemeActive() || Optional().GetCurrentThemeName == nullptr) return String();
    wchar_t file[MAX_PATH] = {};
    if (FAILED(Optional().GetCurrentThemeName(file, MAX_PATH, nullptr, 0, nullptr, 0))) return String();
    return file;
}

String TSystemFacts::ThemeName()
{
    String file = ThemeFileName();
    size_t slash = file.find_last_of(L"\\/");
    String name = slash == String::npos ? file : file.substr(slash + 1);
    size_t dot = name.rfind(L'.');
    return dot == String::npos ? name : name.substr(0, dot);
}

bool TSystemFacts::CompositionEnabled()
{
    BOOL enabled = FALSE;
    return Optional().DwmIsCompositionEnabled != nullptr && SUCCEEDED(Optional().DwmIsCompositionEnabled(&enabled)) &&
           enabled != FALSE;
}

bool TSystemFacts::RightToLeftLocale() { return GetSystemMetrics(SM_MIDEASTENABLED) != 0; }

int TSystemFacts::OfficeVersion()
{
    // An installed application registers its class id under its program id, and the program id
    // of its current version ("Excel.Application.16") under CurVer.
    if (RegistryText(HKEY_CLASSES_ROOT, L"Excel.Application\\CLSID").empty()) return 0;
    String current = RegistryText(HKEY_CLASSES_ROOT, L"Excel.Application\\CurVer");
    size_t dot = current.rfind(L'.');
    if (dot == String::npos || dot + 1 >= current.size()) return 0;
    int version = 0;
    for (size_t i = dot + 1; i < current.size() && std::iswdigit(current[i]); ++i)
        version = version * 10 + (current[i] - L'0');
    return version;
}

SHORT TSystemFacts::KeyState(int VirtualKey) { return GetKeyState(VirtualKey); }

DWORD TSystemFacts::TickCount() { return GetTickCount(); }

void TSystemFacts::Beep(UINT Type) { MessageBeep(Type); }

bool TSystemFacts::ShellOpen(const String& Target, int ShowCmd, HWND Owner)
{
    HINSTANCE result = ShellExecuteW(Owner, L"open", Target.c_str(), nullptr, nullptr, ShowCmd);
    // ShellExecute answers a value above 32 on success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

std::vector<TMonitorFacts> TSystemFacts::Monitors()
{
    std::vector<TMonitorFacts> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

TSystemFacts& SystemFacts() { return *Current; }

TSystemFactsOverride::TSystemFactsOverride(TSystemFacts& Facts) : FPrevious(Current) { Current = &Facts; }

TSystemFactsOverride::~TSystemFactsOverride() { Current = FPrevious; }
