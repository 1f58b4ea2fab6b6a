#include "command_table.h"

#include <cwchar>

#include "commands.h"

FuncItem funcItem[commandCount];

namespace {

// The shortcut records the table points to; they live as long as the DLL.
ShortcutKey shortcutKeys[shortcutCount];

struct CommandRow {
    const wchar_t *text;
    PFUNCPLUGINCMD handler;
    unsigned char key;  // virtual-key code; 0: no shortcut
};

const CommandRow commandRows[commandCount] = {
    {L"编译+运行Qiv", compileAndRunQiv, VK_F11},
    {L"编译Qiv", compileQiv, VK_F9},
    {L"运行Qiv", runQiv, VK_F10},
    {L"新建Qiv程序", newQivFile, 0},
    {L"取颜色值", pickColour, VK_F1},
    {L"课本样例程序", openSampleFolder, 0},
    {L"帮助文件", openHelpFile, 0},
    {L"C++编译+运行", compileAndRunCpp, VK_F8},
    {L"C++新程序", newCppFile, 0},
    {L"About", showAbout, VK_F12},
    {L"编译信息窗口", showOutputPanel, 0},
};

}  // namespace

void fillCommandTable() {
    int nextKey = 0;
    for (int i = 0; i < commandCount; ++i) {
        const CommandRow &row = commandRows[i];
        FuncItem &item = funcItem[i];
        wcsncpy(item._itemName, row.text, menuItemSize - 1);
        item._itemName[menuItemSize - 1] = L'\0';
        item._pFunc = row.handler;
        item._init2Check = false;
        item._pShKey = nullptr;
        if (row.key != 0 && nextKey < shortcutCount) {
            ShortcutKey &key = shortcutKeys[nextKey++];
            key._isCtrl = false;
            key._isAlt = false;
            key._isShift = false;
            key._key = row.key;
            item._pShKey = &key;
        }
    }
}
