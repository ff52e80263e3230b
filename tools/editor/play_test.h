// Play-testing: the game started on a map, watched until it ends.
#pragma once

#include <string>

#include <sys/types.h>

namespace editor {

// The game program: "palmut" beside the editor, else the first one on PATH;
// "" when there is none.
std::string FindGame(const std::string& editorDir);

class GameRun {
  public:
    ~GameRun();
    // Starts `program --map imagePath --play`; false with `error` set when it cannot start.
    bool Start(const std::string& program, const std::string& imagePath, std::string& error);
    // True while the game runs; once it ended, `status` holds its exit status.
    bool Running();
    int Status() const { return status_; }

  private:
    pid_t pid_ = -1;
    int status_ = 0;
};

} // namespace editor
