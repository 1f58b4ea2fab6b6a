#include "script_runner.h"

#include <cstdio>
#include <functional>
#include <map>

#include "desktop_folder.h"
#include "dialog_watcher.h"
#include "docking_manager.h"
#include "editor_views.h"
#include "host_output.h"
#include "host_requests.h"
#include "main_window.h"
#include "other_windows.h"
#include "plugin/host_messages.h"
#include "plugin_loader.h"
#include "text_codec.h"

namespace {

constexpr UINT_PTR waitTimer = 1;
constexpr UINT_PTR pollTimer = 2;
constexpr int panelEditId = 2501;

std::vector<std::string> script;
size_t nextLine = 0;
std::function<bool()> pollDone;     // condition the script waits for
DWORD pollDeadline = 0;
std::string pollFailure;

// What a command leaves the runner to do.
enum class Flow { Next, Wait, Poll, Stop };

struct Failure {
    std::string message;
};

[[noreturn]] void fail(const std::string &message) { throw Failure{message}; }

int toInt(const std::string &text)
{
    char *end = nullptr;
    long value = strtol(text.c_str(), &end, 10);
    if (text.empty() || *end)
        fail("not a number: " + text);
    return (int)value;
}

std::vector<std::string> words(const std::string &text)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i < text.size()) {
        size_t j = text.find(' ', i);
        if (j == std::string::npos)
            j = text.size();
        if (j > i)
            out.push_back(text.substr(i, j - i));
        i = j + 1;
    }
    return out;
}

std::wstring pathArgument(const std::string &arg)
{
    if (arg.empty())
        fail("a path is needed");
    return windowsPath(fromUtf8(arg));
}

int requireView()
{
    int view = currentViewIndex();
    if (view < 0 || !editorView(view).current())
        fail("no current document");
    return view;
}

HWND firstPanel()
{
    const std::vector<DockedPanel> &panels = dockedPanels();
    if (panels.empty())
        fail("no panel is docked");
    return panels[0].client;
}

std::wstring windowText(HWND hwnd)
{
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(n + 1, L'\0');
    GetWindowTextW(hwnd, &text[0], n + 1);
    text.resize(n);
    return text;
}

std::string panelText()
{
    HWND edit = GetDlgItem(firstPanel(), panelEditId);
    return edit ? toUtf8(windowText(edit)) : std::string();
}

Flow cmdOpen(const std::string &arg)
{
    std::wstring error;
    int view = currentViewIndex() < 0 ? 0 : currentViewIndex();
    if (!openDocument(view, pathArgument(arg), error))
        fail(toUtf8(error));
    setCurrentView(view);
    layoutMainWindow();
    refreshTabStrips();
    return Flow::Next;
}

// A GBK file as the editor holds a file whose code page it detected: in UTF-8 inside.
Flow cmdOpenDetected(const std::string &arg)
{
    std::wstring error;
    int view = currentViewIndex() < 0 ? 0 : currentViewIndex();
    if (!openDocument(view, pathArgument(arg), error, true))
        fail(toUtf8(error));
    setCurrentView(view);
    layoutMainWindow();
    refreshTabStrips();
    return Flow::Next;
}

Flow cmdSaveAsDialog(const std::string &arg)
{
    setSaveAsDialogAnswer(arg == "cancel" ? std::wstring() : pathArgument(arg));
    return Flow::Next;
}

Flow cmdPrintEncoding(const std::string &)
{
    int view = requireView();
    const Document &doc = *editorView(view).current();
    printFormatted("encoding: buffer=%d view-codepage=%u file-codepage=%u held=%d", doc.encoding,
                   doc.codePage == CP_UTF8 ? 65001u : GetACP(),
                   fileCodePageOf(doc) == CP_UTF8 ? 65001u : GetACP(), doc.heldCodePage);
    return Flow::Next;
}

Flow cmdNew(const std::string &)
{
    runHostMenuCommand(IDM_FILE_NEW);
    return Flow::Next;
}

Flow cmdView(const std::string &arg)
{
    if (arg == "none") {
        setCurrentView(-1);
        return Flow::Next;
    }
    int view = toInt(arg);
    if (view < 0 || view >= viewCount)
        fail("no view " + arg);
    setCurrentView(view);
    if (!editorView(view).current())
        newDocument(view);
    layoutMainWindow();
    refreshTabStrips();
    return Flow::Next;
}

Flow cmdSetText(const std::string &arg)
{
    int view = requireView();
    Document &doc = *editorView(view).current();
    setDocumentBytes(view, encodeText(fromUtf8(unescapeLine(arg)), doc.codePage));
    return Flow::Next;
}

Flow cmdCaret(const std::string &arg)
{
    std::vector<std::string> w = words(arg);
    if (w.size() != 2)
        fail("caret LINE COLUMN");
    placeCaret(requireView(), toInt(w[0]), toInt(w[1]));
    return Flow::Next;
}

Flow cmdSaveAs(const std::string &arg)
{
    if (!saveDocumentAs(requireView(), pathArgument(arg), false))
        fail("cannot save as " + arg);
    refreshTabStrips();
    return Flow::Next;
}

Flow cmdCommand(const std::string &arg)
{
    bool isIndex = !arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos;
    int id = isIndex ? commandIdAt(0, toInt(arg)) : commandIdNamed(fromUtf8(arg));
    if (id < 0)
        fail("no plug-in command " + arg);
    SendMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return Flow::Next;
}

UINT virtualKey(const std::string &name)
{
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f') && isdigit((unsigned char)name[1])) {
        int n = toInt(name.substr(1));
        if (n >= 1 && n <= 24)
            return VK_F1 + n - 1;
    }
    if (name.size() == 1 && isalnum((unsigned char)name[0]))
        return (UINT)toupper((unsigned char)name[0]);
    fail("unknown key " + name);
}

Flow cmdKey(const std::string &arg)
{
    UINT vk = virtualKey(arg);
    int view = currentViewIndex() < 0 ? 0 : currentViewIndex();
    HWND target = editorView(view).edit;
    SetFocus(target);
    LPARAM scan = (LPARAM)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16;
    PostMessageW(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageW(target, WM_KEYUP, vk, scan | 1 | (1u << 30) | (1u << 31));
    return Flow::Next;  // the step message is queued after the key strokes
}

Flow cmdDialog(const std::string &arg)
{
    std::vector<std::string> w = words(arg);
    if (w.empty() || (w[0] != "ok" && w[0] != "cancel"))
        fail("dialog cancel|ok [R G B] [MS]");
    bool setColour = w.size() >= 4;
    COLORREF colour = setColour ? RGB(toInt(w[1]), toInt(w[2]), toInt(w[3])) : 0;
    size_t timeoutAt = setColour ? 4 : 1;
    DWORD timeout = w.size() > timeoutAt ? (DWORD)toInt(w[timeoutAt]) : 5000;
    DialogAnswer answer = w[0] == "ok" ? DialogAnswer::Ok : DialogAnswer::Cancel;
    if (!armDialogWatcher(answer, setColour, colour, timeout))
        fail("the previous dialog answer is still pending");
    return Flow::Next;
}

Flow cmdDialogCheck(const std::string &)
{
    pollDone = [] {
        std::string result;
        if (!dialogWatcherFinished(result))
            return false;
        printLine("dialog: " + result);
        return true;
    };
    pollDeadline = GetTickCount() + 30000;
    pollFailure = "no dialog answer was armed or it never finished";
    return Flow::Poll;
}

Flow cmdDesktop(const std::string &arg)
{
    if (!overrideDesktopFolder(pathArgument(arg)))
        fail("cannot set the desktop folder");
    return Flow::Next;
}

Flow cmdPanelHeight(const std::string &arg)
{
    setDockAreaHeight(toInt(arg));
    return Flow::Next;
}

Flow cmdWindowSize(const std::string &arg)
{
    std::vector<std::string> w = words(arg);
    if (w.size() != 2)
        fail("window-size W H");
    SetWindowPos(mainWindow(), nullptr, 0, 0, toInt(w[0]), toInt(w[1]),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return Flow::Next;
}

Flow cmdClosePanel(const std::string &)
{
    firstPanel();
    closePanel(0);
    return Flow::Next;
}

Flow cmdWait(const std::string &arg)
{
    SetTimer(mainWindow(), waitTimer, (UINT)toInt(arg), nullptr);
    return Flow::Wait;
}

Flow cmdWaitPanel(const std::string &arg)
{
    size_t cut = arg.rfind(' ');
    std::string text = arg;
    DWORD timeout = 10000;
    if (cut != std::string::npos && arg.find_first_not_of("0123456789", cut + 1) == std::string::npos &&
        cut + 1 < arg.size()) {
        text = arg.substr(0, cut);
        timeout = (DWORD)toInt(arg.substr(cut + 1));
    }
    text = unescapeLine(text);
    pollDone = [text] {
        return !dockedPanels().empty() && panelText().find(text) != std::string::npos;
    };
    pollDeadline = GetTickCount() + timeout;
    pollFailure = "the panel never showed \"" + escapeLine(text) + "\"";
    return Flow::Poll;
}

// Arguments "TITLE [TEXT] [MS]" of the window commands: a last word of digits is the time
// limit in milliseconds.
struct WindowArguments {
    std::wstring title;
    std::string text;
    DWORD timeout = 10000;
};

WindowArguments windowArguments(const std::string &arg)
{
    WindowArguments out;
    std::string rest = arg;
    size_t cut = rest.rfind(' ');
    if (cut != std::string::npos && cut + 1 < rest.size() &&
        rest.find_first_not_of("0123456789", cut + 1) == std::string::npos) {
        out.timeout = (DWORD)toInt(rest.substr(cut + 1));
        rest.resize(cut);
    }
    size_t space = rest.find(' ');
    if (rest.empty() || space == 0)
        fail("a window title is needed");
    out.title = fromUtf8(rest.substr(0, space));
    if (space != std::string::npos)
        out.text = unescapeLine(rest.substr(space + 1));
    return out;
}

Flow pollFor(std::function<bool()> done, DWORD timeout, const std::string &failure)
{
    pollDone = std::move(done);
    pollDeadline = GetTickCount() + timeout;
    pollFailure = failure;
    return Flow::Poll;
}

Flow cmdWaitWindow(const std::string &arg)
{
    WindowArguments w = windowArguments(arg);
    return pollFor([w] { return findWindowTitled(w.title) != nullptr; }, w.timeout,
                   "no window titled \"" + toUtf8(w.title) + "\" appeared");
}

Flow cmdWaitWindowText(const std::string &arg)
{
    WindowArguments w = windowArguments(arg);
    if (w.text.empty())
        fail("wait-window-text TITLE TEXT [MS]");
    return pollFor(
        [w] {
            HWND window = findWindowTitled(w.title);
            if (!window)
                return false;
            for (const std::wstring &text : editTexts(window))
                if (toUtf8(text).find(w.text) != std::string::npos)
                    return true;
            return false;
        },
        w.timeout, "the window \"" + toUtf8(w.title) + "\" never showed \"" + escapeLine(w.text) + "\"");
}

Flow cmdCloseWindow(const std::string &arg)
{
    WindowArguments w = windowArguments(arg);
    HWND window = findWindowTitled(w.title);
    if (!window)
        fail("no window titled " + toUtf8(w.title));
    PostMessageW(window, WM_CLOSE, 0, 0);
    return pollFor([window] { return !IsWindow(window); }, w.timeout,
                   "the window \"" + toUtf8(w.title) + "\" did not close");
}

Flow cmdWaitNoWindow(const std::string &arg)
{
    WindowArguments w = windowArguments(arg);
    return pollFor([w] { return findWindowTitled(w.title) == nullptr; }, w.timeout,
                   "the window \"" + toUtf8(w.title) + "\" is still shown");
}

Flow cmdPrintWindow(const std::string &arg)
{
    WindowArguments w = windowArguments(arg);
    printFormatted("window: %s %s", toUtf8(w.title).c_str(), findWindowTitled(w.title) ? "shown" : "none");
    return Flow::Next;
}

Flow cmdPrintWindowEdits(const std::string &arg)
{
    WindowArguments w = windowArguments(arg);
    HWND window = findWindowTitled(w.title);
    if (!window)
        fail("no window titled " + toUtf8(w.title));
    std::vector<std::wstring> texts = editTexts(window);
    for (size_t i = 0; i < texts.size(); ++i)
        printFormatted("window-edit %d: %s", (int)i, escapeLine(toUtf8(texts[i])).c_str());
    return Flow::Next;
}

std::string menuItemText(HMENU menu, int position)
{
    wchar_t text[256] = L"";
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return escapeLine(toUtf8(text));
}

Flow cmdPrintMenu(const std::string &)
{
    HMENU bar = GetMenu(mainWindow());
    int last = GetMenuItemCount(bar) - 1;
    HMENU plugins = GetSubMenu(bar, last);
    printLine("menu: " + menuItemText(bar, last));
    for (int p = 0; p < GetMenuItemCount(plugins); ++p) {
        HMENU sub = GetSubMenu(plugins, p);
        int count = GetMenuItemCount(sub);
        printFormatted("submenu %d: %s (%d items)", p, menuItemText(plugins, p).c_str(), count);
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
            GetMenuItemInfoW(sub, i, TRUE, &info);
            if (info.fType & MFT_SEPARATOR) {
                printFormatted("item %d: separator", i);
                continue;
            }
            printFormatted("item %d: id=%u checked=%d text=%s", i, info.wID,
                           (info.fState & MFS_CHECKED) ? 1 : 0, menuItemText(sub, i).c_str());
        }
    }
    return Flow::Next;
}

Flow cmdPrintCommands(const std::string &)
{
    for (const LoadedPlugin &p : loadedPlugins()) {
        printFormatted("plugin: %s commands=%d", toUtf8(p.name).c_str(), p.itemCount);
        for (int i = 0; i < p.itemCount; ++i) {
            const FuncItem &item = p.items[i];
            std::string key = item._pShKey ? toUtf8(shortcutText(*item._pShKey)) : "none";
            printFormatted("command %d: cmdID=%d check=%d shortcut=%s name=%s", i, item._cmdID,
                           item._init2Check ? 1 : 0, key.c_str(),
                           escapeLine(toUtf8(item._itemName)).c_str());
        }
    }
    return Flow::Next;
}

Flow cmdPrintDoc(const std::string &)
{
    int view = currentViewIndex();
    Document *doc = view < 0 ? nullptr : editorView(view).current();
    if (!doc) {
        printFormatted("doc: view=%d none", view);
        return Flow::Next;
    }
    printFormatted("doc: view=%d name=%s path=%s codepage=%u modified=%d lf=%d", view,
                   toUtf8(doc->displayName()).c_str(), toUtf8(doc->path).c_str(),
                   doc->codePage == CP_UTF8 ? 65001u : GetACP(), doc->modified ? 1 : 0,
                   doc->lfOnly ? 1 : 0);
    return Flow::Next;
}

Flow cmdPrintText(const std::string &)
{
    int view = requireView();
    Document &doc = *editorView(view).current();
    printLine("text: " + escapeLine(toUtf8(decodeText(documentBytes(view), fileCodePageOf(doc)))));
    return Flow::Next;
}

Flow cmdPrintCaret(const std::string &)
{
    CaretPosition caret = caretPosition(requireView());
    printFormatted("caret: line=%d column=%d", caret.line, caret.column);
    return Flow::Next;
}

Flow cmdPrintPanels(const std::string &)
{
    const std::vector<DockedPanel> &panels = dockedPanels();
    printFormatted("panels: %d", (int)panels.size());
    for (size_t i = 0; i < panels.size(); ++i) {
        const DockedPanel &p = panels[i];
        bool docked = GetParent(p.client) == dockContainer() &&
                      (GetWindowLongPtrW(p.client, GWL_STYLE) & WS_CHILD);
        printFormatted("panel %d: name=%s module=%s command=%d mask=0x%08X docked=%d visible=%d",
                       (int)i, toUtf8(p.name).c_str(), toUtf8(p.moduleName).c_str(),
                       p.commandIndex, p.mask, docked ? 1 : 0, IsWindowVisible(p.client) ? 1 : 0);
    }
    return Flow::Next;
}

Flow cmdPrintPanelText(const std::string &)
{
    if (dockedPanels().empty()) {
        printLine("panel-lines: no panel");
        return Flow::Next;
    }
    std::string text = panelText();
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    printFormatted("panel-lines: %d", (int)lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        printFormatted("panel-line %d: %s", (int)i + 1, escapeLine(lines[i]).c_str());
    return Flow::Next;
}

Flow cmdPrintPanelGeometry(const std::string &)
{
    HWND panel = firstPanel();
    HWND edit = GetDlgItem(panel, panelEditId);
    if (!edit)
        fail("the panel has no edit control 2501");
    RECT client, box;
    GetClientRect(panel, &client);
    GetWindowRect(edit, &box);
    MapWindowPoints(nullptr, panel, (POINT *)&box, 2);
    printFormatted("panel-geometry: client=%ldx%ld edit=%ld,%ld,%ldx%ld", client.right,
                   client.bottom, box.left, box.top, box.right - box.left, box.bottom - box.top);
    return Flow::Next;
}

Flow cmdTabbar(const std::string &arg)
{
    if (arg != "hidden" && arg != "shown")
        fail("tabbar hidden|shown");
    setTabBarHidden(arg == "hidden");
    return Flow::Next;
}

Flow cmdPrintTabbar(const std::string &)
{
    printFormatted("tabbar: %s", tabBarHidden() ? "hidden" : "shown");
    return Flow::Next;
}

Flow cmdSaveBytes(const std::string &arg)
{
    std::string bytes = documentBytes(requireView());
    FILE *out = _wfopen(pathArgument(arg).c_str(), L"wb");
    if (!out)
        fail("cannot write " + arg);
    fwrite(bytes.data(), 1, bytes.size(), out);
    fclose(out);
    return Flow::Next;
}

Flow cmdEcho(const std::string &arg)
{
    printLine(arg);
    return Flow::Next;
}

// A click on one of the host's own menu items (File, View, Encoding, ?).
Flow cmdHostCommand(const std::string &arg)
{
    SendMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(toInt(arg), 0), 0);
    return Flow::Next;
}

Flow cmdExit(const std::string &arg)
{
    setExitCode(arg.empty() ? 0 : toInt(arg));
    PostMessageW(mainWindow(), WM_CLOSE, 0, 0);
    return Flow::Stop;
}

const std::map<std::string, Flow (*)(const std::string &)> &commands()
{
    static const std::map<std::string, Flow (*)(const std::string &)> table = {
        {"open", cmdOpen},
        {"open-detected", cmdOpenDetected},
        {"save-as-dialog", cmdSaveAsDialog},
        {"print-encoding", cmdPrintEncoding},
        {"new", cmdNew},
        {"view", cmdView},
        {"set-text", cmdSetText},
        {"caret", cmdCaret},
        {"save-as", cmdSaveAs},
        {"command", cmdCommand},
        {"key", cmdKey},
        {"dialog", cmdDialog},
        {"dialog-check", cmdDialogCheck},
        {"desktop", cmdDesktop},
        {"panel-height", cmdPanelHeight},
        {"window-size", cmdWindowSize},
        {"close-panel", cmdClosePanel},
        {"wait", cmdWait},
        {"wait-panel", cmdWaitPanel},
        {"wait-window", cmdWaitWindow},
        {"wait-window-text", cmdWaitWindowText},
        {"close-window", cmdCloseWindow},
        {"wait-no-window", cmdWaitNoWindow},
        {"print-window", cmdPrintWindow},
        {"print-window-edits", cmdPrintWindowEdits},
        {"print-menu", cmdPrintMenu},
        {"print-commands", cmdPrintCommands},
        {"print-doc", cmdPrintDoc},
        {"print-text", cmdPrintText},
        {"print-caret", cmdPrintCaret},
        {"print-panels", cmdPrintPanels},
        {"print-panel-text", cmdPrintPanelText},
        {"print-panel-geometry", cmdPrintPanelGeometry},
        {"tabbar", cmdTabbar},
        {"print-tabbar", cmdPrintTabbar},
        {"save-bytes", cmdSaveBytes},
        {"echo", cmdEcho},
        {"host-command", cmdHostCommand},
        {"exit", cmdExit},
    };
    return table;
}

void stopWithFailure(size_t line, const std::string &message)
{
    printFormatted("error: line %d: %s", (int)line, message.c_str());
    nextLine = script.size();
    setExitCode(scriptExitFailure);
    PostMessageW(mainWindow(), WM_CLOSE, 0, 0);
}

void postNextStep() { PostMessageW(mainWindow(), WM_APP_SCRIPT_STEP, 0, 0); }

// Runs lines until one has to wait or the script ends.
void runStep()
{
    while (nextLine < script.size()) {
        size_t number = ++nextLine;
        std::string line = script[number - 1];
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        size_t begin = line.find_first_not_of(' ');
        if (begin == std::string::npos || line[begin] == '#')
            continue;
        line = line.substr(begin);
        size_t space = line.find(' ');
        std::string name = line.substr(0, space);
        std::string arg = space == std::string::npos ? "" : line.substr(space + 1);
        auto found = commands().find(name);
        Flow flow;
        try {
            if (found == commands().end())
                fail("unknown command " + name);
            flow = found->second(arg);
        } catch (const Failure &f) {
            stopWithFailure(number, f.message);
            return;
        }
        if (flow == Flow::Poll) {
            SetTimer(mainWindow(), pollTimer, 50, nullptr);
            return;
        }
        if (flow != Flow::Next)
            return;
        // One command per step: what it posted is handled before the next one runs.
        postNextStep();
        return;
    }
}

}  // namespace

void addScriptLines(const std::vector<std::string> &lines)
{
    script.insert(script.end(), lines.begin(), lines.end());
}

bool addScriptFile(const std::wstring &path)
{
    FILE *in = _wfopen(path.c_str(), L"rb");
    if (!in)
        return false;
    std::string content;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, in)) > 0)
        content.append(buffer, got);
    fclose(in);
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0)
        content.erase(0, 3);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    addScriptLines(lines);
    return true;
}

bool hasScript() { return !script.empty(); }

void startScript()
{
    if (hasScript())
        postNextStep();
}

void onScriptMessage(UINT message, WPARAM wParam)
{
    if (message == WM_APP_SCRIPT_STEP) {
        runStep();
        return;
    }
    if (wParam == waitTimer) {
        KillTimer(mainWindow(), waitTimer);
        postNextStep();
    } else if (wParam == pollTimer) {
        bool done = false;
        try {
            done = pollDone();
        } catch (const Failure &f) {
            KillTimer(mainWindow(), pollTimer);
            stopWithFailure(nextLine, f.message);
            return;
        }
        if (done || (LONG)(GetTickCount() - pollDeadline) > 0) {
            KillTimer(mainWindow(), pollTimer);
            if (done)
                postNextStep();
            else
                stopWithFailure(nextLine, pollFailure);
        }
    }
}
