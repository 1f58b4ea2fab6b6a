// The line buffer behind cin and the history of accepted lines that Up and Down bring back.
#ifndef QIV_INPUT_LINE_H
#define QIV_INPUT_LINE_H

#include <ios>
#include <sstream>
#include <string>

namespace qiv {

// Replaces the buffer by an accepted line followed by one blank, with cleared state flags.
// The blank makes sure a value at the very end of the line is followed by white space, so
// reading it never reports end of data.
void acceptLine(std::stringstream& buffer, const std::string& line);

// After an extraction: the buffer is used up or the text did not fit the type, so another
// line is needed before the value can be read.
bool needsNextLine(const std::ios& buffer);

// After an extraction: it failed on text that is still there (letters for a number); the
// user hears a beep before typing again. An exhausted buffer does not beep.
bool failedWithDataLeft(const std::ios& buffer);

// Where Up and Down leave the history cursor, and whether they show an entry.
struct HistoryStep {
    int index;  // the new cursor
    bool show;  // entry `index` replaces the box text
};

// Up steps back one entry, stopping at the first; Down steps forward, stopping at the last.
// A cursor past the end (right after a line was accepted) shows nothing on Down.
HistoryStep historyUp(int index, int count);
HistoryStep historyDown(int index, int count);

}  // namespace qiv

#endif
