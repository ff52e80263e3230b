// Read-only file streams with the game's own line rules.
#include "media/files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

#include "media/program.h"
#include "media/system/path_resolver.h"
#include "media/system/utf8_codec.h"
#include "media/text_ops.h"

struct FileStream {
    std::FILE* file = nullptr;
    long long size = 0;
    long long position = 0;

    ~FileStream() {
        if (file) std::fclose(file);
    }
};

namespace {

// A longer line is cut here and the rest of it skipped, so a hostile file
// cannot make one line eat the memory.
constexpr size_t kMaxLineBytes = 1 << 20;

FileStream& Require(const FileStreamPtr& stream) {
    if (!stream) FatalError("Error reading from stream");
    return *stream;
}

// Next byte, or -1 at the end (or when closed or unreadable).
int Next(FileStream& s) {
    if (!s.file || s.position >= s.size) return -1;
    int c = std::fgetc(s.file);
    if (c == EOF) {
        // The file shrank while open: treat what we have as the end.
        s.size = s.position;
        return -1;
    }
    ++s.position;
    return c;
}

std::string XdgHome(const char* variable, const char* underHome) {
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return set;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + underHome;
    return "";
}

} // namespace

std::string UserConfigHome() {
    return XdgHome("XDG_CONFIG_HOME", "/.config");
}

std::string UserDataHome() {
    return XdgHome("XDG_DATA_HOME", "/.local/share");
}

std::string ResolvePath(const std::string& path) {
    return media_internal::ResolveUnder("", path);
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& extension) {
    // A folder of thousands is not a map collection; the list stays bounded.
    constexpr size_t kMaxFiles = 1000;
    std::vector<std::string> found;
    const std::string real = ResolvePath(folder);
    if (real.empty()) return found;
    const std::string suffix = "." + extension;
    std::error_code ec;
    std::filesystem::directory_iterator it(std::filesystem::absolute(real, ec), ec), end;
    for (; !ec && it != end && found.size() < kMaxFiles; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= suffix.size() || !EndsWithNoCase(name, suffix)) continue;
        const std::string path = it->path().lexically_normal().string();
        if (media_internal::IsRegularFile(path)) found.push_back(path);
    }
    std::sort(found.begin(), found.end());
    return found;
}

FileStreamPtr OpenForReading(const std::string& path) {
    std::string real = ResolvePath(path);
    if (real.empty() || !media_internal::IsRegularFile(real)) return nullptr;
    std::FILE* f = std::fopen(real.c_str(), "rb");
    if (!f) return nullptr;
    auto stream = std::make_shared<FileStream>();
    stream->file = f;
    struct stat st;
    // Folders and devices open but are not files the game can read.
    if (::fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    stream->size = st.st_size;
    return stream;
}

std::string ReadLine(const FileStreamPtr& stream) {
    FileStream& s = Require(stream);
    std::string line;
    size_t chars = 0;
    for (;;) {
        int c = Next(s);
        if (c < 0 || c == '\n' || c == 0) break;
        if (c == '\r') continue;
        if (chars++ >= kMaxLineBytes) continue;
        // Bytes are Latin-1 characters; the rest of the game speaks UTF-8.
        media_internal::AppendUtf8(line, static_cast<char32_t>(c));
    }
    return line;
}

int ReadByte(const FileStreamPtr& stream) {
    int c = Next(Require(stream));
    if (c < 0) FatalError("Error reading from stream");
    return c;
}

std::size_t ReadBytes(const FileStreamPtr& stream, unsigned char* out, std::size_t count) {
    FileStream& s = Require(stream);
    if (!s.file || s.position >= s.size) return 0;
    const auto left = static_cast<unsigned long long>(s.size - s.position);
    const std::size_t read = std::fread(out, 1, std::min<unsigned long long>(count, left), s.file);
    s.position += static_cast<long long>(read);
    if (read < count && read < left) s.size = s.position; // the file shrank while open
    return read;
}

int Eof(const FileStreamPtr& stream) {
    FileStream& s = Require(stream);
    return s.position >= s.size ? 1 : 0;
}

void Close(const FileStreamPtr& stream) {
    if (!stream || !stream->file) return;
    std::fclose(stream->file);
    stream->file = nullptr;
    stream->size = stream->position = 0;
}
