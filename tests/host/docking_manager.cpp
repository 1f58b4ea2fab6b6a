#include "docking_manager.h"

#include "main_window.h"
#include "plugin/host_messages.h"

namespace {

constexpr int captionHeight = 20;
constexpr int closeButtonBase = 300;  // command id of panel i's close button: base + i
constexpr int containerBottom = 1;    // the editor's number of the bottom container

HWND hostWindow = nullptr;
HWND container = nullptr;
std::vector<DockedPanel> panels;
int areaHeight = 180;

DockedPanel *findPanel(HWND client)
{
    for (DockedPanel &p : panels)
        if (p.client && p.client == client)
            return &p;
    return nullptr;
}

// WM_NOTIFY from the main window, the container number in the code's high word.
void notifyPanel(const DockedPanel &panel, unsigned int code)
{
    NMHDR header{};
    header.hwndFrom = hostWindow;
    header.idFrom = 0;
    header.code = code | (containerBottom << 16);
    SendMessageW(panel.client, WM_NOTIFY, 0, (LPARAM)&header);
}

// Visible panels share the container's width; each has its caption strip on top.
void layoutPanels()
{
    RECT rc;
    GetClientRect(container, &rc);
    int shown = 0;
    for (const DockedPanel &p : panels)
        shown += p.visible;
    if (shown == 0)
        return;
    int width = (rc.right - rc.left) / shown;
    int x = 0;
    for (const DockedPanel &p : panels) {
        if (!p.visible)
            continue;
        int h = rc.bottom - rc.top;
        MoveWindow(p.caption, x, 0, width - captionHeight, captionHeight, TRUE);
        MoveWindow(p.closeButton, x + width - captionHeight, 0, captionHeight, captionHeight,
                   TRUE);
        MoveWindow(p.client, x, captionHeight, width, h - captionHeight, TRUE);
        x += width;
    }
}

void relayoutMainWindow() { layoutMainWindow(); }

LRESULT CALLBACK containerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        layoutPanels();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            closePanel(LOWORD(wParam) - closeButtonBase);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void createDockContainer(HWND main)
{
    hostWindow = main;
    WNDCLASSW wc{};
    wc.lpfnWndProc = containerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"QivHostDockContainer";
    RegisterClassW(&wc);
    container = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10,
                                10, main, nullptr, wc.hInstance, nullptr);
}

bool registerPanel(tTbData *record)
{
    if (!record || !IsWindow(record->hClient) || findPanel(record->hClient))
        return false;
    DockedPanel panel;
    panel.client = record->hClient;
    panel.name = record->pszName ? record->pszName : L"";
    panel.moduleName = record->pszModuleName ? record->pszModuleName : L"";
    panel.commandIndex = record->dlgID;
    panel.mask = record->uMask;
    int id = closeButtonBase + (int)panels.size();
    panel.caption = CreateWindowExW(0, L"STATIC", panel.name.c_str(),
                                    WS_CHILD | SS_LEFT | SS_CENTERIMAGE, 0, 0, 10, 10,
                                    container, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(panel.caption, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    panel.closeButton = CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10,
                                        10, container, (HMENU)(INT_PTR)id,
                                        GetModuleHandleW(nullptr), nullptr);

    // The panel becomes a child of the container, without its popup frame.
    HWND client = panel.client;
    ShowWindow(client, SW_HIDE);
    LONG_PTR style = GetWindowLongPtrW(client, GWL_STYLE);
    style &= ~(LONG_PTR)(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU);
    SetWindowLongPtrW(client, GWL_STYLE, style | WS_CHILD);
    SetParent(client, container);
    SetWindowPos(client, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);

    // What the host fills in: the floating rectangle and the previous container.
    SetRect(&record->rcFloat, 100, 100, 500, 300);
    record->iPrevCont = containerBottom;
    panels.push_back(panel);
    notifyPanel(panels.back(), DMN_DOCK);
    return true;
}

bool showPanel(HWND client, bool show)
{
    DockedPanel *panel = findPanel(client);
    if (!panel)
        return false;
    panel->visible = show;
    int cmd = show ? SW_SHOW : SW_HIDE;
    ShowWindow(panel->caption, cmd);
    ShowWindow(panel->closeButton, cmd);
    ShowWindow(panel->client, cmd);
    relayoutMainWindow();
    layoutPanels();
    return true;
}

bool refreshPanelInfo(HWND client)
{
    DockedPanel *panel = findPanel(client);
    if (!panel)
        return false;
    wchar_t caption[260] = L"";
    GetWindowTextW(client, caption, 260);
    if (caption[0])
        panel->name = caption;
    SetWindowTextW(panel->caption, panel->name.c_str());
    return true;
}

const std::vector<DockedPanel> &dockedPanels() { return panels; }
int dockAreaHeight() { return areaHeight; }

void setDockAreaHeight(int pixels)
{
    areaHeight = pixels < captionHeight + 10 ? captionHeight + 10 : pixels;
    relayoutMainWindow();
}

int visibleDockHeight()
{
    for (const DockedPanel &p : panels)
        if (p.visible)
            return areaHeight;
    return 0;
}

void placeDockContainer(const RECT &area)
{
    bool any = area.bottom > area.top;
    MoveWindow(container, area.left, area.top, area.right - area.left, area.bottom - area.top,
               TRUE);
    ShowWindow(container, any ? SW_SHOW : SW_HIDE);
    layoutPanels();
}

void closePanel(int index)
{
    if (index < 0 || index >= (int)panels.size())
        return;
    showPanel(panels[index].client, false);
    notifyPanel(panels[index], DMN_CLOSE);
}

HWND dockContainer() { return container; }
