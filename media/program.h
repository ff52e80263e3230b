// Program control: debug log, fatal error, normal end, finding the asset tree.
#pragma once

#include <functional>
#include <string>

// Called anywhere: one diagnostic line; discarded unless a sink is attached.
void DebugLog(const std::string& line);
// Called by tests and tools: where debug lines go from now on; null discards them.
void SetDebugSink(std::function<void(const std::string&)> sink);

// Called on a failure the game cannot play on from: writes text to stderr (no
// line end added), releases the window and audio device, exits with status -1.
[[noreturn]] void FatalError(const std::string& text);
// Called by the menu's "ENDE", Escape and the victory screen: releases the window
// and audio device and exits with status 0.
[[noreturn]] void EndProgram();

// Called first by start-up: makes the asset tree (the folder holding `marker`)
// the working directory: an installed tree beside the program first; then, for
// a program in its build tree, the current directory before the build's own
// files, else the configured data folder before the current directory.
// Returns false when none holds it.
bool EnterAssetTree(const std::string& marker);
