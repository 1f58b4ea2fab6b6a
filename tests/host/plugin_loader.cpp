#include "plugin_loader.h"

#include "text_codec.h"

namespace {

std::vector<LoadedPlugin> plugins;
int nextCommandId = firstPluginCommandId;

typedef BOOL(__cdecl *IsUnicodeFn)();
typedef const wchar_t *(__cdecl *GetNameFn)();
typedef void(__cdecl *SetInfoFn)(NppData);
typedef FuncItem *(__cdecl *GetFuncsArrayFn)(int *);

std::wstring keyName(unsigned char key)
{
    if (key >= VK_F1 && key <= VK_F24)
        return L"F" + std::to_wstring(key - VK_F1 + 1);
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::wstring(1, (wchar_t)key);
    wchar_t name[64] = L"";
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    if (scan && GetKeyNameTextW((LONG)(scan << 16), name, 64) > 0)
        return name;
    return L"VK" + std::to_wstring(key);
}

}  // namespace

std::wstring shortcutText(const ShortcutKey &key)
{
    std::wstring text;
    if (key._isCtrl)
        text += L"Ctrl+";
    if (key._isAlt)
        text += L"Alt+";
    if (key._isShift)
        text += L"Shift+";
    return text + keyName(key._key);
}

bool loadPlugin(const std::wstring &path, const NppData &data, std::wstring &error)
{
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module) {
        error = L"cannot load " + path + L" (error " + std::to_wstring(GetLastError()) + L")";
        return false;
    }
    LoadedPlugin p;
    p.path = path;
    p.module = module;
    auto isUnicode = (IsUnicodeFn)(void *)GetProcAddress(module, "isUnicode");
    auto getName = (GetNameFn)(void *)GetProcAddress(module, "getName");
    auto setInfo = (SetInfoFn)(void *)GetProcAddress(module, "setInfo");
    auto getFuncsArray = (GetFuncsArrayFn)(void *)GetProcAddress(module, "getFuncsArray");
    p.beNotified = (void(__cdecl *)(SCNotification *))(void *)GetProcAddress(module, "beNotified");
    p.messageProc =
        (LRESULT(__cdecl *)(UINT, WPARAM, LPARAM))(void *)GetProcAddress(module, "messageProc");
    const char *missing = !isUnicode ? "isUnicode" : !getName ? "getName" : !setInfo ? "setInfo"
                        : !getFuncsArray ? "getFuncsArray" : !p.beNotified ? "beNotified"
                        : !p.messageProc ? "messageProc" : nullptr;
    if (missing) {
        error = path + L": no export " + fromUtf8(missing);
    } else if (!isUnicode()) {
        error = path + L": isUnicode() is FALSE";
    } else {
        const wchar_t *name = getName();
        p.name = name ? name : L"";
        setInfo(data);
        p.items = getFuncsArray(&p.itemCount);
        if (!p.items || p.itemCount <= 0)
            error = path + L": getFuncsArray() gives no command";
    }
    if (!error.empty()) {
        FreeLibrary(module);
        return false;
    }
    for (int i = 0; i < p.itemCount; ++i)
        p.items[i]._cmdID = nextCommandId++;
    plugins.push_back(p);
    return true;
}

std::vector<std::wstring> findInstalledPlugins(const std::wstring &nppDir)
{
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW entry;
    std::wstring folder = nppDir + L"\\plugins\\";
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        std::wstring name = entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..")
            continue;
        std::wstring dll = folder + name + L"\\" + name + L".dll";
        if (GetFileAttributesW(dll.c_str()) != INVALID_FILE_ATTRIBUTES)
            found.push_back(dll);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

const std::vector<LoadedPlugin> &loadedPlugins() { return plugins; }

HACCEL buildPluginMenus(HMENU menuBar, std::vector<ACCEL> accels)
{
    HMENU pluginsMenu = CreatePopupMenu();
    for (LoadedPlugin &p : plugins) {
        p.subMenu = CreatePopupMenu();
        for (int i = 0; i < p.itemCount; ++i) {
            const FuncItem &item = p.items[i];
            if (item._itemName[0] == L'\0') {
                AppendMenuW(p.subMenu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            std::wstring text = item._itemName;
            if (item._pShKey && item._pShKey->_key) {
                const ShortcutKey &key = *item._pShKey;
                text += L"\t" + shortcutText(key);
                BYTE flags = FVIRTKEY | (key._isCtrl ? FCONTROL : 0) | (key._isAlt ? FALT : 0) |
                             (key._isShift ? FSHIFT : 0);
                accels.push_back(ACCEL{flags, key._key, (WORD)item._cmdID});
            }
            UINT flags = MF_STRING | (item._init2Check ? MF_CHECKED : 0);
            AppendMenuW(p.subMenu, flags, item._cmdID, text.c_str());
        }
        AppendMenuW(pluginsMenu, MF_POPUP, (UINT_PTR)p.subMenu, p.name.c_str());
    }
    AppendMenuW(menuBar, MF_POPUP, (UINT_PTR)pluginsMenu, L"&Plugins");
    return accels.empty() ? nullptr : CreateAcceleratorTableW(accels.data(), (int)accels.size());
}

bool runPluginCommand(int id)
{
    for (const LoadedPlugin &p : plugins)
        for (int i = 0; i < p.itemCount; ++i)
            if (p.items[i]._cmdID == id && p.items[i]._pFunc) {
                p.items[i]._pFunc();
                return true;
            }
    return false;
}

int commandIdAt(int plugin, int index)
{
    if (plugin < 0 || plugin >= (int)plugins.size())
        return -1;
    const LoadedPlugin &p = plugins[plugin];
    return index >= 0 && index < p.itemCount ? p.items[index]._cmdID : -1;
}

int commandIdNamed(const std::wstring &text)
{
    for (const LoadedPlugin &p : plugins)
        for (int i = 0; i < p.itemCount; ++i)
            if (text == p.items[i]._itemName)
                return p.items[i]._cmdID;
    return -1;
}

void notifyPlugins(HWND from, unsigned int code)
{
    // The plug-ins only receive a pointer; a zeroed block larger than any notification.
    union {
        NMHDR header;
        char block[512];
    } notification{};
    notification.header.hwndFrom = from;
    notification.header.code = code;
    for (const LoadedPlugin &p : plugins)
        p.beNotified((SCNotification *)&notification);
}

void forwardToPlugins(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const LoadedPlugin &p : plugins)
        p.messageProc(message, wParam, lParam);
}

void unloadPlugins()
{
    for (const LoadedPlugin &p : plugins)
        FreeLibrary(p.module);
    plugins.clear();
}
