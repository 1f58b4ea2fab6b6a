// editorkeys.exe: frees the editor's own keys that the plug-in's commands use, and gives them
// back; run by the installer and the uninstaller while the editor is closed.
//   editorkeys free    <shortcuts.xml> <saved.txt> [<template.xml>]
//   editorkeys restore <shortcuts.xml> <saved.txt>
// free: a missing shortcuts.xml starts from the template (the editor's own default file) or
// from an empty one; the user's entries for those commands are kept in saved.txt (an earlier
// saved.txt is kept: it holds what the user had before the first installation). restore:
// puts them back and deletes saved.txt. Files are replaced through a temporary file, so an
// interrupted run leaves the old file. Exit code 0 on success, 1 when the file is not a
// shortcuts file (it is left as it is), 2 when a file cannot be read or written.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "editor_keys.h"

namespace {

bool readFile(const std::wstring& path, std::string& content) {
    content.clear();
    FILE* in = _wfopen(path.c_str(), L"rb");
    if (in == nullptr) return false;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, in)) > 0) content.append(buffer, got);
    const bool ok = !ferror(in);
    fclose(in);
    return ok;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Writes beside the target, then replaces it.
bool writeFile(const std::wstring& path, const std::string& content) {
    const std::wstring temporary = path + L".new";
    FILE* out = _wfopen(temporary.c_str(), L"wb");
    if (out == nullptr) return false;
    bool ok = fwrite(content.data(), 1, content.size(), out) == content.size();
    ok = fflush(out) == 0 && ok;
    ok = fclose(out) == 0 && ok;
    if (ok) ok = MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

void makeParentFolder(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0) CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
}

int freeKeys(const std::wstring& file, const std::wstring& savedFile, const std::wstring& templateFile) {
    std::string xml;
    if (exists(file)) {
        if (!readFile(file, xml)) return std::printf("editorkeys: cannot read the shortcuts file\n"), 2;
    } else if (!templateFile.empty() && exists(templateFile)) {
        readFile(templateFile, xml);
    }
    const qiv::KeysEdit edit = qiv::freeEditorKeys(xml);
    if (!edit.ok) return std::printf("editorkeys: not a shortcuts file, left unchanged\n"), 1;
    if (!exists(savedFile) && !writeFile(savedFile, edit.saved))
        return std::printf("editorkeys: cannot write the saved keys\n"), 2;
    makeParentFolder(file);
    if (!writeFile(file, edit.text)) return std::printf("editorkeys: cannot write the shortcuts file\n"), 2;
    std::printf("editorkeys: F1, F8, F11 and F12 freed for the plug-in\n");
    return 0;
}

int restoreKeys(const std::wstring& file, const std::wstring& savedFile) {
    std::string xml, saved;
    if (!exists(file)) return std::printf("editorkeys: no shortcuts file, nothing to restore\n"), 0;
    if (!readFile(file, xml)) return std::printf("editorkeys: cannot read the shortcuts file\n"), 2;
    readFile(savedFile, saved);
    const qiv::KeysEdit edit = qiv::restoreEditorKeys(xml, saved);
    if (!edit.ok) return std::printf("editorkeys: not a shortcuts file, left unchanged\n"), 1;
    if (!writeFile(file, edit.text)) return std::printf("editorkeys: cannot write the shortcuts file\n"), 2;
    DeleteFileW(savedFile.c_str());
    std::printf("editorkeys: the editor's keys restored\n");
    return 0;
}

}  // namespace

int wmain(int, wchar_t**) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int status = 2;
    if (argv != nullptr && argc >= 4 && lstrcmpiW(argv[1], L"free") == 0)
        status = freeKeys(argv[2], argv[3], argc >= 5 ? argv[4] : L"");
    else if (argv != nullptr && argc >= 4 && lstrcmpiW(argv[1], L"restore") == 0)
        status = restoreKeys(argv[2], argv[3]);
    else
        std::printf("usage: editorkeys free <shortcuts.xml> <saved.txt> [<template.xml>] | restore <shortcuts.xml> "
                    "<saved.txt>\n");
    if (argv != nullptr) LocalFree(argv);
    return status;
}
