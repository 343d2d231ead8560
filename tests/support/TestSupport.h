#pragma once
// Small helpers shared by the test programs.
#include <windows.h>

#include <string>

namespace kvltest {

// Path of a fixture under tests/data as Windows sees it (Wine maps the Linux root to Z:).
inline std::wstring DataPath(const std::wstring& name)
{
    std::string dir = KVL_TEST_DATA_DIR;
    std::wstring path = L"Z:";
    for (char c : dir) path += (c == '/') ? L'\\' : static_cast<wchar_t>(c);
    if (!name.empty()) path += L"\\" + name;
    return path;
}

// Folder of the running test executable, with a trailing backslash.
inline std::wstring ExeDir()
{
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    std::wstring path(buf, n);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// A fresh, empty folder in the temp directory for a test to write into.
inline std::wstring TempDir(const std::wstring& tag)
{
    wchar_t buf[MAX_PATH];
    GetTempPathW(MAX_PATH, buf);
    std::wstring dir = std::wstring(buf) + L"kvltest-" + tag + L"-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\";
}

} // namespace kvltest
