// Program control: debug log, fatal error, normal end, finding the asset tree.
#pragma once

#include <functional>
#include <string>

// One diagnostic line; discarded unless a sink is attached (tests do).
void DebugLog(const std::string& line);
void SetDebugSink(std::function<void(const std::string&)> sink);

// Writes text to stderr (no line end added) and exits with status -1.
[[noreturn]] void FatalError(const std::string& text);
// Closes the graphics and exits with status 0.
[[noreturn]] void EndProgram();

// Makes the asset tree the working directory: the current directory when it
// holds `marker`, else the installed data folder, else a tree next to or above
// the executable. Returns false when none holds it.
bool EnterAssetTree(const std::string& marker);
