#include "output_panel.h"

#include "host_messages.h"
#include "plugin_state.h"

DemoDlg outputPanel;

void showOutputPanel() {
    outputPanel.setParent(nppData._nppHandle);
    if (!outputPanel.hasWindow()) {
        outputPanel.createFromResource(outputPanel.dialogResource(), false);
        if (outputPanel.hasWindow()) outputPanel.registerWithHost(panelCommandIndex);
    }
    SendMessageW(nppData._nppHandle, NPPM_DMMSHOW, 0, reinterpret_cast<LPARAM>(outputPanel.window()));
}

void appendLine(const std::wstring &text) {
    HWND edit = outputPanel.outputEdit();
    if (edit == nullptr) return;
    // Put the caret at the end, so a click into the panel cannot make lines land
    // in the middle of earlier output.
    const LRESULT end = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"\r\n"));
}

void clearOutputPanel() {
    HWND edit = outputPanel.outputEdit();
    if (edit == nullptr) return;
    SetWindowTextW(edit, L"");
    UpdateWindow(outputPanel.window());
}

void repaintNow() {
    // The panel may float as a window of its own, outside the editor's main window.
    RedrawWindow(nppData._nppHandle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (outputPanel.hasWindow())
        RedrawWindow(outputPanel.window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void reportFailure(const std::wstring &line) {
    showOutputPanel();
    appendLine(line);
}
