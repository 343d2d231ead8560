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

// Removes a folder and everything in it; a missing folder is fine.
inline void RemoveFolder(const std::wstring& dir)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = dir + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(dir.c_str());
}

// A fresh, empty folder in the temp directory for a test to write into. Process ids come round
// again under Wine, so a folder left by an earlier run is emptied first.
inline std::wstring TempDir(const std::wstring& tag)
{
    static int made = 0;
    wchar_t buf[MAX_PATH];
    GetTempPathW(MAX_PATH, buf);
    std::wstring dir = std::wstring(buf) + L"kvltest-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(++made);
    RemoveFolder(dir);
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\";
}

} // namespace kvltest
