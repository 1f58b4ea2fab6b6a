// Paths of the tool chain, runtime and help files, all derived from the editor's
// installation folder (nppDir). Pure logic.
#ifndef QIV_PLUGIN_INSTALL_PATHS_H
#define QIV_PLUGIN_INSTALL_PATHS_H

#include <string>

std::wstring compilerPath(const std::wstring &nppDir);       // MinGw\bin\g++.exe
std::wstring toolFolderPath(const std::wstring &nppDir);     // MinGW\bin
std::wstring deleteToolPath(const std::wstring &nppDir);     // MinGW\bin\rm.exe
std::wstring headerFolderPath(const std::wstring &nppDir);   // MinGW\include
std::wstring runtimeHeaderPath(const std::wstring &nppDir);  // Qiv\logo.h
std::wstring runtimeArchivePath(const std::wstring &nppDir); // Qiv\logoLib.a
std::wstring runtimeResourcePath(const std::wstring &nppDir);// Qiv\Qiv_private.res
std::wstring killToolPath(const std::wstring &nppDir);       // Qiv\tools\killprocess.exe
std::wstring runPauseScriptPath(const std::wstring &nppDir); // Qiv\tools\runPause.bat
std::wstring sampleFolderPath(const std::wstring &nppDir);   // Qiv\Help\demo
std::wstring helpFilePath(const std::wstring &nppDir);       // Qiv\Help\Doc\index.html

#endif
