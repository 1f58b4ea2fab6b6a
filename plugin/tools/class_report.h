// The class-checking tool's reports: report.html, one page a teacher reads in a browser, and
// report.csv for a spreadsheet. Every text is GBK, as the file names and hints come; the page
// declares that charset. Pure logic, no Windows calls.
#ifndef QIV_CLASS_REPORT_H
#define QIV_CLASS_REPORT_H

#include <string>
#include <vector>

#include "picture_score.h"

namespace qivcheck {

// What checking one program found.
struct StudentResult {
    std::string file;       // file name, GBK
    bool built = false;
    std::string buildHint;  // the Chinese hint of the first error, GBK ("第 5 行：...")
    enum Run { NotRun, Ended, Timeout, Crashed } run = NotRun;
    int boxes = 0;          // message boxes answered for the program
    double buildSeconds = 0, runSeconds = 0;
    PictureScore picture;   // against the target's picture
    TextScore text{};       // against the target's output
    std::string thumbnailBmp;  // BMP bytes of the small picture, or empty
    std::string pictureLink;   // relative path of the full picture, or empty
};

struct ClassReport {
    std::string folder;      // GBK
    std::string targetFile;
    bool hasTarget = false;  // a target program was given (its result is `target`)
    StudentResult target;
    std::vector<StudentResult> students;
    double totalSeconds = 0;
};

// Shape score from best to worst, equal scores by file name; the programs that did not build
// last, by file name.
std::vector<StudentResult> sortedForReport(const std::vector<StudentResult>& students);

// The whole page: the class's overview, the target's picture, one table row a program in the
// order of sortedForReport. Scores are shown only when a target was given and it built.
std::string reportHtml(const ClassReport& report);

// The same rows as CSV (GBK, CRLF, a header row). Fields holding a comma, quote, CR or LF are
// quoted; a field starting with = + - @ (or a tab or CR) gets a leading ' so that no
// spreadsheet takes a student's text for a formula.
std::string reportCsv(const ClassReport& report);

// Standard base64 with padding.
std::string base64(const std::string& bytes);

// The text with & < > " ' written as HTML entities.
std::string htmlEscaped(const std::string& text);

// One CSV field, guarded and quoted as reportCsv writes it.
std::string csvField(const std::string& text);

}  // namespace qivcheck

#endif
