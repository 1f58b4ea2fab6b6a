// The texts of the build and run driver: the tool-chain command lines, the compiler's
// environment block, the program start, and the lines the driver writes into the output
// panel. Pure logic, no Windows calls.
//
// The command lines keep every character the tools have always been given: runs of two or
// three spaces, trailing spaces, and -include"..." without a space. The folder and file
// names are inserted as they are; the literal pieces supply the quotes. Texts are sized to
// their contents, so nothing is ever cut or written past a buffer.
#ifndef QIV_PLUGIN_BUILD_COMMAND_LINES_H
#define QIV_PLUGIN_BUILD_COMMAND_LINES_H

#include <string>
#include <vector>

// What a build works on, as the editor reports it.
struct BuildNames {
    std::wstring nppDir;    // N: the editor's installation folder
    std::wstring fileDir;   // D: the document's folder
    std::wstring fileName;  // F: the document's file name, e.g. qiv_01.cpp
    std::wstring namePart;  // B: the file name without extension, e.g. qiv_01
};

// Stopping leftover processes: the tool (quoted) and its parameters, which name the
// assembler, the compiler proper and the program about to be rebuilt.
std::wstring killToolFile(const BuildNames &n);
std::wstring killToolParameters(const BuildNames &n);
// The image names the stop tool ends (the build starts it only while one of them runs).
std::vector<std::wstring> stopToolImages(const BuildNames &n);

// "D\B" followed by an extension: the object and program files lie beside the source.
std::wstring besideSource(const BuildNames &n, const wchar_t *extension);
// rm.exe -f of the old object and program files.
std::wstring deleteCommand(const BuildNames &n);
// Dialect program: compile with logo.h forced in, then link with the runtime.
std::wstring compileCommand(const BuildNames &n);
std::wstring linkCommand(const BuildNames &n);
// Plain C++ program: compile and link in one step.
std::wstring cppCommand(const BuildNames &n);

// The built dialect program as handed to the shell (the name ends with two spaces).
std::wstring programStartFile(const BuildNames &n);
// The start directory of a dialect program: the program's own folder.
std::wstring programStartDirectory(const BuildNames &n);
// A C++ program is started in a console by the pause script: file, parameters, directory.
std::wstring runPauseFile(const BuildNames &n);
std::wstring runPauseParameters(const BuildNames &n);

// The compiler's environment: a block holding only "path=" + `toolFolder` (the short form
// of N\MinGW\bin, in the ANSI code page), ended by two zero bytes.
std::string compilerEnvironment(const std::string &toolFolder);
// An environment block without variables: two zero bytes.
std::string emptyEnvironment();

// The steps' report lines.
extern const wchar_t deletedLine[];        // " (1) 删除了旧的程序！"
extern const wchar_t compiledLine[];       // " (2) 编译(compile).O程序！"
extern const wchar_t linkedLine[];         // " (3) 编译（link).exe程序！"
extern const wchar_t cppCompiledLine[];    // " (2) 编译(compile).exe程序！"

// True when the deletion tool's output says a file was in use.
bool reportsPermissionDenied(const std::string &toolOutput);
// What follows the deletion tool's output in the panel: the in-use message, or for any
// other trouble the delete command line itself and a general message.
std::wstring deleteFailureText(bool permissionDenied, const std::wstring &command);

// True when the names are those of a document saved in a folder: a document never saved
// has no folder, and its name ("new 1") is a tab's title, not a file. No tool may be given
// paths made from such names.
bool namesASavedDocument(const BuildNames &n);

// The kept first part of a tool's report (GBK) without a lead byte whose second byte was
// cut off, so the panel never shows half a character at the cut.
std::string withoutCutCharacter(const std::string &report);

// Appended to a failed step's output: after the compile step's output, on a line of its own
// (a line break is put in front when the kept output ends inside a line); after a line
// break for the link and the C++ steps.
std::wstring compileFailureSuffix(const std::string &output);
std::wstring linkFailureSuffix();

// The output of a step whose tool could not be run: no pipe, or the tool did not start.
// Each ends with a line feed and carries the system error code in hexadecimal.
std::wstring pipeFailureText(unsigned long errorCode);
std::wstring startFailureText(unsigned long errorCode);

// The build time: 26 equals signs, a line break and " 编译用时：1.50 秒".
std::wstring elapsedTimeText(unsigned long milliseconds);
// The line written when a dialect program has been started for the count-th time.
std::wstring runLine(int count);

#endif
