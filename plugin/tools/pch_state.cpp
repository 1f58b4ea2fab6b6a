#include "pch_state.h"

#include <cctype>
#include <cstdio>

namespace qiv {

namespace {

bool sameLetters(const std::string& a, size_t at, const std::string& b) {
    if (a.size() < at + b.size()) return false;
    for (size_t i = 0; i < b.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[at + i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

unsigned long long pchTailOffset(unsigned long long size) { return size > kPchEdgeBytes ? size - kPchEdgeBytes : 0; }

unsigned long long pchEdgeChecksum(const std::string& head, const std::string& tail) {
    // FNV-1a over both blocks and their lengths: a change of any byte there changes it.
    unsigned long long hash = 14695981039346656037ULL;
    auto mix = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    };
    for (const std::string* block : {&head, &tail}) {
        for (unsigned char c : *block) mix(c);
        for (int shift = 0; shift < 64; shift += 8) mix(static_cast<unsigned char>(block->size() >> shift));
    }
    return hash;
}

std::string pchStamp(const FileIdentity& header, const FileIdentity& compiler, const MadeHeader& made) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "logo.h %llu %llu; g++.exe %llu %llu; logo.h.gch %llu %llu %016llx; -pipe -x c++-header",
                  header.found ? header.size : 0ULL, header.found ? header.writeTime : 0ULL,
                  compiler.found ? compiler.size : 0ULL, compiler.found ? compiler.writeTime : 0ULL,
                  made.file.found ? made.file.size : 0ULL, made.file.found ? made.file.writeTime : 0ULL,
                  made.file.found ? made.edges : 0ULL);
    return text;
}

PchAction decidePch(const PchFacts& f) {
    const bool current = f.headerFound && !f.stamp.empty() && f.stamp == f.current;
    if (current) return PchAction::Use;
    if (!f.compilerFound)
        return f.headerFound ? (f.canWrite ? PchAction::RemoveStale : PchAction::Refuse) : PchAction::BuildSlow;
    if (f.canWrite) return PchAction::Make;
    return f.headerFound ? PchAction::Refuse : PchAction::BuildSlow;
}

int pchMakeExitCode(const PchMakeEnd& end) {
    if (end.compiled && end.placed) return 0;
    if (end.oldLeft) return end.oldCurrent ? 0 : 3;
    return 1;
}

std::string pchTemporaryName(const std::string& gchPath, unsigned long processId) {
    return gchPath + "." + std::to_string(processId) + ".part";
}

bool pchPartOwner(const std::string& gchName, const std::string& fileName, unsigned long& processId) {
    if (!sameLetters(fileName, 0, gchName + ".")) return false;
    size_t at = gchName.size() + 1;
    if (sameLetters(fileName, at, "stamp.")) at += 6;
    const size_t digits = at;
    unsigned long long id = 0;
    while (at < fileName.size() && fileName[at] >= '0' && fileName[at] <= '9' && id <= 0xFFFFFFFFULL)
        id = id * 10 + (fileName[at++] - '0');
    if (at == digits || id > 0xFFFFFFFFULL || fileName.size() != at + 5 || !sameLetters(fileName, at, ".part"))
        return false;
    processId = static_cast<unsigned long>(id);
    return true;
}

bool pchPartLeftOver(bool ownerRunning, const std::string& ownerImage) {
    if (!ownerRunning) return true;
    if (ownerImage.empty()) return false;
    const size_t slash = ownerImage.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? ownerImage : ownerImage.substr(slash + 1);
    return !(name.size() == 11 && sameLetters(name, 0, "makepch.exe"));
}

}  // namespace qiv
