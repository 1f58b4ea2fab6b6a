#include "dialog_watcher.h"

#include <colordlg.h>

#include "text_codec.h"

namespace {

struct Watch {
    DialogAnswer answer;
    bool setColour;
    COLORREF colour;
    DWORD timeoutMs;
};

Watch watch;
HANDLE thread = nullptr;
std::string outcome;  // written by the watcher thread before it ends

BOOL CALLBACK findDialog(HWND hwnd, LPARAM found)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[32] = L"";
    GetClassNameW(hwnd, cls, 32);
    if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && lstrcmpW(cls, L"#32770") == 0) {
        *(HWND *)found = hwnd;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI watcherMain(void *)
{
    DWORD start = GetTickCount();
    HWND dialog = nullptr;
    while (!dialog && GetTickCount() - start < watch.timeoutMs) {
        Sleep(50);
        EnumWindows(findDialog, (LPARAM)&dialog);
    }
    if (!dialog) {
        outcome = "none";
        return 0;
    }
    Sleep(150);  // let the dialog finish its initialisation
    wchar_t title[256] = L"";
    GetWindowTextW(dialog, title, 256);
    if (watch.setColour) {
        // Each field's change notification updates the dialog's current colour.
        SetDlgItemInt(dialog, COLOR_RED, GetRValue(watch.colour), FALSE);
        SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(watch.colour), FALSE);
        SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(watch.colour), FALSE);
    }
    int button = watch.answer == DialogAnswer::Ok ? IDOK : IDCANCEL;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, button));
    outcome = std::string(button == IDOK ? "ok" : "cancelled") + " \"" + toUtf8(title) + "\"";
    return 0;
}

}  // namespace

bool armDialogWatcher(DialogAnswer answer, bool setColour, COLORREF colour, DWORD timeoutMs)
{
    if (thread) {
        if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0)
            return false;
        CloseHandle(thread);
    }
    watch = Watch{answer, setColour, colour, timeoutMs};
    outcome.clear();
    thread = CreateThread(nullptr, 0, watcherMain, nullptr, 0, nullptr);
    return thread != nullptr;
}

bool dialogWatcherFinished(std::string &result)
{
    if (!thread || WaitForSingleObject(thread, 0) != WAIT_OBJECT_0)
        return false;
    result = outcome;
    return true;
}
