// qivcheck.exe: checks a class's drawings. Every .cpp program of a folder is built with the
// command lines of the editor's build key (the runtime forced in, the precompiled header
// used) and run in the runtime's capture mode, which runs main with no window shown, reads
// cin from a file, answers message boxes, stops at a time limit and leaves the canvas and
// the output pane's text behind. The teacher's target program is built and run the same way,
// each student's picture and output are scored against the target's, and report.html and
// report.csv are written into the folder.
//
// Each program is built and run in a temporary folder of its own (with copies of the data
// files beside it), so nothing a program writes reaches the class's folder; a program that
// does not build, never ends or crashes gets its row like the others. Started without a
// folder (from its shortcut) it asks for one and opens the report at the end.
//
// Exit codes: 0 the report was written; 1 the tool chain was not usable; 2 a wrong command
// line, a folder without programs, or a report that could not be written.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "build_command_lines.h"
#include "check_options.h"
#include "class_report.h"
#include "message_translation.h"
#include "panel_texts.h"
#include "picture_score.h"
#include "run_hidden.h"
#include "source_encoding.h"
#include "tool_files.h"

namespace {

using qivcheck::StudentResult;

// Width of the report's small pictures, and the part of the canvases they show: where the
// class drew, with a margin, at least this wide (and two thirds as high).
constexpr int kThumbnailWidth = 240;
constexpr int kShownMargin = 20;
constexpr int kShownLeast = 200;
// The build key keeps this much of a step's output; the hint is read from it.
constexpr size_t kKeptOutput = 1090;
// A run is ended by force this long after its own limit should have ended it.
constexpr DWORD kRunGraceMilliseconds = 15000;

// ----------------------------------------------------------------------------------------
// Texts and files
// ----------------------------------------------------------------------------------------
std::wstring fromAnsi(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

CRITICAL_SECTION g_printLock;

// One line on the console (in its own characters), or in the ANSI code page when the output
// goes to a file or pipe.
void say(const std::wstring& line) {
    EnterCriticalSection(&g_printLock);
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0, written = 0;
    const std::wstring text = line + L"\r\n";
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
        const std::string bytes = qivtools::ansi(text);
        WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    LeaveCriticalSection(&g_printLock);
}

std::wstring fileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring withoutExtension(const std::wstring& name) {
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring fullPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetFullPathNameW(path.c_str(), sizeof buffer / sizeof buffer[0], buffer, nullptr);
    return n == 0 || n >= sizeof buffer / sizeof buffer[0] ? path : std::wstring(buffer, n);
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool writeBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

// Removes a folder with everything in it (the check's temporary folders).
void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// The files of a folder: the students' programs, and the data files a program may open
// beside it (pictures, texts), which every program's folder gets a copy of.
struct FolderFiles {
    std::vector<std::wstring> programs;   // file names
    std::vector<std::wstring> companions; // file names
};

bool isCompanion(const std::wstring& name, const WIN32_FIND_DATAW& found) {
    static const wchar_t* const kKinds[] = {L".bmp", L".jpg", L".jpeg", L".gif", L".png", L".ico", L".txt", L".dat", L".h"};
    if (found.nFileSizeHigh != 0 || found.nFileSizeLow > (8u << 20)) return false;
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return false;
    const std::wstring kind = name.substr(dot);
    for (const wchar_t* k : kKinds)
        if (lstrcmpiW(kind.c_str(), k) == 0) return true;
    return false;
}

FolderFiles listFolder(const std::wstring& folder, const std::wstring& targetName) {
    FolderFiles files;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring name = found.cFileName;
        if (qivcheck::isStudentProgram(name, targetName))
            files.programs.push_back(name);
        else if (isCompanion(name, found))
            files.companions.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

// ----------------------------------------------------------------------------------------
// The tool chain: the runtime library fitted to the compiler, the precompiled header made
// ----------------------------------------------------------------------------------------
bool prepareToolChain(const std::wstring& npp) {
    if (!qivtools::fileExists(npp + L"\\MinGW\\bin\\g++.exe")) {
        say(L"找不到编译器 " + npp + L"\\MinGW\\bin\\g++.exe：qivcheck.exe 要放在 Qiv 安装的 Qiv\\tools 文件夹里。");
        return false;
    }
    std::string output;
    const std::wstring makeRuntime = npp + L"\\Qiv\\tools\\makeruntime.exe";
    if (qivtools::fileExists(makeRuntime) && runTool(makeRuntime, L"--check", output) == 10) {
        say(L"编译器换过了，正在为它准备 Qiv 运行库……");
        if (runTool(makeRuntime, nullptr, output) != 0) {
            say(fromAnsi(output));
            say(L"Qiv 运行库没能为这个编译器生成，不能检查。请重新运行 Qiv 安装程序。");
            return false;
        }
    }
    const std::wstring makePch = npp + L"\\Qiv\\tools\\makepch.exe";
    if (qivtools::fileExists(makePch) && !qivtools::precompiledHeaderCurrent(npp)) {
        const int status = runTool(makePch, L"--check", output);
        if (status == 10 || status == 11) {
            if (status == 10) say(L"正在生成快速编译文件 Qiv\\logo.h.gch（只在第一次需要）……");
            runTool(makePch, nullptr, output);
        }
    }
    return true;
}

// The compiler's environment: its own folder on the path, in the short form where there is one.
std::wstring compilerEnvironmentBlock(const std::wstring& npp) {
    const std::wstring folder = npp + L"\\MinGW\\bin";
    wchar_t shortForm[1000];
    const DWORD n = GetShortPathNameW(folder.c_str(), shortForm, 1000);
    const std::wstring path = n > 0 && n < 1000 ? std::wstring(shortForm, n) : folder;
    return L"path=" + path + std::wstring(2, L'\0');
}

// ----------------------------------------------------------------------------------------
// One program: copied, built, run
// ----------------------------------------------------------------------------------------
struct Check {
    std::wstring npp, folder, target, input, work;
    int seconds = 10;
    FolderFiles files;
    std::wstring compilerEnvironment;
};

struct Job {
    std::wstring source;  // the program where the teacher keeps it
    std::wstring dir;     // its temporary folder
    bool isTarget = false;
    StudentResult result;
    std::string canvas;   // the capture's canvas.bmp
    std::string output;   // the capture's output.txt
};

// The program as the compiler is to read it, as the build key hands the editor's document to
// it: a UTF-8 file holding Chinese is converted to the ANSI code page. False (with the
// reason) when it cannot be.
bool sourceForCompiler(const std::string& bytes, std::string& built, std::string& refusal) {
    const bool bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const std::string text = bom ? bytes.substr(3) : bytes;
    const bool utf8 = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0) > 0 || text.empty();
    const int encoding = bom ? bufferUtf8Bom : utf8 ? bufferUtf8 : bufferAnsi;
    const EncodingDecision decision = decideSourceEncoding(encoding, 0, text, qivtools::fitsAnsiCodePage);
    built = bytes;
    if (decision.action == EncodingDecision::Refuse) {
        refusal = qivtools::ansi(notConvertibleLine(decision.line, decision.character));
        return false;
    }
    if (decision.action == EncodingDecision::ConvertToAnsi) {
        const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
        built = qivtools::ansi(wide);
    }
    return true;
}

double secondsSince(ULONGLONG start) { return static_cast<double>(GetTickCount64() - start) / 1000.0; }

// A build step's output decides as on the build key: any word from the compiler stops the
// build, and its first message becomes the row's hint.
bool buildStep(const Check& check, const std::wstring& command, const BuildNames& names, const std::string& source,
               StudentResult& result) {
    std::string output;
    if (runHidden(command, check.compilerEnvironment, output, names.fileDir) < 0) {
        result.buildHint = "编译器没能启动";
        return false;
    }
    if (output.empty()) return true;
    output = withoutCutCharacter(output.substr(0, kKeptOutput));
    const MessageHint hint = composeFirstMessageHint(output.data(), output.size(),
                                                     StudentFile{qivtools::ansi(names.fileName), source});
    result.buildHint = hint.found ? qivcheck::reportHint(hint.text, hint.suggestion)
                                  : output.substr(0, output.find('\n'));
    return false;
}

void build(const Check& check, Job& job) {
    const ULONGLONG start = GetTickCount64();
    const std::wstring fileName = fileNameOf(job.source);
    const BuildNames names{check.npp, job.dir, fileName, withoutExtension(fileName)};
    std::string source, refusal;
    const std::string original = qivtools::readFileBytes(job.source, 4u << 20);
    if (!sourceForCompiler(original, source, refusal)) {
        job.result.buildHint = refusal;
    } else if (!writeBytes(job.dir + L"\\" + fileName, source)) {
        job.result.buildHint = "不能写入临时文件夹";
    } else if (buildStep(check, compileCommand(names), names, source, job.result) &&
               buildStep(check, linkCommand(names), names, source, job.result)) {
        job.result.built = true;
    }
    DeleteFileW(besideSource(names, L".o").c_str());
    job.result.buildSeconds = secondsSince(start);
}

// The environment of a capture run: the tool's own, with the capture's settings.
std::wstring captureEnvironment(const Check& check, const std::wstring& captureDir) {
    std::wstring block;
    wchar_t* own = GetEnvironmentStringsW();
    for (const wchar_t* entry = own; entry != nullptr && *entry != L'\0'; entry += lstrlenW(entry) + 1) {
        if (_wcsnicmp(entry, L"QIV_CAPTURE", 11) == 0) continue;
        block.append(entry).push_back(L'\0');
    }
    if (own != nullptr) FreeEnvironmentStringsW(own);
    block.append(L"QIV_CAPTURE_DIR=" + captureDir).push_back(L'\0');
    block.append(L"QIV_CAPTURE_SECONDS=" + std::to_wstring(check.seconds)).push_back(L'\0');
    if (!check.input.empty()) block.append(L"QIV_CAPTURE_INPUT=" + check.input).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

void run(const Check& check, Job& job) {
    const ULONGLONG start = GetTickCount64();
    const std::wstring captureDir = job.dir + L"\\capture";
    CreateDirectoryW(captureDir.c_str(), nullptr);
    const std::wstring exe = besideSource(BuildNames{check.npp, job.dir, fileNameOf(job.source),
                                                     withoutExtension(fileNameOf(job.source))}, L".exe");
    std::wstring commandLine = L"\"" + exe + L"\"";
    std::wstring environment = captureEnvironment(check, captureDir);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        &environment[0], job.dir.c_str(), &startup, &process)) {
        job.result.run = StudentResult::NotRun;
        return;
    }
    bool forced = false;
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(check.seconds) * 1000 + kRunGraceMilliseconds) !=
        WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        forced = true;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    const qivcheck::CaptureReport report =
        qivcheck::parseCaptureReport(qivtools::readFileBytes(captureDir + L"\\result.txt", 4096));
    job.result.boxes = report.boxes;
    if (report.complete) {
        job.result.run = report.run;
        job.canvas = qivtools::readFileBytes(captureDir + L"\\canvas.bmp", 64u << 20);
        job.output = qivtools::readFileBytes(captureDir + L"\\output.txt", 16u << 20);
    } else {
        // Ended without its capture: by force at the limit, by exit(0) in the program (its
        // picture is gone with it), or by a crash the runtime could not catch.
        job.result.run = forced ? StudentResult::Timeout : exitCode == 0 ? StudentResult::Ended : StudentResult::Crashed;
    }
    job.result.runSeconds = report.complete && report.milliseconds > 0 ? report.milliseconds / 1000.0 : secondsSince(start);
}

// ----------------------------------------------------------------------------------------
// The class: jobs shared by a few threads
// ----------------------------------------------------------------------------------------
struct Pool {
    const Check* check;
    std::vector<Job>* jobs;
    volatile LONG next;
    volatile LONG done;
};

std::wstring runWord(StudentResult::Run run) {
    switch (run) {
    case StudentResult::Ended: return L"运行结束";
    case StudentResult::Timeout: return L"没有结束（超时）";
    case StudentResult::Crashed: return L"程序崩溃";
    default: return L"没有运行";
    }
}

DWORD WINAPI jobThread(LPVOID argument) {
    Pool& pool = *static_cast<Pool*>(argument);
    for (;;) {
        const LONG index = InterlockedIncrement(&pool.next) - 1;
        if (index >= static_cast<LONG>(pool.jobs->size())) return 0;
        Job& job = (*pool.jobs)[static_cast<size_t>(index)];
        CreateDirectoryW(job.dir.c_str(), nullptr);
        for (const std::wstring& companion : pool.check->files.companions)
            CopyFileW((pool.check->folder + L"\\" + companion).c_str(), (job.dir + L"\\" + companion).c_str(), FALSE);
        build(*pool.check, job);
        if (job.result.built) run(*pool.check, job);
        const LONG done = InterlockedIncrement(&pool.done);
        say(L"[" + std::to_wstring(done) + L"/" + std::to_wstring(pool.jobs->size()) + L"] " +
            (job.isTarget ? L"目标 " : L"") + fileNameOf(job.source) + L"  " +
            (job.result.built ? L"编译成功  " + runWord(job.result.run) : L"编译失败"));
    }
}

void runAll(const Check& check, std::vector<Job>& jobs, int threads) {
    Pool pool{&check, &jobs, 0, 0};
    std::vector<HANDLE> handles;
    for (int i = 0; i < threads; ++i) {
        const HANDLE h = CreateThread(nullptr, 0, jobThread, &pool, 0, nullptr);
        if (h != nullptr) handles.push_back(h);
    }
    if (handles.empty()) jobThread(&pool);
    for (const HANDLE h : handles) {
        WaitForSingleObject(h, INFINITE);
        CloseHandle(h);
    }
}

// ----------------------------------------------------------------------------------------
// Scores and the report
// ----------------------------------------------------------------------------------------
const char kPictureFolder[] = "qivcheck-pictures";

// Scores a job against the target, makes its small picture of the part of the canvas the
// report shows, and keeps its whole picture in the report's picture folder.
void finishResult(Job& job, const qivcheck::Picture& picture, const qivcheck::Box& shown, const Job* target,
                  const qivcheck::Picture* targetPicture, const std::wstring& folder) {
    if (picture.width == 0) return;
    job.result.thumbnailBmp = qivcheck::writeBmp(qivcheck::thumbnail(qivcheck::cropped(picture, shown), kThumbnailWidth));
    const std::wstring own = withoutExtension(fileNameOf(job.source));
    // The target's picture is marked as such, unless its name says so already.
    const bool marked = job.isTarget && lstrcmpiW(own.c_str(), L"target") != 0;
    const std::wstring name = (marked ? L"target_" + own : own) + L".bmp";
    const std::wstring pictures = folder + L"\\" + qivtools::widen(kPictureFolder);
    CreateDirectoryW(pictures.c_str(), nullptr);
    if (writeBytes(pictures + L"\\" + name, job.canvas))
        job.result.pictureLink = std::string(kPictureFolder) + "/" + qivtools::ansi(name);
    if (target != nullptr && targetPicture != nullptr && !job.isTarget) {
        job.result.picture = qivcheck::comparePictures(picture, *targetPicture);
        job.result.text = qivcheck::compareTexts(job.output, target->output);
    }
}

bool writeReports(const qivcheck::ClassReport& report, const std::wstring& folder) {
    return qivtools::replaceFileBytes(folder + L"\\report.html", qivcheck::reportHtml(report)) &&
           qivtools::replaceFileBytes(folder + L"\\report.csv", qivcheck::reportCsv(report));
}

// ----------------------------------------------------------------------------------------
// Start
// ----------------------------------------------------------------------------------------
std::wstring askForFolder() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOW browse = {};
    browse.lpszTitle = L"选择放着全班同学程序（.cpp）的文件夹：";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    std::wstring folder;
    if (chosen != nullptr) {
        wchar_t path[MAX_PATH];
        if (SHGetPathFromIDListW(chosen, path)) folder = path;
        CoTaskMemFree(chosen);
    }
    return folder;
}

// A failure said on the console, and in a message box when the tool was started by its
// shortcut (whose console closes with it).
int fail(int code, const std::wstring& text, bool interactive) {
    say(text);
    if (interactive) MessageBoxW(nullptr, text.c_str(), L"画图作业检查", MB_OK | MB_ICONWARNING);
    return code;
}

int check(const qivcheck::CheckOptions& options, bool interactive) {
    Check check;
    check.npp = qivtools::editorFolderOfThisTool();
    check.folder = fullPath(options.folder);
    check.seconds = options.seconds;
    if (!isFolder(check.folder)) return fail(2, L"没有这个文件夹：" + check.folder, interactive);
    check.target = options.target.empty() ? check.folder + L"\\target.cpp" : fullPath(options.target);
    if (!qivtools::fileExists(check.target)) {
        if (!options.target.empty()) return fail(2, L"没有这个目标程序：" + check.target, interactive);
        check.target.clear();
    }
    check.input = options.input.empty() ? check.folder + L"\\input.txt" : fullPath(options.input);
    if (!qivtools::fileExists(check.input)) {
        if (!options.input.empty()) return fail(2, L"没有这个输入文件：" + check.input, interactive);
        check.input.clear();
    }
    const bool targetInFolder = !check.target.empty() && lstrcmpiW(qivtools::folderOf(check.target).c_str(),
                                                                    check.folder.c_str()) == 0;
    check.files = listFolder(check.folder, targetInFolder ? fileNameOf(check.target) : std::wstring());
    if (check.files.programs.empty())
        return fail(2, L"文件夹里没有要检查的 .cpp 程序：" + check.folder, interactive);
    if (!prepareToolChain(check.npp)) return fail(1, L"不能检查：编译器不能用。", interactive);
    check.compilerEnvironment = compilerEnvironmentBlock(check.npp);

    wchar_t temp[MAX_PATH];
    const DWORD tempLength = GetTempPathW(MAX_PATH, temp);
    check.work = std::wstring(temp, tempLength) + L"qivcheck-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(GetTickCount());
    if (!CreateDirectoryW(check.work.c_str(), nullptr)) return fail(2, L"不能建立临时文件夹 " + check.work, interactive);

    const ULONGLONG start = GetTickCount64();
    say(L"检查 " + check.folder + L" 里的 " + std::to_wstring(check.files.programs.size()) + L" 个程序" +
        (check.target.empty() ? L"（没有目标程序，只检查编译和运行）" : L"，目标程序 " + fileNameOf(check.target)) +
        L"……");
    std::vector<Job> jobs;
    if (!check.target.empty()) {
        Job target;
        target.source = check.target;
        target.isTarget = true;
        jobs.push_back(target);
    }
    for (const std::wstring& program : check.files.programs) {
        Job job;
        job.source = check.folder + L"\\" + program;
        jobs.push_back(job);
    }
    for (size_t i = 0; i < jobs.size(); ++i) {
        jobs[i].dir = check.work + L"\\" + std::to_wstring(i + 1);
        jobs[i].result.file = qivtools::ansi(fileNameOf(jobs[i].source));
    }
    runAll(check, jobs, options.jobs);

    qivcheck::ClassReport report;
    report.folder = qivtools::ansi(check.folder);
    const Job* target = !check.target.empty() ? &jobs.front() : nullptr;
    // Every picture, and the part of the canvas where the class drew: the small pictures show
    // that part, so a star of 100 pixels is not lost in a canvas of 950.
    std::vector<qivcheck::Picture> pictures(jobs.size());
    std::vector<qivcheck::Box> boxes;
    int width = 0, height = 0;
    for (size_t i = 0; i < jobs.size(); ++i) {
        if (jobs[i].canvas.empty() || !qivcheck::readBmp(jobs[i].canvas, &pictures[i])) continue;
        boxes.push_back(qivcheck::drawnBox(pictures[i]));
        width = std::max(width, pictures[i].width);
        height = std::max(height, pictures[i].height);
    }
    const qivcheck::Box shown = qivcheck::shownPart(boxes, width, height, kShownMargin, kShownLeast, kShownLeast * 2 / 3);
    const qivcheck::Picture* targetPicture = target != nullptr && pictures.front().width > 0 ? &pictures.front() : nullptr;
    for (size_t i = 0; i < jobs.size(); ++i)
        finishResult(jobs[i], pictures[i], shown, target, targetPicture, check.folder);
    if (target != nullptr) {
        report.hasTarget = true;
        report.targetFile = target->result.file;
        report.target = target->result;
    }
    for (const Job& job : jobs)
        if (!job.isTarget) report.students.push_back(job.result);
    report.totalSeconds = secondsSince(start);
    removeTree(check.work);

    if (!writeReports(report, check.folder))
        return fail(2, L"报告不能写入文件夹 " + check.folder + L"（文件夹只读，或 report.html 正被打开？）", interactive);
    const std::wstring page = check.folder + L"\\report.html";
    wchar_t seconds[32];
    swprintf(seconds, 32, L"%.1f", report.totalSeconds);
    say(L"完成，用时 " + std::wstring(seconds) + L" 秒。报告：" + page);
    if (interactive) ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    InitializeCriticalSection(&g_printLock);
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    qivcheck::CheckOptions options = qivcheck::parseCheckOptions(arguments);
    if (!options.error.empty()) {
        say(options.error);
        say(qivcheck::kCheckUsage);
        return 2;
    }
    const bool interactive = options.folder.empty();
    if (interactive) {
        options.folder = askForFolder();
        if (options.folder.empty()) return 2;
    }
    return check(options, interactive);
}
