#include "input_line.h"

namespace qiv {

void acceptLine(std::stringstream& buffer, const std::string& line) {
    buffer.str("");
    buffer.clear();
    buffer << line << ' ';
}

bool needsNextLine(const std::ios& buffer) { return buffer.eof() || buffer.fail() || buffer.bad(); }

bool failedWithDataLeft(const std::ios& buffer) { return buffer.fail() && !buffer.eof(); }

namespace {
HistoryStep shown(int index, int count) { return HistoryStep{index, index >= 0 && index < count}; }
}  // namespace

HistoryStep historyUp(int index, int count) { return shown(index > 0 ? index - 1 : index, count); }

HistoryStep historyDown(int index, int count) { return shown(index < count - 1 ? index + 1 : index, count); }

}  // namespace qiv
