// Desktop services: the open-file dialog and the "open" action for documents.
#pragma once

#include <string>

// Called by the map choice: the desktop's modal open dialog; filter "name:ext1,ext2;name2:ext3".
// Returns an absolute path or "" when cancelled or when no dialog could be shown.
std::string RequestFile(const std::string& title, const std::string& filter, int save,
                        const std::string& initialPath);
// Called by the menu's readme entry: hands an address or a document path to the
// desktop; 1 when it was accepted.
int OpenURL(const std::string& address);
