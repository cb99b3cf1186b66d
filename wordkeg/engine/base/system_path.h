#pragma once
// How a path the engine holds as text reaches the file system. Every file the engine opens,
// lists, renames or removes goes through these, so that one rule holds for all of them.
//
// On POSIX a path is the bytes it names. On Windows the system names files in UTF-16 while the
// program's texts are in the ANSI code page, and a folder the user picks may hold characters
// outside it (字典): the Windows front end installs the codec that maps its path texts to the
// system's names and back. Without one a path is read as the C library reads it.
#include <cstdio>
#include <filesystem>
#include <string>

namespace wk {

// The system's name for the path text `path`.
std::filesystem::path systemPath(const std::string& path);
// The path text of a name the system gave (a directory entry, a link's target).
std::string pathText(const std::filesystem::path& path);
// std::fopen on the system's name for `path`.
std::FILE* openFile(const std::string& path, const char* mode);
// A new file in `directory` open for reading and writing in binary mode, which no other program
// can reach and which goes with its last handle, whatever ends the process (on Windows, where
// the file needs a name, it goes at the handle's close, and a killed process leaves it). Null,
// with errno set, when it cannot be made.
std::FILE* openUnnamedFile(const std::string& directory);

#ifdef _WIN32
// The system's UTF-16 name for `path`, for the C library's wide functions.
std::wstring wideName(const std::string& path);

struct PathCodec {
  std::wstring (*toSystem)(const std::string& text) = nullptr;
  std::string (*fromSystem)(const std::wstring& name) = nullptr;
};
// Installed once, at the start of the program, before any file is opened (the code page it
// stands for is the process's own).
void installPathCodec(const PathCodec& codec);
#endif

}  // namespace wk
