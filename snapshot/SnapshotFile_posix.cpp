// A snapshot's file in the host build, with POSIX calls; paths are UTF-8.
#include "snapshot/SnapshotFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A save that finds this many temporary files of its own name left by crashes gives up.
constexpr unsigned kTemporaryAttempts = 100;

FileOutcome SystemFailure(const char* doing, int error)
{
    return {false, std::string(doing) + ": " + std::strerror(error)};
}

// The temporary file beside the target, removed again unless it became the target.
class CTemporaryFile {
public:
    CTemporaryFile() = default;
    ~CTemporaryFile()
    {
        Close();
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    // O_EXCL never opens a file that exists: a name taken, by another save or a file of
    // the user's, is passed over for the next.
    FileOutcome Create(const FilePath& target)
    {
        const FilePath stem = target + ".incomplete-" + std::to_string(::getpid()) + "-";
        for (unsigned attempt = 1; attempt <= kTemporaryAttempts; ++attempt) {
            FilePath path = stem + std::to_string(attempt) + ".tmp";
            const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (file >= 0) {
                m_file = file;
                m_path = std::move(path);
                return {};
            }
            if (errno != EEXIST)
                return SystemFailure("the file could not be created beside the target", errno);
        }
        return {false, "the file could not be created beside the target: every temporary name is taken"};
    }

    int Descriptor() const { return m_file; }
    const FilePath& Path() const { return m_path; }
    // The error of the close, or 0.
    int Close()
    {
        const int error = m_file >= 0 && ::close(m_file) != 0 ? errno : 0;
        m_file = -1;
        return error;
    }
    // It is the target now.
    void Keep() { m_path.clear(); }

private:
    int m_file = -1;
    FilePath m_path;
};

int WriteAll(int file, const std::string& contents)
{
    size_t written = 0;
    while (written < contents.size()) {
        const ssize_t done = ::write(file, contents.data() + written, contents.size() - written);
        if (done > 0)
            written += static_cast<size_t>(done);
        else if (done == 0)
            return EIO;   // no progress and no error: never loop on it
        else if (errno != EINTR)
            return errno;
    }
    return 0;
}

}  // namespace

FileOutcome WriteFileAtomically(const FilePath& target, const std::string& contents)
{
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return {false, "the file could not replace the target: it is a folder"};
    if (exists && (existing.st_mode & S_IWUSR) == 0)
        return {false, "the file could not replace the target: it is read-only"};

    CTemporaryFile temporary;
    if (FileOutcome created = temporary.Create(target); !created.ok)
        return created;
    int error = WriteAll(temporary.Descriptor(), contents);
    // The target keeps its permissions, as a replaced file keeps its attributes on Windows.
    if (error == 0 && exists && ::fchmod(temporary.Descriptor(), existing.st_mode & 07777) != 0)
        error = errno;
    // fsync: the data is on the disk before the rename can make it the file.
    if (error == 0 && ::fsync(temporary.Descriptor()) != 0)
        error = errno;
    if (const int closed = temporary.Close(); error == 0)
        error = closed;
    if (error == 0 && ::rename(temporary.Path().c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        return SystemFailure("the file could not be written", error);
    temporary.Keep();
    return {};
}

FileOutcome ReadWholeFile(const FilePath& source, std::string& contents)
{
    FILE* file = std::fopen(source.c_str(), "rb");
    if (!file)
        return SystemFailure("the file could not be opened", errno);
    contents.clear();
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && contents.size() <= kSnapshotFileLimit)
        contents.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return {false, "the file could not be read"};
    if (contents.size() > kSnapshotFileLimit)
        return {false, "the file is larger than a snapshot can be (" + std::to_string(kSnapshotFileLimit) + " bytes)"};
    return {};
}
