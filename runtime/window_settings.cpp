// The window settings file "d:\Qivconfig.txt", shared by every program built with the
// runtime: read once before the main window exists, written when the main window closes.
// Parsing, corrections and the file's bytes are in core/window_settings.
#include "runtime_internal.h"

#include <fstream>
#include <iterator>

#include "core/window_settings.h"
#include "file_replace.h"

namespace {

const char kSettingsPath[] = "d:\\Qivconfig.txt";

// Drive D: may be an empty card reader or disc drive: the system then fails the file access
// quietly instead of asking the user to insert a disk.
struct QuietDriveErrors {
    UINT previous;
    QuietDriveErrors() : previous(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~QuietDriveErrors() { SetErrorMode(previous); }
};

}  // namespace

// Prepares the pen-head sprite, then takes the window's place and size from the settings
// file, corrected against the screen; without a readable file, from the screen alone. A
// captured run reads no file.
void _initAug() {
    _head.init();
    if (_captureMode()) {  // every capture has the same layout, whatever the file says
        const qiv::WindowSettings s = qiv::compiledInSettings();
        _winTop = s.top;
        _winLeft = s.left;
        _winWidth = s.width;
        _winHight = s.height;
        _outWinSize = s.outWinSize;
        return;
    }
    RECT desktop;
    GetClientRect(GetDesktopWindow(), &desktop);
    const qiv::ScreenRect screen = {desktop.left, desktop.top, desktop.right, desktop.bottom};

    const QuietDriveErrors quiet;
    std::ifstream file(kSettingsPath, std::ios::binary);
    std::string text;
    const bool opened = file.is_open();
    if (opened) text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    const qiv::WindowSettings s = qiv::loadSettings(opened, text, screen);
    _winTop = s.top;
    _winLeft = s.left;
    _winWidth = s.width;
    _winHight = s.height;
    _outWinSize = s.outWinSize;
}

// Ends a running program, then stores the main window's outer rectangle and the output
// pane's height. The file is replaced only when written completely; a failure stores
// nothing and is not reported. A captured run writes its capture's files instead.
void _saveAug() {
    _stopRun();
    if (_captureMode()) {  // the program closed its window: its run has ended
        _captureWindowClosed();
        return;
    }
    RECT outer;
    if (hwndMain == NULL || !GetWindowRect(hwndMain, &outer)) return;
    _winLeft = outer.left;
    _winTop = outer.top;
    _winWidth = outer.right - outer.left;
    _winHight = outer.bottom - outer.top;
    _outWinSize = layout.outWinSize;
    const std::string bytes =
        qiv::formatSettings(qiv::WindowSettings{_winTop, _winLeft, _winWidth, _winHight, _outWinSize});
    const TbyteBlock block = {bytes.data(), static_cast<DWORD>(bytes.size())};
    const QuietDriveErrors quiet;
    _replaceFile(kSettingsPath, &block, 1);
}
