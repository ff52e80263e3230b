// Desktop services: the open-file dialog and the "open" action for documents.
#pragma once

#include <string>
#include <vector>

// Called by the map choice: the desktop's modal open dialog; filter "name:ext1,ext2;name2:ext3".
// Returns an absolute path or "" when cancelled or when no dialog could be shown.
std::string RequestFile(const std::string& title, const std::string& filter, int save,
                        const std::string& initialPath);
// Called by the map choice after RequestFile: 1 when no dialog could be shown at
// all (rather than the player cancelling it), so the game offers its own list.
int RequestFileUnavailable();

// Called by the in-game map list: 1 when the desktop lets the player hand the
// game files of their own from there (a page's file picker), so the list
// offers it; 0 when it does not (a desktop has its own dialog).
int CanPickOwnFiles();
// Called by the in-game map list's own-files entry: lets the player pick files
// ending in one of `extensions` ("png,map,critter") and waits until they have.
// The picked files are copied, for this session only, into a folder of their
// own under lower-cased names; returns the copies' paths, sorted. Files of other
// kinds are left out; files too big to take are left out and named in
// `tooBig`. Nothing comes back when the player cancelled.
std::vector<std::string> PickOwnFiles(const std::string& extensions,
                                      std::vector<std::string>& tooBig);

// Called by the menu's readme entry: hands an address or a document path to the
// desktop's opener and returns at once: 1 when the opener started, 0 when it could not.
int OpenURL(const std::string& address);
// Called by the title menu each pass: 1 once when the opener last started could
// not run or has ended with an error; reaps it when it has ended. Never waits.
int OpenURLFailed();
