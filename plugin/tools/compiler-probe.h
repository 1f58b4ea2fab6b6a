// Preprocessed by makeruntime.exe with the teacher's compiler (g++ -E -dM): the macros it
// defines tell its target, version, exception model and C runtime.
#include <_mingw.h>
