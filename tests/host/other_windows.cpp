#include "other_windows.h"

namespace {

constexpr UINT answerTimeout = 1000;  // ms a window of another program may take to answer

BOOL CALLBACK collectEdit(HWND child, LPARAM list) {
    wchar_t className[32] = L"";
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, L"Edit") == 0) reinterpret_cast<std::vector<HWND> *>(list)->push_back(child);
    return TRUE;
}

std::wstring textOf(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, answerTimeout, &length))
        return std::wstring();
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, answerTimeout, &copied))
        return std::wstring();
    text.resize(copied < length ? copied : length);
    return text;
}

}  // namespace

HWND findWindowTitled(const std::wstring &title) {
    HWND window = FindWindowW(nullptr, title.c_str());
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

std::vector<std::wstring> editTexts(HWND window) {
    std::vector<HWND> edits;
    EnumChildWindows(window, collectEdit, reinterpret_cast<LPARAM>(&edits));
    std::vector<std::wstring> texts;
    for (HWND edit : edits) texts.push_back(textOf(edit));
    return texts;
}
