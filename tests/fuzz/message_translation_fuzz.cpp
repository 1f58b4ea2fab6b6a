// libFuzzer target of the compiler message translation: arbitrary captured output, cut to
// the 1,090 bytes one read of the build pipe can return. Each input is translated twice: as
// an exactly sized buffer with no terminator (AddressSanitizer reports any read past it),
// and terminated with the failure text the build driver appends before translating.
// Every result must fit the hint line and be consistent; anything else aborts.
#include "message_translation.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kCapturedMax = 1090;

// "编译失败..." in GBK.
const char kFailureText[] = "\xB1\xE0\xD2\xEB\xCA\xA7\xB0\xDC...";

void check(const MessageHint& hint) {
    if (hint.text.size() > kHintLineSize - 1)
        std::abort();
    if (!hint.found && !hint.text.empty())
        std::abort();
    if (hint.suggestion.size() > kHintLineSize - 1)
        std::abort();
    // Line 0: a hint without a caret move (a link error, a message of a header only).
    if (hint.found && (hint.line < 0 || (hint.line > 0 && hint.column < 1) || hint.text.compare(0, 12, "============") != 0))
        std::abort();
}

}  // namespace

// The translation is compiled from a GBK copy of its source (this compiler has no option to
// convert literals); make sure the copy gives the same bytes before fuzzing.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char output[] = "main.cpp:3:1: error: expected unqualified-id before '{' token";
    const char expected[] =
        "============\xD4\xDA\xB5\xDA 3 \xD0\xD0\xB5\xDA 1 \xC1\xD0\xB8\xBD\xBD\xFC\xD3\xD0\xB4\xED"
        "\xCE\xF3:   '{'  \xC7\xB0\xC3\xE6\xBF\xC9\xC4\xDC\xB6\xE0\xC1\xCB '}'\xA3\xAC\xBB\xF2\xC6"
        "\xE4\xCB\xFB\xB4\xED\xCE\xF3.";
    if (composeFirstMessageHint(output, sizeof output - 1).text != expected)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t captured = size < kCapturedMax ? size : kCapturedMax;

    std::unique_ptr<char[]> exact(new char[captured]);
    if (captured > 0)
        std::memcpy(exact.get(), data, captured);
    check(composeFirstMessageHint(exact.get(), captured));

    std::string terminated(exact.get(), captured);
    terminated += kFailureText;
    check(composeFirstMessageHint(terminated.c_str(), terminated.size() + 1));
    return 0;
}
