#include "editor_keys.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "hmac_sha256.h"
#include "xml_scan.h"

namespace qiv {

namespace {

const char* const kRecordHeader = "qiv-editorkeys 2\n";

const char* const kNewFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<NotepadPlus>\r\n    <InternalCommands>\r\n"
    "    </InternalCommands>\r\n    <Macros />\r\n    <UserDefinedCommands />\r\n    <PluginCommands />\r\n"
    "    <ScintillaKeys />\r\n</NotepadPlus>\r\n";

std::string freeingEntry(int id) {
    char text[96];
    std::snprintf(text, sizeof text, "<Shortcut id=\"%d\" Ctrl=\"no\" Alt=\"no\" Shift=\"no\" Key=\"0\" />", id);
    return text;
}

// The place of a command among the four, -1 for any other id.
int slotOf(int id) {
    const std::vector<int>& ids = freedCommandIds();
    for (size_t i = 0; i < ids.size(); ++i)
        if (ids[i] == id) return static_cast<int>(i);
    return -1;
}

const size_t kSlots = 4;

// Replaces [begin, end) of a text by `text`.
struct Change {
    size_t begin, end;
    std::string text;
};

// Applies changes that do not overlap in one pass, sorting them first; `starts` gets where
// each change's text lies in the result.
std::string applyChanges(const std::string& text, std::vector<Change>& changes, std::vector<size_t>* starts) {
    std::stable_sort(changes.begin(), changes.end(),
                     [](const Change& a, const Change& b) { return a.begin < b.begin; });
    std::string out;
    out.reserve(text.size() + 64 * changes.size());
    size_t at = 0;
    for (const Change& c : changes) {
        out.append(text, at, c.begin - at);
        if (starts) starts->push_back(out.size());
        out += c.text;
        at = c.end;
    }
    out.append(text, at, std::string::npos);
    return out;
}

std::string newlineOf(const std::string& xml) { return xml.find("\r\n") != std::string::npos ? "\r\n" : "\n"; }

bool isSpace(char c) { return c == ' ' || c == '\t'; }

// The blanks before `at` on its line when nothing else precedes it there; otherwise none.
std::string indentBefore(const std::string& text, size_t at) {
    size_t from = at;
    while (from > 0 && isSpace(text[from - 1])) --from;
    return from == 0 || text[from - 1] == '\n' ? text.substr(from, at - from) : std::string();
}

// An element's bytes, together with its indentation and line end when it is alone on its
// line: what removing it takes away.
Change removal(const std::string& text, const XmlElement& e) {
    size_t from = e.begin;
    while (from > 0 && isSpace(text[from - 1])) --from;
    size_t to = e.end;
    while (to < text.size() && isSpace(text[to])) ++to;
    const bool aloneBefore = from == 0 || text[from - 1] == '\n';
    if (to < text.size() && text[to] == '\r' && to + 1 < text.size() && text[to + 1] == '\n')
        to += 2;
    else if (to < text.size() && text[to] == '\n')
        ++to;
    else if (to < text.size())
        return {e.begin, e.end, ""};
    return aloneBefore ? Change{from, to, ""} : Change{e.begin, e.end, ""};
}

// A shortcuts file read: its elements, the root <NotepadPlus> and the first <InternalCommands>
// in it (the only one the editor reads), and the <Shortcut> children of that one that belong
// to the four commands.
struct Shortcuts {
    XmlDocument doc;
    int block = -1;
    struct Entry {
        int element;
        int slot;
    };
    std::vector<Entry> entries;
};

bool readShortcuts(const std::string& text, Shortcuts& s) {
    s.doc = readXml(text);
    if (!s.doc.ok) return false;
    const XmlElement& root = s.doc.elements[0];
    if (!elementIs(text, root, "NotepadPlus") || root.empty) return false;
    s.block = firstChildElement(text, s.doc, 0, "InternalCommands");
    if (s.block < 0) return true;
    for (int e = firstChildElement(text, s.doc, s.block, "Shortcut"); e >= 0;
         e = nextSiblingElement(text, s.doc, e, "Shortcut")) {
        const XmlAttribute* id = findAttribute(text, s.doc, s.doc.elements[e], "id");
        const int slot = id ? slotOf(xmlInteger(attributeValue(text, *id))) : -1;
        if (slot >= 0) s.entries.push_back({e, slot});
    }
    return true;
}

std::string elementText(const std::string& text, const XmlElement& e) { return text.substr(e.begin, e.end - e.begin); }

// An entry that gives its command no key.
bool freesItsKey(const std::string& text, const XmlDocument& doc, const XmlElement& e) {
    const XmlAttribute* key = findAttribute(text, doc, e, "Key");
    return key != nullptr && xmlInteger(attributeValue(text, *key)) == 0;
}

// The change that puts `lines` (elements) last in <InternalCommands>, indented as the
// editor writes them, making the block when there is none or opening <InternalCommands/>.
void appendToBlock(const std::string& text, const Shortcuts& s, const std::vector<std::string>& lines,
                   const std::string& newline, std::vector<Change>& changes) {
    if (lines.empty()) return;
    std::string body;
    for (const std::string& line : lines) body += "        " + line + newline;
    const std::string close = "    </InternalCommands>";
    if (s.block < 0) {
        const size_t at = s.doc.elements[0].startTagEnd;
        changes.push_back({at, at, newline + "    <InternalCommands>" + newline + body + close});
        return;
    }
    const XmlElement& b = s.doc.elements[s.block];
    if (b.empty) {
        size_t openEnd = b.startTagEnd - 2;  // before "/>"
        while (openEnd > b.nameEnd &&
               (isSpace(text[openEnd - 1]) || text[openEnd - 1] == '\r' || text[openEnd - 1] == '\n'))
            --openEnd;
        changes.push_back({b.begin, b.end, text.substr(b.begin, openEnd - b.begin) + ">" + newline + body + close});
        return;
    }
    size_t at = b.contentEnd;
    while (at > b.startTagEnd && isSpace(text[at - 1])) --at;
    if (text[at - 1] != '\n') body = newline + body;
    changes.push_back({at, at, body});
}

// The record of a free, and reading it back.
struct Record {
    bool exact = false;  // the hash and changes below are known
    std::string freedHash;
    struct Original {
        int slot;
        std::string element;
    };
    std::vector<Original> originals;  // the user's entries of the four commands, in file order
    struct Undo {
        size_t offset, length;  // in the freed text
        std::string original;   // what stood there before
    };
    std::vector<Undo> undo;
};

// One line "word n1 n2 ...", then the blob's bytes and a line end.
void appendBlob(std::string& out, const std::string& line, const std::string& blob) {
    out += line + " " + std::to_string(blob.size()) + "\n";
    out += blob;
    out += '\n';
}

std::string writeRecord(const Record& r) {
    std::string out = kRecordHeader;
    out += "freed " + r.freedHash + "\n";
    for (const Record::Original& o : r.originals)
        appendBlob(out, "entry " + std::to_string(freedCommandIds()[o.slot]), o.element);
    for (const Record::Undo& u : r.undo)
        appendBlob(out, "change " + std::to_string(u.offset) + " " + std::to_string(u.length), u.original);
    return out;
}

// Reads numbers after a word on one line ("change 12 3 40"); false when the line is other.
bool readLine(const std::string& saved, size_t& at, const char* word, unsigned long long* numbers, int count) {
    const size_t end = saved.find('\n', at);
    if (end == std::string::npos) return false;
    const std::string line = saved.substr(at, end - at);
    const std::string prefix = std::string(word) + " ";
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    const char* p = line.c_str() + prefix.size();
    for (int i = 0; i < count; ++i) {
        char* next;
        if (*p < '0' || *p > '9') return false;
        numbers[i] = std::strtoull(p, &next, 10);
        p = next;
        if (i + 1 < count && *p++ != ' ') return false;
    }
    if (*p != '\0') return false;
    at = end + 1;
    return true;
}

bool readBlob(const std::string& saved, size_t& at, unsigned long long size, std::string& blob) {
    if (size > saved.size() - at || at + size >= saved.size() || saved[at + size] != '\n') return false;
    blob = saved.substr(at, size);
    at += size + 1;
    return true;
}

// The user's entries in a record of the earlier version: <Shortcut> elements, one a line.
void readOldRecord(const std::string& saved, Record& r) {
    auto take = [&r](const std::string& text, const XmlDocument& doc, int e) {
        const XmlAttribute* id = findAttribute(text, doc, doc.elements[e], "id");
        const int slot = id ? slotOf(xmlInteger(attributeValue(text, *id))) : -1;
        if (slot >= 0 && elementIs(text, doc.elements[e], "Shortcut"))
            r.originals.push_back({slot, elementText(text, doc.elements[e])});
    };
    const std::string all = "<r>" + saved + "</r>";
    const XmlDocument doc = readXml(all);
    if (doc.ok) {
        for (int e = firstChildElement(all, doc, 0, nullptr); e >= 0; e = nextSiblingElement(all, doc, e, nullptr))
            take(all, doc, e);
        return;
    }
    for (size_t at = 0; at < saved.size();) {
        size_t end = saved.find('\n', at);
        if (end == std::string::npos) end = saved.size();
        const std::string line = saved.substr(at, end - at);
        const XmlDocument one = readXml(line);
        if (one.ok) take(line, one, 0);
        at = end + 1;
    }
}

Record readRecord(const std::string& saved) {
    Record r;
    if (saved.compare(0, std::string(kRecordHeader).size(), kRecordHeader) != 0) {
        readOldRecord(saved, r);
        return r;
    }
    size_t at = std::string(kRecordHeader).size();
    const size_t hashEnd = saved.find('\n', at);
    if (saved.compare(at, 6, "freed ") != 0 || hashEnd != at + 6 + 64) return r;
    r.freedHash = saved.substr(at + 6, 64);
    at = hashEnd + 1;
    unsigned long long n[3];
    std::string blob;
    while (at < saved.size()) {
        if (readLine(saved, at, "entry", n, 2) && readBlob(saved, at, n[1], blob)) {
            const int slot = slotOf(static_cast<int>(n[0]));
            if (slot < 0) return Record();
            r.originals.push_back({slot, blob});
        } else if (readLine(saved, at, "change", n, 3) && readBlob(saved, at, n[2], blob)) {
            r.undo.push_back({static_cast<size_t>(n[0]), static_cast<size_t>(n[1]), blob});
        } else {
            return Record();  // damaged: nothing of it is trusted
        }
    }
    r.exact = true;
    return r;
}

// Gives back the text a free started from; false when the changes do not fit the text.
bool undoChanges(const std::string& freed, const std::vector<Record::Undo>& undo, std::string& original) {
    original.clear();
    size_t at = 0;
    for (const Record::Undo& u : undo) {
        if (u.offset < at || u.offset > freed.size() || u.length > freed.size() - u.offset) return false;
        original.append(freed, at, u.offset - at);
        original += u.original;
        at = u.offset + u.length;
    }
    original.append(freed, at, std::string::npos);
    return true;
}

// Frees the keys of a file that is not blank; the record's changes point into the result.
KeysEdit freeFile(const std::string& text, Record& record) {
    KeysEdit edit{false, text, ""};
    Shortcuts s;
    if (!readShortcuts(text, s)) return edit;
    const std::string newline = newlineOf(text);
    std::vector<int> last(kSlots, -1);  // per command, its last entry: the one the editor applies
    for (const Shortcuts::Entry& entry : s.entries) {
        last[entry.slot] = entry.element;
        record.originals.push_back({entry.slot, elementText(text, s.doc.elements[entry.element])});
    }
    std::vector<Change> changes;
    std::vector<std::string> missing;
    for (const Shortcuts::Entry& entry : s.entries) {
        const XmlElement& e = s.doc.elements[entry.element];
        if (entry.element != last[entry.slot]) {
            changes.push_back(removal(text, e));
        } else {
            const std::string freeing = freeingEntry(freedCommandIds()[entry.slot]);
            if (text.compare(e.begin, e.end - e.begin, freeing) != 0) changes.push_back({e.begin, e.end, freeing});
        }
    }
    for (size_t slot = 0; slot < kSlots; ++slot)
        if (last[slot] < 0) missing.push_back(freeingEntry(freedCommandIds()[slot]));
    appendToBlock(text, s, missing, newline, changes);
    std::vector<size_t> starts;
    edit.text = applyChanges(text, changes, &starts);
    for (size_t i = 0; i < changes.size(); ++i)
        record.undo.push_back(
            {starts[i], changes[i].text.size(), text.substr(changes[i].begin, changes[i].end - changes[i].begin)});
    edit.ok = true;
    return edit;
}

}  // namespace

const std::vector<int>& freedCommandIds() {
    static const std::vector<int> ids = {44032, 44009, 44072, 47000};
    return ids;
}

KeysEdit freeEditorKeys(const std::string& original) {
    Record record;
    KeysEdit edit{false, original, ""};
    if (original.find_first_not_of(" \t\r\n") == std::string::npos) {
        // No file yet: the editor's own empty one, freed; undone, the blank text comes back.
        Record unused;
        edit = freeFile(kNewFile, unused);
        record.undo.push_back({0, edit.text.size(), original});
    } else {
        edit = freeFile(original, record);
        if (!edit.ok) return edit;
    }
    record.freedHash = toHex(sha256(edit.text));
    edit.saved = writeRecord(record);
    return edit;
}

KeysEdit restoreEditorKeys(const std::string& xml, const std::string& saved) {
    KeysEdit edit{false, xml, ""};
    const Record record = readRecord(saved);
    // The very text free wrote: its changes are undone byte for byte.
    std::string original;
    if (record.exact && toHex(sha256(xml)) == record.freedHash && undoChanges(xml, record.undo, original)) {
        edit.ok = true;
        edit.text = original;
        return edit;
    }
    // Changed since: per command, by what the file holds now.
    Shortcuts s;
    if (!readShortcuts(xml, s)) return edit;
    const std::string newline = newlineOf(xml);
    std::vector<std::vector<std::string>> originals(kSlots);
    for (const Record::Original& o : record.originals) originals[o.slot].push_back(o.element);
    std::vector<std::vector<int>> current(kSlots);
    for (const Shortcuts::Entry& entry : s.entries) current[entry.slot].push_back(entry.element);
    std::vector<Change> changes;
    std::vector<std::string> missing;
    for (size_t slot = 0; slot < kSlots; ++slot) {
        const std::vector<int>& now = current[slot];
        if (now.empty()) {
            // The entry that freed the key is gone: the user's entries go back last.
            missing.insert(missing.end(), originals[slot].begin(), originals[slot].end());
            continue;
        }
        bool allFree = true;
        for (int e : now) allFree = allFree && freesItsKey(xml, s.doc, s.doc.elements[e]);
        for (size_t i = 0; i < now.size(); ++i) {
            const XmlElement& e = s.doc.elements[now[i]];
            if (allFree && i + 1 == now.size() && !originals[slot].empty()) {
                // The user's entries take the place of the one that freed the key.
                const std::string indent = newline + indentBefore(xml, e.begin);
                std::string back;
                for (const std::string& element : originals[slot]) back += (back.empty() ? "" : indent) + element;
                changes.push_back({e.begin, e.end, back});
            } else if (freesItsKey(xml, s.doc, e)) {
                // A key the user set meanwhile stays; entries that free it go.
                changes.push_back(removal(xml, e));
            }
        }
    }
    appendToBlock(xml, s, missing, newline, changes);
    edit.text = applyChanges(xml, changes, nullptr);
    edit.ok = true;
    return edit;
}

}  // namespace qiv
