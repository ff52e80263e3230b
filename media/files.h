// Read-only files. Paths use "/" (backslashes are accepted) and are resolved
// without regard to letter case, since the game names "data/" and "Data/".
#pragma once

#include <memory>
#include <string>

struct FileStream;
using FileStreamPtr = std::shared_ptr<FileStream>;

// Real path of an existing file or folder matched case-insensitively, or "" if none.
std::string ResolvePath(const std::string& path);

FileStreamPtr OpenForReading(const std::string& path);
// Next line without its end; bytes 128-255 become U+0080-U+00FF (returned as UTF-8).
std::string ReadLine(const FileStreamPtr& stream);
// Next byte; reading past the end is the fatal error "Error reading from stream".
int ReadByte(const FileStreamPtr& stream);
int Eof(const FileStreamPtr& stream);
void Close(const FileStreamPtr& stream);
