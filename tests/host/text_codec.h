// Text conversions of the stand-in editor host: documents are byte strings in a code page,
// the edit controls that show them hold UTF-16 with CR LF line breaks, and everything the
// host prints or reads from a script is UTF-8.
#ifndef QIV_HOST_TEXT_CODEC_H
#define QIV_HOST_TEXT_CODEC_H

#include <windows.h>

#include <string>

// Bytes in `codePage` to UTF-16 and back.
std::wstring decodeText(const std::string &bytes, UINT codePage);
std::string encodeText(const std::wstring &text, UINT codePage);

inline std::wstring fromUtf8(const std::string &s) { return decodeText(s, CP_UTF8); }
inline std::string toUtf8(const std::wstring &s) { return encodeText(s, CP_UTF8); }

// Every line feed not preceded by a carriage return becomes CR LF (edit controls need it).
std::wstring lfToCrlf(const std::wstring &text);
// Every CR LF becomes a single line feed.
std::wstring crlfToLf(const std::wstring &text);

// True when the bytes are valid UTF-8 and contain at least one byte above 0x7F.
bool looksLikeUtf8(const std::string &bytes);

// Printable one-line form: backslash, CR, LF and tab as \\ \r \n \t.
std::string escapeLine(const std::string &utf8);
// The reverse of escapeLine, for texts given in scripts.
std::string unescapeLine(const std::string &text);

// A path given as a Linux path (/tmp/x) is turned into its Wine drive form (Z:\tmp\x);
// any other path is returned unchanged.
std::wstring windowsPath(const std::wstring &path);

// Folder part and file part of a full path (split at the last backslash or slash).
std::wstring folderOf(const std::wstring &path);
std::wstring fileNameOf(const std::wstring &path);
// File name without its last extension.
std::wstring namePartOf(const std::wstring &fileName);

#endif
