#include "pch_state.h"

#include <cstdio>

namespace qiv {

std::string pchStamp(const FileIdentity& header, const FileIdentity& compiler) {
    char text[160];
    std::snprintf(text, sizeof text, "logo.h %llu %llu; g++.exe %llu %llu; -pipe -x c++-header",
                  header.found ? header.size : 0ULL, header.found ? header.writeTime : 0ULL,
                  compiler.found ? compiler.size : 0ULL, compiler.found ? compiler.writeTime : 0ULL);
    return text;
}

PchAction decidePch(const PchFacts& f) {
    const bool current = f.headerFound && !f.stamp.empty() && f.stamp == f.current;
    if (current) return PchAction::Use;
    if (!f.compilerFound) return f.headerFound ? (f.canWrite ? PchAction::RemoveStale : PchAction::Refuse)
                                               : PchAction::BuildSlow;
    if (f.canWrite) return PchAction::Make;
    return f.headerFound ? PchAction::Refuse : PchAction::BuildSlow;
}

std::string pchTemporaryName(const std::string& gchPath, unsigned long processId) {
    return gchPath + "." + std::to_string(processId) + ".part";
}

}  // namespace qiv
