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

}  // namespace qiv

#endif
