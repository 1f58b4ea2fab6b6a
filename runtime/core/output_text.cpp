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

long paneFrontToDrop(long length, long adding, long limit) {
    if (length < 0) length = 0;
    if (adding < 0) adding = 0;
    if (length <= limit && adding <= limit - length) return 0;
    const long keepOld = limit / 2 - adding;
    if (keepOld <= 0) return length;
    return length > keepOld ? length - keepOld : 0;
}

std::size_t gbkTailStart(const std::string& text, std::size_t keep) {
    if (text.size() <= keep) return 0;
    const std::size_t earliest = text.size() - keep;
    // Walk the characters from the start: a byte of 0x81-0xFE leads a two-byte character.
    std::size_t at = 0;
    while (at < earliest) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        at += (c >= 0x81 && c <= 0xFE && at + 1 < text.size()) ? 2 : 1;
    }
    return at;
}

}  // namespace qiv
