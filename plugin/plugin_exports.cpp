// The six functions the editor calls, and the DLL entry.
#include <windows.h>

#include "command_table.h"
#include "editor_menu.h"
#include "host_records.h"
#include "output_panel.h"
#include "plugin_state.h"

extern "C" {

// First call after loading (the host's main window may still be hidden).
void __cdecl setInfo(NppData data) {
    nppData = data;
    fillCommandTable();
    panelCommandIndex = 10;
    // The editor calls setInfo on its user-interface thread, whose messages the hook sees.
    installKeyTakeover();
}

// The sub-menu title; needs nothing from setInfo.
const wchar_t *__cdecl getName() { return L"Qiv编程1.0.2"; }

FuncItem *__cdecl getFuncsArray(int *count) {
    if (count != nullptr) *count = commandCount;
    return funcItem;
}

// Only the editor's shutdown matters: the key hook goes before the DLL is unloaded.
void __cdecl beNotified(SCNotification *notification) {
    constexpr UINT nppnShutdown = 1009;
    if (notification != nullptr && reinterpret_cast<const NMHDR *>(notification)->code == nppnShutdown)
        removeKeyTakeover();
}

LRESULT __cdecl messageProc(UINT, WPARAM, LPARAM) { return TRUE; }

BOOL __cdecl isUnicode() { return TRUE; }

}  // extern "C"

BOOL APIENTRY DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        // The panel knows its module from the start; its parent comes with the first show.
        outputPanel.attach(module, nullptr);
    }
    // At detach the shortcut records (static) need no release, and the panel object's
    // destructor unregisters and destroys its window if it has one. A host that unloads
    // without the shutdown notification must not keep a hook into unloaded code.
    if (reason == DLL_PROCESS_DETACH) removeKeyTakeover();
    return TRUE;
}
