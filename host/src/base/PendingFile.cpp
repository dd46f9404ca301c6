// What a pending file does the same on every system: files are named and closed first, then all put in place,
// so that a failure before the last rename leaves every target as it was.
#include "vendrel/host/PendingFile.h"

namespace vendrel {

void PendingFile::commit()
{
    commitTogether({this});
}

void commitTogether(std::initializer_list<PendingFile*> files)
{
    for (PendingFile* file : files) {
        file->giveName();
        file->closeFile();
    }
    for (PendingFile* file : files) {
        file->replaceTarget();
    }
}

} // namespace vendrel
