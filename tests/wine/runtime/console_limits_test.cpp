// The console with much text: an output pane fed megabytes keeps the newest lines and the
// end banner (the oldest lines go, whole), and a very long typed line reaches cin whole,
// never cut inside a Chinese character.
#include <qiv_check.h>

enum Mode { Nothing, ManyLines, OneHugeText, LongInput };
static volatile int mode = Nothing;
static volatile int runs = 0;
static volatile bool started = false;
static string typed;
static const long kLines = 120000;  // about 2.3 MB of output

int main() {
    ++runs;
    started = true;
    if (runs == 1) {
        qc_watchdog(300000);
        extern void driver();
        qc_start_driver(driver);
        return 0;
    }
    switch (mode) {
    case ManyLines:  // in blocks of 1,000 lines: one insertion each
        for (long i = 0; i < kLines; i += 1000) {
            ostringstream block;
            for (long j = i; j < i + 1000; ++j) block << "line " << j << '\n';
            cout << block.str();
        }
        break;
    case OneHugeText: {
        // 700,000 bytes in one insertion: Chinese characters after one ASCII byte, so that
        // the pane's cut would fall on a trail byte if it did not respect characters.
        string s = "x";
        const string zhong = qc_ansi(L"\x4E2D");
        while (s.size() < 700000) s += zhong;
        cout << s << "|end" << endl;
        break;
    }
    case LongInput: cin >> typed; break;
    default: break;
    }
    return 0;
}

static bool startRun(int m) {
    mode = m;
    started = false;
    qc_command(1);
    return qc_wait_for([] { return started && _runing; }, 5000);
}

static void pressEnter(HWND box) {
    PostMessageA(box, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(box, WM_KEYUP, VK_RETURN, 0xC0000001);
}

// True when no byte of s is a GBK lead byte without its trail.
static bool wholeCharacters(const std::string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = (unsigned char)s[i];
        if (c >= 0x81 && c <= 0xFE) {
            if (i + 1 >= s.size()) return false;
            ++i;
        }
    }
    return true;
}

void driver() {
    ok(qc_wait_idle(5000), "the first run did not end");
    const std::string endBanner = qc_ansi(L"==== \x8FD0\x884C\x7ED3\x675F  ====");

    ok(startRun(ManyLines) && qc_wait_idle(240000), "the output run did not end");
    std::string pane = qc_text(hwndOutput);
    char last[64];
    sprintf(last, "line %ld\r\n", kLines - 1);
    ok(pane.find(last) != std::string::npos, "the newest line is missing (pane of %u bytes)", (unsigned)pane.size());
    ok(qc_count(pane, endBanner) == 1, "%d end banners after 2 MB of output", qc_count(pane, endBanner));
    ok(pane.size() > 100000 && pane.size() <= (1u << 20), "the pane holds %u bytes", (unsigned)pane.size());
    ok(pane.compare(0, 5, "line ") == 0, "the pane does not start with a whole line: [%.20s]", pane.c_str());

    ok(startRun(OneHugeText) && qc_wait_idle(60000), "the huge-text run did not end");
    pane = qc_text(hwndOutput);
    ok(pane.find("|end") != std::string::npos && qc_count(pane, endBanner) == 1,
       "after one 700 KB insertion: end %d, banners %d", pane.find("|end") != std::string::npos,
       qc_count(pane, endBanner));
    ok(wholeCharacters(pane), "the pane holds half a character");

    // 5,000 Chinese characters pasted into the input line reach cin whole.
    std::wstring wide(5000, L'\x4E2D');
    char gbk[20000];
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, gbk, sizeof gbk, NULL, NULL);
    ok(n == 10001, "the line is %d bytes in the code page", n);
    ok(startRun(LongInput) && qc_wait_for([] { return (bool)_win.inputON; }, 5000), "the run does not wait for input");
    SetWindowTextA(hwndInput, gbk);
    pressEnter(hwndInput);
    ok(qc_wait_idle(10000), "the input run did not end");
    ok(typed.size() == 10000 && wholeCharacters(typed) && typed == std::string(gbk),
       "cin read %u bytes of the 10000 typed", (unsigned)typed.size());

    // 100 KiB pasted through the clipboard, past the edit control's own 30,000 characters:
    // whole too, and without the freeze of a box that wraps its line (minutes at this size).
    std::wstring pasted(51200, L'\x4E2D');
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    const bool onClipboard = OpenClipboard(NULL) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != NULL;
    CloseClipboard();
    ok(onClipboard, "the test could not use the clipboard");
    ok(startRun(LongInput) && qc_wait_for([] { return (bool)_win.inputON; }, 5000), "the run does not wait for input");
    const DWORD pasteStart = GetTickCount();
    SendMessageA(hwndInput, WM_PASTE, 0, 0);
    pressEnter(hwndInput);
    ok(qc_wait_idle(10000), "the pasted input run did not end");
    const DWORD pasteTime = GetTickCount() - pasteStart;
    ok(typed.size() == 102400 && wholeCharacters(typed), "cin read %u bytes of the 102400 pasted",
       (unsigned)typed.size());
    ok(pasteTime < 5000, "pasting and reading 100 KiB took %lu ms", (unsigned long)pasteTime);
}
