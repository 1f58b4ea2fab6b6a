#include "window_layout.h"

#include "gbk_path.h"

namespace qiv {

namespace {
int clampShare(int s) { return s < 1 ? 1 : (s > 20 ? 20 : s); }
}  // namespace

int outputHeightForShares(int clientHeight, int canvasShare, int outputShare) {
    canvasShare = clampShare(canvasShare);
    outputShare = clampShare(outputShare);
    return (clientHeight - 2) * outputShare / (canvasShare + outputShare);
}

int draggedOutputHeight(int outWinSize, int clientHeight, int pointerY) {
    const int line1 = clientHeight - outWinSize;
    const int next = outWinSize + (line1 - pointerY);
    return next <= 59 ? 60 : next;
}

ChildPlacement placeChildren(int clientWidth, int clientHeight, int outWinSize) {
    ChildPlacement p{};
    p.placeCanvas = clientHeight - outWinSize > 2;
    p.canvasWidth = clientWidth;
    p.canvasHeight = clientHeight - outWinSize - 2;
    p.placeOutput = outWinSize > 2;
    p.outputTop = clientHeight - outWinSize + 2;
    p.outputWidth = clientWidth;
    p.outputHeight = outWinSize;
    return p;
}

RowRange dragConfinement(int clientHeight) { return RowRange{4, clientHeight - 60}; }

std::string programTitle(const std::string& modulePath) {
    const std::string::size_type slash = lastSeparator(modulePath, "\\");
    std::string name = slash == std::string::npos ? modulePath : modulePath.substr(slash + 1);
    if (name.size() > 100) name = gbkPrefix(name, 100);
    const std::string::size_type dot = name.find_last_of('.');  // '.' is never half a character
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

std::string programFolder(const std::string& modulePath) {
    const std::string::size_type slash = lastSeparator(modulePath, "\\");
    return slash == std::string::npos ? std::string() : modulePath.substr(0, slash);
}

}  // namespace qiv
