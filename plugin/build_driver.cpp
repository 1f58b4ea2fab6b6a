// The build and run commands: "编译+运行Qiv" (F11), "编译Qiv" (F9), "运行Qiv" (F10) and
// "C++编译+运行" (F8). Builds run on the editor's user-interface thread and block it until
// every tool has finished; a dialect program is started from a short thread of its own.
#include "build_driver.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <ctime>
#include <vector>

#include "build_command_lines.h"
#include "build_timing.h"
#include "caret_column.h"
#include "commands.h"
#include "compiler_runtime.h"
#include "editor_context.h"
#include "editor_menu.h"
#include "fast_header.h"
#include "host_messages.h"
#include "message_translation.h"
#include "output_panel.h"
#include "panel_texts.h"
#include "plugin_state.h"
#include "source_encoding.h"
#include "text_conversion.h"
#include "tools/tool_files.h"

namespace {

constexpr DWORD pipeSizeHint = 2096;
constexpr DWORD shortPathLimit = 1000;
constexpr DWORD killToolPause = 100;  // ms at most for the stop tool to end the old program

// The names the build works on, taken from the context once so that a run thread
// refreshing the context cannot change them halfway through a build.
BuildNames currentBuildNames() {
    return BuildNames{editorContext.nppDir, editorContext.fileDir, editorContext.fileName,
                      editorContext.namePart};
}

// Milliseconds since the editor's process started.
unsigned long processMilliseconds() {
    return static_cast<unsigned long>(clock() * 1000.0 / CLOCKS_PER_SEC);
}

// The compiler sees only its own folder on its path, in the short form when the file
// system has one (the long form otherwise).
std::string compilerEnvironmentBlock(const BuildNames &names) {
    const std::wstring folder = names.nppDir + L"\\MinGW\\bin";
    std::vector<wchar_t> shortForm(shortPathLimit + 1, L'\0');
    const DWORD length = GetShortPathNameW(folder.c_str(), shortForm.data(), shortPathLimit);
    const bool usable = length > 0 && length < shortPathLimit;
    return compilerEnvironment(toAnsi(usable ? std::wstring(shortForm.data(), length) : folder));
}

// The first steps of every build: the panel shown and emptied, the context read, the
// success flag cleared.
BuildNames beginBuild() {
    sendToHost(NPPM_HIDETABBAR, 0, FALSE);
    showOutputPanel();
    clearOutputPanel();
    repaintNow();
    refreshEditorContext();
    buildSucceeded = false;
    return currentBuildNames();
}

// A step's line, shown at once although the build keeps the editor busy.
void stepLine(const std::wstring &line) {
    appendLine(line);
    repaintNow();
}

// A document that was never saved has no file yet: the editor asks for a name (Save As)
// and the build goes on with the names of the saved file. False, with the reason in the
// panel, when the user cancelled.
bool ensureSavedDocument(BuildNames &names) {
    if (namesASavedDocument(names)) return true;
    sendToHost(NPPM_SAVECURRENTFILE, 0, 0);
    refreshEditorContext();
    names = currentBuildNames();
    if (namesASavedDocument(names)) return true;
    appendLine(unsavedDocumentLine());
    return false;
}

// The current document's buffer encoding as the editor reports it (-1 when unknown).
int currentBufferEncoding() {
    const LRESULT buffer = sendToHost(NPPM_GETCURRENTBUFFERID, 0, 0);
    return static_cast<int>(sendToHost(NPPM_GETBUFFERENCODING, static_cast<WPARAM>(buffer), 0));
}

// The view's whole text as UTF-8, whatever code page the view holds it in.
std::string viewTextAsUtf8(HWND view) {
    const LRESULT length = SendMessageW(view, SCI_GETLENGTH, 0, 0);
    if (length <= 0) return std::string();
    std::vector<char> bytes(static_cast<size_t>(length) + 1, '\0');
    SendMessageW(view, SCI_GETTEXT, static_cast<WPARAM>(length) + 1, reinterpret_cast<LPARAM>(bytes.data()));
    const std::string text(bytes.data(), strnlen(bytes.data(), static_cast<size_t>(length)));
    if (SendMessageW(view, SCI_GETCODEPAGE, 0, 0) == CP_UTF8) return text;
    const std::wstring wide = fromAnsi(text);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], size,
                            nullptr, nullptr);
    return utf8;
}

// A document the editor keeps in UTF-8 (or UTF-16) with non-ASCII text is converted to the
// ANSI code page before it is saved, so the program prints its Chinese as written. False,
// with the reason in the panel, when the build must not go on.
bool prepareSourceEncoding() {
    const int encoding = currentBufferEncoding();
    const int heldCodePage = heldCodePageOfCurrentDocument();
    if (heldCodePage != 0 || !isUnicodeBuffer(encoding)) return true;
    HWND view = currentView();
    if (view == nullptr) return true;
    const EncodingDecision decision =
        decideSourceEncoding(encoding, heldCodePage, viewTextAsUtf8(view), qivtools::fitsAnsiCodePage);
    switch (decision.action) {
    case EncodingDecision::BuildAsItIs:
        return true;
    case EncodingDecision::Refuse:
        appendLine(notConvertibleLine(decision.line, decision.character));
        return false;
    case EncodingDecision::ConvertToAnsi:
        break;
    }
    sendToHost(NPPM_MENUCOMMAND, 0, IDM_FORMAT_CONV2_ANSI);
    if (isUnicodeBuffer(currentBufferEncoding())) {
        appendLine(conversionFailedLine());
        return false;
    }
    stepLine(convertedToAnsiLine(bufferEncodingName(encoding)));
    return true;
}

// How the editor reads the bytes of the built file as characters.
SourceEncoding builtFileEncoding() {
    const int heldCodePage = heldCodePageOfCurrentDocument();
    if (heldCodePage != 0) return isDoubleByteCodePage(heldCodePage) ? SourceEncoding::Gbk : SourceEncoding::SingleByte;
    if (isUnicodeBuffer(currentBufferEncoding())) return SourceEncoding::Utf8;
    switch (GetACP()) {
    case 936:  // GBK
    case 949:  // Korean
    case 950:  // Big5
        return SourceEncoding::Gbk;
    case CP_UTF8:
        return SourceEncoding::Utf8;
    default:
        return SourceEncoding::SingleByte;
    }
}

// Everything in the file at `path`, or nothing when it cannot be read.
std::string fileBytes(const std::wstring &path) {
    std::string content;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return content;
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    CloseHandle(file);
    return content;
}

// The caret column (1-based, in characters) for the compiler's column of a line of the
// built source: the compiler counts tabs to the next multiple of 8 and the bytes of the
// file, the caret moves by characters. Unchanged when the file cannot be read.
int caretColumnFor(const BuildNames &names, int line, int compilerColumn) {
    const std::string file = fileBytes(names.fileDir + L"\\" + names.fileName);
    if (file.empty()) return compilerColumn;
    return caretMovesForColumn(lineOfFile(file, line), builtFileEncoding(), compilerColumn) + 1;
}

// A step printed something: its output with the failure text, then the hint.
void reportStepFailure(const std::string &output, const std::wstring &suffix, const BuildNames &names) {
    appendLine(fromAnsi(output) + suffix);
    translateFirstMessage(output, names);
}

void failBuild() {
    buildSucceeded = false;
    focusEditor();
}

// A successful build: the time line, the editor focused, the run counter reset.
void finishBuild(unsigned long startMilliseconds) {
    appendLine(elapsedTimeText(processMilliseconds() - startMilliseconds));
    focusEditor();
    runCount = 0;
}

void startRunThread() {
    HANDLE thread = CreateThread(nullptr, 0, runProgramThread, nullptr, 0, nullptr);
    if (thread != nullptr) CloseHandle(thread);
}

}  // namespace

int runCaptured(const std::wstring &command, const std::string &environment, std::string &output) {
    output.clear();
    SECURITY_ATTRIBUTES inheritable = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, pipeSizeHint)) {
        output = toAnsi(pipeFailureText(GetLastError()));
        return 1;
    }
    // Only the write end belongs to the tool; the pipe ends when the tool and everything
    // it started have closed their copies.
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = nullptr;
    std::vector<wchar_t> commandLine(command.begin(), command.end());
    commandLine.push_back(L'\0');
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                        const_cast<char *>(environment.data()), nullptr, &startup, &process)) {
        output = toAnsi(startFailureText(GetLastError()));
        CloseHandle(writeEnd);
        CloseHandle(readEnd);
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(writeEnd);

    // Keep the first capturedOutputLimit bytes, however the tool split its writes, and read
    // the rest away so the tool never blocks on a full pipe.
    char buffer[capturedOutputLimit];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr)) {
        const size_t room = capturedOutputLimit - output.size();
        output.append(buffer, got < room ? got : room);
    }
    CloseHandle(readEnd);
    // The output is a text: a zero byte ends it.
    output.resize(output.find('\0') == std::string::npos ? output.size() : output.find('\0'));
    if (output.size() == capturedOutputLimit) output = withoutCutCharacter(output);
    return 0;
}

// Whether a process runs whose image name (case ignored) is one of `images`.
bool anyProcessRunning(const std::vector<std::wstring> &images) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return true;  // cannot tell: as if one ran
    bool found = false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
        const wchar_t *slash = wcsrchr(entry.szExeFile, L'\\');
        const wchar_t *image = slash ? slash + 1 : entry.szExeFile;
        for (const std::wstring &name : images) found = found || lstrcmpiW(image, name.c_str()) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

int deleteOldProgram() {
    const BuildNames names = currentBuildNames();
    // A copy of the program still running, or an assembler or compiler left over, would
    // keep the files in use: the stop tool ends them, and the delete waits until they are
    // gone (at most killToolPause). When none runs, as in most builds, neither is needed.
    const std::vector<std::wstring> images = stopToolImages(names);
    if (anyProcessRunning(images)) {
        ShellExecuteW(nullptr, L"open", killToolFile(names).c_str(), killToolParameters(names).c_str(),
                      nullptr, SW_HIDE);
        buildTimingStep("stop tool started");
        const DWORD start = GetTickCount();
        do {
            Sleep(10);
        } while (anyProcessRunning(images) && GetTickCount() - start < killToolPause);
        buildTimingStep("old program ended");
    }
    // The two files are removed here; only when one stays does the delete command run, for
    // its words on why (they go to the panel).
    const std::wstring object = besideSource(names, L".o"), program = besideSource(names, L".exe");
    DeleteFileW(object.c_str());
    DeleteFileW(program.c_str());
    const bool gone = GetFileAttributesW(object.c_str()) == INVALID_FILE_ATTRIBUTES &&
                      GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES;
    buildTimingStep("delete");
    if (gone) return 0;
    const std::wstring command = deleteCommand(names);
    std::string output;
    runCaptured(command, emptyEnvironment(), output);
    if (output.empty()) return 0;
    appendLine(fromAnsi(output) + deleteFailureText(reportsPermissionDenied(output), command));
    return 1;
}

bool shellOpen(const std::wstring &file, const std::wstring &directory) {
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void translateFirstMessage(const std::string &output, const BuildNames &names) {
    // The hint reads the student's line (a Chinese punctuation mark, a brace without its
    // partner) and tells the student's own file from logo.h and the library's headers.
    const std::string source = fileBytes(names.fileDir + L"\\" + names.fileName);
    const std::string fileName = toAnsi(names.fileName);
    const MessageHint hint = composeFirstMessageHint(output.data(), output.size(), StudentFile{fileName, source});
    if (!hint.found) return;
    // A link error names no line: the caret stays where it is.
    if (hint.line > 0) gotoLineColumn(hint.line, caretColumnFor(names, hint.line, hint.column));
    appendLine(fromAnsi(hint.text));
    if (!hint.suggestion.empty()) appendLine(fromAnsi(hint.suggestion));
}

DWORD WINAPI runProgramThread(void *) {
    refreshEditorContext();
    const BuildNames names = currentBuildNames();
    if (!shellOpen(programStartFile(names), programStartDirectory(names))) {
        // Nothing was started: the count stays where it was.
        appendLine(programStartFailedLine(names.fileDir + L"\\" + names.namePart + L".exe"));
        focusEditor();
        return 0;
    }
    // Two run commands in quick succession each get a number of their own.
    buildTimingStep("program started");
    const int count = __atomic_add_fetch(&runCount, 1, __ATOMIC_SEQ_CST);
    appendLine(runLine(count));
    focusEditor();
    return 0;
}

void compileQiv() {
    const unsigned long start = processMilliseconds();
    buildTimingStart();
    BuildNames names = beginBuild();
    buildTimingStep("panel shown");
    if (!ensureSavedDocument(names) || !prepareSourceEncoding()) return failBuild();
    if (deleteOldProgram() != 0) return failBuild();
    stepLine(deletedLine);
    sendToHost(NPPM_SAVECURRENTFILE, 0, 0);
    buildTimingStep("saved");
    if (!prepareCompilerRuntime(names)) return failBuild();
    buildTimingStep("runtime library check");
    if (!prepareFastHeader(names)) return failBuild();
    buildTimingStep("precompiled header check");

    const std::string environment = compilerEnvironmentBlock(names);
    std::string output;
    runCaptured(compileCommand(names), environment, output);
    buildTimingStep("compile");
    if (!output.empty()) {
        reportStepFailure(output, compileFailureSuffix(output), names);
        return failBuild();
    }
    stepLine(compiledLine);
    runCaptured(linkCommand(names), environment, output);
    buildTimingStep("link");
    if (!output.empty()) {
        reportStepFailure(output, linkFailureSuffix(), names);
        return failBuild();
    }
    stepLine(linkedLine);
    buildSucceeded = true;
    DeleteFileW((names.fileDir + L"\\" + names.namePart + L".o").c_str());
    finishBuild(start);
    buildTimingStep("build done");
}

void runQiv() {
    // Only a program that exists is started; otherwise say so, and the count stays.
    refreshEditorContext();
    const BuildNames names = currentBuildNames();
    const std::wstring program = names.fileDir + L"\\" + names.namePart + L".exe";
    if (!namesASavedDocument(names)) {
        reportFailure(noProgramToRunLine(std::wstring()));
        return;
    }
    if (GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        reportFailure(noProgramToRunLine(program));
        return;
    }
    startRunThread();
}

void compileAndRunQiv() {
    compileQiv();
    if (buildSucceeded) startRunThread();
}

void compileAndRunCpp() {
    const unsigned long start = processMilliseconds();
    BuildNames names = beginBuild();
    if (!ensureSavedDocument(names) || !prepareSourceEncoding()) return failBuild();
    if (deleteOldProgram() != 0) return failBuild();
    stepLine(deletedLine);
    sendToHost(NPPM_SAVECURRENTFILE, 0, 0);

    std::string output;
    runCaptured(cppCommand(names), compilerEnvironmentBlock(names), output);
    if (!output.empty()) {
        reportStepFailure(output, linkFailureSuffix(), names);
        return failBuild();
    }
    stepLine(cppCompiledLine);
    buildSucceeded = true;
    finishBuild(start);
    ShellExecuteW(nullptr, L"open", runPauseFile(names).c_str(), runPauseParameters(names).c_str(),
                  names.fileDir.c_str(), SW_SHOWNORMAL);
}
