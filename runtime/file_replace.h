// Replacing a file only when its new content has been written completely.
#ifndef QIV_FILE_REPLACE_H
#define QIV_FILE_REPLACE_H

#include <windows.h>

#include <string>

// One piece of the new content.
struct TbyteBlock {
    const void* data;
    DWORD size;
};

// Writes the blocks one after the other into "<path>.tmp" beside the file (or, where that name
// would be too long, a new file named like path with its last character replaced, see
// qiv::temporaryBeside), flushes and
// closes it, then moves it over path. Returns true only when every step succeeded; on any
// failure the temporary file is removed and path keeps its previous content (or stays
// absent), so a reader never sees a half-written file under that name.
bool _replaceFile(const std::string& path, const TbyteBlock* blocks, int count);

#endif
