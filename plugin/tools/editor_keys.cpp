#include "editor_keys.h"

#include <cstdio>

namespace qiv {

namespace {

// One <Shortcut .../> element inside <InternalCommands>: where it starts and ends (past the
// "/>"), and its id (-1 when it has none).
struct Entry {
    size_t begin;
    size_t end;
    int id;
};

std::string freeingEntry(int id) {
    char text[96];
    std::snprintf(text, sizeof text, "<Shortcut id=\"%d\" Ctrl=\"no\" Alt=\"no\" Shift=\"no\" Key=\"0\" />", id);
    return text;
}

bool isFreed(int id) {
    for (int freed : freedCommandIds())
        if (freed == id) return true;
    return false;
}

// The value of attribute `name` in the element text, -1 when missing or not a number.
int numberAttribute(const std::string& element, const std::string& name) {
    for (size_t at = element.find(name); at != std::string::npos; at = element.find(name, at + 1)) {
        const char before = at > 0 ? element[at - 1] : ' ';
        if (before != ' ' && before != '\t' && before != '\r' && before != '\n') continue;
        size_t p = at + name.size();
        while (p < element.size() && (element[p] == ' ' || element[p] == '\t')) ++p;
        if (p >= element.size() || element[p] != '=') continue;
        ++p;
        while (p < element.size() && (element[p] == ' ' || element[p] == '\t')) ++p;
        if (p >= element.size() || (element[p] != '"' && element[p] != '\'')) continue;
        ++p;
        long value = 0;
        bool digits = false;
        while (p < element.size() && element[p] >= '0' && element[p] <= '9' && value < 100000000) {
            value = value * 10 + (element[p++] - '0');
            digits = true;
        }
        return digits ? static_cast<int>(value) : -1;
    }
    return -1;
}

// The body of <InternalCommands>...</InternalCommands>: [bodyBegin, bodyEnd). A self-closing
// <InternalCommands /> is opened into a pair first; a missing one is added after
// <NotepadPlus>. False when the text has no <NotepadPlus> element.
bool internalCommands(std::string& xml, const std::string& newline, size_t& bodyBegin, size_t& bodyEnd) {
    size_t open = xml.find("<InternalCommands");
    if (open != std::string::npos) {
        const size_t close = xml.find('>', open);
        if (close == std::string::npos) return false;
        if (xml[close - 1] == '/') {
            xml.replace(open, close + 1 - open, "<InternalCommands>" + newline + "    </InternalCommands>");
            bodyBegin = open + std::string("<InternalCommands>").size();
        } else {
            bodyBegin = close + 1;
        }
        bodyEnd = xml.find("</InternalCommands>", bodyBegin);
        return bodyEnd != std::string::npos;
    }
    const size_t root = xml.find("<NotepadPlus");
    if (root == std::string::npos) return false;
    const size_t rootEnd = xml.find('>', root);
    if (rootEnd == std::string::npos || xml[rootEnd - 1] == '/') return false;
    const std::string block = newline + "    <InternalCommands>" + newline + "    </InternalCommands>";
    xml.insert(rootEnd + 1, block);
    bodyBegin = rootEnd + 1 + newline.size() + std::string("    <InternalCommands>").size();
    bodyEnd = xml.find("</InternalCommands>", bodyBegin);
    return true;
}

std::vector<Entry> entries(const std::string& xml, size_t begin, size_t end) {
    std::vector<Entry> found;
    for (size_t at = xml.find("<Shortcut", begin); at != std::string::npos && at < end;
         at = xml.find("<Shortcut", at + 1)) {
        const size_t close = xml.find("/>", at);
        if (close == std::string::npos || close > end) break;
        found.push_back({at, close + 2, numberAttribute(xml.substr(at, close + 2 - at), "id")});
    }
    return found;
}

// Removes an element together with the blanks before it on its line and its line end.
void eraseLine(std::string& xml, const Entry& e) {
    size_t from = e.begin;
    while (from > 0 && (xml[from - 1] == ' ' || xml[from - 1] == '\t')) --from;
    size_t to = e.end;
    if (to < xml.size() && xml[to] == '\r') ++to;
    if (to < xml.size() && xml[to] == '\n') ++to;
    xml.erase(from, to - from);
}

std::string newlineOf(const std::string& xml) { return xml.find("\r\n") != std::string::npos ? "\r\n" : "\n"; }

// Inserts lines just before </InternalCommands>, indented like the editor writes them.
void insertBeforeClose(std::string& xml, size_t bodyEnd, const std::vector<std::string>& lines,
                       const std::string& newline) {
    size_t lineStart = bodyEnd;
    while (lineStart > 0 && (xml[lineStart - 1] == ' ' || xml[lineStart - 1] == '\t')) --lineStart;
    std::string block;
    for (const std::string& line : lines) block += "        " + line + newline;
    if (lineStart > 0 && xml[lineStart - 1] != '\n') block = newline + block;
    xml.insert(lineStart, block);
}

const char* const kNewFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<NotepadPlus>\r\n    <InternalCommands>\r\n"
    "    </InternalCommands>\r\n    <Macros />\r\n    <UserDefinedCommands />\r\n    <PluginCommands />\r\n"
    "    <ScintillaKeys />\r\n</NotepadPlus>\r\n";

}  // namespace

const std::vector<int>& freedCommandIds() {
    static const std::vector<int> ids = {44032, 44009, 44072, 47000};
    return ids;
}

KeysEdit freeEditorKeys(const std::string& original) {
    KeysEdit edit{false, original, ""};
    std::string xml = original.find_first_not_of(" \t\r\n") == std::string::npos ? kNewFile : original;
    const std::string newline = newlineOf(xml);
    size_t bodyBegin = 0, bodyEnd = 0;
    if (!internalCommands(xml, newline, bodyBegin, bodyEnd)) return edit;
    // Later entries first, so earlier positions stay valid.
    const std::vector<Entry> found = entries(xml, bodyBegin, bodyEnd);
    for (auto e = found.rbegin(); e != found.rend(); ++e) {
        if (!isFreed(e->id)) continue;
        const std::string element = xml.substr(e->begin, e->end - e->begin);
        if (element != freeingEntry(e->id)) edit.saved = element + "\n" + edit.saved;
        eraseLine(xml, *e);
    }
    bodyEnd = xml.find("</InternalCommands>", bodyBegin);
    std::vector<std::string> lines;
    for (int id : freedCommandIds()) lines.push_back(freeingEntry(id));
    insertBeforeClose(xml, bodyEnd, lines, newline);
    edit.ok = true;
    edit.text = xml;
    return edit;
}

KeysEdit restoreEditorKeys(const std::string& original, const std::string& saved) {
    KeysEdit edit{false, original, ""};
    std::string xml = original;
    const std::string newline = newlineOf(xml);
    size_t bodyBegin = 0, bodyEnd = 0;
    if (xml.find("<InternalCommands") == std::string::npos || !internalCommands(xml, newline, bodyBegin, bodyEnd))
        return edit;
    const std::vector<Entry> found = entries(xml, bodyBegin, bodyEnd);
    for (auto e = found.rbegin(); e != found.rend(); ++e)
        if (isFreed(e->id) && xml.compare(e->begin, e->end - e->begin, freeingEntry(e->id)) == 0) eraseLine(xml, *e);
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < saved.size()) {
        size_t next = saved.find('\n', at);
        if (next == std::string::npos) next = saved.size();
        std::string line = saved.substr(at, next - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // Only entries of the four commands go back: the saved file is not trusted further.
        if (line.compare(0, 9, "<Shortcut") == 0 && isFreed(numberAttribute(line, "id"))) lines.push_back(line);
        at = next + 1;
    }
    if (!lines.empty()) insertBeforeClose(xml, xml.find("</InternalCommands>", bodyBegin), lines, newline);
    edit.ok = true;
    edit.text = xml;
    return edit;
}

}  // namespace qiv
