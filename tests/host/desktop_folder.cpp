#include "desktop_folder.h"

#include <windows.h>

namespace {

const wchar_t *const shellFolderKeys[] = {
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
};

struct SavedValue {
    bool saved = false;
    bool existed = false;
    DWORD type = REG_SZ;
    std::wstring data;
};
SavedValue savedValues[2];

void remember(int i, HKEY key)
{
    SavedValue &s = savedValues[i];
    if (s.saved)
        return;
    wchar_t data[1024] = L"";
    DWORD size = sizeof data - sizeof(wchar_t);
    s.existed = RegQueryValueExW(key, L"Desktop", nullptr, &s.type, (BYTE *)data, &size) ==
                ERROR_SUCCESS;
    s.data = data;
    s.saved = true;
}

void writeValue(HKEY key, DWORD type, const std::wstring &data)
{
    RegSetValueExW(key, L"Desktop", 0, type, (const BYTE *)data.c_str(),
                   (DWORD)((data.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

bool overrideDesktopFolder(const std::wstring &folder)
{
    bool ok = true;
    for (int i = 0; i < 2; ++i) {
        HKEY key;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, shellFolderKeys[i], 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS) {
            ok = false;
            continue;
        }
        remember(i, key);
        writeValue(key, i == 0 ? REG_EXPAND_SZ : REG_SZ, folder);
        RegCloseKey(key);
    }
    return ok;
}

void restoreDesktopFolder()
{
    for (int i = 0; i < 2; ++i) {
        SavedValue &s = savedValues[i];
        HKEY key;
        if (!s.saved || RegOpenKeyExW(HKEY_CURRENT_USER, shellFolderKeys[i], 0, KEY_ALL_ACCESS,
                                      &key) != ERROR_SUCCESS)
            continue;
        if (s.existed)
            writeValue(key, s.type, s.data);
        else
            RegDeleteValueW(key, L"Desktop");
        RegCloseKey(key);
        s.saved = false;
    }
}
