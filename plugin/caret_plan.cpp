#include "caret_plan.h"

#include "host_messages.h"

CaretPlan gotoLineColumnPlan(int line, int column) {
    CaretPlan plan{false, {}};
    if (line == -1) return plan;
    plan.needsView = true;
    plan.messages.push_back({SCI_ENSUREVISIBLE, static_cast<long>(line) - 1, 1});
    plan.messages.push_back({SCI_GOTOLINE, static_cast<long>(line) - 1, 1});
    if (column > 1) {
        int moves = column - 1 < maxCaretColumnMoves ? column - 1 : maxCaretColumnMoves;
        plan.messages.push_back({SCI_CHARRIGHT, 0, moves});
    }
    return plan;
}
