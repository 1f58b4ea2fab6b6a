// Entry points of features that arrive with later work: the settings file, saving the
// picture, and the coordinate axes. Each keeps the program working in the
// meantime with the compiled-in defaults and does nothing else.
#include "runtime_internal.h"

// The window placement stays at its compiled-in values until the settings file is read.
void _initAug() {}

// Closing the window ends the run; nothing is stored yet.
void _saveAug() { _stopRun(); }

// "Save picture" is not available yet.
void _toolsSavePic() {}

// The coordinate axes are not drawn yet.
void showXY(int, int) {}
