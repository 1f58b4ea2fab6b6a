#include "gbk_path.h"

#include <cstring>

namespace qiv {

bool gbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

std::string::size_type lastSeparator(const std::string& path, const char* separators) {
    std::string::size_type found = std::string::npos;
    for (std::string::size_type at = 0; at < path.size();) {
        const unsigned char c = static_cast<unsigned char>(path[at]);
        if (gbkLeadByte(c) && at + 1 < path.size()) {
            at += 2;
            continue;
        }
        if (c != 0 && std::strchr(separators, c) != NULL) found = at;
        ++at;
    }
    return found;
}

std::string gbkPrefix(const std::string& text, std::string::size_type bytes) {
    std::string::size_type at = 0;
    while (at < text.size()) {
        const std::string::size_type width =
            gbkLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
        if (at + width > bytes) break;
        at += width;
    }
    return text.substr(0, at);
}

std::string temporaryBeside(const std::string& path, int attempt) {
    static const char kMarks[] = "~0123456789abcdefghijklmnopqrstuvwxyz";
    if (attempt < 0 || attempt >= static_cast<int>(sizeof kMarks - 1)) return std::string();
    const std::string::size_type slash = lastSeparator(path, "\\/:");
    const std::string::size_type nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart >= path.size()) return std::string();
    // The last character of the name: two bytes when it is a Chinese character.
    const std::string kept = gbkPrefix(path, path.size() - 1);
    std::string out = kept.size() >= nameStart ? kept : path.substr(0, path.size() - 1);
    if (out.size() + 2 == path.size()) out += '~';
    out += kMarks[attempt];
    return out;
}

}  // namespace qiv
