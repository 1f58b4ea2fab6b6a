/* Watches a drawing program for scripts/run.sh from the same Wine session:
 *   qiv_watch.exe [-input LINE]... [-timeout SECONDS] [-status FILE]
 * finds the program's main window (class "Qiv"), waits for the run to start, types each LINE
 * into its input line and presses Enter (a line typed before cin asks is kept for it, so it
 * need not wait for the question), then waits until the output pane shows the end banner of the run.
 * Exit 0: the run ended; 3: it had not ended after SECONDS (default 60); 4: no window.
 * Windows are found only on the watcher's own desktop, so on Wine's virtual desktop the
 * watcher is started on that desktop too, where its exit code is not seen: -status writes
 * the code into FILE as well (written under another name and renamed, so a reader never
 * sees half of it). */
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#define ID_INPUT 103
#define ID_OUTPUT 104

static HWND g_found[2];

static BOOL CALLBACK findChild(HWND hwnd, LPARAM unused) {
    char cls[16];
    (void)unused;
    if (GetClassNameA(hwnd, cls, sizeof cls) == 0 || lstrcmpiA(cls, "edit") != 0) return TRUE;
    if (GetDlgCtrlID(hwnd) == ID_INPUT) g_found[0] = hwnd;
    if (GetDlgCtrlID(hwnd) == ID_OUTPUT) g_found[1] = hwnd;
    return TRUE;
}

static char* textOf(HWND hwnd) {
    const int n = (int)SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    char* s = (char*)calloc((size_t)n + 2, 1);
    if (s != NULL) SendMessageA(hwnd, WM_GETTEXT, (WPARAM)n + 1, (LPARAM)s);
    return s;
}

static const char* g_statusFile;

static int finish(int code) {
    if (g_statusFile != NULL) {
        char part[MAX_PATH + 8];
        HANDLE file;
        char digit[2];
        DWORD written;
        wsprintfA(part, "%s.part", g_statusFile);
        file = CreateFileA(part, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            digit[0] = (char)('0' + code);
            digit[1] = '\n';
            WriteFile(file, digit, 2, &written, NULL);
            CloseHandle(file);
            MoveFileExA(part, g_statusFile, MOVEFILE_REPLACE_EXISTING);
        }
    }
    return code;
}

int main(int argc, char** argv) {
    /* "==== 运行结束" in GBK, the banner the runtime writes when a run ends. */
    static const char kEnded[] = "==== \xd4\xcb\xd0\xd0\xbd\xe1\xca\xf8";
    /* "==== 运行中", the banner of a run's start. */
    static const char kStarted[] = "==== \xd4\xcb\xd0\xd0\xd6\xd0";
    double timeout = 60;
    HWND main = NULL;
    DWORD start, limit;
    int i;
    for (i = 1; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "-timeout") == 0) timeout = atof(argv[i + 1]);
        if (strcmp(argv[i], "-status") == 0 && strlen(argv[i + 1]) < MAX_PATH) g_statusFile = argv[i + 1];
    }
    limit = (DWORD)(timeout * 1000);
    start = GetTickCount();
    while (GetTickCount() - start < limit) {
        main = FindWindowA("Qiv", NULL);
        if (main != NULL) {
            EnumChildWindows(main, findChild, 0);
            if (g_found[0] != NULL && g_found[1] != NULL) break;
        }
        Sleep(100);
    }
    if (g_found[0] == NULL || g_found[1] == NULL) return finish(4);
    /* The start of a run empties the input line: typing waits for the run's start banner,
       so a line typed in that moment is not wiped out. */
    while (GetTickCount() - start < limit) {
        char* pane = textOf(g_found[1]);
        const int started = pane != NULL && strstr(pane, kStarted) != NULL;
        free(pane);
        if (started) break;
        Sleep(50);
    }
    for (i = 1; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "-input") != 0) continue;
        SendMessageA(g_found[0], WM_SETTEXT, 0, (LPARAM)argv[i + 1]);
        /* An Enter before the run has started is refused and leaves the text in the box:
           press it again until the box is empty, which means the line was taken. */
        while (GetTickCount() - start < limit) {
            char* left;
            int taken;
            SendMessageA(g_found[0], WM_KEYDOWN, VK_RETURN, 1);
            Sleep(200);
            left = textOf(g_found[0]);
            taken = left != NULL && left[0] == 0;
            free(left);
            if (taken) break;
        }
    }
    while (GetTickCount() - start < limit) {
        char* pane = textOf(g_found[1]);
        const int ended = pane != NULL && strstr(pane, kEnded) != NULL;
        free(pane);
        if (ended) return finish(0);
        Sleep(100);
    }
    return finish(3);
}
