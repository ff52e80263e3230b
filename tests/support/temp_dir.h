// A scratch folder of its own for each use, removed again with everything in
// it, so tests can run side by side and in any order.
#pragma once

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

class TempDir {
  public:
    // Lower case only: the game lower-cases a map's whole path before deriving
    // its layer and critter files, so map tests need folders that survive that.
    TempDir() {
        static std::mt19937 random{std::random_device{}()};
        const std::string base = (std::filesystem::temp_directory_path() / "palmut-test-").string();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            std::string name = base + std::to_string(::getpid()) + "-";
            for (int i = 0; i < 8; ++i)
                name += static_cast<char>('a' + random() % 26);
            if (::mkdir(name.c_str(), 0700) == 0)
                path_ = name;
            else if (errno != EEXIST)
                break;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // The path of a file or folder inside.
    std::string operator/(const std::string& relative) const {
        return (std::filesystem::path(path_) / relative).string();
    }
    // Writes bytes to a file inside (creating folders) and returns its path.
    std::string Write(const std::string& relative, const std::string& bytes) const {
        const std::filesystem::path p = std::filesystem::path(path_) / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return p.string();
    }

  private:
    std::string path_;
};

// Runs with the working directory set to a folder, restoring it afterwards.
class ScopedWorkingDir {
  public:
    explicit ScopedWorkingDir(const std::string& dir) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~ScopedWorkingDir() { std::filesystem::current_path(old_); }

  private:
    std::filesystem::path old_;
};
