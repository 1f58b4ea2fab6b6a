// The precompiled runtime header before a dialect program's compile step: the plug-in asks
// N\Qiv\tools\makepch.exe whether Qiv\logo.h.gch is current and has it made or removed when
// it is not. Writes its own panel lines.
#ifndef QIV_PLUGIN_FAST_HEADER_H
#define QIV_PLUGIN_FAST_HEADER_H

#include "build_command_lines.h"

// False when the build must not go on: a stale header that can be neither remade nor removed
// would be taken by the compiler instead of the current logo.h.
bool prepareFastHeader(const BuildNames &names);

#endif
