#include "core/capture_rules.h"

#include <cmath>

#include "core/gbk_path.h"
#include "core/number_text.h"

namespace qiv {

namespace {
bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool digit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

double captureSeconds(const char* text) {
    if (text == NULL) return kCaptureDefaultSeconds;
    const std::string s(text);
    size_t at = 0;
    while (at < s.size() && blank(s[at])) ++at;
    // Digits, then optionally '.' and digits; at least one digit in all. Read by hand so the
    // C library's locale and its words ("inf", "nan", hexadecimal) play no part.
    double value = 0;
    bool anyDigit = false;
    while (at < s.size() && digit(s[at])) {
        value = value * 10 + (s[at] - '0');
        anyDigit = true;
        ++at;
        if (value > kCaptureMaxSeconds) return kCaptureDefaultSeconds;
    }
    if (at < s.size() && s[at] == '.') {
        ++at;
        double unit = 0.1;
        while (at < s.size() && digit(s[at])) {
            value += (s[at] - '0') * unit;
            unit /= 10;
            anyDigit = true;
            ++at;
        }
    }
    while (at < s.size() && blank(s[at])) ++at;
    if (!anyDigit || at != s.size() || !(value > 0) || value > kCaptureMaxSeconds) return kCaptureDefaultSeconds;
    return value;
}

unsigned long captureMilliseconds(double seconds) {
    const double ms = std::ceil(seconds * 1000.0);
    return ms < 1 ? 1UL : static_cast<unsigned long>(ms);
}

std::vector<std::string> captureInputLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const bool broken = end != std::string::npos;
        if (!broken) end = bytes.size();
        size_t stop = end;
        if (broken && stop > start && bytes[stop - 1] == '\r') --stop;
        lines.push_back(bytes.substr(start, stop - start));
        start = broken ? end + 1 : end;
    }
    return lines;
}

std::string captureFilePath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    const bool separated = lastSeparator(dir, "\\/") == dir.size() - 1;
    return separated ? dir + name : dir + "\\" + name;
}

int captureExitCode(CaptureStatus status) { return status == kCaptureCrashed ? 3 : 0; }

std::string captureResultText(CaptureStatus status, unsigned long milliseconds, int boxes) {
    const char* word = status == kCaptureEnded ? "ended" : status == kCaptureTimeout ? "timeout" : "crashed";
    return std::string("status=") + word + "\nmilliseconds=" + decimalText(static_cast<long long>(milliseconds)) +
           "\nboxes=" + decimalText(boxes) + "\n";
}

std::string captureBoxLine(const std::string& title, const std::string& text) {
    // "[消息框] " in GBK bytes: this file is compiled both with and without a GBK execution
    // character set.
    std::string line = "[\xcf\xfb\xcf\xa2\xbf\xf2] " + title + ": ";
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // CR LF: one blank
        line += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return line + "\r\n";
}

}  // namespace qiv
