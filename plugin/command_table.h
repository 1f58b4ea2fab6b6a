// The plug-in's command table: eleven menu entries with their handlers and shortcuts.
#ifndef QIV_PLUGIN_COMMAND_TABLE_H
#define QIV_PLUGIN_COMMAND_TABLE_H

#include "host_records.h"

constexpr int commandCount = 11;
constexpr int shortcutCount = 6;

extern FuncItem funcItem[commandCount];

// Fills every entry: text, handler, not checked, shortcut (F-keys, no modifiers).
void fillCommandTable();

#endif
