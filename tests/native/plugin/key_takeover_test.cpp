// Which key presses the plug-in takes over from the editor, and when the editor's menu says
// its own command still holds the key.
#include "key_takeover.h"

#include <gtest/gtest.h>

#include "host_messages.h"

namespace {

TEST(KeyTakeover, TheFourContestedKeysWithoutModifiers) {
    struct Row { unsigned vk; int editorCommand; int pluginCommand; };
    const Row rows[] = {{0x7A, IDM_VIEW_FULLSCREENTOGGLE, 0}, {0x70, IDM_ABOUT, 4},
                        {0x77, IDM_VIEW_SWITCHTO_OTHER_VIEW, 7}, {0x7B, IDM_VIEW_POSTIT, 9}};
    for (const Row &row : rows) {
        const ContestedKey *key = contestedKey(row.vk, false, false, false);
        ASSERT_NE(nullptr, key) << row.vk;
        EXPECT_EQ(row.editorCommand, key->editorCommand) << row.vk;
        EXPECT_EQ(row.pluginCommand, key->pluginCommand) << row.vk;
        // With any modifier the key is someone else's.
        EXPECT_EQ(nullptr, contestedKey(row.vk, true, false, false)) << row.vk;
        EXPECT_EQ(nullptr, contestedKey(row.vk, false, true, false)) << row.vk;
        EXPECT_EQ(nullptr, contestedKey(row.vk, false, false, true)) << row.vk;
    }
    // F9 and F10 are free in the editor; letters are never taken.
    EXPECT_EQ(nullptr, contestedKey(0x78, false, false, false));
    EXPECT_EQ(nullptr, contestedKey(0x79, false, false, false));
    EXPECT_EQ(nullptr, contestedKey('A', false, false, false));
}

TEST(KeyTakeover, MenuTextShowsTheBinding) {
    EXPECT_TRUE(menuTextBindsKey(L"Toggle Full Screen Mode\tF11", L"F11"));
    EXPECT_TRUE(menuTextBindsKey(L"关于 Notepad++\tF1", L"F1"));
    EXPECT_FALSE(menuTextBindsKey(L"Toggle Full Screen Mode", L"F11"));       // freed (Key="0")
    EXPECT_FALSE(menuTextBindsKey(L"Toggle Full Screen Mode\tCtrl+F11", L"F11"));
    EXPECT_FALSE(menuTextBindsKey(L"About\tF12", L"F1"));                     // another key
    EXPECT_FALSE(menuTextBindsKey(L"About\tF1", L"F11"));
    EXPECT_FALSE(menuTextBindsKey(L"", L"F11"));
}

}  // namespace
