// File helpers of the installer tools (makeruntime.exe, makepch.exe): a file's identity for
// stamps, whole small files read and written, folders of paths.
#ifndef QIV_TOOL_FILES_H
#define QIV_TOOL_FILES_H

#include <string>

#include "pch_state.h"

namespace qivtools {

// Found or not, with size and last write time.
qiv::FileIdentity fileIdentity(const std::wstring &path);
bool fileExists(const std::wstring &path);
// The folder of a path (without the trailing backslash); "." for a bare name.
std::wstring folderOf(const std::wstring &path);
// The editor's folder N of a tool installed as N\Qiv\tools\<tool>.exe.
std::wstring editorFolderOfThisTool();

// The precompiled header at `gch` as its stamp sees it: identity and edge checksum (an
// unreadable one gets a checksum no written stamp has).
qiv::MadeHeader madeHeader(const std::wstring &gch);
// True when the editor's Qiv\logo.h.gch is there and current: its stamp names the logo.h and
// g++.exe of editor folder `editor` as they are now, and the header as it is. The build key
// then needs no make tool; anything else is for makepch to decide.
bool precompiledHeaderCurrent(const std::wstring &editor);

// The whole file (up to `limit` bytes), empty when it cannot be read.
std::string readFileBytes(const std::wstring &path, size_t limit = 64u << 20);
// Writes `bytes` to `path` through a temporary file beside it renamed into place, so a
// reader never sees half a file. False when anything failed (the old file then stays).
bool replaceFileBytes(const std::wstring &path, const std::string &bytes);
// Copies `from` over `to` the same way.
bool replaceFileWithCopy(const std::wstring &from, const std::wstring &to);

// A text in the ANSI code page, for the console output the installer and the plug-in read.
std::string ansi(const std::wstring &text);
std::wstring widen(const std::string &ascii);
// True when the ANSI code page holds `c` exactly (no substitute, no best-fit look-alike):
// whether a UTF-8 program can be built in that code page.
bool fitsAnsiCodePage(char32_t c);

}  // namespace qivtools

#endif
