// Everything the stand-in host reports goes to standard output as UTF-8 lines, one
// writer at a time (the dialog watcher prints from its own thread).
#ifndef QIV_HOST_OUTPUT_H
#define QIV_HOST_OUTPUT_H

#include <string>

// Prints one line (a newline is appended) and flushes it at once.
void printLine(const std::string &utf8);
// Same, formatted like printf (the format and %s arguments are UTF-8).
void printFormatted(const char *format, ...) __attribute__((format(printf, 1, 2)));

#endif
