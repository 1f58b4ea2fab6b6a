// The plug-in's source conversion and compiler hint for scripts/run.sh, on the command line:
//   qiv-run-tool encode IN OUT   writes the program as the compiler is to read it: a UTF-8
//                                file with Chinese text converted to GBK (as the editor's
//                                build converts such a document), anything else as it is.
//                                Prints the plug-in's panel line (UTF-8) when it converted or
//                                refused; exit 1 when the program must not be built.
//   qiv-run-tool hint            reads a failed build step's output (GBK) on standard input
//                                and prints the plug-in's Chinese hint line (GBK) and
//                                "LINE:COLUMN" of the caret on a second line; nothing when
//                                there is no hint.
// The decisions and texts are the plug-in's own code (source_encoding, panel_texts,
// message_translation); only reading files and converting characters are done here.
#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "message_translation.h"
#include "panel_texts.h"
#include "source_encoding.h"

namespace {

// Converts between two character sets with glibc's iconv; false when a character does not fit.
bool convert(const char* from, const char* to, const std::string& in, std::string* out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out->assign(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = &(*out)[0];
    size_t dstLeft = out->size();
    const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1) && srcLeft == 0;
    iconv_close(cd);
    out->resize(out->size() - dstLeft);
    return ok;
}

std::string utf8Of(const std::wstring& wide) {
    std::string utf8;
    for (const wchar_t c : wide) {
        const unsigned u = static_cast<unsigned>(c);
        if (u < 0x80) {
            utf8 += static_cast<char>(u);
        } else if (u < 0x800) {
            utf8 += static_cast<char>(0xC0 | (u >> 6));
            utf8 += static_cast<char>(0x80 | (u & 0x3F));
        } else if (u < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (u >> 12));
            utf8 += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (u >> 18));
            utf8 += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return utf8;
}

bool fitsGbk(char32_t c) {
    const std::u32string one(1, c);
    std::string bytes;
    return convert("UTF-32LE", "GBK", std::string(reinterpret_cast<const char*>(one.data()), 4), &bytes);
}

bool writeFile(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// The editor opens a file with a byte order mark as UTF-8 with BOM, a file that is valid
// UTF-8 as UTF-8, and any other file in the code page it detects (GBK): that one is built as
// it is, like a document the editor holds in a code page.
int encode(const char* in, const char* out) {
    std::ifstream file(in, std::ios::binary);
    if (!file) {
        std::cerr << "qiv-run-tool: cannot read " << in << "\n";
        return 2;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const bool bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const std::string text = bom ? bytes.substr(3) : bytes;
    std::string check;
    const bool utf8 = convert("UTF-8", "UTF-32LE", text, &check);
    const int encoding = bom ? bufferUtf8Bom : utf8 ? bufferUtf8 : bufferAnsi;
    const EncodingDecision decision = decideSourceEncoding(encoding, 0, text, fitsGbk);
    std::string built = bytes;
    switch (decision.action) {
    case EncodingDecision::BuildAsItIs:
        break;
    case EncodingDecision::Refuse:
        std::cout << utf8Of(notConvertibleLine(decision.line, decision.character)) << "\n";
        return 1;
    case EncodingDecision::ConvertToAnsi:
        if (!convert("UTF-8", "GBK", text, &built)) {
            std::cout << utf8Of(conversionFailedLine()) << "\n";
            return 1;
        }
        std::cout << utf8Of(convertedToAnsiLine(bufferEncodingName(encoding))) << "\n";
        break;
    }
    if (!writeFile(out, built)) {
        std::cerr << "qiv-run-tool: cannot write " << out << "\n";
        return 2;
    }
    return 0;
}

// The hint of the compiler's output on standard input; with the built source (its file name
// as the compiler names it, and its bytes), read the way the plug-in reads it. The suggestion
// line, when there is one, follows the position line.
int hint(const char* sourcePath) {
    const std::string output((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    std::string source, name;
    if (sourcePath != nullptr) {
        std::ifstream in(sourcePath, std::ios::binary);
        source.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        name = sourcePath;
        const size_t slash = name.find_last_of("/\\");
        if (slash != std::string::npos) name.erase(0, slash + 1);
    }
    const MessageHint h = composeFirstMessageHint(output.data(), output.size(), StudentFile{name, source});
    if (h.found) {
        std::cout << h.text << "\n" << h.line << ":" << h.column << "\n";
        if (!h.suggestion.empty()) std::cout << h.suggestion << "\n";
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "encode" && argc == 4) return encode(argv[2], argv[3]);
    if (command == "hint" && (argc == 2 || argc == 3)) return hint(argc == 3 ? argv[2] : nullptr);
    std::cerr << "usage: qiv-run-tool encode IN OUT | qiv-run-tool hint [SOURCE]\n";
    return 2;
}
