// Decimal text of whole numbers without the stream machinery.
#ifndef QIV_NUMBER_TEXT_H
#define QIV_NUMBER_TEXT_H

#include <string>

namespace qiv {

// "0" for 0, the digits for positive numbers and a leading minus sign for negative ones;
// every 64-bit value, the most negative included.
std::string decimalText(long long n);

}  // namespace qiv

#endif
