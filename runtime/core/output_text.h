// Text on its way into the output pane: the pane breaks lines with CR LF, and every run
// starts cout with the same number format.
#ifndef QIV_OUTPUT_TEXT_H
#define QIV_OUTPUT_TEXT_H

#include <ios>
#include <string>

namespace qiv {

// Every line feed becomes CR LF; a CR already in the text stays ("\r\n" -> "\r\r\n").
std::string paneText(std::string text);

// The number format every run starts with: fixed notation, two decimals. Width, fill and
// base are left as they are.
void startRunNumberFormat(std::ios_base& stream);

// Characters the output pane holds at most. Before an insertion would take it beyond that,
// the oldest lines are dropped, so the newest text and the end banner always show.
constexpr long kPaneLimit = 1L << 20;

// How many characters at the front of a pane of `length` characters must go before `adding`
// more are appended: none while everything fits the limit; otherwise enough to bring the
// pane down to half the limit with the new text (so that dropping is rare), at most all of
// it. The pane drops whole lines: it cuts at the end of the line holding that position.
long paneFrontToDrop(long length, long adding, long limit);

// Where the part of a text longer than the whole pane starts that is kept: the last
// `keep` bytes at most, starting at a GBK character boundary (never on a trail byte).
std::size_t gbkTailStart(const std::string& text, std::size_t keep);

}  // namespace qiv

#endif
