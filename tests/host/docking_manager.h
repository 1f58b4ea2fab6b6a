// The stand-in host's docking manager: panels registered with NPPM_DMMREGASDCKDLG are
// re-parented into one container along the bottom of the main window, under a caption
// strip with the panel's name and a close button, and shown or hidden on request.
// Notifications go to the panel as WM_NOTIFY from the main window, the container number
// in the high word of the code as the editor sends them (DMN_DOCK on registration,
// DMN_CLOSE when the close button hides it).
#ifndef QIV_HOST_DOCKING_MANAGER_H
#define QIV_HOST_DOCKING_MANAGER_H

#include <windows.h>

#include <string>
#include <vector>

#include "plugin/host_records.h"

struct DockedPanel {
    HWND client = nullptr;
    std::wstring name;
    std::wstring moduleName;
    int commandIndex = 0;   // dlgID: the command that toggles the panel
    UINT mask = 0;
    bool visible = false;
    HWND caption = nullptr;  // the strip above the panel
    HWND closeButton = nullptr;
};

// Creates the (hidden) bottom container; call once after the main window exists.
void createDockContainer(HWND mainWindow);

// NPPM_DMMREGASDCKDLG: false when the record is unusable.
bool registerPanel(tTbData *record);
// NPPM_DMMSHOW / NPPM_DMMHIDE / NPPM_DMMUPDATEDISPINFO; false for an unknown window.
bool showPanel(HWND client, bool show);
bool refreshPanelInfo(HWND client);

const std::vector<DockedPanel> &dockedPanels();
// Height of the bottom area (caption strip included) and changing it.
int dockAreaHeight();
void setDockAreaHeight(int pixels);
// Height the bottom area takes now (0 when no panel is visible).
int visibleDockHeight();
// Places the container in the rectangle the main window's layout gives it.
void placeDockContainer(const RECT &area);
// What the close button of panel `index` does: hide it and send DMN_CLOSE.
void closePanel(int index);
// The container's window (parent of the registered panels).
HWND dockContainer();

#endif
