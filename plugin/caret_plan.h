// The messages that move the caret to a 1-based line and column of an editor view
// (gotoLineColumn). Pure logic: the Win32 side sends the planned messages in order.
#ifndef QIV_PLUGIN_CARET_PLAN_H
#define QIV_PLUGIN_CARET_PLAN_H

#include <vector>

struct ViewMessage {
    unsigned int message;
    long wParam;  // lParam is always 0
    int repeat;   // how many times the message is sent
};

struct CaretPlan {
    bool needsView;                     // false: nothing to do, the move counts as done
    std::vector<ViewMessage> messages;  // sent to the current view in this order
};

// Longest caret walk along a line: a column from damaged compiler output must not keep
// the editor busy with millions of single-character moves.
constexpr int maxCaretColumnMoves = 10000;

// Line -1 means "no position": nothing is sent. Otherwise the line is made visible, the
// caret goes to its start, then moves column - 1 characters right (none for column <= 1,
// at most maxCaretColumnMoves).
CaretPlan gotoLineColumnPlan(int line, int column);

#endif
