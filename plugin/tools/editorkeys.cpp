// editorkeys.exe: frees the editor's own keys that the plug-in's commands use, and gives them
// back; run by the installer and the uninstaller while the editor is closed.
//   editorkeys free    <shortcuts.xml> <saved.txt> [<template.xml>]
//   editorkeys restore <shortcuts.xml> <saved.txt>
// free: a missing shortcuts.xml starts from the template (the editor's own default file) or
// from an empty one; what was changed is kept in saved.txt (an earlier saved.txt is kept: it
// holds what the user had before the first installation). restore: undoes it and deletes
// saved.txt. Files are replaced through a temporary file, so an interrupted run leaves the
// old file. When config.xml beside shortcuts.xml vouches for the old bytes (the editor's
// HMAC of them, keyed with the machine's GUID), it is made to vouch for the new ones, so the
// editor keeps running macros and user commands without its security warning.
// Exit code 0 on success, 1 when the file is not a well-formed shortcuts file (it is left
// as it is), 2 when a file cannot be read or written.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "editor_config.h"
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

std::wstring folderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// The key the editor signs shortcuts.xml with: the MachineGuid string's bytes as stored
// (64-bit view, as the editor reads it); empty when it cannot be read, as for the editor.
std::string machineGuid() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Cryptography", 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS)
        return "";
    char guid[64] = {};
    DWORD size = sizeof guid - 1;
    const LONG read = RegQueryValueExA(key, "MachineGuid", nullptr, nullptr, reinterpret_cast<BYTE*>(guid), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? std::string(guid) : std::string();
}

// Writes the new shortcuts file, then renews the editor's trust in it where the editor
// trusted the old bytes (`oldBytes` null: there was no file, nothing was trusted). False when
// the shortcuts file could not be written.
bool replaceShortcuts(const std::wstring& file, const std::string* oldBytes, const std::string& newBytes) {
    const std::wstring configFile = folderOf(file) + L"\\config.xml";
    std::string config;
    const bool haveConfig = oldBytes != nullptr && exists(configFile) && readFile(configFile, config);
    if (!writeFile(file, newBytes)) return false;
    if (!haveConfig) return true;
    const std::string guid = machineGuid();
    const qiv::ConfigEdit edit =
        qiv::renewShortcutsTrust(config, qiv::shortcutsHmac(guid, *oldBytes), qiv::shortcutsHmac(guid, newBytes));
    if (edit.changed && !writeFile(configFile, edit.text))
        std::printf("editorkeys: config.xml could not be updated: the editor will ask to validate shortcuts.xml\n");
    return true;
}

void makeParentFolder(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0) CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
}

int freeKeys(const std::wstring& file, const std::wstring& savedFile, const std::wstring& templateFile) {
    std::string xml;
    const bool existed = exists(file);
    if (existed) {
        if (!readFile(file, xml)) return std::printf("editorkeys: cannot read the shortcuts file\n"), 2;
    } else if (!templateFile.empty() && exists(templateFile)) {
        readFile(templateFile, xml);
    }
    const qiv::KeysEdit edit = qiv::freeEditorKeys(xml);
    if (!edit.ok) return std::printf("editorkeys: not a well-formed shortcuts file, left unchanged\n"), 1;
    if (!exists(savedFile) && !writeFile(savedFile, edit.saved))
        return std::printf("editorkeys: cannot write the saved keys\n"), 2;
    makeParentFolder(file);
    if ((!existed || edit.text != xml) && !replaceShortcuts(file, existed ? &xml : nullptr, edit.text))
        return std::printf("editorkeys: cannot write the shortcuts file\n"), 2;
    std::printf("editorkeys: F1, F8, F11 and F12 freed for the plug-in\n");
    return 0;
}

int restoreKeys(const std::wstring& file, const std::wstring& savedFile) {
    std::string xml, saved;
    if (!exists(file)) return std::printf("editorkeys: no shortcuts file, nothing to restore\n"), 0;
    if (!readFile(file, xml)) return std::printf("editorkeys: cannot read the shortcuts file\n"), 2;
    readFile(savedFile, saved);
    const qiv::KeysEdit edit = qiv::restoreEditorKeys(xml, saved);
    if (!edit.ok) return std::printf("editorkeys: not a well-formed shortcuts file, left unchanged\n"), 1;
    if (edit.text.empty()) {
        // There was no file before the installation: the editor makes its own again.
        if (!DeleteFileW(file.c_str())) return std::printf("editorkeys: cannot remove the shortcuts file\n"), 2;
    } else if (edit.text != xml && !replaceShortcuts(file, &xml, edit.text)) {
        return std::printf("editorkeys: cannot write the shortcuts file\n"), 2;
    }
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
