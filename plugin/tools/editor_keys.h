// The editor keeps its own commands' keys in the user's shortcuts.xml. Four of them take
// keys the plug-in's commands use (F11 full screen, F12 post-it, F8 other view, F1 About);
// freeing them means an entry with no key for each, under <InternalCommands>. Pure text
// work on the file's content: everything else in the file is kept byte for byte.
#ifndef QIV_EDITOR_KEYS_H
#define QIV_EDITOR_KEYS_H

#include <string>
#include <vector>

namespace qiv {

// The editor's command ids whose keys are freed.
const std::vector<int>& freedCommandIds();

struct KeysEdit {
    bool ok;                 // false: the text is not a shortcuts file; nothing changed
    std::string text;        // the new content
    std::string saved;       // the entries that were replaced, one per line (free only)
};

// Frees the four keys in `xml` (an empty text: a new file is made). Entries the user had
// for those commands are given back in `saved`, except entries that already free the key.
KeysEdit freeEditorKeys(const std::string& xml);

// Undoes freeEditorKeys: removes the entries that free the keys and puts `saved` back.
KeysEdit restoreEditorKeys(const std::string& xml, const std::string& saved);

}  // namespace qiv

#endif
