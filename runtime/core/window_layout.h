// Layout arithmetic of the main window: canvas on top, a 4-pixel strip, output pane below.
#ifndef QIV_WINDOW_LAYOUT_H
#define QIV_WINDOW_LAYOUT_H

#include <string>

namespace qiv {

// Output-pane height for windows(canvasShare, outputShare): shares clamped to 1..20,
// the client height less the 2-pixel strip half split in that ratio.
int outputHeightForShares(int clientHeight, int canvasShare, int outputShare);

// Output-pane height while the strip is dragged to pointer y; never below 60.
int draggedOutputHeight(int outWinSize, int clientHeight, int pointerY);

// Where show4Win puts the two children; a part is placed only when its flag is set.
struct ChildPlacement {
    bool placeCanvas;
    int canvasWidth, canvasHeight;
    bool placeOutput;
    int outputTop, outputWidth, outputHeight;
};
ChildPlacement placeChildren(int clientWidth, int clientHeight, int outWinSize);

// Client-relative rows to which the cursor is confined during a strip drag.
struct RowRange { int top, bottom; };
RowRange dragConfinement(int clientHeight);

// Window title of a program: its file name without folder and without the extension after
// the last '.', a leading '.' kept; the name part is cut to 100 bytes first (between
// characters). Paths are GBK: a backslash is looked for as a character, never as the second
// byte of a Chinese character.
std::string programTitle(const std::string& modulePath);

// The program's folder without the trailing backslash ("" when the path has none).
std::string programFolder(const std::string& modulePath);

}  // namespace qiv

#endif
