#include "plugin_state.h"

NppData nppData = {nullptr, nullptr, nullptr};
EditorContext editorContext = {};
bool buildSucceeded = true;
int runCount = 0;
COLORREF lastColour = 0;
int panelCommandIndex = 10;
