#include "demo_dlg.h"

#include "output_panel_ids.h"

DemoDlg::DemoDlg() : DockingDlgInterface(IDD_OUTPUT_PANEL) {}

HWND DemoDlg::outputEdit() const {
    return window_ != nullptr ? GetDlgItem(window_, IDC_OUTPUT_EDIT) : nullptr;
}

INT_PTR DemoDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // Lift the edit control's default 30,000-character limit: long compiler output
        // must not be cut off silently.
        SendMessageW(outputEdit(), EM_SETLIMITTEXT, 0, 0);
    }
    if (message == WM_SIZE) {
        RECT client = {};
        GetClientRect(window_, &client);
        SetWindowPos(outputEdit(), nullptr, 0, 0, client.right - client.left,
                     client.bottom - client.top, SWP_NOACTIVATE);
    }
    return DockingDlgInterface::handleMessage(message, wParam, lParam);
}
