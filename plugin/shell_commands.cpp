// "课本样例程序", "帮助文件" and "About".
#include <windows.h>
#include <shellapi.h>

#include "commands.h"
#include "editor_context.h"
#include "host_messages.h"
#include "install_paths.h"
#include "output_panel.h"
#include "panel_texts.h"
#include "plugin_state.h"

namespace {

std::wstring installationFolder() {
    wchar_t folder[contextBufferUnits] = {};
    sendToHost(NPPM_GETNPPDIRECTORY, folderLimit, reinterpret_cast<LPARAM>(folder));
    folder[contextBufferUnits - 1] = L'\0';
    return folder;
}

// Hands `path` to the shell with `verb`; false when the shell could not do it.
bool openWithShell(const wchar_t *verb, const std::wstring &path) {
    HINSTANCE result = ShellExecuteW(nullptr, verb, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

void openSampleFolder() {
    const std::wstring path = sampleFolderPath(installationFolder());
    if (!openWithShell(L"explore", path)) reportFailure(sampleFolderFailedLine(path));
}

void openHelpFile() {
    const std::wstring path = helpFilePath(installationFolder());
    if (!openWithShell(L"open", path)) reportFailure(helpFileFailedLine(path));
}

void showAbout() {
    MessageBoxW(nppData._nppHandle,
                L"Qiv编程1.0.2\n"
                L"在编辑器里编写、编译和运行 Qiv 绘图程序与 C++ 程序\n"
                L"作者: Qiv 编程教学组",
                L"About", MB_OK | MB_ICONINFORMATION);
}
