// The corpus of beginners' mistakes, judged: every program of corpus.tsv has the compiler's
// report of its one mistake (a folder of <program>.txt, as the plug-in's pipe receives it),
// which is cut as the build driver keeps it and translated by the plug-in's own code. The
// hint is then held against what the table says a good hint does:
//   right problem  the hint holds every fragment of the program's category (categories.tsv)
//                  and the fragments the table adds for the program;
//   right line     the caret goes to the mistake's line (0: the caret must not move);
//   right column   where the table names a column, the caret goes there too;
// and it must never move the caret to a line of another file, show a '?' standing for a
// token, show a header without any text, or be longer than one panel line.
//   hint_corpus [-v] <corpus folder> <outputs folder>
// Prints the shares and the programs that miss; exits 1 below the targets.
#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "build_command_lines.h"
#include "message_translation.h"

namespace {

constexpr std::size_t kCapturedLimit = 1090;  // what the build driver keeps of a step's output
constexpr double kProblemTarget = 0.85;
constexpr double kLineTarget = 0.95;

struct Entry {
    std::string name;
    std::vector<int> lines;  // any of them is right; {0}: no caret move
    int column = 0;          // 0: not judged
    std::string category;
    std::string alsoNames;
};

bool readFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    content = bytes.str();
    return true;
}

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(separator, from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            return parts;
        from = at + separator.size();
    }
}

std::string convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string();
    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outAt = &out[0];
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1)) {
            // A byte that is not text (a cut character): shown as it is, skipped.
            *outAt++ = '?';
            --outLeft;
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// Every fragment of `required` (" + " between fragments, " | " between alternatives) is in
// `hint`; an empty requirement holds.
bool namesAll(const std::string& hint, const std::string& required) {
    if (required.empty())
        return true;
    for (const std::string& fragment : split(required, " + ")) {
        bool any = false;
        for (const std::string& alternative : split(fragment, " | "))
            any = any || hint.find(alternative) != std::string::npos;
        if (!any)
            return false;
    }
    return true;
}

std::vector<std::vector<std::string>> readTable(const std::string& path) {
    std::vector<std::vector<std::string>> rows;
    std::string content;
    if (!readFile(path, content))
        return rows;
    std::istringstream lines(content);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        rows.push_back(split(line, "\t"));
    }
    return rows;
}

// What the hint says after the position header (all of it when there is no header).
std::string textAfterHeader(const std::string& utf8Hint) {
    static const std::string headerEnd = "列附近有错误:";
    const std::size_t at = utf8Hint.find(headerEnd);
    std::string rest = at == std::string::npos ? utf8Hint : utf8Hint.substr(at + headerEnd.size());
    rest.erase(0, rest.find_first_not_of(" \r\n"));
    return rest;
}

// The positions the report names in files other than the student's, and in the student's.
struct Locations {
    std::vector<std::pair<int, int>> student, other;
};

Locations locationsIn(const std::string& output, const std::string& studentFile) {
    Locations found;
    static const std::regex location(R"(([^\r\n]*?):(\d+):(\d+): )");
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (!std::regex_search(line, m, location))
            continue;
        std::string path = m[1];
        const std::size_t slash = path.find_last_of("\\/");
        const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
        const std::pair<int, int> at(std::stoi(m[2]), std::stoi(m[3]));
        (file == studentFile ? found.student : found.other).push_back(at);
    }
    return found;
}

double share(int part, int whole) { return whole == 0 ? 0.0 : static_cast<double>(part) / whole; }

}  // namespace

int main(int argc, char** argv) {
    bool verbose = false;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "-v")
            verbose = true;
        else
            args.push_back(argv[i]);
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: hint_corpus [-v] <corpus folder> <outputs folder>\n");
        return 2;
    }
    const std::string corpus = args[0];
    const std::string outputs = args[1];

    std::map<std::string, std::string> categories;
    for (const auto& row : readTable(corpus + "/categories.tsv"))
        if (row.size() >= 2)
            categories[row[0]] = row[1];

    std::vector<Entry> entries;
    for (const auto& row : readTable(corpus + "/corpus.tsv")) {
        if (row.size() < 4) {
            std::fprintf(stderr, "corpus.tsv: a row with fewer than four fields: %s\n", row[0].c_str());
            return 2;
        }
        Entry entry;
        entry.name = row[0];
        for (const std::string& line : split(row[1], "|"))
            entry.lines.push_back(std::stoi(line));
        entry.column = row[2] == "-" ? 0 : std::stoi(row[2]);
        entry.category = row[3];
        entry.alsoNames = row.size() > 4 ? row[4] : "";
        if (categories.find(entry.category) == categories.end()) {
            std::fprintf(stderr, "corpus.tsv: %s: unknown category %s\n", entry.name.c_str(), entry.category.c_str());
            return 2;
        }
        entries.push_back(entry);
    }
    if (entries.empty()) {
        std::fprintf(stderr, "hint_corpus: no programs in %s/corpus.tsv\n", corpus.c_str());
        return 2;
    }

    int problem = 0, line = 0, column = 0, columnJudged = 0;
    int foreign = 0, questionMark = 0, bare = 0, tooLong = 0, missing = 0;
    for (const Entry& entry : entries) {
        std::string output, source;
        if (!readFile(outputs + "/" + entry.name + ".txt", output) ||
            !readFile(corpus + "/corpus/" + entry.name + ".cpp", source)) {
            std::printf("MISSING  %s: no program or no stored output\n", entry.name.c_str());
            ++missing;
            continue;
        }
        // What the build driver keeps of the report, and the file as the student saved it.
        if (output.size() > kCapturedLimit)
            output = withoutCutCharacter(output.substr(0, kCapturedLimit));
        const std::string gbkSource = convert(source, "GBK", "UTF-8");
        const int sourceLines = static_cast<int>(std::count(gbkSource.begin(), gbkSource.end(), '\n')) + 1;

        const std::string fileName = entry.name + ".cpp";
#ifdef QIV_HINTS_WITHOUT_SOURCE  // the translation before it read the student's file
        const MessageHint hint = composeFirstMessageHint(output.data(), output.size());
        const std::string suggestion, gbkSuggestion;
#else
        const MessageHint hint =
            composeFirstMessageHint(output.data(), output.size(), StudentFile{fileName, gbkSource});
        const std::string gbkSuggestion = hint.suggestion;
        const std::string suggestion = convert(gbkSuggestion, "UTF-8", "GBK");
#endif
        const std::string text = convert(hint.text, "UTF-8", "GBK");
        const int caretLine = hint.found ? hint.line : 0;

        std::vector<std::string> faults;
        // The second line, GCC's suggestion, counts as part of what the hint says.
        const std::string said = textAfterHeader(text) + (suggestion.empty() ? "" : " " + suggestion);
        const bool rightProblem = hint.found && !said.empty() &&
                                  namesAll(said, categories[entry.category]) && namesAll(said, entry.alsoNames);
        const bool rightLine =
            std::find(entry.lines.begin(), entry.lines.end(), caretLine) != entry.lines.end();
        problem += rightProblem;
        line += rightLine;
        if (!rightProblem)
            faults.push_back("problem");
        if (!rightLine)
            faults.push_back("line " + std::to_string(caretLine));
        if (entry.column > 0) {
            ++columnJudged;
            const bool rightColumn = rightLine && hint.column == entry.column;
            column += rightColumn;
            if (!rightColumn)
                faults.push_back("column " + std::to_string(hint.column));
        }
        if (caretLine > 0) {
            const Locations at = locationsIn(output, fileName);
            const std::pair<int, int> caret(caretLine, hint.column);
            const bool fromOther = std::find(at.other.begin(), at.other.end(), caret) != at.other.end() &&
                                   std::find(at.student.begin(), at.student.end(), caret) == at.student.end();
            if (caretLine > sourceLines || fromOther) {
                ++foreign;
                faults.push_back("CARET IN ANOTHER FILE");
            }
        }
        if (hint.text.find('?') != std::string::npos) {
            ++questionMark;
            faults.push_back("'?'");
        }
        if (hint.found && textAfterHeader(text).empty()) {
            ++bare;
            faults.push_back("HEADER ALONE");
        }
        if (hint.text.size() > kHintLineSize - 1 || gbkSuggestion.size() > kHintLineSize - 1) {
            ++tooLong;
            faults.push_back("TOO LONG");
        }
        if (verbose || !faults.empty()) {
            std::string list;
            for (const std::string& fault : faults)
                list += (list.empty() ? "" : ", ") + fault;
            std::printf("%-8s %-26s [%s] line %d col %d: %s\n", faults.empty() ? "ok" : "MISS",
                        entry.name.c_str(), list.c_str(), caretLine, hint.column,
                        hint.found ? (text + (suggestion.empty() ? "" : " / " + suggestion)).c_str() : "(no hint)");
        }
    }

    const int total = static_cast<int>(entries.size());
    std::printf("\n%d programs\n", total);
    std::printf("right problem %3d/%d  %5.1f %%  (target %.0f %%)\n", problem, total,
                100 * share(problem, total), 100 * kProblemTarget);
    std::printf("right line    %3d/%d  %5.1f %%  (target %.0f %%)\n", line, total, 100 * share(line, total),
                100 * kLineTarget);
    std::printf("right column  %3d/%d  %5.1f %%  (of the programs whose column counts)\n", column,
                columnJudged, 100 * share(column, columnJudged));
    std::printf("caret in another file %d, literal '?' %d, header alone %d, too long %d, missing %d\n",
                foreign, questionMark, bare, tooLong, missing);

    const bool met = share(problem, total) >= kProblemTarget && share(line, total) >= kLineTarget &&
                     foreign == 0 && questionMark == 0 && bare == 0 && tooLong == 0 && missing == 0;
    std::printf("%s\n", met ? "targets met" : "TARGETS NOT MET");
    return met ? 0 : 1;
}
