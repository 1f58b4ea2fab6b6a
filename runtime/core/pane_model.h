// The output pane's text as the program's insertions leave it. The pane shows what the
// program prints in batches; this model applies every insertion exactly by the pane's rules,
// so that a batch reaches the pane as one change and reads the same as if each insertion had
// been shown on its own:
//  - at most kPaneLimit characters: before an insertion would pass it, whole oldest lines
//    are dropped;
//  - a line goes on on the next line of the pane after kPaneLineLimit bytes, as a console
//    wraps it (the pane's edit control takes seconds per insertion into a line of tens of
//    kilobytes; a program printing numbers with spaces between would crawl).
// Pure logic, no Windows calls.
#ifndef QIV_PANE_MODEL_H
#define QIV_PANE_MODEL_H

#include <cstddef>
#include <string>
#include <utility>

#include "output_text.h"

namespace qiv {

constexpr std::size_t kPaneLineLimit = 4096;

class PaneModel {
public:
    explicit PaneModel(long limit = kPaneLimit) : limit_(limit) {}

    // Appends one insertion (its line feeds already CR LF). True when the oldest lines were
    // dropped first: the pane's text must then be set anew, not appended to. Otherwise the
    // text to append to the pane is added to `appended` (the insertion with its long lines
    // broken, or its end only where it is longer than half the pane).
    bool append(std::string insertion, std::string& appended);
    bool append(std::string insertion) {
        std::string ignored;
        return append(std::move(insertion), ignored);
    }
    void clear() {
        text_.clear();
        column_ = 0;
    }
    const std::string& text() const { return text_; }

private:
    // Breaks the lines of an insertion that would pass kPaneLineLimit, continuing from the
    // pane's last line, never inside a GBK character.
    std::string wrapped(const std::string& insertion);

    std::string text_;
    long limit_;
    std::size_t column_ = 0;  // bytes of the pane's last line
};

// Where the pane's text is cut when at least `count` characters must go from its front: the
// start of the line after the one holding that position; the whole text when that line is
// the last (a line ends after its line feed).
std::size_t lineCutAfter(const std::string& text, std::size_t count);

}  // namespace qiv

#endif
