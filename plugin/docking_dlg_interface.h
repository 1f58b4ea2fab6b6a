// DockingDlgInterface: a StaticDialog that lives in the host's docking manager. It knows
// the plug-in file's name and the panel's name for the registration record, shows and
// hides itself through the host, and tracks whether the host floats or docks it.
#ifndef QIV_PLUGIN_DOCKING_DLG_INTERFACE_H
#define QIV_PLUGIN_DOCKING_DLG_INTERFACE_H

#include "host_records.h"
#include "static_dialog.h"

constexpr int dockNameUnits = 260;

class DockingDlgInterface : public StaticDialog {
public:
    explicit DockingDlgInterface(int dialogResource) : dialogResource_(dialogResource) {}

    // Also records the library's own file name, without its folder.
    void attach(HINSTANCE instance, HWND parent) override;
    // Asks the host to show or hide the panel.
    void setShown(bool shown) override;
    // Asks the host to read the panel's name and icon again.
    virtual void refreshDockInfo();
    // Tracks DMN_DOCK / DMN_FLOAT from the host; every message returns FALSE.
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Reads the panel's name from its caption and registers the panel with the host's
    // docking manager, docked at the bottom; `commandIndex` is the toggling command.
    void registerWithHost(int commandIndex);

    int dialogResource() const { return dialogResource_; }
    bool isFloating() const { return floating_; }
    const wchar_t *moduleFileName() const { return moduleFileName_; }
    const wchar_t *panelName() const { return panelName_; }

protected:
    tTbData *registration_ = nullptr;  // set only while the registration is being sent
    int dialogResource_;
    bool floating_ = false;
    wchar_t moduleFileName_[dockNameUnits] = {};
    wchar_t panelName_[dockNameUnits] = {};
};

#endif
