// Loading plug-in DLLs the way the editor does, building their menus and running their
// commands.
//
// Per plug-in: LoadLibrary, the six exports looked up, then isUnicode, getName, setInfo
// (the main window still hidden) and getFuncsArray, in that order. Each plug-in gets a
// sub-menu of the "Plugins" menu titled by getName(), its commands listed with their
// shortcuts after a tab; command ids are numbered from 22000 across plug-ins in load order
// and written back into FuncItem::_cmdID. Shortcuts go into one accelerator table.
#ifndef QIV_HOST_PLUGIN_LOADER_H
#define QIV_HOST_PLUGIN_LOADER_H

#include <windows.h>

#include <string>
#include <vector>

#include "plugin/host_records.h"

constexpr int firstPluginCommandId = 22000;

struct LoadedPlugin {
    std::wstring path;
    HMODULE module = nullptr;
    std::wstring name;           // getName()
    FuncItem *items = nullptr;   // getFuncsArray()
    int itemCount = 0;
    HMENU subMenu = nullptr;
    void(__cdecl *beNotified)(SCNotification *) = nullptr;
    LRESULT(__cdecl *messageProc)(UINT, WPARAM, LPARAM) = nullptr;
};

// Loads one plug-in; on failure returns false with the reason (nothing stays loaded).
bool loadPlugin(const std::wstring &path, const NppData &data, std::wstring &error);
// The editor's own search: <nppDir>\plugins\<Name>\<Name>.dll for every sub-folder.
std::vector<std::wstring> findInstalledPlugins(const std::wstring &nppDir);

const std::vector<LoadedPlugin> &loadedPlugins();
// Appends the "Plugins" menu to `menuBar` and returns the accelerator table of all
// plug-in shortcuts (null when there are none).
HACCEL buildPluginMenus(HMENU menuBar, std::vector<ACCEL> accels);
// Shortcut text as the menu shows it, e.g. "F11" or "Ctrl+Shift+K".
std::wstring shortcutText(const ShortcutKey &key);

// Runs the command with menu id `id`; false when no plug-in owns it.
bool runPluginCommand(int id);
// The command id of entry `index` of plug-in `plugin`, or of the entry whose menu text is
// `text` (first match over all plug-ins); -1 when there is none.
int commandIdAt(int plugin, int index);
int commandIdNamed(const std::wstring &text);

// Sends a notification code to every plug-in's beNotified; forwards a message to every
// messageProc.
void notifyPlugins(HWND from, unsigned int code);
void forwardToPlugins(UINT message, WPARAM wParam, LPARAM lParam);
// Unloads every plug-in (FreeLibrary).
void unloadPlugins();

#endif
