// Module-wide state of the plug-in (one instance, lives as long as the DLL).
#ifndef QIV_PLUGIN_PLUGIN_STATE_H
#define QIV_PLUGIN_PLUGIN_STATE_H

#include <windows.h>

#include "host_records.h"

constexpr int contextBufferUnits = 452;  // each EditorContext buffer
constexpr int folderLimit = 450;         // units asked for a folder
constexpr int fileNameLimit = 100;       // units asked for a file name or name part

// What the host reports about itself and the current document; filled by
// refreshEditorContext() before every build and run (the new-program commands refresh
// only fileDir).
struct EditorContext {
    wchar_t nppDir[contextBufferUnits];    // the editor's installation folder
    wchar_t fileDir[contextBufferUnits];   // folder of the current document; empty if unsaved
    wchar_t fileName[contextBufferUnits];  // file name with extension
    wchar_t namePart[contextBufferUnits];  // file name without extension
};

extern NppData nppData;              // from setInfo, kept while the DLL is loaded
extern EditorContext editorContext;
extern bool buildSucceeded;          // cleared at each build start, set by a good link
extern int runCount;                 // programs started
extern COLORREF lastColour;          // the colour dialog starts from this value
extern int panelCommandIndex;        // index of "编译信息窗口", the panel's toggle command

#endif
