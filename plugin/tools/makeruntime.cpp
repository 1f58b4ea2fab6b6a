// makeruntime.exe: keeps the runtime library N\Qiv\logoLib.a (with N\Qiv\Qiv_private.res)
// linkable by the compiler in N\MinGW\bin, and the tool headers where that compiler finds
// them (N\MinGW\include\tools). N is the editor's folder, two levels above this program. The
// installer runs it once; the build keys run it when g++.exe is not the file the library was
// last checked with (a teacher who installs another MinGW).
//
// It asks the compiler what it is (g++ -v, and the macros of g++ -E -dM), then:
//  - the installed library was made for such a compiler: nothing to do;
//  - the package's library of the compiler's target (N\Qiv\runtime\<target>) was made by such
//    a compiler: that one is installed;
//  - otherwise the library is built from the sources (N\Qiv\runtime\src) with this compiler,
//    several files at a time, and with a posix thread model the compiler's static thread
//    library goes into the archive (see static_threads.cpp).
// A library is installed only after a probe program built with the students' command lines
// compiles and links silently with it and needs no DLL that Windows lacks.
//
// Exit codes: 0 the library fits (or was installed now); 1 it could not be made (the
// compiler's words are printed); 2 it must be made but the folder may not be written; 3 the
// compiler cannot build programs for Windows or is too old; 4 there is no compiler.
// makeruntime --check tells what it would do: 0, 2, 3 and 4 as above, 10 it would install or
// build a library (which takes a while: the build key says so first).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "run_hidden.h"
#include "runtime_state.h"
#include "tool_files.h"

using namespace qivtools;

namespace {

struct Paths {
    std::wstring editor, bin, gxx, ar, qiv, runtime, sources, library, resource, stamp, headers, compilerHeaders;
};

Paths pathsOf(const std::wstring &editor) {
    Paths p;
    p.editor = editor;
    p.bin = editor + L"\\MinGW\\bin";
    p.gxx = p.bin + L"\\g++.exe";
    p.ar = p.bin + L"\\ar.exe";
    p.qiv = editor + L"\\Qiv";
    p.runtime = p.qiv + L"\\runtime";
    p.sources = p.runtime + L"\\src";
    p.library = p.qiv + L"\\logoLib.a";
    p.resource = p.qiv + L"\\Qiv_private.res";
    p.stamp = p.qiv + L"\\logoLib.stamp";
    p.headers = p.qiv + L"\\include\\tools";
    p.compilerHeaders = editor + L"\\MinGW\\include\\tools";
    return p;
}

void say(const std::wstring &line) {
    const std::string text = ansi(line + L"\n");
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

// The compiler's tools find their helpers (as.exe, cc1plus.exe, ld.exe) on its path.
std::wstring compilerEnvironment(const Paths &p) {
    std::wstring environment = L"path=" + p.bin;
    environment.append(2, L'\0');
    return environment;
}

std::wstring quoted(const std::wstring &path) { return L"\"" + path + L"\""; }

// What the compiler says it is.
qiv::CompilerFacts askCompiler(const Paths &p) {
    std::string verbose, macros;
    runHidden(quoted(p.gxx) + L" -v", compilerEnvironment(p), verbose);
    runHidden(quoted(p.gxx) + L" -E -dM -x c++ " + quoted(p.runtime + L"\\compiler-probe.h"), compilerEnvironment(p),
              macros);
    return qiv::readCompilerFacts(verbose + "\n" + macros);
}

// The tool headers are where `#include "tools/qivplus.h"` finds them from any folder: the
// compile command's include folder N\MinGW\include. True when they are there as shipped.
bool toolHeadersInPlace(const Paths &p, bool copy) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((p.headers + L"\\*.h").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;  // none shipped
    bool inPlace = true;
    if (copy) {
        CreateDirectoryW((p.editor + L"\\MinGW\\include").c_str(), nullptr);
        CreateDirectoryW(p.compilerHeaders.c_str(), nullptr);
    }
    do {
        const std::wstring from = p.headers + L"\\" + found.cFileName, to = p.compilerHeaders + L"\\" + found.cFileName;
        if (fileExists(to) && readFileBytes(to) == readFileBytes(from)) continue;
        if (!copy || !replaceFileWithCopy(from, to)) inPlace = false;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return inPlace;
}

bool folderWritable(const Paths &p) {
    const std::wstring probe = p.qiv + L"\\makeruntime." + std::to_wstring(GetCurrentProcessId()) + L".part";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileW(probe.c_str());
    return true;
}

// Compiler runs of a build, several at a time: each thread takes the next command.
struct Job {
    std::wstring command;
    int status = -1;
    std::string words;
};
struct JobQueue {
    std::vector<Job> *jobs;
    std::wstring environment;
    volatile LONG next;
};

DWORD WINAPI runJobs(LPVOID parameter) {
    JobQueue *queue = static_cast<JobQueue *>(parameter);
    for (;;) {
        const LONG index = InterlockedIncrement(&queue->next) - 1;
        if (index >= static_cast<LONG>(queue->jobs->size())) return 0;
        Job &job = (*queue->jobs)[static_cast<size_t>(index)];
        job.status = runHidden(job.command, queue->environment, job.words);
    }
}

void runAll(std::vector<Job> &jobs, const std::wstring &environment) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const DWORD workers = std::max<DWORD>(1, std::min<DWORD>(4, system.dwNumberOfProcessors));
    JobQueue queue = {&jobs, environment, 0};
    std::vector<HANDLE> threads;
    for (DWORD i = 0; i < workers; ++i)
        if (HANDLE thread = CreateThread(nullptr, 0, runJobs, &queue, 0, nullptr)) threads.push_back(thread);
    if (threads.empty()) runJobs(&queue);
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);
}

// Removes a folder of this process's build and what is in it (no deeper folders).
void removeFolder(const std::wstring &folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + L"\\" + found.cFileName).c_str());
            else if (found.cFileName[0] != L'.') removeFolder(folder + L"\\" + found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

bool processRuns(DWORD id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr) return false;
    const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return runs;
}

// Work folders build.<process id> of builds that were ended by force.
void removeAbandonedWork(const Paths &p) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((p.runtime + L"\\build.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const DWORD id = wcstoul(found.cFileName + 6, nullptr, 10);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && id != GetCurrentProcessId() && !processRuns(id))
            removeFolder(p.runtime + L"\\" + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::vector<std::wstring> listedSources(const Paths &p) {
    std::vector<std::wstring> sources;
    std::istringstream lines(readFileBytes(p.sources + L"\\sources.txt"));
    std::string line;
    while (std::getline(lines, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty() && line[0] != '#') sources.push_back(widen(line));
    }
    return sources;
}

// Builds logoLib.a from the sources into `work`. False with the compiler's words printed.
bool buildLibrary(const Paths &p, const qiv::CompilerFacts &facts, const std::wstring &work) {
    const std::vector<std::wstring> sources = listedSources(p);
    if (sources.empty()) return say(L"makeruntime: 没有找到运行库的源文件 " + p.sources), false;
    const bool posixThreads = facts.threads == "posix";
    std::vector<Job> jobs;
    std::vector<std::wstring> objects;
    for (const std::wstring &source : sources) {
        std::wstring object = source;
        std::replace(object.begin(), object.end(), L'/', L'_');
        object = work + L"\\" + object.substr(0, object.rfind(L'.')) + L".o";
        std::wstring windowsSource = source;
        std::replace(windowsSource.begin(), windowsSource.end(), L'/', L'\\');
        Job job;
        job.command = quoted(p.gxx) + L" -c -O2 -finput-charset=UTF-8" + (posixThreads ? L" -DQIV_STATIC_THREADS" : L"") +
                      L" -I" + quoted(p.sources) + L" " + quoted(p.sources + L"\\" + windowsSource) + L" -o " +
                      quoted(object);
        jobs.push_back(job);
        objects.push_back(object);
    }
    runAll(jobs, compilerEnvironment(p));
    bool ok = true;
    for (const Job &job : jobs) {
        if (!job.words.empty()) std::fwrite(job.words.data(), 1, job.words.size(), stdout);
        if (job.status != 0) ok = false;
    }
    if (!ok) return say(L"makeruntime: 运行库的源文件没能编译"), false;

    std::wstring members;
    for (const std::wstring &object : objects) members += L" " + quoted(object);
    if (posixThreads) {
        // The compiler's own static thread library, taken apart into its objects.
        std::string library;
        runHidden(quoted(p.gxx) + L" -print-file-name=libwinpthread.a", compilerEnvironment(p), library);
        while (!library.empty() && (library.back() == '\n' || library.back() == '\r')) library.pop_back();
        const std::wstring threadsFolder = work + L"\\threads";
        CreateDirectoryW(threadsFolder.c_str(), nullptr);
        std::string words;
        bool extracted = false;
        if (library.find_first_of("/\\") != std::string::npos &&
            runHidden(quoted(p.ar) + L" x " + quoted(widen(library)), compilerEnvironment(p), words, threadsFolder) == 0) {
            WIN32_FIND_DATAW found;
            HANDLE search = FindFirstFileW((threadsFolder + L"\\*.o").c_str(), &found);
            if (search != INVALID_HANDLE_VALUE) {
                do members += L" " + quoted(threadsFolder + L"\\" + found.cFileName);
                while (FindNextFileW(search, &found));
                FindClose(search);
                extracted = true;
            }
        }
        // Without them every program would need the compiler's libwinpthread-1.dll.
        if (!extracted) {
            std::fwrite(words.data(), 1, words.size(), stdout);
            return say(L"makeruntime: 没能取出编译器的线程库 libwinpthread.a（" + widen(library) + L"）"), false;
        }
    }
    std::string words;
    const int status = runHidden(quoted(p.ar) + L" rcs " + quoted(work + L"\\logoLib.a") + members,
                                 compilerEnvironment(p), words);
    if (status != 0 || !fileExists(work + L"\\logoLib.a")) {
        std::fwrite(words.data(), 1, words.size(), stdout);
        return say(L"makeruntime: 没能把运行库打包（ar.exe）"), false;
    }
    return true;
}

// A dialect program built with the students' command lines against `library` and
// `resource`: true when both steps print nothing and the program needs only Windows' DLLs.
bool probeLinks(const Paths &p, const std::wstring &work, const std::wstring &library, const std::wstring &resource) {
    const std::wstring source = work + L"\\probe.cpp", object = work + L"\\probe.o", program = work + L"\\probe.exe";
    if (!replaceFileBytes(source, "int main()\n{\n    pen.fd(10).rt(90);\n    cout << 1 << endl;\n    return 0;\n}\n"))
        return say(L"makeruntime: 不能写入 " + work), false;
    std::string words;
    runHidden(quoted(p.gxx) + L"  -pipe -xc++  -c  " + quoted(source) + L" -o " + quoted(object) + L"  -include" +
                  quoted(p.qiv + L"\\logo.h") + L"  -I" + quoted(p.editor + L"\\MinGW\\include") + L" ",
              compilerEnvironment(p), words);
    if (words.empty())
        runHidden(quoted(p.gxx) + L"  -pipe " + quoted(object) + L" " + quoted(resource) + L" -o " + quoted(program) +
                      L"   -static-libstdc++  -static-libgcc  -mwindows " + quoted(library) +
                      L" -loleaut32 -luuid -g3",
                  compilerEnvironment(p), words);
    if (!words.empty()) {
        std::fwrite(words.data(), 1, words.size(), stdout);
        return say(L"makeruntime: 用这个运行库编译试验程序时编译器报了错"), false;
    }
    const std::vector<std::string> foreign = qiv::nonSystemLibraries(qiv::importedLibraries(readFileBytes(program)));
    if (!foreign.empty()) {
        std::wstring names;
        for (const std::string &name : foreign) names += L" " + widen(name);
        return say(L"makeruntime: 用这个编译器做出的程序需要" + names +
                   L"，学生的电脑上一般没有。请换用线程模型为 win32 或 posix 的 MinGW。"),
               false;
    }
    return true;
}

// Puts a checked library and resource in place and writes the stamp.
bool install(const Paths &p, const std::wstring &library, const std::wstring &resource, const std::string &stamp) {
    if (!replaceFileWithCopy(library, p.library) || !replaceFileWithCopy(resource, p.resource))
        return say(L"makeruntime: 不能替换 " + p.library + L"（文件正被使用，或者只读）"), false;
    if (!replaceFileBytes(p.stamp, stamp)) say(L"makeruntime: 没能写入 " + p.stamp);
    return true;
}

int run(bool checkOnly) {
    const std::wstring editor = editorFolderOfThisTool();
    if (editor.empty()) return 1;
    const Paths p = pathsOf(editor);
    const qiv::FileIdentity compiler = fileIdentity(p.gxx);
    if (!compiler.found) return say(L"makeruntime: 没有找到编译器 " + p.gxx), 4;

    const std::string installedStamp = readFileBytes(p.stamp, 4096);
    const bool headersInPlace = toolHeadersInPlace(p, false);
    if (qiv::stampNamesCompilerFile(installedStamp, compiler) && fileExists(p.library) && headersInPlace) return 0;

    const qiv::CompilerFacts facts = askCompiler(p);
    const std::string signature = qiv::compilerSignature(facts);
    switch (qiv::judgeCompiler(facts)) {
    case qiv::CompilerVerdict::NotMinGW:
        say(L"makeruntime: " + p.gxx + L" 不是能编译 Windows 程序（i686 或 x86_64）的 MinGW 编译器，它是: " +
            (facts.target.empty() ? std::wstring(L"（没有回答）") : widen(facts.target)) +
            (facts.major > 0 ? L" GCC " + std::to_wstring(facts.major) + L"." + std::to_wstring(facts.minor) : L""));
        return 3;
    case qiv::CompilerVerdict::TooOld:
        say(L"makeruntime: 编译器 GCC " + std::to_wstring(facts.major) + L"." + std::to_wstring(facts.minor) +
            L" 太旧，请换用 GCC " + std::to_wstring(qiv::oldestSupportedGcc) + L" 或更新的 MinGW。");
        return 3;
    case qiv::CompilerVerdict::Supported:
        break;
    }
    const std::wstring shipped = p.runtime + L"\\" + widen(qiv::targetFolder(facts));
    const std::string shippedSignature =
        qiv::compilerSignature(qiv::readCompilerFacts(readFileBytes(shipped + L"\\made-by.txt", 1 << 20)));
    const qiv::RuntimeAction action = qiv::decideRuntime(signature, installedStamp,
                                                         qiv::stampNamesCompilerFile(installedStamp, compiler),
                                                         shippedSignature);
    const bool writable = folderWritable(p);
    const std::string stamp = qiv::runtimeStamp(signature, compiler);
    if (action == qiv::RuntimeAction::Current || action == qiv::RuntimeAction::RefreshStamp) {
        if (writable && !headersInPlace) toolHeadersInPlace(p, true);
        if (writable && action == qiv::RuntimeAction::RefreshStamp) replaceFileBytes(p.stamp, stamp);
        return 0;
    }
    if (checkOnly) return writable ? 10 : 2;
    if (!writable) return say(L"makeruntime: 不能写入 " + p.qiv), 2;

    toolHeadersInPlace(p, true);
    removeAbandonedWork(p);
    const std::wstring work = p.runtime + L"\\build." + std::to_wstring(GetCurrentProcessId());
    // A second attempt when the first fails: a compiler run can fail once for reasons of the
    // moment (a virus scanner holding a new file, a busy machine); a real fault fails twice.
    bool ok = false;
    for (int attempt = 0; attempt < 2 && !ok; ++attempt) {
        if (attempt > 0) say(L"makeruntime: 再试一次");
        removeFolder(work);
        CreateDirectoryW(work.c_str(), nullptr);
        if (action == qiv::RuntimeAction::UseShipped) {
            say(L"makeruntime: 使用安装包里为 " + widen(signature) + L" 做好的运行库");
            ok = probeLinks(p, work, shipped + L"\\logoLib.a", shipped + L"\\Qiv_private.res") &&
                 install(p, shipped + L"\\logoLib.a", shipped + L"\\Qiv_private.res", stamp);
        } else {
            say(L"makeruntime: 用编译器 " + widen(signature) + L" 生成运行库");
            ok = buildLibrary(p, facts, work) &&
                 probeLinks(p, work, work + L"\\logoLib.a", shipped + L"\\Qiv_private.res") &&
                 install(p, work + L"\\logoLib.a", shipped + L"\\Qiv_private.res", stamp);
        }
    }
    removeFolder(work);
    if (ok) say(L"makeruntime: 运行库已就绪");
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    return run(argc > 1 && lstrcmpiW(argv[1], L"--check") == 0);
}
