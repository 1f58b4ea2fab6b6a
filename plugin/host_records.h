// Records exchanged with the editor host, in the host's published layouts.
//
// The stand-in editor host (tests/host/) may include this header too, as
// "plugin/host_records.h"; the message numbers are in plugin/host_messages.h.
#ifndef QIV_PLUGIN_HOST_RECORDS_H
#define QIV_PLUGIN_HOST_RECORDS_H

#include <windows.h>

#include <cstddef>

// The three windows the host hands to the plug-in in setInfo.
struct NppData {
    HWND _nppHandle;               // host main window
    HWND _scintillaMainHandle;     // main editor view
    HWND _scintillaSecondHandle;   // second editor view
};

// Keyboard shortcut of one command.
struct ShortcutKey {
    bool _isCtrl;
    bool _isAlt;
    bool _isShift;
    unsigned char _key;  // virtual-key code
};

// A command handler: no arguments, no result.
typedef void(__cdecl *PFUNCPLUGINCMD)();

const int menuItemSize = 64;  // units of FuncItem::_itemName, terminator included

// One entry of the plug-in's command table.
struct FuncItem {
    wchar_t _itemName[menuItemSize];
    PFUNCPLUGINCMD _pFunc;
    int _cmdID;          // written by the host
    bool _init2Check;    // checked when the menu is built
    ShortcutKey *_pShKey;
};

// Docking registration record of a panel (NPPM_DMMREGASDCKDLG).
struct tTbData {
    HWND hClient;                 // the panel's window
    const wchar_t *pszName;       // the panel's name
    int dlgID;                    // index of the command that toggles the panel
    UINT uMask;                   // container and decoration flags
    HICON hIconTab;
    const wchar_t *pszAddInfo;
    RECT rcFloat;                 // filled by the host
    int iPrevCont;                // filled by the host
    const wchar_t *pszModuleName; // the plug-in file's name, without folder
};

// Header of a host notification; only passed by pointer, never read by the plug-in.
struct SCNotification;

#if defined(__i386__)
// The host reads arrays of these records with its own 32-bit layouts.
static_assert(sizeof(NppData) == 12, "NppData must be 12 bytes");
static_assert(sizeof(ShortcutKey) == 4, "ShortcutKey must be 4 bytes");
static_assert(sizeof(FuncItem) == 144, "FuncItem must be 144 bytes");
static_assert(offsetof(FuncItem, _pFunc) == 128, "FuncItem handler at offset 128");
static_assert(offsetof(FuncItem, _cmdID) == 132, "FuncItem command id at offset 132");
static_assert(offsetof(FuncItem, _init2Check) == 136, "FuncItem check flag at offset 136");
static_assert(offsetof(FuncItem, _pShKey) == 140, "FuncItem shortcut at offset 140");
static_assert(sizeof(tTbData) == 48, "tTbData must be 48 bytes");
static_assert(offsetof(tTbData, rcFloat) == 24, "tTbData floating rectangle at offset 24");
static_assert(offsetof(tTbData, pszModuleName) == 44, "tTbData module name at offset 44");
#endif

#endif
