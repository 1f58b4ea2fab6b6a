#include "check_options.h"

#include <cwctype>

namespace qivcheck {

const wchar_t kCheckUsage[] =
    L"用法：qivcheck.exe 文件夹 [--target 目标程序.cpp] [--input 输入.txt] [--seconds 秒数] [--jobs 个数]\n"
    L"  检查文件夹里每个 .cpp 程序画的图和输出，与老师的目标程序比较，结果写在文件夹里的 report.html 和 report.csv。\n"
    L"  没有 --target 时用文件夹里的 target.cpp；没有 --input 时用文件夹里的 input.txt（都没有也可以）。\n";

namespace {

// A whole number from 1 to `most`, or 0 when the text is not one.
int smallNumber(const std::wstring& text, int most) {
    if (text.empty() || text.size() > 4) return 0;
    int value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return 0;
        value = value * 10 + (c - L'0');
    }
    return value >= 1 && value <= most ? value : 0;
}

bool endsWithCpp(const std::wstring& name) {
    if (name.size() <= 4) return false;
    std::wstring tail = name.substr(name.size() - 4);
    for (wchar_t& c : tail) c = static_cast<wchar_t>(std::towlower(c));
    return tail == L".cpp";
}

bool sameNameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

}  // namespace

CheckOptions parseCheckOptions(const std::vector<std::wstring>& arguments) {
    CheckOptions options;
    for (std::size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::wstring& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == L"--target" || a == L"--input" || a == L"--seconds" || a == L"--jobs") {
            if (!hasValue) {
                options.error = a + L" 后面缺少内容";
                break;
            }
            const std::wstring& value = arguments[++i];
            if (a == L"--target") {
                options.target = value;
            } else if (a == L"--input") {
                options.input = value;
            } else if (a == L"--seconds") {
                options.seconds = smallNumber(value, 600);
                if (options.seconds == 0) options.error = L"--seconds 要写 1 到 600 之间的整数";
            } else {
                options.jobs = smallNumber(value, 8);
                if (options.jobs == 0) options.error = L"--jobs 要写 1 到 8 之间的整数";
            }
        } else if (a.size() > 1 && a[0] == L'-' && a[1] == L'-') {
            options.error = L"不认识的选项 " + a;
        } else if (options.folder.empty()) {
            options.folder = a;
        } else {
            options.error = L"只能检查一个文件夹：" + a;
        }
    }
    if (options.error.empty() && !options.target.empty() && !endsWithCpp(options.target))
        options.error = L"目标程序要是 .cpp 文件：" + options.target;
    return options;
}

bool isStudentProgram(const std::wstring& fileName, const std::wstring& targetName) {
    return endsWithCpp(fileName) && (targetName.empty() || !sameNameIgnoringCase(fileName, targetName));
}

CaptureReport parseCaptureReport(const std::string& text) {
    CaptureReport report;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "status") {
            if (value == "ended") report.run = StudentResult::Ended;
            if (value == "timeout") report.run = StudentResult::Timeout;
            if (value == "crashed") report.run = StudentResult::Crashed;
            report.complete = report.run != StudentResult::NotRun;
        } else if (key == "milliseconds" || key == "boxes") {
            long long number = 0;
            bool digits = !value.empty() && value.size() <= 9;
            for (const char c : value) digits = digits && c >= '0' && c <= '9';
            if (!digits) continue;
            for (const char c : value) number = number * 10 + (c - '0');
            (key == "boxes" ? report.boxes : report.milliseconds) = static_cast<int>(number);
        }
    }
    return report;
}

std::string reportHint(const std::string& panelHint, const std::string& suggestion) {
    std::size_t lead = 0;
    while (lead < panelHint.size() && panelHint[lead] == '=') ++lead;
    std::string hint = panelHint.substr(lead);
    if (!suggestion.empty()) hint += (hint.empty() ? "" : " ") + suggestion;
    return hint;
}

}  // namespace qivcheck
