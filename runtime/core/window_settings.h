// The window settings file: where the main window was, how large it was and how high the
// output pane was. Parsing, the values used without a file, the corrections against the
// screen, and the exact bytes written.
#ifndef QIV_WINDOW_SETTINGS_H
#define QIV_WINDOW_SETTINGS_H

#include <string>

namespace qiv {

// The five settings, pixels: the main window's outer rectangle and the output-pane height.
struct WindowSettings {
    int top, left, width, height, outWinSize;
};

// The screen rectangle the settings are corrected against (the desktop's client area).
struct ScreenRect {
    int left, top, right, bottom;
};

// The values compiled into the runtime: 5, 5, 960, 750, 60.
WindowSettings compiledInSettings();

// Used when the file cannot be opened: 5 pixels in from the screen's corner, at most
// 900 x 700 and at most the screen less 10, output pane 50. No corrections follow.
WindowSettings settingsWithoutFile(const ScreenRect& screen);

// Reads the file's text as successive stream extractions do, starting from the compiled-in
// values: each line's leading integer (white space skipped, the rest of its line ignored),
// in the order top, left, width, height, output pane. A value that is not a number becomes
// 0 and ends the reading; the values after it, and all values missing at the end of the
// text, keep their compiled-in values.
WindowSettings parseSettings(const std::string& text);

// The corrections in their fixed order, each seeing the results of the earlier ones, so
// that the whole window is on the screen, the output pane fits inside it and both the pane
// (at least 40 pixels) and the canvas (the window less 150 pixels for the pane) are usable.
// A window that lies on the screen with such a pane keeps its values.
WindowSettings correctSettings(WindowSettings s, const ScreenRect& screen);

// Loading as a whole: the file's text when it could be read, corrected; otherwise the
// values without a file.
WindowSettings loadSettings(bool fileOpened, const std::string& text, const ScreenRect& screen);

// The file's bytes: five lines "value comment" with CR LF line breaks; the comments are GBK.
std::string formatSettings(const WindowSettings& s);

}  // namespace qiv

#endif
