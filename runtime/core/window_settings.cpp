#include "window_settings.h"

#include <limits>
#include <sstream>

namespace qiv {

namespace {

// The fixed comments after each value, in GBK. In order: "//窗口上坐标;", "//窗口左坐标;",
// " //窗口宽度;", " //窗口高度;" and "//输出窗口初始大小 , _outWinSize=60;". Spelled as bytes
// so that every build, whatever its execution character set, writes the same file.
const char* const kComments[5] = {
    "//\xB4\xB0\xBF\xDA\xC9\xCF\xD7\xF8\xB1\xEA;",
    "//\xB4\xB0\xBF\xDA\xD7\xF3\xD7\xF8\xB1\xEA;",
    " //\xB4\xB0\xBF\xDA\xBF\xED\xB6\xC8;",
    " //\xB4\xB0\xBF\xDA\xB8\xDF\xB6\xC8;",
    "//\xCA\xE4\xB3\xF6\xB4\xB0\xBF\xDA\xB3\xF5\xCA\xBC\xB4\xF3\xD0\xA1 , _outWinSize=60;",
};

// Outer height the window keeps for its frame, menu bar, strip and a canvas of about 100
// pixels besides the pane; and the smallest pane that still shows two lines of text.
const int kCanvasRoom = 150;
const int kSmallestPane = 40;

}  // namespace

WindowSettings compiledInSettings() { return WindowSettings{5, 5, 960, 750, 60}; }

WindowSettings settingsWithoutFile(const ScreenRect& screen) {
    const int w = screen.right - screen.left - 10;
    const int h = screen.bottom - screen.top - 10;
    return WindowSettings{screen.top + 5, screen.left + 5, w < 900 ? w : 900, h < 700 ? h : 700, 50};
}

WindowSettings parseSettings(const std::string& text) {
    WindowSettings s = compiledInSettings();
    int* const fields[5] = {&s.top, &s.left, &s.width, &s.height, &s.outWinSize};
    std::istringstream in(text);
    for (int* field : fields) {
        // A failed extraction stores 0 (or the limit on overflow) and sets the fail state;
        // an extraction in that state, or at the end of the text, leaves the value alone.
        in >> *field;
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return s;
}

WindowSettings correctSettings(WindowSettings s, const ScreenRect& screen) {
    const int screenW = screen.right - screen.left;
    const int screenH = screen.bottom - screen.top;
    if (s.height <= 199) s.height = 200;
    if (s.width <= 199) s.width = 200;
    if (s.height > screenH - 10) s.height = screenH - 10;
    if (s.width > screenW - 10) s.width = screenW - 10;
    if (s.top < 0) s.top = 0;
    // Summed wide: a hand-edited left edge near the int limit must not overflow.
    if (static_cast<long long>(s.left) + s.width <= 149) s.left = 150 - s.width;
    if (s.top > screen.bottom - 150) s.top = screen.bottom - 150;
    if (s.left > screen.right - 150) s.left = screen.right - 150;
    if (s.outWinSize > s.height - 70) s.outWinSize = s.height - 70;
    if (s.outWinSize <= 14) s.outWinSize = 15;
    // The rules above keep 150 pixels of the window on the screen and leave a 9-pixel pane
    // or a 19-pixel canvas possible. A window the screen can hold is brought onto it whole
    // (sizes already fit: see the first four rules), and the pane is kept between a usable
    // minimum and what leaves the canvas about 100 pixels; values inside those bounds stay.
    if (s.left > screen.right - s.width) s.left = screen.right - s.width;
    if (s.top > screen.bottom - s.height) s.top = screen.bottom - s.height;
    if (s.left < screen.left) s.left = screen.left;
    if (s.top < screen.top) s.top = screen.top;
    if (s.outWinSize > s.height - kCanvasRoom) s.outWinSize = s.height - kCanvasRoom;
    if (s.outWinSize < kSmallestPane) s.outWinSize = kSmallestPane;
    return s;
}

WindowSettings loadSettings(bool fileOpened, const std::string& text, const ScreenRect& screen) {
    if (!fileOpened) return settingsWithoutFile(screen);
    return correctSettings(parseSettings(text), screen);
}

std::string formatSettings(const WindowSettings& s) {
    const int values[5] = {s.top, s.left, s.width, s.height, s.outWinSize};
    std::string out;
    for (int i = 0; i < 5; ++i) {
        out += std::to_string(values[i]);
        out += ' ';
        out += kComments[i];
        out += "\r\n";
    }
    return out;
}

}  // namespace qiv
