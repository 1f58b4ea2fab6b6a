// What the plug-in reads from the editor's main menu, and the hook that takes the contested
// keys (F11, F12, F8, F1) over from the editor while its own commands still hold them.
#ifndef QIV_PLUGIN_EDITOR_MENU_H
#define QIV_PLUGIN_EDITOR_MENU_H

// The code page the editor holds the current document in, from its checked character-set
// item (936 for a GBK file it detected on opening); 0 when it holds none (ANSI, UTF-8, or
// an editor that offers no such menu).
int heldCodePageOfCurrentDocument();

// Installs the key hook on the editor's user-interface thread (the calling thread), and
// removes it. Safe to call more than once.
void installKeyTakeover();
void removeKeyTakeover();

#endif
