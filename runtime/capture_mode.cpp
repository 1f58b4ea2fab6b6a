// Capture mode: a class-checking tool runs a program with QIV_CAPTURE_DIR set and compares
// what it leaves in that folder. Nobody sits at such a window, so the run differs from a
// normal one only where a person would be needed:
//  - the window is never shown and no hot key is registered; the settings file is neither
//    read nor written (every capture has the compiled-in layout, so the same canvas size);
//  - the run draws into a memory bitmap of the canvas's size (a hidden window's device
//    context draws nowhere) and starts without waiting for a paint that never comes;
//  - cin, getline and _editin take the lines of the file QIV_CAPTURE_INPUT, then empty lines;
//  - message boxes are answered with their default button and noted in the output;
//  - the run is stopped as the Stop button stops it after QIV_CAPTURE_SECONDS (10 by
//    default).
// When the run ends, times out or crashes, canvas.bmp, output.txt and then result.txt are
// written (each replaced whole, so a present result.txt means the other two are complete),
// and the process exits: code 0, or 3 after a crash. The rules and texts are in
// core/capture_rules.
#include "runtime_internal.h"

#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/bmp_layout.h"
#include "core/capture_rules.h"
#include "file_replace.h"

namespace {

// How often the UI thread looks for message boxes, the run's end and its time limit.
const UINT kTickMs = 50;
// After the limit, the UI thread gets this long to stop the run and write the files; then
// a thread of its own writes them, so a captured program never hangs the checking tool.
const DWORD kBackstopMs = 10000;
// How long a crashing thread waits for the UI thread to write the files.
const UINT kCrashAnswerMs = 3000;
// A box still open this long after its answer is answered again (not counted again).
const DWORD kAnswerAgainMs = 1000;
// Sent by a crashing thread to the capture's message window: write the files of a crash.
const UINT kCrashMessage = WM_APP + 0x70;

struct Settings {
    bool on;
    string dir;
    string inputFile;
    double seconds;
};

string environmentText(const char* name, bool* present) {
    const DWORD size = GetEnvironmentVariableA(name, NULL, 0);
    *present = size > 0;
    if (size == 0) return string();
    std::vector<char> text(size + 1, '\0');
    GetEnvironmentVariableA(name, text.data(), size + 1);
    return string(text.data());
}

// Read once, at the first question (WinMain's first steps, before any thread is started).
const Settings& settings() {
    static Settings s;
    static bool read = false;
    if (!read) {
        bool present = false;
        s.dir = environmentText("QIV_CAPTURE_DIR", &present);
        s.on = !s.dir.empty();
        s.inputFile = environmentText("QIV_CAPTURE_INPUT", &present);
        const string seconds = environmentText("QIV_CAPTURE_SECONDS", &present);
        s.seconds = qiv::captureSeconds(present ? seconds.c_str() : NULL);
        read = true;
    }
    return s;
}

// The run's canvas and the record of the run.
HDC g_canvasDC = NULL;
HBITMAP g_canvasBitmap = NULL;
std::vector<string> g_inputLines;
size_t g_nextInput = 0;                 // worker only, once the run has started
std::vector<string> g_boxLines;         // UI thread (timer) only
int g_boxes = 0;
struct AnsweredBox {
    HWND box;
    DWORD at;
};
std::vector<AnsweredBox> g_answered;
DWORD g_startTick = 0;
bool g_started = false;
volatile LONG g_finished = 0;  // set once by whoever writes the files
DWORD g_uiThread = 0;
HWND g_messageWindow = NULL;

string fileIn(const char* name) { return qiv::captureFilePath(settings().dir, name); }

bool writeWhole(const string& path, const string& bytes) {
    const TbyteBlock block = {bytes.data(), static_cast<DWORD>(bytes.size())};
    return _replaceFile(path, &block, 1);
}

// The canvas as a 24-bit BMP file: the bitmap is copied into a bottom-up 24-bit DIB
// section, whose rows are then exactly the file's pixel rows.
bool writeCanvas(const string& path) {
    BITMAP info;
    if (g_canvasDC == NULL || GetObjectA(g_canvasBitmap, sizeof info, &info) == 0) return false;
    qiv::BmpLayout layout;
    if (!qiv::bmpLayout(info.bmWidth, info.bmHeight, 24, &layout)) return false;
    BITMAPINFO dibInfo;
    ZeroMemory(&dibInfo, sizeof dibInfo);
    dibInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    dibInfo.bmiHeader.biWidth = layout.width;
    dibInfo.bmiHeader.biHeight = layout.height;
    dibInfo.bmiHeader.biPlanes = 1;
    dibInfo.bmiHeader.biBitCount = 24;
    dibInfo.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(NULL, &dibInfo, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC copy = dib != NULL ? CreateCompatibleDC(g_canvasDC) : NULL;
    bool ok = false;
    if (copy != NULL) {
        const HGDIOBJ previous = SelectObject(copy, dib);
        ok = BitBlt(copy, 0, 0, layout.width, layout.height, g_canvasDC, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        if (ok) {
            const std::array<uint8_t, qiv::kBmpFileHeaderSize> fileHeader = qiv::bmpFileHeader(layout);
            const std::array<uint8_t, qiv::kBmpInfoHeaderSize> infoHeader = qiv::bmpInfoHeader(layout);
            const TbyteBlock parts[3] = {{fileHeader.data(), static_cast<DWORD>(fileHeader.size())},
                                         {infoHeader.data(), static_cast<DWORD>(infoHeader.size())},
                                         {bits, layout.imageSize}};
            ok = _replaceFile(path, parts, 3);
        }
        SelectObject(copy, previous);
        DeleteDC(copy);
    }
    if (dib != NULL) DeleteObject(dib);
    return ok;
}

// Whoever first claims the capture's end writes the files; a later claim fails.
bool claim() { return InterlockedCompareExchange(&g_finished, 1, 0) == 0; }

// Writes the three files, result.txt last, and ends the process.
void writeAndExit(qiv::CaptureStatus status) {
    const unsigned long ms = g_started ? GetTickCount() - g_startTick : 0;
    string output = _outputPaneText();
    for (size_t i = 0; i < g_boxLines.size(); ++i) output += g_boxLines[i];
    writeCanvas(fileIn("canvas.bmp"));
    writeWhole(fileIn("output.txt"), output);
    writeWhole(fileIn("result.txt"), qiv::captureResultText(status, ms, g_boxes));
    ExitProcess(static_cast<UINT>(qiv::captureExitCode(status)));
}

// Returns (false) only when the end was claimed before.
bool finish(qiv::CaptureStatus status) {
    if (!claim()) return false;
    writeAndExit(status);
    return true;
}

// --- message boxes -----------------------------------------------------------------------

BOOL CALLBACK collectBox(HWND window, LPARAM list) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {0};
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        GetClassNameA(window, className, sizeof className) > 0 && strcmp(className, "#32770") == 0)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return string(text.data());
}

// A box's text: its first static label that holds any (the message of a message box).
string boxText(HWND box) {
    for (HWND label = FindWindowExA(box, NULL, "Static", NULL); label != NULL;
         label = FindWindowExA(box, label, "Static", NULL)) {
        const string text = windowText(label);
        if (!text.empty()) return text;
    }
    return string();
}

// A button of the box that can be pressed: it exists, shows and is enabled.
HWND pressable(HWND box, int id) {
    HWND button = id != 0 ? GetDlgItem(box, id) : NULL;
    return button != NULL && IsWindowVisible(button) && IsWindowEnabled(button) ? button : NULL;
}

BOOL CALLBACK findDefaultButton(HWND child, LPARAM found) {
    char className[16] = {0};
    GetClassNameA(child, className, sizeof className);
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    if (lstrcmpiA(className, "Button") == 0 && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && IsWindowVisible(child) &&
        IsWindowEnabled(child)) {
        *reinterpret_cast<int*>(found) = GetDlgCtrlID(child);
        return FALSE;
    }
    return TRUE;
}

// The box's default button: the one the dialog names (DM_GETDEFID), else the push button
// drawn as the default (message boxes may only mark it so), else OK, else Cancel; 0: none.
int defaultButton(HWND box) {
    DWORD_PTR defId = 0;
    if (SendMessageTimeoutA(box, DM_GETDEFID, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, 200, &defId) &&
        HIWORD(defId) == DC_HASDEFID && pressable(box, LOWORD(defId)) != NULL)
        return LOWORD(defId);
    int marked = 0;
    EnumChildWindows(box, findDefaultButton, reinterpret_cast<LPARAM>(&marked));
    if (pressable(box, marked) != NULL) return marked;
    if (pressable(box, IDOK) != NULL) return IDOK;
    if (pressable(box, IDCANCEL) != NULL) return IDCANCEL;
    return 0;
}

// Presses the box's default button; a box without one is closed.
void answer(HWND box) {
    const int id = defaultButton(box);
    if (id != 0)
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    else
        PostMessageA(box, WM_CLOSE, 0, 0);
}

void answerBoxes() {
    for (size_t i = g_answered.size(); i-- > 0;)
        if (!IsWindow(g_answered[i].box)) g_answered.erase(g_answered.begin() + static_cast<std::ptrdiff_t>(i));
    std::vector<HWND> boxes;
    EnumWindows(collectBox, reinterpret_cast<LPARAM>(&boxes));
    const DWORD now = GetTickCount();
    for (size_t i = 0; i < boxes.size(); ++i) {
        AnsweredBox* seen = NULL;
        for (size_t j = 0; j < g_answered.size(); ++j)
            if (g_answered[j].box == boxes[i]) seen = &g_answered[j];
        if (seen == NULL) {
            ++g_boxes;
            g_boxLines.push_back(qiv::captureBoxLine(windowText(boxes[i]), boxText(boxes[i])));
            const AnsweredBox entry = {boxes[i], now};
            g_answered.push_back(entry);
            answer(boxes[i]);
        } else if (now - seen->at >= kAnswerAgainMs) {
            seen->at = now;
            answer(boxes[i]);
        }
    }
}

// --- the run's watch (UI thread) ---------------------------------------------------------

bool runEnded() {
    return g_started && !_runing && work_hand != NULL && WaitForSingleObject(work_hand, 0) == WAIT_OBJECT_0;
}

VOID CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    static bool inside = false;  // a box on this thread runs the timer inside its own loop
    if (inside || g_finished != 0) return;
    inside = true;
    answerBoxes();
    if (runEnded()) {
        finish(qiv::kCaptureEnded);
    } else if (g_started && GetTickCount() - g_startTick >= qiv::captureMilliseconds(settings().seconds)) {
        // Claimed before the stop: a crash during the stop leaves the files to this path.
        if (claim()) {
            _stopRun();
            writeAndExit(qiv::kCaptureTimeout);
        }
    }
    inside = false;
}

LRESULT CALLBACK messageWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kCrashMessage) return finish(qiv::kCaptureCrashed) ? 1 : 0;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Whatever happens on the UI thread, the files are written some seconds after the limit.
DWORD WINAPI backstop(LPVOID) {
    Sleep(qiv::captureMilliseconds(settings().seconds) + kBackstopMs);
    finish(qiv::kCaptureTimeout);
    // The files are being written elsewhere, and that has not ended the process yet: it
    // may be stuck (a lock held by a crashed thread). The process ends all the same.
    Sleep(kBackstopMs);
    ExitProcess(1);
    return 0;
}

}  // namespace

bool _captureMode() { return settings().on; }

HDC _captureCanvas(HWND canvas) {
    if (g_canvasDC != NULL) return g_canvasDC;
    RECT client;
    if (!GetClientRect(canvas, &client) || client.right < 1 || client.bottom < 1) SetRect(&client, 0, 0, 1, 1);
    HDC screen = GetDC(NULL);
    g_canvasDC = CreateCompatibleDC(screen);
    g_canvasBitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(NULL, screen);
    if (g_canvasDC == NULL || g_canvasBitmap == NULL) return g_canvasDC;
    SelectObject(g_canvasDC, g_canvasBitmap);
    // As beginning the paint erases the canvas: with its class brush.
    FillRect(g_canvasDC, &client, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return g_canvasDC;
}

void _captureStart() {
    g_uiThread = GetCurrentThreadId();
    CreateDirectoryA(settings().dir.c_str(), NULL);
    // Files of an earlier capture must not pass for this one's; result.txt goes first.
    DeleteFileA(fileIn("result.txt").c_str());
    DeleteFileA(fileIn("canvas.bmp").c_str());
    DeleteFileA(fileIn("output.txt").c_str());
    if (!settings().inputFile.empty()) {
        std::ifstream file(settings().inputFile.c_str(), std::ios::binary);
        if (file.is_open()) {
            const string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            g_inputLines = qiv::captureInputLines(bytes);
        }
    }
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = messageWindowProc;
    wc.hInstance = _hInstance;
    wc.lpszClassName = "QivCapture";
    if (RegisterClassA(&wc))
        g_messageWindow = CreateWindowExA(0, "QivCapture", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, _hInstance, NULL);
    SetTimer(NULL, 0, kTickMs, tick);
    CloseHandle(CreateThread(NULL, 0, backstop, NULL, 0, NULL));
    // The main window's paint would place the canvas and the pane; a hidden one gets none.
    layout.show4Win();
    g_startTick = GetTickCount();
    g_started = true;
    _startRun();
}

bool _captureNextLine(string& line) {
    if (g_nextInput < g_inputLines.size()) {
        line = g_inputLines[g_nextInput++];
        return true;
    }
    line.clear();
    return false;
}

bool _captureInputUsedUp() { return g_nextInput >= g_inputLines.size(); }

void _captureWindowClosed() { finish(qiv::kCaptureEnded); }

void _captureCrashed() {
    if (GetCurrentThreadId() != g_uiThread && g_messageWindow != NULL) {
        DWORD_PTR written = 0;
        if (SendMessageTimeoutA(g_messageWindow, kCrashMessage, 0, 0, SMTO_NORMAL, kCrashAnswerMs, &written))
            ExitThread(0);  // answered: the files of a timeout were being written; this thread ends
    }
    // On the UI thread, or the UI thread does not answer: written from here.
    if (!finish(qiv::kCaptureCrashed)) ExitThread(0);
}
