// Four of the plug-in's keys are also the editor's own default keys: F11 (full screen), F12
// (post-it), F8 (other view) and F1 (About). The editor's accelerators come first, so in a
// user profile where those commands still hold their keys the plug-in's commands would never
// run. The plug-in then takes the key press over before the editor translates it. Pure
// logic: which key press belongs to which plug-in command, and whether the editor still
// binds the key, read from the text of its menu item ("Full screen\tF11").
#ifndef QIV_PLUGIN_KEY_TAKEOVER_H
#define QIV_PLUGIN_KEY_TAKEOVER_H

#include <string>

struct ContestedKey {
    unsigned virtualKey;   // VK_F11, ...
    const wchar_t *name;   // as the editor writes it in its menus: L"F11"
    int editorCommand;     // the editor's command that holds it by default
    int pluginCommand;     // index of the plug-in's command with that key
};

// The contested key pressed as `virtualKey` without Ctrl, Alt or Shift; null for any other.
const ContestedKey *contestedKey(unsigned virtualKey, bool ctrl, bool alt, bool shift);

// True when the editor's menu item text shows `keyName` as its whole shortcut: the part
// after the tab is exactly the key ("...\tF11", not "\tCtrl+F11", not "\tF1" for F11).
bool menuTextBindsKey(const std::wstring &menuText, const wchar_t *keyName);

#endif
