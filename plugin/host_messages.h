// Message numbers and constants of the editor host interface used by the plug-in.
//
// Shared file: the stand-in editor host (tests/host/) includes this header as
// "plugin/host_messages.h" (add the source root to its include path) so that the plug-in
// and the host agree on every number. The records exchanged with the host (NppData,
// FuncItem, ShortcutKey, tTbData) are in plugin/host_records.h, which needs <windows.h>.
//
// This header compiles without <windows.h>. EM_REPLACESEL (0x00C2) is a standard edit
// control message and comes from <windows.h> where it is needed.
#ifndef QIV_PLUGIN_HOST_MESSAGES_H
#define QIV_PLUGIN_HOST_MESSAGES_H

// Messages sent to the host main window.
constexpr unsigned int NPPM_GETCURRENTSCINTILLA = 2028;  // 0, int* -> 0 main view, 1 second, -1 none
constexpr unsigned int NPPM_MODELESSDIALOG = 2036;       // MODELESSDIALOGADD/REMOVE, HWND
constexpr unsigned int NPPM_DMMSHOW = 2054;              // 0, HWND of a registered panel
constexpr unsigned int NPPM_DMMHIDE = 2055;              // 0, HWND of a registered panel
constexpr unsigned int NPPM_DMMUPDATEDISPINFO = 2056;    // 0, HWND of a registered panel
constexpr unsigned int NPPM_DMMREGASDCKDLG = 2057;       // 0, tTbData*
constexpr unsigned int NPPM_SAVECURRENTFILE = 2062;      // 0, 0
constexpr unsigned int NPPM_MENUCOMMAND = 2072;          // 0, menu command id (IDM_*)
constexpr unsigned int NPPM_HIDETABBAR = 2075;           // 0, FALSE shows the tab bar
constexpr unsigned int NPPM_SAVECURRENTFILEAS = 2102;    // 0 (not a copy), const wchar_t* path
constexpr unsigned int NPPM_GETCURRENTDIRECTORY = 4026;  // buffer units, wchar_t* buffer
constexpr unsigned int NPPM_GETFILENAME = 4027;          // buffer units, wchar_t* buffer
constexpr unsigned int NPPM_GETNAMEPART = 4028;          // buffer units, wchar_t* buffer
constexpr unsigned int NPPM_GETNPPDIRECTORY = 4031;      // buffer units, wchar_t* buffer
constexpr unsigned int NPPM_GETCURRENTBUFFERID = 2084;   // 0, 0 -> id of the current document
constexpr unsigned int NPPM_GETBUFFERENCODING = 2090;    // buffer id, 0 -> 0 ANSI, 1/4 UTF-8, ...; -1 unknown id
constexpr unsigned int NPPM_GETMENUHANDLE = 2049;        // NPPMAINMENU, 0 -> the editor's main menu
constexpr int NPPMAINMENU = 1;

// Menu commands passed with NPPM_MENUCOMMAND.
constexpr int IDM_FILE_NEW = 41001;     // new empty document, made current
constexpr int IDM_FORMAT_ANSI = 45004;  // current document switched to the ANSI code page
constexpr int IDM_FORMAT_CONV2_ANSI = 45009;  // current document's text converted to the ANSI code page
                                              // (does nothing for a document held in a code page)
// The editor's "character sets" items: the one of the code page a document is held in is
// checked (IDM_FORMAT_ENCODE + index, see encodingMenuCodePage), none for UTF-8 and ANSI.
constexpr int IDM_FORMAT_ENCODE = 45020;
constexpr int IDM_FORMAT_ENCODE_COUNT = 49;
constexpr int IDM_FORMAT_GB2312 = 45061;     // code page 936 (GBK)
constexpr int IDM_FORMAT_BIG5 = 45060;       // code page 950

// The editor's own commands whose default keys (F11, F12, F8, F1) the plug-in's commands use.
constexpr int IDM_VIEW_POSTIT = 44009;              // F12
constexpr int IDM_VIEW_FULLSCREENTOGGLE = 44032;    // F11
constexpr int IDM_VIEW_SWITCHTO_OTHER_VIEW = 44072; // F8
constexpr int IDM_ABOUT = 47000;                    // F1

// wParam of NPPM_MODELESSDIALOG.
constexpr int MODELESSDIALOGADD = 0;
constexpr int MODELESSDIALOGREMOVE = 1;

// Messages sent to an editor view (SendMessageW, narrow text as lParam).
constexpr unsigned int SCI_GOTOLINE = 2024;      // line index, 0
constexpr unsigned int SCI_SETTEXT = 2181;       // 0, const char* text
constexpr unsigned int SCI_ENSUREVISIBLE = 2232; // line index, 0
constexpr unsigned int SCI_CHARRIGHT = 2306;     // 0, 0
constexpr unsigned int SCI_GETLENGTH = 2006;     // 0, 0 -> bytes of the text
constexpr unsigned int SCI_GETTEXT = 2182;       // buffer size, char* buffer (text and a terminator)
constexpr unsigned int SCI_GETCODEPAGE = 2137;   // 0, 0 -> 65001 when the view holds UTF-8

// Docking manager: notification codes (WM_NOTIFY from the host main window, compared on
// the low 16 bits of NMHDR::code) and the registration mask of a bottom-docked panel.
constexpr unsigned int DMN_CLOSE = 1051;
constexpr unsigned int DMN_DOCK = 1052;
constexpr unsigned int DMN_FLOAT = 1053;
constexpr unsigned int DWS_DF_CONT_BOTTOM = 0x30000000;

#endif
