#include "wine_unix.h"

namespace {

template <typename Function>
Function wineExport(const wchar_t *module, const char *name) {
    HMODULE handle = GetModuleHandleW(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(handle, name)))
                  : nullptr;
}

}  // namespace

std::string utf8(const std::wstring &text) {
    if (text.empty()) return std::string();
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &out[0], bytes, nullptr, nullptr);
    return out;
}

std::string unixFileName(const std::wstring &windowsPath) {
    using Translate = char *(CDECL *)(const wchar_t *);
    static const Translate translate = wineExport<Translate>(L"kernel32.dll", "wine_get_unix_file_name");
    if (translate == nullptr) return std::string();
    char *name = translate(windowsPath.c_str());
    if (name == nullptr) return std::string();
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::wstring dosFileName(const std::string &unixPath) {
    using Translate = wchar_t *(CDECL *)(const char *);
    static const Translate translate = wineExport<Translate>(L"kernel32.dll", "wine_get_dos_file_name");
    if (translate == nullptr) return std::wstring();
    wchar_t *name = translate(unixPath.c_str());
    if (name == nullptr) return std::wstring();
    std::wstring result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

int spawnUnix(const char *const *argv) {
    using Spawn = LONG(CDECL *)(char *const *, int);
    static const Spawn spawn = wineExport<Spawn>(L"ntdll.dll", "__wine_unix_spawnvp");
    if (spawn == nullptr) return -1;
    return static_cast<int>(spawn(const_cast<char *const *>(argv), 1));
}
