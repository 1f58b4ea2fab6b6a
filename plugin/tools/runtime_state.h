// The runtime library (Qiv\logoLib.a) must be made by a compiler that can link with it: the
// same target, the same major and minor GCC version (its libstdc++), the same thread model,
// exception model and C runtime. The package ships the library made by our compilers for both
// targets, and its sources. makeruntime.exe keeps the installed library matching the
// compiler in the editor's MinGW folder: it asks that compiler what it is, takes the shipped
// library where it was made by such a compiler, and otherwise builds one from the sources.
// Pure logic: reading the compiler's answers, the stamp of the installed library, what to do,
// and which libraries a program made with it needs. No Windows calls.
#ifndef QIV_RUNTIME_STATE_H
#define QIV_RUNTIME_STATE_H

#include <string>
#include <vector>

#include "pch_state.h"

namespace qiv {

// What a compiler is, as far as linking with a library goes.
struct CompilerFacts {
    std::string target;      // "i686-w64-mingw32", "x86_64-w64-mingw32", ... ("" unknown)
    int major = 0;           // GCC version
    int minor = 0;
    std::string threads;     // "win32", "posix", "mcf", ...
    std::string exceptions;  // "dwarf", "sjlj", "seh"
    std::string runtime;     // "msvcrt" or "ucrt"
};

// The facts from the compiler's answers: the text of `g++ -v` (its "Target:", "Thread model:"
// and "gcc version" lines) and of `g++ -E -dM` on a file including <_mingw.h> (its #define
// lines), in any order, in one text.
CompilerFacts readCompilerFacts(const std::string& answers);

// One line naming the facts; two compilers with the same signature make libraries the other
// can link. Empty when the facts are incomplete.
std::string compilerSignature(const CompilerFacts& facts);

// The library folder's name for the target: "i686" or "x86_64"; "" for a target the runtime
// is not made for.
std::string targetFolder(const CompilerFacts& facts);

// The oldest GCC whose default language level builds the runtime and the tool headers.
constexpr int oldestSupportedGcc = 6;

enum class CompilerVerdict {
    Supported,
    NotMinGW,       // no Windows target of the two (another target, or no answer)
    TooOld,         // GCC older than oldestSupportedGcc
};
CompilerVerdict judgeCompiler(const CompilerFacts& facts);

// The stamp written beside the installed library: its compiler's signature, then the
// identity of the g++.exe it was checked with (so that an unchanged compiler costs no run).
std::string runtimeStamp(const std::string& signature, const FileIdentity& compiler);
// The signature recorded in a stamp ("" when there is none).
std::string stampSignature(const std::string& stamp);
// True when the stamp was written for this very g++.exe (same size and write time).
bool stampNamesCompilerFile(const std::string& stamp, const FileIdentity& compiler);

enum class RuntimeAction {
    Current,       // the installed library matches the compiler
    RefreshStamp,  // it matches, but the stamp names another g++.exe file: rewrite the stamp
    UseShipped,    // install the shipped library of the compiler's target
    Build,         // build the library from the sources with this compiler
};

// What makeruntime does, given the compiler's signature, the installed stamp, whether it
// names the current g++.exe, and the signature of the shipped library for the target.
RuntimeAction decideRuntime(const std::string& compilerSignature, const std::string& installedStamp,
                            bool stampNamesCurrentFile, const std::string& shippedSignature);

// The names of the DLLs a program file (PE image bytes) imports, as written in it; empty
// when the bytes are not a PE image.
std::vector<std::string> importedLibraries(const std::string& image);
// Those of `libraries` that are not part of Windows (a compiler's own DLLs such as
// libwinpthread-1.dll or libstdc++-6.dll): a student program needing one would not start on
// a computer without that compiler on its path.
std::vector<std::string> nonSystemLibraries(const std::vector<std::string>& libraries);

}  // namespace qiv

#endif
