// Stand-in for the tool chain's g++.exe (and, built again, its ar.exe), for tests under Wine:
// runs the Linux cross tool (QIV_LINUX_COMPILER: the compiler that built the runtime under
// test, or its ar), or the one named by the first line of a file <own name>.linux beside the
// stand-in (g++.exe.linux naming another compiler, such as the posix-thread one), in the
// stand-in's current folder, with the same arguments,
// Windows paths in them translated to Linux paths, and relays everything the compiler
// printed to standard error or output to its own standard output in pieces, with the
// paths it was given written back in their Windows form and the CR LF line ends of a
// Windows compiler. Like g++, it prints nothing when the step succeeds, and it exits with
// the compiler's exit status.
//
// A file <own name>.fail-once beside the stand-in makes its next run fail without running
// anything (as a compiler run may fail once on a busy machine); that run deletes the file.
//
// A source holding the text "qiv-test: probe the panel" makes it look, before compiling,
// at the stand-in editor host's output panel while the build waits for it, and print
// "panel-probe: visible=V painted=P" first: painted=1 when the panel's edit control has
// nothing left to paint, that is, what the plug-in wrote before this step is on the screen.
// For a header (the precompiled header's make, whose words must stay empty) the line goes
// to the file <header>.panel-probe instead.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "wine_unix.h"

#ifndef QIV_LINUX_COMPILER
#error "QIV_LINUX_COMPILER must name the Linux cross compiler"
#endif

namespace {

// Each translated path: its Linux form and the Windows form it was given (ANSI code page).
std::vector<std::pair<std::string, std::string>> translatedPaths;

std::string ansi(const std::wstring &text) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &out[0], bytes, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// The Linux form of a Windows path, remembered for writing the output back; empty when Wine
// cannot translate it.
std::string translatedPath(const std::wstring &windowsPath) {
    const std::string path = unixFileName(windowsPath);
    if (!path.empty()) translatedPaths.emplace_back(path, ansi(windowsPath));
    return path;
}

// The compiler names the files by the Linux paths it was given; the tool it stands in for
// would name them as the plug-in did.
std::string withWindowsPaths(std::string text) {
    // Longer paths first, so that a folder never replaces the start of a file's path in it.
    std::sort(translatedPaths.begin(), translatedPaths.end(),
              [](const auto &a, const auto &b) { return a.first.size() > b.first.size(); });
    for (const auto &[linuxPath, windowsPath] : translatedPaths) {
        for (size_t at = text.find(linuxPath); at != std::string::npos;
             at = text.find(linuxPath, at + windowsPath.size()))
            text.replace(at, linuxPath.size(), windowsPath);
    }
    return text;
}

bool isDrivePath(const std::wstring &text) {
    return text.size() >= 3 && iswalpha(text[0]) && text[1] == L':' &&
           (text[2] == L'\\' || text[2] == L'/');
}

// One argument as the Linux compiler needs it: a Windows path, alone or glued to an option
// (-include"C:\x\logo.h" arrives as -includeC:\x\logo.h), becomes the Linux path.
std::string unixArgument(const std::wstring &argument) {
    static const wchar_t *const gluedOptions[] = {L"-include", L"-I", L"-L", L"-o"};
    if (isDrivePath(argument)) {
        const std::string path = translatedPath(argument);
        if (!path.empty()) return path;
    }
    for (const wchar_t *option : gluedOptions) {
        const std::wstring prefix = option;
        if (argument.compare(0, prefix.size(), prefix) == 0 && isDrivePath(argument.substr(prefix.size()))) {
            const std::string path = translatedPath(argument.substr(prefix.size()));
            if (!path.empty()) return utf8(prefix) + path;
        }
    }
    return utf8(argument);
}

// Everything in `path`, or nothing when it cannot be read.
std::string readAll(const std::wstring &path) {
    std::string content;
    FILE *in = _wfopen(path.c_str(), L"rb");
    if (in == nullptr) return content;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, in)) > 0) content.append(buffer, got);
    fclose(in);
    return content;
}

// Line feeds become CR LF, as in a Windows program's text-mode output.
std::string windowsLineEnds(const std::string &text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
        out.push_back(text[i]);
    }
    return out;
}

// Writes in pieces of at most 512 bytes, as a compiler writes its report message by
// message: a reader of the pipe sees a long report arrive over many writes.
void writeOut(const std::string &text) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    for (size_t at = 0; at < text.size(); at += 512) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(512, text.size() - at));
        DWORD written = 0;
        if (!WriteFile(out, text.data() + at, piece, &written, nullptr)) return;
    }
}

// The stand-in editor host's output panel: the edit control 2501 among its windows.
BOOL CALLBACK findPanelEdit(HWND child, LPARAM found) {
    wchar_t name[16] = L"";
    GetClassNameW(child, name, 16);
    if (GetDlgCtrlID(child) == 2501 && lstrcmpiW(name, L"Edit") == 0) {
        *reinterpret_cast<HWND *>(found) = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK findHostPanel(HWND top, LPARAM found) {
    wchar_t name[64] = L"";
    GetClassNameW(top, name, 64);
    if (lstrcmpW(name, L"QivStandInEditorHost") == 0) EnumChildWindows(top, findPanelEdit, found);
    return *reinterpret_cast<HWND *>(found) == nullptr;
}

// Looks at the panel without sending it anything: its thread is blocked in the build.
std::string panelProbe() {
    HWND edit = nullptr;
    EnumWindows(findHostPanel, reinterpret_cast<LPARAM>(&edit));
    if (edit == nullptr) return "panel-probe: no panel\n";
    const bool waitsForPaint = GetUpdateRect(edit, nullptr, FALSE) != FALSE;
    char line[64];
    std::snprintf(line, sizeof line, "panel-probe: visible=%d painted=%d\n", IsWindowVisible(edit) ? 1 : 0,
                  waitsForPaint ? 0 : 1);
    return line;
}

bool endsWith(const std::wstring &text, const wchar_t *end) {
    const size_t length = wcslen(end);
    return text.size() > length && text.compare(text.size() - length, length, end) == 0;
}

bool asksForPanelProbe(const std::wstring &argument) {
    return isDrivePath(argument) && (endsWith(argument, L".cpp") || endsWith(argument, L".h")) &&
           readAll(argument).find("qiv-test: probe the panel") != std::string::npos;
}

// The stand-in's own file name with `suffix` added: the files that steer it lie beside it
// (empty when the name cannot be had).
std::wstring besideSelf(const wchar_t *suffix) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(self) + suffix : std::wstring();
}

// The Linux tool to run: named beside the stand-in, or the one it was built for.
std::string linuxTool() {
    const std::wstring file = besideSelf(L".linux");
    std::string named = file.empty() ? std::string() : readAll(file);
    named = named.substr(0, named.find_first_of("\r\n"));
    return named.empty() ? std::string(QIV_LINUX_COMPILER) : named;
}

// The stand-in's current folder on the Linux side ("." when Wine cannot say).
std::string currentUnixFolder() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    const std::string path = length > 0 && length < MAX_PATH ? unixFileName(folder) : std::string();
    return path.empty() ? std::string(".") : path;
}

// True once for each <own name>.fail-once put beside the stand-in.
bool failsThisOnce() {
    const std::wstring file = besideSelf(L".fail-once");
    return !file.empty() && DeleteFileW(file.c_str());
}

}  // namespace

int wmain(int, wchar_t **) {
    if (failsThisOnce()) {
        writeOut("stand-in: failed once, as asked by the .fail-once file\r\n");
        return 1;
    }
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    // The compiler's messages go to a Linux file that is copied out afterwards: a Linux
    // program's output does not reach a Windows pipe.
    char logName[96];
    std::snprintf(logName, sizeof logName, "/tmp/qiv-gxx-%lu-%lu.log", GetCurrentProcessId(), GetTickCount());
    const std::string tool = linuxTool();
    std::vector<std::string> words = {
        "/bin/sh", "-c",
        // $0 is the log, $1 the folder; the plain C locale keeps the messages' quotes plain
        // apostrophes.
        "exec >\"$0\" 2>&1; cd \"$1\" || exit 1; shift; export LC_ALL=C PATH=/usr/bin:/bin TMPDIR=/tmp; exec \"$@\"",
        logName, currentUnixFolder(), tool};
    std::wstring probed;
    for (int i = 1; i < argc; ++i) {
        if (probed.empty() && asksForPanelProbe(argv[i])) probed = argv[i];
        words.push_back(unixArgument(argv[i]));
    }
    LocalFree(argv);
    if (endsWith(probed, L".h")) {
        const std::string line = panelProbe();
        if (FILE *out = _wfopen((probed + L".panel-probe").c_str(), L"wb")) {
            fwrite(line.data(), 1, line.size(), out);
            fclose(out);
        }
    } else if (!probed.empty()) {
        writeOut(windowsLineEnds(panelProbe()));
    }
    std::vector<const char *> unixArgv;
    for (const std::string &w : words) unixArgv.push_back(w.c_str());
    unixArgv.push_back(nullptr);

    const int status = spawnUnix(unixArgv.data());
    const std::wstring log = dosFileName(logName);
    writeOut(windowsLineEnds(withWindowsPaths(readAll(log))));
    if (!log.empty()) DeleteFileW(log.c_str());
    if (status < 0) {
        writeOut("stand-in: the Linux tool " + tool + " could not be started\n");
        return 1;
    }
    return status;
}
