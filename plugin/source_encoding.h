// What a build does with the document's encoding. Student programs print GBK text (the
// runtime's windows and the console speak the ANSI code page) and the compiler copies a
// string's bytes as they are in the file, so a document the editor keeps in UTF-8 with
// Chinese text in it would print mojibake. Such a document is converted to the ANSI code
// page with the editor's own command before it is saved, and the build says so; when it
// holds a character the code page cannot hold, nothing is converted and nothing is built.
// Pure logic: the Windows side asks the editor and applies the decision.
#ifndef QIV_PLUGIN_SOURCE_ENCODING_H
#define QIV_PLUGIN_SOURCE_ENCODING_H

#include <functional>
#include <string>
#include <string_view>

// The editor's buffer encodings (NPPM_GETBUFFERENCODING).
enum BufferEncoding : int {
    bufferAnsi = 0,           // the ANSI code page, or a code page the editor detected (GBK)
    bufferUtf8Bom = 1,
    bufferUtf16BigEndian = 2,
    bufferUtf16LittleEndian = 3,
    bufferUtf8 = 4,           // UTF-8 without byte order mark
    bufferSevenBit = 5,
    bufferUtf16BigEndianNoBom = 6,
    bufferUtf16LittleEndianNoBom = 7,
};

// The code page of the editor's character-set menu item IDM_FORMAT_ENCODE + index (the
// editor checks the one a document is held in: a file whose code page it detected on
// opening, such as a GBK file, is kept as UTF-8 inside and written back in that code page,
// although its buffer encoding says UTF-8). 0 for an index without a code page.
int encodingMenuCodePage(int index);
// True for the code pages that hold a character in one or two bytes (GBK, Big5, ...).
bool isDoubleByteCodePage(int codePage);

// True for the UTF-8 and UTF-16 encodings, which the build converts when they hold more
// than ASCII.
bool isUnicodeBuffer(int bufferEncoding);
// The encoding's name as the panel shows it: L"UTF-8", L"UTF-16", L"ANSI".
std::wstring bufferEncodingName(int bufferEncoding);

struct EncodingDecision {
    enum Action {
        BuildAsItIs,    // the file is read by the compiler as the student sees it
        ConvertToAnsi,  // convert the document to the ANSI code page, then build
        Refuse,         // a character does not fit the ANSI code page: no build
    } action = BuildAsItIs;
    int line = 0;                // Refuse: 1-based line of the first such character
    std::u32string character;    // Refuse: that character
};

// Decides for a document of `bufferEncoding`, held in the code page `heldCodePage` (0 when
// the editor holds it in no code page of its own), whose text, as UTF-8, is `utf8Text`.
// `fitsAnsi(c)` tells whether the ANSI code page can hold the character c.
// A document held in a code page is written back in it and built as it is, like ANSI
// documents (and unknown encodings); UTF-8 documents are converted only when they hold
// non-ASCII text; UTF-16 files cannot be read by the compiler at all, so they are always
// converted. Text that is not valid UTF-8 counts as not fitting.
EncodingDecision decideSourceEncoding(int bufferEncoding, int heldCodePage, std::string_view utf8Text,
                                      const std::function<bool(char32_t)> &fitsAnsi);

#endif
