// Freeing the editor's keys in shortcuts.xml and giving them back.
#include <gtest/gtest.h>

#include "editor_keys.h"

using namespace qiv;

namespace {

const char* const kFreed[] = {
    "<Shortcut id=\"44032\" Ctrl=\"no\" Alt=\"no\" Shift=\"no\" Key=\"0\" />",
    "<Shortcut id=\"44009\" Ctrl=\"no\" Alt=\"no\" Shift=\"no\" Key=\"0\" />",
    "<Shortcut id=\"44072\" Ctrl=\"no\" Alt=\"no\" Shift=\"no\" Key=\"0\" />",
    "<Shortcut id=\"47000\" Ctrl=\"no\" Alt=\"no\" Shift=\"no\" Key=\"0\" />",
};

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

void expectAllFreedOnce(const std::string& text) {
    for (const char* entry : kFreed) EXPECT_EQ(count(text, entry), 1) << entry << "\n" << text;
}

// A user's file: other internal commands, a macro and an entry of their own for F11's
// command (full screen on Ctrl+F11), with CR LF line ends.
const std::string kUserFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<NotepadPlus>\r\n    <InternalCommands>\r\n"
    "        <Shortcut id=\"41001\" Ctrl=\"yes\" Alt=\"no\" Shift=\"no\" Key=\"78\" />\r\n"
    "        <Shortcut id=\"44032\" Ctrl=\"yes\" Alt=\"no\" Shift=\"no\" Key=\"122\" />\r\n"
    "    </InternalCommands>\r\n    <Macros>\r\n        <Macro name=\"Trim\" Ctrl=\"no\" Alt=\"yes\" Shift=\"yes\" "
    "Key=\"83\">\r\n            <Action type=\"2\" message=\"0\" wParam=\"42024\" lParam=\"0\" sParam=\"\" />\r\n"
    "        </Macro>\r\n    </Macros>\r\n</NotepadPlus>\r\n";

}  // namespace

TEST(EditorKeys, FreesTheFourKeysAndKeepsEverythingElse) {
    const KeysEdit edit = freeEditorKeys(kUserFile);
    ASSERT_TRUE(edit.ok);
    expectAllFreedOnce(edit.text);
    EXPECT_NE(edit.text.find("<Shortcut id=\"41001\" Ctrl=\"yes\" Alt=\"no\" Shift=\"no\" Key=\"78\" />"),
              std::string::npos);
    EXPECT_NE(edit.text.find("<Action type=\"2\" message=\"0\" wParam=\"42024\""), std::string::npos);
    EXPECT_EQ(count(edit.text, "Key=\"122\""), 0);  // the user's own F11 entry is replaced
    EXPECT_EQ(edit.saved, "<Shortcut id=\"44032\" Ctrl=\"yes\" Alt=\"no\" Shift=\"no\" Key=\"122\" />\n");
    EXPECT_EQ(count(edit.text, "\n"), count(edit.text, "\r\n"));  // the file's line ends kept

    // Freeing again changes nothing and saves nothing of its own.
    const KeysEdit again = freeEditorKeys(edit.text);
    EXPECT_EQ(again.text, edit.text);
    EXPECT_EQ(again.saved, "");

    // Restoring gives back the user's file exactly.
    const KeysEdit restored = restoreEditorKeys(edit.text, edit.saved);
    ASSERT_TRUE(restored.ok);
    EXPECT_EQ(restored.text, kUserFile);
}

TEST(EditorKeys, FilesOfOtherShapes) {
    struct Case {
        const char* name;
        std::string input;
    } cases[] = {
        {"no file", ""},
        {"self-closing block", "<NotepadPlus>\n    <InternalCommands />\n    <Macros />\n</NotepadPlus>\n"},
        {"no block", "<NotepadPlus>\n    <Macros />\n</NotepadPlus>\n"},
        {"one line", "<NotepadPlus><InternalCommands></InternalCommands></NotepadPlus>"},
        {"single quotes", "<NotepadPlus>\n<InternalCommands>\n<Shortcut id='47000' Key='112'/>\n</InternalCommands>\n"
                          "</NotepadPlus>\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const KeysEdit edit = freeEditorKeys(c.input);
        ASSERT_TRUE(edit.ok);
        expectAllFreedOnce(edit.text);
        EXPECT_EQ(count(edit.text, "<InternalCommands>"), 1);
        EXPECT_NE(edit.text.find("</NotepadPlus>"), std::string::npos);
        const KeysEdit restored = restoreEditorKeys(edit.text, edit.saved);
        ASSERT_TRUE(restored.ok);
        for (const char* entry : kFreed) EXPECT_EQ(count(restored.text, entry), 0);
    }
    // The single-quoted user entry is saved and comes back.
    const KeysEdit quoted = freeEditorKeys(cases[4].input);
    EXPECT_EQ(quoted.saved, "<Shortcut id='47000' Key='112'/>\n");
    EXPECT_EQ(restoreEditorKeys(quoted.text, quoted.saved).text.find("<Shortcut id='47000' Key='112'/>") !=
                  std::string::npos,
              true);
}

TEST(EditorKeys, RefusesWhatIsNotAShortcutsFileAndTrustsOnlyTheFourCommands) {
    for (const char* text : {"hello", "<config><InternalCommands></config>", "<NotepadPlus/>"}) {
        const KeysEdit edit = freeEditorKeys(text);
        EXPECT_FALSE(edit.ok) << text;
        EXPECT_EQ(edit.text, text);
    }
    // A saved file holding anything but entries of the four commands puts back nothing else.
    const KeysEdit edit = freeEditorKeys(kUserFile);
    const KeysEdit restored = restoreEditorKeys(edit.text, "<Shortcut id=\"41001\" Key=\"1\" />\n<Macro />\n");
    EXPECT_EQ(count(restored.text, "id=\"41001\""), 1);
    EXPECT_EQ(restored.text.find("<Macro />"), std::string::npos);
}
