// A snapshot's file on disk. Saving never leaves a half-written file: the text goes to
// a temporary file beside the target, is flushed to the disk, and only then replaces
// the target in one step; on any failure the old file stays as it was. The temporary
// file is made under a name no other file has (the target's name, ".incomplete-", the
// process id, a number and ".tmp"), so it never overwrites anything and, if a crash
// leaves it behind, its name says what it is. A target that exists keeps what it was
// beside its contents (Windows' attributes and security, the host's permissions); a
// read-only target is refused rather than replaced.
#pragma once

#include <string>

#include "text/FilePath.h"

struct FileOutcome {
    bool ok = true;
    std::string why;   // the system's explanation, with what was being done
};

FileOutcome WriteFileAtomically(const FilePath& target, const std::string& contents);

// Files larger than this are no snapshot (one at the driver's limits is about 100 KB).
constexpr size_t kSnapshotFileLimit = 4 * 1024 * 1024;

FileOutcome ReadWholeFile(const FilePath& source, std::string& contents);
