#include "text/FilePath.h"

#include "text/CodePage.h"
#include "text/Utf16.h"

#ifdef _WIN32

FilePath FilePathFromAnsi(std::string_view ansi) { return Utf16FromAnsiReplacing(ansi); }

std::string AnsiFromFilePath(const FilePath& path) { return AnsiFromUtf16Replacing(path); }

#else

FilePath FilePathFromAnsi(std::string_view ansi) { return Utf8FromAnsiReplacing(ansi); }

std::string AnsiFromFilePath(const FilePath& path) { return AnsiFromUtf8Replacing(path); }

#endif
