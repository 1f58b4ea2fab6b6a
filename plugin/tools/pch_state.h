// The precompiled runtime header logo.h.gch beside logo.h. The compiler takes it instead of
// logo.h under the student's -include whenever it was made by the same compiler, but it
// never looks at logo.h again: after a new logo.h (or a new compiler) the old file must not
// be used. Its stamp, logo.h.gch.stamp, names what it was made from; this decides what to do
// before a build. Pure logic, no Windows calls.
#ifndef QIV_PCH_STATE_H
#define QIV_PCH_STATE_H

#include <string>

namespace qiv {

// A file as far as a stamp is concerned: found or not, its size and last write time.
struct FileIdentity {
    bool found;
    unsigned long long size;
    unsigned long long writeTime;
};

// The stamp of a header made from `header` with the compiler `compiler` (one line of text).
std::string pchStamp(const FileIdentity& header, const FileIdentity& compiler);

enum class PchAction {
    Use,         // the header is there and current: build at once
    Make,        // missing or stale, and the folder may be written: make it first
    BuildSlow,   // missing and the folder may not be written: build without it
    RemoveStale, // stale and cannot be remade: remove it (it must not be used)
    Refuse,      // stale, and neither remade nor removed: building would use it
};

struct PchFacts {
    bool compilerFound;
    bool headerFound;    // logo.h.gch
    std::string stamp;   // the stamp file's text, empty when missing
    std::string current; // pchStamp of logo.h and the compiler now
    bool canWrite;       // a file can be created in the folder (and the old one replaced)
};

PchAction decidePch(const PchFacts& facts);

// The temporary name a maker writes to before renaming: unique per process, and not a name
// the compiler ever looks for.
std::string pchTemporaryName(const std::string& gchPath, unsigned long processId);

}  // namespace qiv

#endif
