// Capture mode (a program run by a class-checking tool, with no one at the window): the
// values read from its environment variables, the lines of its input file, and the texts of
// the files it leaves behind.
#ifndef QIV_CAPTURE_RULES_H
#define QIV_CAPTURE_RULES_H

#include <string>
#include <vector>

namespace qiv {

// The time limit of a captured run, seconds, when QIV_CAPTURE_SECONDS is unset or unusable.
const double kCaptureDefaultSeconds = 10.0;
// The longest limit taken as given (a day); a longer one counts as unusable.
const double kCaptureMaxSeconds = 86400.0;

// QIV_CAPTURE_SECONDS (text NULL when unset): a positive decimal number ("2", "2.5", "0.5"),
// blanks around it allowed, up to a day. Anything else (empty, signs, exponents, letters,
// zero, more than a day) gives the default of 10 seconds.
double captureSeconds(const char* text);

// The limit in whole milliseconds (rounded up, at least 1).
unsigned long captureMilliseconds(double seconds);

// The lines of the input file, in order, as a user would type them: split at LF, one CR
// before it dropped (CR LF and LF files read alike); a last line without a line break
// counts, an empty file has no lines, and no empty line follows a final line break.
std::vector<std::string> captureInputLines(const std::string& bytes);

// A file of the capture folder: dir, a backslash unless dir already ends in a separator of
// its own ('\\' or '/', not the second byte of a GBK character), and the name.
std::string captureFilePath(const std::string& dir, const std::string& name);

// How a captured run ended.
enum CaptureStatus { kCaptureEnded, kCaptureTimeout, kCaptureCrashed };

// The exit code of the process after the files are written: 0, except 3 for a crash.
int captureExitCode(CaptureStatus status);

// result.txt: the ASCII lines "status=ended|timeout|crashed", "milliseconds=<run time>",
// "boxes=<message boxes answered>", each ended by LF.
std::string captureResultText(CaptureStatus status, unsigned long milliseconds, int boxes);

// The line output.txt gets for an answered message box: "[消息框] <title>: <text>" in GBK,
// ended by CR LF as the pane's lines are; line breaks inside the text become blanks, so the
// box stays one line.
std::string captureBoxLine(const std::string& title, const std::string& text);

}  // namespace qiv

#endif
