#include "build_command_lines.h"

#include <cwchar>

std::wstring besideSource(const BuildNames &n, const wchar_t *extension) {
    return n.fileDir + L"\\" + n.namePart + extension;
}

namespace {

// The compiler driver, quoted. Its folder is written "MinGw" (the others "MinGW"): the
// same folder on the target's case-insensitive file system.
std::wstring quotedCompiler(const BuildNames &n) {
    return L"\"" + n.nppDir + L"\\MinGw\\bin\\g++.exe\"";
}

// Formats one number into a wide text; the formats used here need far fewer units.
template <typename Value>
std::wstring formatted(const wchar_t *format, Value value) {
    wchar_t buffer[96];
    const int length = std::swprintf(buffer, sizeof buffer / sizeof buffer[0], format, value);
    return length < 0 ? std::wstring() : std::wstring(buffer, static_cast<size_t>(length));
}

}  // namespace

const wchar_t deletedLine[] = L" (1) 删除了旧的程序！";
const wchar_t compiledLine[] = L" (2) 编译(compile).O程序！";
const wchar_t linkedLine[] = L" (3) 编译（link).exe程序！";
const wchar_t cppCompiledLine[] = L" (2) 编译(compile).exe程序！";

std::wstring killToolFile(const BuildNames &n) {
    return L"\"" + n.nppDir + L"\\Qiv\\tools\\killprocess.exe\"";
}

std::vector<std::wstring> stopToolImages(const BuildNames &n) {
    return {L"as.exe", L"cc1plus.exe", n.namePart + L".exe"};
}

std::wstring killToolParameters(const BuildNames &n) {
    std::wstring parameters = L" ";
    for (const std::wstring &image : stopToolImages(n)) parameters += image + L" ";
    return parameters;
}

std::wstring deleteCommand(const BuildNames &n) {
    return L"\"" + n.nppDir + L"\\MinGW\\bin\\rm.exe\" -f \"" + besideSource(n, L".o") +
           L"\" \"" + besideSource(n, L".exe") + L"\" ";
}

std::wstring compileCommand(const BuildNames &n) {
    return quotedCompiler(n) + L"  -pipe -xc++  -c  \"" + n.fileDir + L"\\" + n.fileName +
           L"\" -o \"" + besideSource(n, L".o") + L"\" " + L" -include\"" + n.nppDir +
           L"\\Qiv\\logo.h\" " + L" -I\"" + n.nppDir + L"\\MinGW\\include\" ";
}

std::wstring linkCommand(const BuildNames &n) {
    return quotedCompiler(n) + L"  -pipe \"" + besideSource(n, L".o") + L"\" \"" + n.nppDir +
           L"\\Qiv\\Qiv_private.res\" -o \"" + besideSource(n, L".exe") + L"\"  " +
           L" -static-libstdc++  -static-libgcc  -mwindows \"" + n.nppDir +
           L"\\Qiv\\logoLib.a\" -loleaut32 -luuid -g3";
}

std::wstring cppCommand(const BuildNames &n) {
    return quotedCompiler(n) + L"  -pipe -xc++   \"" + n.fileDir + L"\\" + n.fileName +
           L"\" -o \"" + besideSource(n, L".exe") + L"\" " + L" -I\"" + n.nppDir +
           L"\\MinGW\\include\" " + L" -static-libstdc++ -static-libgcc ";
}

std::wstring programStartFile(const BuildNames &n) { return besideSource(n, L".exe  "); }

std::wstring programStartDirectory(const BuildNames &n) { return n.fileDir; }

std::wstring runPauseFile(const BuildNames &n) { return n.nppDir + L"\\Qiv\\tools\\runPause.bat"; }

std::wstring runPauseParameters(const BuildNames &n) {
    return L"\"" + besideSource(n, L".exe") + L"\" pause";
}

std::string compilerEnvironment(const std::string &toolFolder) {
    std::string block = "path=" + toolFolder;
    block.push_back('\0');  // end of the variable
    block.push_back('\0');  // end of the block
    return block;
}

std::string emptyEnvironment() { return std::string(2, '\0'); }

bool reportsPermissionDenied(const std::string &toolOutput) {
    return toolOutput.find("Permission denied") != std::string::npos;
}

std::wstring deleteFailureText(bool permissionDenied, const std::wstring &command) {
    if (permissionDenied) return L"删除旧文件时出错！ \r\n可能是程序正在运行。";
    return command + L"删除旧文件时出错！ ....";
}

bool namesASavedDocument(const BuildNames &n) {
    return !n.fileDir.empty() && !n.fileName.empty() && !n.namePart.empty();
}

std::string withoutCutCharacter(const std::string &report) {
    size_t i = 0;
    while (i < report.size()) {
        const unsigned char b = static_cast<unsigned char>(report[i]);
        const bool lead = b >= 0x81 && b <= 0xFE;
        if (lead && i + 1 == report.size()) return report.substr(0, i);
        i += lead ? 2 : 1;
    }
    return report;
}

std::wstring compileFailureSuffix(const std::string &output) {
    const bool endsLine = !output.empty() && output.back() == '\n';
    return endsLine ? L"编译失败..." : L"\r\n编译失败...";
}

std::wstring linkFailureSuffix() { return L"\r\n编译失败..."; }

std::wstring pipeFailureText(unsigned long errorCode) {
    return formatted(L"管道创建失败!(%#lX)\n", errorCode);
}

std::wstring startFailureText(unsigned long errorCode) {
    return formatted(L"创建进程失败! (%#lx)\n", errorCode);
}

std::wstring elapsedTimeText(unsigned long milliseconds) {
    return formatted(L"==========================\r\n 编译用时：%.2f 秒", milliseconds / 1000.0);
}

std::wstring runLine(int count) { return formatted(L"======第 %d 次运行结束======", count); }
