// Where the time of a build goes. When the environment variable QIV_BUILD_TIMES names a
// file, every step of a build appends a line "<milliseconds since the key> <step>" to it, and
// the program's start one more; the benchmark prints them as the breakdown of F11. Without
// the variable each call is one test of a flag.
#ifndef QIV_BUILD_TIMING_H
#define QIV_BUILD_TIMING_H

// The key was pressed: the times of the following steps count from here.
void buildTimingStart();
// A step ended (a short ASCII name).
void buildTimingStep(const char *step);

#endif
