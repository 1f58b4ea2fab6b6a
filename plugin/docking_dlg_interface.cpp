#include "docking_dlg_interface.h"

#include <shlwapi.h>

#include <cwchar>

#include "host_messages.h"

void DockingDlgInterface::attach(HINSTANCE instance, HWND parent) {
    StaticDialog::attach(instance, parent);
    wchar_t path[dockNameUnits] = {};
    GetModuleFileNameW(instance, path, dockNameUnits);
    path[dockNameUnits - 1] = L'\0';
    wcsncpy(moduleFileName_, PathFindFileNameW(path), dockNameUnits - 1);
}

void DockingDlgInterface::setShown(bool shown) {
    SendMessageW(parent_, shown ? NPPM_DMMSHOW : NPPM_DMMHIDE, 0, reinterpret_cast<LPARAM>(window_));
}

void DockingDlgInterface::refreshDockInfo() {
    SendMessageW(parent_, NPPM_DMMUPDATEDISPINFO, 0, reinterpret_cast<LPARAM>(window_));
}

void DockingDlgInterface::registerWithHost(int commandIndex) {
    panelName_[0] = L'\0';
    GetWindowTextW(window_, panelName_, dockNameUnits);
    tTbData data = {};
    data.hClient = window_;
    data.pszName = panelName_;
    data.dlgID = commandIndex;
    data.uMask = DWS_DF_CONT_BOTTOM;
    data.hIconTab = nullptr;
    data.pszAddInfo = nullptr;
    data.iPrevCont = 0;
    data.pszModuleName = moduleFileName_;
    // The host copies the record; the names it points to live as long as this object.
    registration_ = &data;
    SendMessageW(parent_, NPPM_DMMREGASDCKDLG, 0, reinterpret_cast<LPARAM>(registration_));
    registration_ = nullptr;
}

INT_PTR DockingDlgInterface::handleMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto *header = reinterpret_cast<const NMHDR *>(lParam);
        if (header != nullptr && header->hwndFrom == parent_) {
            const unsigned int code = static_cast<unsigned int>(header->code) & 0xFFFF;
            if (code == DMN_DOCK) floating_ = false;
            if (code == DMN_FLOAT) floating_ = true;
        }
    }
    return FALSE;
}
