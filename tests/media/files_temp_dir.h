// A scratch folder for file tests, removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

class FilesTempDir {
  public:
    FilesTempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "palmut-test-XXXXXX").string();
        path_ = mkdtemp(tmpl.data()) ? tmpl : std::string();
    }
    ~FilesTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

    // Writes bytes to a file below the folder (creating folders) and returns its path.
    std::string Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::path p = std::filesystem::path(path_) / relative;
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
