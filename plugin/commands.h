// The eleven command handlers of the plug-in's menu, in menu order of the command table.
#ifndef QIV_PLUGIN_COMMANDS_H
#define QIV_PLUGIN_COMMANDS_H

// Build and run (build driver).
void compileAndRunQiv();
void compileQiv();
void runQiv();
void compileAndRunCpp();

// New programs from the templates.
void newQivFile();
void newCppFile();

// Colour number at the caret.
void pickColour();

// Shell and information.
void openSampleFolder();
void openHelpFile();
void showAbout();

// Output panel.
void showOutputPanel();

#endif
