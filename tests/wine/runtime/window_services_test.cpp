// The window tree, and the window's own services: the help and About boxes (menu and F1),
// help() changing the title and the box texts, the strip between canvas and output pane
// dragged with the mouse, the axes toggle's check mark, resizing during a run and while
// idle, and closing the window while a program loops.
#include <qiv_check.h>

static volatile int runs = 0;
static volatile bool looping = false;
static volatile bool drawing = false;  // the next run draws a line, then waits for release
static volatile bool release = false;

// The visible message box with the given caption (a closed one lingers hidden for a while).
static HWND visibleBox(const std::string& caption) {
    HWND box = NULL;
    while ((box = FindWindowExA(NULL, box, "#32770", caption.c_str())) != NULL)
        if (IsWindowVisible(box)) return box;
    return NULL;
}

// Finds the message box with the given caption, returns its text and closes it.
static std::string takeMessageBox(const std::string& caption, bool* found) {
    HWND box = NULL;
    qc_wait_for([&] { return (box = visibleBox(caption)) != NULL; }, 3000);
    *found = box != NULL;
    if (box == NULL) return "";
    const std::string text = qc_box_text(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    qc_wait_for([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000);
    return text;
}

// Sends what F1 sends. A thread start: declared with the calling convention CreateThread
// expects, which on 32-bit Windows differs from a plain function's (or a lambda's).
static DWORD WINAPI sendHelpRequest(LPVOID) {
    HELPINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    SendMessageA(hwndMain, WM_HELP, 0, (LPARAM)&info);
    return 0;
}

static void checkBoxes() {
    bool found = false;
    PostMessageA(hwndMain, WM_COMMAND, 24, 0);
    std::string text = takeMessageBox(qc_ansi(L"操作简介"), &found);
    ok(found, "the help box did not appear");
    ok(text.find(qc_ansi(L"(1) 在绘图窗口内点击鼠标右键，")) == 0, "help text [%s]", text.c_str());
    ok(text.find("Ctrl_r") != std::string::npos, "help text without the hot keys [%s]", text.c_str());

    // What F1 sends. WM_HELP carries a pointer, so it cannot be posted: a helper thread
    // sends it and stays blocked while the box is open.
    HANDLE sender = CreateThread(NULL, 0, sendHelpRequest, NULL, 0, NULL);
    takeMessageBox(qc_ansi(L"操作简介"), &found);
    WaitForSingleObject(sender, 3000);
    CloseHandle(sender);
    ok(found, "F1 did not show the help box");

    PostMessageA(hwndMain, WM_COMMAND, 29, 0);
    text = takeMessageBox("About Qiv", &found);
    ok(found && !text.empty(), "the About box did not appear or is empty");
}

static void checkStripDrag() {
    const int line = layout.getLine1();
    const int before = layout.outWinSize;
    SendMessageA(hwndMain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, line + 3));
    SendMessageA(hwndMain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, line - 100));
    ok(layout.outWinSize == before + 100, "dragging up 100: pane %d, was %d", layout.outWinSize, before);
    SendMessageA(hwndMain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, layout.height - 10));
    ok(layout.outWinSize == 60, "dragging to the bottom: pane %d, expected the minimum 60", layout.outWinSize);
    SendMessageA(hwndMain, WM_LBUTTONUP, 0, MAKELPARAM(200, layout.height - 10));
    SendMessageA(hwndMain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 100));
    ok(layout.outWinSize == 60, "moving after the release still drags: %d", layout.outWinSize);
    // A press away from the strip starts no drag.
    SendMessageA(hwndMain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, layout.getLine1() - 20));
    SendMessageA(hwndMain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 100));
    ok(layout.outWinSize == 60, "a press away from the strip dragged: %d", layout.outWinSize);
    SendMessageA(hwndMain, WM_LBUTTONUP, 0, 0);
    RedrawWindow(hwndMain, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rc;
    GetWindowRect(hwndOutput, &rc);
    ok(rc.bottom - rc.top == 60, "the pane is %ld high after the drag", rc.bottom - rc.top);
}

static std::string className(HWND hwnd) {
    char name[64] = {0};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// The windows a program is made of: class, parent, control id, style and sizes.
static void checkWindowTree() {
    struct Expected {
        HWND hwnd;
        const char* name;
        const char* cls;
        HWND parent;
        int id;
        LONG style;     // bits that must be set
        LONG notStyle;  // bits that must be clear
    } windows[] = {
        {hwndDraw, "canvas", "drawWin", hwndMain, 101, WS_CHILD | WS_VISIBLE | WS_BORDER, 0},
        {hwndOutput, "output pane", "Edit", hwndMain, 104,
         WS_CHILD | WS_VISIBLE | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY, 0},
        {hwndInputCaption, "input caption", "Static", hwndOutput, 203, WS_CHILD, WS_VISIBLE},
        {hwndInput, "input line", "Edit", hwndInputCaption, 103, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0},
        {hwndEdit, "canvas input box", "Edit", hwndDraw, 102, WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, WS_VISIBLE},
    };
    for (const Expected& e : windows) {
        const LONG style = GetWindowLongA(e.hwnd, GWL_STYLE);
        ok(_stricmp(className(e.hwnd).c_str(), e.cls) == 0, "%s: class %s", e.name, className(e.hwnd).c_str());
        ok(GetParent(e.hwnd) == e.parent, "%s: wrong parent", e.name);
        ok(GetDlgCtrlID(e.hwnd) == e.id, "%s: id %d, expected %d", e.name, GetDlgCtrlID(e.hwnd), e.id);
        ok((style & e.style) == e.style && (style & e.notStyle) == 0, "%s: style %08lx", e.name, style);
    }
    const LONG ex = GetWindowLongA(hwndOutput, GWL_EXSTYLE);
    ok((ex & (WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW)) == (WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW),
       "output pane extended style %08lx", ex);
    ok(qc_text(hwndInputCaption) == qc_ansi(L"请输入"), "caption box text [%s]", qc_text(hwndInputCaption).c_str());
    RECT rc;
    GetClientRect(hwndInputCaption, &rc);
    ok(rc.right == 450 && rc.bottom == 56, "caption box %ldx%ld", rc.right, rc.bottom);
    GetWindowRect(hwndInput, &rc);
    ok(rc.right - rc.left == 400 && rc.bottom - rc.top == 40, "input line %ldx%ld", rc.right - rc.left,
       rc.bottom - rc.top);
    LOGFONTA lf;
    GetObjectA((HFONT)SendMessageA(hwndOutput, WM_GETFONT, 0, 0), sizeof lf, &lf);
    ok(lf.lfHeight == 12 && lf.lfCharSet == GB2312_CHARSET, "output pane font height %ld charset %d", lf.lfHeight,
       lf.lfCharSet);
    GetObjectA((HFONT)SendMessageA(hwndEdit, WM_GETFONT, 0, 0), sizeof lf, &lf);
    ok(lf.lfHeight == 15, "canvas input box font height %ld", lf.lfHeight);
    // The main window: its class cursor is the north-south arrow of the strip.
    ok((HCURSOR)GetClassLongPtrA(hwndMain, GCLP_HCURSOR) == LoadCursor(NULL, IDC_SIZENS), "main window cursor");
    ok(GetClassLongPtrA(hwndMain, GCLP_HICON) != 0, "main window has no icon");
}

// The menu bar and its two drop-down menus while idle: order, texts as the ANSI calls read
// them (GBK bytes), command ids (-1 for a drop-down), the Run button and the greyed pause
// place.
static void checkMenuTree() {
    HMENU bar = GetMenu(hwndMain);
    HMENU tools = GetSubMenu(bar, 1), helpMenu = GetSubMenu(bar, 2);
    ok(bar == hMenubar && tools == hMenu_TOOLS && helpMenu == hMenu_HELP, "menu handles");
    ok(GetMenuItemCount(bar) == 5 && GetMenuItemCount(tools) == 2 && GetMenuItemCount(helpMenu) == 2,
       "item counts %d %d %d", GetMenuItemCount(bar), GetMenuItemCount(tools), GetMenuItemCount(helpMenu));
    const struct {
        HMENU menu;
        int position;
        const wchar_t* text;
        UINT id;
        bool greyed;
    } items[] = {
        {bar, 0, L"退出", 23, false},         {bar, 1, L"工具", (UINT)-1, false},
        {bar, 2, L"帮助", (UINT)-1, false},    {bar, 3, L"运行(&R)", 1, false},
        {bar, 4, L"", 9, true},               {tools, 0, L"画坐标轴", 2, false},
        {tools, 1, L"保存图形", 4, false},     {helpMenu, 0, L"帮助文档", 24, false},
        {helpMenu, 1, L"关于", 29, false},
    };
    for (const auto& item : items) {
        char text[64] = "";
        GetMenuStringA(item.menu, item.position, text, sizeof text, MF_BYPOSITION);
        const std::string expected = qc_ansi(item.text);
        ok(expected == text, "menu item %d: [%s], expected [%s]", item.position, text, expected.c_str());
        ok(GetMenuItemID(item.menu, item.position) == item.id, "menu item [%s]: id %d, expected %d",
           expected.c_str(), (int)GetMenuItemID(item.menu, item.position), (int)item.id);
        const bool greyed = (GetMenuState(item.menu, item.position, MF_BYPOSITION) & MF_GRAYED) != 0;
        ok(greyed == item.greyed, "menu item [%s]: greyed %d", expected.c_str(), greyed);
    }
}

static void driver() {
    ok(qc_wait_idle(5000), "first run did not end");
    checkWindowTree();
    checkMenuTree();
    checkBoxes();
    checkStripDrag();

    // help() with empty texts clears the title and keeps both box texts.
    qc_command(1);
    ok(qc_wait_for([] { return runs == 2; }, 5000) && qc_wait_idle(5000), "second run");
    ok(qc_text(hwndMain).empty(), "title after help(\"\", ...): [%s]", qc_text(hwndMain).c_str());
    bool found = false;
    PostMessageA(hwndMain, WM_COMMAND, 24, 0);
    ok(takeMessageBox(qc_ansi(L"操作简介"), &found).find("Ctrl_r") != std::string::npos, "help text lost");

    // The axes toggle: check mark on, a run is started; pressing it again removes the mark.
    qc_command(2);
    ok(GetMenuState(hMenu_TOOLS, 2, MF_BYCOMMAND) & MF_CHECKED, "axes entry not checked");
    ok(qc_wait_for([] { return runs == 3; }, 5000) && qc_wait_idle(5000), "axes toggle did not re-run");
    qc_command(2);
    ok(!(GetMenuState(hMenu_TOOLS, 2, MF_BYCOMMAND) & MF_CHECKED), "axes entry still checked");
    ok(qc_wait_for([] { return runs == 4; }, 5000) && qc_wait_idle(5000), "second axes toggle did not re-run");

    // Resizing during a run leaves the run going; resizing while idle erases the picture.
    drawing = true;
    qc_command(1);
    ok(qc_wait_for([] { return runs == 5 && _runing && !drawing; }, 5000), "drawing run did not start");
    RECT outer;
    GetWindowRect(hwndMain, &outer);
    SetWindowPos(hwndMain, NULL, 0, 0, outer.right - outer.left - 40, outer.bottom - outer.top - 30,
                 SWP_NOMOVE | SWP_NOZORDER);
    Sleep(200);
    ok(_runing, "resizing ended the run");
    const int cx = (int)pen.getOX(), cy = (int)pen.getOY();
    ok(GetPixel(pen.getHdc(), cx, cy - 20) == RGB(255, 0, 0), "the picture is gone during the run: %06lx",
       GetPixel(pen.getHdc(), cx, cy - 20));
    release = true;
    ok(qc_wait_idle(5000), "drawing run did not end");
    SetWindowPos(hwndMain, NULL, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(hwndMain, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(200);
    ok(GetPixel(pen.getHdc(), cx, cy - 20) == RGB(255, 255, 255), "resizing while idle kept the picture: %06lx",
       GetPixel(pen.getHdc(), cx, cy - 20));

    // Ctrl+Q while a program loops on its own closes the window and ends the process (the
    // watchdog catches a hang).
    looping = true;
    qc_command(1);
    ok(qc_wait_for([] { return runs == 6 && _runing; }, 5000), "looping run did not start");
    printf("%s: %ld checks, %ld passed, %ld failed before closing\n", getCurName().c_str(), (long)qc_checks,
           (long)(qc_checks - qc_failures), (long)qc_failures);
    fflush(stdout);
    if (qc_failures != 0) ExitProcess(1);
    if (!qc_press_ctrl('Q')) ExitProcess(1);
    Sleep(INFINITE);
}

int main() {
    ++runs;
    if (runs == 1) {
        qc_watchdog(60000);
        qc_start_driver(driver);
    } else if (runs == 2) {
        help("", "", "");
    } else if (drawing) {
        pen.size(9).color(_red).fd(60);
        drawing = false;
        while (!release) wait(0.01);
    } else if (looping) {
        volatile unsigned spin = 0;
        for (;;) ++spin;
    }
    return 0;
}
