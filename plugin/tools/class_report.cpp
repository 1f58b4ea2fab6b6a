// The texts here are written in UTF-8 and compiled to GBK (-fexec-charset=GBK), the charset of
// the file names and hints they are put together with.
#include "class_report.h"

#include <algorithm>
#include <cmath>

namespace qivcheck {

namespace {

// Seconds with one decimal, written by hand so that no locale can make the point a comma.
std::string tenths(double seconds) {
    const long long t = std::llround(std::max(seconds, 0.0) * 10);
    return std::to_string(t / 10) + "." + std::to_string(t % 10);
}

// Scores mean something only against a target that was given and built.
bool scoresShown(const ClassReport& report) {
    return report.hasTarget && report.target.built;
}

bool hasScores(const ClassReport& report, const StudentResult& s) {
    return scoresShown(report) && s.built && s.run != StudentResult::NotRun;
}

const char* scoreBand(int score) {
    return score >= 80 ? "good" : score >= 50 ? "fair" : "poor";
}

const char* outputWord(const TextScore& text) {
    return text.exact ? "相同" : text.ignoringSpaces ? "忽略空格后相同" : "不同";
}

const char* runWord(StudentResult::Run run) {
    switch (run) {
        case StudentResult::Ended: return "结束";
        case StudentResult::Timeout: return "超时";
        case StudentResult::Crashed: return "崩溃";
        case StudentResult::NotRun: break;
    }
    return "没有运行";
}

// The flags shown beside a program's row; answered message boxes are news, not trouble.
struct Flag {
    std::string text;
    bool trouble;
};

std::vector<Flag> flagsOf(const StudentResult& s) {
    std::vector<Flag> flags;
    if (!s.built) return flags;
    if (s.run == StudentResult::NotRun) flags.push_back({"没有运行", true});
    if (s.run == StudentResult::Timeout) flags.push_back({"没有结束（超时）", true});
    if (s.run == StudentResult::Crashed) flags.push_back({"程序崩溃", true});
    if (s.boxes > 0) flags.push_back({"答复了 " + std::to_string(s.boxes) + " 个消息框", false});
    return flags;
}

std::string flagsHtml(const std::vector<Flag>& flags) {
    std::string h;
    for (const Flag& flag : flags)
        h += std::string("<span class=\"flag") + (flag.trouble ? "" : " info") + "\">" + htmlEscaped(flag.text) +
             "</span>";
    return h;
}

// An <img> of a thumbnail, linked to the full picture when there is one; empty without a
// thumbnail.
std::string pictureHtml(const StudentResult& s) {
    if (s.thumbnailBmp.empty()) return std::string();
    std::string size;
    Picture p;
    if (readBmp(s.thumbnailBmp, &p))
        size = " width=\"" + std::to_string(p.width) + "\" height=\"" + std::to_string(p.height) + "\"";
    std::string img = "<img class=\"own\"" + size + " alt=\"" + htmlEscaped(s.file) +
                      "\" src=\"data:image/bmp;base64," + base64(s.thumbnailBmp) + "\">";
    if (s.pictureLink.empty()) return img;
    return "<a href=\"" + htmlEscaped(s.pictureLink) + "\">" + img + "</a>";
}

// The target's thumbnail stands beside every row: the page holds its bytes once, as the
// background of the class "aim", and each row shows an element of that class.
std::string targetStyle(const StudentResult& target) {
    Picture p;
    if (target.thumbnailBmp.empty() || !readBmp(target.thumbnailBmp, &p)) return std::string();
    return ".aim{display:inline-block;vertical-align:middle;border:1px solid #bbb;width:" + std::to_string(p.width) +
           "px;height:" + std::to_string(p.height) + "px;background:url(data:image/bmp;base64," +
           base64(target.thumbnailBmp) + ") no-repeat;image-rendering:pixelated}";
}

std::string targetPicture(const StudentResult& target) {
    const std::string span = "<span class=\"aim\" role=\"img\" title=\"目标\" aria-label=\"目标\"></span>";
    if (target.pictureLink.empty()) return span;
    return "<a href=\"" + htmlEscaped(target.pictureLink) + "\">" + span + "</a>";
}

const char* const kStyle =
    "body{font-family:\"Microsoft YaHei\",\"SimHei\",sans-serif;margin:24px;color:#222;background:#f7f7f5}"
    "h1{font-size:26px;margin:0 0 4px}"
    "h2{font-size:18px;margin:18px 0 8px}"
    ".folder{color:#666;margin:0 0 14px;word-break:break-all}"
    ".overview{font-size:17px;background:#eaf1fb;border-left:5px solid #3f72c4;padding:10px 14px;margin:0}"
    ".note{font-size:15px;color:#8a5300;background:#fff4df;border-left:5px solid #e0a030;padding:8px 14px;margin:8px 0 0}"
    ".target{background:#fff;border:1px solid #ddd;padding:10px 14px;margin-top:14px;display:inline-block}"
    "table{border-collapse:collapse;background:#fff;margin-top:18px}"
    "th,td{border:1px solid #ddd;padding:6px 10px;text-align:left;vertical-align:middle}"
    "th{background:#eceff3;font-weight:bold}"
    "td.n{color:#888;text-align:right}"
    ".file{font-weight:bold;white-space:nowrap}td{white-space:nowrap}.hint{white-space:normal}"
    ".built{color:#1b7f3b}"
    ".failed{color:#b3261e;font-weight:bold}"
    ".hint{color:#b3261e;font-size:13px;font-weight:normal;max-width:22em;margin-top:3px}"
    ".pics{white-space:nowrap}.pics img{border:1px solid #bbb;margin-right:6px;vertical-align:middle;image-rendering:pixelated}"
    ".score{min-width:8em;font-weight:bold;font-size:16px}"
    ".bar{background:#e6e6e6;height:8px;border-radius:4px;overflow:hidden;margin-top:4px}"
    ".bar span{display:block;height:100%}"
    "td.good{background:#e7f5ea}.good .bar span{background:#2e9d4f}"
    "td.fair{background:#fdf3dc}.fair .bar span{background:#e0a030}"
    "td.poor{background:#fbe6e4}.poor .bar span{background:#d2463a}"
    ".none{color:#aaa}"
    ".flag{display:inline-block;padding:1px 7px;margin:1px 2px;border-radius:3px;background:#fbe6e4;color:#8a1c14;font-size:13px}"
    ".flag.info{background:#eaf1fb;color:#234f94}"
    ".foot{color:#888;font-size:13px;margin-top:14px}";

std::string dash() {
    return "<span class=\"none\">—</span>";
}

std::string rowHtml(const ClassReport& report, const StudentResult& s, size_t number) {
    std::string h = "<tr><td class=\"n\">" + std::to_string(number) + "</td>";
    h += "<td class=\"file\">" + htmlEscaped(s.file) + "</td>";
    if (s.built) {
        h += "<td class=\"built\">编译成功</td>";
    } else {
        h += "<td class=\"failed\">编译失败";
        if (!s.buildHint.empty()) h += "<div class=\"hint\">" + htmlEscaped(s.buildHint) + "</div>";
        h += "</td>";
    }

    h += "<td class=\"pics\">";
    const std::string own = pictureHtml(s);
    h += own.empty() ? dash() : own;
    if (report.hasTarget && !report.target.thumbnailBmp.empty()) h += targetPicture(report.target);
    h += "</td>";

    if (hasScores(report, s)) {
        const int shape = std::min(std::max(s.picture.shape, 0), 100);
        h += std::string("<td class=\"score ") + scoreBand(shape) + "\">" + std::to_string(shape) +
             "<div class=\"bar\"><span style=\"width:" + std::to_string(shape) + "%\"></span></div></td>";
        h += "<td>" + std::to_string(s.picture.colour) + "</td>";
        h += std::string("<td>") + outputWord(s.text) + "</td>";
    } else {
        h += "<td class=\"score\">" + dash() + "</td><td>" + dash() + "</td><td>" + dash() + "</td>";
    }

    if (s.built && s.run != StudentResult::NotRun)
        h += "<td>" + tenths(s.runSeconds) + " 秒</td>";
    else
        h += "<td>" + dash() + "</td>";

    h += "<td>" + flagsHtml(flagsOf(s)) + "</td></tr>\n";
    return h;
}

}  // namespace

std::vector<StudentResult> sortedForReport(const std::vector<StudentResult>& students) {
    std::vector<StudentResult> sorted = students;
    std::stable_sort(sorted.begin(), sorted.end(), [](const StudentResult& a, const StudentResult& b) {
        if (a.built != b.built) return a.built;
        if (a.built && a.picture.shape != b.picture.shape) return a.picture.shape > b.picture.shape;
        return a.file < b.file;
    });
    return sorted;
}

std::string reportHtml(const ClassReport& report) {
    const std::vector<StudentResult> rows = sortedForReport(report.students);
    size_t built = 0, ended = 0, matching = 0, timeouts = 0, crashes = 0;
    for (const StudentResult& s : rows) {
        if (!s.built) continue;
        ++built;
        if (s.run == StudentResult::Ended) ++ended;
        if (s.run == StudentResult::Timeout) ++timeouts;
        if (s.run == StudentResult::Crashed) ++crashes;
        if (hasScores(report, s) && s.picture.shape >= 80) ++matching;
    }

    std::string h =
        "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"gbk\">\n<title>画图作业检查 - " +
        htmlEscaped(report.folder) + "</title>\n<style>" + kStyle +
         (report.hasTarget ? targetStyle(report.target) : std::string()) + "</style>\n</head>\n<body>\n";
    h += "<h1>画图作业检查</h1>\n<p class=\"folder\">" + htmlEscaped(report.folder) + "</p>\n";

    h += "<p class=\"overview\">共 " + std::to_string(rows.size()) + " 个程序：" + std::to_string(built) +
         " 个编译成功，" + std::to_string(ended) + " 个运行结束";
    if (scoresShown(report)) h += "，" + std::to_string(matching) + " 个图形相符（80 分以上）";
    if (timeouts > 0) h += "，" + std::to_string(timeouts) + " 个没有结束（超时）";
    if (crashes > 0) h += "，" + std::to_string(crashes) + " 个程序崩溃";
    h += "。</p>\n";
    if (!report.hasTarget) {
        h += "<p class=\"note\">没有给出目标程序，所以没有图形分、颜色分和输出的比较；下面只列出编译和运行的结果。</p>\n";
    } else if (!report.target.built) {
        h += "<p class=\"note\">目标程序 " + htmlEscaped(report.targetFile) + " 编译失败";
        if (!report.target.buildHint.empty()) h += "（" + htmlEscaped(report.target.buildHint) + "）";
        h += "，所以没有图形分、颜色分和输出的比较。</p>\n";
    }

    if (report.hasTarget) {
        h += "<div class=\"target\"><h2>目标程序：" + htmlEscaped(report.targetFile) + "</h2>";
        h += report.target.thumbnailBmp.empty() ? "<p class=\"none\">没有图形</p>" : targetPicture(report.target);
        const std::vector<Flag> flags = flagsOf(report.target);
        if (!flags.empty()) h += "<p>" + flagsHtml(flags) + "</p>";
        h += "</div>\n";
    }

    h += "<table>\n<tr><th></th><th>程序</th><th>编译</th><th>图形（学生 / 目标）</th><th>图形分</th>"
         "<th>颜色分</th><th>输出</th><th>运行用时</th><th>说明</th></tr>\n";
    for (size_t i = 0; i < rows.size(); ++i) h += rowHtml(report, rows[i], i + 1);
    h += "</table>\n<p class=\"foot\">检查共用 " + tenths(report.totalSeconds) + " 秒。</p>\n</body>\n</html>\n";
    return h;
}

std::string reportCsv(const ClassReport& report) {
    std::string csv = "文件,编译,提示,运行,图形分,颜色分,输出,用时(秒),消息框\r\n";
    for (const StudentResult& s : sortedForReport(report.students)) {
        const bool ran = s.built && s.run != StudentResult::NotRun;
        const bool scored = hasScores(report, s);
        const std::string fields[] = {
            s.file,
            s.built ? "成功" : "失败",
            s.built ? std::string() : s.buildHint,
            s.built ? runWord(s.run) : "",
            scored ? std::to_string(s.picture.shape) : std::string(),
            scored ? std::to_string(s.picture.colour) : std::string(),
            scored ? outputWord(s.text) : "",
            ran ? tenths(s.runSeconds) : std::string(),
            ran ? std::to_string(s.boxes) : std::string(),
        };
        for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) {
            if (i > 0) csv += ',';
            csv += csvField(fields[i]);
        }
        csv += "\r\n";
    }
    return csv;
}

std::string base64(const std::string& bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = bytes.size() - i;
        uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (left > 1) group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (left > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[group >> 18];
        out += kDigits[(group >> 12) & 63];
        out += left > 1 ? kDigits[(group >> 6) & 63] : '=';
        out += left > 2 ? kDigits[group & 63] : '=';
    }
    return out;
}

// Byte by byte is safe in GBK: the second byte of a double-byte character is 0x40..0xFE, and
// & " ' < > are 0x26 0x22 0x27 0x3C 0x3E, all below 0x40, so each such byte is a character of
// its own and no second byte is ever changed.
std::string htmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

// The guard and the quoting look only at bytes below 0x40, which are never the second byte of
// a GBK character (see htmlEscaped).
std::string csvField(const std::string& text) {
    std::string field = text;
    if (!field.empty() && std::string("=+-@\t\r").find(field[0]) != std::string::npos) field.insert(0, 1, '\'');
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace qivcheck
