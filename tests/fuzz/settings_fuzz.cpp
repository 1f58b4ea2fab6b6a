// libFuzzer target of the window settings file: any bytes as the file's text, read,
// corrected against a screen taken from the input's first bytes, written and read back.
// Whatever the file holds, the corrected window lies whole on the screen with a usable pane
// and canvas, and what is written reads back to the same values; anything else aborts.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/window_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A screen between 640 x 480 and 8192 x 8192 from the first four bytes.
    std::uint16_t dims[2] = {0, 0};
    const std::size_t head = size < sizeof dims ? size : sizeof dims;
    std::memcpy(dims, data, head);
    const qiv::ScreenRect screen = {0, 0, 640 + dims[0] % 7553, 480 + dims[1] % 7713};
    const std::string text(reinterpret_cast<const char*>(data) + head, size - head);

    const qiv::WindowSettings s = qiv::loadSettings(true, text, screen);
    if (s.left < screen.left || s.top < screen.top) std::abort();
    if (static_cast<long long>(s.left) + s.width > screen.right) std::abort();
    if (static_cast<long long>(s.top) + s.height > screen.bottom) std::abort();
    if (s.width < 200 || s.height < 200 || s.outWinSize < 40 || s.height - s.outWinSize < 150) std::abort();

    // Written and read back, the values stay; corrected again, they stay too.
    const qiv::WindowSettings back = qiv::parseSettings(qiv::formatSettings(s));
    if (std::memcmp(&back, &s, sizeof s) != 0) std::abort();
    const qiv::WindowSettings again = qiv::correctSettings(back, screen);
    if (std::memcmp(&again, &s, sizeof s) != 0) std::abort();
    return 0;
}
