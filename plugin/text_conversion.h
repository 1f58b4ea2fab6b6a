// Conversions between the host's UTF-16 texts and the narrow texts of the compiler, the
// templates and the hints, always in the system ANSI code page (GBK on the target).
#ifndef QIV_PLUGIN_TEXT_CONVERSION_H
#define QIV_PLUGIN_TEXT_CONVERSION_H

#include <string>

// UTF-16 to ANSI; characters the code page lacks become the system's default character.
std::string toAnsi(const std::wstring &text);
// ANSI to UTF-16.
std::wstring fromAnsi(const std::string &text);

#endif
