// Paths in the ANSI code page (GBK): cut only between characters. The second byte of a
// Chinese character can be 0x5C, the byte of '\', so a plain byte search for the last
// backslash may find half of a character instead.
#ifndef QIV_GBK_PATH_H
#define QIV_GBK_PATH_H

#include <string>

namespace qiv {

// True for a byte that starts a two-byte GBK character (0x81-0xFE).
bool gbkLeadByte(unsigned char c);

// Position of the last byte of `path` that is one of `separators` standing as a character
// of its own (not the second byte of a two-byte character); npos when there is none.
std::string::size_type lastSeparator(const std::string& path, const char* separators);

// The longest start of `text` of at most `bytes` bytes that ends between characters.
std::string gbkPrefix(const std::string& text, std::string::size_type bytes);

// A name beside `path` for writing a file before it replaces `path`, exactly as long as
// `path` (so it fits wherever the path fits): the last character of the file name becomes
// '~' for attempt 0 and then 0-9, a-z; a two-byte last character gives way to '~' and one
// of those. Empty when attempt is out of range or the path has no file name.
std::string temporaryBeside(const std::string& path, int attempt);

}  // namespace qiv

#endif
