// A snapshot's file on Windows: the wide calls, so that any path Windows takes is one.
#include "snapshot/SnapshotFile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "base/UniqueHandle.h"
#include "text/FilePath.h"

namespace {

// A save that finds this many temporary files of its own name left by crashes gives up.
constexpr unsigned kTemporaryAttempts = 100;

// CreateFileW's failure is INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
using CFileHandle = CUniqueHandle<HANDLE, FileHandleTraits>;

FileOutcome SystemFailure(const char* doing, DWORD error = ::GetLastError())
{
    char text[512] = {};
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                          0, text, sizeof text, nullptr);
    std::string why = std::string(doing) + ": " + std::string(text, length);
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' '))
        why.pop_back();
    char code[32];
    std::snprintf(code, sizeof code, " (error %lu)", static_cast<unsigned long>(error));
    return {false, why + code};
}

bool WriteAll(HANDLE file, const std::string& contents)
{
    size_t written = 0;
    while (written < contents.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size() - written, 1u << 20));
        DWORD done = 0;
        if (!::WriteFile(file, contents.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return true;
}

// The temporary file beside the target, deleted again unless it became the target.
class CTemporaryFile {
public:
    CTemporaryFile() = default;
    ~CTemporaryFile()
    {
        m_file.Reset();
        if (!m_path.empty())
            ::DeleteFileW(m_path.c_str());
    }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    // CREATE_NEW never opens a file that exists: a name taken, by another save or a
    // file of the user's, is passed over for the next.
    FileOutcome Create(const FilePath& target)
    {
        const FilePath stem = target + L".incomplete-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
        for (unsigned attempt = 1; attempt <= kTemporaryAttempts; ++attempt) {
            FilePath path = stem + std::to_wstring(attempt) + L".tmp";
            HANDLE raw = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                       nullptr);
            if (raw != INVALID_HANDLE_VALUE) {
                m_file.Reset(raw);
                m_path = std::move(path);
                return {};
            }
            const DWORD error = ::GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
                return SystemFailure("the file could not be created beside the target", error);
        }
        return {false, "the file could not be created beside the target: every temporary name is taken"};
    }

    HANDLE Handle() const { return m_file.Get(); }
    const FilePath& Path() const { return m_path; }
    void Close() { m_file.Reset(); }
    // It is the target now, or holds the only copy of the new text.
    void Keep() { m_path.clear(); }

private:
    CFileHandle m_file;
    FilePath m_path;
};

// The attributes a file keeps through a save; SetFileAttributesW takes no others.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE;

// ReplaceFileW keeps what the target was beside its contents, its security and creation
// time, which a rename over it would drop. Its attributes (hidden, say) are set again:
// Wine's ReplaceFileW renames without carrying them.
FileOutcome Replace(const FilePath& target, DWORD attributes, CTemporaryFile& temporary)
{
    if (::ReplaceFileW(target.c_str(), temporary.Path().c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                       nullptr)) {
        // The text is saved whatever this answers.
        ::SetFileAttributesW(target.c_str(), attributes & kKeptAttributes ? attributes & kKeptAttributes
                                                                          : FILE_ATTRIBUTE_NORMAL);
        return {};
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT)
        return SystemFailure("the file could not replace the target", error);
    // The target is gone and the new text still has the temporary name.
    if (::MoveFileExW(temporary.Path().c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        return {};
    FileOutcome failed = SystemFailure("the old file was removed, but the new one could not take its name");
    failed.why += "; it is kept as " + AnsiFromFilePath(temporary.Path());
    temporary.Keep();
    return failed;
}

}  // namespace

FileOutcome WriteFileAtomically(const FilePath& target, const std::string& contents)
{
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {false, "the file could not replace the target: it is a folder"};
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return {false, "the file could not replace the target: it is read-only"};

    CTemporaryFile temporary;
    if (FileOutcome created = temporary.Create(target); !created.ok)
        return created;
    // FlushFileBuffers: the data is on the disk before the rename can make it the file.
    if (!WriteAll(temporary.Handle(), contents) || !::FlushFileBuffers(temporary.Handle()))
        return SystemFailure("the file could not be written");
    temporary.Close();
    if (exists) {
        if (FileOutcome replaced = Replace(target, attributes, temporary); !replaced.ok)
            return replaced;
    } else if (!::MoveFileExW(temporary.Path().c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        // Without MOVEFILE_REPLACE_EXISTING: a file made there meanwhile is not overwritten.
        return SystemFailure("the file could not be put in place");
    }
    temporary.Keep();
    return {};
}

FileOutcome ReadWholeFile(const FilePath& source, std::string& contents)
{
    HANDLE raw = ::CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE)
        return SystemFailure("the file could not be opened");
    CFileHandle file(raw);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size))
        return SystemFailure("the file could not be read");
    if (size.QuadPart > static_cast<LONGLONG>(kSnapshotFileLimit))
        return {false, "the file is larger than a snapshot can be (" + std::to_string(kSnapshotFileLimit) + " bytes)"};
    contents.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD done = 0;
    if (!contents.empty() && (!::ReadFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &done,
                                          nullptr) || done != contents.size()))
        return SystemFailure("the file could not be read");
    return {};
}
