// "新建Qiv程序" and "C++新程序": a new document with the template, saved under the first
// free qiv_NN.cpp / c++_NN.cpp name beside the current document (or on the desktop), with
// the caret inside main.
#include <windows.h>
#include <shlobj.h>

#include "commands.h"
#include "editor_context.h"
#include "host_messages.h"
#include "new_program.h"
#include "output_panel.h"
#include "panel_texts.h"
#include "plugin_state.h"

namespace {

bool fileExists(const std::wstring &path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The user's desktop folder, not created if missing; empty when unknown.
std::wstring desktopFolder() {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) return std::wstring();
    return path;
}

// Saves the current document under a free name; returns the failure line, or an empty
// text when the document was saved.
std::wstring saveUnderFreeName(ProgramKind kind) {
    std::wstring folder = editorContext.fileDir;
    if (folder.empty()) folder = desktopFolder();
    if (folder.empty()) return noFolderLine();
    const std::optional<std::wstring> path = findFreeProgramPath(folder, kind, fileExists);
    if (!path) return noFreeNameLine(kind, folder);
    sendToHost(NPPM_SAVECURRENTFILEAS, 0, reinterpret_cast<LPARAM>(path->c_str()));
    if (!fileExists(*path)) return saveFailedLine(*path);
    return std::wstring();
}

void newProgram(ProgramKind kind) {
    const ProgramKindInfo &info = programKindInfo(kind);
    sendToHost(NPPM_HIDETABBAR, 0, FALSE);
    refreshFileDir();  // the folder of the document current before the new one
    sendToHost(NPPM_MENUCOMMAND, 0, IDM_FILE_NEW);
    // New documents may start in UTF-8; the template and the runtime use ANSI (GBK) text.
    sendToHost(NPPM_MENUCOMMAND, 0, IDM_FORMAT_ANSI);
    HWND view = currentView();
    if (view == nullptr) {
        reportFailure(noEditorViewLine(L"新程序没有写入模板, 也没有保存"));
        return;
    }
    SendMessageW(view, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(info.templateText));
    const std::wstring failure = saveUnderFreeName(kind);
    gotoLineColumn(info.caretLine, info.caretColumn);
    if (!failure.empty()) reportFailure(failure);
}

}  // namespace

void newQivFile() { newProgram(ProgramKind::Qiv); }

void newCppFile() { newProgram(ProgramKind::Cpp); }
