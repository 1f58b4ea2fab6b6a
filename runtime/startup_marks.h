// When each step of a program's start was reached, in milliseconds from the creation of its
// process: kept for the start-up benchmark (tests/bench/startup_latency prints them), so that
// the time to a program's first statement can be told apart step by step. Only the first run
// of a process is recorded.
#ifndef QIV_STARTUP_MARKS_H
#define QIV_STARTUP_MARKS_H

enum StartupMark {
    kMarkWinMain,      // the entry is reached (the system's own process start before it)
    kMarkSettings,     // settings read, pen head prepared
    kMarkMainWindow,   // main window and menu bar created
    kMarkChildren,     // canvas, output pane and input boxes created
    kMarkFirstPaint,   // the canvas's first paint: the run begins
    kMarkWorker,       // the worker runs (after the UI thread's 20 ms wait it may talk to it)
    kMarkRunSetup,     // Run/Stop buttons, pane emptied, head ready
    kMarkBanner,       // the start banner is in the pane
    kMarkWorkZq,       // after the 50 ms wait: the program's first statement
    kMarkCount
};

extern double _startupMarks[kMarkCount];

void _markStartup(StartupMark mark);

#endif
