#include "snapshot/SnapshotFile.h"

#include <algorithm>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#include "base/UniqueHandle.h"
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32

namespace {

FilePath TemporaryBeside(const FilePath& target, unsigned long process)
{
    return target + L"." + std::to_wstring(process) + L".tmp";
}

// CreateFileW's failure is INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
using CFileHandle = CUniqueHandle<HANDLE, FileHandleTraits>;

FileOutcome SystemFailure(const char* doing)
{
    const DWORD error = ::GetLastError();
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

}  // namespace

FileOutcome WriteFileAtomically(const FilePath& target, const std::string& contents)
{
    const FilePath temporary = TemporaryBeside(target, ::GetCurrentProcessId());
    {
        HANDLE raw = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (raw == INVALID_HANDLE_VALUE)
            return SystemFailure("the file could not be created beside the target");
        CFileHandle file(raw);
        // FlushFileBuffers: the data is on the disk before the rename can make it the file.
        if (!WriteAll(file.Get(), contents) || !::FlushFileBuffers(file.Get())) {
            FileOutcome failed = SystemFailure("the file could not be written");
            file.Reset();
            ::DeleteFileW(temporary.c_str());
            return failed;
        }
    }
    if (!::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        FileOutcome failed = SystemFailure("the file could not replace the target");
        ::DeleteFileW(temporary.c_str());
        return failed;
    }
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

#else

namespace {

FilePath TemporaryBeside(const FilePath& target, unsigned long process)
{
    return target + "." + std::to_string(process) + ".tmp";
}

FileOutcome SystemFailure(const char* doing, int error)
{
    return {false, std::string(doing) + ": " + std::strerror(error)};
}

}  // namespace

FileOutcome WriteFileAtomically(const FilePath& target, const std::string& contents)
{
    const FilePath temporary = TemporaryBeside(target, static_cast<unsigned long>(::getpid()));
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0)
        return SystemFailure("the file could not be created beside the target", errno);
    size_t written = 0;
    int error = 0;
    while (written < contents.size() && error == 0) {
        const ssize_t done = ::write(file, contents.data() + written, contents.size() - written);
        if (done > 0)
            written += static_cast<size_t>(done);
        else if (errno != EINTR)
            error = errno;
    }
    // fsync: the data is on the disk before the rename can make it the file.
    if (error == 0 && ::fsync(file) != 0)
        error = errno;
    if (::close(file) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return SystemFailure("the file could not be written", error);
    }
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

#endif
