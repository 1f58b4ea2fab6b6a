#include "host_requests.h"

#include <commdlg.h>

#include "docking_manager.h"
#include "host_output.h"
#include "editor_views.h"
#include "main_window.h"
#include "plugin/host_messages.h"
#include "text_codec.h"

namespace {

std::vector<HWND> &dialogList()
{
    static std::vector<HWND> dialogs;
    return dialogs;
}

// Copies `text` into a plug-in's buffer of `units` units; FALSE (buffer untouched) when it
// does not fit, as the editor does.
LRESULT copyOut(const std::wstring &text, WPARAM units, LPARAM buffer)
{
    if (!buffer || text.size() + 1 > units)
        return FALSE;
    wchar_t *out = (wchar_t *)buffer;
    text.copy(out, text.size());
    out[text.size()] = L'\0';
    return TRUE;
}

Document *currentDoc()
{
    return currentViewIndex() < 0 ? nullptr : currentDocument();
}

std::wstring currentFolder()
{
    Document *doc = currentDoc();
    return doc && !doc->path.empty() ? folderOf(doc->path) : std::wstring();
}

LRESULT modelessDialog(WPARAM action, HWND dialog)
{
    std::vector<HWND> &list = dialogList();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == dialog) {
            if (action == MODELESSDIALOGREMOVE)
                list.erase(list.begin() + i);
            return (LRESULT)dialog;
        }
    if (action == MODELESSDIALOGADD && dialog)
        list.push_back(dialog);
    return (LRESULT)dialog;
}

LRESULT saveAs(WPARAM asCopy, const wchar_t *path)
{
    if (currentViewIndex() < 0 || !path)
        return FALSE;
    bool ok = saveDocumentAs(currentViewIndex(), path, asCopy != 0);
    refreshTabStrips();
    return ok;
}

bool openWithDialog()
{
    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = mainWindow();
    ofn.lpstrFilter = L"C++ (*.cpp;*.h)\0*.cpp;*.h\0All files\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&ofn))
        return false;
    std::wstring error;
    int view = currentViewIndex() < 0 ? 0 : currentViewIndex();
    bool ok = openDocument(view, path, error);
    refreshTabStrips();
    return ok;
}

}  // namespace

const std::vector<HWND> &modelessDialogs() { return dialogList(); }

namespace {

std::wstring saveAsAnswer;  // empty: the dialog is cancelled

// The identifier of a document for NPPM_GETBUFFERENCODING: its address.
Document *documentOfBufferId(LPARAM id)
{
    for (int v = 0; v < viewCount; ++v)
        for (const auto &doc : editorView(v).documents)
            if ((LPARAM)doc.get() == id)
                return doc.get();
    return nullptr;
}

}  // namespace

void setSaveAsDialogAnswer(const std::wstring &path) { saveAsAnswer = path; }

bool saveCurrentDocument()
{
    Document *doc = currentDoc();
    if (!doc)
        return false;
    if (doc->path.empty()) {
        // The editor asks for a name; the answer is used once.
        std::wstring answer = saveAsAnswer;
        saveAsAnswer.clear();
        if (answer.empty()) {
            printLine("save-as-dialog: cancelled");
            return false;
        }
        bool ok = saveDocumentAs(currentViewIndex(), answer, false);
        refreshTabStrips();
        printLine("save-as-dialog: " + std::string(ok ? "saved " : "failed ") + toUtf8(answer));
        return ok;
    }
    bool ok = saveDocumentAs(currentViewIndex(), doc->path, false);
    refreshTabStrips();
    return ok;
}

bool runHostMenuCommand(int id)
{
    int view = currentViewIndex();
    switch (id) {
    case IDM_FILE_NEW:
        if (view < 0)
            setCurrentView(view = 0);
        newDocument(view);
        layoutMainWindow();
        refreshTabStrips();
        return true;
    case IDM_FORMAT_ANSI:
    case IDM_FORMAT_CONV2_ANSI:
        if (view >= 0)
            setDocumentAnsi(view);
        return true;
    case IDM_FILE_OPEN:
        openWithDialog();
        return true;
    case IDM_FILE_SAVE:
        saveCurrentDocument();
        return true;
    case IDM_FILE_EXIT:
        PostMessageW(mainWindow(), WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

bool answerHostRequest(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result)
{
    switch (message) {
    case NPPM_GETCURRENTSCINTILLA:
        if (lParam)
            *(int *)lParam = currentViewIndex();
        result = TRUE;
        return true;
    case NPPM_MODELESSDIALOG:
        result = modelessDialog(wParam, (HWND)lParam);
        return true;
    case NPPM_DMMREGASDCKDLG:
        result = registerPanel((tTbData *)lParam);
        return true;
    case NPPM_DMMSHOW:
    case NPPM_DMMHIDE:
        result = showPanel((HWND)lParam, message == NPPM_DMMSHOW);
        return true;
    case NPPM_DMMUPDATEDISPINFO:
        result = refreshPanelInfo((HWND)lParam);
        return true;
    case NPPM_SAVECURRENTFILE:
        result = saveCurrentDocument();
        return true;
    case NPPM_MENUCOMMAND:
        result = runHostMenuCommand((int)lParam);
        return true;
    case NPPM_HIDETABBAR: {
        result = tabBarHidden();
        setTabBarHidden(lParam != 0);
        return true;
    }
    case NPPM_SAVECURRENTFILEAS:
        result = saveAs(wParam, (const wchar_t *)lParam);
        return true;
    case NPPM_GETCURRENTDIRECTORY:
        result = copyOut(currentFolder(), wParam, lParam);
        return true;
    case NPPM_GETFILENAME:
    case NPPM_GETNAMEPART: {
        Document *doc = currentDoc();
        std::wstring name = doc ? doc->displayName() : std::wstring();
        result = copyOut(message == NPPM_GETNAMEPART ? namePartOf(name) : name, wParam, lParam);
        return true;
    }
    case NPPM_GETNPPDIRECTORY:
        result = copyOut(installationFolder(), wParam, lParam);
        return true;
    case NPPM_GETMENUHANDLE:
        result = wParam == NPPMAINMENU ? (LRESULT)currentMainMenu() : 0;
        return true;
    case NPPM_GETCURRENTBUFFERID:
        result = (LRESULT)currentDoc();
        return true;
    case NPPM_GETBUFFERENCODING: {
        Document *doc = documentOfBufferId((LPARAM)wParam);
        result = doc ? doc->encoding : -1;
        return true;
    }
    }
    return false;
}
