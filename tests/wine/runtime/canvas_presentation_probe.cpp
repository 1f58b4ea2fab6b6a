// Draws a block in a colour nothing else on the screen has, then only waits: the block must
// reach the screen while the program waits, not first when its run ends. The script
// canvas_presentation.sh looks for it in screenshots of the X display.
int main() {
    pen.rr(300, 200, 12, 34, 56);
    wait(15);
    PostMessageA(hwndMain, WM_CLOSE, 0, 0);
    return 0;
}
