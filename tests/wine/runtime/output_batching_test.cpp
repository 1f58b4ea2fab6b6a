// What a program prints is shown in batches, yet the pane reads exactly as if every insertion
// had been shown on its own: a mix of insertions with a cin prompt (visible before the input
// is taken), numbered lines past the pane's limit while the user clicks into the pane, a run
// stopped while printing (nothing printed is lost), and a crash right after printing (the
// pane shows it all before the crash is reported). After a run the view ends on the end
// banner, the program's last lines above it.
#include <qiv_check.h>

enum Mode { Nothing, Mix, Trim, Endless, Crash };
static volatile int mode = Nothing;
static volatile int runs = 0;
static volatile bool started = false;
static volatile long printed = 0;  // lines the endless run has finished printing
static int asked = 0;
static const long kTrimLines = 150000;  // about 1.3 MB: the pane drops the oldest lines
static const int kCrashLines = 3000;

static LPTOP_LEVEL_EXCEPTION_FILTER runtimeFilter = NULL;
static LONG WINAPI checkPaneOnCrash(EXCEPTION_POINTERS* crash);

int main() {
    ++runs;
    started = true;
    if (runs == 1) {
        qc_watchdog(120000);
        extern void driver();
        qc_start_driver(driver);
        return 0;
    }
    switch (mode) {
    case Mix:
        for (int i = 0; i < 300; i++) cout << i << (i % 10 == 9 ? "\n" : " ");
        cout << qc_ansi(L"中文") << endl << 2.5 << ' ' << 'c' << endl;
        cout << "no line break, then a prompt: ";
        cout << qc_ansi(L"请输入一个数：");
        cin >> asked;
        cout << "got " << asked << endl;
        break;
    case Trim:
        windows(2, 1, 1);
        for (long i = 0; i < kTrimLines; i++) {
            cout << "t" << i << endl;
            if (i % 2000 == 0) Sleep(2);
        }
        break;
    case Endless:
        for (long i = 0;; i++) {
            cout << "n" + to_string(i) + "\n";
            printed = i + 1;
        }
        break;
    case Crash:
        runtimeFilter = SetUnhandledExceptionFilter(checkPaneOnCrash);
        for (int i = 0; i < kCrashLines; i++) cout << "c" << i << endl;
        *(volatile int*)0 = 1;
        break;
    default: break;
    }
    return 0;
}

static const std::string& startBanner() {
    static const std::string s = qc_ansi(L"==== 运行中... ====\r\n");
    return s;
}
static const std::string& endBanner() {
    static const std::string s = qc_ansi(L"\r\n==== 运行结束  ====\r\n");
    return s;
}

static bool startRun(int m) {
    mode = m;
    started = false;
    qc_wait_run_button(5000);
    qc_command(1);
    return qc_wait_for([] { return started && _runing; }, 5000);
}

// True when the pane already held everything printed before this look: the runtime puts the
// caret at the end of what it shows, and reading the text shows whatever is still queued.
static bool paneWasCurrent() {
    DWORD from = 0, to = 0;
    SendMessageW(hwndOutput, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
    const int n = GetWindowTextLengthW(hwndOutput);
    std::wstring text(n + 1, L'\0');
    GetWindowTextW(hwndOutput, &text[0], n + 1);
    return to == wcslen(text.c_str());
}

// Checks that a pane's text is numbered lines "<prefix><n>" following each other without a
// gap, after the start banner (or from a whole line, where the oldest were dropped), with
// the end banner (when `ended`) right after the last; gives the first and last numbers.
static bool numberedLines(const std::string& pane, const char* prefix, bool ended, long& first, long& last,
                          std::string& why) {
    std::string body = pane;
    if (ended) {
        const size_t at = body.size() >= endBanner().size() ? body.size() - endBanner().size() : 0;
        if (body.compare(at, std::string::npos, endBanner()) != 0) return why = "the end banner is not last", false;
        body.erase(at);
    }
    if (body.compare(0, startBanner().size(), startBanner()) == 0) body.erase(0, startBanner().size());
    first = last = -1;
    for (size_t at = 0; at < body.size();) {
        const size_t eol = body.find("\r\n", at);
        if (eol == std::string::npos) return why = "a line without its line break: " + body.substr(at, 40), false;
        const std::string line = body.substr(at, eol - at);
        char* endOfNumber = NULL;
        const long n = line.compare(0, strlen(prefix), prefix) == 0 ? strtol(line.c_str() + strlen(prefix), &endOfNumber, 10)
                                                                    : -1;
        if (endOfNumber == NULL || *endOfNumber != '\0' || (last >= 0 && n != last + 1))
            return why = "after line " + std::to_string(last) + " comes [" + line.substr(0, 40) + "]", false;
        if (first < 0) first = n;
        last = n;
        at = eol + 2;
    }
    return true;
}

// The top of a pane line in the client area (negative above it).
static int lineTop(int line) {
    const LRESULT index = SendMessageA(hwndOutput, EM_LINEINDEX, line, 0);
    const LRESULT at = SendMessageA(hwndOutput, EM_POSFROMCHAR, index, 0);
    return at == -1 ? -100000 : (short)HIWORD(at);
}

// After a run the view ends on the end banner (at least three quarters of it in sight), of
// the empty line after it a quarter at most; in a pane of three lines or more the program's
// last line shows above it (the usual pane shows two and a part of a third).
static void viewEndsOnBanner(const char* run, bool lastLineShown) {
    const int lines = (int)SendMessageA(hwndOutput, EM_GETLINECOUNT, 0, 0);
    RECT client;
    GetClientRect(hwndOutput, &client);
    const int banner = lineTop(lines - 2), height = banner - lineTop(lines - 3), last = lineTop(lines - 4);
    ok(height > 0 && banner >= 0 && banner + height * 3 / 4 <= client.bottom,
       "%s: the end banner is not in view: top %d, line height %d, pane height %ld", run, banner, height,
       client.bottom);
    ok(banner + height + height / 4 >= client.bottom, "%s: an empty line below the end banner is in view", run);
    if (lastLineShown)
        ok(client.bottom >= 3 * height && last >= 0, "%s: the program's last line is out of view: top %d in %ld",
           run, last, client.bottom);
}

static void mixedInsertions() {
    ok(startRun(Mix) && qc_wait_for([] { return (bool)_win.inputON; }, 10000), "the mix run does not ask for input");
    ok(paneWasCurrent(), "the prompt was not in the pane when the input box appeared");
    std::string expected = startBanner();
    for (int i = 0; i < 300; i++) expected += std::to_string(i) + (i % 10 == 9 ? "\r\n" : " ");
    expected += qc_ansi(L"中文") + "\r\n2.50 c\r\nno line break, then a prompt: " + qc_ansi(L"请输入一个数：");
    ok(qc_text(hwndOutput) == expected, "pane while asking:\n[%s]\nexpected:\n[%s]", qc_text(hwndOutput).c_str(),
       expected.c_str());
    for (const char* c = "42"; *c; ++c) PostMessageA(hwndInput, WM_CHAR, (BYTE)*c, 1);
    PostMessageA(hwndInput, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(hwndInput, WM_KEYUP, VK_RETURN, 0xC0000001);
    ok(qc_wait_idle(10000) && asked == 42, "the mix run did not read 42 (%d) and end", asked);
    expected += "got 42\r\n" + endBanner();
    ok(qc_text(hwndOutput) == expected, "pane after the mix run:\n[%s]\nexpected:\n[%s]",
       qc_text(hwndOutput).c_str(), expected.c_str());
    viewEndsOnBanner("mix", false);
}

static void trimWhileClicking() {
    ok(startRun(Trim), "the trim run did not start");
    int clicks = 0;
    // Clicks into the pane move its caret to the top. They are sent, not posted: posted ones
    // pile up faster than a pane of a megabyte takes them, and the pile would hold back the
    // paint that starts the next run for seconds after this one.
    while (_runing) {
        SendMessageA(hwndOutput, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageA(hwndOutput, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        ++clicks;
        Sleep(5);
    }
    ok(qc_wait_idle(60000), "the trim run did not end");
    const std::string pane = qc_text(hwndOutput);
    long first, last;
    std::string why;
    ok(numberedLines(pane, "t", true, first, last, why), "after %d clicks: %s", clicks, why.c_str());
    ok(last == kTrimLines - 1 && first > 0 && pane.size() <= (1u << 20), "lines %ld to %ld, %u bytes", first, last,
       (unsigned)pane.size());
    viewEndsOnBanner("trim, in a pane of a third of the window", true);
}

static void stopWhilePrinting() {
    for (int round = 0; round < 5; round++) {
        printed = 0;
        // A busy machine may be slow to print the lines: they are waited for generously.
        ok(startRun(Endless), "round %d: the endless run did not start", round);
        const long wanted = 2000L + 1500L * round;
        ok(qc_wait_for([&] { return printed > wanted; }, 60000), "round %d: the endless run printed %ld of %ld lines",
           round, (long)printed, wanted);
        qc_command(1);
        ok(qc_wait_idle(10000), "the endless run did not stop");
        const std::string pane = qc_text(hwndOutput);
        long first, last;
        std::string why;
        ok(numberedLines(pane, "n", true, first, last, why), "round %d: %s", round, why.c_str());
        // The worker may be stopped between a line and counting it.
        ok(last == printed - 1 || last == printed, "round %d: %ld lines printed, the pane ends at line %ld", round,
           (long)printed, last);
    }
}

static LONG WINAPI checkPaneOnCrash(EXCEPTION_POINTERS* crash) {
    // The runtime's own filter runs first, as it would without this test.
    if (runtimeFilter != NULL) runtimeFilter(crash);
    ok(paneWasCurrent(), "the pane did not show what was printed before the crash");
    long first, last;
    std::string why;
    ok(numberedLines(qc_text(hwndOutput), "c", false, first, last, why) && first == 0 && last == kCrashLines - 1,
       "pane at the crash (lines %ld to %ld): %s", first, last, why.c_str());
    qc_finish();
    return EXCEPTION_EXECUTE_HANDLER;
}

void driver() {
    ok(qc_wait_idle(5000), "the first run did not end");
    ok(runtimeFilter == NULL, "a filter before the crash run");
    mixedInsertions();
    trimWhileClicking();
    stopWhilePrinting();
    // The crash run ends the test from its filter.
    ok(startRun(Crash), "the crash run did not start");
    Sleep(30000);
    ok(false, "the crash run did not crash");
}
