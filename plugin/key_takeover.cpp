#include "key_takeover.h"

#include "host_messages.h"

namespace {

// Virtual key codes of the function keys (VK_F1 is 0x70).
constexpr unsigned vkF1 = 0x70, vkF8 = 0x77, vkF11 = 0x7A, vkF12 = 0x7B;

const ContestedKey contested[] = {
    {vkF11, L"F11", IDM_VIEW_FULLSCREENTOGGLE, 0},   // "编译+运行Qiv"
    {vkF1, L"F1", IDM_ABOUT, 4},                     // "取颜色值"
    {vkF8, L"F8", IDM_VIEW_SWITCHTO_OTHER_VIEW, 7},  // "C++编译+运行"
    {vkF12, L"F12", IDM_VIEW_POSTIT, 9},             // "About"
};

}  // namespace

const ContestedKey *contestedKey(unsigned virtualKey, bool ctrl, bool alt, bool shift) {
    if (ctrl || alt || shift) return nullptr;
    for (const ContestedKey &key : contested)
        if (key.virtualKey == virtualKey) return &key;
    return nullptr;
}

bool menuTextBindsKey(const std::wstring &menuText, const wchar_t *keyName) {
    const size_t tab = menuText.rfind(L'\t');
    return tab != std::wstring::npos && menuText.compare(tab + 1, std::wstring::npos, keyName) == 0;
}
