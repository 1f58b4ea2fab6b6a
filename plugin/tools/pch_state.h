// The precompiled runtime header logo.h.gch beside logo.h. The compiler takes it instead of
// logo.h under the student's -include whenever it was made by the same compiler, but it
// never looks at logo.h again: after a new logo.h (or a new compiler) the old file must not
// be used. Its stamp, logo.h.gch.stamp, names what it was made from and the header itself as
// it was written (size, write time, a checksum of its first and last bytes), so that a
// header damaged since (cut short by a full disk or a killed copy) counts as stale too. This
// decides what to do before a build and what a make reports. Pure logic, no Windows calls.
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

// The made header as its stamp records it: its identity and pchEdgeChecksum of its bytes.
struct MadeHeader {
    FileIdentity file;
    unsigned long long edges;
};

// How many bytes at each end of the made header the checksum covers: its first
// min(size, kPchEdgeBytes) bytes and its last ones, from pchTailOffset(size).
const unsigned long long kPchEdgeBytes = 64 * 1024;
unsigned long long pchTailOffset(unsigned long long size);
unsigned long long pchEdgeChecksum(const std::string& head, const std::string& tail);

// The stamp of `made`, made from `header` with the compiler `compiler` (one line of text).
std::string pchStamp(const FileIdentity& header, const FileIdentity& compiler, const MadeHeader& made);

enum class PchAction {
    Use,          // the header is there and current: build at once
    Make,         // missing or stale, and the folder may be written: make it first
    BuildSlow,    // missing and the folder may not be written: build without it
    RemoveStale,  // stale and cannot be remade: remove it (it must not be used)
    Refuse,       // stale, and neither remade nor removed: building would use it
};

struct PchFacts {
    bool compilerFound;
    bool headerFound;     // logo.h.gch
    std::string stamp;    // the stamp file's text, empty when missing
    std::string current;  // pchStamp of logo.h, the compiler and logo.h.gch as they are now
    bool canWrite;        // a file can be created in the folder (and the old one replaced)
};

PchAction decidePch(const PchFacts& facts);

// How a make ended, seen from the header's name.
struct PchMakeEnd {
    bool compiled;    // the compiler made the new header
    bool placed;      // the new header was renamed into place (at once or after the old was removed)
    bool oldLeft;     // not placed: a header still lies under the name (held open, or not removable)
    bool oldCurrent;  // ... and it is current (another maker placed it meanwhile)
};

// makepch's exit code after a make: 0 a current header is in place; 1 there is none (builds
// read logo.h, slower); 3 a header that is not current stays (a build would take it).
int pchMakeExitCode(const PchMakeEnd& end);

// The temporary name a maker writes to before renaming: unique per process, and not a name
// the compiler ever looks for.
std::string pchTemporaryName(const std::string& gchPath, unsigned long processId);

// The process that wrote a maker's temporary file, from its name in the header's folder:
// "<gchName>.<pid>.part" (the header) or "<gchName>.stamp.<pid>.part" (its stamp), letters
// in any case. False for any other name.
bool pchPartOwner(const std::string& gchName, const std::string& fileName, unsigned long& processId);

// Whether a maker's temporary file is left over for good: the process that wrote it no
// longer runs, or its id now belongs to another program (`ownerImage`: its file name, empty
// when it could not be told; then the file is kept).
bool pchPartLeftOver(bool ownerRunning, const std::string& ownerImage);

}  // namespace qiv

#endif
