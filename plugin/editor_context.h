// Questions to the host about itself and the current document, and caret moves in the
// current editor view. Used by the commands and by the build driver.
#ifndef QIV_PLUGIN_EDITOR_CONTEXT_H
#define QIV_PLUGIN_EDITOR_CONTEXT_H

#include <windows.h>

// Sends a message to the host main window.
LRESULT sendToHost(UINT message, WPARAM wParam, LPARAM lParam);

// Fills all four EditorContext buffers from the host.
void refreshEditorContext();

// Asks the host for the current document's folder into editorContext.fileDir.
void refreshFileDir();

// The current editor view's window, or null when the host reports none.
HWND currentView();

// Moves the caret to a 1-based line and column of the current view. Line -1 does nothing
// and counts as done; without a current view the result is false.
bool gotoLineColumn(int line, int column);

// Brings the current view to the front with the keyboard focus; without a view the build
// is marked as failed.
void focusEditor();

#endif
