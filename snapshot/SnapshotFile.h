// A snapshot's file on disk. Saving never leaves a half-written file: the text goes to
// a temporary file beside the target, is flushed to the disk, and only then replaces
// the target in one step; on any failure the old file stays as it was.
#pragma once

#include <string>

struct FileOutcome {
    bool ok = true;
    std::string why;   // the system's explanation, with what was being done
};

// A path as the file system takes it: UTF-16 for the wide Win32 calls, UTF-8 elsewhere.
// Not std::filesystem::path: on MinGW it links the whole of the C++ locale library
// (about 600 KB, read into every start of the panel) for a conversion the system makes.
#ifdef _WIN32
using FilePath = std::wstring;
#else
using FilePath = std::string;
#endif

// A path named in the ANSI code page (the command line's, the file dialog's), for the
// file system, which takes Unicode.
FilePath PathFromAnsi(const std::string& ansi);

FileOutcome WriteFileAtomically(const FilePath& target, const std::string& contents);

// Files larger than this are no snapshot (one at the driver's limits is about 100 KB).
constexpr size_t kSnapshotFileLimit = 4 * 1024 * 1024;

FileOutcome ReadWholeFile(const FilePath& source, std::string& contents);
