#include "runtime_state.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace qiv {

namespace {

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

std::string trimmed(std::string text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    size_t first = 0;
    while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
    return text.substr(first);
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

CompilerFacts readCompilerFacts(const std::string& answers) {
    CompilerFacts facts;
    // The 64-bit and the 32-bit x86 targets (the names i386 and x86_64 are macros there).
    bool wide = false, narrow = false, seh = false, sjlj = false, ucrt = false;
    std::istringstream lines(answers);
    std::string line;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (startsWith(line, "Target:")) {
            facts.target = trimmed(line.substr(7));
        } else if (startsWith(line, "Thread model:")) {
            facts.threads = trimmed(line.substr(13));
        } else if (startsWith(line, "#define ")) {
            std::istringstream words(line.substr(8));
            std::string name, value;
            words >> name >> value;
            if (name == "__GNUC__") facts.major = std::atoi(value.c_str());
            else if (name == "__GNUC_MINOR__") facts.minor = std::atoi(value.c_str());
            else if (name == "__x86_64__") wide = true;
            else if (name == "__i386__") narrow = true;
            else if (name == "__SEH__") seh = true;
            else if (name == "__USING_SJLJ_EXCEPTIONS__") sjlj = true;
            else if (name == "_UCRT") ucrt = true;
        }
    }
    // The macros are what the compiler does; the target line only names it.
    if (facts.target.empty() && (wide || narrow)) facts.target = wide ? "x86_64-w64-mingw32" : "i686-w64-mingw32";
    if (wide || narrow) facts.exceptions = sjlj ? "sjlj" : seh ? "seh" : "dwarf";
    facts.runtime = ucrt ? "ucrt" : "msvcrt";
    return facts;
}

std::string compilerSignature(const CompilerFacts& f) {
    if (f.target.empty() || f.major == 0 || f.threads.empty() || f.exceptions.empty()) return std::string();
    return f.target + " gcc " + std::to_string(f.major) + "." + std::to_string(f.minor) + " threads=" + f.threads +
           " exceptions=" + f.exceptions + " runtime=" + f.runtime;
}

std::string targetFolder(const CompilerFacts& facts) {
    // A target triple names its machine first: i686-w64-mingw32, x86_64-w64-mingw32; also
    // i386/i486/i586 and the mingw32 of older tool chains.
    const std::string machine = facts.target.substr(0, facts.target.find('-'));
    const bool windows = facts.target.find("mingw32") != std::string::npos;
    if (!windows) return std::string();
    if (machine == "x86_64") return "x86_64";
    if (machine.size() == 4 && machine[0] == 'i' && machine.compare(2, 2, "86") == 0) return "i686";
    return std::string();
}

CompilerVerdict judgeCompiler(const CompilerFacts& facts) {
    if (targetFolder(facts).empty() || compilerSignature(facts).empty()) return CompilerVerdict::NotMinGW;
    if (facts.major < oldestSupportedGcc) return CompilerVerdict::TooOld;
    return CompilerVerdict::Supported;
}

std::string runtimeStamp(const std::string& signature, const FileIdentity& compiler) {
    char file[80];
    std::snprintf(file, sizeof file, "g++.exe %llu %llu", compiler.found ? compiler.size : 0ULL,
                  compiler.found ? compiler.writeTime : 0ULL);
    return "signature: " + signature + "\n" + file + "\n";
}

std::string stampSignature(const std::string& stamp) {
    std::istringstream lines(stamp);
    std::string line;
    while (std::getline(lines, line))
        if (startsWith(line, "signature: ")) return trimmed(line.substr(11));
    return std::string();
}

bool stampNamesCompilerFile(const std::string& stamp, const FileIdentity& compiler) {
    if (!compiler.found || stampSignature(stamp).empty()) return false;
    const std::string expected = runtimeStamp(stampSignature(stamp), compiler);
    return stamp == expected;
}

RuntimeAction decideRuntime(const std::string& signature, const std::string& installedStamp,
                            bool stampNamesCurrentFile, const std::string& shippedSignature) {
    if (!signature.empty() && stampSignature(installedStamp) == signature)
        return stampNamesCurrentFile ? RuntimeAction::Current : RuntimeAction::RefreshStamp;
    if (!signature.empty() && signature == shippedSignature) return RuntimeAction::UseShipped;
    return RuntimeAction::Build;
}

namespace {

// Little-endian fields of an image; 0 past its end.
uint32_t field(const std::string& image, size_t at, int bytes) {
    if (at + static_cast<size_t>(bytes) > image.size()) return 0;
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(image[at + i]);
    return value;
}

struct Section {
    uint32_t address, size, fileOffset, fileSize;
};

// The file offset of a relative virtual address, or 0 when no section holds it.
size_t offsetOf(const std::vector<Section>& sections, uint32_t rva) {
    for (const Section& s : sections) {
        const uint32_t extent = std::max(s.size, s.fileSize);
        if (rva >= s.address && rva - s.address < extent && rva - s.address < s.fileSize)
            return s.fileOffset + (rva - s.address);
    }
    return 0;
}

}  // namespace

std::vector<std::string> importedLibraries(const std::string& image) {
    std::vector<std::string> names;
    if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z') return names;
    const size_t pe = field(image, 0x3C, 4);
    if (image.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return names;
    const size_t coff = pe + 4;
    const uint32_t sectionCount = field(image, coff + 2, 2);
    const uint32_t optionalSize = field(image, coff + 16, 2);
    const size_t optional = coff + 20;
    const uint32_t magic = field(image, optional, 2);
    if (magic != 0x10B && magic != 0x20B) return names;
    const size_t directories = optional + (magic == 0x20B ? 112 : 96);
    const uint32_t importRva = field(image, directories + 8, 4);  // directory 1: imports
    std::vector<Section> sections;
    for (uint32_t i = 0; i < sectionCount; ++i) {
        const size_t at = optional + optionalSize + i * 40;
        sections.push_back({field(image, at + 12, 4), field(image, at + 8, 4), field(image, at + 20, 4),
                            field(image, at + 16, 4)});
    }
    size_t descriptor = importRva ? offsetOf(sections, importRva) : 0;
    for (int guard = 0; descriptor != 0 && descriptor + 20 <= image.size() && guard < 4096; ++guard, descriptor += 20) {
        const uint32_t nameRva = field(image, descriptor + 12, 4);
        if (nameRva == 0) break;
        const size_t at = offsetOf(sections, nameRva);
        if (at == 0) break;
        const size_t end = image.find('\0', at);
        if (end == std::string::npos) break;
        names.push_back(image.substr(at, end - at));
    }
    return names;
}

std::vector<std::string> nonSystemLibraries(const std::vector<std::string>& libraries) {
    static const char* const system[] = {
        "kernel32.dll", "user32.dll",  "gdi32.dll",    "advapi32.dll", "shell32.dll",  "ole32.dll",
        "oleaut32.dll", "comdlg32.dll", "comctl32.dll", "msvcrt.dll",  "ucrtbase.dll", "shlwapi.dll",
        "ws2_32.dll",   "winmm.dll",    "version.dll",  "msimg32.dll", "bcrypt.dll",   "ntdll.dll"};
    std::vector<std::string> others;
    for (const std::string& library : libraries) {
        const std::string name = lower(library);
        const bool known = std::find(std::begin(system), std::end(system), name) != std::end(system) ||
                           startsWith(name, "api-ms-win-");
        if (!known) others.push_back(library);
    }
    return others;
}

}  // namespace qiv
