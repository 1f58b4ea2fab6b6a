#include "install_paths.h"

#include "new_program.h"

// The compiler driver is written "MinGw", everything else "MinGW": the same folder on the
// case-insensitive file system of the target.
std::wstring compilerPath(const std::wstring &d) { return joinPath(d, L"MinGw\\bin\\g++.exe"); }
std::wstring toolFolderPath(const std::wstring &d) { return joinPath(d, L"MinGW\\bin"); }
std::wstring deleteToolPath(const std::wstring &d) { return joinPath(d, L"MinGW\\bin\\rm.exe"); }
std::wstring headerFolderPath(const std::wstring &d) { return joinPath(d, L"MinGW\\include"); }
std::wstring runtimeHeaderPath(const std::wstring &d) { return joinPath(d, L"Qiv\\logo.h"); }
std::wstring runtimeArchivePath(const std::wstring &d) { return joinPath(d, L"Qiv\\logoLib.a"); }
std::wstring runtimeResourcePath(const std::wstring &d) {
    return joinPath(d, L"Qiv\\Qiv_private.res");
}
std::wstring killToolPath(const std::wstring &d) {
    return joinPath(d, L"Qiv\\tools\\killprocess.exe");
}
std::wstring runPauseScriptPath(const std::wstring &d) {
    return joinPath(d, L"Qiv\\tools\\runPause.bat");
}
std::wstring sampleFolderPath(const std::wstring &d) { return joinPath(d, L"Qiv\\Help\\demo"); }
std::wstring helpFilePath(const std::wstring &d) {
    return joinPath(d, L"Qiv\\Help\\Doc\\index.html");
}
