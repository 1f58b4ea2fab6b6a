// The class check's command line and the small texts it reads back: which files of the class
// folder are students' programs, and what a capture run reported. Pure logic, no Windows calls.
#ifndef QIV_CHECK_OPTIONS_H
#define QIV_CHECK_OPTIONS_H

#include <string>
#include <vector>

#include "class_report.h"

namespace qivcheck {

// qivcheck.exe [FOLDER] [--target FILE.cpp] [--input FILE] [--seconds N] [--jobs N]
struct CheckOptions {
    std::wstring folder;  // the class's folder; empty: the tool asks for it
    std::wstring target;  // the teacher's program; empty: target.cpp of the folder, when there is one
    std::wstring input;   // lines for cin; empty: input.txt of the folder, when there is one
    int seconds = 10;     // a run longer than this counts as not ended
    int jobs = 2;         // programs built and run at the same time
    std::wstring error;   // what was wrong with the command line (GBK-free: shown as it is)
};

CheckOptions parseCheckOptions(const std::vector<std::wstring>& arguments);

// The usage lines the tool prints for a wrong command line.
extern const wchar_t kCheckUsage[];

// True for a student's program of the folder: a name ending in .cpp (any case) that is not
// the target's. `targetName` is the target's file name when it lies in the folder, else empty.
bool isStudentProgram(const std::wstring& fileName, const std::wstring& targetName);

// What a capture run wrote into result.txt ("status=ended|timeout|crashed", "milliseconds=N",
// "boxes=N", one a line). `complete` is false when the file holds no known status.
struct CaptureReport {
    bool complete = false;
    StudentResult::Run run = StudentResult::NotRun;
    int milliseconds = 0;
    int boxes = 0;
};
CaptureReport parseCaptureReport(const std::string& text);

// The report's build hint from the hint line the editor's panel shows (its "=====" lead
// taken off) and the compiler's suggestion line, when there is one.
std::string reportHint(const std::string& panelHint, const std::string& suggestion);

}  // namespace qivcheck

#endif
