// The plug-in's one output panel: showing it, writing lines, clearing it, and reporting
// failures there.
#ifndef QIV_PLUGIN_OUTPUT_PANEL_H
#define QIV_PLUGIN_OUTPUT_PANEL_H

#include <string>

#include "demo_dlg.h"

extern DemoDlg outputPanel;

// Command "编译信息窗口": creates and registers the panel the first time, then shows it.
void showOutputPanel();

// Adds `text` and a line break at the end of the panel. Safe from any thread.
void appendLine(const std::wstring &text);

// Empties the panel.
void clearOutputPanel();

// Paints what is waiting to be painted in the editor's windows and the panel now: a build
// blocks the editor's message loop, so its step lines would otherwise only show at the end.
void repaintNow();

// Shows the panel and writes `line` into it: how every failure is reported.
void reportFailure(const std::wstring &line);

#endif
