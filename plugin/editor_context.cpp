#include "editor_context.h"

#include "caret_plan.h"
#include "host_messages.h"
#include "plugin_state.h"

LRESULT sendToHost(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(nppData._nppHandle, message, wParam, lParam);
}

namespace {

// Asks the host for one text into a context buffer; the buffer ends terminated even if
// the host wrote nothing.
void askText(UINT message, int limit, wchar_t *buffer) {
    buffer[0] = L'\0';
    sendToHost(message, static_cast<WPARAM>(limit), reinterpret_cast<LPARAM>(buffer));
    buffer[contextBufferUnits - 1] = L'\0';
}

}  // namespace

void refreshEditorContext() {
    askText(NPPM_GETNPPDIRECTORY, folderLimit, editorContext.nppDir);
    askText(NPPM_GETCURRENTDIRECTORY, folderLimit, editorContext.fileDir);
    askText(NPPM_GETFILENAME, fileNameLimit, editorContext.fileName);
    askText(NPPM_GETNAMEPART, fileNameLimit, editorContext.namePart);
}

void refreshFileDir() {
    askText(NPPM_GETCURRENTDIRECTORY, folderLimit, editorContext.fileDir);
}

HWND currentView() {
    int which = -1;
    sendToHost(NPPM_GETCURRENTSCINTILLA, 0, reinterpret_cast<LPARAM>(&which));
    if (which == -1) return nullptr;
    return which == 0 ? nppData._scintillaMainHandle : nppData._scintillaSecondHandle;
}

bool gotoLineColumn(int line, int column) {
    const CaretPlan plan = gotoLineColumnPlan(line, column);
    if (!plan.needsView) return true;
    HWND view = currentView();
    if (view == nullptr) return false;
    for (const ViewMessage &m : plan.messages) {
        for (int i = 0; i < m.repeat; ++i) {
            SendMessageW(view, m.message, static_cast<WPARAM>(m.wParam), 0);
        }
    }
    return true;
}

void focusEditor() {
    HWND view = currentView();
    if (view == nullptr) {
        buildSucceeded = false;
        return;
    }
    SetForegroundWindow(view);
    SetFocus(view);
}
