// A path as the file system takes it: UTF-16 for the wide Win32 calls, so that any name
// Windows takes reaches CreateFileW as it was given; UTF-8 elsewhere. Not
// std::filesystem::path: on MinGW it links the whole of the C++ locale library (about
// 600 KB, read into every start of the panel) for a conversion made here.
#pragma once

#include <string>
#include <string_view>

#ifdef _WIN32
using FilePath = std::wstring;
#else
using FilePath = std::string;
#endif

// A path named in the ANSI code page (a test's command line, the host build's); a byte
// the code page leaves undefined becomes U+FFFD.
FilePath FilePathFromAnsi(std::string_view ansi);

// A path for a message in the ANSI code page; a character the code page lacks becomes
// its default character.
std::string AnsiFromFilePath(const FilePath& path);
