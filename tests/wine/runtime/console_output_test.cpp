// The output pane as a program sees it: numbers, characters and strings printed with cout,
// the number format of every run start, output at the end wherever the caret is, the fonts of the
// console windows; read back from the pane itself.
#include <qiv_check.h>

static volatile int runs = 0;

// The font a window was given: height, character set, pitch and family, face.
static void checkFont(HWND window, const wchar_t* face, int height, int line) {
    HFONT font = (HFONT)SendMessageA(window, WM_GETFONT, 0, 0);
    LOGFONTA lf;
    ZeroMemory(&lf, sizeof lf);
    const bool got = font != NULL && GetObjectA(font, sizeof lf, &lf) == sizeof lf;
    qc_ok(got, __FILE__, line, "no font on window %p", (void*)window);
    if (!got) return;
    qc_ok(lf.lfHeight == height && lf.lfWidth == 0 && lf.lfWeight == FW_NORMAL && lf.lfCharSet == GB2312_CHARSET &&
              lf.lfPitchAndFamily == (FF_SWISS | DEFAULT_PITCH) && !lf.lfItalic && !lf.lfUnderline &&
              lf.lfEscapement == 0,
          __FILE__, line, "font: height %ld width %ld weight %ld charset %d family %#x", lf.lfHeight, lf.lfWidth,
          lf.lfWeight, lf.lfCharSet, lf.lfPitchAndFamily);
    qc_ok(qc_ansi(face) == lf.lfFaceName, __FILE__, line, "face [%s]", lf.lfFaceName);
}

static void firstRun() {
    // Each insertion reaches the pane before it returns.
    const std::string start = qc_ansi(L"==== 运行中... ====\r\n");
    cout << 1.0 / 3;
    ok(qc_text(hwndOutput) == start + "0.33", "pane right after one insertion: [%s]", qc_text(hwndOutput).c_str());
    cout << ' ' << 2.5 << ' ' << 10 << ' ' << 'A' << endl;
    cout << "a" << endl << "b" << endl;
    cout << "one\ntwo" << endl;
    cout << "cr\r\nlf" << endl;
    const std::string before = qc_text(hwndOutput);
    cout << "" << fixed;
    ok(qc_text(hwndOutput) == before, "an empty text or a manipulator changed the pane");
    cout << setw(5) << 7 << 7 << endl;
    cout << setprecision(4) << 3.14159 << ' ' << 0.5 << endl;
    cout << scientific << 1500.0 << endl;
    cout << string("str") << ' ' << -12L << ' ' << 123456789012LL << ' ' << true << endl;
    cout << qc_ansi(L"你好") << endl;
}

static void secondRun() {
    // The run start restored fixed notation and two decimals; a caret the user put
    // elsewhere does not move the output: text always goes to the end.
    cout << 3.14159 << ' ' << 1500.0 << ' ' << setw(4) << 1 << endl;
    SendMessageA(hwndOutput, EM_SETSEL, 0, 0);
    cout << "X";
}

static void driver() {
    const std::string start = qc_ansi(L"==== 运行中... ====\r\n");
    const std::string end = qc_ansi(L"\r\n==== 运行结束  ====\r\n");
    ok(qc_wait_idle(5000), "the first run did not end");
    const std::string expected = start + "0.33 2.50 10 A\r\n" + "a\r\nb\r\n" + "one\r\ntwo\r\n" + "cr\r\r\nlf\r\n" +
                                 "    77\r\n" + "3.1416 0.5000\r\n" + "1.5000e+03\r\n" + "str -12 123456789012 1\r\n" +
                                 qc_ansi(L"你好") + "\r\n" + end;
    ok(qc_text(hwndOutput) == expected, "pane after the first run:\n[%s]\nexpected:\n[%s]", qc_text(hwndOutput).c_str(),
       expected.c_str());

    qc_command(1);
    ok(qc_wait_for([] { return runs == 2; }, 5000) && qc_wait_idle(5000), "the second run did not run");
    // The output and the end banner stay in order after the caret was moved to the start.
    const std::string second = start + "3.14 1500.00    1\r\nX" + end;
    ok(qc_text(hwndOutput) == second, "pane after the second run: [%s]", qc_text(hwndOutput).c_str());

    checkFont(hwndOutput, L"宋体", 12, __LINE__);
    checkFont(hwndInputCaption, L"黑体", 14, __LINE__);
    checkFont(hwndInput, L"黑体", 14, __LINE__);
    checkFont(hwndEdit, L"黑体", 15, __LINE__);

    // _clearOutput empties the pane, also an empty one.
    _clearOutput();
    ok(qc_text(hwndOutput).empty(), "pane after clearing: [%s]", qc_text(hwndOutput).c_str());
    _clearOutput();
    ok(qc_text(hwndOutput).empty(), "pane after clearing twice: [%s]", qc_text(hwndOutput).c_str());
}

int main() {
    const int run = ++runs;
    if (run == 1) {
        qc_watchdog(30000);
        firstRun();
        qc_start_driver(driver);
    } else if (run == 2) {
        secondRun();
    }
    return 0;
}
