// The build and run commands: "编译+运行Qiv" (F11), "编译Qiv" (F9), "运行Qiv" (F10) and
// "C++编译+运行" (F8). Builds run on the editor's user-interface thread and block it until
// every tool has finished; a dialect program is started from a short thread of its own.
#include "build_driver.h"

#include <shellapi.h>

#include <ctime>
#include <vector>

#include "build_command_lines.h"
#include "commands.h"
#include "editor_context.h"
#include "host_messages.h"
#include "message_translation.h"
#include "output_panel.h"
#include "plugin_state.h"
#include "text_conversion.h"

namespace {

constexpr DWORD pipeSizeHint = 2096;
constexpr DWORD shortPathLimit = 1000;
constexpr DWORD killToolPause = 100;  // ms for the stop tool to end the old program

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
    refreshEditorContext();
    buildSucceeded = false;
    return currentBuildNames();
}

// A step printed something: its output with the failure text, then the hint.
void reportStepFailure(const std::string &output, const std::wstring &suffix) {
    appendLine(fromAnsi(output) + suffix);
    translateFirstMessage(output);
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
    return 0;
}

int deleteOldProgram() {
    const BuildNames names = currentBuildNames();
    // A copy of the program still running, or an assembler or compiler left over, would
    // keep the files in use: ask the stop tool to end them, without waiting for it.
    ShellExecuteW(nullptr, L"open", killToolFile(names).c_str(), killToolParameters(names).c_str(),
                  nullptr, SW_HIDE);
    Sleep(killToolPause);
    const std::wstring command = deleteCommand(names);
    std::string output;
    runCaptured(command, emptyEnvironment(), output);
    if (output.empty()) return 0;
    appendLine(fromAnsi(output) + deleteFailureText(reportsPermissionDenied(output), command));
    return 1;
}

void shellOpen(const std::wstring &file, const std::wstring &directory) {
    ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
}

void translateFirstMessage(const std::string &output) {
    const MessageHint hint = composeFirstMessageHint(output.data(), output.size());
    if (!hint.found) return;
    gotoLineColumn(hint.line, hint.column);
    appendLine(fromAnsi(hint.text));
}

DWORD WINAPI runProgramThread(void *) {
    refreshEditorContext();
    const BuildNames names = currentBuildNames();
    shellOpen(programStartFile(names), programStartDirectory(names));
    // Two run commands in quick succession each get a number of their own.
    const int count = __atomic_add_fetch(&runCount, 1, __ATOMIC_SEQ_CST);
    appendLine(runLine(count));
    focusEditor();
    return 0;
}

void compileQiv() {
    const unsigned long start = processMilliseconds();
    const BuildNames names = beginBuild();
    if (deleteOldProgram() != 0) return failBuild();
    appendLine(deletedLine);
    sendToHost(NPPM_SAVECURRENTFILE, 0, 0);

    const std::string environment = compilerEnvironmentBlock(names);
    std::string output;
    runCaptured(compileCommand(names), environment, output);
    if (!output.empty()) {
        reportStepFailure(output, compileFailureSuffix());
        return failBuild();
    }
    appendLine(compiledLine);
    runCaptured(linkCommand(names), environment, output);
    if (!output.empty()) {
        reportStepFailure(output, linkFailureSuffix());
        return failBuild();
    }
    appendLine(linkedLine);
    buildSucceeded = true;
    DeleteFileW((names.fileDir + L"\\" + names.namePart + L".o").c_str());
    finishBuild(start);
}

void runQiv() { startRunThread(); }

void compileAndRunQiv() {
    compileQiv();
    if (buildSucceeded) startRunThread();
}

void compileAndRunCpp() {
    const unsigned long start = processMilliseconds();
    const BuildNames names = beginBuild();
    if (deleteOldProgram() != 0) return failBuild();
    appendLine(deletedLine);
    sendToHost(NPPM_SAVECURRENTFILE, 0, 0);

    std::string output;
    runCaptured(cppCommand(names), compilerEnvironmentBlock(names), output);
    if (!output.empty()) {
        reportStepFailure(output, linkFailureSuffix());
        return failBuild();
    }
    appendLine(cppCompiledLine);
    buildSucceeded = true;
    finishBuild(start);
    ShellExecuteW(nullptr, L"open", runPauseFile(names).c_str(), runPauseParameters(names).c_str(),
                  names.fileDir.c_str(), SW_SHOWNORMAL);
}
