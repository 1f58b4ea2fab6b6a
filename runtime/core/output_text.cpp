#include "output_text.h"

namespace qiv {

std::string paneText(std::string text) {
    // Walking backwards keeps the positions still to be visited where they are.
    for (size_t i = text.size(); i-- > 0;)
        if (text[i] == '\n') text.insert(i, 1, '\r');
    return text;
}

void startRunNumberFormat(std::ios_base& stream) {
    stream.setf(std::ios_base::fixed, std::ios_base::floatfield);
    stream.precision(2);
}

}  // namespace qiv
