// The stand-in host's script: one command per line, run in order on the user-interface
// thread between messages, so that the plug-in sees the host as it would in the editor.
// Results are printed as "name: value" lines (UTF-8); a failing command prints
// "error: line N: ..." and ends the host with exit code 4.
//
// Commands (paths may be Windows paths or Linux paths, which become Z:\...):
//   open PATH              open a file in the current view
//   open-detected PATH     open a GBK file as the editor holds a detected code page: the view
//                          in UTF-8, the file written back in GBK, the buffer encoding UTF-8
//                          (4), the character set GB2312 checked in the menu
//   new                    new untitled document in the current view
//   view 0|1|none          make a view current (none: the host reports no current view)
//   set-text TEXT          replace the document's text (\n \r \t \\ escapes, UTF-8)
//   caret LINE COLUMN      place the caret (1-based)
//   save-as PATH           the host saves the current document under PATH
//   save-as-dialog PATH|cancel   how the next Save As dialog (saving an untitled document)
//                          is answered; without an answer it is cancelled
//   command N|TEXT         run the plug-in command at index N of the first plug-in, or the
//                          one whose menu text is TEXT, as a click on its menu item does
//   key NAME               press a key (F1..F24, A..Z, 0..9) through the shortcut table
//   host-command ID        click the host's own menu item ID (44032 full screen, ...)
//   dialog cancel|ok [R G B] [MS]   answer the next dialog box within MS milliseconds
//   dialog-check           wait for that answer and print "dialog: cancelled "title"" etc.
//   desktop PATH           the user's desktop folder is PATH until the host ends
//   panel-height PIXELS    height of the bottom docking area
//   window-size W H        outer size of the main window
//   tabbar hidden|shown    hide or show the tab strip, as the user can
//   close-panel            press the close button of the first docked panel
//   wait MS                let the host run for MS milliseconds
//   wait-panel TEXT [MS]   wait until the first panel's edit control contains TEXT
//   wait-window TITLE [MS]             wait until a top-level window titled TITLE is shown
//   wait-window-text TITLE TEXT [MS]   wait until an edit control of that window holds TEXT
//   close-window TITLE [MS]            ask that window to close and wait until it has gone
//   wait-no-window TITLE [MS]          wait until no window titled TITLE is shown
//   print-window TITLE                 "window: TITLE shown" or "window: TITLE none"
//   print-window-edits TITLE           its edit controls' texts, "window-edit N: TEXT"
//   print-menu             the Plugins menu as built: titles, ids, texts
//   print-commands         the plug-ins' command tables (FuncItem records)
//   print-doc              the current document: view, name, path, code page, state
//   print-text             the current document's text, escaped, one line
//   print-caret            caret line and column (1-based)
//   print-encoding         the buffer encoding, the view's and the file's code pages, and the
//                          code page the document is held in (its checked character set)
//   print-panels           every docked panel: name, module, command, mask, state
//   print-panel-text       the first panel's edit control (2501), one line per text line
//   print-panel-geometry   the first panel's client size and its edit control's rectangle
//   print-tabbar           whether the tab strip is shown
//   save-bytes PATH        write the current document's bytes to PATH (document unchanged)
//   echo TEXT              print TEXT
//   exit [CODE]            close the host (plug-ins notified and unloaded), exit with CODE
#ifndef QIV_HOST_SCRIPT_RUNNER_H
#define QIV_HOST_SCRIPT_RUNNER_H

#include <windows.h>

#include <string>
#include <vector>

constexpr UINT WM_APP_SCRIPT_STEP = WM_APP + 1;
constexpr int scriptExitFailure = 4;

// Appends lines to the script (from a file or the command line).
void addScriptLines(const std::vector<std::string> &lines);
bool addScriptFile(const std::wstring &path);
bool hasScript();
// Starts running the script once the message loop runs.
void startScript();
// WM_APP_SCRIPT_STEP and the script's WM_TIMER messages, from the main window.
void onScriptMessage(UINT message, WPARAM wParam);

#endif
