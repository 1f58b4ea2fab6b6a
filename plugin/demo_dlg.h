// DemoDlg: the output panel, a docked dialog holding one read-only multi-line edit
// control that always fills the panel.
#ifndef QIV_PLUGIN_DEMO_DLG_H
#define QIV_PLUGIN_DEMO_DLG_H

#include "docking_dlg_interface.h"

class DemoDlg : public DockingDlgInterface {
public:
    DemoDlg();

    // The panel is closed only through the host's own panel controls.
    void close() override {}
    // Keeps the edit control filling the client area; the rest as DockingDlgInterface.
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The edit control, or null while the panel has no window.
    HWND outputEdit() const;
};

#endif
