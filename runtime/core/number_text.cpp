#include "number_text.h"

namespace qiv {

std::string decimalText(long long n) {
    // Work on the magnitude as unsigned: -LLONG_MIN does not fit a long long.
    unsigned long long m = n < 0 ? 0ull - static_cast<unsigned long long>(n)
                                 : static_cast<unsigned long long>(n);
    char digits[24];
    int at = sizeof digits;
    do {
        digits[--at] = static_cast<char>('0' + m % 10);
        m /= 10;
    } while (m > 0);
    if (n < 0) digits[--at] = '-';
    return std::string(digits + at, digits + sizeof digits);
}

}  // namespace qiv
