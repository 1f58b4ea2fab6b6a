// The editor keeps its own commands' keys in the user's shortcuts.xml. Four of them take
// keys the plug-in's commands use (F11 full screen, F12 post-it, F8 other view, F1 About);
// freeing them means an entry with no key for each among the <Shortcut> children of
// <InternalCommands>. Pure text work on the file's content: the file is read as XML
// (comments, CDATA, both forms of elements), only entries of the four commands are
// touched, every other byte is kept, and the work is linear in the file's length.
//
// `saved` records what free changed: the changes themselves, the SHA-256 of the text free
// wrote, and the user's entries of the four commands. Restore on that very text undoes the
// changes byte for byte. On a text changed since (the editor rewrites the file when keys are
// edited in it), the user's entries take the place of the entries that free the keys, and a
// key the user gave one of the commands meanwhile is kept as it is.
#ifndef QIV_EDITOR_KEYS_H
#define QIV_EDITOR_KEYS_H

#include <string>
#include <vector>

namespace qiv {

// The editor's command ids whose keys are freed.
const std::vector<int>& freedCommandIds();

struct KeysEdit {
    bool ok;            // false: the text is not a well-formed shortcuts file; nothing changed
    std::string text;   // the new content
    std::string saved;  // free: what restore needs to undo it
};

// Frees the four keys in `xml` (an empty text: a new file is made).
KeysEdit freeEditorKeys(const std::string& xml);

// Undoes freeEditorKeys with its `saved` record. A record of an earlier version of this
// tool (the user's entries, one per line) and an empty one are understood too.
KeysEdit restoreEditorKeys(const std::string& xml, const std::string& saved);

}  // namespace qiv

#endif
