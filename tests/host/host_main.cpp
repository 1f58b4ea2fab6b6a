// The stand-in editor host: a Win32 program that loads editor plug-ins the way the editor
// does and answers what they ask of it, for the plug-in's tests and for trying a plug-in
// by hand. Not shipped.
//
//   host.exe [--plugin DLL]... [--npp-dir DIR] [--desktop DIR] [--script FILE]
//            [-c COMMAND]... [--timeout SECONDS] [--editor-keys held|freed]
//
// Without --plugin, the plug-ins installed under DIR\plugins\<Name>\<Name>.dll are loaded.
// DIR (the installation folder the plug-ins are told) defaults to the host's own folder.
// Script commands are listed in script_runner.h. A script file is read as UTF-8; text given
// with -c arrives through Wine's command line in the ANSI code page, so keep -c commands
// ASCII (or GBK) and put Chinese menu texts in a script file. With a script, the host ends after
// --timeout seconds (default 60) with exit code 124 if the script has not ended it.
// --editor-keys: whether the editor's own commands still hold F11, F12, F8 and F1 (held, the
// default, as in a profile the installer did not touch) or not (freed).
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "desktop_folder.h"
#include "editor_views.h"
#include "host_output.h"
#include "host_requests.h"
#include "main_window.h"
#include "plugin_loader.h"
#include "script_runner.h"
#include "text_codec.h"

namespace {

constexpr unsigned int NPPN_READY = 1001;
constexpr int exitBadArguments = 2;
constexpr int exitPluginFailed = 3;
constexpr int exitTimedOut = 124;

struct Options {
    std::vector<std::wstring> plugins;
    std::wstring nppDir;
    std::wstring desktop;
    int timeoutSeconds = -1;
    bool editorKeysFreed = false;
};

std::wstring ownFolder()
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return folderOf(path);
}

bool parseOptions(Options &options)
{
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == L"--plugin" && hasValue) {
            options.plugins.push_back(windowsPath(argv[++i]));
        } else if (arg == L"--npp-dir" && hasValue) {
            options.nppDir = windowsPath(argv[++i]);
        } else if (arg == L"--desktop" && hasValue) {
            options.desktop = windowsPath(argv[++i]);
        } else if (arg == L"--script" && hasValue) {
            std::wstring path = windowsPath(argv[++i]);
            if (!addScriptFile(path)) {
                printLine("error: cannot read script " + toUtf8(path));
                return false;
            }
        } else if (arg == L"-c" && hasValue) {
            addScriptLines({toUtf8(argv[++i])});
        } else if (arg == L"--editor-keys" && hasValue) {
            options.editorKeysFreed = std::wstring(argv[++i]) == L"freed";
        } else if (arg == L"--timeout" && hasValue) {
            options.timeoutSeconds = _wtoi(argv[++i]);
        } else {
            printLine("error: unknown argument " + toUtf8(arg));
            printLine("usage: host.exe [--plugin DLL]... [--npp-dir DIR] [--desktop DIR] "
                      "[--script FILE] [-c COMMAND]... [--timeout SECONDS] [--editor-keys held|freed]");
            return false;
        }
    }
    LocalFree(argv);
    if (options.nppDir.empty())
        options.nppDir = ownFolder();
    while (options.nppDir.size() > 3 && (options.nppDir.back() == L'\\'))
        options.nppDir.pop_back();
    if (options.timeoutSeconds < 0)
        options.timeoutSeconds = hasScript() ? 60 : 0;
    return true;
}

DWORD WINAPI watchdog(void *seconds)
{
    Sleep((DWORD)(INT_PTR)seconds * 1000);
    printFormatted("error: timed out after %d s", (int)(INT_PTR)seconds);
    restoreDesktopFolder();
    ExitProcess(exitTimedOut);
}

bool loadPlugins(const Options &options, HWND main)
{
    NppData data{main, editorView(0).edit, editorView(1).edit};
    std::vector<std::wstring> paths = options.plugins;
    if (paths.empty())
        paths = findInstalledPlugins(options.nppDir);
    for (const std::wstring &path : paths) {
        std::wstring error;
        if (!loadPlugin(path, data, error)) {
            printLine("error: " + toUtf8(error));
            return false;
        }
    }
    return true;
}

int runMessageLoop(HWND main, HACCEL accelerators)
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorW(main, accelerators, &msg))
            continue;
        bool handled = false;
        for (HWND dialog : modelessDialogs())
            if ((handled = IsWindow(dialog) && IsDialogMessageW(dialog, &msg)))
                break;
        if (handled)
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    Options options;
    if (!parseOptions(options))
        return exitBadArguments;
    if (options.timeoutSeconds > 0)
        CreateThread(nullptr, 0, watchdog, (void *)(INT_PTR)options.timeoutSeconds, 0, nullptr);
    if (!options.desktop.empty() && !overrideDesktopFolder(options.desktop))
        printLine("error: cannot set the desktop folder");

    HWND main = createMainWindow(options.nppDir, options.editorKeysFreed);
    if (!loadPlugins(options, main)) {
        restoreDesktopFolder();
        return exitPluginFailed;
    }
    HMENU menuBar = GetMenu(main);
    // The editor's own bindings come first in its table, and win over the plug-ins'.
    HACCEL accelerators = buildPluginMenus(menuBar, editorAccelerators());
    DrawMenuBar(main);
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    SetFocus(editorView(0).edit);
    notifyPlugins(main, NPPN_READY);
    startScript();

    int code = runMessageLoop(main, accelerators);
    unloadPlugins();
    restoreDesktopFolder();
    return code;
}
