// A snapshot's file on disk. Saving never leaves a half-written file: the text goes to
// a temporary file beside the target, is flushed to the disk, and only then replaces
// the target in one step; on any failure the old file stays as it was.
#pragma once

#include <filesystem>
#include <string>

struct FileOutcome {
    bool ok = true;
    std::string why;   // the system's explanation, with what was being done
};

// A path named in the ANSI code page (the command line's, the file dialog's), for the
// file system, which takes Unicode.
std::filesystem::path PathFromAnsi(const std::string& ansi);

FileOutcome WriteFileAtomically(const std::filesystem::path& target, const std::string& contents);

// Files larger than this are no snapshot (one at the driver's limits is about 100 KB).
constexpr size_t kSnapshotFileLimit = 4 * 1024 * 1024;

FileOutcome ReadWholeFile(const std::filesystem::path& source, std::string& contents);
