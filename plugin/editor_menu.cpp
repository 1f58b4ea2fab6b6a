#include "editor_menu.h"

#include <windows.h>

#include <string>

#include "command_table.h"
#include "host_messages.h"
#include "key_takeover.h"
#include "plugin_state.h"
#include "source_encoding.h"

namespace {

HHOOK keyHook = nullptr;

HMENU editorMainMenu() {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(nppData._nppHandle, NPPM_GETMENUHANDLE, NPPMAINMENU, 0));
    return menu != nullptr ? menu : GetMenu(nppData._nppHandle);
}

// True while the editor's own command still holds `key`: its menu item shows the key as its
// shortcut. An item the menu lacks counts as holding it (the editor's default).
bool editorHoldsKey(const ContestedKey &key) {
    HMENU menu = editorMainMenu();
    if (menu == nullptr) return true;
    wchar_t text[256] = L"";
    if (GetMenuStringW(menu, static_cast<UINT>(key.editorCommand), text, 256, MF_BYCOMMAND) <= 0) return true;
    return menuTextBindsKey(text, key.name);
}

bool isDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

// Runs before the editor's message loop translates a message it took from the queue. A
// contested key pressed in the editor's main window (not in a dialog, and not while a modal
// one disables it) becomes the plug-in's command, as it would once the key is freed.
LRESULT CALLBACK keyHookProc(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        MSG *msg = reinterpret_cast<MSG *>(lParam);
        if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->hwnd != nullptr &&
            GetAncestor(msg->hwnd, GA_ROOT) == nppData._nppHandle && IsWindowEnabled(nppData._nppHandle)) {
            const ContestedKey *key = contestedKey(static_cast<unsigned>(msg->wParam), isDown(VK_CONTROL),
                                                   isDown(VK_MENU), isDown(VK_SHIFT));
            if (key != nullptr && funcItem[key->pluginCommand]._cmdID != 0 && editorHoldsKey(*key)) {
                msg->message = WM_NULL;
                PostMessageW(nppData._nppHandle, WM_COMMAND, static_cast<WPARAM>(funcItem[key->pluginCommand]._cmdID), 0);
            }
        }
    }
    return CallNextHookEx(keyHook, code, removal, lParam);
}

}  // namespace

int heldCodePageOfCurrentDocument() {
    HMENU menu = editorMainMenu();
    if (menu == nullptr) return 0;
    for (int index = 0; index < IDM_FORMAT_ENCODE_COUNT; ++index) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(IDM_FORMAT_ENCODE + index), MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1) && (state & MF_CHECKED)) return encodingMenuCodePage(index);
    }
    return 0;
}

void installKeyTakeover() {
    if (keyHook != nullptr) return;
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&keyHookProc), &self);
    keyHook = SetWindowsHookExW(WH_GETMESSAGE, keyHookProc, self, GetCurrentThreadId());
}

void removeKeyTakeover() {
    if (keyHook != nullptr) UnhookWindowsHookEx(keyHook);
    keyHook = nullptr;
}
