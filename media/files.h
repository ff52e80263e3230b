// Read-only files. Paths use "/" (backslashes are accepted) and are resolved
// without regard to letter case, since the game names "data/" and "Data/".
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct FileStream;
using FileStreamPtr = std::shared_ptr<FileStream>;

// Called by the map choice and the loaders: the real path of an existing file or
// folder matched case-insensitively, or "" if none.
std::string ResolvePath(const std::string& path);

// Called by the in-game map list: absolute paths of the regular files in a folder
// whose names end in "." plus the extension (any case), sorted by name; empty when
// the folder is missing.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& extension);
// Called by the configuration, map and critter loaders: a regular file opened for
// reading, null when it is missing or not a regular file.
FileStreamPtr OpenForReading(const std::string& path);
// Next line without its end; bytes 128-255 become U+0080-U+00FF (returned as UTF-8).
std::string ReadLine(const FileStreamPtr& stream);
// Next byte; reading past the end is the fatal error "Error reading from stream".
int ReadByte(const FileStreamPtr& stream);
// Called by the map loader for its layer file: up to count bytes into out;
// returns how many were read, fewer only at the end of the file.
std::size_t ReadBytes(const FileStreamPtr& stream, unsigned char* out, std::size_t count);
// 1 once every byte has been read.
int Eof(const FileStreamPtr& stream);
// Closes the file; the stream reads nothing more. Dropping the pointer closes it too.
void Close(const FileStreamPtr& stream);

// Called by the settings lookup, the map dialog and the in-game map list: the
// player's folders by the XDG base directory rules: $XDG_CONFIG_HOME or
// ~/.config, $XDG_DATA_HOME or ~/.local/share (a relative setting is ignored).
// "" when neither the variable nor $HOME names an absolute folder.
std::string UserConfigHome();
std::string UserDataHome();
